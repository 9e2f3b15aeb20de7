#include "model/object_owners.h"

#include <bit>

namespace chat {

void ObjectOwners::clear()
{
    m_slots.clear();
    m_size = 0;
}

void ObjectOwners::reserve(std::size_t count)
{
    auto const wanted = std::bit_ceil(count + count / 3 + 1);
    if (wanted > m_slots.size())
        grow_to(wanted);
}

std::size_t ObjectOwners::slot_of(ObjectKey object) const
{
    auto const hash = (object.counter ^ (std::uint64_t{object.actor} << 48)) * 0x9e3779b97f4a7c15ull;
    auto const mask = m_slots.size() - 1;
    for (auto slot = static_cast<std::size_t>(hash ^ (hash >> 32)) & mask;; slot = (slot + 1) & mask) {
        if (m_slots[slot].object.counter == 0 || m_slots[slot].object == object)
            return slot;
    }
}

void ObjectOwners::grow_to(std::size_t capacity)
{
    auto old = std::move(m_slots);
    m_slots.assign(capacity, Slot{});
    for (auto const& slot : old)
        if (slot.object.counter != 0)
            m_slots[slot_of(slot.object)] = slot;
}

void ObjectOwners::set(ObjectKey object, ObjectKey owner)
{
    if ((m_size + 1) * 4 > m_slots.size() * 3)
        grow_to(m_slots.empty() ? 64 : m_slots.size() * 2);
    auto& slot = m_slots[slot_of(object)];
    if (slot.object.counter == 0) {
        slot.object = object;
        ++m_size;
    }
    slot.owner = owner;
}

std::optional<ObjectKey> ObjectOwners::find(ObjectKey object) const
{
    if (m_slots.empty())
        return std::nullopt;
    auto const& slot = m_slots[slot_of(object)];
    if (slot.object.counter == 0)
        return std::nullopt;
    return slot.owner;
}

} // namespace chat
