#pragma once

// Value types of the document model: identifiers, object kinds and scalar values.

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace crdt {

// An actor is the author of changes; usually 16 random bytes, any length is legal.
// Up to 16 bytes are held inline: every object id carries an actor, and reads
// hand out object ids by the thousand.
class ActorId {
public:
    ActorId() = default;
    explicit ActorId(std::span<std::uint8_t const> bytes);
    explicit ActorId(std::vector<std::uint8_t> const& bytes) : ActorId(std::span<std::uint8_t const>(bytes)) {}
    static ActorId random();
    static std::optional<ActorId> from_hex(std::string_view hex);

    std::span<std::uint8_t const> view() const
    {
        return m_size <= inline_size ? std::span<std::uint8_t const>(m_inline.data(), m_size)
                                     : std::span<std::uint8_t const>(m_long);
    }
    std::vector<std::uint8_t> bytes() const { return { view().begin(), view().end() }; }
    std::string to_hex() const;

    // Byte-wise lexicographic order, the order actors sort in on disk.
    std::strong_ordering operator<=>(ActorId const& other) const;
    bool operator==(ActorId const& other) const;

private:
    static constexpr std::size_t inline_size = 16;
    std::array<std::uint8_t, inline_size> m_inline{};
    std::size_t m_size = 0;
    std::vector<std::uint8_t> m_long; // only when longer than inline_size
};

// SHA-256 of an encoded change chunk; identifies a change.
struct ChangeHash {
    std::array<std::uint8_t, 32> bytes{};

    std::string to_hex() const;
    static std::optional<ChangeHash> from_hex(std::string_view hex);

    auto operator<=>(ChangeHash const&) const = default;
    bool operator==(ChangeHash const&) const = default;
};

enum class ObjType : std::uint8_t { Map, List, Text, Table };

std::string_view to_string(ObjType type);

// An object is named by the id of the operation that created it; the root has none.
// Op ids order by counter first, then by actor bytes (the document's Lamport order);
// ObjId's own ordering is only by (counter, actor bytes) as well.
class ObjId {
public:
    ObjId() = default; // the root map
    ObjId(std::uint64_t counter, ActorId actor) : m_counter(counter), m_actor(std::move(actor)) {}
    // With where the document that handed it out keeps the object: a lookup
    // checks the hint before searching. It takes no part in comparisons.
    ObjId(std::uint64_t counter, ActorId actor, std::uint32_t hint)
        : m_counter(counter), m_actor(std::move(actor)), m_hint(hint) {}

    bool is_root() const { return m_counter == 0; }
    std::uint64_t counter() const { return m_counter; }
    ActorId const& actor() const { return m_actor; }
    std::uint32_t hint() const { return m_hint; }

    // "_root" for the root, otherwise "counter@actorhex".
    std::string to_string() const;
    static std::optional<ObjId> parse(std::string_view text);

    std::strong_ordering operator<=>(ObjId const& other) const;
    bool operator==(ObjId const& other) const { return m_counter == other.m_counter && m_actor == other.m_actor; }

private:
    std::uint64_t m_counter = 0;
    ActorId m_actor;
    std::uint32_t m_hint = UINT32_MAX;
};

inline ObjId const ROOT{};

struct Counter {
    std::int64_t value = 0;
    bool operator==(Counter const&) const = default;
};

// Milliseconds since the Unix epoch.
struct Timestamp {
    std::int64_t value = 0;
    bool operator==(Timestamp const&) const = default;
};

struct Bytes {
    std::vector<std::uint8_t> data;
    bool operator==(Bytes const&) const = default;
};

// A value of a type this engine does not know; kept so it survives a round trip.
struct UnknownValue {
    std::uint8_t type_code = 0;
    std::vector<std::uint8_t> data;
    bool operator==(UnknownValue const&) const = default;
};

struct Null {
    bool operator==(Null const&) const = default;
};

using ScalarValue = std::variant<Null, std::string, std::int64_t, std::uint64_t, double, bool,
                                 Counter, Timestamp, Bytes, UnknownValue>;

// What a read returns: a nested object, or a scalar.
struct ObjectRef {
    ObjId id;
    ObjType type = ObjType::Map;
    bool operator==(ObjectRef const&) const = default;
};

using Value = std::variant<ObjectRef, ScalarValue>;

inline bool is_object(Value const& value) { return std::holds_alternative<ObjectRef>(value); }

} // namespace crdt

template <>
struct std::hash<crdt::ActorId> {
    std::size_t operator()(crdt::ActorId const& actor) const noexcept;
};

template <>
struct std::hash<crdt::ObjId> {
    std::size_t operator()(crdt::ObjId const& id) const noexcept;
};

template <>
struct std::hash<crdt::ChangeHash> {
    std::size_t operator()(crdt::ChangeHash const& hash) const noexcept;
};
