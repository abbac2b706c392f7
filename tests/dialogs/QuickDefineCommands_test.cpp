// The quick-define wizard and the element catalogue behind the program's commands: from the
// started window through the wizard to a built section, and the member's zones still on their
// sections after the catalogue sorted the table and closed up a deleted slot.

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
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

// The section as the program stores it, to tell whether anything in it changed.
std::string StoredText(TStructure& s)
{
    TDocumentEngine* test = SetDocumentEngine(nullptr);
    std::string text;
    EXPECT_TRUE(GetDocumentEngine().WriteHeader(text));
    EXPECT_TRUE(GetDocumentEngine().WriteStructure(text, s));
    SetDocumentEngine(test);
    return text;
}

// A new user on the started window presses Return on every page: the section is built and the
// response can be solved.
TEST_F(QuickDefineCommandsTest, ReturnOnEveryPageBuildsTheSection)
{
    EXPECT_FALSE(Frame().IsMenuItemEnabled(CmId::SectionalResponse));
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        for (int page = 0; page < 4; ++page)
            d.Key(plat::VKey::Return);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_NEAR(Current().GetHeight(), 0.6, 1e-9);
    EXPECT_GT(Current().GetLongLayerCount(0), 0);
    EXPECT_TRUE(Frame().IsMenuItemEnabled(CmId::SectionalResponse));
}

// Escape, from any page, leaves the section exactly as it was: the blank start-up section, and
// a defined one that the wizard was asked to change.
TEST_F(QuickDefineCommandsTest, EscapeLeavesTheSectionAsItWas)
{
    const std::string blank = StoredText(Current());
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(QuickId::Title, "Not this");
        d.Key(plat::VKey::Return);
        d.Key(plat::VKey::Return);
        d.Key(plat::VKey::Escape);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
    EXPECT_EQ(StoredText(Current()), blank);
    EXPECT_FALSE(Frame().IsMenuItemEnabled(CmId::SectionalResponse));

    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(QuickId::Title, "Defined");
        for (int page = 0; page < 4; ++page)
            d.Key(plat::VKey::Return);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
    const std::string defined = StoredText(Current());
    ASSERT_NE(defined, blank);

    ui.Message("create a new section", MsgAnswer::No)
        .Message("limited capability", MsgAnswer::Ok)
        .Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            d.Type(QuickId::Title, "Changed");
            d.Key(plat::VKey::Return);
            d.Type(QuickId::Dims[1], "900");
            d.Key(plat::VKey::Return);
            d.Key(plat::VKey::Escape);
            EXPECT_TRUE(d.Ended());
        });
    EXPECT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(StoredText(Current()), defined);
    EXPECT_TRUE(Frame().IsMenuItemEnabled(CmId::SectionalResponse));
}

} // namespace
