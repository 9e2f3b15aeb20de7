#include "crdt/types.h"

#include "crdt/hex.h"

#include <sys/random.h>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace crdt {

ActorId ActorId::random()
{
    std::vector<std::uint8_t> bytes(16);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        auto got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got > 0)
            filled += static_cast<std::size_t>(got);
    }
    return ActorId(std::move(bytes));
}

std::optional<ActorId> ActorId::from_hex(std::string_view hex)
{
    auto bytes = decode_hex(hex);
    if (!bytes)
        return std::nullopt;
    return ActorId(std::move(*bytes));
}

ActorId::ActorId(std::span<std::uint8_t const> bytes) : m_size(bytes.size())
{
    if (bytes.size() <= inline_size)
        std::copy(bytes.begin(), bytes.end(), m_inline.begin());
    else
        m_long.assign(bytes.begin(), bytes.end());
}

std::strong_ordering ActorId::operator<=>(ActorId const& other) const
{
    auto a = view();
    auto b = other.view();
    auto common = std::min(a.size(), b.size());
    if (auto order = std::memcmp(a.data(), b.data(), common); order != 0)
        return order < 0 ? std::strong_ordering::less : std::strong_ordering::greater;
    return a.size() <=> b.size();
}

bool ActorId::operator==(ActorId const& other) const
{
    auto a = view();
    auto b = other.view();
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

std::string ActorId::to_hex() const { return encode_hex(view()); }

std::string ChangeHash::to_hex() const { return encode_hex(bytes); }

std::optional<ChangeHash> ChangeHash::from_hex(std::string_view hex)
{
    auto decoded = decode_hex(hex);
    if (!decoded || decoded->size() != 32)
        return std::nullopt;
    ChangeHash hash;
    std::memcpy(hash.bytes.data(), decoded->data(), 32);
    return hash;
}

std::string_view to_string(ObjType type)
{
    switch (type) {
    case ObjType::Map: return "map";
    case ObjType::List: return "list";
    case ObjType::Text: return "text";
    case ObjType::Table: return "table";
    }
    return "map";
}

std::string ObjId::to_string() const
{
    if (is_root())
        return "_root";
    return std::to_string(m_counter) + "@" + m_actor.to_hex();
}

std::optional<ObjId> ObjId::parse(std::string_view text)
{
    if (text == "_root")
        return ObjId{};
    auto at = text.find('@');
    if (at == std::string_view::npos || at == 0)
        return std::nullopt;
    std::uint64_t counter = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + at, counter);
    if (ec != std::errc{} || end != text.data() + at || counter == 0)
        return std::nullopt;
    auto actor = ActorId::from_hex(text.substr(at + 1));
    if (!actor)
        return std::nullopt;
    return ObjId(counter, std::move(*actor));
}

std::strong_ordering ObjId::operator<=>(ObjId const& other) const
{
    if (auto order = m_counter <=> other.m_counter; order != 0)
        return order;
    return m_actor <=> other.m_actor;
}

} // namespace crdt

namespace {

std::size_t hash_bytes(std::uint8_t const* data, std::size_t size)
{
    // FNV-1a: actor ids and hashes are already well mixed, this only folds them.
    std::size_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

} // namespace

std::size_t std::hash<crdt::ActorId>::operator()(crdt::ActorId const& actor) const noexcept
{
    return hash_bytes(actor.view().data(), actor.view().size());
}

std::size_t std::hash<crdt::ObjId>::operator()(crdt::ObjId const& id) const noexcept
{
    return std::hash<crdt::ActorId>{}(id.actor()) * 31 + std::hash<std::uint64_t>{}(id.counter());
}

std::size_t std::hash<crdt::ChangeHash>::operator()(crdt::ChangeHash const& hash) const noexcept
{
    std::size_t value = 0;
    std::memcpy(&value, hash.bytes.data(), sizeof value);
    return value;
}
