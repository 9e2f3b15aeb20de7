// Where the composer's parts, the emoji picker and the edit history panel sit:
// pure geometry, as tables.

#include "app/views/composer.h"
#include "app/views/edit_history.h"
#include "app/views/emoji_picker.h"
#include "app/views/frame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace chat;
using namespace chat::views;
using orvo_ui::Point;
using orvo_ui::Rect;

namespace {

bool inside(Rect const& inner, Rect const& outer, double margin = 0)
{
    constexpr double eps = 1e-9;
    return inner.left() >= outer.left() + margin - eps && inner.top() >= outer.top() + margin - eps
        && inner.right() <= outer.right() - margin + eps && inner.bottom() <= outer.bottom() - margin + eps;
}

} // namespace

TEST(EmojiPickerGeometry, AnchorIsKeptEightInsideTheWindow)
{
    struct Case {
        Rect window;
        Point anchor;
        Point expected;
    } const cases[] = {
        {{0, 0, 1280, 800}, {100, 90}, {100, 90}},
        {{0, 0, 1280, 800}, {1270, 790}, {1280 - 8 - 320, 800 - 8 - 4324.0 / 7}}, // bottom-right corner
        {{0, 0, 1280, 800}, {-40, -5}, {8, 8}},
        {{200, 100, 700, 680}, {880, 760}, {900 - 8 - 320, 780 - 8 - 4324.0 / 7}}, // window not at the origin
        {{0, 0, 300, 400}, {250, 350}, {8, 8}}, // smaller than the panel: its top-left stays visible
    };
    for (auto const& c : cases) {
        Rect r = emoji_picker_rect(c.anchor, c.window);
        EXPECT_DOUBLE_EQ(r.left(), c.expected.x) << c.anchor.x << "," << c.anchor.y;
        EXPECT_DOUBLE_EQ(r.top(), c.expected.y) << c.anchor.x << "," << c.anchor.y;
        EXPECT_EQ(r.width, 320);
        if (c.window.width >= 336 && c.window.height >= r.height + 16) {
            EXPECT_TRUE(inside(r, c.window, 8));
        }
    }
}

TEST(EmojiPickerGeometry, SectionsAndCellsFillThePanelInOrder)
{
    Rect panel {40, 30, emoji_picker_width, emoji_picker_height};
    auto layout = emoji_picker_layout(panel);
    ASSERT_EQ(layout.labels.size(), 5u);
    ASSERT_EQ(layout.cells.size(), 54u);
    std::vector<std::string_view> labels;
    for (auto const& label : layout.labels) labels.push_back(label.text);
    EXPECT_EQ(labels, (std::vector<std::string_view> {"Frequent", "Smileys", "Gestures", "Symbols", "Objects"}));

    double cell = 296.0 / 7;
    EXPECT_DOUBLE_EQ(layout.labels[0].origin.y, 30 + 36);
    EXPECT_EQ(layout.cells[0].rect, (Rect {40 + 12, 30 + 36 + 16, cell, cell}));
    // Frequent is one row of six; Smileys' label follows 6 below it, its grid 16 below the label.
    double smileys = 30 + 36 + 16 + cell + 6;
    EXPECT_DOUBLE_EQ(layout.labels[1].origin.y, smileys);
    EXPECT_EQ(layout.cells[6].emoji, "😀");
    EXPECT_DOUBLE_EQ(layout.cells[6].rect.top(), smileys + 16);
    EXPECT_DOUBLE_EQ(layout.cells[12].rect.left(), 40 + 12 + 6 * cell); // seventh column
    EXPECT_DOUBLE_EQ(layout.cells[13].rect.left(), 40 + 12);            // eighth emoji wraps
    EXPECT_DOUBLE_EQ(layout.cells[13].rect.top(), smileys + 16 + cell);
    EXPECT_EQ(layout.cells[53].emoji, "🧩");
    for (auto const& c : layout.cells) EXPECT_TRUE(inside(c.rect, panel)) << c.emoji;
}

TEST(EditHistoryGeometry, HeightAndPlacement)
{
    struct HeightCase {
        std::vector<double> texts;
        double height;
    } const heights[] = {{{}, 44}, {{19}, 44 + 45}, {{19, 38}, 44 + 45 + 64}};
    for (auto const& c : heights) EXPECT_DOUBLE_EQ(edit_history_height(c.texts), c.height) << c.texts.size();

    struct PlaceCase {
        Point anchor;
        double height;
        Point expected;
    } const places[] = {
        {{300, 200}, 150, {300, 200}},
        {{1270, 790}, 150, {1280 - 8 - 380, 800 - 8 - 150}},
        {{500, 400}, 900, {500, 8}}, // taller than the window: starts 8 below its top
    };
    Rect window {0, 0, 1280, 800};
    for (auto const& c : places) {
        Rect r = edit_history_rect(c.anchor, c.height, window);
        EXPECT_EQ(r, (Rect {c.expected.x, c.expected.y, 380, c.height})) << c.anchor.x << "," << c.anchor.y;
    }
}

TEST(EditHistoryRows, NowFirstThenEditsNewestFirst)
{
    Message message;
    message.ts = 3725;
    message.text = "third";
    message.history = {{60, "first"}, {-60, "second"}};
    auto rows = edit_history_rows(message);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].label, "Now · 01:02");
    EXPECT_EQ(rows[0].text, "third");
    EXPECT_EQ(rows[1].label, "Edited · 23:59");
    EXPECT_EQ(rows[1].text, "second");
    EXPECT_EQ(rows[2].label, "Edited · 00:01");
    EXPECT_EQ(rows[2].text, "first");
}

TEST(ComposerGeometry, InputWrapsWhereTheFrameMeasuresAndButtonsSitBelowIt)
{
    for (double conversation : {964.0, 604.0, 300.0}) {
        for (double height : {76.0, 140.0, 200.0}) {
            Rect card = Rect::from_edges(14, 700 - height, 14 + conversation - 28, 700);
            auto parts = composer_parts(card);
            EXPECT_DOUBLE_EQ(parts.input.width, composer_wrap_width(conversation)) << conversation;
            EXPECT_DOUBLE_EQ(parts.input.height, height - 57) << height; // one 19-high line at the least height
            for (auto const& button : {parts.attach, parts.emoji, parts.send}) {
                EXPECT_TRUE(inside(button, card));
                EXPECT_GE(button.top(), parts.focus.bottom());
            }
            EXPECT_LE(parts.attach.right(), parts.emoji.left());
            EXPECT_LE(parts.emoji.right(), parts.send.left());
            EXPECT_TRUE(inside(parts.input, parts.focus));
        }
    }
}
