#include "actions/description.h"

#include "actions/address.h"
#include "actions/catalogue.h"

namespace chat {
namespace {

struct Named {
    std::string_view title;
    std::string_view kind;
    std::string const& id;
};

using namespace action;
namespace kind = resource_kind;

// Message members name the message, call members the voice channel.
Named named(SendMessage const& a) { return {"Send message", kind::message, a.id}; }
Named named(EditMessage const& a) { return {"Edit message", kind::message, a.id}; }
Named named(DeleteMessage const& a) { return {"Delete message", kind::message, a.id}; }
Named named(AddReaction const& a) { return {"Add reaction", kind::message, a.msg}; }
Named named(RemoveReaction const& a) { return {"Remove reaction", kind::message, a.msg}; }
Named named(PinMessage const& a) { return {a.pinned ? "Pin message" : "Unpin message", kind::message, a.msg}; }
Named named(CreateChannel const& a) { return {"Create channel", kind::channel, a.id}; }
Named named(CreateCategory const& a) { return {"Create category", kind::category, a.id}; }
Named named(RenameCategory const& a) { return {"Rename category", kind::category, a.id}; }
Named named(DeleteCategory const& a) { return {"Delete category", kind::category, a.id}; }
Named named(SetCategoryCollapsed const& a)
{
    return {a.collapsed ? "Collapse category" : "Expand category", kind::category, a.id};
}
Named named(ReorderChannel const& a) { return {a.up ? "Move channel up" : "Move channel down", kind::channel, a.id}; }
Named named(RenameChannel const& a) { return {"Rename channel", kind::channel, a.id}; }
Named named(DeleteChannel const& a) { return {"Delete channel", kind::channel, a.id}; }
Named named(ArchiveChannel const& a)
{
    return {a.archived ? "Archive channel" : "Unarchive channel", kind::channel, a.id};
}
Named named(MarkRead const& a) { return {"Mark channel read", kind::channel, a.channel}; }
Named named(SetAgentWork const& a) { return {"Update agent work", kind::message, a.msg}; }
Named named(JoinCall const& a) { return {"Join call", kind::call, a.channel}; }
Named named(LeaveCall const& a) { return {"Leave call", kind::call, a.channel}; }
Named named(SetCallState const& a) { return {"Update call state", kind::call, a.channel}; }
Named named(SetScreenShare const& a)
{
    return {a.sharing ? "Start presenting" : "Stop presenting", kind::call, a.channel};
}
Named named(SetCallTicket const& a) { return {"Update call connection", kind::call, a.channel}; }
Named named(SetCallVideoCaps const& a) { return {"Update call connection", kind::call, a.channel}; }

} // namespace

orvo_actions::context::ActionDescription describe_chat_action(ChatAction const& chat_action)
{
    return std::visit(
        [](auto const& member) {
            Named const name = named(member);
            orvo_actions::context::ActionDescription description;
            description.app_id = DESKTOP_APP_ID;
            description.app_name = app_name;
            description.title = name.title;
            description.target = orvo_actions::door::resource_address(name.kind, name.id);
            return description;
        },
        chat_action);
}

} // namespace chat
