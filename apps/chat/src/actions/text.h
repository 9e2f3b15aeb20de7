#pragma once

// UTF-8 text as people see it: characters (code points), white space and
// letters by their Unicode properties. Bytes that are not well-formed UTF-8
// read as one character each that is neither white space nor a letter.

#include <cstddef>
#include <string>
#include <string_view>

namespace chat::text {

struct Decoded {
    char32_t code_point = 0;
    std::size_t length = 0; // bytes
};

// The character starting at byte `offset` (which must be inside `text`).
Decoded decode_at(std::string_view text, std::size_t offset);
// The character ending just before byte `offset`; nothing (length 0) at 0.
Decoded decode_before(std::string_view text, std::size_t offset);

// The Unicode White_Space property.
bool is_white_space(char32_t);
// Letters, combining marks (they belong to the letter before them) and
// numbers of every script.
bool is_letter_or_digit(char32_t);

bool is_valid_utf8(std::string_view);

std::string_view trim_white_space(std::string_view);
// The first `count` characters, or all of `text` when it has fewer.
std::string_view first_characters(std::string_view text, std::size_t count);
// Unicode lower case; text that is not valid UTF-8 has only its ASCII
// letters lowered.
std::string lower_case(std::string_view);

} // namespace chat::text
