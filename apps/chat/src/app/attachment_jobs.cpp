// Listing the shared directory and importing one of its files. Both run on a
// background thread and answer once; every failure is one of the fixed reasons.

#include "app/attachment_jobs.h"

#include "blobstore/blobstore.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace chat {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view unavailable_workspace = "workspace is unavailable";
constexpr std::string_view unavailable_file = "file is unavailable";
constexpr std::string_view not_shareable = "file is not shareable or exceeds 32 MiB";
constexpr std::string_view unreadable = "could not read file";
constexpr std::string_view empty_file = "file is empty";
constexpr std::string_view grown_file = "file exceeds 32 MiB";
constexpr std::string_view store_refused = "shared content store refused the attachment";
constexpr std::string_view verification_failed = "shared byte verification failed";

constexpr std::array image_extensions {"png", "jpg", "jpeg", "webp", "gif", "bmp"};
constexpr std::array video_extensions {"mp4", "webm", "mov", "mkv", "m4v", "avi", "ogv"};

template<std::size_t N>
bool has_extension(std::string_view name, std::array<char const*, N> const& extensions)
{
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext(name.substr(dot + 1));
    for (auto& c : ext) c = static_cast<char>(g_ascii_tolower(c));
    return std::find(extensions.begin(), extensions.end(), ext) != extensions.end();
}

std::string valid_utf8(std::string const& text)
{
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string out(valid);
    g_free(valid);
    return out;
}

std::string lower_case(std::string const& utf8)
{
    gchar* lower = g_utf8_strdown(utf8.c_str(), static_cast<gssize>(utf8.size()));
    std::string out(lower);
    g_free(lower);
    return out;
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(Fd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Fd& operator=(Fd&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd;
};

constexpr int file_flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC; // a pipe must not block the open
constexpr int dir_flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens `path` as a file inside `root`, one component at a time, none of them
// through a symbolic link. errno explains a failure.
Fd open_beneath(fs::path const& root, fs::path const& path)
{
    auto relative = path.lexically_normal().lexically_relative(root.lexically_normal());
    if (relative.empty() || relative.is_absolute()) {
        errno = EXDEV;
        return Fd();
    }
    Fd dir(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::vector<fs::path> parts(relative.begin(), relative.end());
    for (std::size_t i = 0; dir.ok() && i < parts.size(); ++i) {
        if (parts[i] == ".." || parts[i] == "." || parts[i].empty()) {
            errno = EXDEV;
            return Fd();
        }
        bool last = i + 1 == parts.size();
        dir = Fd(::openat(dir.get(), parts[i].c_str(), last ? file_flags : dir_flags));
        if (last) return dir;
    }
    return Fd();
}

bool shareable(struct stat const& st)
{
    return S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) <= max_shared_file_bytes;
}

// Reads until the end, or one byte past the limit (a file that grew since its size was read).
std::optional<std::vector<std::uint8_t>> read_up_to_limit(int fd, std::size_t expected)
{
    std::size_t const cap = max_shared_file_bytes + 1;
    std::size_t const chunk = 256 * 1024;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::min(cap, expected + 1));
    while (bytes.size() < cap) {
        auto done = bytes.size();
        bytes.resize(std::min(cap, done + chunk));
        auto n = ::read(fd, bytes.data() + done, bytes.size() - done);
        bytes.resize(done + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
    }
    return bytes;
}

std::variant<ImportedFile, std::string> import_file(fs::path const& path, std::optional<fs::path> const& within)
{
    auto fail = [](std::string_view reason) { return std::variant<ImportedFile, std::string>(std::string(reason)); };
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return fail(unavailable_file);
    if (!shareable(st)) return fail(not_shareable);

    Fd fd = within ? open_beneath(*within, path) : Fd(::open(path.c_str(), file_flags));
    if (!fd.ok()) {
        if (errno == ENOENT) return fail(unavailable_file);
        if (errno == ELOOP || errno == ENOTDIR || errno == EXDEV) return fail(not_shareable);
        return fail(unreadable);
    }
    // The path may have been replaced between the two looks; the open file is what counts.
    if (::fstat(fd.get(), &st) != 0) return fail(unavailable_file);
    if (!shareable(st)) return fail(not_shareable);

    auto bytes = read_up_to_limit(fd.get(), static_cast<std::size_t>(st.st_size));
    if (!bytes) return fail(unreadable);
    if (bytes->empty()) return fail(empty_file);
    if (bytes->size() > max_shared_file_bytes) return fail(grown_file);

    auto name = path.filename().string();
    name = name.empty() ? std::string("file") : valid_utf8(name);

    auto sniffed = zozi::blobstore::sniff(*bytes);
    auto key = zozi::blobstore::put(*bytes);
    if (!key) return fail(store_refused);
    auto stored = zozi::blobstore::get(*key);
    if (!stored || *stored != *bytes) return fail(verification_failed);

    // A video the content sniffing does not recognise is still a video by its extension.
    bool const is_video = sniffed.is_video || is_video_name(name);
    return ImportedFile {std::move(name), std::move(*key), bytes->size(), std::move(sniffed.media_type),
                         sniffed.width, sniffed.height, is_video};
}

struct DirId {
    dev_t dev;
    ino_t ino;
    auto operator<=>(DirId const&) const = default;
};

} // namespace

fs::path attach_dir()
{
    char const* set = std::getenv("ORVO_CHAT_ATTACH_DIR");
    return set ? fs::path(set) : fs::path("/var/workspace");
}

bool is_image_name(std::string_view name) { return has_extension(name, image_extensions); }
bool is_video_name(std::string_view name) { return has_extension(name, video_extensions); }

ListingAnswer list_attachments(fs::path const& dir, std::uint64_t request)
{
    std::vector<PickerFile> files;
    // Directories wait as paths, not open handles, so a wide tree cannot run out of descriptors.
    std::vector<fs::path> pending {dir};
    std::set<DirId> seen; // a bind mount can make a directory its own descendant
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0) seen.insert({st.st_dev, st.st_ino});

    try {
        for (bool top = true; !pending.empty() && files.size() < max_listed_files; top = false) {
            auto current = std::move(pending.back());
            pending.pop_back();
            std::error_code ec;
            fs::directory_iterator it(current, ec);
            if (ec && top) return {request, std::string(unavailable_workspace)};
            // A directory that fails part-way keeps what it gave.
            for (fs::directory_iterator end; !ec && it != end && files.size() < max_listed_files; it.increment(ec)) {
                auto const& path = it->path();
                if (::lstat(path.c_str(), &st) != 0) continue;
                if (S_ISDIR(st.st_mode)) {
                    if (seen.insert({st.st_dev, st.st_ino}).second) pending.push_back(path);
                } else if (S_ISREG(st.st_mode)) {
                    auto name = valid_utf8(path.filename().string());
                    bool video = is_video_name(name);
                    files.push_back({path.string(), std::move(name), static_cast<std::uint64_t>(st.st_size), video});
                }
            }
        }
    } catch (std::exception const&) {
        return {request, std::string(unavailable_workspace)};
    }

    std::vector<std::pair<std::string, PickerFile>> keyed;
    keyed.reserve(files.size());
    for (auto& file : files) keyed.emplace_back(lower_case(file.name), std::move(file));
    std::sort(keyed.begin(), keyed.end(), [](auto const& a, auto const& b) {
        return a.first != b.first ? a.first < b.first : a.second.path < b.second.path;
    });
    files.clear();
    for (auto& entry : keyed) files.push_back(std::move(entry.second));
    return {request, std::move(files)};
}

ImportAnswer import_attachment(fs::path const& path, std::uint64_t request, std::optional<fs::path> const& within)
{
    try {
        return {request, import_file(path, within)};
    } catch (std::exception const&) { // out of memory for the bytes, in practice
        return {request, std::string(unreadable)};
    }
}

} // namespace chat
