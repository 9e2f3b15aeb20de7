#pragma once

// Unsent composer texts, one text object per draft key: a channel id for a
// channel's composer, channel id + "::t::" + root message id for a thread's.

#include "crdt/document.h"

#include <string>
#include <string_view>

namespace chat::doc {

// "c_general" + "::t::" + "m_concept".
std::string thread_draft_key(std::string_view channel, std::string_view root);

// Makes the draft's text equal to `text`, changing only the span that differs.
void set_draft(crdt::Document&, std::string_view key, std::string_view text);
void clear_draft(crdt::Document&, std::string_view key);
// "" when there is no draft.
std::string read_draft(crdt::Document const&, std::string_view key);

} // namespace chat::doc
