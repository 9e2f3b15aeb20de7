#pragma once

// Fresh ids for records the application creates.

#include <string>
#include <string_view>

namespace chat::doc {

// `prefix` followed by a random version-4 UUID as 32 lowercase hexadecimal
// digits without hyphens ("m_", "c_", "cat_").
std::string new_id(std::string_view prefix);

} // namespace chat::doc
