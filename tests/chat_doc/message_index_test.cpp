// The message id index must never go stale: whatever changes the document
// outside the chat actions is seen by the next uniqueness check.

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/message_index.h"
#include "doc/messages.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

crdt::Document with_channel()
{
    crdt::Document doc;
    create_channel(doc, "c", {"ws", "", "c", "", ChannelKind::Text, 0});
    return doc;
}

void send(crdt::Document& doc, std::string id)
{
    apply_chat_action(doc, action::SendMessage{"c", std::move(id), "u", 1, "text"});
}

TEST(MessageIndex, SeesMessagesWrittenBehindItsBack)
{
    auto doc = with_channel();
    send(doc, "m1");
    EXPECT_TRUE(message_exists(doc, "m1"));

    // A message appended straight through the engine, in another channel.
    auto const list = must(doc.put_object(path(doc, {"messages"}), "c_raw", crdt::ObjType::List));
    auto const raw = must(doc.insert_object(list, 0, crdt::ObjType::Map));
    must(doc.put(raw, "id", str("m_raw")));
    EXPECT_TRUE(message_exists(doc, "m_raw"));
    send(doc, "m_raw");
    EXPECT_EQ(message_ids(doc, "c"), std::vector<std::string>{"m1"});

    // A message removed straight through the engine frees its id.
    must(doc.delete_index(path(doc, {"messages", "c"}), 0));
    EXPECT_FALSE(message_exists(doc, "m1"));
    send(doc, "m1");
    EXPECT_EQ(message_ids(doc, "c"), std::vector<std::string>{"m1"});

    // An id rewritten in place.
    must(doc.put(find_message(doc, "c", "m1")->message, "id", str("m_renamed")));
    EXPECT_FALSE(message_exists(doc, "m1"));
    EXPECT_TRUE(message_exists(doc, "m_renamed"));
}

TEST(MessageIndex, KeepsDocumentsApart)
{
    auto first = with_channel();
    auto second = with_channel();
    send(first, "m1");
    send(second, "m2");
    send(first, "m2");
    send(second, "m1");
    send(first, "m1");
    EXPECT_EQ(message_ids(first, "c"), (std::vector<std::string>{"m1", "m2"}));
    EXPECT_EQ(message_ids(second, "c"), (std::vector<std::string>{"m2", "m1"}));
}

TEST(MessageIndex, BurstOfSendsStaysExact)
{
    auto doc = with_channel();
    for (int i = 0; i < 50; ++i)
        send(doc, "m" + std::to_string(i % 25));
    EXPECT_EQ(message_ids(doc, "c").size(), 25u);
}

} // namespace
} // namespace chat::doc
