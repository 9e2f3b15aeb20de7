// The accessibility tree: synthetic nodes, the conversation heading, the message list.

#include "input_fixture.h"

#include "doc/apply.h"

#include <gtest/gtest.h>

#include <set>

using namespace chat;
using namespace chat::testing;

namespace {

orvo_ui::AccessNode const* child(orvo_ui::AccessNode const& root, std::string_view id)
{
    for (auto const& c : root.children)
        if (c.id == id) return &c;
    return nullptr;
}

} // namespace

TEST(Accessibility, TreeHoldsControlsHeadingAndTopLevelMessages)
{
    Driven d("");
    auto const tree = d.app->accessibility();
    EXPECT_EQ(tree.label, "Chat");
    EXPECT_EQ(tree.description, "Channels in the current Orvo workspace");
    auto const* heading = child(tree, "conversation-heading");
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->label, "# design-crit");
    EXPECT_EQ(heading->description, "Share work, get sharp feedback");
    EXPECT_EQ(heading->rect, d.app->conversation_header);

    auto const* list = child(tree, "message-list");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->children.size(), 8u) << "replies stay out of the list";
    for (auto const& item : list->children) EXPECT_NE(item.stable_key, 0u);
    EXPECT_EQ(tree.children.back().id, "message-list") << "no menu is open";

    auto const* inbox = child(tree, "chat.inbox");
    ASSERT_TRUE(inbox);
    EXPECT_EQ(inbox->role, orvo_ui::AccessRole::Tab);
    EXPECT_FALSE(child(tree, std::string("chat.control:Dismiss")));
}

TEST(Accessibility, HeadingAndLabelsFollowTheModel)
{
    Driven d("");
    d.app->inbox_open = true;
    auto const with_inbox = d.app->accessibility();
    d.app->inbox_open = false;
    auto const without = d.app->accessibility();
    EXPECT_EQ(with_inbox.description, "Inbox: conversations across Orvo workspaces");
    EXPECT_EQ(without.description, "Channels in the current Orvo workspace");
    ASSERT_EQ(with_inbox.children.size(), without.children.size());
    for (std::size_t i = 0; i < without.children.size(); ++i) {
        EXPECT_EQ(with_inbox.children[i].id, without.children[i].id);
        EXPECT_EQ(with_inbox.children[i].label, without.children[i].label);
    }

    doc::apply_chat_action(d.doc(), action::SendMessage {"c_crit", "m_stranger", "u_nobody", 1782475400, "hello", {}, {}, {}, {}});
    d.redraw();
    auto const tree = d.app->accessibility();
    auto const& items = child(tree, "message-list")->children;
    EXPECT_EQ(items.back().label, "Unknown person: hello");
    EXPECT_EQ(items.back().stable_key, orvo_ui::AccessNode::stable_key_for("m_stranger", "message"));

    d.app->current_channel = "c_gone";
    EXPECT_FALSE(child(d.app->accessibility(), "conversation-heading"));
}

TEST(Accessibility, SyntheticNodesAreListedOnceAndAddressedByIndex)
{
    Driven d("");
    auto const nodes = d.app->synthetic_nodes();
    std::set<std::string> ids;
    for (auto const& n : nodes) EXPECT_TRUE(ids.insert(n.id).second) << n.id;
    d.app->hit_regions.push_back(d.app->hit_regions.front());
    EXPECT_EQ(d.app->synthetic_nodes().size(), nodes.size()) << "a control drawn twice is listed once";

    EXPECT_EQ(d.app->synthetic_accessibility_rect(std::array {std::size_t(0)}), nodes[0].rect);
    EXPECT_FALSE(d.app->synthetic_accessibility_rect(std::array {nodes.size()}));
    EXPECT_FALSE(d.app->synthetic_accessibility_rect(std::array {std::size_t(0), std::size_t(0)}));
    EXPECT_FALSE(d.app->focus_synthetic_accessibility(std::array {nodes.size()}));
    EXPECT_FALSE(d.app->focus_cursor);
    EXPECT_TRUE(d.app->focus_synthetic_accessibility(std::array {std::size_t(1)}));
    EXPECT_EQ(d.app->focus_cursor, 1u);
    EXPECT_TRUE(d.app->accessibility().children[1].states.focused);
}

TEST(Accessibility, SemanticActionsReachTheSameActivation)
{
    Driven d("history");
    ASSERT_FALSE(d.app->follow_latest);
    EXPECT_TRUE(d.app->perform_semantic_action("chat.jump-to-latest", orvo_ui::SemanticAction::Activate, d.doc()));
    EXPECT_TRUE(d.app->follow_latest);
    EXPECT_FALSE(d.app->perform_semantic_action("chat.nothing-here", orvo_ui::SemanticAction::Activate, d.doc()));
    EXPECT_TRUE(d.app->perform_semantic_action("chat.composer", orvo_ui::SemanticAction::Focus, d.doc()));
    EXPECT_TRUE(d.app->composer.focused());
}
