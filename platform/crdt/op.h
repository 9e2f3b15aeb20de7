#pragma once

// The in-memory operation record. Kept small: one document may hold millions.

#include <cstddef>
#include <cstdint>
#include <limits>

namespace crdt {

inline constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// Packed to 4-byte alignment: an op id is 12 bytes, an op 48.
#pragma pack(push, 4)

// counter, and the actor as an index into the document's actor table.
struct OpId {
    std::uint64_t counter = 0;
    std::uint32_t actor = 0;
    bool operator==(OpId const&) const = default;
};

#pragma pack(pop)

// A scalar without heap storage: numbers and strings or bytes up to 8 long live in
// payload; longer ones are (offset, length) into the op set's byte arena.
struct PackedValue {
    std::uint64_t payload = 0;
    std::uint32_t length = 0;
    std::uint8_t type = 0;   // value-metadata type code
    bool in_arena() const { return length > 8; }
};

#pragma pack(push, 4)

struct Op {
    OpId id;
    std::uint32_t obj = 0;        // object index
    std::uint32_t key = none;     // maps: key index; sequences: element (its insert op), none = head
    std::uint32_t pred_begin = 0; // into the op set's predecessor pool
    std::uint32_t aux = none;     // sequence inserts: the block holding the element
    std::uint64_t value_payload = 0; // make ops have no value: the payload holds the object made
    std::uint32_t value_length = 0;
    std::uint16_t pred_count = 0;
    std::uint16_t succ_count = 0; // successors other than increments; saturates (only zero matters)
    std::uint8_t value_type = 0;
    std::uint8_t action = 0;
    bool insert = false;
    bool expand = false;

    PackedValue value() const { return { value_payload, value_length, value_type }; }
    void set_value(PackedValue v)
    {
        value_payload = v.payload;
        value_length = v.length;
        value_type = v.type;
    }
    std::uint32_t made_object() const { return static_cast<std::uint32_t>(value_payload); }
    void add_successor()
    {
        if (succ_count != UINT16_MAX)
            ++succ_count;
    }
};

#pragma pack(pop)

static_assert(sizeof(Op) == 48);

// MakeMap, MakeList, MakeText and MakeTable.
inline bool is_make_action(std::uint8_t action) { return action == 0 || action == 2 || action == 4 || action == 6; }

// Ops carry their predecessors' count in 16 bits.
inline constexpr std::size_t max_predecessors = UINT16_MAX;

} // namespace crdt
