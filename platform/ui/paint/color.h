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
    constexpr Color with_alpha(double alpha) const { return {r, g, b, alpha}; }
    friend constexpr bool operator==(Color const&, Color const&) = default;
};

} // namespace orvo_ui
