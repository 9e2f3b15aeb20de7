#pragma once

namespace chat {

// Stored as "text" / "voice" in a channel record and encoded as "Text" /
// "Voice" in actions.
enum class ChannelKind { Text, Voice };

} // namespace chat
