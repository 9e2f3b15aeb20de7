#pragma once

// An open document and the file it lives in.
//
// File layout: a compacted document chunk followed by appended change chunks.
// Changes are appended and flushed after every frame that made any; when the
// appended part outgrows the compacted part, and when the file is closed, the
// whole document is rewritten through a temporary file and a rename.

#include "base/result.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace crdt {
class Document;
}

namespace orvo_ui::persist {

class DocumentFile;
using OpenResult = base::Result<std::unique_ptr<DocumentFile>>;

class DocumentFile {
public:
    // A document that lives in memory only (no data directory).
    static std::unique_ptr<DocumentFile> in_memory();
    // Opens or creates the file, taking the data directory's lock. A torn final
    // chunk is dropped; a file that does not load is moved aside and a new
    // document starts (see take_notice).
    static OpenResult open_path(std::filesystem::path const& path, std::string const& app_id);

    ~DocumentFile();
    DocumentFile(DocumentFile const&) = delete;
    DocumentFile& operator=(DocumentFile const&) = delete;

    crdt::Document& document() { return *m_document; }
    std::optional<std::filesystem::path> const& path() const { return m_path; }

    // Appends the changes made since the last save and flushes them to disk.
    // Compacts when the appended part has outgrown the compacted part.
    base::Result<void> save_changes();
    // Rewrites the file as one compacted document.
    base::Result<void> compact();

    // A notice for the user about what happened while opening (e.g. a file set aside).
    std::optional<std::string> take_notice() { return std::exchange(m_notice, std::nullopt); }

private:
    DocumentFile();
    base::Result<void> open_for_append();

    std::unique_ptr<crdt::Document> m_document;
    std::optional<std::filesystem::path> m_path;
    int m_lock_fd = -1;
    int m_append_fd = -1;
    std::size_t m_compacted_bytes = 0;
    std::size_t m_appended_bytes = 0;
    bool m_compact_due = false;
    std::optional<std::string> m_notice;
};

} // namespace orvo_ui::persist
