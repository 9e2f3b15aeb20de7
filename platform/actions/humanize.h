#pragma once

// Labels derived from identifiers, for actions that have no label of their own.

#include <string>
#include <string_view>

namespace orvo_actions::context {

// "MarkRead", "mark_read" and "mark-read" all become "Mark read". Words split at
// '_', '-', '.', ':' and white space, and where upper case follows lower case or a
// digit; inside a run of capitals the last one starts the next word ("HTTPServer" is
// "HTTP server"). The first word is capitalised, the others lower-cased, except
// acronyms (two or more capitals), which keep their case. Non-ASCII text is kept.
std::string humanize_identifier(std::string_view identifier);

} // namespace orvo_actions::context
