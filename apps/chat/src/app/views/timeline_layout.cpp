#include "app/views/timeline_layout.h"

#include "app/chat_app.h"
#include "app/views/attachment_card_rules.h"
#include "ui/text/rich_text.h"

#include <algorithm>

namespace chat::views {

namespace {

constexpr double body_size = 15;

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

bool BodyHeights::fits(Entry const& entry, Message const& message, double width) const
{
    return entry.height > 0 && entry.width == width && entry.rich == !message.mentions.empty() &&
           entry.id == message.id && entry.text == message.text;
}

double BodyHeights::height(orvo_ui::TextRenderer& text, Message const& message, double width, std::size_t position)
{
    if (position < m_by_position.size() && fits(m_by_position[position], message, width))
        return m_by_position[position].height;
    if (m_by_position.size() <= position) m_by_position.resize(position + 1);
    auto& slot = m_by_position[position];
    if (auto it = m_by_id.find(message.id); it != m_by_id.end() && fits(it->second, message, width)) {
        slot = it->second;
        return slot.height;
    }
    bool rich = !message.mentions.empty();
    double measured = rich ? orvo_ui::richtext::RichTextLayout::shape(text, message.text, mention_spans(message),
                                                                      body_style(width)).height()
                           : text.measure(message.text, body_style(width)).height;
    slot = Entry {message.id, message.text, width, rich, measured};
    m_by_id[message.id] = slot;
    return measured;
}

void BodyHeights::clear()
{
    m_by_position.clear();
    m_by_id.clear();
}

double reactions_row_height(double z) { return 28 * z; }

double thread_bar_height(orvo_ui::TextRenderer& text)
{
    return std::max(2 * 8 + text.line_height(13), 38.0);
}

double author_line_height(orvo_ui::TextRenderer& text)
{
    return text.line_height(14.5, orvo_ui::FontWeight::Semibold);
}

namespace {

TimelineRow measure_row(ChatApp& app, GroupedMessage const& grouped, std::size_t position,
                        TimelineLayout const& layout, orvo_ui::TextRenderer& text, double theme_line_height)
{
    auto const& message = *grouped.message;
    TimelineRow row;
    row.message_id = message.id;
    row.first_in_group = grouped.first_in_group;
    row.editing = app.editing_message == message.id;
    double z = layout.z;
    if (row.first_in_group) row.header_height = author_line_height(text);
    if (row.editing) {
        row.body_height = std::max(text.measure(app.edit_input.text(), body_style(layout.text_width)).height, 19.0);
        row.edit_extra = 30 * z;
    } else if (!message.text.empty()) {
        row.body_height = app.timeline_cache.bodies.height(text, message, layout.text_width, position);
    }
    if (message.attachment) row.attachment_height = card_height(*message.attachment, layout.text_width, z);
    if (!message.reactions.empty()) row.reactions_height = reactions_row_height(z) + 6;
    if (message.edited && !row.editing) row.edited_height = std::max(theme_line_height, 18.0);
    if (!layout.threads.empty() && layout.threads.contains(message.id)) row.thread_height = 46 * z;
    return row;
}

} // namespace

TimelineLayout layout_timeline(ChatApp& app, orvo_ui::Rect viewport, double z, orvo_ui::Painter& painter)
{
    auto& text = painter.text_renderer();
    TimelineLayout layout;
    layout.conversation = viewport;
    layout.z = z;
    layout.text_left = viewport.left() + 16 + 40 + 14;
    layout.text_width = std::max(viewport.right() - layout.text_left - 18, 80.0);
    layout.grouped = group_messages(app.model.messages);
    layout.threads = summarize_threads(app.model.messages);

    layout.rows.reserve(layout.grouped.size());
    layout.row_tops.reserve(layout.grouped.size());
    double y = day_band_height;
    for (auto const& grouped : layout.grouped) {
        layout.rows.push_back(
            measure_row(app, grouped, layout.rows.size(), layout, text, painter.theme().metrics.line_height));
        layout.row_tops.push_back(y);
        y += row_height(layout.rows.back());
    }
    layout.content_height = y;

    ScrollInput in{app.timeline_scroll, y, app.previous_content_height, viewport.height, app.follow_latest, {}};
    bool reveal_pending = app.pending_jump_to_latest && app.highlighted_message;
    if (reveal_pending) {
        for (std::size_t i = 0; i < layout.rows.size(); ++i)
            if (layout.rows[i].message_id == *app.highlighted_message)
                in.reveal_middle = layout.row_tops[i] + row_height(layout.rows[i]) / 2;
    }
    auto settled = settle_scroll(in);
    app.timeline_scroll = settled.scroll;
    app.follow_latest = settled.follow_latest;
    if (settled.reveal_consumed) app.pending_jump_to_latest = false;
    app.previous_content_height = y;

    layout.content_top = viewport.top() + content_offset(y, viewport.height, settled.scroll);
    // Rows are in ascending order of top; find the window that intersects the viewport.
    auto const& tops = layout.row_tops;
    double visible_top = viewport.top() - layout.content_top;
    double visible_bottom = viewport.bottom() - layout.content_top;
    auto first = std::upper_bound(tops.begin(), tops.end(), visible_top);
    layout.first_visible = first == tops.begin() ? 0 : static_cast<std::size_t>(first - tops.begin() - 1);
    auto end = std::lower_bound(tops.begin(), tops.end(), visible_bottom);
    layout.end_visible = static_cast<std::size_t>(end - tops.begin());
    return layout;
}

} // namespace chat::views
