#include "ui/widget/tooltip.h"

#include "ui/paint/surface.h"

#include <algorithm>

namespace orvo_ui::widget::tooltip {

namespace {

constexpr double text_size = 12;
constexpr double pad_x = 9;
constexpr double pad_y = 5;
constexpr double spacing = 6;

} // namespace

void TooltipHost::on_pointer(Point position, std::optional<TooltipArea> area, Clock::time_point now)
{
    m_pointer = position;
    bool same = area && m_area && area->text == m_area->text && area->rect == m_area->rect;
    if (same)
        return;
    m_area = std::move(area);
    m_since = now;
    m_shown = false;
    tick(now);
}

void TooltipHost::clear()
{
    m_area.reset();
    m_shown = false;
}

void TooltipHost::tick(Clock::time_point now)
{
    if (m_area && !m_shown && now - m_since >= m_delay)
        m_shown = true;
}

std::optional<Clock::time_point> TooltipHost::due() const
{
    if (!has_pending())
        return std::nullopt;
    return m_since + m_delay;
}

Rect TooltipHost::placement(Size box, Rect const& bounds) const
{
    Rect anchor = m_area ? m_area->rect : Rect {m_pointer.x, m_pointer.y, 0, 0};
    double x = anchor.center().x - box.width / 2;
    double y = anchor.bottom() + spacing;
    if (y + box.height > bounds.bottom() - 4)
        y = anchor.top() - spacing - box.height;
    x = std::clamp(x, bounds.left() + 4, std::max(bounds.left() + 4, bounds.right() - 4 - box.width));
    y = std::max(y, bounds.top() + 4);
    return {x, y, box.width, box.height};
}

void TooltipHost::draw_hover_tooltip(Painter& painter) const
{
    if (!is_shown() || m_area->text.empty())
        return;
    Theme const& theme = painter.theme();
    TextStyle style;
    style.size = text_size;
    style.weight = FontWeight::Medium;
    style.color = adjust_for_contrast(Color::white(0.95), theme.tooltip, 4.5);
    Size text = painter.measure(m_area->text, style);
    Rect box = placement({text.width + 2 * pad_x, text.height + 2 * pad_y}, painter.bounds());
    surface::shadow(painter, box, 7, {.blur = 12, .offset_y = 3, .strength = 0.9});
    painter.fill_rounded(box, 7, theme.tooltip);
    painter.text(m_area->text, {box.x + pad_x, box.y + pad_y}, style);
}

} // namespace orvo_ui::widget::tooltip
