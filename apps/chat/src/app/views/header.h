#pragma once

// The conversation header's contents: channel prefix and title, the topic (or
// the inbox's workspace line) and the call pill. The frame paints the strip.

#include "app/views/frame.h"

namespace chat::views {

void draw_header_contents(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g);

} // namespace chat::views
