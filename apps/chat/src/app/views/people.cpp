#include "app/views/people.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/sidebar.h"
#include "ui/paint/surface.h"
#include "ui/widget/avatar.h"

#include <algorithm>

namespace chat::views {

using orvo_ui::FontWeight;
using orvo_ui::Rect;
using orvo_ui::TextStyle;

std::string_view presence_label(Presence presence)
{
    switch (presence) {
    case Presence::Online: return "Online";
    case Presence::Idle: return "Idle";
    case Presence::DoNotDisturb: return "Do not disturb";
    case Presence::Offline: return "Offline";
    }
    return "Offline";
}

std::string person_row_name(ChatApp const& app, Person const& person)
{
    auto name = display_name(app.local_identity, app.model.workspace_people, person.id);
    if (app.local_identity.is_local(person.id)) return name + " (you)";
    if (person.is_agent) return name + " (agent)";
    return name;
}

std::vector<PersonRow> people_rows(ChatApp const& app)
{
    std::vector<PersonRow> rows;
    for (auto const& person : app.model.workspace_people) {
        PersonRow row {&person, std::nullopt};
        for (auto const& entry : app.model.voice_participants)
            for (auto const& participant : entry.participants)
                if (!row.voice_channel && participant.user == person.id) row.voice_channel = entry.channel;
        rows.push_back(std::move(row));
    }
    auto key = [&](PersonRow const& r) {
        return std::tuple(!r.voice_channel.has_value(), static_cast<int>(r.person->presence),
                          display_name(app.local_identity, app.model.workspace_people, r.person->id));
    };
    std::stable_sort(rows.begin(), rows.end(), [&](PersonRow const& a, PersonRow const& b) { return key(a) < key(b); });
    return rows;
}

namespace {


orvo_ui::widget::avatar::Presence avatar_presence(Presence p)
{
    return static_cast<orvo_ui::widget::avatar::Presence>(static_cast<int>(p));
}

void draw_panel_heading(ChatApp& app, orvo_ui::Painter& painter, Rect const& panel, std::vector<PersonRow> const& rows)
{
    auto const& theme = painter.theme();
    bool any_agent = std::any_of(rows.begin(), rows.end(), [](PersonRow const& r) { return r.person->is_agent; });
    painter.text(any_agent ? "Collaborators" : "People", {panel.left() + 16, panel.top() + 12},
                 row_text(15, FontWeight::Semibold, theme.text));
    auto const* ws = app.model.workspace(app.current_workspace);
    auto count = std::to_string(rows.size()) + " " + people_noun(rows.size(), any_agent) + " · " + (ws ? ws->name : "");
    painter.text(count, {panel.left() + 16, panel.top() + 31},
                 row_text(11.5, FontWeight::Regular, theme.muted_text, panel.width - 70));
    Rect close {panel.right() - 40, panel.top() + 12, 28, 28};
    painter.fill_rounded(close, 8, hovered(app, close) ? theme.lift(1.6) : theme.lift(0.6));
    painter.text_centered("✕", close, row_text(13, FontWeight::Regular, theme.muted_text));
    push_region(app, close, control::ToggleRightFlap {});
    push_tooltip(app, close, control_label(control::ToggleRightFlap {}, app));
}

void draw_person_row(ChatApp& app, orvo_ui::Painter& painter, PersonRow const& row, Rect const& r)
{
    auto const& theme = painter.theme();
    auto const& person = *row.person;
    Rect lifted = Rect::from_edges(r.left() + 8, r.top(), r.right() - 8, r.bottom());
    if (hovered(app, lifted)) painter.fill_rounded(lifted, 10, theme.lift(0.55));
    orvo_ui::widget::avatar::Avatar avatar {person.initials, static_cast<std::size_t>(person.color_index % 8 + 8) % 8,
                                            avatar_presence(person.presence), theme.panel};
    avatar.draw(painter, {r.left() + 32, r.top() + 23}, 16);
    double text_width = r.right() - 14 - (r.left() + 60);
    auto name = person_row_name(app, person);
    auto name_style = row_text(14, FontWeight::Semibold, theme.text, text_width);
    double name_height = painter.measure(name, name_style).height;
    double second_height = painter.text_renderer().line_height(11.5);
    double y = r.top() + 23 - (name_height + second_height) / 2;
    painter.text(name, {r.left() + 60, y}, name_style);
    if (row.voice_channel) {
        auto const* channel = app.model.channel(*row.voice_channel);
        auto line = "🔊 In voice · " + (channel ? channel->name : *row.voice_channel);
        painter.text(line, {r.left() + 60, y + name_height}, row_text(11.5, FontWeight::Regular, theme.accent, text_width));
    } else {
        painter.text(presence_label(person.presence), {r.left() + 60, y + name_height},
                     row_text(11.5, FontWeight::Regular, theme.muted_text, text_width));
    }
}

} // namespace

void draw_people_panel(ChatApp& app, orvo_ui::Painter& painter, Rect const& panel)
{
    painter.fill_rect(panel, painter.theme().panel);
    orvo_ui::chrome::shell::panel_border(painter, panel, orvo_ui::chrome::shell::Edge::Left);
    auto rows = people_rows(app);
    draw_panel_heading(app, painter, panel, rows);
    auto clip = painter.clip(Rect::from_edges(panel.left(), panel.top() + 60, panel.right(), panel.bottom()));
    double y = panel.top() + 60;
    for (auto const& row : rows) {
        if (y >= panel.bottom()) break;
        draw_person_row(app, painter, row, {panel.left(), y, panel.width, 46});
        y += 46;
    }
}

} // namespace chat::views
