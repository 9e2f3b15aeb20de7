#include "ui/paint/user_color.h"

#include <cstdint>

namespace orvo_ui::presence {

std::size_t user_color_index(std::string_view person_id)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : person_id) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return static_cast<std::size_t>(hash % 8);
}

Color user_color(std::string_view person_id, Theme const& theme) { return theme.user(user_color_index(person_id)); }

Color user_color(std::string_view person_id)
{
    static Theme const palette_source = Theme::dark();
    return user_color(person_id, palette_source);
}

} // namespace orvo_ui::presence
