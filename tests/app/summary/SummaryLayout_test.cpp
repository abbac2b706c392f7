// The summary page's arithmetic, checked against hand calculations.

#include <gtest/gtest.h>

#include <cmath>

#include "app/summary/SummaryFixture.h"
#include "app/summary/SummaryLayout.h"
#include "foundation/TDepthTable.h"
#include "model/TShell.h"

namespace {

TEST(SummaryLayout, FitSectionToRectByHand)
{
    // Pane 1000 x 800, margin 10: x0 = 630, A = 585, yc = 302.5, width-limited scale
    // (470.4 - 200) / B, height cap (585 - 240) / 0.6 = 575.
    {
        // 300 wide: 901.3 > 575, capped; no load position: y0 = (0.7 * 0.3 / 0.6 + 0.15) 585 + 10.
        auto rect = SummarySections::Rectangle();
        ASSERT_NEAR(rect->GetTop(), 0.3, 1e-9);
        const SectionFit fit = FitSectionToRect(rect.get(), 1000, 800, 10);
        EXPECT_DOUBLE_EQ(fit.x0, 630.0);
        EXPECT_NEAR(fit.s, 575.0, 1e-9);
        EXPECT_NEAR(fit.y0, 302.5, 1e-9);
        EXPECT_DOUBLE_EQ(fit.widest, 0.3);
    }
    {
        // T, 1000 wide: s = 270.4 is not capped, so the mid-height (depth 0.23 - 0.3) sits at yc:
        // y0 = 302.5 - 270.4 * 0.6 * (0.5 - 0.23 / 0.6) = 283.572.
        auto tee = SummarySections::TBeamSection();
        ASSERT_NEAR(tee->GetTop(), 0.23, 1e-9);
        const SectionFit fit = FitSectionToRect(tee.get(), 1000, 800, 10);
        EXPECT_NEAR(fit.s, 270.4, 1e-9);
        EXPECT_NEAR(fit.y0, 283.572, 1e-6);
        EXPECT_NEAR(fit.y0 - (tee->GetTop() - 0.3) * fit.s, 0.375 * (800 - 20) + 10, 1e-9);
    }
    {
        // Axial load 200 mm above the bottom: the datum moves there (top 0.4); capped at 575,
        // y0 = 302.5 + 575 (0.3 - 0.2) = 360, and the mid-height lands on yc again.
        auto rect = SummarySections::Empty();
        rect->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
        rect->SetMomentAxis(0.2);
        rect->Validate();
        ASSERT_NEAR(rect->GetTop(), 0.4, 1e-9);
        const SectionFit fit = FitSectionToRect(rect.get(), 1000, 800, 10);
        EXPECT_NEAR(fit.s, 575.0, 1e-9);
        EXPECT_NEAR(fit.y0, 360.0, 1e-9);
    }
    {
        // A wide, low pane 2176 x 700, margin 25: A = 487.5, capped at (487.5 - 210) / 0.6 =
        // 462.5, y0 = 0.5 * 487.5 + 25 = 268.75: the section spans rows 130 to 407.5. The notes
        // over the title block reach up to 700 - 4 * 1.2 * 43 - 4 * 25 - 1.2 * 36 = 350.4; with
        // the width dimension below the section (0.065 * 700) and half a margin, its bottom
        // stays at 292.4, its top at 130: s = 162.4 / 0.6, y0 = 130 + 0.3 s.
        auto rect = SummarySections::Rectangle();
        const SectionFit fit = FitSectionToRect(rect.get(), 2176, 700, 25);
        EXPECT_NEAR(fit.s, 162.4 / 0.6, 1e-9);
        EXPECT_NEAR(fit.y0 - 0.3 * fit.s, 130.0, 1e-9);
        EXPECT_NEAR(fit.y0 + 0.3 * fit.s, 292.4, 1e-9);
    }
    {
        const SectionFit none = FitSectionToRect(nullptr, 1000, 800, 10);
        EXPECT_DOUBLE_EQ(none.x0, 630.0);
        TBeam empty;
        empty.ClearAll();
        const SectionFit flat = FitSectionToRect(&empty, 1000, 801, 10);
        EXPECT_DOUBLE_EQ(flat.y0, 400.0);
        EXPECT_DOUBLE_EQ(flat.s, 1.0);
    }
}

TEST(SummaryLayout, StressStyleCodesAtTheirThresholds)
{
    const double L = 400e6;
    const struct {
        double v;
        int code;
    } cases[] = {
        {L, 1},
        {0.991 * L, 1},
        {1.009 * L, 1},
        {0.989 * L, -1},
        {1.011 * L, 3},
        {-L, 2},
        {-0.991 * L, 2},
        {-1.02 * L, 4},
        {-0.5 * L, -1},
        {0.0, -1},
        {2e30, 0},
        {-2e30, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StressStyleCode(c.v, L), c.code) << c.v;
    EXPECT_EQ(StressStyleColor(2), (plat::Color{0, 128, 0}));
    EXPECT_EQ(StressStyleColor(3), plat::Colors::LtRed);
}

TEST(SummaryLayout, BarsSizedAndSpread)
{
    EXPECT_EQ(BarSizePixels(0.025, 575), 14); // 14.375
    EXPECT_EQ(BarSizePixels(0.010, 300), 5);  // 3 px floored to 5
    EXPECT_EQ(BarSizePixels(0.0, 300), 5);

    // Four bars over W = 0.3 at s = 1000 without stirrups: centres at x0 + 0.5 - (150 - 60 k).
    auto boxes = LayerBarBoxes(0.1, 4, 0.02, 0.0, 0.3, -1.0, 20, 500, 400, 1000);
    ASSERT_EQ(boxes.size(), 4u);
    const int centres[] = {410, 470, 530, 590};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(boxes[k].left, centres[k] - 10);
        EXPECT_EQ(boxes[k].right, centres[k] + 10);
        EXPECT_EQ(boxes[k].top, 290);
    }
    // Over a stirrup width E = 0.2 (> 4 db, E/W > 0.3): outer bars touch +-100 px.
    boxes = LayerBarBoxes(0.1, 4, 0.02, 0.0, 0.3, 0.2, 20, 500, 400, 1000);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].right, 600);
    EXPECT_EQ(boxes[3].left, 400);
    EXPECT_EQ(boxes[1].right, 540); // 600.5 - 60
    // A narrow stirrup width (E <= n db) spreads over the section width again.
    boxes = LayerBarBoxes(0.1, 4, 0.02, 0.0, 0.3, 0.07, 20, 500, 400, 1000);
    EXPECT_EQ(boxes[0].left, 400);
    // One bar at its own position, 50 mm right of the centre line.
    boxes = LayerBarBoxes(0.1, 1, 0.02, 0.05, 0.3, -1.0, 20, 500, 400, 1000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], (plat::Rect{540, 290, 560, 310}));
}

TEST(SummaryLayout, CircularPatternsSpreadRoundTheCircle)
{
    // Radius 0.2 about height 0, s = 1000, x0 = 500, y0 = 400.
    // At the centre height the pair sits at +-200 px; at the top both bars sit on the axis.
    auto mid = CircularBarBoxes(0.0, 0.2, 0.0, 2, 10, 500, 400, 1000);
    ASSERT_EQ(mid.size(), 2u);
    EXPECT_EQ((mid[0].left + mid[0].right) / 2, 300);
    EXPECT_EQ((mid[1].left + mid[1].right) / 2, 700);
    EXPECT_EQ(mid[0].top, 395);
    // 0.1 above the centre: theta = asin(0.5) - pi/2 = -60 degrees: dx = -173.2, y = 400 - 100.
    auto upper = CircularBarBoxes(0.1, 0.2, 0.0, 2, 10, 500, 400, 1000);
    EXPECT_EQ(upper[0].left, 322); // 500.5 - 173.2 - 5
    EXPECT_EQ(upper[0].top, 295);
    // A height outside the circle takes theta = 0: the top of the circle, on the axis.
    auto outside = CircularBarBoxes(0.5, 0.2, 0.0, 2, 10, 500, 400, 1000);
    EXPECT_EQ(outside[0], outside[1]);
    EXPECT_EQ(outside[0].top, 195);
    // A single bar is not mirrored; a radius below 0.0001 counts as 0.01.
    EXPECT_EQ(CircularBarBoxes(0.0, 0.2, 0.0, 1, 10, 500, 400, 1000).size(), 1u);
    auto tiny = CircularBarBoxes(0.0, 0.0, 0.0, 2, 10, 500, 400, 1000);
    EXPECT_EQ((tiny[1].left + tiny[1].right) / 2, 510);
}

TEST(SummaryLayout, BendDiametersAndHookTails)
{
    // 10 mm: max(0.04, (1.667 + 2.5) 0.01 = 0.04167); 25 mm: (4.1675 + 2.5) 0.025 = 0.1667.
    EXPECT_NEAR(StirrupBendDiameter(0.010), 0.04167, 1e-9);
    EXPECT_NEAR(StirrupBendDiameter(0.025), 0.1666875, 1e-9);
    EXPECT_NEAR(StirrupBendDiameter(0.0), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(HookTailLength(0.008), 0.06);
    EXPECT_DOUBLE_EQ(HookTailLength(0.016), 0.096);

    // W = 0.5, cover 0.125, db 0.0625, s = 1000: legs at 125 (outer) and trunc(62.5 + 0.5);
    // bends about (0.8074 + 0.0625) 500 + 0.5 = 435 px, 63 px thick.
    StirrupGeometry g = ComputeStirrupGeometry(0.5, 0.125, 0.0625, 1000);
    EXPECT_DOUBLE_EQ(g.inset, 0.125);
    EXPECT_EQ(g.outer, 125);
    EXPECT_EQ(g.inner, 63);
    EXPECT_EQ(g.bendRadius, 435);
    EXPECT_EQ(g.band, 63);
    // Too narrow for the cover: the inset becomes (W - 2 db) / 3.
    g = ComputeStirrupGeometry(0.09, 0.04, 0.01, 1000);
    EXPECT_NEAR(g.inset, 0.07 / 3, 1e-12);
}

TEST(SummaryLayout, PropertiesLabelsByUnitSystem)
{
    const struct {
        int row;
        int units;
        const char* label;
    } cases[] = {
        {4, 0, "y_b (mm)"},
        {5, 0, "S_t (mm^3) x 10^3"},
        {1, 1, "Area (in^2)"},
        {2, 1, "Inertia (in^4)"},
        {5, 1, "S_t (in^3)"},
        {3, 1, "y_t (in)"},
        {1, 2, "Area (cm^2)"},
        {2, 2, "Inertia (cm^4) x 10^3"},
        {6, 2, "S_b (cm^3)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PropertyRowLabel(c.row, c.units), c.label) << c.row << " " << c.units;
    // 0.18 m^2 = 180 x 10^3 mm^2; 5.4e-3 m^4 = 5400 x 10^6 mm^4 = 540000 cm^4 = 540 x 10^3 cm^4;
    // 0.3 m = 300 mm = 11.8 in; 0.018 m^3 = 18000 x 10^3 mm^3.
    EXPECT_EQ(PropertyRowValue(1, 0.18, 0), "180.0");
    EXPECT_EQ(PropertyRowValue(2, 5.4e-3, 0), "5400.0");
    EXPECT_EQ(PropertyRowValue(2, 5.4e-3, 2), "540.0");
    EXPECT_EQ(PropertyRowValue(3, 0.3, 0), "300");
    EXPECT_EQ(PropertyRowValue(3, 0.3, 1), "11.8");
    EXPECT_EQ(PropertyRowValue(5, 0.018, 0), "18000.0");
}

TEST(SummaryLayout, AppendSignificant)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0.5, "0.5"},
        {12.3456, "12.35"},
        {1234, " 1234"},
        {150, "150.0"},
        {-2.5, "-2.5"},
        {0.00001, "0.0"},
        {0.0, "0.0"},
        {-0.0, "0.0"},
        {1e6, "1000000"},
    };
    for (const auto& c : cases) {
        std::string text;
        AppendSignificant(text, c.v);
        EXPECT_EQ(text, c.text) << c.v;
    }
    std::string line = "N=";
    AppendSignificant(line, 100);
    EXPECT_EQ(line, "N=100.0");
}

class SummaryTables : public SummaryTest {};

TEST_F(SummaryTables, CatalogRowsListBeamsAndMarkTheFirstMatch)
{
    // Slots 0, 3 and 4 hold beams, 2 a membrane element; slot 4 has the current one's title.
    Put(0, SummarySections::Rectangle("A"));
    Put(2, std::make_unique<TShell>(0));
    Put(3, SummarySections::Rectangle("B"));
    TStructure* current = Put(4, SummarySections::Rectangle("C"));
    Put(6, SummarySections::Rectangle("C"));
    // Page 1000 x 800, picture 850, margin 10: rows of trunc(0.75 * 140) = 105 from y = 80.
    const auto rows = ListCatalogRows(current, 0, 0, 850, 1000, 800, 10);
    ASSERT_EQ(rows.size(), 4u);
    const int slots[] = {0, 3, 4, 6};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(rows[j].slot, slots[j]);
        EXPECT_EQ(rows[j].top, 80 + 105 * j);
        EXPECT_EQ(rows[j].bottom, 184 + 105 * j);
        EXPECT_EQ(rows[j].marked, j == 2);
    }
    // A page 400 high holds rows 40..144, 145..249, 250..354; a fourth would end at 459.
    EXPECT_EQ(ListCatalogRows(current, 0, 0, 850, 1000, 400, 10).size(), 3u);
    // No width for the column: rows 10 high rather than none.
    EXPECT_EQ(CatalogRowHeight(0), 10);
    EXPECT_EQ(CatalogRowHeight(-20), 10);
    EXPECT_EQ(ListCatalogRows(current, 0, 0, 990, 1000, 800, 10)[1].top, 90);
}

TEST(SummaryLayout, LegendRunsGreysAndWeb)
{
    auto beam = SummarySections::Empty(3);
    beam->AddRegion(0.7, 0.6, 1.0, 1.0, 1, 1);
    beam->AddRegion(0.6, 0.5, 1.0, 0.3, 1, 1);
    beam->AddRegion(0.5, 0.1, 0.3, 0.3, 0, 1);
    beam->AddRegion(0.1, 0.0, 0.5, 0.5, 2, 1);
    const auto runs = ConcreteTypeRuns(*beam);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].type, 1);
    EXPECT_EQ(runs[0].last, 1);
    EXPECT_DOUBLE_EQ(runs[0].top, 0.7);
    EXPECT_DOUBLE_EQ(runs[0].bottom, 0.5);
    EXPECT_EQ(runs[2].first, 3);
    // The web is the narrow third region, an inner web.
    const WebRegion web = FindWebRegion(*beam);
    EXPECT_EQ(web.index, 2);
    EXPECT_TRUE(web.inner);
    // A rectangle's only region is first and last: the widest takes its place.
    auto rect = SummarySections::Rectangle();
    EXPECT_EQ(FindWebRegion(*rect).index, 0);
    EXPECT_FALSE(FindWebRegion(*rect).inner);

    EXPECT_EQ(ConcreteTypeGrey(0), 240);
    EXPECT_EQ(ConcreteTypeGrey(24), 0);
    EXPECT_EQ(ConcreteTypeGrey(30), 0); // clamped, never negative
    EXPECT_EQ(ConcreteTypeGrey(-5), 255);
}

TEST(SummaryLayout, DepthProfileExamples)
{
    auto table = [](std::initializer_list<std::pair<double, double>> pairs) {
        TDepthTable t("profile");
        for (const auto& [z, v] : pairs)
            t.Add(z, v);
        return t;
    };
    // 100 high, 10 wide in 200 x 200: sh = 18, sv = 1.6; from 20 to 180 px below the top.
    DepthProfileLayout L = LayoutDepthProfile(0, 0, 200, 200, table({{100, 10}, {0, 10}}));
    ASSERT_FALSE(L.degenerate);
    EXPECT_DOUBLE_EQ(L.s, 1.6);
    EXPECT_DOUBLE_EQ(L.yr - 100 * L.s, 20.0);
    EXPECT_DOUBLE_EQ(L.yr, 180.0);
    EXPECT_DOUBLE_EQ(L.xc, 100.0);
    EXPECT_FALSE(L.half);
    // 10 high, 10 wide in 200 x 400: s = 18, centred vertically.
    L = LayoutDepthProfile(0, 0, 200, 400, table({{10, 10}, {0, 10}}));
    EXPECT_DOUBLE_EQ(L.s, 18.0);
    EXPECT_DOUBLE_EQ((L.yr + L.yr - 10 * L.s) / 2, 200.0);
    EXPECT_FALSE(L.half);
    // 1 high, 100 wide in 400 x 400: half view at 7.2 (its axis is the painted profile's test).
    EXPECT_DOUBLE_EQ(LayoutDepthProfile(0, 0, 400, 400, table({{1, 100}, {0, 100}})).s, 7.2);
    // Degenerate (no width is the painted profile's test): no height, no pairs.
    EXPECT_TRUE(LayoutDepthProfile(0, 0, 200, 200, table({{5, 10}, {5, 10}})).degenerate);
    EXPECT_TRUE(LayoutDepthProfile(0, 0, 200, 200, table({})).degenerate);
}

TEST(SummaryLayout, ControlPanelSplashAndPrinting)
{
    EXPECT_EQ(ControlPanelTitle(4), "Single Graph");
    EXPECT_EQ(ControlPanelTitle(5), "Nine Graphs");
    EXPECT_EQ(ControlPanelTitle(10), "Six Graphs");
    EXPECT_EQ(ControlPanelTitle(11), "Member Details");
    EXPECT_EQ(ControlPanelTitle(6), "Pushover");
    EXPECT_EQ(ControlPanelTitle(3), "");

    // 1010 x 800, fraction 0.25: frames start at (10, 10), trunc(232.3) wide; heights
    // H - 20.2, 0.63 H - 20.2, 0.3 H - 20.2, and 0.22 H - 20.2 in mode 1.
    const struct {
        int mode, b4, b5;
        int frames;
        int height;
    } cases[] = {
        {4, 0, 0, 1, 779},
        {4, 1, 1, 1, 219},
        {1, 0, 1, 2, 155}, // mode 1 draws its two frames whatever the record says
    };
    for (const auto& c : cases) {
        const auto frames = ControlPanelFrames(c.mode, c.b4, c.b5, 1010, 800, 0.25);
        ASSERT_EQ(static_cast<int>(frames.size()), c.frames) << c.mode << c.b4 << c.b5;
        if (c.frames > 0) {
            EXPECT_EQ(frames[0].left, 10);
            EXPECT_EQ(frames[0].top, 10);
            EXPECT_EQ(frames[0].Width(), 232);
            EXPECT_EQ(frames[0].Height(), c.height);
        }
    }
    EXPECT_EQ(ControlPanelFrames(1, 0, 0, 1010, 800, 0.25)[1].top, 184);

    // Box (730, 168)-(970, 616): 240 x 448. A tall bitmap keeps the full height.
    EXPECT_EQ(SplashBitmapBox(1000, 800, 100, 400), (plat::Rect{730, 168, 842, 616}));
    EXPECT_TRUE(SplashBitmapBox(1000, 800, 0, 0).IsEmpty());

    using Plan = std::vector<MaterialChartPlan>;
    const MaterialChartPlan concrete{"Concrete", 7, 14, 2120};
    EXPECT_EQ(PlanMaterialsPage(true, 1, 0), (Plan{concrete, {"Rebar", 8, 15, 2121}}));
    EXPECT_EQ(PlanMaterialsPage(true, 0, 1), (Plan{concrete, {"P-Steel", 9, 15, 2122}}));
    EXPECT_EQ(PlanMaterialsPage(true, 2, 1),
              (Plan{concrete, {"Rebar", 8, 15, 2121}, {"P-Steel", 9, 16, 2122}}));
    EXPECT_EQ(PlanMaterialsPage(false, 2, 1), (Plan{concrete}));

    EXPECT_EQ(PrintBoxOrigin({100, 200}, {10, 20}, false, 800), (plat::Point{110, 220}));
    EXPECT_EQ(PrintBoxOrigin({100, 300}, {10, 20}, true, 800), (plat::Point{100, 100}));
    EXPECT_EQ(PrintBoxOrigin({100, 400}, {0, 0}, true, 800), (plat::Point{100, 133}));
}

} // namespace
