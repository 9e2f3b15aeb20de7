#pragma once

// A range inside some text, and the unit its positions count.

#include <cstdint>

namespace chat {

enum class SpanUnit { Chars, Bytes };

struct Span {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    SpanUnit unit = SpanUnit::Chars;

    bool operator==(Span const&) const = default;
};

} // namespace chat
