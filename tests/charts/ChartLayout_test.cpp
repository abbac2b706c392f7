// Where a full chart's texts land and in what fonts, from the drawn positions: the number of a
// flat curve between the y title and the plot, the x title above a stiffness note where the
// chart says it is (so that a legend keeps clear of it), a note fitted to the chart in the
// largest character height that fits, a y title fitted to the plot's height on a chart wider
// than tall, and an axis title just too wide at a fractional font height after a resize.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/RichText.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"

namespace {

// The box an upright text run covers, as drawn.
plat::Rect BoxOf(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

// The first drawn text that is exactly text.
const DrawCall* Drawn(const std::vector<DrawCall>& texts, const std::string& text)
{
    for (const DrawCall& c : texts)
        if (c.text == text)
            return &c;
    return nullptr;
}

bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int Width(const std::string& text, const plat::LogFont& font)
{
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    return MeasureRichText(dc, text, font).cx;
}

class ChartLayout : public ChartsGuiTest {};

// Zero shear along a member, x from 0 to 2700 mm: the y range has no extent and its one
// number, "0.0", is right-aligned a tick left of the y axis. It stands whole between the y
// title (drawn upward along the left edge) and the y axis, with the plot and its x axis right
// of it.
TEST_F(ChartLayout, AFlatCurveOverXFromZeroLeavesRoomForItsNumber)
{
    const int W = 454, H = 300;
    Tbigchart chart(nullptr, "Shear Force", 0, 0, W, H, 0, 1, 0);
    chart.SetTitles("Shear Force", "Length along member (mm)", "Shear (kN)", 0, 1);
    chart.SetFontHeights(H / 11, H / 13);
    for (int k = 0; k <= 9; ++k)
        chart.AddPoint(300.0 * k, 0.0);
    chart.AutoScale();
    ASSERT_EQ(chart.Data().AxisRange().yMin, 0.0);
    ASSERT_EQ(chart.Data().AxisRange().yMax, 0.0);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, W, H});
    const std::vector<DrawCall> texts = dc.CallsOf("Text");

    // The y title reads upward from its point: its cells' depth (ascent and descent) lies to
    // the right of that point's column.
    const DrawCall* title = Drawn(texts, "Shear (kN)");
    ASSERT_NE(title, nullptr);
    ASSERT_EQ(title->state.font.escapement, 900);
    const int titleRight = title->run.at.x + title->run.ascent + title->run.descent;
    EXPECT_GT(titleRight, title->run.at.x + 10);

    const DrawCall* zero = Drawn(texts, "0.0");
    ASSERT_NE(zero, nullptr);
    const plat::Rect number = BoxOf(*zero);
    EXPECT_GE(number.left, titleRight);
    // The y axis: the vertical line of the plot (the first line whose ends share a column,
    // longer than a tick).
    int column = -1;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (column < 0 && c.points[0].x == c.points[1].x && std::abs(c.points[1].y - c.points[0].y) > 20)
            column = c.points[0].x;
    ASSERT_GE(column, 0);
    EXPECT_LE(number.right, column);
    // The number sits on its axis's row, the plot's bottom row, where the x axis runs.
    EXPECT_NEAR((number.top + number.bottom) / 2.0, chart.Transform().yOffset, number.bottom - number.top);
}

// With the stiffness note shown ("Toggle Text") the x title stands one line up, above the
// note. The chart's boxes of its texts hold the x title where it is drawn; a legend placed
// bottom right (over the foot of the chart, where both texts are) moves clear of both as they
// are drawn, and a legend the user dragged stays where it was put.
TEST_F(ChartLayout, WithTheNoteShownALegendKeepsClearOfTheXTitleWhereItIsDrawn)
{
    const int W = 454, H = 300;
    const std::string xTitle = "Length along member from the left support (mm)";
    const std::string note = "Average Flexural Stiffness = 18 % of uncracked value";
    plat::Window page;
    page.Create();
    page.MoveWindow({0, 0, 1280, 1024});
    Tbigchart chart(&page, "Approx. Flexural Stiffness EI=M/|f", 0, 0, W, H, 0, 1, 0);
    chart.CreateInParent();
    chart.SetTitles("Approx. Flexural Stiffness EI=M/|f", xTitle, "Flexural Stiffness (MN.m^2)", 0, 1);
    chart.SetFontHeights(H / 11, H / 13);
    chart.AddPoint(0, 150);
    chart.AddPoint(2700, 60);
    chart.AutoScale();
    chart.EnableToggleText(1);
    chart.SetNote(note);
    chart.SetTextShown(0);
    // A legend at the bottom right, placed while the note is hidden: clear of the x title on
    // the bottom line.
    TTextBox legend(&chart, "CHILD", 100, 100, W / 5, H / 5);
    legend.CreateInParent();
    legend.SetFontHeights(W / 30, 1);
    legend.SetText("\1 c\2 Uncracked\r\n\1 d\2 Current\r\n");
    legend.SetLegend(true);
    legend.SetLegendPosition(-1);
    chart.KeepLegendsClear();
    // "Toggle Text": the note takes the bottom line, the x title moves up one.
    chart.CmPopup3007();
    ASSERT_TRUE(chart.Data().ShowsNote());

    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, W, H});
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    const DrawCall* x = Drawn(texts, xTitle);
    const DrawCall* n = Drawn(texts, note);
    ASSERT_NE(x, nullptr);
    ASSERT_NE(n, nullptr);
    const plat::Rect drawnTitle = BoxOf(*x);
    const plat::Rect drawnNote = BoxOf(*n);
    EXPECT_LE(drawnNote.bottom, H);
    EXPECT_LE(drawnTitle.bottom, drawnNote.top + 1);

    bool held = false;
    for (const plat::Rect& b : chart.TextBoxes())
        held = held || (drawnTitle.left >= b.left - 1 && drawnTitle.right <= b.right + 1 &&
                        drawnTitle.top >= b.top - 1 && drawnTitle.bottom <= b.bottom + 1);
    EXPECT_TRUE(held) << "no box holds the x title drawn at " << drawnTitle.top << " - " << drawnTitle.bottom;

    const BoxPlace b = legend.Place();
    const plat::Rect placed{b.x, b.y, b.x + b.w, b.y + b.h};
    // At its own place (10 px in from the bottom right corner) it would cover both.
    const plat::Rect home{W - b.w - 10, H - b.h - 10, W - 10, H - 10};
    EXPECT_TRUE(Meet(home, drawnTitle));
    EXPECT_TRUE(Meet(home, drawnNote));
    EXPECT_FALSE(Meet(placed, drawnTitle)) << "legend " << placed.top << " - " << placed.bottom;
    EXPECT_FALSE(Meet(placed, drawnNote));
    // Nor does it cover the x numbers, which moved up with the plot's foot.
    for (const DrawCall& c : texts) {
        if (c.state.font.escapement == 0) {
            EXPECT_FALSE(Meet(placed, BoxOf(c))) << "\"" << c.text << "\"";
        }
    }
    EXPECT_GE(placed.top, 0);
    EXPECT_LE(placed.right, W);

    // A legend the user has dragged elsewhere stays where it was put.
    legend.Reposition(20, 20, b.w, b.h, 0);
    legend.EvLButtonDown(0, plat::Point{b.w / 2, b.h / 2});
    legend.EvMouseMove(1, plat::Point{b.w / 2 + 30, b.h / 2 + 40});
    legend.EvLButtonUp(0, plat::Point{b.w / 2 + 30, b.h / 2 + 40});
    const BoxPlace dragged = legend.Place();
    EXPECT_TRUE(legend.MovedByUser());
    chart.KeepLegendsClear();
    EXPECT_EQ(legend.Place(), dragged);
}

// A note wider than its chart is drawn in the text font lowered to fit 2 px inside each edge:
// still a character height (negative), as the chart's fonts are, and the largest that fits:
// one pixel more and it would stand wider than its room.
TEST_F(ChartLayout, AFittedNoteKeepsACharacterHeightAndOnePixelMoreWouldNotFit)
{
    for (const int W : {300, 366, 454}) {
        SCOPED_TRACE(W);
        const int H = 2 * W / 3;
        const std::string note = "Average Flexural Stiffness = 118 % of uncracked value";
        Tbigchart chart(nullptr, "Approx. Flexural Stiffness EI=M/|f", 0, 0, W, H, 0, 1, 0);
        chart.SetTitles("Approx. Flexural Stiffness EI=M/|f", "Length along member (mm)", "EI (MN.m^2)", 0, 1);
        chart.SetFontHeights(-H / 11, -H / 13);
        ASSERT_LT(chart.TextFont().height, 0);
        chart.AddPoint(0, 150);
        chart.AddPoint(2700, 60);
        chart.AutoScale();
        chart.EnableToggleText(1);
        chart.SetNote(note);
        chart.SetTextShown(1);
        const int room = W - 4;
        ASSERT_GT(Width(note, chart.TextFont()), room);

        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, H});
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        const DrawCall* n = Drawn(texts, note);
        ASSERT_NE(n, nullptr);
        plat::LogFont font = n->state.font;
        EXPECT_LT(font.height, 0);
        EXPECT_GT(font.height, chart.TextFont().height);
        const plat::Rect drawn = BoxOf(*n);
        EXPECT_GE(drawn.left, 2);
        EXPECT_LE(drawn.right, W - 2);
        EXPECT_LE(Width(note, font), room);
        font.height -= 1;
        EXPECT_GT(Width(note, font), room) << "a character height of " << -font.height << " fits too";
    }
}

// A chart wider than tall, 300 x 120, with a y title of about 90 px in its text font: the
// title is longer than the plot is high (not than the chart is wide), and its font is lowered
// until it stands no longer than the height between the top and bottom margins; drawn upward
// from the chart's middle, it stays inside the chart. A title of about 200 px would need letters
// lower than a readable text: the font stops at the least readable height and the title is left
// out.
TEST_F(ChartLayout, AYTitleLongerThanThePlotIsHighIsFittedToThatHeight)
{
    const int W = 300, H = 120;
    for (const int length : {90, 200}) {
        SCOPED_TRACE(length);
        Tbigchart chart(nullptr, "Moment", 0, 0, W, H, 0, 1, 0);
        chart.SetFontHeights(-14, -12);
        std::string yTitle = "Curvature";
        plat::LogFont text = chart.TextFont();
        while (Width(yTitle, text) < length)
            yTitle += yTitle.size() % 2 ? " x" : "y";
        ASSERT_GE(Width(yTitle, text), length);
        ASSERT_LE(Width(yTitle, text), length + 15);
        chart.SetTitles("Moment", "mm", yTitle, 0, 1);
        chart.AddPoint(0, 0);
        chart.AddPoint(10, 5);
        chart.AutoScale();

        const ChartMargins& m = chart.Margins();
        const int room = H - m.top - m.bottom;
        ASSERT_GT(room, 40);
        ASSERT_LT(room, 100);
        const int fitted = Width(yTitle, chart.TextFont());
        EXPECT_LT(chart.TextFont().height, 0);
        EXPECT_LE(chart.TextFont().height, -kLeastTextCharHeight);
        if (length == 90) {
            EXPECT_LE(fitted, room);
            EXPECT_GT(fitted, room / 2);
        }

        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, H});
        int drawn = 0;
        for (const DrawCall& c : dc.CallsOf("Text"))
            if (c.state.font.escapement == 900) {
                ++drawn;
                EXPECT_LE(c.run.width, room);
                // Upward from its point: from at.y up to at.y - width.
                EXPECT_LE(c.run.at.y, H);
                EXPECT_GE(c.run.at.y - c.run.width, 0);
            }
        EXPECT_EQ(drawn, length == 90 ? 1 : 0);
    }
}

// After a resize the text font's height is fractional (-13.33 of a chart made at -16 and
// 300 px high, now 250 px high); the x title is one or two pixels wider than the chart in the
// whole-pixel font that height gives. Fitted, it ends no wider than the chart, drawn inside
// both edges.
TEST_F(ChartLayout, AnAxisTitleJustTooWideAtAFractionalHeightEndsNoWiderThanTheChart)
{
    const std::string xTitle = "Average Longitudinal Strain over the Whole Depth of the Section, at the Cracks (mm/m)";
    plat::LogFont probe;
    {
        Tbigchart sample(nullptr, "", 0, 0, 400, 300, 1, 1, 0);
        probe = sample.TextFont();
    }
    probe.height = -13;
    const int wide = Width(xTitle, probe);
    ASSERT_GT(wide, 500);
    for (const int over : {1, 2}) {
        SCOPED_TRACE(over);
        const int W = wide - over;
        Tbigchart chart(nullptr, "", 0, 0, W, 300, 1, 1, 0);
        chart.SetFontHeights(-20, -16);
        chart.SetTitles("e", "", "", 1, 1);
        chart.Reposition(0, 0, W, 250, 0);
        const double sized = chart.SizedFontHeights().text;
        ASSERT_LT(sized, -13.0);
        ASSERT_GT(sized, -14.0);
        ASSERT_NE(sized, static_cast<int>(sized));
        chart.SetTitles("e", xTitle, "y", 1, 1);
        chart.AddPoint(0, 0);
        chart.AddPoint(10, 5);
        chart.AutoScale();
        EXPECT_LE(Width(xTitle, chart.TextFont()), W);
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, 250});
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        const DrawCall* x = Drawn(texts, xTitle);
        ASSERT_NE(x, nullptr);
        const plat::Rect box = BoxOf(*x);
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.right, W);
    }
}

} // namespace
