// The content-addressed store: keys, atomic files, deduplication, checked
// reads, limits and the installed process store.

#include "blobstore/blobstore.h"
#include "sample_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace zozi::blobstore;
using blob_samples::text;
namespace fs = std::filesystem;

namespace {

// SHA-256("abc"), the standard test vector.
constexpr std::string_view abc_key = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

struct TempDir {
    fs::path path;
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "blobstore-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path); }
};

std::vector<fs::path> files_under(fs::path const& root)
{
    std::vector<fs::path> out;
    for (auto const& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) out.push_back(fs::relative(entry.path(), root));
    return out;
}

FsBlobStoreConfig config_at(fs::path root)
{
    FsBlobStoreConfig config;
    config.root = std::move(root);
    return config;
}

} // namespace

TEST(BlobStore, PutNamesTheFileBySha256AndGetReturnsTheBytes)
{
    TempDir dir;
    FsBlobStore store(config_at(dir.path / "blobs"));
    auto key = store.put(text("abc"));
    ASSERT_TRUE(key) << key.error();
    EXPECT_EQ(*key, abc_key);
    EXPECT_EQ(files_under(dir.path / "blobs"), std::vector<fs::path> {fs::path("ba") / abc_key})
        << "one file, no temporary left behind";
    EXPECT_EQ(store.get(abc_key), text("abc"));
    EXPECT_EQ(store.state(abc_key), BlobState::Present);
    EXPECT_EQ(store.state(key_of(text("abd"))), BlobState::Missing);
    EXPECT_EQ(store.get(key_of(text("abd"))), std::nullopt);
}

TEST(BlobStore, TheSameBytesTwiceKeepOneFile)
{
    TempDir dir;
    FsBlobStore store(config_at(dir.path));
    auto first = store.put(text("same"));
    auto write_time = fs::last_write_time(store.path_of(*first));
    auto second = store.put(text("same"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, *second);
    EXPECT_EQ(files_under(dir.path).size(), 1u);
    EXPECT_EQ(fs::last_write_time(store.path_of(*first)), write_time) << "held bytes are not rewritten";
}

TEST(BlobStore, ADamagedFileReadsAsMissingAndAPutRepairsIt)
{
    TempDir dir;
    auto config = config_at(dir.path);
    FsBlobStore store(config);
    auto key = *store.put(text("abc"));
    std::ofstream(store.path_of(key), std::ios::trunc) << "abd";

    EXPECT_EQ(store.get(key), std::nullopt);
    EXPECT_EQ(store.state(key), BlobState::Present) << "without verify_on_read, state trusts the file";
    config.verify_on_read = true;
    EXPECT_EQ(FsBlobStore(config).state(key), BlobState::Missing);

    ASSERT_TRUE(store.put(text("abc")));
    EXPECT_EQ(store.get(key), text("abc"));
}

TEST(BlobStore, KeysThatAreNotLowercaseSha256HexAreRefused)
{
    TempDir dir;
    FsBlobStore store(config_at(dir.path));
    ASSERT_TRUE(store.put(text("abc")));
    std::string upper(abc_key);
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::ofstream(dir.path / "secret") << "abc";
    for (std::string key : {std::string(), upper, std::string(abc_key.substr(1)), std::string(abc_key) + "0",
                            std::string("../secret"), std::string("..") + std::string(62, 'a'),
                            std::string(abc_key.substr(0, 63)) + "g"}) {
        EXPECT_FALSE(is_valid_key(key)) << key;
        EXPECT_EQ(store.get(key), std::nullopt) << key;
        EXPECT_EQ(store.state(key), BlobState::Missing) << key;
    }
    EXPECT_TRUE(is_valid_key(abc_key));
}

TEST(BlobStore, PutEnforcesTheConfiguredLimits)
{
    struct Case {
        char const* name;
        void (*configure)(FsBlobStoreConfig&);
        std::vector<std::string> already; // stored first, unlimited
        std::string bytes;
        bool accepted;
    };
    Case const cases[] = {
        {"blob at the size limit", [](FsBlobStoreConfig& c) { c.max_blob_bytes = 4; }, {}, "four", true},
        {"blob one byte over", [](FsBlobStoreConfig& c) { c.max_blob_bytes = 4; }, {}, "fives", false},
        {"store filled exactly", [](FsBlobStoreConfig& c) { c.max_store_bytes = 10; }, {"12345"}, "abcde", true},
        {"store one byte over", [](FsBlobStoreConfig& c) { c.max_store_bytes = 10; }, {"12345"}, "abcdef", false},
        {"count below the limit", [](FsBlobStoreConfig& c) { c.max_blob_count = 2; }, {"a"}, "b", true},
        {"count at the limit", [](FsBlobStoreConfig& c) { c.max_blob_count = 2; }, {"a", "b"}, "c", false},
        {"held bytes at the count limit", [](FsBlobStoreConfig& c) { c.max_blob_count = 2; }, {"a", "b"}, "b", true},
        {"read-only", [](FsBlobStoreConfig& c) { c.read_only = true; }, {}, "a", false},
        {"no root", [](FsBlobStoreConfig& c) { c.root.clear(); }, {}, "a", false},
    };
    for (auto const& test : cases) {
        TempDir dir;
        FsBlobStore filler(config_at(dir.path));
        for (auto const& bytes : test.already) ASSERT_TRUE(filler.put(text(bytes))) << test.name;
        auto config = config_at(dir.path);
        test.configure(config);
        FsBlobStore store(config);
        auto key = store.put(text(test.bytes));
        EXPECT_EQ(key.has_value(), test.accepted) << test.name;
        if (!key) {
            EXPECT_FALSE(key.error().empty()) << test.name;
            EXPECT_EQ(filler.state(key_of(text(test.bytes))), BlobState::Missing) << test.name << ": nothing written";
        }
    }
}

TEST(BlobStore, FreeFunctionsUseTheInstalledStoreAndFailWithoutOne)
{
    set_store(nullptr);
    auto refused = put(text("abc"));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("no blob store"), std::string::npos);
    EXPECT_EQ(get(abc_key), std::nullopt);
    EXPECT_EQ(state(abc_key), BlobState::Missing);

    TempDir dir;
    set_store(std::make_shared<FsBlobStore>(config_at(dir.path)));
    EXPECT_EQ(put(text("abc")).value(), abc_key);
    EXPECT_EQ(get(abc_key), text("abc"));
    EXPECT_EQ(state(abc_key), BlobState::Present);
    set_store(nullptr);
}
