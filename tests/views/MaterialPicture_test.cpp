// The material chart's picture by hand: where its labels, marks and leaders land on scales
// and curves given in hand coordinates.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/materials/SteelLaws.h"
#include "tests/support/TestSupport.h"
#include "tests/views/MaterialSamples.h"
#include "tests/views/PlanLabels.h"
#include "views/MaterialPicture.h"

namespace {

namespace TA = plat::TextAlign;
using namespace material_samples;

// ---- The picture by hand ---------------------------------------------------------------------

// 200 x 200 with 20 pixels of title; x 0..3 mm/m, y 0..40 MPa: m = 10, x scale 60 from x = 10,
// y scale (190 - 20 - 10) / 40 = 4 up from y = 190.
MaterialFrame HandFrame(double xMax, double yMax)
{
    MaterialFrame f;
    f.W = 200, f.H = 200, f.top = 20;
    f.axis = ChartBounds{0.0, 0.0, xMax, yMax};
    f.title = "Concrete";
    return f;
}

MaterialTypeCopies Copies(int kind, std::vector<ConcreteTypeRec> c, std::vector<SteelTypeRec> s, int main)
{
    MaterialTypeCopies t;
    t.kind = kind;
    t.concreteUsed.assign(c.size(), 1);
    t.steelUsed.assign(s.size(), 1);
    t.concrete = std::move(c);
    t.steel = std::move(s);
    (kind == MaterialChart::Concrete ? t.mainConcrete : t.mainSteel) = main;
    return t;
}

const PlanStep& Text(const DiagramPlan& plan, const std::string& text)
{
    const PlanStep* s = plan.FindText(text);
    EXPECT_NE(s, nullptr) << text;
    static const PlanStep none;
    return s ? *s : none;
}

TEST(MaterialPicture, OneConcreteTypeLabelsItsPeakOnTheAxes)
{
    ValueGuard<int> si{g_UnitSystem, kUnitSI};
    const auto types = Copies(MaterialChart::Concrete, {Concrete("C35", 35, -0.002)}, {}, 0);
    const MaterialCurves curves = BuildMaterialCurves(types, {}, kUnitSI);
    const DiagramPlan plan = PlanMaterialChart(HandFrame(3.0, 40.0), types, curves, kFixed);

    const auto lines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points.front(), (plat::Point{10, 190}));
    EXPECT_EQ(lines[0].points[24], (plat::Point{130, 50})); // (2 mm/m, 35 MPa)
    EXPECT_EQ(lines[0].points.back().x, 190);

    // The strain, centred on its peak's mark (x 130, rows 188..192), stands over it clear of
    // the mark and of the x axis: its bottom pixel (185) two rows above the mark's top.
    const PlanStep& strain = Text(plan, "|e_c' = 2.00 mm/m");
    EXPECT_EQ(strain.points[0], (plat::Point{130, 186}));
    EXPECT_EQ(strain.hAlign, TA::Center);
    EXPECT_EQ(strain.vAlign, TA::Bottom);
    // The strength names the level of the peak, row 50: it stands on it, its bottom pixel
    // (row 47) two rows above, right of the y axis (10 + 4), where the curve is not.
    const PlanStep& strength = Text(plan, "f_c' =  35.0 MPa");
    EXPECT_EQ(strength.points[0], (plat::Point{14, 38}));
    EXPECT_EQ(strength.vAlign, TA::Top);
    // The main type's details, right-aligned at 190 around 190 - 200 / 3 = 124, would span
    // x 43..190 by rows 114..134, where the rising curve runs through the left of "f_t = 1.95
    // MPa (auto)"; this measure has no smaller text. They are not drawn over the curve but go
    // together, still right-aligned at 190, straight down to the nearest rows where their box
    // grown by a pixel is clear of it, under the descending branch.
    const PlanStep& ag = Text(plan, "a_g =   19 mm");
    EXPECT_EQ(ag.vAlign, TA::Bottom);
    const PlanStep& ft = Text(plan, StrPrintf("f_t = %4.2f MPa (auto)", types.concrete[0].ft / kMPa));
    EXPECT_EQ(ft.vAlign, TA::Top);
    EXPECT_EQ(ft.points[0], ag.points[0]);
    const int y0 = ag.points[0].y;
    EXPECT_EQ(ag.points[0].x, 190);
    const auto details = [](int y) { return plat::Rect{42, y - 11, 191, y + 11}; };
    EXPECT_NE(LineThrough(plan, details(124)), "");
    EXPECT_GT(y0, 124);
    EXPECT_EQ(LineThrough(plan, details(y0)), "");
    EXPECT_NE(LineThrough(plan, details(y0 - 1)), "");
    EXPECT_TRUE(plan.Of(PlanOp::Fill).empty());
    EXPECT_EQ(plan.FindText("Base Type"), nullptr);

    const auto marks = plan.Of(PlanOp::Line);
    // Axes, the peak-strain mark and the strength mark.
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0].points, (std::vector<plat::Point>{{10, 20}, {10, 190}}));
    EXPECT_EQ(marks[1].points, (std::vector<plat::Point>{{10, 190}, {190, 190}}));
    EXPECT_EQ(marks[2].points, (std::vector<plat::Point>{{130, 192}, {130, 187}}));
    EXPECT_EQ(marks[3].points, (std::vector<plat::Point>{{7, 50}, {13, 50}}));
}

TEST(MaterialPicture, StrongerTypeWithTheLowerPeakStrain)
{
    // Main type C35 (the larger region); the 60 MPa type peaks earlier.
    const auto types = Copies(MaterialChart::Concrete, {Concrete("C35", 35, -0.0025), Concrete("C60", 60, -0.002)},
                              {}, 0);
    const MaterialCurves curves = BuildMaterialCurves(types, {}, kUnitSI);
    ASSERT_EQ(curves.peakStrainFlag, 0);
    const DiagramPlan plan = PlanMaterialChart(HandFrame(4.0, 80.0), types, curves, kFixed);
    // Right-aligned at the axis end (190), 154 pixels wide over the peak-strain marks at 100
    // and 123 that reach up to row 187: it stands on them, its bottom at 186.
    const PlanStep& strain = Text(plan, "|e_c_m_a_x = 4.00 mm/m");
    EXPECT_EQ(strain.points[0], (plat::Point{190, 186}));
    EXPECT_EQ(strain.hAlign, TA::Right);
    // The strength of the labelled type names the level of its peak (60 MPa, row 70): it
    // stands on it, rows 58 to 67, from x 14 to 126.
    EXPECT_EQ(Text(plan, "f_c' =  60.0 MPa").points[0], (plat::Point{14, 58}));
    // The main type's strength and "Base Type" stacked above a_g (10 pixels each) around 124:
    // rows 98 to 134, from x 43 (f_t, 147 pixels) to 190, where both curves fall from their
    // peaks (60 MPa at (100, 70), 35 MPa at (123, 120)). The block goes up, as a whole, past
    // the 60 MPa peak and the strength label over it (its top at 58), until its bottom pixel
    // (f_t's) stands on that label: 76 pixels.
    EXPECT_EQ(Text(plan, "a_g =   19 mm").points[0], (plat::Point{190, 124 - 76}));
    EXPECT_EQ(Text(plan, "f_c' =  35.0 MPa").points[0], (plat::Point{190, 124 - 10 + 4 - 76}));
    EXPECT_EQ(Text(plan, "Base Type").points[0], (plat::Point{190, 124 - 20 + 4 - 76}));
    EXPECT_NE(LineThrough(plan, plat::Rect{43, 98, 190, 134}), "");
    EXPECT_EQ(LabelClash(plan, kFixed, "Concrete", {"Base Type", "f_c' =  35.0 MPa", "a_g =   19 mm",
                                                    StrPrintf("f_t = %4.2f MPa (auto)", types.concrete[0].ft / kMPa)}),
              "");
    // Every type has its peak-strain mark: 2.5 and 2.0 mm/m at 45 pixels per mm/m.
    std::vector<int> xMarks;
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        if (l.points[0].y == 192)
            xMarks.push_back(l.points[0].x);
    EXPECT_EQ(xMarks, (std::vector<int>{190, 123, 100}));
}

// Rebar labels: the weakest curve's label lowest, each with a leader to its curve at 30 % of
// the width. x 0..150 mm/m over 180 pixels (1.2 per mm/m), y 0..800 MPa over 160 (0.2).
TEST(MaterialPicture, RebarLabelsWeakestFirstWithLeaders)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B500", 500), Bar("B400", 400)}, 0);
    const MaterialCurves curves = BuildMaterialCurves(types, {}, kUnitSI);
    const DiagramPlan plan = PlanMaterialChart(HandFrame(150.0, 800.0), types, curves, kFixed);
    EXPECT_EQ(Text(plan, "|e_s = 150.0 mm/m").points[0], (plat::Point{189, 189}));
    // A pixel right of home: the mark at the top of the y axis (7..13, row 30) touches the
    // corner of its place grown by a pixel.
    EXPECT_EQ(Text(plan, "f_u =  800 MPa").points[0], (plat::Point{15, 20}));
    const PlanStep& weak = Text(plan, "B400, f_y= 400");
    const PlanStep& strong = Text(plan, "B500, f_y= 500");
    EXPECT_EQ(weak.points[0], (plat::Point{80, 134}));
    EXPECT_EQ(strong.points[0], (plat::Point{80, 124}));
    // 30 % of the width is (60 - 10) / 1.2 = 41.67 mm/m, on the hardening parabola
    // fu + (fy - fu) ((e - eu) / (esh - eu))^2.
    const double e = 50.0 / 1.2 / 1000.0;
    const double s400 = 600 + (400 - 600) * std::pow((e - 0.1) / (0.007 - 0.1), 2);
    std::vector<PlanStep> leaders;
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        if (l.points[0].x == 77)
            leaders.push_back(l);
    ASSERT_EQ(leaders.size(), 2u);
    EXPECT_EQ(leaders[0].points[0], (plat::Point{77, 129}));
    EXPECT_EQ(leaders[0].points[1].x, 60);
    EXPECT_NEAR(leaders[0].points[1].y, 190 - 0.2 * s400, 1.0);
    EXPECT_EQ(leaders[1].points[0], (plat::Point{77, 119}));
}

// With design factors in force a bar is elastic-perfectly plastic: its curve rises steeply at
// the y axis to 400 MPa, the top of the plot, and runs flat there to 100 mm/m, right through
// the place of the top label "f_u = 400 MPa" (14, 20; 98 x 10 pixels). The label names that
// level (row 30) and stays at its height: a row up, its bottom pixel at 28, its box grown by a
// pixel clear of the plateau, right of the y axis (10 + 4; the mark at the top of the axis,
// 7..13, row 30, is below the grown box too). Not under the plateau right of the leader of
// "f_y= 400" (79, 32), as far as it is from the y axis.
TEST(MaterialPicture, TheTopLabelOfAFactoredBarStaysClearOfItsPlateau)
{
    ValueGuard<int> si{g_UnitSystem, kUnitSI};
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const ResistanceFactors design{0.65, 0.85, 0.9};
    const MaterialCurves curves = BuildMaterialCurves(types, design, kUnitSI);
    MaterialFrame frame = HandFrame(100.0, 400.0);
    frame.inForce = design;
    const DiagramPlan plan = PlanMaterialChart(frame, types, curves, kFixed);
    const auto lines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 4u);
    EXPECT_EQ(lines[0].points[1], (plat::Point{14, 30}));     // (2 mm/m, 400 MPa)
    EXPECT_EQ(lines[0].points[2], (plat::Point{23, 30}));     // the start of hardening, 7 mm/m
    EXPECT_EQ(lines[0].points.back(), (plat::Point{190, 30})); // e_u 100 mm/m
    const PlanStep& top = Text(plan, "f_u =  400 MPa");
    EXPECT_EQ(top.points[0], (plat::Point{14, 19}));
    EXPECT_EQ(LineThrough(plan, plat::Rect{13, 18, 14 + 98 + 1, 19 + 10 + 1}), "");
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        if (l.points[0].x == 77) {
            EXPECT_EQ(l.points[0], (plat::Point{77, 129}));
            EXPECT_EQ(l.points[1], (plat::Point{60, 30}));
        }
    EXPECT_EQ(top.hAlign, TA::Left);
    EXPECT_EQ(top.vAlign, TA::Top);
    // Unfactored, the curve hardens from 7 mm/m and reaches 400 MPa only at yield: the label
    // keeps its place (a pixel right of the mark at the top of the y axis).
    const MaterialCurves hardening = BuildMaterialCurves(types, {}, kUnitSI);
    const DiagramPlan unfactored = PlanMaterialChart(HandFrame(100.0, 600.0), types, hardening, kFixed);
    EXPECT_EQ(Text(unfactored, "f_u =  600 MPa").points[0], (plat::Point{15, 20}));
}

// Curves given by their points in chart units (strain, stress); a separator starts the next.
MaterialCurves HandCurves(const std::vector<std::vector<std::pair<double, double>>>& curves)
{
    MaterialCurves c;
    for (const auto& curve : curves) {
        if (!c.data.empty())
            c.data.insert(c.data.end(), {kUndefined, kUndefined});
        for (const auto& [x, y] : curve)
            c.data.insert(c.data.end(), {x, y});
        ++c.rebarCurves;
    }
    return c;
}

// The box of a label of the fixed measure (7 x 10 pixels a character).
plat::Rect LabelBox(const PlanStep& label) { return TextBox(label, kFixed(label.text, label.font)); }

} // namespace

// Two curves, the shorter first, on x 0..100 mm/m and y 0..500 MPa (1.8 pixels a mm/m from
// x = 10, 0.32 a MPa up from y = 190). The first rises to the top of the plot at 2 mm/m
// (14, 30) and stays there to 30 mm/m (64, 30), through the top label's place (14, 20;
// 98 x 10 pixels); the second ends on a plateau at 400 MPa (row 62), to 100 mm/m. The label
// names the top level (row 30) and goes to the nearest place clear of both at that height: a
// row up (19), its bottom pixel at 28, over the first plateau, right of the y axis (14).
// Nothing joins the first curve's end (64, 30) to the second's start (10, 190): such a stretch
// would pass through that place.
TEST(MaterialPicture, TheTopLabelKeepsClearOfEveryCurveWhenAShortCurveComesFirst)
{
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    const MaterialCurves curves = HandCurves({{{0, 0}, {2, 500}, {30, 500}}, {{0, 0}, {2, 400}, {100, 400}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(100.0, 500.0), none, curves, kFixed);
    const auto lines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<plat::Point>{{10, 190}, {14, 30}, {64, 30}}));
    EXPECT_EQ(lines[1].points, (std::vector<plat::Point>{{10, 190}, {14, 62}, {190, 62}}));
    const PlanStep& top = Text(plan, "f_u =  500 MPa");
    EXPECT_EQ(top.points[0], (plat::Point{14, 19}));
    EXPECT_EQ(LineThrough(plan, LabelBox(top)), "");

    // The other way round (the long curve first) the label lands in the same place.
    const MaterialCurves swapped = HandCurves({{{0, 0}, {2, 400}, {100, 400}}, {{0, 0}, {2, 500}, {30, 500}}});
    const DiagramPlan other = PlanMaterialChart(HandFrame(100.0, 500.0), none, swapped, kFixed);
    EXPECT_EQ(Text(other, "f_u =  500 MPa").points[0], (plat::Point{14, 19}));
}

// A curve that runs on past the end of the x axis (to 150 mm/m on an axis of 0..100) stops
// at the axis' end, x 190, at its own height there (400 MPa, row 62), and one that climbs past
// the top of the y axis (row 20, (190 - 20) / 0.32 = 531.25 MPa; from 400 MPa at 2 mm/m to
// 600 at 50 it gets there at 2 + 131.25 x 48 / 200 = 33.5 mm/m, x 10 + 1.8 x 33.5 = 70.3)
// stops there; neither reaches the box's edge.
TEST(MaterialPicture, CurvesStopAtTheEndsOfTheAxes)
{
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    const MaterialCurves curves = HandCurves({{{0, 0}, {2, 400}, {150, 400}}, {{0, 0}, {2, 400}, {50, 600}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(100.0, 500.0), none, curves, kFixed);
    const auto lines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<plat::Point>{{10, 190}, {14, 62}, {190, 62}}));
    EXPECT_EQ(lines[1].points, (std::vector<plat::Point>{{10, 190}, {14, 62}, {70, 20}}));
}

// Sloped stretches, on the same scales. A hardening curve that rises from (82, 36) to the top
// at 100 mm/m (190, 30) passes below the label's place (at x 112, its right end, the curve is
// at y 34.3): the label stays at its home row (a pixel right of the y axis' top mark, 15, 20),
// though the stretch's own box overlaps it. A curve that rises from (14, 110) to the top at
// (100, 30) runs through the place; the label names the top level (row 30) and stays at its
// height, a row up, clear over the curve's end (14, 19), not two rows below the sloped
// stretch's lowest pixel in its columns (16, 111), far below that level. A sloped leader (from
// (77, 129) up to the curve at 30 % of the width, (60, 30)) passes through the place under the
// plateau of a factored bar, right of its rise; the label stands over the plateau.
TEST(MaterialPicture, TheTopLabelKeepsClearOfSlopedStretchesAtHandPositions)
{
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    const MaterialCurves hardening = HandCurves({{{0, 0}, {5, 375}, {40, 480}, {100, 500}}});
    const DiagramPlan below = PlanMaterialChart(HandFrame(100.0, 500.0), none, hardening, kFixed);
    ASSERT_EQ(below.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(below.Of(PlanOp::Polyline)[0].points,
              (std::vector<plat::Point>{{10, 190}, {19, 70}, {82, 36}, {190, 30}}));
    const PlanStep& home = Text(below, "f_u =  500 MPa");
    EXPECT_EQ(home.points[0], (plat::Point{15, 20}));
    EXPECT_EQ(LineThrough(below, LabelBox(home)), "");

    const MaterialCurves steep = HandCurves({{{0, 0}, {2, 250}, {50, 500}}});
    const DiagramPlan moved = PlanMaterialChart(HandFrame(100.0, 500.0), none, steep, kFixed);
    ASSERT_EQ(moved.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(moved.Of(PlanOp::Polyline)[0].points, (std::vector<plat::Point>{{10, 190}, {14, 110}, {100, 30}}));
    const PlanStep& under = Text(moved, "f_u =  500 MPa");
    EXPECT_EQ(under.points[0], (plat::Point{14, 19}));
    EXPECT_EQ(LineThrough(moved, LabelBox(under)), "");

    // A factored bar with its leader (the hand positions of the test above): right of the rise
    // alone under the plateau (16, 32) the leader would cross the label; it stands over the
    // plateau.
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const ResistanceFactors design{0.65, 0.85, 0.9};
    MaterialFrame frame = HandFrame(100.0, 400.0);
    frame.inForce = design;
    const DiagramPlan led = PlanMaterialChart(frame, types, BuildMaterialCurves(types, design, kUnitSI), kFixed);
    const PlanStep& right = Text(led, "f_u =  400 MPa");
    EXPECT_EQ(right.points[0], (plat::Point{14, 19}));
    EXPECT_EQ(LineThrough(led, LabelBox(right)), "");
    EXPECT_NE(LineThrough(led, plat::Rect{16, 32, 16 + 98, 42}), "");
}

// Where nothing is clear at a level's height, even in the smallest text (this measure gives
// every size the same extent), the label naming it goes to a clear place in the plot and a
// leader joins it to the level. On the scales above, with a title 25 pixels high (its letters
// fill it: the label keeps two pixels off, below row 27), two plateaus run from the y axis
// (x 14) to the end of the x axis: at 500 MPa, the top (row 30), and at 468.75 MPa (row 40).
// The label (98 x 10) at the top level's height, its top from 23 to 32, meets one of them in
// its box grown by a pixel wherever it stands. The nearest clear place right and down from its
// home goes below the lower one, two rows under it (42), just right of the rises (at rows
// 41..52 they run at x 13.7 and less: the box grown by a pixel starts at 14, the label at 15);
// the places tried from under the level across the plot lead no better (every leader up to
// the level crosses the lower plateau), so the first stays. Its leader joins the end of the
// mark at the top of the y axis (13, 30), not straight up from the label's corner beside the
// axis (13, 40), which would read as a second axis, but from the middle of the label's top
// grown by two pixels ((15 + 113) / 2 = 64, 40), crossing the lower plateau where it starts
// and meeting the rise only at its end; one up to the upper plateau's start (14, 30) would
// meet both the lower plateau and the lower rise.
TEST(MaterialPicture, ALevelLabelWithNoClearPlaceAtItsHeightGetsALeader)
{
    const PlanMeasure titled = [](std::string_view text, const plat::LogFont& font) {
        return text == "Concrete" ? plat::Size{56, 25} : kFixed(text, font);
    };
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    const MaterialCurves curves = HandCurves({{{0, 0}, {2, 500}, {100, 500}}, {{0, 0}, {2, 468.75}, {100, 468.75}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(100.0, 500.0), none, curves, titled);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 2u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points, (std::vector<plat::Point>{{10, 190}, {14, 30}, {190, 30}}));
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[1].points, (std::vector<plat::Point>{{10, 190}, {14, 40}, {190, 40}}));
    const PlanStep& top = Text(plan, "f_u =  500 MPa");
    EXPECT_EQ(top.points[0], (plat::Point{15, 42}));
    EXPECT_EQ(LineThrough(plan, LabelBox(top)), "");
    // The lines going up: the mark at the end of the x axis (190), and the leader.
    std::vector<std::vector<plat::Point>> leaders;
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        if (l.points[0].y > l.points[1].y && l.points[0].x != 190)
            leaders.push_back(l.points);
    ASSERT_EQ(leaders.size(), 1u);
    EXPECT_EQ(leaders[0], (std::vector<plat::Point>{{64, 40}, {13, 30}}));

    // With the ordinary title (10 high) the label stands over the upper plateau, no leader.
    const DiagramPlan clear = PlanMaterialChart(HandFrame(100.0, 500.0), none, curves, kFixed);
    EXPECT_EQ(Text(clear, "f_u =  500 MPa").points[0], (plat::Point{14, 19}));
    for (const PlanStep& l : clear.Of(PlanOp::Line))
        EXPECT_TRUE(l.points[0].y <= l.points[1].y || l.points[0].x == 190);
}

// The label's letters, not its line, keep clear: the same chart as above, its title's line 25
// pixels high with letters in rows 4..19, each label's line 10 high with letters in rows 3..7.
// The label's letters stand on the top level (row 30): rows 23..27 from x 14, the line's top
// at 20 (the chart's own place for it), clear of the upper plateau below (its box grown by a
// pixel reaches row 28) and of the title's letters grown by two pixels (rows 2..21), though
// its line reaches into the title's. No leader is drawn.
TEST(MaterialPicture, ALevelLabelStandsAtItsLevelByItsLetters)
{
    const PlanMeasure titled = [](std::string_view text, const plat::LogFont& font) {
        return text == "Concrete" ? plat::Size{56, 25} : kFixed(text, font);
    };
    const PlanLetters letters = [](std::string_view text, const plat::LogFont&) {
        return text == "Concrete" ? LetterRows{4, 20} : LetterRows{3, 8};
    };
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    const MaterialCurves curves = HandCurves({{{0, 0}, {2, 500}, {100, 500}}, {{0, 0}, {2, 468.75}, {100, 468.75}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(100.0, 500.0), none, curves, titled, nullptr, letters);
    const PlanStep& top = Text(plan, "f_u =  500 MPa");
    EXPECT_EQ(top.points[0], (plat::Point{14, 20}));
    EXPECT_EQ(top.vAlign, TA::Top);
    EXPECT_EQ(LineThrough(plan, plat::Rect{13, 22, 14 + 98 + 1, 29}), "");
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        EXPECT_TRUE(l.points[0].y <= l.points[1].y || l.points[0].x == 190)
            << l.points[0].x << "," << l.points[0].y << " - " << l.points[1].x << "," << l.points[1].y;
}

// The marks on the y axis are kept clear of as the curves are. In a text 16 pixels high (5 a
// character), the top label's place at home (14, 20) spans rows 20..35, through which the
// mark at the top of the y axis runs (7..13, row 30), ending where the label's box grown by a
// pixel begins: the label stands two pixels right of the mark's end (15), at its home height.
// The same for the strength mark of a concrete type as strong as the top of the plot.
TEST(MaterialPicture, TheTopLabelsKeepClearOfTheMarksOnTheYAxis)
{
    const PlanMeasure tall = [](std::string_view text, const plat::LogFont&) {
        return plat::Size{5 * static_cast<int>(text.size()), 16};
    };
    const auto bar = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const DiagramPlan steel =
        PlanMaterialChart(HandFrame(150.0, 800.0), bar, BuildMaterialCurves(bar, {}, kUnitSI), tall);
    const auto mark = std::vector<plat::Point>{{7, 30}, {13, 30}};
    bool marked = false;
    for (const PlanStep& l : steel.Of(PlanOp::Line))
        marked = marked || l.points == mark;
    EXPECT_TRUE(marked);
    const PlanStep& ultimate = Text(steel, "f_u =  800 MPa");
    EXPECT_EQ(ultimate.points[0], (plat::Point{15, 20}));
    const plat::Rect grown{ultimate.points[0].x - 1, 19, ultimate.points[0].x + 71, 37};
    EXPECT_EQ(LineThrough(steel, grown), "");
    EXPECT_NE(LineThrough(steel, plat::Rect{13, 19, 85, 37}), ""); // at home, grown by a pixel

    ValueGuard<int> si{g_UnitSystem, kUnitSI};
    const auto types = Copies(MaterialChart::Concrete, {Concrete("C40", 40, -0.002)}, {}, 0);
    const DiagramPlan concrete =
        PlanMaterialChart(HandFrame(3.0, 40.0), types, BuildMaterialCurves(types, {}, kUnitSI), tall);
    marked = false;
    for (const PlanStep& l : concrete.Of(PlanOp::Line))
        marked = marked || l.points == mark;
    EXPECT_TRUE(marked);
    const PlanStep& strength = Text(concrete, "f_c' =  40.0 MPa");
    EXPECT_EQ(strength.points[0], (plat::Point{15, 20}));
    EXPECT_EQ(LineThrough(concrete, plat::Rect{14, 19, 96, 37}), "");
}

// Curve labels move off a curve that runs through them. On the scales of the rebar test above
// (x 1.2 pixels a mm/m from 10, y 0.2 a MPa up from 190), a curve that rises to 800 MPa, runs
// flat to 100 mm/m and drops there to 300 MPa (with a short second curve low down) falls at
// x 130 from row 30 to row 130, through both labels' places (98 x 10 pixels from x 80, bottoms
// at 124 and 134). The upper label goes two pixels below the drop's foot (its top at 132, its
// bottom at 142) and the weaker one under it, so that the weakest stays lowest; their leaders
// start at their new places, and the top label keeps clear of them all.
TEST(MaterialPicture, CurveLabelsMoveOffACurveAndKeepTheirOrder)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B500", 500), Bar("B400", 400)}, 0);
    const MaterialCurves drop = HandCurves({{{0, 0}, {2, 800}, {100, 800}, {100, 300}}, {{0, 0}, {2, 100}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(150.0, 800.0), types, drop, kFixed);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 2u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points,
              (std::vector<plat::Point>{{10, 190}, {12, 30}, {130, 30}, {130, 130}}));
    const PlanStep& strong = Text(plan, "B500, f_y= 500");
    const PlanStep& weak = Text(plan, "B400, f_y= 400");
    EXPECT_EQ(strong.points[0], (plat::Point{80, 142}));
    EXPECT_EQ(weak.points[0], (plat::Point{80, 152}));
    std::vector<plat::Point> leaderFeet;
    for (const PlanStep& l : plan.Of(PlanOp::Line))
        if (l.points[0].x == 77)
            leaderFeet.push_back(l.points[0]);
    EXPECT_EQ(leaderFeet, (std::vector<plat::Point>{{77, 147}, {77, 137}}));
    for (const PlanStep* label : {&strong, &weak, &Text(plan, "f_u =  800 MPa")})
        EXPECT_EQ(LineThrough(plan, LabelBox(*label)), "") << label->text;
}

// The label search of the steel chart, on the scales of the rebar test above (x 1.2 pixels a
// mm/m from 10, y 0.2 a MPa up from 190) with one bar, whose label "f_y= 400" (56 x 10 pixels)
// has its home at (80, 124), its leader going to the bar's curve at 30 % of the width, and the
// strain label "|e_s = 150.0 mm/m" covers x 71..190 by rows 180..190.
//
// A moved label never stands left of or above its home. The curve rises to 200 MPa (12, 150),
// runs flat to 40 mm/m (58, 150), steps down to 100 MPa (59, 170), runs flat to 100 mm/m
// (130, 170) and climbs steeply to 750 MPa (131, 40), through the right end of the label's
// place (80..135). In the label's own column nothing is clear: the climb blocks it down to the
// lower flat, and two rows below that (172) the label would cover the strain label. Left of
// home, at 61 (two right of the step), it would be clear 19 pixels away; it goes instead two
// pixels right of the climb's foot (132), 52 pixels away, at its home height.
TEST(MaterialPicture, AMovedCurveLabelStaysRightOfAndBelowItsHome)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const MaterialCurves climb = HandCurves({{{0, 0}, {2, 200}, {40, 200}, {41, 100}, {100, 100}, {100.5, 750}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(150.0, 800.0), types, climb, kFixed);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points,
              (std::vector<plat::Point>{{10, 190}, {12, 150}, {58, 150}, {59, 170}, {130, 170}, {131, 40}}));
    EXPECT_NE(LineThrough(plan, plat::Rect{80, 124, 136, 134}), "");
    EXPECT_EQ(LineThrough(plan, plat::Rect{61, 124, 117, 134}), "");
    const PlanStep& label = Text(plan, "f_y= 400");
    EXPECT_EQ(label.points[0], (plat::Point{132, 134}));
    EXPECT_EQ(LabelClash(plan, kFixed, "Concrete"), "");
}

// The home row stays a candidate. A chart 400 pixels wide (m = 20: x 2.4 pixels a mm/m from
// 20, y 0.175 a MPa up from 180), where the label's home is (160, 124) and the strain label
// covers x 260..378 (a column in from the end mark and a row over the axis). The curve rises to 400 MPa (25, 110), runs flat to 70 mm/m (188, 110) and
// drops there to the x axis (188, 180), through the label's place at every height below the
// flat: the label stands two pixels right of the drop (190) at its home height, where no
// stretch ends.
TEST(MaterialPicture, ACurveLabelStandsBesideADropAtItsHomeHeight)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const MaterialCurves drop = HandCurves({{{0, 0}, {2, 400}, {70, 400}, {70, 0}}});
    MaterialFrame frame = HandFrame(150.0, 800.0);
    frame.W = 400;
    const DiagramPlan plan = PlanMaterialChart(frame, types, drop, kFixed);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points,
              (std::vector<plat::Point>{{20, 180}, {25, 110}, {188, 110}, {188, 180}}));
    EXPECT_EQ(Text(plan, "|e_s = 150.0 mm/m").points[0], (plat::Point{379, 179}));
    const PlanStep& label = Text(plan, "f_y= 400");
    EXPECT_EQ(label.points[0], (plat::Point{190, 134}));
    EXPECT_EQ(LabelClash(plan, kFixed, "Concrete"), "");
}

// The strain label is kept clear by the curve labels. A chart 80 pixels high (the x axis at row
// 70, 800 MPa at row 30: 0.05 pixels a MPa): the label's home is (80, 43), the strain label
// covers rows 59..68 (a row over the axis). A flat curve at 360 MPa (row 52) to 90 mm/m (118) runs through the foot
// of the label's place; two rows below it (54) the label would cover the strain label; it goes
// right of the flat's end (120) at its home height.
TEST(MaterialPicture, CurveLabelsKeepClearOfTheStrainLabel)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const MaterialCurves flat = HandCurves({{{0, 0}, {2, 360}, {90, 360}}});
    MaterialFrame frame = HandFrame(150.0, 800.0);
    frame.H = 80;
    const DiagramPlan plan = PlanMaterialChart(frame, types, flat, kFixed);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points, (std::vector<plat::Point>{{10, 70}, {12, 52}, {118, 52}}));
    EXPECT_EQ(Text(plan, "|e_s = 150.0 mm/m").points[0], (plat::Point{189, 69}));
    const PlanStep& label = Text(plan, "f_y= 400");
    EXPECT_EQ(label.points[0], (plat::Point{120, 53}));
    EXPECT_EQ(LabelClash(plan, kFixed, "Concrete"), "");
}

// A bar's curve that runs straight from the origin to the plot's far corner, as when the x axis
// ends at the yield strain (x 0..2 mm/m, y 0..400 MPa: (10, 190) to (190, 30)). The label
// "f_y= 400" (56 x 10 pixels) has its home at (80, 124), where the line passes (at x 80 it is
// at row 127.8). Below and right of the line everything is clear: in the label's columns
// (79..136, grown by a pixel) the line runs from row 128.7 up to row 78, so the nearest clear
// place is in the home column with its top two rows below the line's lowest pixel there
// (128 + 2), though no stretch ends near that row.
TEST(MaterialPicture, ACurveLabelGoesBelowADiagonalInItsOwnColumn)
{
    const auto types = Copies(MaterialChart::Rebar, {}, {Bar("B400", 400)}, 0);
    const MaterialCurves diagonal = HandCurves({{{0, 0}, {2, 400}}});
    const DiagramPlan plan = PlanMaterialChart(HandFrame(2.0, 400.0), types, diagonal, kFixed);
    ASSERT_EQ(plan.Of(PlanOp::Polyline).size(), 1u);
    EXPECT_EQ(plan.Of(PlanOp::Polyline)[0].points, (std::vector<plat::Point>{{10, 190}, {190, 30}}));
    const PlanStep& label = Text(plan, "f_y= 400");
    EXPECT_EQ(label.points[0], (plat::Point{80, 140}));
    EXPECT_TRUE(plan.Of(PlanOp::Fill).empty()); // no background needed
    EXPECT_EQ(label.font.height, HandFrame(2.0, 400.0).textFont.height); // not made smaller
    EXPECT_EQ(LabelClash(plan, kFixed, "Concrete"), "");
}

// Where no place is clear even in the smallest text (plateaus every 4 rows from row 34 to the
// x axis, each running to the end of the x axis at x 190, so no label of 10 rows finds room),
// the labels are left out rather than drawn over the curves: no background breaks a plateau,
// each is drawn whole from the y axis to the end of the x axis. Only the top label, naming the
// top plateau's level (row 30), has its place: just above it, its letters' bottom row two
// above the plateau, clear of it and of the title.
TEST(MaterialPicture, LabelsWithNoClearPlaceAreLeftOutAndTheCurvesDrawnWhole)
{
    const auto none = Copies(MaterialChart::Rebar, {}, {}, -1);
    std::vector<std::vector<std::pair<double, double>>> plateaus;
    for (int k = 0; k < 40; ++k) {
        const double stress = 500.0 - k * 12.5; // 4 rows apart at 0.32 pixels a MPa
        plateaus.push_back({{0, 0}, {1, stress}, {100, stress}});
    }
    const DiagramPlan plan = PlanMaterialChart(HandFrame(100.0, 500.0), none, HandCurves(plateaus), kFixed);
    EXPECT_TRUE(plan.Of(PlanOp::Fill).empty());
    EXPECT_EQ(plan.Texts(), (std::vector<std::string>{"Concrete", "f_u =  500 MPa"}));
    const plat::Rect top = LabelBox(Text(plan, "f_u =  500 MPa"));
    EXPECT_EQ(top.bottom, 29);
    EXPECT_EQ(LineThrough(plan, plat::Rect{top.left - 1, top.top - 1, top.right + 1, top.bottom + 1}), "");
    const auto lines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(lines.size(), 40u);
    for (int k = 0; k < 40; ++k) {
        const int row = 30 + 4 * k;
        EXPECT_EQ(lines[static_cast<std::size_t>(k)].points,
                  (std::vector<plat::Point>{{10, 190}, {12, row}, {190, row}}));
    }
}
