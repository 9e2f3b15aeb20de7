#include "model/structure.h"

#include <algorithm>

#include "doc/read.h"
#include "doc/structure.h"

namespace chat {
namespace {

Presence presence_from_status(std::string_view status)
{
    if (status == "idle")
        return Presence::Idle;
    if (status == "dnd")
        return Presence::DoNotDisturb;
    if (status == "offline")
        return Presence::Offline;
    return Presence::Online;
}

std::string string_or_empty(crdt::Document const& doc, crdt::ObjId const& record, std::string_view key)
{
    return doc::read_string(doc, record, key).value_or(std::string());
}

// Reads every map under the root key `table`, in ascending key order; other
// kinds of value are not records and are skipped.
template <class Record, class Reader>
std::vector<Record> read_table(crdt::Document const& doc, std::string_view table, Reader read)
{
    std::vector<Record> records;
    auto const map = doc::read_map(doc, crdt::Document::root(), table);
    if (!map)
        return records;
    auto const ids = doc.keys(*map);
    records.reserve(ids.size());
    for (auto const& id : ids) {
        if (auto const record = doc::read_map(doc, *map, id))
            records.push_back(read(id, *record));
    }
    return records;
}

// Keys come in ascending order, so a stable sort leaves ties by id.
template <class Record>
std::vector<Record> by_order(std::vector<Record> records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](Record const& a, Record const& b) { return a.order < b.order; });
    return records;
}

} // namespace

std::vector<Person> list_people(crdt::Document const& doc)
{
    return read_table<Person>(doc, "users", [&](std::string const& id, crdt::ObjId const& user) {
        return Person{
            .id = id,
            .name = string_or_empty(doc, user, "name"),
            .initials = string_or_empty(doc, user, "initials"),
            .color_index = doc::read_integer(doc, user, "color_idx").value_or(0),
            .presence = presence_from_status(string_or_empty(doc, user, "status")),
            .is_agent = doc::read_boolean(doc, user, "agent").value_or(false),
        };
    });
}

std::vector<Workspace> list_workspaces(crdt::Document const& doc)
{
    return by_order(read_table<Workspace>(doc, "workspaces", [&](std::string const& id, crdt::ObjId const& record) {
        return Workspace{
            .id = id,
            .name = string_or_empty(doc, record, "name"),
            .glyph = string_or_empty(doc, record, "glyph"),
            .color_index = doc::read_integer(doc, record, "color_idx").value_or(0),
            .order = doc::stored_order(doc, record),
        };
    }));
}

std::vector<Category> list_categories(crdt::Document const& doc)
{
    return by_order(read_table<Category>(doc, "categories", [&](std::string const& id, crdt::ObjId const& record) {
        return Category{
            .id = id,
            .workspace = string_or_empty(doc, record, "workspace"),
            .name = string_or_empty(doc, record, "name"),
            .order = doc::stored_order(doc, record),
            .collapsed = doc::read_boolean(doc, record, "collapsed").value_or(false),
        };
    }));
}

std::vector<Channel> list_channels(crdt::Document const& doc)
{
    return by_order(read_table<Channel>(doc, "channels", [&](std::string const& id, crdt::ObjId const& record) {
        return Channel{
            .id = id,
            .workspace = string_or_empty(doc, record, "workspace"),
            .category = string_or_empty(doc, record, "category"),
            .name = string_or_empty(doc, record, "name"),
            .topic = string_or_empty(doc, record, "topic"),
            // Exactly "voice": any other spelling, or none, is a text channel.
            .kind = doc::read_string(doc, record, "kind") == "voice" ? ChannelKind::Voice : ChannelKind::Text,
            .order = doc::stored_order(doc, record),
            .archived = doc::read_boolean(doc, record, "archived").value_or(false),
        };
    }));
}

Person const* find_person(std::vector<Person> const& people, std::string_view id)
{
    auto found = std::find_if(people.begin(), people.end(), [&](Person const& person) { return person.id == id; });
    return found == people.end() ? nullptr : &*found;
}

} // namespace chat
