#pragma once

// Attachment cards under a message: image, video poster, file, or the locked
// card when the user may not see the source.

#include "doc/records/attachment.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

namespace chat {
class ChatApp;
}

namespace chat::views {

// Draws the card with its top-left at `origin` for a column `available` wide;
// answers the height it took (card_height).
double draw_attachment_card(ChatApp& app, orvo_ui::Painter& painter, Attachment const& attachment,
                            orvo_ui::Point origin, double available, double z);

} // namespace chat::views
