// Text that holds no number, or a number followed by other text (a decimal comma, a unit), typed
// into the program's dialogs opened from their menu commands on a prestressed girder: each is
// refused with the message of its field's range, the dialog stays with the field selected, and
// nothing is stored (the section saves as before, the preferences and the member definition are
// as they were). An empty field and the word a page fills in itself keep their reading.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/QuickDefineWizard.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/TShrink.h"
#include "dialogs/ValueListDialog.h"
#include "member/MemberTestSupport.h"
#include "member/TMemberDefinition.h"
#include "model/materials/MaterialTypes.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/SavedAndRead.h"
#include "tests/views/PrestressedSection.h"

namespace {

constexpr int kOk = plat::DialogResult::Ok, kCancel = plat::DialogResult::Cancel;
constexpr int kNext = -2;  // the wizard's Next

struct Road {
    const char* name;
    const char* caption;
    int command;
    int field;
    std::vector<std::string> texts;
    int press;                                   // the button that reads the field
    const char* message;                         // the refusal's opening
    std::vector<std::pair<int, std::string>> typedFirst = {};  // other fields typed before
    const char* question = nullptr;              // asked first and answered Yes
    int page = -1;                               // the sheet's page to turn to first
    int rows = 0;                                // a list whose lines must stay as they were
};

std::vector<Road> Roads()
{
    const std::vector<std::string> noNumbers = {"abc", "0,5", "5mm"};
    return {
        {"preferences", "Preferences", CmId::Preferences, 5041, {"abc", "0,9"}, kOk,
         "Concrete Factor must be a number (values are kept within 0.01 to 10)."},
        {"loads", "Define Loading", CmId::SectionalLoads, 5056, {"0,5", "abc", "5kN"}, kOk,
         "Increment of Shear must be a number from -1000000 to 1000000 kN."},
        {"reinforcement strain", "Shrinkage and Thermal Strains", CmId::ThermalShrinkageStrains,
         ShrinkId::ReinforcementStrain, {"0,4", "abc"}, ShrinkId::Set, "Strain must be a number from -1000 to 1000 mm/m."},
        {"profile row", "Shrinkage and Thermal Strains", CmId::ThermalShrinkageStrains, ShrinkId::Strain,
         {"0,4", "-0.3mm/m"}, ShrinkId::Add, "Strain must be a number from -1000 to 1000 mm/m.",
         {{ShrinkId::Elevation, "300"}}, nullptr, -1, ShrinkId::Rows},
        {"discontinuity row", "Strain Discontinuity", CmId::StrainDiscontinuity, ShrinkId::Elevation, {"300 mm"},
         ShrinkId::Add, "Elevation must be a number from", {{ShrinkId::Strain, "0.3"}}, nullptr, -1, ShrinkId::Rows},
        {"number of bars", "Define Longitudinal Reinforcement", CmId::LongitudinalReinforcement, DetailsId::Field0,
         noNumbers, kOk, "Number of Bars must be a number from 0 to 10000.", {}, "Changes were not saved"},
        {"basic strength", "Materials Page", CmId::MaterialProperties, BasicPropertiesId::Rebar, noNumbers, kOk,
         "Reinforcement Yield Strength must be a number from 0 to 10000 MPa."},
        {"time", "Time Dependent Effects", CmId::TimeDependentEffects, 101, {"10 years"}, kOk,
         "Age for analysis must be a number from 0 to 1000 years."},
        {"length subjected to shear", "Full Member Properties", CmId::FullMemberProperties, MemberPageId::ShearLength,
         noNumbers, kOk, "Shear Span must be a number from 0 to 1000000 mm.", {}, nullptr, 0},
        {"member length", "Full Member Properties", CmId::FullMemberProperties, MemberPageId::Length, {"3 m"}, kOk,
         "Length must be a number", {}, nullptr, 1},
        {"value list", "Define Data", CmId::PageAction403, DefineDataId::Text, {"6 7 8mm"}, kOk,
         "Value 3 of the list, \"8mm\", must be a number."},
        {"quick define strength", "Define Beam Section", CmId::QuickDefine, QuickId::Fc, noNumbers, kNext,
         "Concrete Strength must be a number"},
    };
}

class TextThatIsNoNumberTest : public StartedShellTest {
protected:
    TextThatIsNoNumberTest() : m_previous(&GetInputDialogs())
    {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
        m_quick = std::make_unique<TQuickDefineDialogs>(GetInputDialogs());
        SetInputDialogs(m_quick.get());
    }
    ~TextThatIsNoNumberTest() override
    {
        SetInputDialogs(m_previous);
        g_MemberDefinition = m_member;
        g_QuickDefData = TQuickDefData{};
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, g_ResistanceFactors};

private:
    TInputDialogs* m_previous;
    std::unique_ptr<TQuickDefineDialogs> m_quick;
    TMemberDefinition m_member = g_MemberDefinition;
};

TEST_F(TextThatIsNoNumberTest, EveryDialogRefusesItAndStoresNothing)
{
    const auto slot = static_cast<std::size_t>(g_CurrentStructure);
    g_Structures[slot] = SavedAndRead(*MakePrestressedGirder());
    g_Structures[slot]->SetModified(0);
    Window().RefreshStructureViews(1);
    TStructure& s = *g_Structures[slot];
    SetMemberDefinitionFromSection(ProgramStructureSlots(), g_MemberDefinition, s);
    const std::string section = SavedText(s);
    const TMemberDefinition member = g_MemberDefinition;
    const ResistanceFactors factorsBefore = g_ResistanceFactors;

    for (const Road& road : Roads()) {
        SCOPED_TRACE(road.name);
        std::vector<std::string> linesBefore, linesAfter;
        ui.Dialog(road.caption, [&](plat::DialogDriver& d) {
            if (road.page >= 0)
                d.SwitchPage(road.page);
            for (const auto& [id, text] : road.typedFirst)
                d.Type(id, text);
            if (road.rows)
                linesBefore = d.Items(road.rows);
            for (const std::string& text : road.texts) {
                d.Type(road.field, text);
                road.press == kNext ? d.Next() : d.Click(road.press);
                EXPECT_FALSE(d.Ended()) << text;
                EXPECT_EQ(d.FocusedId(), road.field) << text;
                EXPECT_EQ(d.SelectedText(road.field), text);
            }
            if (road.rows)
                linesAfter = d.Items(road.rows);
            // A button that edits a list ends with OK: what the dialog writes is checked below.
            d.Click(road.press == kOk || road.press == kNext ? kCancel : kOk);
        });
        for (std::size_t k = 0; k < road.texts.size(); ++k) {
            if (road.question)
                ui.Message(road.question, MsgAnswer::Yes);
            ui.Message(road.message, MsgAnswer::Ok);
        }
        EXPECT_TRUE(Window().EvCommand(road.command, 0, 0));
        EXPECT_TRUE(ui.Done());
        ASSERT_EQ(g_Structures[slot].get(), &s);
        EXPECT_EQ(linesAfter, linesBefore);
        EXPECT_TRUE(SavedText(s) == section);
        EXPECT_EQ(g_ResistanceFactors, factorsBefore);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, member), 1);
    }
}

// An empty factor still reads as 0, which the program holds to its floor of 0.01.
TEST_F(TextThatIsNoNumberTest, AnEmptyFactorStillReadsAsZero)
{
    const double steel = g_ResistanceFactors.phi_s;
    ui.Dialog("Preferences", [](plat::DialogDriver& d) {
        d.Type(5041, "");
        d.Click(kOk);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::Preferences, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(g_ResistanceFactors.phi_c, 0.01);
    EXPECT_EQ(g_ResistanceFactors.phi_s, steel);
}

// The quick page of a member it cannot show as values says "Detailed" in four fields; a span
// typed beside them rebuilds the member (after the one question) with the others read as 0, and
// OK takes it: 0.2 m of support plates and a 2000 mm span, no constant-moment zone.
TEST(QuickPageDetailedWord, ReadsAsZeroBesideATypedSpan)
{
    plat::EnsureGuiRuntime();
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    membertest::DefaultMember m;
    QuickFields q;
    q.shearLength = "1800";
    q.constantZone = "500";
    q.momentRatio = q.axialLoad = "0";
    q.yieldPenetration = "0.022";
    int confirm = 0;
    ApplyQuickFields(m.slots, q, m.d, confirm);
    m.d.diagrams[0][3] = {m.d.length, 1.0, 0};
    m.d.diagrams[0][4] = {m.d.length, 2.0, 0};
    m.d.pointCount[0] = 5;
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
          d.SwitchPage(0);
          EXPECT_EQ(d.Text(MemberPageId::ConstantZone), "Detailed");
          d.Type(MemberPageId::ShearLength, "2000");
          d.Click(kOk);
          EXPECT_TRUE(d.Ended());
      }).Message("will erase the detailed full member properties", MsgAnswer::Yes);
    int result = 0;
    EditMemberProperties(nullptr, m.d, m.slots, &result);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(result, kOk);
    EXPECT_NEAR(m.d.length, 0.2 + 2.0, 1e-6);
}

} // namespace
