#include "identity/xdg_paths.h"

#include "../support/scoped_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

TEST(XdgPaths, DataDirFollowsXdgRules)
{
    struct Case {
        std::optional<std::string> xdg;
        std::string home;
        std::string expected;
    } const cases[] = {
        {"/data/x", "/home/a", "/data/x"},
        {std::nullopt, "/home/a", "/home/a/.local/share"},
        {"", "/home/a", "/home/a/.local/share"},
        {"relative/dir", "/home/a", "/home/a/.local/share"},
    };
    for (auto const& c : cases) {
        ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        auto dir = xdg_paths::data_dir();
        ASSERT_TRUE(dir.has_value());
        EXPECT_EQ(dir->string(), c.expected) << "XDG_DATA_HOME=" << c.xdg.value_or("(unset)");
    }
}

TEST(XdgPaths, HomeFallsBackToPasswordDatabase)
{
    ScopedEnv home("HOME", std::nullopt);
    auto dir = xdg_paths::home();
    // Every account on a build machine has a passwd entry with a home directory.
    ASSERT_TRUE(dir.has_value());
    EXPECT_FALSE(dir->empty());
}

} // namespace
