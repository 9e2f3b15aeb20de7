#pragma once

// Which message map owns an object, for every object inside the projected
// messages: half a million entries for a large document, filled in one go on
// the first frame. Open addressing in one array, so filling it allocates
// nothing per entry and a lookup touches one or two cache lines.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace chat {

// An object named by its op id, the actor interned to a small number.
struct ObjectKey {
    std::uint64_t counter = 0; // never 0: the root owns nothing and is never owned
    std::uint32_t actor = 0;
    bool operator==(ObjectKey const&) const = default;
};

class ObjectOwners {
public:
    void clear();
    // Room for `count` entries without growing.
    void reserve(std::size_t count);
    void set(ObjectKey object, ObjectKey owner);
    std::optional<ObjectKey> find(ObjectKey object) const;
    std::size_t size() const { return m_size; }

private:
    struct Slot {
        ObjectKey object; // counter 0: empty
        ObjectKey owner;
    };
    std::size_t slot_of(ObjectKey object) const;
    void grow_to(std::size_t capacity);

    std::vector<Slot> m_slots; // a power of two long, at most 3/4 full
    std::size_t m_size = 0;
};

} // namespace chat
