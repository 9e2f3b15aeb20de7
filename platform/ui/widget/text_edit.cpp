#include "ui/widget/text_edit.h"

#include <glib.h>

#include <algorithm>

namespace orvo_ui::widget {

namespace {

constexpr std::size_t undo_limit = 200;

} // namespace

std::string valid_utf8(std::string_view text)
{
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return std::string(text);
    gchar* repaired = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string out(repaired);
    g_free(repaired);
    return out;
}

TextBoundaries const& TextEdit::boundaries() const
{
    if (m_boundaries_for != m_text || m_text.empty()) {
        m_boundaries = TextBoundaries(m_text);
        m_boundaries_for = m_text;
    }
    return m_boundaries;
}

std::pair<std::size_t, std::size_t> TextEdit::selection() const
{
    return {std::min(m_caret, m_anchor), std::max(m_caret, m_anchor)};
}

std::string TextEdit::selected_text() const
{
    auto [start, end] = selection();
    return m_text.substr(start, end - start);
}

void TextEdit::set_text(std::string_view text)
{
    m_text = valid_utf8(text);
    m_caret = m_anchor = m_text.size();
    m_undo.clear();
    m_redo.clear();
    m_last_edit = EditKind::None;
}

void TextEdit::remember(EditKind kind)
{
    // Runs of typing (or of deleting) that continue where the last one ended
    // are undone as one step, as in desktop editors.
    bool continues = kind == m_last_edit && kind != EditKind::Other && !has_selection() && m_caret == m_last_edit_end;
    if (!continues) {
        m_undo.push_back({m_text, m_caret, m_anchor});
        if (m_undo.size() > undo_limit)
            m_undo.erase(m_undo.begin());
    }
    m_redo.clear();
    m_last_edit = kind;
}

void TextEdit::replace_range(std::size_t start, std::size_t end, std::string_view with, EditKind kind)
{
    if (start == end && with.empty())
        return;
    remember(kind);
    m_text.replace(start, end - start, with);
    m_caret = m_anchor = start + with.size();
    m_last_edit_end = m_caret;
    m_dirty = true;
}

void TextEdit::insert(std::string_view text)
{
    std::string clean = valid_utf8(text);
    auto [start, end] = selection();
    bool typing = clean.size() <= 4 && clean.find('\n') == std::string::npos && start == end;
    replace_range(start, end, clean, typing ? EditKind::Typing : EditKind::Other);
}

bool TextEdit::delete_selection()
{
    if (!has_selection())
        return false;
    auto [start, end] = selection();
    replace_range(start, end, "", EditKind::Other);
    return true;
}

void TextEdit::backspace()
{
    if (delete_selection())
        return;
    replace_range(boundaries().previous_caret(m_caret), m_caret, "", EditKind::Deleting);
}

void TextEdit::delete_forward()
{
    if (delete_selection())
        return;
    std::size_t end = boundaries().next_caret(m_caret);
    std::size_t caret = m_caret;
    replace_range(caret, end, "", EditKind::Other);
}

void TextEdit::delete_word_backward()
{
    if (delete_selection())
        return;
    replace_range(boundaries().previous_word_start(m_caret), m_caret, "", EditKind::Other);
}

void TextEdit::delete_word_forward()
{
    if (delete_selection())
        return;
    std::size_t caret = m_caret;
    replace_range(caret, boundaries().next_word_end(caret), "", EditKind::Other);
}

void TextEdit::place(std::size_t caret, bool select)
{
    m_caret = std::min(caret, m_text.size());
    if (!select)
        m_anchor = m_caret;
    m_last_edit = EditKind::None;
}

void TextEdit::move_left(bool select)
{
    if (!select && has_selection())
        return place(selection().first, false);
    place(boundaries().previous_caret(m_caret), select);
}

void TextEdit::move_right(bool select)
{
    if (!select && has_selection())
        return place(selection().second, false);
    place(boundaries().next_caret(m_caret), select);
}

void TextEdit::move_word_left(bool select) { place(boundaries().previous_word_start(m_caret), select); }

void TextEdit::move_word_right(bool select) { place(boundaries().next_word_end(m_caret), select); }

void TextEdit::move_line_start(bool select)
{
    std::size_t feed = m_caret == 0 ? std::string::npos : m_text.rfind('\n', m_caret - 1);
    place(feed == std::string::npos ? 0 : feed + 1, select);
}

void TextEdit::move_line_end(bool select)
{
    std::size_t feed = m_text.find('\n', m_caret);
    place(feed == std::string::npos ? m_text.size() : feed, select);
}

void TextEdit::set_caret(std::size_t offset, bool select)
{
    place(boundaries().snap(std::min(offset, m_text.size())), select);
}

void TextEdit::select_all()
{
    m_anchor = 0;
    m_caret = m_text.size();
    m_last_edit = EditKind::None;
}

void TextEdit::select_word_at(std::size_t offset)
{
    TextBoundaries const& b = boundaries();
    std::size_t at = b.snap(std::min(offset, m_text.size()));
    std::size_t end = b.next_word_end(at);
    std::size_t start = b.previous_word_start(end);
    if (start > at || end < at) {
        // Between words: select just the grapheme under the pointer.
        start = at;
        end = b.next_caret(at);
    }
    m_anchor = start;
    m_caret = end;
    m_last_edit = EditKind::None;
}

bool TextEdit::undo()
{
    if (m_undo.empty())
        return false;
    m_redo.push_back({m_text, m_caret, m_anchor});
    Snapshot s = std::move(m_undo.back());
    m_undo.pop_back();
    m_text = std::move(s.text);
    m_caret = s.caret;
    m_anchor = s.anchor;
    m_dirty = true;
    m_last_edit = EditKind::None;
    return true;
}

bool TextEdit::redo()
{
    if (m_redo.empty())
        return false;
    m_undo.push_back({m_text, m_caret, m_anchor});
    Snapshot s = std::move(m_redo.back());
    m_redo.pop_back();
    m_text = std::move(s.text);
    m_caret = s.caret;
    m_anchor = s.anchor;
    m_dirty = true;
    m_last_edit = EditKind::None;
    return true;
}

bool TextEdit::take_dirty()
{
    bool was = m_dirty;
    m_dirty = false;
    return was;
}

} // namespace orvo_ui::widget
