#pragma once

// The few text styles the views draw with, named by how the text behaves.

#include "ui/paint/color.h"
#include "ui/text/text_style.h"

namespace chat::views {

// Breaks into lines at `width` (no limit at 0).
orvo_ui::TextStyle wrapped_text(double size, orvo_ui::Color color, double width = 0);
// One line, cut with an ellipsis at `width`.
orvo_ui::TextStyle ellipsized_text(double size, orvo_ui::Color color, double width = 0);
// A row label: cut with an ellipsis only when a width is given.
orvo_ui::TextStyle row_text(double size, orvo_ui::FontWeight weight, orvo_ui::Color color, double width = 0);

} // namespace chat::views
