// The colour map against its data contract with a small test mesh: bins of distinct and of
// many values, the bin of a value at and around the limits, the ramp and the fixed palette,
// "Set Bin Range", the menus by data kind, "No Data", the legend texts, the element fills by
// pixel, the 3-D mode cycle and the mesh checks of the link.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <set>

#include "ChartsFixture.h"
#include "charts/TColourMap.h"
#include "charts/TFauxGLWindow.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

constexpr double kHeader = 3.1415626e31;

std::vector<double> Values(std::initializer_list<double> v, int kind = kMapValues)
{
    std::vector<double> d{kHeader, static_cast<double>(kind)};
    for (const double x : v) {
        d.push_back(x);
        d.push_back(0.0);
    }
    return d;
}

TEST(ColourMapBins, DistinctValuesGiveTheirOwnBinsManyValuesAnEvenRamp)
{
    ColourBins b;
    double lo = 0, hi = 0;
    ComputeBins(b, Values({3, 2, 2, 1, kMapNoValue}), 5, lo, hi);
    EXPECT_EQ(b.count, 3);
    EXPECT_EQ(b.continuous, 0);
    EXPECT_EQ(b.limit[0], 1.0f);
    EXPECT_EQ(b.limit[1], 2.0f);
    EXPECT_EQ(b.limit[2], 3.0f);
    EXPECT_EQ(b.limit[3], kBinEnd);
    EXPECT_DOUBLE_EQ(lo, 1.0);
    EXPECT_DOUBLE_EQ(hi, 3.0);

    std::vector<double> many{kHeader, kMapValues};
    for (int v = 1; v <= 30; ++v)
        many.insert(many.end(), {static_cast<double>(v), 0.0});
    ComputeBins(b, many, 30, lo, hi);
    EXPECT_EQ(b.count, 24);
    EXPECT_EQ(b.continuous, 1);
    EXPECT_FLOAT_EQ(b.limit[0], 1.0f + 29.0f / 24.0f);
    EXPECT_FLOAT_EQ(b.limit[23], 30.0f);
    EXPECT_EQ(b.limit[24], kBinEnd);
}

TEST(ColourMapBins, BinOfAValueAtAndAroundTheLimits)
{
    ColourBins b;
    double lo = 0, hi = 0;
    ComputeBins(b, Values({1, 2, 3}), 3, lo, hi);
    EXPECT_EQ(GetBinIndex(b, 2.0), 2); // on a limit: that limit's bin
    EXPECT_EQ(GetBinIndex(b, 3.0), 3);
    EXPECT_EQ(GetBinIndex(b, 1.5), 2);
    EXPECT_EQ(GetBinIndex(b, 3.01), -1); // above the last limit
    EXPECT_EQ(GetBinIndex(b, -0.05), 1); // below limit 0 by less than 1.1 widths
    EXPECT_EQ(GetBinIndex(b, -0.2), -1);
    EXPECT_EQ(GetBinIndex(b, kMapNoValue), -1);
    ColourBins one;
    EXPECT_EQ(GetBinIndex(one, 55.0), 1);
}

TEST(ColourMapBins, RampPaletteGreysAndFixedCodes)
{
    ColourBins b;
    SetBinRange(b, 0.0, 24.0, 24); // continuous, 24 bins: 500 div 24 = 20, half 12
    EXPECT_EQ(GetBinColour(b, 1, false), plat::Color(20, 0, 236));
    EXPECT_EQ(GetBinColour(b, 12, false), plat::Color(255, 0, 0));
    EXPECT_EQ(GetBinColour(b, 24, false), plat::Color(15, 250, 0));
    EXPECT_EQ(GetBinColour(b, 25, false), plat::Color(0, 0, 0));
    EXPECT_EQ(GetBinColour(b, 26, false), plat::Color(255, 255, 255));
    EXPECT_EQ(GetBinColour(b, 28, false), plat::Color(236, 236, 236));
    EXPECT_EQ(GetBinColour(b, 5, true), plat::Color(50, 50, 50)); // (250 div 24) x 5
    b.continuous = 0;
    EXPECT_EQ(GetBinColour(b, 7, false), plat::Color(255, 0, 0)); // the fixed palette
    EXPECT_EQ(GetBinColour(b, 22, false), plat::Color(255, 128, 0));
}

TEST(ColourMapBins, SetBinRangeParsesAndClamps)
{
    double lo = 1, hi = 2;
    int n = 3;
    ParseBinRange("0 , 10\t5", lo, hi, n);
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 10.0);
    EXPECT_EQ(n, 5);
    ColourBins b;
    SetBinRange(b, lo, hi, n);
    EXPECT_EQ(b.count, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_FLOAT_EQ(b.limit[static_cast<std::size_t>(i)], 2.0f * (i + 1));
    EXPECT_EQ(b.limit[5], kBinEnd);
    ParseBinRange("-4", lo, hi, n); // the missing tokens keep their values
    EXPECT_DOUBLE_EQ(lo, -4.0);
    EXPECT_DOUBLE_EQ(hi, 10.0);
    EXPECT_EQ(n, 5);
    ParseBinRange("0,1,40", lo, hi, n);
    EXPECT_EQ(n, 24);
    ParseBinRange("0,1,-3", lo, hi, n);
    EXPECT_EQ(n, 1);
    // A count or a limit that is no number is refused, and nothing is taken.
    EXPECT_EQ(ParseBinRange("5,6,10bins", lo, hi, n), "Number of bins must be a whole number from 1 to 24.");
    EXPECT_EQ(ParseBinRange("5,6,ten", lo, hi, n), "Number of bins must be a whole number from 1 to 24.");
    EXPECT_EQ(ParseBinRange("0.5mm,6,10", lo, hi, n), "Minimum must be a number from -1e+30 to 1e+30.");
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 1.0);
    EXPECT_EQ(n, 1);
}

TEST(ColourMapMenus, ItemsByDataKind)
{
    const auto texts = [](int kind) {
        std::vector<std::string> t;
        for (const plat::MenuItem& i : ColourMapMenuItems(kind))
            t.push_back(i.text);
        return t;
    };
    EXPECT_EQ(texts(kMapValues), (std::vector<std::string>{"Select value for white lines", "Copy Chart Picture",
                                                           "Copy Chart Data ", "View Data", "", "Set Animation Rate",
                                                           "Set Bin Range", "Freeze/Thaw Bins"}));
    EXPECT_EQ(texts(kMapSupports), (std::vector<std::string>{"Copy Chart Picture"}));
    EXPECT_EQ(texts(kMapLineSelection), (std::vector<std::string>{}));
    const std::vector<plat::MenuItem> deformed = ColourMapMenuItems(kMapDeformed);
    EXPECT_EQ(deformed.back().text, "Toggle Original");
    EXPECT_EQ(deformed.back().id, CM_TOGGLEORIGINAL);
    EXPECT_EQ(texts(kMapExternal), (std::vector<std::string>{"Copy Picture", "Save Quarvish File"}));
}

// Four unit squares in a row along x (0..4 by 0..1), node i at (i, 0), node 5 + i at (i, 1),
// and one triangle on top of the last square.
struct TestMesh {
    MapIntMesh mesh;
    MapFloatMesh coords;
    TestMesh()
    {
        mesh.header = {0, 0, 11, 4, 1, 0};
        for (int q = 0; q < 4; ++q)
            mesh.nodes.insert(mesh.nodes.end(), {q, q + 1, q + 6, q + 5});
        mesh.nodes.insert(mesh.nodes.end(), {8, 9, 10});
        for (int q = 0; q < 4; ++q)
            mesh.neighbours.insert(mesh.neighbours.end(), {-1, q < 3 ? q + 1 : -1, q == 3 ? 4 : -1, q > 0 ? q - 1 : -1});
        mesh.neighbours.insert(mesh.neighbours.end(), {3, -1, -1});
        mesh.faces = mesh.neighbours;
        for (int i = 0; i < 5; ++i)
            coords.x.push_back(static_cast<float>(i)), coords.y.push_back(0.0f);
        for (int i = 0; i < 5; ++i)
            coords.x.push_back(static_cast<float>(i)), coords.y.push_back(1.0f);
        coords.x.push_back(3.5f), coords.y.push_back(1.8f);
        coords.thickness.assign(5, 0.2f);
    }
};

// Model point to pixel of a map.
struct ColourMapTestAccess {
    const TColourMap* map;
    plat::Point operator()(double x, double y) const { return map->ToPixel(x, y); }
};

class ColourMapChart : public ChartsGuiTest {
protected:
    TestMesh m;
    TColourMap map{nullptr, "Stress", 0, 0, 500, 400, kMapValues, 1.0};

    void Feed(const std::vector<double>& d)
    {
        map.ClearData();
        for (std::size_t k = 0; k + 1 < d.size(); k += 2)
            map.AddPoint(d[k], d[k + 1]);
        map.AutoScale();
    }
};

TEST_F(ColourMapChart, LinkRefusesMeshesThatDoNotMatchTheirCounts)
{
    EXPECT_EQ(map.Kind(), 23);
    EXPECT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    TestMesh bad;
    bad.mesh.nodes[3] = 11; // no node 11
    EXPECT_FALSE(map.LinkArrays(&bad.mesh, &bad.coords));
    TestMesh shortTable;
    shortTable.mesh.neighbours.pop_back();
    EXPECT_FALSE(map.LinkArrays(&shortTable.mesh, &shortTable.coords));
    // Unlinked: nothing at all is painted.
    RecordingDC dc;
    map.Paint(dc, true, {0, 0, 500, 400});
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(ColourMapChart, NoDataLegendAndFillsWhereTheElementsLie)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({}));
    RecordingDC none;
    map.ComposeOn(none);
    const std::vector<std::string> empty = none.Texts();
    EXPECT_NE(std::find(empty.begin(), empty.end(), "No Data"), empty.end());

    // Four values in three bins, the triangle without a value.
    Feed(Values({1, 2, 2, 3, kMapNoValue}));
    EXPECT_EQ(map.Bins().count, 3);
    EXPECT_EQ(map.PopupItems().front().text, "Change 3D Mode");
    RecordingDC rec;
    map.ComposeOn(rec);
    const std::vector<std::string> t = rec.Texts();
    for (const char* label : {"  1.00", "  2.00", "  3.00"})
        EXPECT_NE(std::find(t.begin(), t.end(), label), t.end()) << label;
    EXPECT_EQ(std::find(t.begin(), t.end(), "No Data"), t.end());
    RecordingDC painted;
    map.Paint(painted, true, {0, 0, 500, 400});
    EXPECT_EQ(painted.CallsOf("DrawImage").size(), 1u); // composed off screen, copied once

    plat::MemoryDC pic(500, 400);
    map.Paint(pic, true, {0, 0, 500, 400});
    const auto centre = [&](double x, double y) {
        const plat::Point p = map.ToPixel(x, y);
        return pic.Bitmap().Pixel(p.x, p.y);
    };
    // Off the white direction lines through the centres.
    EXPECT_EQ(centre(0.75, 0.5), GetBinColour(map.Bins(), 1, false));
    EXPECT_EQ(centre(1.75, 0.5), GetBinColour(map.Bins(), 2, false));
    EXPECT_EQ(centre(3.75, 0.5), GetBinColour(map.Bins(), 3, false));
    EXPECT_EQ(centre(3.5, 1.3), plat::Color(255, 255, 255)); // the triangle: no value
    // The mesh fills the width within 2.5 % margins: 4 units over trunc(0.95 x 500) pixels.
    EXPECT_NEAR(map.ToPixel(0.0, 0.0).x, 12, 1);
    EXPECT_NEAR(map.ToPixel(4.0, 0.0).x, 487, 1);
    EXPECT_EQ(map.FindNearestElement(map.ToPixel(2.6, 0.4).x, map.ToPixel(2.6, 0.4).y), 2);
    EXPECT_EQ(map.FindNearestElement(map.ToPixel(3.5, 1.5).x, map.ToPixel(3.5, 1.5).y), 4);
}

// The mesh (0 to 4 across, 0 to 1.8 up) is placed between the title band tb and the legend
// band lb of the 500 x 400 map: plot height H = 400 - lb - tb; at one scale s = min(trunc(0.95
// x 500) / 4, trunc(0.95 H) / 1.8) it is centred across the width and its middle lies at
// tb + trunc(0.95 H) / 2, so its top edge at tb + (trunc(0.95 H) - 1.8 s) / 2, below the
// title band, and its bottom edge as far above the legend band. The drawn elements reach
// exactly those edges.
TEST_F(ColourMapChart, MeshSitsBetweenTheTitleAndTheLegendBands)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({1, 2, 2, 3, 4}));
    const int tb = map.TitleBand(), lb = map.LegendBand();
    ASSERT_GT(tb, 10);
    ASSERT_GT(lb, 40);
    const int H = 400 - lb - tb;
    const double fh = static_cast<int>(0.95 * H);
    const double s = std::min(475.0 / 4.0, fh / 1.8);
    const int top = static_cast<int>(tb + (fh - 1.8 * s) / 2.0);
    const int bottom = static_cast<int>(tb + (fh + 1.8 * s) / 2.0);
    const int left = static_cast<int>((500 - 4.0 * s) / 2.0);
    const int right = static_cast<int>((500 + 4.0 * s) / 2.0);
    EXPECT_GE(top, tb);
    EXPECT_LE(bottom, 400 - lb);
    EXPECT_EQ(map.ToPixel(3.5, 1.8), (plat::Point{static_cast<int>(3.5 * s + (500 - 4.0 * s) / 2.0), top}));
    EXPECT_EQ(map.ToPixel(0.0, 0.0), (plat::Point{left, bottom}));

    RecordingDC rec;
    map.ComposeOn(rec);
    // The four quadrilaterals are filled rectangles standing on the mesh's bottom edge, side
    // by side from its left edge to its right; the triangle's apex is the mesh's top.
    std::vector<plat::Rect> quads;
    for (const DrawCall& c : rec.CallsOf("FillRect"))
        if (c.rect.bottom == bottom && c.rect.top < bottom)
            quads.push_back(c.rect);
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(quads.front().left, left);
    EXPECT_NEAR(quads.back().right, right, 1);
    EXPECT_EQ(quads.front().top, map.ToPixel(0.0, 1.0).y);
    const std::vector<DrawCall> triangles = rec.CallsOf("Polygon");
    ASSERT_EQ(triangles.size(), 1u);
    int apex = 1 << 20;
    for (const plat::Point p : triangles[0].points)
        apex = std::min(apex, p.y);
    EXPECT_EQ(apex, top);
}

TEST_F(ColourMapChart, DialogsModesAndPan)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({1, 2, 2, 3, 3}));
    ScriptedUi ui;
    ui.Input("Enter Minimum, maximum range values and number of bins", std::string("0, 10, 5"))
        .Input("Enter the characteristic strain", std::string("0.0001"))
        .Input("Enter deflection magnification", std::nullopt);
    map.CmSetBinRange();
    EXPECT_EQ(map.Bins().count, 5);
    EXPECT_FLOAT_EQ(map.Bins().limit[0], 2.0f);
    map.CmSetCharacteristicStrain();
    EXPECT_DOUBLE_EQ(map.CharacteristicStrain(), 0.001);
    map.CmSetMagnification(); // cancelled: unchanged
    EXPECT_DOUBLE_EQ(map.Magnification(), 1.0);
    map.CmFreezeBins();
    Feed(Values({7, 8}));
    EXPECT_EQ(map.Bins().count, 5); // frozen
    // "View Data" in pan mode only leaves pan mode (no dialog is scripted).
    map.SetMouseMode(2);
    map.CmPopup3000();
    EXPECT_EQ(map.MouseMode(), 0);
    // "Change 3D Mode" three times: slab, carpet, plane again without a 3-D window.
    map.CmPopup3007();
    EXPECT_EQ(map.ViewMode(), 1);
    ASSERT_NE(map.GLWindow(), nullptr);
    EXPECT_EQ(map.GLWindow()->PopupItems().front().text, "Change 3D Mode");
    RecordingDC slab;
    map.Paint(slab, true, {0, 0, 500, 400});
    EXPECT_FALSE(map.GLWindow()->Scene().Primitives().empty());
    map.CmPopup3007();
    EXPECT_EQ(map.ViewMode(), 2);
    map.CmPopup3007();
    EXPECT_EQ(map.ViewMode(), 0);
    EXPECT_EQ(map.GLWindow(), nullptr);
}

TEST_F(ColourMapChart, ZoomPanAndTheElementReport)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({1, 2, 2, 3, 3}));
    // Zoom to the square of element 1 (1..2 by 0..1): it then fills 95 % of the picture height.
    const plat::Point a = map.ToPixel(1.0, 1.0), b = map.ToPixel(2.0, 0.0);
    map.SetMouseMode(1);
    map.EvLButtonDown(0, a);
    map.EvMouseMove(0, {(a.x + b.x) / 2, (a.y + b.y) / 2});
    map.EvLButtonUp(0, b);
    EXPECT_EQ(map.MouseMode(), 0);
    const int plotHeight = 400 - map.LegendBand() - map.TitleBand();
    EXPECT_NEAR(map.ToPixel(1.0, 0.0).y - map.ToPixel(1.0, 1.0).y, static_cast<int>(0.95 * plotHeight), 2);
    EXPECT_NEAR((map.ToPixel(1.0, 0.0).x + map.ToPixel(2.0, 0.0).x) / 2.0, 250.0, 1.0); // centred
    // Pan: the picture follows the drag.
    const plat::Point before = map.ToPixel(1.5, 0.5);
    map.SetMouseMode(2);
    map.EvLButtonDown(0, {100, 100});
    map.EvMouseMove(0, {130, 90});
    map.EvLButtonUp(0, {130, 90});
    EXPECT_EQ(map.ToPixel(1.5, 0.5).x, before.x + 30);
    EXPECT_EQ(map.ToPixel(1.5, 0.5).y, before.y - 10);
    // A click in mode 0 reports on the nearest element in "View Data".
    map.SetMouseMode(0);
    int reported = -1;
    MapElementReporter previous = SetMapElementReporter([&](int, int e) {
        reported = e;
        return std::string("element report");
    });
    std::string shown;
    ScriptedUi ui;
    ui.DataView([&](std::string& text) {
        shown = text;
        return true;
    });
    map.EvLButtonDown(0, map.ToPixel(1.4, 0.6));
    SetMapElementReporter(std::move(previous));
    EXPECT_EQ(reported, 1);
    EXPECT_NE(shown.find("element report"), std::string::npos);
}

TEST_F(ColourMapChart, NumbersSupportsGlyphsAndTheDeformedOutline)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    // Element numbers at the centroids, counted from 1.
    Feed({kHeader, static_cast<double>(kMapElementNumbers), 0.0, 0.0});
    RecordingDC numbers;
    map.ComposeOn(numbers);
    int found = 0;
    for (const DrawCall& c : numbers.CallsOf("Text"))
        if (c.text == "2") {
            ++found;
            EXPECT_NEAR(c.points[0].x, map.ToPixel(1.5, 0.5).x, 1);
        }
    EXPECT_EQ(found, 1);

    // Supports: node 0 fixed in both directions (a filled square), node 4 a roller (circle).
    std::vector<double> d{kHeader, static_cast<double>(kMapSupports)};
    for (int i = 0; i < 11; ++i) {
        d.push_back(i == 0 ? 1.0 : i == 4 ? 2.0 : 9.0);
        d.push_back(i == 0 ? 1.0 : 0.0);
    }
    Feed(d);
    RecordingDC supports;
    map.ComposeOn(supports);
    EXPECT_EQ(supports.CallsOf("Ellipse").size(), 1u);
    const plat::Point n0 = map.ToPixel(0.0, 0.0);
    bool square = false;
    for (const DrawCall& c : supports.CallsOf("FillRect"))
        square = square || (c.rect.left == n0.x - 2 && c.rect.top == n0.y - 2 && c.color == plat::Colors::Black);
    EXPECT_TRUE(square); // h = (400 / 100) x 0.5 = 2

    // Values with angles 0: white glyphs across each quadrilateral and the triangle (the
    // angle turned a quarter turn: vertical lines through the centres).
    std::vector<double> v{kHeader, static_cast<double>(kMapValues)};
    for (int e = 0; e < 5; ++e)
        v.insert(v.end(), {1.0, 0.0});
    Feed(v);
    RecordingDC glyphs;
    map.ComposeOn(glyphs);
    int white = 0;
    for (const DrawCall& c : glyphs.CallsOf("Line"))
        if (c.state.pen.color == plat::Color(255, 255, 255)) {
            ++white;
            EXPECT_NEAR(c.points[0].x, c.points[1].x, 1);
        }
    EXPECT_EQ(white, 5);

    // Deformed: the outline of node 10 moves up by the magnification times its displacement.
    TColourMap deformed(nullptr, "", 0, 0, 500, 400, kMapDeformed, 10.0);
    ASSERT_TRUE(deformed.LinkArrays(&m.mesh, &m.coords));
    deformed.ClearData();
    deformed.AddPoint(kHeader, kMapDeformed);
    for (int i = 0; i < 11; ++i)
        deformed.AddPoint(0.0, i == 10 ? 0.05 : 0.0);
    deformed.AutoScale();
    RecordingDC shape;
    deformed.ComposeOn(shape);
    const plat::Point top = deformed.ToPixel(3.5, 1.8 + 0.5);
    bool reached = false;
    for (const DrawCall& c : shape.CallsOf("Line"))
        for (const plat::Point& p : c.points)
            reached = reached || (std::abs(p.x - top.x) <= 1 && std::abs(p.y - top.y) <= 1);
    EXPECT_TRUE(reached);
    const std::vector<std::string> t = shape.Texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "Displacement Magnification: 10.00 x"), t.end());
}

TEST_F(ColourMapChart, CarpetCellJoinsTheCentroidsAtTheirValues)
{
    // 2 x 2 unit squares: 0 bottom left, 1 bottom right, 2 top left, 3 top right. Only
    // square 0 has neighbours across edges 1 (right) and 2 (top) with a diagonal: one cell.
    MapIntMesh mesh;
    MapFloatMesh coords;
    mesh.header = {0, 0, 9, 4, 0, 0};
    mesh.nodes = {0, 1, 4, 3, 1, 2, 5, 4, 3, 4, 7, 6, 4, 5, 8, 7};
    mesh.neighbours = {-1, 1, 2, -1, -1, -1, 3, 0, 0, 3, -1, -1, 1, -1, -1, 2};
    mesh.faces = mesh.neighbours;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            coords.x.push_back(static_cast<float>(i)), coords.y.push_back(static_cast<float>(j));
    coords.thickness.assign(4, 0.1f);
    ASSERT_TRUE(map.LinkArrays(&mesh, &coords));
    Feed(Values({1, 2, 3, 4}));
    map.SetViewMode(2);
    RecordingDC dc;
    map.Paint(dc, true, {0, 0, 500, 400});
    std::vector<GLPrimitive> tri;
    for (const GLPrimitive& p : map.GLWindow()->Scene().Primitives())
        if (p.kind == GLPrimitiveKind::Triangle)
            tri.push_back(p);
    ASSERT_EQ(tri.size(), 4u); // the cell, both windings
    // Auto value scale: 0.5 x min(2, 2) / 4 = 0.25; corner e at (0.5, 0.5, 0.25 x 1), the
    // diagonal corner at (1.5, 1.5, 0.25 x 4).
    EXPECT_NEAR(tri[0].p[0].x, 0.5, 1e-6);
    EXPECT_NEAR(tri[0].p[0].y, 0.5, 1e-6);
    EXPECT_NEAR(tri[0].p[0].z, 0.25, 1e-6);
    EXPECT_NEAR(tri[0].p[2].x, 1.5, 1e-6);
    EXPECT_NEAR(tri[0].p[2].y, 1.5, 1e-6);
    EXPECT_NEAR(tri[0].p[2].z, 1.0, 1e-6);
}


// Lines drawn in a colour other than black (the outline) and white (the background).
std::vector<DrawCall> GlyphLines(const RecordingDC& dc)
{
    std::vector<DrawCall> out;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color != plat::Colors::Black && c.state.pen.color != plat::Color(255, 255, 255))
            out.push_back(c);
    return out;
}

// The line whose midpoint is nearest a pixel.
const DrawCall* NearestLine(const std::vector<DrawCall>& lines, plat::Point p)
{
    const DrawCall* best = nullptr;
    double d = 1e300;
    for (const DrawCall& c : lines) {
        const double mx = (c.points[0].x + c.points[1].x) / 2.0 - p.x, my = (c.points[0].y + c.points[1].y) / 2.0 - p.y;
        if (mx * mx + my * my < d)
            d = mx * mx + my * my, best = &c;
    }
    return best;
}

void ExpectEnds(const ColourMapTestAccess& map, const DrawCall& c, double x1, double y1, double x2, double y2)
{
    // Either direction; one pixel of rounding.
    const plat::Point a = map(x1, y1), b = map(x2, y2);
    const bool forward = std::abs(c.points[0].x - a.x) <= 1 && std::abs(c.points[0].y - a.y) <= 1 &&
                         std::abs(c.points[1].x - b.x) <= 1 && std::abs(c.points[1].y - b.y) <= 1;
    const bool backward = std::abs(c.points[0].x - b.x) <= 1 && std::abs(c.points[0].y - b.y) <= 1 &&
                          std::abs(c.points[1].x - a.x) <= 1 && std::abs(c.points[1].y - a.y) <= 1;
    EXPECT_TRUE(forward || backward) << "(" << c.points[0].x << "," << c.points[0].y << ")-(" << c.points[1].x << ","
                                     << c.points[1].y << ") expected (" << a.x << "," << a.y << ")-(" << b.x << ","
                                     << b.y << ")";
}

TEST_F(ColourMapChart, CrackGlyphsByWidthClassAcrossTheCrackDirection)
{
    TColourMap cracks(nullptr, "Cracks", 0, 0, 500, 400, kMapCracks, 1.0);
    ASSERT_TRUE(cracks.LinkArrays(&m.mesh, &m.coords));
    // Element pairs alone (crack width, angle); critical width 1.0: none, thin, mid, thick and
    // a mid crack on the triangle at 45 degrees.
    const double quarter = 0.7853981633974483;
    cracks.ClearData();
    cracks.AddPoint(kHeader, kMapCracks);
    const double pairs[5][2] = {{0.0, 0.0}, {0.5, 0.0}, {1.5, 0.0}, {2.5, -quarter}, {1.0, 0.0}};
    for (const auto& p : pairs)
        cracks.AddPoint(p[0], p[1]);
    cracks.AutoScale();
    RecordingDC dc;
    cracks.ComposeOn(dc);
    const ColourMapTestAccess px{&cracks};
    const std::vector<DrawCall> lines = GlyphLines(dc);
    ASSERT_EQ(lines.size(), 4u); // no glyph without a crack
    const plat::Color colour = GetBinColour(cracks.Bins(), cracks.Bins().continuous ? 13 : 7, false);
    // Square 1: a thin crack of direction 0, drawn across it (vertical), 0.8 of the side long.
    const DrawCall* thin = NearestLine(lines, px(1.5, 0.5));
    ASSERT_NE(thin, nullptr);
    ExpectEnds(px, *thin, 1.5, 0.1, 1.5, 0.9);
    EXPECT_EQ(thin->state.pen.width, 1);
    EXPECT_EQ(thin->state.pen.color, colour);
    EXPECT_EQ(NearestLine(lines, px(2.5, 0.5))->state.pen.width, 2);
    // Square 3 at -45 degrees: the glyph at +45 degrees through (3.5, 0.5), width 3.
    const DrawCall* thick = NearestLine(lines, px(3.5, 0.5));
    const double h = 0.4 * std::sqrt(0.5);
    ExpectEnds(px, *thick, 3.5 - h, 0.5 - h, 3.5 + h, 0.5 + h);
    EXPECT_EQ(thick->state.pen.width, 3);
    // The triangle (bounding box 1 x 0.8 about (3.5, 1.4)): 0.6 x 0.8 long, mid width.
    const DrawCall* tri = NearestLine(lines, px(3.5, 1.4));
    ExpectEnds(px, *tri, 3.5, 1.16, 3.5, 1.64);
    EXPECT_EQ(tri->state.pen.width, 2);
    const std::vector<std::string> t = dc.Texts();
    const std::string unit = UnitLabel(ukSectionLength);
    EXPECT_NE(std::find(t.begin(), t.end(), "Crack Widths: thin < 1.00 " + unit + ", mid, thick > 2.00 " + unit),
              t.end());
}

TEST_F(ColourMapChart, DeformedCrackGlyphTurnsWithItsElement)
{
    // Node 6 (1, 1) displaced by (1, 0): square 0 spans 0..2 by 0..1, its diagonal from node 0
    // turns from atan2(1, 1) to atan2(2, 1), and the glyph turns back by the difference.
    TColourMap map2(nullptr, "", 0, 0, 500, 400, kMapDeformedCracks, 1.0);
    ASSERT_TRUE(map2.LinkArrays(&m.mesh, &m.coords));
    map2.ClearData();
    map2.AddPoint(kHeader, kMapDeformedCracks);
    for (int i = 0; i < 11; ++i)
        map2.AddPoint(i == 6 ? 1.0 : 0.0, 0.0);
    for (int e = 0; e < 5; ++e)
        map2.AddPoint(e == 0 ? 3.0 : 0.0, 0.0);
    map2.AutoScale();
    RecordingDC dc;
    map2.ComposeOn(dc);
    const std::vector<DrawCall> lines = GlyphLines(dc);
    ASSERT_EQ(lines.size(), 1u);
    const double angle = 1.5707963267948966 - (std::atan2(2.0, 1.0) - std::atan2(1.0, 1.0));
    const double dx = 0.4 * std::cos(angle), dy = 0.4 * std::sin(angle);
    const ColourMapTestAccess px{&map2};
    ExpectEnds(px, lines[0], 1.0 - dx, 0.5 - dy, 1.0 + dx, 0.5 + dy);
    EXPECT_EQ(lines[0].state.pen.width, 3);
    const std::vector<std::string> t = dc.Texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "Displacement Magnification:  1.00 x"), t.end());

    // The slab view draws the displaced mesh: node 10 lifted by 0.25 at both faces.
    map2.ClearData();
    map2.AddPoint(kHeader, kMapDeformedCracks);
    for (int i = 0; i < 11; ++i)
        map2.AddPoint(0.0, i == 10 ? 0.25 : 0.0);
    for (int e = 0; e < 5; ++e)
        map2.AddPoint(0.0, 0.0);
    map2.AutoScale();
    map2.SetViewMode(1);
    ASSERT_NE(map2.GLWindow(), nullptr);
    RecordingDC slab;
    map2.Paint(slab, true, {0, 0, 500, 400});
    int top = 0, bottom = 0;
    for (const GLPrimitive& p : map2.GLWindow()->Scene().Primitives())
        for (const auto& v : p.p)
            if (std::abs(v.x - 3.5) < 1e-5 && std::abs(v.y - 2.05) < 1e-5) {
                top += std::abs(v.z - 0.1) < 1e-5;
                bottom += std::abs(v.z + 0.1) < 1e-5;
            }
    EXPECT_GT(top, 0);
    EXPECT_GT(bottom, 0);
}

TEST_F(ColourMapChart, DirectionGlyphsScaledByTheCharacteristicStrain)
{
    // Node pairs then element pairs (strain, angle): the length is 0.8 of the side times
    // strain / characteristic strain (1.0), width 2.
    TColourMap glyphs(nullptr, "", 0, 0, 500, 400, kMapGlyphs, 1.0);
    ASSERT_TRUE(glyphs.LinkArrays(&m.mesh, &m.coords));
    glyphs.ClearData();
    glyphs.AddPoint(kHeader, kMapGlyphs);
    for (int i = 0; i < 11; ++i)
        glyphs.AddPoint(0.0, 0.0);
    for (int e = 0; e < 5; ++e)
        glyphs.AddPoint(e == 1 ? 0.5 : 0.0, -1.5707963267948966);
    glyphs.AutoScale();
    RecordingDC dc;
    glyphs.ComposeOn(dc);
    const std::vector<DrawCall> lines = GlyphLines(dc);
    ASSERT_EQ(lines.size(), 5u); // always drawn, zero long without strain
    const ColourMapTestAccess px{&glyphs};
    const DrawCall* one = NearestLine(lines, px(1.5, 0.5));
    ExpectEnds(px, *one, 1.3, 0.5, 1.7, 0.5); // angle -90 + 90 degrees: horizontal, 0.4 long
    EXPECT_EQ(one->state.pen.width, 2);
}

TEST_F(ColourMapChart, ForceAndDisplacementArrowsAndTheirLegend)
{
    TColourMap vectors(nullptr, "", 0, 0, 500, 400, kMapVectors, 1.0);
    ASSERT_TRUE(vectors.LinkArrays(&m.mesh, &m.coords));
    // Supports only: "Unused Load Type", no arrows.
    vectors.ClearData();
    vectors.AddPoint(kHeader, kMapVectors);
    for (int i = 0; i < 11; ++i)
        vectors.AddPoint(i == 0 ? 1.0 : 0.0, i == 0 ? 1.0 : 0.0);
    vectors.AutoScale();
    RecordingDC unused;
    vectors.ComposeOn(unused);
    std::vector<std::string> t = unused.Texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "Unused Load Type"), t.end());
    EXPECT_TRUE(unused.CallsOf("Polygon").empty());

    // Force (2, 0) at node 4 (4, 0), displacement (0, -1) at node 10 (3.5, 1.8). r = 2: the
    // largest vector is (500 / 15) = 33 pixels long, k = 16.5 pixels per unit.
    vectors.ClearData();
    vectors.AddPoint(kHeader, kMapVectors);
    for (int i = 0; i < 11; ++i)
        vectors.AddPoint(i == 0 ? 1.0 : 0.0, i == 0 ? 1.0 : 0.0);
    for (int i = 0; i < 11; ++i)
        vectors.AddPoint(i == 4 ? 2.0 : 0.0, 0.0);
    for (int i = 0; i < 11; ++i)
        vectors.AddPoint(0.0, i == 10 ? -1.0 : 0.0);
    vectors.AutoScale();
    RecordingDC dc;
    vectors.ComposeOn(dc);
    const ColourMapTestAccess px{&vectors};
    const plat::Point n4 = px(4.0, 0.0), n10 = px(3.5, 1.8);
    const plat::Color force = GetBinColour(vectors.Bins(), 1, false), shift = GetBinColour(vectors.Bins(), 2, false);
    bool forceLine = false, shiftLine = false;
    // The shafts: 0.9 of the vector, width 3.
    for (const DrawCall& c : dc.CallsOf("Line")) {
        if (c.state.pen.width != 3)
            continue;
        if (c.state.pen.color == force && c.points[0].x == n4.x && c.points[0].y == n4.y &&
            std::abs(c.points[1].x - (n4.x + 29.7)) <= 1 && c.points[1].y == n4.y)
            forceLine = true;
        if (c.state.pen.color == shift && c.points[0].x == n10.x && c.points[0].y == n10.y &&
            std::abs(c.points[1].y - (n10.y + 14.85)) <= 1 && c.points[1].x == n10.x)
            shiftLine = true;
    }
    EXPECT_TRUE(forceLine);
    EXPECT_TRUE(shiftLine);
    const std::vector<DrawCall> heads = dc.CallsOf("Polygon");
    ASSERT_EQ(heads.size(), 2u);
    // Force head: tip 33 pixels right of the node, 16 long (min(33, 500 / 30)), pointing right.
    EXPECT_NEAR(heads[0].points[0].x, n4.x + 33, 1);
    EXPECT_EQ(heads[0].points[0].y, n4.y);
    EXPECT_EQ(heads[0].state.brush.color, force);
    EXPECT_EQ(heads[1].state.brush.color, shift);
    EXPECT_NEAR(heads[0].points[1].x, heads[0].points[0].x - 16, 1);
    // Displacement head: tip 16.5 pixels below the node, pointing down, 16 long.
    EXPECT_NEAR(heads[1].points[0].y, n10.y + 16.5, 1);
    EXPECT_EQ(heads[1].points[0].x, n10.x);
    EXPECT_NEAR(heads[1].points[1].y, heads[1].points[0].y - 16, 1);
    t = dc.Texts();
    EXPECT_NE(std::find(t.begin(), t.end(), std::string("Force:  2.00 ") + UnitLabel(ukForce)), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), std::string("Displacement:  2.00 ") + UnitLabel(ukSectionLength)),
              t.end());
}

TEST_F(ColourMapChart, ExternalPictureKindDrawsNothingOfItsOwn)
{
    TColourMap external(nullptr, "Outside", 0, 0, 500, 400, kMapExternal, 1.0);
    ASSERT_TRUE(external.LinkArrays(&m.mesh, &m.coords));
    external.ClearData();
    external.AddPoint(kHeader, kMapExternal);
    external.AutoScale();
    RecordingDC dc;
    external.ComposeOn(dc);
    EXPECT_TRUE(dc.Texts().empty());
    EXPECT_TRUE(dc.CallsOf("Line").empty());
    RecordingDC painted;
    external.Paint(painted, true, {0, 0, 500, 400});
    EXPECT_EQ(painted.CallsOf("DrawImage").size(), 1u);
}

} // namespace

namespace {

TEST_F(ColourMapChart, ALineDrawnOnTheMapSelectsOneElementOrTheElementsAlongIt)
{
    TColourMap lines{nullptr, "Select", 0, 0, 500, 400, kMapLineSelection, 1.0};
    ASSERT_TRUE(lines.LinkArrays(&m.mesh, &m.coords));
    const std::vector<double> d = Values({1, 2, 2, 3, 3}, kMapLineSelection);
    lines.ClearData();
    for (std::size_t k = 0; k + 1 < d.size(); k += 2)
        lines.AddPoint(d[k], d[k + 1]);
    lines.AutoScale();
    std::vector<int> single;
    std::vector<std::array<double, 4>> along;
    MapSelectionHooks previous = SetMapSelectionHooks(
        {[&](int e) { single.push_back(e); },
         [&](double x0, double y0, double x1, double y1) { along.push_back({x0, y0, x1, y1}); }});
    // A release 3 pixels from the press picks the element under the press: 2..3 by 0..1 is element 2.
    const plat::Point press = lines.ToPixel(2.5, 0.5);
    lines.EvLButtonDown(0, press);
    lines.EvLButtonUp(0, {press.x + 3, press.y});
    // A longer line gives its ends in model units, the press first.
    const plat::Point from = lines.ToPixel(0.5, 0.5), to = lines.ToPixel(3.5, 0.5);
    lines.EvLButtonDown(0, from);
    lines.EvMouseMove(0, to);
    lines.EvLButtonUp(0, to);
    SetMapSelectionHooks(std::move(previous));
    EXPECT_EQ(single, std::vector<int>{2});
    ASSERT_EQ(along.size(), 1u);
    const double pixel = 3.0 / (to.x - from.x); // one pixel in model units
    EXPECT_NEAR(along[0][0], 0.5, pixel);
    EXPECT_NEAR(along[0][1], 0.5, pixel);
    EXPECT_NEAR(along[0][2], 3.5, pixel);
    EXPECT_NEAR(along[0][3], 0.5, pixel);
}

} // namespace

// The value for white lines and the magnification as typed: what is no number or lies past its
// range is refused with a message and asked again; a tiny white-line value draws glyphs no
// longer than twice the chart is wide.
TEST_F(ColourMapChart, TypedWhiteLineAndMagnificationAreHeldToWhatCanBeDrawn)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    std::vector<double> v{kHeader, static_cast<double>(kMapValues)};
    for (int e = 0; e < 5; ++e)
        v.insert(v.end(), {1.0, 0.0});
    Feed(v);
    ScriptedUi ui;
    const char* whitePrompt = "Enter the characteristic value for white lines";
    for (const char* text : {"nan", "inf", "-inf", "1e300"})
        ui.Input(whitePrompt, std::string(text)).Message("Value for white lines must be a number from -1000000000 to 1000000000.", MsgAnswer::Ok);
    ui.Input(whitePrompt, std::string("0.00001"));
    map.CmPopup3004();
    EXPECT_TRUE(ui.Done());
    EXPECT_DOUBLE_EQ(map.WhiteLineValue(), 0.00001);
    RecordingDC glyphs;
    map.ComposeOn(glyphs);
    int white = 0;
    for (const DrawCall& c : glyphs.CallsOf("Line"))
        if (c.state.pen.color == plat::Color(255, 255, 255)) {
            ++white;
            EXPECT_LE(std::abs(c.points[1].y - c.points[0].y), 2 * 500 + 1);
        }
    EXPECT_EQ(white, 5);

    const char* magnificationPrompt = "Enter deflection magnification";
    for (const char* text : {"nan", "1e9", "-1e12"})
        ui.Input(magnificationPrompt, std::string(text))
            .Message("Magnification must be a number from -10000 to 10000.", MsgAnswer::Ok);
    ui.Input(magnificationPrompt, std::nullopt);
    map.CmSetMagnification();
    EXPECT_TRUE(ui.Done());
    EXPECT_DOUBLE_EQ(map.Magnification(), 1.0);

    ui.Input("Enter Minimum, maximum range values and number of bins", std::string("nan, 10, 5"))
        .Message("Minimum must be a number from", MsgAnswer::Ok)
        .Input("Enter Minimum, maximum range values and number of bins", std::string("0, 10, 99999999999"));
    map.CmSetBinRange();
    EXPECT_EQ(map.Bins().count, 24);
    EXPECT_FLOAT_EQ(map.Bins().limit[23], 10.0f);
}

TEST_F(ColourMapChart, LegendRowCarriesTheBoxTextsAndThePanMark)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({1, 2, 2, 3, 3}));
    const auto find = [](const RecordingDC& dc, const std::string& text) -> const DrawCall* {
        for (const DrawCall& c : dc.Calls())
            if (c.op == "Text" && c.text == text)
                return &c;
        return nullptr;
    };
    RecordingDC plain;
    map.ComposeOn(plain);
    EXPECT_EQ(find(plain, "PAN MODE"), nullptr);

    map.SetBoxText(0, "left note");
    map.SetBoxText(1, "right note");
    map.SetMouseMode(2);
    RecordingDC dc;
    map.ComposeOn(dc);
    // 500 x 400: band L = 40, its top T = 360; Arial 400 / 45 = 8; the row stands one "888"
    // height above the band, its texts top-aligned there.
    const DrawCall* left = find(dc, "left note");
    const DrawCall* right = find(dc, "right note");
    const DrawCall* pan = find(dc, "PAN MODE");
    ASSERT_TRUE(left && right && pan);
    const auto leftEnd = [](const DrawCall* c) { return c->run.at.x + c->run.x0; };
    const auto top = [](const DrawCall* c) { return c->run.at.y + c->run.baseline - c->run.ascent; };
    const int rowHeight = left->run.ascent + left->run.descent;
    EXPECT_EQ(leftEnd(left), 0);
    EXPECT_EQ(leftEnd(right) + right->run.width, 500);
    EXPECT_NEAR(leftEnd(pan) + 0.5 * pan->run.width, 250.0, 1.0);
    for (const DrawCall* c : {left, right, pan}) {
        SCOPED_TRACE(c->text);
        EXPECT_GT(c->run.width, 0);
        // Top-aligned one text height above the band's line (the height of "888" in the font).
        EXPECT_NEAR(top(c), 360 - rowHeight, 1);
        EXPECT_LE(top(c) + rowHeight, 360);
    }
    // Long texts are kept to 1023 characters.
    map.SetBoxText(0, std::string(2000, 'a'));
    EXPECT_EQ(map.BoxText(0).size(), 1023u);
}

TEST_F(ColourMapChart, SlabOutlineLiftsFiveMillimetresInTheDisplayedLength)
{
    ASSERT_TRUE(map.LinkArrays(&m.mesh, &m.coords));
    Feed(Values({1, 2, 2, 3, 3}));
    map.SetViewMode(1);
    const int system = g_UnitSystem;
    // Thickness 0.2: the outline runs at +/-(0.1 + 0.005 k), k the section-length factor.
    for (const auto& [units, k] : {std::pair{0, 1000.0}, std::pair{1, 1.0 / 0.0254}}) {
        SCOPED_TRACE(units);
        g_UnitSystem = units;
        ASSERT_NEAR(UnitFactor(ukSectionLength), k, 0.01);
        RecordingDC dc;
        map.Paint(dc, true, {0, 0, 500, 400});
        std::set<float> heights;
        for (const GLPrimitive& p : map.GLWindow()->Scene().Primitives())
            if (p.kind == GLPrimitiveKind::Line && p.colour == plat::Colors::Black)
                heights.insert(p.p[0].z), heights.insert(p.p[1].z);
        const float z = static_cast<float>(0.1 + 0.005 * UnitFactor(ukSectionLength));
        EXPECT_NEAR(z, 0.1 + 0.005 * k, 1e-4);
        EXPECT_EQ(heights, (std::set<float>{-z, z}));
    }
    g_UnitSystem = system;
}
