#include "crdt/leb128.h"

namespace crdt {

void write_uleb_long(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    do {
        std::uint8_t byte = value & 0x7f;
        value >>= 7;
        out.push_back(value ? (byte | 0x80) : byte);
    } while (value);
}

void write_sleb_long(std::vector<std::uint8_t>& out, std::int64_t value)
{
    while (true) {
        std::uint8_t byte = value & 0x7f;
        value >>= 7; // arithmetic shift keeps the sign
        bool done = (value == 0 && !(byte & 0x40)) || (value == -1 && (byte & 0x40));
        out.push_back(done ? byte : (byte | 0x80));
        if (done)
            return;
    }
}

void write_bytes(std::vector<std::uint8_t>& out, std::span<std::uint8_t const> bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void write_prefixed(std::vector<std::uint8_t>& out, std::span<std::uint8_t const> bytes)
{
    write_uleb(out, bytes.size());
    write_bytes(out, bytes);
}

std::span<std::uint8_t const> as_bytes(std::string_view text)
{
    return { reinterpret_cast<std::uint8_t const*>(text.data()), text.size() };
}

base::Result<std::uint64_t> Reader::uleb()
{
    std::uint64_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
        if (m_pos >= m_bytes.size())
            return base::error("truncated LEB128 integer");
        std::uint8_t byte = m_bytes[m_pos++];
        std::uint64_t bits = byte & 0x7f;
        if (shift == 63 && bits > 1)
            return base::error("LEB128 integer exceeds 64 bits");
        value |= bits << shift;
        if (!(byte & 0x80)) {
            if (byte == 0 && shift > 0)
                return base::error("overlong LEB128 integer");
            return value;
        }
        if (shift == 63)
            return base::error("LEB128 integer exceeds 64 bits");
    }
}

base::Result<std::int64_t> Reader::sleb()
{
    std::uint64_t value = 0;
    std::size_t start = m_pos;
    for (unsigned shift = 0;; shift += 7) {
        if (m_pos >= m_bytes.size())
            return base::error("truncated LEB128 integer");
        std::uint8_t byte = m_bytes[m_pos++];
        std::uint64_t bits = byte & 0x7f;
        if (shift == 63) {
            // The tenth byte holds only the sign bit, extended.
            if ((byte & 0x80) || (bits != 0 && bits != 0x7f))
                return base::error("LEB128 integer exceeds 64 bits");
        }
        value |= bits << shift;
        if (byte & 0x80)
            continue;
        if (shift + 7 < 64 && (byte & 0x40))
            value |= ~std::uint64_t(0) << (shift + 7);
        if (m_pos - start > 1) {
            std::uint8_t prev = m_bytes[m_pos - 2];
            bool redundant = (byte == 0 && !(prev & 0x40)) || (byte == 0x7f && (prev & 0x40));
            if (redundant)
                return base::error("overlong LEB128 integer");
        }
        return static_cast<std::int64_t>(value);
    }
}

base::Result<std::uint8_t> Reader::byte()
{
    if (m_pos >= m_bytes.size())
        return base::error("unexpected end of data");
    return m_bytes[m_pos++];
}

base::Result<std::span<std::uint8_t const>> Reader::bytes(std::uint64_t count)
{
    if (count > remaining())
        return base::error("length exceeds the available data");
    auto out = m_bytes.subspan(m_pos, count);
    m_pos += count;
    return out;
}

base::Result<std::span<std::uint8_t const>> Reader::prefixed()
{
    auto length = uleb();
    if (!length)
        return std::move(length).take_error();
    return bytes(*length);
}

std::span<std::uint8_t const> Reader::rest()
{
    auto out = m_bytes.subspan(m_pos);
    m_pos = m_bytes.size();
    return out;
}

} // namespace crdt
