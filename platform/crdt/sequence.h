#pragma once

// The element order of one list or text object: blocks of element ids (insert-op
// indices) with a visible count per block, so finding the n-th visible element
// costs a walk over block counts plus one block, and a cursor remembered from the
// previous lookup makes runs of nearby edits (typing) cheap.

#include "crdt/op_table.h"

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace crdt {

class Sequence {
public:
    // Its blocks and text live in `memory`.
    explicit Sequence(std::pmr::memory_resource* memory) : m_blocks(memory), m_order(memory), m_text(memory) {}
    std::pmr::memory_resource* memory() const { return m_order.get_allocator().resource(); }

    struct Position {
        std::uint32_t order = 0;  // block position in the sequence
        std::uint32_t offset = 0; // element offset in that block (may equal its size: the end)
    };

    std::size_t visible_count() const { return m_visible_total; }
    bool empty() const { return m_blocks.empty(); }

    // Appends at the end (loading elements that are already in order).
    void append(OpTable& ops, std::uint32_t elem, bool visible);
    // Inserts before `at`; at == end() appends.
    void insert(OpTable& ops, Position at, std::uint32_t elem, bool visible);

    Position begin() const { return { 0, 0 }; }
    Position end() const;
    bool at_end(Position p) const;
    Position next(Position p) const;
    std::uint32_t element(Position p) const;
    bool visible(Position p) const;

    Position position_of(OpTable const& ops, std::uint32_t elem) const;
    // The position of the visible element with this index, if there is one.
    std::optional<Position> find_visible(std::size_t index);
    void set_visible(OpTable const& ops, std::uint32_t elem, bool visible);

    template <typename F>
    void for_each(F&& f) const
    {
        for (auto id : m_order)
            for (auto entry : m_blocks[id].elems)
                f(entry & index_mask, (entry & visible_bit) != 0);
    }

    // Sets every element's visibility from visible(elem) and recounts.
    template <typename F>
    void reset_visibility(F&& visible)
    {
        m_visible_total = 0;
        for (auto& block : m_blocks) {
            block.visible = 0;
            for (auto& entry : block.elems) {
                bool shown = visible(entry & index_mask);
                entry = shown ? (entry | visible_bit) : (entry & index_mask);
                block.visible += shown;
            }
            m_visible_total += block.visible;
        }
        m_cursor_order = 0;
        m_cursor_prefix = 0;
    }

    // A text's content kept between edits, so reading it whole is one copy
    // instead of a walk over an op per character. Nothing while it is stale.
    std::pmr::string const* cached_text() const { return m_text_fresh ? &m_text : nullptr; }
    void set_cached_text(std::string_view text)
    {
        m_text.assign(text);
        m_text_fresh = true;
        m_text_queued = false;
    }
    // Drops the content; true when the caller should queue the sequence for
    // settling (it was not queued already).
    bool drop_cached_text()
    {
        m_text_fresh = false;
        m_text.clear();
        return !std::exchange(m_text_queued, true);
    }
    void unqueue_text() { m_text_queued = false; }

private:
    static constexpr std::uint32_t visible_bit = 0x80000000u;
    static constexpr std::uint32_t index_mask = 0x7fffffffu;
    static constexpr std::size_t max_block = 256;

    // Takes its vector's memory resource (uses-allocator construction).
    struct Block {
        using allocator_type = std::pmr::polymorphic_allocator<>;
        explicit Block(allocator_type memory = {}) : elems(memory) {}
        Block(Block const& other, allocator_type memory)
            : elems(other.elems, memory), visible(other.visible), order(other.order) {}
        Block(Block&& other, allocator_type memory)
            : elems(std::move(other.elems), memory), visible(other.visible), order(other.order) {}
        Block(Block const&) = default;
        Block(Block&&) noexcept = default;
        Block& operator=(Block const&) = default;
        Block& operator=(Block&&) noexcept = default;

        std::pmr::vector<std::uint32_t> elems;
        std::uint32_t visible = 0;
        std::uint32_t order = 0;
    };

    void split(OpTable& ops, std::uint32_t order);
    void remember(std::uint32_t elem, std::uint32_t block, std::uint32_t offset) const;
    void adjust_visible(std::uint32_t order, int delta);

    std::pmr::vector<Block> m_blocks;        // by block id
    std::pmr::vector<std::uint32_t> m_order; // block ids in sequence order
    std::size_t m_visible_total = 0;
    // Visible elements before block m_cursor_order.
    std::uint32_t m_cursor_order = 0;
    std::size_t m_cursor_prefix = 0;
    // The element last found or inserted and where it was: the next edit is
    // usually right there, which saves scanning its block.
    mutable std::uint32_t m_hint_elem = none;
    mutable std::uint32_t m_hint_block = 0;
    mutable std::uint32_t m_hint_offset = 0;
    std::pmr::string m_text;
    bool m_text_fresh = false;
    bool m_text_queued = false;
};

} // namespace crdt
