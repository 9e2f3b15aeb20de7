#pragma once

// Text with styled byte ranges (colour, weight, a highlight background), shaped
// once into a layout that `TextRenderer::draw_rich` paints.

#include "ui/core/geometry.h"
#include "ui/text/text_style.h"

#include <cairo.h>
#include <pango/pango.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace orvo_ui {
class TextRenderer;
}

namespace orvo_ui::richtext {

struct Span {
    std::size_t start = 0; // byte offsets into the text, end exclusive
    std::size_t end = 0;
    std::optional<Color> color;
    std::optional<Color> background; // drawn as a rounded highlight behind the range
    std::optional<FontWeight> weight;
    bool underline = false;
};

class RichTextLayout {
public:
    RichTextLayout() = default;

    // Spans outside the text or splitting a UTF-8 sequence are ignored. `style`
    // gives the base size, weight, colour, width and overflow.
    static RichTextLayout shape(std::string_view text, std::vector<Span> const& spans, TextStyle const& style);
    static RichTextLayout shape(TextRenderer& renderer, std::string_view text, std::vector<Span> const& spans,
        TextStyle const& style);

    double height() const { return m_size.height; }
    double width() const { return m_size.width; }
    Size size() const { return m_size; }
    // The spans that were applied, in the order given.
    std::vector<Span> const& spans() const { return m_spans; }

    PangoLayout* pango_layout() const { return m_layout.get(); }
    std::shared_ptr<PangoLayout> shared_layout() const { return m_layout; }
    Color base_color() const { return m_base_color; }
    void paint_highlights(cairo_t* cr, Point origin) const;

private:
    std::shared_ptr<PangoLayout> m_layout;
    std::vector<Span> m_spans;
    Color m_base_color;
    Size m_size;
};

// Fills rounded boxes behind the bytes [start, end) of `layout` drawn at
// `origin`, one box per visual run (selection, highlights).
void paint_range_background(cairo_t* cr, PangoLayout* layout, std::size_t start, std::size_t end, Point origin,
    Color const& color, double pad = 2, double radius = 4);

} // namespace orvo_ui::richtext
