#include "app/views/popup_surface.h"

#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

double clamp_popup_edge(double anchor, double extent, double lo, double hi)
{
    return std::max(std::min(anchor, hi - popup_margin - extent), lo + popup_margin);
}

void draw_popup_surface(orvo_ui::Painter& painter, orvo_ui::Rect const& rect)
{
    auto const& theme = painter.theme();
    orvo_ui::surface::shadow(painter, rect, popup_radius, {22, 8, 1.2});
    painter.fill_rounded(rect, popup_radius, theme.card);
    orvo_ui::surface::soft_outline(painter, rect, popup_radius);
    orvo_ui::surface::edge_outline(painter, rect, popup_radius);
}

} // namespace chat::views
