#include "model/messages.h"

#include <algorithm>
#include <array>
#include <future>
#include <iterator>

#include "doc/agent_work.h"
#include "doc/read.h"
#include "model/map_fields.h"
#include "model/message_parts.h"
#include "model/unread.h"

namespace chat {

std::optional<crdt::ObjId> message_list(crdt::Document const& doc, std::string_view channel)
{
    auto const messages = doc::read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return std::nullopt;
    return doc::read_list(doc, *messages, channel);
}

namespace {

constexpr auto nothing_more = [](crdt::ObjectView) {};

// Appends the list's messages to `out`, calling each(map) after each.
template <class Each>
void append_messages(crdt::Document const& doc, crdt::ObjId const& list, std::string_view channel,
                     std::vector<Message>& out, Each const& each)
{
    for_each_map(doc.view(list), [&](crdt::ObjectView message) {
        out.push_back(read_message(doc, message, channel));
        each(message);
    });
}

// Below this many messages a second thread costs more than it saves.
constexpr std::size_t messages_worth_a_thread = 4000;

// Calls read(first, last, half) for the lists [first, last) of each half, the
// halves split by message count. A large document's halves are read on two
// threads: reading mostly waits on memory, and a second core keeps as many
// reads again in flight.
template <class Read>
void read_in_halves(crdt::Document const& doc, std::span<std::optional<crdt::ObjId> const> lists, Read const& read)
{
    std::vector<std::size_t> before(lists.size() + 1, 0); // messages in the lists before each
    for (std::size_t index = 0; index < lists.size(); ++index)
        before[index + 1] = before[index] + (lists[index] ? doc.length(*lists[index]) : 0);
    auto const total = before.back();
    if (total < messages_worth_a_thread) {
        read(std::size_t{0}, lists.size(), 0);
        return;
    }
    auto const split =
        static_cast<std::size_t>(std::lower_bound(before.begin(), before.end(), total / 2) - before.begin());
    auto second = std::async(std::launch::async, [&] { read(split, lists.size(), 1); });
    read(std::size_t{0}, split, 0);
    second.get();
}

// The message map's keys, read in one pass.
namespace field {
enum : std::size_t { attachment, author, edited, history, id, mentions, parent, pinned, reactions, reference, text, ts,
                     work, count };
}
constexpr std::array<std::string_view, field::count> field_names{
    "attachment", "author", "edited", "history", "id", "mentions", "parent", "pinned", "reactions", "reference",
    "text", "ts", "work"};

std::optional<std::string_view> string_field(std::optional<crdt::ValueView> const& value)
{
    return value ? doc::string_value(*value) : std::nullopt;
}

crdt::ObjectView object_field(std::optional<crdt::ValueView> const& value, crdt::ObjType type)
{
    return value ? doc::object_value(*value, type) : crdt::ObjectView();
}

bool boolean_field(std::optional<crdt::ValueView> const& value)
{
    return value && doc::boolean_value(*value).value_or(false);
}

} // namespace

Message read_message(crdt::Document const& doc, crdt::ObjectView message, std::string_view channel)
{
    auto const fields = read_fields(message, field_names);
    std::optional<std::string> parent;
    if (auto const root = string_field(fields[field::parent]); root && !root->empty())
        parent.emplace(*root);
    std::string text;
    if (auto const text_object = object_field(fields[field::text], crdt::ObjType::Text))
        text = text_object.text().value_or(std::string());
    auto const work = object_field(fields[field::work], crdt::ObjType::Map);
    return Message{
        .id = std::string(string_field(fields[field::id]).value_or(std::string_view())),
        .channel = std::string(channel),
        .parent = std::move(parent),
        .author = std::string(string_field(fields[field::author]).value_or(std::string_view())),
        .ts = fields[field::ts] ? doc::integer_value(*fields[field::ts]).value_or(0) : 0,
        .text = std::move(text),
        .edited = boolean_field(fields[field::edited]),
        .history = read_history(object_field(fields[field::history], crdt::ObjType::List)),
        .reactions = read_reactions(object_field(fields[field::reactions], crdt::ObjType::List)),
        .mentions = read_mentions(object_field(fields[field::mentions], crdt::ObjType::List)),
        .reference = read_reference(string_field(fields[field::reference])),
        .attachment = read_attachment(object_field(fields[field::attachment], crdt::ObjType::Map)),
        .work = work ? doc::read_agent_work(doc, work.id()) : std::nullopt,
        .pinned = boolean_field(fields[field::pinned]),
    };
}

std::vector<Message> channel_messages(crdt::Document const& doc, std::string_view channel)
{
    std::vector<Message> messages;
    if (auto const list = message_list(doc, channel)) {
        messages.reserve(doc.length(*list));
        append_messages(doc, *list, channel, messages, nothing_more);
    }
    return messages;
}

std::vector<ListMessages> read_message_lists(crdt::Document const& doc,
                                             std::span<std::optional<crdt::ObjId> const> lists,
                                             std::span<Channel const> channels, MessageSeen const& seen)
{
    std::vector<ListMessages> out(lists.size());
    read_in_halves(doc, lists, [&](std::size_t first, std::size_t last, int half) {
        for (auto index = first; index < last; ++index) {
            if (!lists[index])
                continue;
            auto& read = out[index];
            read.messages.reserve(doc.length(*lists[index]));
            append_messages(doc, *lists[index], channels[index].id, read.messages, [&](crdt::ObjectView message) {
                if (seen)
                    seen(index, half, message);
            });
            read.top_level = top_level_count(read.messages);
        }
    });
    return out;
}

std::vector<Message> all_messages(crdt::Document const& doc, std::vector<Channel> const& channels)
{
    std::vector<std::optional<crdt::ObjId>> lists;
    lists.reserve(channels.size());
    std::size_t total = 0;
    for (auto const& channel : channels) {
        lists.push_back(message_list(doc, channel.id));
        total += lists.back() ? doc.length(*lists.back()) : 0;
    }
    // Sized once up front: growing would move every earlier message again.
    std::array<std::vector<Message>, 2> halves;
    halves[0].reserve(total);
    read_in_halves(doc, lists, [&](std::size_t first, std::size_t last, int half) {
        for (auto index = first; index < last; ++index)
            if (lists[index])
                append_messages(doc, *lists[index], channels[index].id, halves[half], nothing_more);
    });
    std::move(halves[1].begin(), halves[1].end(), std::back_inserter(halves[0]));
    return std::move(halves[0]);
}

} // namespace chat
