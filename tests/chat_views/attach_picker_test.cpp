// The attachment picker: its geometry for file counts and scales, and the
// regions it records over the frame.

#include "frame_fixture.h"

#include "app/views/attach_picker.h"

#include <gtest/gtest.h>

using namespace chat;
using namespace chat::testing;
using orvo_ui::Rect;

TEST(AttachPicker, RowLimitByScale)
{
    std::pair<double, std::size_t> const cases[] = {{0.75, 6}, {1.0, 6}, {1.15, 6}, {1.16, 4}, {1.5, 4}, {1.51, 2}, {3, 2}};
    for (auto [z, rows] : cases) EXPECT_EQ(views::attach_picker_row_limit(z), rows) << z;
}

TEST(AttachPicker, LayoutForFileCountsScalesAndWindows)
{
    Rect const window {0, 0, 1280, 800};
    Rect const composer {330, 712, 936, 76}; // top 712: the popup's bottom sits at 702
    struct Case {
        char const* name;
        Rect window;
        Rect composer;
        std::size_t files;
        double z;
        Rect panel;
        std::size_t rows;
        std::size_t hidden;
    };
    Case const cases[] = {
        {"two files", window, composer, 2, 1.0, {330, 702 - 176, 360, 176}, 2, 0},
        {"no files", window, composer, 0, 1.0, {330, 702 - 110, 360, 110}, 0, 0},
        {"two hundred files", window, composer, 200, 1.0, {330, 702 - 404, 360, 404}, 6, 194},
        {"scale 1.3", window, composer, 9, 1.3, {330, 702 - 385.2, 450, 385.2}, 4, 5},
        {"scale 2", window, composer, 3, 2.0, {330, 702 - 376, 450, 376}, 2, 1},
        {"short window keeps the top 12 down", {0, 0, 1280, 300}, {330, 212, 936, 76}, 200, 1.0, {330, 12, 360, 404}, 6, 194},
        {"narrow window keeps 220 from the left margin", {0, 0, 200, 800}, {14, 712, 172, 76}, 1, 1.0,
         {12, 702 - 124, 220, 124}, 1, 0},
        {"composer far right is pulled inside", window, {1100, 712, 160, 76}, 1, 1.0, {1280 - 12 - 360, 702 - 124, 360, 124}, 1, 0},
    };
    for (auto const& test : cases) {
        auto layout = views::attach_picker_layout(test.window, test.composer, test.files, test.z);
        EXPECT_NEAR(layout.panel.x, test.panel.x, 1e-9) << test.name;
        EXPECT_NEAR(layout.panel.y, test.panel.y, 1e-9) << test.name;
        EXPECT_NEAR(layout.panel.width, test.panel.width, 1e-9) << test.name;
        EXPECT_NEAR(layout.panel.height, test.panel.height, 1e-9) << test.name;
        EXPECT_EQ(layout.rows, test.rows) << test.name;
        EXPECT_EQ(layout.hidden, test.hidden) << test.name;
        EXPECT_NEAR(layout.list_top, test.panel.y + 56 * test.z, 1e-9) << test.name;
        if (layout.rows > 0) {
            auto last = views::attach_picker_row(layout, layout.rows - 1, test.z);
            EXPECT_LE(last.bottom(), layout.panel.bottom() - 4 - (layout.hidden ? 20 * test.z : 0) + 1e-9) << test.name;
        }
    }
}

TEST(AttachPicker, PlaceholderGlyphByKind)
{
    EXPECT_EQ(views::attach_placeholder_glyph({"p", "shot.JPG", 1, false}), "🖼");
    EXPECT_EQ(views::attach_placeholder_glyph({"p", "clip.webm", 1, true}), "🎬");
    EXPECT_EQ(views::attach_placeholder_glyph({"p", "notes.md", 1, false}), "📄");
}

TEST(AttachPicker, BackdropFirstThenOneRegionPerShownRow)
{
    Shot shot("attach");
    auto const& regions = shot.app->hit_regions;
    ASSERT_GE(regions.size(), 3u);
    auto picks = shot.count<control::AttachPick>();
    ASSERT_EQ(picks, 2u);
    auto const& backdrop = regions[regions.size() - 3];
    EXPECT_TRUE(std::holds_alternative<control::Dismiss>(backdrop.control)) << "the popup is the frame's top layer";
    EXPECT_EQ(backdrop.rect, shot.app->window_bounds);
    auto first = std::get<control::AttachPick>(regions[regions.size() - 2].control);
    EXPECT_EQ(first, (control::AttachPick {"orvo-demo://call-grid", "call-overlay-v3.png"}));
    EXPECT_EQ(regions.back().rect.height, 52);
    EXPECT_EQ(regions.back().rect.top(), regions[regions.size() - 2].rect.bottom());
}

TEST(AttachPicker, RowsAreInertWhileAnImportRunsAndCappedByScale)
{
    Shot shot("attach");
    shot.app->import_in_flight = ImportInFlight {"c_crit", "u_me", 4};
    shot.redraw();
    EXPECT_EQ(shot.count<control::AttachPick>(), 0u);
    EXPECT_TRUE(std::holds_alternative<control::Dismiss>(shot.app->hit_regions.back().control));

    shot.app->import_in_flight.reset();
    shot.app->picker_files.resize(200, PickerFile {"/w/a.txt", "a.txt", 1, false});
    shot.redraw();
    EXPECT_EQ(shot.count<control::AttachPick>(), 6u);

    for (auto scenario : {"attach-loading", ""}) {
        Shot other(scenario);
        EXPECT_EQ(other.count<control::AttachPick>(), 0u) << scenario;
    }
}
