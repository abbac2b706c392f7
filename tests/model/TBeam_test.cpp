// The beam as an object: the default section, texts, bounded setters, the write guard,
// copies and construction from a file.

#include "model/TBeam.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/Units.h"
#include "model/DefaultAuthor.h"
#include "model/MaterialTypes.h"
#include "model/QuickDefineFlag.h"
#include "model/SectionShape.h"
#include "support/TestSupport.h"

namespace {

struct BeamTest : ::testing::Test {
    RecordingReporter reporter;
};

TEST_F(BeamTest, NewBeamTakesTheDefaultAuthorAndStartsQuickDefinition)
{
    ValueGuard<std::string> author(g_DefaultDoneBy, "A. Engineer");
    SetQuickDefineNew(0);
    const TBeam beam;
    EXPECT_EQ(beam.GetDoneBy(), "A. Engineer");
    EXPECT_EQ(GetQuickDefineNew(), 1);
}

TEST_F(BeamTest, TextFieldsKeepTheirFieldWidths)
{
    TBeam beam;
    const std::string longText(150, 'x');
    struct Row {
        const char* field;
        int (TBeam::*set)(const std::string&);
        std::string (TBeam::*get)() const;
        std::size_t kept;
    };
    const Row rows[] = {{"name", &TBeam::SetName, &TBeam::GetName, 99},
                        {"doneBy", &TBeam::SetDoneBy, &TBeam::GetDoneBy, 19},
                        {"date", &TBeam::SetDate, &TBeam::GetDate, 10}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        beam.SetModified(0);
        EXPECT_EQ((beam.*row.set)(longText), 1);
        EXPECT_EQ((beam.*row.get)(), longText.substr(0, row.kept));
        EXPECT_EQ(beam.IsModified(), 1);
        EXPECT_EQ((beam.*row.set)(longText), 0) << "the same text is no change";
    }
    // The title line holds the university (empty), the author and the name in fields of 100.
    const std::string& title = beam.GetTitle();
    ASSERT_EQ(title.size(), 300u);
    EXPECT_EQ(title.substr(0, 100), std::string(100, ' '));
    EXPECT_EQ(title.substr(100, 19), longText.substr(0, 19));
    EXPECT_EQ(title.substr(200, 99), longText.substr(0, 99));
    beam.SetShapeName(longText);
    EXPECT_EQ(beam.GetShapeName().size(), 19u);

    // A beam keeps no university: refused with its message.
    EXPECT_EQ(beam.SetUniversity("Somewhere"), 1);
    EXPECT_EQ(beam.GetUniversity(), "");
    EXPECT_EQ(reporter.Count("Attempt to Set \"Univesity\" for beam: undefined"), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Beam Error");
}

TEST_F(BeamTest, CrackSpacingIsBoundedAndAutomaticBelowATenthOfAMillimetre)
{
    TBeam beam;
    struct Row {
        double value;
        int direction;
        double stored;
    };
    const Row rows[] = {{0.00005, 0, -1.0}, {800.0, 0, 500.0}, {0.15, 0, 0.15}, {0.2, 2, 0.2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        beam.SetCrackSpacing(row.value, row.direction);
        EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(row.direction), row.stored);
    }
    EXPECT_EQ(beam.IsCrackSpacingAuto(0), 0);
    EXPECT_EQ(beam.SetCrackSpacing(0.15, 0), 0) << "no change";
    beam.SetCrackSpacingAuto(1, 2);
    EXPECT_EQ(beam.IsCrackSpacingAuto(1), 1) << "direction 1 names the same spacing as 2";
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(2), -1.0);
}

TEST_F(BeamTest, MomentAxisKeepsCentroidalAndBoundsHeights)
{
    struct Row {
        double start;
        double h;
        double stored;
        int changed;
    };
    const Row rows[] = {{kUndefined, 2e30, 2e30, 0}, // still centroidal
                        {kUndefined, 5000.0, 1000.0, 1},
                        {kUndefined, -5000.0, -1000.0, 1},
                        {0.2, 0.20005, 0.20005, 0}, // within 0.0001: no change
                        {0.2, 0.3, 0.3, 1},
                        {0.2, kUndefined, kUndefined, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.h);
        TBeam beam;
        beam.SetMomentAxis(row.start);
        beam.SetModified(0);
        EXPECT_EQ(beam.SetMomentAxis(row.h), row.changed);
        EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), row.stored);
        EXPECT_EQ(beam.IsModified(), row.changed);
    }
}

TEST_F(BeamTest, ShapeSettersKeepTheirRanges)
{
    TBeam beam;
    EXPECT_EQ(beam.SetShapeParameter(0.5, 0), 0);
    EXPECT_EQ(beam.SetShapeParameter(0.5, 9), 0);
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(9), kUndefined);
    EXPECT_EQ(beam.SetShapeParameter(2000.0, 8), 1);
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(8), 1000.0);
    EXPECT_EQ(beam.SetShapeParameter(-3.0, 1), 0) << "0 stored already";

    beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    EXPECT_EQ(beam.ChangeRegionWidths(0, 0.1, -0.05), 1);
    EXPECT_DOUBLE_EQ(beam.GetRegion(0)->topWidth, 0.4);
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
    EXPECT_EQ(beam.SetTimeData(1, 18251.0, 2.0 * momentUnit, 0.0), 1);
}

TEST_F(BeamTest, FrozenBeamRefusesItsWriters)
{
    TBeam beam;
    beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    beam.SetModified(0);
    beam.SetFrozen(1);
    TDepthTable steps;
    steps.Add(0.1, 0.001);
    EXPECT_EQ(beam.SetName("Other"), 0);
    EXPECT_EQ(beam.SetMomentAxis(0.1), 0);
    EXPECT_EQ(beam.ChangeRegionWidths(0, 0.1, 0.1), 0);
    EXPECT_EQ(beam.SetStrainDiscontinuity(steps), 0);
    EXPECT_EQ(beam.Validate(), 0);
    EXPECT_EQ(reporter.Count("Attempt to write to frozen beam!"), 5);
    EXPECT_EQ(beam.GetName(), "New Cross Section");
    EXPECT_DOUBLE_EQ(beam.GetRegion(0)->topWidth, 0.3);
    EXPECT_EQ(beam.GetStrainDiscontinuityTable().GetCount(), 0);
    EXPECT_EQ(beam.IsModified(), 0);
    beam.SetFrozen(0);
    EXPECT_EQ(beam.SetName("Other"), 1);
}

TEST_F(BeamTest, CopyIsDeep)
{
    TBeam source;
    source.SetName("Source");
    source.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    source.AddLongLayer(LongLayerRec{}, 0);
    TDepthTable steps;
    steps.Add(0.3, 0.001);
    steps.Add(0.1, 0.0);
    source.SetStrainDiscontinuity(steps);
    source.SetTimeData(1, 400.0, -5000.0, 1000.0);
    TMemberQuickDef quick;
    quick.L = 2.5f;
    source.SetStoredValues(quick);
    source.Validate();

    TBeam copy(source);
    EXPECT_EQ(copy.GetTitle(), source.GetTitle());
    EXPECT_EQ(copy.GetGrossProperties(), source.GetGrossProperties());
    EXPECT_EQ(copy.GetCriticalRhoTable().Pairs(), source.GetCriticalRhoTable().Pairs());
    TMemberQuickDef copied;
    copy.GetStoredValues(copied);
    EXPECT_EQ(copied, quick);
    int flag = 0;
    double age = 0.0, moment = 0.0, axial = 0.0;
    copy.GetTimeData(flag, age, moment, axial);
    EXPECT_DOUBLE_EQ(moment, -5000.0);

    // Changing the copy leaves the source alone.
    const std::vector<DepthPair> sourceSteps = source.GetStrainDiscontinuityTable().Pairs();
    const LongLayerRec sourceLayer = *source.GetLongLayer(0, 0);
    ASSERT_EQ(copy.GetStrainDiscontinuityTable().Pairs(), sourceSteps);
    ASSERT_EQ(*copy.GetLongLayer(0, 0), sourceLayer);
    copy.ChangeRegionWidths(0, 0.1, 0.1);
    copy.GetLongLayer(0, 0)->A = 1.0;
    copy.GetConcreteType(0)->fc = -50e6;
    TDepthTable other;
    other.Add(0.0, 0.002);
    copy.SetStrainDiscontinuity(other);
    EXPECT_DOUBLE_EQ(source.GetRegion(0)->topWidth, 0.3);
    EXPECT_EQ(*source.GetLongLayer(0, 0), sourceLayer);
    EXPECT_DOUBLE_EQ(source.GetConcreteType(0)->fc, -35e6);
    EXPECT_EQ(source.GetStrainDiscontinuityTable().Pairs(), sourceSteps);
}

TEST_F(BeamTest, WithoutAFileReaderTheFileConstructorReportsFailure)
{
    const BeamFileReader previous = SetBeamFileReader(nullptr);
    int success = -1;
    EXPECT_EQ(TBeam("anything.qvh", success).GetName(), "New Cross Section");
    EXPECT_EQ(success, 0);
    SetBeamFileReader(previous);
}

TEST_F(BeamTest, UnknownDirectionAndHoustonSetsAreReported)
{
    TBeam beam;
    beam.SetLongLayerCount(2, 1);
    EXPECT_EQ(beam.GetLongLayerCount(0), 2) << "a beam counts x whatever the direction";
    EXPECT_EQ(beam.GetLongLayerCount(5), 0);
    EXPECT_TRUE(reporter.Saw("No such direction"));

    reporter.Clear();
    EXPECT_EQ(beam.SetConcreteModelSet(6), 1);
    EXPECT_EQ(reporter.Count("Houston methods not correct in Quarvish"), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Warning!");
    EXPECT_EQ(beam.SetConcreteModelSet(15), 1);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

} // namespace
