#include "app/views/rail.h"

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "ui/paint/surface.h"

namespace chat::views {

using orvo_ui::Rect;

Rect inbox_badge_rect(Rect const& button)
{
    return Rect::from_edges(button.right() - 16, button.top() - 4, button.right() + 5, button.top() + 17);
}

namespace {

constexpr double button_size = 48;

void draw_inbox_button(ChatApp& app, orvo_ui::Painter& painter, Rect const& button)
{
    auto const& theme = painter.theme();
    bool lifted = hovered(app, button);
    if (app.inbox_open)
        painter.fill_rounded(button, 16, theme.accent);
    else
        painter.disc(button.center(), 24, lifted ? theme.lift(1.6) : theme.card);
    auto glyph = app.inbox_open ? theme.on_accent : theme.text;
    painter.text_centered("✉", button, {20, orvo_ui::FontWeight::Regular, glyph});

    if (auto total = total_unread(app.model); total > 0) {
        Rect pill = inbox_badge_rect(button);
        painter.fill_rounded(pill, 10.5, theme.danger);
        painter.text_centered(badge_text(total), pill, {9, orvo_ui::FontWeight::Bold, orvo_ui::Color::white()});
    }
    push_region(app, button, control::Inbox {});
    push_tooltip(app, button, control_label(control::Inbox {}, app));
}

void draw_workspace_button(ChatApp& app, orvo_ui::Painter& painter, Rect const& column, Rect const& button)
{
    auto const* workspace = app.model.workspace(app.rail_workspace);
    if (!workspace) return;
    auto const& theme = painter.theme();
    orvo_ui::Color glyph = theme.text;
    if (app.inbox_open) {
        painter.disc(button.center(), 24, hovered(app, button) ? theme.lift(1.6) : theme.card);
    } else {
        auto fill = theme.user(static_cast<std::size_t>(workspace->color_index % 8 + 8) % 8);
        painter.fill_rounded(button, 16, fill);
        painter.fill_rounded({column.left() + 3, button.top() + 8, 4, button_size - 16}, 2, theme.accent);
        glyph = orvo_ui::contrast_ratio(orvo_ui::Color::white(), fill) >= 3.0 ? orvo_ui::Color::white()
                                                                              : orvo_ui::Color::rgb(0x111318);
    }
    painter.text_centered(workspace->glyph, button, {17, orvo_ui::FontWeight::Semibold, glyph});
    push_region(app, button, control::CurrentContext {});
    push_tooltip(app, button, control_label(control::CurrentContext {}, app));
}

} // namespace

void draw_rail(ChatApp& app, orvo_ui::Painter& painter, Rect const& column)
{
    auto const& theme = painter.theme();
    painter.fill_rect(column, theme.rail);
    double top = app.window_bounds.top();
    double x = column.left() + (column.width - button_size) / 2;

    Rect inbox {x, top + 16, button_size, button_size};
    draw_inbox_button(app, painter, inbox);

    orvo_ui::surface::separator(painter, column.left() + 18, column.right() - 18, inbox.top() - 7 + 66);

    Rect workspace {x, top + 82, button_size, button_size};
    draw_workspace_button(app, painter, column, workspace);
}

} // namespace chat::views
