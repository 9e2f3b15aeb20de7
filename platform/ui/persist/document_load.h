#pragma once

// Loading a document file's bytes: complete chunks load, a torn final append is dropped.

#include "base/result.h"
#include "crdt/document.h"

#include <cstdint>
#include <span>

namespace orvo_ui::persist {

struct LoadedDocument {
    crdt::Document document;
    bool torn = false; // an interrupted append was dropped
};

// Bytes that do not look like the start of a chunk, or a file without one complete
// chunk, are an error: a file's first write is atomic, so only appends can be torn.
base::Result<LoadedDocument> load_document(std::span<std::uint8_t const> bytes);

} // namespace orvo_ui::persist
