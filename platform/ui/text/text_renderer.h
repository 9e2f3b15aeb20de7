#pragma once

// Sets and draws text with Pango: Inter for the interface; fontconfig's fallback
// supplies Noto Color Emoji for emoji and DejaVu Sans for other symbols. (Naming
// the fallbacks in the family list instead makes Pango take emoji glyphs for
// plain characters such as "＋" and mis-measure empty lines.) Sizes are logical pixels; layouts are
// shaped without hinted metrics so they measure the same at every interface scale.
// One renderer lives on the user-interface thread (`shared()`); it is not thread-safe.

#include "ui/core/geometry.h"
#include "ui/text/layout_cache.h"
#include "ui/text/text_style.h"

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orvo_ui {

class Painter;

namespace richtext {
class RichTextLayout;
}

class TextRenderer {
public:
    static constexpr std::string_view default_families = "Inter";

    TextRenderer();
    TextRenderer(TextRenderer const&) = delete;
    TextRenderer& operator=(TextRenderer const&) = delete;

    static TextRenderer& shared();

    // Logical size of the text as set with `style` (colour ignored). Empty text
    // still has the height of one line.
    Size measure(std::string_view text, TextStyle const& style);
    // Height of one line of text at this size and weight.
    double line_height(double size, FontWeight weight = FontWeight::Regular);
    // Distance from the top of the text's box to its first baseline.
    double baseline(std::string_view text, TextStyle const& style);

    // Draws with the top-left corner of the text's box at `origin`; answers the box's size.
    Size draw(cairo_t* cr, std::string_view text, Point origin, TextStyle const& style);
    Size draw(Painter& painter, std::string_view text, Point origin, TextStyle const& style);
    // Paints the spans' highlight backgrounds, then the text.
    void draw_rich(cairo_t* cr, richtext::RichTextLayout const& layout, Point origin);
    void draw_rich(Painter& painter, richtext::RichTextLayout const& layout, Point origin);

    // The cached layout for this text and style; valid until the next call that
    // shapes text. For hit-testing and caret geometry.
    PangoLayout* layout_for(std::string_view text, TextStyle const& style);
    // The cached layout, shared: it stays valid for as long as the caller holds it.
    std::shared_ptr<PangoLayout> shaped(std::string_view text, TextStyle const& style);
    // A new, uncached layout with this renderer's fonts.
    std::shared_ptr<PangoLayout> make_layout(std::string_view text, TextStyle const& style);
    std::shared_ptr<PangoLayout> find_cached(std::string const& key) { return m_cache.find(key); }
    void remember(std::string key, std::shared_ptr<PangoLayout> layout) { m_cache.insert(std::move(key), std::move(layout)); }

    // Changing the families invalidates every cached layout and raises `font_revision`.
    void set_font_families(std::string families);
    std::uint64_t font_revision() const { return m_font_revision; }

    LayoutCache const& cache() const { return m_cache; }
    PangoContext* context() const { return m_context.get(); }

private:
    std::shared_ptr<PangoFontMap> m_font_map;
    std::shared_ptr<PangoContext> m_context;
    std::string m_families;
    std::uint64_t m_font_revision = 1;
    LayoutCache m_cache {4096};
};

// The cache key part that every layout of this style shares.
std::string layout_style_key(TextStyle const& style);
void apply_style(PangoLayout* layout, TextStyle const& style, std::string_view families);

} // namespace orvo_ui
