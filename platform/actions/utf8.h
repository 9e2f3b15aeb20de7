#pragma once

// Checks on untrusted text that reaches the action framework.

#include <optional>
#include <string>
#include <string_view>

namespace orvo_actions::utf8 {

// Nothing when `text` is well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF) without control characters (C0, DEL, C1); otherwise what is wrong.
std::optional<std::string> problem_in(std::string_view text);

} // namespace orvo_actions::utf8
