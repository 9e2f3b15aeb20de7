#pragma once

// Lays out the open conversation's timeline for one frame: groups the
// top-level messages, measures every row (text heights are remembered per
// message, so a long conversation costs one lookup per row once measured),
// settles the scroll position and finds the rows inside the viewport.

#include "app/views/timeline_rules.h"
#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"
#include "ui/text/text_renderer.h"

#include <cstddef>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace chat {
class ChatApp;
}

namespace chat::views {

// Replies per thread root, with up to three distinct participants and the latest reply.
struct ThreadSummary {
    std::size_t count = 0;
    std::vector<std::string> participants;
    std::int64_t latest_ts = 0;
};
using ThreadSummaries = std::unordered_map<std::string, ThreadSummary>;
ThreadSummaries summarize_threads(std::span<Message const> messages);

// Heights that only depend on a message's text and the column width.
// Entries are looked up first at the row's position (the common case: the
// same rows as last frame, or rows appended), then by message id, so a frame
// over unchanged rows hashes nothing.
class BodyHeights {
public:
    double height(orvo_ui::TextRenderer& text, Message const& message, double width, std::size_t position);
    void clear();

private:
    struct Entry {
        std::string id;
        std::string text;
        double width = 0;
        bool rich = false;
        double height = 0;
    };
    bool fits(Entry const& entry, Message const& message, double width) const;
    std::vector<Entry> m_by_position;
    std::unordered_map<std::string, Entry> m_by_id;
};

// The timeline's persistent per-frame helper, kept by ChatApp.
struct TimelineCache {
    BodyHeights bodies;
};

struct TimelineLayout {
    orvo_ui::Rect conversation; // left/right of the column; top/bottom of the viewport
    double z = 1;
    double text_left = 0;
    double text_width = 0;
    double content_height = 0;
    double content_top = 0; // window y of the content's top (the day band's top)
    std::vector<GroupedMessage> grouped;
    std::vector<TimelineRow> rows;   // parallel to grouped
    std::vector<double> row_tops;    // from the content top, day band included
    std::size_t first_visible = 0;
    std::size_t end_visible = 0;
    ThreadSummaries threads;
};

// Fixed heights of the row parts that are not text.
double reactions_row_height(double z);
double thread_bar_height(orvo_ui::TextRenderer& text);
double author_line_height(orvo_ui::TextRenderer& text);

// Measures and scrolls; updates the app's timeline_scroll, follow_latest,
// previous content height and a pending reveal.
TimelineLayout layout_timeline(ChatApp& app, orvo_ui::Rect viewport, double z, orvo_ui::Painter& painter);

} // namespace chat::views
