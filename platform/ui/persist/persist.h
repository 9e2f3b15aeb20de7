#pragma once

// The persisted document: one file holding a compacted document followed by
// appended changes, owned by one process at a time.

#include "base/result.h"
#include "ui/persist/document_file.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace crdt {
class Document;
}

namespace orvo_ui::persist {

// Which application is opening its document.
struct AppInfo {
    std::string app_id;
};

// Where the framework keeps an application's data when the application names no path.
struct Storage {
    // Absent when no data directory can be found (no XDG data home, no home).
    std::optional<std::filesystem::path> default_dir;
};

// Opens or creates the document at the framework's default location for this application.
// Without a default location the document lives in memory only.
OpenResult open(AppInfo const& app, Storage const& storage);

// Opens or creates the document at `path`. When `path` holds no file but the default
// directory holds a document of the same file name that loads, it is copied to `path`
// first; the old file stays where it was.
OpenResult open_migrating(AppInfo const& app, Storage const& storage, std::filesystem::path const& path);

// The framework's default location: <XDG data dir>/<app id>; its document is "document.automerge".
Storage default_storage(AppInfo const& app);

} // namespace orvo_ui::persist
