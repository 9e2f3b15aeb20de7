#pragma once

// What a widget draws with: a Cairo context in logical pixels and the theme.

#include "ui/core/geometry.h"
#include "ui/paint/color.h"
#include "ui/paint/theme.h"

#include <cairo.h>

namespace orvo_ui {

class Painter {
public:
    Painter(cairo_t* cr, Theme const& theme, Size logical_size)
        : m_cr(cr), m_theme(theme), m_size(logical_size) {}

    cairo_t* cairo() const { return m_cr; }
    Theme const& theme() const { return m_theme; }
    Size size() const { return m_size; }

    void fill_rect(Rect const& r, Color const& c);

private:
    cairo_t* m_cr;
    Theme const& m_theme;
    Size m_size;
};

} // namespace orvo_ui
