// Documents written and read through the shell with the program's own XML engine.

#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"
#include "tests/app/ShellFixture.h"

namespace {
// Uses the program's document engine instead of the fixture's.
class RealDocumentTest : public ShellTest {
protected:
    RealDocumentTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~RealDocumentTest() override { SetDocumentEngine(m_previous); }

private:
    TDocumentEngine* m_previous;
};
} // namespace

TEST_F(RealDocumentTest, EmptySlotsLeaveNoTraceAndStructuresComeBackRenumbered) {
    Start();
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
    Start();
    g_Structures[0]->SetName("Before");
    ui.Text([](std::string& text) {
        const std::size_t at = text.find("Before");
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            text.replace(at, 6, "After");
        return true;
    });
    Frame().Dispatch(10000);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "After");
    EXPECT_EQ(Window().IsModified(), 1);
}

TEST_F(RealDocumentTest, TheMemberDefinitionTravelsWithTheDocument) {
    Start();
    g_Structures[0]->SetName("Girder");
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    g_MemberDefinition.length = 3.0;
    g_MemberDefinition.rightPlateLocation = 3.0;
    g_MemberDefinition.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
    g_MemberDefinition.diagrams[LiveDiagram][1] = {3.0, -2000.0, 0};
    g_MemberDefinition.pointCount[LiveDiagram] = 2;
    const TMemberDefinition saved = g_MemberDefinition;
    const std::string file = dir.File("member.qvh");
    ui.File(plat::FileDialogKind::Save, file);
    ASSERT_TRUE(app->CmFileSaveAs());
    EXPECT_NE(dir.Read("member.qvh").find("\"Girder\""), std::string::npos);

    ResetMemberDefinition(g_MemberDefinition);
    app->OpenFile(file);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, saved), 1);
}
