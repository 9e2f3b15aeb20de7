#pragma once

// The editing model behind TextInput: UTF-8 text, a caret and a selection
// anchor (byte offsets on grapheme boundaries), and undo. No drawing, no events.

#include "ui/text/text_boundaries.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvo_ui::widget {

class TextEdit {
public:
    std::string const& text() const { return m_text; }
    std::size_t caret() const { return m_caret; }
    std::size_t anchor() const { return m_anchor; }
    bool has_selection() const { return m_caret != m_anchor; }
    // Ordered (start, end) of the selection; empty when start == end.
    std::pair<std::size_t, std::size_t> selection() const;
    std::string selected_text() const;

    // Replaces everything, caret at the end; forgets undo history. Invalid
    // UTF-8 is repaired. Does not mark the text dirty (the caller set it).
    void set_text(std::string_view text);
    // Replaces the selection (or inserts at the caret); the caret follows the insert.
    void insert(std::string_view text);

    void backspace();
    void delete_forward();
    void delete_word_backward();
    void delete_word_forward();
    // Deletes the selection; answers whether there was one.
    bool delete_selection();

    void move_left(bool select);
    void move_right(bool select);
    void move_word_left(bool select);
    void move_word_right(bool select);
    // Start / end of the current line (up to the surrounding line feeds).
    void move_line_start(bool select);
    void move_line_end(bool select);
    // Places the caret at `offset`, snapped back to a grapheme boundary.
    void set_caret(std::size_t offset, bool select);
    void select_all();
    void select_word_at(std::size_t offset);
    void collapse_selection() { m_anchor = m_caret; }

    bool undo();
    bool redo();
    bool can_undo() const { return !m_undo.empty(); }

    // True once after any change to the text.
    bool take_dirty();

private:
    enum class EditKind { None, Typing, Deleting, Other };
    struct Snapshot {
        std::string text;
        std::size_t caret = 0;
        std::size_t anchor = 0;
    };

    void replace_range(std::size_t start, std::size_t end, std::string_view with, EditKind kind);
    void remember(EditKind kind);
    void place(std::size_t caret, bool select);
    TextBoundaries const& boundaries() const;

    std::string m_text;
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
    bool m_dirty = false;
    std::vector<Snapshot> m_undo;
    std::vector<Snapshot> m_redo;
    EditKind m_last_edit = EditKind::None;
    std::size_t m_last_edit_end = 0;
    mutable std::string m_boundaries_for;
    mutable TextBoundaries m_boundaries {""};
};

// `text` with invalid UTF-8 sequences replaced by U+FFFD.
std::string valid_utf8(std::string_view text);

} // namespace orvo_ui::widget
