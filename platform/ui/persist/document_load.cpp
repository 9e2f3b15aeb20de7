#include "ui/persist/document_load.h"

#include "ui/persist/chunk_scan.h"

#include <string>

namespace orvo_ui::persist {

base::Result<LoadedDocument> load_document(std::span<std::uint8_t const> bytes)
{
    ChunkScan scan = scan_chunks(bytes);
    if (scan.trailing_bytes > 0 && (scan.complete_bytes == 0 || !scan.trailing_starts_chunk))
        return base::error("not a document (unexpected bytes at offset " + std::to_string(scan.complete_bytes) + ")");
    auto document = crdt::Document::load(bytes.first(scan.complete_bytes));
    if (!document) return std::move(document).take_error();
    return LoadedDocument{std::move(document).value(), scan.trailing_bytes > 0};
}

} // namespace orvo_ui::persist
