#include "ui/widget/avatar.h"

#include <glib.h>

#include <algorithm>
#include <vector>

namespace orvo_ui::widget::avatar {

Color presence_color(Theme const& theme, Presence presence)
{
    switch (presence) {
    case Presence::Online: return theme.online;
    case Presence::Idle: return theme.idle;
    case Presence::DoNotDisturb: return theme.do_not_disturb;
    case Presence::Offline: return theme.offline;
    }
    return theme.offline;
}

void Avatar::draw(Painter& painter, Point center, double radius) const
{
    if (radius <= 0)
        return;
    Theme const& theme = painter.theme();
    Color fill = theme.user(color_index);
    painter.disc(center, radius, fill);

    TextStyle text;
    text.size = std::max(6.0, radius * (initials.size() > 2 ? 0.72 : 0.8));
    text.weight = FontWeight::Semibold;
    // Dark initials on the light palette entries, white on the dark ones.
    text.color = contrast_ratio(Color::white(), fill) >= 3.0 ? Color::white() : Color::rgb(0x111318);
    painter.text_centered(initials, {center.x - radius, center.y - radius, 2 * radius, 2 * radius}, text);

    if (!presence)
        return;
    double dot = std::max(3.0, radius * 0.3);
    Point at {center.x + radius * 0.707, center.y + radius * 0.707};
    painter.disc(at, dot + std::max(1.5, radius * 0.1), surface.value_or(theme.panel));
    painter.disc(at, dot, presence_color(theme, *presence));
    if (*presence == Presence::DoNotDisturb)
        painter.fill_rect({at.x - dot * 0.55, at.y - 0.75, dot * 1.1, 1.5}, surface.value_or(theme.panel));
}

std::string initials_for(std::string_view display_name)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < display_name.size()) {
        while (i < display_name.size() && display_name[i] == ' ')
            ++i;
        std::size_t start = i;
        while (i < display_name.size() && display_name[i] != ' ')
            ++i;
        if (i > start)
            words.push_back(display_name.substr(start, i - start));
    }
    std::string out;
    auto first_char = [](std::string_view word) {
        char const* next = g_utf8_find_next_char(word.data(), word.data() + word.size());
        std::size_t len = next ? static_cast<std::size_t>(next - word.data()) : word.size();
        gchar* upper = g_utf8_strup(word.data(), static_cast<gssize>(len));
        std::string s(upper);
        g_free(upper);
        return s;
    };
    if (!words.empty())
        out += first_char(words.front());
    if (words.size() > 1)
        out += first_char(words.back());
    return out;
}

} // namespace orvo_ui::widget::avatar
