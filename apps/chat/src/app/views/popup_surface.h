#pragma once

// The floating card the popups share: a soft shadow, the fill and an outline
// that keeps its edge visible over any backdrop.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

namespace chat::views {

inline constexpr double popup_radius = 14;
// How far a popup keeps from every edge of the window.
inline constexpr double popup_margin = 8;

// The left or top edge of a popup `extent` long opened at `anchor` along an axis
// from `lo` to `hi`, kept `popup_margin` inside; when it cannot fit, the start
// edge wins so its title stays reachable.
double clamp_popup_edge(double anchor, double extent, double lo, double hi);

void draw_popup_surface(orvo_ui::Painter& painter, orvo_ui::Rect const& rect);

} // namespace chat::views
