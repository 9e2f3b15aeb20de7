#pragma once

// Surface decoration shared by every view: cards, soft shadows, separators and
// outlines, all in the theme's colours.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

namespace orvo_ui::surface {

struct ShadowStyle {
    double blur = 18;
    double offset_y = 6;
    double strength = 1.0; // multiplies the theme's shadow alpha
};

// A soft drop shadow under a rounded rectangle (drawn outside and beneath it).
void shadow(Painter& painter, Rect const& r, double radius, ShadowStyle const& style = {});
// A neutral card: the theme's card fill, with a hairline where the card would
// otherwise vanish into its background (light theme).
void card(Painter& painter, Rect const& r, double radius);
// A one-pixel hairline from (x0, y) to (x1, y).
void separator(Painter& painter, double x0, double x1, double y);
void vertical_separator(Painter& painter, double x, double y0, double y1);
// A faint outline just outside a floating surface, so it reads against any backdrop.
void soft_outline(Painter& painter, Rect const& r, double radius);
// A crisp hairline on the inside edge of a bar or card.
void edge_outline(Painter& painter, Rect const& r, double radius);
// The grip dots of a draggable strip, centred in `strip`.
void floating_drag_grip(Painter& painter, Rect const& strip);

} // namespace orvo_ui::surface

namespace orvo_ui::chrome::shell {

enum class Edge { Left, Right, Top, Bottom };

// The border between a panel and what lies beside it, on one edge of `panel`.
void panel_border(Painter& painter, Rect const& panel, Edge edge = Edge::Left);

} // namespace orvo_ui::chrome::shell
