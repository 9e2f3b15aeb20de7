#pragma once

// Projection of message records.

#include <optional>
#include <string_view>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

// The list "messages"/<channel>, when the document has one.
std::optional<crdt::ObjId> message_list(crdt::Document const&, std::string_view channel);

// The channel's messages in list order; entries that are not maps are skipped.
std::vector<Message> channel_messages(crdt::Document const&, std::string_view channel);

// Every message of the given channels, channel after channel.
std::vector<Message> all_messages(crdt::Document const&, std::vector<Channel> const& channels);

// One message map of `channel`'s list, seen through a view of `doc`.
Message read_message(crdt::Document const& doc, crdt::ObjectView message, std::string_view channel);

} // namespace chat
