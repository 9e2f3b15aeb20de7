#pragma once

#include <cstdint>

namespace orvo_ui {

// Straight (not premultiplied) RGBA, each channel in [0, 1].
struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;

    static constexpr Color rgb(std::uint32_t hex, double alpha = 1.0)
    {
        return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0, alpha};
    }
    static constexpr Color white(double alpha = 1.0) { return {1, 1, 1, alpha}; }
    static constexpr Color black(double alpha = 1.0) { return {0, 0, 0, alpha}; }

    constexpr Color with_alpha(double alpha) const { return {r, g, b, alpha}; }
    constexpr Color scaled_alpha(double factor) const { return {r, g, b, a * factor}; }
    // 24-bit 0xRRGGBB, alpha dropped.
    std::uint32_t to_rgb24() const;
    friend constexpr bool operator==(Color const&, Color const&) = default;
};

// Linear interpolation of every channel, t in [0, 1] (0 gives a).
Color mix(Color const& a, Color const& b, double t);
// `top` painted over an opaque `bottom`; the result is opaque.
Color composite(Color const& top, Color const& bottom);
// WCAG relative luminance of the colour's opaque RGB.
double relative_luminance(Color const& c);
// WCAG contrast ratio (1 to 21) of two colours; `fg` is composited over `bg` first.
double contrast_ratio(Color const& fg, Color const& bg);
// The colour closest to `fg` (same hue, moved towards white or black) whose contrast
// against `bg` reaches `minimum`; `fg` itself when it already does.
Color adjust_for_contrast(Color const& fg, Color const& bg, double minimum);

} // namespace orvo_ui
