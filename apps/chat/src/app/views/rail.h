#pragma once

// The workspace rail: the inbox button with its unread badge and the button of
// the workspace on the rail.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

namespace chat {

class ChatApp;

namespace views {

// Draws the 68-wide rail in `column` and records its controls.
void draw_rail(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& column);

// The inbox badge's pill, beside a 48 × 48 inbox button.
orvo_ui::Rect inbox_badge_rect(orvo_ui::Rect const& button);

} // namespace views

} // namespace chat
