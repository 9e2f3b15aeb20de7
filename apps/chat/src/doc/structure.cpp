#include "doc/structure.h"

#include "doc/read.h"

#include <algorithm>

namespace chat::doc {

namespace {

template <class Place>
void sort_by_order(std::vector<Place>& places)
{
    // Keys arrive in ascending order, so a stable sort leaves ties in id order.
    std::stable_sort(places.begin(), places.end(),
                     [](Place const& a, Place const& b) { return a.order < b.order; });
}

} // namespace

std::uint32_t stored_order(crdt::Document const& doc, crdt::ObjId const& record)
{
    return static_cast<std::uint32_t>(read_integer(doc, record, "order").value_or(0));
}

std::vector<ChannelPlace> channel_places(crdt::Document const& doc)
{
    std::vector<ChannelPlace> places;
    auto const channels = read_map(doc, crdt::Document::root(), "channels");
    if (!channels)
        return places;
    for (auto const& id : doc.keys(*channels)) {
        auto const record = read_map(doc, *channels, id);
        if (!record)
            continue;
        places.push_back({id, read_string(doc, *record, "workspace").value_or(""),
                          read_string(doc, *record, "category").value_or(""), stored_order(doc, *record)});
    }
    sort_by_order(places);
    return places;
}

std::vector<CategoryPlace> category_places(crdt::Document const& doc)
{
    std::vector<CategoryPlace> places;
    auto const categories = read_map(doc, crdt::Document::root(), "categories");
    if (!categories)
        return places;
    for (auto const& id : doc.keys(*categories)) {
        auto const record = read_map(doc, *categories, id);
        if (!record)
            continue;
        places.push_back({id, read_string(doc, *record, "workspace").value_or(""), stored_order(doc, *record)});
    }
    sort_by_order(places);
    return places;
}

std::uint32_t next_channel_order(crdt::Document const& doc, std::string_view workspace, std::string_view category)
{
    std::optional<std::uint32_t> largest;
    for (auto const& place : channel_places(doc)) {
        if (place.workspace == workspace && place.category == category)
            largest = std::max(largest.value_or(0), place.order);
    }
    return largest ? *largest + 1 : 0;
}

} // namespace chat::doc
