#pragma once

// Design tokens: the colours, metrics and motion every view paints with.
// Views name roles ("muted text", "hairline"), never literal colours, so the
// light and dark themes stay interchangeable.

#include "ui/paint/color.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvo_ui::tokens {

namespace colors {

struct Colors {
    // Surfaces, from the back of the window to the front.
    Color window;
    Color rail;
    Color panel;           // sidebar, details panel, bars
    Color card;            // neutral card: chips, pills, menus
    Color tile_surface;    // call tiles and camera-off covers
    Color stage_background;
    Color stage_background_edge; // the stage's outer tone, for its vignette band
    Color tooltip;

    // Text.
    Color text;
    Color muted_text;
    Color on_accent;       // text drawn on an accent fill

    // Roles.
    Color accent;
    Color danger;
    Color alert;
    Color focus;
    Color online;
    Color idle;
    Color do_not_disturb;
    Color offline;

    // Overlays: `hairline` and `hover` are the theme's ink (white on dark,
    // black on light) at their standard alpha.
    Color hairline;
    Color hover;
    Color scrim;
    Color shadow;

    std::array<Color, 8> user_palette;

    // The hairline ink at an explicit alpha out of 255 (for instance 51 or 26).
    Color hairline_on(std::uint8_t alpha) const { return hairline.with_alpha(alpha / 255.0); }
    // The hover overlay scaled by `strength`: 1 is a hovered row, 0.35 a faint chip.
    Color lift(double strength) const { return hover.scaled_alpha(strength); }
    // The accent as a translucent highlight at `strength` of its standard tint.
    Color accent_lift(double strength) const { return accent.with_alpha(0.22 * strength); }
    Color user(std::size_t index) const { return user_palette[index % user_palette.size()]; }
};

} // namespace colors

namespace metrics {

// Logical pixels.
struct Metrics {
    double padding_unit = 8;
    double top_padding = 20;
    double gap = 10;
    double title_size = 17;
    double body_size = 14;
    double line_height = 20;
    double button_padding = 28; // added to a button's text width, both sides together
    double side_margin = 24;
    double row_padding = 7;
    double corner_radius = 10;
};

} // namespace metrics

namespace motion {

enum class Easing { Linear, EaseOutCubic, EaseInOutCubic };

struct Motion {
    double duration_ms = 180;
    Easing easing = Easing::EaseOutCubic;
};

} // namespace motion

} // namespace orvo_ui::tokens
