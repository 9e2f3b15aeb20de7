#pragma once

// The encoded form of the command vocabulary: externally tagged JSON, one key
// naming the member, its fields in declaration order, absent optionals as
// null. Decoding refuses unknown members and unknown or repeated fields.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "actions/vocabulary/chat_action.h"
#include "actions/vocabulary/chat_operation.h"
#include "base/result.h"

namespace chat {

inline constexpr std::string_view chat_action_kind = "chat.action";
inline constexpr std::string_view chat_operation_kind = "chat.operation";

// Used for time stamps when the clock reads earlier than the Unix epoch
// (2026-06-26 12:40:00 UTC); relative day labels count from it too.
inline constexpr std::int64_t fallback_timestamp = 1782477600;

struct EncodedAction {
    std::string kind; // chat_action_kind or chat_operation_kind
    std::string json;

    bool operator==(EncodedAction const&) const = default;
};

EncodedAction encode_chat_action(ChatAction const&);
EncodedAction encode_chat_operation(ChatOperation const&);
base::Result<ChatAction> decode_chat_action(std::string_view json);
base::Result<ChatOperation> decode_chat_operation(std::string_view json);

// The member name as encoded, e.g. "MarkRead".
std::string_view chat_action_name(ChatAction const&);
std::string_view chat_operation_name(ChatOperation const&);

// The member name of an encoded action that may not decode as a whole;
// nothing when the text is not an object with a key.
std::optional<std::string> encoded_member_name(std::string_view json);

// DeleteMessage, DeleteCategory and DeleteChannel; no operation is destructive.
bool is_destructive(ChatAction const&);

// Whole seconds since the Unix epoch, or fallback_timestamp before it.
std::int64_t timestamp_at(std::chrono::system_clock::time_point);
std::int64_t timestamp_now();

} // namespace chat
