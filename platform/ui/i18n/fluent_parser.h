#pragma once

// The line-oriented Fluent subset behind EmbeddedCatalog.

#include "ui/i18n/embedded_catalog.h"

#include "base/result.h"

namespace orvo_ui::i18n {

// Parses the text of one value (after "=" and its continuation lines joined
// with "\n") into text and placeables.
base::Result<EmbeddedCatalog::Pattern> parse_pattern(std::string_view value);

struct ParsedEntry {
    std::string key; // "name", "name.attribute" or "-term"
    EmbeddedCatalog::Pattern pattern;
};

struct ParsedCatalog {
    std::vector<ParsedEntry> entries;
    std::vector<std::string> errors;
};

ParsedCatalog parse_fluent(std::string_view source);

} // namespace orvo_ui::i18n
