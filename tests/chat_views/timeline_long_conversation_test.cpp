// A conversation far longer than the window: rows are measured only when they
// come into view, yet they land exactly where a fully measured layout puts
// them, and scrolling, new messages and edits move the view as they should.

#include "app/chat_app.h"
#include "doc/apply.h"
#include "doc/messages.h"
#include "ui/launch/shot_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace chat {
namespace {

constexpr std::size_t extra_messages = 1500;

// Texts of one, two and several lines at the timeline's width, so estimates and measurements differ.
std::string text_for(std::size_t i)
{
    switch (i % 4) {
    case 0: return "Short note " + std::to_string(i);
    case 1: return "First line\nsecond line\nthird line of message " + std::to_string(i);
    case 2: return std::string(40, 'w') + " " + std::string(200, 'i') + " " + std::to_string(i);
    default: return "A message about the call overlay grid, its tiles and the filmstrip " + std::to_string(i);
    }
}

// Every message is the local user's, each in a group of its own, so each row records a MessageMenu region.
struct LongConversation {
    ChatApp app;
    orvo_ui::launch::ShotFrame frame = orvo_ui::launch::ShotFrame::create(1280, 800, orvo_ui::Theme::dark()).value();

    LongConversation()
    {
        app.apply_scenario("");
        frame.sync(app);
        for (std::size_t i = 0; i < extra_messages; ++i) {
            doc::NewMessage m;
            m.author = "u_me";
            m.ts = 1782400000 + static_cast<std::int64_t>(i) * 1000;
            m.text = text_for(i);
            doc::append_message(frame.document(), "c_crit", id(i), m);
        }
        draw();
    }
    static std::string id(std::size_t i) { return "m_long_" + std::to_string(i); }
    void draw()
    {
        frame.sync(app);
        ASSERT_TRUE(frame.layout(app).has_value());
        frame.draw(app);
    }
    void scroll_to(double scroll)
    {
        app.timeline_scroll = scroll;
        app.follow_latest = false;
        app.previous_content_height = 0; // a position set outright, not carried over from growth
        draw();
    }
    std::optional<orvo_ui::Rect> row_of(std::string const& message) const
    {
        for (auto const& region : app.hit_regions)
            if (auto const* menu = std::get_if<control::MessageMenu>(&region.control); menu && menu->msg == message)
                return region.rect;
        return std::nullopt;
    }
    // The messages of the rows on screen, top to bottom.
    std::vector<std::string> rows_on_screen() const
    {
        std::vector<std::string> ids;
        for (auto const& region : app.hit_regions)
            if (auto const* menu = std::get_if<control::MessageMenu>(&region.control)) ids.push_back(menu->msg);
        return ids;
    }
    std::size_t measured_rows() const
    {
        std::size_t n = 0;
        for (std::size_t i = 0; i < app.timeline_cache.size(); ++i) n += app.timeline_cache.measured(i);
        return n;
    }
    void measure_every_row()
    {
        auto& cache = app.timeline_cache;
        for (std::size_t i = 0; i < cache.size(); ++i) cache.measure(i, orvo_ui::TextRenderer::shared());
    }
};

TEST(TimelineLongConversation, OnlyRowsOnScreenAreMeasuredAndTheNewestSitsAtTheBottom)
{
    LongConversation c;
    EXPECT_TRUE(c.app.follow_latest);
    EXPECT_LT(c.measured_rows(), 40u);
    EXPECT_FALSE(c.app.timeline_cache.measured(0));
    auto newest = c.row_of(LongConversation::id(extra_messages - 1));
    ASSERT_TRUE(newest);
    EXPECT_NEAR(newest->bottom(), 800 - 12 - 76 - 6 - 4, 1e-6); // timeline bottom less the row's gap
    c.draw();
    EXPECT_EQ(c.row_of(LongConversation::id(extra_messages - 1)), newest) << "an unchanged frame moves nothing";
}

TEST(TimelineLongConversation, RowsLandWhereAFullyMeasuredLayoutPutsThem)
{
    LongConversation lazy, full;
    full.measure_every_row();
    for (double scroll : {0.0, 2500.0, 40000.0, 1e9}) {
        lazy.scroll_to(scroll);
        full.scroll_to(scroll);
        EXPECT_NEAR(lazy.app.timeline_scroll, full.app.timeline_scroll, 1e-6) << scroll;
        auto const& got = lazy.app.hit_regions;
        auto const& expected = full.app.hit_regions;
        ASSERT_EQ(got.size(), expected.size()) << scroll;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(control_node_id(got[i].control), control_node_id(expected[i].control)) << scroll;
            EXPECT_NEAR(got[i].rect.y, expected[i].rect.y, 1e-6) << scroll << " " << control_node_id(got[i].control);
            EXPECT_NEAR(got[i].rect.height, expected[i].rect.height, 1e-6) << scroll;
        }
    }
    // At the very top every row has been measured.
    EXPECT_EQ(lazy.measured_rows(), lazy.app.timeline_cache.size());
}

TEST(TimelineLongConversation, ScrollingIntoRowsNotYetMeasuredMovesTheViewByTheScrollAlone)
{
    LongConversation c;
    c.scroll_to(3000);
    auto on_screen = c.rows_on_screen();
    ASSERT_GE(on_screen.size(), 3u);
    std::string const watched = on_screen[1]; // whole, and still on screen 450 lower
    auto before = c.row_of(watched);
    ASSERT_TRUE(before);
    std::size_t measured_before = c.measured_rows();
    for (int step = 0; step < 5; ++step) {
        c.app.timeline_scroll += 90; // as the mouse wheel does
        c.draw();
    }
    EXPECT_GT(c.measured_rows(), measured_before);
    auto after = c.row_of(watched);
    ASSERT_TRUE(after);
    EXPECT_NEAR(after->y - before->y, 450, 1e-6);
}

TEST(TimelineLongConversation, ANewMessageWhileScrolledUpKeepsTheViewAndThePill)
{
    LongConversation c;
    c.scroll_to(3000);
    c.draw();
    std::string const watched = c.rows_on_screen().back();
    auto before = c.row_of(watched);
    ASSERT_TRUE(before);
    doc::NewMessage m;
    m.author = "u_nell";
    m.ts = 1782400000 + static_cast<std::int64_t>(extra_messages) * 1000;
    m.text = text_for(1);
    doc::append_message(c.frame.document(), "c_crit", "m_arrived", m);
    c.draw();
    EXPECT_EQ(c.row_of(watched), before);
    EXPECT_FALSE(c.app.follow_latest);
    bool pill = false;
    for (auto const& region : c.app.hit_regions) pill |= std::holds_alternative<control::JumpToLatest>(region.control);
    EXPECT_TRUE(pill);
}

TEST(TimelineLongConversation, AnEditedTextIsMeasuredAgain)
{
    LongConversation c;
    auto const newest = LongConversation::id(extra_messages - 1); // a one-line message
    ASSERT_EQ((extra_messages - 1) % 4, 3u);
    auto one_line = c.row_of(newest);
    ASSERT_TRUE(one_line);
    doc::apply_chat_action(c.frame.document(), action::EditMessage{"c_crit", newest, "one\ntwo\nthree", 1782477000});
    c.draw();
    auto three_lines = c.row_of(newest);
    ASSERT_TRUE(three_lines);
    EXPECT_GT(three_lines->height, one_line->height + 30);
}

} // namespace
} // namespace chat
