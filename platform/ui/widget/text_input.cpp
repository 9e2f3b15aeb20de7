#include "ui/widget/text_input.h"

#include "ui/text/rich_text.h"

#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>

namespace orvo_ui::widget::text_input {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::string normalized_paste(std::string text, bool multiline)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            c = '\n';
        }
        out.push_back(c == '\n' && !multiline ? ' ' : c);
    }
    return out;
}

constexpr double caret_width = 1.5;

} // namespace

TextInput::TextInput(Clipboard* clipboard, TextRenderer& text) : m_clipboard(clipboard), m_text(&text)
{
    m_style.size = 15;
}

void TextInput::set_text(std::string_view text)
{
    m_edit.set_text(text);
    m_preedit.clear();
    m_scroll = 0;
}

void TextInput::insert_at_cursor(std::string_view text) { m_edit.insert(normalized_paste(std::string(text), m_multiline)); }

void TextInput::set_focused(bool focused)
{
    if (m_focused == focused)
        return;
    m_focused = focused;
    m_blink_start.reset();
    if (!focused) {
        m_edit.collapse_selection();
        m_preedit.clear();
        m_dragging = false;
    }
}

std::string TextInput::display_text() const
{
    if (m_preedit.empty())
        return m_edit.text();
    std::string out = m_edit.text();
    out.insert(m_edit.caret(), m_preedit);
    return out;
}

TextStyle TextInput::layout_style(double width) const
{
    TextStyle style = m_style;
    style.overflow = TextOverflow::Wrap;
    style.width = m_multiline ? std::max(width, 1.0) : 0;
    return style;
}

std::shared_ptr<PangoLayout> TextInput::current_layout()
{
    TextStyle style = layout_style(m_rect.width);
    if (m_preedit.empty())
        return m_text->shaped(m_edit.text(), style);
    richtext::Span composing {m_edit.caret(), m_edit.caret() + m_preedit.size()};
    composing.underline = true;
    return richtext::RichTextLayout::shape(*m_text, display_text(), {composing}, style).shared_layout();
}

double TextInput::content_height(double width)
{
    return m_text->measure(display_text(), layout_style(width)).height;
}

bool TextInput::handle_event(Event const& event)
{
    bool consumed = std::visit(Overloaded {
        [&](KeyDown const& e) { return m_focused && handle_key(e); },
        [&](KeyUp const&) { return false; },
        [&](TextInputEvent const& e) {
            if (!m_focused)
                return false;
            m_preedit.clear();
            m_edit.insert(normalized_paste(e.text, m_multiline));
            return true;
        },
        [&](TextEditingEvent const& e) {
            if (!m_focused)
                return false;
            m_preedit = valid_utf8(e.text);
            return true;
        },
        [&](PointerDown const& e) { return handle_pointer_down(e); },
        [&](PointerMove const& e) {
            if (!m_dragging)
                return false;
            m_edit.set_caret(offset_at(e.position), true);
            return true;
        },
        [&](PointerUp const& e) {
            if (!m_dragging || e.button != MouseButton::Left)
                return false;
            m_dragging = false;
            return true;
        },
        [&](WindowFocusLost const&) {
            m_dragging = false;
            return false;
        },
        [&](auto const&) { return false; },
    }, event);
    if (consumed)
        m_blink_start.reset(); // the caret shows at once after any edit or move
    return consumed;
}

bool TextInput::handle_pointer_down(PointerDown const& e)
{
    if (e.button != MouseButton::Left || !m_rect.contains(e.position))
        return false;
    std::size_t at = offset_at(e.position);
    if (e.clicks >= 3) {
        m_edit.select_all();
    } else if (e.clicks == 2) {
        m_edit.select_word_at(at);
    } else {
        m_edit.set_caret(at, e.modifiers.shift);
        m_dragging = true;
    }
    return true;
}

bool TextInput::handle_key(KeyDown const& key)
{
    bool shift = key.modifiers.shift;
    bool ctrl = key.modifiers.ctrl;
    if (!m_preedit.empty())
        return true; // the input method owns keys while composing
    switch (key.key) {
    case Key::Backspace: ctrl ? m_edit.delete_word_backward() : m_edit.backspace(); return true;
    case Key::Delete: ctrl ? m_edit.delete_word_forward() : m_edit.delete_forward(); return true;
    case Key::Left: ctrl ? m_edit.move_word_left(shift) : m_edit.move_left(shift); return true;
    case Key::Right: ctrl ? m_edit.move_word_right(shift) : m_edit.move_right(shift); return true;
    case Key::Up: move_vertically(-1, shift); return true;
    case Key::Down: move_vertically(1, shift); return true;
    case Key::Home: ctrl ? m_edit.set_caret(0, shift) : m_edit.move_line_start(shift); return true;
    case Key::End: ctrl ? m_edit.set_caret(text().size(), shift) : m_edit.move_line_end(shift); return true;
    case Key::Enter:
        if (!m_multiline)
            return false;
        m_edit.insert("\n");
        return true;
    case Key::Character:
        if (ctrl)
            return handle_shortcut(key);
        return !key.modifiers.alt; // the text itself arrives as a TextInputEvent
    case Key::Space: return !ctrl && !key.modifiers.alt;
    default: return false;
    }
}

bool TextInput::handle_shortcut(KeyDown const& key)
{
    Clipboard& clipboard = m_clipboard ? *m_clipboard : system_clipboard();
    switch (key.character) {
    case U'a': m_edit.select_all(); return true;
    case U'c':
        if (m_edit.has_selection())
            clipboard.set_text(m_edit.selected_text());
        return true;
    case U'x':
        if (m_edit.has_selection()) {
            clipboard.set_text(m_edit.selected_text());
            m_edit.delete_selection();
        }
        return true;
    case U'v': m_edit.insert(normalized_paste(clipboard.text(), m_multiline)); return true;
    case U'z': key.modifiers.shift ? m_edit.redo() : m_edit.undo(); return true;
    case U'y': m_edit.redo(); return true;
    default: return false;
    }
}

void TextInput::move_vertically(int lines, bool select)
{
    auto layout = current_layout();
    int line = 0, x = 0;
    pango_layout_index_to_line_x(layout.get(), static_cast<int>(m_edit.caret()), FALSE, &line, &x);
    int target = line + lines;
    if (target < 0)
        return m_edit.set_caret(0, select);
    if (target >= pango_layout_get_line_count(layout.get()))
        return m_edit.set_caret(text().size(), select);
    PangoLayoutLine* row = pango_layout_get_line_readonly(layout.get(), target);
    int index = 0, trailing = 0;
    pango_layout_line_x_to_index(row, x, &index, &trailing);
    char const* base = text().c_str();
    char const* at = g_utf8_offset_to_pointer(base + index, trailing);
    m_edit.set_caret(static_cast<std::size_t>(at - base), select);
}

std::size_t TextInput::offset_at(Point p)
{
    auto layout = current_layout();
    int index = 0, trailing = 0;
    double x = p.x - m_rect.x + (m_multiline ? 0 : m_scroll);
    double y = p.y - m_rect.y + (m_multiline ? m_scroll : 0);
    pango_layout_xy_to_index(layout.get(), pango_units_from_double(x), pango_units_from_double(y), &index, &trailing);
    std::string shown = display_text();
    char const* base = shown.c_str();
    std::size_t offset = static_cast<std::size_t>(g_utf8_offset_to_pointer(base + index, trailing) - base);
    // Offsets inside the composition map to the caret it sits at.
    if (!m_preedit.empty() && offset > m_edit.caret())
        offset = offset >= m_edit.caret() + m_preedit.size() ? offset - m_preedit.size() : m_edit.caret();
    return offset;
}

void TextInput::keep_caret_in_view(PangoLayout* layout, double view_height)
{
    PangoRectangle strong;
    int index = static_cast<int>(m_edit.caret() + m_preedit.size());
    pango_layout_get_cursor_pos(layout, index, &strong, nullptr);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    if (m_multiline) {
        double top = pango_units_to_double(strong.y);
        double bottom = top + pango_units_to_double(strong.height);
        if (top < m_scroll)
            m_scroll = top;
        if (bottom > m_scroll + view_height)
            m_scroll = bottom - view_height;
        m_scroll = std::clamp(m_scroll, 0.0, std::max(0.0, pango_units_to_double(logical.height) - view_height));
    } else {
        double x = pango_units_to_double(strong.x);
        double margin = std::min(m_rect.width / 4, 24.0);
        if (x < m_scroll + margin)
            m_scroll = x - margin;
        if (x > m_scroll + m_rect.width - margin)
            m_scroll = x - m_rect.width + margin;
        m_scroll = std::clamp(m_scroll, 0.0, std::max(0.0, pango_units_to_double(logical.width) - m_rect.width + caret_width));
    }
}

Rect TextInput::caret_rect() const
{
    if (m_rect.empty())
        return {};
    TextStyle style = layout_style(m_rect.width);
    PangoLayout* layout = m_text->layout_for(m_edit.text(), style);
    PangoRectangle strong;
    pango_layout_get_cursor_pos(layout, static_cast<int>(m_edit.caret()), &strong, nullptr);
    double x = m_rect.x + pango_units_to_double(strong.x) - (m_multiline ? 0 : m_scroll);
    double y = m_rect.y + pango_units_to_double(strong.y) - (m_multiline ? m_scroll : 0);
    return {x, y, caret_width, pango_units_to_double(strong.height)};
}

bool TextInput::caret_visible(std::chrono::steady_clock::time_point now) const
{
    if (!m_blink_start || now <= *m_blink_start)
        return true;
    return ((now - *m_blink_start) / blink_half_period) % 2 == 0;
}

std::chrono::steady_clock::time_point TextInput::next_blink_change(std::chrono::steady_clock::time_point now) const
{
    if (!m_blink_start || now < *m_blink_start)
        return now + blink_half_period;
    auto periods = (now - *m_blink_start) / blink_half_period + 1;
    return *m_blink_start + periods * blink_half_period;
}

void TextInput::draw(Painter& painter, Rect const& r) { draw_at(painter, r, true); }

void TextInput::draw(Painter& painter, Rect const& r, std::chrono::steady_clock::time_point now)
{
    if (!m_blink_start)
        m_blink_start = now;
    draw_at(painter, r, caret_visible(now));
}

void TextInput::draw_at(Painter& painter, Rect const& r, bool show_caret)
{
    m_rect = r;
    Theme const& theme = painter.theme();
    cairo_t* cr = painter.cairo();
    auto clip = painter.clip(r);

    if (m_edit.text().empty() && m_preedit.empty() && !m_placeholder.empty()) {
        TextStyle placeholder = layout_style(r.width);
        placeholder.color = theme.muted_text;
        placeholder.overflow = TextOverflow::Ellipsis;
        placeholder.width = r.width;
        painter.text(m_placeholder, {r.x, r.y}, placeholder);
    }

    auto layout = current_layout();
    keep_caret_in_view(layout.get(), r.height);
    Point origin {r.x - (m_multiline ? 0 : m_scroll), r.y - (m_multiline ? m_scroll : 0)};
    if (m_focused && m_edit.has_selection()) {
        auto [start, end] = m_edit.selection();
        richtext::paint_range_background(cr, layout.get(), start, end, origin, theme.accent.with_alpha(0.35), 0, 2);
    }
    set_source(cr, m_text_color.value_or(theme.text));
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, layout.get());

    if (m_focused && show_caret) {
        PangoRectangle strong;
        int index = static_cast<int>(m_edit.caret() + m_preedit.size());
        pango_layout_get_cursor_pos(layout.get(), index, &strong, nullptr);
        painter.fill_rect({origin.x + pango_units_to_double(strong.x), origin.y + pango_units_to_double(strong.y),
                              caret_width, pango_units_to_double(strong.height)},
            theme.accent);
    }
}

} // namespace orvo_ui::widget::text_input
