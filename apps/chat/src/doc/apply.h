#pragma once

// Applying a chat action to the shared document. Applying never fails from
// the caller's point of view: an action whose target is gone, or that would
// change nothing, leaves the document as it was. Values are written only
// when they differ wherever that is possible, so a repeated action adds
// nothing to the document's history.

#include "actions/vocabulary/chat_action.h"
#include "crdt/document.h"

namespace chat::doc {

void apply_chat_action(crdt::Document&, ChatAction const&);

} // namespace chat::doc
