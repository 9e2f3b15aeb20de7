#include "app/views/sidebar.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/strings/catalog.h"
#include "app/views/frame.h"
#include "ui/paint/surface.h"
#include "ui/widget/avatar.h"

#include <glib.h>

#include <algorithm>

namespace chat::views {

using orvo_ui::FontWeight;
using orvo_ui::Rect;
using orvo_ui::TextStyle;

// ---- Rules ----

std::vector<InboxGroup> inbox_groups(Model const& model)
{
    std::vector<Workspace const*> workspaces;
    for (auto const& ws : model.workspaces) workspaces.push_back(&ws);
    std::stable_sort(workspaces.begin(), workspaces.end(),
                     [](Workspace const* a, Workspace const* b) { return a->name < b->name; });
    std::vector<InboxGroup> groups;
    for (auto const* ws : workspaces) {
        InboxGroup group {ws, {}};
        for (auto const& channel : model.channels)
            if (channel.workspace == ws->id && channel.kind == ChannelKind::Text && !channel.archived)
                group.channels.push_back(&channel);
        if (group.channels.empty()) continue;
        std::stable_sort(group.channels.begin(), group.channels.end(), [&](Channel const* a, Channel const* b) {
            auto ua = model.unread_count(a->id), ub = model.unread_count(b->id);
            return ua != ub ? ua > ub : a->order < b->order;
        });
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string people_noun(std::size_t count, bool any_agent)
{
    if (any_agent) return count == 1 ? "collaborator" : "collaborators";
    return count == 1 ? "person" : "people";
}

std::string presence_pill_text(std::vector<Person> const& people)
{
    std::size_t online = 0;
    bool any_agent = false;
    for (auto const& person : people) {
        online += person.presence == Presence::Online;
        any_agent = any_agent || person.is_agent;
    }
    return std::to_string(online) + " " + people_noun(online, any_agent) + " online";
}

std::vector<Channel const*> channels_in(Model const& model, std::string_view workspace, std::string_view category)
{
    std::vector<Channel const*> rows;
    for (auto const& channel : model.channels)
        if (channel.workspace == workspace && channel.category == category) rows.push_back(&channel);
    std::stable_sort(rows.begin(), rows.end(), [](Channel const* a, Channel const* b) { return a->order < b->order; });
    return rows;
}

std::string upper(std::string_view text)
{
    gchar* raised = g_utf8_strup(text.data(), static_cast<gssize>(text.size()));
    std::string result(raised ? raised : "");
    g_free(raised);
    return result;
}

bool shows_identity_bar(ChatApp const& app)
{
    if (local_voice(app)) return true;
    return std::any_of(app.model.workspace_people.begin(), app.model.workspace_people.end(),
                       [&](Person const& p) { return !app.local_identity.is_local(p.id); });
}

namespace {

constexpr double identity_bar_height = 60;


// Text whose box is vertically centred on `center_y`.
void text_middle(orvo_ui::Painter& painter, std::string_view text, double x, double center_y, TextStyle const& s)
{
    auto size = painter.measure(text, s);
    painter.text(text, {x, center_y - size.height / 2}, s);
}

double row_height(orvo_ui::Painter& painter, double minimum, double text_size)
{
    double pad = painter.theme().metrics.row_padding;
    return std::max(minimum, 2 * pad + painter.text_renderer().line_height(text_size));
}

orvo_ui::widget::avatar::Presence avatar_presence(Presence p)
{
    using P = orvo_ui::widget::avatar::Presence;
    switch (p) {
    case Presence::Online: return P::Online;
    case Presence::Idle: return P::Idle;
    case Presence::DoNotDisturb: return P::DoNotDisturb;
    case Presence::Offline: return P::Offline;
    }
    return P::Offline;
}

} // namespace

// ---- Channel rows ----

namespace {

Person const* find_person(Model const& model, std::string_view id)
{
    for (auto const& person : model.people)
        if (person.id == id) return &person;
    return nullptr;
}

bool renaming(ChatApp const& app, RenameTarget::Kind kind, std::string_view id)
{
    return app.rename_target && app.rename_target->kind == kind && app.rename_target->id == id;
}

void draw_rename_input(ChatApp& app, orvo_ui::Painter& painter, Rect const& r)
{
    painter.fill_rounded(r, 6, painter.theme().card);
    painter.stroke_rounded(r, 6, 1, painter.theme().accent);
    app.rename_input.draw(painter, r.inset(2));
    push_region(app, r, control::FocusRename {});
}

// The strip a swiped row uncovers, and how far the row moved.
double draw_swipe_strip(ChatApp const& app, orvo_ui::Painter& painter, Channel const& channel, Rect const& row)
{
    if (!app.channel_swipe || app.channel_swipe->channel != channel.id) return 0;
    double d = std::max(app.channel_swipe->current.x - app.channel_swipe->press.x, 0.0);
    if (d <= 0) return 0;
    Rect strip {row.left(), row.top(), std::min(d, row.width), row.height};
    painter.fill_rounded(strip, 8, painter.theme().danger.scaled_alpha(0.9));
    painter.text_centered("🗑", strip, row_text(14, FontWeight::Regular, orvo_ui::Color::white()));
    return d;
}

void draw_channel_row(ChatApp& app, orvo_ui::Painter& painter, Channel const& channel, Rect row,
                      std::optional<LocalVoice> const& voice)
{
    auto const& theme = painter.theme();
    double shift = draw_swipe_strip(app, painter, channel, row);
    row.x += shift;
    bool open = channel.kind == ChannelKind::Text && channel.id == app.current_channel;
    auto unread = app.model.unread_count(channel.id);
    if (open) {
        painter.fill_rounded(row, 8, theme.accent_lift(0.72));
        painter.fill_rounded({row.left(), row.center().y - 10, 4, 20}, 2, theme.accent);
    } else if (hovered(app, row)) {
        painter.fill_rounded(row, 8, theme.lift(1.0));
    }
    auto ink = open || unread > 0 ? theme.text : theme.muted_text;
    bool voice_kind = channel.kind == ChannelKind::Voice;
    text_middle(painter, voice_kind ? "🔊" : "#", row.left() + 10, row.center().y, row_text(14, FontWeight::Regular, theme.muted_text));
    Rect name {row.left() + 32, row.top() + 4, std::max(row.width - 80, 10.0), row.height - 8};
    if (renaming(app, RenameTarget::Kind::Channel, channel.id)) {
        draw_rename_input(app, painter, name);
    } else {
        auto weight = unread > 0 ? FontWeight::Bold : FontWeight::Regular;
        text_middle(painter, channel.name, name.left(), row.center().y, row_text(14, weight, ink, name.width));
    }
    if (voice && voice->channel == channel.id)
        painter.disc({row.right() - 16, row.center().y}, 4, theme.online);
    else if (unread > 0)
        draw_count_pill(painter, unread, row.right() - 8, row.center().y);
    if (renaming(app, RenameTarget::Kind::Channel, channel.id)) return;
    if (voice_kind)
        push_region(app, row, control::VoiceChannel {channel.id});
    else
        push_region(app, row, control::Channel {channel.id});
}

double draw_participants(ChatApp& app, orvo_ui::Painter& painter, Channel const& channel, RowCursor cursor)
{
    auto const& theme = painter.theme();
    for (auto const& entry : app.model.voice_participants) {
        if (entry.channel != channel.id) continue;
        for (auto const& participant : entry.participants) {
            if (cursor.y > cursor.limit) return cursor.y;
            Rect row = Rect::from_edges(cursor.left, cursor.y, cursor.right, cursor.y + 24);
            orvo_ui::Point center {row.left() + 42, row.center().y};
            if (participant.talking && !participant.muted) painter.ring(center, 11.5, 2, theme.online);
            auto const* person = find_person(app.model, participant.user);
            orvo_ui::widget::avatar::Avatar avatar;
            avatar.initials = person ? person->initials : initials_for(participant.user);
            avatar.color_index = static_cast<std::size_t>(person ? person->color_index % 8 + 8 : 0) % 8;
            avatar.draw(painter, center, 9);
            auto name = display_name(app.local_identity, app.model.workspace_people, participant.user);
            double name_right = row.right() - (participant.muted ? 30 : 10);
            text_middle(painter, name, row.left() + 58, row.center().y,
                        row_text(12, FontWeight::Regular, theme.muted_text, name_right - row.left() - 58));
            if (participant.muted) text_middle(painter, "🔇", row.right() - 24, row.center().y, row_text(11, FontWeight::Regular, theme.muted_text));
            cursor.y = row.bottom();
        }
    }
    return cursor.y;
}

} // namespace

double draw_channel_rows(ChatApp& app, orvo_ui::Painter& painter, RowCursor cursor,
                         std::optional<std::string_view> category)
{
    double height = row_height(painter, 32, 14);
    auto voice = local_voice(app);
    for (auto const* channel : channels_in(app.model, app.current_workspace, category.value_or(""))) {
        if (cursor.y > cursor.limit) break;
        Rect row = Rect::from_edges(cursor.left, cursor.y, cursor.right, cursor.y + height);
        draw_channel_row(app, painter, *channel, row, voice);
        cursor.y = row.bottom();
        if (channel->kind == ChannelKind::Voice) cursor.y = draw_participants(app, painter, *channel, cursor);
    }
    return cursor.y;
}

// ---- Workspace sidebar ----

namespace {

double draw_category_row(ChatApp& app, orvo_ui::Painter& painter, Category const& category, RowCursor const& cursor)
{
    auto const& theme = painter.theme();
    double height = row_height(painter, 24, 10.5);
    Rect row = Rect::from_edges(cursor.left, cursor.y, cursor.right, cursor.y + height);
    Rect plus {row.right() - height, row.top(), height, height};
    push_region(app, row, control::CategoryToggle {category.id});
    text_middle(painter, category.collapsed ? "▸" : "▾", row.left() + 8, row.center().y,
                row_text(10, FontWeight::Regular, theme.muted_text));
    Rect name = Rect::from_edges(row.left() + 22, row.top() + 2, plus.left() - 4, row.bottom() - 2);
    if (renaming(app, RenameTarget::Kind::Category, category.id))
        draw_rename_input(app, painter, name);
    else
        text_middle(painter, upper(category.name), name.left(), row.center().y,
                    row_text(10.5, FontWeight::Semibold, theme.muted_text, name.width));
    painter.text_centered("+", plus, row_text(16, FontWeight::Regular, hovered(app, plus) ? theme.text : theme.muted_text));
    push_region(app, plus, control::AddChannel {category.workspace, category.id});
    return row.bottom();
}

// The title and presence pill; answers where the list starts.
double draw_workspace_title(ChatApp& app, orvo_ui::Painter& painter, Rect const& column)
{
    auto const& theme = painter.theme();
    auto const* ws = app.model.workspace(app.current_workspace);
    double top = column.top();
    double left = column.left() + 16, right = column.right() - 16;
    auto title_style = row_text(theme.metrics.title_size, FontWeight::Semibold, theme.text, right - left);
    std::string title = (ws ? ws->name : std::string()) + " channels";
    double title_width = std::min(painter.measure(title, title_style).width, right - left);
    text_middle(painter, title, left, top + 26, title_style);

    double list_top = top + 52;
    bool others = std::any_of(app.model.workspace_people.begin(), app.model.workspace_people.end(),
                              [&](Person const& p) { return !app.local_identity.is_local(p.id); });
    if (!others) return list_top;
    auto pill_style = row_text(10.5, FontWeight::Regular, theme.muted_text);
    auto text = presence_pill_text(app.model.workspace_people);
    auto size = painter.measure(text, pill_style);
    double pill_width = size.width + 24, pill_height = size.height + 6;
    bool beside = right - (left + title_width) >= 72;
    Rect pill = beside ? Rect {right - pill_width, top + 26 - pill_height / 2, pill_width, pill_height}
                       : Rect {left, list_top - 8, pill_width, pill_height};
    painter.fill_rounded(pill, pill_height / 2, theme.card);
    painter.disc({pill.left() + 10, pill.center().y}, 3.5, theme.online);
    text_middle(painter, text, pill.left() + 18, pill.center().y, pill_style);
    return beside ? list_top : pill.bottom() + 10;
}

double draw_add_category(ChatApp& app, orvo_ui::Painter& painter, Rect const& column, double y)
{
    auto const& theme = painter.theme();
    orvo_ui::surface::separator(painter, column.left() + 12, column.right() - 12, y);
    auto label = strings::t("chat-sidebar-add-category");
    auto s = row_text(11, FontWeight::Semibold, theme.muted_text);
    auto size = painter.measure(label, s);
    Rect chip {column.left() + 12, y + 6, size.width + 20, size.height + 8};
    orvo_ui::surface::card(painter, chip, 7);
    if (hovered(app, chip)) painter.fill_rounded(chip, 7, theme.lift(1.0));
    painter.text_centered(label, chip, s);
    push_region(app, chip, control::AddCategory {app.current_workspace});
    return chip.bottom() + 8;
}

} // namespace

namespace {

void draw_workspace_list(ChatApp& app, orvo_ui::Painter& painter, Rect const& column, double y, double limit)
{
    RowCursor cursor {column.left() + 8, column.right() - 8, y, limit};
    auto clip = painter.clip(Rect::from_edges(column.left(), y, column.right(), limit));
    cursor.y = draw_channel_rows(app, painter, cursor, std::nullopt);

    std::vector<Category const*> categories;
    for (auto const& category : app.model.categories)
        if (category.workspace == app.current_workspace) categories.push_back(&category);
    std::stable_sort(categories.begin(), categories.end(),
                     [](Category const* a, Category const* b) { return a->order < b->order; });
    for (auto const* category : categories) {
        if (cursor.y > limit) break;
        cursor.y = draw_category_row(app, painter, *category, cursor);
        if (category->collapsed) continue;
        cursor.y = draw_channel_rows(app, painter, cursor, std::string_view(category->id)) + 6;
    }
}

} // namespace

void draw_workspace_sidebar(ChatApp& app, orvo_ui::Painter& painter, Rect const& column)
{
    painter.fill_rect(column, painter.theme().panel);
    orvo_ui::chrome::shell::panel_border(painter, column, orvo_ui::chrome::shell::Edge::Right);
    double y = draw_workspace_title(app, painter, column);
    y = draw_add_category(app, painter, column, y);
    bool bar = shows_identity_bar(app);
    double limit = column.bottom() - (bar ? identity_bar_height : 0);
    draw_workspace_list(app, painter, column, y, limit);
    if (bar) draw_identity_bar(app, painter, Rect::from_edges(column.left(), limit, column.right(), column.bottom()));
}

// ---- Inbox ----

namespace {

void draw_inbox_row(ChatApp& app, orvo_ui::Painter& painter, Channel const& channel, Rect const& row)
{
    auto const& theme = painter.theme();
    auto unread = app.model.unread_count(channel.id);
    if (channel.id == app.current_channel) {
        painter.fill_rounded(row, 8, theme.accent.with_alpha(0.16 * theme.accent.a));
        double bar = std::max(row.height - 14, 8.0);
        painter.fill_rounded({row.left(), row.center().y - bar / 2, 4, bar}, 2, theme.accent);
    } else if (hovered(app, row)) {
        painter.fill_rounded(row, 8, theme.lift(1.0));
    }
    text_middle(painter, "#", row.left() + 10, row.center().y, row_text(14, FontWeight::Regular, theme.muted_text));
    double name_right = row.right() - 10;
    if (unread > 0) {
        auto badge = painter.measure(badge_text(unread), row_text(11, FontWeight::Semibold, theme.text));
        name_right -= std::max(18.0, badge.width + 12) + 8;
        draw_count_pill(painter, unread, row.right() - 10, row.center().y);
    }
    double name_left = row.left() + 30;
    auto weight = unread > 0 ? FontWeight::Bold : FontWeight::Regular;
    text_middle(painter, channel.name, name_left, row.center().y,
                row_text(13.5, weight, theme.text, std::max(name_right - name_left, 10.0)));
    push_region(app, row, control::Channel {channel.id});
}

} // namespace

void draw_inbox_sidebar(ChatApp& app, orvo_ui::Painter& painter, Rect const& column)
{
    auto const& theme = painter.theme();
    painter.fill_rect(column, theme.panel);
    orvo_ui::chrome::shell::panel_border(painter, column, orvo_ui::chrome::shell::Edge::Right);
    double left = column.left(), top = column.top();
    painter.text("Inbox", {left + 16, top + 13}, row_text(17, FontWeight::Semibold, theme.text));
    painter.text("Conversations across Orvo workspaces", {left + 16, top + 36},
                 row_text(10.5, FontWeight::Regular, theme.muted_text, column.width - 32));
    orvo_ui::surface::separator(painter, left + 12, column.right() - 12, top + 58);

    bool bar = shows_identity_bar(app);
    double limit = column.bottom() - (bar ? identity_bar_height : 0);
    double header_height = row_height(painter, 22, 10);
    double row_h = row_height(painter, 36, 13.5);
    double y = top + 66;
    {
        auto clip = painter.clip(Rect::from_edges(left, top + 59, column.right(), limit));
        for (auto const& group : inbox_groups(app.model)) {
            if (y > limit) break;
            Rect header = Rect::from_edges(left + 12, y, column.right() - 12, y + header_height);
            text_middle(painter, upper(group.workspace->name), header.left() + 6, header.center().y,
                        row_text(10, FontWeight::Semibold, theme.muted_text, header.width - 12));
            y = header.bottom() + 2;
            for (auto const* channel : group.channels) {
                if (y > limit) break;
                Rect row = Rect::from_edges(left + 8, y, column.right() - 8, y + row_h);
                draw_inbox_row(app, painter, *channel, row);
                y = row.bottom() + 2;
            }
            y += 6;
        }
    }
    if (bar) draw_identity_bar(app, painter, Rect::from_edges(left, limit, column.right(), column.bottom()));
}

// ---- Identity bar ----

namespace {

void draw_call_button(ChatApp& app, orvo_ui::Painter& painter, Rect const& r, std::string_view glyph, bool lit,
                      ChatControl control)
{
    auto const& theme = painter.theme();
    auto fill = lit ? theme.danger.with_alpha(0.28) : (hovered(app, r) ? theme.lift(1.6) : theme.lift(0.8));
    painter.fill_rounded(r, 8, fill);
    painter.text_centered(glyph, r, row_text(15, FontWeight::Regular, theme.text));
    push_region(app, r, std::move(control));
}

} // namespace

void draw_identity_bar(ChatApp& app, orvo_ui::Painter& painter, Rect const& bar)
{
    auto const& theme = painter.theme();
    painter.fill_rect(bar, theme.rail.with_alpha(0.55));
    orvo_ui::surface::separator(painter, bar.left(), bar.right(), bar.top());
    auto const& me = app.local_identity;
    Presence presence = Presence::Online;
    for (auto const& person : app.model.workspace_people)
        if (me.is_local(person.id)) presence = person.presence;

    // The avatar's radius keeps its ×max(z, 1) factor at z = 1: the context is already scaled.
    double radius = 16;
    orvo_ui::Point center {bar.left() + 14 + radius, bar.center().y};
    orvo_ui::widget::avatar::Avatar avatar {me.initials, static_cast<std::size_t>(me.color_index % 8 + 8) % 8,
                                            avatar_presence(presence), theme.panel};
    avatar.draw(painter, center, radius);

    auto voice = local_voice(app);
    double text_left = center.x + radius + 10;
    double text_right = bar.right() - (voice ? 92 : 12);
    auto name_style = row_text(13, FontWeight::Semibold, theme.text, text_right - text_left);
    auto status_style = row_text(11, FontWeight::Regular, theme.muted_text, text_right - text_left);
    auto name_height = painter.measure(me.name, name_style).height;
    auto status = strings::t(voice ? "chat-identity-in-voice" : "chat-identity-available");
    auto status_height = painter.measure(status, status_style).height;
    double y = bar.center().y - (name_height + status_height) / 2;
    painter.text(me.name, {text_left, y}, name_style);
    painter.text(status, {text_left, y + name_height}, status_style);
    if (!voice) return;
    Rect mute {bar.right() - 12 - 32, bar.center().y - 16, 32, 32};
    Rect deafen {mute.left() - 6 - 32, mute.top(), 32, 32};
    draw_call_button(app, painter, deafen, "🎧", voice->me.deafened, control::CallDeafen {});
    draw_call_button(app, painter, mute, "🔕", voice->me.muted, control::CallMute {});
}

} // namespace chat::views
