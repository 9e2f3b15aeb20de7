#include "ui/persist/chunk_scan.h"

#include <algorithm>

namespace orvo_ui::persist {

namespace {

constexpr std::uint8_t magic[4] = {0x85, 0x6F, 0x4A, 0x83};
constexpr std::size_t fixed_header = 4 + 4 + 1; // magic, checksum, type

// Reads an unsigned LEB128 of at most 10 bytes; false when it runs past the end or overflows.
bool read_uleb(std::span<std::uint8_t const> bytes, std::size_t& pos, std::uint64_t& out)
{
    out = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (pos >= bytes.size()) return false;
        std::uint8_t b = bytes[pos++];
        out |= std::uint64_t(b & 0x7f) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

} // namespace

ChunkScan scan_chunks(std::span<std::uint8_t const> bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t start = pos;
        if (bytes.size() - pos < fixed_header) break;
        bool magic_ok = true;
        for (int i = 0; i < 4; ++i) magic_ok &= bytes[pos + i] == magic[i];
        if (!magic_ok) break;
        pos += fixed_header;
        std::uint64_t length = 0;
        if (!read_uleb(bytes, pos, length) || length > bytes.size() - pos) {
            pos = start;
            break;
        }
        pos += length;
    }
    std::size_t rest = bytes.size() - pos;
    bool starts_chunk = rest > 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(rest, 4); ++i) starts_chunk &= bytes[pos + i] == magic[i];
    return {pos, rest, starts_chunk};
}

} // namespace orvo_ui::persist
