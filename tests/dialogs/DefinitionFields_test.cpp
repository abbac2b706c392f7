// The loads, general definitions, long-term settings and preferences as their dialogs show
// and apply them, in two unit systems, checked against hand conversions.

#include <gtest/gtest.h>

#include "dialogs/DefinitionFields.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

namespace {

struct FieldsTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<int> fileOverride{g_FileOverride, 1};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    RecordingReporter reporter;
    TBeam beam;
};

TEST_F(FieldsTest, LoadsAreShownInTheUnitSystemWithTheMomentSignTurned)
{
    const double constant[3] = {250000.0, -1000.0, -0.0};
    const double increment[3] = {0.0, 20000.0, 1000.0};
    beam.SetConstantLoads(constant, 3);
    beam.SetIncrementLoads(increment, 3);

    LoadFields si = ShowLoads(beam);
    EXPECT_EQ(si.values, (std::array<std::string, 6>{"250.00", "  1.00", "  0.00", "  0.00", "-20.00", "  1.00"}));
    EXPECT_EQ(si.units, (std::array<std::string, 3>{"kN", "kNm", "kN"}));

    g_UnitSystem = kUnitUS;
    // 250 kN = 250000 x 0.2248089e-3 kips; -1000 N m = 0.737562 kip-ft.
    LoadFields us = ShowLoads(beam);
    EXPECT_EQ(us.values[0], " 56.20");
    EXPECT_EQ(us.values[1], "  0.74");
    EXPECT_EQ(us.units[1], "kip-ft");
}

TEST_F(FieldsTest, TypedLoadsAreStoredInSIAndAnEmptyFieldReadsAsZero)
{
    const double before[3] = {5.0, 5.0, 5.0};
    beam.SetConstantLoads(before, 3);
    // A word is no load: nothing is stored until it is corrected.
    EXPECT_EQ(ApplyLoads(beam, {"100", "2", "", "abc", "-3", "0.5"}), 0);
    EXPECT_EQ(CheckLoads({"100", "2", "", "abc", "-3", "0.5"}).field, 3);
    double kept[3];
    beam.GetConstantLoads(kept, 3);
    EXPECT_EQ(kept[0], 5.0);
    EXPECT_EQ(ApplyLoads(beam, {"100", "2", "", "", "-3", "0.5"}), 1);
    double constant[3], increment[3];
    beam.GetConstantLoads(constant, 3);
    beam.GetIncrementLoads(increment, 3);
    EXPECT_DOUBLE_EQ(constant[0], 100000.0);
    EXPECT_DOUBLE_EQ(constant[1], -2000.0);  // 2 kNm shown is a stored -2000 N m
    EXPECT_DOUBLE_EQ(constant[2], 0.0);
    EXPECT_DOUBLE_EQ(increment[0], 0.0);
    EXPECT_DOUBLE_EQ(increment[1], 3000.0);
    EXPECT_DOUBLE_EQ(increment[2], 500.0);
    EXPECT_EQ(ApplyLoads(beam, ShowLoads(beam).values), 0) << "what is shown writes back unchanged";

    g_UnitSystem = kUnitUS;
    ApplyLoads(beam, {"1", "0", "0", "0", "0", "0"});
    beam.GetConstantLoads(constant, 3);
    EXPECT_NEAR(constant[0], 1.0 / 0.0002248089, 1e-6);  // one kip
}

TEST_F(FieldsTest, GeneralShowsAutomaticSpacingAndTheCentroidalAxis)
{
    beam.SetCrackSpacing(-1.0, 0);
    beam.SetCrackSpacing(0.3, 2);
    beam.SetMomentAxis(0.25);
    GeneralFields f = ShowGeneral(beam);
    EXPECT_TRUE(f.longitudinalAuto);
    EXPECT_EQ(f.longitudinal, "Automatic");
    EXPECT_FALSE(f.transverseAuto);
    EXPECT_EQ(f.transverse, " 300.0");
    EXPECT_FALSE(f.centroidal);
    EXPECT_EQ(f.axis, " 250.0");
    EXPECT_EQ(f.axisLabel, "mm from bottom");

    g_UnitSystem = kUnitOldMetric;
    beam.SetMomentAxis(3.1415626e31);
    f = ShowGeneral(beam);
    EXPECT_EQ(f.transverse, "  30.0");  // cm
    EXPECT_TRUE(f.centroidal);
    EXPECT_EQ(f.axis, "Centroid");
    EXPECT_EQ(f.axisLabel, "cm from bottom");
}

TEST_F(FieldsTest, OnlyTheFirstFourLettersNameAutomaticSpacing)
{
    for (const char* text : {"auto", "Automatically", " \tAUTOx", "AuTo"})
        EXPECT_TRUE(IsAutomaticText(text)) << text;
    for (const char* text : {"aut", "0", "x auto", ""})
        EXPECT_FALSE(IsAutomaticText(text)) << text;
}

TEST_F(FieldsTest, GeneralAppliesSpacingsAndClampsTheMomentAxis)
{
    GeneralFields f = ShowGeneral(beam);
    f.name = "T-beam";
    f.author = "EB";
    f.longitudinalAuto = false;
    f.longitudinal = "0";  // a spacing of 0 is automatic
    f.transverseAuto = false;
    f.transverse = "250";
    f.centroidal = false;
    f.axis = "2000000";  // mm: held to 1000 m
    EXPECT_EQ(ApplyGeneral(beam, f), 1);
    EXPECT_EQ(beam.GetName(), "T-beam");
    EXPECT_EQ(beam.GetDoneBy(), "EB");
    EXPECT_LT(beam.GetCrackSpacing(0), 0.0);
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(2), 0.25);
    EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), 1000.0);
    EXPECT_EQ(ApplyGeneral(beam, ShowGeneral(beam)), 0);

    g_UnitSystem = kUnitUS;
    f = ShowGeneral(beam);
    f.axis = "10";
    f.centroidal = true;  // the tick wins over the text
    ApplyGeneral(beam, f);
    EXPECT_GT(beam.GetMomentAxis(), 1e30);
    f.centroidal = false;
    ApplyGeneral(beam, f);
    EXPECT_NEAR(beam.GetMomentAxis(), 10 / 39.37008, 1e-12);
}

TEST_F(FieldsTest, AgeIsShownInYearsAndStoredInDays)
{
    TimeFields f = ShowTime(&beam);
    int flag = 0;
    double days = 0, moment = 0, axial = 0;
    beam.GetTimeData(flag, days, moment, axial);
    ASSERT_DOUBLE_EQ(days, 18250.0);
    EXPECT_EQ(f.years, " 50.0");
    EXPECT_EQ(f.moment, "  0.0");

    f.consider = true;
    f.years = "0.5";
    f.moment = "100";  // kNm shown: stored -100000 N m
    f.axial = "-20";
    EXPECT_EQ(ApplyTime(beam, f), 1);
    beam.GetTimeData(flag, days, moment, axial);
    EXPECT_EQ(flag, 1);
    EXPECT_DOUBLE_EQ(days, 182.5);
    EXPECT_DOUBLE_EQ(moment, -100000.0);
    EXPECT_DOUBLE_EQ(axial, -20000.0);

    g_UnitSystem = kUnitUS;
    f = ShowTime(&beam);
    EXPECT_EQ(f.years, "  0.5");
    EXPECT_EQ(f.moment, " 73.8");  // 100 kNm = 73.76 kip-ft
    EXPECT_EQ(f.momentUnit, "kip-ft");
    f.years = "";
    ApplyTime(beam, f);
    beam.GetTimeData(flag, days, moment, axial);
    EXPECT_DOUBLE_EQ(days, 0.0);
}

TEST_F(FieldsTest, PreferencesTakeOnlyFactorsThatMovedAndClampThem)
{
    g_ResistanceFactors = {0.65, 0.85, 0.9};
    PreferenceFields f = ShowPreferences();
    EXPECT_EQ(f.factors, (std::array<std::string, 3>{"0.65", "0.85", "0.90"}));
    EXPECT_EQ(f.unitRadio, 0);
    EXPECT_TRUE(f.fileOverride);

    f.factors = {"0.655", "0.85", "0.9"};  // within 0.01: nothing taken
    EXPECT_FALSE(ApplyPreferences(f));
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));

    f.factors = {"0", "25", "0.9"};
    EXPECT_TRUE(ApplyPreferences(f));
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.01, 10.0, 0.9}));

    f.factors = NoFactorTexts();
    EXPECT_TRUE(ApplyPreferences(f));
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{1.0, 1.0, 1.0}));
    EXPECT_EQ(CsaFactorTexts(), (std::array<std::string, 3>{"0.65", "0.85", "0.90"}));
}

TEST_F(FieldsTest, TheUnitSystemChangesOnlyWhenARadioWasPressed)
{
    g_UnitSystem = kUnitRoman;
    PreferenceFields f = ShowPreferences();
    EXPECT_EQ(f.unitRadio, 2);  // the kg/cm radio stands for the fourth system
    ApplyPreferences(f);
    EXPECT_EQ(g_UnitSystem, kUnitRoman);

    f.unitRadio = 1;
    f.unitPressed = true;
    f.fileOverride = false;
    ApplyPreferences(f);
    EXPECT_EQ(g_UnitSystem, kUnitUS);
    EXPECT_EQ(g_FileOverride, 0);
    f.unitRadio = 2;
    ApplyPreferences(f);
    EXPECT_EQ(g_UnitSystem, kUnitOldMetric);
}

} // namespace
