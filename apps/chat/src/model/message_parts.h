#pragma once

// The nested parts of a message record, each read with its defaults from the
// object the message holds under the part's key (a view of nothing when that
// key is missing or holds another kind).

#include <optional>
#include <string>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

std::vector<HistoryEntry> read_history(crdt::ObjectView list);
std::vector<ReactionGroup> read_reactions(crdt::ObjectView list);
std::vector<Mention> read_mentions(crdt::ObjectView list);
std::optional<Attachment> read_attachment(crdt::ObjectView map);
std::optional<ResourceRef> read_reference(std::optional<std::string_view> text);

} // namespace chat
