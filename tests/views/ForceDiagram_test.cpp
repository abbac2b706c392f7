// The force diagram and the N+M diagram: where the resultant arrows, their labels and lever
// arms land, the force scale with and without "Max/Auto Range", the threshold below which no
// shear arrows are drawn, the factored suffix, the two-call attach protocol, and the replay of
// a picture onto the recording DC.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "analysis/T1DAnalysis.h"
#include "analysis/state/SectionState.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/analysis/PointSections.h"
#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/views/ForceDiagramSupport.h"
#include "views/TForceDiagram.h"

namespace {

namespace TA = plat::TextAlign;
constexpr double kC = 524288.0; // 2^19 N
constexpr double kN = 262144.0; // 2^18 N
using picture::ArrowHead;
using picture::Label;
using picture::Line;

// Labels 7 pixels a character and 12 high, whatever the font.
plat::Size Extent(const std::string& text, const plat::LogFont&)
{
    return {7 * static_cast<int>(text.size()), 12};
}

// The resultants and, apart, the concrete's -300 kN at 0.2 m and the steel's 100 kN at -0.25 m.
std::unique_ptr<SectionState> ForcesState(double C, double zC, double T, double zT, double V)
{
    auto s = ResultantsState(C, zC, T, zT, V);
    s->Results[StateResult::ConcreteForce] = -3e5;
    s->Results[StateResult::ConcreteDepth] = 0.2;
    s->Results[StateResult::SteelForce] = 1e5;
    s->Results[StateResult::SteelDepth] = -0.25;
    return s;
}

bool HasColour(const std::vector<Line>& lines, plat::Color c)
{
    return std::any_of(lines.begin(), lines.end(), [c](const Line& l) { return l.colour == c; });
}

// The 300 x 600 mm test section (moment axis at its centroid, 0.3 m above the bottom) in a
// 400 x 300 box: m = 20, the bottom at row 280.
struct ForceDiagramTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    TForceDiagram chart{nullptr, "Internal Forces", 0, 0, 400, 300};
    int top = 0;
    double k = 0.0;
    int yRef = 0;
    ForceDiagramTest()
    {
        beam->Validate();
        chart.SetDisplay(DisplayContext{});
        top = chart.Margins().top;
        k = (300 - top - 20) / 0.6;
        yRef = static_cast<int>(280 - k * 0.3);
    }
    void Show(const SectionState& s) { ShowState(chart, beam.get(), &s); }
};

TEST_F(ForceDiagramTest, SectionValuesAreTheCentroidAndTheArea)
{
    const ForceSection s = ForceSectionOf(beam.get());
    EXPECT_NEAR(s.height, 0.6, 1e-12);
    EXPECT_NEAR(s.c, 0.3, 1e-9);
    EXPECT_NEAR(s.bottom, -0.3, 1e-9);
    EXPECT_FALSE(s.HasDatum());
    EXPECT_GT(s.area, 0.18 - 1e-9); // 0.3 x 0.6 of concrete at least
}

// C = -2^19 N (524 kN) at +0.25 m, T = 0.75 |C| at -0.2 m (powers of two keep the pixel
// arithmetic exact). Dimension "300 mm": th 12, left = 32; the scale is
// ((400 - 32 - 20) - 80) px / |C| = 268 px per 524 kN.
TEST_F(ForceDiagramTest, ResultantArrowsLabelsAndLeverArms)
{
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 0.0);
    Show(*s);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_EQ(heads.size(), 2u); // no shear
    const int yC = static_cast<int>(yRef - 0.25 * k), yT = static_cast<int>(yRef + 0.2 * k);
    // Compression points at the axis from x = 300; tension points away to x = 32 + 201.
    EXPECT_EQ(heads[0].tip, (plat::Point{32, yC}));
    EXPECT_EQ(heads[0].degrees, 180.0);
    EXPECT_EQ(heads[0].length, 40);
    EXPECT_EQ(heads[0].width, 20);
    EXPECT_EQ(heads[0].colour, plat::Colors::LtGreen);
    EXPECT_EQ(heads[1].tip, (plat::Point{233, yT}));
    EXPECT_EQ(heads[1].degrees, 0.0);
    EXPECT_EQ(heads[1].colour, plat::Colors::LtRed);
    const std::vector<Line> lines = p.All<Line>();
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const Line& l) {
                               return l.a == plat::Point{52, yC} && l.b == plat::Point{300, yC} && l.width == 2;
                           }),
              lines.end());
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const Line& l) {
                               return l.a == plat::Point{32, yT} && l.b == plat::Point{213, yT};
                           }),
              lines.end());

    const Label* c = FindLabel(p, "C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->text, "C:   524 kN");
    EXPECT_EQ(c->at, (plat::Point{300, yC - 12 - 3})); // 77 px fit in 400 - 300
    EXPECT_EQ(c->hAlign, TA::Left);
    const Label* t = FindLabel(p, "T");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, "T:   393 kN");
    EXPECT_EQ(t->at, (plat::Point{233, yT - 15}));
    // Lever arms: 250 mm and 200 mm, midway between the axis and the force's row.
    const Label* arm = FindLabel(p, "250 mm");  // without the format's leading blanks
    ASSERT_NE(arm, nullptr);
    EXPECT_EQ(arm->at, (plat::Point{62, (yC + yRef) / 2 + 6}));
    EXPECT_EQ(arm->vAlign, TA::Bottom);
    EXPECT_NE(FindLabel(p, "200 mm"), nullptr);
    // The depth axis at x = 32, from the plot top to the bottom row.
    EXPECT_EQ(lines.front().a, (plat::Point{32, top}));
    EXPECT_EQ(lines.front().b, (plat::Point{32, 280}));
    const Label* dim = FindLabel(p, "300 mm");
    ASSERT_NE(dim, nullptr);
    EXPECT_TRUE(dim->upward);
    EXPECT_EQ(dim->at, (plat::Point{2, std::min(21 + (yRef + 280) / 2, 280)}));
}

TEST_F(ForceDiagramTest, FactoredLabelsCarryTheSubscriptF)
{
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 0.0);
    Show(*s);
    DisplayContext factored;
    factored.resistanceFactors = {0.65, 0.85, 0.9};
    chart.SetDisplay(factored);
    DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_NE(FindLabel(p, "C_f:"), nullptr);
    EXPECT_NE(FindLabel(p, "T_f:"), nullptr);
    // A sum within 0.01 of 3 counts as unfactored.
    factored.resistanceFactors = {1.0, 1.0, 0.995};
    chart.SetDisplay(factored);
    p = chart.ComputePicture(Extent);
    EXPECT_NE(FindLabel(p, "C:"), nullptr);
}

TEST_F(ForceDiagramTest, MaxRangeKeepsTheLargestStageScale)
{
    auto big = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 0.0);
    auto small = ForcesState(-kC / 2, 0.25, 0.375 * kC, -0.2, 0.0);
    chart.SetMaxRange(1);
    Show(*big);
    chart.ComputePicture(Extent);
    EXPECT_EQ(chart.RunningMaximum(), kC);
    Show(*small);
    DiagramPicture p = chart.ComputePicture(Extent);
    // Half the force at 268 px for the largest: the shaft ends at 32 + 134.
    EXPECT_EQ(FindLabel(p, "C:")->at.x, 166);
    chart.SetMaxRange(0);
    p = chart.ComputePicture(Extent);
    EXPECT_EQ(FindLabel(p, "C:")->at.x, 300);
    EXPECT_EQ(chart.RunningMaximum(), 0.0);
}

TEST_F(ForceDiagramTest, ShearArrowsNeedMoreThanTenNewtons)
{
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 10.0);
    s->ShearBlock = {10.0, 1.0, 1.0, 1.0};
    s->NvRatio = 1.5;
    Show(*s);
    DiagramPicture p = chart.ComputePicture(Extent);
    EXPECT_FALSE(HasColour(p.All<Line>(), plat::Colors::LtBlue));
    EXPECT_EQ(FindLabel(p, "V:"), nullptr);

    // V = 200 kN carried by the block, N_v = 1.5 V = 300 kN; x0 = 0.75 W + left = 332, on the
    // row of c (the reference row here).
    s->ShearBlock = {2e5, 0.5, 1.0, 2.0};
    Show(*s);
    p = chart.ComputePicture(Extent);
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_EQ(heads.size(), 4u);
    const int Lv = static_cast<int>(2e5 * (268.0 / kC)); // 102
    const int Ln = static_cast<int>(3e5 * (268.0 / kC)); // 153
    EXPECT_EQ(heads[2].tip, (plat::Point{332 - Ln, yRef}));
    EXPECT_EQ(heads[2].degrees, 180.0);
    EXPECT_EQ(heads[2].length, 40);
    EXPECT_EQ(heads[3].tip, (plat::Point{332, static_cast<int>(yRef - 0.5 * Lv)}));
    EXPECT_EQ(heads[3].degrees, -90.0);
    EXPECT_EQ(FindLabel(p, "V:")->text, "V:   200 kN");
    // The arrow runs 51 px down through the label's rows: the label stands left of it.
    EXPECT_EQ(FindLabel(p, "V:")->at, (plat::Point{319, static_cast<int>(yRef + 39.0)}));
    EXPECT_EQ(FindLabel(p, "N_v:")->text, "N_v:   300 kN");

    // Without a block the state's own V is drawn, and no N_v; a negative V points down.
    auto down = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, -2e5);
    down->NvRatio = 1.5; // without a block the ratio is not drawn
    Show(*down);
    p = chart.ComputePicture(Extent);
    const std::vector<ArrowHead> h = p.All<ArrowHead>();
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[2].tip, (plat::Point{332, static_cast<int>(yRef + 0.5 * Lv)}));
    EXPECT_EQ(h[2].degrees, 90.0);
    EXPECT_EQ(FindLabel(p, "N_v:"), nullptr);
}

// The labels of N_v and V stand right-aligned at 0.95 W = 380, unless the V arrow (a column m =
// 20 wide about x0 = 332) runs through their rows: then they stand right-aligned just left of it
// (x = 332 - 10 - 3 = 319), clear of the arrow. V = 200 kN: the arrow runs 51 px above and below
// the row of c (yRef here); "N_v:   300 kN" (91 px) has its top at yRef - 39 and "V:   200 kN"
// (77 px) its bottom at yRef + 39, both on rows the arrow crosses, and both would reach past
// x = 342 from 380. With V = 20 kN (10 px up and down) the arrow is clear of both rows: the
// labels keep their place at the right.
TEST_F(ForceDiagramTest, ShearLabelsStandClearOfTheShearArrow)
{
    // Whether a label's box (7 px a character, 12 high) and the arrow's column overlap.
    auto crosses = [](const Label& l, int x0, int m, int yTop, int yBottom) {
        const int w = Extent(l.text, l.font).cx;
        const int right = l.hAlign == TA::Right ? l.at.x : l.at.x + w;
        const int rowTop = l.vAlign == TA::Top ? l.at.y : l.at.y - 12;
        return right >= x0 - m / 2 && right - w <= x0 + m / 2 && rowTop <= yBottom && rowTop + 12 >= yTop;
    };
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 2e5);
    s->ShearBlock = {2e5, 0.5, 1.0, 2.0};
    s->NvRatio = 1.5;
    Show(*s);
    DiagramPicture p = chart.ComputePicture(Extent);
    const Label* nv = FindLabel(p, "N_v:");
    const Label* v = FindLabel(p, "V:");
    ASSERT_NE(nv, nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(nv->at, (plat::Point{319, yRef - 39}));
    EXPECT_EQ(nv->hAlign, TA::Right);
    EXPECT_EQ(nv->vAlign, TA::Top);
    EXPECT_EQ(v->at, (plat::Point{319, yRef + 39}));
    EXPECT_EQ(v->vAlign, TA::Bottom);
    EXPECT_FALSE(crosses(*nv, 332, 20, yRef - 51, yRef + 51));
    EXPECT_FALSE(crosses(*v, 332, 20, yRef - 51, yRef + 51));

    // A small shear: the arrow stays between the rows of the labels, which keep to the right.
    s->ShearBlock = {2e4, 0.5, 1.0, 2.0};
    s->NvRatio = 15.0;
    Show(*s);
    p = chart.ComputePicture(Extent);
    EXPECT_EQ(FindLabel(p, "N_v:")->at, (plat::Point{380, yRef - 39}));
    EXPECT_EQ(FindLabel(p, "V:")->at, (plat::Point{380, yRef + 39}));
}

// Past the peak of a beam with shear, N_v can exceed C, T and V (N_v 336 kN against C and T of
// 154 kN, V 100 kN): the force scale takes N_v in, so its arrow, pointing left from x0 = 332,
// ends inside the diagram, right of the depth axis at x = 32. The largest force spans 268 px:
// N_v 268 px (tip at 64), C and T 268 x 154 / 336 = 122 px, V 79 px. Every arrow stays in the
// box (0..400, top..300).
TEST_F(ForceDiagramTest, ALongitudinalTensionLargerThanTheForcesStaysInsideTheDiagram)
{
    auto s = ForcesState(-154e3, 0.25, 154e3, -0.2, 1e5);
    s->ShearBlock = {1e5, 1.0, 1.0, 1.0};
    s->NvRatio = 3.36;
    Show(*s);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    const double Nv = 3.36 * 1e5;
    const double scale = 268.0 / Nv;
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_EQ(heads.size(), 4u);
    EXPECT_EQ(heads[2].tip, (plat::Point{332 - static_cast<int>(Nv * scale), yRef}));  // N_v, 268 px
    EXPECT_GE(heads[2].tip.x, 64);
    EXPECT_EQ(heads[2].degrees, 180.0);
    EXPECT_EQ(heads[0].tip.x, 32);  // C points at the axis from 32 + 122
    EXPECT_EQ(heads[1].tip.x, 32 + static_cast<int>(154e3 * scale));
    EXPECT_EQ(heads[1].tip.x, 32 + 122);
    const int Lv = static_cast<int>(1e5 * scale);  // 79
    EXPECT_EQ(heads[3].tip, (plat::Point{332, static_cast<int>(yRef - 0.5 * Lv)}));  // V, up
    for (const ArrowHead& h : heads) {
        EXPECT_GE(h.tip.x, 32);
        EXPECT_LE(h.tip.x, 400);
        EXPECT_GE(h.tip.y, top);
        EXPECT_LE(h.tip.y, 300);
    }
    for (const Line& l : p.All<Line>())
        for (const plat::Point q : {l.a, l.b}) {
            EXPECT_GE(q.x, 0);
            EXPECT_LE(q.x, 400);
            EXPECT_GE(q.y, top);
            EXPECT_LE(q.y, 300);
        }
    EXPECT_EQ(FindLabel(p, "N_v:")->text, "N_v:   336 kN");
}

// A block carrying a negative shear (its mean stress below zero, its width positive) is a
// block all the same: V = -2e5 N is drawn pointing down with its tip 51 px below the row of c,
// and N_v = 1.5 |V| = 300 kN pointing left 153 px from x0 = 332, labelled. The state's own
// shear differs (-5e4 N), so the picture shows which V was drawn.
TEST_F(ForceDiagramTest, ANegativeShearBlockDrawsTheLongitudinalTensionAndVDown)
{
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, -5e4);
    s->ShearBlock = {-2e5, 0.5, 1.0, 2.0};
    s->NvRatio = 1.5;
    Show(*s);
    const DiagramPicture p = chart.ComputePicture(Extent);
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_EQ(heads.size(), 4u);
    const int Lv = static_cast<int>(2e5 * (268.0 / kC));  // 102
    const int Ln = static_cast<int>(3e5 * (268.0 / kC));  // 153
    EXPECT_EQ(heads[2].tip, (plat::Point{332 - Ln, yRef}));
    EXPECT_EQ(heads[2].degrees, 180.0);
    EXPECT_EQ(heads[2].colour, plat::Colors::LtBlue);
    EXPECT_EQ(heads[3].tip, (plat::Point{332, static_cast<int>(yRef + 0.5 * Lv)}));
    EXPECT_EQ(heads[3].degrees, 90.0);
    ASSERT_NE(FindLabel(p, "N_v:"), nullptr);
    EXPECT_EQ(FindLabel(p, "N_v:")->text, "N_v:   300 kN");
    EXPECT_EQ(FindLabel(p, "V:")->text, "V:   200 kN");
}

// The 300 x 600 mm beam with stirrups under moment and shear (shear span 1.5 m), stepped until
// its web has cracked: its "Internal Forces" picture draws the longitudinal tension that the
// shear causes, N_v = ratio x V, as a blue arrow pointing left from x0 = 0.75 W + left = 332 on
// the row of the bottom steel, labelled at the right. The same beam under moment alone draws
// no shear and no N_v.
TEST_F(ForceDiagramTest, CrackedBeamWithShearShowsTheLongitudinalTension)
{
    auto shearBeam = PointSections::Beam(false, true);
    PointSections::SetLoads(*shearBeam, 0, 0, 0, 0, -1500.0, 1000.0);
    TFullSectionalResponse response(shearBeam.get());
    for (int i = 0; i < 200 && response.GetLastStageIndex() < 12 && response.IsRunning(); ++i)
        response.Step();
    const SectionState* s = response.GetStage(10);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(response.IsCracked(s));
    const double V = s->Results[StateResult::Shear];
    ASSERT_GT(V, 50e3);
    ASSERT_GT(s->NvRatio, 1.0);

    chart.AttachStructure(shearBeam.get()); // the analysis holds a copy of it
    chart.AttachState(s);
    chart.AutoScale();
    DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    const double Nv = s->NvRatio * std::fabs(V);
    const double fmax = std::max({std::fabs(V), std::fabs(s->Results[StateResult::CompressiveForce]),
                                  std::fabs(s->Results[StateResult::TensileForce])});
    const int L = static_cast<int>(Nv * 268.0 / fmax);
    const ForceSection section = ForceSectionOf(response.GetStructure());
    const int yC = static_cast<int>(280 - k * section.c);
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    const auto nvHead = std::find_if(heads.begin(), heads.end(), [&](const ArrowHead& h) {
        return h.colour == plat::Colors::LtBlue && h.degrees == 180.0;
    });
    ASSERT_NE(nvHead, heads.end());
    EXPECT_EQ(nvHead->tip, (plat::Point{332 - L, yC}));
    const Label* label = FindLabel(p, "N_v:");
    ASSERT_NE(label, nullptr);
    char expected[40];
    std::snprintf(expected, sizeof expected, "N_v: %5.0f kN", Nv / 1000.0);
    EXPECT_EQ(label->text, expected);
    // At the right (x = 380), unless the V arrow (20 px wide about x = 332, half its length
    // above and below the row of c) runs through the label's rows: then just left of it.
    const int halfV = static_cast<int>(std::fabs(V) * 268.0 / fmax) / 2;
    const int labelTop = static_cast<int>(yC - 0.13 * 300);
    const bool crossed = labelTop <= yC + halfV && labelTop + 12 >= yC - halfV;
    EXPECT_EQ(label->at, (plat::Point{crossed ? 319 : 380, labelTop}));
    EXPECT_EQ(label->hAlign, TA::Right);

    auto momentBeam = PointSections::MomentBeam();
    TFullSectionalResponse moment(momentBeam.get());
    for (int i = 0; i < 200 && moment.GetLastStageIndex() < 12 && moment.IsRunning(); ++i)
        moment.Step();
    ASSERT_NE(moment.GetStage(10), nullptr);
    chart.AttachStructure(momentBeam.get());
    chart.AttachState(moment.GetStage(10));
    chart.AutoScale();
    p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    EXPECT_EQ(FindLabel(p, "N_v:"), nullptr);
    EXPECT_EQ(FindLabel(p, "V:"), nullptr);
    EXPECT_FALSE(HasColour(p.All<Line>(), plat::Colors::LtBlue));
}

// A shear larger than C and T spans the whole force room, 268 px, but the V arrow stands on the
// row of c, centred on it: where half of it (134 px) would reach past the plot's top or the
// box's bottom, the arrow is shortened to twice the room round c, so that it fills that room
// and keeps to the plot. Here c is the reference row (no datum, c = 0.3 m, halfway up the
// plot): the room above c is the smaller, 140 - top / 2 px, less than 134 px for the title's
// top margin. V up: the tip on the plot's top row, the shaft 0.4 L above c down to L/2 below
// it; V down: the tip as far below c.
TEST_F(ForceDiagramTest, AShearArrowTooLongForItsRoomFillsTheRoomRoundC)
{
    const int room = std::min(yRef - top, 299 - yRef);
    ASSERT_LT(room, 134);
    for (const double V : {kC, -kC}) {
        auto s = ForcesState(-kC / 4, 0.1, kC / 4, -0.1, V);
        Show(*s);
        const DiagramPicture p = chart.ComputePicture(Extent);
        const std::vector<ArrowHead> heads = p.All<ArrowHead>();
        ASSERT_EQ(heads.size(), 3u);
        const int g = V > 0.0 ? 1 : -1;
        EXPECT_EQ(heads[2].tip, (plat::Point{332, yRef - g * room})) << "V " << V;
        EXPECT_EQ(heads[2].length, 40);
        EXPECT_EQ(heads[2].degrees, V > 0.0 ? -90.0 : 90.0);
        if (V > 0.0) {
            EXPECT_EQ(heads[2].tip.y, top); // the room above c is the plot's
        }
        const std::vector<Line> lines = p.All<Line>();
        EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                               [&](const Line& l) {
                                   return l.colour == plat::Colors::LtBlue &&
                                          l.a == plat::Point{332, static_cast<int>(yRef - 0.4 * 2 * room * g)} &&
                                          l.b == plat::Point{332, yRef + g * room};
                               }),
                  lines.end())
            << "V " << V;
    }
}

// The same on a solved beam: the sample beam with stirrups under shear over a short span
// (0.1 m), at its tenth stage, where V is nearly the largest force. Its V arrow stands on the
// row of c (below the middle of the plot), where the room below c is less than half the arrow:
// the arrow, pointing up, has its tip that room above c and its shaft ends that room below it.
TEST_F(ForceDiagramTest, TheShearArrowOfASolvedShortSpanFillsTheRoomBelowTheBottomSteel)
{
    auto shearBeam = PointSections::Beam(false, true);
    PointSections::SetLoads(*shearBeam, 0, 0, 0, 0, -100.0, 1000.0);
    TFullSectionalResponse response(shearBeam.get());
    for (int i = 0; i < 200 && response.GetLastStageIndex() < 12 && response.IsRunning(); ++i)
        response.Step();
    const SectionState* s = response.GetStage(10);
    ASSERT_NE(s, nullptr);
    ShowState(chart, shearBeam.get(), s);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    double V = s->Results[StateResult::Shear];
    double nv = 0.0;
    if (s->ShearBlock[1] > 0.0) {
        V = s->ShearBlock[0] * s->ShearBlock[1] * s->ShearBlock[2] * s->ShearBlock[3];
        nv = s->NvRatio;
    }
    ASSERT_GT(V, 10.0);
    const double fmax = std::max({std::fabs(V), std::fabs(nv * V), std::fabs(s->Results[StateResult::CompressiveForce]),
                                  std::fabs(s->Results[StateResult::TensileForce])});
    const int Lv = static_cast<int>(V * 268.0 / fmax);
    const ForceSection section = ForceSectionOf(response.GetStructure());
    const int yC = static_cast<int>(280 - k * section.c);
    const int room = std::min(yC - top, 299 - yC);
    ASSERT_LT(room, Lv / 2) << "the room round c is not the limit";
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    const auto up = std::find_if(heads.begin(), heads.end(), [](const ArrowHead& h) {
        return h.colour == plat::Colors::LtBlue && h.degrees == -90.0;
    });
    ASSERT_NE(up, heads.end());
    EXPECT_EQ(up->tip, (plat::Point{332, yC - room}));
    const std::vector<Line> lines = p.All<Line>();
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const Line& l) {
                               return l.colour == plat::Colors::LtBlue && l.a.x == 332 && l.b == plat::Point{332, yC + room};
                           }),
              lines.end());
}

TEST_F(ForceDiagramTest, ZeroForcesDrawTheAxisAndNoArrows)
{
    auto s = ForcesState(0.0, 0.25, 0.0, -0.2, 0.0);
    Show(*s);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    EXPECT_TRUE(p.All<ArrowHead>().empty());
    EXPECT_FALSE(HasColour(p.All<Line>(), plat::Colors::LtRed));
    EXPECT_FALSE(HasColour(p.All<Line>(), plat::Colors::LtGreen));
    EXPECT_NE(FindLabel(p, "300 mm"), nullptr);
}

TEST_F(ForceDiagramTest, ChangeModeSwapsForcesAndTitle)
{
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 0.0);
    Show(*s);
    chart.CmPopup3000();
    EXPECT_EQ(chart.Mode(), 0);
    EXPECT_EQ(chart.Data().Title(), "Concrete & Steel Forces");
    DiagramPicture p = chart.ComputePicture(Extent);
    EXPECT_EQ(FindLabel(p, "N_c")->text, "N_c:   300 kN");
    EXPECT_EQ(FindLabel(p, "N_s")->text, "N_s:   100 kN");
    EXPECT_EQ(FindLabel(p, "C:"), nullptr);
    chart.CmPopup3000();
    EXPECT_EQ(chart.Data().Title(), "Internal Forces");
    // An empty title stays empty.
    chart.SetTitle("");
    chart.CmPopup3000();
    EXPECT_EQ(chart.Data().Title(), "");
    // The menu: picture, separator, range, mode, font.
    const auto& items = chart.PopupItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].id, 3011);
    EXPECT_EQ(items[2].text, "Max/Auto Range");
    EXPECT_EQ(items[3].text, "Change Mode");
    EXPECT_EQ(items[4].id, 3003);
}

TEST_F(ForceDiagramTest, SectionThenStateThenRearmed)
{
    EXPECT_TRUE(chart.ExpectsSection());
    auto s = ForcesState(-kC, 0.25, 0.75 * kC, -0.2, 0.0);
    chart.AttachStructure(beam.get());
    EXPECT_FALSE(chart.ExpectsSection());
    chart.AttachState(s.get());
    EXPECT_TRUE(chart.ExpectsSection());
    // The copy is the chart's own.
    s->Results[StateResult::CompressiveForce] = 1.0;
    ASSERT_NE(chart.GetStateCopy(), nullptr);
    EXPECT_EQ(chart.GetStateCopy()->Result(StateResult::CompressiveForce), -kC);
    EXPECT_EQ(chart.GetShownState(), s.get());
    // Detached as the view manager does it: two structure calls, the second meaning no state.
    chart.AttachStructure(nullptr);
    chart.AttachStructure(nullptr);
    EXPECT_EQ(chart.GetStateCopy(), nullptr);
    EXPECT_TRUE(chart.ExpectsSection());
    EXPECT_TRUE(chart.ComputePicture(Extent).noData);
    // An invalid state shows "No Data".
    s->Valid = 0;
    Show(*s);
    EXPECT_TRUE(chart.ComputePicture(Extent).noData);
}

// ---- N+M ------------------------------------------------------------------------------------

struct NPlusMTest : ForceDiagramTest {
    TNPlusM nm{nullptr, "N+M", 0, 0, 400, 300};
    NPlusMTest() { nm.SetDisplay(DisplayContext{}); }
    void ShowNM(const SectionState& s)
    {
        nm.AttachStructure(beam.get());
        nm.AttachState(&s);
        nm.AutoScale();
    }
};

std::unique_ptr<SectionState> NMState(double N, double M)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = 1;
    s->Results[StateResult::AxialForce] = N;
    s->Results[StateResult::Moment] = M;
    return s;
}

// N = -2^18 N (262 kN): 0.1 MPa over 0.18 m^2 would be 18 kN across the 360 px, so the force
// fills the width: L = 360, head a = 30 long and 15 wide at the axis. M = -150 kN m: a full
// 140 degree sweep with the head at the upper end.
TEST_F(NPlusMTest, AxialArrowMomentArcAndLabels)
{
    const int topNM = nm.Margins().top;
    const double kNM = (300 - topNM - 20) / 0.6;
    const int y0 = static_cast<int>(280 - kNM * 0.3);
    auto s = NMState(-kN, -1.5e5);
    ShowNM(*s);
    const DiagramPicture p = nm.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].tip, (plat::Point{20, y0}));
    EXPECT_EQ(heads[0].degrees, 180.0);
    EXPECT_EQ(heads[0].length, 30);
    EXPECT_EQ(heads[0].width, 15);
    EXPECT_EQ(heads[0].colour, plat::Colors::LtGreen);
    const std::vector<Line> lines = p.All<Line>();
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const Line& l) { return l.a == plat::Point{35, y0} && l.b == plat::Point{380, y0}; }),
              lines.end());
    const std::vector<picture::Arc> arcs = p.All<picture::Arc>();
    ASSERT_EQ(arcs.size(), 1u);
    const int R = std::min({static_cast<int>(0.8 * (y0 - topNM)), static_cast<int>(0.8 * (280 - y0)), 288});
    EXPECT_EQ(arcs[0].box, (plat::Rect{20 - R, y0 - R, 20 + R, y0 + R}));
    // The lower end 70 degrees below the horizontal, right of the axis.
    EXPECT_NEAR(arcs[0].start.x, 20 + R * std::cos(70 / 57.296985), 1.0);
    EXPECT_NEAR(arcs[0].start.y, y0 + R * std::sin(70 / 57.296985), 1.0);
    // The head at the full 70 degrees above, pointing up and back along the circle.
    EXPECT_NEAR(heads[1].tip.x, 20 + R * std::cos(70 / 57.296985), 1.0);
    EXPECT_NEAR(heads[1].tip.y, y0 - R * std::sin(70 / 57.296985), 1.0);
    EXPECT_NEAR(heads[1].degrees, -90.0 - 70.0 + 30.0 / R * 57.3 / 2, 1e-9);
    // M in kN m with its sign turned (sagging positive), above the axis for M <= 0.
    const Label* m = FindLabel(p, "M:");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->text, "M:   150 kNm");
    EXPECT_EQ(m->vAlign, TA::Bottom);
    const Label* n = FindLabel(p, "N:");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->text, "N:  -262 kN");
    // No datum and M <= 0: below the row; beyond the arrow end it does not fit, so at the edge.
    EXPECT_EQ(n->at, (plat::Point{400, y0 + 5}));
    EXPECT_EQ(n->hAlign, TA::Right);
}

// In a box too narrow for the moment's label beside the arc's end (a pasted sample), the label
// keeps to the box: against its right edge.
TEST_F(NPlusMTest, TheMomentLabelStaysInANarrowBox)
{
    TNPlusM narrow{nullptr, "N+M", 0, 0, 120, 300};
    narrow.SetDisplay(DisplayContext{});
    auto s = NMState(-kN, -1.5e5);
    narrow.AttachStructure(beam.get());
    narrow.AttachState(s.get());
    narrow.AutoScale();
    const DiagramPicture p = narrow.ComputePicture(Extent);
    const Label* m = FindLabel(p, "M:");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->at.x, 120);
    EXPECT_EQ(m->hAlign, TA::Right);
    EXPECT_LE(Extent(m->text, m->font).cx, 120);  // and it fits there
}

TEST_F(NPlusMTest, NoMomentNoArc)
{
    auto s = NMState(1e4, 0.0);
    ShowNM(*s);
    const DiagramPicture p = nm.ComputePicture(Extent);
    EXPECT_TRUE(p.All<picture::Arc>().empty());
    ASSERT_EQ(p.All<ArrowHead>().size(), 1u);
    EXPECT_EQ(p.All<ArrowHead>()[0].colour, plat::Colors::LtRed); // tension points right
    EXPECT_EQ(p.All<ArrowHead>()[0].degrees, 0.0);
    // A zero moment (its sign turned for display) and one that rounds to zero read "0".
    ASSERT_NE(FindLabel(p, "M:"), nullptr);
    EXPECT_EQ(FindLabel(p, "M:")->text, "M:     0 kNm");
    auto tiny = NMState(1e4, 0.3);
    ShowNM(*tiny);
    EXPECT_EQ(FindLabel(nm.ComputePicture(Extent), "M:")->text, "M:     0 kNm");
}

// 0.1 MPa over the area spans the room unless the force is larger; a section whose stored
// area is not positive scales by the force alone instead of dividing by zero.
TEST(NPlusMScale, AreaForceAndNoArea)
{
    EXPECT_DOUBLE_EQ(NPlusMAxialScale(360, 0.18, 9000.0), 360 / 18000.0);
    EXPECT_DOUBLE_EQ(NPlusMAxialScale(360, 0.18, 36000.0), 0.01);
    EXPECT_DOUBLE_EQ(NPlusMAxialScale(360, 0.0, 36000.0), 0.01);
    EXPECT_DOUBLE_EQ(NPlusMAxialScale(360, -1.0, 36000.0), 0.01);
    EXPECT_DOUBLE_EQ(NPlusMAxialScale(360, 0.0, 0.0), 1.0);
}

TEST_F(NPlusMTest, RunningMaximaGrowOnlyUnderMaxRange)
{
    nm.SetMaxRange(1);
    auto big = NMState(-kN, -1.5e5), small = NMState(-kN / 2, -0.5e5);
    ShowNM(*big);
    nm.ComputePicture(Extent);
    ShowNM(*small);
    const DiagramPicture p = nm.ComputePicture(Extent);
    EXPECT_EQ(nm.RunningMaxAxial(), kN);
    EXPECT_EQ(nm.RunningMaxMoment(), 1.5e5);
    // Half the largest force: half the width; a third of the moment: 46 degrees of sweep.
    EXPECT_EQ(p.All<ArrowHead>()[0].tip, (plat::Point{20, p.All<ArrowHead>()[0].tip.y}));
    const std::vector<Line> lines = p.All<Line>();
    EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.b.x == 200 && l.width == 2; }),
              lines.end());
    nm.SetMaxRange(0);
    nm.ComputePicture(Extent);
    EXPECT_EQ(nm.RunningMaxAxial(), 0.0);
}

TEST(DiagramReplay, PictureLandsOnTheRecordingDC)
{
    plat::EnsureGuiRuntime();
    DiagramPicture p;
    p.Add(picture::Band{{0, 10, 50, 20}, plat::Color{255, 192, 192}});
    p.Add(Line{{5, 6}, {45, 6}, 2, plat::Colors::LtRed});
    p.Add(ArrowHead{{45, 6}, 10, 6, 0.0, plat::Colors::LtRed, true});
    p.Add(Label{{30, 40}, "T: 5 kN", plat::LogFont{}, TA::Right, TA::Bottom});
    RecordingDC dc;
    ReplayPicture(dc, p);
    const std::vector<DrawCall> fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (plat::Rect{0, 10, 50, 20}));
    const std::vector<DrawCall> lines = dc.CallsOf("Line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0], (plat::Point{5, 6}));
    EXPECT_EQ(lines[0].points[1], (plat::Point{45, 6}));
    EXPECT_EQ(lines[0].state.pen.width, 2);
    EXPECT_EQ(lines[0].state.pen.color, plat::Colors::LtRed);
    // The head's base 10 px back from the tip, 6 wide.
    const std::vector<DrawCall> polygons = dc.CallsOf("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points[0], (plat::Point{45, 6}));
    EXPECT_EQ(polygons[0].points[1], (plat::Point{35, 9}));
    EXPECT_EQ(polygons[0].points[2], (plat::Point{35, 3}));
    // The label ends at x = 30 with its bottom on row 40.
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    ASSERT_FALSE(texts.empty());
    const DrawCall& last = texts.back();
    EXPECT_EQ(last.run.at.x + last.run.x0 + last.run.width, 30);
    EXPECT_EQ(last.run.at.y + last.run.baseline + last.run.descent, 40);

    // Black and white: every line black.
    RecordingDC bw;
    ReplayPicture(bw, p, true);
    EXPECT_EQ(bw.CallsOf("Line")[0].state.pen.color, plat::Colors::Black);
}

} // namespace
