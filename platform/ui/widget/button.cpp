#include "ui/widget/button.h"

#include <string>

namespace orvo_ui::widget::button {

namespace {

struct ButtonColors {
    Color fill;
    Color text;
    Color border;
};

ButtonColors colors_for(Theme const& theme, ButtonStyle const& style)
{
    ButtonColors c {theme.card, theme.text, theme.hairline};
    if (style.danger) {
        c.fill = theme.danger;
        c.text = adjust_for_contrast(Color::white(), theme.danger, 3.0);
        c.border = theme.danger;
    } else if (style.selected) {
        c.fill = theme.accent;
        c.text = theme.on_accent;
        c.border = theme.accent;
    }
    if (style.hovered && !style.disabled)
        c.fill = composite(style.danger || style.selected ? Color::white(0.12) : theme.lift(1.6), c.fill);
    if (style.disabled) {
        c.fill = c.fill.scaled_alpha(0.5);
        c.text = c.text.scaled_alpha(0.45);
        c.border = c.border.scaled_alpha(0.5);
    }
    return c;
}

std::string compose(std::string_view icon, std::string_view label)
{
    std::string text(icon);
    if (!icon.empty() && !label.empty())
        text += "  ";
    text += label;
    return text;
}

} // namespace

void Button::paint(Painter& painter, Rect const& r, std::string_view label, ButtonStyle const& style)
{
    ButtonColors c = colors_for(painter.theme(), style);
    painter.fill_rounded(r, style.radius, c.fill);
    painter.stroke_rounded(r, style.radius, 1, c.border);
    TextStyle text;
    text.size = style.text_size;
    text.weight = FontWeight::Semibold;
    text.color = c.text;
    std::string content = compose(style.icon, label);
    auto clip = painter.clip(r.inset(2), style.radius);
    painter.text_centered(content, r, text);
}

double Button::preferred_width(Painter& painter, std::string_view label, ButtonStyle const& style)
{
    TextStyle text;
    text.size = style.text_size;
    text.weight = FontWeight::Semibold;
    return painter.measure(compose(style.icon, label), text).width + painter.theme().metrics.button_padding;
}

} // namespace orvo_ui::widget::button
