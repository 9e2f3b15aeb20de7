#pragma once

// Painting one timeline row and its parts (reactions, thread summary); the
// rows' geometry comes from timeline_layout.

#include "app/views/frame.h"
#include "app/views/timeline_layout.h"

namespace chat::views {

void draw_timeline_row(ChatApp& app, orvo_ui::Painter& painter, TimelineLayout const& layout, VisibleRow const& visible);

// The reactions row of a timeline message, from `left` at `top`.
void draw_reaction_chips(ChatApp& app, orvo_ui::Painter& painter, Message const& message, double left, double top,
                         double height);
// The thread summary bar of a root message.
void draw_thread_summary(ChatApp& app, orvo_ui::Painter& painter, Message const& root, ThreadSummary const& summary,
                         orvo_ui::Rect const& bar);

} // namespace chat::views
