// The program's definition commands with the material and reinforcement dialogs installed:
// the sheets open from the menu commands on the current section and what they write reaches
// it; the other dialogs still answer as before.

#include <cmath>

#include "app/CommandIds.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/ValueListDialog.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class ProgramDialogsTest : public StartedShellTest {
protected:
    ProgramDialogsTest() : m_previous(SetInputDialogs(&dialogs)) {}
    ~ProgramDialogsTest() override { SetInputDialogs(m_previous); }

    TStructure& Current() { return *g_Structures[static_cast<std::size_t>(g_CurrentStructure)]; }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TMaterialReinforcementDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

TEST_F(ProgramDialogsTest, TendonCommandStoresATendonInTheCurrentSection) {
    Current().AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    ui.Dialog("Define Tendons", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.PageTitle(), "Define Tendon Layers");
        EXPECT_EQ(d.Text(DetailsId::Labels[2]), "Strand Designation");
        d.Type(DetailsId::Name, "Strand");
        d.Type(DetailsId::Field0, "2");
        d.Type(DetailsId::Field0 + 2, "s13");
        d.Type(DetailsId::Field0 + 3, "6.5");
        d.Type(DetailsId::Field0 + 4, "100");
        d.Type(DetailsId::Field0 + 5, "10");
        d.Click(DetailsId::Add);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::Tendons, 0, 0));
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(Current().GetLongLayerCount(0), 1);
    const LongLayerRec& tendon = *Current().GetLongLayer(0, 0);
    EXPECT_DOUBLE_EQ(tendon.dep, 0.0065);
    EXPECT_DOUBLE_EQ(tendon.drape, 0.1);
    EXPECT_DOUBLE_EQ(tendon.A, 2 * 99e-6);
}

TEST_F(ProgramDialogsTest, MaterialPropertiesCommandWritesTheBasicStrength) {
    ui.Dialog("Materials Page", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.PageTitle(), "Basic Properties");
        d.Type(BasicPropertiesId::Rebar, "500");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::MaterialProperties, 0, 0));
    EXPECT_TRUE(ui.Done());
    ASSERT_GE(Current().GetSteelTypeCount(), 1);
    EXPECT_DOUBLE_EQ(Current().GetSteelType(0)->fy, 500e6);
    EXPECT_EQ(Current().GetSteelType(0)->kind, SteelKind::Reinforcing);
}

TEST_F(ProgramDialogsTest, DefineDataCancelledWritesNothingAndOtherDialogsStillAnswerCancel) {
    ui.Dialog("Define Data", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "5 6 7");
        d.Click(plat::DialogResult::Cancel);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::PageAction403, 0, 0));
    EXPECT_EQ(Current().GetValueList(0), nullptr);
    // The loads dialog is not one of these: it opens nothing and answers Cancel.
    EXPECT_EQ(dialogs.Loads(Window(), Current()), DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
}

// The hint under the box says that Ctrl+Enter starts a new line: it does, with the main
// keyboard's Enter and with the keypad's, and the dialog stays open; Enter alone does too.
// "6", Ctrl+Enter, "7", Ctrl+keypad Enter, "8", Enter, "9" and OK give four values.
TEST_F(ProgramDialogsTest, DefineDataCtrlEnterStartsANewLineAsItsHintSays) {
    std::string typed;
    ui.Dialog("Define Data", [&typed](plat::DialogDriver& d) {
        d.Select(DefineDataId::List, 3);
        d.Type(DefineDataId::Text, "");
        d.Chars("6");
        d.Key(plat::VKey::Return, plat::DialogDriver::ControlHeld);
        d.Chars("7");
        d.Key(plat::VKey::Return, plat::DialogDriver::ControlHeld | plat::DialogDriver::OnKeypad);
        ASSERT_FALSE(d.Ended());
        d.Chars("8");
        d.Key(plat::VKey::Return);
        ASSERT_FALSE(d.Ended());
        d.Chars("9");
        typed = d.Text(DefineDataId::Text);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::PageAction403, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(typed, "6\r\n7\r\n8\r\n9");
    const TdoubleArray* list = Current().GetValueList(3);
    ASSERT_NE(list, nullptr);
    std::vector<double> mm;
    for (int i = 0; i < list->GetCount(); ++i)
        mm.push_back(std::round(list->At(i) * 1e6) / 1e3);
    EXPECT_EQ(mm, (std::vector<double>{6, 7, 8, 9}));
}

} // namespace
