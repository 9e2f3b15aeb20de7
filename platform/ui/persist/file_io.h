#pragma once

// Small POSIX file helpers with errno turned into readable errors.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace orvo_ui::persist {

// Reads a whole file. `missing` is set (and the result empty) when the file does not exist.
base::Result<std::vector<std::uint8_t>> read_file(std::filesystem::path const& path, bool& missing);

// Creates `dir` and its missing parents with mode 0700.
base::Result<void> make_private_dirs(std::filesystem::path const& dir);

// Writes every byte or fails.
base::Result<void> write_all(int fd, std::span<std::uint8_t const> bytes);

// Replaces `path` with `bytes` through a temporary file in the same directory,
// fsync of the file, rename, and fsync of the directory.
base::Result<void> replace_file(std::filesystem::path const& path, std::span<std::uint8_t const> bytes);

base::Result<void> fsync_dir(std::filesystem::path const& dir);

std::string errno_text(int error);

} // namespace orvo_ui::persist
