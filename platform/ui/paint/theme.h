#pragma once

// A theme: the colour tokens plus metrics, motion and the interface scale.

#include "ui/paint/color.h"
#include "ui/paint/tokens.h"

namespace orvo_ui {

enum class ThemeKind { Dark, Light };

struct Theme : tokens::colors::Colors {
    ThemeKind kind = ThemeKind::Dark;
    tokens::metrics::Metrics metrics;
    tokens::motion::Motion motion;
    bool reduced_motion = false;
    float scale = 1.0f; // interface scale; the frame loop applies it with cairo_scale

    // Motion duration in milliseconds after reduced motion is taken into account.
    double motion_ms() const { return reduced_motion ? 0.0 : motion.duration_ms; }

    static Theme dark();
    static Theme light();
};

Theme theme_for(ThemeKind kind);

} // namespace orvo_ui
