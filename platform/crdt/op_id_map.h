#pragma once

// Op id -> op index, open addressing. A std::unordered_map costs about three times
// the memory per entry and the engine keeps one entry per operation.

#include "crdt/op.h"

#include <cstdint>
#include <vector>

namespace crdt {

class OpIdMap {
public:
    std::uint32_t find(OpId id) const
    {
        if (m_slots.empty())
            return none;
        for (auto i = slot_for(id);; i = (i + 1) & m_mask) {
            auto const& slot = m_slots[i];
            if (slot.counter == 0)
                return none;
            if (slot.counter == id.counter && slot.actor == id.actor)
                return slot.value;
        }
    }

    // Ids have counter >= 1; an id already present keeps its first index.
    void insert(OpId id, std::uint32_t value)
    {
        if ((m_size + 1) * 10 > m_slots.size() * 7)
            grow();
        for (auto i = slot_for(id);; i = (i + 1) & m_mask) {
            auto& slot = m_slots[i];
            if (slot.counter == 0) {
                slot = { id.counter, id.actor, value };
                ++m_size;
                return;
            }
            if (slot.counter == id.counter && slot.actor == id.actor)
                return;
        }
    }

    std::size_t size() const { return m_size; }

    void reserve(std::size_t count)
    {
        while ((count + 1) * 10 > m_slots.size() * 7)
            grow();
    }

private:
    struct Slot {
        std::uint64_t counter = 0;
        std::uint32_t actor = 0;
        std::uint32_t value = 0;
    };

    // Runs of eight consecutive counters of one actor land in adjacent slots: ops
    // are mostly looked up in counter order, and this keeps those lookups in cache.
    std::size_t slot_for(OpId id) const
    {
        std::uint64_t h = (id.counter >> 3) * 0x9e3779b97f4a7c15ull ^ (std::uint64_t(id.actor) * 0xc2b2ae3d27d4eb4full);
        h ^= h >> 29;
        return static_cast<std::size_t>((h << 3) | (id.counter & 7)) & m_mask;
    }

    void grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
        m_mask = m_slots.size() - 1;
        m_size = 0;
        for (auto const& slot : old)
            if (slot.counter != 0)
                insert({ slot.counter, slot.actor }, slot.value);
    }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_size = 0;
};

} // namespace crdt
