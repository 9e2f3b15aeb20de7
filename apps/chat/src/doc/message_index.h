#pragma once

// Every message id of the document, for the uniqueness check of each new
// message. Scanning all messages per send makes a burst of sends quadratic,
// so the ids are kept in an index tied to the document's heads: equal heads
// mean an identical document, so the index is reused exactly while the heads
// stay those it was built or last extended at. Reading the heads commits the
// open transaction, as the dispatch around every action does anyway.

#include "crdt/document.h"

#include <string_view>

namespace chat::doc {

// Whether any channel's list holds a map whose "id" is `id`.
bool message_exists(crdt::Document&, std::string_view id);

// Tells the index that the caller has just appended a message with `id`,
// having asked message_exists about it and written nothing else since.
void note_message_appended(crdt::Document&, std::string_view id);

} // namespace chat::doc
