#pragma once

// Addresses. A resource address names a resource: a kind, then optionally ":" and an
// id ("app.people", "app.channel:c_1", "app.reaction:m_1:👍"); the id is everything
// after the first colon, so ids may contain colons. An action address names one action
// of one resource, and is what tools, search results and peers pass around.

#include "base/result.h"

#include <string>
#include <string_view>

namespace orvo_actions::door {

// Longest encoded address accepted; addresses arrive from tools and peers.
inline constexpr std::size_t max_address_length = 4096;

// "app.channel:c_1" from ("app.channel", "c_1"); the kind alone when the id is empty.
std::string resource_address(std::string_view kind, std::string_view id = {});
std::string_view resource_kind(std::string_view address);
std::string_view resource_id(std::string_view address);
// Checks a resource address from outside: a dotted lower-case kind, and after a colon a
// non-empty id of well-formed UTF-8 without control characters.
base::Result<void> check_resource_address(std::string_view address);

// Action ids are short lower-case names: [a-z0-9], '-', '_' and '.', starting with a
// letter or digit ("open", "mark-read").
bool is_valid_action_id(std::string_view id);

struct ActionAddress {
    std::string resource; // a resource address
    std::string action;   // the id of one of its actions

    // "<resource>#<action>". Action ids never contain '#', so the last '#' separates.
    std::string encode() const;
    static base::Result<ActionAddress> parse(std::string_view encoded);

    bool operator==(ActionAddress const&) const = default;
};

} // namespace orvo_actions::door
