#include "model/unread.h"

#include <algorithm>
#include <array>

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
    std::int64_t count = 0;
    for_each_map(doc.view(*list), [&](crdt::ObjectView message) {
        constexpr std::array<std::string_view, 1> names{"parent"};
        auto const parent = read_fields(message, names)[0];
        count += !parent || doc::string_value(*parent).value_or(std::string_view()).empty();
    });
    return count;
}

std::int64_t top_level_count(std::span<Message const> messages)
{
    return std::count_if(messages.begin(), messages.end(), [](Message const& m) { return !m.parent; });
}

std::int64_t unread_count(crdt::Document const& doc, std::string_view channel, std::string_view person)
{
    return std::max<std::int64_t>(0, top_level_count(doc, channel) - read_marker(doc, channel, person));
}

} // namespace chat
