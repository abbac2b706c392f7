// The membrane mode object: its graph tables and choices with their out-of-range answers, the
// data of every kind of membrane chart from hand-set element states, the control chart, and
// a real pure-shear panel whose response peaks near the plastic limit of its reinforcement.

#include <gtest/gtest.h>

#include <cmath>

#include "membrane/MembraneState.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "support/ScriptedUi.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/ViewTestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

// A valid membrane stage whose element state the test sets.
SectionStateHolder MembraneStage(const std::function<void(LayerNodeStateRec&)>& set,
                                 double appliedX = 0.0, double appliedY = 0.0)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = 1;
    s->NodeStates.resize(1);
    s->Results[MembraneResult::AppliedX] = appliedX;
    s->Results[MembraneResult::AppliedY] = appliedY;
    set(s->NodeStates[0]);
    return s;
}

struct MembraneModeTest : ::testing::Test {
    std::unique_ptr<TShell> shell = MakePanel(PanelSpec{});
    ScriptedAnalysis analysis{shell.get(), 1};
    TP2k_Logic logic{shell.get(), &analysis};
    RecordingViewChart chart;
};

} // namespace

TEST(MembraneTables, TitlesChoicesAndTheirOutOfRangeAnswers)
{
    TP2k_Logic logic(nullptr, nullptr);
    EXPECT_EQ(logic.GetGraphTitle(200, 0), "Shear-Angle");
    EXPECT_EQ(logic.GetGraphTitle(228, 0), "f_1max-|e_1");
    // Outside 200-228 (the table would be read out of its bounds).
    for (int id : {0, 199, 229, 999, 1000, 2100})
        EXPECT_EQ(logic.GetGraphTitle(id, 0), "no such graph type!!!") << id;

    EXPECT_EQ(logic.GetChoiceCount(5), 4);
    EXPECT_EQ(logic.GetChoiceCount(4), 29);
    EXPECT_EQ(logic.GetChoiceCount(7), 0);
    EXPECT_EQ(logic.GetChoiceTitle(4, 219, 0), "f_c' +/- 20%");
    EXPECT_EQ(logic.GetChoiceTitle(5, 3, 0), "Sensitivity Plots +/- 20%");
    EXPECT_EQ(logic.GetChoiceTitle(7, 219, 0), "no title");
    EXPECT_EQ(logic.GetChoiceTitle(4, 2100, 0), "no title");
    EXPECT_EQ(logic.GetChoiceTitle(5, 4, 0), "no title");
    EXPECT_EQ(logic.GetChoiceTitle(5, -1, 0), "no title");

    EXPECT_EQ(logic.GetChoiceId(5, 3, 8, 0), 225);
    EXPECT_EQ(logic.GetChoiceId(5, 0, 3, 0), 2103);
    EXPECT_EQ(logic.GetChoiceId(5, 2, 0, 0), 2100);
    EXPECT_EQ(logic.GetChoiceId(5, 4, 0, 0), 0);
    EXPECT_EQ(logic.GetChoiceId(5, 0, 9, 0), 0);
    EXPECT_EQ(logic.GetChoiceId(5, -1, 0, 0), 0);
    EXPECT_EQ(logic.GetChoiceId(10, 0, 0, 0), 0);
    {
        ScriptedUi ui;
        ui.Message("category 1", 1);
        EXPECT_EQ(logic.GetChoiceId(1, 0, 0, 0), 0);
        EXPECT_TRUE(ui.Done());
    }

    EXPECT_EQ(logic.IsChoiceAvailable(4, 214), 0);
    EXPECT_EQ(logic.IsChoiceAvailable(4, 218), 0);
    EXPECT_EQ(logic.IsChoiceAvailable(4, 200), 1);
    EXPECT_EQ(logic.IsChoiceAvailable(5, 3), 1);

    PanelMenuTable menu{};
    logic.InitPanelMenu(menu);
    EXPECT_EQ(menu[1], (PanelMenuRecord{1, 1, 0, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(menu[10], (PanelMenuRecord{0, 0, 0, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(logic.GetDefaultGraphId(), 200);
    EXPECT_EQ(logic.GetDefaultControlId(), 206);
    EXPECT_EQ(logic.GetModeType(), 2);
    std::string legend;
    int position = 77;
    logic.GetLegendText(legend, position);
    EXPECT_EQ(legend, "Pellicor-2000 Legend");
    EXPECT_EQ(position, 77);
    // Every panel of every group is a membrane graph or an element-state chart.
    for (const auto& group : MembraneGroupGraphIds)
        for (int id : group)
            EXPECT_TRUE((id >= 200 && id <= 228) || (id >= 2100 && id <= 2116)) << id;
}

TEST(MembraneTables, ChartDescriptionsInSiAndUs)
{
    auto shell = MakePanel(PanelSpec{});
    TP2k_Logic logic(shell.get(), nullptr);
    ChartDescription d;
    logic.GetChartDescription(213, d, 0);
    EXPECT_EQ(d.title, "f_2-|e_2");
    EXPECT_EQ(d.xLabel, "|e_2 Principal Compressive Strain (mm/m)");
    EXPECT_EQ(d.yLabel, "Principal Compression (MPa)");
    EXPECT_EQ(d.xPrecision, 1);
    EXPECT_EQ(d.yPrecision, 1);
    EXPECT_EQ(d.upperX, kUndefined);
    logic.GetChartDescription(206, d, 1); // a plain chart: strains in thousandths
    EXPECT_EQ(d.xLabel, "|g_x_y (x 10^-^3)");
    // Angles, lengths and steel stresses are not thousandths: their own units.
    logic.GetChartDescription(201, d, 1);
    EXPECT_EQ(d.xLabel, "w (mm)");
    EXPECT_EQ(d.xPrecision, 2);
    logic.GetChartDescription(200, d, 1);
    EXPECT_EQ(d.xLabel, "|q Angle (deg.)");
    DisplayContext us;
    us.unitSystem = 1;
    logic.SetDisplayContext(us);
    logic.GetChartDescription(208, d, 0);
    EXPECT_EQ(d.xLabel, "f_s_x (ksi)");
    EXPECT_EQ(d.yLabel, "Shear Stress (psi)");
}

TEST_F(MembraneModeTest, StagePointsScaleClampAndSkip)
{
    // e'c of the panel's concrete (negative).
    const double ec = shell->GetCurrentConcreteType()->ec;
    ASSERT_LT(ec, 0.0);
    analysis.stages.push_back(MembraneStage([&](LayerNodeStateRec& n) {
        n.ConcShearStress = 2e6;
        n.ShearStrain = 0.004;
        n.Strain2 = 5.0 * ec; // beyond 3 e'c
        n.ConcStress2 = -20e6;
        n.SteelStressX = 1e31;     // not available: plotted at 0
        n.CrackAngle = 0.5;        // rad
    }));
    double x = 0, y = 0;
    logic.GetGraphPoint(analysis.GetStage(0), x, y, 206, 0.0);
    EXPECT_DOUBLE_EQ(x, 4.0); // mm/m
    EXPECT_DOUBLE_EQ(y, 2.0); // MPa
    logic.GetGraphPoint(analysis.GetStage(0), x, y, 213, 0.0);
    EXPECT_NEAR(x, 3.0 * ec * 1000.0, 1e-12);
    EXPECT_DOUBLE_EQ(y, -20.0);
    logic.GetGraphPoint(analysis.GetStage(0), x, y, 208, 0.0);
    EXPECT_EQ(x, 0.0);
    logic.GetGraphPoint(analysis.GetStage(0), x, y, 200, 0.0);
    EXPECT_NEAR(x, 0.5 * 180.0 / M_PI, 1e-5); // the table factor has 7 digits

    auto invalid = MembraneStage([](LayerNodeStateRec&) {});
    invalid->Valid = 0;
    logic.GetGraphPoint(invalid.get(), x, y, 206, 0.0);
    EXPECT_EQ(x, kUndefined);
    EXPECT_EQ(y, kUndefined);
    logic.GetGraphPoint(nullptr, x, y, 206, 0.0);
    EXPECT_EQ(x, kUndefined);
}

TEST_F(MembraneModeTest, MeasuredPointsThenTheResponseWithSeparators)
{
    const double gamma[] = {0.001, 0.003};
    const double shear[] = {1.5e6, 2.5e6}; // Pa
    shell->SetValueList(6, gamma, 2);
    shell->SetValueList(14, shear, 2);
    for (double g : {0.0, 0.002, 0.004})
        analysis.stages.push_back(MembraneStage([&](LayerNodeStateRec& n) {
            n.ShearStrain = g;
            n.ConcShearStress = 1e9 * g;
        }));
    auto skipped = MembraneStage([](LayerNodeStateRec&) {});
    skipped->Valid = 0;
    analysis.stages.insert(analysis.stages.begin() + 1, std::move(skipped));

    ASSERT_EQ(logic.FillChart(&chart, 206, 0, 0), 1);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{-1.0, 0.0}));
    const auto data = chart.Data();
    ASSERT_EQ(data.size(), 5u);
    EXPECT_DOUBLE_EQ(data[0].x, 1.0);
    EXPECT_DOUBLE_EQ(data[0].y, 1.5);
    EXPECT_DOUBLE_EQ(data[1].x, 3.0);
    EXPECT_DOUBLE_EQ(data[4].x, 4.0);
    EXPECT_DOUBLE_EQ(data[4].y, 4.0);
    EXPECT_EQ(chart.lineStart, -1);
    EXPECT_EQ(chart.calls.back(), "AutoScale");

    // Graph 205 has no measured y strains: only the analysis curve, no marker separator.
    RecordingViewChart plain;
    logic.FillChart(&plain, 205, 0, 0);
    EXPECT_EQ(plain.Separators(), (std::vector<double>{0.0}));

    // Without stages only the separators; without an analysis nothing at all.
    analysis.stages.clear();
    analysis.stages.push_back(nullptr);
    RecordingViewChart none;
    TP2k_Logic unbound(shell.get(), nullptr);
    EXPECT_EQ(unbound.FillMembraneChart(&none, 206, 0), 0);
    EXPECT_TRUE(none.points.empty());
}

TEST_F(MembraneModeTest, SecondCurveIsCappedAtTwiceTheLargestShearButAtLeastOneMPa)
{
    // Largest shear on the crack 0.3 MPa: the v_ci,max curve is capped at 1 MPa (the floor),
    // not at 0.6 MPa.
    for (double e1 : {0.001, 0.002})
        analysis.stages.push_back(MembraneStage([&](LayerNodeStateRec& n) {
            n.Strain1 = e1;
            n.CrackShearStress = -0.3e6 * e1 / 0.002;
            n.CrackShearLimit = 5e6;
        }));
    logic.FillChart(&chart, 207, 0, 0);
    EXPECT_DOUBLE_EQ(g_CurveCap, 1e6);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0, kUndefined, 1.0}));
    const auto capped = chart.Data();
    ASSERT_EQ(capped.size(), 4u);
    EXPECT_DOUBLE_EQ(capped[1].y, 0.3);
    EXPECT_DOUBLE_EQ(capped[2].y, 1.0);
    EXPECT_DOUBLE_EQ(capped[3].y, 1.0);

    // With 4 MPa on the crack the cap is 8 MPa and the 5 MPa limit shows.
    analysis.stages[1]->NodeStates[0].CrackShearStress = 4e6;
    RecordingViewChart second;
    logic.FillChart(&second, 207, 0, 0);
    EXPECT_DOUBLE_EQ(g_CurveCap, 8e6);
    EXPECT_DOUBLE_EQ(second.Data()[3].y, 5.0);

    // f_2: the cap is twice the most compressive stress, at most -1 MPa; f_2max is floored
    // by it.
    analysis.stages.clear();
    analysis.stages.push_back(MembraneStage([](LayerNodeStateRec& n) {
        n.Strain2 = -0.0005;
        n.ConcStress2 = -10e6;
        n.ConcStress2Max = -30e6;
    }));
    RecordingViewChart f2;
    logic.FillChart(&f2, 213, 0, 0);
    EXPECT_DOUBLE_EQ(g_CurveCap, -20e6);
    EXPECT_DOUBLE_EQ(f2.Data().back().y, -20.0);
}

TEST_F(MembraneModeTest, NodeDataPairsInOrderWithTheirSteelFlags)
{
    analysis.stages.push_back(MembraneStage([](LayerNodeStateRec& n) {
        n.StrainX = 1, n.StrainZ = 2, n.ShearStrain = 3, n.Strain1 = 4, n.Strain2 = 5;
        n.CrackAngle = 6, n.ConcStressX = 7, n.ConcStressZ = 8, n.ConcShearStress = 9;
        n.ConcStress1 = 10, n.ConcStress2 = 11, n.ConcStress2Max = 12;
        n.StirrupStress = 13, n.StirrupStressAtCrack = 14, n.SteelStressX = 15;
        n.SteelStressXAtCrack = 16, n.CrackWidth = 18, n.CrackSpacingTheta = 19;
        n.CrackSpacingX = 20, n.CrackSpacingZ = 21, n.CrackShearStress = 22;
        n.CrackShearLimit = 23;
    }));
    logic.FillChart(&chart, 2104, 0, 0);
    const std::vector<double> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,
                                          15, 16, 0, 18, 19, 20, 21, 22, 23, 0, 0, 0};
    std::vector<double> flat;
    for (const auto& p : chart.points)
        flat.push_back(p.x), flat.push_back(p.y);
    EXPECT_EQ(flat, expected);

    // x stress marked not available: x flag 3; y average stress beyond 1e30: y flag 2.
    analysis.stages[0]->NodeStates[0].SteelStressX = kNotAvailable;
    analysis.stages[0]->NodeStates[0].StirrupStress = 2e31;
    RecordingViewChart flags;
    logic.FillChart(&flags, 2104, 0, 0);
    EXPECT_EQ(flags.points.back().x, 3.0);
    EXPECT_EQ(flags.points.back().y, 2.0);
    // The vital signs show a stress marked not available as such, never as a rupture.
    RecordingViewChart vital;
    logic.FillChart(&vital, 2116, 0, 0);
    EXPECT_EQ(vital.points.back().x, 3.0);
    EXPECT_EQ(vital.points.back().y, 2.0);

    // A panel without y layers: y flag 1.
    PanelSpec spec;
    spec.rhoY = 0.0;
    auto bare = MakePanel(spec);
    ScriptedAnalysis a2(bare.get(), 1);
    a2.stages.push_back(MembraneStage([](LayerNodeStateRec&) {}));
    TP2k_Logic l2(bare.get(), &a2);
    RecordingViewChart c2;
    l2.FillChart(&c2, 2104, 0, 0);
    EXPECT_EQ(c2.points.back().x, 0.0);
    EXPECT_EQ(c2.points.back().y, 1.0);
}

TEST_F(MembraneModeTest, SteelStateCodesAtTheirThresholds)
{
    // f_y = 400 MPa in both directions: t = 8 MPa.
    const auto codes = [&](double fsx, double fsy) {
        analysis.stages.clear();
        analysis.stages.push_back(MembraneStage([&](LayerNodeStateRec& n) {
            n.SteelStressX = fsx;
            n.StirrupStress = fsy;
        }));
        RecordingViewChart c;
        logic.FillChart(&c, 2103, 0, 0);
        EXPECT_EQ(c.calls.back(), "AttachStructure");
        return std::pair<double, double>{c.points[5].x, c.points[5].y};
    };
    EXPECT_EQ(codes(400e6, 392.1e6), (std::pair<double, double>{1, 1}));
    EXPECT_EQ(codes(391.9e6, 408.1e6), (std::pair<double, double>{0, 2}));
    EXPECT_EQ(codes(-400e6, -409e6), (std::pair<double, double>{-1, -2}));
    EXPECT_EQ(codes(2e31, 0.0), (std::pair<double, double>{10, 0}));
}

TEST_F(MembraneModeTest, MohrCirclesOfStrainAndStress)
{
    analysis.stages.push_back(MembraneStage([](LayerNodeStateRec& n) {
        n.Strain1 = 0.003, n.Strain2 = -0.001, n.StrainX = 0.0015, n.StrainZ = 0.0005;
        n.ShearStrain = 0.002;
        n.ConcStress1 = 1e6, n.ConcStress2 = -9e6, n.ConcStressX = -2e6, n.ConcStressZ = -6e6;
        n.ConcShearStress = 4e6;
    }));
    logic.FillChart(&chart, 2100, 0, 0);
    ASSERT_EQ(chart.points.size(), 6u);
    EXPECT_DOUBLE_EQ(chart.points[2].y, 1.0); // g_xy / 2 in mm/m
    EXPECT_DOUBLE_EQ(chart.points[4].x, 1.0); // centre (3 - 1) / 2
    EXPECT_DOUBLE_EQ(chart.points[4].y, 2.0); // radius
    EXPECT_DOUBLE_EQ(chart.points[5].y, -2.0);
    RecordingViewChart stress;
    logic.FillChart(&stress, 2102, 0, 0);
    EXPECT_DOUBLE_EQ(stress.points[2].x, -2.0);
    EXPECT_DOUBLE_EQ(stress.points[2].y, 4.0);
    EXPECT_DOUBLE_EQ(stress.points[4].x, -4.0);
    EXPECT_DOUBLE_EQ(stress.points[4].y, 5.0);
    // Not cracked (e_1 below the cracking strain): the crack circle is all zero.
    analysis.stages[0]->NodeStates[0].Strain1 = 1e-6;
    RecordingViewChart crack;
    logic.FillChart(&crack, 2101, 0, 0);
    for (const auto& p : crack.points)
        EXPECT_EQ(p.x, 0.0);
}

TEST_F(MembraneModeTest, ControlChartTagsEveryValidStage)
{
    // Without a valid current state: cleared and empty.
    EXPECT_EQ(logic.FillControlChart(&chart, 0, 0), 0);
    EXPECT_EQ(chart.calls, (std::vector<std::string>{"ClearData"}));

    for (double g : {0.001, 0.002})
        analysis.stages.push_back(MembraneStage([&](LayerNodeStateRec& n) {
            n.ShearStrain = g;
            n.ConcShearStress = 1e9 * g;
        }));
    RecordingViewChart control;
    ASSERT_EQ(logic.FillControlChart(&control, 0, 0), 1);
    EXPECT_EQ(control.title, "Control: Shear - |g_x_y");
    ASSERT_EQ(control.points.size(), 3u);
    EXPECT_EQ(control.points[0].tag, 0);
    EXPECT_EQ(control.points[0].x, kUndefined);
    EXPECT_EQ(control.points[2].tag, 1);
    EXPECT_DOUBLE_EQ(control.points[2].x, 2.0);
    EXPECT_DOUBLE_EQ(control.points[2].y, 2.0);
    EXPECT_EQ(control.subMode, 1);
    double x = 0, y = 0;
    logic.GetControlPoint(x, y, 3000);
    EXPECT_DOUBLE_EQ(x, 2.0);
    TP2k_Logic unbound(shell.get(), nullptr);
    unbound.GetControlPoint(x, y, 3000);
    EXPECT_EQ(x, kUndefined);
}

TEST(MembraneEndToEnd, PureShearPanelPeaksNearThePlasticLimit)
{
    // rho = 1 % of 400 MPa steel both ways: sqrt(rho_x fy_x rho_y fy_y) = 4 MPa.
    auto shell = MakePanel(PanelSpec{});
    TP2kFullResponse analysis(shell.get());
    TP2k_Logic logic(shell.get(), &analysis);
    RecordingViewChart chart;
    ASSERT_EQ(logic.FillChart(&chart, 206, 0, 0), 1);
    double peak = 0.0;
    for (const auto& p : chart.Data())
        peak = std::max(peak, p.y);
    EXPECT_GT(chart.Data().size(), 5u);
    EXPECT_NEAR(peak, 4.0, 0.6) << "peak " << peak;
    RecordProperty("peak_MPa", std::to_string(peak));

    RecordingViewChart control;
    ASSERT_EQ(logic.FillControlChart(&control, 0, 0), 1);
    EXPECT_EQ(control.Data().size(), chart.Data().size());
    EXPECT_EQ(control.points.back().tag, static_cast<int>(control.points.size()) - 2);
}
