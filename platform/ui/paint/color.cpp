#include "ui/paint/color.h"

#include <algorithm>
#include <cmath>

namespace orvo_ui {

std::uint32_t Color::to_rgb24() const
{
    auto channel = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

Color mix(Color const& a, Color const& b, double t)
{
    auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Color composite(Color const& top, Color const& bottom)
{
    Color opaque_top = top.with_alpha(1);
    Color out = mix(bottom.with_alpha(1), opaque_top, std::clamp(top.a, 0.0, 1.0));
    out.a = 1;
    return out;
}

double relative_luminance(Color const& c)
{
    auto linear = [](double v) {
        v = std::clamp(v, 0.0, 1.0);
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast_ratio(Color const& fg, Color const& bg)
{
    Color solid_bg = bg.with_alpha(1);
    double l1 = relative_luminance(composite(fg, solid_bg));
    double l2 = relative_luminance(solid_bg);
    if (l1 < l2)
        std::swap(l1, l2);
    return (l1 + 0.05) / (l2 + 0.05);
}

Color adjust_for_contrast(Color const& fg, Color const& bg, double minimum)
{
    if (contrast_ratio(fg, bg) >= minimum)
        return fg;
    // Move towards whichever end (white or black) can reach the target; the
    // search keeps as much of the original hue as the target allows.
    Color solid_bg = composite(bg, Color::black());
    bool towards_white = relative_luminance(solid_bg) < 0.18;
    Color end = towards_white ? Color::white(fg.a) : Color::black(fg.a);
    double lo = 0, hi = 1;
    for (int i = 0; i < 24; ++i) {
        double mid = (lo + hi) / 2;
        if (contrast_ratio(mix(fg, end, mid), bg) >= minimum)
            hi = mid;
        else
            lo = mid;
    }
    return mix(fg, end, hi);
}

} // namespace orvo_ui
