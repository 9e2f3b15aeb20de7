#pragma once

// A reference from a message to something outside the message.

#include <optional>
#include <string>

#include "doc/records/span.h"

namespace chat {

struct ResourceRef {
    std::string kind;
    std::string id;
    std::string label;
    std::optional<Span> span; // nothing refers to the whole thing

    bool operator==(ResourceRef const&) const = default;
};

} // namespace chat
