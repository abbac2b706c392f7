// Clipping of the drawing primitives to the device: the exact walk of a single-pixel line
// inside a box, segments, polygons and arcs cut to a box, and the 64-bit mapping.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "platform/Clip.h"

using namespace plat;

namespace {

using Pixels = std::vector<std::pair<int, int>>;

// The classic error-term walk of a line from a up to, not including, b: the reference the
// clipped walk must agree with wherever the pixels lie in its box.
Pixels ReferenceWalk(Point a, Point b) {
    Pixels out;
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy, x = a.x, y = a.y;
    while (x != b.x || y != b.y) {
        out.emplace_back(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return out;
}

Pixels Clipped(PixelPoint a, PixelPoint b, const PixelBox& box) {
    Pixels out;
    WalkClippedLine(a, b, box, [&](int x, int y) { out.emplace_back(x, y); });
    return out;
}

} // namespace

TEST(ClippedLineWalk, ShallowLineByHand) {
    // dx 5, dy 2: column n at y = floor((4 n + 5) / 10) = 0, 0, 1, 1, 2; the end is left out.
    const Pixels all = Clipped({0, 0}, {5, 2}, PixelBox{-10, -10, 10, 10});
    EXPECT_EQ(all, (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    // The box keeps columns 2 and 3 only, started at the right row.
    EXPECT_EQ(Clipped({0, 0}, {5, 2}, PixelBox{2, 0, 4, 10}), (Pixels{{2, 1}, {3, 1}}));
    // Rows 1 and 2 only: the walk begins at column 2 and ends after column 4.
    EXPECT_EQ(Clipped({0, 0}, {5, 2}, PixelBox{0, 1, 10, 3}), (Pixels{{2, 1}, {3, 1}, {4, 2}}));
}

TEST(ClippedLineWalk, EveryLineAgreesWithTheWholeWalkInsideItsBox) {
    // Every direction and slope, ends inside, on and outside the box, boxes of every shape
    // (including single rows and columns and boxes the line misses).
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> coord(-30, 30), size(0, 12);
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const Point a{coord(random), coord(random)}, b{coord(random), coord(random)};
        const int left = coord(random), top = coord(random);
        const PixelBox box{left, top, left + size(random), top + size(random)};
        Pixels want;
        for (const auto& p : ReferenceWalk(a, b))
            if (box.Contains(PixelPoint{p.first, p.second}))
                want.push_back(p);
        const Pixels got = Clipped({a.x, a.y}, {b.x, b.y}, box);
        ASSERT_EQ(got, want) << "(" << a.x << "," << a.y << ") to (" << b.x << "," << b.y << ") in " << box.left
                             << "," << box.top << " - " << box.right << "," << box.bottom;
        compared += static_cast<int>(want.size());
    }
    EXPECT_GT(compared, 3000);   // the boxes met the lines often enough to mean something
}

TEST(ClippedLineWalk, LinesAcrossTheWholeIntRangeTakeOnlyTheBoxesPixels) {
    // From (-2^31, 0) to (2^31 - 1, 10): D = 2^32 - 1, d = 10. Column x is step n = x + 2^31, at
    // row floor((20 n + D) / (2 D)); for 0 <= x < 400, 20 n lies within 10 D + 10 + 8000, so
    // the row is floor(5.5 + tiny) = 5 all along.
    const Pixels row = Clipped({INT_MIN, 0}, {INT_MAX, 10}, PixelBox{0, 0, 400, 250});
    ASSERT_EQ(row.size(), 400u);
    for (std::size_t x = 0; x < row.size(); ++x)
        ASSERT_EQ(row[x], std::make_pair(static_cast<int>(x), 5));
    // Backwards and steep: from (0, 2^31 - 1) to (1, -2^31), 2^32 - 1 rows, x moves to 1 at
    // the first step n with 2 n + D >= 2 D, n = 2^31, which is row -1.
    const Pixels steep = Clipped({0, INT_MAX}, {1, INT_MIN}, PixelBox{-5, -3, 5, 3});
    EXPECT_EQ(steep, (Pixels{{0, 2}, {0, 1}, {0, 0}, {1, -1}, {1, -2}, {1, -3}}));
    // A line far from the box plots nothing.
    EXPECT_TRUE(Clipped({INT_MIN, INT_MIN}, {INT_MAX, INT_MIN + 5}, PixelBox{0, 0, 400, 250}).empty());
}

TEST(SegmentClipping, CutsToTheBoxAndTellsWhere) {
    const BoxF box{0, 0, 100, 50};
    PointF a{-100, 25}, b{300, 25};
    double t0 = 0, t1 = 0;
    ASSERT_TRUE(ClipSegment(a, b, box, t0, t1));
    EXPECT_EQ(a, (PointF{0, 25}));
    EXPECT_EQ(b, (PointF{100, 25}));
    EXPECT_DOUBLE_EQ(t0, 0.25);  // 100 of 400 cut before the box
    EXPECT_DOUBLE_EQ(t1, 0.5);
    // Inside: untouched.
    a = {10, 10};
    b = {20, 30};
    ASSERT_TRUE(ClipSegment(a, b, box, t0, t1));
    EXPECT_EQ(a, (PointF{10, 10}));
    EXPECT_EQ(b, (PointF{20, 30}));
    EXPECT_EQ(t0, 0.0);
    EXPECT_EQ(t1, 1.0);
    // Passing by a corner: nothing.
    a = {-1e9, 60};
    b = {1e9, 200};
    EXPECT_FALSE(ClipSegment(a, b, box, t0, t1));
}

TEST(PolygonClipping, KeepsTheAreaInsideTheBoxUnderBothFillRules) {
    const BoxF box{0, 0, 100, 100};
    // A triangle far larger than the box covers it: the cut polygon is the box.
    const std::vector<PointF> big{{-1e9, -1e9}, {1e9, -1e9}, {0, 1e9}};
    const std::vector<PointF> cut = ClipPolygon(big, box);
    ASSERT_GE(cut.size(), 4u);
    for (const PointF& p : cut) {
        EXPECT_TRUE(p.x == 0 || p.x == 100 || p.y == 0 || p.y == 100) << p.x << "," << p.y;
    }
    // A star drawn twice around (a pentagram) whose points reach out of the box: its middle is
    // wound twice, its points once, the rest not at all. Points inside the box keep their
    // winding numbers after the cut.
    std::vector<PointF> star;
    for (int k = 0; k < 5; ++k) {
        const double t = M_PI / 2 + k * 4 * M_PI / 5;
        star.push_back({50 + 120 * std::cos(t), 50 - 120 * std::sin(t)});
    }
    const std::vector<PointF> starCut = ClipPolygon(star, box);
    const auto winding = [](const std::vector<PointF>& poly, PointF p) {
        double turn = 0;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const PointF a = poly[i], b = poly[(i + 1) % poly.size()];
            turn += std::atan2((a.x - p.x) * (b.y - p.y) - (a.y - p.y) * (b.x - p.x),
                               (a.x - p.x) * (b.x - p.x) + (a.y - p.y) * (b.y - p.y));
        }
        return static_cast<int>(std::lround(turn / (2 * M_PI)));
    };
    bool seen[3] = {false, false, false};
    for (double x = 1; x < 100; x += 7)
        for (double y = 1; y < 100; y += 7) {
            const int w = winding(star, PointF{x, y});
            ASSERT_EQ(winding(starCut, PointF{x, y}), w) << x << "," << y;
            seen[std::min(std::abs(w), 2)] = true;
        }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    // A polygon that misses the box leaves nothing.
    EXPECT_TRUE(ClipPolygon({{200, 200}, {300, 200}, {250, 300}}, box).empty());
}

TEST(ArcClipping, OnlyThePartsInsideTheBoxOfAHugeCircle) {
    // A circle of radius 1e9 whose rightmost point is (200, 100): inside the box 0..400 x 0..200
    // it stays within y 0..200, that is sin t within +-1e-7, t within +-asin(1e-7) degrees.
    const EllipseF circle{200 - 1e9, 100, 1e9, 1e9};
    const double edge = std::asin(1e-7) * 180 / M_PI;
    const auto visible = VisibleArcs(circle, -90, 180, BoxF{0, 0, 400, 200});
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_NEAR(visible[0].first, -edge, 1e-12);
    EXPECT_NEAR(visible[0].second, edge, 1e-12);
    // The other half of the circle never comes near the box.
    EXPECT_TRUE(VisibleArcs(circle, 90, 180, BoxF{0, 0, 400, 200}).empty());
    // A circle around the box, and a small one inside it, with the arc's own ends.
    EXPECT_TRUE(VisibleArcs(EllipseF{200, 100, 1e6, 1e6}, 0, 360, BoxF{0, 0, 400, 200}).empty());
    const auto small = VisibleArcs(EllipseF{200, 100, 50, 30}, 30, 100, BoxF{0, 0, 400, 200});
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0], std::make_pair(30.0, 130.0));
    // A circle of radius 100 about (0, 0) seen through the box 0..400 x 0..200 (y down): the
    // quarter from -90 to 0 degrees lies in it (x >= 0, y >= 0).
    const auto quarter = VisibleArcs(EllipseF{0, 0, 100, 100}, 0, 360, BoxF{0, 0, 400, 200});
    ASSERT_EQ(quarter.size(), 1u);
    EXPECT_NEAR(quarter[0].first, 270, 1e-9);
    EXPECT_NEAR(quarter[0].second, 360, 1e-9);
}

TEST(DeviceMapping, PositionsPastIntAreWholeAndTheMappingsAnswerIsHeld) {
    Mapping m;
    m.windowOrg = {-2000000000, 0};
    // 2e9 - (-2e9) = 4e9: past int, whole in 64 bits.
    EXPECT_EQ(DevicePixel(m, Point{2000000000, 7}), (PixelPoint{4000000000LL, 7}));
    EXPECT_EQ(m.ToDevice(Point{2000000000, 7}), (Point{INT_MAX, 7}));
    EXPECT_EQ(m.ToDevice(Point{-1999999990, 7}), (Point{10, 7}));
    // Scaled: a window of 10 units on a viewport of 1000 pixels, 100 pixels a unit.
    Mapping s;
    s.mode = MapMode::Anisotropic;
    s.windowExt = {10, 10};
    s.viewportExt = {1000, -1000};
    EXPECT_EQ(DevicePixel(s, Point{INT_MAX, INT_MIN}), (PixelPoint{214748364700LL, 214748364800LL}));
    EXPECT_EQ(s.ToDevice(Point{3, 2}), (Point{300, -200}));
}

// Arcs that leave the box through its top or bottom edge on the side left of their centre: the
// ellipse meets the line y = c there at the angle 180 - asin(v), v = (cy - c) / ry, so the piece
// kept runs between the two edges' crossings left of the centre, whichever part of the ellipse
// the arc covers and whether or not the box lies evenly about the centre.
TEST(ArcClipping, APieceCutByTheTopAndBottomEdgesLeftOfTheCentreIsKept)
{
    const double deg = 180 / M_PI;
    // A circle about (500, 100) of radius 400 cut to 0..400 x 0..200: x <= 400 holds for
    // cos t <= -1/4, y within 0..200 for |sin t| <= 1/4, together t within 180 -+ asin(1/4).
    const EllipseF circle{500, 100, 400, 400};
    const double quarter = std::asin(0.25) * deg; // 14.4775
    for (const auto& [from, span] : {std::pair{0.0, 360.0}, std::pair{90.0, 180.0}, std::pair{-200.0, 360.0}}) {
        SCOPED_TRACE(from);
        const auto piece = VisibleArcs(circle, from, span, BoxF{0, 0, 400, 200});
        ASSERT_EQ(piece.size(), 1u);
        const double shift = from < 0 ? -360.0 : 0.0; // the same angles named within [from, from + span]
        EXPECT_NEAR(piece[0].first, 180 - quarter + shift, 1e-9);
        EXPECT_NEAR(piece[0].second, 180 + quarter + shift, 1e-9);
    }
    EXPECT_NEAR(180 - quarter, 165.5225, 1e-4);
    EXPECT_NEAR(180 + quarter, 194.4775, 1e-4);
    // The box reaching further down than up: the bottom edge y = 250 is met at
    // 180 + asin(150 / 400), the top at 180 - asin(100 / 400).
    const auto uneven = VisibleArcs(circle, 0, 360, BoxF{0, 0, 400, 250});
    ASSERT_EQ(uneven.size(), 1u);
    EXPECT_NEAR(uneven[0].first, 180 - quarter, 1e-9);
    EXPECT_NEAR(uneven[0].second, 180 + std::asin(0.375) * deg, 1e-9);
    // An ellipse of half axes 400 and 200 about (500, 100): y within 0..200 for |sin t| <= 1/2,
    // so it is kept from 150 to 210 degrees (x = 500 - 400 cos 30 = 153.6 there, inside).
    const auto flat = VisibleArcs(EllipseF{500, 100, 400, 200}, 0, 360, BoxF{0, 0, 400, 200});
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_NEAR(flat[0].first, 150, 1e-9);
    EXPECT_NEAR(flat[0].second, 210, 1e-9);
    // Only the part of an arc that lies in the piece: the arc from 170 to 250 degrees keeps
    // 170 .. 180 + asin(1/4).
    const auto part = VisibleArcs(circle, 170, 80, BoxF{0, 0, 400, 200});
    ASSERT_EQ(part.size(), 1u);
    EXPECT_NEAR(part[0].first, 170, 1e-9);
    EXPECT_NEAR(part[0].second, 180 + quarter, 1e-9);
}
