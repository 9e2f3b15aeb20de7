#pragma once

// A person's round avatar: initials on a palette colour, with an optional
// presence dot at the lower right.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvo_ui::widget::avatar {

enum class Presence { Online, Idle, DoNotDisturb, Offline };

struct Avatar {
    std::string initials;
    std::size_t color_index = 0; // into the theme's palette of eight, modulo 8
    std::optional<Presence> presence;
    // The surface the avatar sits on; the presence dot is ringed in it so it
    // reads as cut out of the avatar. Defaults to the theme's panel colour.
    std::optional<Color> surface;

    void draw(Painter& painter, Point center, double radius) const;
};

Color presence_color(Theme const& theme, Presence presence);
// Up to two initials from a display name: first letters of the first and last words.
std::string initials_for(std::string_view display_name);

} // namespace orvo_ui::widget::avatar
