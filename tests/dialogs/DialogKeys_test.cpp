// Return and Escape, pressed on the keyboard, in every dialog and sheet the definition commands
// open: Escape ends each with Cancel and leaves the section as it was; Return ends each with OK
// (the default button) wherever the keyboard is when it opens.

#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class DialogKeysTest : public StartedShellTest {
protected:
    DialogKeysTest() : m_previous(SetInputDialogs(&member)) {}
    ~DialogKeysTest() override
    {
        SetInputDialogs(m_previous);
        g_MemberDefinition = savedMember;
        g_QuickDefData = TQuickDefData{};
    }

    TStructure& Current() { return *g_Structures[static_cast<std::size_t>(g_CurrentStructure)]; }

    // The section and member as the program stores them.
    std::string Stored()
    {
        TDocumentEngine* test = SetDocumentEngine(nullptr);
        std::string text;
        EXPECT_TRUE(GetDocumentEngine().WriteHeader(text));
        EXPECT_TRUE(GetDocumentEngine().WriteStructure(text, Current()));
        EXPECT_TRUE(GetDocumentEngine().WriteAnalysisSettings(text));
        SetDocumentEngine(test);
        return text;
    }

    void Define()
    {
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            for (int page = 0; page < 4; ++page)
                d.Key(plat::VKey::Return);
        });
        ASSERT_TRUE(Window().EvCommand(CmId::QuickDefine, 0, 0));
        ASSERT_TRUE(ui.Done());
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TMemberDefinition savedMember = g_MemberDefinition;
    TSectionInputDialogs section{GetInputDialogs()};
    TMaterialReinforcementDialogs materials{section};
    TQuickDefineDialogs quick{materials};
    TMemberInputDialogs member{quick};

private:
    TInputDialogs* m_previous;
};

struct Opened {
    std::string caption;
    bool ended = false;
    int result = 0;
};

const int kCommands[] = {CmId::EditGeneral,
                         CmId::MaterialProperties,
                         CmId::ConcreteSection,
                         CmId::TransverseReinforcement,
                         CmId::LongitudinalReinforcement,
                         CmId::Tendons,
                         CmId::SectionalLoads,
                         CmId::TimeDependentEffects,
                         CmId::ThermalShrinkageStrains,
                         CmId::StrainDiscontinuity,
                         CmId::FullMemberProperties,
                         CmId::PageAction403,
                         CmId::Preferences,
                         CmId::Catalog,
                         CmId::FireDamagedBeam};

TEST_F(DialogKeysTest, EscapeCancelsEveryDialogAndChangesNothing)
{
    Define();
    for (const int id : kCommands) {
        const std::string before = Stored();
        Opened seen;
        ui.Dialog("", [&seen](plat::DialogDriver& d) {
            seen.caption = static_cast<plat::Dialog&>(d.GetWindow()).GetCaption();
            d.Key(plat::VKey::Escape);
            seen.ended = d.Ended();
            seen.result = d.Result();
        });
        EXPECT_TRUE(Window().EvCommand(id, 0, 0)) << id;
        EXPECT_TRUE(ui.Done()) << id;
        EXPECT_TRUE(seen.ended) << seen.caption;
        EXPECT_EQ(seen.result, plat::DialogResult::Cancel) << seen.caption;
        EXPECT_EQ(Stored(), before) << seen.caption;
    }
}

TEST_F(DialogKeysTest, ReturnEndsEveryDialogWithOk)
{
    Define();
    for (const int id : kCommands) {
        Opened seen;
        ui.Dialog("", [&seen](plat::DialogDriver& d) {
            seen.caption = static_cast<plat::Dialog&>(d.GetWindow()).GetCaption();
            d.Key(plat::VKey::Return);
            seen.ended = d.Ended();
            seen.result = d.Result();
        });
        EXPECT_TRUE(Window().EvCommand(id, 0, 0)) << id;
        EXPECT_TRUE(ui.Done()) << id;
        EXPECT_TRUE(seen.ended) << seen.caption;
        EXPECT_EQ(seen.result, plat::DialogResult::Ok) << seen.caption;
    }
}

} // namespace
