#include "model/message_parts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "doc/read.h"
#include "doc/records/record_json.h"
#include "model/map_fields.h"

namespace chat {
namespace {

std::string string_or_empty(std::optional<crdt::ValueView> const& value)
{
    return std::string(value ? doc::string_value(*value).value_or(std::string_view()) : std::string_view());
}

std::int64_t integer_or_zero(std::optional<crdt::ValueView> const& value)
{
    return value ? doc::integer_value(*value).value_or(0) : 0;
}

// Negative and missing values read as 0.
std::uint64_t unsigned_or_zero(std::optional<crdt::ValueView> const& value)
{
    return static_cast<std::uint64_t>(std::max<std::int64_t>(0, integer_or_zero(value)));
}

bool boolean_or_false(std::optional<crdt::ValueView> const& value)
{
    return value && doc::boolean_value(*value).value_or(false);
}

// Calls visit(fields) for every map element of `list`, with the values of `names`.
template <std::size_t N, class Visit>
void for_each_map_in(crdt::ObjectView list, std::array<std::string_view, N> const& names, Visit visit)
{
    for_each_map(list, [&](crdt::ObjectView entry) {
        auto fields = read_fields(entry, names);
        visit(fields);
    });
}

} // namespace

std::vector<HistoryEntry> read_history(crdt::ObjectView list)
{
    std::vector<HistoryEntry> history;
    constexpr std::array<std::string_view, 2> names{"text", "ts"};
    for_each_map_in(list, names, [&](Fields<2>& fields) {
        history.push_back({integer_or_zero(fields[1]), string_or_empty(fields[0])});
    });
    return history;
}

std::vector<ReactionGroup> read_reactions(crdt::ObjectView list)
{
    std::vector<ReactionGroup> groups;
    constexpr std::array<std::string_view, 2> names{"emoji", "user"};
    for_each_map_in(list, names, [&](Fields<2>& fields) {
        auto emoji = string_or_empty(fields[0]);
        if (emoji.empty())
            return;
        auto user = string_or_empty(fields[1]);
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

std::vector<Mention> read_mentions(crdt::ObjectView list)
{
    std::vector<Mention> mentions;
    constexpr std::array<std::string_view, 4> names{"agent", "len", "start", "user"};
    for_each_map_in(list, names, [&](Fields<4>& fields) {
        auto user = string_or_empty(fields[3]);
        if (user.empty())
            return;
        mentions.push_back(Mention{
            .user = std::move(user),
            .start = unsigned_or_zero(fields[2]),
            .len = unsigned_or_zero(fields[1]),
            .is_agent = boolean_or_false(fields[0]),
        });
    });
    return mentions;
}

std::optional<Attachment> read_attachment(crdt::ObjectView map)
{
    if (!map)
        return std::nullopt;
    constexpr std::array<std::string_view, 7> names{"blob", "h", "kind", "name", "path", "size", "w"};
    auto fields = read_fields(map, names);
    // Older documents keep demo references under "path".
    auto blob = string_or_empty(fields[0]);
    if (blob.empty())
        blob = string_or_empty(fields[4]);
    auto name = string_or_empty(fields[3]);
    auto const kind = string_or_empty(fields[2]);
    auto const w = integer_or_zero(fields[6]);
    auto const h = integer_or_zero(fields[1]);
    auto const size = integer_or_zero(fields[5]);
    // Pixel sizes keep the low 32 bits; byte sizes are the stored bits, unsigned.
    if (kind == "image")
        return ImageAttachment{std::move(name), std::move(blob), static_cast<std::uint32_t>(w),
                               static_cast<std::uint32_t>(h)};
    if (kind == "video")
        return VideoAttachment{std::move(name), std::move(blob), static_cast<std::uint32_t>(w),
                               static_cast<std::uint32_t>(h), static_cast<std::uint64_t>(size)};
    if (kind == "file")
        return FileAttachment{std::move(name), std::move(blob), static_cast<std::uint64_t>(size)};
    return std::nullopt;
}

std::optional<ResourceRef> read_reference(std::optional<std::string_view> text)
{
    if (!text || text->empty())
        return std::nullopt;
    auto reference = decode_record<ResourceRef>(*text);
    if (!reference)
        return std::nullopt;
    return std::move(*reference);
}

} // namespace chat
