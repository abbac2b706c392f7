// The beam as an object: texts, bounded setters, copies and construction from a file.

#include "model/TBeam.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/Units.h"
#include "model/TShell.h"
#include "support/TestSupport.h"

namespace {

struct BeamTest : ::testing::Test {
    RecordingReporter reporter;
};

TEST_F(BeamTest, TitleHoldsNoUniversityAndTheFieldWidths)
{
    TBeam beam;
    const std::string longText(150, 'x');
    beam.SetModified(0);
    EXPECT_EQ(beam.SetDoneBy(longText), 1);
    EXPECT_EQ(beam.GetDoneBy(), longText.substr(0, 19));
    EXPECT_EQ(beam.IsModified(), 1);
    EXPECT_EQ(beam.SetDoneBy(longText), 0) << "the same text is no change";
    beam.SetName(longText);
    // The title line holds the university (empty), the author and the name in fields of 100.
    const std::string& title = beam.GetTitle();
    ASSERT_EQ(title.size(), 300u);
    EXPECT_EQ(title.substr(0, 100), std::string(100, ' '));
    EXPECT_EQ(title.substr(100, 19), longText.substr(0, 19));
    EXPECT_EQ(title.substr(200, 99), longText.substr(0, 99));

    // A beam keeps no university: refused with its message.
    EXPECT_EQ(beam.SetUniversity("Somewhere"), 1);
    EXPECT_EQ(beam.GetUniversity(), "");
    EXPECT_EQ(reporter.Count("Attempt to Set \"Univesity\" for beam: undefined"), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Beam Error");
}

TEST_F(BeamTest, CrackSpacingIsBoundedAndAutomaticBelowATenthOfAMillimetre)
{
    TBeam beam;
    const double rows[][2] = {{0.00005, -1.0}, {800.0, 500.0}, {0.15, 0.15}};
    for (const auto& [value, stored] : rows) {
        SCOPED_TRACE(value);
        beam.SetCrackSpacing(value, 0);
        EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(0), stored);
    }
    beam.SetCrackSpacingAuto(1, 2);
    EXPECT_EQ(beam.IsCrackSpacingAuto(1), 1) << "direction 1 names the same spacing as 2";
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(2), -1.0);
}

TEST_F(BeamTest, MomentAxisBoundsHeightsAndIgnoresATenthOfAMillimetre)
{
    const double rows[][4] = {{kUndefined, 5000.0, 1000.0, 1},
                              {0.2, 0.20005, 0.20005, 0},
                              {0.2, kUndefined, kUndefined, 1}};
    for (const auto& [start, h, stored, changed] : rows) {
        SCOPED_TRACE(h);
        TBeam beam;
        beam.SetMomentAxis(start);
        beam.SetModified(0);
        EXPECT_EQ(beam.SetMomentAxis(h), changed);
        EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), stored);
        EXPECT_EQ(beam.IsModified(), changed);
    }
}

TEST_F(BeamTest, ShapeSettersKeepTheirRanges)
{
    TBeam beam;
    EXPECT_EQ(beam.SetShapeParameter(0.5, 9), 0);
    EXPECT_EQ(beam.SetShapeParameter(2000.0, 8), 1);
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(8), 1000.0);
    beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    EXPECT_EQ(beam.ChangeRegionWidths(0, 0.1, -0.05), 1);
    EXPECT_DOUBLE_EQ(beam.GetRegion(0)->bottomWidth, 0.25);
    EXPECT_EQ(beam.ChangeRegionWidths(1, 0.1, 0.1), 0);
    EXPECT_EQ(beam.ChangeRegionWidths(-1, 0.1, 0.1), 0);
}

TEST_F(BeamTest, TimeDataChangesByMoreThanADisplayedUnit)
{
    TBeam beam;
    const double momentUnit = std::fabs(1.0 / UnitFactor(ukMoment, g_UnitSystem));
    EXPECT_EQ(beam.SetTimeData(1, 18250.0, 0.0, 0.0), 1);
    EXPECT_EQ(beam.SetTimeData(0x101, 18250.0, 0.5 * momentUnit, 0.0), 0)
        << "only the flag's low byte counts; half a unit of moment is no change";
    EXPECT_EQ(beam.SetTimeData(1, 18250.0, 2.0 * momentUnit, 0.0), 1);
}

TEST_F(BeamTest, CopyIsDeep)
{
    TBeam source;
    source.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    TDepthTable steps;
    steps.Add(0.3, 0.001);
    steps.Add(0.1, 0.0);
    source.SetStrainDiscontinuity(steps);
    source.SetTimeData(1, 400.0, -5000.0, 1000.0);
    source.Validate();

    TBeam copy(source);
    EXPECT_EQ(copy.GetGrossProperties(), source.GetGrossProperties());
    int flag = 0;
    double age = 0.0, moment = 0.0, axial = 0.0;
    copy.GetTimeData(flag, age, moment, axial);
    EXPECT_DOUBLE_EQ(moment, -5000.0);

    // Changing the copy leaves the source alone.
    const std::vector<DepthPair> sourceSteps = source.GetStrainDiscontinuityTable().Pairs();
    ASSERT_EQ(copy.GetStrainDiscontinuityTable().Pairs(), sourceSteps);
    copy.GetConcreteType(0)->fc = -50e6;
    TDepthTable other;
    other.Add(0.0, 0.002);
    copy.SetStrainDiscontinuity(other);
    EXPECT_DOUBLE_EQ(source.GetConcreteType(0)->fc, -35e6);
    EXPECT_EQ(source.GetStrainDiscontinuityTable().Pairs(), sourceSteps);
}

TEST_F(BeamTest, WithoutAFileReaderTheFileConstructorsReportFailure)
{
    const BeamFileReader previous = SetBeamFileReader(nullptr);
    const ShellFileReader previousShell = SetShellFileReader(nullptr);
    int success = -1;
    EXPECT_EQ(TBeam("anything.qvh", success).GetName(), "New Cross Section");
    EXPECT_EQ(success, 0);
    success = -1;
    EXPECT_EQ(TShell("panel.p2k", success).GetName(), "");
    EXPECT_EQ(success, 0);
    SetBeamFileReader(previous);
    SetShellFileReader(previousShell);
}

TEST_F(BeamTest, AnEmptyBeamHoldsNothingWhereANewOneHoldsItsDefaults)
{
    const TBeam empty(TBeam::Empty{});
    const TBeam fresh;
    EXPECT_EQ(empty.GetName(), "");
    EXPECT_EQ(fresh.GetName(), "New Cross Section");
    EXPECT_EQ(empty.GetConcreteTypeCount(), 0);
    EXPECT_EQ(fresh.GetConcreteTypeCount(), 1);
    EXPECT_EQ(empty.GetSteelTypeCount(), 0);
    EXPECT_EQ(fresh.GetSteelTypeCount(), 2);
    EXPECT_EQ(empty.GetRegionCount(), 0);
    EXPECT_EQ(empty.GetLongLayerCount(0) + empty.GetTransLayerCount(2), 0);
}

TEST_F(BeamTest, HoustonSetsAreWarnedAboutOnce)
{
    TBeam beam;
    EXPECT_EQ(beam.SetConcreteModelSet(6), 1);
    EXPECT_EQ(reporter.Count("Houston methods not correct in Quarvish"), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Warning!");
    EXPECT_EQ(beam.SetConcreteModelSet(15), 1);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

} // namespace
