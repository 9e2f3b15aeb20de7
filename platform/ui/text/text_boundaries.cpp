#include "ui/text/text_boundaries.h"

#include <pango/pango.h>

#include <algorithm>

namespace orvo_ui {

TextBoundaries::TextBoundaries(std::string_view text) : m_end(text.size())
{
    // Pango wants valid UTF-8; anything else is treated as one stop per byte.
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        for (std::size_t i = 0; i <= text.size(); ++i)
            m_caret_stops.push_back(i);
        m_word_starts.push_back(0);
        m_word_ends.push_back(text.size());
        return;
    }
    glong chars = g_utf8_strlen(text.data(), static_cast<gssize>(text.size()));
    std::vector<PangoLogAttr> attrs(static_cast<std::size_t>(chars) + 1);
    pango_get_log_attrs(text.data(), static_cast<int>(text.size()), -1, pango_language_from_string("en-us"),
        attrs.data(), static_cast<int>(attrs.size()));

    char const* p = text.data();
    for (std::size_t i = 0; i < attrs.size(); ++i) {
        std::size_t offset = static_cast<std::size_t>(p - text.data());
        if (attrs[i].is_cursor_position)
            m_caret_stops.push_back(offset);
        if (attrs[i].is_word_start)
            m_word_starts.push_back(offset);
        if (attrs[i].is_word_end)
            m_word_ends.push_back(offset);
        if (i + 1 < attrs.size())
            p = g_utf8_next_char(p);
    }
    if (m_caret_stops.empty() || m_caret_stops.front() != 0)
        m_caret_stops.insert(m_caret_stops.begin(), 0);
    if (m_caret_stops.back() != m_end)
        m_caret_stops.push_back(m_end);
}

std::size_t TextBoundaries::previous_caret(std::size_t offset) const
{
    auto it = std::lower_bound(m_caret_stops.begin(), m_caret_stops.end(), offset);
    return it == m_caret_stops.begin() ? 0 : *std::prev(it);
}

std::size_t TextBoundaries::next_caret(std::size_t offset) const
{
    auto it = std::upper_bound(m_caret_stops.begin(), m_caret_stops.end(), offset);
    return it == m_caret_stops.end() ? m_end : *it;
}

std::size_t TextBoundaries::snap(std::size_t offset) const
{
    auto it = std::upper_bound(m_caret_stops.begin(), m_caret_stops.end(), offset);
    return it == m_caret_stops.begin() ? 0 : *std::prev(it);
}

std::size_t TextBoundaries::previous_word_start(std::size_t offset) const
{
    auto it = std::lower_bound(m_word_starts.begin(), m_word_starts.end(), offset);
    return it == m_word_starts.begin() ? 0 : *std::prev(it);
}

std::size_t TextBoundaries::next_word_end(std::size_t offset) const
{
    auto it = std::upper_bound(m_word_ends.begin(), m_word_ends.end(), offset);
    return it == m_word_ends.end() ? m_end : *it;
}

} // namespace orvo_ui
