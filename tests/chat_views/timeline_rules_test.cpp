#include "app/views/timeline_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace chat::views {
namespace {

Message message(std::string id, std::string author, std::int64_t ts, std::optional<std::string> parent = {})
{
    Message m;
    m.id = std::move(id);
    m.author = std::move(author);
    m.ts = ts;
    m.parent = std::move(parent);
    return m;
}

constexpr std::int64_t ten = 1782468000; // 10:00:00 on the reference day

TEST(TimelineGrouping, WindowIsMeasuredFromTheGroupsLatestMessage)
{
    struct Case {
        char const* name;
        std::vector<Message> messages;
        std::vector<bool> starts;
    };
    std::vector<Case> cases = {
        {"five minutes joins", {message("a", "u1", ten), message("b", "u1", ten + 300)}, {true, false}},
        {"one second more splits", {message("a", "u1", ten), message("b", "u1", ten + 301)}, {true, true}},
        {"steady author stays one group",
         {message("a", "u1", ten), message("b", "u1", ten + 290), message("c", "u1", ten + 580)},
         {true, false, false}},
        {"other author splits", {message("a", "u1", ten), message("b", "u2", ten + 10)}, {true, true}},
        {"earlier timestamp within window joins", {message("a", "u1", ten), message("b", "u1", ten - 200)}, {true, false}},
        {"replies are left out and do not break a group",
         {message("a", "u1", ten), message("r", "u2", ten + 5, "a"), message("b", "u1", ten + 10)},
         {true, false}},
    };
    for (auto const& c : cases) {
        auto rows = group_messages(c.messages);
        std::vector<bool> starts;
        for (auto const& row : rows) starts.push_back(row.first_in_group);
        EXPECT_EQ(starts, c.starts) << c.name;
        for (auto const& row : rows) EXPECT_FALSE(row.message->parent.has_value()) << c.name;
    }
}

TEST(TimelineLabels, DayLabelsRelativeToTheReferenceInstant)
{
    struct Case {
        std::int64_t ts;
        char const* label;
    };
    Case cases[] = {
        {reference_instant, "Today"},
        {reference_instant - 12 * 3600, "Today"}, // 00:40 the same day
        {reference_instant + 86400 * 5, "Today"},
        {reference_instant - 86400, "Yesterday"},
        {reference_instant - 13 * 3600, "Yesterday"}, // 23:40 the day before
        {reference_instant - 3 * 86400, "3 days ago"},
        {-1, "20631 days ago"}, // 1969-12-31 is day −1
    };
    for (auto const& c : cases) EXPECT_EQ(day_label(c.ts), c.label) << c.ts;
}

TEST(TimelineLabels, ConversationLabelUsesFirstTopLevelMessageOrToday)
{
    EXPECT_EQ(conversation_day_label({}), "Today");
    std::vector<Message> messages = {message("r", "u1", reference_instant - 86400 * 9, "x"),
                                     message("a", "u1", reference_instant - 86400 * 2)};
    EXPECT_EQ(conversation_day_label(messages), "2 days ago");
}

TEST(TimelineLabels, ClockTimes)
{
    struct Case {
        std::int64_t ts;
        char const* text;
    };
    Case cases[] = {{59, "00:00"}, {3725, "01:02"}, {-60, "23:59"}, {86399, "23:59"}, {reference_instant, "12:40"},
                    {-86400, "00:00"}};
    for (auto const& c : cases) EXPECT_EQ(clock_time(c.ts), c.text) << c.ts;
}

TEST(TimelineRows, HeightRule)
{
    struct Case {
        char const* name;
        TimelineRow row;
        double height;
    };
    Case cases[] = {
        {"group start", {.header_height = 20, .body_height = 40, .first_in_group = true}, 20 + 14 + 42 + 4},
        {"continuation", {.header_height = 20, .body_height = 40}, 3 + 42 + 4},
        {"no text", {.attachment_height = 100}, 3 + 100 + 4},
        {"everything",
         {.header_height = 20, .body_height = 19, .attachment_height = 234, .reactions_height = 34,
          .edited_height = 18, .thread_height = 46, .first_in_group = true},
         34 + 21 + 18 + 234 + 34 + 46 + 4},
        {"editing", {.body_height = 19, .edit_extra = 30, .editing = true}, 3 + 19 + 16 + 30 + 4},
        {"editing empty text still has the card", {.body_height = 0, .edit_extra = 30, .editing = true}, 3 + 46 + 4},
    };
    for (auto const& c : cases) EXPECT_DOUBLE_EQ(row_height(c.row), c.height) << c.name;
}

TEST(TimelineScroll, SettlesAndFollows)
{
    struct Case {
        char const* name;
        ScrollInput in;
        double scroll;
        bool follow;
    };
    Case cases[] = {
        {"short content sits at the top", {.scroll = 50, .content_height = 300, .viewport_height = 500}, 0, true},
        {"cannot scroll above the content top", {.scroll = 900, .content_height = 1000, .viewport_height = 500}, 500, false},
        {"cannot scroll below the newest row", {.scroll = -20, .content_height = 1000, .viewport_height = 500}, 0, true},
        {"growing content keeps the view while scrolled up",
         {.scroll = 220, .content_height = 1100, .previous_height = 1000, .viewport_height = 500, .follow_latest = false},
         320, false},
        {"growing content is followed at the bottom",
         {.scroll = 0, .content_height = 1100, .previous_height = 1000, .viewport_height = 500, .follow_latest = true},
         0, true},
        {"first frame does not shift", {.scroll = 220, .content_height = 1100, .viewport_height = 500, .follow_latest = false},
         220, false},
        {"within half a pixel follows", {.scroll = 0.5, .content_height = 1000, .viewport_height = 500}, 0.5, true},
        {"reveal centres the row",
         {.scroll = 0, .content_height = 1000, .previous_height = 900, .viewport_height = 500, .follow_latest = false,
          .reveal_middle = 400},
         // content top must sit at 250 − 400 = −150; bottom-anchored top is −500.
         350, false},
        {"reveal near the newest row clamps to the bottom",
         {.scroll = 100, .content_height = 1000, .viewport_height = 500, .reveal_middle = 990}, 0, true},
    };
    for (auto const& c : cases) {
        auto out = settle_scroll(c.in);
        EXPECT_DOUBLE_EQ(out.scroll, c.scroll) << c.name;
        EXPECT_EQ(out.follow_latest, c.follow) << c.name;
        EXPECT_EQ(out.reveal_consumed, c.in.reveal_middle.has_value()) << c.name;
    }
}

TEST(TimelineScroll, ContentOffsetIsBottomAnchoredWhenTaller)
{
    EXPECT_DOUBLE_EQ(content_offset(300, 500, 0), 0);
    EXPECT_DOUBLE_EQ(content_offset(1000, 500, 0), -500);
    EXPECT_DOUBLE_EQ(content_offset(1000, 500, 500), 0);
}

TEST(TimelineMentions, OnlyWellFormedNonOverlappingRangesAreStyled)
{
    std::string text = "hi @Nell and @Rüne!"; // "ü" is two bytes at 15..17
    auto mention = [](std::uint64_t start, std::uint64_t len, char const* user) { return Mention{user, start, len, false}; };
    struct Case {
        char const* name;
        std::vector<Mention> mentions;
        std::vector<std::pair<std::size_t, std::size_t>> ranges;
    };
    std::vector<Case> cases = {
        {"both styled, sorted", {mention(13, 6, "u_rune"), mention(3, 5, "u_nell")}, {{3, 8}, {13, 19}}},
        {"splits a character", {mention(3, 5, "u_nell"), mention(13, 3, "u_rune")}, {{3, 8}}},
        {"runs past the end", {mention(13, 20, "u_rune")}, {}},
        {"overlap skipped", {mention(3, 5, "u_nell"), mention(6, 4, "u_rune")}, {{3, 8}}},
        {"starts past the end", {mention(40, 1, "u_rune")}, {}},
        {"adjacent allowed", {mention(3, 5, "u_nell"), mention(8, 5, "u_rune")}, {{3, 8}, {8, 13}}},
    };
    for (auto const& c : cases) {
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (auto const& r : styled_mentions(text, c.mentions)) got.emplace_back(r.start, r.end);
        EXPECT_EQ(got, c.ranges) << c.name;
    }
}

TEST(TimelineRules, ReplyCounts)
{
    EXPECT_EQ(replies_text(1), "1 reply");
    EXPECT_EQ(replies_text(0), "0 replies");
    EXPECT_EQ(replies_text(3), "3 replies");
}

} // namespace
} // namespace chat::views
