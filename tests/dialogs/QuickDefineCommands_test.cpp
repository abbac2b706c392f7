// The quick-define wizard and the element catalogue behind the program's commands: from the
// started window through the wizard to a built section, and the member's zones still on their
// sections after the catalogue sorted the table and closed up a deleted slot.

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "app/CommandIds.h"
#include "dialogs/Catalog.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/QuickDefineWizard.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class QuickDefineCommandsTest : public StartedShellTest {
protected:
    QuickDefineCommandsTest() : m_previous(SetInputDialogs(&dialogs)) {}
    ~QuickDefineCommandsTest() override
    {
        SetInputDialogs(m_previous);
        g_MemberDefinition = savedMember;
        g_QuickDefData = TQuickDefData{};
    }

    TStructure& Current() { return *g_Structures[static_cast<std::size_t>(g_CurrentStructure)]; }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TQuickDefineDialogs dialogs{GetInputDialogs()};
    TMemberDefinition savedMember = g_MemberDefinition;

private:
    TInputDialogs* m_previous;
};

TEST_F(QuickDefineCommandsTest, WizardBuildsTheCurrentSectionReadyForAResponse)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(QuickId::Title, "First beam");
        d.Next();
        d.Next();
        d.Next();
        d.Finish();
    });
    EXPECT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
    EXPECT_TRUE(ui.Done());
    TStructure& s = Current();
    EXPECT_EQ(s.GetName(), "First beam");
    EXPECT_NEAR(s.GetHeight(), 0.6, 1e-9);
    EXPECT_GT(s.GetLongLayerCount(0), 0);
    EXPECT_EQ(s.GetTransLayerCount(2), 1);
    TFullSectionalResponse response(static_cast<TBeam*>(&s));
    RunToFinish(response, 5000);
    EXPECT_EQ(response.IsRunning(), 0);
    EXPECT_NE(response.GetPeakState(), nullptr);
}

TEST_F(QuickDefineCommandsTest, CatalogueKeepsTheMemberOnItsSections)
{
    const char* names[] = {"Zeta", "Alpha", "Mid"};
    for (int i = 0; i < 3; ++i) {
        g_Structures[static_cast<std::size_t>(i)] = std::make_unique<TBeam>();
        g_Structures[static_cast<std::size_t>(i)]->SetName(names[i]);
    }
    g_CurrentStructure = g_CurrentAnalysis = 0;
    g_MemberDefinition.zoneCount = 2;
    g_MemberDefinition.zones[0] = {0.0, 0}; // Zeta
    g_MemberDefinition.zones[1] = {1.0, 2}; // Mid
    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) {
        d.SelectTreeItem(CatalogId::Tree, "Alpha");
        d.Click(CatalogId::Delete);
        // The element after the deleted one becomes current.
        EXPECT_EQ(d.Text(CatalogId::Name), "Mid");
        d.Click(1);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::Catalog, 0, 0));
    EXPECT_TRUE(ui.Done());
    // Sorted and closed up: Mid in slot 0, Zeta in slot 1.
    EXPECT_EQ(g_Structures[0]->GetName(), "Mid");
    EXPECT_EQ(g_Structures[1]->GetName(), "Zeta");
    EXPECT_EQ(g_Structures[2], nullptr);
    EXPECT_EQ(Current().GetName(), "Mid");
    EXPECT_EQ(g_Structures[static_cast<std::size_t>(g_MemberDefinition.zones[0].structureIndex)]->GetName(), "Zeta");
    EXPECT_EQ(g_Structures[static_cast<std::size_t>(g_MemberDefinition.zones[1].structureIndex)]->GetName(), "Mid");
}

} // namespace
