#pragma once

// Reads the named keys of a map in one pass over it: a record's dozen fields
// cost one walk instead of a lookup each.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "crdt/document.h"

namespace chat {

template <std::size_t N>
using Fields = std::array<std::optional<crdt::Value>, N>;

// The value under each of `names`, in the same order; nothing where the map
// has no such key (or is not a map).
template <std::size_t N>
Fields<N> read_fields(crdt::Document const& doc, crdt::ObjId const& map, std::array<std::string_view, N> const& names)
{
    Fields<N> fields;
    doc.for_each_entry(map, [&](std::string_view key, crdt::Value&& value) {
        for (std::size_t index = 0; index < N; ++index) {
            if (key == names[index]) {
                fields[index] = std::move(value);
                return;
            }
        }
    });
    return fields;
}

// The maps among the elements of a list, in list order.
std::vector<crdt::ObjId> maps_in(crdt::Document const&, crdt::ObjId const& list);

} // namespace chat
