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

} // namespace
