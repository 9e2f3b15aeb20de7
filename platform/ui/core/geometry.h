#pragma once

// Geometry in logical pixels; the frame loop scales to device pixels.

#include <algorithm>

namespace orvo_ui {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(Size, Size) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    static Rect from_edges(double left, double top, double right, double bottom)
    {
        return {left, top, right - left, bottom - top};
    }
    double left() const { return x; }
    double top() const { return y; }
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    Point center() const { return {x + width / 2, y + height / 2}; }
    bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    bool empty() const { return width <= 0 || height <= 0; }
    Rect inset(double d) const { return {x + d, y + d, std::max(0.0, width - 2 * d), std::max(0.0, height - 2 * d)}; }
    Rect intersect(Rect const& o) const
    {
        double l = std::max(left(), o.left()), t = std::max(top(), o.top());
        double r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        return {l, t, std::max(0.0, r - l), std::max(0.0, b - t)};
    }
    friend bool operator==(Rect const&, Rect const&) = default;
};

} // namespace orvo_ui
