// A thread opened in the compact width is a page over the whole window: the
// docked sidebar lies beneath it and none of its controls can be reached.

#include "frame_fixture.h"

#include <gtest/gtest.h>

namespace chat {
namespace {

TEST(ThreadPage, CompactThreadCoversTheDockedSidebar)
{
    testing::Shot shot("thread-narrow", 900, 700);
    ASSERT_TRUE(shot.app->compact);
    ASSERT_FALSE(shot.app->narrow);
    auto back = shot.rect_of("chat.close-thread");
    ASSERT_TRUE(back);
    EXPECT_LT(back->right(), 316) << "the Back button sits where the docked sidebar is";
    auto at_back = hit_test(shot.app->hit_regions, back->center());
    ASSERT_TRUE(at_back);
    EXPECT_TRUE(std::holds_alternative<control::CloseThread>(*at_back));
    // Where the sidebar's rows and the rail's buttons are drawn, nothing of theirs answers.
    for (orvo_ui::Point p : {orvo_ui::Point{34, 40}, orvo_ui::Point{34, 106}, orvo_ui::Point{150, 151},
                             orvo_ui::Point{150, 312}, orvo_ui::Point{200, 670}}) {
        auto hit = hit_test(shot.app->hit_regions, p);
        if (!hit) continue;
        EXPECT_FALSE(std::holds_alternative<control::Channel>(*hit) ||
                     std::holds_alternative<control::VoiceChannel>(*hit) ||
                     std::holds_alternative<control::Inbox>(*hit) ||
                     std::holds_alternative<control::CurrentContext>(*hit) ||
                     std::holds_alternative<control::CallMute>(*hit))
            << control_node_id(*hit) << " at " << p.x << "," << p.y;
    }
}

} // namespace
} // namespace chat
