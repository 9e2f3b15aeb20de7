#pragma once

// Projection of message records.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// The list "messages"/<channel>, when the document has one.
std::optional<crdt::ObjId> message_list(crdt::Document const&, std::string_view channel);

// The channel's messages in list order; entries that are not maps are skipped.
std::vector<Message> channel_messages(crdt::Document const&, std::string_view channel);

struct ListMessages {
    std::vector<Message> messages;
    std::int64_t top_level = 0; // messages without a parent
};

// Called with each message map read: its list's index, which half of the
// lists (0 or 1) is being read, and the map. The two halves may run at once.
using MessageSeen = std::function<void(std::size_t list, int half, crdt::ObjectView message)>;

// Every message of each list (lists[i] belongs to channels[i]; nothing for a
// missing list). A large document is read on two threads, half the messages
// each.
std::vector<ListMessages> read_message_lists(crdt::Document const&, std::span<std::optional<crdt::ObjId> const> lists,
                                             std::span<Channel const> channels, MessageSeen const& seen = {});

// Every message of the given channels, channel after channel.
std::vector<Message> all_messages(crdt::Document const&, std::vector<Channel> const& channels);

// One message map of `channel`'s list, seen through a view of `doc`.
Message read_message(crdt::Document const& doc, crdt::ObjectView message, std::string_view channel);

} // namespace chat
