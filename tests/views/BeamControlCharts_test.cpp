// The control charts: which pair each shows, the points of states and the fed paths.

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"
#include "views/GraphTables.h"

namespace {

struct ControlCharts : BeamViewTest {
    RecordingViewChart chart;
};

TEST_F(ControlCharts, PairsOfALoadStageResponse)
{
    struct Case {
        double dN, dM, dV;
        int which, id;
        const char* title;
    } cases[] = {
        {0.0, 0.0, 0.0, 2, -2, "Control : Moment - |e_x"},
        {0.0, 0.0, 0.2, 2, 25, "Control : Shear - |g_x_y"},
        {-0.2, 0.0, 0.0, 2, 20, "Control : Axial Load - |e_x"},
        {0.0, 1.0, 0.0, 1, 21, "Control : Moment - |f"},
        {-11.0, 1.0, 0.0, 1, 20, "Control : Axial Load - |e_x"},
        // r = dM / H / 3 = 1 / 0.6 / 3 = 0.556: |dV| above 5.56 leads.
        {0.0, 1.0, 5.6, 1, 26, "Control : Shear - |e_x"},
        {0.0, 1.0, 5.5, 1, 21, "Control : Moment - |f"},
    };
    for (const Case& c : cases) {
        analysis.SetIncrement(c.dN, c.dM, c.dV);
        RecordingViewChart fresh;
        EXPECT_EQ(logic.ChooseControlPair(&fresh, c.which, 5), c.id) << c.dN << c.dM << c.dV;
        EXPECT_EQ(fresh.title, c.title);
        EXPECT_EQ(fresh.subMode, c.id);
    }
}

TEST_F(ControlCharts, PairsOfInteractionAndMemberAnalyses)
{
    struct Case {
        int kind, which, layout, running;
        double p0;
        int id;
    } cases[] = {
        {1, 1, 1, 0, 0.0, 22}, {1, 1, 5, 0, 0.0, 21}, {3, 1, 1, 0, 0.0, 23}, {3, 1, 5, 0, 0.0, 25},
        {2, 1, 1, 0, 0.0, 24}, {1, 2, 5, 0, 0.0, 22}, {3, 2, 5, 0, 0.0, 23}, {2, 2, 5, 0, 0.0, 24},
        {5, 1, 5, 0, 1.0, 503}, {5, 1, 6, 0, 1.0, 27}, {5, 1, 6, 1, 1.0, 27},
        {5, 2, 5, 0, 1.0, 501},
    };
    for (const Case& c : cases) {
        analysis.kind = c.kind;
        analysis.SetRunning(c.running);
        analysis.probes[0] = c.p0;
        EXPECT_EQ(logic.ChooseControlPair(&chart, c.which, c.layout), c.id)
            << c.kind << " " << c.which << " " << c.layout;
    }
    analysis.kind = 5;
    analysis.probes[10] = 0.0;
    EXPECT_EQ(logic.ChooseControlPair(&chart, 2, 6), 503);
    analysis.probes[10] = 1.0;
    EXPECT_EQ(logic.ChooseControlPair(&chart, 2, 6), 501);
    EXPECT_EQ(logic.ChooseControlPair(&chart, 1, 5), 503);
    EXPECT_EQ(chart.title, "Control : Dist. - Moment");
    EXPECT_EQ(chart.xTitle, "Location (mm)");
}

TEST_F(ControlCharts, WithoutAnAnalysisSubModeTwentyOne)
{
    TQ2k_Logic bare(beam.get(), nullptr);
    EXPECT_EQ(bare.ChooseControlPair(&chart, 1, 5), 21);
    EXPECT_EQ(chart.subMode, 21);
    EXPECT_TRUE(chart.title.empty());
    double x = 0.0, y = 0.0;
    bare.GetControlPoint(x, y, 21);
    EXPECT_EQ(x, kUndefined);
    EXPECT_EQ(y, kUndefined);
    EXPECT_EQ(bare.FillControlChart(&chart, 1, 5), 0);
}

TEST_F(ControlCharts, PointsOfAStateInDisplayUnits)
{
    // A sagging state: M = -50 kNm stored, curvature -2 mrad/m, N = -100 kN, V = 30 kN.
    auto s = MakeState(-0.0005, -0.002, -100e3, -50e3, 30e3);
    struct Case {
        int id;
        double x, y;
    } cases[] = {{21, 2.0, 50.0}, {20, -0.5, -100.0}, {22, 50.0, -100.0}, {23, -100.0, 30.0},
                 {24, 50.0, 30.0}, {26, -0.5, 30.0}, {-2, -0.5, 50.0}, {-1, -0.5, 30.0},
                 {502, 0.0, -30.0}, {503, 0.0, -50.0}};
    for (const Case& c : cases) {
        double x = 0.0, y = 0.0;
        EXPECT_EQ(logic.ControlPointOfState(x, y, c.id, s.get()), 1);
        EXPECT_NEAR(x, c.x, 1e-9) << c.id;
        EXPECT_NEAR(y, c.y, 1e-9) << c.id;
    }
    DisplayContext us;
    us.unitSystem = 1;
    logic.SetDisplayContext(us);
    double x = 0.0, y = 0.0;
    logic.ControlPointOfState(x, y, 21, s.get());
    EXPECT_NEAR(y, 50e3 / 1355.818, 1e-3); // kip-ft
    auto invalid = MakeState(0, 0, 0, 0, 0, 1.0, 0);
    EXPECT_EQ(logic.ControlPointOfState(x, y, 21, invalid.get()), 0);
    EXPECT_EQ(x, kUndefined);
    EXPECT_EQ(logic.ControlPointOfState(x, y, 77, s.get()), 1);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(ControlCharts, StagePathBreaksWhereTheLoadStartsAgain)
{
    analysis.SetIncrement(0.0, 1.0, 0.0);
    analysis.stages.push_back(MakeState(0, -0.001, 0, -10e3, 0, 0.0));
    analysis.stages.push_back(MakeState(0, -0.002, 0, -20e3, 0, 1.0));
    analysis.stages.push_back(MakeState(0, -0.003, 0, -5e3, 0, 0.0)); // unloaded
    analysis.stages.push_back(MakeState(0, -0.004, 0, -25e3, 0, 1.0));
    EXPECT_EQ(logic.FillControlChart(&chart, 1, 5), 1);
    EXPECT_EQ(chart.subMode, 21);
    ASSERT_EQ(chart.points.size(), 6u);
    EXPECT_EQ(chart.points[0].y, 0.0); // line type 0, tag 1
    EXPECT_EQ(chart.points[0].tag, 1);
    EXPECT_NEAR(chart.points[1].x, 1.0, 1e-12);
    EXPECT_NEAR(chart.points[1].y, 10.0, 1e-12);
    EXPECT_EQ(chart.points[1].tag, 0);
    EXPECT_EQ(chart.points[3].x, kUndefined); // break before stage 2
    EXPECT_EQ(chart.points[3].y, kUndefined);
    EXPECT_EQ(chart.points[5].tag, 3);
    EXPECT_EQ(chart.calls.back(), "AutoScale");
}

TEST_F(ControlCharts, InvalidCurrentStateLeavesTheChartEmpty)
{
    analysis.stages.push_back(MakeState(0, 0, 0, 0, 0, 1.0, 0));
    EXPECT_EQ(logic.FillControlChart(&chart, 2, 5), 0);
    EXPECT_TRUE(chart.points.empty());
    EXPECT_EQ(chart.calls.back(), "AutoScale");
}

TEST_F(ControlCharts, DiagramPathOfAnInteractionAnalysis)
{
    analysis.kind = AnalysisKind::MVDiagram;
    for (int i = 0; i < 3; ++i)
        analysis.stages.push_back(MakeState(0, 0, 0, -10e3 * (i + 1), 5e3 * (i + 1)));
    analysis.diagram = {{0, 1}, {1, 1}, {2, 0}};
    EXPECT_EQ(logic.FillControlChart(&chart, 2, 5), 1);
    EXPECT_EQ(chart.drawMode, 2);
    EXPECT_EQ(chart.subMode, 24);
    // Markers of the stages, then the path: line type 0 while running, 8 after.
    std::vector<int> diagramTags;
    for (const RecordedPoint& p : chart.points)
        if (p.tag >= 9000)
            diagramTags.push_back(p.tag);
    EXPECT_EQ(diagramTags, (std::vector<int>{9000, 9001, 9002}));
    const std::vector<double> separators = chart.Separators();
    ASSERT_EQ(separators.size(), 3u);
    EXPECT_EQ(separators[0], kChartMarkers);
    EXPECT_EQ(separators[1], 0.0);
    EXPECT_EQ(separators[2], 8.0);
}

TEST_F(ControlCharts, MemberShearRunsTwoPassesAndTheLoadCurve)
{
    analysis.kind = 5;
    analysis.probes[0] = 1.0;
    analysis.stages.push_back(MakeState(0, 0, 0, 0, 20e3));
    analysis.curves[1] = {{1.5, 4e3}};
    EXPECT_EQ(logic.FillControlChart(&chart, 2, 5), 1);
    EXPECT_EQ(chart.subMode, 501);
    std::vector<double> ys;
    for (const RecordedPoint& p : chart.Data())
        ys.push_back(p.y);
    // Shear, then negated shear (no separator between), then the curve point in force units.
    ASSERT_EQ(ys.size(), 3u);
    EXPECT_NEAR(ys[0], 20.0, 1e-12);
    EXPECT_NEAR(ys[1], -20.0, 1e-12);
    EXPECT_NEAR(ys[2], 4.0, 1e-12);
    EXPECT_NEAR(chart.Data()[2].x, 1500.0, 1e-9);
    EXPECT_EQ(chart.Data()[2].tag, -1);
}

TEST_F(ControlCharts, StirrupHelpersByHand)
{
    // Two stirrup layers of the test section, each of area 2e-4 over 0.26 .. -0.26, one bar
    // 1e-4 of 11 mm, one leg: A / P = 2 x 1e-4 / (2 x 0.011 pi).
    EXPECT_NEAR(logic.StirrupBondFactorAt(0.0, nullptr), 1e-4 / (0.011 * 3.141592653589), 1e-12);
    EXPECT_EQ(logic.StirrupBondFactorAt(0.28, nullptr), 0.0);
    std::vector<int> failed{1, 0};
    EXPECT_NEAR(logic.StirrupBondFactorAt(0.0, &failed), 1e-4 / (0.011 * 3.141592653589), 1e-12);
    SectionState s;
    s.NodeStates.resize(2);
    s.NodeStates[0].Depth = 0.1;
    s.NodeStates[0].StrainZ = 0.002;
    s.NodeStates[1].Depth = 0.29; // above the stirrups
    s.NodeStates[1].StrainZ = 0.002;
    EXPECT_NEAR(logic.StirrupStrainAt(&s, 0), 0.002, 1e-15);
    EXPECT_EQ(logic.StirrupStrainAt(&s, 1), 0.0);
    EXPECT_EQ(logic.StirrupStrainAt(&s, 7), 0.0);
}

} // namespace

namespace {

struct MemberPairs : BeamViewTest {
    RecordingViewChart chart;
};

// The member and pushover pairs by hand, in SI display units (mm x 1000, kN x 0.001, kN m
// x -0.001, so that a sagging moment reads positive): the member's deflection 12 mm at load
// factor 2.5; a station at 1.5 m carrying V = 30 kN and a sagging M = -50 kN m at load factor
// 0.75. The pushover graph's stage values read the deflection as it is (the view manager
// negates the readout's x, as the curve is drawn against -deflection); the pushover control
// pair 27 draws -deflection; shear is shown as it is and negated for the second pass; the
// moment pair negates the moment (-(-50e3) x -0.001 = -50), and the member's load curve
// (1.5 m, 4000 N m) is negated likewise (-4000 x -0.001 = 4).
TEST_F(MemberPairs, SignsOfTheReadoutAndOfEachPair)
{
    analysis.kind = 5;
    analysis.memberResults = {0.0, 0.012, 0.0, 0.0, 2.5, 0.0};
    double x = 0.0, y = 0.0;
    EXPECT_EQ(logic.GetStageValues(x, y, 3, 4011), 1);
    EXPECT_NEAR(x, 12.0, 1e-9);
    EXPECT_NEAR(y, 2.5, 1e-12);
    EXPECT_EQ(logic.GetStageValues(x, y, 3, 4012), 0); // no readout on the other member graphs

    auto s = MakeState(0.0, 0.0, 0.0, -50e3, 30e3, 0.75);
    s->Summary[0] = 1.5;
    const struct {
        int id;
        double x, y;
    } pairs[] = {{27, -12.0, 2.5}, {501, 1500.0, 30.0}, {502, 1500.0, -30.0},
                 {503, 1500.0, -50.0}, {504, 1500.0, 0.75}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.id);
        ASSERT_EQ(logic.ControlPointOfState(x, y, p.id, s.get()), 1);
        EXPECT_NEAR(x, p.x, 1e-9);
        EXPECT_NEAR(y, p.y, 1e-9);
    }

    // The moment pair's points: the station, then the load curve.
    analysis.probes[0] = 1.0;
    analysis.stages.push_back(std::move(s));
    analysis.curves[1] = {{1.5, 4e3}};
    EXPECT_EQ(logic.FillControlChart(&chart, 1, 5), 1);
    EXPECT_EQ(chart.subMode, 503);
    ASSERT_FALSE(chart.Data().empty());
    EXPECT_NEAR(chart.Data().front().x, 1500.0, 1e-9);
    EXPECT_NEAR(chart.Data().front().y, -50.0, 1e-9);
    EXPECT_NEAR(chart.Data().back().x, 1500.0, 1e-9);
    EXPECT_NEAR(chart.Data().back().y, 4.0, 1e-9);
    EXPECT_EQ(chart.Data().back().tag, -1);
}

} // namespace
