// Documents written and read through the shell with the program's own XML engine.

#include "app/CommandIds.h"
#include "foundation/StrFormat.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"
#include "support/TestSupport.h"
#include "tests/app/RealDocumentShell.h"

namespace {
// Uses the program's document engine instead of the fixture's; the member definition is given
// back as found.
class RealDocumentTest : public StartedShellTest {
protected:
    RealDocumentTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~RealDocumentTest() override { SetDocumentEngine(m_previous); }

private:
    TDocumentEngine* m_previous;
    ValueGuard<TMemberDefinition> m_member{g_MemberDefinition, TMemberDefinition{}};
};

// Two sections, "Girder" in slot 0 and "Column" in slot 1, and a member over them: the first
// 1.5 m of Girder, the rest of Column.
void DefineTwoZoneMember() {
    g_Structures[0]->SetName("Girder");
    g_Structures[1] = std::make_unique<TBeam>();
    g_Structures[1]->SetName("Column");
    DefineOneZoneMember(g_MemberDefinition);
    g_MemberDefinition.zoneCount = 2;
    g_MemberDefinition.zones[1] = {1.5, 1};
}
} // namespace

TEST_F(RealDocumentTest, EmptySlotsLeaveNoTraceAndStructuresComeBackRenumbered) {
    g_Structures[0]->SetName("Girder");
    g_Structures[3] = std::make_unique<TBeam>();
    g_Structures[3]->SetName("Column");
    const std::string file = dir.File("pair.qvh");
    ui.File(plat::FileDialogKind::Save, file);
    ASSERT_TRUE(app->CmFileSaveAs());
    const std::string text = dir.Read("pair.qvh");
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"", 0), 0u);
    EXPECT_NE(text.find("<q3g_beam"), std::string::npos);
    EXPECT_NE(text.find("Column"), std::string::npos);
    EXPECT_EQ(Window().IsModified(), 0);

    app->OpenFile(file);
    ASSERT_NE(StructureAt(0), nullptr);
    ASSERT_NE(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(2), nullptr);
    EXPECT_EQ(StructureAt(0)->GetKind(), kKindBeam);
    EXPECT_EQ(StructureAt(0)->GetName(), "Girder");
    EXPECT_EQ(StructureAt(1)->GetName(), "Column");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  pair  -  Girder");

    // Saving the document read back gives the same bytes.
    ASSERT_TRUE(app->CmFileSave());
    EXPECT_EQ(dir.Read("pair.qvh"), text);
}

TEST_F(RealDocumentTest, TheXmlEditorShowsTheDocumentAndTakesAnEditedName) {
    g_Structures[0]->SetName("Before");
    ui.DataView([](std::string& text) {
        const std::size_t at = text.find("Before");
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            text.replace(at, 6, "After");
        return true;
    });
    // The member's zone still names the old section, which the edited document no longer has.
    ui.Message("Beam Analysis Type Before not found", MsgAnswer::Ok);
    Frame().Dispatch(10000);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "After");
    EXPECT_EQ(Window().IsModified(), 1);
}

TEST_F(RealDocumentTest, TheMemberDefinitionTravelsWithTheDocument) {
    DefineTwoZoneMember();
    const TMemberDefinition saved = g_MemberDefinition;
    const std::string file = dir.File("member.qvh");
    ui.File(plat::FileDialogKind::Save, file);
    ASSERT_TRUE(app->CmFileSaveAs());
    EXPECT_NE(dir.Read("member.qvh").find("\"Girder\""), std::string::npos);

    ResetMemberDefinition(g_MemberDefinition);
    app->OpenFile(file);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, saved), 1);
}

// A member of no zones is saved with an empty zone element, and it reads back with none,
// whatever the document open before had: a document of sections, whose first section would
// otherwise give the member a zone, and one of membrane elements alone, which would keep the
// zones of the document before. Saved again, each gives the same bytes.
TEST_F(RealDocumentTest, AMemberOfNoZonesReadsBackWithNone) {
    DefineTwoZoneMember();
    const std::string zones = dir.File("zones.qvh");
    ASSERT_TRUE(Window().WriteDocument(zones));

    g_MemberDefinition.zoneCount = 0;
    const TMemberDefinition none = g_MemberDefinition;
    ASSERT_TRUE(Window().WriteDocument(dir.File("sections.qvh")));
    g_Structures[0] = std::make_unique<TShell>(1);  // an example element, with its materials
    g_Structures[0]->SetName("Panel");
    g_Structures[1].reset();
    ASSERT_TRUE(Window().WriteDocument(dir.File("panels.qvh")));

    for (const char* name : {"sections.qvh", "panels.qvh"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.File(name);
        const std::string text = dir.Read(name);
        const std::size_t at = text.find("<mattypes");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(text.substr(at, text.find('>', at) + 1 - at), "<mattypes\t\t/>");

        app->OpenFile(zones);
        ASSERT_EQ(g_MemberDefinition.zoneCount, 2);
        app->OpenFile(file);
        EXPECT_EQ(app->GetFileName(), file);
        EXPECT_EQ(g_MemberDefinition.zoneCount, 0);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, none), 1);
        ASSERT_TRUE(app->CmFileSave());
        EXPECT_EQ(dir.Read(name), text);
    }
    EXPECT_EQ(ui.requests.size(), 0u);
}

TEST_F(RealDocumentTest, ADocumentCutInsideAValueGivesOneMessage) {
    g_Structures[0]->SetName("Girder");
    g_Structures[1] = std::make_unique<TBeam>();
    g_Structures[1]->SetName("Column");
    const std::string file = dir.File("cut.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    EXPECT_EQ(OpenCutInside("cut.qvh", "Girder").caption, "End of File!");
    EXPECT_EQ(ui.requests.size(), 1u);
}

// An element of the vocabulary that a beam does not take (a membrane element's loads) refuses
// the document with one message naming the element and the component; the document open
// before stays, as for any refused document. Without attributes to refuse, the element is
// passed over as before and the document reads.
TEST_F(RealDocumentTest, AnElementTheComponentDoesNotTakeIsNamedOnce) {
    g_Structures[0]->SetName("Girder");
    const std::string file = dir.File("foreign.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    const std::string text = dir.Read("foreign.qvh");
    const std::size_t at = text.find("</q3g_beam>");
    ASSERT_NE(at, std::string::npos);
    const auto open = [&](const std::string& element) {
        dir.Write("foreign.qvh", text.substr(0, at) + element + "\r\n\t" + text.substr(at));
        ui.File(plat::FileDialogKind::Open, file);
    };

    open("<sectloading_shell BNxx=\"1\"/>");
    ui.Message("Element \"sectloading_shell\" does not belong in \"q3g_beam\".", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    ASSERT_EQ(ui.requests.size(), 2u);  // the file dialog and the one message
    EXPECT_EQ(ui.requests.back().caption, "Error in XML file");
    EXPECT_EQ(app->GetFileName(), "Newbeam");
    ASSERT_NE(StructureAt(0), nullptr);
    EXPECT_EQ(StructureAt(0)->GetKind(), kKindBeam);

    open("<sectloading_shell/>");
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_EQ(ui.requests.size(), 3u);
    EXPECT_EQ(app->GetFileName(), file);
    EXPECT_EQ(StructureAt(0)->GetName(), "Girder");
    EXPECT_TRUE(ui.Done());
}

// A foreign element inside the member settings (a section's concrete, an element of no
// vocabulary) refuses the document with one message naming the element, where it stands and
// the file; the document open before stays, as for any refused document, with its member and
// no check of the settings read half-way. Without attributes the element reads silently.
TEST_F(RealDocumentTest, AnElementTheMemberSettingsDoNotTakeIsNamedOnce) {
    DefineTwoZoneMember();
    const std::string file = dir.File("member-foreign.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    const std::string text = dir.Read("member-foreign.qvh");
    // The element is the settings' first child: the member's length is read, its supports not.
    const std::size_t root = text.find("<Q2010_Analysis");
    ASSERT_NE(root, std::string::npos);
    const std::size_t at = text.find("\r\n", text.find('>', root)) + 2;
    const TMemberDefinition before = g_MemberDefinition;

    struct Row {
        const char* element;
        const char* message;  // empty: read without a word
    };
    const Row rows[] = {
        {"<concrete\tfcp\t\t=\"30.0\"\t/>",
         "Element \"concrete\" does not belong in \"Q2010_Analysis\". Reading stopped at attribute \"fcp\" of "
         "\"concrete\"."},
        {"<sectloading_shell BNxx=\"1\"/>",
         "Element \"sectloading_shell\" does not belong in \"Q2010_Analysis\". Reading stopped at attribute "
         "\"BNxx\" of \"sectloading_shell\"."},
        {"<gauge reading=\"1\"/>",
         "Unknown element \"gauge\" in \"Q2010_Analysis\". Reading stopped at attribute \"reading\" of "
         "\"gauge\"."},
        {"<concrete/>", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.element);
        dir.Write("member-foreign.qvh", text.substr(0, at) + "\t\t" + row.element + "\r\n" + text.substr(at));
        ui.requests.clear();
        const bool refused = *row.message != 0;
        if (refused)
            ui.Message(row.message, MsgAnswer::Ok);
        app->OpenFile(file);
        ASSERT_EQ(ui.requests.size(), refused ? 1u : 0u);
        EXPECT_TRUE(ui.Done());
        if (refused) {
            EXPECT_EQ(ui.requests[0].caption, "Error in XML file");
            EXPECT_EQ(ui.requests[0].text, std::string(row.message) + "\n\nFile: " + file);
            EXPECT_EQ(app->GetFileName(), "Newbeam");
            ASSERT_NE(StructureAt(1), nullptr);
            EXPECT_EQ(StructureAt(1)->GetName(), "Column");
            EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, before), 1);
        } else {
            EXPECT_EQ(app->GetFileName(), file);
            ASSERT_NE(StructureAt(1), nullptr);
            EXPECT_EQ(StructureAt(1)->GetName(), "Column");
            EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, before), 1);
        }
    }
}

// An element of no vocabulary among the member settings, wherever it stands (here behind the
// last support, a hand-written gauge reading), is named with the element it stands in: File >
// Open shows one box naming the element, "Q2010_Analysis" and the file.
TEST_F(RealDocumentTest, AnUnknownElementInTheMemberSettingsIsNamedWhereItStands) {
    DefineTwoZoneMember();
    const std::string file = dir.File("gauge.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    const std::string text = dir.Read("gauge.qvh");
    const std::size_t at = text.find("</Q2010_Analysis>");
    ASSERT_NE(at, std::string::npos);
    dir.Write("gauge.qvh", text.substr(0, at) + "<gauge reading=\"1\"/>\r\n\t" + text.substr(at));

    ui.File(plat::FileDialogKind::Open, file);
    ui.Message("gauge", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    ASSERT_EQ(ui.requests.size(), 2u);  // the file dialog and the one box
    EXPECT_TRUE(ui.Done());
    const UiRequest& box = ui.requests.back();
    EXPECT_EQ(box.caption, "Error in XML file");
    EXPECT_NE(box.text.find("\"gauge\""), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("in \"Q2010_Analysis\""), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("File: " + file), std::string::npos) << box.text;
    EXPECT_EQ(app->GetFileName(), "Newbeam");
}

// Member zones name their sections; they find them among the sections of the same document
// whether the member element follows or precedes them. No "not found" message may appear.
TEST_F(RealDocumentTest, MemberZonesFindTheSectionsOfTheirOwnDocumentWhenOpened) {
    DefineTwoZoneMember();
    const std::string file = dir.File("zones.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    const std::string text = dir.Read("zones.qvh");

    // The member element first: the sections become components 1 and 2.
    const std::size_t from = text.find("\t<Q2010_Analysis");
    const std::size_t to = text.find("</document>");
    ASSERT_NE(from, std::string::npos);
    std::string first = text;
    first.erase(from, to - from);
    first.insert(first.find("<document>") + 12, text.substr(from, to - from));
    dir.Write("first.qvh", first);

    struct Row {
        const char* file;
        int girder, column;
    };
    for (const Row& row : {Row{"zones.qvh", 0, 1}, Row{"first.qvh", 1, 2}}) {
        SCOPED_TRACE(row.file);
        // Another document with other sections is open before.
        g_Structures[0]->SetName("Other");
        ResetMemberDefinition(g_MemberDefinition);
        app->OpenFile(dir.File(row.file));
        ASSERT_NE(StructureAt(row.column), nullptr);
        EXPECT_EQ(StructureAt(row.column)->GetName(), "Column");
        ASSERT_EQ(g_MemberDefinition.zoneCount, 2);
        EXPECT_EQ(g_MemberDefinition.zones[0].structureIndex, row.girder);
        EXPECT_EQ(g_MemberDefinition.zones[1].structureIndex, row.column);
    }
    EXPECT_TRUE(ui.requests.empty());
}

// A section renamed in the XML editor together with the zone that names it.
TEST_F(RealDocumentTest, MemberZonesFollowASectionRenamedInTheXmlEditor) {
    DefineTwoZoneMember();
    ui.DataView([](std::string& text) {
        for (std::size_t at = text.find("Column"); at != std::string::npos; at = text.find("Column"))
            text.replace(at, 6, "Pier");
        return true;
    });
    Frame().Dispatch(10000);
    ASSERT_NE(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(1)->GetName(), "Pier");
    ASSERT_EQ(g_MemberDefinition.zoneCount, 2);
    EXPECT_EQ(g_MemberDefinition.zones[1].structureIndex, 1);
    EXPECT_EQ(ui.Count("not found"), 0);
}

// A document with every kind of value a save once lost: sections whose names hold quotes,
// ampersands and angle brackets, named by member zones; resistance factors adding up to more
// than 3; a fire exposure half a minute off the default; a section whose flange stands apart
// from its web and one whose web reaches into its flange.
TEST_F(RealDocumentTest, EveryValueOfADocumentComesBackFromASaveAndReopen) {
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{1.2, 0.8, 1.0}};
    DefineTwoZoneMember();
    const auto flangeOver = [](TStructure& s, double webTop) {
        s.DeleteRegions();
        s.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 0);
        s.AddRegion(webTop, 0.0, 0.3, 0.3, 0, 1);
        dynamic_cast<TBeam&>(s).SetShapeType(kUserShapeCode);
    };
    TStructure& gapped = *g_Structures[0];
    gapped.SetName("Slab 12\"");
    flangeOver(gapped, 0.4);
    gapped.SetFireData(7, 0, 0, 30.5 * 60.0, 1000.0);
    TStructure& overlapping = *g_Structures[1];
    overlapping.SetName("<T> & \"L\"");
    flangeOver(overlapping, 0.55);
    const std::vector<ConcreteRegionRec> regions[2] = {
        {*gapped.GetRegion(0), *gapped.GetRegion(1)},
        {*overlapping.GetRegion(0), *overlapping.GetRegion(1)}};
    const TMemberDefinition member = g_MemberDefinition;

    const std::string file = dir.File("every.qvh");
    ui.File(plat::FileDialogKind::Save, file);
    ASSERT_TRUE(app->CmFileSaveAs());
    const std::string text = dir.Read("every.qvh");
    EXPECT_NE(text.find("\"Slab 12&quot;\""), std::string::npos);

    // A new session: default factors and member, another section open.
    g_ResistanceFactors = ResistanceFactors{};
    ResetMemberDefinition(g_MemberDefinition);
    g_Structures[0]->SetName("Other");
    // The section with the gap is the one it was: its concrete leaves a depth uncovered, and
    // the analysis says so as it would have before the save. Any other message fails.
    // It names the gap, 100 to 200 mm below the top, by the elevations its outline table shows.
    ui.Message("Section \"Slab 12\"\": No concrete region between elevations 400 and 500 mm.", MsgAnswer::Ok);
    app->OpenFile(file);
    EXPECT_EQ(ui.Count("not found"), 0);
    EXPECT_EQ(ui.Count("No concrete region"), 1);

    EXPECT_EQ(g_ResistanceFactors.phi_c, 1.2);
    EXPECT_EQ(g_ResistanceFactors.phi_s, 0.8);
    EXPECT_EQ(g_ResistanceFactors.phi_p, 1.0);
    ASSERT_NE(StructureAt(0), nullptr);
    ASSERT_NE(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(0)->GetName(), "Slab 12\"");
    EXPECT_EQ(StructureAt(1)->GetName(), "<T> & \"L\"");
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, member), 1);
    int exposure = 0, type = 0, rebarperform = 0;
    double time = 0.0, temperature = 0.0;
    StructureAt(0)->GetFireData(exposure, type, rebarperform, time, temperature);
    EXPECT_EQ(time, 1830.0);
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(StructureAt(s)->GetRegionCount(), 2);
        for (int r = 0; r < 2; ++r) {
            SCOPED_TRACE(StrPrintf("structure %d region %d", s, r));
            const ConcreteRegionRec& was = regions[s][static_cast<std::size_t>(r)];
            const ConcreteRegionRec& is = *StructureAt(s)->GetRegion(r);
            EXPECT_NEAR(is.top - StructureAt(s)->GetBottom(), was.top - regions[s][1].bottom, 1e-12);
            EXPECT_NEAR(is.bottom - StructureAt(s)->GetBottom(), was.bottom - regions[s][1].bottom, 1e-12);
            EXPECT_EQ(is.topWidth, was.topWidth);
            EXPECT_EQ(is.bottomWidth, was.bottomWidth);
        }
    }

    // Saved again, the document is the same.
    ASSERT_TRUE(app->CmFileSave());
    EXPECT_EQ(dir.Read("every.qvh"), text);
}
