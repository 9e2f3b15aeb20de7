#pragma once

// Message records: finding them and writing a complete one.

#include "crdt/document.h"
#include "doc/records/agent_work.h"
#include "doc/records/attachment.h"
#include "doc/records/mention.h"
#include "doc/records/resource_ref.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chat::doc {

struct ReactionGroup {
    std::string emoji;
    std::vector<std::string> people; // one reaction entry each, in this order
};

struct HistoryEntry {
    std::int64_t ts = 0; // when the edit that replaced `text` happened
    std::string text;    // the text before that edit
};

// Everything a message record holds except its id and channel.
struct NewMessage {
    std::string author;
    std::int64_t ts = 0;
    std::optional<std::string> parent; // thread root; nothing for a top-level message
    bool edited = false;
    std::string text;
    std::vector<ReactionGroup> reactions;
    std::vector<Mention> mentions;
    std::vector<HistoryEntry> history;
    std::optional<Attachment> attachment;
    std::optional<ResourceRef> reference;
    std::optional<AgentWork> work;
};

struct MessageSlot {
    crdt::ObjId list;    // the channel's message list
    std::size_t index = 0;
    crdt::ObjId message; // the message map
};

// The first map in the channel's list whose "id" is `id`.
std::optional<MessageSlot> find_message(crdt::Document const&, std::string_view channel, std::string_view id);
// Index of the first entry of a reaction list for (emoji, user); a missing
// "emoji" or "user" reads as "".
std::optional<std::size_t> find_reaction(crdt::Document const&, crdt::ObjId const& reactions, std::string_view emoji,
                                         std::string_view user);

// Appends the complete record to the channel's list and returns `id`.
// Writes nothing when a message with `id` exists anywhere in the document.
std::string insert_message(crdt::Document&, std::string_view channel, std::string_view id, NewMessage const&);
// The same without the uniqueness check, for callers that have just made it
// (the check scans every message of the document).
void append_message(crdt::Document&, std::string_view channel, std::string_view id, NewMessage const&);

} // namespace chat::doc
