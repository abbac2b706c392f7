// The imposed strains as the strain dialog edits them: the profile's ends, the spacing and
// elevation checks by mode and unit system, the group "Set", the chart points and the
// write-back, on a 500 mm high section.

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/StrainProfile.h"
#include "foundation/ChartPointSink.h"
#include "foundation/Units.h"
#include "model/StructureFixtures.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

struct RecordingSink final : ChartPointSink {
    void AddPoint(double x, double y) override { points.emplace_back(x, y); }
    std::vector<std::pair<double, double>> points;
};

struct StrainProfileTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    TBeam beam;

    StrainProfileTest()
    {
        beam.DeleteRegions();
        beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
        beam.DeleteLongLayers(0);
        beam.DeleteTransLayers(2);
        LongLayerRec bars = fixtures::Layer(0.05, 3, 0.02, "Bottom bars");
        bars.thermStrain = 0.0002;
        LongLayerRec strand = fixtures::Layer(0.1, 2, 0.0127, "Strand");
        strand.dep = 0.006;
        strand.thermStrain = 0.0004;
        beam.AddLongLayer(bars, 0);
        beam.AddLongLayer(strand, 0);
        beam.AddTransLayer(fixtures::Stirrup(0.03, 0.47, 0.01, 0.2, 1.57e-4), 2);
    }
    double Bottom() const { return beam.GetBottom(); }
};

TEST_F(StrainProfileTest, AnEmptyProfileReachesFromTheBottomToTheTop)
{
    ASSERT_NEAR(beam.GetHeight(), 0.5, kTol);
    TStrainProfile p(beam, 0);
    EXPECT_EQ(p.Rows(), (std::vector<std::string>{"   500       0.000", "     0       0.000"}));
    p.Add("250.5", "-0.3");
    EXPECT_EQ(p.Rows()[1], " 250.5      -0.300");
    std::string e, s;
    p.RowFields(1, e, s);
    EXPECT_EQ(e, "250.5");
    EXPECT_EQ(s, "-0.300");

    g_UnitSystem = kUnitOldMetric;
    EXPECT_EQ(p.Rows()[0], "  50.0       0.000");
    EXPECT_EQ(p.Rows()[1], " 25.05      -0.300");
    g_UnitSystem = kUnitUS;
    EXPECT_EQ(p.Rows()[0], " 19.69       0.000");
}

TEST_F(StrainProfileTest, SpacingDependsOnTheModeAndTheUnitSystem)
{
    TStrainProfile shrink(beam, 0);  // 500 mm / 200 = 2.5 mm
    shrink.Rows();
    shrink.Add("250", "0.1");
    shrink.Add("252", "0.1");
    EXPECT_EQ(reporter.Count("Value less than  2.50 mm from another value.  Use modify button to change an existing "
                             "value"),
              1);
    EXPECT_EQ(reporter.messages.back().caption, "Information");
    shrink.Add("253", "0.1");
    EXPECT_EQ(shrink.Profile().GetCount(), 4);

    TStrainProfile step(beam, 1);  // 1 mm
    step.Rows();
    step.Add("250", "0.1");
    step.Add("250.9", "0.1");
    EXPECT_TRUE(reporter.Saw("Value less than  1.00 mm from another value."));
    step.Add("251.5", "0.1");
    EXPECT_EQ(step.Profile().GetCount(), 4);

    g_UnitSystem = kUnitUS;  // 0.1 in
    reporter.Clear();
    step.Add("9.95", "0.1");  // 0.3 mm below the point at 10 in? no: 9.84 in holds 250 mm
    step.Add("9.90", "0.1");
    EXPECT_TRUE(reporter.Saw("Value less than  0.10 in from another value."));
}

TEST_F(StrainProfileTest, ElevationsAboveTheTopOrBelowTheBottomAreRefused)
{
    TStrainProfile p(beam, 0);
    p.Rows();
    p.SelectRow(0);
    p.Modify("500.04", "1");  // rounds to the top: accepted on the top row
    EXPECT_NEAR(p.Profile().GetValue(0), 0.001, kTol);
    EXPECT_TRUE(reporter.messages.empty());
    p.Add("500.1", "1");
    p.Add("-1", "1");
    EXPECT_EQ(reporter.Count("Value specified outside cross section.  Not added"), 2);
    EXPECT_EQ(p.Profile().GetCount(), 2);
    EXPECT_TRUE(p.Changed());  // every button press counts as an edit
}

TEST_F(StrainProfileTest, SetOnAGroupChangesOnlyItsLayersAndGroupsShowAverages)
{
    TStrainProfile p(beam, 0);
    EXPECT_EQ(p.ReinforcementItems(), (std::vector<std::string>{"All Longitudinal", "All Non-Prestressed",
                                                                 "All Prestressed Reinforcement", "R - Bottom bars",
                                                                 "P - Strand", "S - S"}));
    EXPECT_EQ(p.ReinforcementStrain(0), "0.300");  // (0.2 + 0.4) / 2 mm/m
    EXPECT_EQ(p.ReinforcementStrain(2), "0.400");
    p.Set(1, "-0.5");  // "All Non-Prestressed"
    EXPECT_NEAR(p.Reinforcement().GetValue(0), -0.0005, kTol);
    EXPECT_NEAR(p.Reinforcement().GetValue(1), 0.0004, kTol);
    EXPECT_NEAR(p.Reinforcement().GetValue(2), 0.0, kTol);
    p.Set(0, "0.1");  // every longitudinal layer, never a stirrup
    EXPECT_NEAR(p.Reinforcement().GetValue(1), 0.0001, kTol);
    EXPECT_NEAR(p.Reinforcement().GetValue(2), 0.0, kTol);
    p.Set(5, "0.7");  // the stirrup, chosen by itself
    EXPECT_EQ(p.ReinforcementStrain(5), "0.700");

    p.Rows();
    p.Write();
    EXPECT_NEAR(beam.GetLongLayer(0, 0)->thermStrain, 0.0001, kTol);
    EXPECT_NEAR(beam.GetTransLayer(0, 2)->thermStrain, 0.0007, kTol);
    const TDepthTable& stored = beam.GetPositionVariable(kShrinkTherm);
    ASSERT_EQ(stored.GetCount(), 2);
    EXPECT_NEAR(stored.GetDepth(0), Bottom() + 0.5, kTol);  // absolute elevations again
    EXPECT_NEAR(stored.GetDepth(1), Bottom(), kTol);
}

TEST_F(StrainProfileTest, TheChartShowsLayerMarkersThenTheProfileOverTheHeight)
{
    TStrainProfile p(beam, 0);
    p.Rows();
    p.SelectRow(1);
    p.Modify("0", "-0.4");  // a linear profile from -0.4 mm/m at the bottom to 0 at the top
    RecordingSink sink;
    int profileStart = -1;
    p.FillChart(sink, [&] { profileStart = static_cast<int>(sink.points.size()); });
    ASSERT_EQ(sink.points.size(), 4u + 101u);
    EXPECT_EQ(sink.points[0].second, kChartMarkers);
    EXPECT_NEAR(sink.points[1].first, 0.2, kTol);  // bars: 0.2 mm/m at 50 mm
    EXPECT_NEAR(sink.points[1].second, 50.0, 1e-9);
    EXPECT_NEAR(sink.points[2].second, 100.0, 1e-9);
    EXPECT_TRUE(IsChartSeparator(sink.points[3].first));
    EXPECT_EQ(profileStart, 4);
    EXPECT_NEAR(sink.points[4 + 50].second, 250.0, 1e-9);
    EXPECT_NEAR(sink.points[4 + 50].first, -0.2, 1e-9);
    EXPECT_NEAR(sink.points[4 + 100].second, 500.0, 1e-9);

    // The readout: the elevation in hundredths of the height; 0 for a section without height.
    p.Add("125", "0");
    p.SelectRow(1);
    EXPECT_EQ(p.ReadoutIndex(1), 25);
    TStrainProfile step(beam, 1);
    step.Rows();
    EXPECT_EQ(step.ReadoutIndex(1), 1);
    beam.DeleteRegions();
    beam.UpdateExtents();
    TStrainProfile flat(beam, 0);
    flat.Rows();
    EXPECT_EQ(flat.ReadoutIndex(0), 0);
}

TEST_F(StrainProfileTest, TheDiscontinuityIsWrittenToTheBeam)
{
    TStrainProfile p(beam, 1);
    p.Rows();
    p.Add("300", "1.5");
    p.Write();
    const TDepthTable& stored = beam.GetStrainDiscontinuityTable();
    ASSERT_EQ(stored.GetCount(), 3);
    EXPECT_NEAR(stored.GetDepth(1), Bottom() + 0.3, kTol);
    EXPECT_NEAR(stored.GetValue(1), 0.0015, kTol);
}

} // namespace

TEST_F(StrainProfileTest, TypedValuesThatAreNoNumberOrPastTheirRangeAreRefused)
{
    TStrainProfile p(beam, 0);
    const std::vector<std::string> rows = p.Rows();
    for (const char* text : {"nan", "inf", "-inf", "1e300"}) {
        p.Add(text, "-0.3");
        p.Add("250", text);
        p.SelectRow(0);
        p.Modify("500", text);
    }
    EXPECT_EQ(reporter.Count("Elevation must be a number from -100000 to 100000 mm."), 4);
    EXPECT_EQ(reporter.Count("Strain must be a number from -1000 to 1000 mm/m."), 8);
    EXPECT_EQ(p.Rows(), rows);
}
