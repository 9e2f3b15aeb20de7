#include "identity/runtime_identity.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace runtime_identity::unix;

namespace {

class RuntimeIdentity : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "runtime-identity-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path dir() const { return m_dir; }

private:
    fs::path m_dir;
};

unsigned mode_of(fs::path const& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string read_all(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream out;
    out << in.rdbuf();
    return out.str();
}

void write_private(fs::path const& path, std::string const& contents, unsigned mode = 0600)
{
    std::ofstream(path, std::ios::binary) << contents;
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
}

std::vector<std::uint8_t> bytes_of(std::string_view text) { return {text.begin(), text.end()}; }

// RFC 8032, section 7.1, test 1 (empty message).
constexpr char rfc_secret[] = "9d61b19deffd5a60ba844af492ec2cc44449c5697b326919703bac031cae7f60";
constexpr char rfc_public[] = "d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a";
constexpr char rfc_signature[] = "e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e065"
                                 "224901555fb8821590a33bacc61e39701cf9b46bd25bf5f0595bbe24655141438e7a100b";

std::string rfc_file() { return std::string("orvo-runtime-identity 1\ned25519-secret ") + rfc_secret
                                + "\ned25519-public " + rfc_public + "\n"; }

std::string hex(std::span<std::uint8_t const> bytes)
{
    std::string text;
    char buffer[3];
    for (auto b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x", b);
        text += buffer;
    }
    return text;
}

} // namespace

TEST_F(RuntimeIdentity, CreatedOnFirstUseThenReloadedWithTheSameKey)
{
    fs::path file = dir() / "new" / "deeper" / "identity";
    auto created = load_from(file);
    ASSERT_TRUE(created.has_value()) << created.error();
    EXPECT_EQ(mode_of(file), 0600u);
    EXPECT_EQ(mode_of(dir() / "new"), 0700u);
    EXPECT_EQ(mode_of(dir() / "new" / "deeper"), 0700u);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    auto reloaded = load_from(file);
    ASSERT_TRUE(reloaded.has_value()) << reloaded.error();
    EXPECT_EQ(reloaded->public_key(), created->public_key());
    EXPECT_EQ(created->public_key_hex().size(), 64u);

    auto other = load_from(dir() / "elsewhere" / "identity");
    ASSERT_TRUE(other.has_value()) << other.error();
    EXPECT_NE(other->public_key(), created->public_key());
}

TEST_F(RuntimeIdentity, SignaturesVerifyOnlyForTheSignedMessageAndKey)
{
    auto identity = load_from(dir() / "identity");
    auto stranger = load_from(dir() / "stranger");
    ASSERT_TRUE(identity.has_value() && stranger.has_value());
    auto message = bytes_of("join call c_1");
    auto signature = identity->sign(message);
    EXPECT_TRUE(Identity::verify(identity->public_key(), message, signature));
    EXPECT_FALSE(Identity::verify(identity->public_key(), bytes_of("join call c_2"), signature));
    EXPECT_FALSE(Identity::verify(stranger->public_key(), message, signature));
    signature[10] ^= 1;
    EXPECT_FALSE(Identity::verify(identity->public_key(), message, signature));
}

TEST_F(RuntimeIdentity, ReadsTheStoredKeyExactly)
{
    write_private(dir() / "identity", rfc_file());
    auto identity = load_from(dir() / "identity");
    ASSERT_TRUE(identity.has_value()) << identity.error();
    EXPECT_EQ(identity->public_key_hex(), rfc_public);
    EXPECT_EQ(hex(identity->sign({})), rfc_signature);
}

TEST_F(RuntimeIdentity, DamagedFilesAreErrorsAndStayUntouched)
{
    std::string const good = rfc_file();
    std::string flipped_public = good;
    flipped_public[flipped_public.size() - 2] = flipped_public[flipped_public.size() - 2] == 'a' ? 'b' : 'a';
    struct Case {
        char const* name;
        std::string contents;
        char const* error_part;
    } const cases[] = {
        {"empty", "", "expected 3 lines"},
        {"garbage", "\x01\x02garbage\n", "expected 3 lines"},
        {"truncated", good.substr(0, good.size() - 10), "not terminated"},
        {"other header", "orvo-runtime-identity 2" + good.substr(good.find('\n')), "unknown header"},
        {"public key damaged", flipped_public, "does not belong"},
        {"upper-case hex", "orvo-runtime-identity 1\ned25519-secret " + std::string(64, 'A') + "\ned25519-public "
                               + std::string(64, '0') + "\n", "hexadecimal"},
        {"short key", "orvo-runtime-identity 1\ned25519-secret 00\ned25519-public 00\n", "hexadecimal"},
        {"extra line", good + "more\n", "expected 3 lines"},
        {"huge", std::string(10000, 'x'), "larger than"},
    };
    for (auto const& c : cases) {
        fs::path file = dir() / "identity";
        write_private(file, c.contents);
        auto identity = load_from(file);
        ASSERT_FALSE(identity.has_value()) << c.name;
        EXPECT_NE(identity.error().find(c.error_part), std::string::npos) << c.name << ": " << identity.error();
        EXPECT_EQ(read_all(file), c.contents) << c.name << " must not be replaced";
    }
}

TEST_F(RuntimeIdentity, RefusesFilesOthersCouldReadOrRedirect)
{
    fs::path file = dir() / "identity";
    write_private(file, rfc_file(), 0644);
    auto readable = load_from(file);
    ASSERT_FALSE(readable.has_value());
    EXPECT_NE(readable.error().find("is open to other users"), std::string::npos) << readable.error();
    EXPECT_EQ(mode_of(file), 0644u) << "the user decides, not us";

    fs::path link = dir() / "link";
    fs::create_symlink(file, link);
    auto redirected = load_from(link);
    ASSERT_FALSE(redirected.has_value());
    EXPECT_NE(redirected.error().find("symbolic link"), std::string::npos) << redirected.error();

    fs::create_directory(dir() / "a-directory");
    EXPECT_FALSE(load_from(dir() / "a-directory").has_value());

    ASSERT_EQ(mkfifo((dir() / "pipe").c_str(), 0600), 0);
    auto pipe = load_from(dir() / "pipe"); // must not wait for a writer
    ASSERT_FALSE(pipe.has_value());
    EXPECT_NE(pipe.error().find("not a regular file"), std::string::npos) << pipe.error();
}

TEST_F(RuntimeIdentity, ConcurrentFirstUseAgreesOnOneKey)
{
    fs::path file = dir() / "race" / "identity";
    constexpr int racers = 8;
    std::vector<std::string> keys(racers);
    std::vector<std::thread> threads;
    for (int i = 0; i < racers; ++i)
        threads.emplace_back([&, i] {
            auto identity = load_from(file);
            keys[i] = identity ? identity->public_key_hex() : "error: " + identity.error();
        });
    for (auto& thread : threads) thread.join();
    for (auto const& key : keys) EXPECT_EQ(key, keys[0]);
    EXPECT_EQ(keys[0].size(), 64u) << keys[0];
}

TEST_F(RuntimeIdentity, LoadKeepsTheIdentityInTheDataDirectory)
{
    char const* old = std::getenv("XDG_DATA_HOME");
    std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_DATA_HOME", (dir() / "data").c_str(), 1);
    auto path = identity_path();
    auto identity = load();
    auto again = load();
    if (saved) setenv("XDG_DATA_HOME", saved->c_str(), 1);
    else unsetenv("XDG_DATA_HOME");

    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, dir() / "data" / "runtime-identity" / "identity");
    ASSERT_TRUE(identity.has_value()) << identity.error();
    ASSERT_TRUE(again.has_value()) << again.error();
    EXPECT_EQ(identity->public_key(), again->public_key());
    EXPECT_EQ(mode_of(*path), 0600u);
    EXPECT_EQ(mode_of(path->parent_path()), 0700u);
}

TEST(RuntimeIdentityName, DisplayNameFallsBackFromFullNameToUserToUsername)
{
    using O = std::optional<std::string_view>;
    struct Case {
        O gecos, user, username;
        std::optional<std::string> expected;
    } const cases[] = {
        {"Ada Lovelace,Room 1,555-1234,,", "ada", "ada2", "Ada Lovelace"},
        {"  Ada  ", "ada", std::nullopt, "Ada"},
        {",Room 1,,", "ada", std::nullopt, "ada"},
        {"", " ada ", std::nullopt, "ada"},
        {std::nullopt, std::nullopt, "ADA", "ADA"},
        {std::nullopt, "  ", "ADA", "ADA"},
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {" ", "", "\t", std::nullopt},
    };
    for (auto const& c : cases)
        EXPECT_EQ(display_name_from(c.gecos, c.user, c.username), c.expected)
            << (c.gecos ? *c.gecos : "-") << "|" << (c.user ? *c.user : "-");
}
