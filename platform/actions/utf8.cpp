#include "actions/utf8.h"

#include <cstdint>

namespace orvo_actions::utf8 {

namespace {

// Length of the sequence a lead byte announces, and the smallest value it may encode.
struct Lead {
    int length;
    std::uint32_t minimum;
    std::uint32_t bits;
};

std::optional<Lead> lead_of(unsigned char byte)
{
    if (byte < 0x80) return Lead{1, 0, byte};
    if ((byte & 0xE0) == 0xC0) return Lead{2, 0x80, byte & 0x1Fu};
    if ((byte & 0xF0) == 0xE0) return Lead{3, 0x800, byte & 0x0Fu};
    if ((byte & 0xF8) == 0xF0) return Lead{4, 0x10000, byte & 0x07u};
    return std::nullopt;
}

bool is_control(std::uint32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

} // namespace

std::optional<std::string> problem_in(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = lead_of(static_cast<unsigned char>(text[i]));
        if (!lead || i + lead->length > text.size())
            return "invalid UTF-8 at byte " + std::to_string(i);
        std::uint32_t value = lead->bits;
        for (int k = 1; k < lead->length; ++k) {
            auto byte = static_cast<unsigned char>(text[i + k]);
            if ((byte & 0xC0) != 0x80) return "invalid UTF-8 at byte " + std::to_string(i);
            value = (value << 6) | (byte & 0x3Fu);
        }
        if (value < lead->minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return "invalid UTF-8 at byte " + std::to_string(i);
        if (is_control(value)) return "control character at byte " + std::to_string(i);
        i += lead->length;
    }
    return std::nullopt;
}

} // namespace orvo_actions::utf8
