#include "ui/text/rich_text.h"

#include "ui/text/text_renderer.h"

#include <cmath>
#include <cstring>

namespace orvo_ui::richtext {

namespace {

bool is_char_boundary(std::string_view text, std::size_t offset)
{
    if (offset == 0 || offset == text.size())
        return true;
    return (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80;
}

bool span_fits(std::string_view text, Span const& span)
{
    return span.start <= span.end && span.end <= text.size() && is_char_boundary(text, span.start)
        && is_char_boundary(text, span.end);
}

guint16 channel16(double v) { return static_cast<guint16>(std::lround(std::clamp(v, 0.0, 1.0) * 65535)); }

void insert_ranged(PangoAttrList* list, PangoAttribute* attr, Span const& span)
{
    attr->start_index = static_cast<guint>(span.start);
    attr->end_index = static_cast<guint>(span.end);
    pango_attr_list_insert(list, attr);
}

void append_span_key(std::string& key, Span const& span)
{
    auto put = [&key](auto value) {
        char bytes[sizeof(value)];
        std::memcpy(bytes, &value, sizeof(value));
        key.append(bytes, sizeof(value));
    };
    put(span.start);
    put(span.end);
    put(span.color ? span.color->to_rgb24() | 0x1000000u : 0u);
    put(span.color ? span.color->a : 0.0);
    put(span.weight ? static_cast<int>(*span.weight) : 0);
    put(span.underline);
    // The background is painted, not shaped, so it is not part of the key.
}

PangoAttrList* attributes_for(std::vector<Span> const& spans)
{
    PangoAttrList* list = pango_attr_list_new();
    for (Span const& span : spans) {
        if (span.color) {
            Color c = *span.color;
            insert_ranged(list, pango_attr_foreground_new(channel16(c.r), channel16(c.g), channel16(c.b)), span);
            insert_ranged(list, pango_attr_foreground_alpha_new(channel16(c.a)), span);
        }
        if (span.weight)
            insert_ranged(list, pango_attr_weight_new(static_cast<PangoWeight>(*span.weight)), span);
        if (span.underline)
            insert_ranged(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), span);
    }
    return list;
}

} // namespace

RichTextLayout RichTextLayout::shape(std::string_view text, std::vector<Span> const& spans, TextStyle const& style)
{
    return shape(TextRenderer::shared(), text, spans, style);
}

RichTextLayout RichTextLayout::shape(TextRenderer& renderer, std::string_view text, std::vector<Span> const& spans,
    TextStyle const& style)
{
    RichTextLayout out;
    out.m_base_color = style.color;
    for (Span const& span : spans) {
        if (span_fits(text, span) && span.start < span.end)
            out.m_spans.push_back(span);
    }

    std::string key = layout_style_key(style);
    key.push_back('\1');
    for (Span const& span : out.m_spans)
        append_span_key(key, span);
    key.push_back('\0');
    key.append(text);

    out.m_layout = renderer.find_cached(key);
    if (!out.m_layout) {
        out.m_layout = renderer.make_layout(text, style);
        PangoAttrList* attrs = attributes_for(out.m_spans);
        pango_layout_set_attributes(out.m_layout.get(), attrs);
        pango_attr_list_unref(attrs);
        renderer.remember(std::move(key), out.m_layout);
    }
    PangoRectangle logical;
    pango_layout_get_extents(out.m_layout.get(), nullptr, &logical);
    out.m_size = {pango_units_to_double(logical.width), pango_units_to_double(logical.height)};
    return out;
}

void RichTextLayout::paint_highlights(cairo_t* cr, Point origin) const
{
    for (Span const& span : m_spans) {
        if (span.background)
            paint_range_background(cr, m_layout.get(), span.start, span.end, origin, *span.background);
    }
}

void paint_range_background(cairo_t* cr, PangoLayout* layout, std::size_t start, std::size_t end, Point origin,
    Color const& color, double pad, double radius)
{
    if (!layout || start >= end)
        return;
    cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a);
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        int from = std::max(line->start_index, static_cast<int>(start));
        int to = std::min(line->start_index + line->length, static_cast<int>(end));
        if (from >= to)
            continue;
        int top = 0, bottom = 0;
        pango_layout_iter_get_line_yrange(iter, &top, &bottom);
        // x ranges are relative to the layout, alignment included.
        int* ranges = nullptr;
        int count = 0;
        pango_layout_line_get_x_ranges(line, from, to, &ranges, &count);
        for (int i = 0; i < count; ++i) {
            double x0 = origin.x + pango_units_to_double(ranges[2 * i]) - pad;
            double x1 = origin.x + pango_units_to_double(ranges[2 * i + 1]) + pad;
            double y0 = origin.y + pango_units_to_double(top);
            double y1 = origin.y + pango_units_to_double(bottom);
            double r = std::min({radius, (y1 - y0) / 2, (x1 - x0) / 2});
            cairo_new_sub_path(cr);
            cairo_arc(cr, x1 - r, y0 + r, r, -M_PI / 2, 0);
            cairo_arc(cr, x1 - r, y1 - r, r, 0, M_PI / 2);
            cairo_arc(cr, x0 + r, y1 - r, r, M_PI / 2, M_PI);
            cairo_arc(cr, x0 + r, y0 + r, r, M_PI, 3 * M_PI / 2);
            cairo_close_path(cr);
        }
        g_free(ranges);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    cairo_fill(cr);
}

} // namespace orvo_ui::richtext
