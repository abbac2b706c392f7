// The 3-D window's arithmetic (frustum, drag angles, face normal), its software frame, and the
// 3-D plot: grouping of the pairs, the style separators, the bounded tables, the colour codes
// and the export text.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ChartsFixture.h"
#include "charts/T3DPlot.h"
#include "charts/TMixinChartOwner.h"
#include "charts/TFauxGLWindow.h"
#include "support/RecordingDC.h"

namespace {

constexpr double kSep = 3.1415626e31;

TEST(GLArithmetic, FrustumFramesTheDataRectangle)
{
    // Bounds 0..4 by 0..2 in 200 x 100: S = 4, far 16, near 8, m = 0.25 x 4 / 2 = 0.5,
    // k = 8 / 12; aspects a = r = 2, so the height fills: left 0, right 4, bottom 0, top 2.
    const Frustum f = ComputeFrustum(0.0, 4.0, 0.0, 2.0, 200, 100);
    EXPECT_DOUBLE_EQ(f.nearZ, 8.0);
    EXPECT_DOUBLE_EQ(f.farZ, 16.0);
    EXPECT_NEAR(f.left, -1.0 / 3.0, 1e-12);
    EXPECT_NEAR(f.right, 3.0, 1e-12);
    EXPECT_NEAR(f.bottom, -1.0 / 3.0, 1e-12);
    EXPECT_NEAR(f.top, 5.0 / 3.0, 1e-12);
    EXPECT_DOUBLE_EQ(f.eyeZ, -12.0);
    // A square window: r = 2 > a = 1, the width fills: bottom/top = 1 -/+ 2.
    const Frustum g = ComputeFrustum(0.0, 4.0, 0.0, 2.0, 100, 100);
    EXPECT_NEAR(g.bottom, (-1.0 - 0.5) * 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(g.top, (3.0 + 0.5) * 2.0 / 3.0, 1e-12);
    // Zero height takes aspect 1.0, as does the square.
    const Frustum z = ComputeFrustum(0.0, 4.0, 0.0, 2.0, 100, 0);
    EXPECT_DOUBLE_EQ(z.top, g.top);
    EXPECT_DOUBLE_EQ(z.left, g.left);
    // Equal bounds: a frustum of zero size.
    const Frustum e = ComputeFrustum(1.0, 1.0, 1.0, 1.0, 100, 100);
    EXPECT_DOUBLE_EQ(e.right - e.left, 0.0);
    EXPECT_DOUBLE_EQ(e.farZ - e.nearZ, 0.0);
}

TEST(GLArithmetic, DragTurnsOneDegreePerFivePixelsFromTheSavedAngles)
{
    const ViewAngles saved{10.0, 20.0, 30.0};
    // Left drag 50 right and 25 down: y + 10, x + 5, z kept.
    EXPECT_EQ(DragAngles(1, {100, 100}, {150, 125}, saved), (ViewAngles{15.0, 30.0, 30.0}));
    // Right drag 50 left: z + 10 only.
    EXPECT_EQ(DragAngles(2, {100, 100}, {50, 140}, saved), (ViewAngles{10.0, 20.0, 40.0}));
    // Back at the press point: the saved angles exactly.
    EXPECT_EQ(DragAngles(1, {100, 100}, {100, 100}, saved), saved);
}

TEST(GLArithmetic, FaceNormalIsUnitAndZeroForCollinearPoints)
{
    // (p0 - p1) x (p1 - p2) of the unit triangle in the x-y plane, counter-clockwise: +z.
    const Vec3 n = FaceNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    EXPECT_NEAR(n.x, 0.0, 1e-12);
    EXPECT_NEAR(n.y, 0.0, 1e-12);
    EXPECT_NEAR(n.z, 1.0, 1e-12);
    const Vec3 big = FaceNormal({0, 0, 0}, {0, 0, 3}, {0, 4, 3});
    EXPECT_NEAR(std::sqrt(big.x * big.x + big.y * big.y + big.z * big.z), 1.0, 1e-12);
    const Vec3 zero = FaceNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_EQ(zero.z, 0.0);
}

class GLWindow : public ChartsGuiTest {};

TEST_F(GLWindow, SoftwareFrameDrawsALitQuadrilateralWhereTheProjectionPutsIt)
{
    TFauxGLWindow gl(nullptr, "GL", 0, 0, 200, 200, 0.0f, 0.0f, 0.0f, 0.0f);
    gl.SetBounds(0.0, 2.0, 0.0, 2.0);
    gl.BeginFrame();
    gl.SetColour(255, 0, 0, 1);
    // A square facing the eye (counter-clockwise seen from +z) over the whole data rectangle.
    gl.DrawQuad(0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 0);
    gl.EndFrame();
    ASSERT_EQ(gl.Scene().Primitives().size(), 2u);
    plat::MemoryDC dc(200, 200, plat::Colors::White);
    gl.Replay(dc, 0, 0);
    // Frame of 2 + 2 x 0.25 margin: the square spans 2 / 2.5 of the window, 20..180.
    const plat::Color centre = dc.Bitmap().Pixel(100, 100);
    EXPECT_GT(centre.r, 150);
    EXPECT_EQ(centre.g, 0);
    EXPECT_LT(centre.r, 255 + 1);
    EXPECT_EQ(dc.Bitmap().Pixel(25, 100), centre);   // inside, near the left edge
    EXPECT_EQ(dc.Bitmap().Pixel(15, 100), plat::Color(255, 255, 255)); // the margin
    // Lit, not flat red: the light comes from the upper left front, the face is dimmed.
    EXPECT_NE(centre, plat::Color(255, 0, 0));

    // Turned half round about y the face looks away and is culled.
    gl.EvLButtonDown(0, {0, 0});
    gl.EvMouseMove(0, {900, 0}); // 180 degrees
    EXPECT_DOUBLE_EQ(gl.Angles().y, 180.0);
    gl.EvLButtonUp(0, {900, 0});
    EXPECT_EQ(gl.DragMode(), 0);
    gl.BeginFrame();
    gl.SetColour(255, 0, 0, 1);
    gl.DrawQuad(0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 0);
    gl.EndFrame();
    plat::MemoryDC back(200, 200, plat::Colors::White);
    gl.Replay(back, 0, 0);
    EXPECT_EQ(back.Bitmap().Pixel(100, 100), plat::Color(255, 255, 255));
}

TEST(PlotColours, TableFixedCodesAndUnknownCodesInBlack)
{
    EXPECT_EQ(PlotColour(0), plat::Color(0, 0, 0));
    EXPECT_EQ(PlotColour(7), plat::Color(255, 0, 0));
    EXPECT_EQ(PlotColour(22), plat::Color(255, 128, 0));
    EXPECT_EQ(PlotColour(24), plat::Color(225, 255, 225));
    EXPECT_EQ(PlotColour(25), plat::Color(0, 0, 0));
    EXPECT_EQ(PlotColour(26), plat::Color(255, 255, 255));
    EXPECT_EQ(PlotColour(27), plat::Color(192, 192, 192));
    EXPECT_EQ(PlotColour(28), plat::Color(0, 0, 0));
    EXPECT_EQ(PlotColour(-3), plat::Color(0, 0, 0));
}

class Plot3D : public ChartsGuiTest {
protected:
    T3DPlot plot{nullptr, "Surface", 0, 0, 400, 300};
};

TEST_F(Plot3D, GroupsTrianglesAndSegmentsAndCarriesStylesOver)
{
    EXPECT_EQ(plot.Kind(), 25);
    plot.AddPoint(kSep, -3.0); // width 3
    plot.AddPoint(kSep, 7.0);  // colour 7
    // Triangle (0,0,0), (1,0,0), (0,1,2).
    plot.AddPoint(0.0, 1.0);
    plot.AddPoint(0.0, 0.0);
    plot.AddPoint(0.0, 0.0);
    plot.AddPoint(0.0, 1.0);
    plot.AddPoint(2.0, 99.0);
    // Segment (1,2,0) to (4,5,1).
    plot.AddPoint(1.0, 4.0);
    plot.AddPoint(2.0, 5.0);
    plot.AddPoint(0.0, 1.0);
    plot.AddPoint(kSep, 1000.0);
    plot.AddPoint(kSep, 9.0); // colour 9 from here on
    plot.AddPoint(-1.0, 1.0);
    plot.AddPoint(0.0, 0.0);
    plot.AddPoint(0.0, 0.0);
    plot.AddPoint(kSep, 1000.0);
    const auto& p = plot.Primitives();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_FALSE(p[0].IsSegment());
    EXPECT_DOUBLE_EQ(p[0].z[2], 2.0);
    EXPECT_DOUBLE_EQ(p[0].y[2], 1.0);
    EXPECT_TRUE(p[1].IsSegment());
    EXPECT_DOUBLE_EQ(p[1].width[0], 3.0); // carried over
    EXPECT_DOUBLE_EQ(p[1].colour[0], 7.0);
    EXPECT_DOUBLE_EQ(p[2].colour[0], 9.0);
    EXPECT_DOUBLE_EQ(p[2].width[0], 3.0);
    // Bounds over vertices 0 and 1 of every primitive (vertex 2 of a triangle is left out).
    EXPECT_DOUBLE_EQ(plot.Bounds()[0], -1.0);
    EXPECT_DOUBLE_EQ(plot.Bounds()[1], 4.0);
    EXPECT_DOUBLE_EQ(plot.Bounds()[5], 1.0);

    // Painted: a segment in colour 7 and width 3, three pixels wide, below the title band.
    RecordingDC dc;
    plot.Paint(dc, true, {0, 0, 400, 300});
    std::vector<DrawCall> lines = dc.CallsOf("Line");
    ASSERT_EQ(lines.size(), 2u);
    int red = 0;
    for (const DrawCall& c : lines) {
        red += c.state.pen.color == plat::Color(255, 0, 0) && c.state.pen.width == 3;
        EXPECT_GE(std::min(c.points[0].y, c.points[1].y), plot.TitleBand());
    }
    EXPECT_EQ(red, 1);
    EXPECT_EQ(dc.Texts().front(), "Surface");

    // ClearData empties the tables and keeps the bounds.
    plot.ClearData();
    EXPECT_TRUE(plot.Primitives().empty());
    EXPECT_DOUBLE_EQ(plot.Bounds()[1], 4.0);
}

// A feeder that draws a new surface over a shown one only adds points: the first point after
// AutoScale empties the plot's primitives and labels with its data, so the old surface does not
// stay under the new one.
TEST_F(Plot3D, FirstPointAfterAutoScaleStartsANewPicture)
{
    const auto triangle = [&](double z) {
        plot.AddPoint(0.0, 1.0);
        plot.AddPoint(0.0, 0.0);
        plot.AddPoint(z, z);
        plot.AddPoint(0.0, 1.0);
        plot.AddPoint(z, 0.0);
    };
    triangle(0.0);
    plot.AddText("X", 1.0);
    plot.AddText("Y", 2.0);
    plot.AddText("Z", 3.0);
    plot.AddText("Old", -1.0);
    plot.AutoScale();
    ASSERT_EQ(plot.Primitives().size(), 1u);
    triangle(5.0);
    ASSERT_EQ(plot.Primitives().size(), 1u);
    EXPECT_DOUBLE_EQ(plot.Primitives()[0].z[0], 5.0);
    EXPECT_TRUE(plot.Labels().empty());
    EXPECT_EQ(plot.Data().PairCount(), 5);
    EXPECT_EQ(plot.Data().PointCounter(), 5);
    // Without AutoScale in between the points add to the picture.
    triangle(6.0);
    EXPECT_EQ(plot.Primitives().size(), 2u);
}

TEST_F(Plot3D, LabelsExportAndBoundedTables)
{
    plot.AddText("X", 1.0);
    plot.AddText("Y", 2.0);
    plot.AddText("Z", 3.0);
    plot.AddText("other", 0.5); // changes nothing
    EXPECT_TRUE(plot.Labels().empty());
    plot.AddText("Moment", -1.0);
    ASSERT_EQ(plot.Labels().size(), 1u);
    plot.AddText("X", 0.0);
    plot.AddText(std::string(300, 'a').c_str(), -1.0);
    ASSERT_EQ(plot.Labels().size(), 2u);
    EXPECT_EQ(plot.Labels()[1].text.size(), 127u);
    for (int k = 0; k < 1100; ++k)
        plot.AddText("L", -1.0);
    EXPECT_EQ(plot.Labels().size(), 1024u);

    T3DPlot small(nullptr, "T", 0, 0, 400, 300);
    small.AddText("X", 1.0);
    small.AddText("Y", 2.0);
    small.AddText("Z", 3.0);
    small.AddText("Axial", -1.0);
    // A triangle (0,0,0), (1,0,0), (0,1,2): exported as the line from vertex 0 to vertex 1.
    small.AddPoint(0.0, 1.0);
    small.AddPoint(0.0, 0.0);
    small.AddPoint(0.0, 0.0);
    small.AddPoint(0.0, 1.0);
    small.AddPoint(2.0, 0.0);
    EXPECT_EQ(PlotExportText("T", small.Labels(), small.Primitives()),
              "  Data from 3D Graph\r\n  ==============\r\n\r\n  Title\t\t: T\r\n\r\n"
              "\r\n  Text In Graph\r\n  ==============\r\n\r\n"
              "At (X,Y,Z): , 1.00, 2.00, 3.00, Text: \"Axial\"\r\n"
              "\r\n  Line Segments In Graph\r\n  ==============\r\n\r\n"
              "Line from (X,Y,Z)=, 0.00, 0.00, 0.00, to , 1.00, 0.00, 0.00,\r\n");
    EXPECT_EQ(PlotExportText("", {}, {}),
              "  Data from 3D Graph\r\n  ==============\r\n\r\n  Title\t\t: \r\n\r\n"
              "\r\n  Text In Graph\r\n  ==============\r\n\r\n"
              "\r\n  Line Segments In Graph\r\n  ==============\r\n\r\n");

    T3DPlot full(nullptr, "F", 0, 0, 400, 300);
    for (int k = 0; k < k3DPlotMaxPrimitives + 10; ++k) {
        full.AddPoint(k, k + 1.0);
        full.AddPoint(0.0, 0.0);
        full.AddPoint(0.0, 0.0);
        full.AddPoint(kSep, 1000.0);
    }
    EXPECT_EQ(full.Primitives().size(), static_cast<std::size_t>(k3DPlotMaxPrimitives));
}

// A page that counts the redraw requests of its charts.
class StagePage final : public plat::Window, public TMixinChartOwner {
public:
    void OnPageClick(unsigned, int, int, int, int) override {}
    void SelectLoadStage(double, double, int stage) override { stages.push_back(stage); }
    std::vector<int> stages;
};

TEST_F(Plot3D, PanAndRectangleDragsTellTheOwner)
{
    StagePage page;
    T3DPlot owned(&page, "P", 0, 0, 400, 300);
    owned.SetMouseMode(2);
    const double x0 = owned.Transform().xOffset, y0 = owned.Transform().yOffset;
    owned.EvLButtonDown(0, {50, 60});
    owned.EvMouseMove(0, {70, 55});
    EXPECT_DOUBLE_EQ(owned.Transform().xOffset, x0 + 20);
    EXPECT_DOUBLE_EQ(owned.Transform().yOffset, y0 - 5);
    owned.EvLButtonUp(0, {70, 55});
    EXPECT_EQ(page.stages, (std::vector<int>{-1, -1}));
    EXPECT_EQ(owned.MouseMode(), 2); // panning stays on
    owned.SetMouseMode(1);
    owned.EvLButtonDown(0, {10, 10});
    owned.EvMouseMove(0, {40, 30});
    owned.EvLButtonUp(0, {40, 30});
    EXPECT_EQ(owned.ReleasePoint(), (plat::Point{40, 30}));
    EXPECT_EQ(owned.MouseMode(), 0);
    EXPECT_EQ(page.stages.size(), 3u);
}

} // namespace
