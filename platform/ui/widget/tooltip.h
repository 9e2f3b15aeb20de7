#pragma once

// Hover tooltips: the host is told where the pointer is and which tooltip area
// (if any) is under it; after a short rest it shows the area's text.

#include "ui/core/geometry.h"
#include "ui/paint/painter.h"

#include <chrono>
#include <optional>
#include <string>

namespace orvo_ui::widget::tooltip {

using Clock = std::chrono::steady_clock;

struct TooltipArea {
    Rect rect;
    std::string text;
};

class TooltipHost {
public:
    static constexpr std::chrono::milliseconds default_delay {450};

    explicit TooltipHost(std::chrono::milliseconds delay = default_delay) : m_delay(delay) {}

    // Called on every pointer move with the area under the pointer. Moving to a
    // different area (or off all areas) restarts the delay.
    void on_pointer(Point position, std::optional<TooltipArea> area, Clock::time_point now);
    // The pointer left the window or a press happened: hide and forget.
    void clear();
    // Advances time: a pending tooltip becomes shown once the delay has passed.
    void tick(Clock::time_point now);

    bool has_pending() const { return m_area && !m_shown; }
    bool is_shown() const { return m_area && m_shown; }
    std::optional<TooltipArea> const& area() const { return m_area; }
    // When the pending tooltip will show (for frame scheduling).
    std::optional<Clock::time_point> due() const;

    // Draws the shown tooltip below (or, near the bottom edge, above) its area,
    // kept inside the painter's bounds.
    void draw_hover_tooltip(Painter& painter) const;
    // Where the tooltip box goes for this text size inside `bounds`.
    Rect placement(Size box, Rect const& bounds) const;

private:
    std::chrono::milliseconds m_delay;
    std::optional<TooltipArea> m_area;
    Point m_pointer;
    Clock::time_point m_since {};
    bool m_shown = false;
};

} // namespace orvo_ui::widget::tooltip
