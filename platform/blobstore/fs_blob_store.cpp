// The file-system store: one file per blob, written atomically, checked on read.

#include "blobstore/blobstore.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zozi::blobstore {

namespace {

constexpr std::size_t default_buffer_bytes = 64 * 1024;

std::string errno_text(std::string_view what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(Fd const&) = delete;
    Fd& operator=(Fd const&) = delete;
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }
    // Closes now so that the caller sees the close's error.
    bool close()
    {
        int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Reads a whole regular file (never through a symbolic link); nothing on any failure.
std::optional<Bytes> read_regular_file(std::filesystem::path const& path, std::size_t chunk)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!fd.ok()) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = ::read(fd.get(), bytes.data() + done, std::min(chunk, bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt; // an error, or the file shrank under us
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

bool write_all(int fd, ByteView bytes, std::size_t chunk)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = ::write(fd, bytes.data() + done, std::min(chunk, bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool sync_directory(std::filesystem::path const& dir)
{
    Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.ok() && ::fsync(fd.get()) == 0;
}

// Marks a key as being written for as long as it lives.
class WritingMark {
public:
    WritingMark(std::mutex& mutex, std::set<std::string, std::less<>>& keys, std::string key)
        : m_mutex(mutex), m_keys(keys), m_key(std::move(key))
    {
        std::lock_guard lock(m_mutex);
        m_keys.insert(m_key);
    }
    ~WritingMark()
    {
        std::lock_guard lock(m_mutex);
        m_keys.erase(m_key);
    }
    WritingMark(WritingMark const&) = delete;
    WritingMark& operator=(WritingMark const&) = delete;

private:
    std::mutex& m_mutex;
    std::set<std::string, std::less<>>& m_keys;
    std::string m_key;
};

} // namespace

std::size_t FsBlobStore::buffer_bytes() const
{
    return m_config.io_buffer_bytes ? m_config.io_buffer_bytes : default_buffer_bytes;
}

std::filesystem::path FsBlobStore::path_of(std::string_view key) const
{
    return m_config.root / std::string(key.substr(0, 2)) / std::string(key);
}

base::Result<std::string> FsBlobStore::put(ByteView bytes)
{
    if (m_config.root.empty()) return base::error("the blob store has no root directory");
    if (m_config.read_only) return base::error("the blob store is read-only");
    if (m_config.max_blob_bytes && bytes.size() > m_config.max_blob_bytes)
        return base::error("a blob of " + std::to_string(bytes.size()) + " bytes exceeds the limit of "
                           + std::to_string(m_config.max_blob_bytes) + " bytes");

    auto key = key_of(bytes);
    std::lock_guard lock(m_put_mutex);
    if (get(key)) return key;

    WritingMark mark(m_writing_mutex, m_writing, key);
    auto used = usage();
    if (!used) return std::move(used).take_error();
    // A damaged file under this key is about to be replaced, so it does not count.
    std::error_code ec;
    auto existing = path_of(key);
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(existing, ec)) && used->count > 0) {
        used->count -= 1;
        auto size = std::filesystem::file_size(existing, ec);
        used->bytes -= ec ? 0 : std::min<std::uint64_t>(size, used->bytes);
    }
    if (m_config.max_blob_count && used->count >= m_config.max_blob_count)
        return base::error("the blob store already holds its limit of " + std::to_string(m_config.max_blob_count)
                           + " blobs");
    if (m_config.max_store_bytes && used->bytes + bytes.size() > m_config.max_store_bytes)
        return base::error("the blob store has no room for " + std::to_string(bytes.size()) + " more bytes");

    TRY_VOID(write_blob(key, bytes));
    return key;
}

std::optional<Bytes> FsBlobStore::get(std::string_view key) const
{
    if (!is_valid_key(key) || m_config.root.empty()) return std::nullopt;
    auto bytes = read_regular_file(path_of(key), buffer_bytes());
    if (!bytes || key_of(*bytes) != key) return std::nullopt;
    return bytes;
}

BlobState FsBlobStore::state(std::string_view key) const
{
    if (!is_valid_key(key) || m_config.root.empty()) return BlobState::Missing;
    {
        std::lock_guard lock(m_writing_mutex);
        if (m_writing.contains(key)) return BlobState::Writing;
    }
    if (m_config.verify_on_read) return get(key) ? BlobState::Present : BlobState::Missing;
    struct stat st {};
    if (::lstat(path_of(key).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return BlobState::Missing;
    return BlobState::Present;
}

// Counted afresh for every put: other processes may share the directory, and a
// put (an import the user asked for) is rare next to the cost of a listing.
base::Result<FsBlobStore::Usage> FsBlobStore::usage() const
{
    Usage used;
    std::error_code ec;
    if (!std::filesystem::exists(m_config.root, ec)) return used;
    for (std::filesystem::directory_iterator shard(m_config.root, ec), end; !ec && shard != end; shard.increment(ec)) {
        if (!shard->is_directory(ec)) continue;
        std::error_code inner;
        for (std::filesystem::directory_iterator blob(shard->path(), inner); !inner && blob != end;
             blob.increment(inner)) {
            if (!is_valid_key(blob->path().filename().native()) || !blob->is_regular_file(inner)) continue;
            used.bytes += blob->file_size(inner);
            used.count += 1;
        }
    }
    if (ec) return base::error("cannot read the blob store at " + m_config.root.string() + ": " + ec.message());
    return used;
}

base::Result<void> FsBlobStore::write_blob(std::string const& key, ByteView bytes) const
{
    auto target = path_of(key);
    auto dir = target.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return base::error("cannot create " + dir.string() + ": " + ec.message());

    std::string temp = (dir / ".incoming-XXXXXX").string();
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.ok()) return base::error(errno_text("cannot create a file in " + dir.string()));
    bool written = write_all(fd.get(), bytes, buffer_bytes()) && ::fsync(fd.get()) == 0;
    written = fd.close() && written;
    if (!written || ::rename(temp.c_str(), target.c_str()) != 0) {
        auto failure = errno_text("cannot write " + target.string());
        ::unlink(temp.c_str());
        return base::error(failure);
    }
    if (!sync_directory(dir)) return base::error(errno_text("cannot flush " + dir.string()));
    return {};
}

} // namespace zozi::blobstore
