#include "app/views/timeline_rules.h"

#include <algorithm>
#include <cstdio>

namespace chat::views {

namespace {

std::int64_t floor_div(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool is_char_boundary(std::string_view text, std::size_t offset)
{
    if (offset >= text.size()) return offset == text.size();
    return (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80;
}

} // namespace

bool joins_group(std::int64_t group_last_ts, std::int64_t ts)
{
    std::int64_t diff = ts > group_last_ts ? ts - group_last_ts : group_last_ts - ts;
    return diff <= group_window_seconds;
}

std::vector<GroupedMessage> group_messages(std::span<Message const> messages)
{
    std::vector<GroupedMessage> rows;
    Message const* last = nullptr;
    for (auto const& message : messages) {
        if (message.parent) continue;
        bool joins = last && last->author == message.author && joins_group(last->ts, message.ts);
        rows.push_back({&message, !joins});
        last = &message;
    }
    return rows;
}

std::string day_label(std::int64_t ts)
{
    std::int64_t days = floor_div(reference_instant, 86400) - floor_div(ts, 86400);
    if (days <= 0) return "Today";
    if (days == 1) return "Yesterday";
    return std::to_string(days) + " days ago";
}

std::string conversation_day_label(std::span<Message const> messages)
{
    for (auto const& message : messages)
        if (!message.parent) return day_label(message.ts);
    return "Today";
}

std::string clock_time(std::int64_t ts)
{
    std::int64_t s = ts % 86400;
    if (s < 0) s += 86400;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(s / 3600), static_cast<int>(s % 3600 / 60));
    return text;
}

double row_height(TimelineRow const& row)
{
    double height = row.first_in_group ? row.header_height + 14 : 3;
    if (row.editing) height += row.body_height + 16 + row.edit_extra;
    else if (row.body_height > 0) height += row.body_height + 2;
    return height + row.edited_height + row.attachment_height + row.reactions_height + row.thread_height + 4;
}

ScrollResult settle_scroll(ScrollInput const& in)
{
    ScrollResult out;
    double scroll = in.scroll;
    bool revealing = in.reveal_middle.has_value();
    if (!in.follow_latest && !revealing && in.previous_height > 0) scroll += in.content_height - in.previous_height;
    // Scroll is measured up from the bottom-anchored position; the largest value shows the content top.
    double max_scroll = std::max(in.content_height - in.viewport_height, 0.0);
    if (revealing) {
        // Bottom-anchored content top sits at V − H; scroll moves it down.
        double top_at_zero = in.viewport_height - in.content_height;
        scroll = in.viewport_height / 2 - *in.reveal_middle - top_at_zero;
        out.reveal_consumed = true;
    }
    out.scroll = std::clamp(scroll, 0.0, max_scroll);
    out.follow_latest = out.scroll <= 0.5;
    return out;
}

double content_offset(double content_height, double viewport_height, double scroll)
{
    if (content_height <= viewport_height) return 0;
    return viewport_height - content_height + scroll;
}

std::vector<MentionRange> styled_mentions(std::string_view text, std::span<Mention const> mentions)
{
    std::vector<Mention const*> sorted;
    for (auto const& mention : mentions) sorted.push_back(&mention);
    std::stable_sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->start < b->start; });
    std::vector<MentionRange> ranges;
    std::size_t previous_end = 0;
    for (auto const* mention : sorted) {
        if (mention->len == 0 || mention->start > text.size() || mention->len > text.size() - mention->start) continue;
        std::size_t start = mention->start, end = mention->start + mention->len;
        if (!is_char_boundary(text, start) || !is_char_boundary(text, end)) continue;
        if (start < previous_end) continue;
        ranges.push_back({start, end, mention->user});
        previous_end = end;
    }
    return ranges;
}

std::string replies_text(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " reply" : " replies");
}

} // namespace chat::views
