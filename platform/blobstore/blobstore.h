#pragma once

// zozi::blobstore: a content-addressed file store shared by the whole process.
// A program builds one store, installs it with set_store, and then uses the
// free functions of this namespace.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace zozi::blobstore {

struct FsBlobStoreConfig {
    std::filesystem::path root;
    // Largest blob a put accepts.
    std::uint64_t max_blob_bytes = 0;
    // Largest total the store keeps before it refuses new blobs (0 = unlimited).
    std::uint64_t max_store_bytes = 0;
    // Largest number of blobs the store keeps (0 = unlimited).
    std::uint32_t max_blob_count = 0;
    // Read and write buffer size in bytes (0 = the default).
    std::uint32_t io_buffer_bytes = 0;
    bool read_only = false;
    bool verify_on_read = false;
};

class FsBlobStore {
public:
    explicit FsBlobStore(FsBlobStoreConfig config) : m_config(std::move(config)) {}

    // <XDG data dir>/zozi/blobs; absent when no data directory can be found.
    static std::optional<std::filesystem::path> default_root();

    FsBlobStoreConfig const& config() const { return m_config; }

private:
    FsBlobStoreConfig m_config;
};

// Installs the process's store; later calls replace it.
void set_store(std::shared_ptr<FsBlobStore> store);
// The installed store, or null before set_store.
std::shared_ptr<FsBlobStore> store();

} // namespace zozi::blobstore
