#include "actions/labels.h"

#include "actions/text.h"
#include "model/structure.h"

namespace chat {

std::string workspace_label(Workspace const& workspace)
{
    return workspace.name.empty() ? std::string("Workspace") : workspace.name;
}

std::string channel_label(Channel const& channel)
{
    std::string const sign = channel.kind == ChannelKind::Voice ? "🔊" : "#";
    return sign + " " + channel.name;
}

std::string call_label(Channel const& channel) { return "Call: " + channel_label(channel); }

std::string message_label(Message const& message, std::vector<Person> const& people)
{
    auto const* author = find_person(people, message.author);
    std::string label = author ? author->name : message.author;
    std::string_view shown = text::trim_white_space(message.text);
    if (shown.empty())
        shown = message.attachment ? std::string_view(attachment_name(*message.attachment)) : "Attachment";
    label += ": ";
    label += text::first_characters(shown, message_label_characters);
    return label;
}

std::string reaction_label(ReactionGroup const& reaction)
{
    return reaction.emoji + " · " + std::to_string(reaction.users.size());
}

} // namespace chat
