#pragma once

// The nested parts of a message record, each read with its defaults.

#include <optional>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

std::vector<HistoryEntry> read_history(crdt::Document const&, crdt::ObjId const& message);
std::vector<ReactionGroup> read_reactions(crdt::Document const&, crdt::ObjId const& message);
std::vector<Mention> read_mentions(crdt::Document const&, crdt::ObjId const& message);
std::optional<Attachment> read_attachment(crdt::Document const&, crdt::ObjId const& message);
std::optional<ResourceRef> read_reference(crdt::Document const&, crdt::ObjId const& message);

} // namespace chat
