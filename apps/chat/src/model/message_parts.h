#pragma once

// The nested parts of a message record, each read with its defaults from the
// object the message holds under the part's key (a view of nothing when that
// key is missing or holds another kind). When `nested` is given, the objects
// read are added to it, so that a cache can tell which message a later
// change touched.

#include <optional>
#include <string>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

using NestedObjects = std::vector<crdt::ObjectView>;

std::vector<HistoryEntry> read_history(crdt::ObjectView list, NestedObjects* nested = nullptr);
std::vector<ReactionGroup> read_reactions(crdt::ObjectView list, NestedObjects* nested = nullptr);
std::vector<Mention> read_mentions(crdt::ObjectView list, NestedObjects* nested = nullptr);
std::optional<Attachment> read_attachment(crdt::ObjectView map, NestedObjects* nested = nullptr);
std::optional<ResourceRef> read_reference(std::optional<std::string_view> text);
// The work map, its trace map and the trace entries.
void collect_work_objects(crdt::ObjectView work, NestedObjects& nested);

} // namespace chat
