#include "app/chat_app.h"
#include "app/views/timeline_row.h"

#include <algorithm>

namespace chat::views {

namespace {

bool reacted_locally(ChatApp const& app, ReactionGroup const& group)
{
    return std::any_of(group.users.begin(), group.users.end(),
                       [&](std::string const& user) { return app.local_identity.is_local(user); });
}

} // namespace

void draw_reaction_chips(ChatApp& app, orvo_ui::Painter& painter, Message const& message, double left, double top,
                         double height)
{
    auto const& theme = painter.theme();
    orvo_ui::TextStyle style;
    style.size = 12.5;
    style.color = theme.text;
    double x = left;
    for (auto const& group : message.reactions) {
        std::string label = group.emoji + "  " + std::to_string(group.users.size());
        double width = painter.measure(label, style).width + 20;
        orvo_ui::Rect chip {x, top, width, height};
        if (reacted_locally(app, group)) {
            painter.fill_rounded(chip, height / 2, theme.accent_lift(1));
            painter.stroke_rounded(chip, height / 2, 1, theme.accent);
        } else {
            painter.fill_rounded(chip, height / 2, theme.card.scaled_alpha(0.35));
            painter.stroke_rounded(chip, height / 2, 1, theme.hairline);
        }
        painter.text_centered(label, chip, style);
        push_region(app, chip, control::Reaction{message.id, group.emoji});
        x += width + theme.metrics.padding_unit;
    }
    orvo_ui::Rect add {x, top, 34, height};
    painter.fill_rounded(add, height / 2, theme.card.scaled_alpha(0.35));
    painter.stroke_rounded(add, height / 2, 1, theme.hairline);
    auto add_style = style;
    add_style.size = 14;
    add_style.color = theme.muted_text;
    painter.text_centered("☺", add, add_style);
    orvo_ui::Rect region {add.x, add.y - 2, add.width, add.height + 4};
    push_region(app, region, control::AddReaction{message.id, {add.left(), add.bottom()}});
    push_tooltip(app, region, "Add reaction");
}

} // namespace chat::views
