#include "ui/persist/document_file.h"

#include "crdt/document.h"
#include "ui/persist/document_load.h"
#include "ui/persist/file_io.h"

#include <spdlog/spdlog.h>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orvo_ui::persist {

namespace {

std::filesystem::path dir_of(std::filesystem::path const& path)
{
    return path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
}

// "Chat" for "dev.orvo.chat": the last label of the app id, capitalised.
std::string display_name(std::string const& app_id)
{
    auto dot = app_id.rfind('.');
    std::string name = dot == std::string::npos ? app_id : app_id.substr(dot + 1);
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = char(name[0] - 'a' + 'A');
    return name;
}

std::string utc_stamp()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &tm);
    return text;
}

// Takes the data directory's advisory lock; the descriptor holds it until closed.
base::Result<int> lock_directory(std::filesystem::path const& dir, std::string const& app_name)
{
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return base::error("cannot open " + dir.string() + ": " + errno_text(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return base::error("another " + app_name + " instance is using " + dir.string());
        return base::error("cannot lock " + dir.string() + ": " + errno_text(error));
    }
    return fd;
}

} // namespace

DocumentFile::DocumentFile() : m_document(std::make_unique<crdt::Document>()) {}

DocumentFile::~DocumentFile()
{
    if (m_append_fd >= 0) ::close(m_append_fd);
    if (m_lock_fd >= 0) ::close(m_lock_fd);
}

std::unique_ptr<DocumentFile> DocumentFile::in_memory()
{
    return std::unique_ptr<DocumentFile>(new DocumentFile());
}

OpenResult DocumentFile::open_path(std::filesystem::path const& path, std::string const& app_id)
{
    auto dir = dir_of(path);
    TRY_VOID(make_private_dirs(dir));
    auto lock = lock_directory(dir, display_name(app_id));
    if (!lock) return std::move(lock).take_error();

    std::unique_ptr<DocumentFile> file(new DocumentFile());
    file->m_lock_fd = *lock;
    file->m_path = path;

    bool missing = false;
    auto bytes = read_file(path, missing);
    if (!bytes) return std::move(bytes).take_error();
    if (missing) return file;

    auto loaded = load_document(*bytes);
    if (!loaded) {
        auto aside = path;
        aside += ".unreadable-" + utc_stamp();
        if (::rename(path.c_str(), aside.c_str()) != 0)
            return base::error("cannot load " + path.string() + " (" + loaded.error() + ") nor move it aside: " + errno_text(errno));
        spdlog::error("persist: cannot load {}: {}; moved it to {}", path.string(), loaded.error(), aside.string());
        file->m_notice = "The workspace file could not be read and was moved to " + aside.string()
            + "; starting with a new workspace.";
        return file;
    }
    file->m_document = std::make_unique<crdt::Document>(std::move(loaded->document));
    if (loaded->torn) {
        spdlog::warn("persist: {} ends in an incomplete change (an interrupted save); it was dropped", path.string());
        // Rewrite now, so later appends never follow the torn bytes.
        TRY_VOID(file->compact());
    } else {
        file->m_compacted_bytes = bytes->size();
        file->m_document->save_incremental(); // what is on disk needs no second write
        TRY_VOID(file->open_for_append());
    }
    return file;
}

base::Result<void> DocumentFile::open_for_append()
{
    if (m_append_fd >= 0) ::close(m_append_fd);
    m_append_fd = ::open(m_path->c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (m_append_fd < 0) return base::error("cannot write " + m_path->string() + ": " + errno_text(errno));
    return {};
}

base::Result<void> DocumentFile::save_changes()
{
    if (!m_path) {
        m_document->commit();
        return {};
    }
    if (m_append_fd < 0 || m_compact_due) return compact();
    auto changes = m_document->save_incremental();
    if (changes.empty()) return {};
    off_t before = ::lseek(m_append_fd, 0, SEEK_END);
    auto written = write_all(m_append_fd, changes);
    if (written && ::fdatasync(m_append_fd) != 0) written = base::error(errno_text(errno));
    if (!written) {
        // Cut the partial write off so later appends stay readable; the next save rewrites everything.
        if (before >= 0 && ::ftruncate(m_append_fd, before) != 0)
            spdlog::error("persist: cannot cut a failed append off {}: {}", m_path->string(), errno_text(errno));
        m_compact_due = true;
        return base::error("cannot save " + m_path->string() + ": " + written.error());
    }
    m_appended_bytes += changes.size();
    if (m_appended_bytes > m_compacted_bytes) return compact();
    return {};
}

base::Result<void> DocumentFile::compact()
{
    if (!m_path) {
        m_document->commit();
        return {};
    }
    auto bytes = m_document->save();
    if (auto replaced = replace_file(*m_path, bytes); !replaced) {
        m_compact_due = true;
        return replaced;
    }
    m_compacted_bytes = bytes.size();
    m_appended_bytes = 0;
    m_compact_due = false;
    return open_for_append();
}

} // namespace orvo_ui::persist
