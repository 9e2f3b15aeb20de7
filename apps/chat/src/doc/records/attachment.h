#pragma once

// A file shared in a message: an image, a video or any other file.

#include <cstdint>
#include <string>
#include <variant>

namespace chat {

struct ImageAttachment {
    std::string name;
    std::string blob; // content reference in the shared store
    std::uint32_t w = 0;
    std::uint32_t h = 0;

    bool operator==(ImageAttachment const&) const = default;
};

struct VideoAttachment {
    std::string name;
    std::string blob;
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    std::uint64_t size = 0;

    bool operator==(VideoAttachment const&) const = default;
};

struct FileAttachment {
    std::string name;
    std::string blob;
    std::uint64_t size = 0;

    bool operator==(FileAttachment const&) const = default;
};

using Attachment = std::variant<ImageAttachment, VideoAttachment, FileAttachment>;

std::string const& attachment_name(Attachment const&);
std::string const& attachment_blob(Attachment const&);

} // namespace chat
