#pragma once

// Column encodings of the storage format: run-length (RLE) columns of unsigned,
// signed and string values, delta columns, boolean columns and raw value columns.
// Encoders make the same choices as the reference (a lone value is a literal run of
// one; a column holding only nulls is empty), so equal data has equal bytes.

#include "base/result.h"
#include "crdt/leb128.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

enum class ColumnType : std::uint8_t { Group = 0, Actor = 1, Uleb = 2, Delta = 3, Boolean = 4, String = 5, ValueMeta = 6, Value = 7 };

constexpr std::uint32_t column_spec(std::uint32_t id, ColumnType type) { return (id << 4) | static_cast<std::uint32_t>(type); }
constexpr std::uint32_t deflate_bit = 8;

namespace detail {
inline void write_value(std::vector<std::uint8_t>& out, std::uint64_t v) { write_uleb(out, v); }
inline void write_value(std::vector<std::uint8_t>& out, std::int64_t v) { write_sleb(out, v); }
inline void write_value(std::vector<std::uint8_t>& out, std::string const& v) { write_prefixed(out, as_bytes(v)); }
} // namespace detail

template <typename T>
class RleEncoder {
public:
    // Extending a run is by far the commonest case; it stays inline.
    void append(T const& value)
    {
        if (m_state == State::Run && m_last == value)
            ++m_count;
        else
            append_other(value);
    }
    void append_null()
    {
        if (m_state == State::Nulls)
            ++m_count;
        else
            start_nulls();
    }
    std::vector<std::uint8_t> finish();

private:
    enum class State { Empty, Nulls, Lone, Run, Literal };
    void append_other(T const& value);
    void start_nulls();
    void flush();

    State m_state = State::Empty;
    T m_last{};
    std::uint64_t m_count = 0;
    std::vector<T> m_literal;
    bool m_only_nulls = true;
    std::vector<std::uint8_t> m_out;
};

using UlebEncoder = RleEncoder<std::uint64_t>;
using IntEncoder = RleEncoder<std::int64_t>;
using StringEncoder = RleEncoder<std::string>;

class DeltaEncoder {
public:
    void append(std::int64_t value) { m_rle.append(value - m_previous); m_previous = value; }
    void append_null() { m_rle.append_null(); }
    std::vector<std::uint8_t> finish() { return m_rle.finish(); }

private:
    IntEncoder m_rle;
    std::int64_t m_previous = 0;
};

class BooleanEncoder {
public:
    void append(bool value)
    {
        if (value == m_current)
            ++m_count;
        else
            flip();
    }
    std::vector<std::uint8_t> finish();

private:
    void flip();

    bool m_current = false;
    std::uint64_t m_count = 0;
    std::vector<std::uint8_t> m_out;
};

// Reads an RLE column one value at a time; past its end a column reads as nulls.
template <typename T>
class RleDecoder {
public:
    explicit RleDecoder(std::span<std::uint8_t const> bytes = {}) : m_reader(bytes) {}

    base::Result<std::optional<T>> next();
    bool done() const { return m_remaining == 0 && m_reader.done(); }

private:
    base::Result<void> start_run();
    base::Result<T> read_value();

    Reader m_reader;
    enum class Kind { Run, Literal, Nulls } m_kind = Kind::Nulls;
    std::uint64_t m_remaining = 0;
    T m_value{};
};

using UlebDecoder = RleDecoder<std::uint64_t>;
using IntDecoder = RleDecoder<std::int64_t>;
using StringDecoder = RleDecoder<std::string>;

class DeltaDecoder {
public:
    explicit DeltaDecoder(std::span<std::uint8_t const> bytes = {}) : m_rle(bytes) {}
    base::Result<std::optional<std::int64_t>> next();
    bool done() const { return m_rle.done(); }

private:
    IntDecoder m_rle;
    std::int64_t m_value = 0;
};

class BooleanDecoder {
public:
    explicit BooleanDecoder(std::span<std::uint8_t const> bytes = {}) : m_reader(bytes) {}
    base::Result<bool> next();
    bool done() const { return m_remaining == 0 && m_reader.done(); }

private:
    Reader m_reader;
    bool m_value = true; // flips before the first run, which counts falses
    std::uint64_t m_remaining = 0;
};

} // namespace crdt
