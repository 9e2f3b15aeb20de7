#pragma once

// The op table: ops in fixed-size chunks, so growing never copies the table or
// leaves half of it as spare capacity, and op references stay put.

#include "crdt/op.h"

#include <cstddef>
#include <memory>
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
            m_chunks.push_back(std::make_unique<Op[]>(chunk_size));
        m_chunks[m_size >> chunk_shift][m_size & chunk_mask] = op;
        ++m_size;
    }

    void reserve(std::size_t count) { m_chunks.reserve((count >> chunk_shift) + 1); }

private:
    static constexpr std::size_t chunk_shift = 12;
    static constexpr std::size_t chunk_size = std::size_t(1) << chunk_shift;
    static constexpr std::size_t chunk_mask = chunk_size - 1;

    std::vector<std::unique_ptr<Op[]>> m_chunks;
    std::size_t m_size = 0;
};

} // namespace crdt
