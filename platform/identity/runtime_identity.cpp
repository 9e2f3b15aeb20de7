#include "identity/runtime_identity.h"

#include "identity/xdg_paths.h"

#include <nettle/eddsa.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <string.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace runtime_identity::unix {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view file_header = "orvo-runtime-identity 1";
constexpr std::size_t max_file_size = 4096;

std::string system_error(std::string const& what, fs::path const& path, int error)
{
    return what + " " + path.string() + ": " + std::strerror(error);
}

std::string to_hex(std::span<std::uint8_t const> bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (auto byte : bytes) {
        hex.push_back(digits[byte >> 4]);
        hex.push_back(digits[byte & 0xf]);
    }
    return hex;
}

std::optional<SecretKey> key_from_hex(std::string_view hex)
{
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    SecretKey key{};
    if (hex.size() != key.size() * 2) return std::nullopt;
    for (std::size_t i = 0; i < key.size(); ++i) {
        int high = nibble(hex[2 * i]), low = nibble(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        key[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return key;
}

std::string_view trimmed(std::string_view text)
{
    auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<std::string_view> environment(char const* name)
{
    if (char const* value = std::getenv(name)) return std::string_view(value);
    return std::nullopt;
}

std::optional<std::string> account_gecos()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !entry.pw_gecos)
        return std::nullopt;
    return std::string(entry.pw_gecos);
}


// The identity file: three lines, the header, the secret key and the public key (which
// the secret determines, so a mismatch shows damage to either line).
std::string encode_identity_file(SecretKey const& secret, PublicKey const& public_key)
{
    return std::string(file_header) + "\ned25519-secret " + to_hex(secret) + "\ned25519-public "
           + to_hex(public_key) + "\n";
}

base::Result<SecretKey> parse_identity_file(std::string_view contents, fs::path const& path)
{
    auto corrupt = [&](std::string const& why) {
        return base::error("identity file " + path.string() + " is corrupt (" + why
                           + "); it was left untouched so the identity can be recovered");
    };
    std::vector<std::string_view> lines;
    while (!contents.empty()) {
        auto end = contents.find('\n');
        if (end == std::string_view::npos) return corrupt("last line is not terminated");
        lines.push_back(contents.substr(0, end));
        contents.remove_prefix(end + 1);
    }
    if (lines.size() != 3) return corrupt("expected 3 lines, found " + std::to_string(lines.size()));
    if (lines[0] != file_header) return corrupt("unknown header");
    constexpr std::string_view secret_tag = "ed25519-secret ", public_tag = "ed25519-public ";
    if (!lines[1].starts_with(secret_tag) || !lines[2].starts_with(public_tag)) return corrupt("unknown key line");
    auto secret = key_from_hex(lines[1].substr(secret_tag.size()));
    auto stored_public = key_from_hex(lines[2].substr(public_tag.size()));
    if (!secret || !stored_public) return corrupt("key is not 64 lower-case hexadecimal digits");
    PublicKey derived{};
    ed25519_sha512_public_key(derived.data(), secret->data());
    bool matches = std::memcmp(derived.data(), stored_public->data(), derived.size()) == 0;
    if (!matches) return corrupt("public key does not belong to the secret key");
    return *secret;
}

base::Result<std::string> read_open_file(int fd, fs::path const& path)
{
    struct stat info {};
    if (fstat(fd, &info) != 0) return base::error(system_error("cannot inspect", path, errno));
    if (!S_ISREG(info.st_mode)) return base::error("identity file " + path.string() + " is not a regular file");
    if (info.st_uid != getuid())
        return base::error("identity file " + path.string() + " belongs to another user");
    if (info.st_mode & 077)
        return base::error("identity file " + path.string() + " is open to other users; restrict it to mode 0600");
    if (static_cast<std::size_t>(info.st_size) > max_file_size)
        return base::error("identity file " + path.string() + " is corrupt (larger than "
                           + std::to_string(max_file_size) + " bytes); it was left untouched");
    std::string contents(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = ::read(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return base::error(system_error("cannot read", path, errno));
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    contents.resize(done);
    return contents;
}

// The file's contents, or nothing when it does not exist.
base::Result<std::optional<std::string>> read_identity_file(fs::path const& path)
{
    // Non-blocking so that a named pipe put in its place cannot hang the caller; the
    // flag does not affect reading a regular file.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) return std::optional<std::string>();
    if (fd < 0 && errno == ELOOP) return base::error("identity file " + path.string() + " is a symbolic link");
    if (fd < 0) return base::error(system_error("cannot open", path, errno));
    auto contents = read_open_file(fd, path);
    ::close(fd);
    if (!contents) return std::move(contents).take_error();
    return std::optional<std::string>(std::move(contents).value());
}

// Creates the missing directories of `dir`, each private to the user.
base::Result<void> make_private_directories(fs::path const& dir)
{
    fs::path partial;
    for (auto const& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return base::error(system_error("cannot create directory", partial, errno));
    }
    return {};
}

base::Result<SecretKey> random_secret()
{
    SecretKey secret{};
    std::size_t done = 0;
    while (done < secret.size()) {
        ssize_t n = getrandom(secret.data() + done, secret.size() - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return base::error(std::string("no randomness for a new identity: ") + std::strerror(errno));
        done += static_cast<std::size_t>(n);
    }
    return secret;
}

base::Result<void> write_synced(int fd, std::string_view data, fs::path const& path)
{
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return base::error(system_error("cannot write", path, errno));
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0) return base::error(system_error("cannot sync", path, errno));
    return {};
}

// Writes `contents` beside `path` and links it into place, so the file appears whole
// or not at all. False when another process created `path` first.
base::Result<bool> publish_new_file(fs::path const& path, std::string const& contents)
{
    std::string temporary = (path.parent_path() / (".identity-XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return base::error(system_error("cannot create a file in", path.parent_path(), errno));
    // mkstemp already uses 0600; say so explicitly rather than rely on it.
    base::Result<void> written;
    if (::fchmod(fd, 0600) != 0) written = base::error(system_error("cannot restrict", temporary, errno));
    else written = write_synced(fd, contents, temporary);
    ::close(fd);
    int linked = written ? ::link(temporary.c_str(), path.c_str()) : 0;
    int link_error = errno;
    ::unlink(temporary.c_str());
    if (!written) return std::move(written).take_error();
    if (linked != 0 && link_error == EEXIST) return false;
    if (linked != 0) return base::error(system_error("cannot create", path, link_error));
    if (int dir = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

base::Result<void> create_identity_file(fs::path const& path)
{
    TRY_VOID(make_private_directories(path.parent_path()));
    auto secret = random_secret();
    if (!secret) return std::move(secret).take_error();
    Identity fresh(*secret, std::nullopt);
    std::string contents = encode_identity_file(*secret, fresh.public_key());
    auto published = publish_new_file(path, contents);
    explicit_bzero(contents.data(), contents.size());
    explicit_bzero(secret->data(), secret->size());
    if (!published) return std::move(published).take_error();
    return {};
}

} // namespace

Identity::Identity(SecretKey const& secret, std::optional<std::string> display_name)
    : m_secret(secret)
    , m_display_name(std::move(display_name))
{
    ed25519_sha512_public_key(m_public.data(), m_secret.data());
}

Identity::~Identity() { explicit_bzero(m_secret.data(), m_secret.size()); }

std::string Identity::public_key_hex() const { return to_hex(m_public); }

Signature Identity::sign(std::span<std::uint8_t const> message) const
{
    Signature signature{};
    ed25519_sha512_sign(m_public.data(), m_secret.data(), message.size(), message.data(), signature.data());
    return signature;
}

bool Identity::verify(PublicKey const& key, std::span<std::uint8_t const> message, Signature const& signature)
{
    return ed25519_sha512_verify(key.data(), message.size(), message.data(), signature.data()) == 1;
}

std::optional<std::string> display_name_from(std::optional<std::string_view> gecos,
                                             std::optional<std::string_view> user,
                                             std::optional<std::string_view> username)
{
    // GECOS is "full name,room,work phone,home phone,other"; only the name is wanted.
    if (gecos) gecos = trimmed(gecos->substr(0, gecos->find(',')));
    for (auto candidate : {gecos, user, username}) {
        if (!candidate) continue;
        auto name = trimmed(*candidate);
        if (!name.empty()) return std::string(name);
    }
    return std::nullopt;
}

std::optional<std::string> account_display_name()
{
    auto gecos = account_gecos();
    return display_name_from(gecos ? std::optional<std::string_view>(*gecos) : std::nullopt, environment("USER"),
                             environment("USERNAME"));
}

std::optional<fs::path> identity_path()
{
    auto data = xdg_paths::data_dir();
    if (!data) return std::nullopt;
    return *data / "runtime-identity" / "identity";
}

base::Result<Identity> load_from(fs::path const& path)
{
    // Two rounds at most: a missing file is created (or created by a concurrent
    // process first), then read like any other.
    for (int round = 0; round < 2; ++round) {
        auto contents = read_identity_file(path);
        if (!contents) return std::move(contents).take_error();
        if (*contents) {
            auto secret = parse_identity_file(**contents, path);
            explicit_bzero((*contents)->data(), (*contents)->size());
            if (!secret) return std::move(secret).take_error();
            Identity identity(*secret, account_display_name());
            explicit_bzero(secret->data(), secret->size());
            return identity;
        }
        if (round == 0) TRY_VOID(create_identity_file(path));
    }
    return base::error("identity file " + path.string() + " vanished right after it was created");
}

base::Result<Identity> load()
{
    auto path = identity_path();
    if (!path) return base::error("no data directory: neither $XDG_DATA_HOME nor a home directory is known");
    return load_from(*path);
}

} // namespace runtime_identity::unix
