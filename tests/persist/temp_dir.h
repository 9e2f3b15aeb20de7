#pragma once

#include <filesystem>
#include <stdlib.h>
#include <string>

// A fresh directory removed with everything in it at the end of the scope.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "persist-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path const& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
