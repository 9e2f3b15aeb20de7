#pragma once

// The chat-shaped workload: workspaces, channels and message records laid out
// as the application stores them, one change per sent message. Mirrors
// chat_shape.mjs so the npm package builds the same document.

#include "crdt/document.h"

#include <cstddef>
#include <cstdint>

namespace bench {

inline constexpr int chat_workspaces = 3;
inline constexpr int chat_channels = 100;
inline constexpr int chat_users = 20;
inline constexpr std::int64_t chat_time = 1782477600;

// Users, workspaces, channels and empty message lists, as one change.
void seed_chat(crdt::Document& doc);
// Appends message n to channel n % chat_channels, as one change.
void send_message(crdt::Document& doc, std::uint64_t n);
crdt::Document build_chat(crdt::ActorId actor, std::uint64_t messages);

} // namespace bench
