#include "ui/a11y/access_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace orvo_ui;

namespace {

AccessNode sample_tree()
{
    AccessNode button;
    button.id = "chat.send";
    button.role = AccessRole::Button;
    button.label = "Send";
    button.states.focusable = true;
    button.states.focused = true;
    button.rect = Rect::from_edges(10, 20, 110, 52);
    AccessNode list;
    list.id = "message-list";
    list.role = AccessRole::List;
    list.label = "Messages";
    AccessNode root;
    root.role = AccessRole::Window;
    root.label = "Chat";
    root.description = "Channels in the current Orvo workspace";
    return std::move(root).with_children({button, list});
}

std::string read(std::filesystem::path const& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(AccessJson, WritesEveryFieldWithRectsAsEdges)
{
    auto json = nlohmann::json::parse(access_tree_json(sample_tree()));
    EXPECT_EQ(json["label"], "Chat");
    EXPECT_EQ(json["role"], "window");
    EXPECT_EQ(json["description"], "Channels in the current Orvo workspace");
    ASSERT_EQ(json["children"].size(), 2u);
    auto const& send = json["children"][0];
    EXPECT_EQ(send["id"], "chat.send");
    EXPECT_EQ(send["role"], "button");
    EXPECT_EQ(send["rect"], nlohmann::json({10.0, 20.0, 110.0, 52.0}));
    EXPECT_EQ(send["states"], nlohmann::json({"focused", "focusable"}));
    EXPECT_TRUE(send["children"].is_array());
    EXPECT_EQ(json["children"][1]["states"], nlohmann::json::array());

    // Invalid UTF-8 in a label does not break the dump.
    AccessNode odd;
    odd.label = std::string("bad \xff byte");
    EXPECT_NO_THROW(nlohmann::json::parse(access_tree_json(odd)));
}

TEST(AccessJson, WritesOnlyWhenTheTreeChanges)
{
    auto dir = std::filesystem::temp_directory_path() / "orvo_ui_a11y_test";
    std::filesystem::create_directories(dir);
    auto path = (dir / "tree.json").string();
    std::filesystem::remove(path);

    AccessNode tree = sample_tree();
    EXPECT_EQ(write_access_tree_if_changed(path, tree).value(), true);
    EXPECT_EQ(nlohmann::json::parse(read(path))["label"], "Chat");
    EXPECT_EQ(write_access_tree_if_changed(path, tree).value(), false);

    tree.children[0].label = "Send now";
    EXPECT_EQ(write_access_tree_if_changed(path, tree).value(), true);
    EXPECT_EQ(nlohmann::json::parse(read(path))["children"][0]["label"], "Send now");

    // A dump removed by someone else is written again.
    std::filesystem::remove(path);
    EXPECT_EQ(write_access_tree_if_changed(path, tree).value(), true);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    auto failed = write_access_tree_if_changed((dir / "no-such-dir" / "tree.json").string(), tree);
    EXPECT_FALSE(failed.has_value());
    std::filesystem::remove_all(dir);
}

TEST(AccessNode, StableKeyDependsOnBothPartsAndTheirBoundary)
{
    EXPECT_EQ(AccessNode::stable_key_for("m_1", "message"), AccessNode::stable_key_for("m_1", "message"));
    EXPECT_NE(AccessNode::stable_key_for("m_1", "message"), AccessNode::stable_key_for("m_2", "message"));
    EXPECT_NE(AccessNode::stable_key_for("m_1", "message"), AccessNode::stable_key_for("message", "m_1"));
    EXPECT_NE(AccessNode::stable_key_for("ab", "c"), AccessNode::stable_key_for("a", "bc"));
    EXPECT_NE(AccessNode::stable_key_for("", ""), 0u);
    EXPECT_EQ(AccessNode::key("chat", "window"), "chat/window");
}
