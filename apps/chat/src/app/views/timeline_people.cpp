#include "app/views/timeline_people.h"

#include "app/chat_app.h"

#include <algorithm>

namespace chat::views {

namespace {

Person const* find_person(ChatApp const& app, std::string_view id)
{
    for (auto const* list : {&app.model.workspace_people, &app.model.people}) {
        auto it = std::find_if(list->begin(), list->end(), [&](Person const& p) { return p.id == id; });
        if (it != list->end()) return &*it;
    }
    return nullptr;
}

} // namespace

std::string author_name(ChatApp const& app, std::string_view person)
{
    bool known = find_person(app, person) || app.local_identity.is_local(person) ||
                 app.local_identity.presence_names.contains(person);
    if (!known) return "?";
    return display_name(app.local_identity, app.model.workspace_people, person);
}

orvo_ui::Color readable_person_color(ChatApp const& app, std::string_view person, orvo_ui::Color const& surface,
                                     double minimum)
{
    return orvo_ui::adjust_for_contrast(person_color(app.local_identity, person), surface, minimum);
}

void draw_person_avatar(ChatApp const& app, orvo_ui::Painter& painter, std::string_view person,
                        orvo_ui::Point centre, double radius)
{
    std::string initials;
    if (auto const* known = find_person(app, person)) initials = known->initials;
    else if (app.local_identity.is_local(person)) initials = app.local_identity.initials;
    if (initials.empty()) initials = initials_for(author_name(app, person));
    auto fill = person_color(app.local_identity, person);
    painter.disc(centre, radius, fill);
    orvo_ui::TextStyle style;
    style.size = std::max(radius * 0.72, 8.0);
    style.weight = orvo_ui::FontWeight::Semibold;
    style.color = orvo_ui::relative_luminance(fill) > 0.45 ? orvo_ui::Color::rgb(0x15171C) : orvo_ui::Color::white();
    painter.text_centered(initials, {centre.x - radius, centre.y - radius, 2 * radius, 2 * radius}, style);
}

} // namespace chat::views
