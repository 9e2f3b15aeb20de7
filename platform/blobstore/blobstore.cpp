#include "blobstore/blobstore.h"

#include "identity/xdg_paths.h"

#include <nettle/sha2.h>

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

bool is_valid_key(std::string_view key)
{
    if (key.size() != 64) return false;
    for (char c : key)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

std::string key_of(ByteView bytes)
{
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, bytes.size(), bytes.data());
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&ctx, sizeof digest, digest);
    static constexpr char hex[] = "0123456789abcdef";
    std::string key;
    key.reserve(2 * sizeof digest);
    for (std::uint8_t b : digest) {
        key.push_back(hex[b >> 4]);
        key.push_back(hex[b & 0xf]);
    }
    return key;
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

base::Result<std::string> put(ByteView bytes)
{
    auto installed = store();
    if (!installed) return base::error("no blob store is installed");
    return installed->put(bytes);
}

std::optional<Bytes> get(std::string_view key)
{
    auto installed = store();
    if (!installed) return std::nullopt;
    return installed->get(key);
}

BlobState state(std::string_view key)
{
    auto installed = store();
    if (!installed) return BlobState::Missing;
    return installed->state(key);
}

} // namespace zozi::blobstore
