#pragma once

// Op id -> op index, open addressing. A slot holds only the op index (4 bytes)
// and a one-byte tag from the id's hash; the id itself is checked against the op
// table, so the map costs a fraction of a std::unordered_map with its keys, and
// the tag keeps probing from touching the op table for every slot it passes.

#include "crdt/op_table.h"

#include <cstdint>
#include <vector>

namespace crdt {

class OpIdMap {
public:
    explicit OpIdMap(OpTable const& ops) : m_ops(&ops) {}

    std::uint32_t find(OpId id) const
    {
        if (m_slots.empty())
            return none;
        auto const tag = tag_for(id);
        for (auto i = slot_for(id);; i = (i + 1) & m_mask) {
            auto index = m_slots[i];
            if (index == none)
                return none;
            if (m_tags[i] == tag && (*m_ops)[index].id == id)
                return index;
        }
    }

    // The op at `index` must already be in the table. False, and no change, when its
    // id is already mapped.
    bool insert(std::uint32_t index)
    {
        if ((m_size + 1) * 10 > m_slots.size() * 7)
            grow(m_slots.empty() ? 64 : m_slots.size() * 2);
        return place(index);
    }

    void reserve(std::size_t count)
    {
        std::size_t size = m_slots.empty() ? 64 : m_slots.size();
        while ((count + 1) * 10 > size * 7)
            size *= 2;
        if (size > m_slots.size())
            grow(size);
    }

    std::size_t size() const { return m_size; }

private:
    // Runs of eight consecutive counters of one actor land in adjacent slots: ops
    // are mostly looked up in counter order, and this keeps those lookups in cache.
    std::size_t slot_for(OpId id) const
    {
        std::uint64_t h = (id.counter >> 3) * 0x9e3779b97f4a7c15ull ^ (std::uint64_t(id.actor) * 0xc2b2ae3d27d4eb4full);
        h ^= h >> 29;
        return static_cast<std::size_t>((h << 3) | (id.counter & 7)) & m_mask;
    }

    static std::uint8_t tag_for(OpId id)
    {
        return static_cast<std::uint8_t>((id.counter * 0xff51afd7ed558ccdull ^ std::uint64_t(id.actor) * 0xc4ceb9fe1a85ec53ull) >> 56);
    }

    bool place(std::uint32_t index)
    {
        auto id = (*m_ops)[index].id;
        auto const tag = tag_for(id);
        for (auto i = slot_for(id);; i = (i + 1) & m_mask) {
            auto& slot = m_slots[i];
            if (slot == none) {
                slot = index;
                m_tags[i] = tag;
                ++m_size;
                return true;
            }
            if (m_tags[i] == tag && (*m_ops)[slot].id == id)
                return false;
        }
    }

    void grow(std::size_t size)
    {
        std::vector<std::uint32_t> old = std::move(m_slots);
        m_slots.assign(size, none);
        m_tags.assign(size, 0);
        m_mask = size - 1;
        m_size = 0;
        for (auto index : old)
            if (index != none)
                place(index);
    }

    OpTable const* m_ops;
    std::vector<std::uint32_t> m_slots;
    std::vector<std::uint8_t> m_tags;
    std::size_t m_mask = 0;
    std::size_t m_size = 0;
};

} // namespace crdt
