#pragma once

// Read markers and unread counts. A marker is the number of top-level
// messages of a channel a person has seen; thread replies never count.

#include <cstdint>
#include <span>
#include <string_view>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// 0 when any level of "read"/person/channel is missing.
std::int64_t read_marker(crdt::Document const&, std::string_view channel, std::string_view person);
// Messages of the channel with no parent (a "parent" of "" counts as none).
std::int64_t top_level_count(crdt::Document const&, std::string_view channel);
// The same count over messages already projected.
std::int64_t top_level_count(std::span<Message const> messages);
// top_level_count minus the read marker, never below 0.
std::int64_t unread_count(crdt::Document const&, std::string_view channel, std::string_view person);

} // namespace chat
