#include "identity/xdg_paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace xdg_paths {

std::optional<std::filesystem::path> home()
{
    if (char const* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home);
    if (passwd const* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return std::filesystem::path(pw->pw_dir);
    return std::nullopt;
}

std::optional<std::filesystem::path> data_dir()
{
    // Relative values are invalid by the XDG rules and must be ignored.
    if (char const* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && xdg[0] == '/')
        return std::filesystem::path(xdg);
    if (auto h = home())
        return *h / ".local" / "share";
    return std::nullopt;
}

} // namespace xdg_paths
