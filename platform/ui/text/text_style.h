#pragma once

// How a run of text is set: size in logical pixels, weight, colour, and how it
// behaves at a width limit.

#include "ui/paint/color.h"

namespace orvo_ui {

enum class FontWeight { Regular = 400, Medium = 500, Semibold = 600, Bold = 700 };

enum class TextOverflow {
    Wrap,     // break into lines at `width`
    Ellipsis, // one line, cut at `width` with an ellipsis
};

enum class TextAlign { Left, Center, Right };

struct TextStyle {
    double size = 14;
    FontWeight weight = FontWeight::Regular;
    Color color;
    double width = 0; // 0 or less: no limit
    TextOverflow overflow = TextOverflow::Wrap;
    TextAlign align = TextAlign::Left;
};

} // namespace orvo_ui
