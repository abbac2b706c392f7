// "Full Member Properties" over a section read from a labelled text file: the member the file
// gave the section is whole, so OK without an edit keeps it and shows no box.

#include <string>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"

namespace {

class OlderFileMemberTest : public StartedShellTest {
protected:
    OlderFileMemberTest() : m_previous(SetInputDialogs(&dialogs)) {}
    ~OlderFileMemberTest() override { SetInputDialogs(m_previous); }

    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, g_MemberDefinition};
    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

} // namespace

TEST_F(OlderFileMemberTest, OkOnTheMemberOfALabelledTextSectionShowsNoBox)
{
    // Without member information, and with a member block that gives no length.
    for (const std::string& block : {std::string(), std::string("MEMBINFO\nTYPE 1\nMIDO2 250\nENDMEMB\n")}) {
        SCOPED_TRACE(block);
        dir.Write("one.q2t", "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Old girder\nUNITS Metric\n"
                             "SECTION SOLID\n600 300\n0 300\nENDSECTION\n" +
                                 block);
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File("one.q2t"));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileOpen));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
        const TMemberDefinition read = g_MemberDefinition;
        // Left support at h/3 = 0.2 m, a shear span of 3h = 1.8 m, then the constant-moment
        // zone: a new section's h = 0.6 m, or the file's 250 mm.
        EXPECT_NEAR(read.leftPlateLocation, 0.2, 1e-6);
        EXPECT_NEAR(read.length, 0.2 + 1.8 + (block.empty() ? 0.6 : 0.25), 1e-6);

        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
        EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, read), 1);
        EXPECT_TRUE(ui.Done());
    }
}
