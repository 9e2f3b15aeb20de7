#include <functional>

#include <gtest/gtest.h>

#include "doc/records/record_json.h"
#include "doc_builder.h"
#include "model/message_cache.h"
#include "model/messages.h"
#include "model/structure.h"
#include "model/unread.h"

namespace chat {
namespace {

using test::DocBuilder;
using test::must;

crdt::ObjId object_at(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return std::get<crdt::ObjectRef>(*doc.get(obj, key)).id;
}

crdt::ObjId object_at(crdt::Document const& doc, crdt::ObjId const& obj, std::size_t index)
{
    return std::get<crdt::ObjectRef>(*doc.get(obj, index)).id;
}

crdt::ObjId message_at(DocBuilder& b, std::string_view channel, std::size_t index)
{
    return object_at(b.doc, object_at(b.doc, b.table_map("messages"), channel), index);
}

void expect_matches_fresh_projection(MessageCache const& cache, crdt::Document const& doc)
{
    for (auto const& channel : list_channels(doc)) {
        auto const fresh = channel_messages(doc, channel.id);
        auto const cached = cache.messages(channel.id);
        EXPECT_EQ(std::vector<Message>(cached.begin(), cached.end()), fresh) << channel.id;
        EXPECT_EQ(cache.top_level_count(channel.id),
                  std::count_if(fresh.begin(), fresh.end(), [](Message const& m) { return !m.parent; }))
            << channel.id;
        EXPECT_EQ(cache.unread_count(doc, channel.id, "u_me"), unread_count(doc, channel.id, "u_me")) << channel.id;
    }
}

// Each step changes the document after the cache has seen the previous state;
// after every step the cache must agree with a projection from scratch.
TEST(MessageCache, AgreesWithAFreshProjectionAfterEveryKindOfChange)
{
    DocBuilder b;
    for (auto const* id : {"c_a", "c_b"})
        b.put(b.record("channels", id), "name", id);
    b.text(b.message("c_a", "m_1"), "text", "first");
    b.text(b.message("c_a", "m_2"), "text", "second");
    b.list(b.message("c_a", "m_3", "m_1"), "reactions");
    b.message("c_b", "m_4");

    struct Step {
        char const* what;
        std::function<void(DocBuilder&)> change;
    };
    Step const steps[] = {
        {"nothing", [](DocBuilder&) {}},
        {"append a message", [](DocBuilder& b) { b.text(b.message("c_a", "m_5"), "text", "late"); }},
        {"splice a message text",
         [](DocBuilder& b) { must(b.doc.splice_text(object_at(b.doc, message_at(b, "c_a", 1), "text"), 0, 3, "SE")); }},
        {"scalar put on a message", [](DocBuilder& b) { b.put(message_at(b, "c_a", 0), "edited", true); }},
        {"add a reaction entry",
         [](DocBuilder& b) {
             auto const entry = b.append_map(object_at(b.doc, message_at(b, "c_a", 2), "reactions"));
             b.put(entry, "emoji", "👍");
             b.put(entry, "user", "u_a");
         }},
        {"change a reaction entry in place",
         [](DocBuilder& b) {
             auto const reactions = object_at(b.doc, message_at(b, "c_a", 2), "reactions");
             b.put(object_at(b.doc, reactions, std::size_t{0}), "user", "u_b");
         }},
        {"replace the text object", [](DocBuilder& b) { b.text(message_at(b, "c_a", 0), "text", "replaced"); }},
        {"add then edit an attachment",
         [](DocBuilder& b) {
             auto const attachment = b.map(message_at(b, "c_b", 0), "attachment");
             b.put(attachment, "kind", "file");
             b.doc.commit();
             b.put(attachment, "size", std::int64_t{7});
         }},
        {"agent work and a trace entry edit",
         [](DocBuilder& b) {
             auto const work = b.map(message_at(b, "c_a", 1), "work");
             b.put(work, "transition", encode_record(StoredAgentTransition{AgentTaken{}, 1}));
             b.put(work, "reasoning", encode_record(AgentReasoning{AgentRoute::Model, ""}));
             auto const entry = b.map(b.map(work, "trace"), "s1");
             b.put(entry, "present", true);
             b.put(entry, "outcome", "asked");
             b.doc.commit();
             b.put(entry, "label", "relabelled");
         }},
        {"delete a message",
         [](DocBuilder& b) { must(b.doc.delete_index(object_at(b.doc, b.table_map("messages"), "c_a"), 0)); }},
        {"reparent into a thread", [](DocBuilder& b) { b.put(message_at(b, "c_a", 0), "parent", "m_2"); }},
        {"a read marker", [](DocBuilder& b) { b.put(b.map(b.table_map("read"), "u_me"), "c_a", std::int64_t{1}); }},
        {"replace a channel's list",
         [](DocBuilder& b) {
             b.list(b.table_map("messages"), "c_b");
             b.message("c_b", "m_6");
         }},
        {"a new channel", [](DocBuilder& b) {
             b.put(b.record("channels", "c_c"), "name", "c");
             b.message("c_c", "m_7");
         }},
        {"changes merged from another peer",
         [](DocBuilder& b) {
             auto peer = b.doc.fork();
             must(peer.splice_text(object_at(peer, message_at(b, "c_a", 0), "text"), 0, 0, ">"));
             must(b.doc.splice_text(object_at(b.doc, message_at(b, "c_a", 0), "text"), 0, 0, "<"));
             b.put(message_at(b, "c_c", 0), "pinned", true);
             must(b.doc.merge(peer));
         }},
    };
    MessageCache cache;
    cache.refresh(b.doc, list_channels(b.doc));
    expect_matches_fresh_projection(cache, b.doc);
    for (auto const& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(b);
        cache.refresh(b.doc, list_channels(b.doc));
        expect_matches_fresh_projection(cache, b.doc);
    }
}

TEST(MessageCache, AnEditBehindAnElementThatIsNoMessageIsStillSeen)
{
    DocBuilder b;
    b.put(b.record("channels", "c_a"), "name", "a");
    b.message("c_a", "m_1");
    auto const list = object_at(b.doc, b.table_map("messages"), "c_a");
    must(b.doc.insert(list, 0, crdt::ScalarValue{std::string("not a message")}));
    b.text(b.message("c_a", "m_2"), "text", "before");
    MessageCache cache;
    cache.refresh(b.doc, list_channels(b.doc));
    b.put(object_at(b.doc, list, std::size_t{2}), "pinned", true);
    cache.refresh(b.doc, list_channels(b.doc));
    ASSERT_EQ(cache.messages("c_a").size(), 2u);
    EXPECT_TRUE(cache.messages("c_a")[1].pinned);
    expect_matches_fresh_projection(cache, b.doc);
}

TEST(MessageCache, HoldsOnlyTheChannelsItWasGiven)
{
    DocBuilder b;
    b.message("c_a", "m_1");
    b.message("c_b", "m_2");
    MessageCache cache;
    cache.refresh(b.doc, {Channel{.id = "c_a"}, Channel{.id = "c_b"}});
    EXPECT_EQ(cache.messages("c_b").size(), 1u);
    cache.refresh(b.doc, {Channel{.id = "c_a"}});
    EXPECT_EQ(cache.messages("c_a").size(), 1u);
    EXPECT_TRUE(cache.messages("c_b").empty());
    EXPECT_EQ(cache.top_level_count("c_b"), 0);
    // Coming back, it is read afresh.
    b.message("c_b", "m_3");
    cache.refresh(b.doc, {Channel{.id = "c_b"}});
    EXPECT_EQ(cache.messages("c_b").size(), 2u);
}

} // namespace
} // namespace chat
