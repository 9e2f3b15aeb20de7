// The timeline drawn into a real off-screen frame: which rows and controls a
// screenshot-state ChatApp records.

#include "app/chat_app.h"
#include "app/views/timeline_layout.h"
#include "app/views/timeline_people.h"
#include "ui/launch/shot_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace chat {
namespace {

struct Shot {
    explicit Shot(std::string_view scenario, std::uint32_t width = 1280, std::uint32_t height = 800)
        : frame(orvo_ui::launch::ShotFrame::create(width, height, orvo_ui::Theme::dark()).value())
    {
        app.apply_scenario(scenario);
        frame.sync(app);
        EXPECT_TRUE(frame.layout(app).has_value());
        frame.draw(app);
    }
    template<typename Member>
    std::vector<Member> regions() const
    {
        std::vector<Member> found;
        for (auto const& region : app.hit_regions)
            if (auto const* member = std::get_if<Member>(&region.control)) found.push_back(*member);
        return found;
    }
    template<typename Member>
    std::optional<orvo_ui::Rect> rect_of(Member const& wanted) const
    {
        for (auto const& region : app.hit_regions)
            if (auto const* member = std::get_if<Member>(&region.control); member && *member == wanted) return region.rect;
        return std::nullopt;
    }
    ChatApp app;
    orvo_ui::launch::ShotFrame frame;
};

TEST(TimelineStructure, DefaultScenarioLaysOutTheEightTopLevelMessagesOfCrit)
{
    Shot shot("");
    std::vector<std::string> expected = {"m_open", "m_concept", "m_me1", "m_rune", "m_tomas", "m_clip", "m_lise", "m_me2"};
    auto grouped = views::group_messages(shot.app.model.messages);
    std::vector<std::string> ids;
    for (auto const& row : grouped) {
        ids.push_back(row.message->id);
        EXPECT_NE(views::author_name(shot.app, row.message->author), "?") << row.message->id;
        EXPECT_FALSE(row.message->text.empty()) << row.message->id;
    }
    EXPECT_EQ(ids, expected);
    // m_open and m_concept are one author within five minutes: one group.
    EXPECT_TRUE(grouped[0].first_in_group);
    EXPECT_FALSE(grouped[1].first_in_group);
}

TEST(TimelineStructure, DefaultScenarioRecordsTheVisibleMessageControls)
{
    Shot shot("");
    // Bottom-anchored: the newest messages are on screen.
    auto menus = shot.regions<control::MessageMenu>();
    EXPECT_TRUE(std::any_of(menus.begin(), menus.end(), [](auto const& m) { return m.msg == "m_me2"; }));
    for (auto const& menu : menus) EXPECT_TRUE(menu.msg == "m_me1" || menu.msg == "m_me2") << menu.msg;

    auto rocket = shot.rect_of(control::Reaction{"m_lise", "🚀"});
    auto eyes = shot.rect_of(control::Reaction{"m_lise", "👀"});
    ASSERT_TRUE(rocket && eyes);
    EXPECT_DOUBLE_EQ(rocket->y, eyes->y);
    EXPECT_NEAR(eyes->x - rocket->right(), 8, 1e-9); // one padding unit apart
    auto histories = shot.regions<control::EditHistory>();
    ASSERT_EQ(histories.size(), 1u);
    EXPECT_EQ(histories[0].msg, "m_lise");
    EXPECT_TRUE(shot.regions<control::JumpToLatest>().empty()); // following the latest message
    EXPECT_TRUE(shot.app.follow_latest);

    // The timeline stays inside the conversation column, under the header.
    for (auto const& region : shot.app.hit_regions) {
        if (!std::holds_alternative<control::Reaction>(region.control)) continue;
        EXPECT_GE(region.rect.y, 60);
        EXPECT_LE(region.rect.right(), 1280 - 360);
    }
}

TEST(TimelineStructure, HistoryScenarioScrollsUpAndShowsTheJumpPill)
{
    Shot shot("history");
    EXPECT_FALSE(shot.app.follow_latest);
    EXPECT_DOUBLE_EQ(shot.app.timeline_scroll, 220.0);
    auto pills = shot.regions<control::JumpToLatest>();
    ASSERT_EQ(pills.size(), 1u);
    auto pill = *shot.rect_of(control::JumpToLatest{});
    EXPECT_GE(pill.width, 152);
    EXPECT_DOUBLE_EQ(pill.height, 36);
}

TEST(TimelineStructure, ThreadSummaryAndThreadViewForTheOpenThread)
{
    Shot shot("thread-narrow");
    // The concept message has three replies, none of which is a timeline row.
    auto layout_rows = views::group_messages(shot.app.model.messages);
    EXPECT_EQ(layout_rows.size(), 8u);
    EXPECT_FALSE(shot.regions<control::CloseThread>().empty());
}

} // namespace
} // namespace chat
