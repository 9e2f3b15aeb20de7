#pragma once

// Where channels and categories sit: the few fields the mutations decide on.
// Read with the same defaults and order as the model's projection, so a
// decision here agrees with what the views show.

#include "crdt/document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chat::doc {

struct ChannelPlace {
    std::string id;
    std::string workspace;
    std::string category; // empty: no category
    std::uint32_t order = 0;
};

struct CategoryPlace {
    std::string id;
    std::string workspace;
    std::uint32_t order = 0;
};

// Every channel record (map) under "channels", by order ascending, ties in
// ascending id order.
std::vector<ChannelPlace> channel_places(crdt::Document const&);
// Every category record (map) under "categories", ordered the same way.
std::vector<CategoryPlace> category_places(crdt::Document const&);

// Orders are unsigned 32-bit values; a stored integer keeps its low 32 bits.
std::uint32_t stored_order(crdt::Document const&, crdt::ObjId const& record);

// 0 when the workspace and category hold no channel, else one more than the
// largest order there (wrapping as unsigned 32-bit arithmetic does).
std::uint32_t next_channel_order(crdt::Document const&, std::string_view workspace, std::string_view category);

} // namespace chat::doc
