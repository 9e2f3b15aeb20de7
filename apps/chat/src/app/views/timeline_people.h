#pragma once

// How the timeline and the thread view show a person: avatar, name, colour.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <string>
#include <string_view>

namespace chat {
class ChatApp;
}

namespace chat::views {

// The author line's name: the display name, or "?" for a person nobody knows.
std::string author_name(ChatApp const& app, std::string_view person);
// The person's colour made readable on `surface`.
orvo_ui::Color readable_person_color(ChatApp const& app, std::string_view person, orvo_ui::Color const& surface,
                                     double minimum = 4.5);
// A round avatar in the person's colour with their initials.
void draw_person_avatar(ChatApp const& app, orvo_ui::Painter& painter, std::string_view person,
                        orvo_ui::Point centre, double radius);

} // namespace chat::views
