#pragma once

// Lays out the open conversation's timeline for one frame: brings the kept
// rows up to date, settles the scroll position and picks the rows inside the
// viewport. Text is measured only for rows on screen or below it; a frame
// over an unchanged conversation shapes nothing it has not shown before.

#include "app/views/timeline_cache.h"
#include "app/views/timeline_rules.h"
#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <cstddef>
#include <vector>

namespace chat {
class ChatApp;
}

namespace chat::views {

// A row inside the viewport, as it is drawn this frame.
struct VisibleRow {
    Message const* message = nullptr;
    TimelineRow row; // the edit input's height while this message is edited
    double top = 0;  // window y
};

struct TimelineLayout {
    orvo_ui::Rect conversation; // left/right of the column; top/bottom of the viewport
    double z = 1;
    double text_left = 0;
    double text_width = 0;
    double content_height = 0;
    double content_top = 0; // window y of the content's top (the day band's top)
    std::size_t row_count = 0;
    std::vector<VisibleRow> visible; // top to bottom
    ThreadSummaries const* threads = nullptr;
};

// Measures and scrolls; updates the app's timeline_scroll, follow_latest,
// previous content height and a pending reveal.
TimelineLayout layout_timeline(ChatApp& app, orvo_ui::Rect viewport, double z, orvo_ui::Painter& painter);

} // namespace chat::views
