#include "doc/messages.h"

#include "doc/agent_work.h"
#include "doc/message_index.h"
#include "doc/read.h"
#include "doc/records/record_json.h"
#include "doc/write.h"

#include <type_traits>
#include <variant>

namespace chat::doc {

namespace {

std::optional<std::size_t> index_of_message(crdt::Document const& doc, crdt::ObjId const& list, std::string_view id)
{
    std::size_t const length = doc.length(list);
    for (std::size_t index = 0; index < length; ++index) {
        auto const message = read_map(doc, list, index);
        if (message && read_string(doc, *message, "id") == id)
            return index;
    }
    return std::nullopt;
}

void write_reactions(crdt::Document& doc, crdt::ObjId const& message, std::vector<ReactionGroup> const& groups)
{
    auto const reactions = put_new_object(doc, message, "reactions", crdt::ObjType::List, "rx");
    for (auto const& group : groups) {
        for (auto const& person : group.people) {
            auto const entry = append_map(doc, reactions, "rxentry");
            put_string(doc, entry, "emoji", group.emoji);
            put_string(doc, entry, "user", person);
        }
    }
}

void write_mentions(crdt::Document& doc, crdt::ObjId const& message, std::vector<Mention> const& mentions)
{
    auto const list = put_new_object(doc, message, "mentions", crdt::ObjType::List, "mentions");
    for (auto const& mention : mentions) {
        auto const entry = append_map(doc, list, "mention");
        put_string(doc, entry, "user", mention.user);
        put_integer(doc, entry, "start", static_cast<std::int64_t>(mention.start));
        put_integer(doc, entry, "len", static_cast<std::int64_t>(mention.len));
        put_boolean(doc, entry, "agent", mention.is_agent);
    }
}

void write_history(crdt::Document& doc, crdt::ObjId const& message, std::vector<HistoryEntry> const& history)
{
    auto const list = put_new_object(doc, message, "history", crdt::ObjType::List, "hist");
    for (auto const& item : history) {
        auto const entry = append_map(doc, list, "hrec");
        put_integer(doc, entry, "ts", item.ts);
        put_string(doc, entry, "text", item.text);
    }
}

void write_attachment(crdt::Document& doc, crdt::ObjId const& message, Attachment const& attachment)
{
    auto const map = put_new_object(doc, message, "attachment", crdt::ObjType::Map, "att");
    std::visit(
        [&](auto const& a) {
            using A = std::decay_t<decltype(a)>;
            if constexpr (std::is_same_v<A, ImageAttachment>)
                put_string(doc, map, "kind", "image");
            else if constexpr (std::is_same_v<A, VideoAttachment>)
                put_string(doc, map, "kind", "video");
            else
                put_string(doc, map, "kind", "file");
            put_string(doc, map, "name", a.name);
            put_string(doc, map, "blob", a.blob);
            if constexpr (!std::is_same_v<A, FileAttachment>) {
                put_integer(doc, map, "w", a.w);
                put_integer(doc, map, "h", a.h);
            }
            if constexpr (!std::is_same_v<A, ImageAttachment>)
                put_integer(doc, map, "size", static_cast<std::int64_t>(a.size));
        },
        attachment);
}

} // namespace

std::optional<MessageSlot> find_message(crdt::Document const& doc, std::string_view channel, std::string_view id)
{
    auto const messages = read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return std::nullopt;
    auto const list = read_list(doc, *messages, channel);
    if (!list)
        return std::nullopt;
    auto const index = index_of_message(doc, *list, id);
    if (!index)
        return std::nullopt;
    return MessageSlot{*list, *index, *read_map(doc, *list, *index)};
}

std::optional<std::size_t> find_reaction(crdt::Document const& doc, crdt::ObjId const& reactions,
                                         std::string_view emoji, std::string_view user)
{
    std::size_t const length = doc.length(reactions);
    for (std::size_t index = 0; index < length; ++index) {
        auto const entry = read_map(doc, reactions, index);
        if (entry && read_string(doc, *entry, "emoji").value_or("") == emoji
            && read_string(doc, *entry, "user").value_or("") == user)
            return index;
    }
    return std::nullopt;
}

std::string insert_message(crdt::Document& doc, std::string_view channel, std::string_view id,
                           NewMessage const& message)
{
    if (!message_exists(doc, id)) {
        append_message(doc, channel, id, message);
        note_message_appended(doc, id);
    }
    return std::string(id);
}

void append_message(crdt::Document& doc, std::string_view channel, std::string_view id, NewMessage const& message)
{
    auto const list = ensure_list(doc, ensure_map(doc, crdt::Document::root(), "messages"), channel);
    auto const record = append_map(doc, list, "insert msg");
    put_string(doc, record, "id", id);
    put_string(doc, record, "author", message.author);
    put_integer(doc, record, "ts", message.ts);
    put_string(doc, record, "parent", message.parent.value_or(""));
    put_boolean(doc, record, "edited", message.edited);

    auto const text = put_new_object(doc, record, "text", crdt::ObjType::Text, "text");
    if (!message.text.empty())
        (void)doc.splice_text(text, 0, 0, message.text);

    write_reactions(doc, record, message.reactions);
    write_mentions(doc, record, message.mentions);
    if (message.reference)
        put_string(doc, record, "reference", encode_record(*message.reference));
    if (message.work)
        write_agent_work(doc, record, *message.work);
    write_history(doc, record, message.history);
    if (message.attachment)
        write_attachment(doc, record, *message.attachment);
}

} // namespace chat::doc
