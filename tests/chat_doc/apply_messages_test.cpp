// What the message members write: edits with history, deletion, reactions,
// pins, read markers.

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/message_index.h"
#include "doc/messages.h"
#include "doc/read.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

class MessageMembers : public testing::Test {
protected:
    void SetUp() override
    {
        create_channel(doc, "c", {"ws", "", "c", "", ChannelKind::Text, 0});
        apply_chat_action(doc, action::SendMessage{"c", "m1", "u_a", 100, "first draft"});
        apply_chat_action(doc, action::SendMessage{"c", "m2", "u_b", 101, "second", "m1"});
    }

    crdt::ObjId message(std::string_view id) { return find_message(doc, "c", id).value().message; }

    struct Reaction {
        std::string emoji, user;
        bool operator==(Reaction const&) const = default;
    };
    std::vector<Reaction> reactions(std::string_view id)
    {
        std::vector<Reaction> out;
        auto const list = read_list(doc, message(id), "reactions");
        for (std::size_t i = 0; list && i < doc.length(*list); ++i) {
            auto const entry = object_at(doc, *list, i);
            out.push_back({read_string(doc, entry, "emoji").value_or("?"), read_string(doc, entry, "user").value_or("?")});
        }
        return out;
    }

    crdt::Document doc;
};

TEST_F(MessageMembers, EditKeepsEachReplacedTextInHistory)
{
    apply_chat_action(doc, action::EditMessage{"c", "m1", "final draft", 200});
    apply_chat_action(doc, action::EditMessage{"c", "m1", "final draft!", 300});
    auto const m = message("m1");
    EXPECT_EQ(read_text(doc, m, "text"), "final draft!");
    EXPECT_EQ(read_boolean(doc, m, "edited"), true);
    auto const history = object_at(doc, m, "history");
    ASSERT_EQ(doc.length(history), 2u);
    EXPECT_EQ(read_integer(doc, object_at(doc, history, 0), "ts"), 200);
    EXPECT_EQ(read_string(doc, object_at(doc, history, 0), "text"), "first draft");
    EXPECT_EQ(read_integer(doc, object_at(doc, history, 1), "ts"), 300);
    EXPECT_EQ(read_string(doc, object_at(doc, history, 1), "text"), "final draft");
}

TEST_F(MessageMembers, EditWithUnchangedTextLeavesEditedUnset)
{
    apply_chat_action(doc, action::EditMessage{"c", "m1", "first draft", 200});
    EXPECT_EQ(read_boolean(doc, message("m1"), "edited"), false);
    EXPECT_EQ(doc.length(object_at(doc, message("m1"), "history")), 0u);
}

TEST_F(MessageMembers, EditRepairsAMessageWithoutTextOrHistory)
{
    auto const m = message("m1");
    must(doc.put(m, "text", str("a string, not a text")));
    must(doc.delete_key(m, "history"));
    apply_chat_action(doc, action::EditMessage{"c", "m1", "new", 5});
    EXPECT_EQ(read_text(doc, m, "text"), "new");
    auto const history = object_at(doc, m, "history");
    ASSERT_EQ(doc.length(history), 1u);
    EXPECT_EQ(read_string(doc, object_at(doc, history, 0), "text"), ""); // the old value read as no text
}

TEST_F(MessageMembers, DeleteRemovesOnlyThatMessage)
{
    apply_chat_action(doc, action::DeleteMessage{"c", "m1"});
    EXPECT_EQ(message_ids(doc, "c"), std::vector<std::string>{"m2"}); // its reply stays
}

TEST_F(MessageMembers, ReactionsAreOnePerPersonAndEmojiInInsertionOrder)
{
    apply_chat_action(doc, action::AddReaction{"c", "m1", "👍", "u_a"});
    apply_chat_action(doc, action::AddReaction{"c", "m1", "🎉", "u_a"});
    apply_chat_action(doc, action::AddReaction{"c", "m1", "👍", "u_b"});
    apply_chat_action(doc, action::AddReaction{"c", "m1", "👍", "u_a"});
    EXPECT_EQ(reactions("m1"), (std::vector<Reaction>{{"👍", "u_a"}, {"🎉", "u_a"}, {"👍", "u_b"}}));
    apply_chat_action(doc, action::RemoveReaction{"c", "m1", "👍", "u_a"});
    EXPECT_EQ(reactions("m1"), (std::vector<Reaction>{{"🎉", "u_a"}, {"👍", "u_b"}}));
}

TEST_F(MessageMembers, ReactionMatchingReadsMissingFieldsAsEmpty)
{
    auto const list = object_at(doc, message("m1"), "reactions");
    must(doc.insert(list, 0, str("not a map")));
    auto const entry = must(doc.insert_object(list, 1, crdt::ObjType::Map));
    must(doc.put(entry, "emoji", str("👀")));
    // An entry without "user" matches the empty user.
    EXPECT_EQ(find_reaction(doc, list, "👀", ""), 1u);
    apply_chat_action(doc, action::AddReaction{"c", "m1", "👀", ""});
    EXPECT_EQ(doc.length(list), 2u);
    apply_chat_action(doc, action::RemoveReaction{"c", "m1", "👀", ""});
    EXPECT_EQ(doc.length(list), 1u);
}

TEST_F(MessageMembers, AddReactionCreatesAMissingList)
{
    must(doc.delete_key(message("m2"), "reactions"));
    apply_chat_action(doc, action::AddReaction{"c", "m2", "🔥", "u_a"});
    EXPECT_EQ(reactions("m2"), (std::vector<Reaction>{{"🔥", "u_a"}}));
}

TEST_F(MessageMembers, PinAndUnpin)
{
    apply_chat_action(doc, action::PinMessage{"c", "m1", true});
    EXPECT_EQ(read_boolean(doc, message("m1"), "pinned"), true);
    apply_chat_action(doc, action::PinMessage{"c", "m1", false});
    EXPECT_EQ(read_boolean(doc, message("m1"), "pinned"), false);
}

TEST_F(MessageMembers, FindMessageSkipsNonMapsAndTakesTheFirstMatch)
{
    auto const list = path(doc, {"messages", "c"});
    must(doc.insert(list, 0, str("m2")));
    auto const duplicate = must(doc.insert_object(list, doc.length(list), crdt::ObjType::Map));
    must(doc.put(duplicate, "id", str("m2")));
    auto const found = find_message(doc, "c", "m2");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->index, 2u);
    EXPECT_TRUE(message_exists(doc, "m2"));
    EXPECT_FALSE(message_exists(doc, "m3"));
}

TEST_F(MessageMembers, InsertMessageIgnoresAnExistingId)
{
    NewMessage again;
    again.author = "u_z";
    again.text = "replacement";
    EXPECT_EQ(insert_message(doc, "other", "m1", again), "m1");
    EXPECT_TRUE(message_ids(doc, "other").empty());
    EXPECT_EQ(read_text(doc, message("m1"), "text"), "first draft");
}

TEST(MarkRead, WritesTheMarkerWhenItChanges)
{
    crdt::Document doc;
    apply_chat_action(doc, action::MarkRead{"c", "u_a", 3});
    EXPECT_EQ(read_integer(doc, path(doc, {"read", "u_a"}), "c"), 3);
    apply_chat_action(doc, action::MarkRead{"c", "u_a", 0});
    EXPECT_EQ(read_integer(doc, path(doc, {"read", "u_a"}), "c"), 0);
}

} // namespace
} // namespace chat::doc
