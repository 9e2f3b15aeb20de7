#pragma once

// Sets or unsets an environment variable for one scope, restoring it after.

#include <cstdlib>
#include <optional>
#include <string>

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
    ScopedEnv(ScopedEnv const&) = delete;
    ScopedEnv& operator=(ScopedEnv const&) = delete;

private:
    char const* m_name;
    std::optional<std::string> m_old;
};
