#pragma once

// The message timeline of the open conversation, drawn inside its own clip
// layer over `g.timeline`: day label, rows, the empty conversation and the
// jump-to-latest pill. Pushes the regions of every visible control.

#include "app/views/frame.h"

namespace chat::views {

// Cuts the regions pushed from index `first` on to `visible`, dropping those left empty.
void clip_regions_since(ChatApp& app, std::size_t first, orvo_ui::Rect const& visible);

void draw_timeline(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g);

} // namespace chat::views
