#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace crdt {

// Splits UTF-8 text into its code points (each as a view of 1 to 4 bytes);
// nothing if the text is not valid UTF-8 (overlong forms and surrogates included).
std::optional<std::vector<std::string_view>> split_code_points(std::string_view text);

} // namespace crdt
