// Typed values that are not finite or lie outside their field's range, in the small dialogs:
// refused at OK with a message naming the field and its range, the field selected, nothing
// stored.

#include <gtest/gtest.h>

#include "dialogs/SmallDialogs.h"
#include "dialogs/TFire.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Application.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/dialogs/TypedInputSupport.h"

namespace {

struct TypedInputTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{0.65, 0.85, 0.9}};
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    TBeam beam;
};

TEST_F(TypedInputTest, LoadsRefuseWhatIsNotAFiniteLoadAndStoreNothing)
{
    const double constant[3] = {-150e3, 2e3, 10e3};
    beam.SetConstantLoads(constant, 3);
    beam.SetModified(0);
    std::vector<TypedField> fields = {{101, "Constant Axial Load"},     {5052, "Constant Moment"},
                                      {5053, "Constant Shear"},        {5054, "Increment of Axial Load"},
                                      {5055, "Increment of Moment"},   {5056, "Increment of Shear"}};
    fields[0].refused.push_back("1000001");  // past a million kN
    ScriptRefusals(ui, "Define Loading", fields);
    Tloads dialog(nullptr, &beam);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count("Constant Axial Load must be a number from -1000000 to 1000000 kN."), 5);
    double now[3] = {};
    beam.GetConstantLoads(now, 3);
    EXPECT_EQ(now[0], -150e3);
    EXPECT_EQ(now[2], 10e3);
    EXPECT_EQ(beam.IsModified(), 0);

    // An empty field still reads as 0, as it always has.
    ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
        d.Type(101, "");
        d.Click(1);
    });
    Tloads ok(nullptr, &beam);
    EXPECT_EQ(ok.Execute(), plat::DialogResult::Ok);
    beam.GetConstantLoads(now, 3);
    EXPECT_EQ(now[0], 0.0);
}

TEST_F(TypedInputTest, GeneralRefusesSpacingsAndAxisThatAreNotNumbers)
{
    beam.SetCrackSpacing(0.2, 0);
    beam.SetCrackSpacing(0.3, 2);
    beam.SetMomentAxis(0.1);
    beam.SetName("Kept");
    ScriptRefusals(ui, "General  Definitions",
                   {{5042, "Longitudinal Crack Spacing", {"nan", "inf", "-inf", "1e999"}},
                    {5043, "Transverse Crack Spacing", {"nan", "inf", "-inf", "1e999"}},
                    {5044, "Moment Axis", {"nan", "inf", "-inf", "1e999"}}});
    TGeneral dialog(nullptr, &beam);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(0), 0.2);
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(2), 0.3);
    EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), 0.1);

    // A name typed beside a refused axis is not stored either; a large finite axis is held to
    // 1000 m by the beam.
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
          d.Type(5032, "Changed");
          d.Type(5044, "nan");
          d.Click(1);
          EXPECT_FALSE(d.Ended());
          d.Type(5044, "2000000");
          d.Click(1);
      }).Message("Moment Axis must be a number (values are kept within -1000000 to 1000000 mm).", MsgAnswer::Ok);
    TGeneral held(nullptr, &beam);
    EXPECT_EQ(held.Execute(), plat::DialogResult::Ok);
    EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), 1000.0);
    EXPECT_EQ(beam.GetName(), "Changed");
}

TEST_F(TypedInputTest, TimeRefusesAnAgeOfNanAndLoadsPastTheRange)
{
    beam.SetTimeData(1, 3650.0, 1e3, 2e3);
    std::vector<TypedField> fields = {{101, "Age for analysis"}, {103, "Sustained Moment"}, {108, "Sustained Axial Load"}};
    fields[0].refused.push_back("-1");
    fields[0].refused.push_back("1001");
    ScriptRefusals(ui, "Time Dependent Effects", fields);
    TTime2 dialog(nullptr, &beam);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count("Age for analysis must be a number from 0 to 1000 years."), 6);
    int flag = 0;
    double days = 0, moment = 0, axial = 0;
    beam.GetTimeData(flag, days, moment, axial);
    EXPECT_EQ(days, 3650.0);
    EXPECT_EQ(axial, 2e3);

    // An empty age stores 0 days.
    ui.Dialog("Time Dependent Effects", [](plat::DialogDriver& d) {
        d.Type(101, "");
        d.Click(1);
    });
    TTime2 ok(nullptr, &beam);
    EXPECT_EQ(ok.Execute(), plat::DialogResult::Ok);
    beam.GetTimeData(flag, days, moment, axial);
    EXPECT_EQ(days, 0.0);
}

TEST_F(TypedInputTest, FireRefusesATimeOrTemperatureThatIsNoNumberAndKeepsTheSettings)
{
    beam.SetFireData(7, 2, 0, 1800.0, 800.0);
    // A finite time outside 5 min .. 10 h is corrected (below); one that is no number is refused.
    std::vector<TypedField> fields = {{FireId::Minutes, "Exposure Time", {"nan", "inf", "-inf"}},
                                      {FireId::Temperature, "Constant Temperature"}};
    fields[1].refused.push_back("2001");
    fields[1].refused.push_back("-5");
    ScriptRefusals(ui, "Post-fire analysis parameters", fields);
    TFire dialog(nullptr, &beam);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count("Exposure Time must be a number (values are kept within 5 to 600 min)."), 3);
    EXPECT_EQ(ui.Count("Constant Temperature must be a number from 0 to 2000 degrees C."), 6);
    int exposure = 0, type = 0, rebar = 0;
    double time = 0, temperature = 0;
    beam.GetFireData(exposure, type, rebar, time, temperature);
    EXPECT_EQ(time, 1800.0);
    EXPECT_EQ(temperature, 800.0);

    // A finite time outside 5 min .. 10 h is still corrected with its own message.
    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) {
          d.Type(FireId::Minutes, "1e300");
          d.Click(1);
      }).Message("Maximum fire exposure is 10 hours. Resetting to that value.", MsgAnswer::Ok);
    TFire corrected(nullptr, &beam);
    EXPECT_EQ(corrected.Execute(), plat::DialogResult::Ok);
    beam.GetFireData(exposure, type, rebar, time, temperature);
    EXPECT_EQ(time, 36000.0);
}

TEST_F(TypedInputTest, PreferencesRefuseAFactorThatIsNoNumber)
{
    ui.Dialog("Preferences", [](plat::DialogDriver& d) {
          d.Type(5044, "nan");
          d.Click(1);
          EXPECT_FALSE(d.Ended());
          EXPECT_EQ(d.FocusedId(), 5044);
          d.Click(2);
      }).Message("Steel Factor must be a number (values are kept within 0.01 to 10).", MsgAnswer::Ok);
    bool applied = true;
    EXPECT_FALSE(RunPreferences(nullptr, applied));
    EXPECT_FALSE(applied);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
}

} // namespace
