#include "app/views/timeline_cache.h"

#include "app/views/attachment_card_rules.h"
#include "ui/text/rich_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace chat::views {

namespace {

constexpr double body_size = 15;
// Inter at the body size averages about half an em per character.
constexpr double estimated_char_width = body_size / 2;

orvo_ui::TextStyle body_style(double width)
{
    orvo_ui::TextStyle style;
    style.size = body_size;
    style.width = width;
    return style;
}

std::vector<orvo_ui::richtext::Span> mention_spans(Message const& message)
{
    std::vector<orvo_ui::richtext::Span> spans;
    for (auto const& range : styled_mentions(message.text, message.mentions))
        spans.push_back({.start = range.start, .end = range.end});
    return spans;
}

std::size_t text_hash(std::string_view text) { return std::hash<std::string_view>{}(text); }

} // namespace

ThreadSummaries summarize_threads(std::span<Message const> messages)
{
    ThreadSummaries threads;
    for (auto const& message : messages) {
        if (!message.parent) continue;
        auto& summary = threads[*message.parent];
        ++summary.count;
        summary.latest_ts = summary.count == 1 ? message.ts : std::max(summary.latest_ts, message.ts);
        auto& people = summary.participants;
        if (people.size() < 3 && std::find(people.begin(), people.end(), message.author) == people.end())
            people.push_back(message.author);
    }
    return threads;
}

double reactions_row_height(double z) { return 28 * z; }

double thread_bar_height(orvo_ui::TextRenderer& text) { return std::max(2 * 8 + text.line_height(13), 38.0); }

double author_line_height(orvo_ui::TextRenderer& text)
{
    return text.line_height(14.5, orvo_ui::FontWeight::Semibold);
}

bool TimelineCache::inputs_changed(RowInputs const& in, orvo_ui::TextRenderer const& text) const
{
    return in.revision != m_revision || in.messages.data() != m_messages_data || in.messages.size() != m_messages_size
        || in.text_width != m_text_width || in.z != m_z || in.theme_line_height != m_theme_line_height
        || text.font_revision() != m_font_revision;
}

void TimelineCache::update(RowInputs const& in, orvo_ui::TextRenderer& text)
{
    if (inputs_changed(in, text)) rebuild(in, text);
}

void TimelineCache::rebuild(RowInputs const& in, orvo_ui::TextRenderer& text)
{
    // Measured heights survive only while the column and the fonts stay; a new
    // column also makes every row new, so its change counts as growth.
    bool same_metrics = in.text_width == m_text_width && text.font_revision() == m_font_revision;
    m_text_width = in.text_width;
    m_font_revision = text.font_revision();
    m_z = in.z;
    m_theme_line_height = in.theme_line_height;
    m_revision = in.revision;
    m_messages_data = in.messages.data();
    m_messages_size = in.messages.size();
    m_body_line_height = text.line_height(body_size);
    m_author_line_height = author_line_height(text);
    m_threads = summarize_threads(in.messages);

    auto grouped = group_messages(in.messages);
    std::vector<Row> rows;
    rows.reserve(grouped.size());
    m_total = 0;
    m_all_shown = true;
    for (auto const& entry : grouped) {
        auto const& message = *entry.message;
        Row row;
        row.message = &message;
        row.row.message_id = message.id;
        row.row.first_in_group = entry.first_in_group;
        if (entry.first_in_group) row.row.header_height = m_author_line_height;
        if (message.attachment) row.row.attachment_height = card_height(*message.attachment, in.text_width, in.z);
        if (!message.reactions.empty()) row.row.reactions_height = reactions_row_height(in.z) + 6;
        if (message.edited) row.row.edited_height = std::max(in.theme_line_height, 18.0);
        if (m_threads.contains(message.id)) row.row.thread_height = 46 * in.z;
        row.text_hash = text_hash(message.text);
        row.rich = !message.mentions.empty();

        auto before = same_metrics ? m_index.find(message.id) : m_index.end();
        if (before != m_index.end()) {
            auto const& old = m_rows[before->second];
            row.shown = old.shown;
            if (old.measured && old.text_hash == row.text_hash && old.rich == row.rich) {
                row.row.body_height = old.row.body_height;
                row.measured = true;
            } else if (old.measured) {
                // An edited text that was on screen is measured again at once, so its change counts as growth.
                row.row.body_height = measure_body(message, text);
                row.measured = true;
            }
        }
        if (!row.measured) {
            row.measured = message.text.empty();
            row.row.body_height = estimate_body(message);
        }
        m_all_shown = m_all_shown && row.shown;
        m_total += row_height(row.row);
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
    m_index.clear();
    m_index.reserve(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i) m_index.emplace(m_rows[i].row.message_id, i);
    m_correction = 0;
}

std::optional<std::size_t> TimelineCache::index_of(std::string_view message_id) const
{
    auto it = m_index.find(message_id);
    if (it == m_index.end()) return std::nullopt;
    return it->second;
}

double TimelineCache::measure_body(Message const& message, orvo_ui::TextRenderer& text) const
{
    if (message.text.empty()) return 0;
    if (message.mentions.empty()) return text.measure(message.text, body_style(m_text_width)).height;
    return orvo_ui::richtext::RichTextLayout::shape(text, message.text, mention_spans(message),
                                                    body_style(m_text_width)).height();
}

double TimelineCache::estimate_body(Message const& message) const
{
    if (message.text.empty()) return 0;
    double per_line = std::max(1.0, std::floor(m_text_width / estimated_char_width));
    double lines = 0, run = 0;
    for (unsigned char c : message.text) {
        if (c == '\n') {
            lines += std::max(1.0, std::ceil(run / per_line));
            run = 0;
        } else if ((c & 0xC0) != 0x80) {
            ++run;
        }
    }
    lines += std::max(1.0, std::ceil(run / per_line));
    return lines * m_body_line_height;
}

void TimelineCache::measure(std::size_t i, orvo_ui::TextRenderer& text)
{
    auto& row = m_rows[i];
    if (row.measured) return;
    double before = row_height(row.row);
    row.row.body_height = measure_body(*row.message, text);
    row.measured = true;
    double change = row_height(row.row) - before;
    m_total += change;
    if (row.shown) m_correction += change;
}

double TimelineCache::take_correction() { return std::exchange(m_correction, 0.0); }

void TimelineCache::end_frame()
{
    if (m_all_shown) return;
    for (auto& row : m_rows) row.shown = true;
    m_all_shown = true;
}

} // namespace chat::views
