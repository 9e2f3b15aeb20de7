#include "identity/xdg_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or unsets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(char const* name, std::optional<std::string> value) : m_name(name)
    {
        if (char const* old = std::getenv(name)) m_old = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old) setenv(m_name, m_old->c_str(), 1);
        else unsetenv(m_name);
    }

private:
    char const* m_name;
    std::optional<std::string> m_old;
};

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
