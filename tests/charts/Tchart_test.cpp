// Boxes and charts as windows: selection through the owner, drags and the rubber band, font
// rules, popup commands, and what the chart kinds paint.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <algorithm>

#include "ChartsFixture.h"
#include "charts/RichText.h"
#include "charts/TMixinChartOwner.h"
#include "charts/TRotateDC.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

namespace TA = plat::TextAlign;
constexpr double kBig = 3.1415626e31;

// A page that owns charts and records what they tell it.
class Page final : public plat::Window, public TMixinChartOwner {
public:
    void SetActiveChart(TBoxItem* box, int kind) override { active.push_back({box, kind}); }
    void OwnerCommand3006() override { ++commands3006; }
    void OnPageClick(unsigned, int, int, int, int) override {}
    void Paint(plat::DC& dc, bool, const plat::Rect&) override
    {
        // A pattern for the rubber band to restore.
        for (int x = 0; x < 400; x += 3) {
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Color(x % 256, 80, 200 - x % 200)});
            dc.MoveTo(x, 0);
            dc.LineTo(x + 150, 300);
        }
    }
    std::vector<std::pair<TBoxItem*, int>> active;
    int commands3006 = 0;
};

// A box that can be dragged, as the text boxes are.
class DraggableBox final : public TBoxItem {
public:
    DraggableBox(plat::Window* parent, int x, int y, int w, int h)
        : TBoxItem(parent, "box", x, y, w, h)
    {
        m_kind = kBoxKindText;
    }
};

class ChartWindows : public ChartsGuiTest {
protected:
    void SetUp() override
    {
        page.Create();
        page.MoveWindow({0, 0, 400, 300});
        page.BackingImage();
    }
    Page page;
};

TEST_F(ChartWindows, ClicksSelectAndDeselectThroughTheOwner)
{
    Tbigchart chart(&page, "", 20, 20, 200, 150, 1, 1, 0);
    chart.CreateInParent();
    EXPECT_TRUE(chart.HasOwner(&page));
    chart.EvLButtonDown(0, {100, 75});
    EXPECT_TRUE(chart.IsSelected());
    chart.EvMouseMove(0, {150, 100});
    chart.EvLButtonUp(0, {150, 100});
    EXPECT_EQ(chart.Place(), (BoxPlace{20, 20, 200, 150})); // a chart is never dragged
    chart.EvLButtonDown(0, {100, 75});
    EXPECT_FALSE(chart.IsSelected());
    ASSERT_EQ(page.active.size(), 2u);
    EXPECT_EQ(page.active[0], (std::pair<TBoxItem*, int>{&chart, 1}));
    EXPECT_EQ(page.active[1], (std::pair<TBoxItem*, int>{&chart, 0}));
    // Forwarded commands reach the owner.
    chart.EvCommand(CM_FORWARD3006, 0, 0);
    EXPECT_EQ(page.commands3006, 1);
}

TEST_F(ChartWindows, ReleasingATextBoxWithoutMoving)
{
    DraggableBox box(&page, 50, 50, 100, 80);
    box.CreateInParent();
    box.EvLButtonDown(0, {50, 40});
    box.EvLButtonUp(0, {50, 40});
    EXPECT_TRUE(box.IsSelected()); // the click that selected it
    box.EvLButtonDown(0, {50, 40});
    box.EvLButtonUp(0, {50, 40});
    EXPECT_FALSE(box.IsSelected()); // already selected: deselected
}

TEST_F(ChartWindows, RubberBandRestoresEveryPixelAndTheDropMovesTheBox)
{
    DraggableBox box(&page, 50, 50, 100, 80);
    box.CreateInParent();
    const plat::Image before = page.BackingImage();
    box.EvLButtonDown(0, {95, 75}); // the bottom-right handle
    EXPECT_TRUE(box.HasCapture());
    EXPECT_EQ(box.GetCursor(), plat::Cursor::SizeNWSE);
    box.EvMouseMove(0, {105, 85});
    box.EvMouseMove(0, {125, 95});
    // Only the outline of the second band differs: the first was drawn twice.
    const plat::Image& now = page.BackingImage();
    const plat::Rect band{50, 50, 50 + 130, 50 + 100};
    int changed = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            if (now.Pixel(x, y) == before.Pixel(x, y))
                continue;
            ++changed;
            const bool nearEdge = std::abs(x - band.left) <= 2 || std::abs(x - band.right) <= 2 ||
                                  std::abs(y - band.top) <= 2 || std::abs(y - band.bottom) <= 2;
            ASSERT_TRUE(nearEdge) << x << "," << y;
        }
    EXPECT_GT(changed, 0);
    box.EvLButtonUp(0, {125, 95});
    EXPECT_FALSE(box.HasCapture());
    EXPECT_EQ(box.Place(), (BoxPlace{50, 50, 130, 100}));
    double fx, fy, fw, fh;
    box.GetRelativeRect(fx, fy, fw, fh);
    EXPECT_DOUBLE_EQ(fw, 130.0 / 400);
    EXPECT_DOUBLE_EQ(fh, 100.0 / 300);
}

// Every handle of a 100 x 80 box at (50, 50), dragged by (12, 7): the cursor it shows, the
// band drawn while it moves (every other pixel of the page restored) and the place it drops
// to, each by hand from the handle's rule (handles: 10 x 10 corners, middles about W / 2 = 50
// and H / 2 = 40).
TEST_F(ChartWindows, EachHandleDragsItsOwnEdges)
{
    using C = plat::Cursor;
    const struct {
        int code;
        plat::Point at;
        C cursor;
        BoxPlace dropped;
    } cases[] = {
        {0, {2, 2}, C::SizeNWSE, {62, 57, 88, 73}},   // x, y, w, h all follow
        {1, {50, 2}, C::SizeNS, {50, 57, 100, 73}},   // top edge only
        {2, {97, 2}, C::SizeNESW, {50, 57, 112, 73}}, // top and right
        {3, {2, 40}, C::SizeWE, {62, 50, 88, 80}},    // left edge only
        {4, {97, 40}, C::SizeWE, {50, 50, 112, 80}},  // right edge only
        {5, {2, 77}, C::SizeNESW, {62, 50, 88, 87}},  // bottom and left
        {6, {97, 77}, C::SizeNWSE, {50, 50, 112, 87}}, // bottom and right
        {7, {50, 77}, C::SizeNS, {50, 50, 100, 87}},  // bottom edge only
        {8, {30, 30}, C::Arrow, {62, 57, 100, 80}},   // inside: moves
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        DraggableBox box(&page, 50, 50, 100, 80);
        box.CreateInParent();
        page.Invalidate(true);
        const plat::Image before = page.BackingImage();
        box.EvLButtonDown(0, c.at);
        EXPECT_EQ(box.GetCursor(), c.cursor);
        box.EvMouseMove(0, {c.at.x + 5, c.at.y + 3});
        box.EvMouseMove(0, {c.at.x + 12, c.at.y + 7});
        const plat::Image& now = page.BackingImage();
        const plat::Rect band{c.dropped.x, c.dropped.y, c.dropped.x + c.dropped.w,
                              c.dropped.y + c.dropped.h};
        int changed = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                if (now.Pixel(x, y) == before.Pixel(x, y))
                    continue;
                ++changed;
                const bool nearEdge = std::abs(x - band.left) <= 2 || std::abs(x - band.right) <= 2 ||
                                      std::abs(y - band.top) <= 2 || std::abs(y - band.bottom) <= 2;
                ASSERT_TRUE(nearEdge) << x << "," << y;
            }
        EXPECT_GT(changed, 0);
        box.EvLButtonUp(0, {c.at.x + 12, c.at.y + 7});
        EXPECT_EQ(box.Place(), c.dropped);
    }
}

TEST_F(ChartWindows, FontsAndPlacement)
{
    TBoxItem box(&page, "plain", 0, 0, 400, 300);
    box.CreateInParent();
    box.SetFontHeights(-20, -16);
    box.Reposition(0, 0, 200, 150, 0);
    EXPECT_EQ(box.TitleFont().height, -10);
    EXPECT_EQ(box.TextFont().height, -8);
    // One grows, one shrinks from the size the fonts were made for: unchanged.
    box.Reposition(0, 0, 800, 200, 0);
    EXPECT_EQ(box.TitleFont().height, -20);

    // A box inside a box reports to the page and has the fonts of twice its size.
    TBoxItem child(&box, "CHILD", 10, 10, 130, 65);
    EXPECT_TRUE(child.HasOwner(&page));
    EXPECT_TRUE(child.IsChildPlacement());
    EXPECT_EQ(child.WindowTitle(), "");
    EXPECT_EQ(child.TextFont().height, static_cast<int>(BoxFontHeights(260, 130).text));

    // A parent of zero size leaves the fractions at 0.
    plat::Window none;
    TBoxItem orphan(&none, "x", 10, 10, 50, 50);
    double fx = -1, fy = -1, fw = -1, fh = -1;
    orphan.GetRelativeRect(fx, fy, fw, fh);
    EXPECT_EQ(fx, 0.0);
    EXPECT_EQ(fh, 0.0);
}

TEST_F(ChartWindows, PopupCommands)
{
    Tbigchart chart(&page, "", 0, 0, 300, 200, 1, 1, 0);
    chart.CreateInParent();
    std::vector<int> ids;
    for (const plat::MenuItem& m : chart.PopupItems())
        ids.push_back(m.id);
    EXPECT_EQ(ids, (std::vector<int>{3011, 3003, 0, 3000, 3001, 0, 3004, 3007}));
    EXPECT_EQ(chart.PopupItems()[1].text, "Copy Chart Data ");
    {
        ScriptedUi ui;
        ui.Popup(CM_AUTOMAXRANGE);
        chart.EvRButtonDown(0, {10, 10});
    }
    EXPECT_EQ(chart.GetMaxRange(), 1);
    chart.EnableToggleText(0);
    EXPECT_EQ(chart.PopupItems().size(), 7u);
    chart.EnableToggleText(1);
    chart.EnableToggleText(1);
    EXPECT_EQ(chart.PopupItems().size(), 8u);
}

TEST_F(ChartWindows, ChartKindsAndTheirDefaults)
{
    Tbigchart big(&page, "", 0, 0, 800, 600, 1, 1, 0);
    EXPECT_EQ(big.TitleFont().height, -32);
    EXPECT_EQ(big.TextFont().height, -20);
    EXPECT_EQ(big.LineWidth(), 2);
    Ticonchart icon(&page, "", 0, 0, 200, 100, 1, 1);
    EXPECT_EQ(icon.Kind(), 2);
    icon.AddPoint(0, 0);
    icon.AddPoint(5, 5);
    icon.AutoScale();
    EXPECT_EQ(icon.Data().XStep(), kBig);
    EXPECT_EQ(icon.Data().YStep(), kBig);

    // The note takes a second line below the x-axis title while shown.
    big.SetTitles("T", "|e_x Strain (mm/m)", "|s (MPa)", 1, 1);
    const int oneLine = big.Margins().bottom;
    big.SetNote("note");
    big.SetTextShown(1);
    EXPECT_EQ(big.Margins().bottom, 2 * oneLine);
}

// True when every dark pixel of the text drawn alone also is dark in the picture.
bool Shows(const plat::Image& picture, int x, int y, const std::string& text,
           const plat::LogFont& font, unsigned h, unsigned v)
{
    plat::Image alone(picture.Width(), picture.Height());
    plat::DC dc(alone);
    dc.SetBkMode(plat::BkMode::Transparent);
    DrawRichText(dc, x, y, text, font, h, v);
    int dark = 0;
    for (int yy = 0; yy < alone.Height(); ++yy)
        for (int xx = 0; xx < alone.Width(); ++xx)
            if (alone.Pixel(xx, yy) == plat::Colors::Black) {
                ++dark;
                if (!(picture.Pixel(xx, yy) == plat::Colors::Black))
                    return false;
            }
    return dark > 0;
}

TEST_F(ChartWindows, NoDataInTheMiddle)
{
    Tbigchart chart(&page, "", 0, 0, 400, 300, 1, 1, 0);
    plat::Image image(400, 300);
    plat::DC dc(image);
    chart.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_TRUE(Shows(image, 200, 150, "No Data", NoDataFont(chart.TextFont()), TA::Center, TA::Top));
}

// "No Data" keeps the chart's text font but never drops below 8 points: 11 pixels of character
// height (8 x 96 / 72 = 10.7), or a cell of 13.
TEST_F(ChartWindows, NoDataIsNeverBelowEightPoints)
{
    struct Row {
        int textHeight;
        int shown;
    };
    for (const Row row : {Row{-6, -11}, Row{-10, -11}, Row{-11, -11}, Row{-20, -20}, Row{7, -11},
                          Row{12, -11}, Row{13, 13}, Row{22, 22}}) {
        SCOPED_TRACE(row.textHeight);
        Ticonchart chart(&page, "", 0, 0, 120, 90, 1, 1);
        chart.SetFontHeights(30, row.textHeight);
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, 120, 90});
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "No Data");
        // Centred on (60, 45), its top there.
        const plat::TextRun& run = texts[0].run;
        EXPECT_NEAR(run.at.x + run.x0 + run.width / 2.0, 60.0, 1.0);
        EXPECT_EQ(run.at.y + run.baseline - run.ascent, 45);
        EXPECT_EQ(texts[0].state.font.height, row.shown);
        EXPECT_EQ(texts[0].state.font.face, chart.TextFont().face);
        EXPECT_EQ(texts[0].state.font.weight, chart.TextFont().weight);
    }
}

// The data and the readout cross are clipped to the plot area, the box between the axis ends
// (widened by half the line width); axes, ticks and labels are not. The axis lines the chart
// draws give the ends.
TEST_F(ChartWindows, DataIsClippedToThePlotArea)
{
    Tbigchart big(&page, "", 0, 0, 400, 300, 1, 1, 0);
    big.SetTitles("Crack Widths", "w (mm)", "z (mm)", 1, 1);
    big.ClearData();
    for (int i = -2; i <= 12; ++i)
        big.AddPoint(i, 3.0 * i);
    big.AutoScale();
    big.SetAxisEnd(ChartEnd::XMax, 8.0);  // the curve runs on to 12 and 36
    big.SetAxisEnd(ChartEnd::YMax, 20.0);
    big.SetReadoutPoint(5, 15);
    RecordingDC dc;
    big.Paint(dc, true, {0, 0, 400, 300});
    std::vector<DrawCall> axes;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::Black && c.state.clip.IsEmpty() &&
            (c.points[0].x == c.points[1].x || c.points[0].y == c.points[1].y) && axes.size() < 2)
            axes.push_back(c);
    ASSERT_EQ(axes.size(), 2u);
    const DrawCall& xAxis = axes[0];  // from x start to x end along y = 0
    const DrawCall& yAxis = axes[1];  // from y max down to y min along x = 0
    ASSERT_EQ(xAxis.points[0].y, xAxis.points[1].y);
    ASSERT_EQ(yAxis.points[0].x, yAxis.points[1].x);
    // Line width 2: one pixel of slack on each side, and the right and bottom edges exclusive.
    const plat::Region plot = plat::Region::FromRect(
        {xAxis.points[0].x - 1, yAxis.points[0].y - 1, xAxis.points[1].x + 2, yAxis.points[1].y + 2});
    // The curve runs through the origin's numbers: the clip is the plot area's outline, then
    // the holes round those numbers.
    const auto plotOutline = [&](const plat::Region& r) {
        return r.mode == plot.mode && r.polygon.size() >= plot.polygon.size() &&
               std::equal(plot.polygon.begin(), plot.polygon.end(), r.polygon.begin());
    };
    const std::vector<DrawCall> curves = dc.CallsOf("Polyline");
    ASSERT_FALSE(curves.empty());
    for (const DrawCall& c : curves) {
        ASSERT_EQ(c.state.clip.regions.size(), 1u);
        EXPECT_TRUE(plotOutline(c.state.clip.regions[0]));
    }
    int crossLines = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::LtRed) {
            ++crossLines;
            ASSERT_EQ(c.state.clip.regions.size(), 1u);
            EXPECT_TRUE(plotOutline(c.state.clip.regions[0]));
        }
    EXPECT_EQ(crossLines, 2);
    for (const DrawCall& c : dc.CallsOf("Text"))
        EXPECT_TRUE(c.state.clip.IsEmpty()) << c.text;

    // The compact chart: line width 1, no slack; its axes run across the plot area.
    Ticonchart icon(&page, "Crack Widths", 0, 0, 300, 200, 1, 1);
    icon.ClearData();
    for (int i = -2; i <= 12; ++i)
        icon.AddPoint(i, 3.0 * i);
    icon.AutoScale();
    icon.SetAxisEnd(ChartEnd::YMax, 20.0);
    RecordingDC idc;
    icon.Paint(idc, true, {0, 0, 300, 200});
    std::vector<DrawCall> iconAxes;
    for (const DrawCall& c : idc.CallsOf("Line"))
        if (c.state.clip.IsEmpty() && iconAxes.size() < 2)
            iconAxes.push_back(c);
    ASSERT_EQ(iconAxes.size(), 2u);
    const DrawCall& vertical = iconAxes[0];  // top margin to H - bottom margin
    const DrawCall& horizontal = iconAxes[1];  // left margin to W - right margin
    EXPECT_EQ(horizontal.points[0].x, 15);  // the inset, 5 % of 300
    EXPECT_EQ(horizontal.points[1].x, 285);
    const plat::Region iconPlot = plat::Region::FromRect(
        {horizontal.points[0].x, vertical.points[0].y, horizontal.points[1].x + 1, vertical.points[1].y + 1});
    const std::vector<DrawCall> iconCurves = idc.CallsOf("Polyline");
    ASSERT_FALSE(iconCurves.empty());
    // The plot area's outline, then the boxes of the range numbers cut out of it (even-odd).
    for (const DrawCall& c : iconCurves) {
        ASSERT_EQ(c.state.clip.regions.size(), 1u);
        const std::vector<plat::Point>& outline = c.state.clip.regions[0].polygon;
        ASSERT_GE(outline.size(), 4u);
        EXPECT_EQ(std::vector<plat::Point>(outline.begin(), outline.begin() + 4), iconPlot.polygon);
        EXPECT_EQ(c.state.clip.regions[0].mode, plat::FillMode::Alternate);
        for (const plat::Point& p : outline)
            EXPECT_TRUE(p.x >= 15 && p.x <= 286 && p.y >= vertical.points[0].y && p.y <= vertical.points[1].y + 1)
                << p.x << "," << p.y;
    }
}

// Data that keep away from the range numbers (a diagonal from the origin to the far corner,
// the numbers at the end of the x axis and at the top of the y axis) are clipped to the plot
// area alone: no number is cut out of the clip where no stroke comes near it.
TEST_F(ChartWindows, AnIconChartCutsOnlyTheNumbersItsDataComeNearOutOfTheClip)
{
    Ticonchart icon(&page, "Diagonal", 0, 0, 300, 200, 1, 1);
    icon.ClearData();
    for (int i = 0; i <= 10; ++i)
        icon.AddPoint(i, i);
    icon.AutoScale();
    RecordingDC dc;
    icon.Paint(dc, true, {0, 0, 300, 200});
    ASSERT_EQ(dc.CallsOf("Text").size() >= 3, true); // the title and the two numbers
    const std::vector<DrawCall> curves = dc.CallsOf("Polyline");
    ASSERT_FALSE(curves.empty());
    for (const DrawCall& c : curves) {
        ASSERT_EQ(c.state.clip.regions.size(), 1u);
        EXPECT_EQ(c.state.clip.regions[0].polygon.size(), 4u);
    }
}

TEST_F(ChartWindows, IconChartWritesTopAndBot)
{
    for (int numeric : {0, 1}) {
        Ticonchart icon(&page, "", 0, 0, 300, 200, 1, 1);
        icon.ClearData();
        icon.AddPoint(-2, -3);
        icon.AddPoint(4, 6);
        icon.AutoScale();
        icon.SetNumericRangeLabels(numeric);
        plat::Image image(300, 200);
        plat::DC dc(image);
        icon.Paint(dc, true, {0, 0, 300, 200});
        const ChartTransform& t = icon.Transform();
        const int column = ChartPixel(t.xOffset);
        const int top = ChartPixel(t.yOffset - 6 * t.yScale);
        const int bot = ChartPixel(t.yOffset + 3 * t.yScale);
        EXPECT_EQ(Shows(image, column + 2, top, "top", icon.TextFont(), TA::Left, TA::Top),
                  numeric == 0);
        EXPECT_EQ(Shows(image, column + 2, bot, "bot", icon.TextFont(), TA::Left, TA::Bottom),
                  numeric == 0);
        EXPECT_EQ(Shows(image, column + 2, top, "6.0", icon.TextFont(), TA::Left, TA::Top),
                  numeric == 1);
    }
}

TEST_F(ChartWindows, BigChartPaintsLinesMarkersAndTheCross)
{
    Tbigchart chart(&page, "", 0, 0, 800, 600, 1, 1, 0);
    chart.SetTitles("Moment-Curvature", "|f (rad/km)", "M (kN.m)", 1, 0);
    chart.ClearData();
    for (int i = 0; i <= 10; ++i)
        chart.AddPoint(i, i * i);
    chart.AddPoint(kBig, kBig);
    chart.AddPoint(kBig, 1);
    for (int i = 0; i <= 10; ++i)
        chart.AddPoint(i, 50 + 2 * i);
    chart.AddPoint(kBig, -1);
    chart.AddPoint(5, 25);
    chart.AutoScale();
    chart.SetReadoutPoint(4, 16);
    chart.DrawSelection();
    plat::Image image(800, 600);
    plat::DC dc(image);
    chart.Paint(dc, true, {0, 0, 800, 600});
    const ChartTransform& t = chart.Transform();
    const auto at = [&](double x, double y) {
        return image.Pixel(ChartPixel(t.xOffset + x * t.xScale), ChartPixel(t.yOffset - y * t.yScale));
    };
    EXPECT_EQ(at(3, 9), plat::Colors::LtBlue);   // the first line in the chart's colour
    EXPECT_EQ(at(3, 56), plat::Colors::LtRed);   // line type 1
    const int cx = ChartPixel(t.xOffset + 4 * t.xScale, false);
    const int cy = ChartPixel(t.yOffset - 16 * t.yScale, false);
    EXPECT_EQ(image.Pixel(cx + 30, cy), plat::Colors::LtRed); // the readout cross
    EXPECT_EQ(image.Pixel(2, 2), plat::Colors::Black);        // a selection handle
    EXPECT_TRUE(Shows(image, 400, 0, "Moment-Curvature", chart.TitleFont(), TA::Center, TA::Top));

    // Printing in black and white: no selection frame, black lines.
    chart.SetBlackAndWhite(1);
    plat::Image print(800, 600);
    plat::DC pdc(print);
    chart.Paint(pdc, true, {0, 0, 800, 600});
    EXPECT_EQ(print.Pixel(2, 2), plat::Colors::White);
}

TEST_F(ChartWindows, AxisTitlesCarryGreekLettersAndTheYTitleReadsUpward)
{
    Tbigchart chart(&page, "", 0, 0, 800, 600, 1, 1, 0);
    chart.SetTitles("", "|e_x Strain (mm/m)", "|s_x (MPa)", 1, 1);
    chart.ClearData();
    chart.AddPoint(0, 0);
    chart.AddPoint(2, 30);
    chart.AutoScale();
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 800, 600});
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    const auto find = [&](const std::string& t) {
        for (const DrawCall& c : texts)
            if (c.text == t)
                return &c;
        return static_cast<const DrawCall*>(nullptr);
    };
    const DrawCall* epsilon = find("\u03b5");
    const DrawCall* sigma = find("\u03c3");
    ASSERT_TRUE(epsilon && sigma);
    EXPECT_EQ(epsilon->state.font.escapement, 0);
    EXPECT_EQ(sigma->state.font.escapement, 900);
    // The y title's runs go up the chart: the text after the Greek letter lies above it.
    const DrawCall* unit = find(" (MPa)");
    ASSERT_TRUE(unit);
    EXPECT_LT(unit->run.at.y, sigma->run.at.y);
    EXPECT_NE(find(" Strain (mm/m)"), nullptr);
    EXPECT_NE(find("30.0"), nullptr);
    EXPECT_NE(find("1.8"), nullptr); // steps of nice(2) = 0.3
}

// An 800 x 600 chart with empty titles over x -10..10 and y 20..60, steps 5 and 10, its
// pixels by the scaling rules: the empty titles still take a line each (top margin
// trunc(1.1 x the title font's line), left and bottom margins the text font's line); pad
// max(800 / 40, 600 / 40, 5) = 20 and tick max(800 / 100, 4) = 8; the symmetric x range needs
// no room for labels, and neither y end is 0, so no x labels are reserved room. The plot's
// bottom row b = 600 - bottom - 20 carries y = 20 and its top row top + 20 carries y = 60; x
// runs from left + 20 + 2 x 8 to 800 - 20.
TEST_F(ChartWindows, BigChartWithAYRangeAwayFromZeroByHand)
{
    Tbigchart chart(&page, "", 0, 0, 800, 600, 1, 1, 0);
    chart.SetTitles("", "", "", 1, 1);
    chart.AddPoint(-10, 20);
    chart.AddPoint(0, 40);
    chart.AddPoint(10, 60);
    chart.AutoScale();
    chart.SetAxisEnd(ChartEnd::XMin, -10);
    chart.SetAxisEnd(ChartEnd::XMax, 10);
    chart.SetAxisEnd(ChartEnd::YMin, 20);
    chart.SetAxisEnd(ChartEnd::YMax, 60);
    chart.SetXTickStep(5);
    chart.SetYTickStep(10);
    RecordingDC dc;
    const int titleLine = MeasureRichText(dc, "", chart.TitleFont()).cy;
    const int textLine = MeasureRichText(dc, "", chart.TextFont()).cy;
    const int top = static_cast<int>(1.1 * titleLine);
    ASSERT_GT(textLine, 0);
    EXPECT_EQ(chart.Margins(), (ChartMargins{top, textLine, 0, textLine}));
    const double b = 600 - textLine - 20;
    const double yScale = (b - top - 20) / 40.0;
    const double yOffset = b + 20 * yScale;
    const double x0 = textLine + 36;
    const double xScale = (800 - 20 - x0) / 20.0;
    const double xOffset = x0 + 10 * xScale;
    const auto col = [&](double x) { return static_cast<int>(xOffset + x * xScale + 0.5); };
    const auto row = [&](double y) { return static_cast<int>(yOffset - y * yScale + 0.5); };
    ASSERT_EQ(col(-10), static_cast<int>(x0 + 0.5));
    ASSERT_EQ(row(20), static_cast<int>(b + 0.5));

    chart.Paint(dc, true, {0, 0, 800, 600});
    const std::vector<DrawCall> lines = dc.CallsOf("Line");
    const auto drawn = [&](plat::Point a, plat::Point c) {
        for (const DrawCall& l : lines)
            if ((l.points[0] == a && l.points[1] == c) || (l.points[0] == c && l.points[1] == a))
                return true;
        return false;
    };
    // The curve through its three points, in one run.
    const std::vector<DrawCall> runs = dc.CallsOf("Polyline");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].points, (std::vector<plat::Point>{{col(-10), row(20)}, {col(0), row(40)},
                                                        {col(10), row(60)}}));
    // The y axis on the column of x = 0 from the row of y max to that of y min.
    EXPECT_TRUE(drawn({col(0), row(60)}, {col(0), row(20)}));
    // y ticks from the top end down (the range lies above zero).
    for (int v = 20; v <= 60; v += 10)
        EXPECT_TRUE(drawn({col(0) - 4, row(v)}, {col(0) + 4, row(v)})) << v;
    // y labels 50 .. 20 (the top tick has none), right-aligned a tick left of the axis and
    // centred on their rows; x labels centred on their columns a tick below the row of y min
    // (the y range lies on one side of zero). A run's box is at + (x0 .. x0 + width).
    const int h2 = MeasureRichText(dc, "0123456789", chart.TextFont()).cy / 2;
    int yLabels = 0;
    int xLabels = 0;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (c.text.empty())
            continue;
        const double value = std::stod(c.text);
        if (c.run.at.y < row(20) + 8) {
            ++yLabels;
            EXPECT_NE(value, 60.0);
            EXPECT_EQ(c.run.at.x + c.run.x0 + c.run.width, static_cast<int>(xOffset - 8 + 0.5)) << c.text;
            EXPECT_EQ(c.run.at.y, row(value) - h2) << c.text;
        } else {
            ++xLabels;
            EXPECT_EQ(c.run.at.y, row(20) + 8) << c.text;
            EXPECT_NEAR(c.run.at.x + c.run.x0 + c.run.width / 2.0, col(value), 1.0) << c.text;
        }
    }
    EXPECT_EQ(yLabels, 4);
    EXPECT_EQ(xLabels, 5);
}

using RotateDC = ChartsGuiTest;

TEST_F(RotateDC, TurnsPositionsOnly)
{
    RecordingDevice device;
    TRotateDC dc(device);
    EXPECT_TRUE(dc.SetCentre(100, 100));
    EXPECT_TRUE(dc.SetAngle(3.14159265358979 / 2));
    dc.MoveTo(110, 100);
    dc.LineTo(100, 90);
    dc.Ellipse({115, 95, 125, 105}); // centre (120, 100) goes to (100, 120)
    dc.TextOut(100, 80, "a");
    ASSERT_EQ(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0].points, (std::vector<plat::Point>{{100, 110}, {110, 100}}));
    EXPECT_EQ(device.calls[1].rect, (plat::Rect{95, 115, 105, 125}));
    EXPECT_EQ(device.calls[2].run.at, (plat::Point{120, 100}));
    // Within a pixel of the centre's column a point counts as on it.
    EXPECT_EQ(RotateAbout(100.5, 110, 100, 100, 0.0), (plat::Point{100, 110}));
    EXPECT_EQ(RotateAbout(100, 100, 100, 100, 1.0), (plat::Point{100, 100}));
}

} // namespace
