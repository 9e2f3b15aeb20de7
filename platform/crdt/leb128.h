#pragma once

// LEB128 integers and a bounds-checked reader over untrusted bytes.

#include "base/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

void write_uleb_long(std::vector<std::uint8_t>& out, std::uint64_t value);
void write_sleb_long(std::vector<std::uint8_t>& out, std::int64_t value);

// Most values in columns fit one byte; those stay inline.
inline void write_uleb(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    if (value < 0x80)
        out.push_back(static_cast<std::uint8_t>(value));
    else
        write_uleb_long(out, value);
}

inline void write_sleb(std::vector<std::uint8_t>& out, std::int64_t value)
{
    if (value >= -64 && value < 64)
        out.push_back(static_cast<std::uint8_t>(value & 0x7f));
    else
        write_sleb_long(out, value);
}
void write_bytes(std::vector<std::uint8_t>& out, std::span<std::uint8_t const> bytes);
void write_prefixed(std::vector<std::uint8_t>& out, std::span<std::uint8_t const> bytes); // uLEB length, bytes

std::span<std::uint8_t const> as_bytes(std::string_view text);

// Reads from a span; every read checks the remaining length. Overlong or
// out-of-range LEB128 forms are errors, so equal values always have equal bytes.
class Reader {
public:
    explicit Reader(std::span<std::uint8_t const> bytes) : m_bytes(bytes) {}

    bool done() const { return m_pos == m_bytes.size(); }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    std::size_t position() const { return m_pos; }

    base::Result<std::uint64_t> uleb();
    base::Result<std::int64_t> sleb();
    base::Result<std::uint8_t> byte();
    base::Result<std::span<std::uint8_t const>> bytes(std::uint64_t count);
    base::Result<std::span<std::uint8_t const>> prefixed(); // uLEB length, then that many bytes
    std::span<std::uint8_t const> rest();

private:
    std::span<std::uint8_t const> m_bytes;
    std::size_t m_pos = 0;
};

} // namespace crdt
