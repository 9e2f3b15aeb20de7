#include "temp_dir.h"

#include "crdt/document.h"
#include "ui/persist/document_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvo_ui::persist;

namespace {

// The child writes one key per round and reports the round on the pipe once
// save_changes has returned; it runs until killed.
[[noreturn]] void child_loop(std::filesystem::path const& path, int report_fd)
{
    auto opened = DocumentFile::open_path(path, "dev.orvo.chat");
    if (!opened) _exit(3);
    auto& file = **opened;
    std::int64_t start = std::int64_t(file.document().keys(crdt::ROOT).size());
    for (std::int64_t round = start;; ++round) {
        if (!file.document().put(crdt::ROOT, "r" + std::to_string(round), round)) _exit(4);
        if (!file.save_changes()) _exit(5);
        if (write(report_fd, &round, sizeof round) != sizeof round) _exit(6);
    }
}

} // namespace

TEST(DocumentFileCrash, EveryChangeReportedSavedSurvivesSigkill)
{
    TempDir tmp;
    auto path = tmp.path() / "workspace.automerge";
    std::mt19937 random(12345);
    std::int64_t reported = -1;
    for (int run = 0; run < 200; ++run) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            child_loop(path, fds[1]);
        }
        close(fds[1]);
        usleep(std::uniform_int_distribution<int>(0, 15000)(random));
        kill(pid, SIGKILL);
        std::int64_t round = 0;
        while (read(fds[0], &round, sizeof round) == sizeof round) reported = std::max(reported, round);
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "child failed on its own with status " << WEXITSTATUS(status);

        auto opened = DocumentFile::open_path(path, "dev.orvo.chat");
        ASSERT_TRUE(opened) << opened.error();
        ASSERT_FALSE((*opened)->take_notice()) << "run " << run << ": the file became unreadable";
        for (std::int64_t r = 0; r <= reported; ++r)
            ASSERT_TRUE((*opened)->document().get(crdt::ROOT, "r" + std::to_string(r))) << "run " << run << ": lost round " << r;
    }
    EXPECT_GT(reported, 200) << "the children saved too little for the test to mean anything";
}
