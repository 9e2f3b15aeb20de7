#include "ui/core/geometry.h"

#include <gtest/gtest.h>

using orvo_ui::Point;
using orvo_ui::Rect;

TEST(Geometry, ContainsIsHalfOpenSoAdjacentRectsNeverBothHit)
{
    Rect left{0, 0, 10, 10};
    Rect right{10, 0, 10, 10};
    Point edge{10, 5};
    EXPECT_FALSE(left.contains(edge));
    EXPECT_TRUE(right.contains(edge));
}

TEST(Geometry, IntersectionOfDisjointRectsIsEmpty)
{
    Rect a{0, 0, 10, 10};
    EXPECT_TRUE(a.intersect({20, 20, 5, 5}).empty());
    EXPECT_EQ(a.intersect({5, 5, 10, 10}), (Rect{5, 5, 5, 5}));
    EXPECT_EQ(a.inset(6), (Rect{6, 6, 0, 0}));
}
