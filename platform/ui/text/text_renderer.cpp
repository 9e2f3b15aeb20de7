#include "ui/text/text_renderer.h"

#include "ui/paint/painter.h"
#include "ui/text/rich_text.h"

#include <pango/pangocairo.h>

#include <cstring>

namespace orvo_ui {

namespace {

PangoAlignment pango_alignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Center: return PANGO_ALIGN_CENTER;
    case TextAlign::Right: return PANGO_ALIGN_RIGHT;
    case TextAlign::Left: break;
    }
    return PANGO_ALIGN_LEFT;
}

template <typename T>
void append_bytes(std::string& out, T const& value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

} // namespace

TextRenderer::TextRenderer()
    : m_font_map(adopt_gobject(pango_cairo_font_map_new()))
    , m_context(adopt_gobject(pango_font_map_create_context(m_font_map.get())))
    , m_families(default_families)
{
    // Unhinted metrics and unrounded glyph positions keep a layout's size
    // independent of the device scale the frame loop applies.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(m_context.get(), options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(m_context.get(), FALSE);
    pango_context_set_language(m_context.get(), pango_language_from_string("en-us"));
}

TextRenderer& TextRenderer::shared()
{
    static TextRenderer renderer;
    return renderer;
}

std::string layout_style_key(TextStyle const& style)
{
    std::string key;
    append_bytes(key, style.size);
    append_bytes(key, style.width > 0 ? style.width : 0.0);
    key.push_back(static_cast<char>(static_cast<int>(style.weight) / 100));
    key.push_back(static_cast<char>(style.overflow));
    key.push_back(static_cast<char>(style.align));
    return key;
}

void apply_style(PangoLayout* layout, TextStyle const& style, std::string_view families)
{
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, std::string(families).c_str());
    pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
    pango_font_description_set_weight(font, static_cast<PangoWeight>(style.weight));
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);

    pango_layout_set_alignment(layout, pango_alignment(style.align));
    if (style.width > 0) {
        pango_layout_set_width(layout, pango_units_from_double(style.width));
        if (style.overflow == TextOverflow::Ellipsis) {
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
            pango_layout_set_height(layout, -1); // one line
        } else {
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }
    } else {
        pango_layout_set_width(layout, -1);
    }
}

std::shared_ptr<PangoLayout> TextRenderer::make_layout(std::string_view text, TextStyle const& style)
{
    auto layout = adopt_gobject(pango_layout_new(m_context.get()));
    apply_style(layout.get(), style, m_families);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    return layout;
}

std::shared_ptr<PangoLayout> TextRenderer::shaped(std::string_view text, TextStyle const& style)
{
    std::string key = layout_style_key(style);
    key.push_back('\0');
    key.append(text);
    if (auto hit = m_cache.find(key))
        return hit;
    auto layout = make_layout(text, style);
    m_cache.insert(std::move(key), layout);
    return layout;
}

PangoLayout* TextRenderer::layout_for(std::string_view text, TextStyle const& style)
{
    return shaped(text, style).get();
}

Size TextRenderer::measure(std::string_view text, TextStyle const& style)
{
    PangoRectangle logical;
    pango_layout_get_extents(layout_for(text, style), nullptr, &logical);
    return {pango_units_to_double(logical.width), pango_units_to_double(logical.height)};
}

double TextRenderer::line_height(double size, FontWeight weight)
{
    TextStyle style;
    style.size = size;
    style.weight = weight;
    return measure("", style).height;
}

double TextRenderer::baseline(std::string_view text, TextStyle const& style)
{
    return pango_units_to_double(pango_layout_get_baseline(layout_for(text, style)));
}

Size TextRenderer::draw(cairo_t* cr, std::string_view text, Point origin, TextStyle const& style)
{
    auto layout = shaped(text, style);
    cairo_save(cr);
    set_source(cr, style.color);
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return {pango_units_to_double(logical.width), pango_units_to_double(logical.height)};
}

Size TextRenderer::draw(Painter& painter, std::string_view text, Point origin, TextStyle const& style)
{
    return draw(painter.cairo(), text, origin, style);
}

void TextRenderer::draw_rich(Painter& painter, richtext::RichTextLayout const& layout, Point origin)
{
    draw_rich(painter.cairo(), layout, origin);
}

void TextRenderer::draw_rich(cairo_t* cr, richtext::RichTextLayout const& rich, Point origin)
{
    if (!rich.pango_layout())
        return;
    cairo_save(cr);
    rich.paint_highlights(cr, origin);
    set_source(cr, rich.base_color());
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, rich.pango_layout());
    cairo_restore(cr);
}

void TextRenderer::set_font_families(std::string families)
{
    if (families == m_families)
        return;
    m_families = std::move(families);
    m_cache.clear();
    ++m_font_revision;
}

} // namespace orvo_ui
