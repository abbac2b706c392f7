// Where the texts of a chart land: the note whole between the chart's edges, the axis numbers
// of a chart of one point apart from each other, and the boxes the chart gives for its axis
// numbers, which the legends and the stage markers keep clear of.

#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/BoxGeometry.h"
#include "charts/ControlChartGeometry.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "support/RecordingDC.h"

namespace {

// The box an unturned text run covers, measured as drawn.
plat::Rect BoxOf(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

// The texts drawn from the first one that starts with start on the same row, as one box
// (a marked-up label is drawn in pieces).
plat::Rect LabelBox(const RecordingDC& dc, const std::string& start)
{
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].text.rfind(start, 0) != 0)
            continue;
        plat::Rect box = BoxOf(texts[i]);
        for (std::size_t j = i + 1; j < texts.size() && texts[j].run.at.y == texts[i].run.at.y; ++j) {
            const plat::Rect next = BoxOf(texts[j]);
            box.left = std::min(box.left, next.left);
            box.right = std::max(box.right, next.right);
            box.top = std::min(box.top, next.top);
            box.bottom = std::max(box.bottom, next.bottom);
        }
        return box;
    }
    return {};
}

class ChartTexts : public ChartsGuiTest {};

// The stiffness note of a member chart is centred at the chart's foot: with a percentage of
// three digits it is as wide as the chart and more, and it is drawn whole between the chart's
// edges, smaller; a note that fits keeps the text font.
TEST_F(ChartTexts, TheNoteStaysWholeBetweenTheChartsEdges)
{
    // Member charts of the pushover page at several window sizes, with the fonts the chart
    // factory gives member charts (a 13th of the smaller side for the text).
    for (const int W : {300, 366, 454}) {
        const int H = 2 * W / 3;
        Tbigchart chart(nullptr, "Approx. Flexural Stiffness EI=M/|f", 0, 0, W, H, 1, 1, 0);
        chart.SetTitles("Approx. Flexural Stiffness EI=M/|f", "Length along member (mm)",
                        "Flexural Stiffness (MN.m^2)", 1, 1);
        chart.SetFontHeights(H / 11, H / 13);
        chart.ClearData();
        chart.AddPoint(0, 150);
        chart.AddPoint(2700, 60);
        chart.AutoScale();
        chart.SetNote("Average Flexural Stiffness = 118 % of uncracked value");
        chart.SetTextShown(1);
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, H});
        const plat::Rect note = LabelBox(dc, "Average Flexural Stiffness");
        ASSERT_FALSE(note.IsEmpty()) << W;
        EXPECT_GE(note.left, 0) << W;
        EXPECT_LE(note.right, W) << W;
        EXPECT_LE(note.bottom, H) << W;
        EXPECT_NEAR((note.left + note.right) / 2.0, W / 2.0, 1.0) << W; // still centred

        chart.SetNote("Avg = 18 %");
        RecordingDC short_;
        chart.Paint(short_, true, {0, 0, W, H});
        for (const DrawCall& c : short_.CallsOf("Text")) {
            if (c.text.rfind("Avg", 0) == 0) {
                EXPECT_EQ(c.state.font, chart.TextFont());
            }
        }
    }
}

// The compact chart's note (shown under its plot) likewise.
TEST_F(ChartTexts, TheIconChartsNoteStaysWholeToo)
{
    Ticonchart chart(nullptr, "", 0, 0, 160, 120, 1, 1);
    chart.SetFontHeights(16, 14);
    chart.AddPoint(0, 0);
    chart.AddPoint(10, 5);
    chart.AutoScale();
    chart.EnableToggleText(1);
    chart.SetNote("Average Shear Stiffness = 118% of uncracked value");
    chart.SetTextShown(1);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 160, 120});
    const plat::Rect note = LabelBox(dc, "Average Shear");
    ASSERT_FALSE(note.IsEmpty());
    EXPECT_GE(note.left, 0);
    EXPECT_LE(note.right, 160);
    // The plot stands above the note as drawn.
    EXPECT_LE(chart.Transform().yOffset, note.top);
}

// True when the horizontal or vertical segment from a to b (b excluded) passes through box.
bool Crosses(plat::Point a, plat::Point b, const plat::Rect& box)
{
    if (a.y == b.y)
        return a.y >= box.top && a.y < box.bottom && std::max(a.x, b.x) > box.left && std::min(a.x, b.x) < box.right;
    if (a.x == b.x)
        return a.x >= box.left && a.x < box.right && std::max(a.y, b.y) > box.top && std::min(a.y, b.y) < box.bottom;
    return false;
}

// A chart of a single point: at the origin, on the x axis, on the y axis. Each draws both its
// axes as lines across its plot (not as dots), no axis line runs through a number, and no
// two numbers lie on top of each other (their cells may touch at a corner by less than a
// third of their height).
TEST_F(ChartTexts, AChartOfASinglePointDrawsItsAxesAndItsNumbersApart)
{
    const int W = 454, H = 300;
    const struct { double x, y; } points[] = {{0, 0}, {2, 0}, {0, 3}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "point " << p.x << ", " << p.y);
        Tbigchart chart(nullptr, "Load-Deformation", 0, 0, W, H, 1, 1, 0);
        chart.SetTitles("Load-Deformation", "Deflection (mm)", "Load (kN)", 1, 1);
        chart.SetFontHeights(H / 11, H / 13);
        chart.ClearData();
        chart.AddPoint(p.x, p.y);
        chart.AutoScale();
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, H});
        // The axes: the first two black lines of width 1 that are not ticks.
        std::vector<DrawCall> axes;
        for (const DrawCall& c : dc.CallsOf("Line"))
            if (c.state.pen.width == 1 && c.state.clip.IsEmpty() && axes.size() < 2)
                axes.push_back(c);
        ASSERT_EQ(axes.size(), 2u);
        EXPECT_GE(std::abs(axes[0].points[1].x - axes[0].points[0].x), W / 3) << "x axis";
        EXPECT_GE(std::abs(axes[1].points[1].y - axes[1].points[0].y), H / 3) << "y axis";
        std::vector<plat::Rect> numbers;
        for (const DrawCall& c : dc.CallsOf("Text"))
            if (!c.text.empty() && (std::isdigit(static_cast<unsigned char>(c.text[0])) || c.text[0] == '-'))
                numbers.push_back(BoxOf(c));
        ASSERT_GE(numbers.size(), 1u);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            for (const DrawCall& axis : axes)
                EXPECT_FALSE(Crosses(axis.points[0], axis.points[1], numbers[i])) << "number " << i;
            for (std::size_t j = i + 1; j < numbers.size(); ++j) {
                const plat::Rect& a = numbers[i];
                const plat::Rect& b = numbers[j];
                const int across = std::min(a.right, b.right) - std::max(a.left, b.left);
                const int down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
                EXPECT_FALSE(across > 0 && down * 3 > a.bottom - a.top) << "numbers " << i << " and " << j;
            }
        }
    }
}

// The boxes a full chart gives for its texts and ticks cover every text it draws, and a
// compact chart's cover its title and range labels.
TEST_F(ChartTexts, TheTextBoxesCoverWhatThePaintDraws)
{
    Tbigchart big(nullptr, "Bottom Prestress Force: A_pf_p", 0, 0, 454, 300, 0, 1, 0);
    big.SetTitles("Bottom Prestress Force: A_pf_p", "Length along member (mm)", "Prestressed steel force (kN)", 0, 1);
    big.SetFontHeights(300 / 11, 300 / 13);
    for (int k = 0; k <= 10; ++k)
        big.AddPoint(270.0 * k, -54.0 * k);
    big.AutoScale();
    Ticonchart icon(nullptr, "Control : Moment - |f", 0, 0, 300, 290, 1, 1);
    icon.AddPoint(0.0, 0.0);
    icon.AddPoint(9.7, 3000.0);
    icon.AutoScale();
    for (Tchart* chart : {static_cast<Tchart*>(&big), static_cast<Tchart*>(&icon)}) {
        EXPECT_TRUE(chart->Data().IsShown());
        const std::vector<plat::Rect> boxes = chart->TextBoxes();
        RecordingDC dc;
        chart->Paint(dc, true, {0, 0, chart->Place().w, chart->Place().h});
        int texts = 0;
        for (const DrawCall& c : dc.CallsOf("Text")) {
            // Upright texts; the cell of a Greek letter is taller than its line, its ink is not.
            if (c.text.empty() || c.state.font.escapement != 0 || c.state.font.face == "Symbol")
                continue;
            ++texts;
            const plat::Rect t = BoxOf(c);
            bool covered = false;
            for (const plat::Rect& b : boxes)
                covered = covered || (t.left >= b.left - 1 && t.right <= b.right + 1 && t.top >= b.top - 1 &&
                                      t.bottom <= b.bottom + 1);
            EXPECT_TRUE(covered) << c.text << " of " << chart->Data().Title();
        }
        EXPECT_GE(texts, 3);
    }
    // A chart showing "No Data" has nothing to keep clear of.
    Tbigchart empty(nullptr, "", 0, 0, 200, 150, 1, 1, 0);
    EXPECT_TRUE(empty.TextBoxes().empty());
}

// A box laid over a chart stays at its place while that covers nothing; otherwise it goes to
// the nearest place a gap clear of what it covered, inside the bounds, or stays when there is
// none.
TEST_F(ChartTexts, ABoxMovesToTheNearestClearPlace)
{
    const plat::Rect bounds{0, 0, 400, 300};
    const plat::Size box{80, 40};
    // Clear: it stays.
    EXPECT_EQ(PlaceClearOf({100, 100}, box, {{0, 0, 50, 50}}, bounds, 3), (plat::Point{100, 100}));
    // Over a column of y numbers at x 30..90: moved right past them (8 pixels) rather than up
    // or down past the column's whole height.
    const std::vector<plat::Rect> yNumbers{{30, 20, 90, 40}, {30, 60, 90, 80}, {30, 100, 90, 120},
                                          {30, 140, 90, 160}, {30, 180, 90, 200}, {30, 220, 90, 240}};
    EXPECT_EQ(PlaceClearOf({85, 150}, box, yNumbers, bounds, 3), (plat::Point{93, 150}));
    // Over a row of x numbers along y 250..270: lifted above them.
    const std::vector<plat::Rect> xNumbers{{60, 250, 100, 270}, {140, 250, 180, 270}, {220, 250, 260, 270}};
    EXPECT_EQ(PlaceClearOf({100, 225}, box, xNumbers, bounds, 3), (plat::Point{100, 250 - 3 - 40}));
    // Nowhere clear inside the bounds: it stays.
    EXPECT_EQ(PlaceClearOf({10, 10}, box, {{0, 0, 400, 300}}, bounds, 3), (plat::Point{10, 10}));
}

// The stage marker of a moment control chart passes round its range numbers ("3000.0" at the
// top of the axis, "9.7" at its right end): with the marker's lines aimed through the middle
// of "3000.0", no stretch of them runs through a number, and the rest of each line is drawn.
TEST_F(ChartTexts, StageMarkersPassRoundTheControlChartsNumbers)
{
    const int W = 300, H = 290;
    Tcontrolchart chart(nullptr, "Control : Moment - |f", 0, 0, W, H, 1, 1);
    for (int k = 0; k <= 20; ++k)
        chart.AddTaggedPoint(9.7 * k / 20.0, 3000.0 * (1.0 - (1.0 - k / 20.0) * (1.0 - k / 20.0)), k);
    chart.AutoScale();
    RecordingDC first;
    chart.Paint(first, true, {0, 0, W, H});
    const plat::Rect top = LabelBox(first, "3000.0");
    ASSERT_FALSE(top.IsEmpty());
    const ChartTransform& t = chart.Transform();
    ASSERT_GT(t.xScale, 0.0);
    ASSERT_GT(t.yScale, 0.0);
    const double px = top.left + 4, py = (top.top + top.bottom) / 2.0;
    chart.DrawMarker((px - t.xOffset) / t.xScale, (t.yOffset - py) / t.yScale, 0);

    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, W, H});
    std::vector<plat::Rect> numbers;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (!c.text.empty() && std::isdigit(static_cast<unsigned char>(c.text[0])))
            numbers.push_back(BoxOf(c));
    ASSERT_EQ(numbers.size(), 2u);
    int vertical = 0, horizontal = 0;
    for (const DrawCall& c : dc.CallsOf("Line")) {
        if (!(c.state.pen.color == plat::Color(0, 128, 0)))
            continue;
        (c.points[0].x == c.points[1].x ? vertical : horizontal) += std::abs(c.points[1].x - c.points[0].x) +
                                                                  std::abs(c.points[1].y - c.points[0].y);
        for (const plat::Rect& n : numbers)
            EXPECT_FALSE(Crosses(c.points[0], c.points[1], n))
                << "marker line " << c.points[0].x << "," << c.points[0].y << " - " << c.points[1].x << ","
                << c.points[1].y;
    }
    // Both lines (drawn twice, a pixel apart) keep most of their dashes.
    EXPECT_GT(vertical, H / 2);
    EXPECT_GT(horizontal, W / 2);
}

// A dashed line loses the stretches inside a box, a pixel round it, and nothing else.
TEST_F(ChartTexts, DashesLeaveOutTheStretchesInsideABox)
{
    const std::vector<std::pair<int, int>> dashes{{0, 10}, {20, 30}, {40, 50}};
    const std::vector<plat::Rect> box{{0, 5, 10, 25}}; // columns 0..9, rows 5..24
    // A vertical line at column 5 passes through rows 4..25 of it (widened by a pixel).
    EXPECT_EQ(DashesClearOf(dashes, 5, true, box), (std::vector<std::pair<int, int>>{{0, 4}, {26, 30}, {40, 50}}));
    // At column 10 (the pixel beside the box) too; at column 11 it is clear.
    EXPECT_EQ(DashesClearOf(dashes, 10, true, box).size(), 3u);
    EXPECT_EQ(DashesClearOf(dashes, 11, true, box), dashes);
    // A horizontal line at row 15 through columns -1..10 of it.
    EXPECT_EQ(DashesClearOf(dashes, 15, false, box), (std::vector<std::pair<int, int>>{{20, 30}, {40, 50}}));
    EXPECT_EQ(DashesClearOf(dashes, 15, false, {}), dashes);
}

} // namespace
