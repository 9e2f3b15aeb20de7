// Channels and categories: creation order, moves, reordering, deletion.

#include "doc/apply.h"
#include "doc/create.h"
#include "doc/drafts.h"
#include "doc/read.h"
#include "doc/structure.h"
#include "doc_fixture.h"

#include <gtest/gtest.h>

namespace chat::doc {
namespace {

using namespace test;

struct Placed {
    std::string id;
    std::string category;
    std::uint32_t order;
    bool operator==(Placed const&) const = default;
};

std::ostream& operator<<(std::ostream& out, Placed const& p)
{
    return out << p.id << "@" << p.category << ":" << p.order;
}

// The channels of a workspace (and one category, when given) in order.
std::vector<Placed> placed(crdt::Document const& doc, std::string_view workspace,
                           std::optional<std::string_view> category = std::nullopt)
{
    std::vector<Placed> out;
    for (auto const& p : channel_places(doc)) {
        if (p.workspace == workspace && (!category || p.category == *category))
            out.push_back({p.id, p.category, p.order});
    }
    return out;
}

action::CreateChannel text_channel(std::string ws, std::string category, std::string id)
{
    return action::CreateChannel{ws, category, id, id, ChannelKind::Text};
}

TEST(CreateChannel, TakesTheNextOrderOfItsWorkspaceAndCategory)
{
    crdt::Document doc;
    apply_chat_action(doc, text_channel("ws", "cat", "c1"));
    apply_chat_action(doc, text_channel("ws", "cat", "c2"));
    apply_chat_action(doc, text_channel("ws", "", "c3"));
    apply_chat_action(doc, text_channel("other", "cat", "c4"));
    EXPECT_EQ(placed(doc, "ws", "cat"), (std::vector<Placed>{{"c1", "cat", 0}, {"c2", "cat", 1}}));
    EXPECT_EQ(placed(doc, "ws", ""), (std::vector<Placed>{{"c3", "", 0}}));
    EXPECT_EQ(placed(doc, "other"), (std::vector<Placed>{{"c4", "cat", 0}}));
}

TEST(CreateChannel, WritesEveryFieldAndAVoiceChannelsCallMap)
{
    crdt::Document doc;
    apply_chat_action(doc, action::CreateChannel{"ws", "cat", "c_v", "Lounge", ChannelKind::Voice});
    auto const channel = path(doc, {"channels", "c_v"});
    EXPECT_EQ(read_string(doc, channel, "workspace"), "ws");
    EXPECT_EQ(read_string(doc, channel, "category"), "cat");
    EXPECT_EQ(read_string(doc, channel, "name"), "Lounge");
    EXPECT_EQ(read_string(doc, channel, "topic"), "");
    EXPECT_EQ(read_string(doc, channel, "kind"), "voice");
    EXPECT_EQ(read_integer(doc, channel, "order"), 0);
    EXPECT_EQ(doc.length(path(doc, {"voice", "c_v"})), 0u);

    apply_chat_action(doc, text_channel("ws", "cat", "c_t"));
    EXPECT_EQ(read_string(doc, path(doc, {"channels", "c_t"}), "kind"), "text");
    EXPECT_FALSE(has_key(doc, path(doc, {"voice"}), "c_t"));
}

TEST(CreateChannel, ReplacesAChannelsTableOfTheWrongKind)
{
    crdt::Document doc;
    must(doc.put(root, "channels", str("not a map")));
    apply_chat_action(doc, text_channel("ws", "", "c1"));
    EXPECT_EQ(placed(doc, "ws"), (std::vector<Placed>{{"c1", "", 0}}));
}

TEST(CreateChannel, OrdersWrapAsUnsigned32Bit)
{
    crdt::Document doc;
    create_channel(doc, "c_max", {"ws", "", "max", "", ChannelKind::Text, 0});
    must(doc.put(path(doc, {"channels", "c_max"}), "order", num(0xFFFFFFFFll)));
    apply_chat_action(doc, text_channel("ws", "", "c_next"));
    EXPECT_EQ(read_integer(doc, path(doc, {"channels", "c_next"}), "order"), 0);
    // A negative stored order keeps its low 32 bits.
    must(doc.put(path(doc, {"channels", "c_max"}), "order", num(-2)));
    EXPECT_EQ(next_channel_order(doc, "ws", ""), 0xFFFFFFFFu);
}

TEST(CreateCategory, TakesTheNextOrderOfItsWorkspace)
{
    crdt::Document doc;
    apply_chat_action(doc, action::CreateCategory{"ws", "cat_a", "A"});
    apply_chat_action(doc, action::CreateCategory{"ws", "cat_b", "B"});
    apply_chat_action(doc, action::CreateCategory{"other", "cat_c", "C"});
    EXPECT_EQ(read_integer(doc, path(doc, {"categories", "cat_a"}), "order"), 0);
    EXPECT_EQ(read_integer(doc, path(doc, {"categories", "cat_b"}), "order"), 1);
    EXPECT_EQ(read_integer(doc, path(doc, {"categories", "cat_c"}), "order"), 0);
    EXPECT_EQ(read_boolean(doc, path(doc, {"categories", "cat_b"}), "collapsed"), false);

    apply_chat_action(doc, action::RenameCategory{"cat_b", "Bee"});
    apply_chat_action(doc, action::SetCategoryCollapsed{"cat_b", true});
    EXPECT_EQ(read_string(doc, path(doc, {"categories", "cat_b"}), "name"), "Bee");
    EXPECT_EQ(read_boolean(doc, path(doc, {"categories", "cat_b"}), "collapsed"), true);
}

TEST(DeleteCategory, AppendsItsChannelsAfterTheUncategorisedOnes)
{
    crdt::Document doc;
    apply_chat_action(doc, action::CreateCategory{"ws", "cat", "Cat"});
    for (auto id : {"u1", "u2"})
        apply_chat_action(doc, text_channel("ws", "", id));
    for (auto id : {"k1", "k2", "k3"})
        apply_chat_action(doc, text_channel("ws", "cat", id));
    apply_chat_action(doc, action::ReorderChannel{"k3", true}); // k1, k3, k2
    apply_chat_action(doc, text_channel("other", "", "x1"));

    apply_chat_action(doc, action::DeleteCategory{"cat"});
    EXPECT_EQ(placed(doc, "ws"), (std::vector<Placed>{{"u1", "", 0}, {"u2", "", 1}, {"k1", "", 2}, {"k3", "", 3},
                                                      {"k2", "", 4}}));
    EXPECT_EQ(placed(doc, "other"), (std::vector<Placed>{{"x1", "", 0}}));
    EXPECT_FALSE(has_key(doc, path(doc, {"categories"}), "cat"));
}

TEST(ReorderChannel, SwapsWithTheNeighbourInDisplayOrder)
{
    crdt::Document doc;
    for (auto id : {"a", "b", "c"})
        apply_chat_action(doc, text_channel("ws", "cat", id));
    apply_chat_action(doc, text_channel("ws", "other", "z"));
    apply_chat_action(doc, action::ReorderChannel{"c", true});
    EXPECT_EQ(placed(doc, "ws", "cat"), (std::vector<Placed>{{"a", "cat", 0}, {"c", "cat", 1}, {"b", "cat", 2}}));
    apply_chat_action(doc, action::ReorderChannel{"a", false});
    EXPECT_EQ(placed(doc, "ws", "cat"), (std::vector<Placed>{{"c", "cat", 0}, {"a", "cat", 1}, {"b", "cat", 2}}));
    EXPECT_EQ(placed(doc, "ws", "other"), (std::vector<Placed>{{"z", "other", 0}}));
}

TEST(ReorderChannel, TiesAreOrderedById)
{
    crdt::Document doc;
    create_channel(doc, "b", {"ws", "", "b", "", ChannelKind::Text, 5});
    create_channel(doc, "a", {"ws", "", "a", "", ChannelKind::Text, 5});
    create_channel(doc, "c", {"ws", "", "c", "", ChannelKind::Text, 1});
    EXPECT_EQ(placed(doc, "ws"), (std::vector<Placed>{{"c", "", 1}, {"a", "", 5}, {"b", "", 5}}));
    // "b" is last; "a" moving up swaps with "c".
    apply_chat_action(doc, action::ReorderChannel{"a", true});
    EXPECT_EQ(placed(doc, "ws"), (std::vector<Placed>{{"a", "", 1}, {"b", "", 5}, {"c", "", 5}}));
}

TEST(ChannelMembers, RenameArchiveAndDelete)
{
    crdt::Document doc;
    apply_chat_action(doc, action::CreateChannel{"ws", "", "c_v", "v", ChannelKind::Voice});
    apply_chat_action(doc, action::RenameChannel{"c_v", "Renamed"});
    apply_chat_action(doc, action::ArchiveChannel{"c_v", true});
    auto const channel = path(doc, {"channels", "c_v"});
    EXPECT_EQ(read_string(doc, channel, "name"), "Renamed");
    EXPECT_EQ(read_boolean(doc, channel, "archived"), true);

    apply_chat_action(doc, action::SendMessage{"c_v", "m1", "u", 1, "hi"});
    apply_chat_action(doc, action::JoinCall{"c_v", "u"});
    apply_chat_action(doc, action::MarkRead{"c_v", "u", 1});
    set_draft(doc, "c_v", "main draft");
    set_draft(doc, thread_draft_key("c_v", "m1"), "thread draft");

    apply_chat_action(doc, action::DeleteChannel{"c_v"});
    for (auto table : {"channels", "messages", "voice", "drafts"})
        EXPECT_FALSE(has_key(doc, path(doc, {table}), "c_v")) << table;
    EXPECT_EQ(read_draft(doc, "c_v::t::m1"), "thread draft");
    EXPECT_EQ(read_integer(doc, path(doc, {"read", "u"}), "c_v"), 1);
}

} // namespace
} // namespace chat::doc
