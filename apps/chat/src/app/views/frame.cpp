// Flap animation, breakpoints, region geometry and the shared recording helpers.

#include "app/views/frame.h"

#include "app/chat_app.h"
#include "app/views/attach_picker.h"
#include "app/views/composer.h"
#include "app/views/edit_history.h"
#include "app/views/emoji_picker.h"
#include "app/views/header.h"
#include "app/views/people.h"
#include "app/views/rail.h"
#include "app/views/sidebar.h"
#include "app/views/thread.h"
#include "app/views/timeline.h"
#include "ui/paint/surface.h"

#include <algorithm>
#include <cmath>

namespace chat::views {

using orvo_ui::Rect;

std::optional<Breakpoints> breakpoints_for(double width, double z)
{
    double s = std::isnan(z) ? 1.0 : std::max(z, 1.0);
    double w = width / s;
    if (!(w >= 1.0)) return std::nullopt;
    return Breakpoints {w < narrow_below, w < compact_below};
}

double ease(double progress)
{
    double p = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    double rest = 1.0 - p;
    return 1.0 - rest * rest * rest;
}

void feed_breakpoint(Flap& flap, bool flag)
{
    if (flap.last_auto == flag) return;
    bool first = !flap.last_auto.has_value();
    flap.last_auto = flag;
    if (first)
        flap.progress = flap.target_open(flag) ? 1.0 : 0.0;
    else
        flap.override_ = FlapOverride::None;
}

bool step_flap(Flap& flap, bool flag, std::chrono::steady_clock::time_point now)
{
    double dt = std::chrono::duration<double>(now - flap.last_tick).count();
    flap.last_tick = now;
    dt = std::clamp(dt, 0.0, 0.1);
    double target = flap.target_open(flag) ? 1.0 : 0.0;
    flap.progress += (1.0 - std::exp(-14.0 * dt)) * (target - flap.progress);
    if (std::abs(flap.progress - target) < 0.001) {
        flap.progress = target;
        return false;
    }
    return true;
}

void toggle_flap(Flap& flap, bool flag)
{
    flap.override_ = flap.target_open(flag) ? FlapOverride::Closed : FlapOverride::Open;
}

double composer_wrap_width(double conversation_width) { return std::max(conversation_width - 48.0, 40.0); }

namespace {

double clamped(double progress) { return std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0); }

} // namespace

FrameGeometry frame_geometry(ChatApp const& app, double composer_text_height)
{
    // Our framework hands the widget logical bounds and scales the Cairo context
    // itself, so the interface scale is already applied: z is 1 here.
    constexpr double z = 1.0;
    FrameGeometry g;
    auto const& W = app.window_bounds;
    g.window = W;
    bool left_open = app.left_flap.target_open(app.narrow);
    bool right_open = app.right_flap.target_open(app.compact);
    g.sidebar_docked = !app.narrow && left_open;
    g.show_left = left_open || clamped(app.left_flap.progress) > 0.001;
    g.show_right = right_open || clamped(app.right_flap.progress) > 0.001;

    double sidebar_left = W.left();
    if (app.narrow) sidebar_left = W.left() - sidebar_width * (1.0 - ease(app.left_flap.progress));
    g.sidebar = {sidebar_left, W.top(), sidebar_width, W.height};

    g.conversation_left = W.left() + (g.sidebar_docked ? sidebar_width : 0.0);
    g.conversation_right = W.right() - (right_open && !app.compact ? details_width : 0.0);

    double details_left = W.right() - details_width;
    if (app.compact) {
        double full = app.open_thread ? W.width : details_width;
        details_left = W.right() - full * ease(app.right_flap.progress);
    }
    g.details = Rect::from_edges(details_left, W.top(), W.right(), W.bottom());

    g.header = Rect::from_edges(g.conversation_left, W.top(), g.conversation_right, W.top() + 60 * z);

    double height = std::clamp(76 * z + std::max(composer_text_height - 19 * z, 0.0), 76 * z, 200 * z);
    double bottom = W.bottom() - 12;
    g.composer = Rect::from_edges(g.conversation_left + 14, bottom - height, g.conversation_right - 14, bottom);
    g.timeline = Rect::from_edges(g.conversation_left, g.header.bottom(), g.conversation_right,
                                  std::max(g.header.bottom(), g.composer.top() - 6));
    return g;
}

std::optional<LocalVoice> local_voice(ChatApp const& app)
{
    for (auto const& channel : app.model.voice_participants)
        for (auto const& participant : channel.participants)
            if (app.local_identity.is_local(participant.user)) return LocalVoice {channel.channel, participant};
    return std::nullopt;
}

std::int64_t total_unread(Model const& model)
{
    std::int64_t total = 0;
    for (auto const& channel : model.channels) total += std::max<std::int64_t>(model.unread_count(channel.id), 0);
    return total;
}

std::string badge_text(std::int64_t count) { return count >= 100 ? std::string("99+") : std::to_string(count); }

void draw_count_pill(orvo_ui::Painter& painter, std::int64_t count, double right, double center_y)
{
    auto const& theme = painter.theme();
    orvo_ui::TextStyle style {11, orvo_ui::FontWeight::Semibold, theme.on_accent};
    auto text = badge_text(count);
    auto size = painter.measure(text, style);
    double height = std::max(18.0, size.height + 2);
    double width = std::max(height, size.width + 12);
    orvo_ui::Rect pill {right - width, center_y - height / 2, width, height};
    painter.fill_rounded(pill, height / 2, theme.accent);
    painter.text_centered(text, pill, style);
}

void push_region(ChatApp& app, orvo_ui::Rect const& rect, ChatControl control)
{
    app.hit_regions.push_back(HitRegion {rect, std::move(control)});
}

void push_tooltip(ChatApp& app, orvo_ui::Rect const& rect, std::string text)
{
    app.tooltip_areas.push_back({rect, std::move(text)});
}

bool hovered(ChatApp const& app, orvo_ui::Rect const& rect) { return rect.contains(app.pointer); }

// ---- The frame, in painting order ----

namespace {

void update_breakpoints(ChatApp& app, std::chrono::steady_clock::time_point now)
{
    // Bounds are already logical (the framework scales the Cairo context), so the
    // breakpoints divide by 1 rather than by the interface scale.
    auto flags = breakpoints_for(app.window_bounds.width, 1.0);
    if (!flags) return;
    app.narrow = flags->narrow;
    app.compact = flags->compact;
    feed_breakpoint(app.left_flap, app.narrow);
    feed_breakpoint(app.right_flap, app.compact);
    bool left = step_flap(app.left_flap, app.narrow, now);
    bool right = step_flap(app.right_flap, app.compact, now);
    app.flaps_animating = left || right;
}

void draw_header_strip(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g)
{
    painter.fill_rect(g.header, painter.theme().panel);
    orvo_ui::surface::separator(painter, g.header.left(), g.header.right(), g.header.bottom() - 1);
    draw_header_contents(app, painter, g);
}

void draw_scrim(ChatApp& app, orvo_ui::Painter& painter, double progress)
{
    double p = clamped(progress);
    if (p <= 0.001) return;
    painter.scrim(0.55 * p);
    push_region(app, app.window_bounds, control::Dismiss {});
}

void draw_details(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g,
                  std::chrono::steady_clock::time_point now)
{
    if (app.compact) draw_scrim(app, painter, app.right_flap.progress);
    if (!g.show_right) return;
    if (app.open_thread)
        draw_thread_view(app, painter, g.details, now);
    else
        draw_people_panel(app, painter, g.details);
}

void draw_navigation(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g)
{
    if (app.narrow) draw_scrim(app, painter, app.left_flap.progress);
    if (!g.show_left) return;
    Rect rail {g.sidebar.left(), g.sidebar.top(), rail_width, g.sidebar.height};
    Rect column {rail.right(), g.sidebar.top(), sidebar_column_width, g.sidebar.height};
    draw_rail(app, painter, rail);
    if (app.inbox_open)
        draw_inbox_sidebar(app, painter, column);
    else
        draw_workspace_sidebar(app, painter, column);
}

void draw_menu_button(ChatApp& app, orvo_ui::Painter& painter, FrameGeometry const& g)
{
    if (g.sidebar_docked || (app.compact && app.open_thread)) return;
    auto const& theme = painter.theme();
    Rect button {g.header.left() + 12, g.header.center().y - 16, 32, 32};
    painter.fill_rounded(button, 8, hovered(app, button) ? theme.lift(1.0) : theme.card);
    painter.text_centered("☰", button, {theme.metrics.title_size, orvo_ui::FontWeight::Regular, theme.text});
    push_region(app, button, control::ToggleLeftFlap {});
    push_tooltip(app, button, control_label(control::ToggleLeftFlap {}, app));
}

void draw_focus_ring(ChatApp& app, orvo_ui::Painter& painter)
{
    if (!app.focus_ring) return;
    if (*app.focus_ring >= app.hit_regions.size()) {
        app.focus_ring.reset();
        return;
    }
    Rect r = app.hit_regions[*app.focus_ring].rect;
    Rect ring {r.x - 2, r.y - 2, r.width + 4, r.height + 4};
    painter.stroke_rounded(ring, 9, 2, painter.theme().focus);
}

} // namespace

void draw_frame(ChatApp& app, orvo_ui::Painter& painter, std::chrono::steady_clock::time_point now)
{
    app.ui_scale = painter.theme().scale;
    update_breakpoints(app, now);
    app.tooltip_host.tick(now);
    app.hit_regions.clear();
    app.tooltip_areas.clear();

    // The conversation's width does not depend on the composer, so measure once it is known.
    auto g = frame_geometry(app, 0);
    orvo_ui::TextStyle wrap {15};
    wrap.width = composer_wrap_width(g.conversation_right - g.conversation_left);
    g = frame_geometry(app, painter.measure(app.composer.text(), wrap).height);

    painter.fill_rect(app.window_bounds, painter.theme().window);
    app.conversation_header = g.header;
    draw_header_strip(app, painter, g);
    draw_timeline(app, painter, g);
    draw_main_composer(app, painter, g.composer, now);
    // A thread opened while compact is a page over the whole window: the
    // sidebar goes beneath it rather than over its "← Back".
    bool thread_page = app.compact && app.open_thread;
    if (thread_page) draw_navigation(app, painter, g);
    draw_details(app, painter, g, now);
    if (!thread_page) draw_navigation(app, painter, g);
    draw_menu_button(app, painter, g);
    if (app.context_menu && app.context_menu->menu.is_open()) app.context_menu->menu.draw(painter);
    draw_emoji_picker(app, painter);
    draw_edit_history(app, painter);
    draw_attach_picker(app, painter, g.composer);
    draw_focus_ring(app, painter);
    app.tooltip_host.draw_hover_tooltip(painter);
}

} // namespace chat::views

namespace chat {

void ChatApp::draw(orvo_ui::Painter& painter) { views::draw_frame(*this, painter, std::chrono::steady_clock::now()); }

} // namespace chat
