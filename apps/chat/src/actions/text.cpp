#include "actions/text.h"

#include <array>

#include <glib.h>

namespace chat::text {
namespace {

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

constexpr char32_t invalid = 0xFFFD;

} // namespace

Decoded decode_at(std::string_view text, std::size_t offset)
{
    auto const lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {invalid, 1};
    }
    if (offset + length > text.size())
        return {invalid, 1};
    for (std::size_t i = 1; i < length; ++i) {
        auto const byte = static_cast<unsigned char>(text[offset + i]);
        if (!is_continuation(byte))
            return {invalid, 1};
        value = (value << 6) | (byte & 0x3F);
    }
    bool const surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < minimum || value > 0x10FFFF || surrogate)
        return {invalid, 1};
    return {value, length};
}

Decoded decode_before(std::string_view text, std::size_t offset)
{
    if (offset == 0)
        return {};
    // A character is at most four bytes; take the longest well-formed one
    // that ends exactly at `offset`.
    for (std::size_t back = std::min<std::size_t>(4, offset); back > 1; --back) {
        auto const decoded = decode_at(text, offset - back);
        if (decoded.length == back && decoded.code_point != invalid)
            return decoded;
    }
    return {decode_at(text, offset - 1).code_point, 1};
}

bool is_white_space(char32_t c)
{
    static constexpr std::array<char32_t, 9> singles{0x20, 0x85, 0xA0, 0x1680, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    if ((c >= 0x09 && c <= 0x0D) || (c >= 0x2000 && c <= 0x200A))
        return true;
    for (char32_t single : singles)
        if (single == c)
            return true;
    return false;
}

bool is_letter_or_digit(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    switch (g_unichar_type(c)) {
    case G_UNICODE_LOWERCASE_LETTER:
    case G_UNICODE_UPPERCASE_LETTER:
    case G_UNICODE_TITLECASE_LETTER:
    case G_UNICODE_MODIFIER_LETTER:
    case G_UNICODE_OTHER_LETTER:
    case G_UNICODE_SPACING_MARK:
    case G_UNICODE_NON_SPACING_MARK:
    case G_UNICODE_ENCLOSING_MARK:
    case G_UNICODE_DECIMAL_NUMBER:
    case G_UNICODE_LETTER_NUMBER:
    case G_UNICODE_OTHER_NUMBER:
        return true;
    default:
        return false;
    }
}

bool is_valid_utf8(std::string_view text)
{
    for (std::size_t offset = 0; offset < text.size();) {
        auto const decoded = decode_at(text, offset);
        // U+FFFD itself is three bytes; a one-byte U+FFFD marks a bad byte.
        if (decoded.code_point == invalid && decoded.length == 1)
            return false;
        offset += decoded.length;
    }
    return true;
}

std::string_view trim_white_space(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        auto const decoded = decode_at(text, start);
        if (!is_white_space(decoded.code_point))
            break;
        start += decoded.length;
    }
    std::size_t end = text.size();
    while (end > start) {
        auto const decoded = decode_before(text, end);
        if (!is_white_space(decoded.code_point))
            break;
        end -= decoded.length;
    }
    return text.substr(start, end - start);
}

std::string_view first_characters(std::string_view text, std::size_t count)
{
    std::size_t offset = 0;
    for (std::size_t taken = 0; taken < count && offset < text.size(); ++taken)
        offset += decode_at(text, offset).length;
    return text.substr(0, offset);
}

std::string lower_case(std::string_view text)
{
    // GLib reads past a bad sequence and stops at a NUL; such text gets
    // only its ASCII letters lowered.
    if (!is_valid_utf8(text) || text.find('\0') != std::string_view::npos) {
        std::string lowered(text);
        for (char& c : lowered)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return lowered;
    }
    gchar* lowered = g_utf8_strdown(text.data(), static_cast<gssize>(text.size()));
    std::string result(lowered);
    g_free(lowered);
    return result;
}

} // namespace chat::text
