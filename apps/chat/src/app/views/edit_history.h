#pragma once

// The edit history panel: a message's current text and every earlier version,
// newest first, in a popup over the window.

#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <span>
#include <string>
#include <vector>

namespace chat {
class ChatApp;
}

namespace chat::views {

inline constexpr double edit_history_width = 380;
inline constexpr double edit_history_text_width = 352;

struct EditHistoryRow {
    std::string label; // "Now · 10:05" or "Edited · 09:58"
    std::string text;
};
// The current text first, then the recorded versions from the last to the first.
std::vector<EditHistoryRow> edit_history_rows(Message const& message);

// The panel's height for rows whose texts wrap to these heights.
double edit_history_height(std::span<double const> text_heights);
// The panel opened at `anchor`, kept 8 inside `window`; a panel taller than the
// window starts 8 below its top.
orvo_ui::Rect edit_history_rect(orvo_ui::Point anchor, double height, orvo_ui::Rect const& window);

// Step 11 of the frame: the Dismiss backdrop, then the panel when its message still exists.
void draw_edit_history(ChatApp& app, orvo_ui::Painter& painter);

} // namespace chat::views
