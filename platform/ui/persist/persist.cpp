#include "ui/persist/persist.h"

#include "crdt/document.h"
#include "identity/xdg_paths.h"
#include "ui/persist/document_load.h"
#include "ui/persist/file_io.h"

#include <spdlog/spdlog.h>

namespace orvo_ui::persist {

namespace {

// Whether `path` holds a document that loads (a torn final chunk allowed).
std::optional<std::vector<std::uint8_t>> loadable_document(std::filesystem::path const& path)
{
    bool missing = false;
    auto bytes = read_file(path, missing);
    if (!bytes || missing) return std::nullopt;
    if (!load_document(*bytes)) return std::nullopt;
    return std::move(bytes).value();
}

} // namespace

Storage default_storage(AppInfo const& app)
{
    auto data = xdg_paths::data_dir();
    if (!data) return Storage{};
    return Storage{*data / app.app_id};
}

OpenResult open(AppInfo const& app, Storage const& storage)
{
    if (!storage.default_dir) return DocumentFile::in_memory();
    return DocumentFile::open_path(*storage.default_dir / "document.automerge", app.app_id);
}

OpenResult open_migrating(AppInfo const& app, Storage const& storage, std::filesystem::path const& path)
{
    std::error_code ec;
    if (storage.default_dir && !std::filesystem::exists(path, ec)) {
        auto old_path = *storage.default_dir / path.filename();
        if (auto old_bytes = loadable_document(old_path)) {
            auto dir = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
            TRY_VOID(make_private_dirs(dir));
            TRY_VOID(replace_file(path, *old_bytes));
            spdlog::info("persist: copied {} to {}", old_path.string(), path.string());
        }
    }
    return DocumentFile::open_path(path, app.app_id);
}

} // namespace orvo_ui::persist
