#include "model/message_parts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "doc/read.h"
#include "doc/records/record_json.h"

namespace chat {
namespace {

std::string string_or_empty(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return doc::read_string(doc, obj, key).value_or(std::string());
}

// Negative and missing values read as 0.
std::uint64_t unsigned_or_zero(crdt::Document const& doc, crdt::ObjId const& obj, std::string_view key)
{
    return static_cast<std::uint64_t>(std::max<std::int64_t>(0, doc::read_integer(doc, obj, key).value_or(0)));
}

void note(ObjectIds* nested, crdt::ObjId const& id)
{
    if (nested)
        nested->push_back(id);
}

// Calls visit(entry) for every map element of the list `key` of `message`.
template <class Visit>
void for_each_map_in(crdt::Document const& doc, crdt::ObjId const& message, std::string_view key, ObjectIds* nested,
                     Visit visit)
{
    auto const list = doc::read_list(doc, message, key);
    if (!list)
        return;
    note(nested, *list);
    auto const count = doc.length(*list);
    for (std::size_t index = 0; index < count; ++index) {
        if (auto const entry = doc::read_map(doc, *list, index)) {
            note(nested, *entry);
            visit(*entry);
        }
    }
}

} // namespace

std::vector<HistoryEntry> read_history(crdt::Document const& doc, crdt::ObjId const& message, ObjectIds* nested)
{
    std::vector<HistoryEntry> history;
    for_each_map_in(doc, message, "history", nested, [&](crdt::ObjId const& entry) {
        history.push_back({doc::read_integer(doc, entry, "ts").value_or(0), string_or_empty(doc, entry, "text")});
    });
    return history;
}

std::vector<ReactionGroup> read_reactions(crdt::Document const& doc, crdt::ObjId const& message, ObjectIds* nested)
{
    std::vector<ReactionGroup> groups;
    for_each_map_in(doc, message, "reactions", nested, [&](crdt::ObjId const& entry) {
        auto emoji = string_or_empty(doc, entry, "emoji");
        if (emoji.empty())
            return;
        auto user = string_or_empty(doc, entry, "user");
        auto group = std::find_if(groups.begin(), groups.end(), [&](auto const& g) { return g.emoji == emoji; });
        if (group == groups.end())
            group = groups.insert(groups.end(), ReactionGroup{std::move(emoji), {}});
        if (std::find(group->users.begin(), group->users.end(), user) == group->users.end())
            group->users.push_back(std::move(user));
    });
    std::sort(groups.begin(), groups.end(), [](ReactionGroup const& a, ReactionGroup const& b) {
        return a.users.size() != b.users.size() ? a.users.size() > b.users.size() : a.emoji < b.emoji;
    });
    return groups;
}

std::vector<Mention> read_mentions(crdt::Document const& doc, crdt::ObjId const& message, ObjectIds* nested)
{
    std::vector<Mention> mentions;
    for_each_map_in(doc, message, "mentions", nested, [&](crdt::ObjId const& entry) {
        auto user = string_or_empty(doc, entry, "user");
        if (user.empty())
            return;
        mentions.push_back(Mention{
            .user = std::move(user),
            .start = unsigned_or_zero(doc, entry, "start"),
            .len = unsigned_or_zero(doc, entry, "len"),
            .is_agent = doc::read_boolean(doc, entry, "agent").value_or(false),
        });
    });
    return mentions;
}

std::optional<Attachment> read_attachment(crdt::Document const& doc, crdt::ObjId const& message, ObjectIds* nested)
{
    auto const map = doc::read_map(doc, message, "attachment");
    if (!map)
        return std::nullopt;
    note(nested, *map);
    // Older documents keep demo references under "path".
    auto blob = string_or_empty(doc, *map, "blob");
    if (blob.empty())
        blob = string_or_empty(doc, *map, "path");
    auto name = string_or_empty(doc, *map, "name");
    auto const integer = [&](std::string_view key) { return doc::read_integer(doc, *map, key).value_or(0); };
    auto const kind = string_or_empty(doc, *map, "kind");
    // Pixel sizes keep the low 32 bits; byte sizes are the stored bits, unsigned.
    if (kind == "image")
        return ImageAttachment{std::move(name), std::move(blob), static_cast<std::uint32_t>(integer("w")),
                               static_cast<std::uint32_t>(integer("h"))};
    if (kind == "video")
        return VideoAttachment{std::move(name), std::move(blob), static_cast<std::uint32_t>(integer("w")),
                               static_cast<std::uint32_t>(integer("h")), static_cast<std::uint64_t>(integer("size"))};
    if (kind == "file")
        return FileAttachment{std::move(name), std::move(blob), static_cast<std::uint64_t>(integer("size"))};
    return std::nullopt;
}

std::optional<ResourceRef> read_reference(crdt::Document const& doc, crdt::ObjId const& message)
{
    auto const text = doc::read_string(doc, message, "reference");
    if (!text || text->empty())
        return std::nullopt;
    auto reference = decode_record<ResourceRef>(*text);
    if (!reference)
        return std::nullopt;
    return std::move(*reference);
}

void collect_work_objects(crdt::Document const& doc, crdt::ObjId const& message, ObjectIds& nested)
{
    auto const work = doc::read_map(doc, message, "work");
    if (!work)
        return;
    nested.push_back(*work);
    auto const trace = doc::read_map(doc, *work, "trace");
    if (!trace)
        return;
    nested.push_back(*trace);
    for (auto const& key : doc.keys(*trace)) {
        if (auto const entry = doc::read_map(doc, *trace, key))
            nested.push_back(*entry);
    }
}

} // namespace chat
