#pragma once

// The op table: ops in fixed-size chunks, so growing never copies the table or
// leaves half of it as spare capacity, and op references stay put.

#include "crdt/huge_pages.h"
#include "crdt/op.h"

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace crdt {

class OpTable {
public:
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    Op& operator[](std::size_t i) { return m_chunks[i >> chunk_shift][i & chunk_mask]; }
    Op const& operator[](std::size_t i) const { return m_chunks[i >> chunk_shift][i & chunk_mask]; }

    void push_back(Op const& op)
    {
        if ((m_size >> chunk_shift) == m_chunks.size())
            add_chunk();
        new (&m_chunks[m_size >> chunk_shift][m_size & chunk_mask]) Op(op);
        ++m_size;
    }

    void reserve(std::size_t count) { m_chunks.reserve((count >> chunk_shift) + 1); }

private:
    static constexpr std::size_t chunk_shift = 12;
    static constexpr std::size_t chunk_size = std::size_t(1) << chunk_shift;
    static constexpr std::size_t chunk_mask = chunk_size - 1;
    static constexpr std::size_t chunk_bytes = chunk_size * sizeof(Op);
    static constexpr std::size_t chunks_per_region = huge_page_size / chunk_bytes;
    // Ops of small documents stay in ordinary memory.
    static constexpr std::size_t ordinary_chunks = 8;

    void add_chunk()
    {
        if (m_chunks.size() < ordinary_chunks) {
            m_ordinary.push_back(std::make_unique<Op[]>(chunk_size));
            m_chunks.push_back(m_ordinary.back().get());
            return;
        }
        auto const in_regions = m_chunks.size() - ordinary_chunks;
        if (in_regions % chunks_per_region == 0)
            m_regions.emplace_back(chunks_per_region * chunk_bytes);
        auto* base = static_cast<char*>(m_regions.back().data());
        m_chunks.push_back(reinterpret_cast<Op*>(base + (in_regions % chunks_per_region) * chunk_bytes));
    }

    std::vector<Op*> m_chunks;
    std::vector<std::unique_ptr<Op[]>> m_ordinary;
    std::vector<HugeRegion> m_regions;
    std::size_t m_size = 0;
};

static_assert(std::is_trivially_destructible_v<Op>);

} // namespace crdt
