#pragma once

// The colour the interface gives a person who has not chosen one: a stable pick
// from the theme's palette of eight, so a name looks the same on every machine.

#include "ui/paint/color.h"
#include "ui/paint/theme.h"

#include <cstddef>
#include <string_view>

namespace orvo_ui::presence {

// Index into the eight-colour palette, from a hash of the id (FNV-1a, stable).
std::size_t user_color_index(std::string_view person_id);
Color user_color(std::string_view person_id, Theme const& theme);
// The dark theme's palette, for callers without a theme at hand.
Color user_color(std::string_view person_id);

} // namespace orvo_ui::presence
