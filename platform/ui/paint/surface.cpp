#include "ui/paint/surface.h"

#include <algorithm>
#include <cmath>

namespace orvo_ui::surface {

void shadow(Painter& painter, Rect const& r, double radius, ShadowStyle const& style)
{
    if (r.empty())
        return;
    // Stacked translucent rounded rectangles, each a little larger, approximate a
    // Gaussian falloff without an offscreen blur pass.
    int const steps = std::clamp(static_cast<int>(style.blur / 1.5), 4, 16);
    Color base = painter.theme().shadow;
    double total = base.a * std::clamp(style.strength, 0.0, 2.0);
    Rect shifted {r.x, r.y + style.offset_y, r.width, r.height};
    cairo_t* cr = painter.cairo();
    cairo_save(cr);
    // Keep the area under the shape itself clear so translucent cards stay clean.
    cairo_rectangle(cr, -1e5, -1e5, 2e5, 2e5);
    rounded_rect_path(cr, r, radius);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (int i = steps; i >= 1; --i) {
        double t = static_cast<double>(i) / steps;
        double grow = style.blur * t * 0.6;
        Rect layer {shifted.x - grow, shifted.y - grow, shifted.width + 2 * grow, shifted.height + 2 * grow};
        double weight = (1 - t) * (1 - t) + 0.15;
        painter.fill_rounded(layer, radius + grow, base.with_alpha(total * weight * 2.2 / steps));
    }
    cairo_restore(cr);
}

void card(Painter& painter, Rect const& r, double radius)
{
    Theme const& theme = painter.theme();
    painter.fill_rounded(r, radius, theme.card);
    if (contrast_ratio(theme.card, theme.window) < 1.1)
        painter.stroke_rounded(r, radius, 1, theme.hairline);
}

void separator(Painter& painter, double x0, double x1, double y)
{
    if (x1 <= x0)
        return;
    painter.fill_rect({x0, std::floor(y), x1 - x0, 1}, painter.theme().hairline);
}

void vertical_separator(Painter& painter, double x, double y0, double y1)
{
    if (y1 <= y0)
        return;
    painter.fill_rect({std::floor(x), y0, 1, y1 - y0}, painter.theme().hairline);
}

void soft_outline(Painter& painter, Rect const& r, double radius)
{
    Rect outer {r.x - 1, r.y - 1, r.width + 2, r.height + 2};
    Color ink = painter.theme().kind == ThemeKind::Dark ? Color::black(0.45) : Color::black(0.10);
    painter.stroke_rounded(outer, radius + 1, 1, ink);
}

void edge_outline(Painter& painter, Rect const& r, double radius)
{
    painter.stroke_rounded(r, radius, 1, painter.theme().hairline_on(painter.theme().kind == ThemeKind::Dark ? 26 : 30));
}

void floating_drag_grip(Painter& painter, Rect const& strip)
{
    // Two rows of three dots, the conventional "grab here" mark.
    Color dot = painter.theme().muted_text.scaled_alpha(0.8);
    Point c = strip.center();
    for (int row = 0; row < 2; ++row) {
        for (int col = -1; col <= 1; ++col)
            painter.disc({c.x + col * 7.0, c.y + (row == 0 ? -2.5 : 2.5)}, 1.6, dot);
    }
}

} // namespace orvo_ui::surface

namespace orvo_ui::chrome::shell {

void panel_border(Painter& painter, Rect const& panel, Edge edge)
{
    Color ink = painter.theme().hairline;
    switch (edge) {
    case Edge::Left: painter.fill_rect({panel.left(), panel.top(), 1, panel.height}, ink); break;
    case Edge::Right: painter.fill_rect({panel.right() - 1, panel.top(), 1, panel.height}, ink); break;
    case Edge::Top: painter.fill_rect({panel.left(), panel.top(), panel.width, 1}, ink); break;
    case Edge::Bottom: painter.fill_rect({panel.left(), panel.bottom() - 1, panel.width, 1}, ink); break;
    }
}

} // namespace orvo_ui::chrome::shell
