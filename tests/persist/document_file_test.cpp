#include "temp_dir.h"

#include "crdt/document.h"
#include "ui/persist/document_file.h"
#include "ui/persist/file_io.h"
#include "ui/persist/persist.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace orvo_ui::persist;

namespace {

AppInfo const app{"dev.orvo.chat"};

std::unique_ptr<DocumentFile> open_ok(std::filesystem::path const& path)
{
    auto opened = DocumentFile::open_path(path, app.app_id);
    EXPECT_TRUE(opened.has_value()) << (opened ? "" : opened.error());
    return opened ? std::move(opened).value() : nullptr;
}

std::optional<std::string> string_at(crdt::Document const& doc, std::string const& key)
{
    auto value = doc.get(crdt::ROOT, key);
    if (!value) return std::nullopt;
    auto const* scalar = std::get_if<crdt::ScalarValue>(&*value);
    if (!scalar) return std::nullopt;
    if (auto const* s = std::get_if<std::string>(scalar)) return *s;
    return std::nullopt;
}

std::vector<std::uint8_t> read_all(std::filesystem::path const& path)
{
    bool missing = false;
    return read_file(path, missing).value();
}

void write_bytes(std::filesystem::path const& path, std::span<std::uint8_t const> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

TEST(DocumentFile, ChangesSurviveReopeningAndDirectoriesArePrivate)
{
    TempDir tmp;
    auto path = tmp.path() / "a" / "b" / "workspace.automerge";
    {
        auto file = open_ok(path);
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(file->document().put(crdt::ROOT, "k" + std::to_string(i), std::string("v") + std::to_string(i)));
            ASSERT_TRUE(file->save_changes());
        }
    } // no compaction at the end: appended changes alone must be enough
    auto file = open_ok(path);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(string_at(file->document(), "k" + std::to_string(i)), "v" + std::to_string(i));
    auto perms = std::filesystem::status(tmp.path() / "a").permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

TEST(DocumentFile, AppendingCompactsOnceTheTailOutgrowsTheBase)
{
    TempDir tmp;
    auto path = tmp.path() / "doc.automerge";
    auto file = open_ok(path);
    std::size_t largest = 0;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(file->document().put(crdt::ROOT, "counter", std::int64_t(i)));
        ASSERT_TRUE(file->save_changes());
        largest = std::max<std::size_t>(largest, std::filesystem::file_size(path));
    }
    // 200 appended changes would be far larger than twice one compacted document.
    EXPECT_LT(largest, 2 * file->document().save().size() + 512);
}

TEST(DocumentFile, TornLastChunkIsDroppedAtEveryCut)
{
    TempDir tmp;
    auto path = tmp.path() / "doc.automerge";
    std::size_t before_last = 0;
    {
        auto file = open_ok(path);
        // A large compacted part keeps the small appends below from triggering a rewrite.
        ASSERT_TRUE(file->document().put(crdt::ROOT, "padding", std::string(4000, 'p')));
        ASSERT_TRUE(file->save_changes());
        ASSERT_TRUE(file->document().put(crdt::ROOT, "first", std::string("1")));
        ASSERT_TRUE(file->save_changes());
        ASSERT_TRUE(file->document().put(crdt::ROOT, "second", std::string("2")));
        ASSERT_TRUE(file->save_changes());
        before_last = std::filesystem::file_size(path);
        ASSERT_TRUE(file->document().put(crdt::ROOT, "third", std::string("3")));
        ASSERT_TRUE(file->save_changes());
    }
    auto whole = read_all(path);
    ASSERT_GT(whole.size(), before_last);
    for (std::size_t cut = before_last + 1; cut < whole.size(); ++cut) {
        write_bytes(path, std::span(whole).first(cut));
        auto file = open_ok(path);
        ASSERT_TRUE(file) << "cut at " << cut;
        EXPECT_EQ(string_at(file->document(), "first"), "1") << "cut at " << cut;
        EXPECT_EQ(string_at(file->document(), "second"), "2") << "cut at " << cut;
        EXPECT_FALSE(string_at(file->document(), "third")) << "cut at " << cut;
        EXPECT_FALSE(file->take_notice()) << "cut at " << cut;
        // Later saves must stay readable after the torn bytes.
        ASSERT_TRUE(file->document().put(crdt::ROOT, "after", std::string("x")));
        ASSERT_TRUE(file->save_changes());
        file.reset();
        auto reopened = open_ok(path);
        EXPECT_EQ(string_at(reopened->document(), "after"), "x") << "cut at " << cut;
    }
}

TEST(DocumentFile, UnloadableFileIsMovedAsideNeverDeleted)
{
    // Three ways a file can fail to be a document; none of them may be overwritten.
    enum class Damage { CorruptMiddle, NotADocument, GarbageAfterChunks };
    for (auto damage : {Damage::CorruptMiddle, Damage::NotADocument, Damage::GarbageAfterChunks}) {
        TempDir tmp;
        auto path = tmp.path() / "workspace.automerge";
        {
            auto file = open_ok(path);
            ASSERT_TRUE(file->document().put(crdt::ROOT, "a", std::string("1")));
            ASSERT_TRUE(file->save_changes());
            ASSERT_TRUE(file->document().put(crdt::ROOT, "b", std::string("2")));
            ASSERT_TRUE(file->save_changes());
            ASSERT_TRUE(file->document().put(crdt::ROOT, "c", std::string("3")));
            ASSERT_TRUE(file->save_changes());
        }
        auto bytes = read_all(path);
        std::string const text = "this is not a document";
        switch (damage) {
        case Damage::CorruptMiddle: bytes[bytes.size() / 2] ^= 0xff; break;
        case Damage::NotADocument: bytes.assign(text.begin(), text.end()); break;
        case Damage::GarbageAfterChunks: bytes.insert(bytes.end(), text.begin(), text.end()); break;
        }
        write_bytes(path, bytes);

        auto file = open_ok(path);
        ASSERT_TRUE(file);
        EXPECT_FALSE(string_at(file->document(), "a"));
        auto notice = file->take_notice();
        ASSERT_TRUE(notice);
        std::vector<std::filesystem::path> aside;
        for (auto const& entry : std::filesystem::directory_iterator(tmp.path()))
            if (entry.path().filename().string().starts_with("workspace.automerge.unreadable-")) aside.push_back(entry.path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_NE(notice->find(aside[0].string()), std::string::npos) << *notice;
        EXPECT_EQ(read_all(aside[0]), bytes);
        EXPECT_FALSE(file->take_notice()) << "the notice is shown once";
    }
}

TEST(DocumentFile, UnreadableFileIsLeftAloneAndNamed)
{
    TempDir tmp;
    auto path = tmp.path() / "workspace.automerge";
    if (geteuid() == 0) {
        // Root reads any file; a directory in the file's place is unreadable for everyone.
        std::filesystem::create_directory(path);
    } else {
        write_bytes(path, std::vector<std::uint8_t>{1, 2, 3});
        std::filesystem::permissions(path, std::filesystem::perms::none);
    }
    auto opened = DocumentFile::open_path(path, app.app_id);
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error().find(path.string()), std::string::npos) << opened.error();
    EXPECT_TRUE(std::filesystem::exists(path));
    for (auto const& entry : std::filesystem::directory_iterator(tmp.path()))
        EXPECT_FALSE(entry.path().filename().string().find("unreadable") != std::string::npos);
}

TEST(DocumentFile, OneProcessPerDataDirectory)
{
    TempDir tmp;
    auto path = tmp.path() / "workspace.automerge";
    auto first = open_ok(path);
    auto second = DocumentFile::open_path(path, app.app_id);
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error(), "another Chat instance is using " + tmp.path().string());
    first.reset();
    EXPECT_TRUE(open_ok(path));
}

TEST(DocumentFile, MigratesFromTheDefaultLocationAndKeepsTheOldFile)
{
    TempDir tmp;
    Storage storage{tmp.path() / "default"};
    auto old_path = *storage.default_dir / "workspace.automerge";
    {
        auto file = open_ok(old_path);
        ASSERT_TRUE(file->document().put(crdt::ROOT, "from", std::string("old")));
        ASSERT_TRUE(file->save_changes());
    }
    auto old_bytes = read_all(old_path);
    auto path = tmp.path() / "new" / "workspace.automerge";
    {
        auto opened = open_migrating(app, storage, path);
        ASSERT_TRUE(opened) << opened.error();
        EXPECT_EQ(string_at((*opened)->document(), "from"), "old");
        ASSERT_TRUE((*opened)->document().put(crdt::ROOT, "from", std::string("new")));
        ASSERT_TRUE((*opened)->save_changes());
    }
    EXPECT_EQ(read_all(old_path), old_bytes);
    // An existing file at the path is never replaced by the old one.
    auto again = open_migrating(app, storage, path);
    ASSERT_TRUE(again);
    EXPECT_EQ(string_at((*again)->document(), "from"), "new");
}
