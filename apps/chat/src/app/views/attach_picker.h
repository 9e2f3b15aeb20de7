#pragma once

// The attachment picker: a popup above the main composer listing the files of
// the attach directory, each row a control that imports the file.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <cstddef>
#include <string>

namespace chat {

class ChatApp;
struct PickerFile;

namespace views {

struct AttachPickerLayout {
    orvo_ui::Rect panel;
    double list_top = 0;     // below the title band and its separator
    std::size_t rows = 0;    // files shown
    std::size_t hidden = 0;  // files listed but not shown
};

// Rows that fit at interface scale z: 6 up to 1.15, 4 up to 1.5, else 2.
std::size_t attach_picker_row_limit(double z);
// The popup for `file_count` files: at most 360 z wide (z capped at 1.25), at
// least 220, its bottom 10 above the composer, kept 12 inside the window.
AttachPickerLayout attach_picker_layout(orvo_ui::Rect const& window, orvo_ui::Rect const& composer,
                                        std::size_t file_count, double z);
// The rectangle of row `index` in the list (52 z high).
orvo_ui::Rect attach_picker_row(AttachPickerLayout const& layout, std::size_t index, double z);

// "🖼" for an image name, "🎬" for a video, "📄" for any other file.
std::string_view attach_placeholder_glyph(PickerFile const& file);

// Draws the open picker over the window: its Dismiss backdrop first, then the
// popup and one AttachPick region per row while no import is in flight.
void draw_attach_picker(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& composer);

} // namespace views

} // namespace chat
