// Box handles, drags and font rules; the drawing-sheet helpers' texts, hit codes and corners;
// the values of "Edit Chart".

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/BoxGeometry.h"
#include "charts/DrawingSheet.h"
#include "charts/EditChartValues.h"
#include "charts/RichText.h"
#include "foundation/Units.h"
#include "support/RecordingDC.h"

namespace {

using DrawingSheet = ChartsGuiTest;

TEST(BoxGeometry, HandleCodesAndDrags)
{
    const int W = 200;
    const int H = 100;
    struct Case {
        int x, y, code;
    };
    const Case cases[] = {{0, 0, 0},     {100, 3, 1},  {195, 5, 2},  {3, 50, 3},  {199, 50, 4},
                          {5, H - 3, 5}, {199, 99, 6}, {100, 95, 7}, {100, 50, 8}, {10, 0, 8}};
    for (const Case& c : cases)
        EXPECT_EQ(HitTestHandle(c.x, c.y, W, H), c.code) << c.x << "," << c.y;

    const BoxPlace p{10, 20, 200, 100};
    EXPECT_EQ(ApplyHandleDrag(8, 5, 7, p), (BoxPlace{15, 27, 200, 100}));
    EXPECT_EQ(ApplyHandleDrag(0, 5, 7, p), (BoxPlace{15, 27, 195, 93}));
    EXPECT_EQ(ApplyHandleDrag(5, 5, 7, p), (BoxPlace{15, 20, 195, 107}));
    EXPECT_EQ(ApplyHandleDrag(1, 5, 7, p), (BoxPlace{10, 27, 200, 93}));
    EXPECT_EQ(ApplyHandleDrag(4, 5, 7, p), (BoxPlace{10, 20, 205, 100}));
    EXPECT_EQ(BandPoint(7, {3, 4}, {50, 60}, {-1, -1}), (plat::Point{3, 60}));
    EXPECT_EQ(CursorForHandle(5), HandleCursor::SizeNESW);
    EXPECT_EQ(CursorForHandle(8), HandleCursor::Arrow);
}

TEST(BoxGeometry, FontsFollowTheSize)
{
    EXPECT_EQ(RescaleFactor(400, 300, 800, 450), 2.0);
    // 260 x 130: text min(4 * 10 / 3, 20) = 13, title min(4 * 11 / 3, 23) = 14.
    EXPECT_EQ(BoxFontHeights(260, 130), (FontHeights{14, 13}));
    EXPECT_EQ(FirstPlacementFonts(1, true, 130, 65, {}), BoxFontHeights(260, 130));
    // A wide, low chart takes the larger (more negative) of the two rules.
    EXPECT_EQ(BigChartFontHeights(1600, 300), (FontHeights{-64, -40}));
    EXPECT_EQ(FirstPlacementFonts(2, false, 260, 100, {}), (FontHeights{260 / 6.2, 20}));
}

TEST(DrawingSheetText, DimensionsAndUnitNotes)
{
    EXPECT_EQ(DimensionText("", 12.34, kUnitUS), "12.3");
    EXPECT_EQ(DimensionText("", 150.4, kUnitSI), "150");
    EXPECT_EQ(DimensionText("d", 150.4, kUnitSI), "d");
    EXPECT_EQ(DimensionText(std::string(3000, 'x'), 1, kUnitSI).size(), kSheetTextLimit);
    EXPECT_EQ(UnitNote(kUnitOldMetric), "All dimensions in centimetres");
    EXPECT_EQ(UnitNote(7), "");
}

TEST(DrawingSheetText, ArrowHeadCorners)
{
    const ArrowCorners c = ArrowHeadCorners(100, 100, 10, 6, 90.0);
    EXPECT_EQ(c.p1, (plat::Point{97, 90}));
    EXPECT_EQ(c.p2, (plat::Point{103, 90}));
    const ArrowCorners r = ArrowHeadCorners(50, 50, 10, 4, 0.0);
    EXPECT_EQ(r.p1, (plat::Point{40, 52}));
    EXPECT_EQ(r.p2, (plat::Point{40, 48}));
}

TEST(DrawingSheetText, TitleTooWideIsShortened)
{
    // limit = trunc(0.585 * 1000 - 10) = 575; the column takes 575 - 4 * 20 - 10 = 485 and the
    // title 0.9 * 485 / 900 of its 100 characters.
    const TitleBlockLayout l = LayoutTitleBlock(1000, 10, 2, 900, 20, 20, 100);
    EXPECT_EQ(l.textColumn, 485);
    EXPECT_EQ(l.titleChars, 48u);
    const TitleBlockLayout s = LayoutTitleBlock(1000, 10, 0, 100, 20, 20, 10);
    EXPECT_EQ(s.textColumn, 250);
    EXPECT_EQ(s.titleChars, 10u);
    EXPECT_EQ(LayoutTitleBlock(1000, 10, 0, 0, 0, 18, 0).lineHeight, 18);
    // The large emblem (100 x 99) in a cell of 100: 0.95 of it, centred.
    EXPECT_EQ(EmblemBox(10, 20, 100, 100, 99), (plat::Rect{12, 23, 107, 117}));
}

// A title wider than a quarter of the sheet gets its width plus a line height of column (half a
// line each side), so it does not touch the border it shares with the element catalogue.
TEST(DrawingSheetText, AWideTitleKeepsRoomToTheBorders)
{
    // lh = 20; 300 + 20 + 4 * 20 < 975 (the limit): column 320, not 305.
    const TitleBlockLayout l = LayoutTitleBlock(1000, 10, 0, 300, 20, 20, 10);
    EXPECT_EQ(l.textColumn, 320);
    EXPECT_EQ(l.titleChars, 10u);
    // A title narrower than the quarter keeps the quarter.
    EXPECT_EQ(LayoutTitleBlock(1000, 10, 0, 200, 20, 20, 10).textColumn, 250);
}

// The notes stand right-aligned at w - 2 m above the title block; the summary page's materials
// charts (concrete, reinforcing and prestressing steel: three columns) reach to trunc(0.615 w).
// A note that would run under them is drawn in a smaller font that ends m short of them; beside
// the concrete chart alone (to 0.215 w) it keeps w / 60, as short notes do.
TEST_F(DrawingSheet, NotesStayClearOfTheMaterialsCharts)
{
    const int w = 1088, h = 1024, m = 12;
    const int chartsRight = static_cast<int>(0.615 * w);  // 669
    TitleBlockTexts t{"T-beam", "", "", "Clear cover to transverse reinforcement and to the ties =    24 mm",
                      "", ""};
    for (const int columns : {3, 1}) {
        SCOPED_TRACE(columns);
        RecordingDC dc;
        int field = 0;
        DrawTitleBlock(dc, 0, 0, w, h, t, columns, 5199, 5198, kUnitSI, m, field, {}, 1);
        std::vector<DrawCall> notes;
        for (const DrawCall& c : dc.CallsOf("Text"))
            if (c.run.at.x == w - 2 * m)
                notes.push_back(c);
        ASSERT_GE(notes.size(), 2u);  // the cover note and "All dimensions in millimetres"
        for (const DrawCall& c : notes) {
            EXPECT_EQ(c.state.font.height, notes[0].state.font.height);
            if (columns == 3) {
                EXPECT_GE(c.run.at.x + c.run.x0, chartsRight + m) << c.text;
            }
        }
        if (columns == 3)
            EXPECT_GT(notes[0].state.font.height, -(w / 60));  // smaller than w / 60
        else
            EXPECT_EQ(notes[0].state.font.height, -(w / 60));
    }
    // Short notes keep the font beside three charts.
    TitleBlockTexts shortNotes{"T-beam", "", "", "Cover = 24 mm", "", ""};
    RecordingDC dc;
    int field = 0;
    DrawTitleBlock(dc, 0, 0, w, h, shortNotes, 3, 5199, 5198, kUnitSI, m, field, {}, 1);
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.run.at.x == w - 2 * m) {
            EXPECT_EQ(c.state.font.height, -(w / 60)) << c.text;
        }
}

TEST_F(DrawingSheet, TitleBlockHitCodes)
{
    plat::Image image(1000, 700);
    plat::DC dc(image);
    TitleBlockTexts t{"Section A", "Left", "Right", "note one", "note two", "note three"};
    plat::LogFont titleFont;
    titleFont.height = -(1000 / 50);
    titleFont.weight = 700;
    const plat::Size ts = MeasureRichText(dc, t.title, titleFont);
    const plat::Size ps = MeasureRichText(dc, "Left       Right", titleFont);
    const TitleBlockLayout l = LayoutTitleBlock(1000, 10, 0, std::max(ts.cx, ps.cx),
                                                std::max(ts.cy, ps.cy), 0, t.title.size());
    const int lh = l.lineHeight;
    const int cw = l.textColumn;
    const int noteBase = 700 - 4 * lh;

    struct Case {
        plat::Point p;
        int code;
        int field;
    };
    const Case cases[] = {
        {{990 - cw / 2, 690 - 3 * lh}, 1, 0},  {{990 - cw + 3, 690 - lh}, 1, 1},
        {{985, 690 - lh}, 1, 2},               {{990 - cw - 2 * lh, 690 - lh}, 7, -7},
        {{975, noteBase - 40 - 3}, 2, -7},     {{975, noteBase - 60 - 3}, 18, -7},
        {{975, noteBase - 80 - 3}, 16, 5},     {{100, 100}, 0, -7},
        {{5, 5}, 9, -7},
    };
    for (const Case& c : cases) {
        int field = -7;
        EXPECT_EQ(DrawTitleBlock(dc, 0, 0, 1000, 700, t, 0, 5199, 5198, kUnitSI, 10, field, c.p, 0), c.code)
            << c.p.x << "," << c.p.y;
        EXPECT_EQ(field, c.field);
    }
    int field = 0;
    EXPECT_EQ(DrawTitleBlock(dc, 0, 0, 1000, 700, t, 0, 5199, 5198, kUnitSI, 10, field, {}, 1),
              700 - 5 * lh - 60 - 2);
}

TEST_F(DrawingSheet, LongDimensionTextGoesLeftOfTheLine)
{
    const auto darkLeftOf = [](const plat::Image& img, int x) {
        for (int yy = 0; yy < img.Height(); ++yy)
            for (int xx = 0; xx < x; ++xx)
                if (img.Pixel(xx, yy) == plat::Colors::Black)
                    return true;
        return false;
    };
    plat::Image narrow(400, 200);
    plat::DC a(narrow);
    DrawDimension(a, 300, 150, 320, 150, 20, "a long dimension", 1.0, 0, 60, kUnitSI);
    EXPECT_TRUE(darkLeftOf(narrow, 280));
    plat::Image wide(400, 200);
    plat::DC b(wide);
    DrawDimension(b, 100, 150, 380, 150, 20, "12", 1.0, 0, 60, kUnitSI);
    EXPECT_FALSE(darkLeftOf(wide, 90));
    // Too short to draw.
    plat::Image none(100, 100);
    plat::DC c(none);
    DrawDimension(c, 10, 50, 90, 50, 10, "", 0.0001, 0, 60, kUnitSI);
    EXPECT_FALSE(darkLeftOf(none, 100));
}

TEST_F(DrawingSheet, VerticalDimensionAndArrowHeads)
{
    // From (200, 100) to (200, 300), 20 to the left with a gap of 10: the line at x = 175,
    // the text "200" reading upward beside it, which is what lies farthest left.
    RecordingDC dc;
    const int left = DrawVerticalDimension(dc, 200, 100, 200, 300, 20, 10, "", 200.0, kUnitSI, 60);
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "200");
    EXPECT_EQ(texts[0].state.font.escapement, 900);
    EXPECT_EQ(texts[0].state.font.height, 20);
    const int th = texts[0].run.ascent + texts[0].run.descent;
    EXPECT_EQ(texts[0].run.at.x, 175 - th);
    EXPECT_EQ(left, 175 - th);

    RecordingDC filled;
    DrawArrowHead(filled, 100, 100, 10, 6, 90.0, true, plat::Colors::LtRed);
    const std::vector<DrawCall> polygon = filled.CallsOf("Polygon");
    ASSERT_EQ(polygon.size(), 1u);
    EXPECT_EQ(polygon[0].state.brush.color, plat::Colors::LtRed);
    EXPECT_EQ(polygon[0].points[1], (plat::Point{97, 90}));
    RecordingDC outline;
    DrawArrowHead(outline, 100, 100, 10, 6, 90.0, false, plat::Colors::LtRed);
    EXPECT_EQ(outline.CallsOf("Line").size(), 3u);
}

TEST(EditChartValues, FieldsRoundTrip)
{
    ChartData d(2, -1, 0);
    d.ClearData();
    d.AddPoint(0.123, 150.0);
    d.AddPoint(4.5678, 2500.0);
    d.AutoScale();
    EditChartFields f = ReadEditChartFields(d, 2);
    EXPECT_EQ(f.yDecimals, "1");
    EXPECT_EQ(f.thickness, "2");
    // What the dialog tests leave out: the y side in exponent form, tick steps of both
    // kinds on their own axes, an empty thickness.
    f.yDecimals = "15";
    f.xTick = "None";
    f.yTick = "250";
    f.thickness = "";
    EXPECT_EQ(ApplyEditChartFields(f, d), 0);
    EXPECT_TRUE(d.IsAutoEnd(ChartEnd::XMax));
    EXPECT_EQ(d.YFormat().format, "%5.9e");
    EXPECT_EQ(d.XStep(), 3.1415626e31);
    EXPECT_EQ(d.YStep(), 250.0);
}

TEST(EditChartValues, TicksDecimalsAndFonts)
{
    for (const char* none : {"None", "0", "-1", "abc", ""})
        EXPECT_EQ(TickStepFromText(none), 3.1415626e31) << none;
    EXPECT_EQ(TickStepFromText("0.25"), 0.25);
    EXPECT_EQ(TickStepText(MakeAxisFormat(1), 3.1415626e31), "None");
    EXPECT_EQ(DecimalsFromText("4"), 4);
    EXPECT_EQ(DecimalsFromText("99999999999999999999"), 9);
    EXPECT_EQ(WithDecimals(MakeAxisFormat(-1), DecimalsFromText("2")).format, "%5.2e");
    EXPECT_EQ(FontPointSize(-16, 96), 12);
    EXPECT_EQ(FontPointSize(-13, 96), 10);
    EXPECT_EQ(FontDescription("Arial", 12), "Arial, 12 points");
}

} // namespace
