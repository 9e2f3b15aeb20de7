#pragma once

// The open conversation's rows, kept between frames: author groups, thread
// summaries and every row's height. Rebuilt only when the messages, the text
// column or the fonts change, and even then a message keeps its measured text
// height while its text stays the same. A row's text is measured the first
// time the row is needed on screen or below it, so opening a long conversation
// shapes only what it shows; rows never measured count with an estimate and
// always lie above every row that was.

#include "app/views/timeline_rules.h"
#include "model/records.h"
#include "ui/text/text_renderer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace chat::views {

// Replies per thread root, with up to three distinct participants and the latest reply.
struct ThreadSummary {
    std::size_t count = 0;
    std::vector<std::string> participants;
    std::int64_t latest_ts = 0;
};
using ThreadSummaries = std::unordered_map<std::string, ThreadSummary>;
ThreadSummaries summarize_threads(std::span<Message const> messages);

// Fixed heights of the row parts that are not message text.
double reactions_row_height(double z);
double thread_bar_height(orvo_ui::TextRenderer& text);
double author_line_height(orvo_ui::TextRenderer& text);

// What the rows depend on besides the messages themselves.
struct RowInputs {
    std::span<Message const> messages;
    std::uint64_t revision = 0; // raised whenever `messages` may have changed
    double text_width = 0;
    double z = 1;
    double theme_line_height = 0;
};

class TimelineCache {
public:
    // Cheap when nothing changed since the last call.
    void update(RowInputs const& in, orvo_ui::TextRenderer& text);

    std::size_t size() const { return m_rows.size(); }
    Message const& message(std::size_t i) const { return *m_rows[i].message; }
    // The row as drawn when not being edited; its body height may still be an estimate.
    TimelineRow const& row(std::size_t i) const { return m_rows[i].row; }
    std::optional<std::size_t> index_of(std::string_view message_id) const;
    ThreadSummaries const& threads() const { return m_threads; }

    double height(std::size_t i) const { return row_height(m_rows[i].row); }
    bool measured(std::size_t i) const { return m_rows[i].measured; }
    // Sum of the row heights, estimates included.
    double total() const { return m_total; }
    // Shapes row i's text unless that already happened.
    void measure(std::size_t i, orvo_ui::TextRenderer& text);
    // How much total() moved because rows shown with an estimate in an earlier
    // frame were measured, since the last call. Such corrections are not growth.
    double take_correction();
    // Rows from now on count as shown.
    void end_frame();

private:
    struct Row {
        Message const* message = nullptr;
        TimelineRow row;
        // The measured text, recognised again after the messages are re-read.
        std::size_t text_hash = 0;
        bool rich = false;
        bool measured = false;
        bool shown = false; // counted in a total some earlier frame used
    };
    bool inputs_changed(RowInputs const& in, orvo_ui::TextRenderer const& text) const;
    void rebuild(RowInputs const& in, orvo_ui::TextRenderer& text);
    double measure_body(Message const& message, orvo_ui::TextRenderer& text) const;
    double estimate_body(Message const& message) const;

    std::vector<Row> m_rows;
    std::unordered_map<std::string_view, std::size_t> m_index; // message id (the row's own copy) → row
    ThreadSummaries m_threads;
    double m_total = 0;
    double m_correction = 0;
    bool m_all_shown = true;

    // What the rows were built from.
    Message const* m_messages_data = nullptr;
    std::size_t m_messages_size = 0;
    std::uint64_t m_revision = 0;
    double m_text_width = -1;
    double m_z = 0;
    double m_theme_line_height = 0;
    std::uint64_t m_font_revision = 0;
    double m_body_line_height = 0;
    double m_author_line_height = 0;
};

} // namespace chat::views
