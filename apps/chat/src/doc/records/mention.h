#pragma once

// One mention of a person inside a message text.

#include <cstdint>
#include <string>

namespace chat {

struct Mention {
    std::string user;
    std::uint64_t start = 0; // byte offset of the leading at sign in the UTF-8 text
    std::uint64_t len = 0;   // bytes, the at sign included
    bool is_agent = false;

    bool operator==(Mention const&) const = default;
};

} // namespace chat
