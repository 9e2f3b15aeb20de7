#pragma once

// One-time repair of documents written by earlier versions, which kept demo
// attachment references under "path" instead of "blob".

#include "crdt/document.h"

namespace chat::doc {

inline constexpr std::size_t fixup_channel_limit = 256;
inline constexpr std::size_t fixup_message_limit = 256;

// Moves a demo reference ("orvo-demo://...", at most 256 bytes) from "path"
// to "blob" where "blob" is absent or empty. Visits channels in key order
// and messages in list order, at most 256 of either, so a large document
// costs little at start-up.
void fix_attachment_refs(crdt::Document&);

} // namespace chat::doc
