#pragma once

// The attachment picker's background work: listing the shared directory and
// importing one file into the content store. Each job answers once, tagged
// with the request number that pairs the answer with the state that asked.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace chat {

// A file the attachment picker lists.
struct PickerFile {
    std::string path;
    std::string name;
    std::uint64_t size = 0;
    bool is_video = false;
    bool operator==(PickerFile const&) const = default;
};

struct ListingAnswer {
    std::uint64_t request = 0;
    std::variant<std::vector<PickerFile>, std::string> files_or_error;
};

struct ImportedFile {
    std::string name;
    std::string key; // content key in the shared store
    std::uint64_t size = 0;
    std::string mime;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool is_video = false;
    bool operator==(ImportedFile const&) const = default;
};

struct ImportAnswer {
    std::uint64_t request = 0;
    std::variant<ImportedFile, std::string> file_or_error;
};

// What was captured when the file was chosen.
struct ImportInFlight {
    std::string channel;
    std::string person;
    std::uint64_t request = 0;
};

// Files larger than this are not shared.
inline constexpr std::uint64_t max_shared_file_bytes = 33'554'432;
// A listing stops after this many files.
inline constexpr std::size_t max_listed_files = 200;

// The directory the picker lists: ORVO_CHAT_ATTACH_DIR when set (even empty),
// else "/var/workspace".
std::filesystem::path attach_dir();

// By the text after the last "." (letter case ignored).
bool is_image_name(std::string_view name);
bool is_video_name(std::string_view name);

// The regular files under `dir`, descending into sub-directories, at most
// max_listed_files of them, sorted by lower-cased name. Symbolic links are never
// listed or followed, so nothing outside `dir` can appear in the list.
ListingAnswer list_attachments(std::filesystem::path const& dir, std::uint64_t request);

// Reads the file at `path` into the shared content store and reads it back to
// verify. The file is opened without following a final symbolic link; with
// `within`, every directory from there down is opened without following links
// either, so a listed path cannot be redirected outside that directory.
ImportAnswer import_attachment(std::filesystem::path const& path, std::uint64_t request,
                               std::optional<std::filesystem::path> const& within = std::nullopt);

} // namespace chat
