// Scaling and axis ticks of the two chart kinds, with hand-computed transforms and labels
// measured in the layer's own font metrics.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/ChartAxes.h"
#include "charts/RichText.h"

namespace {

using ChartAxes = ChartsGuiTest;

ChartData Chart(double x0, double y0, double x1, double y1, int xp = 0, int yp = 0)
{
    ChartData d(xp, yp, 0);
    d.ClearData();
    d.AddPoint(x0, y0);
    d.AddPoint(x1, y1);
    d.AutoScale();
    return d;
}

LabelMeasure FixedWidth(int w)
{
    return [w](const std::string&) { return plat::Size{w, 10}; };
}

TEST(ChartScale, BigChartByHand)
{
    // x -3..12 (step 2), y 0..5. Labels 30 wide: the left extra holds them. pad 20, tick 8,
    // left total 30 + 20 + 16 = 66; bottom row 600 - (20 + 20) = 560, top 20.
    ChartData d = Chart(-3, 1, 12, 5);
    const ChartTransform t = ScaleBigChart(d, 800, 600, ChartMargins{}, 20, FixedWidth(30));
    EXPECT_NEAR(t.xOffset + -3 * t.xScale, 66.0, 1e-9);
    EXPECT_NEAR(t.xOffset + 12 * t.xScale, 780.0, 1e-9);
    EXPECT_NEAR(t.yOffset, 560.0, 1e-9);
    EXPECT_NEAR(t.yOffset - 5 * t.yScale, 20.0, 1e-9);
}

TEST(ChartScale, IconChartByHand)
{
    ChartData d = Chart(-3, 1, 12, 5);
    ChartMargins m;
    m.top = 12;
    const ChartTransform t = ScaleIconChart(d, 200, 100, m, 0, -1, 1, -1, 1);
    EXPECT_EQ(m.left, 10);
    EXPECT_EQ(m.bottom, 10);
    EXPECT_NEAR(t.xScale, 12.0, 1e-12);
    EXPECT_NEAR(t.xOffset, 46.0, 1e-12);
    EXPECT_NEAR(t.yScale, 15.6, 1e-12);
    EXPECT_NEAR(t.yOffset, 90.0, 1e-12);
    // A flat y range centres nothing and keeps the bottom row; a tiny x range is capped.
    ChartMargins n;
    const ChartTransform u = ScaleIconChart(d, 200, 100, n, 15, 0.0, 1e-5, 2.0, 2.0);
    EXPECT_EQ(n.bottom, 25);
    EXPECT_EQ(u.yScale, 0.0);
    EXPECT_EQ(u.yOffset, 75.0);
    EXPECT_EQ(u.xScale, 100000.0);
}

std::vector<std::string> Texts(const AxisPlan& p)
{
    std::vector<std::string> v;
    for (const AxisLabel& l : p.labels)
        v.push_back(l.text);
    return v;
}

TEST_F(ChartAxes, XLabelsFromZeroWithoutCrowding)
{
    plat::Image image(10, 10);
    plat::DC dc(image);
    plat::LogFont font;
    font.height = -16;
    const LabelMeasure measure = [&](const std::string& s) { return MeasureRichText(dc, s, font); };

    ChartData d = Chart(-3, 1, 12, 5);
    const ChartTransform t = ScaleBigChart(d, 800, 600, ChartMargins{}, 20, measure);
    const AxisPlan plan = PlanXAxisTicks(d, t, 800, true, measure);
    EXPECT_EQ(Texts(plan),
              (std::vector<std::string>{"-2", "0", "2", "4", "6", "8", "10", "12"}));
    // Ticks at -2 and 0..12; labels below the axis (|y max| > |y min|), centred on their ticks.
    EXPECT_EQ(plan.ticks.size(), 9u);
    for (const AxisLabel& l : plan.labels) {
        EXPECT_EQ(l.vAlign, plat::TextAlign::Top);
        EXPECT_EQ(l.at.y, ChartPixel(t.yOffset) + TickLength(800));
    }

    // On a narrow chart labels that would come within 5 pixels of their neighbour are left out.
    ChartData n = Chart(-3, 1, 12, 5);
    const ChartTransform tn = ScaleBigChart(n, 120, 100, ChartMargins{}, 20, measure);
    const AxisPlan crowded = PlanXAxisTicks(n, tn, 120, true, measure);
    EXPECT_LT(crowded.labels.size(), plan.labels.size());
    std::vector<std::pair<int, int>> spans;
    for (const AxisLabel& l : crowded.labels) {
        const int w = measure(l.text).cx;
        const int left = l.hAlign == plat::TextAlign::Left     ? l.at.x
                         : l.hAlign == plat::TextAlign::Right ? l.at.x - w
                                                              : l.at.x - w / 2;
        spans.push_back({left, left + w});
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i)
        EXPECT_GE(spans[i].first - spans[i - 1].second, 5);
}

TEST(ChartYAxis, TicksCentredOnTheirLabels)
{
    ChartData d = Chart(0, -2, 10, 4); // y -2..4, step nice(4) = 0.6 -> labels at 0.6 steps
    d.SetYTickStep(1.0);
    const ChartTransform t{100, 300, 10, 50};
    const AxisPlan plan = PlanYAxisTicks(d, t, 400, true, 6);
    // Down from 0: 0 (tick only), -1, -2; up from 0: 0 .. 4.
    EXPECT_EQ(Texts(plan), (std::vector<std::string>{"-1", "-2", "0", "1", "2", "3", "4"}));
    EXPECT_EQ(plan.ticks.size(), 7u);
    for (const AxisLabel& l : plan.labels) {
        EXPECT_EQ(l.at.y + 6, 300 - std::stoi(l.text) * 50);
        EXPECT_EQ(l.hAlign, plat::TextAlign::Right);
        EXPECT_EQ(l.at.x, 100 - TickLength(400));
    }
    // Wholly positive: from the top end down, its first tick unlabelled.
    ChartData p = Chart(0, 2, 10, 4);
    p.SetAxisEnd(ChartEnd::YMin, 2.0);
    p.SetYTickStep(1.0);
    EXPECT_EQ(Texts(PlanYAxisTicks(p, t, 400, true, 6)), (std::vector<std::string>{"3", "2"}));
    // Tick passes end whatever the step.
    ChartData z = Chart(0, 0, 10, 4);
    z.SetYTickStep(1e-9);
    EXPECT_LE(PlanYAxisTicks(z, t, 400, false, 6).ticks.size(), 62u);
}

} // namespace

namespace {

using namespace plat::TextAlign;

// 7 pixels a character, 10 high.
plat::Size Chars(const std::string& text) { return {7 * static_cast<int>(text.size()), 10}; }

} // namespace

// A compact chart of 300 x 200 pixels, its plot below a title band of 20 rows. Where nothing
// is drawn the range labels keep their places; a curve running through the x end's number
// (right-aligned above the axis row 150 at x 285: pixels 257..284 by 140..149) sends it to
// the other side of the axis, under the row, still at its end. A cluster of markers (5 x 5
// boxes every 10 pixels from x 40 to 120 along the top row) over the top's number "236.0"
// (left-aligned two pixels right of the column at x 30) leaves it no clear place at its end:
// left of the column and above the top it would leave the chart. It is left out: not laid over
// the markers, whose points it would hide, nor sent along its row to x 124, where it would read
// as an x value. A curve along the top row in place of the markers gives way round it.
TEST(RangeLabels, NumbersKeepClearOfCurvesAndMarkers)
{
    const plat::Rect area{0, 20, 300, 200};
    std::vector<AxisLabel> labels{{"91.6", {285, 150}, Right, Bottom}, {"236.0", {32, 20}, Left, Top, true}};
    KeepRangeLabelsClear(labels, ChartInk{}, area, Chars);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].at, (plat::Point{285, 150}));
    EXPECT_EQ(labels[0].vAlign, Bottom);
    EXPECT_EQ(labels[1].at, (plat::Point{32, 20}));

    ChartInk ink;
    ink.lines.push_back({{250, 135}, {290, 148}});
    for (int x = 40; x <= 120; x += 10)
        ink.boxes.push_back(plat::Rect{x - 2, 20, x + 3, 25});
    std::vector<AxisLabel> marked = labels;
    KeepRangeLabelsClear(marked, ink, area, Chars);
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(marked[0].text, "91.6");
    EXPECT_EQ(marked[0].at, (plat::Point{285, 150}));
    EXPECT_EQ(marked[0].hAlign, Right);
    EXPECT_EQ(marked[0].vAlign, Top);
    EXPECT_FALSE(InkMeets(ink, AxisLabelBox(marked[0], Chars(marked[0].text)), 1));
    ChartInk curve;
    curve.lines = ink.lines;
    curve.lines.push_back({{38, 22}, {123, 22}});
    KeepRangeLabelsClear(labels, curve, area, Chars);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].at, (plat::Point{285, 150}));
    EXPECT_EQ(labels[0].vAlign, Top);
    EXPECT_EQ(labels[1].at, (plat::Point{32, 20}));
    EXPECT_EQ(labels[1].hAlign, Left);
    EXPECT_EQ(labels[1].vAlign, Top);
    // Curves along rows 145 and 155, through both sides of the row at the x end: the number
    // stays at its end (the curves give way), not six rows up the chart's end.
    ChartInk both;
    both.lines.push_back({{240, 145}, {299, 145}});
    both.lines.push_back({{240, 155}, {299, 155}});
    std::vector<AxisLabel> end{{"91.6", {285, 150}, Right, Bottom}};
    KeepRangeLabelsClear(end, both, area, Chars);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].at, (plat::Point{285, 150}));
    EXPECT_EQ(end[0].vAlign, Bottom);
}

// A curve along the chart's end: a constant value that runs the whole height on the x end's
// column 285 (the number "45.0" right-aligned there above the row 150), or the whole width along
// the top row 20 (through "236.0", left-aligned at the top). No place at either end is clear of
// it; each number keeps its place there (the curve gives way round it) and does not step in
// along its axis. A number at the x end with room past the end (the plot ending 40 pixels short
// of the chart's edge), its place taken by a curve two columns in from the end, goes past the
// end, left-aligned there.
TEST(RangeLabels, NumbersStayAtTheirEndsOverACurveAlongTheChartsEnd)
{
    const plat::Rect area{0, 20, 300, 200};
    ChartInk up;
    up.lines.push_back({{285, 20}, {285, 199}});
    std::vector<AxisLabel> end{{"45.0", {285, 150}, Right, Bottom}};
    KeepRangeLabelsClear(end, up, area, Chars);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].at, (plat::Point{285, 150}));
    EXPECT_EQ(end[0].vAlign, Bottom);

    ChartInk along;
    along.lines.push_back({{15, 20}, {285, 20}});
    std::vector<AxisLabel> top{{"236.0", {32, 20}, Left, Top, true}};
    KeepRangeLabelsClear(top, along, area, Chars);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].at, (plat::Point{32, 20}));
    EXPECT_EQ(top[0].hAlign, Left);

    ChartInk short_;
    short_.lines.push_back({{258, 20}, {258, 199}});
    std::vector<AxisLabel> past{{"45.0", {260, 150}, Right, Bottom}};
    KeepRangeLabelsClear(past, short_, area, Chars);
    ASSERT_EQ(past.size(), 1u);
    EXPECT_EQ(past[0].at, (plat::Point{260, 150}));
    EXPECT_EQ(past[0].hAlign, Left);
    EXPECT_FALSE(InkMeets(short_, AxisLabelBox(past[0], Chars("45.0")), 1));
}

// On a printed page the x end's "2600.0" (right-aligned under the axis row 60 at x 285:
// 243..284) and the top's "0.0" (left-aligned right of the column at x 248) overlap; the top's
// number, placed after it, goes past its end, above its row, left-aligned as before, since left
// of the column it would still crowd the x end's number (less than a digit's width, 7 pixels, of
// blank between them, the two read as one). It is not moved along its row. Where both fit,
// neither moves.
TEST(RangeLabels, NumbersKeepClearOfEachOther)
{
    const plat::Rect area{0, 20, 300, 200};
    std::vector<AxisLabel> labels{{"2600.0", {285, 60}, Right, Top}, {"0.0", {250, 60}, Left, Top, true}};
    KeepRangeLabelsClear(labels, ChartInk{}, area, Chars);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].at, (plat::Point{285, 60}));
    EXPECT_EQ(labels[1].at, (plat::Point{250, 60}));
    EXPECT_EQ(labels[1].hAlign, Left);
    EXPECT_EQ(labels[1].vAlign, Bottom);
    const plat::Rect a = AxisLabelBox(labels[0], Chars(labels[0].text));
    const plat::Rect b = AxisLabelBox(labels[1], Chars(labels[1].text));
    EXPECT_LE(b.bottom, a.top);

    // A curve over the whole plot (across it every 6 rows): neither number finds a place clear
    // of it, but the top's number still leaves the x end's: the same place as above. Markers
    // over the whole plot (every 6 pixels) leave neither number a place: both are left out.
    ChartInk crowd;
    for (int y = 23; y < 200; y += 6)
        crowd.lines.push_back({{0, y}, {299, y}});
    std::vector<AxisLabel> crowded{{"2600.0", {285, 60}, Right, Top}, {"0.0", {250, 60}, Left, Top, true}};
    KeepRangeLabelsClear(crowded, crowd, area, Chars);
    ASSERT_EQ(crowded.size(), 2u);
    EXPECT_EQ(crowded[0].at, (plat::Point{285, 60}));
    EXPECT_EQ(crowded[1].at, (plat::Point{250, 60}));
    EXPECT_EQ(crowded[1].vAlign, Bottom);
    ChartInk cloud;
    for (int x = 3; x < 300; x += 6)
        for (int y = 23; y < 200; y += 6)
            cloud.boxes.push_back(plat::Rect{x - 2, y - 2, x + 3, y + 3});
    std::vector<AxisLabel> clouded{{"2600.0", {285, 60}, Right, Top}, {"0.0", {250, 60}, Left, Top, true}};
    KeepRangeLabelsClear(clouded, cloud, area, Chars);
    EXPECT_TRUE(clouded.empty());

    std::vector<AxisLabel> apart{{"2600.0", {285, 60}, Right, Top}, {"0.0", {32, 60}, Left, Top, true}};
    KeepRangeLabelsClear(apart, ChartInk{}, area, Chars);
    ASSERT_EQ(apart.size(), 2u);
    EXPECT_EQ(apart[1].at, (plat::Point{32, 60}));
    EXPECT_EQ(apart[1].hAlign, Left);
}

namespace {

// The rows and columns a label's letters take with the 7 x 10 cells: the cell less its top row
// and its bottom row (10 / 6 each).
plat::Rect Letters(const AxisLabel& l) { return NumberLettersBox(l, Chars(l.text)); }

bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

// A compact chart of 300 x 200 pixels (plot from row 20 down to 185, inset 15) whose axis
// column stands at x 23 and whose axis row at y 150. The x start "-0.1", left-aligned above the
// row at the inset (columns 15..42), has the column through its minus sign above and below the
// row, and left of the inset it would leave the chart: it is left out, not moved right of the
// column, where it would read as a value near zero. The y maximum "5.0", left-aligned two pixels
// right of the column at the top row 20 (letters 21..28), has the x axis at row 24 through its
// digits on both sides of the column, and above the top it would leave the plot's room: it is
// left out too. A number that a line crosses goes just across it where it still reaches its end:
// "5.0" with the x axis at row 21 through the top of its letters goes a row down (letters from
// row 22).
TEST(RangeLabels, NumbersStandClearOfTheAxisLines)
{
    const plat::Rect area{0, 20, 300, 200};
    const std::vector<plat::Rect> lines{{23, 20, 24, 186}, {15, 150, 286, 151}};
    std::vector<AxisLabel> x{{"-0.1", {15, 150}, Left, Bottom}};
    KeepRangeLabelsClear(x, ChartInk{}, area, Chars, lines);
    EXPECT_TRUE(x.empty());

    const std::vector<plat::Rect> high{{23, 20, 24, 186}, {15, 24, 286, 25}};
    std::vector<AxisLabel> y{{"5.0", {25, 20}, Left, Top, true}};
    KeepRangeLabelsClear(y, ChartInk{}, area, Chars, high);
    EXPECT_TRUE(y.empty());

    const std::vector<plat::Rect> close{{23, 20, 24, 186}, {15, 21, 286, 22}};
    std::vector<AxisLabel> under{{"5.0", {25, 20}, Left, Top, true}};
    KeepRangeLabelsClear(under, ChartInk{}, area, Chars, close);
    ASSERT_EQ(under.size(), 1u);
    EXPECT_EQ(under[0].at, (plat::Point{25, 21}));
    EXPECT_EQ(Letters(under[0]).top, 22);

    // The tension end of a stress profile, "2.1" right-aligned above the row at x 285 (columns
    // 264..284), with the depth axis at x 280 running the whole height: no side of the row at
    // the end is clear of it, and past the end it would leave the chart; just left of the
    // column it would stand six pixels in from its end: it is left out.
    const std::vector<plat::Rect> profile{{280, 20, 281, 186}, {15, 150, 286, 151}};
    std::vector<AxisLabel> end{{"2.1", {285, 150}, Right, Bottom}};
    KeepRangeLabelsClear(end, ChartInk{}, area, Chars, profile);
    EXPECT_TRUE(end.empty());
}

// A full chart's numbers and lines: its x number "0" centred under the row 100 on the column
// x 50 (columns 47..53, letters 109..116), with the y axis running down through it to row 200:
// it goes just beside the column, five columns either way, the left side first (its last
// column 48, a blank one before the column), clear of the y number "-20.0" right-aligned at
// x 46 forty rows lower, which stays. A y number "0.0" whose row the x axis crosses (inside
// the plot) goes up or down off it where its neighbours leave room, and is left out where they
// do not.
TEST(AxisNumberPlan, CrossedNumbersGoAcrossTheLineOrAreLeftOut)
{
    const std::vector<plat::Rect> lines{{50, 20, 51, 201}, {50, 100, 400, 101}};
    AxisPlan plan;
    plan.labels = {{"-20.0", {46, 150}, Right, Top, true}, {"0", {50, 108}, Center, Top}, {"2", {90, 108}, Center, Top}};
    KeepAxisNumbersClear(plan, lines, plat::Rect{0, 0, 400, 300}, Chars);
    ASSERT_EQ(Texts(plan), (std::vector<std::string>{"-20.0", "0", "2"}));
    EXPECT_EQ(plan.labels[0].at, (plat::Point{46, 150}));
    EXPECT_EQ(plan.labels[1].at, (plat::Point{45, 108}));
    EXPECT_EQ(AxisLabelBox(plan.labels[1], Chars("0")).right, 49);
    EXPECT_EQ(plan.labels[2].at, (plat::Point{90, 108}));

    // The y numbers right of a column at x 200 in the middle of the plot, every 9 rows: "0.0"
    // (letters 96..103) has the row 100 through them; 4 rows up (letters 92..99) it would meet
    // the digits of "10.0" (87..93, its cell less the descent), 5 rows down (101..108) those of
    // "-10.0" (105..111), so it is left out. Every 30 rows it goes up, nearer than 5 rows down.
    const std::vector<plat::Rect> middle{{200, 20, 201, 201}, {50, 100, 400, 101}};
    AxisPlan tight;
    tight.labels = {{"10.0", {204, 86}, Left, Top, true}, {"0.0", {204, 95}, Left, Top, true},
                    {"-10.0", {204, 104}, Left, Top, true}};
    KeepAxisNumbersClear(tight, middle, plat::Rect{0, 0, 400, 300}, Chars);
    EXPECT_EQ(Texts(tight), (std::vector<std::string>{"10.0", "-10.0"}));
    AxisPlan wide;
    wide.labels = {{"10.0", {204, 65}, Left, Top, true}, {"0.0", {204, 95}, Left, Top, true},
                   {"-10.0", {204, 125}, Left, Top, true}};
    KeepAxisNumbersClear(wide, middle, plat::Rect{0, 0, 400, 300}, Chars);
    ASSERT_EQ(Texts(wide), (std::vector<std::string>{"10.0", "0.0", "-10.0"}));
    EXPECT_EQ(wide.labels[1].at, (plat::Point{204, 91}));
    EXPECT_FALSE(Meet(Letters(wide.labels[1]), middle[1]));
}

// The member page's "Bottom Reinforcement" chart as laid out on the page (the fonts there
// measure "0" 9 x 17 and "200.0" 40 x 17): the y axis on the column x 88, the x axis on the
// row 128 with its numbers above it (bottoms at 124), the y number "200.0" right-aligned at
// x 84 on the rows 102..119. The x number "0" centred on the column takes 84..93: it meets no
// letter of "200.0" (whose cell ends at 84) but stands on its rows with no blank between; moved
// right of the axis line (from x 90) it would read "200.0|0". It is left out, as on the screen,
// where its wider cell overlaps; "400" at x 133 stays where it is.
TEST(AxisNumberPlan, XZeroBesideAYNumberAtTheCornerIsLeftOut)
{
    const auto pageFont = [](const std::string& text) {
        return plat::Size{text == "0" ? 9 : 8 * static_cast<int>(text.size()), 17};
    };
    AxisPlan y;
    y.labels = {{"0.0", {84, 120}, Right, Top, true}, {"200.0", {84, 102}, Right, Top, true}};
    AxisPlan x;
    x.labels = {{"0", {88, 124}, Center, Bottom}, {"400", {133, 124}, Center, Bottom}};
    DropXLabelsOnYLabels(x, y, pageFont);
    EXPECT_EQ(Texts(x), (std::vector<std::string>{"400"}));

    y.labels.insert(y.labels.end(), x.labels.begin(), x.labels.end());
    const std::vector<plat::Rect> lines{{88, 128, 381, 129}, {88, 37, 89, 220}, {86, 110, 91, 111}};
    KeepAxisNumbersClear(y, lines, plat::Rect{0, 0, 389, 245}, pageFont);
    ASSERT_EQ(Texts(y), (std::vector<std::string>{"0.0", "200.0", "400"}));
    EXPECT_EQ(y.labels[2].at, (plat::Point{133, 124}));
}
