#include "app/views/thread.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/views/attachment_card.h"
#include "app/views/attachment_card_rules.h"
#include "app/views/composer.h"
#include "app/views/timeline_people.h"
#include "app/views/timeline.h"
#include "app/views/timeline_rules.h"
#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

namespace {

using orvo_ui::Painter;
using orvo_ui::Rect;
using orvo_ui::TextStyle;


void draw_thread_header(ChatApp& app, Painter& painter, Rect const& panel, double z, double c)
{
    auto const& theme = painter.theme();
    double title_left = panel.left() + 16 * c;
    if (app.compact && z <= 1.25) {
        Rect back = Rect::from_edges(panel.left() + 12, panel.top() + 10, panel.left() + 78, panel.top() + 42);
        orvo_ui::surface::card(painter, back, 8);
        painter.text_centered("← Back", back, wrapped_text(13, theme.text));
        push_region(app, back, control::CloseThread{});
        title_left = panel.left() + 92;
    } else {
        double size = 44 * c;
        Rect close {panel.right() - 12 - size, panel.top() + 8 * z, size, size};
        if (hovered(app, close)) painter.fill_rounded(close, 10, theme.lift(1));
        painter.text_centered("✕", close, wrapped_text(16, theme.muted_text));
        push_region(app, close, control::CloseThread{});
    }
    auto title = wrapped_text(15, theme.text);
    title.weight = orvo_ui::FontWeight::Semibold;
    auto title_size = painter.text("Thread", {title_left, panel.top() + 12 * z}, title);
    auto const* channel = app.model.channel(app.current_channel);
    std::string name = "#" + (channel ? channel->name : std::string());
    auto& text = painter.text_renderer();
    auto sub = wrapped_text(11.5, theme.muted_text);
    double baseline_gap = text.baseline("Thread", title) - text.baseline(name, sub);
    painter.text(name, {title_left + title_size.width + 8, panel.top() + 12 * z + baseline_gap}, sub);
}

// Read-only chips under a thread message; answers the height used.
double draw_thread_reactions(Painter& painter, Message const& message, double left, double top)
{
    if (message.reactions.empty()) return 0;
    auto const& theme = painter.theme();
    auto chip_style = wrapped_text(11.5, theme.text);
    double x = left, height = 22;
    for (auto const& group : message.reactions) {
        std::string label = group.emoji + " " + std::to_string(group.users.size());
        double width = painter.measure(label, chip_style).width + 16;
        Rect chip {x, top, width, height};
        painter.fill_rounded(chip, 11, theme.card);
        painter.text_centered(label, chip, chip_style);
        x += width + 6;
    }
    return height + 4;
}

// One thread message at `y`; answers the y below it.
double draw_thread_message(ChatApp& app, Painter& painter, Message const& message, Rect const& panel, double y,
                           double z, double c)
{
    auto const& theme = painter.theme();
    draw_person_avatar(app, painter, message.author, {panel.left() + 16 * c + 14 * z, y + 14 * z}, 14 * z);
    double left = panel.left() + 16 * c + 28 * z + 10 * c;
    double width = std::max(panel.width - 58 * c - 14 * c, 60.0);
    auto name_style = wrapped_text(13.5, readable_person_color(app, message.author, theme.panel));
    name_style.weight = orvo_ui::FontWeight::Semibold;
    auto name_size = painter.text(author_name(app, message.author), {left, y}, name_style);
    auto time_style = wrapped_text(11, theme.muted_text);
    auto& text = painter.text_renderer();
    double gap = text.baseline("A", name_style) - text.baseline("0", time_style);
    painter.text(clock_time(message.ts), {left + name_size.width + 8 * c, y + gap}, time_style);
    y += name_size.height + 2;
    if (!message.text.empty()) y += painter.text(message.text, {left, y}, wrapped_text(14, theme.text, width)).height + 4;
    if (message.attachment) y += draw_attachment_card(app, painter, *message.attachment, {left, y}, width, z);
    y += draw_thread_reactions(painter, message, left, y);
    return y + 10 * z;
}

void draw_divider(Painter& painter, Rect const& panel, double y, std::size_t replies, double z)
{
    auto const& theme = painter.theme();
    auto label = replies_text(replies);
    auto label_style = wrapped_text(11.5, theme.muted_text);
    auto size = painter.measure(label, label_style);
    double cx = panel.center().x, cy = y + size.height / 2;
    painter.text(label, {cx - size.width / 2, y}, label_style);
    orvo_ui::surface::separator(painter, panel.left() + 16, cx - size.width / 2 - 10 * z, cy);
    orvo_ui::surface::separator(painter, cx + size.width / 2 + 10 * z, panel.right() - 16, cy);
}

} // namespace

Rect thread_messages_area(Rect const& details, double z)
{
    double composer_top = thread_composer_rect(details, z).top();
    return Rect::from_edges(details.left(), details.top() + 52 * z, details.right(), std::max(composer_top - 6, details.top() + 52 * z));
}

void draw_thread_view(ChatApp& app, Painter& painter, Rect const& details, std::chrono::steady_clock::time_point now)
{
    if (!app.open_thread) return;
    auto const* root = app.model.message(*app.open_thread);
    if (!root) return;
    double z = app.ui_scale > 0 ? app.ui_scale : 1.0;
    double c = std::min(z, 1.2);
    painter.fill_rect(details, painter.theme().panel);
    orvo_ui::chrome::shell::panel_border(painter, details, orvo_ui::chrome::shell::Edge::Left);
    draw_thread_header(app, painter, details, z, c);

    std::vector<Message const*> replies;
    for (auto const& message : app.model.messages)
        if (message.parent == root->id) replies.push_back(&message);
    draw_thread_composer(app, painter, details, z, now);
    Rect area = thread_messages_area(details, z);
    auto clip = painter.clip(area);
    std::size_t first_region = app.hit_regions.size();
    double y = area.top() + 4;
    y = draw_thread_message(app, painter, *root, details, y, z, c);
    draw_divider(painter, details, y, replies.size(), z);
    y += 24 * z;
    for (auto const* reply : replies) {
        if (y > area.bottom()) break;
        y = draw_thread_message(app, painter, *reply, details, y, z, c);
    }
    clip_regions_since(app, first_region, area);
}

} // namespace chat::views
