#pragma once

// ChatOperation: a change of what the user is looking at, or the import of a
// file; nothing here writes the document.

#include <optional>
#include <string>
#include <variant>

namespace chat {
namespace operation {

struct OpenWorkspace {
    std::string workspace;
    bool operator==(OpenWorkspace const&) const = default;
};

struct OpenChannel {
    std::string workspace;
    std::string channel;
    bool operator==(OpenChannel const&) const = default;
};

struct OpenCategory {
    std::string workspace;
    std::string category;
    bool operator==(OpenCategory const&) const = default;
};

struct RevealMessage {
    std::string workspace;
    std::string channel;
    std::string message;
    std::optional<std::string> parent; // thread root when the message is a reply
    bool operator==(RevealMessage const&) const = default;
};

struct OpenPerson {
    std::string user;
    bool operator==(OpenPerson const&) const = default;
};

struct ImportAttachment {
    std::string channel; // the conversation that receives the file
    std::string path;    // a local file path
    bool operator==(ImportAttachment const&) const = default;
};

} // namespace operation

using ChatOperation = std::variant<operation::OpenWorkspace, operation::OpenChannel, operation::OpenCategory,
                                   operation::RevealMessage, operation::OpenPerson, operation::ImportAttachment>;

} // namespace chat
