// Listing the attach directory and importing files: what is listed, in which
// order, and every reason an import gives up.

#include "attachments_fixture.h"

#include "app/attachment_jobs.h"
#include "../support/scoped_env.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace chat;
using namespace chat::testing;

namespace {

std::vector<PickerFile> listed(fs::path const& dir)
{
    auto answer = list_attachments(dir, 7);
    EXPECT_EQ(answer.request, 7u);
    auto const* files = std::get_if<std::vector<PickerFile>>(&answer.files_or_error);
    if (!files) {
        ADD_FAILURE() << std::get<std::string>(answer.files_or_error);
        return {};
    }
    return *files;
}

std::string reason_of(ImportAnswer const& answer)
{
    auto const* reason = std::get_if<std::string>(&answer.file_or_error);
    return reason ? *reason : std::string("(imported)");
}

} // namespace

TEST(AttachmentListing, RegularFilesOfTheWholeTreeSortedByLowerCaseNameAndNoLinks)
{
    Sandbox box;
    box.write("b.PNG", "bb");
    box.write("A.txt", "a");
    box.write("deep/er/c.mp4", "ccc");
    box.write("deep/Clip.MKV", "dddd");
    std::ofstream(box.outside / "secret.txt") << "secret";
    fs::create_symlink(box.outside / "secret.txt", box.workspace / "secret-link.txt");
    fs::create_symlink(box.workspace / "A.txt", box.workspace / "a-again.txt");
    fs::create_directory_symlink(box.outside, box.workspace / "elsewhere");
    ASSERT_EQ(::mkfifo((box.workspace / "pipe").c_str(), 0600), 0);

    auto files = listed(box.workspace);
    std::vector<PickerFile> expected {
        {(box.workspace / "A.txt").string(), "A.txt", 1, false},
        {(box.workspace / "b.PNG").string(), "b.PNG", 2, false},
        {(box.workspace / "deep/er/c.mp4").string(), "c.mp4", 3, true},
        {(box.workspace / "deep/Clip.MKV").string(), "Clip.MKV", 4, true},
    };
    EXPECT_EQ(files, expected) << "symbolic links, inside or out, and the pipe are not listed";
}

TEST(AttachmentListing, StopsAtTwoHundredFiles)
{
    Sandbox box;
    for (int i = 0; i < 250; ++i) box.write("f" + std::to_string(1000 + i) + ".txt", "x");
    auto files = listed(box.workspace);
    ASSERT_EQ(files.size(), 200u);
    EXPECT_TRUE(std::is_sorted(files.begin(), files.end(),
                               [](PickerFile const& a, PickerFile const& b) { return a.name < b.name; }));
}

TEST(AttachmentListing, AnUnreadableDirectoryIsAnUnavailableWorkspace)
{
    Sandbox box;
    for (fs::path dir : {box.root / "missing", fs::path(), box.write("plain.txt", "x")}) {
        auto answer = list_attachments(dir, 3);
        EXPECT_EQ(answer.request, 3u);
        EXPECT_EQ(std::get<std::string>(answer.files_or_error), "workspace is unavailable") << dir;
    }
}

TEST(AttachmentListing, TheAttachDirectoryComesFromTheEnvironmentEvenWhenEmpty)
{
    {
        ScopedEnv env("ORVO_CHAT_ATTACH_DIR", std::nullopt);
        EXPECT_EQ(attach_dir(), fs::path("/var/workspace"));
    }
    {
        ScopedEnv env("ORVO_CHAT_ATTACH_DIR", "");
        EXPECT_EQ(attach_dir(), fs::path());
    }
    {
        ScopedEnv env("ORVO_CHAT_ATTACH_DIR", "/srv/files");
        EXPECT_EQ(attach_dir(), fs::path("/srv/files"));
    }
}

TEST(AttachmentImport, RefusesWhatCannotBeSharedWithItsReason)
{
    Sandbox box;
    auto limit = box.sized("limit.bin", 33'554'432);
    auto over = box.sized("over.bin", 33'554'433);
    auto empty = box.write("empty.txt", std::string_view());
    fs::create_directory(box.workspace / "folder");
    ASSERT_EQ(::mkfifo((box.workspace / "pipe").c_str(), 0600), 0);
    std::ofstream(box.outside / "secret.txt") << "secret";
    fs::create_symlink(box.outside / "secret.txt", box.workspace / "link.txt");
    fs::create_directory_symlink(box.outside, box.workspace / "elsewhere");

    struct Case {
        fs::path path;
        std::string reason;
        bool within = true; // imported as picked from the listing of the workspace
    };
    Case const cases[] = {
        {limit, "(imported)"},
        {over, "file is not shareable or exceeds 32 MiB"},
        {empty, "file is empty"},
        {box.workspace / "folder", "file is not shareable or exceeds 32 MiB"},
        {box.workspace / "pipe", "file is not shareable or exceeds 32 MiB"},
        {box.workspace / "gone.txt", "file is unavailable"},
        {box.workspace / "link.txt", "file is not shareable or exceeds 32 MiB"},
        {box.workspace / "link.txt", "file is not shareable or exceeds 32 MiB", false},
        {box.workspace / "elsewhere/secret.txt", "file is not shareable or exceeds 32 MiB"},
        {box.workspace / "../outside/secret.txt", "file is not shareable or exceeds 32 MiB"},
        {box.outside / "secret.txt", "file is not shareable or exceeds 32 MiB"},
        {box.outside / "secret.txt", "(imported)", false},
    };
    for (auto const& test : cases) {
        auto within = test.within ? std::optional(box.workspace) : std::nullopt;
        auto answer = import_attachment(test.path, 11, within);
        EXPECT_EQ(answer.request, 11u);
        EXPECT_EQ(reason_of(answer), test.reason) << test.path << (test.within ? " within" : "");
    }
}

TEST(AttachmentImport, StoresTheBytesAndDescribesThem)
{
    Sandbox box;
    auto png = png_picture(40, 30);
    auto path = box.write("shots/grid.png", png);
    auto answer = import_attachment(path, 5, box.workspace);
    ASSERT_EQ(reason_of(answer), "(imported)");
    auto const& file = std::get<ImportedFile>(answer.file_or_error);
    ImportedFile expected {"grid.png", zozi::blobstore::key_of(png), png.size(), "image/png", 40, 30, false};
    EXPECT_EQ(file, expected);
    EXPECT_EQ(zozi::blobstore::get(file.key), png);

    // Bytes the sniffing cannot place still make a video when the name says so.
    auto clip = import_attachment(box.write("clip.mp4", "not really a video"), 6, box.workspace);
    ASSERT_EQ(reason_of(clip), "(imported)");
    EXPECT_TRUE(std::get<ImportedFile>(clip.file_or_error).is_video);
}

TEST(AttachmentImport, AStoreThatRefusesIsReported)
{
    Sandbox box;
    auto path = box.write("note.txt", "hello");
    zozi::blobstore::set_store(nullptr);
    EXPECT_EQ(reason_of(import_attachment(path, 1)), "shared content store refused the attachment");
}
