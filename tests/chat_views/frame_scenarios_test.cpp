// Each scenario drawn into a real off-screen frame: which controls it records,
// where, and in which order.

#include "frame_fixture.h"

#include "app/views/frame.h"
#include "app/views/rail.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;

TEST(FrameScenarios, DefaultWideFrameRecordsRailSidebarAndNoDetails)
{
    Shot shot("");
    auto const& app = *shot.app;
    EXPECT_FALSE(app.narrow);
    EXPECT_FALSE(app.compact);
    EXPECT_FALSE(app.flaps_animating) << "the first frame places the flaps without animation";
    EXPECT_EQ(shot.rect_of("chat.inbox"), (orvo_ui::Rect {10, 16, 48, 48}));
    EXPECT_EQ(shot.rect_of("chat.current-context"), (orvo_ui::Rect {10, 82, 48, 48}));
    for (auto id : {"chat.channel:c_general", "chat.channel:c_crit", "chat.channel:c_frontend",
                    "chat.channel:c_random", "chat.voice-channel:c_standup", "chat.voice-channel:c_huddle",
                    "chat.category-toggle:cat_acme_main", "chat.add-channel:ws_acme:cat_acme_voice",
                    "chat.add-category:ws_acme"})
        EXPECT_TRUE(shot.has(id)) << id;
    EXPECT_FALSE(shot.has("chat.channel:c_kernel")) << "other workspaces stay off the sidebar";
    EXPECT_FALSE(shot.has("chat.toggle-navigation")) << "the sidebar is docked";
    EXPECT_FALSE(shot.has("chat.toggle-details")) << "details forced closed";
    EXPECT_EQ(shot.count<control::Dismiss>(), 0u);
    auto row = *shot.rect_of("chat.channel:c_crit");
    EXPECT_GE(row.left(), 68);
    EXPECT_LE(row.right(), 316);
    EXPECT_GE(row.height, 32);
}

TEST(FrameScenarios, NarrowHasNoSidebarAndOffersTheMenuButton)
{
    for (std::uint32_t width : {700u, 1280u}) {
        Shot shot("narrow", width);
        EXPECT_EQ(shot.app->narrow, width < 760);
        EXPECT_FALSE(shot.has("chat.inbox")) << width;
        EXPECT_EQ(shot.count<control::Channel>(), 0u) << width;
        auto menu = shot.rect_of("chat.toggle-navigation");
        ASSERT_TRUE(menu) << width;
        EXPECT_EQ(*menu, (orvo_ui::Rect {12, 14, 32, 32})) << "header left + 12, centred in the 60 header";
    }
}

TEST(FrameScenarios, CompactKeepsTheSidebarDockedAndTheDetailsClosed)
{
    Shot shot("compact", 900);
    EXPECT_TRUE(shot.app->compact);
    EXPECT_FALSE(shot.app->narrow);
    EXPECT_TRUE(shot.has("chat.channel:c_crit"));
    EXPECT_FALSE(shot.has("chat.toggle-navigation"));
    EXPECT_FALSE(shot.has("chat.toggle-details"));
}

TEST(FrameScenarios, PeopleShowsThePanelWithItsCloseButton)
{
    Shot shot("people");
    auto close = shot.rect_of("chat.toggle-details");
    ASSERT_TRUE(close);
    EXPECT_EQ(*close, (orvo_ui::Rect {1280 - 40, 12, 28, 28}));
    // The conversation gives way to the 360-wide panel; the sidebar stays.
    EXPECT_TRUE(shot.has("chat.channel:c_crit"));
}

TEST(FrameScenarios, CompactPeopleLaysAScrimWithDismissUnderThePanel)
{
    Shot shot("people", 900);
    ASSERT_TRUE(shot.app->compact);
    auto const& regions = shot.app->hit_regions;
    auto dismiss = std::find_if(regions.begin(), regions.end(),
                                [](HitRegion const& r) { return std::holds_alternative<control::Dismiss>(r.control); });
    ASSERT_NE(dismiss, regions.end());
    EXPECT_EQ(dismiss->rect, (orvo_ui::Rect {0, 0, 900, 800}));
    auto close = std::find_if(regions.begin(), regions.end(), [](HitRegion const& r) {
        return std::holds_alternative<control::ToggleRightFlap>(r.control);
    });
    ASSERT_NE(close, regions.end());
    EXPECT_LT(dismiss - regions.begin(), close - regions.begin()) << "the panel is above its scrim";
    EXPECT_TRUE(std::holds_alternative<control::ToggleRightFlap>(*hit_test(regions, close->rect.center())));
    EXPECT_TRUE(std::holds_alternative<control::Dismiss>(*hit_test(regions, {450, 400})));
}

TEST(FrameScenarios, StarterHasOneWorkspaceWithoutIdentityBar)
{
    Shot shot("starter");
    EXPECT_EQ(shot.count<control::Channel>(), 1u);
    EXPECT_EQ(shot.count<control::VoiceChannel>(), 1u);
    EXPECT_EQ(shot.count<control::CallMute>(), 0u);
}

TEST(FrameScenarios, InboxListsEveryWorkspacesTextChannels)
{
    Shot shot("");
    shot.app->inbox_open = true;
    shot.redraw();
    EXPECT_TRUE(shot.has("chat.channel:c_kernel"));
    EXPECT_TRUE(shot.has("chat.channel:c_music"));
    EXPECT_EQ(shot.count<control::VoiceChannel>(), 0u);
    EXPECT_EQ(shot.count<control::Channel>(), 10u);
    EXPECT_EQ(shot.count<control::CategoryToggle>(), 0u);
}

TEST(FrameScenarios, RenamedChannelShowsTheInputInsteadOfItsName)
{
    Shot shot("");
    shot.app->rename_target = RenameTarget {RenameTarget::Kind::Channel, "c_frontend"};
    shot.redraw();
    EXPECT_FALSE(shot.has("chat.channel:c_frontend")) << "a row being renamed pushes no target";
    EXPECT_EQ(shot.count<control::FocusRename>(), 1u);
}

TEST(FrameScenarios, CollapsedCategoryHidesItsChannels)
{
    Shot shot("");
    crdt::Document& doc = shot.frame->document();
    shot.app->dispatch_chat_action(doc, action::SetCategoryCollapsed {"cat_acme_voice", true});
    shot.redraw();
    EXPECT_TRUE(shot.has("chat.category-toggle:cat_acme_voice"));
    EXPECT_FALSE(shot.has("chat.voice-channel:c_huddle"));
    EXPECT_EQ(control_label(control::CategoryToggle {"cat_acme_voice"}, *shot.app), "Expand Voice");
    EXPECT_EQ(control_label(control::CategoryToggle {"cat_acme_main"}, *shot.app), "Collapse Channels");
}

TEST(FrameScenarios, FocusRingIsClearedWhenItsRegionIsGone)
{
    Shot shot("");
    shot.app->focus_ring = shot.app->hit_regions.size() - 1;
    shot.redraw();
    EXPECT_TRUE(shot.app->focus_ring);
    shot.app->focus_ring = 10'000;
    shot.redraw();
    EXPECT_FALSE(shot.app->focus_ring);
}

TEST(FrameScenarios, InboxBadgeSitsOnTheButtonCorner)
{
    orvo_ui::Rect button {10, 16, 48, 48};
    EXPECT_EQ(views::inbox_badge_rect(button), orvo_ui::Rect::from_edges(42, 12, 63, 33));
}

TEST(FrameScenarios, NarrowSidebarOpenedWithTheMenuOverlaysWithAScrim)
{
    Shot shot("narrow", 700);
    views::toggle_flap(shot.app->left_flap, true);
    shot.app->left_flap.progress = 1.0;
    shot.redraw();
    auto const& regions = shot.app->hit_regions;
    auto first = [&](auto pred) { return std::find_if(regions.begin(), regions.end(), pred) - regions.begin(); };
    auto dismiss = first([](HitRegion const& r) { return std::holds_alternative<control::Dismiss>(r.control); });
    auto inbox = first([](HitRegion const& r) { return std::holds_alternative<control::Inbox>(r.control); });
    ASSERT_LT(dismiss, static_cast<std::ptrdiff_t>(regions.size()));
    ASSERT_LT(inbox, static_cast<std::ptrdiff_t>(regions.size()));
    EXPECT_LT(dismiss, inbox) << "the scrim lies under the sidebar";
    EXPECT_TRUE(std::holds_alternative<control::Dismiss>(*hit_test(regions, {500, 400})));
    EXPECT_TRUE(shot.has("chat.channel:c_crit"));
}
