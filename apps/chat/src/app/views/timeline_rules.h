#pragma once

// The timeline's pure rules: which messages share an author group, how tall a
// row is, the day label and clock time texts, which mentions get styled, and
// where the scroll position settles. No drawing here, so each rule is testable
// as a table.

#include "model/records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chat::views {

// Day labels and the fallback clock share this instant (2026-06-26 12:40:00 UTC).
inline constexpr std::int64_t reference_instant = 1782477600;
// Messages of one author within this many seconds of the group's latest one join it.
inline constexpr std::int64_t group_window_seconds = 300;
// The band above the first row that holds the day label.
inline constexpr double day_band_height = 36;

// Whether `ts` joins a group whose latest message is `group_last_ts` by the same author.
bool joins_group(std::int64_t group_last_ts, std::int64_t ts);

// The top-level messages of `messages` (display order), each with whether it starts a group.
struct GroupedMessage {
    Message const* message = nullptr;
    bool first_in_group = false;
};
std::vector<GroupedMessage> group_messages(std::span<Message const> messages);

// "Today", "Yesterday" or "{} days ago", relative to the reference instant.
std::string day_label(std::int64_t ts);
// The day label of a conversation: its first message's, or "Today" when it is empty.
std::string conversation_day_label(std::span<Message const> messages);
// "HH:MM" in UTC; negative timestamps wrap to the previous day.
std::string clock_time(std::int64_t ts);

// The measured parts of one drawn message.
struct TimelineRow {
    std::string message_id;
    double header_height = 0;
    double body_height = 0;
    double attachment_height = 0;
    double reactions_height = 0;
    double edited_height = 0;
    double thread_height = 0;
    double edit_extra = 0;
    bool first_in_group = false;
    bool editing = false;
};
double row_height(TimelineRow const& row);

// One frame's scroll step: the inputs it reads and what it settles on.
struct ScrollInput {
    double scroll = 0;            // timeline_scroll before the step
    double content_height = 0;    // H, the day band included
    double previous_height = 0;   // the previous frame's H
    double viewport_height = 0;   // V
    bool follow_latest = true;
    std::optional<double> reveal_middle; // a pending reveal's row middle, from the content top
};
struct ScrollResult {
    double scroll = 0;
    bool follow_latest = true;
    bool reveal_consumed = false;
};
ScrollResult settle_scroll(ScrollInput const& in);
// The content top in viewport coordinates (0 = viewport top) for a settled scroll.
double content_offset(double content_height, double viewport_height, double scroll);

// The mention byte ranges that may be styled: sorted by start, inside the text,
// on character boundaries, not overlapping an earlier styled one.
struct MentionRange {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string person;
};
std::vector<MentionRange> styled_mentions(std::string_view text, std::span<Mention const> mentions);

// "reply" or "replies" after a count.
std::string replies_text(std::size_t count);

} // namespace chat::views
