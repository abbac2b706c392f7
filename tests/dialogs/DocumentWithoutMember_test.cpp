// A document whose section comes without member settings (one from elsewhere, or edited by
// hand), opened with the program's own XML engine: the section gets the member a new section
// of its height gets, "Full Member Properties" takes it with OK and no box, and a save and
// reopen brings back the same member.

#include <string>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"

namespace {

// One 300 x 600 section; the labelled text reader gives it a new section's member.
const std::string kGirder = "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Deep girder\nUNITS Metric\n"
                            "SECTION SOLID\n600 300\n0 300\nENDSECTION\n";

class DocumentWithoutMemberTest : public StartedShellTest {
protected:
    DocumentWithoutMemberTest()
        : m_engine(SetDocumentEngine(nullptr)), m_dialogs(SetInputDialogs(&dialogs)) {}
    ~DocumentWithoutMemberTest() override {
        SetInputDialogs(m_dialogs);
        SetDocumentEngine(m_engine);
    }

    void OpenByMenu(const std::string& path) {
        StartedShellTest::OpenByMenu(path);
        if (HasFailure())
            return;
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Deep girder");
    }

    // The girder saved as a document of the program's own, with its member settings cut out.
    std::string WriteWithoutMember() {
        dir.Write("girder.q2t", kGirder);
        OpenByMenu(dir.File("girder.q2t"));
        const std::string saved = dir.File("girder.qvh");
        ui.File(plat::FileDialogKind::Save, saved);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        std::string text = dir.Read("girder.qvh");
        const std::size_t from = text.find("\t<Q2010_Analysis");
        const std::size_t to = text.find("</Q2010_Analysis>");
        EXPECT_NE(from, std::string::npos);
        EXPECT_NE(to, std::string::npos);
        if (from != std::string::npos && to != std::string::npos)
            text.erase(from, text.find('\n', to) + 1 - from);
        EXPECT_EQ(text.find("Q2010_Analysis"), std::string::npos);
        dir.Write("bare.qvh", text);
        return dir.File("bare.qvh");
    }

    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, g_MemberDefinition};
    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TDocumentEngine* m_engine;
    TInputDialogs* m_dialogs;
};

// The member of a new section of height h = 0.6 m: a roller at h/3 = 0.2 m, a shear span of
// 3h = 1.8 m and a constant-moment zone of h, so 2.6 m long, the line of symmetry at its right
// end; point loads, the moment rising from 0 at the left support to the reference moment of
// the span (1.8 x -1000 N m in SI) and constant beyond; the displacement taken at 3h.
void ExpectNewSectionMember(const TMemberDefinition& d) {
    EXPECT_NEAR(d.length, 2.6, 1e-6);
    EXPECT_NEAR(d.leftPlateLocation, 0.2, 1e-6);
    EXPECT_NEAR(d.rightPlateLocation, 2.6, 1e-6);
    EXPECT_NEAR(d.leftPlateSize, 0.15, 1e-6);
    EXPECT_NEAR(d.rightPlateSize, 0.15, 1e-6);
    EXPECT_NEAR(d.topPlateSize, 0.15, 1e-6);
    EXPECT_EQ(d.leftSupport, SupportType::Roller);
    EXPECT_EQ(d.rightSupport, SupportType::FixedVerticalRoller);
    EXPECT_NEAR(d.displacementLocation, 1.8, 1e-6);
    EXPECT_NEAR(d.yieldPenetrationConstant, 0.022, 1e-6);
    ASSERT_EQ(d.zoneCount, 1);
    EXPECT_EQ(d.zones[0].structureIndex, 0);
    ASSERT_EQ(d.pointCount[LiveDiagram], 3);
    const double x[] = {0.2, 2.0, 2.6};
    const double m[] = {0.0, -1800.0, -1800.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(d.diagrams[LiveDiagram][i].x, x[i], 1e-6) << i;
        EXPECT_NEAR(d.diagrams[LiveDiagram][i].moment, m[i], 1e-3) << i;
    }
    EXPECT_EQ(d.pointCount[DeadDiagram], 0);
}

} // namespace

TEST_F(DocumentWithoutMemberTest, ASectionWithoutMemberSettingsGetsANewSectionsMember) {
    const std::string bare = WriteWithoutMember();
    ResetMemberDefinition(g_MemberDefinition);
    OpenByMenu(bare);
    EXPECT_FALSE(app->IsOlderFormatFile());
    const TMemberDefinition read = g_MemberDefinition;
    {
        SCOPED_TRACE("opened");
        ExpectNewSectionMember(read);
    }

    // OK without an edit: no box (one would be unscripted), the member as it was.
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, read), 1);
    EXPECT_TRUE(ui.Done());

    // Saved and opened again: the same member, now written with the document.
    const std::string again = dir.File("again.qvh");
    ui.File(plat::FileDialogKind::Save, again);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    EXPECT_NE(dir.Read("again.qvh").find("<Q2010_Analysis"), std::string::npos);
    ResetMemberDefinition(g_MemberDefinition);
    OpenByMenu(again);
    {
        SCOPED_TRACE("saved and reopened");
        ExpectNewSectionMember(g_MemberDefinition);
    }
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, read), 1);
    EXPECT_TRUE(ui.Done());
}

// A section that brings member values of its own (an "eleminfo" written by hand) keeps them; a
// shear span it leaves out takes a new section's 3h, as in a file of an older format.
TEST_F(DocumentWithoutMemberTest, MemberValuesTheSectionBringsAreKeptAndMadeWhole) {
    const std::string bare = WriteWithoutMember();
    const std::string text = dir.Read("bare.qvh");
    const std::size_t end = text.find("</q3g_beam>");
    ASSERT_NE(end, std::string::npos);
    struct Row {
        const char* element;
        double length;  // m: the left support at h/3 = 0.2, the span, the constant-moment zone
    };
    for (const Row& row : {Row{"<eleminfo L=\"900\" mido2=\"100\"/>", 0.2 + 0.9 + 0.1},
                           Row{"<eleminfo mido2=\"250\"/>", 0.2 + 1.8 + 0.25}}) {
        SCOPED_TRACE(row.element);
        dir.Write("bare.qvh", text.substr(0, end) + row.element + "\r\n\t" + text.substr(end));
        ResetMemberDefinition(g_MemberDefinition);
        OpenByMenu(bare);
        const TMemberDefinition read = g_MemberDefinition;
        EXPECT_NEAR(read.length, row.length, 1e-6);
        EXPECT_NEAR(read.leftPlateLocation, 0.2, 1e-6);
        EXPECT_NEAR(read.rightPlateLocation, row.length, 1e-6);
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
        EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, read), 1);
        EXPECT_TRUE(ui.Done());
    }
}
