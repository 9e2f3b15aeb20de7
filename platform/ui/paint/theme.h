#pragma once

// The colour and metric tokens every view paints with.

#include "ui/paint/color.h"

namespace orvo_ui {

enum class ThemeKind { Dark, Light };

struct Theme {
    ThemeKind kind = ThemeKind::Dark;
    Color window;
    Color text;

    static Theme dark();
    static Theme light();
};

} // namespace orvo_ui
