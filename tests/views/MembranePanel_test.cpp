// The membrane element sketch, the catalogue strip and the element panel: the projection and
// placements from hand numbers, where the bars, the marked row and the table values land.

#include <gtest/gtest.h>

#include <cmath>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "views/membrane/ElementPanel.h"
#include "views/membrane/ElementSketch.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/RecordingDC.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

constexpr double kCos = 0.9009688679; // cos(pi/7)
constexpr double kSin = 0.4338837391;

// Empties the structure table when the test ends.
struct StructureTable {
    ~StructureTable()
    {
        for (auto& s : g_Structures)
            s.reset();
    }
};

// An element of a set thickness.
struct ThickShell : TShell {
    explicit ThickShell(const TShell& from) : TShell(from) {}
    double GetHeight() const override { return thickness; }
    double thickness = 0.2;
};

bool HasText(const RecordingDC& dc, const std::string& text)
{
    for (const std::string& t : dc.Texts())
        if (t == text)
            return true;
    return false;
}

} // namespace

TEST(MembraneSketch, ProjectionAndPlacementsFromHandNumbers)
{
    const SketchGeometry g{100.0, 200.0, 1000.0, 0.357, kSketchViewAngle};
    const SketchPoint right = ProjectSketchPoint(g, 0.357, 0.0, 0.0);
    EXPECT_NEAR(right.x, 100.0 + 357.0 * kCos, 1e-6);
    EXPECT_NEAR(right.y, 200.0 - 357.0 * kSin, 1e-6);
    const SketchPoint leftTop = ProjectSketchPoint(g, 0.0, 0.357, 0.07);
    EXPECT_NEAR(leftTop.x, 100.0 - 357.0 * kCos, 1e-6);
    EXPECT_NEAR(leftTop.y, 200.0 - 357.0 * kSin - 70.0, 1e-6);

    // t = 70 mm in a main area 850 x 600 with m = 10: D = 0.357, the width governs:
    // s = (415 - 150) / (2 D cos) = 411.9; X0 = 0.65 W + m, Y0 = H / 2.
    auto shell = MakePanel(PanelSpec{});
    const SketchGeometry p = GetSketchPlacement(*shell, 850, 600, 10);
    EXPECT_NEAR(p.D, 0.357, 1e-12);
    EXPECT_NEAR(p.s, 265.0 / (2 * 0.357 * kCos), 1e-6);
    EXPECT_DOUBLE_EQ(p.X0, 562.5);
    EXPECT_DOUBLE_EQ(p.Y0, 300.0);

    // A 0.2 m thumbnail in a 100 x 75 cell: D = 1.02, the width governs.
    ThickShell thick(*shell);
    const SketchGeometry t = GetThumbnailPlacement(thick, 10, 20, 100, 75);
    const double Hm = 2 * 1.02 * kSin + 0.2;
    EXPECT_NEAR(t.s, 95.0 / (2 * 1.02 * kCos), 1e-6);
    EXPECT_DOUBLE_EQ(t.X0, 60.0);
    EXPECT_NEAR(t.Y0, 20 + t.s * Hm / 2 + 37, 1e-9);
    thick.thickness = 0.0;
    EXPECT_EQ(GetThumbnailPlacement(thick, 10, 20, 100, 75).s, 0.0);
}

TEST(MembraneSketch, BarsAboveTheMidPlaneRunIntoTheCutBelowShowOnlyTheirEnds)
{
    plat::EnsureGuiRuntime();
    auto shell = MakePanel(PanelSpec{});
    const SketchGeometry g{400.0, 400.0, 1000.0, 0.357, kSketchViewAngle};
    // Mid-plane layers (z = 0 counts as exposed): bar lines in light and dark grey.
    RecordingDC dc;
    DrawElementSketch(dc, *shell, g, 600, 0);
    ASSERT_EQ(dc.CallsOf("FillRegion").size(), 1u);
    int grey = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        grey += c.state.pen.width >= 3 ? 1 : 0;
    EXPECT_GT(grey, 0);
    // The middle x bar's end (k = 0, drawn twice) on the face u = 0 at v = D/2, z = t/2.
    const auto ends = dc.CallsOf("Ellipse");
    ASSERT_GE(ends.size(), 2u);
    const double xe = 400.0 - 1000.0 * kCos * 0.1785, ye = 400.0 - 1000.0 * kSin * 0.1785 - 35.0;
    int middleEnds = 0;
    for (const DrawCall& e : ends) {
        const plat::Rect& box = e.rect;
        if (std::fabs((box.left + box.right) / 2.0 - xe) <= 1.0 &&
            std::fabs((box.top + box.bottom) / 2.0 - ye) <= 1.0)
            ++middleEnds;
    }
    EXPECT_EQ(middleEnds, 2);

    // Layers 10 mm below the mid-plane: end circles only.
    shell->GetLongLayer(0, 0)->z = -0.01;
    shell->GetLongLayer(0, 1)->z = -0.01;
    RecordingDC low;
    DrawElementSketch(low, *shell, g, 600, 0);
    for (const DrawCall& c : low.CallsOf("Line"))
        EXPECT_EQ(c.state.pen.width, 1);
    EXPECT_FALSE(low.CallsOf("Ellipse").empty());
}

TEST(MembraneCatalog, CountsEverySlotListsMembranesAndMarksTheFirstMatch)
{
    plat::EnsureGuiRuntime();
    StructureTable table;
    g_Structures[0] = std::make_unique<TBeam>();
    g_Structures[0]->SetName("Beam");
    g_Structures[1] = MakePanel(PanelSpec{});
    g_Structures[1]->SetName("PV1");
    g_Structures[2] = MakePanel(PanelSpec{});
    g_Structures[2]->SetName("PV1");
    RecordingDC dc;
    // Panel 1000 x 600: m = 10, W = 850; strip from L = 840 to R = 990, rows of 105 from 60.
    DrawElementCatalog(dc, g_Structures[1].get(), 0, 0, 850, 1000, 600, 10);
    EXPECT_TRUE(HasText(dc, "Number of Elements: 3"));
    EXPECT_TRUE(HasText(dc, "Element Catalog"));
    std::vector<int> nameRows;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.text == "PV1")
            nameRows.push_back(c.points[0].y);
    EXPECT_EQ(nameRows, (std::vector<int>{61, 166}));
    int white = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == plat::Colors::White) {
            ++white;
            EXPECT_EQ(c.points[0], (plat::Point{840, 164}));
            EXPECT_EQ(c.points[1], (plat::Point{840, 60}));
        }
    EXPECT_EQ(white, 1);
    // The marker triangle points left from the strip's edge at the first row.
    const auto fills = dc.CallsOf("FillRegion");
    ASSERT_FALSE(fills.empty());

    RecordingDC beams;
    g_Structures[1].reset();
    g_Structures[2].reset();
    DrawElementCatalog(beams, nullptr, 0, 0, 850, 1000, 600, 10);
    EXPECT_TRUE(HasText(beams, "Number of Elements: 1"));
    EXPECT_TRUE(beams.CallsOf("FillRegion").empty());
}

TEST(MembranePanel, PropertiesTableCaptionAndListings)
{
    plat::EnsureGuiRuntime();
    auto shell = MakePanel(PanelSpec{});
    std::string caption;
    EXPECT_EQ(CountExperimentalPoints(shell.get(), caption), 0);
    EXPECT_EQ(caption, "");
    const double a[] = {1, 2, 3}, b[] = {4, 5};
    shell->SetValueList(6, a, 3);
    shell->SetValueList(14, b, 2);
    CountExperimentalPoints(shell.get(), caption);
    EXPECT_EQ(caption, "Includes 5 experimental measurements");
    EXPECT_EQ(CountExperimentalPoints(nullptr, caption), 0);

    RecordingDC dc;
    PaintMembranePanel(dc, shell.get(), 0, 0, 1000, 600, 0, DisplayContext{});
    // 1 % of 70 mm: A_s = 700 mm^2/m; rho 1.000 %; rho f_y 4.00 MPa, in both columns.
    int as = 0;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (c.text == "  700") {
            ++as;
            EXPECT_EQ(c.points[0].y, 102); // trunc(0.17 h)
        }
    }
    EXPECT_EQ(as, 2);
    EXPECT_TRUE(HasText(dc, "1.000"));
    EXPECT_TRUE(HasText(dc, " 4.00"));
    EXPECT_TRUE(HasText(dc, "Element Properties"));
    EXPECT_TRUE(HasText(dc, "X-Reinforcement"));
    EXPECT_TRUE(HasText(dc, " 0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00 +"));
    EXPECT_TRUE(HasText(dc, " 0.00 ,  0.00 , 1000.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00"));

    DisplayContext us;
    us.unitSystem = 1;
    RecordingDC dcUs;
    PaintMembranePanel(dcUs, shell.get(), 0, 0, 1000, 600, 0, us);
    EXPECT_TRUE(HasText(dcUs, " 0.33")); // 700 mm^2/m = 0.331 in^2/ft
    EXPECT_TRUE(HasText(dcUs, "  580")); // 4 MPa = 580 psi
    // The shear increment is stored as 1e6, applied as 1e9 Pa: 1e9 x 1.450377e-4 psi/Pa, as the
    // loads dialog shows it (not 68.52 kips/ft).
    EXPECT_TRUE(HasText(dcUs, " 0.00 ,  0.00 , 145037.70 ,  0.00 ,  0.00 ,  0.00 ,  0.00 ,  0.00"));

    // Without an element: only the strip.
    RecordingDC none;
    PaintMembranePanel(none, nullptr, 0, 0, 1000, 600, 0, DisplayContext{});
    EXPECT_FALSE(HasText(none, "Element Properties"));
    EXPECT_TRUE(HasText(none, "Element Catalog"));
}

// The title block's picture cell holds the column capital (bitmaps 220 and 221, one 114 x 107
// picture), fitted to 0.95 of the square cell and centred in it: on a large panel and on one
// whose block is under 80 pixels high (the small bitmap).
TEST(MembranePanel, TitleBlockCellHoldsTheColumnCapital)
{
    plat::EnsureGuiRuntime();
    for (int id : {220, 221}) {
        const plat::Image picture = plat::Image::FromResource(id);
        EXPECT_FALSE(picture.IsNull()) << id;
        EXPECT_EQ(picture.Width(), 114) << id;
        EXPECT_EQ(picture.Height(), 107) << id;
    }
    auto shell = MakePanel(PanelSpec{});
    for (const int w : {1400, 300}) {
        SCOPED_TRACE(w);
        const int h = 3 * w / 5, m = w / 100, W = static_cast<int>(0.85 * w);
        RecordingDC dc;
        PaintMembranePanel(dc, shell.get(), 0, 0, w, h, 0, DisplayContext{});
        // The block's top edge runs from the frame's right (W - m) to the cell's left; the
        // cell is the square of the block's height there.
        const int right = W - m, bottom = h - m;
        int cellLeft = -1, blockTop = -1;
        for (const DrawCall& c : dc.CallsOf("Line"))
            if (c.points[0].x == right && c.points[1].y == c.points[0].y && c.points[0].y > h / 2 &&
                c.points[0].y < bottom && (cellLeft < 0 || c.points[1].x < cellLeft))
                cellLeft = c.points[1].x, blockTop = c.points[0].y;
        ASSERT_GE(cellLeft, 0);
        const int side = bottom - blockTop;
        EXPECT_EQ(side < 80, w == 300); // the small bitmap on the small panel
        const auto images = dc.CallsOf("DrawImage");
        ASSERT_EQ(images.size(), 1u);
        const DrawCall& image = images[0];
        // The whole picture is drawn ...
        EXPECT_EQ(image.points[0], (plat::Point{0, 0}));
        EXPECT_EQ(image.points[1], (plat::Point{114, 107}));
        // ... into the cell: the width governs (114 > 107), 0.95 of the side, centred.
        const int sw = static_cast<int>(114 * (0.95 * side / 114));
        const int sh = static_cast<int>(107 * (0.95 * side / 114));
        EXPECT_EQ(image.rect.left, cellLeft + (side - sw) / 2);
        EXPECT_EQ(image.rect.top, blockTop + (side - sh) / 2);
        EXPECT_EQ(image.rect.right - image.rect.left, sw);
        EXPECT_EQ(image.rect.bottom - image.rect.top, sh);
        EXPECT_LT(image.rect.right, right);
    }
}
