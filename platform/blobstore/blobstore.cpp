#include "blobstore/blobstore.h"

#include "identity/xdg_paths.h"

#include <mutex>

namespace zozi::blobstore {

namespace {

std::mutex g_store_mutex;
std::shared_ptr<FsBlobStore> g_store;

} // namespace

std::optional<std::filesystem::path> FsBlobStore::default_root()
{
    auto data = xdg_paths::data_dir();
    if (!data) return std::nullopt;
    return *data / "zozi" / "blobs";
}

void set_store(std::shared_ptr<FsBlobStore> store)
{
    std::lock_guard lock(g_store_mutex);
    g_store = std::move(store);
}

std::shared_ptr<FsBlobStore> store()
{
    std::lock_guard lock(g_store_mutex);
    return g_store;
}

} // namespace zozi::blobstore
