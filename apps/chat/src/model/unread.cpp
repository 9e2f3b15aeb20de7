#include "model/unread.h"

#include <algorithm>

#include "doc/read.h"
#include "model/map_fields.h"

namespace chat {

std::int64_t read_marker(crdt::Document const& doc, std::string_view channel, std::string_view person)
{
    auto const read = doc::read_map(doc, crdt::Document::root(), "read");
    if (!read)
        return 0;
    auto const markers = doc::read_map(doc, *read, person);
    if (!markers)
        return 0;
    return doc::read_integer(doc, *markers, channel).value_or(0);
}

// Counts without projecting whole messages: only "parent" decides.
std::int64_t top_level_count(crdt::Document const& doc, std::string_view channel)
{
    auto const messages = doc::read_map(doc, crdt::Document::root(), "messages");
    if (!messages)
        return 0;
    auto const list = doc::read_list(doc, *messages, channel);
    if (!list)
        return 0;
    auto const maps = maps_in(doc, *list);
    return std::count_if(maps.begin(), maps.end(), [&](crdt::ObjId const& message) {
        return doc::read_string(doc, message, "parent").value_or(std::string()).empty();
    });
}

std::int64_t unread_count(crdt::Document const& doc, std::string_view channel, std::string_view person)
{
    return std::max<std::int64_t>(0, top_level_count(doc, channel) - read_marker(doc, channel, person));
}

} // namespace chat
