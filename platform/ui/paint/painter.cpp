#include "ui/paint/painter.h"

namespace orvo_ui {

void Painter::fill_rect(Rect const& r, Color const& c)
{
    cairo_set_source_rgba(m_cr, c.r, c.g, c.b, c.a);
    cairo_rectangle(m_cr, r.x, r.y, r.width, r.height);
    cairo_fill(m_cr);
}

} // namespace orvo_ui
