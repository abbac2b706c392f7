// The beam mode's vocabulary: graph sets, titles, choices, availability and chart descriptions.

#include <gtest/gtest.h>

#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "model/materials/MaterialTypes.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"
#include "views/BeamViewRules.h"
#include "views/GraphTables.h"

namespace {

struct BeamMode : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    ScriptedAnalysis analysis{beam.get(), 1};
    TQ2k_Logic logic{beam.get(), nullptr};
};

// Indices beyond a table, or a category without ids, take the error path: id 0 and a message;
// no table is read out of its bounds (the nine-graph table has 6 x 9 entries, the member table
// 4 x 5). Category 10 has no sets and answers 0 without a message.
TEST_F(BeamMode, ChoiceIdsReadTheSetTablesAndRefuseIndicesOutsideThem)
{
    struct Case {
        int category, set, position, id;
        bool refused;
    } cases[] = {{5, 4, 3, 204, false},  {5, 5, 8, 30, false},   {5, 0, 0, 2001, false},
                 {6, 3, 1, 4016, false}, {6, 3, 0, 4001, false}, {6, 1, 4, 4011, false},
                 {10, 0, 0, 0, false},   {5, 6, 0, 0, true},     {5, 0, 9, 0, true},
                 {5, -1, 0, 0, true},    {6, 4, 0, 0, true},     {6, 0, 5, 0, true},
                 {6, 5, 8, 0, true},     {3, 0, 0, 0, true}};
    std::size_t refused = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.category << " " << c.set << " " << c.position);
        EXPECT_EQ(logic.GetChoiceId(c.category, c.set, c.position, 0), c.id);
        refused += c.refused ? 1 : 0;
        EXPECT_EQ(reporter.messages.size(), refused);
    }
}

TEST_F(BeamMode, StirrupSetComparesCapacityWithDemandWhenTheMemberAnswersZero)
{
    logic.Bind(beam.get(), &analysis);
    EXPECT_EQ(logic.GetChoiceId(6, 3, 1, 0), 4016); // probe 15 answers 1.0
    analysis.probes[15] = 0.0;
    EXPECT_EQ(logic.GetChoiceId(6, 3, 1, 0), 4029);
    EXPECT_EQ(logic.GetChoiceId(6, 3, 0, 0), 4001);
    EXPECT_EQ(logic.GetChoiceId(5, 3, 1, 0), 7); // the nine-graph sets ignore it
}

TEST_F(BeamMode, TitlesAndCounts)
{
    EXPECT_EQ(logic.GetGraphTitle(30, 0), "Thermal strain (ignored)");
    EXPECT_EQ(logic.GetGraphTitle(1013, 0), "Energy-Curvature");
    EXPECT_EQ(logic.GetGraphTitle(1000, 0), "Longitudinal Strain ");
    for (int id : {31, 199, 250, 999, 1014, 2000, 4004})
        EXPECT_EQ(logic.GetGraphTitle(id, 0), "no such graph type!!!") << id;
    EXPECT_EQ(logic.GetChoiceTitle(5, 4, 0), "Mohr's Circles");
    EXPECT_EQ(logic.GetChoiceTitle(6, 3, 0), "Reinforcement ");
    EXPECT_EQ(logic.GetChoiceTitle(4, 25, 0), "Transvserse Local Bond");
    EXPECT_EQ(logic.GetChoiceTitle(5, 6, 0), "no title");
    EXPECT_EQ(logic.GetChoiceTitle(2, 0, 0), "no title");
    const int counts[][2] = {{1, 14}, {4, 31}, {5, 6}, {6, 4}, {7, 3}, {10, 0}, {11, 0}, {2, 0}};
    for (const auto& c : counts)
        EXPECT_EQ(logic.GetChoiceCount(c[0]), c[1]) << c[0];
    EXPECT_EQ(logic.GetGraphKind(0, 0), 1);
    EXPECT_EQ(logic.GetGraphKind(1, 0), 0);
    EXPECT_EQ(logic.GetGraphKind(31, 0), 0);
}

// The panel menu is the beam table of the stand-in (its rows are checked there, and the window
// test needs its control charts).
TEST_F(BeamMode, ConstantSlots)
{
    EXPECT_EQ(logic.GetFirstControlId(), 3003);
    logic.Bind(beam.get(), &analysis);
    EXPECT_EQ(logic.GetFirstControlId(), 3000); // shear
    EXPECT_EQ(logic.GetFirstGraphId(), 1003);
    EXPECT_EQ(logic.GetDefaultControlId(), 6);
    EXPECT_EQ(logic.GetModeCode(), 23);
    EXPECT_EQ(logic.FilterGraphId(0, 199, 7), -1);
    EXPECT_EQ(logic.FilterGraphId(0, 200, 7), 7);
}

TEST_F(BeamMode, ChoiceAvailability)
{
    EXPECT_EQ(logic.IsChoiceAvailable(1, 1004), 0); // no analysis, no shear
    EXPECT_EQ(logic.IsChoiceAvailable(1, 1001), 1);
    EXPECT_EQ(logic.IsChoiceAvailable(5, 4), 0);
    logic.Bind(beam.get(), &analysis);
    EXPECT_EQ(logic.IsChoiceAvailable(1, 1004), 1);
    for (int id : {1010, 1013, 1006, 1007, 1008})
        EXPECT_EQ(logic.IsChoiceAvailable(1, id), 0) << id;
    EXPECT_EQ(logic.IsChoiceAvailable(5, 4), 1); // a load-stage response
    EXPECT_EQ(logic.IsChoiceAvailable(5, 5), 0); // no fire model
    EXPECT_EQ(logic.IsChoiceAvailable(4, 9), 0);
    EXPECT_EQ(logic.IsChoiceAvailable(4, 7), 1);
    EXPECT_EQ(logic.IsChoiceAvailable(4, 31), 0);
    EXPECT_EQ(logic.IsChoiceAvailable(4700, 0), 0);
    analysis.kind = AnalysisKind::MVDiagram;
    EXPECT_EQ(logic.IsChoiceAvailable(1, 1007), 1);
    EXPECT_EQ(logic.IsChoiceAvailable(1, 1006), 0);
    EXPECT_EQ(logic.IsChoiceAvailable(4700, 0), 1);
}

TEST_F(BeamMode, ChartDescriptionsCarryUnitLabels)
{
    struct Case {
        int system, id;
        const char *x, *y;
    } cases[] = {
        {0, 1001, "Curvature (mrad/m)", "Moment (kNm)"},
        {1, 1001, "Curvature (rad/10^3inch)", "Moment (kip-ft)"},
        {2, 1001, "Curvature (mrad/m)", "Moment (ton-m)"},
        {1, 1000, "Long. Strain (x 10^-^3)", "Axial Load (kips)"},
        {0, 7, "|e_x Strain (mm/m)", "Beam Depth (mm)"},
        {1, 7, "|e_x Strain (x 10^-^3)", "Beam Depth (in)"},
        {2, 17, "Stress (t/cm^2)", "Beam Depth (cm)"},
        {1, 4011, "Deflection (in)", "Live Load Factor"},
        {0, 4012, "Length along member (mm)", "Flexural Stiffness (MN.m^2)"},
    };
    for (const Case& c : cases) {
        DisplayContext display;
        display.unitSystem = c.system;
        logic.SetDisplayContext(display);
        ChartDescription d;
        logic.GetChartDescription(c.id, d, 1);
        EXPECT_EQ(d.xLabel, c.x) << c.id << " in " << c.system;
        EXPECT_EQ(d.yLabel, c.y) << c.id << " in " << c.system;
    }
}

TEST_F(BeamMode, DescriptionRangesAndFactoredLabels)
{
    ChartDescription d;
    logic.GetChartDescription(1000, d, 1);
    EXPECT_DOUBLE_EQ(d.upperX, 20.0); // +-20 mm/m
    logic.GetChartDescription(1003, d, 1);
    EXPECT_DOUBLE_EQ(d.lowerX, -10.0); // +-10 mm
    logic.GetChartDescription(1001, d, 1);
    EXPECT_EQ(d.upperX, kUndefined);
    DisplayContext factored;
    factored.resistanceFactors = {0.65, 1.0, 1.0};
    logic.SetDisplayContext(factored);
    logic.GetChartDescription(1001, d, 1);
    EXPECT_EQ(d.yLabel, "Moment (kNm) (factored)");
    logic.GetChartDescription(4704, d, 1);
    EXPECT_EQ(d.axisLabels, 1);
    logic.GetChartDescription(4701, d, 1);
    EXPECT_EQ(d.title, "Interaction Diagram - Curvature |f");
    EXPECT_EQ(d.axisLabels, 0);
}

TEST(BeamViewRules, FireChartLabelsFollowTheUnitSystem)
{
    TQ2k_Logic logic(nullptr, nullptr);
    DisplayContext us;
    us.unitSystem = 1;
    logic.SetDisplayContext(us);
    ChartDescription d;
    logic.GetChartDescription(2110, d, 0);
    EXPECT_EQ(d.yLabel, "Temperature (Degrees F)");
    EXPECT_DOUBLE_EQ(d.upperX, 68.0); // 20 degrees C without a model
    logic.SetDisplayContext(DisplayContext{});
    logic.GetChartDescription(2111, d, 0);
    EXPECT_EQ(d.yLabel, "Temperature (Degrees C)");
    EXPECT_DOUBLE_EQ(d.upperX, 20.0);
}

TEST(BeamViewRules, StiffnessNote)
{
    // Uncracked EI 100, both curves 50: the cracked part is half as stiff, 1/(1/50 - 1/100)
    // = 100, 100 % of 100.
    EXPECT_EQ(StiffnessNote(4012, 100.0, 50.0),
              "Average Flexural Stiffness = 100 % of uncracked value");
    EXPECT_EQ(StiffnessNote(4013, 100.0, 25.0), "Average Shear Stiffness =  33% of uncracked value");
    EXPECT_EQ(StiffnessNote(4012, 80.0, 80.0), "Average Flexural Stiffness");
    EXPECT_EQ(StiffnessNote(4013, 0.0, 5.0), "Average Shear Stiffness =   0% of uncracked value");
}

TEST(BeamViewRules, FactoredThresholds)
{
    DisplayContext d;
    d.resistanceFactors = {1.0, 1.0, 1.0 - 0.0011};
    EXPECT_TRUE(ShowFactoredValuesLine(d));
    EXPECT_STREQ(FactoredValueSuffix(d), "f");
    d.resistanceFactors = {1.0, 1.0, 1.0 - 0.0009};
    EXPECT_FALSE(ShowFactoredValuesLine(d));
    EXPECT_STREQ(FactoredValueSuffix(d), "");
}

TEST(BeamChartClasses, ByGraphId)
{
    using C = BeamChartClass;
    struct Case {
        int id;
        bool full;
        C chart;
    } cases[] = {{2000, false, C::BeamDiagram}, {2101, false, C::Mohr},
                 {2106, false, C::NodeData},    {2114, false, C::ContourColour},
                 {2115, false, C::Contour3D},   {2119, false, C::VitalSigns},
                 {2122, false, C::MaterDiagram}, {4003, false, C::WideCrack},
                 {4104, false, C::Barchart},    {4105, false, C::BigChart},
                 {4599, false, C::ColourMap},   {4702, false, C::Plot3D},
                 {4703, false, C::BigChart},    {1001, false, C::BigChart},
                 {7, false, C::IconChart},      {7, true, C::BigChart},
                 {204, false, C::IconChart}};
    for (const Case& c : cases)
        EXPECT_EQ(ChartClassOfGraph(c.id, c.full), c.chart) << c.id;
}

TEST(DisplayContextTest, TakesTheProgramSettings)
{
    ValueGuard<int> units(g_UnitSystem, 2);
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, ResistanceFactors{0.65, 0.85, 0.9});
    const DisplayContext d = DisplayContext::FromSettings();
    EXPECT_EQ(d.unitSystem, 2);
    EXPECT_EQ(d.resistanceFactors, (std::array<double, 3>{0.65, 0.85, 0.9}));
}

} // namespace
