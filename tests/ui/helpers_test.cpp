#include "ui/anim/transition.h"
#include "ui/exec/executor.h"
#include "ui/exec/one_answer.h"
#include "ui/i18n/format.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace orvo_ui;
using namespace std::chrono_literals;

TEST(FormatBytes, PicksTheUnitAndPrecision)
{
    struct Case {
        std::uint64_t bytes;
        char const* text;
    } const cases[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1.0 KB"},
        {1536, "1.5 KB"},
        {100 * 1024, "100 KB"},
        {1024 * 1024 - 1, "1.0 MB"}, // would round to "1024 KB"
        {12'900'000, "12.3 MB"},
        {32ull * 1024 * 1024, "32.0 MB"},
        {5ull * 1024 * 1024 * 1024, "5.0 GB"},
        {UINT64_MAX, "16.0 EB"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(format::bytes(c.bytes), c.text) << c.bytes;
}

TEST(Transition, MovesFromTheShownValueToTheTargetAndStops)
{
    using animation::Easing;
    using animation::animated::Transition;
    auto t0 = animation::Clock::time_point {} + 10s;
    Transition t(0.0);
    EXPECT_FALSE(t.is_animating(t0));
    t.set_target(1.0, t0, 200ms, Easing::Linear);
    EXPECT_TRUE(t.is_animating(t0 + 100ms));
    EXPECT_NEAR(t.value(t0 + 50ms), 0.25, 1e-9);
    EXPECT_NEAR(t.value(t0 + 100ms), 0.5, 1e-9);
    EXPECT_EQ(t.value(t0 + 300ms), 1.0);
    EXPECT_FALSE(t.is_animating(t0 + 200ms));

    // Re-targeting mid-way starts from where the value is, not from the old start.
    t.set_target(0.0, t0 + 300ms, 100ms, Easing::Linear);
    t.set_target(1.0, t0 + 350ms, 100ms, Easing::Linear);
    EXPECT_NEAR(t.value(t0 + 350ms), 0.5, 1e-9);
    // Same target again keeps the running motion.
    t.set_target(1.0, t0 + 400ms, 100ms, Easing::Linear);
    EXPECT_NEAR(t.value(t0 + 400ms), 0.75, 1e-9);

    // Ease-out is ahead of linear half-way; zero duration jumps.
    Transition eased(0.0);
    eased.set_target(1.0, t0, 100ms, Easing::EaseOutCubic);
    EXPECT_NEAR(eased.value(t0 + 50ms), 0.875, 1e-9);
    eased.set_target(4.0, t0, 0ms);
    EXPECT_EQ(eased.value(t0), 4.0);
    EXPECT_FALSE(eased.is_animating(t0));
    eased.jump_to(0.3);
    EXPECT_EQ(eased.value(t0 + 1s), 0.3);
}

TEST(Executor, RunsJobsAndAnswersThroughOneAnswerChannels)
{
    exec::Executor executor(2);
    auto answer = exec::run_in_background(executor, [] { return 6 * 7; });
    EXPECT_EQ(answer.take_within(5s), 42);
    EXPECT_FALSE(answer.try_take()); // taken once
    EXPECT_TRUE(answer.is_closed());

    std::atomic<int> done = 0;
    for (int i = 0; i < 50; ++i)
        executor.submit([&] { ++done; });
    // Destroying an executor finishes what was queued.
    {
        exec::Executor short_lived(1);
        for (int i = 0; i < 20; ++i)
            short_lived.submit([&] { ++done; });
    }
    auto fence = exec::run_in_background(executor, [] { return true; });
    EXPECT_TRUE(fence.take_within(5s).value_or(false));
    while (executor.pending() > 0)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(done, 70);
}

TEST(OneAnswer, DistinguishesNotYetFromNever)
{
    auto [sender, receiver] = exec::one_answer<std::string>();
    EXPECT_FALSE(receiver.try_take());
    EXPECT_FALSE(receiver.is_closed());
    sender.send("first");
    sender.send("second");
    EXPECT_EQ(receiver.try_take(), "first");

    auto [dropped, orphan] = exec::one_answer<int>();
    { auto gone = std::move(dropped); }
    EXPECT_TRUE(orphan.is_closed());
    EXPECT_FALSE(orphan.take_within(1ms));
}
