// Breakpoints, flap animation and region geometry as tables of cases.

#include "app/chat_app.h"
#include "app/views/frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace chat;
using namespace chat::views;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(FrameBreakpoints, WidthsAndScales)
{
    struct Case {
        double width;
        double z;
        bool narrow;
        bool compact;
    } const cases[] = {
        {1280, 1, false, false}, {1040, 1, false, false}, {1039.9, 1, false, true}, {900, 1, false, true},
        {760, 1, false, true},   {759.9, 1, true, true},  {700, 1, true, true},     {1500, 2, true, true},
        {2080, 2, false, false}, {900, 0.5, false, true},  // a scale under 1 never widens
        {900, std::numeric_limits<double>::quiet_NaN(), false, true},
    };
    for (auto const& c : cases) {
        auto flags = breakpoints_for(c.width, c.z);
        ASSERT_TRUE(flags) << c.width;
        EXPECT_EQ(flags->narrow, c.narrow) << c.width << " at " << c.z;
        EXPECT_EQ(flags->compact, c.compact) << c.width << " at " << c.z;
    }
    EXPECT_FALSE(breakpoints_for(0, 1)) << "no layout yet";
    EXPECT_FALSE(breakpoints_for(1.5, 2)) << "under one logical unit";
}

TEST(FrameFlaps, EaseIsCubicOutAndClamped)
{
    struct Case {
        double p;
        double eased;
    } const cases[] = {{-0.5, 0}, {0, 0}, {0.5, 0.875}, {0.25, 1 - 0.421875}, {1, 1}, {3, 1}};
    for (auto const& c : cases) EXPECT_DOUBLE_EQ(ease(c.p), c.eased) << c.p;
    EXPECT_DOUBLE_EQ(ease(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(FrameFlaps, FirstFrameSnapsAndCrossingForgetsTheOverride)
{
    Flap flap;
    feed_breakpoint(flap, true); // first frame, narrow: closed without animation
    EXPECT_EQ(flap.progress, 0.0);
    EXPECT_FALSE(step_flap(flap, true, Clock::now()));

    Flap wide;
    feed_breakpoint(wide, false);
    EXPECT_EQ(wide.progress, 1.0);
    toggle_flap(wide, false); // "☰" closes it in the wide mode
    EXPECT_EQ(wide.override_, FlapOverride::Closed);
    EXPECT_FALSE(wide.target_open(false));
    feed_breakpoint(wide, true);
    EXPECT_EQ(wide.override_, FlapOverride::None) << "crossing a breakpoint forgets the choice";
    feed_breakpoint(wide, false);
    EXPECT_TRUE(wide.target_open(false)) << "back to user_open";

    toggle_flap(wide, false);
    feed_breakpoint(wide, false);
    EXPECT_EQ(wide.override_, FlapOverride::Closed) << "the same flag again changes nothing";
}

TEST(FrameFlaps, StepsFollowTheExponentialAndCapDt)
{
    struct Case {
        std::chrono::milliseconds dt;
        double expected; // progress after one step from 0 towards 1
    } const cases[] = {
        {16ms, 1 - std::exp(-14 * 0.016)},
        {50ms, 1 - std::exp(-14 * 0.05)},
        {100ms, 1 - std::exp(-14 * 0.1)},
        {5000ms, 1 - std::exp(-14 * 0.1)}, // a stalled frame moves at most one 0.1 s step
        {0ms, 0},
    };
    for (auto const& c : cases) {
        Flap flap;
        flap.progress = 0;
        auto start = Clock::now();
        flap.last_tick = start;
        EXPECT_TRUE(step_flap(flap, false, start + c.dt));
        EXPECT_NEAR(flap.progress, c.expected, 1e-12) << c.dt.count();
        EXPECT_EQ(flap.last_tick, start + c.dt);
    }
}

TEST(FrameFlaps, SnapsToTheTargetBelowOneThousandth)
{
    Flap flap;
    flap.progress = 0.9991;
    auto t = Clock::now();
    flap.last_tick = t;
    EXPECT_FALSE(step_flap(flap, false, t + 1ms)) << "under 0.001 away: snapped";
    EXPECT_EQ(flap.progress, 1.0);

    flap.override_ = FlapOverride::Closed;
    int steps = 0;
    while (step_flap(flap, false, t + std::chrono::milliseconds(16 * ++steps))) ASSERT_LT(steps, 100);
    EXPECT_EQ(flap.progress, 0.0);
    EXPECT_GT(steps, 20) << "closing takes about half a second at 60 frames";
}

TEST(FrameGeometry, RegionsPerMode)
{
    struct Case {
        double width;
        bool narrow, compact;
        bool thread;
        double conv_left, conv_right, details_left;
    } const cases[] = {
        {1280, false, false, false, 316, 920, 920},
        {900, false, true, false, 316, 900, 900 - 360}, // compact: details overlay, closed by default
        {700, true, true, false, 0, 700, 700 - 360},
        {900, false, true, true, 316, 900, 0}, // a compact thread covers the window
    };
    for (auto const& c : cases) {
        ChatApp app;
        app.window_bounds = {0, 0, c.width, 800};
        app.narrow = c.narrow;
        app.compact = c.compact;
        if (!c.thread) app.open_thread.reset();
        feed_breakpoint(app.left_flap, c.narrow);
        feed_breakpoint(app.right_flap, c.compact);
        app.right_flap.progress = 1.0; // fully shown, to read its open geometry
        auto g = frame_geometry(app, 19);
        EXPECT_EQ(g.conversation_left, c.conv_left) << c.width;
        EXPECT_EQ(g.conversation_right, c.conv_right) << c.width;
        EXPECT_EQ(g.details.left(), c.details_left) << c.width << (c.thread ? " thread" : "");
        EXPECT_EQ(g.header, orvo_ui::Rect::from_edges(c.conv_left, 0, c.conv_right, 60));
        EXPECT_EQ(g.composer, orvo_ui::Rect::from_edges(c.conv_left + 14, 800 - 12 - 76, c.conv_right - 14, 788));
        EXPECT_EQ(g.timeline.bottom(), g.composer.top() - 6);
    }
}

TEST(FrameGeometry, ComposerGrowsWithItsTextWithinLimits)
{
    struct Case {
        double text_height;
        double height;
    } const cases[] = {{0, 76}, {19, 76}, {40, 97}, {143, 200}, {500, 200}};
    ChatApp app;
    app.window_bounds = {0, 0, 1280, 800};
    for (auto const& c : cases) EXPECT_EQ(frame_geometry(app, c.text_height).composer.height, c.height) << c.text_height;
    EXPECT_EQ(composer_wrap_width(604), 556);
    EXPECT_EQ(composer_wrap_width(60), 40);
}

TEST(FrameGeometry, NarrowSidebarSlidesInFromTheLeft)
{
    ChatApp app;
    app.window_bounds = {0, 0, 700, 800};
    app.narrow = app.compact = true;
    struct Case {
        double progress;
        double left;
    } const cases[] = {{0, -316}, {0.5, -316 * 0.125}, {1, 0}};
    for (auto const& c : cases) {
        app.left_flap.progress = c.progress;
        EXPECT_DOUBLE_EQ(frame_geometry(app, 0).sidebar.left(), c.left) << c.progress;
    }
}
