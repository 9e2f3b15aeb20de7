#include "doc/apply_members.h"
#include "doc/create.h"
#include "doc/read.h"
#include "doc/structure.h"
#include "doc/write.h"

#include <algorithm>

namespace chat::doc::members {

namespace {

std::optional<crdt::ObjId> record(crdt::Document const& doc, std::string_view table, std::string_view id)
{
    auto const map = read_map(doc, crdt::Document::root(), table);
    if (!map)
        return std::nullopt;
    return read_map(doc, *map, id);
}

void delete_from_table(crdt::Document& doc, std::string_view table, std::string_view id)
{
    if (auto const map = read_map(doc, crdt::Document::root(), table))
        delete_key(doc, *map, id);
}

std::optional<ChannelPlace> find_channel(crdt::Document const& doc, std::string_view id)
{
    for (auto& place : channel_places(doc)) {
        if (place.id == id)
            return std::move(place);
    }
    return std::nullopt;
}

// Puts the channel last in `category` of its workspace.
void move_channel(crdt::Document& doc, std::string_view id, std::string_view category)
{
    auto const channel = find_channel(doc, id);
    if (!channel)
        return;
    auto const order = next_channel_order(doc, channel->workspace, category);
    if (auto const map = record(doc, "channels", id)) {
        put_string(doc, *map, "category", category);
        put_integer(doc, *map, "order", order);
    }
}

void put_order(crdt::Document& doc, std::string_view channel, std::uint32_t order)
{
    if (auto const map = record(doc, "channels", channel))
        put_integer(doc, *map, "order", order);
}

} // namespace

void apply(crdt::Document& doc, action::CreateChannel const& create)
{
    auto const order = next_channel_order(doc, create.workspace, create.category);
    create_channel(doc, create.id, {create.workspace, create.category, create.name, "", create.kind, order});
}

void apply(crdt::Document& doc, action::CreateCategory const& create)
{
    std::optional<std::uint32_t> largest;
    for (auto const& place : category_places(doc)) {
        if (place.workspace == create.workspace)
            largest = std::max(largest.value_or(0), place.order);
    }
    std::uint32_t const order = largest ? *largest + 1 : 0;
    create_category(doc, create.id, {create.workspace, create.name, order});
}

void apply(crdt::Document& doc, action::RenameCategory const& rename)
{
    if (auto const map = record(doc, "categories", rename.id))
        put_string(doc, *map, "name", rename.name);
}

void apply(crdt::Document& doc, action::DeleteCategory const& remove)
{
    // Its channels become uncategorised, appended after the workspace's
    // existing uncategorised channels in their current order.
    for (auto const& place : channel_places(doc)) {
        if (place.category == remove.id)
            move_channel(doc, place.id, "");
    }
    delete_from_table(doc, "categories", remove.id);
}

void apply(crdt::Document& doc, action::SetCategoryCollapsed const& set)
{
    if (auto const map = record(doc, "categories", set.id))
        put_boolean(doc, *map, "collapsed", set.collapsed);
}

void apply(crdt::Document& doc, action::ReorderChannel const& reorder)
{
    auto const channel = find_channel(doc, reorder.id);
    if (!channel)
        return;
    std::vector<ChannelPlace> siblings;
    for (auto& place : channel_places(doc)) {
        if (place.workspace == channel->workspace && place.category == channel->category)
            siblings.push_back(std::move(place));
    }
    auto const position = static_cast<std::size_t>(
        std::find_if(siblings.begin(), siblings.end(), [&](auto const& p) { return p.id == reorder.id; })
        - siblings.begin());
    if (reorder.up ? position == 0 : position + 1 >= siblings.size())
        return;
    auto const& neighbour = siblings[reorder.up ? position - 1 : position + 1];
    // Equal orders swapped would write the same values again.
    if (neighbour.order == channel->order)
        return;
    put_order(doc, channel->id, neighbour.order);
    put_order(doc, neighbour.id, channel->order);
}

void apply(crdt::Document& doc, action::RenameChannel const& rename)
{
    if (auto const map = record(doc, "channels", rename.id))
        put_string(doc, *map, "name", rename.name);
}

void apply(crdt::Document& doc, action::DeleteChannel const& remove)
{
    // Read markers and thread drafts stay; they are harmless and small.
    for (std::string_view table : {"channels", "messages", "voice", "drafts"})
        delete_from_table(doc, table, remove.id);
}

void apply(crdt::Document& doc, action::ArchiveChannel const& archive)
{
    auto const map = record(doc, "channels", archive.id);
    if (map && read_boolean(doc, *map, "archived").value_or(false) != archive.archived)
        put_boolean(doc, *map, "archived", archive.archived);
}

} // namespace chat::doc::members
