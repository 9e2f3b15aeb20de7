#include "model/messages.h"

#include <algorithm>

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

void append_messages(crdt::Document const& doc, crdt::ObjId const& list, std::string_view channel,
                     std::vector<Message>& out)
{
    auto const count = doc.length(list);
    for (std::size_t index = 0; index < count; ++index) {
        if (auto const message = doc::read_map(doc, list, index))
            out.push_back(read_message(doc, *message, channel));
    }
}

} // namespace

Message read_message(crdt::Document const& doc, crdt::ObjId const& message, std::string_view channel,
                     std::vector<crdt::ObjId>* nested)
{
    auto parent = doc::read_string(doc, message, "parent");
    if (parent && parent->empty())
        parent.reset();
    std::string text;
    if (auto const text_object = doc::read_text_object(doc, message, "text")) {
        text = doc.text(*text_object).value_or(std::string());
        if (nested)
            nested->push_back(*text_object);
    }
    if (nested)
        collect_work_objects(doc, message, *nested);
    return Message{
        .id = doc::read_string(doc, message, "id").value_or(std::string()),
        .channel = std::string(channel),
        .parent = std::move(parent),
        .author = doc::read_string(doc, message, "author").value_or(std::string()),
        .ts = doc::read_integer(doc, message, "ts").value_or(0),
        .text = std::move(text),
        .edited = doc::read_boolean(doc, message, "edited").value_or(false),
        .history = read_history(doc, message, nested),
        .reactions = read_reactions(doc, message, nested),
        .mentions = read_mentions(doc, message, nested),
        .reference = read_reference(doc, message),
        .attachment = read_attachment(doc, message, nested),
        .work = doc::message_agent_work(doc, message),
        .pinned = doc::read_boolean(doc, message, "pinned").value_or(false),
    };
}

std::vector<Message> channel_messages(crdt::Document const& doc, std::string_view channel)
{
    std::vector<Message> messages;
    if (auto const list = message_list(doc, channel)) {
        messages.reserve(doc.length(*list));
        append_messages(doc, *list, channel, messages);
    }
    return messages;
}

std::vector<Message> all_messages(crdt::Document const& doc, std::vector<Channel> const& channels)
{
    // Sized once up front: growing per channel would move every earlier message again.
    std::vector<std::optional<crdt::ObjId>> lists;
    lists.reserve(channels.size());
    std::size_t total = 0;
    for (auto const& channel : channels) {
        lists.push_back(message_list(doc, channel.id));
        total += lists.back() ? doc.length(*lists.back()) : 0;
    }
    std::vector<Message> messages;
    messages.reserve(total);
    for (std::size_t index = 0; index < channels.size(); ++index) {
        if (lists[index])
            append_messages(doc, *lists[index], channels[index].id, messages);
    }
    return messages;
}

} // namespace chat
