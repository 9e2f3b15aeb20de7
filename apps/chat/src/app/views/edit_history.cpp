#include "app/views/edit_history.h"

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/popup_surface.h"
#include "app/views/text_styles.h"
#include "app/views/timeline_rules.h"
#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

using orvo_ui::Point;
using orvo_ui::Rect;

namespace {

constexpr double chrome_height = 44; // title band above the rows and the margin below them
constexpr double rows_offset = 38;
constexpr double label_line = 18;
constexpr double row_spacing = 8;
constexpr double text_inset = 14;

Message const* shown_message(ChatApp const& app, std::string_view id)
{
    if (auto const* open = app.model.message(id)) return open;
    for (auto const& list : app.model.all_messages)
        for (auto const& message : list)
            if (message.id == id) return &message;
    return nullptr;
}

} // namespace

std::vector<EditHistoryRow> edit_history_rows(Message const& message)
{
    std::vector<EditHistoryRow> rows;
    rows.reserve(message.history.size() + 1);
    rows.push_back({"Now · " + clock_time(message.ts), message.text});
    for (auto entry = message.history.rbegin(); entry != message.history.rend(); ++entry)
        rows.push_back({"Edited · " + clock_time(entry->ts), entry->text});
    return rows;
}

double edit_history_height(std::span<double const> text_heights)
{
    double height = chrome_height;
    for (double text : text_heights) height += label_line + text + row_spacing;
    return height;
}

Rect edit_history_rect(Point anchor, double height, Rect const& window)
{
    double left = clamp_popup_edge(anchor.x, edit_history_width, window.left(), window.right());
    double top = clamp_popup_edge(anchor.y, height, window.top(), window.bottom());
    return {left, top, edit_history_width, height};
}

void draw_edit_history(ChatApp& app, orvo_ui::Painter& painter)
{
    if (!app.edit_history.msg) return;
    // The backdrop stays even when the message is gone, so the next click only closes.
    push_region(app, app.window_bounds, control::Dismiss {});
    auto const* message = shown_message(app, *app.edit_history.msg);
    if (!message) return;

    auto const& theme = painter.theme();
    auto rows = edit_history_rows(*message);
    std::vector<double> heights;
    heights.reserve(rows.size());
    auto text_style = wrapped_text(13, theme.text, edit_history_text_width);
    for (auto const& row : rows) heights.push_back(painter.measure(row.text, text_style).height);

    Rect panel = edit_history_rect(app.edit_history.anchor, edit_history_height(heights), app.window_bounds);
    draw_popup_surface(painter, panel);
    auto title = wrapped_text(13, theme.text);
    title.weight = orvo_ui::FontWeight::Semibold;
    painter.text("Edit history", {panel.left() + text_inset, panel.top() + 12}, title);

    double left = panel.left() + text_inset;
    double y = panel.top() + rows_offset;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        bool current = i == 0;
        if (!current) orvo_ui::surface::separator(painter, left, panel.right() - text_inset, y - row_spacing / 2);
        auto label = row_text(11, orvo_ui::FontWeight::Semibold, current ? theme.accent : theme.muted_text);
        painter.text(rows[i].label, {left, y}, label);
        text_style.color = current ? theme.text : theme.muted_text;
        painter.text(rows[i].text, {left, y + label_line}, text_style);
        y += label_line + heights[i] + row_spacing;
    }
}

} // namespace chat::views
