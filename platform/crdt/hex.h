#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace crdt {

std::string encode_hex(std::span<std::uint8_t const> bytes);
// Lower or upper case; nothing for odd length or a non-hex digit.
std::optional<std::vector<std::uint8_t>> decode_hex(std::string_view hex);

} // namespace crdt
