#pragma once

// The in-memory operation record. Kept small: one document may hold millions.

#include <cstdint>
#include <limits>

namespace crdt {

inline constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// counter, and the actor as an index into the document's actor table.
struct OpId {
    std::uint64_t counter = 0;
    std::uint32_t actor = 0;
    bool operator==(OpId const&) const = default;
};

// A scalar without heap storage: numbers and strings or bytes up to 8 long live in
// payload; longer ones are (offset, length) into the op set's byte arena.
struct PackedValue {
    std::uint64_t payload = 0;
    std::uint32_t length = 0;
    std::uint8_t type = 0;   // value-metadata type code
    bool in_arena() const { return length > 8; }
};

struct Op {
    OpId id;
    std::uint32_t obj = 0;        // object index
    std::uint32_t key = none;     // maps: key index; sequences: element (its insert op), none = head
    std::uint32_t pred_begin = 0; // into the op set's predecessor pool
    std::uint32_t pred_count = 0;
    std::uint32_t succ_count = 0; // successors other than increments
    std::uint32_t aux = none;     // sequence inserts: the block holding the element
    PackedValue value;            // make ops have no value: payload holds the object made
    std::uint8_t action = 0;
    bool insert = false;
    bool expand = false;

    std::uint32_t made_object() const { return static_cast<std::uint32_t>(value.payload); }
};

} // namespace crdt
