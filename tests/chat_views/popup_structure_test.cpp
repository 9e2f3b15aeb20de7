// The composers and popups drawn into a real off-screen frame: which regions
// they record, in which order, and what a read-only user is offered.

#include "app/views/edit_history.h"
#include "frame_fixture.h"

#include <cairo.h>

#include <cstring>
#include <variant>

namespace chat {
namespace {

using testing::Shot;

template<class... Members>
std::optional<std::size_t> find_run(std::vector<HitRegion> const& regions)
{
    constexpr std::size_t n = sizeof...(Members);
    for (std::size_t i = 0; i + n <= regions.size(); ++i) {
        std::size_t k = 0;
        if ((std::holds_alternative<Members>(regions[i + k++].control) && ...)) return i;
    }
    return std::nullopt;
}

std::uint32_t pixel(Shot const& shot, orvo_ui::Point p)
{
    auto* surface = shot.frame->surface();
    cairo_surface_flush(surface);
    auto const* row = cairo_image_surface_get_data(surface) + static_cast<int>(p.y) * cairo_image_surface_get_stride(surface);
    std::uint32_t value;
    std::memcpy(&value, row + static_cast<int>(p.x) * 4, sizeof value);
    return value;
}

TEST(ComposerStructure, BothComposersRecordTheirControlsInOrder)
{
    Shot shot("thread-narrow"); // at 1280 wide the thread sits docked beside the conversation
    auto const& regions = shot.app->hit_regions;
    auto main = find_run<control::Attach, control::FocusMain, control::ComposerEmoji, control::Send>(regions);
    auto thread = find_run<control::Attach, control::FocusThread, control::ComposerEmoji, control::Send>(regions);
    ASSERT_TRUE(main && thread);
    EXPECT_LT(*main, *thread) << "the main composer is painted before the details panel";

    double details_left = shot.app->window_bounds.right() - 360;
    auto const& bounds = shot.app->window_bounds;
    for (std::size_t i = 0; i < 4; ++i) {
        auto const& in_main = regions[*main + i].rect;
        auto const& in_thread = regions[*thread + i].rect;
        EXPECT_LE(in_main.right(), details_left);
        EXPECT_GE(in_thread.left(), details_left);
        EXPECT_LE(in_main.bottom(), bounds.bottom() - 12);
        EXPECT_LE(in_thread.bottom(), bounds.bottom() - 12);
    }
    EXPECT_EQ(shot.count<control::Send>(), 2u);
}

TEST(ComposerStructure, ReadOnlyUserGetsNoticeInsteadOfInputs)
{
    Shot shot("thread-narrow");
    shot.app->permissions = orvo_ui::permissions::PermissionContext::read_only();
    shot.redraw();
    EXPECT_EQ(shot.count<control::Attach>(), 0u);
    EXPECT_EQ(shot.count<control::FocusMain>(), 0u);
    EXPECT_EQ(shot.count<control::FocusThread>(), 0u);
    EXPECT_EQ(shot.count<control::ComposerEmoji>(), 0u);
    EXPECT_EQ(shot.count<control::Send>(), 0u);
    EXPECT_TRUE(shot.has("chat.close-thread")) << "the rest of the frame is still drawn";
}

TEST(EmojiPickerStructure, BackdropFirstThenEveryCellInsideTheWindow)
{
    Shot shot("");
    auto before = shot.app->hit_regions.size();
    shot.app->emoji_picker = {true, std::string("m_lise"), {1275, 795}};
    shot.redraw();
    auto const& regions = shot.app->hit_regions;
    ASSERT_EQ(regions.size(), before + 55);
    std::size_t first = before;
    EXPECT_TRUE(std::holds_alternative<control::Dismiss>(regions[first].control));
    EXPECT_EQ(regions[first].rect, shot.app->window_bounds);
    std::vector<std::string> emoji;
    for (std::size_t i = first + 1; i < regions.size(); ++i) {
        auto const* choice = std::get_if<control::EmojiChoice>(&regions[i].control);
        ASSERT_NE(choice, nullptr) << i;
        emoji.push_back(choice->emoji);
        auto const& r = regions[i].rect;
        EXPECT_TRUE(r.left() >= 8 && r.top() >= 8 && r.right() <= 1280 - 8 && r.bottom() <= 800 - 8) << choice->emoji;
    }
    ASSERT_EQ(emoji.size(), 54u);
    EXPECT_EQ(emoji.front(), "👍");
    EXPECT_EQ(emoji[6], "😀");  // Smileys start a new grid
    EXPECT_EQ(emoji[18], "👍"); // and so do Gestures, which repeat the thumbs-up
    EXPECT_EQ(emoji.back(), "🧩");
}

TEST(EditHistoryStructure, BackdropAlwaysPanelOnlyWhileTheMessageExists)
{
    Shot plain("");
    orvo_ui::Point probe {420, 240};
    auto untouched = pixel(plain, probe);
    auto regions = plain.app->hit_regions.size();

    struct Case {
        char const* msg;
        bool drawn;
    } const cases[] = {{"m_lise", true}, {"m_vanished", false}};
    for (auto const& c : cases) {
        Shot shot("");
        shot.app->edit_history = {std::string(c.msg), {400, 220}};
        shot.redraw();
        ASSERT_EQ(shot.app->hit_regions.size(), regions + 1) << c.msg;
        EXPECT_TRUE(std::holds_alternative<control::Dismiss>(shot.app->hit_regions.back().control));
        EXPECT_EQ(pixel(shot, probe) != untouched, c.drawn) << c.msg;
    }
}

} // namespace
} // namespace chat
