// The member's zones through the program's own documents, member sheet and catalogue: each
// zone keeps naming its own section whatever reorders the structure table, wherever the
// member settings stand among the document's elements.

#include <string>

#include "app/CommandIds.h"
#include "dialogs/Catalog.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/QuickDefineDialogs.h"
#include "member/MemberTestSupport.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/membrane/Pv19Panel.h"

namespace {

// Where the member settings stand among the four elements of a document.
enum class Settings { First, Between, Last };
constexpr Settings kEveryPlace[] = {Settings::First, Settings::Between, Settings::Last};

class MemberZoneSectionsTest : public StartedShellTest {
protected:
    MemberZoneSectionsTest() : m_previousEngine(SetDocumentEngine(nullptr)), m_previousDialogs(SetInputDialogs(&member)) {}
    ~MemberZoneSectionsTest() override
    {
        SetInputDialogs(m_previousDialogs);
        SetDocumentEngine(m_previousEngine);
    }

    // Opens BeamA (600 mm deep), BeamB (500 mm), PV19 and PV20 with a detailed member of one
    // zone made of BeamB, as the program writes them but with the settings where asked.
    void OpenDocument(Settings where)
    {
        g_Structures[0] = membertest::RectBeam("BeamA", 0.3, 0.6);
        g_Structures[1] = membertest::RectBeam("BeamB", 0.3, 0.5);
        g_Structures[2] = MakePv19();
        g_Structures[3] = MakePv19();
        g_Structures[3]->SetName("PV20");
        SetMemberDefinitionFromSection(ProgramStructureSlots(), g_MemberDefinition, *g_Structures[1]);
        // A fourth live point: a member the quick page asks about before erasing it.
        auto& live = g_MemberDefinition.diagrams[LiveDiagram];
        live[3] = live[2];
        g_MemberDefinition.pointCount[LiveDiagram] = 4;
        const std::string file = dir.File("member.qvh");
        ASSERT_TRUE(Window().WriteDocument(file));
        std::string text = dir.Read("member.qvh");
        const std::size_t from = text.find("\t<Q2010_Analysis");
        const std::size_t to = text.find("</document>");
        ASSERT_NE(from, std::string::npos);
        const std::string settings = text.substr(from, to - from);
        text.erase(from, to - from);
        const std::size_t at = where == Settings::First     ? text.find("<document>") + 12
                               : where == Settings::Between ? text.find("\t<p3g_shell")
                                                            : text.find("</document>");
        text.insert(at, settings);
        dir.Write("member.qvh", text);
        ResetMemberDefinition(g_MemberDefinition);
        app->OpenFile(file);
        ASSERT_EQ(g_MemberDefinition.zoneCount, 1);
        ExpectZoneOnBeamB();
    }

    // The zone's section by name and by depth (a copy or a renamed section tells itself apart).
    void ExpectZoneOnBeamB(const std::string& name = "BeamB") const
    {
        const TStructure* s = StructureAt(g_MemberDefinition.zones[0].structureIndex);
        ASSERT_NE(s, nullptr) << "the zone names slot " << g_MemberDefinition.zones[0].structureIndex;
        EXPECT_EQ(s->GetName(), name);
        EXPECT_DOUBLE_EQ(s->GetHeight(), 0.5);
    }

    void SwitchTo(const std::string& name)
    {
        for (int i = 0; i < kMaxStructures && Window().GetCurrentStructure()->GetName() != name; ++i)
            Frame().Dispatch(CmId::NextElement);
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), name);
    }

    // The catalogue worked by the function, then OK.
    void Catalogue(std::function<void(plat::DialogDriver&)> work)
    {
        ui.Dialog("Catalog of Elements", [work](plat::DialogDriver& d) {
            work(d);
            d.Click(plat::DialogResult::Ok);
        });
        Frame().Dispatch(CmId::Catalog);
        EXPECT_TRUE(ui.Done());
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> saved{g_MemberDefinition, g_MemberDefinition};
    TQuickDefineDialogs quick{GetInputDialogs()};
    TMemberInputDialogs member{quick};

private:
    TDocumentEngine* m_previousEngine;
    TInputDialogs* m_previousDialogs;
};

// The quick page rebuilds the member's shape, not its section: twice over, with the table
// sorted after each OK, the zone stays on BeamB and no section is taken for gone. The
// document saved and opened again still has its member on BeamB.
TEST_F(MemberZoneSectionsTest, QuickEditsKeepTheZoneOnItsSectionWhereverTheSettingsStand)
{
    for (const Settings where : kEveryPlace) {
        SCOPED_TRACE(static_cast<int>(where));
        OpenDocument(where);
        SwitchTo("BeamB");
        for (int round = 0; round < 2; ++round) {
            SCOPED_TRACE(round);
            // The fields of a detailed member read as 0, so the shear span shrinks to nothing.
            ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
                  d.SwitchPage(0);
                  d.Type(MemberPageId::ConstantZone, "100");
                  d.Click(plat::DialogResult::Ok);
              })
                .Message("erase", MsgAnswer::Yes)
                .Message("outside of the beam length", MsgAnswer::Ok);
            Frame().Dispatch(CmId::FullMemberProperties);
            EXPECT_TRUE(ui.Done());
            ASSERT_EQ(g_MemberDefinition.zoneCount, 1);
            ExpectZoneOnBeamB();
        }
        EXPECT_EQ(ui.Count("Index Guard"), 0);
        // The member's change is the document's, wherever the sort left its first section.
        EXPECT_EQ(Window().IsModified(), 1);
        ASSERT_TRUE(app->CmFileSave());
        app->OpenFile(dir.File("member.qvh"));
        ExpectZoneOnBeamB();
        EXPECT_EQ(ui.Count("not found"), 0);
        ui.requests.clear();
    }
}

// A document without member settings has its member made of its own first beam, not of
// whatever stands in the slot the member of the document open before named.
TEST_F(MemberZoneSectionsTest, ADocumentWithoutSettingsHasItsMemberOnItsFirstBeam)
{
    g_Structures[0] = MakePv19();
    g_Structures[1] = membertest::RectBeam("BeamA", 0.3, 0.6);
    g_Structures[2] = membertest::RectBeam("BeamB", 0.3, 0.5);
    ASSERT_TRUE(Window().WriteDocument(dir.File("bare.qvh")));
    std::string text = dir.Read("bare.qvh");
    const std::size_t from = text.find("\t<Q2010_Analysis");
    ASSERT_NE(from, std::string::npos);
    text.erase(from, text.find("</document>") - from);
    dir.Write("bare.qvh", text);
    g_MemberDefinition.zones[0].structureIndex = 0;
    app->OpenFile(dir.File("bare.qvh"));
    ASSERT_EQ(g_MemberDefinition.zoneCount, 1);
    EXPECT_EQ(g_MemberDefinition.zones[0].structureIndex, 1);
    EXPECT_TRUE(ui.requests.empty());
}

// The catalogue deletes another section, copies the zone's own, and renames it when another
// section takes its name: the zone follows BeamB through each, and BeamB itself cannot go.
TEST_F(MemberZoneSectionsTest, CatalogueEditsKeepTheZoneOnItsSectionWhereverTheSettingsStand)
{
    for (const Settings where : kEveryPlace) {
        SCOPED_TRACE(static_cast<int>(where));
        OpenDocument(where);
        Catalogue([](plat::DialogDriver& d) {
            EXPECT_EQ(d.Text(CatalogId::Name), "BeamA"); // the current element
            d.Click(CatalogId::Delete);
        });
        EXPECT_EQ(ui.Count("Index Guard"), 0);
        ExpectZoneOnBeamB();

        Catalogue([](plat::DialogDriver& d) {
            EXPECT_EQ(d.Text(CatalogId::Name), "BeamB"); // after the deleted one
            d.Click(CatalogId::Copy);
            EXPECT_EQ(d.Text(CatalogId::Name), "BeamB - [Copy]");
        });
        ExpectZoneOnBeamB();

        Catalogue([this](plat::DialogDriver& d) {
            d.SelectTreeItem(CatalogId::Tree, "BeamB");
            EXPECT_EQ(d.Text(CatalogId::Name), "BeamB");
            ui.Message("in use in Full Member Response", MsgAnswer::Ok);
            d.Click(CatalogId::Delete);
        });
        ExpectZoneOnBeamB();

        // Another section with BeamB's whole title ahead of it: BeamB becomes "BeamBX".
        int copy = -1;
        for (int i = 0; i < kMaxStructures; ++i)
            if (const TStructure* s = StructureAt(i); s && s->GetName() == "BeamB - [Copy]")
                copy = i;
        const int zone = g_MemberDefinition.zones[0].structureIndex;
        ASSERT_LT(zone, copy); // sorted ahead of its copy
        g_Structures[static_cast<std::size_t>(copy)] = std::move(g_Structures[static_cast<std::size_t>(zone)]);
        g_Structures[static_cast<std::size_t>(zone)] = membertest::RectBeam("BeamB", 0.3, 0.4);
        g_MemberDefinition.zones[0].structureIndex = copy;
        Catalogue([](plat::DialogDriver&) {});
        ExpectZoneOnBeamB("BeamBX");
        EXPECT_EQ(ui.Count("Index Guard"), 0);
        ui.requests.clear();
    }
}

} // namespace
