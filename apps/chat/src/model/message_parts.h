#pragma once

// The nested parts of a message record, each read with its defaults from the
// object the message holds under the part's key (nothing when that key is
// missing or holds another kind). When `nested` is given, the ids of the
// objects read are added to it, so that a cache can tell which message a
// later change touched.

#include <optional>
#include <string>
#include <vector>

#include "crdt/document.h"
#include "model/records.h"

namespace chat {

using ObjectIds = std::vector<crdt::ObjId>;
using MaybeObject = std::optional<crdt::ObjId>;

std::vector<HistoryEntry> read_history(crdt::Document const&, MaybeObject const& list, ObjectIds* nested = nullptr);
std::vector<ReactionGroup> read_reactions(crdt::Document const&, MaybeObject const& list, ObjectIds* nested = nullptr);
std::vector<Mention> read_mentions(crdt::Document const&, MaybeObject const& list, ObjectIds* nested = nullptr);
std::optional<Attachment> read_attachment(crdt::Document const&, MaybeObject const& map, ObjectIds* nested = nullptr);
std::optional<ResourceRef> read_reference(std::optional<std::string> const& text);
// The work map, its trace map and the trace entries.
void collect_work_objects(crdt::Document const&, crdt::ObjId const& work, ObjectIds& nested);

} // namespace chat
