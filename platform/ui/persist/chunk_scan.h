#pragma once

// Finds where the last complete chunk of a document file ends, so that a file
// torn by a crash during an append can be cut back to what was fully written.

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvo_ui::persist {

struct ChunkScan {
    // Bytes covered by chunks whose header and whole body are present.
    std::size_t complete_bytes = 0;
    // Bytes after them that do not form a complete chunk.
    std::size_t trailing_bytes = 0;
    // The trailing bytes begin like a chunk (its magic, or a prefix of it): what an
    // append interrupted by a crash leaves. Anything else is not a torn tail.
    bool trailing_starts_chunk = false;
};

// Walks chunk headers (magic, checksum, type, length); contents are not validated here.
ChunkScan scan_chunks(std::span<std::uint8_t const> bytes);

} // namespace orvo_ui::persist
