// The program's member and fire commands with the member dialogs installed: the post-fire
// parameters reach the current section and OK runs the thermal analysis (through its test
// seam), Cancel runs nothing; "Full Member Properties" edits the program's member definition.

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/TFire.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"

namespace {

class ProgramMemberDialogsTest : public StartedShellTest {
protected:
    ProgramMemberDialogsTest() : m_previous(SetInputDialogs(&dialogs))
    {
        m_runner = SetThermalRunner([this](TStructure* s, TStructureSlots&) {
            runs.push_back(s);
            return -1; // nothing stored: the window stays on the section
        });
    }
    ~ProgramMemberDialogsTest() override
    {
        SetThermalRunner(m_runner);
        SetInputDialogs(m_previous);
    }

    TStructure& Current() { return *g_Structures[static_cast<std::size_t>(g_CurrentStructure)]; }

    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, g_MemberDefinition};
    TMemberInputDialogs dialogs{GetInputDialogs()};
    std::vector<TStructure*> runs;

private:
    TInputDialogs* m_previous;
    ThermalRunner m_runner;
};

TEST_F(ProgramMemberDialogsTest, FireDamagedBeamRunsTheThermalAnalysisOnlyOnOk)
{
    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Cancel); });
    EXPECT_TRUE(Window().EvCommand(CmId::FireDamagedBeam, 0, 0));
    EXPECT_TRUE(runs.empty());

    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) {
        d.Type(FireId::Minutes, "120");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::FireDamagedBeam, 0, 0));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], &Current());
    int exposure = 0, type = 0, rebar = 0;
    double time = 0, temperature = 0;
    Current().GetFireData(exposure, type, rebar, time, temperature);
    EXPECT_EQ(time, 7200.0);
    EXPECT_TRUE(ui.Done());
}

TEST_F(ProgramMemberDialogsTest, FullMemberPropertiesEditsTheProgramsMember)
{
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Type(MemberPageId::Length, "3000");
        d.Click(plat::DialogResult::Ok);
    }).Message("right-side vertical roller", MsgAnswer::Ok); // its support moves to the new end
    g_Structures[0]->SetModified(0);
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_DOUBLE_EQ(g_MemberDefinition.length, 3.0);
    EXPECT_DOUBLE_EQ(g_MemberDefinition.rightPlateLocation, 3.0);
    EXPECT_TRUE(g_Structures[0]->IsModified()); // the document carries the member
    EXPECT_TRUE(ui.Done());
}

} // namespace
