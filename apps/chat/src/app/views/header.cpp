#include "app/views/header.h"
#include "app/views/text_styles.h"

#include "app/chat_app.h"
#include "ui/paint/surface.h"

#include <algorithm>

namespace chat::views {

namespace {

using orvo_ui::Painter;
using orvo_ui::Rect;
using orvo_ui::TextStyle;


std::string secondary_text(ChatApp const& app, Channel const* channel)
{
    if (!channel) return {};
    if (!app.inbox_open) return channel->topic;
    auto const* workspace = app.model.workspace(channel->workspace);
    std::string name = workspace ? workspace->name : std::string("Orvo workspace");
    if (!channel->topic.empty()) return name + " · " + channel->topic;
    return "From " + name;
}

bool has_someone_else(ChatApp const& app)
{
    return std::any_of(app.model.workspace_people.begin(), app.model.workspace_people.end(),
                       [&](Person const& p) { return !app.local_identity.is_local(p.id); });
}

// The call pill at the header's right end; answers its left edge (the header's right when absent).
double draw_call_pill(ChatApp& app, Painter& painter, Rect const& header)
{
    if (!has_someone_else(app)) return header.right();
    auto const& theme = painter.theme();
    bool in_call = local_voice(app).has_value();
    std::string_view label = in_call ? "● In call" : "📹 Call";
    auto label_style = ellipsized_text(13, in_call ? theme.on_accent : theme.text);
    label_style.weight = orvo_ui::FontWeight::Semibold;
    double width = painter.measure(label, label_style).width + 28;
    Rect pill {header.right() - 16 - width, header.center().y - 16, width, 32};
    if (in_call) painter.fill_rounded(pill, 10, theme.accent.with_alpha(0.72));
    else orvo_ui::surface::card(painter, pill, 10);
    painter.text_centered(label, pill, label_style);
    push_region(app, pill, control::StartCall{});
    return pill.left();
}

} // namespace

void draw_header_contents(ChatApp& app, Painter& painter, FrameGeometry const& g)
{
    auto const& theme = painter.theme();
    Rect const& header = g.header;
    auto const* channel = app.model.channel(app.current_channel);
    double right = draw_call_pill(app, painter, header);
    double end = right - 12;
    double x = header.left() + (g.sidebar_docked ? 18 : 54);
    double cy = header.center().y;

    auto prefix_style = ellipsized_text(18, theme.muted_text);
    std::string_view prefix = channel && channel->kind == ChannelKind::Voice ? "🔊" : "#";
    auto prefix_size = painter.measure(prefix, prefix_style);
    painter.text(prefix, {x, cy - prefix_size.height / 2}, prefix_style);
    x += std::max(22.0, prefix_size.width + 6);

    std::string title = channel ? channel->name : std::string();
    auto title_style = ellipsized_text(17, theme.text, std::max(end - x, 1.0));
    title_style.weight = orvo_ui::FontWeight::Semibold;
    auto title_size = painter.measure(title, title_style);
    painter.text(title, {x, cy - title_size.height / 2}, title_style);
    x += title_size.width + 18;

    auto secondary = secondary_text(app, channel);
    if (secondary.empty() || end - x < 48) return;
    auto secondary_style = ellipsized_text(13, theme.muted_text, end - x);
    double h = painter.measure(secondary, secondary_style).height;
    painter.text(secondary, {x, cy - h / 2}, secondary_style);
}

} // namespace chat::views
