#pragma once

// The people panel: the right flap's content when no thread is open.

#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <optional>
#include <string>
#include <vector>

namespace chat {

class ChatApp;

namespace views {

void draw_people_panel(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& panel);

// One listed person with the voice channel they sit in, if any.
struct PersonRow {
    Person const* person = nullptr;
    std::optional<std::string> voice_channel;
};
// The people of the current workspace in panel order: in a voice channel first,
// then by presence (online, idle, do not disturb, offline), then by display name.
std::vector<PersonRow> people_rows(ChatApp const& app);
// "{} (you)", "{} (agent)" or the plain name; the local person is always "(you)".
std::string person_row_name(ChatApp const& app, Person const& person);
// "Online", "Idle", "Do not disturb", "Offline".
std::string_view presence_label(Presence presence);

} // namespace views

} // namespace chat
