#pragma once

// The details panel's thread view (when `open_thread` is set): header with its
// close control, the root message, the reply divider and the replies. The
// thread composer below belongs to the composer's painter.

#include "app/views/frame.h"

#include <chrono>

namespace chat::views {

// The part of the panel the thread composer leaves to the messages.
orvo_ui::Rect thread_messages_area(orvo_ui::Rect const& details, double z);

void draw_thread_view(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& details,
                      std::chrono::steady_clock::time_point now);

} // namespace chat::views
