// Drawing far past the device: every primitive draws what lies on the image, where the same
// figure drawn wholly on a larger image puts it, and nothing else. Without the clipping these
// calls walk billions of pixels (or overflow the sums on the way there).

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/Picture.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {

constexpr int kW = 400, kH = 250;
constexpr int kBillion = 1000000000;

int Count(const Image& img, Color ink) {
    int n = 0;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            n += img.Pixel(x, y) == ink ? 1 : 0;
    return n;
}

// The first pixel where the image differs from the part of a reference image that starts at
// (dx, dy), as text ("" when they agree).
std::string Differs(const Image& img, const Image& ref, int dx, int dy) {
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (img.Pixel(x, y) != ref.Pixel(x + dx, y + dy))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// The first whole number of at least `digits` digits in the text (not a fraction's digits), or "".
std::string LongNumber(const std::string& text, std::size_t digits) {
    for (std::size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j - i >= digits && (i == 0 || text[i - 1] != '.'))
            return text.substr(i, j - i);
        i = j;
    }
    return "";
}

} // namespace

class ClipDrawingTest : public GuiTest {};

TEST_F(ClipDrawingTest, ALineAcrossTheWholeIntRangeDrawsItsOneRowOnTheImage) {
    // Row floor(5.5 + tiny) = 5 across the image (see ClippedLineWalk).
    Image img(kW, kH);
    {
        DC dc(img);
        dc.MoveTo(INT_MIN, 0);
        dc.LineTo(INT_MAX, 10);
        EXPECT_EQ(dc.GetCurrentPosition(), (Point{INT_MAX, 10}));
    }
    for (int x = 0; x < kW; ++x)
        ASSERT_EQ(img.Pixel(x, 5), Colors::Black) << x;
    EXPECT_EQ(Count(img, Colors::Black), kW);
}

TEST_F(ClipDrawingTest, APolylineThroughAThousandMillionDrawsOnlyItsCrossings) {
    // The diagonal x = y, a segment at x = 1e9, and the anti-diagonal x + y = 300: on the image
    // the pixels (x, x) for x < 250 and (x, 300 - x) for 51 <= x <= 300, one shared at (150, 150).
    const std::vector<Point> run{
        {-kBillion, -kBillion}, {kBillion, kBillion}, {kBillion, -kBillion + 300}, {-kBillion, kBillion + 300}};
    for (const bool mapped : {false, true}) {
        SCOPED_TRACE(mapped ? "through a shifted window origin" : "in device pixels");
        Image img(kW, kH);
        {
            DC dc(img);
            dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::LtBlue});
            std::vector<Point> points = run;
            if (mapped) {
                // Logical positions 1e9 to the left of the device ones.
                dc.SetWindowOrg({-kBillion, 0});
                for (Point& p : points)
                    p.x -= kBillion;
            }
            dc.Polyline(points);
        }
        for (int x = 0; x < kH; ++x)
            ASSERT_EQ(img.Pixel(x, x), Colors::LtBlue) << x;
        for (int x = 51; x <= 300; ++x)
            ASSERT_EQ(img.Pixel(x, 300 - x), Colors::LtBlue) << x;
        EXPECT_EQ(Count(img, Colors::LtBlue), 250 + 250 - 1);
    }
}

TEST_F(ClipDrawingTest, PositionsPastIntAfterTheMappingAreWalkedWhole) {
    // Window origin -2e9: the logical x 2e9 is device x 4e9, past int; the line from there to
    // logical -2e9 + 10 (device 10) covers device x 11 .. 399 of row 5.
    Image img(kW, kH);
    {
        DC dc(img);
        dc.SetWindowOrg({-2000000000, 0});
        dc.MoveTo(2000000000, 5);
        dc.LineTo(-2000000000 + 10, 5);
    }
    EXPECT_EQ(Count(img, Colors::Black), kW - 11);
    EXPECT_EQ(img.Pixel(11, 5), Colors::Black);
    EXPECT_EQ(img.Pixel(10, 5), Colors::White);
}

TEST_F(ClipDrawingTest, WideAndDashedLinesFromFarAwayLandWhereNearOnesDo) {
    // Wide: a run out to x = 1e9 and back, 50 pixels lower; the segment at x = 1e9 is far off.
    // On the image it is the same as the two horizontal pieces drawn from inside.
    const Pen wide{PenStyle::Solid, 4, Colors::Black};
    Image img(kW, kH), ref(kW, kH);
    {
        DC dc(img);
        dc.SelectPen(wide);
        dc.Polyline({{50, 50}, {kBillion, 50}, {kBillion, 100}, {50, 100}});
    }
    {
        DC dc(ref);
        dc.SelectPen(wide);
        dc.Polyline({{50, 50}, {415, 50}});
        dc.Polyline({{415, 100}, {50, 100}});
    }
    EXPECT_GT(Count(img, Colors::Black), 2 * 4 * 340);
    EXPECT_EQ(Differs(img, ref, 0, 0), "");

    // Dashed (one pixel wide on pixels): the painter starts the dashes of a line from outside
    // at the edge of the image, however far outside it starts, so the line from -1e9 draws
    // them as a line from just outside does.
    const Pen thin{PenStyle::Dash, 1, Colors::Black};
    Image far(kW, 60), near(kW, 60);
    for (Image* target : {&far, &near}) {
        DC dc(*target);
        dc.SelectPen(thin);
        dc.MoveTo(target == &far ? -kBillion : -10, 20);
        dc.LineTo(target == &far ? kBillion : 410, 20);
    }
    EXPECT_GT(Count(far, Colors::Black), kW / 2);
    EXPECT_EQ(Differs(far, near, 0, 0), "");
}

TEST_F(ClipDrawingTest, FiguresLargerThanIntCanHoldFillWhatLiesOnTheImage) {
    const Brush red{false, Colors::LtRed};
    // A rectangle over the whole int range: its frame lies far off, its inside covers all.
    Image rect(kW, kH);
    {
        DC dc(rect);
        dc.SelectBrush(red);
        dc.Rectangle(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
        dc.FillRect(Rect{INT_MIN, 200, INT_MAX, INT_MAX}, Colors::LtGreen);
    }
    EXPECT_EQ(Count(rect, Colors::LtRed), kW * 200);
    EXPECT_EQ(Count(rect, Colors::LtGreen), kW * (kH - 200));

    // A focus frame across the int range between rows 10 and 19: its dots (every pixel with
    // x + y even, inverted) lie along those two rows, its sides far off.
    Image focus(kW, kH);
    {
        DC dc(focus);
        dc.DrawFocusRect(Rect{INT_MIN, 10, INT_MAX, 20});
    }
    EXPECT_EQ(Count(focus, Colors::Black), kW);
    EXPECT_EQ(focus.Pixel(0, 10), Colors::Black);
    EXPECT_EQ(focus.Pixel(1, 19), Colors::Black);
    EXPECT_EQ(focus.Pixel(1, 10), Colors::White);

    // A polygon whose top edge is the line y = 100 and whose other corners lie 1e9 away:
    // row 100 in the pen, the rows below in the brush, under both fill rules.
    for (const FillMode mode : {FillMode::Alternate, FillMode::Winding}) {
        Image poly(kW, kH);
        {
            DC dc(poly);
            dc.SelectBrush(red);
            dc.Polygon({{-kBillion, 100}, {kBillion, 100}, {kBillion, kBillion}, {-kBillion, kBillion}}, mode);
        }
        EXPECT_EQ(Count(poly, Colors::Black), kW);
        EXPECT_EQ(Count(poly, Colors::LtRed), kW * (kH - 101));
        EXPECT_EQ(poly.Pixel(7, 100), Colors::Black);
        EXPECT_EQ(poly.Pixel(7, 99), Colors::White);
    }

    // A circle of radius 1e9 whose rightmost point is near x 199: its right half (from the ray
    // down to the ray up, counter-clockwise) is a column there, top to bottom; as a pie it is
    // filled left of that column.
    const Rect huge{200 - 2 * kBillion, 125 - kBillion, 200, 125 + kBillion};
    Image arc(kW, kH), pie(kW, kH);
    {
        DC dc(arc);
        dc.Arc(huge, {200 - kBillion, 125 + kBillion}, {200 - kBillion, 125 - kBillion});
    }
    {
        DC dc(pie);
        dc.SelectBrush(red);
        dc.Pie(huge, {200 - kBillion, 125 + kBillion}, {200 - kBillion, 125 - kBillion});
    }
    for (int y = 0; y < kH; ++y) {
        int ink = 0;
        for (int x = 0; x < kW; ++x)
            if (arc.Pixel(x, y) != Colors::White) {
                ++ink;
                ASSERT_NEAR(x, 199, 1) << "row " << y;
            }
        ASSERT_EQ(ink, 1) << "row " << y;
        ASSERT_EQ(pie.Pixel(100, y), Colors::LtRed) << y;
        ASSERT_EQ(pie.Pixel(300, y), Colors::White) << y;
    }
}

TEST_F(ClipDrawingTest, PicturesKeepNoPositionsFarOffTheirPage) {
    // The recorded document holds the figures cut to its page (and a margin), not numbers a
    // thousand million pixels away.
    MemoryDC reference;
    PictureDC pic(reference, Rect{0, 0, 10000, 5000}, "far");
    pic.SelectPen(Pen{PenStyle::Dash, 2, Colors::Black});
    pic.SelectBrush(Brush{false, Colors::LtBlue});
    pic.MoveTo(-kBillion, 20);
    pic.LineTo(kBillion, 30);
    pic.Polygon({{-kBillion, 50}, {kBillion, 50}, {0, kBillion}});
    pic.Ellipse(Rect{300 - 2 * kBillion, 100 - kBillion, 300, 100 + kBillion});
    const Picture p = pic.Close();
    ASSERT_FALSE(p.IsEmpty());
    EXPECT_EQ(LongNumber(p.svg, 7), "");
    EXPECT_GT(Count(p.image, Colors::LtBlue), 0);
}

TEST_F(ClipDrawingTest, ADashedLineFromFarAwayKeepsItsPhaseInAPicture) {
    // A picture keeps dashes as a pattern along the line (dash 4, gap 2 for a 1-unit pen):
    // cut near the page, the line starts so far into the pattern that x 0 lies where the
    // whole line puts it, 1e9 units from its start: 1e9 mod 6 = 4 units into the pattern.
    MemoryDC reference;
    PictureDC pic(reference, Rect{0, 0, 10000, 5000}, "dashes");
    pic.SelectPen(Pen{PenStyle::Dash, 1, Colors::Black});
    pic.MoveTo(-kBillion, 20);
    pic.LineTo(kBillion, 20);
    const std::string svg = pic.Close().svg;
    const std::size_t offset = svg.find("stroke-dashoffset=\""), points = svg.find("points=\"");
    ASSERT_NE(offset, std::string::npos);
    ASSERT_NE(points, std::string::npos);
    const double phase = std::stod(svg.substr(offset + 19)), startX = std::stod(svg.substr(points + 8));
    EXPECT_LT(startX, 0);
    EXPECT_GT(startX, -100);
    EXPECT_NEAR(std::fmod(phase - startX, 6.0), 4.0, 1e-9);
}

// A circle about (500, 60) of radius 400 on an image 400 x 200 leaves it through the top and
// the bottom edge left of its centre: drawn as an arc over its left half or as a whole
// ellipse, far larger than the image, each row of the image holds the circle's one crossing
// there, x = cx - sqrt(r^2 - (y - cy)^2) for the painter's ellipse through the box's first and
// last pixels (cx = 499.5, cy = 59.5, r = 399.5), and nothing else: from x 104.4 at the top
// row over 100 at row 60 to 125.2 at the bottom row.
TEST_F(ClipDrawingTest, AnArcLeavingThroughTheTopAndBottomLeftOfItsCentreDrawsItsPieceThere) {
    constexpr int kWide = 400, kHigh = 200;
    const Rect circle{100, -340, 900, 460};
    const double cx = 499.5, cy = 59.5, r = 399.5;
    for (const bool whole : {false, true}) {
        SCOPED_TRACE(whole ? "ellipse" : "arc over the left half");
        Image img(kWide, kHigh);
        {
            DC dc(img);
            dc.SelectBrush(Brush{true});
            if (whole)
                dc.Ellipse(circle);
            else
                dc.Arc(circle, {500, -340}, {500, 460}); // counter-clockwise from the top
        }
        int ink = 0;
        for (int y = 0; y < kHigh; ++y) {
            const double x = cx - std::sqrt(r * r - (y - cy) * (y - cy));
            int row = 0;
            for (int i = 0; i < kWide; ++i)
                if (img.Pixel(i, y) != Colors::White) {
                    ++row;
                    ASSERT_NEAR(i, x, 1.0) << "row " << y;
                }
            ASSERT_GE(row, 1) << "row " << y << " misses the circle at x " << x;
            ink += row;
        }
        EXPECT_LE(ink, kHigh + 30); // one pixel a row, two where the circle steps sideways
    }
}

// An ellipse whose rectangle reaches just past the guard zone (18 pixels round the image for
// a one-pixel pen), on one side or on all four: its outline and its fill land on exactly the
// pixels the painter draws for the same rectangle well inside a larger image.
TEST_F(ClipDrawingTest, AnEllipseJustPastTheGuardZoneLandsOnThePixelsOfTheUncutOne) {
    constexpr int kWide = 200, kHigh = 150, kShift = 60;
    const Rect past[] = {{-19, 10, 150, 140}, {30, -19, 170, 100}, {60, 20, 219, 130}, {-25, -21, 225, 171}};
    for (const Rect& r : past) {
        for (const bool filled : {false, true}) {
            SCOPED_TRACE(std::to_string(r.left) + "," + std::to_string(r.top) + (filled ? " filled" : " hollow"));
            Image cut(kWide, kHigh), whole(kWide + 2 * kShift, kHigh + 2 * kShift);
            for (Image* target : {&cut, &whole}) {
                DC dc(*target);
                if (target == &whole)
                    dc.SetViewportOrg({kShift, kShift}); // the same rectangle, well inside
                dc.SelectBrush(filled ? Brush{false, Colors::LtBlue} : Brush{true});
                dc.Ellipse(r);
            }
            EXPECT_GT(Count(cut, Colors::Black), 80);
            EXPECT_EQ(Differs(cut, whole, kShift, kShift), "");
        }
    }
}

// On a picture mapped at 2, 3 or 5 device units a logical one, a dashed pen is as many units
// wide and its dashes (4 widths on, 2 off) repeat every 6 logical units. A line from 1e9 units
// away, cut at the picture's guard box, keeps the phase of the whole line: device x 0 lies
// (1e9 mod 6) = 4 logical units into the pattern, 4 x scale device units; and the picture
// shows it as the line that starts a whole number of repeats later, 4 units left of the page
// (1e9 - 4 = 6 x 166666666), which is drawn uncut.
TEST_F(ClipDrawingTest, ADashedLineCutOnAPictureMappedLargerKeepsThePhaseOfTheUncutLine) {
    MemoryDC reference;
    for (const int scale : {2, 3, 5}) {
        SCOPED_TRACE(scale);
        std::string svg[2];
        Image shown[2];
        for (const int start : {-kBillion, -4}) {
            PictureDC pic(reference, Rect{0, 0, 10000, 5000}, "dashes");
            pic.SetMapMode(MapMode::Anisotropic);
            pic.SetWindowExt({1, 1});
            pic.SetViewportExt({scale, scale});
            pic.SelectPen(Pen{PenStyle::Dash, 1, Colors::Black});
            pic.MoveTo(start, 15);
            pic.LineTo(kBillion, 15);
            const Picture p = pic.Close();
            svg[start == -4] = p.svg;
            shown[start == -4] = p.image;
        }
        EXPECT_EQ(LongNumber(svg[0], 7), ""); // cut: no far position recorded
        const std::size_t offset = svg[0].find("stroke-dashoffset=\""), points = svg[0].find("points=\"");
        ASSERT_NE(offset, std::string::npos);
        ASSERT_NE(points, std::string::npos);
        const double phase = std::stod(svg[0].substr(offset + 19)), startX = std::stod(svg[0].substr(points + 8));
        EXPECT_LT(startX, 0);
        EXPECT_GT(startX, -100);
        EXPECT_NEAR(std::fmod(phase - startX, 6.0 * scale), 4.0 * scale, 1e-6);
        ASSERT_GT(shown[1].Width(), 100);
        EXPECT_LT(Count(shown[1], Colors::White), shown[1].Width() * shown[1].Height());
        EXPECT_EQ(Differs(shown[0], shown[1], 0, 0), "");
    }
}
