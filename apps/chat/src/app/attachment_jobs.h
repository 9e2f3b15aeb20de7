#pragma once

// The attachment picker's background work: listing the shared directory and
// importing one file into the content store. Each job answers once, tagged
// with the request number that pairs the answer with the state that asked.

#include <cstdint>
#include <optional>
#include <string>
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

} // namespace chat
