// Where a legend laid over a full chart lands, from the drawn positions of the chart's texts,
// axis lines and curves and of the legend's letters: on the screen (where the legend's box hides
// what lies under it) and through a page's mapping (where its letters are drawn over the chart).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"
#include "tests/app/DrawnTexts.h"

namespace {

class ChartLegends : public ChartsGuiTest {};

std::string Where(const plat::Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A legend of the member's "Reinforcement" set on the chart, at the foot left of the middle
// (position 2) in the letters the page gives it (a thirtieth of the chart's width).
void AddLegend(Tchart& chart, TTextBox& legend, int W)
{
    legend.CreateInParent();
    legend.SetFontHeights(W / 30, 1);
    legend.SetText("\1 c\2 Provided\r\n\1 d\2 Effective\r\n\1 e\2 Demand\r\n");
    legend.SetLegend(true);
    legend.SetLegendPosition(2);
    chart.KeepLegendsClear();
}

// The chart and the legend at its place as the page prints them, through the mapping of a page
// of 1123 x 794 logical pixels on a 300 per inch sheet (3508 x 2480 pixels); the calls of the
// legend follow the chart's.
std::size_t PrintChartAndLegend(RecordingDC& dc, Tchart& chart, TTextBox& legend)
{
    dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
    dc.SetMapMode(plat::MapMode::Anisotropic);
    dc.SetWindowExt({1123, 794});
    dc.SetViewportExt({3508, 2480});
    const BoxPlace c = chart.Place(), b = legend.Place();
    chart.Paint(dc, true, {0, 0, c.w, c.h});
    const std::size_t first = dc.Calls().size();
    dc.SetWindowOrg({-b.x, -b.y});
    legend.Paint(dc, true, {0, 0, b.w, b.h});
    dc.SetWindowOrg({0, 0});
    return first;
}

// The texts the legend draws, as "text (left, top - right, bottom)", that stand outside its box.
std::vector<std::string> LettersOutside(TTextBox& legend)
{
    const BoxPlace b = legend.Place();
    RecordingDC dc;
    legend.Paint(dc, true, {0, 0, b.w, b.h});
    std::vector<std::string> outside;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        const plat::Rect r = DrawnBox(c);
        if (!c.text.empty() && c.text != " " && (r.left < 0 || r.top < 0 || r.right > b.w || r.bottom > b.h))
            outside.push_back("\"" + c.text + "\" (" + Where(r) + ")");
    }
    return outside;
}

// The bottom bars' force along a 2600 mm member: none up to 600 mm, rising to 540 kN at
// 700 mm and level to the end. The legend's own place (0.17 of the width, its foot 10 px above
// 0.83 of the height) is clear of the chart's texts but the rising curve runs through it and
// through its words; the
// legend moves to a place where no stroke of the curve, no axis line, tick or text lies under
// its box, inside the chart. On the page its letters are crossed by no stroke and meet no text.
TEST_F(ChartLegends, ALegendOverTheCurveMovesOffItOnTheScreenAndOnThePage)
{
    const int W = 454, H = 300;
    plat::Window page;
    page.Create();
    page.MoveWindow({0, 0, 1280, 1024});
    Tbigchart chart(&page, "Bottom Reinforcement", 0, 0, W, H, 0, 1, 0);
    chart.CreateInParent();
    chart.SetTitles("Bottom Reinforcement", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
    chart.AddPoint(0, 0);
    chart.AddPoint(600, 0);
    chart.AddPoint(700, 540);
    chart.AddPoint(2600, 540);
    chart.AutoScale();
    TTextBox legend(&chart, "CHILD", 100, 100, W / 5, H / 5);
    AddLegend(chart, legend, W);

    const BoxPlace b = legend.Place();
    const plat::Rect placed = RectOf(b);
    const int x = static_cast<int>(0.17 * W), y = static_cast<int>(0.83 * H - b.h - 10);
    const plat::Rect home{x, y, x + b.w, y + b.h};
    const DrawnStrokes strokes = DrawnStrokesOf(chart);
    ASSERT_GT(PixelsInside(strokes.data, home), 0) << "the curve does not pass the legend's own place";
    EXPECT_TRUE(TextsUnder(chart, home).empty());
    EXPECT_EQ(PixelsInside(strokes.data, placed), 0) << "the curve under the legend at " << Where(placed);
    EXPECT_EQ(PixelsInside(strokes.axes, placed), 0) << "an axis or a tick under the legend at " << Where(placed);
    for (const std::string& t : TextsUnder(chart, placed))
        ADD_FAILURE() << t << " under the legend at " << Where(placed);
    EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= W && placed.bottom <= H) << Where(placed);
    // Room enough: the legend keeps its own letters and margin.
    EXPECT_EQ(legend.LetterHeight(), 0.0);
    EXPECT_EQ(legend.Margin(), TTextBox::kTextMargin);

    RecordingDC dc;
    const std::size_t first = PrintChartAndLegend(dc, chart, legend);
    std::vector<plat::Rect> chartTexts, letters;
    std::vector<DrawCall> chartCalls(dc.Calls().begin(), dc.Calls().begin() + static_cast<std::ptrdiff_t>(first));
    for (std::size_t i = 0; i < dc.Calls().size(); ++i) {
        const DrawCall& c = dc.Calls()[i];
        if (c.op == "Text" && !c.text.empty() && c.text != " " && c.state.font.escapement == 0)
            (i < first ? chartTexts : letters).push_back(PageBox(c));
    }
    ASSERT_EQ(letters.size(), 3u);
    const DrawnStrokes printed = StrokesOf(chartCalls, -1);
    for (const plat::Rect& l : letters) {
        EXPECT_EQ(PixelsInside(printed.axes, l), 0) << "a stroke of the chart through the letters at " << Where(l);
        for (const plat::Rect& t : chartTexts)
            EXPECT_FALSE(Meet(l, t)) << "a text at " << Where(t) << " on the letters at " << Where(l);
    }
}

// A chart of the width of the top bars' at 713 x 517 and a little lower (253 x 120), its x axis
// half way down with its numbers along it: no place of the legend as made (font and margin) is clear of
// the drawn texts, axis lines and ticks (tried at every pixel). The legend draws its letters
// closer and smaller and stands clear of them all. Made larger, the chart has room again and
// the legend takes its own form; made small again, it stands as it first did: where it goes
// depends on the chart and the legend, not on where it stood before.
TEST_F(ChartLegends, WhereNoPlaceIsClearTheLegendDrawsCloserAndTakesItsOwnFormWhenRoomComesBack)
{
    const int W = 253, H = 120;
    plat::Window page;
    page.Create();
    page.MoveWindow({0, 0, 1280, 1024});
    Tbigchart chart(&page, "Top Reinforcement", 0, 0, W, H, 0, 1, 0);
    chart.CreateInParent();
    chart.SetTitles("Top Reinforcement", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
    chart.AddPoint(0, 100);
    chart.AddPoint(1300, -100);
    chart.AddPoint(2600, 100);
    chart.AutoScale();
    TTextBox legend(&chart, "CHILD", 100, 100, W / 5, H / 5);
    AddLegend(chart, legend, W);

    const auto clearOfAll = [&chart](const plat::Rect& r) {
        return TextsUnder(chart, r).empty() && PixelsInside(DrawnStrokesOf(chart).axes, r) == 0;
    };
    const plat::Size own = legend.SizeAt(legend.TitleHeight());
    {
        const DrawnStrokes strokes = DrawnStrokesOf(chart);
        const auto texts = DrawnTexts(chart);
        int clear = 0;
        for (int y = 0; y + own.cy <= H; ++y)
            for (int x = 0; x + own.cx <= W; ++x) {
                const plat::Rect r{x, y, x + own.cx, y + own.cy};
                bool free = PixelsInside(strokes.axes, r) == 0;
                for (std::size_t k = 0; k < texts.size() && free; ++k)
                    free = !Meet(r, texts[k].second);
                clear += free ? 1 : 0;
            }
        ASSERT_EQ(clear, 0) << "the legend as made (" << own.cx << " x " << own.cy << ") fits somewhere";
    }
    const BoxPlace small = legend.Place();
    const plat::Rect placed = RectOf(small);
    EXPECT_TRUE(clearOfAll(placed)) << Where(placed);
    EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= W && placed.bottom <= H) << Where(placed);
    EXPECT_LT(legend.Margin(), TTextBox::kTextMargin);
    EXPECT_TRUE(small.w < own.cx || small.h < own.cy);
    const double letters = legend.LetterHeight();
    const int margin = legend.Margin();
    for (const std::string& outside : LettersOutside(legend))
        ADD_FAILURE() << outside << " outside the legend's box of " << small.w << " x " << small.h;

    chart.Reposition(0, 0, 2 * W, 2 * H, 0);
    chart.KeepLegendsClear();
    EXPECT_EQ(legend.LetterHeight(), 0.0);
    EXPECT_EQ(legend.Margin(), TTextBox::kTextMargin);
    EXPECT_EQ(legend.Place().w, own.cx);
    EXPECT_EQ(legend.Place().h, own.cy);
    EXPECT_TRUE(clearOfAll(RectOf(legend.Place()))) << Where(RectOf(legend.Place()));

    chart.Reposition(0, 0, W, H, 0);
    chart.KeepLegendsClear();
    EXPECT_EQ(legend.Place(), small);
    EXPECT_EQ(legend.LetterHeight(), letters);
    EXPECT_EQ(legend.Margin(), margin);
}

// The bottom bars' force along a 2600 mm member as a saw of teeth 20 mm apart from 0 to 540 kN:
// its strokes leave no place over the plot free of ink for a legend of any size.
void AddSaw(Tchart& chart)
{
    chart.SetTitles("Bottom Reinforcement", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
    for (int x = 0; x <= 2600; x += 20)
        chart.AddPoint(x, (x / 20) % 2 == 0 ? 0.0 : 540.0);
    chart.AutoScale();
}

// A full chart of the saw, w x h, on a page of 1280 x 1024.
struct SawChart {
    static plat::Window* Opened(plat::Window& page)
    {
        page.Create();
        page.MoveWindow({0, 0, 1280, 1024});
        return &page;
    }
    SawChart(int w, int h) : chart(Opened(page), "Bottom Reinforcement", 0, 0, w, h, 0, 1, 0)
    {
        chart.CreateInParent();
        AddSaw(chart);
    }
    plat::Window page;
    Tbigchart chart;
};

// The legend's box lies inside the chart and covers no curve, text, tick or axis line of it, and
// the legend's letters lie inside its box.
void ExpectClearOfTheChart(Tchart& chart, TTextBox& legend)
{
    const plat::Rect placed = RectOf(legend.Place());
    const BoxPlace c = chart.Place();
    EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= c.w && placed.bottom <= c.h) << Where(placed);
    const DrawnStrokes strokes = DrawnStrokesOf(chart);
    EXPECT_EQ(PixelsInside(strokes.data, placed), 0) << "the curve under the legend at " << Where(placed);
    EXPECT_EQ(PixelsInside(strokes.axes, placed), 0) << "an axis or a tick under the legend at " << Where(placed);
    for (const std::string& text : TextsUnder(chart, placed))
        ADD_FAILURE() << text << " under the legend at " << Where(placed);
    for (const std::string& outside : LettersOutside(legend))
        ADD_FAILURE() << outside << " outside the legend's box at " << Where(placed);
}

// Where the data leave no place over the plot clear for the legend in any of its forms, the
// chart narrows its plot and the legend stands beside it, right of its end, in the largest of its
// forms that the room there takes (its own, on a chart 454 pixels wide): over no curve, text, tick
// or axis line. Where the chart is too small for that (150 x 100), the legend is left out and
// draws nothing; made larger again, the chart has the legend beside its plot as before.
TEST_F(ChartLegends, WhereTheDataLeaveNoPlaceTheLegendStandsBesideThePlotElseIsLeftOut)
{
    const int W = 454, H = 300;
    SawChart saw(W, H);
    Tbigchart& chart = saw.chart;
    chart.UpdateScaling(0, 0, 0, 0);
    const plat::Rect plotAlone = chart.PlotArea(chart.Transform());
    TTextBox legend(&chart, "CHILD", 100, 100, W / 5, H / 5);
    AddLegend(chart, legend, W);

    const auto besideThePlot = [&] {
        ASSERT_FALSE(legend.IsLeftOut());
        const plat::Rect placed = RectOf(legend.Place());
        chart.UpdateScaling(0, 0, 0, 0);
        const ChartTransform t = chart.Transform();
        EXPECT_GT(chart.LegendBand().cx, 0);
        EXPECT_LT(chart.PlotArea(t).right, plotAlone.right);
        EXPECT_GE(placed.left, chart.PlotArea(t).right) << Where(placed);
        ExpectClearOfTheChart(chart, legend);
        // Its own letters and margin: the room beside the plot takes them.
        EXPECT_EQ(legend.LetterHeight(), 0.0);
        EXPECT_EQ(legend.Margin(), TTextBox::kTextMargin);
    };
    besideThePlot();

    chart.Reposition(0, 0, 150, 100, 0);
    chart.KeepLegendsClear();
    EXPECT_TRUE(legend.IsLeftOut());
    RecordingDC dc;
    legend.Paint(dc, true, {0, 0, legend.Place().w, legend.Place().h});
    EXPECT_TRUE(dc.CallsOf("Text").empty());
    EXPECT_EQ(chart.LegendBand(), plat::Size{});

    chart.Reposition(0, 0, W, H, 0);
    chart.KeepLegendsClear();
    besideThePlot();
}

// The same data on a chart too narrow for the legend beside its plot (200 x 450, the legend's
// letters made for a chart 454 pixels wide): the plot's foot rises and the legend stands below
// the plot, over no curve, text, tick or axis line, its letters no taller than the title's.
TEST_F(ChartLegends, WhereThereIsNoRoomBesideThePlotTheLegendStandsBelowIt)
{
    const int W = 200, H = 450;
    SawChart saw(W, H);
    Tbigchart& chart = saw.chart;
    TTextBox legend(&chart, "CHILD", 100, 100, W / 5, H / 5);
    AddLegend(chart, legend, 454);

    ASSERT_FALSE(legend.IsLeftOut());
    EXPECT_EQ(chart.LegendBand().cx, 0);
    EXPECT_GT(chart.LegendBand().cy, 0);
    const plat::Rect placed = RectOf(legend.Place());
    chart.UpdateScaling(0, 0, 0, 0);
    EXPECT_GE(placed.top, chart.PlotArea(chart.Transform()).bottom) << Where(placed);
    ExpectClearOfTheChart(chart, legend);
    const auto height = [](const DrawCall& c) { return DrawnBox(c).bottom - DrawnBox(c).top; };
    RecordingDC drawn;
    chart.Paint(drawn, true, {0, 0, W, H});
    int title = 0;
    for (const DrawCall& c : drawn.CallsOf("Text"))
        title = c.text == "Bottom Reinforcement" ? height(c) : title;
    ASSERT_GT(title, 0);
    RecordingDC letters;
    legend.Paint(letters, true, {0, 0, legend.Place().w, legend.Place().h});
    for (const DrawCall& c : letters.CallsOf("Text"))
        EXPECT_LE(height(c), title) << "\"" << c.text << "\"";
}

} // namespace
