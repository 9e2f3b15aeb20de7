#include "ui/anim/transition.h"

#include <algorithm>

namespace orvo_ui::animation {

double ease(Easing easing, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (easing) {
    case Easing::Linear: return t;
    case Easing::EaseOutCubic: {
        double u = 1 - t;
        return 1 - u * u * u;
    }
    case Easing::EaseInOutCubic:
        if (t < 0.5)
            return 4 * t * t * t;
        {
            double u = -2 * t + 2;
            return 1 - u * u * u / 2;
        }
    }
    return t;
}

namespace animated {

void Transition::set_target(double target, Clock::time_point now, std::chrono::milliseconds duration, Easing easing)
{
    if (target == m_to && is_animating(now))
        return;
    m_from = value(now);
    m_to = target;
    m_start = now;
    m_duration = std::max(duration, std::chrono::milliseconds(0));
    m_easing = easing;
}

void Transition::jump_to(double value)
{
    m_from = value;
    m_to = value;
    m_duration = std::chrono::milliseconds(0);
}

double Transition::value(Clock::time_point now) const
{
    if (m_duration.count() <= 0 || now >= m_start + m_duration)
        return m_to;
    if (now <= m_start)
        return m_from;
    double t = std::chrono::duration<double, std::milli>(now - m_start).count() / static_cast<double>(m_duration.count());
    return m_from + (m_to - m_from) * ease(m_easing, t);
}

bool Transition::is_animating(Clock::time_point now) const
{
    return m_duration.count() > 0 && now < m_start + m_duration && m_from != m_to;
}

} // namespace animated

} // namespace orvo_ui::animation
