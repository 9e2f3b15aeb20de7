#include "ui/doc/splice_text_diffed.h"

#include <algorithm>

namespace orvo_ui::doc {

namespace {

bool is_continuation_byte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t count_code_points(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char byte) { return !is_continuation_byte(byte); }));
}

// Whether a cut before byte `offset` would split a code point of `text`.
bool splits_code_point(std::string_view text, std::size_t offset)
{
    return offset < text.size() && is_continuation_byte(text[offset]);
}

} // namespace

std::optional<TextSplice> minimal_text_splice(std::string_view old_text, std::string_view new_text)
{
    if (old_text == new_text)
        return std::nullopt;

    std::size_t const shorter = std::min(old_text.size(), new_text.size());
    std::size_t prefix = 0;
    while (prefix < shorter && old_text[prefix] == new_text[prefix])
        ++prefix;
    // The common bytes may end inside a code point (two characters sharing
    // their lead byte); cut before that code point.
    while (prefix > 0 && (splits_code_point(old_text, prefix) || splits_code_point(new_text, prefix)))
        --prefix;

    std::size_t suffix = 0;
    std::size_t const suffix_room = shorter - prefix;
    while (suffix < suffix_room && old_text[old_text.size() - 1 - suffix] == new_text[new_text.size() - 1 - suffix])
        ++suffix;
    // The suffix must start on a code point boundary in both texts.
    while (suffix > 0 && (splits_code_point(old_text, old_text.size() - suffix)
                          || splits_code_point(new_text, new_text.size() - suffix)))
        --suffix;

    std::string_view const removed = old_text.substr(prefix, old_text.size() - prefix - suffix);
    std::string_view const added = new_text.substr(prefix, new_text.size() - prefix - suffix);
    return TextSplice{count_code_points(old_text.substr(0, prefix)), count_code_points(removed), std::string(added)};
}

void splice_text_diffed(crdt::Document& doc, crdt::ObjId const& text, std::string_view new_text)
{
    auto const old_text = doc.text(text);
    if (!old_text)
        return;
    auto const splice = minimal_text_splice(*old_text, new_text);
    if (!splice)
        return;
    (void)doc.splice_text(text, splice->position, splice->deleted, splice->inserted);
}

} // namespace orvo_ui::doc
