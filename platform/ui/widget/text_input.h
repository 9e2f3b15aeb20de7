#pragma once

// A desktop text field: UTF-8 editing by grapheme and word, selection with the
// keyboard and pointer, the clipboard, input-method composition, undo, a
// placeholder, and wrapping with the caret kept in view. Immediate mode: `draw`
// records where the field is, and pointer events are resolved against that.

#include "ui/core/event.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"
#include "ui/text/text_renderer.h"
#include "ui/widget/clipboard.h"
#include "ui/widget/text_edit.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvo_ui::widget::text_input {

class TextInput {
public:
    explicit TextInput(Clipboard* clipboard = nullptr, TextRenderer& text = TextRenderer::shared());

    std::string const& text() const { return m_edit.text(); }
    // Replaces the text, caret at the end, undo history cleared; not a user change.
    void set_text(std::string_view text);
    // Inserts as if typed (replacing any selection); marks the input dirty.
    void insert_at_cursor(std::string_view text);
    // True once after the user (or insert_at_cursor) changed the text.
    bool take_dirty() { return m_edit.take_dirty(); }

    void set_placeholder(std::string placeholder) { m_placeholder = std::move(placeholder); }
    std::string const& placeholder() const { return m_placeholder; }
    // Text typed here is attributed to this person (the local user).
    void set_local_author(std::string person_id) { m_local_author = std::move(person_id); }
    std::string const& local_author() const { return m_local_author; }

    // Size and weight of the text; its colour is the theme's text unless set below.
    void set_text_style(TextStyle style) { m_style = style; }
    void set_text_color(std::optional<Color> color) { m_text_color = color; }
    TextStyle const& text_style() const { return m_style; }
    // Single-line inputs leave Enter to the caller and turn pasted line feeds into spaces.
    void set_multiline(bool multiline) { m_multiline = multiline; }

    // Losing focus drops the selection, the composition and any drag.
    void set_focused(bool focused);
    bool focused() const { return m_focused; }

    std::size_t caret() const { return m_edit.caret(); }
    std::pair<std::size_t, std::size_t> selection() const { return m_edit.selection(); }
    std::string selected_text() const { return m_edit.selected_text(); }
    void set_caret(std::size_t offset, bool select = false) { m_edit.set_caret(offset, select); }
    void select_all() { m_edit.select_all(); }
    std::string const& composition() const { return m_preedit; }

    // Keyboard events need focus; pointer events need the rectangle of the last draw.
    // Answers whether the event was consumed.
    bool handle_event(Event const& event);

    // Height the text needs when wrapped to `width` (at least one line).
    double content_height(double width);
    // Draws with a steady caret.
    void draw(Painter& painter, Rect const& r);
    // Draws with a blinking caret. Gaining focus, typing and moving the caret
    // restart the blink with the caret shown.
    void draw(Painter& painter, Rect const& r, std::chrono::steady_clock::time_point now);
    static constexpr std::chrono::milliseconds blink_half_period {530};
    bool caret_visible(std::chrono::steady_clock::time_point now) const;
    // When the blinking caret next appears or disappears (for frame scheduling).
    std::chrono::steady_clock::time_point next_blink_change(std::chrono::steady_clock::time_point now) const;
    Rect last_rect() const { return m_rect; }
    // The caret in window coordinates after the last draw (for the input-method window).
    Rect caret_rect() const;
    double scroll_offset() const { return m_scroll; }

private:
    void draw_at(Painter& painter, Rect const& r, bool show_caret);
    bool handle_key(KeyDown const& key);
    bool handle_shortcut(KeyDown const& key);
    bool handle_pointer_down(PointerDown const& e);
    void move_vertically(int lines, bool select);
    void move_visual_line_edge(bool end, bool select);
    std::size_t offset_at(Point p);
    std::string display_text() const;
    TextStyle layout_style(double width) const;
    std::shared_ptr<PangoLayout> current_layout();
    void keep_caret_in_view(PangoLayout* layout, double view_height);

    TextEdit m_edit;
    Clipboard* m_clipboard;
    TextRenderer* m_text;
    TextStyle m_style;
    std::optional<Color> m_text_color;
    std::string m_placeholder;
    std::string m_local_author;
    std::string m_preedit;
    bool m_multiline = true;
    bool m_focused = false;
    bool m_dragging = false;
    Rect m_rect;
    double m_scroll = 0;
    // Start of the current blink cycle; unset means "fresh": the next timed draw starts it.
    std::optional<std::chrono::steady_clock::time_point> m_blink_start;
};

} // namespace orvo_ui::widget::text_input
