// The small definition dialogs worked through their control ids and the scripted gateway.

#include <gtest/gtest.h>

#include "dialogs/SmallDialogs.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Application.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

namespace {

struct SmallDialogsTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<int> fileOverride{g_FileOverride, 1};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{0.65, 0.85, 0.9}};
    ScriptedUi ui;
    TBeam beam;
};

TEST_F(SmallDialogsTest, LoadsOkWritesWhatWasTypedAndCancelNothing)
{
    ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(5052), "  0.00");
        EXPECT_EQ(d.Text(5058), "kNm");
        d.Type(101, "-150");
        d.Type(5055, "10");
        d.Click(2);
    });
    Tloads cancelled(nullptr, &beam);
    EXPECT_EQ(cancelled.Execute(), plat::DialogResult::Cancel);
    double constant[3], increment[3];
    beam.GetConstantLoads(constant, 3);
    EXPECT_EQ(constant[0], 0.0);

    ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
        d.Type(101, "-150");
        d.Type(5055, "10");
        d.PressEnter();  // Enter closes without the focus leaving the edit
    });
    Tloads dialog(nullptr, &beam);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    beam.GetConstantLoads(constant, 3);
    beam.GetIncrementLoads(increment, 3);
    EXPECT_DOUBLE_EQ(constant[0], -150000.0);
    EXPECT_DOUBLE_EQ(increment[1], -10000.0);
    EXPECT_EQ(dialog.Changed(), 1);
}

TEST_F(SmallDialogsTest, GeneralTicksFollowTheTextAndTheFirstFieldHasTheWholeTextSelected)
{
    beam.SetCrackSpacing(0.2, 0);
    beam.SetName("Beam A");
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
        EXPECT_FALSE(d.Checked(101));
        EXPECT_EQ(d.Text(5042), " 200.0");
        EXPECT_TRUE(d.Checked(103));
        EXPECT_EQ(d.Text(5043), "Automatic");
        EXPECT_EQ(d.Text(5452), "mm from bottom");
        d.Type(5042, "  auto");
        EXPECT_TRUE(d.Checked(101));
        d.Click(103);  // clearing the tick writes 0.0
        EXPECT_EQ(d.Text(5043), "0.0");
        d.Type(5043, "150");
        EXPECT_FALSE(d.Checked(103));
        d.Click(5871);
        EXPECT_EQ(d.Text(5044), "0.0");
        d.Type(5044, "120");
        d.Type(5870, "EB");
        d.Click(1);
    });
    TGeneral dialog(nullptr, &beam, 1);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    EXPECT_EQ(dialog.Changed(), 1);
    EXPECT_LT(beam.GetCrackSpacing(0), 0.0);
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(2), 0.15);
    EXPECT_DOUBLE_EQ(beam.GetMomentAxis(), 0.12);
    EXPECT_EQ(beam.GetDoneBy(), "EB");
    EXPECT_EQ(beam.GetName(), "Beam A");
}

TEST_F(SmallDialogsTest, TimeDialogWithoutABeamSaysSo)
{
    ui.Message("no Beam defined", MsgAnswer::Ok).Dialog("Time Dependent Effects", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(101), "");
        d.Click(1);
    });
    TTime2 dialog(nullptr, nullptr);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    EXPECT_TRUE(ui.Done());
}

TEST_F(SmallDialogsTest, PreferencesCsaThenCancelKeepsTheStoredFactors)
{
    g_ResistanceFactors = {1.0, 1.0, 1.0};
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(5041), "1.00");
        d.Click(5046);
        EXPECT_EQ(d.Text(5044), "0.85");
        d.Click(2);
    });
    bool applied = true;
    EXPECT_FALSE(RunPreferences(nullptr, applied));
    EXPECT_FALSE(applied);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{1.0, 1.0, 1.0}));

    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5046);
        d.Click(5029);
        d.Click(1);
    });
    EXPECT_TRUE(RunPreferences(nullptr, applied));
    EXPECT_TRUE(applied);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
    EXPECT_EQ(g_UnitSystem, kUnitUS);
}

TEST_F(SmallDialogsTest, PreferencesLeaveTheFourthUnitSystemAloneWhenNoRadioIsPressed)
{
    g_UnitSystem = kUnitRoman;
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        EXPECT_TRUE(d.Checked(5030));
        d.Click(5067);
        d.Click(1);
    });
    bool applied = false;
    EXPECT_FALSE(RunPreferences(nullptr, applied));  // no factor taken
    EXPECT_TRUE(applied);
    EXPECT_EQ(g_UnitSystem, kUnitRoman);
    EXPECT_EQ(g_FileOverride, 0);
}

} // namespace
