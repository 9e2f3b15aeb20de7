#include "app/views/composer.h"

#include "app/chat_app.h"
#include "app/views/frame.h"
#include "app/views/text_styles.h"
#include "ui/paint/surface.h"

#include <algorithm>
#include <string_view>

namespace chat::views {

using orvo_ui::Painter;
using orvo_ui::Rect;

namespace {

constexpr double card_radius = 14;
constexpr double text_inset = 10;
constexpr double text_top = 12;
constexpr double button_size = 30;
constexpr double button_inset = 8;
constexpr double toolbar_height = 45; // button row and the gap above it

bool blank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

void draw_icon_button(ChatApp& app, Painter& painter, Rect const& button, std::string_view glyph, double size)
{
    auto const& theme = painter.theme();
    if (hovered(app, button)) painter.fill_rounded(button, button.height / 2, theme.lift(1.6));
    painter.text_centered(glyph, button, wrapped_text(size, theme.muted_text));
}

void draw_send(ChatApp& app, Painter& painter, Rect const& button, bool ready)
{
    auto const& theme = painter.theme();
    if (ready)
        painter.fill_rounded(button, 9, hovered(app, button) ? orvo_ui::mix(theme.accent, theme.text, 0.15) : theme.accent);
    else
        painter.fill_rounded(button, 9, theme.lift(hovered(app, button) ? 1.6 : 1.0));
    painter.text_centered("➤", button, wrapped_text(14, ready ? theme.on_accent : theme.muted_text));
}

void draw_read_only_notice(Painter& painter, Rect const& card)
{
    auto const& theme = painter.theme();
    painter.fill_rounded(card, card_radius, theme.card.scaled_alpha(0.5));
    orvo_ui::surface::edge_outline(painter, card, card_radius);
    std::string_view notice = "🔒  This conversation is read-only";
    auto style = ellipsized_text(13, theme.muted_text, std::max(card.width - 2 * text_inset, 1.0));
    auto size = painter.measure(notice, style);
    painter.text(notice, {card.center().x - size.width / 2, card.center().y - size.height / 2}, style);
}

} // namespace

ComposerParts composer_parts(Rect const& card)
{
    ComposerParts parts;
    double input_bottom = std::max(card.bottom() - toolbar_height, card.top() + text_top + 1);
    parts.input = Rect::from_edges(card.left() + text_inset, card.top() + text_top, card.right() - text_inset, input_bottom);
    parts.focus = Rect::from_edges(card.left(), card.top(), card.right(), input_bottom + 4);
    double row_top = card.bottom() - button_inset - button_size;
    parts.attach = {card.left() + button_inset, row_top, button_size, button_size};
    parts.send = {card.right() - button_inset - button_size, row_top, button_size, button_size};
    parts.emoji = {parts.send.left() - 4 - button_size, row_top, button_size, button_size};
    return parts;
}

void draw_composer_card(ChatApp& app, Painter& painter, Rect const& card,
                        orvo_ui::widget::text_input::TextInput& input, ChatControl focus_control,
                        std::chrono::steady_clock::time_point now)
{
    if (!app.permissions.check()) {
        draw_read_only_notice(painter, card);
        return;
    }
    auto const& theme = painter.theme();
    auto parts = composer_parts(card);
    painter.fill_rounded(card, card_radius, theme.card);
    if (input.focused())
        painter.stroke_rounded(card, card_radius, 1, theme.accent.with_alpha(0.55));
    else
        orvo_ui::surface::edge_outline(painter, card, card_radius);

    draw_icon_button(app, painter, parts.attach, "+", 20);
    push_region(app, parts.attach, control::Attach {});
    push_tooltip(app, parts.attach, control_label(control::Attach {}, app));

    input.draw(painter, parts.input, now);
    push_region(app, parts.focus, std::move(focus_control));

    draw_icon_button(app, painter, parts.emoji, "🙂", 17);
    push_region(app, parts.emoji, control::ComposerEmoji {});
    push_tooltip(app, parts.emoji, control_label(control::ComposerEmoji {}, app));

    draw_send(app, painter, parts.send, !blank(input.text()));
    push_region(app, parts.send, control::Send {});
    push_tooltip(app, parts.send, control_label(control::Send {}, app));
}

void draw_main_composer(ChatApp& app, Painter& painter, Rect const& card, std::chrono::steady_clock::time_point now)
{
    draw_composer_card(app, painter, card, app.composer, control::FocusMain {}, now);
}

Rect thread_composer_rect(Rect const& details, double z)
{
    double bottom = details.bottom() - 12;
    return Rect::from_edges(details.left() + 12, bottom - 76 * z, details.right() - 12, bottom);
}

void draw_thread_composer(ChatApp& app, Painter& painter, Rect const& details, double z,
                          std::chrono::steady_clock::time_point now)
{
    draw_composer_card(app, painter, thread_composer_rect(details, z), app.thread_composer, control::FocusThread {}, now);
}

} // namespace chat::views
