// Descriptions of dispatched chat actions: application, title, target.

#include <gtest/gtest.h>

#include "actions/description.h"

namespace chat {
namespace {

struct DescriptionCase {
    ChatAction action;
    char const* title;
    char const* target;
};

TEST(ChatActionDescription, EveryMember)
{
    using namespace action;
    DescriptionCase const cases[] = {
        {SendMessage{.channel = "c_crit", .id = "m_new"}, "Send message", "chat.message:m_new"},
        {EditMessage{"c_crit", "m_me2", "x", 1}, "Edit message", "chat.message:m_me2"},
        {DeleteMessage{"c_crit", "m_me2"}, "Delete message", "chat.message:m_me2"},
        {AddReaction{"c_crit", "m_open", "🎉", "u_me"}, "Add reaction", "chat.message:m_open"},
        {RemoveReaction{"c_crit", "m_open", "🎉", "u_me"}, "Remove reaction", "chat.message:m_open"},
        {PinMessage{"c_crit", "m_open", true}, "Pin message", "chat.message:m_open"},
        {PinMessage{"c_crit", "m_open", false}, "Unpin message", "chat.message:m_open"},
        {CreateChannel{"ws_acme", "", "c_new", "n", ChannelKind::Text}, "Create channel", "chat.channel:c_new"},
        {CreateCategory{"ws_acme", "cat_new", "n"}, "Create category", "chat.category:cat_new"},
        {RenameCategory{"cat_x", "n"}, "Rename category", "chat.category:cat_x"},
        {DeleteCategory{"cat_x"}, "Delete category", "chat.category:cat_x"},
        {SetCategoryCollapsed{"cat_x", true}, "Collapse category", "chat.category:cat_x"},
        {SetCategoryCollapsed{"cat_x", false}, "Expand category", "chat.category:cat_x"},
        {ReorderChannel{"c_x", true}, "Move channel up", "chat.channel:c_x"},
        {ReorderChannel{"c_x", false}, "Move channel down", "chat.channel:c_x"},
        {RenameChannel{"c_x", "n"}, "Rename channel", "chat.channel:c_x"},
        {DeleteChannel{"c_x"}, "Delete channel", "chat.channel:c_x"},
        {ArchiveChannel{"c_x", true}, "Archive channel", "chat.channel:c_x"},
        {ArchiveChannel{"c_x", false}, "Unarchive channel", "chat.channel:c_x"},
        {MarkRead{"c_x", "u_me", 3}, "Mark channel read", "chat.channel:c_x"},
        {SetAgentWork{.channel = "c_x", .msg = "m_work"}, "Update agent work", "chat.message:m_work"},
        {JoinCall{"c_huddle", "u_me"}, "Join call", "chat.call:c_huddle"},
        {LeaveCall{"c_huddle", "u_me"}, "Leave call", "chat.call:c_huddle"},
        {SetCallState{"c_huddle", "u_me", true, false, false, false}, "Update call state", "chat.call:c_huddle"},
        {SetScreenShare{"c_huddle", "u_me", true}, "Start presenting", "chat.call:c_huddle"},
        {SetScreenShare{"c_huddle", "u_me", false}, "Stop presenting", "chat.call:c_huddle"},
        {SetCallTicket{"c_huddle", "u_me", "t"}, "Update call connection", "chat.call:c_huddle"},
        {SetCallVideoCaps{"c_huddle", "u_me", {}, {}}, "Update call connection", "chat.call:c_huddle"},
    };
    bool seen[std::variant_size_v<ChatAction>] = {};
    for (auto const& c : cases) {
        SCOPED_TRACE(c.title);
        seen[c.action.index()] = true;
        auto const description = describe_chat_action(c.action);
        EXPECT_EQ(description.app_id, "dev.orvo.Chat");
        EXPECT_EQ(description.app_name, "Chat");
        EXPECT_EQ(description.title, c.title);
        EXPECT_EQ(description.target, c.target);
        EXPECT_FALSE(description.context.has_value());
    }
    for (std::size_t member = 0; member < std::size(seen); ++member)
        EXPECT_TRUE(seen[member]) << "member " << member << " has no case";
}

} // namespace
} // namespace chat
