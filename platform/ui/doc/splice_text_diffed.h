#pragma once

// Replacing a text object's content by changing only the span that differs,
// so concurrent edits elsewhere in the text survive a merge.

#include "crdt/document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvo_ui::doc {

// One splice: at `position`, remove `deleted` characters, then insert
// `inserted`. Positions and counts are in Unicode code points, the unit of
// the document's text objects.
struct TextSplice {
    std::size_t position = 0;
    std::size_t deleted = 0;
    std::string inserted;

    bool operator==(TextSplice const&) const = default;
};

// The smallest single splice turning `old_text` into `new_text` (longest
// common prefix, then longest common suffix of what remains, both cut at
// code point boundaries); nothing when the texts are equal.
std::optional<TextSplice> minimal_text_splice(std::string_view old_text, std::string_view new_text);

// Makes the content of the text object `text` equal to `new_text` with the
// minimal splice; writes nothing when it already is. A refused splice is
// ignored: the caller's document stays as it was.
void splice_text_diffed(crdt::Document&, crdt::ObjId const& text, std::string_view new_text);

} // namespace orvo_ui::doc
