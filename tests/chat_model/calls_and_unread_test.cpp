#include <gtest/gtest.h>

#include "doc_builder.h"
#include "model/participants.h"
#include "model/unread.h"

namespace chat {
namespace {

using test::DocBuilder;

TEST(ModelParticipants, TalkingFirstThenByUserId)
{
    DocBuilder b;
    auto const call = b.map(b.table_map("voice"), "c_voice");
    b.put(b.map(call, "cy"), "talking", true);
    b.put(b.map(call, "ada"), "talking", false);
    b.put(b.map(call, "ben"), "talking", true);
    b.map(call, "abe");
    b.put(call, "zed", "not a participant");

    std::vector<std::string> users;
    for (auto const& participant : list_participants(b.doc, "c_voice"))
        users.push_back(participant.user);
    EXPECT_EQ(users, (std::vector<std::string>{"ben", "cy", "abe", "ada"}));
    EXPECT_TRUE(list_participants(b.doc, "c_other").empty());
}

TEST(ModelParticipants, TicketAndDecoderFields)
{
    struct Case {
        char const* what;
        std::vector<std::pair<char const*, crdt::ScalarValue>> fields;
        CallParticipant expected;
    };
    auto const s = [](char const* text) { return crdt::ScalarValue{std::string(text)}; };
    Case const cases[] = {
        {"empty record", {}, {.user = "u"}},
        {"empty ticket", {{"ticket", s("")}}, {.user = "u"}},
        {"ticket", {{"ticket", s("t1")}}, {.user = "u", .ticket = "t1"}},
        {"hardware list alone", {{"video_hw_decode", s("vp9")}}, {.user = "u"}},
        {"empty pieces dropped, no trimming",
         {{"video_hw_decode", s("hevc-main10, av1")}, {"video_sw_decode", s(",,vp9")}},
         {.user = "u", .video_decoders = VideoDecoders{{"hevc-main10", " av1"}, {"vp9"}}}},
        {"software list alone", {{"video_sw_decode", s("")}}, {.user = "u", .video_decoders = VideoDecoders{}}},
        {"flags",
         {{"talking", true}, {"muted", true}, {"deafened", true}, {"audio_only", true}, {"sharing", true}},
         {.user = "u", .talking = true, .muted = true, .deafened = true, .audio_only = true, .sharing = true}},
        {"flags of other kinds", {{"muted", std::int64_t{1}}, {"sharing", s("true")}}, {.user = "u"}},
    };
    for (auto const& test : cases) {
        SCOPED_TRACE(test.what);
        DocBuilder b;
        auto const record = b.map(b.map(b.table_map("voice"), "c"), "u");
        for (auto const& [key, value] : test.fields)
            b.put(record, key, value);
        auto const participants = list_participants(b.doc, "c");
        ASSERT_EQ(participants.size(), 1u);
        EXPECT_EQ(participants[0], test.expected);
    }
}

TEST(ModelUnread, CountsTopLevelMessagesAgainstTheMarker)
{
    DocBuilder b;
    for (auto const* id : {"m1", "m2", "m3", "m4", "m5"})
        b.message("c", id);
    for (auto const* id : {"r1", "r2", "r3"})
        b.message("c", id, "m1");
    b.put(b.message("c", "m6"), "parent", std::int64_t{3}); // not a string: top level
    b.append(std::get<crdt::ObjectRef>(*b.doc.get(b.table_map("messages"), "c")).id, std::string("not a message"));
    auto const markers = b.map(b.table_map("read"), "u_me");

    EXPECT_EQ(top_level_count(b.doc, "c"), 6);
    EXPECT_EQ(read_marker(b.doc, "c", "u_me"), 0);
    EXPECT_EQ(unread_count(b.doc, "c", "u_me"), 6);
    struct Case {
        std::int64_t marker;
        std::int64_t unread;
    };
    for (auto const [marker, unread] : {Case{4, 2}, Case{6, 0}, Case{9, 0}, Case{-3, 9}}) {
        b.put(markers, "c", marker);
        EXPECT_EQ(read_marker(b.doc, "c", "u_me"), marker);
        EXPECT_EQ(unread_count(b.doc, "c", "u_me"), unread) << "marker " << marker;
    }
    EXPECT_EQ(unread_count(b.doc, "c", "u_other"), 6);
    EXPECT_EQ(unread_count(b.doc, "c_empty", "u_me"), 0);
}

} // namespace
} // namespace chat
