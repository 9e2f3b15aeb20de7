#pragma once

// The textual name of a resource: a kind, then optionally ":" and an id
// ("app.people", "app.channel:c_1", "app.reaction:m_1:👍"). The id is everything after
// the first colon, so ids may themselves contain colons.

#include "base/result.h"

#include <string>
#include <string_view>

namespace orvo_actions::address {

// Longest encoded address accepted; addresses arrive from tools and peers.
inline constexpr std::size_t max_encoded_length = 4096;

struct ActionAddress {
    std::string kind;
    std::string id; // empty for a resource that is the only one of its kind

    ActionAddress() = default;
    ActionAddress(std::string kind, std::string id = {}) : kind(std::move(kind)), id(std::move(id)) {}

    static base::Result<ActionAddress> parse(std::string_view encoded);
    std::string encode() const;

    bool operator==(ActionAddress const&) const = default;
};

} // namespace orvo_actions::address
