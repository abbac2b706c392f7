// The numbers of every chart kind against the lines drawn with them: painted on a screen
// context and on a page's mapping, no axis line, tick or curve lands on a number's letters, and
// no two numbers' letters meet. The letters are found where the text went (the run's baseline,
// ascent and advance), the lines where they were drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "charts/BoxGeometry.h"
#include "charts/TContour.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "support/RecordingDC.h"
#include "tests/charts/ChartsFixture.h"

namespace {

struct Number {
    std::string text;
    plat::Rect letters;
};

bool IsNumber(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("-0123456789.") == std::string::npos &&
           s.find_first_of("0123456789") != std::string::npos;
}

// The numbers drawn, each with the box its letters take: the run's advance, from the baseline
// up to the digits' height (seven tenths of the font's ascent), its rows above the baseline.
std::vector<Number> Numbers(RecordingDC& dc)
{
    std::vector<Number> out;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (!IsNumber(c.text))
            continue;
        const plat::TextRun& r = c.run;
        const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
        const int digits = static_cast<int>(std::lround(0.7 * r.ascent));
        out.push_back({c.text, {left, baseline - digits, left + static_cast<int>(r.width), baseline}});
    }
    return out;
}

// Paints the chart on dc, a screen context or, with page, the page's mapping (its 1123 x 794
// logical pixels on a 300 per inch device of 3508 x 2480).
void PaintOn(Tchart& chart, RecordingDC& dc, bool page)
{
    const BoxPlace place = chart.Place();
    if (page) {
        dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
        dc.SetMapMode(plat::MapMode::Anisotropic);
        dc.SetWindowExt({1123, 794});
        dc.SetViewportExt({3508, 2480});
    }
    chart.Paint(dc, true, {0, 0, place.w, place.h});
}

// Every stroke drawn (lines: the axes and the ticks; with curves, polylines: the data too) that
// lands, where its clip lets it show, inside a number's letters; and every two numbers whose
// letters meet, or stand on the same rows fewer than three pixels apart (they read as one).
std::vector<std::string> Crossings(RecordingDC& dc, bool curves = true)
{
    std::vector<std::string> found;
    const std::vector<Number> numbers = Numbers(dc);
    const plat::Mapping& map = dc.State().mapping;
    for (const Number& n : numbers) {
        const plat::Rect& b = n.letters;
        for (const DrawCall& c : dc.Calls()) {
            if (c.op != "Line" && (c.op != "Polyline" || !curves))
                continue;
            for (std::size_t k = 0; k + 1 < c.points.size(); ++k) {
                const plat::Point a = c.points[k], e = c.points[k + 1];
                if (std::max(a.x, e.x) < b.left || std::min(a.x, e.x) >= b.right || std::max(a.y, e.y) < b.top ||
                    std::min(a.y, e.y) >= b.bottom)
                    continue;
                // Along the stroke a quarter pixel at a time (a bounded count of steps).
                const double length = std::hypot(e.x - a.x, e.y - a.y);
                const int steps = std::min(4000, static_cast<int>(4 * length) + 1);
                bool lands = false;
                for (int s = 0; s <= steps && !lands; ++s) {
                    const double f = static_cast<double>(s) / steps;
                    const plat::Point p{static_cast<int>(std::lround(a.x + f * (e.x - a.x))),
                                        static_cast<int>(std::lround(a.y + f * (e.y - a.y)))};
                    if (p.x < b.left || p.x >= b.right || p.y < b.top || p.y >= b.bottom)
                        continue;
                    bool shown = true;
                    for (const plat::Region& region : c.state.clip.regions)
                        shown = shown && region.Contains(map.ToDevice(p));
                    lands = shown;
                }
                if (lands)
                    found.push_back(c.op + " (" + std::to_string(a.x) + "," + std::to_string(a.y) + ")-(" +
                                    std::to_string(e.x) + "," + std::to_string(e.y) + ") through \"" + n.text +
                                    "\" at " + std::to_string(b.left) + "," + std::to_string(b.top) + ".." +
                                    std::to_string(b.right) + "," + std::to_string(b.bottom));
            }
        }
    }
    for (std::size_t i = 0; i < numbers.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const plat::Rect& a = numbers[i].letters;
            const plat::Rect& b = numbers[j].letters;
            if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                found.push_back("\"" + numbers[i].text + "\" on \"" + numbers[j].text + "\"");
            else if (a.top < b.bottom && b.top < a.bottom && a.left < b.right + 3 && b.left < a.right + 3)
                found.push_back("\"" + numbers[i].text + "\" runs into \"" + numbers[j].text + "\"");
        }
    return found;
}

std::vector<std::string> Texts(RecordingDC& dc)
{
    std::vector<std::string> out;
    for (const Number& n : Numbers(dc))
        out.push_back(n.text);
    return out;
}

class AxisNumbers : public ChartsGuiTest {
protected:
    void SetUp() override
    {
        page.Create();
        page.MoveWindow({0, 0, 800, 600});
    }
    plat::Window page;

    // The control chart "Moment - φ" of a ring: the curvature from -5.1 to 44.3 and the moment
    // from -0.1 up to 505.5 and down again.
    static void AddRingMomentCurvature(Tcontrolchart& chart)
    {
        const double xs[] = {-5.1, -2.0, 0.5, 2.0, 5.0, 10.0, 15.0, 20.0, 25.0, 30.0, 35.0, 44.3};
        const double ys[] = {-0.1, 60.0, 90.0, 200.0, 300.0, 420.0, 480.0, 505.5, 490.0, 460.0, 430.0, 380.0};
        for (int k = 0; k < 12; ++k)
            chart.AddTaggedPoint(xs[k], ys[k], k);
        chart.AutoScale();
    }
};

// The stress profile of the nine-graph page: the stress from -25 (compression at the top of
// the 300 mm depth) to 2.1 (tension at the bottom), so that the depth axis at zero stress runs
// down near the right end, through the room of the tension number "2.1" at any height.
TEST_F(AxisNumbers, TheProfilesTensionNumberStandsClearOfTheDepthAxis)
{
    for (const bool onPage : {false, true}) {
        Ticonchart chart(&page, "Longitudinal Concrete Stress", 0, 0, 300, 250, 1, 1);
        for (int k = 0; k <= 30; ++k) {
            const double depth = 10.0 * k;
            chart.AddPoint(2.1 - 27.1 * depth / 300.0, depth);
        }
        chart.AutoScale();
        RecordingDC dc;
        PaintOn(chart, dc, onPage);
        const std::vector<std::string> texts = Texts(dc);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "2.1"), texts.end()) << ::testing::PrintToString(texts);
        EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << (onPage ? "page" : "screen");
    }
}

// The control charts: "Moment - εx" whose strain starts at -0.1 just left of the moment axis
// (the axis through the minus sign on both sides of the row, and no room left of the end), and
// the N-V one whose axial load ends at 336.9 just right of the axis of the shear: those numbers
// find no place at their ends and are left out, not moved across the other axis, where they would
// read as values beyond zero. The M-N one's axial load ends at 335.9 with room at its end.
TEST_F(AxisNumbers, TheControlChartsNumbersStandClearOfTheirAxes)
{
    struct Case {
        const char* title;
        double x0, x1, y0, y1;
        const char* number;
        bool drawn;
    } cases[] = {
        {"Control : Moment - |e_x", -0.1, 3.0, 0.0, 236.0, "-0.1", false},
        {"Control : Axial Load - Shear", -2983.4, 336.9, 0.0, 412.5, "336.9", false},
        {"Control : Moment - Axial Load", 0.0, 291.3, -2983.4, 335.9, "335.9", true},
    };
    for (const Case& c : cases)
        for (const bool onPage : {false, true}) {
            Tcontrolchart chart(&page, c.title, 0, 0, 290, 280, 1, 1);
            // A curve from the first corner to the second through the middle of the range.
            for (int k = 0; k <= 20; ++k) {
                const double f = k / 20.0;
                chart.AddTaggedPoint(c.x0 + f * (c.x1 - c.x0), c.y0 + std::sqrt(f) * (c.y1 - c.y0), k);
            }
            chart.AutoScale();
            RecordingDC dc;
            PaintOn(chart, dc, onPage);
            const std::vector<std::string> texts = Texts(dc);
            EXPECT_EQ(std::find(texts.begin(), texts.end(), c.number) != texts.end(), c.drawn)
                << c.title << " " << ::testing::PrintToString(texts);
            EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << c.title << (onPage ? " page" : " screen");
        }
}

// The control chart "Moment - φ" of a ring: the curvature from -5.1 to 44.3 and the moment from
// -0.1 up to 505.5 and down again. The y minimum's place at the foot of the moment axis is
// crossed by the curvature axis a row above it on both sides of the column, with no room below
// the foot: it is left out, not moved along its row beside the x minimum (where "-5.1-0.1" read
// as one).
TEST_F(AxisNumbers, TheControlChartsMinimaStandApart)
{
    for (const bool onPage : {false, true}) {
        Tcontrolchart chart(&page, "Control : Moment - |f", 0, 0, 290, 310, 1, 1);
        AddRingMomentCurvature(chart);
        RecordingDC dc;
        PaintOn(chart, dc, onPage);
        const std::vector<Number> numbers = Numbers(dc);
        std::vector<std::string> texts = Texts(dc);
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, (std::vector<std::string>{"-5.1", "44.3", "505.5"}));
        EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << (onPage ? "page" : "screen");
    }
}

// The same chart at the sizes of the member page and of the nine-graph page's left column: where
// the x minimum "-5.1" and the y minimum "-0.1" are both drawn and share the rows at the corner,
// the blank between their letters is at least a digit's width (a few pixels read "-5.1 -0.1" as
// one pair).
TEST_F(AxisNumbers, TheControlChartsMinimaShareNoRowsWithinADigit)
{
    const plat::Size sizes[] = {{290, 310}, {280, 300}, {370, 130}, {300, 200}};
    for (const plat::Size size : sizes)
        for (const bool onPage : {false, true}) {
            Tcontrolchart chart(&page, "Control : Moment - |f", 0, 0, size.cx, size.cy, 1, 1);
            AddRingMomentCurvature(chart);
            RecordingDC dc;
            PaintOn(chart, dc, onPage);
            const std::string where = std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                                      (onPage ? " page" : " screen");
            const std::vector<DrawCall> runs = dc.CallsOf("Text");
            const auto find = [&](const char* text) {
                return std::find_if(runs.begin(), runs.end(), [&](const DrawCall& c) { return c.text == text; });
            };
            const auto xMin = find("-5.1"), yMin = find("-0.1");
            EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << where;
            if (xMin == runs.end() || yMin == runs.end())
                continue;
            dc.SelectFont(yMin->state.font);
            const int digit = dc.GetTextExtent("0").cx;
            ASSERT_GT(digit, 2) << where;
            const std::vector<Number> numbers = Numbers(dc);
            const auto letters = [&](const char* text) {
                return std::find_if(numbers.begin(), numbers.end(), [&](const Number& n) { return n.text == text; })
                    ->letters;
            };
            const plat::Rect a = letters("-5.1"), b = letters("-0.1");
            if (a.top < b.bottom && b.top < a.bottom) {
                const int blank = std::max(a.left - b.right, b.left - a.right);
                EXPECT_GE(blank, digit) << where << ": \"-5.1\" at " << a.left << ".." << a.right << ", \"-0.1\" at "
                                        << b.left << ".." << b.right << " on the same rows";
            }
            EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << where;
        }
}

// The member page's full chart of the bottom reinforcement: the force along a 2600 mm member
// from 90 over the support down to -90 at midspan, its ticks every 20 and every 500 mm: the x
// number "0" at the corner where the axes cross, the y numbers beside the axis. (The full
// chart's numbers stand at their ticks whatever the curve does.)
TEST_F(AxisNumbers, TheFullChartsNumbersStandClearOfTheAxesAndOfEachOther)
{
    for (const bool onPage : {false, true})
        for (const int height : {160, 280}) {
            Tbigchart chart(&page, "Bottom Reinforcement A_sf_s", 0, 0, 360, height, 0, 1, 0);
            chart.SetTitles("Bottom Reinforcement A_sf_s", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
            for (int k = 0; k <= 26; ++k)
                chart.AddPoint(100.0 * k, 90.0 * std::cos(k * 3.14159265358979 / 13.0));
            chart.AutoScale();
            chart.SetYTickStep(20.0);
            chart.SetXTickStep(500.0);
            RecordingDC dc;
            PaintOn(chart, dc, onPage);
            const std::vector<std::string> texts = Texts(dc);
            EXPECT_NE(std::find(texts.begin(), texts.end(), "-80.0"), texts.end()) << ::testing::PrintToString(texts);
            EXPECT_EQ(Crossings(dc, false), std::vector<std::string>{}) << height << (onPage ? " page" : " screen");
        }
}

// The member page's full chart of the bottom reinforcement of a ring: the demand from -40 kN
// over the support up through 250 kN at 700 mm, down to 100 kN at 900 mm and up to 400 kN,
// on a range of -1000 to 1000 kN, its ticks every 200 kN and every 400 mm, so that the curve climbs through the x numbers
// "400", "800" and "1200" above the zero row. The curve gives way round them: no stroke of it
// shows inside their letters.
TEST_F(AxisNumbers, TheFullChartsNumbersStandWholeWhereTheDataCrossThem)
{
    const double xs[] = {0.0, 300.0, 700.0, 900.0, 1200.0, 1600.0, 2000.0, 2600.0};
    const double ys[] = {-40.0, -40.0, 250.0, 100.0, 280.0, 350.0, 400.0, 400.0};
    for (const bool onPage : {false, true})
        for (const int height : {270, 330}) {
            Tbigchart chart(&page, "Bottom Reinforcement A_sf_s", 0, 0, 460, height, 0, 1, 0);
            chart.SetTitles("Bottom Reinforcement A_sf_s", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
            for (int k = 0; k < 8; ++k)
                chart.AddPoint(xs[k], ys[k]);
            chart.AutoScale();
            // The provided force's range, as the page's other curves set it.
            chart.SetAxisEnd(ChartEnd::YMin, -1000.0);
            chart.SetAxisEnd(ChartEnd::YMax, 1000.0);
            chart.SetYTickStep(200.0);
            chart.SetXTickStep(400.0);
            RecordingDC dc;
            PaintOn(chart, dc, onPage);
            const std::vector<std::string> texts = Texts(dc);
            for (const char* n : {"400", "800", "1200"})
                EXPECT_NE(std::find(texts.begin(), texts.end(), n), texts.end()) << n << ::testing::PrintToString(texts);
            EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << height << (onPage ? " page" : " screen");
        }
}

// The wire mesh's value axis on a short chart (400 x 110 on the page: a few dozen pixels of axis
// for the values 0 to 10): its numbers one under the other at every tick would run into each
// other; those that would are left out, the ticks all stay.
TEST_F(AxisNumbers, TheMeshAxisNumbersStandClearOfEachOther)
{
    for (const bool onPage : {false, true}) {
        TContour3D chart(&page, "Temperature", 0, 0, 400, 110);
        chart.ClearData();
        chart.AddPoint(1.0, 3.0);
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                chart.AddPoint(100.0 - 2 * j, i == 1 && j == 1 ? 10.0 : 0.0);
        chart.AutoScale();
        chart.SetYTickStep(1.0);
        RecordingDC dc;
        PaintOn(chart, dc, onPage);
        const std::vector<std::string> texts = Texts(dc);
        EXPECT_GE(texts.size(), 2u) << ::testing::PrintToString(texts);
        EXPECT_EQ(Crossings(dc, false), std::vector<std::string>{}) << (onPage ? "page" : "screen");
        int ticks = 0;
        for (const DrawCall& c : dc.CallsOf("Line"))
            ticks += c.state.pen.color == plat::Colors::Black && c.points[0].y == c.points[1].y &&
                     c.points[1].x - c.points[0].x == 4;
        EXPECT_EQ(ticks, 11);
    }
}

} // namespace

// The shear strain profile of a full chart over a 600 mm depth: the strain from 0 at the top
// and bottom faces to its peak at mid-depth, every x at or right of zero so that the depth axis
// stands at the plot's left edge. With the peak 5.2 mm/m and with a section carrying no shear
// (a peak of 5.2e-8 mm/m, the analysis' round-off, still spread over the plot), the y numbers,
// "-300.0" the widest, stand whole inside the chart and right of the upward y title, and no x
// number stands on them or on the title.
TEST_F(AxisNumbers, TheFullChartsYNumbersStandInsideBesideAnAxisAtTheLeftEdge)
{
    constexpr int W = 960, H = 900;
    page.MoveWindow({0, 0, 1000, 950});
    for (const double peak : {5.2, 5.2e-8}) {
        Tbigchart chart(&page, "Shear Strain", 0, 0, W, H, 0, 1, 0);
        chart.SetTitles("Shear Strain", "|g_x_y Strain (mm/m)", "Beam Depth (mm)", 2, 1);
        for (int k = 0; k <= 40; ++k) {
            const double y = 300.0 - 15.0 * k;
            chart.AddPoint(peak * (1.0 - (y / 300.0) * (y / 300.0)), y);
        }
        chart.AutoScale();
        RecordingDC dc;
        PaintOn(chart, dc, false);

        // The title reads upward from its point: its cells lie right of that point's column.
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        const DrawCall* title = nullptr;
        for (const DrawCall& c : texts)
            if (c.text == "Beam Depth (mm)" && c.state.font.escapement == 900)
                title = &c;
        ASSERT_NE(title, nullptr) << peak;
        const int titleRight = title->run.at.x + title->run.ascent + title->run.descent;

        const std::vector<Number> numbers = Numbers(dc);
        const auto widest = std::find_if(numbers.begin(), numbers.end(), [](const Number& n) { return n.text == "-300.0"; });
        ASSERT_NE(widest, numbers.end()) << peak << " " << ::testing::PrintToString(Texts(dc));
        for (const Number& n : numbers) {
            EXPECT_GE(n.letters.left, titleRight) << peak << " \"" << n.text << "\" at " << n.letters.left;
            EXPECT_LE(n.letters.right, W) << peak << " \"" << n.text << "\"";
        }
        EXPECT_EQ(Crossings(dc, false), std::vector<std::string>{}) << peak;
    }
}

// The "Shear-Angle" chart of the membrane's Mohr set: the crack angle stays at 45.0 degrees
// while the shear rises to 1.8, so that the curve runs up the chart's right end, on the column
// of the x end's number "45.0" (right-aligned at the inset): beside every row the number could
// take there. The number stays at its end, its cell reaching the curve's column, and the curve
// gives way round its letters; it does not step in along the axis.
TEST_F(AxisNumbers, TheCompactChartsEndNumberStandsClearOfACurveAlongTheEnd)
{
    for (const bool onPage : {false, true}) {
        Ticonchart chart(&page, "Shear-Angle", 0, 0, 270, 260, 1, 1);
        chart.AddPoint(0.0, 0.0);
        chart.AutoScale();
        for (int k = 0; k <= 18; ++k)
            chart.AddPoint(45.0, 0.1 * k);
        chart.AutoScale();
        RecordingDC dc;
        PaintOn(chart, dc, onPage);
        const std::vector<Number> numbers = Numbers(dc);
        const auto end = std::find_if(numbers.begin(), numbers.end(), [](const Number& n) { return n.text == "45.0"; });
        ASSERT_NE(end, numbers.end()) << ::testing::PrintToString(Texts(dc));
        // The curve's column: the x end on the window's pixels (the inset, 5 % of 270: 13).
        const plat::Mapping& map = dc.State().mapping;
        const int curve = 270 - 13;
        int drawn = 0;
        for (const DrawCall& c : dc.CallsOf("Polyline"))
            for (const plat::Point& p : c.points)
                drawn += p.x == curve ? 1 : 0;
        EXPECT_GT(drawn, 0) << "the curve is not on the column " << curve;
        // The number's cell (its advance) ends at the end's column, on the device (a page's pixel
        // is three of its own).
        const int cellRight = map.ToDevice({end->letters.right, 0}).x;
        const int curveLeft = map.ToDevice({curve, 0}).x;
        EXPECT_NEAR(cellRight, curveLeft, 2 * map.ScaleX() + 1)
            << (onPage ? "page" : "screen") << ": cell ends at " << cellRight << ", curve at " << curveLeft;
        EXPECT_EQ(Crossings(dc), std::vector<std::string>{}) << (onPage ? "page" : "screen");
    }
}
