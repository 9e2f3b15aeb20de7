#pragma once

// Reads the named keys of a map in one pass over it: a record's dozen fields
// cost one walk instead of a lookup each. Values are views into the document,
// valid until it next changes.

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <optional>
#include <string_view>

#include "crdt/document.h"

namespace chat {

template <std::size_t N>
using Fields = std::array<std::optional<crdt::ValueView>, N>;

// The value under each of `names`, in the same order; nothing where the map
// has no such key (or is not a map). `names` ascend, as map keys do, so one
// merge-like walk matches them.
template <std::size_t N>
Fields<N> read_fields(crdt::ObjectView map, std::array<std::string_view, N> const& names)
{
    assert(std::is_sorted(names.begin(), names.end()));
    // Keys mostly differ in their first byte: settle those without a call to memcmp.
    auto const order = [](std::string_view a, std::string_view b) {
        if (!a.empty() && !b.empty() && a[0] != b[0])
            return static_cast<unsigned char>(a[0]) < static_cast<unsigned char>(b[0]) ? -1 : 1;
        return a.compare(b);
    };
    Fields<N> fields;
    std::size_t next = 0;
    map.for_each_entry([&](std::string_view key, crdt::ValueView const& value) {
        int found = 1;
        while (next < N && (found = order(names[next], key)) < 0)
            ++next;
        if (next < N && found == 0)
            fields[next] = value;
    });
    return fields;
}

// visit(map) for each map among the elements of a list, in list order.
template <class Visit>
void for_each_map(crdt::ObjectView list, Visit&& visit)
{
    list.for_each_element([&](crdt::ValueView const& value) {
        if (auto map = value.object(); map && map.type() == crdt::ObjType::Map)
            visit(map);
    });
}

} // namespace chat
