#pragma once

// The chat's user-facing strings, looked up by key, in Fluent syntax (en-US),
// compiled into the program.

#include "ui/i18n/embedded_catalog.h"

#include <string>
#include <string_view>

namespace chat::strings {

std::string_view catalog_source();
orvo_ui::i18n::EmbeddedCatalog const& catalog();
// The text of `key`; a missing key reads as the key itself.
std::string t(std::string_view key);

} // namespace chat::strings
