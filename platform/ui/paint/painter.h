#pragma once

// What a widget draws with: a Cairo context in logical pixels, the theme and
// the text renderer. Shapes are filled or stroked at once (immediate mode);
// clip and opacity layers are scoped objects that undo themselves.

#include "ui/core/geometry.h"
#include "ui/paint/color.h"
#include "ui/paint/theme.h"
#include "ui/text/rich_text.h"
#include "ui/text/text_renderer.h"
#include "ui/text/text_style.h"

#include <cairo.h>

#include <string_view>

namespace orvo_ui {

class Painter {
public:
    Painter(cairo_t* cr, Theme const& theme, Size logical_size)
        : Painter(cr, theme, logical_size, TextRenderer::shared()) {}
    Painter(cairo_t* cr, Theme const& theme, Size logical_size, TextRenderer& text)
        : m_cr(cr), m_theme(theme), m_size(logical_size), m_text(text) {}

    cairo_t* cairo() const { return m_cr; }
    Theme const& theme() const { return m_theme; }
    Size size() const { return m_size; }
    Rect bounds() const { return {0, 0, m_size.width, m_size.height}; }
    TextRenderer& text_renderer() const { return m_text; }

    void fill_rect(Rect const& r, Color const& c);
    void fill_rounded(Rect const& r, double radius, Color const& c);
    // The stroke sits inside `r`, so outlines never spill past the shape.
    void stroke_rounded(Rect const& r, double radius, double width, Color const& c);
    void disc(Point center, double radius, Color const& c);
    void ring(Point center, double radius, double width, Color const& c);
    void line(Point from, Point to, double width, Color const& c);
    // Covers the whole surface with the theme's scrim, its alpha times `strength`.
    void scrim(double strength = 1.0);

    // Text with its box's top-left corner at `origin`; returns the box's size.
    Size text(std::string_view text, Point origin, TextStyle const& style);
    // Text centred in `r` (both axes), one line.
    void text_centered(std::string_view text, Rect const& r, TextStyle style);
    void rich_text(richtext::RichTextLayout const& layout, Point origin);
    Size measure(std::string_view text, TextStyle const& style) { return m_text.measure(text, style); }

    // Everything drawn while the layer lives is clipped to the rounded rectangle.
    class [[nodiscard]] ClipLayer {
    public:
        ClipLayer(Painter& painter, Rect const& r, double radius);
        ~ClipLayer();
        ClipLayer(ClipLayer const&) = delete;
        ClipLayer& operator=(ClipLayer const&) = delete;

    private:
        cairo_t* m_cr;
    };

    // Everything drawn while the layer lives is composited at `alpha` when it ends.
    class [[nodiscard]] OpacityLayer {
    public:
        OpacityLayer(Painter& painter, double alpha);
        ~OpacityLayer();
        OpacityLayer(OpacityLayer const&) = delete;
        OpacityLayer& operator=(OpacityLayer const&) = delete;

    private:
        cairo_t* m_cr;
        double m_alpha;
    };

    ClipLayer clip(Rect const& r, double radius = 0) { return ClipLayer(*this, r, radius); }
    OpacityLayer opacity(double alpha) { return OpacityLayer(*this, alpha); }

private:
    cairo_t* m_cr;
    Theme const& m_theme;
    Size m_size;
    TextRenderer& m_text;
};

// Appends a rounded-rectangle path (radius clamped to half the shorter side).
void rounded_rect_path(cairo_t* cr, Rect const& r, double radius);
void set_source(cairo_t* cr, Color const& c);

} // namespace orvo_ui
