// The graph families fed from scripted states: load-deformation and interaction graphs,
// section profiles, member-response graphs, the dispatcher's guards and the legends.

#include <gtest/gtest.h>

#include <algorithm>

#include "charts/Tchart.h"
#include "platform/Application.h"
#include "tests/support/RecordingChart.h"
#include "tests/support/TestSupport.h"
#include "views/ContractChart.h"
#include "tests/views/ViewTestSupport.h"
#include "views/GraphTables.h"

namespace {

struct Graphs : BeamViewTest {
    ScriptedHost host;
    RecordingViewChart chart;
    Graphs()
    {
        logic.SetHost(&host);
        analysis.SetIncrement(0.0, -1.0, 0.0);
    }
    // Stages of a sagging moment: curvature -1, -2, -3 mrad/m under -10, -20, -30 kNm.
    void ThreeStages()
    {
        for (int i = 1; i <= 3; ++i)
            analysis.stages.push_back(MakeState(0.0, -0.001 * i, 0.0, -10e3 * i, 0.0, i));
    }
};

TEST_F(Graphs, MomentCurvaturePlotsStagesInDisplayUnits)
{
    ThreeStages();
    host.shown.push_back(analysis.stages[1].get());
    EXPECT_EQ(logic.FillChart(&chart, 1001, 0, 0), 1);
    EXPECT_EQ(chart.title, "Moment-Curvature");
    // The stage a panel shows as a marker, then the curve with line type 0.
    const std::vector<double> separators = chart.Separators();
    EXPECT_EQ(separators, (std::vector<double>{kChartMarkers, 0.0}));
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_NEAR(d[0].x, 2.0, 1e-12);
    EXPECT_NEAR(d[0].y, 20.0, 1e-12);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(d[i + 1].x, i + 1.0, 1e-12);
        EXPECT_NEAR(d[i + 1].y, 10.0 * (i + 1), 1e-12);
    }
    EXPECT_EQ(chart.calls.back(), "AutoScale");
}

TEST_F(Graphs, InvalidStageBreaksTheLine)
{
    ThreeStages();
    analysis.stages[1]->Valid = 0;
    logic.FillChart(&chart, 1001, 0, 0);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0, kUndefined}));
    EXPECT_EQ(chart.Data().size(), 2u);
}

TEST_F(Graphs, TitlesFollowTheLoadIncrement)
{
    ThreeStages();
    struct Case {
        double dN, dM, dV;
        const char *title, *y;
    } cases[] = {
        {-1.0, 0.0, 0.0, "Axial Force-Long. Strain", "Axial Force (kN)"},
        {0.0, 1.0, 2.0, "Shear-Long. Strain", "Shear (kN)"},
        {0.0, 2.0, 1.0, "Moment-Long. Strain", "Moment (kNm)"},
    };
    for (const Case& c : cases) {
        analysis.SetIncrement(c.dN, c.dM, c.dV);
        RecordingViewChart fresh;
        logic.FillChart(&fresh, 1000, 0, 0);
        EXPECT_EQ(fresh.title, c.title);
        EXPECT_EQ(fresh.yTitle, c.y);
    }
    DisplayContext factored;
    factored.resistanceFactors = {1.0, 0.85, 1.0};
    factored.unitSystem = 1;
    logic.SetDisplayContext(factored);
    analysis.SetIncrement(0.0, -1.0, 0.0);
    logic.FillChart(&chart, 1001, 0, 0);
    EXPECT_EQ(chart.yTitle, "Moment (kip-ft) (factored)");
    logic.FillChart(&chart, 1000, 0, 0);
    EXPECT_EQ(chart.xTitle, "Long. Strain (x 10^-^3)");
}

TEST_F(Graphs, ReinforcementStrainAndTransverseCap)
{
    // Bars at 0.25, 0 and -0.25: under e0 = 0 and curvature -0.004 the bottom bar strains
    // +0.001 (plus no prestrain).
    analysis.stages.push_back(MakeState(0.0, -0.004, 0.0, -10e3, 0.0));
    analysis.stages[0]->NodeStates.resize(4);
    analysis.stages[0]->LayerDefs = {LayerDefRec{0, 1, 2, 1, 0, 0.3, 0.0, -0.3, 0.6}};
    analysis.stages[0]->NodeStates[1].StrainZ = 0.08;
    analysis.stages[0]->NodeStates[3].StrainZ = 0.09; // no node of the mesh
    logic.FillChart(&chart, 1002, 0, 0);
    ASSERT_EQ(chart.Data().size(), 1u);
    EXPECT_NEAR(chart.Data()[0].x, 1.0, 1e-12);
    analysis.SetIncrement(0.0, 0.0, 1.0);
    logic.FillChart(&chart, 1005, 0, 0);
    ASSERT_EQ(chart.Data().size(), 1u);
    EXPECT_NEAR(chart.Data()[0].x, 50.0, 1e-12); // capped at 0.05
    // Without bars 1002 has no points.
    beam->DeleteLongLayers(0);
    logic.FillChart(&chart, 1002, 0, 0);
    EXPECT_TRUE(chart.Data().empty());
}

TEST_F(Graphs, InteractionDiagramClosesWithTheStoredLines)
{
    analysis.kind = AnalysisKind::MNDiagram;
    analysis.stages.push_back(MakeState(0, 0, -1000e3, 0.0, 0));
    analysis.stages.push_back(MakeState(0, 0, 0.0, -200e3, 0));
    analysis.stages.push_back(MakeState(0, 0, 300e3, 0.0, 0));
    analysis.diagram = {{0, 1}, {1, 1}, {2, 0}};
    analysis.curves[22] = {{-150e3, -500e3}};
    logic.FillChart(&chart, 1006, 0, 0);
    EXPECT_EQ(chart.Separators(),
              (std::vector<double>{kUndefined, 101.0, kUndefined, 0.0, 1.0}));
    EXPECT_EQ(chart.lineStart, -1);
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_NEAR(d[0].x, 150.0, 1e-9); // stored line, moment in kNm with sagging positive
    EXPECT_NEAR(d[0].y, -500.0, 1e-9);
    EXPECT_NEAR(d[2].x, 200.0, 1e-9);
    EXPECT_NEAR(d[3].y, 300.0, 1e-9);
}

TEST_F(Graphs, EnergyByResultantsSumsTrapezoids)
{
    // Moment 0 -> -10 kNm over curvature 0 -> -0.002: 0.5 x 10e3 x 0.002 = 10 J/m.
    analysis.stages.push_back(MakeState(0, 0.0, 0, 0.0, 0));
    analysis.stages.push_back(MakeState(0, -0.002, 0, -10e3, 0));
    analysis.stages.push_back(MakeState(0, -0.004, 0, -10e3, 0));
    logic.FillChart(&chart, 1013, 0, 0);
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_GE(d.size(), 1u);
    EXPECT_NEAR(d[0].x, 2.0, 1e-12);
    EXPECT_NEAR(d[0].y, 10.0, 1e-9);
    EXPECT_EQ(chart.title, "Energy-Curvature");
    EXPECT_EQ(chart.yTitle, "Energy (Joules/m)");
}

TEST_F(Graphs, StageValues)
{
    ThreeStages();
    double x = 0.0, y = 0.0;
    EXPECT_EQ(logic.GetStageValues(x, y, 1, 1001), 1);
    EXPECT_NEAR(x, 2.0, 1e-12);
    EXPECT_NEAR(y, 20.0, 1e-12);
    analysis.memberResults = {0.0, 0.012, 0.0, 0.0, 1.5, 0.0};
    EXPECT_EQ(logic.GetStageValues(x, y, 0, 4011), 1);
    EXPECT_NEAR(x, 12.0, 1e-12);
    EXPECT_NEAR(y, 1.5, 1e-12);
    EXPECT_EQ(logic.GetStageValues(x, y, 0, 7), 0);
}

// The two-layer state under -10 kNm with 500 Pa of shear on every crack and three bar stresses.
SectionStateHolder TwoLayerState()
{
    auto s = TwoLayerMeshState(-0.004, -10e3);
    for (LayerNodeStateRec& n : s->NodeStates)
        n.CrackShearStress = 500.0;
    s->LongBarValues[BarArray::List0Stress] = {-50e6, 100e6, 2e31};
    return s;
}

TEST_F(Graphs, StrainProfileClosesOnTheZeroAxis)
{
    analysis.stages.push_back(TwoLayerState());
    EXPECT_EQ(logic.FillChart(&chart, 7, 0, 0), 1);
    EXPECT_EQ(chart.state, analysis.stages[0].get());
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 7u);
    EXPECT_EQ(d.front().x, 0.0);
    EXPECT_NEAR(d.front().y, 300.0, 1e-9);
    EXPECT_EQ(d.back().x, 0.0);
    EXPECT_NEAR(d.back().y, -300.0, 1e-9);
    EXPECT_NEAR(d[1].x, -1.2, 1e-12); // -0.004 x 0.3 in mm/m at the top
    EXPECT_NEAR(d[5].x, 1.2, 1e-12);
    EXPECT_EQ(chart.note, "|f = 4.000 mrad/m");
}

TEST_F(Graphs, BarStressesAsRectanglesFailedBarsAtZero)
{
    analysis.stages.push_back(TwoLayerState());
    logic.FillChart(&chart, 17, 0, 0);
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 14u); // top, 3 x 4 corners, bottom
    EXPECT_NEAR(d[2].x, -50.0, 1e-9);
    EXPECT_NEAR(d[2].y, 237.5, 1e-9); // 250 - 25 / 2
    EXPECT_EQ(d[10].x, 0.0);          // the failed bar
    EXPECT_EQ(chart.note, "AverageX");
}

TEST_F(Graphs, ShearOnCrackWithinAThousandPascalsHasNoLimits)
{
    analysis.stages.push_back(TwoLayerState());
    logic.FillChart(&chart, 14, 0, 0);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0}));
    for (LayerNodeStateRec& n : analysis.stages[0]->NodeStates)
        n.CrackShearStress = 2e6, n.CrackShearLimit = 3e6;
    analysis.stages[0]->NodeStates[4].CrackShearStress = -1e6;
    RecordingViewChart limits;
    logic.FillChart(&limits, 14, 0, 0);
    // Positive limit, then the negative one (the smallest exceeds 1/50 of the largest).
    EXPECT_EQ(limits.Separators(), (std::vector<double>{0.0, kUndefined, 1.0, kUndefined, 1.0}));
    EXPECT_NEAR(limits.Data().back().x, -3.0, 1e-12);
}

TEST_F(Graphs, ProfilesWithoutAStateDrawNothing)
{
    EXPECT_EQ(logic.FillChart(&chart, 7, 0, 0), 0);
    EXPECT_EQ(chart.calls, (std::vector<std::string>{"AutoScale"}));
    analysis.stages.push_back(MakeState(0, 0, 0, 0, 0, 1.0, 0));
    RecordingViewChart other;
    EXPECT_EQ(logic.FillChart(&other, 3, 0, 0), 0);
    EXPECT_TRUE(other.points.empty());
}

TEST_F(Graphs, MemberGraphsReadTheResultCurves)
{
    analysis.kind = 5;
    analysis.curves[0] = {{0.010, 0.5}, {0.020, 1.0}};
    analysis.curves[11] = {{1.0, 0.001}};
    logic.FillChart(&chart, 4011, 0, 0);
    ASSERT_EQ(chart.Data().size(), 2u);
    EXPECT_NEAR(chart.Data()[1].x, 20.0, 1e-12);
    EXPECT_NEAR(chart.Data()[1].y, 1.0, 1e-12);
    EXPECT_TRUE(reporter.messages.empty());
    RecordingViewChart undefined;
    logic.FillChart(&undefined, 4015, 0, 0);
    logic.FillChart(&undefined, 3500, 0, 0);
    EXPECT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "error! undefined graph type");
    ASSERT_FALSE(undefined.Data().empty());
    EXPECT_NEAR(undefined.Data()[0].y, 1.0, 1e-12); // curve 11 in mm/m
    RecordingViewChart crack;
    logic.FillChart(&crack, 4001, 0, 0);
    EXPECT_EQ(crack.analysis, &analysis);
    analysis.kind = AnalysisKind::LoadStage;
    logic.FillChart(&crack, 4001, 0, 0);
    EXPECT_EQ(crack.analysis, nullptr);
}

// An id of the member range without a graph of its own draws result curve 11 alone: not the
// strain graph's added curves 12 and 13.
TEST_F(Graphs, UndefinedMemberGraphDrawsResultCurveElevenAlone)
{
    analysis.kind = 5;
    analysis.curves[11] = {{1.0, 0.001}, {2.0, 0.002}};
    analysis.curves[12] = {{1.0, 0.003}};
    analysis.curves[13] = {{1.0, 0.004}};
    RecordingViewChart strain;
    logic.FillChart(&strain, 4014, 0, 0);
    EXPECT_EQ(strain.Data().size(), 4u); // the graph itself: 11, then 12 and 13
    for (const int id : {3000, 3999, 4015}) {
        SCOPED_TRACE(id);
        reporter.messages.clear();
        RecordingViewChart undefined;
        logic.FillChart(&undefined, id, 0, 2); // line type 2
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, "error! undefined graph type");
        EXPECT_EQ(undefined.Separators(), (std::vector<double>{2.0}));
        const std::vector<RecordedPoint> d = undefined.Data();
        ASSERT_EQ(d.size(), 2u);
        EXPECT_NEAR(d[0].y, 1.0, 1e-12); // 0.001 in mm/m
        EXPECT_NEAR(d[1].y, 2.0, 1e-12);
        EXPECT_EQ(undefined.calls.back(), "AutoScale");
    }
}

// A reinforcement graph: the capacity line, its negated copy after a break that stays a break
// in display units (kN), the effective capacity likewise, and the demand, each line after its
// own separator with the next line type.
TEST_F(Graphs, ReinforcementCapacityLinesBreakAndTheDemandFollows)
{
    analysis.kind = 5;
    const std::vector<std::pair<double, double>> capacity{
        {0.0, 90e3}, {2.0, 90e3}, {kUndefined, kUndefined}, {0.0, -90e3}, {2.0, -90e3}};
    analysis.curves[4017] = capacity;
    analysis.curves[4021] = capacity;
    analysis.curves[4024] = {{0.0, 0.0}, {1.0, 60e3}, {2.0, 0.0}};
    logic.FillChart(&chart, 4017, 0, 0);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0, kUndefined, kUndefined, 1.0, kUndefined, kUndefined,
                                                       2.0}));
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 11u);
    const std::vector<std::pair<double, double>> expected{
        {0.0, 90.0}, {2000.0, 90.0}, {0.0, -90.0}, {2000.0, -90.0}, // mm and kN
        {0.0, 90.0}, {2000.0, 90.0}, {0.0, -90.0}, {2000.0, -90.0}, {0.0, 0.0}, {1000.0, 60.0}, {2000.0, 0.0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(d[i].x, expected[i].first, 1e-9) << i;
        EXPECT_NEAR(d[i].y, expected[i].second, 1e-9) << i;
    }
}

TEST_F(Graphs, StiffnessNoteFromTheHarmonicMeans)
{
    analysis.curves[17] = {{0.0, 200e6}, {1.0, 200e6}}; // uncracked EI 200 MN m^2
    analysis.curves[14] = {{0.0, 100e6}, {1.0, 100e6}};
    logic.FillChart(&chart, 4012, 0, 0);
    EXPECT_EQ(chart.textShown, 1);
    // The current stiffness is half the uncracked one.
    EXPECT_EQ(chart.note, "Average Flexural Stiffness =  50 % of uncracked value");
    // The same on a window chart, whose own harmonic mean weighs the two lines by length;
    // a current stiffness of 100 and 50 over the two halves has the harmonic mean 66.7.
    plat::EnsureGuiRuntime();
    analysis.curves[14] = {{0.0, 100e6}, {0.5, 100e6}, {0.5, 50e6}, {1.0, 50e6}};
    Tchart window(nullptr, "Stiffness", 0, 0, 300, 200, 1, 1, 0);
    ContractChart panel(window);
    logic.FillChart(&panel, 4012, 0, 0);
    EXPECT_EQ(window.Data().Note(), "Average Flexural Stiffness =  33 % of uncracked value");
    analysis.curves[14] = {{0.0, 100e6}, {1.0, 100e6}};
    RecordingViewChart same;
    analysis.curves.erase(14);
    logic.FillChart(&same, 4012, 0, 0);
    EXPECT_EQ(same.note, "Average Flexural Stiffness"); // a equal to b
}

TEST_F(Graphs, DispatcherGuards)
{
    EXPECT_EQ(logic.FillChart(kNoChart, 1001, 0, 0), 0);
    EXPECT_EQ(logic.FillChart(&chart, 4300, 0, 0), 1);
    EXPECT_EQ(logic.FillChart(&chart, 9999, 0, 0), 1);
    EXPECT_EQ(reporter.messages.size(), 2u);
    // The one-layer graphs need the one-layer view.
    EXPECT_EQ(logic.FillChart(&chart, 2116, 0, 0), 0);
    EXPECT_EQ(logic.FillChart(&chart, 204, 0, 0), 0);
    // The result diagrams are handed the analysis's structure and state.
    ThreeStages();
    RecordingViewChart diagram;
    EXPECT_EQ(logic.FillChart(&diagram, 2000, 0, 0), 1);
    EXPECT_EQ(diagram.structure, beam.get());
    EXPECT_EQ(diagram.state, analysis.stages[2].get());
    RecordingViewChart material;
    EXPECT_EQ(logic.FillChart(&material, 2121, 0, 0), 1);
    EXPECT_EQ(material.structure, beam.get());
    TQ2k_Logic bare(beam.get(), nullptr);
    EXPECT_EQ(bare.FillChart(&diagram, 2003, 0, 0), 0);
    // The code graphs draw without an analysis.
    RecordingViewChart code;
    EXPECT_EQ(bare.FillChart(&code, 1011, 0, 0), 1);
    EXPECT_FALSE(code.Data().empty());
}

TEST_F(Graphs, LegendsAndPlacementCodes)
{
    struct Case {
        int id, code;
        const char* text;
    } cases[] = {
        {1013, 3, "\x01 c\x02 Sectional forces based\r\n\x01 d\x02 Strain energy based"},
        {4012, 2, "\x01 c\x02 Uncracked\r\n\x01 d\x02 Current\r\n"},
        {4014, 1, "\x01 e\x02 Top\r\n\x01 c\x02 Mid\r\n\x01 d\x02 Bot\r\n"},
        {4008, 2, "\x01 e\x02 Top\r\n\x01 c\x02 Mid\r\n\x01 d\x02 Bot\r\n"},
        {4019, 2, "\x01 c\x02 Provided\r\n\x01 e\x02 Demand\r\n"},
        {4029, 2, "\x01 c\x02 Capacity\r\n\x01 e\x02 Demand\r\n"},
        {4010, 2, ""},
        {7, 7, ""},
    };
    for (const Case& c : cases) {
        std::string text = "old";
        int code = c.id;
        logic.GetLegendText(text, code);
        EXPECT_EQ(code, c.code) << c.id;
        EXPECT_EQ(text, c.text) << c.id;
    }
    analysis.probes[14] = 1.0;
    std::string text;
    int code = 4010;
    logic.GetLegendText(text, code);
    EXPECT_EQ(text, "Yield penetration considered\r\n");
    TQ2k_Logic bare(beam.get(), nullptr);
    code = 1007;
    bare.GetLegendText(text, code);
    EXPECT_EQ(code, 1007);
    EXPECT_TRUE(text.empty());
    code = 1006;
    logic.GetLegendText(text, code);
    EXPECT_EQ(code, 1);
}

// Through the chart data contract: a window chart receives the same calls.
TEST_F(Graphs, ContractChartReceivesTheFeed)
{
    ThreeStages();
    RecordingChart contract;
    ContractChart panel(contract);
    EXPECT_EQ(logic.FillChart(&panel, 1001, 0, 0), 1);
    const std::vector<std::string> names = contract.Names();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "SetTitles");
    EXPECT_EQ(names.back(), "AutoScale");
    ASSERT_EQ(contract.pairs.size(), 4u); // line type 0 and three stages
    EXPECT_NEAR(contract.pairs[3].first, 3.0, 1e-12);
    EXPECT_NEAR(contract.pairs[3].second, 30.0, 1e-12);
    RecordingChart control;
    ContractChart controlChart(control);
    EXPECT_EQ(logic.FillControlChart(&controlChart, 1, 5), 1);
    EXPECT_EQ(control.pairs.size(), 4u);
}

// Stirrup stress rising 100 MPa per metre of depth: the average bond over the upper layer is
// 100e6 x A / P, A / P = 1e-4 / (0.011 pi) for the test section's stirrups.
TEST_F(Graphs, TransverseAverageBondByHand)
{
    auto s = TwoLayerState();
    for (LayerNodeStateRec& n : s->NodeStates)
        n.StirrupStress = 100e6 * n.Depth, n.StirrupRatio = 0.01;
    analysis.stages.push_back(std::move(s));
    logic.FillChart(&chart, 1, 0, 0);
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_EQ(d.size(), 41u);
    // At 195 mm the band of five bar diameters (55 mm) lies within the upper half layer.
    EXPECT_NEAR(d[7].y, 195.0, 1e-9);
    EXPECT_NEAR(d[7].x, 100e6 * 1e-4 / (0.011 * 3.141592653589) * 1e-6, 1e-9);
}

// An interaction diagram whose triangle mesh the test lays down.
class MeshAnalysis : public ScriptedAnalysis {
public:
    using ScriptedAnalysis::ScriptedAnalysis;
    std::vector<double> xs{0.0, 100.0, 50.0, 0.0, 100.0, 0.0};
    std::vector<double> ys{0.0, 0.0, 80.0, 0.0, 0.0, 0.0};
    std::vector<int> corners{0, 1, 2, 0, 1, 0}; // a triangle, then a single edge
    std::vector<double> zs{0.0, 0.001, 0.002, 0.0, 0.001, 0.0};
    int FindDiagramPoint(int countOnly, int& count, int& found, std::vector<double>& x,
                         std::vector<double>& y, std::vector<int>& index,
                         std::vector<double>& value, int) override
    {
        count = static_cast<int>(xs.size());
        found = 0;
        if (!countOnly)
            x = xs, y = ys, index = corners, value = zs;
        return 1;
    }
};

// The same mesh appended to the lists it is handed, as the interaction diagrams do.
class AppendingMeshAnalysis : public MeshAnalysis {
public:
    using MeshAnalysis::MeshAnalysis;
    int FindDiagramPoint(int countOnly, int& count, int& found, std::vector<double>& x,
                         std::vector<double>& y, std::vector<int>& index,
                         std::vector<double>& value, int) override
    {
        count = static_cast<int>(xs.size());
        found = 0;
        if (!countOnly) {
            x.insert(x.end(), xs.begin(), xs.end());
            y.insert(y.end(), ys.begin(), ys.end());
            index.insert(index.end(), corners.begin(), corners.end());
            value.insert(value.end(), zs.begin(), zs.end());
        }
        return 1;
    }
};

TEST(InteractionSurface, VerticesAppendedByTheDiagramAreTheOnesDrawn)
{
    RecordingReporter reporter;
    auto beam = TestSection::MakeBeam();
    AppendingMeshAnalysis analysis(beam.get());
    analysis.kind = AnalysisKind::MNDiagram;
    TQ2k_Logic logic(beam.get(), &analysis);
    RecordingViewChart chart;
    EXPECT_EQ(logic.FillChart(&chart, 4701, 0, 0), 1);
    // The corner at x = 100 lies at 2500 (zeros in front of the mesh would leave every
    // vertex at the origin and the axes without extent).
    bool far = false;
    for (const RecordedPoint& p : chart.points)
        far = far || (!IsChartSeparator(p.x) && std::fabs(p.y - 2500.0) < 1e-9);
    EXPECT_TRUE(far);
    // Labels are completed by the value -1.0.
    EXPECT_NE(std::find(chart.texts.begin(), chart.texts.end(), "Moment=" + std::to_string(-1.0)), chart.texts.end());
}

TEST(InteractionSurface, TrianglesAndEdgesAsSegments)
{
    RecordingReporter reporter;
    auto beam = TestSection::MakeBeam();
    MeshAnalysis analysis(beam.get());
    analysis.kind = AnalysisKind::MNDiagram;
    TQ2k_Logic logic(beam.get(), &analysis);
    RecordingViewChart chart;
    EXPECT_EQ(logic.FillChart(&chart, 4701, 0, 0), 1);
    ASSERT_GE(chart.points.size(), 2u);
    EXPECT_EQ(chart.points[0].y, -2.0);
    EXPECT_EQ(chart.points[1].y, 0.0);
    // After the axes: the triangle (markers off, type 2, three edges), then the single edge.
    std::size_t start = 0;
    for (std::size_t i = 2; i + 1 < chart.points.size(); ++i)
        if (IsChartSeparator(chart.points[i].x) && chart.points[i].y == kChartMarkers &&
            chart.points[i + 1].y == 2.0)
            start = i + 2; // the last such pair opens the mesh's first triangle
    ASSERT_GT(start, 0u);
    int segments = 0;
    for (std::size_t i = start; i < chart.points.size(); ++i)
        segments += IsChartSeparator(chart.points[i].x) && chart.points[i].y == 1000.0;
    EXPECT_EQ(segments, 4);
    // The picture spans 2500 units along x: the corner at x = 100 lies at 2500.
    bool far = false;
    for (const RecordedPoint& p : chart.points)
        far = far || (!IsChartSeparator(p.x) && std::fabs(p.y - 2500.0) < 1e-9);
    EXPECT_TRUE(far);
    EXPECT_FALSE(chart.texts.empty()); // axis names and tick numbers
    EXPECT_TRUE(reporter.messages.empty());
}

} // namespace
