#pragma once

// The channel sidebar: the cross-workspace inbox or the current workspace's
// categories and channels, closed by the identity bar.

#include "model/records.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chat {

class ChatApp;
struct Model;

namespace views {

void draw_inbox_sidebar(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& column);
void draw_workspace_sidebar(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& column);

// The local person's bar at the bottom of the sidebar, with the call's deafen and mute buttons.
void draw_identity_bar(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& bar);

// Where a list of rows is being laid down: the column's x-range, the next row's
// top and the lowest y a row may start at.
struct RowCursor {
    double left = 0;
    double right = 0;
    double y = 0;
    double limit = 0;
};
// The channel rows of one category (none: the channels without a category);
// answers the y below the last row drawn.
double draw_channel_rows(ChatApp& app, orvo_ui::Painter& painter, RowCursor cursor,
                         std::optional<std::string_view> category);

// The rules the sidebar draws by, kept apart from drawing so they read as tables.
struct InboxGroup {
    Workspace const* workspace = nullptr;
    std::vector<Channel const*> channels; // most unread first, then by order value
};
// Workspaces by name, each with its text channels that are not archived; empty ones left out.
std::vector<InboxGroup> inbox_groups(Model const& model);
// "person" / "people", or "collaborator" / "collaborators" when any listed person is an agent.
std::string people_noun(std::size_t count, bool any_agent);
// "{n} {noun} online" over the people of the current workspace.
std::string presence_pill_text(std::vector<Person> const& people);
// The channels of the workspace in one category (empty: none), by order value.
std::vector<Channel const*> channels_in(Model const& model, std::string_view workspace, std::string_view category);
// Upper case as the category and group headers show names.
std::string upper(std::string_view text);
// Whether the identity bar shows: someone else is in the workspace, or the local person is in a call.
bool shows_identity_bar(ChatApp const& app);

} // namespace views

} // namespace chat
