#include <gtest/gtest.h>

#include "doc/records/record_json.h"
#include "doc_builder.h"
#include "model/message_cache.h"
#include "model/messages.h"

namespace chat {
namespace {

using test::DocBuilder;

void add_reaction(DocBuilder& b, crdt::ObjId const& reactions, char const* emoji, char const* user)
{
    auto const entry = b.append_map(reactions);
    b.put(entry, "emoji", emoji);
    b.put(entry, "user", user);
}

TEST(ModelMessages, FullRecordProjectsEveryPart)
{
    DocBuilder b;
    auto const m = b.message("c_general", "m_1", "m_root");
    b.put(m, "author", "u_me");
    b.put(m, "ts", std::int64_t{1782477600});
    b.text(m, "text", "hi @Nell 👋");
    b.put(m, "edited", true);
    b.put(m, "pinned", true);
    auto const history = b.list(m, "history");
    auto const old = b.append_map(history);
    b.put(old, "ts", std::int64_t{10});
    b.put(old, "text", "hi");
    b.append_map(history); // defaults
    auto const mentions = b.list(m, "mentions");
    auto const nell = b.append_map(mentions);
    b.put(nell, "user", "u_nell");
    b.put(nell, "start", std::int64_t{3});
    b.put(nell, "len", std::int64_t{5});
    b.put(nell, "agent", true);
    auto const negative = b.append_map(mentions);
    b.put(negative, "user", "u_x");
    b.put(negative, "start", std::int64_t{-4});
    b.put(b.append_map(mentions), "user", "");        // skipped
    b.put(b.append_map(mentions), "start", std::int64_t{1}); // no user: skipped
    b.put(m, "reference",
          encode_record(ResourceRef{.kind = "doc", .id = "d", .label = "Doc", .span = Span{1, 4, SpanUnit::Bytes}}));
    auto const attachment = b.map(m, "attachment");
    b.put(attachment, "kind", "image");
    b.put(attachment, "name", "shot.png");
    b.put(attachment, "blob", std::string(64, 'a'));
    b.put(attachment, "w", std::int64_t{640});
    b.put(attachment, "h", std::int64_t{480});

    auto const messages = channel_messages(b.doc, "c_general");
    ASSERT_EQ(messages.size(), 1u);
    Message const expected{
        .id = "m_1",
        .channel = "c_general",
        .parent = "m_root",
        .author = "u_me",
        .ts = 1782477600,
        .text = "hi @Nell 👋",
        .edited = true,
        .history = {{10, "hi"}, {0, ""}},
        .reactions = {},
        .mentions = {{"u_nell", 3, 5, true}, {"u_x", 0, 0, false}},
        .reference = ResourceRef{.kind = "doc", .id = "d", .label = "Doc", .span = Span{1, 4, SpanUnit::Bytes}},
        .attachment = Attachment{ImageAttachment{"shot.png", std::string(64, 'a'), 640, 480}},
        .work = std::nullopt,
        .pinned = true,
    };
    EXPECT_EQ(messages[0], expected);
}

TEST(ModelMessages, DefaultsAndSkippedEntries)
{
    DocBuilder b;
    auto const list = b.list(b.table_map("messages"), "c_a");
    b.append(list, std::string("not a message"));
    b.append_map(list); // every key missing
    auto const top = b.append_map(list);
    b.put(top, "id", "m_top");
    b.put(top, "parent", "");
    b.put(top, "text", "a plain string, not a text object");
    b.put(top, "reference", "{not json");
    b.put(top, "edited", std::int64_t{1});

    auto const messages = channel_messages(b.doc, "c_a");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], (Message{.channel = "c_a"}));
    EXPECT_EQ(messages[1], (Message{.id = "m_top", .channel = "c_a"}));
    EXPECT_TRUE(channel_messages(b.doc, "c_missing").empty());
}

TEST(ModelMessages, ReactionsGroupByEmojiMostPeopleFirstThenByEmojiBytes)
{
    DocBuilder b;
    auto const m = b.message("c", "m");
    auto const reactions = b.list(m, "reactions");
    add_reaction(b, reactions, "🎉", "u_a");
    add_reaction(b, reactions, "👍", "u_c");
    add_reaction(b, reactions, "👍", "u_a");
    add_reaction(b, reactions, "b", "u_a");
    add_reaction(b, reactions, "👍", "u_c"); // the same person once
    add_reaction(b, reactions, "a", "u_b");
    add_reaction(b, reactions, "👍", "u_b");
    add_reaction(b, reactions, "", "u_b"); // no emoji: skipped
    b.put(b.append_map(reactions), "emoji", "z"); // missing user reads as ""
    b.append(reactions, std::string("👍"));     // not a map: skipped

    auto const messages = channel_messages(b.doc, "c");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].reactions, (std::vector<ReactionGroup>{{"👍", {"u_c", "u_a", "u_b"}},
                                                                  {"a", {"u_b"}},
                                                                  {"b", {"u_a"}},
                                                                  {"z", {""}},
                                                                  {"🎉", {"u_a"}}}));
}

TEST(ModelMessages, AttachmentForms)
{
    struct Field {
        char const* key;
        crdt::ScalarValue value;
    };
    struct Case {
        char const* what;
        std::vector<Field> fields;
        std::optional<Attachment> expected;
    };
    auto const s = [](char const* text) { return crdt::ScalarValue{std::string(text)}; };
    auto const i = [](std::int64_t value) { return crdt::ScalarValue{value}; };
    Case const cases[] = {
        {"demo path instead of blob",
         {{"kind", s("image")}, {"name", s("grid.png")}, {"path", s("orvo-demo://call-grid")}},
         ImageAttachment{"grid.png", "orvo-demo://call-grid", 0, 0}},
        {"empty blob falls back to path",
         {{"kind", s("file")}, {"blob", s("")}, {"path", s("demo:x")}, {"size", i(9)}},
         FileAttachment{"", "demo:x", 9}},
        {"blob wins over path", {{"kind", s("file")}, {"blob", s("b")}, {"path", s("p")}}, FileAttachment{"", "b", 0}},
        {"file with neither", {{"kind", s("file")}}, FileAttachment{"", "", 0}},
        {"negative sizes", {{"kind", s("video")}, {"w", i(-1)}, {"h", i(4294967296 + 7)}, {"size", i(-1)}},
         VideoAttachment{"", "", 4294967295u, 7, 18446744073709551615u}},
        {"image ignores size", {{"kind", s("image")}, {"size", i(5)}, {"w", i(2)}}, ImageAttachment{"", "", 2, 0}},
        {"unknown kind", {{"kind", s("audio")}, {"blob", s("b")}}, std::nullopt},
        {"kind case matters", {{"kind", s("Image")}}, std::nullopt},
        {"no kind", {{"blob", s("b")}, {"name", s("n")}}, std::nullopt},
    };
    for (auto const& test : cases) {
        SCOPED_TRACE(test.what);
        DocBuilder b;
        auto const attachment = b.map(b.message("c", "m"), "attachment");
        for (auto const& field : test.fields)
            b.put(attachment, field.key, field.value);
        auto const messages = channel_messages(b.doc, "c");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].attachment, test.expected);
    }
}

TEST(ModelMessages, AllMessagesFollowTheGivenChannelOrder)
{
    DocBuilder b;
    b.message("c_b", "m_b1");
    b.message("c_a", "m_a1");
    b.message("c_b", "m_b2", "m_b1");
    b.message("c_a", "m_a2");
    auto const messages = all_messages(b.doc, {Channel{.id = "c_b"}, Channel{.id = "c_none"}, Channel{.id = "c_a"}});
    std::vector<std::string> ids;
    for (auto const& message : messages)
        ids.push_back(message.channel + "/" + message.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"c_b/m_b1", "c_b/m_b2", "c_a/m_a1", "c_a/m_a2"}));
}

// Past a few thousand messages the lists are read on two threads; the result
// must not show it.
TEST(ModelMessages, LargeDocumentsProjectAsChannelByChannel)
{
    DocBuilder b;
    std::vector<Channel> channels;
    for (char const* id : {"c_a", "c_b", "c_c", "c_d", "c_e"})
        channels.push_back(Channel{.id = id});
    channels.push_back(Channel{.id = "c_none"});
    // Uneven channels, so the split falls inside the order rather than at a list edge.
    for (int n = 0; n < 6000; ++n) {
        auto const& channel = channels[static_cast<std::size_t>(n % 7 % 5)].id;
        b.text(b.message(channel, "m_" + std::to_string(n)), "text", "message " + std::to_string(n));
    }
    std::vector<Message> expected;
    for (auto const& channel : channels) {
        auto const one = channel_messages(b.doc, channel.id);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    ASSERT_EQ(expected.size(), 6000u);
    EXPECT_EQ(all_messages(b.doc, channels), expected);

    MessageCache cache;
    cache.refresh(b.doc, channels);
    std::vector<Message> cached;
    for (auto const& channel : channels) {
        auto const one = cache.messages(channel.id);
        cached.insert(cached.end(), one.begin(), one.end());
    }
    EXPECT_EQ(cached, expected);
}

} // namespace
} // namespace chat
