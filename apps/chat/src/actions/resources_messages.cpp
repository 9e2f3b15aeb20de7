#include <algorithm>

#include "actions/resource_actions.h"
#include "actions/labels.h"
#include "actions/resources.h"

namespace chat::resources {
namespace {

operation::RevealMessage reveal(Message const& message, std::string const& workspace)
{
    return {workspace, message.channel, message.id, message.parent};
}

ActionSpec edit_action(Sources const& sources, Message const& message)
{
    return chat_action_spec("edit", "Edit message", {"Message", "new text…", "the message text"},
                            [channel = message.channel, id = message.id,
                             now = sources.context.now](std::string const& text) -> ChatAction {
                                return action::EditMessage{channel, id, text, now};
                            });
}

ActionSpec react_action(Sources const& sources, Message const& message)
{
    return chat_action_spec("react", "Add reaction", {"Emoji", "👍", "the emoji"},
                            [channel = message.channel, id = message.id,
                             me = sources.context.me](std::string const& emoji) -> ChatAction {
                                return action::AddReaction{channel, id, emoji, me};
                            });
}

ActionSpec pin_action(Message const& message)
{
    if (message.pinned)
        return chat_action_spec("unpin", "Unpin message", action::PinMessage{message.channel, message.id, false});
    return chat_action_spec("pin", "Pin message", action::PinMessage{message.channel, message.id, true});
}

} // namespace

Resource message(Sources const& sources, Message const& message, std::string const& workspace)
{
    Resource resource(address(resource_kind::message, message.id), message_label(message, sources.people));
    resource.with_action(chat_operation_spec("open", "Reveal message", reveal(message, workspace)))
        .with_action(edit_action(sources, message))
        .with_action(react_action(sources, message))
        .with_action(pin_action(message))
        .with_action(chat_action_spec("delete", "Delete message", action::DeleteMessage{message.channel, message.id}));
    for (auto const& group : message.reactions)
        resource.with_child(reaction(sources, message, group, workspace));
    if (message.attachment)
        resource.with_child(attachment(message, workspace));
    return resource;
}

Resource reaction(Sources const& sources, Message const& message, ReactionGroup const& group,
                  std::string const& workspace)
{
    auto const& me = sources.context.me;
    bool const mine = std::find(group.users.begin(), group.users.end(), me) != group.users.end();
    auto toggle = mine ? chat_action_spec("remove", "Remove my reaction",
                                          action::RemoveReaction{message.channel, message.id, group.emoji, me})
                       : chat_action_spec("add", "Add my reaction",
                                          action::AddReaction{message.channel, message.id, group.emoji, me});
    return Resource(address(resource_kind::reaction, message.id + ":" + group.emoji), reaction_label(group))
        .with_action(chat_operation_spec("open-message", "Reveal message", reveal(message, workspace)))
        .with_action(std::move(toggle));
}

Resource attachment(Message const& message, std::string const& workspace)
{
    std::string const name = message.attachment ? attachment_name(*message.attachment) : std::string();
    return Resource(address(resource_kind::attachment, message.id), name)
        .with_action(chat_operation_spec("open-message", "Reveal shared message", reveal(message, workspace)));
}

} // namespace chat::resources
