#pragma once

// The acceptance checks of a sent message. Sending is the one way people
// and agents add content, so its ids, sizes and attachment references are
// checked before anything is written.

#include "actions/vocabulary/chat_action.h"
#include "crdt/document.h"

namespace chat::doc {

inline constexpr std::size_t max_message_id_bytes = 128;
inline constexpr std::size_t max_message_text_bytes = 65536;
inline constexpr std::size_t max_attachment_name_bytes = 255;
inline constexpr std::uint64_t max_attachment_bytes = 32 * 1024 * 1024;
inline constexpr std::uint32_t max_attachment_side = 16384;

// Whether the message may be inserted: the channel exists, the id is well
// formed and unused, the text and attachment are within bounds, and a reply
// does not answer a reply (threads are one level deep).
bool validate_send(crdt::Document&, action::SendMessage const&);

} // namespace chat::doc
