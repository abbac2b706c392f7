// The contour charts: the grid read from the chart data and its faults, the wire-mesh segments
// and where they land on the floor, the colour indices and palettes, the mirrored image with
// its cells, the export text and the menu.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "ChartsFixture.h"
#include "charts/TContour.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

constexpr double kNo = kContourNoValue;

// Chart data of an n x n grid, value(i, j) at pair 1 + n j + i.
template <class F>
std::vector<double> GridData(double extent, int n, F value)
{
    std::vector<double> d{extent, static_cast<double>(n)};
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            d.push_back(100.0 - 2 * j);
            d.push_back(value(i, j));
        }
    return d;
}

void Feed(Tchart& chart, const std::vector<double>& d, double yMax = -1.0)
{
    chart.ClearData();
    if (yMax > 0.0) {
        chart.SetAxisEnd(ChartEnd::YMin, 0.0);
        chart.SetAxisEnd(ChartEnd::YMax, yMax);
    }
    for (std::size_t k = 0; k + 1 < d.size(); k += 2)
        chart.AddPoint(d[k], d[k + 1]);
    chart.AutoScale();
}

TEST(ContourGrid, ThreeByThreeMeshHasTwelveSegmentsAndEightWithoutItsCentre)
{
    std::vector<double> full = GridData(1.0, 3, [](int i, int j) { return i + 10.0 * j; });
    EXPECT_EQ(ContourMeshSegments(ReadContourGrid(full)).size(), 12u);
    std::vector<double> holed = GridData(1.0, 3, [](int i, int j) { return i == 1 && j == 1 ? kNo : 1.0; });
    const std::vector<GridSegment> s = ContourMeshSegments(ReadContourGrid(holed));
    EXPECT_EQ(s.size(), 8u);
    for (const GridSegment& g : s)
        EXPECT_FALSE((g.i0 == 1 && g.j0 == 1) || (g.i1 == 1 && g.j1 == 1));
    // A value near but not within 1e-31 of the mark is a value.
    EXPECT_TRUE(IsContourNoValue(-3.14e-31));
    EXPECT_TRUE(IsContourNoValue(-3.0e-31));
    EXPECT_FALSE(IsContourNoValue(-5.0e-31));
    EXPECT_FALSE(IsContourNoValue(0.0));
}

TEST(ContourGrid, RefusesFewerThanTwoPointsAndMissingValues)
{
    EXPECT_FALSE(ReadContourGrid({1.0, 1.0, 0.0, 5.0}).Valid()); // n = 1 divides by n - 1
    std::vector<double> d = GridData(1.0, 3, [](int, int) { return 1.0; });
    d.resize(d.size() - 2); // eight values for nine points
    EXPECT_FALSE(ReadContourGrid(d).Valid());
    EXPECT_FALSE(ReadContourGrid({1.0, 1e9}).Valid());
    EXPECT_FALSE(ReadContourGrid({}).Valid());
    EXPECT_TRUE(ReadContourGrid(GridData(0.4, 2, [](int, int) { return 1.0; })).Valid());
}

TEST(ContourGrid, ColourIndicesOfTheScaleAndOfNoValue)
{
    EXPECT_EQ(ContourColourIndex(45.0, 0.0, 90.0), 46);
    EXPECT_EQ(ContourColourIndex(90.0, 0.0, 90.0), 90);
    EXPECT_EQ(ContourColourIndex(0.0, 0.0, 90.0), 1);
    EXPECT_EQ(ContourColourIndex(-10.0, 0.0, 90.0), 1);
    EXPECT_EQ(ContourColourIndex(1e30, 0.0, 90.0), 1); // the first colour of the scale
    EXPECT_EQ(ContourColourIndex(kNo, 0.0, 90.0), kContourWhite);
    EXPECT_EQ(ContourColourIndex(45.0, 5.0, 5.0005), kContourWhite); // no range: white map
    // Palette: blue at the cold end, red at 45, yellow-green toward the hot end.
    EXPECT_EQ(ContourPaletteColour(1, false), plat::Color(5, 0, 251));
    EXPECT_EQ(ContourPaletteColour(44, false), plat::Color(220, 0, 36));
    EXPECT_EQ(ContourPaletteColour(45, false), plat::Color(255, 0, 0));
    EXPECT_EQ(ContourPaletteColour(90, false), plat::Color(30, 250, 0));
    EXPECT_EQ(ContourPaletteColour(0, false), plat::Color(0, 0, 0));
    EXPECT_EQ(ContourPaletteColour(kContourWhite, false), plat::Color(255, 255, 255));
    EXPECT_EQ(ContourPaletteColour(30, true), plat::Color(60, 60, 60));
    EXPECT_EQ(ContourPaletteColour(kContourWhite, true), plat::Color(255, 255, 255));
}

TEST(ContourGrid, ImageCellsAreMirroredAndNarrowWhenFirstColumnsAreEmpty)
{
    // 3 x 3, extent 1: S = 299, S1 = 300, q = (1/3) 300 / 1.0001 = 99.99; t = 0.
    const std::vector<double> d = GridData(1.0, 3, [](int i, int j) { return 30.0 * j + i; });
    const std::vector<ContourCell> c = ContourImageCells(ReadContourGrid(d), 299, 0.0, 90.0);
    ASSERT_EQ(c.size(), 18u);
    // Point (0, 0): cell 0..100 x 0..100 and its mirror 500..600; (i, j) = (2, 2) at the
    // centre line, 200..300 and 300..400, rows 200..300.
    EXPECT_EQ(c[0].rect, (plat::Rect{0, 0, 100, 100}));
    EXPECT_EQ(c[1].rect, (plat::Rect{500, 0, 600, 100}));
    EXPECT_EQ(c[0].colour, 1);
    EXPECT_EQ(c[16].rect, (plat::Rect{200, 200, 300, 300}));
    EXPECT_EQ(c[17].rect, (plat::Rect{300, 200, 400, 300}));
    EXPECT_EQ(c[16].colour, ContourColourIndex(62.0, 0.0, 90.0));

    // Column j = 0 without values: r = 2 columns, shift t = trunc(-q) = -99.
    const std::vector<double> e =
        GridData(1.0, 3, [](int i, int j) { return j == 0 ? kNo : 30.0 * j + i; });
    EXPECT_EQ(FirstUsedContourColumn(ReadContourGrid(e)), 1);
    const std::vector<ContourCell> n = ContourImageCells(ReadContourGrid(e), 299, 0.0, 90.0);
    ASSERT_EQ(n.size(), 12u);
    EXPECT_EQ(n[0].rect, (plat::Rect{1, 0, 101, 100}));
    EXPECT_EQ(n[1].rect, (plat::Rect{301, 0, 401, 100})); // 600 - 200 + 0.5 - 99
}

TEST(ContourGrid, ExportTextListsRowsAndMarksNoValue)
{
    const std::vector<double> d = GridData(1.0, 2, [](int i, int j) { return i == 1 && j == 0 ? kNo : 10.0 * i + j; });
    EXPECT_EQ(ContourExportText(ReadContourGrid(d)),
              "Data Profile\r\nOne data point in four is shown in this output\r\n"
              "so the edges may appear slightly off\r\n"
              "  0.0\t  1.0\t\r\n"
              "N/A\t 11.0\t\r\n"
              "\r\n");
    EXPECT_EQ(ContourExportText(ContourGrid{}),
              "Data Profile\r\nOne data point in four is shown in this output\r\n"
              "so the edges may appear slightly off\r\n\r\n");
}

class ContourCharts : public ChartsGuiTest {};

TEST_F(ContourCharts, MeshLandsOnTheFloorAndRisesByTheValueScale)
{
    TContour3D chart(nullptr, "Temperature", 0, 0, 400, 300);
    EXPECT_EQ(chart.Kind(), 21);
    // Corners at 0 and the centre at 10.
    Feed(chart, GridData(1.0, 3, [](int i, int j) { return i == 1 && j == 1 ? 10.0 : 0.0; }), 10.0);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    std::vector<DrawCall> mesh;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::LtBlue)
            mesh.push_back(c);
    ASSERT_EQ(mesh.size(), 12u);
    const std::vector<DrawCall> floors = dc.CallsOf("Polyline");
    ASSERT_FALSE(floors.empty());
    const std::vector<plat::Point>& f = floors[0].points; // left, front, right, back, left
    ASSERT_EQ(f.size(), 5u);
    // d = 400 / 2.5 = 160, half-diagonals 160 cos 25 = 145 and 160 sin 25 = 67 pixels.
    EXPECT_EQ(f[2].x - f[0].x, 290);
    EXPECT_EQ(f[1].y - f[0].y, 67);
    // The first segment joins (0, 0), the back corner, to (1, 0), half-way toward the left one.
    EXPECT_NEAR(mesh[0].points[0].x, f[3].x, 1);
    EXPECT_NEAR(mesh[0].points[0].y, f[3].y, 1);
    EXPECT_NEAR(mesh[0].points[1].x, (f[3].x + f[0].x) / 2.0, 1);
    // The centre lies 10 k above the floor's middle: k = (300 - top - 15 - 2 x 67) / 10, the
    // field's top 1.1 title heights down (more than the 15 pixels of the margin below).
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    ASSERT_FALSE(texts.empty());
    ASSERT_EQ(texts[0].text, "Temperature");
    const int titleHeight = texts[0].run.ascent + texts[0].run.descent;
    const int top = static_cast<int>(1.1 * titleHeight);
    ASSERT_GT(top, 15);
    const MeshProjection& p = chart.Projection();
    const plat::Point centre = MeshPoint(p, 3, 1, 1, 10.0);
    EXPECT_NEAR(centre.x, (f[0].x + f[2].x) / 2.0, 1);
    EXPECT_NEAR(centre.y, f[0].y - (300 - top - 15 - 134), 1);
    // No line of the picture, the back posts included, reaches into the title's rows.
    for (const DrawCall& c : dc.Calls()) {
        if (c.op != "Line" && c.op != "Polyline")
            continue;
        for (const plat::Point& q : c.points)
            EXPECT_GE(q.y, titleHeight) << c.op << " at " << q.x << "," << q.y;
    }

    // The centre undefined: eight segments; a short grid: "No Data".
    Feed(chart, GridData(1.0, 3, [](int i, int j) { return i == 1 && j == 1 ? kNo : 1.0; }));
    RecordingDC holed;
    chart.Paint(holed, true, {0, 0, 400, 300});
    int blue = 0;
    for (const DrawCall& c : holed.CallsOf("Line"))
        blue += c.state.pen.color == plat::Colors::LtBlue;
    EXPECT_EQ(blue, 8);
    Feed(chart, {1.0, 4.0, 0.0, 1.0, 0.0, 2.0});
    RecordingDC none;
    chart.Paint(none, true, {0, 0, 400, 300});
    EXPECT_EQ(none.Texts(), (std::vector<std::string>{"No Data"}));
    EXPECT_NE(chart.ExportText().find("shown in this output"), std::string::npos);
    EXPECT_EQ(chart.ExportText().find("N/A"), std::string::npos);
}

TEST_F(ContourCharts, ColourImageShowsTheFieldMirroredWithItsScale)
{
    TContourColour chart(nullptr, "Temperature", 0, 0, 480, 300);
    EXPECT_EQ(chart.Kind(), 20);
    // Left column (j = 0) at 90, centre column at 45, one point without a value.
    Feed(chart, GridData(1.0, 3, [](int i, int j) { return i == 2 && j == 0 ? kNo : 90.0 - 22.5 * j; }), 90.0);
    RecordingDC rec;
    chart.Paint(rec, true, {0, 0, 480, 300});
    const std::vector<DrawCall> images = rec.CallsOf("DrawImage");
    ASSERT_EQ(images.size(), 1u);
    const plat::Rect r = images[0].rect;
    EXPECT_EQ(r.Width(), 2 * r.Height()); // all three columns used: twice as wide as high
    // 90 bands of the scale, the lowest in the first colour.
    int bands = 0;
    for (const DrawCall& c : rec.CallsOf("FillRect"))
        bands += c.rect.right - c.rect.left == 480 / 24;
    EXPECT_EQ(bands, 90);

    plat::MemoryDC mem(480, 300, plat::Colors::White);
    chart.Paint(mem, true, {0, 0, 480, 300});
    const plat::Image& px = mem.Bitmap();
    const int S = r.Height();
    const double q = S / 3.0;
    const auto at = [&](double x, double y) { return px.Pixel(r.left + static_cast<int>(x), r.top + static_cast<int>(y)); };
    EXPECT_EQ(at(0.5 * q, 0.5 * q), ContourPaletteColour(90, false));          // hot edge, left
    EXPECT_EQ(at(2 * S - 0.5 * q, 0.5 * q), ContourPaletteColour(90, false));  // and its mirror
    EXPECT_EQ(at(2.5 * q, 0.5 * q), ContourPaletteColour(46, false));          // centre column at 45
    EXPECT_EQ(at(0.5 * q, 2.5 * q), plat::Color(255, 255, 255));               // no value: white
    EXPECT_EQ(at(2 * S - 0.5 * q, 2.5 * q), plat::Color(255, 255, 255));

    // Grey in black-and-white.
    chart.SetBlackAndWhite(1);
    plat::MemoryDC grey(480, 300, plat::Colors::White);
    chart.Paint(grey, true, {0, 0, 480, 300});
    EXPECT_EQ(grey.Bitmap().Pixel(r.left + static_cast<int>(0.5 * q), r.top + static_cast<int>(0.5 * q)),
              ContourPaletteColour(90, true));
}

// The colour scale bar of a 480 x 300 chart on a value axis from 0 to 90: W / 24 = 20 px wide
// at the value axis, from its foot at H - trunc(0.1 H) = 270 up to the axis top, outlined;
// inside, 90 equal bands from the foot up, band k between trunc(270 - k b) and
// trunc(270 - (k + 1) b) (b the bar's height over 90) in palette colour k + 1, so the band at
// the height of 45 on the axis has the colour the image gives a value of 45. Grey on paper in
// black and white.
TEST_F(ContourCharts, ColourScaleBarBandsByHand)
{
    TContourColour chart(nullptr, "Temperature", 0, 0, 480, 300);
    Feed(chart, GridData(1.0, 3, [](int, int j) { return 90.0 - 22.5 * j; }), 90.0);
    ASSERT_DOUBLE_EQ(chart.Data().AxisRange().yMin, 0.0);
    ASSERT_DOUBLE_EQ(chart.Data().AxisRange().yMax, 90.0);
    for (const bool grey : {false, true}) {
        SCOPED_TRACE(grey);
        chart.SetBlackAndWhite(grey ? 1 : 0);
        RecordingDC rec;
        chart.Paint(rec, true, {0, 0, 480, 300});
        const std::vector<DrawCall> outlines = rec.CallsOf("Polyline");
        ASSERT_FALSE(outlines.empty());
        const std::vector<plat::Point>& o = outlines.front().points;
        ASSERT_EQ(o.size(), 5u);
        const int x0 = o[0].x, foot = o[0].y, top = o[2].y;
        EXPECT_EQ(foot, 270);
        EXPECT_EQ(o[1], (plat::Point{x0 + 20, 270}));
        EXPECT_EQ(o[3], (plat::Point{x0, top}));
        EXPECT_EQ(o[4], o[0]);
        // The value axis runs up the bar's left edge, from its foot to its top.
        bool axis = false;
        for (const DrawCall& c : rec.CallsOf("Line"))
            axis = axis || (c.points[0] == plat::Point{x0, 270} && c.points[1] == plat::Point{x0, top});
        EXPECT_TRUE(axis);
        ASSERT_GT(270 - top, 150);

        std::vector<DrawCall> bands;
        for (const DrawCall& c : rec.CallsOf("FillRect"))
            if (c.rect.left == x0 && c.rect.right == x0 + 20)
                bands.push_back(c);
        ASSERT_EQ(bands.size(), 90u);
        const double b = (270 - top) / 90.0;
        for (int k = 0; k < 90; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(bands[k].rect.bottom, static_cast<int>(270 - k * b));
            EXPECT_EQ(bands[k].rect.top, static_cast<int>(270 - (k + 1) * b));
            EXPECT_EQ(bands[k].color, ContourPaletteColour(k + 1, grey));
        }
        const int y45 = static_cast<int>(270 - 45.5 * b);
        for (const DrawCall& c : bands) {
            if (c.rect.top <= y45 && y45 < c.rect.bottom) {
                EXPECT_EQ(c.color, ContourPaletteColour(46, grey));
            }
        }
    }
    EXPECT_NE(ContourPaletteColour(1, false), ContourPaletteColour(90, false));
}

TEST_F(ContourCharts, OutlineIsDrawnOverTheImageAtTheGridScale)
{
    TContourColour chart(nullptr, "", 0, 0, 480, 300);
    Feed(chart, GridData(0.5, 3, [](int, int) { return 20.0; }), 90.0);
    struct Seen {
        double x = 0, y = 0, s = 0;
        int calls = 0;
    } seen;
    ContourOutlineDrawer previous = SetContourOutlineDrawer(
        [&](plat::DC&, const TStructure&, double x, double y, double s) { seen = {x, y, s, seen.calls + 1}; });
    RecordingDC none;
    chart.Paint(none, true, {0, 0, 480, 300});
    EXPECT_EQ(seen.calls, 0); // no structure attached
    chart.AttachStructure(reinterpret_cast<TStructure*>(&seen)); // identity only: the drawer is a stub
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 480, 300});
    SetContourOutlineDrawer(std::move(previous));
    chart.AttachStructure(nullptr);
    const plat::Rect r = dc.CallsOf("DrawImage").at(0).rect;
    const int S = r.Height();
    EXPECT_EQ(seen.calls, 1);
    EXPECT_DOUBLE_EQ(seen.x, S);              // centred on the image of width 2 S
    EXPECT_DOUBLE_EQ(seen.y, S + 1.0);        // bottom of the section at S1
    EXPECT_DOUBLE_EQ(seen.s, (S + 1.0) / 0.5001); // the grid's 0.5 m over S1 pixels
}

TEST_F(ContourCharts, ValueScaleFollowsTheValuesNotTheHeader)
{
    // Strength factors 0..1 behind the header (extent, 51): the scale must not reach 51.
    TContourColour chart(nullptr, "", 0, 0, 480, 300);
    Feed(chart, GridData(0.4, 3, [](int i, int) { return 0.5 * i; }));
    EXPECT_LE(chart.GetAxisRange().yMax, 1.5);
    EXPECT_GE(chart.GetAxisRange().yMax, 1.0);
    EXPECT_DOUBLE_EQ(chart.GetAxisRange().yMin, 0.0);
}

TEST_F(ContourCharts, MenuAndEditTitle)
{
    TContour3D chart(nullptr, "Field", 0, 0, 400, 300);
    std::vector<std::string> items;
    for (const plat::MenuItem& i : chart.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Picture", "", "View Data", "", "Select Font", "Edit Title"}));
    ScriptedUi ui;
    ui.Input("Enter title of this drawing", std::nullopt).Input("Enter title of this drawing", std::string("Heat"));
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "Field");
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "Heat");
}


TEST(ContourGrid, LogarithmicAxisTicksByDecadesAndScalesByTheirLogarithms)
{
    EXPECT_EQ(LogDecadeTicks(0.5, 2000.0), (std::vector<double>{1.0, 10.0, 100.0, 1000.0}));
    EXPECT_EQ(LogDecadeTicks(10.0, 1000.0), (std::vector<double>{10.0, 100.0, 1000.0})); // the ends themselves
    const std::vector<double> many = LogDecadeTicks(1.0, 1e15);
    ASSERT_EQ(many.size(), 10u); // at most ten
    EXPECT_DOUBLE_EQ(many.back(), 1e9);
    EXPECT_TRUE(LogDecadeTicks(3.0, 5.0).empty());   // no decade inside
    EXPECT_TRUE(LogDecadeTicks(0.0, 100.0).empty()); // no logarithm of 0

    // 10 .. 1000 over 300 pixels up from 400: 150 pixels a decade, value 1 at 400 + 150.
    const ValueAxis a = MakeValueAxis(10.0, 1000.0, true, 400, 300);
    EXPECT_TRUE(a.log);
    EXPECT_DOUBLE_EQ(a.k, 150.0);
    EXPECT_EQ(a.y0, 550);
    EXPECT_EQ(AxisY(a, 10.0), 400);
    EXPECT_EQ(AxisY(a, 100.0), 250);
    EXPECT_EQ(AxisY(a, 1000.0), 100);
    // A minimum of 0 has no logarithm: the axis stays linear, 3 pixels a unit.
    const ValueAxis lin = MakeValueAxis(0.0, 100.0, true, 400, 300);
    EXPECT_FALSE(lin.log);
    EXPECT_DOUBLE_EQ(lin.k, 3.0);
    EXPECT_EQ(AxisY(lin, 50.0), 250);
    EXPECT_EQ(MakeValueAxis(5.0, 5.0, true, 400, 300).k, 0.0); // no range
}

TEST_F(ContourCharts, LogarithmicMeshAxisLabelsDecadesWhereTheyFall)
{
    TContour3D chart(nullptr, "Value", 0, 0, 400, 300);
    chart.SetLogarithmic(true);
    chart.ClearData();
    chart.SetAxisEnd(ChartEnd::YMin, 1.0);
    chart.SetAxisEnd(ChartEnd::YMax, 1000.0);
    const std::vector<double> d = GridData(1.0, 3, [](int i, int j) { return i == 1 && j == 1 ? 1000.0 : 1.0; });
    for (std::size_t k = 0; k + 1 < d.size(); k += 2)
        chart.AddPoint(d[k], d[k + 1]);
    chart.AutoScale();
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    // The axis foot at 300 - 15 - 67 = 218; the axis rises from the field's top, 1.1 title
    // heights down, plus the floor's 67: 218 - top - 67 pixels for three decades.
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    ASSERT_FALSE(texts.empty());
    const int fieldTop = static_cast<int>(1.1 * (texts[0].run.ascent + texts[0].run.descent));
    const double decade = (218 - fieldTop - 67) / 3.0;
    std::vector<int> ticks;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::Black && c.points[0].y == c.points[1].y &&
            c.points[1].x - c.points[0].x == 4)
            ticks.push_back(c.points[0].y);
    ASSERT_EQ(ticks.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(ticks[static_cast<std::size_t>(k)], 218 - k * decade, 1) << k;
    // The centre (1000) at the top of the axis, the corners (1) on the floor.
    const plat::Point centre = MeshPoint(chart.Projection(), 3, 1, 1, 3.0);
    bool top = false;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::LtBlue)
            for (const plat::Point& q : c.points)
                top = top || (q.x == centre.x && q.y == centre.y);
    EXPECT_TRUE(top);
    EXPECT_NEAR(centre.y, 218 - 3 * decade, 1); // the floor's middle (at the foot), three decades up
}

} // namespace
