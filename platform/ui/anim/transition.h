#pragma once

// A value that moves to a target over a duration with an easing curve. Time is
// passed in, never read, so frames and tests control it.

#include "ui/paint/tokens.h"

#include <chrono>

namespace orvo_ui::animation {

using Clock = std::chrono::steady_clock;
using Easing = tokens::motion::Easing;

// The eased fraction for a linear fraction t in [0, 1] (clamped).
double ease(Easing easing, double t);

namespace animated {

class Transition {
public:
    explicit Transition(double initial = 0.0) : m_from(initial), m_to(initial) {}

    // Starts moving from the value shown at `now` towards `target`. A zero
    // duration (reduced motion) jumps at once. Re-targeting to the current target
    // keeps the running motion.
    void set_target(double target, Clock::time_point now, std::chrono::milliseconds duration,
        Easing easing = Easing::EaseOutCubic);
    // Places the value at `value` with no motion.
    void jump_to(double value);

    double target() const { return m_to; }
    double value(Clock::time_point now) const;
    bool is_animating(Clock::time_point now) const;

private:
    double m_from;
    double m_to;
    Clock::time_point m_start {};
    std::chrono::milliseconds m_duration {0};
    Easing m_easing = Easing::EaseOutCubic;
};

} // namespace animated

} // namespace orvo_ui::animation
