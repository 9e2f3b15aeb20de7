#pragma once

// A push button painted in one call; the caller records its hit region.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <string_view>

namespace orvo_ui::widget::button {

struct ButtonStyle {
    double radius = 9;
    double text_size = 13;
    bool hovered = false;
    bool disabled = false;
    bool danger = false;   // an action that destroys or leaves
    bool selected = false; // a toggle that is on
    std::string_view icon; // drawn before the label; alone when the label is empty
};

struct Button {
    static void paint(Painter& painter, Rect const& r, std::string_view label, ButtonStyle const& style = {});
    // The width a button needs for this label: text plus the theme's button padding.
    static double preferred_width(Painter& painter, std::string_view label, ButtonStyle const& style = {});
};

} // namespace orvo_ui::widget::button
