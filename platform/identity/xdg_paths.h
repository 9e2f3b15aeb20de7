#pragma once

// Per-user base directories, after the XDG Base Directory rules.

#include <filesystem>
#include <optional>

namespace xdg_paths {

// $HOME, or the password database's home directory; absent when neither is known.
std::optional<std::filesystem::path> home();

// $XDG_DATA_HOME when it is an absolute path, else home()/.local/share.
std::optional<std::filesystem::path> data_dir();

} // namespace xdg_paths
