#pragma once

// Caret stops and word edges of UTF-8 text, from Pango's log attributes, so a
// caret never lands inside a grapheme cluster (combining marks, ZWJ emoji
// sequences, flags) and word motion follows the Unicode word rules.

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvo_ui {

class TextBoundaries {
public:
    explicit TextBoundaries(std::string_view text);

    // Every byte offset where a caret may stand, ascending; includes 0 and the end.
    std::vector<std::size_t> const& caret_stops() const { return m_caret_stops; }

    // The nearest caret stop before / after `offset` (clamped at the ends).
    std::size_t previous_caret(std::size_t offset) const;
    std::size_t next_caret(std::size_t offset) const;
    // The caret stop at or before `offset`.
    std::size_t snap(std::size_t offset) const;

    // Ctrl+Left: the start of the word at or before `offset`; 0 when none.
    std::size_t previous_word_start(std::size_t offset) const;
    // Ctrl+Right: the end of the word at or after `offset`; the text's end when none.
    std::size_t next_word_end(std::size_t offset) const;

private:
    std::vector<std::size_t> m_caret_stops;
    std::vector<std::size_t> m_word_starts;
    std::vector<std::size_t> m_word_ends;
    std::size_t m_end = 0;
};

} // namespace orvo_ui
