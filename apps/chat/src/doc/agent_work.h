#pragma once

// The agent work card stored on a message: reading it (current layout and
// the earlier one) and writing it so that unchanged parts stay untouched.

#include "crdt/document.h"
#include "doc/records/agent_work.h"

#include <optional>

namespace chat::doc {

// The work held by a "work" map; nothing when its state or its reasoning
// cannot be read in either layout.
std::optional<AgentWork> read_agent_work(crdt::Document const&, crdt::ObjId const& work_map);
// The work of a message map; nothing when it has no "work" map.
std::optional<AgentWork> message_agent_work(crdt::Document const&, crdt::ObjId const& message);

// Writes `work` into the message's "work" map. Only what differs from the
// stored work is put; trace entries are never deleted, and sequence,
// resource and label of an existing entry are never rewritten. Entries of
// the earlier layout are marked absent.
void write_agent_work(crdt::Document&, crdt::ObjId const& message, AgentWork const&);

} // namespace chat::doc
