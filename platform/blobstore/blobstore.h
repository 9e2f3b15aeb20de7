#pragma once

// zozi::blobstore: a content-addressed file store shared by the whole process.
// A program builds one store, installs it with set_store, and then uses the
// free functions of this namespace.
//
// A blob's key is the SHA-256 of its bytes as 64 lowercase hexadecimal digits;
// the store keeps it in the file <root>/<first two digits>/<key>. Writes go
// through a temporary file in the same directory, fsync and rename, so a blob
// file is either absent or complete. Reads check the bytes against the key:
// a damaged file counts as missing.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zozi::blobstore {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<std::uint8_t const>;

struct FsBlobStoreConfig {
    std::filesystem::path root;
    // Largest blob a put accepts (0 = unlimited).
    std::uint64_t max_blob_bytes = 0;
    // Largest total the store keeps before it refuses new blobs (0 = unlimited).
    std::uint64_t max_store_bytes = 0;
    // Largest number of blobs the store keeps (0 = unlimited).
    std::uint32_t max_blob_count = 0;
    // Read and write buffer size in bytes (0 = the default).
    std::uint32_t io_buffer_bytes = 0;
    bool read_only = false;
    // `state` hashes a present blob too, rather than trusting that its file exists.
    bool verify_on_read = false;
};

// What the store can say about a key without handing out the bytes. The values
// are stable: callers index labels by them.
enum class BlobState : std::uint8_t {
    Present = 0,
    Writing = 1, // a put of these bytes is under way in this process
    Missing = 2, // absent, damaged, or not a key at all
};

class FsBlobStore {
public:
    explicit FsBlobStore(FsBlobStoreConfig config) : m_config(std::move(config)) {}
    FsBlobStore(FsBlobStore const&) = delete;
    FsBlobStore& operator=(FsBlobStore const&) = delete;

    // <XDG data dir>/zozi/blobs; absent when no data directory can be found.
    static std::optional<std::filesystem::path> default_root();

    FsBlobStoreConfig const& config() const { return m_config; }

    // Stores `bytes` and answers their key; bytes already held are not written again.
    base::Result<std::string> put(ByteView bytes);
    // The bytes under `key`, when present and intact.
    std::optional<Bytes> get(std::string_view key) const;
    BlobState state(std::string_view key) const;
    // Where the blob of a well-formed key lives (whether or not it exists).
    std::filesystem::path path_of(std::string_view key) const;

private:
    struct Usage {
        std::uint64_t bytes = 0;
        std::uint32_t count = 0;
    };
    base::Result<Usage> usage() const;
    base::Result<void> write_blob(std::string const& key, ByteView bytes) const;
    std::size_t buffer_bytes() const;

    FsBlobStoreConfig m_config;
    std::mutex m_put_mutex; // one put at a time, so the limits hold within the process
    mutable std::mutex m_writing_mutex;
    std::set<std::string, std::less<>> m_writing;
};

// Whether `key` is 64 lowercase hexadecimal digits (anything else never names a file).
bool is_valid_key(std::string_view key);
// The key of `bytes`.
std::string key_of(ByteView bytes);

// Installs the process's store; later calls replace it.
void set_store(std::shared_ptr<FsBlobStore> store);
// The installed store, or null before set_store.
std::shared_ptr<FsBlobStore> store();

// The installed store's operations; without a store, put fails, get finds
// nothing and every key is Missing.
base::Result<std::string> put(ByteView bytes);
std::optional<Bytes> get(std::string_view key);
BlobState state(std::string_view key);

// What the content of some bytes is, judged from the bytes alone.
struct Sniffed {
    std::string media_type; // "image/png", "video/mp4", "application/octet-stream", …
    std::uint32_t width = 0; // pixel size for PNG, JPEG, GIF, WebP and BMP; 0 when unknown
    std::uint32_t height = 0;
    bool is_video = false; // a video/* media type
    bool operator==(Sniffed const&) const = default;
};
Sniffed sniff(ByteView bytes);

} // namespace zozi::blobstore
