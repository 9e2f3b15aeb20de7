#pragma once

// The emoji picker: a fixed panel of five sections of emoji in a seven-column
// grid, used both to react to a message and to insert into a composer.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chat {
class ChatApp;
}

namespace chat::views {

inline constexpr double emoji_picker_width = 320;
inline constexpr double emoji_picker_height = 4324.0 / 7.0;
inline constexpr double emoji_cell_size = 296.0 / 7.0;
inline constexpr int emoji_columns = 7;

struct EmojiSection {
    std::string_view label;
    std::span<std::string_view const> emoji;
};
std::span<EmojiSection const> emoji_sections();

// The panel opened at `anchor`, kept 8 inside `window` on every side.
orvo_ui::Rect emoji_picker_rect(orvo_ui::Point anchor, orvo_ui::Rect const& window);

// Where each section label and each emoji cell of a panel at `panel` sit.
struct EmojiPickerLayout {
    struct Label {
        std::string_view text;
        orvo_ui::Point origin;
    };
    struct Cell {
        std::string_view emoji;
        orvo_ui::Rect rect;
    };
    std::vector<Label> labels;
    std::vector<Cell> cells;
};
EmojiPickerLayout emoji_picker_layout(orvo_ui::Rect const& panel);

// Step 10 of the frame: the Dismiss backdrop, then the panel and its cells.
void draw_emoji_picker(ChatApp& app, orvo_ui::Painter& painter);

} // namespace chat::views
