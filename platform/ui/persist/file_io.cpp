#include "ui/persist/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace orvo_ui::persist {

namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { if (m_fd >= 0) ::close(m_fd); }
    Fd(Fd const&) = delete;
    Fd& operator=(Fd const&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::filesystem::path dir_of(std::filesystem::path const& path)
{
    return path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
}

} // namespace

std::string errno_text(int error) { return std::strerror(error); }

base::Result<std::vector<std::uint8_t>> read_file(std::filesystem::path const& path, bool& missing)
{
    missing = false;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) {
            missing = true;
            return std::vector<std::uint8_t>{};
        }
        return base::error("cannot read " + path.string() + ": " + errno_text(errno));
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return base::error("cannot read " + path.string() + ": " + errno_text(errno));
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

base::Result<void> make_private_dirs(std::filesystem::path const& dir)
{
    if (dir.empty()) return {};
    std::filesystem::path partial;
    for (auto const& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return base::error("cannot create " + partial.string() + ": " + errno_text(errno));
    }
    if (!std::filesystem::is_directory(dir))
        return base::error("cannot use " + dir.string() + ": not a directory");
    return {};
}

base::Result<void> write_all(int fd, std::span<std::uint8_t const> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return base::error(errno_text(errno));
        done += std::size_t(n);
    }
    return {};
}

base::Result<void> fsync_dir(std::filesystem::path const& dir)
{
    Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        return base::error("cannot sync " + dir.string() + ": " + errno_text(errno));
    return {};
}

base::Result<void> replace_file(std::filesystem::path const& path, std::span<std::uint8_t const> bytes)
{
    auto dir = dir_of(path);
    std::random_device random;
    auto temp = dir / ("." + path.filename().string() + ".tmp-" + std::to_string(random()));
    auto fail = [&](std::string const& why) -> base::Result<void> {
        ::unlink(temp.c_str());
        return base::error("cannot write " + path.string() + ": " + why);
    };
    {
        Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.get() < 0) return base::error("cannot write " + path.string() + ": " + errno_text(errno));
        if (auto written = write_all(fd.get(), bytes); !written) return fail(written.error());
        if (::fsync(fd.get()) != 0) return fail(errno_text(errno));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno_text(errno));
    return fsync_dir(dir);
}

} // namespace orvo_ui::persist
