#include "model/messages.h"

#include <algorithm>
#include <array>

#include "doc/agent_work.h"
#include "doc/read.h"
#include "model/map_fields.h"
#include "model/message_parts.h"

namespace chat {

std::optional<crdt::ObjId> message_list(crdt::Document const& doc, std::string_view channel)
{
    auto const messages = doc::read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return std::nullopt;
    return doc::read_list(doc, *messages, channel);
}

namespace {

void append_messages(crdt::Document const& doc, crdt::ObjId const& list, std::string_view channel,
                     std::vector<Message>& out)
{
    for (auto const& message : maps_in(doc, list))
        out.push_back(read_message(doc, message, channel));
}

// The message map's keys, read in one pass.
namespace field {
enum : std::size_t { attachment, author, edited, history, id, mentions, parent, pinned, reactions, reference, text, ts,
                     work, count };
}
constexpr std::array<std::string_view, field::count> field_names{
    "attachment", "author", "edited", "history", "id", "mentions", "parent", "pinned", "reactions", "reference",
    "text", "ts", "work"};

std::optional<std::string> string_field(std::optional<crdt::Value>& value)
{
    return value ? doc::string_value(std::move(*value)) : std::nullopt;
}

MaybeObject object_field(std::optional<crdt::Value> const& value, crdt::ObjType type)
{
    return value ? doc::object_value(*value, type) : std::nullopt;
}

bool boolean_field(std::optional<crdt::Value> const& value)
{
    return value && doc::boolean_value(*value).value_or(false);
}

} // namespace

Message read_message(crdt::Document const& doc, crdt::ObjId const& message, std::string_view channel,
                     std::vector<crdt::ObjId>* nested)
{
    auto fields = read_fields(doc, message, field_names);
    auto parent = string_field(fields[field::parent]);
    if (parent && parent->empty())
        parent.reset();
    std::string text;
    if (auto const text_object = object_field(fields[field::text], crdt::ObjType::Text)) {
        text = doc.text(*text_object).value_or(std::string());
        if (nested)
            nested->push_back(*text_object);
    }
    auto const work = object_field(fields[field::work], crdt::ObjType::Map);
    if (nested && work)
        collect_work_objects(doc, *work, *nested);
    return Message{
        .id = string_field(fields[field::id]).value_or(std::string()),
        .channel = std::string(channel),
        .parent = std::move(parent),
        .author = string_field(fields[field::author]).value_or(std::string()),
        .ts = fields[field::ts] ? doc::integer_value(*fields[field::ts]).value_or(0) : 0,
        .text = std::move(text),
        .edited = boolean_field(fields[field::edited]),
        .history = read_history(doc, object_field(fields[field::history], crdt::ObjType::List), nested),
        .reactions = read_reactions(doc, object_field(fields[field::reactions], crdt::ObjType::List), nested),
        .mentions = read_mentions(doc, object_field(fields[field::mentions], crdt::ObjType::List), nested),
        .reference = read_reference(string_field(fields[field::reference])),
        .attachment = read_attachment(doc, object_field(fields[field::attachment], crdt::ObjType::Map), nested),
        .work = work ? doc::read_agent_work(doc, *work) : std::nullopt,
        .pinned = boolean_field(fields[field::pinned]),
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
