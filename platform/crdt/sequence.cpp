#include "crdt/sequence.h"

#include <algorithm>

namespace crdt {

Sequence::Position Sequence::end() const
{
    if (m_order.empty())
        return { 0, 0 };
    auto last = static_cast<std::uint32_t>(m_order.size() - 1);
    return { last, static_cast<std::uint32_t>(m_blocks[m_order[last]].elems.size()) };
}

bool Sequence::at_end(Position p) const
{
    if (p.order >= m_order.size())
        return true;
    if (p.offset < m_blocks[m_order[p.order]].elems.size())
        return false;
    // Past the end of this block: the end only if every later block is empty too.
    for (auto order = p.order + 1; order < m_order.size(); ++order)
        if (!m_blocks[m_order[order]].elems.empty())
            return false;
    return true;
}

Sequence::Position Sequence::next(Position p) const
{
    ++p.offset;
    while (p.order + 1 < m_order.size() && p.offset >= m_blocks[m_order[p.order]].elems.size())
        p = { p.order + 1, 0 };
    return p;
}

std::uint32_t Sequence::element(Position p) const
{
    while (p.offset >= m_blocks[m_order[p.order]].elems.size())
        p = { p.order + 1, 0 };
    return m_blocks[m_order[p.order]].elems[p.offset] & index_mask;
}

bool Sequence::visible(Position p) const
{
    while (p.offset >= m_blocks[m_order[p.order]].elems.size())
        p = { p.order + 1, 0 };
    return (m_blocks[m_order[p.order]].elems[p.offset] & visible_bit) != 0;
}

void Sequence::append(OpTable& ops, std::uint32_t elem, bool visible)
{
    insert(ops, end(), elem, visible);
}

void Sequence::insert(OpTable& ops, Position at, std::uint32_t elem, bool visible)
{
    if (m_order.empty()) {
        m_blocks.emplace_back();
        m_order.push_back(0);
        at = { 0, 0 };
    }
    if (at.order >= m_order.size())
        at = end();
    auto id = m_order[at.order];
    auto& block = m_blocks[id];
    auto offset = std::min<std::size_t>(at.offset, block.elems.size());
    block.elems.insert(block.elems.begin() + static_cast<std::ptrdiff_t>(offset), elem | (visible ? visible_bit : 0));
    ops[elem].aux = id;
    remember(elem, id, static_cast<std::uint32_t>(offset));
    if (visible)
        adjust_visible(at.order, 1);
    if (block.elems.size() > max_block)
        split(ops, at.order);
}

Sequence::Position Sequence::position_of(OpTable const& ops, std::uint32_t elem) const
{
    auto id = ops[elem].aux;
    auto const& block = m_blocks[id];
    if (elem == m_hint_elem && id == m_hint_block && m_hint_offset < block.elems.size()
        && (block.elems[m_hint_offset] & index_mask) == elem)
        return { block.order, m_hint_offset };
    auto found = std::find_if(block.elems.begin(), block.elems.end(),
        [elem](std::uint32_t entry) { return (entry & index_mask) == elem; });
    remember(elem, id, static_cast<std::uint32_t>(found - block.elems.begin()));
    return { block.order, m_hint_offset };
}

void Sequence::remember(std::uint32_t elem, std::uint32_t block, std::uint32_t offset) const
{
    m_hint_elem = elem;
    m_hint_block = block;
    m_hint_offset = offset;
}

std::optional<Sequence::Position> Sequence::find_visible(std::size_t index)
{
    if (index >= m_visible_total)
        return std::nullopt;
    while (m_cursor_order > 0 && index < m_cursor_prefix) {
        --m_cursor_order;
        m_cursor_prefix -= m_blocks[m_order[m_cursor_order]].visible;
    }
    while (index >= m_cursor_prefix + m_blocks[m_order[m_cursor_order]].visible) {
        m_cursor_prefix += m_blocks[m_order[m_cursor_order]].visible;
        ++m_cursor_order;
    }
    auto const& block = m_blocks[m_order[m_cursor_order]];
    std::size_t remaining = index - m_cursor_prefix;
    for (std::uint32_t offset = 0; offset < block.elems.size(); ++offset) {
        if (!(block.elems[offset] & visible_bit))
            continue;
        if (remaining == 0) {
            remember(block.elems[offset] & index_mask, m_order[m_cursor_order], offset);
            return Position{ m_cursor_order, offset };
        }
        --remaining;
    }
    return std::nullopt; // unreachable while the counts are right
}

void Sequence::set_visible(OpTable const& ops, std::uint32_t elem, bool visible)
{
    auto p = position_of(ops, elem);
    auto& entry = m_blocks[m_order[p.order]].elems[p.offset];
    bool was = (entry & visible_bit) != 0;
    if (was == visible)
        return;
    entry = visible ? (entry | visible_bit) : (entry & index_mask);
    adjust_visible(p.order, visible ? 1 : -1);
}

void Sequence::adjust_visible(std::uint32_t order, int delta)
{
    m_blocks[m_order[order]].visible += delta;
    m_visible_total += delta;
    if (order < m_cursor_order)
        m_cursor_prefix += delta;
}

void Sequence::split(OpTable& ops, std::uint32_t order)
{
    auto old_id = m_order[order];
    auto new_id = static_cast<std::uint32_t>(m_blocks.size());
    m_blocks.emplace_back();
    auto& old_block = m_blocks[old_id];
    auto& new_block = m_blocks[new_id];
    auto half = old_block.elems.size() / 2;
    new_block.elems.assign(old_block.elems.begin() + static_cast<std::ptrdiff_t>(half), old_block.elems.end());
    old_block.elems.resize(half);
    for (auto entry : new_block.elems) {
        ops[entry & index_mask].aux = new_id;
        if (entry & visible_bit)
            ++new_block.visible;
    }
    old_block.visible -= new_block.visible;
    m_order.insert(m_order.begin() + order + 1, new_id);
    for (auto i = order + 1; i < m_order.size(); ++i)
        m_blocks[m_order[i]].order = i;
    if (m_cursor_order > order)
        ++m_cursor_order;
}

} // namespace crdt
