#include "ui/paint/painter.h"

#include <algorithm>
#include <cmath>

namespace orvo_ui {

void set_source(cairo_t* cr, Color const& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void rounded_rect_path(cairo_t* cr, Rect const& r, double radius)
{
    double rad = std::clamp(radius, 0.0, std::min(r.width, r.height) / 2);
    if (rad <= 0) {
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.right() - rad, r.top() + rad, rad, -M_PI / 2, 0);
    cairo_arc(cr, r.right() - rad, r.bottom() - rad, rad, 0, M_PI / 2);
    cairo_arc(cr, r.left() + rad, r.bottom() - rad, rad, M_PI / 2, M_PI);
    cairo_arc(cr, r.left() + rad, r.top() + rad, rad, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Painter::fill_rect(Rect const& r, Color const& c)
{
    set_source(m_cr, c);
    cairo_rectangle(m_cr, r.x, r.y, r.width, r.height);
    cairo_fill(m_cr);
}

void Painter::fill_rounded(Rect const& r, double radius, Color const& c)
{
    if (r.empty())
        return;
    set_source(m_cr, c);
    rounded_rect_path(m_cr, r, radius);
    cairo_fill(m_cr);
}

void Painter::stroke_rounded(Rect const& r, double radius, double width, Color const& c)
{
    if (r.empty() || width <= 0)
        return;
    Rect inner = r.inset(width / 2);
    set_source(m_cr, c);
    cairo_set_line_width(m_cr, width);
    rounded_rect_path(m_cr, inner, std::max(0.0, radius - width / 2));
    cairo_stroke(m_cr);
}

void Painter::disc(Point center, double radius, Color const& c)
{
    if (radius <= 0)
        return;
    set_source(m_cr, c);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, center.x, center.y, radius, 0, 2 * M_PI);
    cairo_fill(m_cr);
}

void Painter::ring(Point center, double radius, double width, Color const& c)
{
    if (radius <= 0 || width <= 0)
        return;
    set_source(m_cr, c);
    cairo_set_line_width(m_cr, width);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, center.x, center.y, radius, 0, 2 * M_PI);
    cairo_stroke(m_cr);
}

void Painter::line(Point from, Point to, double width, Color const& c)
{
    set_source(m_cr, c);
    cairo_set_line_width(m_cr, width);
    cairo_move_to(m_cr, from.x, from.y);
    cairo_line_to(m_cr, to.x, to.y);
    cairo_stroke(m_cr);
}

void Painter::scrim(double strength)
{
    fill_rect(bounds(), m_theme.scrim.scaled_alpha(std::clamp(strength, 0.0, 1.0)));
}

Size Painter::text(std::string_view text, Point origin, TextStyle const& style)
{
    return m_text.draw(m_cr, text, origin, style);
}

void Painter::text_centered(std::string_view text, Rect const& r, TextStyle style)
{
    style.width = 0;
    Size s = m_text.measure(text, style);
    m_text.draw(m_cr, text, {r.x + (r.width - s.width) / 2, r.y + (r.height - s.height) / 2}, style);
}

void Painter::rich_text(richtext::RichTextLayout const& layout, Point origin) { m_text.draw_rich(m_cr, layout, origin); }

Painter::ClipLayer::ClipLayer(Painter& painter, Rect const& r, double radius) : m_cr(painter.cairo())
{
    cairo_save(m_cr);
    rounded_rect_path(m_cr, r, radius);
    cairo_clip(m_cr);
}

Painter::ClipLayer::~ClipLayer() { cairo_restore(m_cr); }

Painter::OpacityLayer::OpacityLayer(Painter& painter, double alpha)
    : m_cr(painter.cairo()), m_alpha(std::clamp(alpha, 0.0, 1.0))
{
    cairo_push_group(m_cr);
}

Painter::OpacityLayer::~OpacityLayer()
{
    cairo_pop_group_to_source(m_cr);
    cairo_paint_with_alpha(m_cr, m_alpha);
}

} // namespace orvo_ui
