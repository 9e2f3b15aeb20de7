#pragma once

// The message timeline of the open conversation, drawn inside its own clip
// layer over `g.timeline`: day label, rows, the empty conversation and the
// jump-to-latest pill. Pushes the regions of every visible control.

#include "app/views/frame.h"

namespace chat::views {

void draw_timeline(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g);

} // namespace chat::views
