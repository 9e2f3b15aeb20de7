#pragma once

// Seed content for a new document, written once per document: the root
// flag "seeded" is put first and guards both seeds, also when several peers
// share the document.

#include "crdt/document.h"

#include <string_view>

namespace chat::doc {

// Whether the root "seeded" flag is true.
bool is_seeded(crdt::Document const&);

// A minimal workspace for a real user: "ws_home" with the text channel
// "c_general" and the voice channel "c_lounge".
void seed_starter(crdt::Document&, std::string_view person_id, std::string_view name, std::string_view initials);

// The fixed demo world the screenshot scenarios refer to: three workspaces,
// thirteen channels, six people, a call in "c_huddle" and a conversation in
// "c_crit". Thread replies and the welcome message get fresh ids.
void seed_demo(crdt::Document&);

} // namespace chat::doc
