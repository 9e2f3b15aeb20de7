#pragma once

// The nested parts of a message record, each read with its defaults. When
// `nested` is given, the ids of the objects read are added to it, so that a
// cache can tell which message a later change touched.

#include <optional>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

using ObjectIds = std::vector<crdt::ObjId>;

std::vector<HistoryEntry> read_history(crdt::Document const&, crdt::ObjId const& message, ObjectIds* nested = nullptr);
std::vector<ReactionGroup> read_reactions(crdt::Document const&, crdt::ObjId const& message,
                                          ObjectIds* nested = nullptr);
std::vector<Mention> read_mentions(crdt::Document const&, crdt::ObjId const& message, ObjectIds* nested = nullptr);
std::optional<Attachment> read_attachment(crdt::Document const&, crdt::ObjId const& message,
                                          ObjectIds* nested = nullptr);
std::optional<ResourceRef> read_reference(crdt::Document const&, crdt::ObjId const& message);
// The work map, its trace map and the trace entries.
void collect_work_objects(crdt::Document const&, crdt::ObjId const& message, ObjectIds& nested);

} // namespace chat
