#include "app/views/timeline.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "app/views/timeline_layout.h"
#include "app/views/timeline_row.h"
#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

namespace {

using orvo_ui::Painter;
using orvo_ui::Rect;
using orvo_ui::TextStyle;


void draw_day_label(ChatApp& app, Painter& painter, TimelineLayout const& layout)
{
    auto const& theme = painter.theme();
    auto label = conversation_day_label(app.model.messages);
    auto label_style = wrapped_text(11.5, theme.muted_text);
    label_style.weight = orvo_ui::FontWeight::Semibold;
    auto size = painter.measure(label, label_style);
    double cx = (layout.conversation.left() + layout.conversation.right()) / 2;
    double cy = layout.content_top + day_band_height / 2;
    Rect pill {cx - size.width / 2 - 10, cy - size.height / 2 - 3, size.width + 20, size.height + 6};
    orvo_ui::surface::separator(painter, layout.conversation.left() + 24, pill.left() - 14, cy);
    orvo_ui::surface::separator(painter, pill.right() + 14, layout.conversation.right() - 24, cy);
    orvo_ui::surface::card(painter, pill, pill.height / 2);
    painter.text_centered(label, pill, label_style);
}

void draw_empty_conversation(ChatApp& app, Painter& painter, Rect const& viewport)
{
    auto const& theme = painter.theme();
    auto const* channel = app.model.channel(app.current_channel);
    std::string name = channel ? channel->name : std::string();
    double cx = viewport.center().x;
    double y = viewport.top() + std::min(viewport.height / 2, 220.0);
    painter.disc({cx, y}, 30, theme.card);
    painter.text_centered("#", {cx - 30, y - 30, 60, 60}, wrapped_text(30, theme.muted_text));
    auto title = wrapped_text(20, theme.text);
    title.weight = orvo_ui::FontWeight::Semibold;
    painter.text_centered("#" + name, {viewport.left(), y + 46, viewport.width, 28}, title);
    auto sentence = app.permissions.check() ? "This is the start of #" + name + ". Write the first message to begin."
                                            : "There are no messages in #" + name + " yet.";
    painter.text_centered(sentence, {viewport.left(), y + 76, viewport.width, 20}, wrapped_text(13, theme.muted_text));
}

void draw_jump_to_latest(ChatApp& app, Painter& painter, Rect const& viewport, double z)
{
    auto const& theme = painter.theme();
    double c = std::min(z, 1.35);
    std::string_view label = "↓ Jump to latest";
    auto label_style = wrapped_text(12.5, theme.text);
    label_style.weight = orvo_ui::FontWeight::Semibold;
    double width = std::max(28 * c + painter.measure(label, label_style).width, 152.0);
    double height = 36 * c;
    Rect pill {viewport.right() - 16 - width, viewport.bottom() - 14 - height, width, height};
    orvo_ui::surface::shadow(painter, pill, 10, {.blur = 12, .offset_y = 3});
    painter.fill_rounded(pill, 10, theme.card);
    orvo_ui::surface::edge_outline(painter, pill, 10);
    painter.text_centered(label, pill, label_style);
    push_region(app, pill, control::JumpToLatest{});
}

} // namespace

void clip_regions_since(ChatApp& app, std::size_t first, Rect const& visible)
{
    auto& regions = app.hit_regions;
    for (std::size_t i = first; i < regions.size(); ++i) regions[i].rect = regions[i].rect.intersect(visible);
    regions.erase(std::remove_if(regions.begin() + static_cast<std::ptrdiff_t>(first), regions.end(),
                                 [](HitRegion const& r) { return r.rect.empty(); }),
                  regions.end());
}

void draw_timeline(ChatApp& app, Painter& painter, FrameGeometry const& g)
{
    Rect const& viewport = g.timeline;
    if (viewport.empty() || !app.model.channel(app.current_channel)) return;
    double z = app.ui_scale > 0 ? app.ui_scale : 1.0;
    auto clip = painter.clip(viewport);
    auto layout = layout_timeline(app, viewport, z, painter);
    if (layout.content_top + day_band_height > viewport.top()) draw_day_label(app, painter, layout);
    if (layout.row_count == 0) {
        draw_empty_conversation(app, painter, viewport);
        return;
    }
    // Rows cut by the viewport's edges must not claim clicks meant for the header or composer.
    std::size_t first_region = app.hit_regions.size();
    for (auto const& row : layout.visible) draw_timeline_row(app, painter, layout, row);
    clip_regions_since(app, first_region, viewport);
    if (!app.follow_latest) draw_jump_to_latest(app, painter, viewport, z);
}

} // namespace chat::views
