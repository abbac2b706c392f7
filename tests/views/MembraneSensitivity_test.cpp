// The sensitivity runs: each varied copy differs from the element in exactly its one input by
// its factor, the axial stress of graph 227 is held within its limits, the runs are made on
// the first sensitivity chart and released when the mode is bound to another element, and
// the titles carry their line samples.

#include <gtest/gtest.h>

#include <cmath>

#include "membrane/MembraneState.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/ViewTestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

// What a variation may change, read from an element.
struct Inputs {
    double fc, ft, aggregate, fx, sx, sy, Ax, Ay, fyX, fyY;
    bool operator==(const Inputs&) const = default;
};

Inputs Read(const TShell& s)
{
    double loads[8] = {};
    s.GetConstantLoads(loads, 8);
    const auto fy = [&](int d) { return s.GetSteelType(s.GetLongLayer(0, d)->type)->fy; };
    return {s.GetConcreteType(0)->fc,
            s.GetConcreteType(0)->ft,
            s.GetConcreteType(0)->aggregate,
            loads[0],
            s.GetCrackSpacing(0),
            s.GetCrackSpacing(1),
            s.GetLongLayer(0, 0)->A,
            s.GetLongLayer(0, 1)->A,
            fy(0),
            fy(1)};
}

} // namespace

TEST(MembraneSensitivity, EachRunDiffersInExactlyItsOneInput)
{
    PanelSpec spec;
    spec.constant = {-2000.0, 0.0, 0.0}; // f_x = -2 MPa as stored (kPa)
    auto element = MakePanel(spec);
    const Inputs base = Read(*element);
    TShell copy(*element);
    const double up = 1.2, down = 1.0 / 1.2;
    for (int sign = 1; sign >= 0; --sign) {
        const double f = sign ? up : down;
        const auto varied = [&](int id) {
            ApplySensitivityVariation(*element, copy, id, sign);
            return Read(copy);
        };
        Inputs e = base;
        e.fc *= f;
        EXPECT_EQ(varied(219), e) << sign;
        e = base, e.ft *= f;
        EXPECT_EQ(varied(220), e) << sign;
        e = base, e.aggregate = sign ? 0.038 : 0.0;
        EXPECT_EQ(varied(221), e) << sign;
        e = base, e.fyX *= f;
        EXPECT_EQ(varied(222), e) << sign;
        e = base, e.fyY *= f;
        EXPECT_EQ(varied(223), e) << sign;
        e = base, e.Ax *= f;
        EXPECT_EQ(varied(224), e) << sign;
        e = base, e.Ay *= f;
        EXPECT_EQ(varied(225), e) << sign;
        e = base, e.sx *= sign ? 2.0 : 0.5, e.sy *= sign ? 2.0 : 0.5;
        EXPECT_EQ(varied(226), e) << sign;
        // f_x -/+ 0.05 |f'c| = -2 -/+ 1.5 MPa.
        e = base, e.fx = sign ? -3500.0 : -500.0;
        const Inputs v = varied(227);
        EXPECT_NEAR(v.fx, e.fx, 1e-9) << sign;
        e.fx = v.fx;
        EXPECT_EQ(v, e) << sign;
    }
    // The varied copy's steel ratio follows its varied area, also once validated (which
    // makes the total area num x Ai again).
    ApplySensitivityVariation(*element, copy, 224, 1);
    copy.Validate();
    double rho = 0.0, rhoFy = 0.0;
    copy.GetSteelTotals(rho, rhoFy, 0, 0);
    EXPECT_NEAR(rho, 0.012, 1e-12);
}

TEST(MembraneSensitivity, AxialStressHeldWithinCompressionAndTensionLimits)
{
    PanelSpec spec;
    spec.constant = {10000.0, 0.0, 0.0}; // 10 MPa tension: beyond 0.9 rho_x f_y,x = 3.6 MPa
    auto tension = MakePanel(spec);
    TP2k_Logic logic(tension.get(), nullptr);
    EXPECT_NEAR(logic.GetVariedAxialStress(1), 3.6e6, 1.0);
    EXPECT_NEAR(logic.GetVariedAxialStress(0), 3.6e6, 1.0);
    spec.constant = {-26000.0, 0.0, 0.0}; // -26 MPa: the plus run -27.5 is held at 0.9 f'c
    auto compression = MakePanel(spec);
    TP2k_Logic l2(compression.get(), nullptr);
    EXPECT_NEAR(l2.GetVariedAxialStress(1), -27e6, 1.0);
    EXPECT_NEAR(l2.GetVariedAxialStress(0), -24.5e6, 1.0);
}

TEST(MembraneSensitivity, TwoLayersOfOneSteelGetOneVariedTypeEach)
{
    auto element = MakePanel(PanelSpec{});
    element->AddLongLayer(membrane_fixtures::SmearedLayer(0.005, 0), 0);
    TShell copy(*element);
    ApplySensitivityVariation(*element, copy, 222, 1);
    ASSERT_EQ(copy.GetLongLayerCount(0), 2);
    EXPECT_EQ(copy.GetSteelTypeCount(), element->GetSteelTypeCount() + 2);
    EXPECT_NE(copy.GetLongLayer(0, 0)->type, copy.GetLongLayer(1, 0)->type);
    EXPECT_DOUBLE_EQ(copy.GetSteelType(copy.GetLongLayer(1, 0)->type)->fy, 480e6);
    // The y layer keeps the element's steel.
    EXPECT_EQ(copy.GetLongLayer(0, 1)->type, 1);
}

TEST(MembraneSensitivity, RunsMadeOnTheFirstChartAndReleasedWhenTheElementChanges)
{
    auto element = MakePanel(PanelSpec{});
    TP2kFullResponse analysis(element.get());
    TP2k_Logic logic(element.get(), &analysis);
    EXPECT_EQ(logic.GetSensitivityRun(0), nullptr);
    RecordingViewChart chart;
    ASSERT_EQ(logic.FillChart(&chart, 224, 0, 0), 1);
    for (int i = 0; i < TP2k_Logic::kSensitivityRuns; ++i)
        EXPECT_NE(logic.GetSensitivityRun(i), nullptr) << i;
    // Own curve (line type 0), then plus (2) and minus (1), each on a new polyline.
    EXPECT_EQ(chart.Separators(),
              (std::vector<double>{0.0, kUndefined, 2.0, kUndefined, 1.0}));
    // More x steel: a stronger panel.
    // The largest y after the n-th separator (from 1) up to the next.
    const auto peak = [&](int n) {
        double p = 0.0;
        int seen = 0;
        for (const auto& q : chart.points) {
            if (IsChartSeparator(q.x))
                ++seen;
            else if (seen == n)
                p = std::max(p, q.y);
        }
        return p;
    };
    EXPECT_GT(peak(3), peak(1));
    EXPECT_GT(peak(1), peak(5));

    // The same pair again keeps them; another element releases them.
    const TP2kFullResponse* first = logic.GetSensitivityRun(0);
    logic.Bind(element.get(), &analysis);
    EXPECT_EQ(logic.GetSensitivityRun(0), first);
    auto other = MakePanel(PanelSpec{});
    logic.Bind(other.get(), &analysis);
    EXPECT_EQ(logic.GetSensitivityRun(0), nullptr);
    EXPECT_EQ(logic.ReleaseCharts(), 1);
}

TEST(MembraneSensitivity, TitlesCarryLineSamplesBeforeEachValue)
{
    auto element = MakePanel(PanelSpec{});
    TP2k_Logic logic(element.get(), nullptr);
    const std::string S2("\x01\x0d\x02\x02", 4), S1("\x01\x0d\x01\x02", 4);
    std::string title;
    logic.MakeSensitivityTitle(226, title);
    EXPECT_EQ(title, "Crack space = " + S2 + "twice , " + S1 + "half");
    logic.MakeSensitivityTitle(221, title);
    EXPECT_EQ(title, "a_g = " + S2 + "38 , " + S1 + " 0 mm");
    logic.MakeSensitivityTitle(224, title);
    EXPECT_EQ(title, "|r_s_x = " + S2 + "1.20% , " + S1 + "0.83%");
    logic.MakeSensitivityTitle(222, title);
    EXPECT_EQ(title, "f_y_x = " + S2 + "480 , " + S1 + "333 MPa");
    logic.MakeSensitivityTitle(219, title);
    EXPECT_EQ(title, "f_c' = " + S2 + "36.0 , " + S1 + "25.0 MPa");
    ChartDescription d;
    logic.GetChartDescription(226, d, 0);
    EXPECT_EQ(d.title, "Crack space = " + S2 + "twice , " + S1 + "half");
}

// The crack-spacing runs vary only a spacing the user gave. With automatic spacing both runs
// are the element's own response, stage for stage; with a given spacing they double and halve
// it.
TEST(MembraneSensitivity, CrackSpacingRunsVaryOnlyAGivenSpacing)
{
    auto element = MakePv19();
    ASSERT_EQ(element->IsCrackSpacingAuto(0), 1);
    ASSERT_GT(element->GetCrackSpacing(0), 0.0); // worked out by validation
    TP2kFullResponse own(element.get());
    ASSERT_GT(own.GetLastStageIndex(), 10);
    TShell copy(*element);
    for (int sign = 1; sign >= 0; --sign) {
        SCOPED_TRACE(sign);
        ApplySensitivityVariation(*element, copy, 226, sign);
        EXPECT_EQ(copy.IsCrackSpacingAuto(0), 1);
        EXPECT_EQ(copy.IsCrackSpacingAuto(1), 1);
        TP2kFullResponse run(&copy);
        ASSERT_EQ(run.GetLastStageIndex(), own.GetLastStageIndex());
        for (int i = 0; i < own.GetLastStageIndex(); ++i) {
            const LayerNodeStateRec& a = own.GetStage(i)->NodeStates[0];
            const LayerNodeStateRec& b = run.GetStage(i)->NodeStates[0];
            ASSERT_EQ(a.ShearStrain, b.ShearStrain) << i;
            ASSERT_EQ(a.ConcShearStress, b.ConcShearStress) << i;
        }
    }

    // A spacing the user gave: twice and half of it, in both directions, no longer automatic.
    element->SetCrackSpacing(0.08, 0);
    element->SetCrackSpacing(0.12, 1);
    element->Validate();
    ApplySensitivityVariation(*element, copy, 226, 1);
    EXPECT_DOUBLE_EQ(copy.GetCrackSpacing(0), 0.16);
    EXPECT_DOUBLE_EQ(copy.GetCrackSpacing(1), 0.24);
    EXPECT_EQ(copy.IsCrackSpacingAuto(0), 0);
    ApplySensitivityVariation(*element, copy, 226, 0);
    EXPECT_DOUBLE_EQ(copy.GetCrackSpacing(0), 0.04);
    EXPECT_DOUBLE_EQ(copy.GetCrackSpacing(1), 0.06);
    // Other graphs keep the given spacing as it stands.
    ApplySensitivityVariation(*element, copy, 224, 1);
    EXPECT_DOUBLE_EQ(copy.GetCrackSpacing(0), 0.08);
}
