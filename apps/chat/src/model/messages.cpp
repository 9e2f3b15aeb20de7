#include "model/messages.h"

#include "doc/agent_work.h"
#include "doc/read.h"
#include "model/message_parts.h"

namespace chat {
namespace {

std::optional<crdt::ObjId> message_list(crdt::Document const& doc, std::string_view channel)
{
    auto const messages = doc::read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return std::nullopt;
    return doc::read_list(doc, *messages, channel);
}

void append_channel_messages(crdt::Document const& doc, std::string_view channel, std::vector<Message>& out)
{
    auto const list = message_list(doc, channel);
    if (!list)
        return;
    auto const count = doc.length(*list);
    out.reserve(out.size() + count);
    for (std::size_t index = 0; index < count; ++index) {
        if (auto const message = doc::read_map(doc, *list, index))
            out.push_back(read_message(doc, *message, channel));
    }
}

} // namespace

Message read_message(crdt::Document const& doc, crdt::ObjId const& message, std::string_view channel)
{
    auto parent = doc::read_string(doc, message, "parent");
    if (parent && parent->empty())
        parent.reset();
    return Message{
        .id = doc::read_string(doc, message, "id").value_or(std::string()),
        .channel = std::string(channel),
        .parent = std::move(parent),
        .author = doc::read_string(doc, message, "author").value_or(std::string()),
        .ts = doc::read_integer(doc, message, "ts").value_or(0),
        .text = doc::read_text(doc, message, "text").value_or(std::string()),
        .edited = doc::read_boolean(doc, message, "edited").value_or(false),
        .history = read_history(doc, message),
        .reactions = read_reactions(doc, message),
        .mentions = read_mentions(doc, message),
        .reference = read_reference(doc, message),
        .attachment = read_attachment(doc, message),
        .work = doc::message_agent_work(doc, message),
        .pinned = doc::read_boolean(doc, message, "pinned").value_or(false),
    };
}

std::vector<Message> channel_messages(crdt::Document const& doc, std::string_view channel)
{
    std::vector<Message> messages;
    append_channel_messages(doc, channel, messages);
    return messages;
}

std::vector<Message> all_messages(crdt::Document const& doc, std::vector<Channel> const& channels)
{
    std::vector<Message> messages;
    for (auto const& channel : channels)
        append_channel_messages(doc, channel.id, messages);
    return messages;
}

} // namespace chat
