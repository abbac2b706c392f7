// Solve > Member Response on a post-fire beam gives what it gives after the document is saved
// and opened in a new session: the sample T-beam with a member of one zone, Loads > Create Fire
// Damaged Beam with GFRP bars in the ISO fire on its bottom for 30 minutes.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/TFire.h"
#include "foundation/StrFormat.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

class PostFireMemberReopened : public RealDocumentShellTest {
protected:
    PostFireMemberReopened() : m_previous(SetInputDialogs(&dialogs)) {}
    ~PostFireMemberReopened() override
    {
        SetInputDialogs(m_previous);
        SetBeamLogicFactory(std::move(previous));
        DeleteThermalModel();
    }

    // Solve > Member Response on the current section (Yes, the member runs on it), stepped to its
    // end: the member's capacity (its weakest station's largest load factor), or the text of the
    // box that refused it.
    std::string MemberResponse()
    {
        // The member is made of the source: it is run on the post-fire beam.
        ui.Message("The member is made of the section", MsgAnswer::Yes);
        const std::size_t before = ui.requests.size() + 1;
        Frame().Dispatch(CmId::MemberResponse);
        auto* a = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        for (int pass = 0; a != nullptr && pass < 2000 && a->IsRunning(); ++pass)
            Window().IdleAction(pass);
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message")
                return ui.requests[i].text;
        if (a == nullptr)
            return "no member analysis";
        EXPECT_EQ(a->IsRunning(), 0);
        double capacity = 1e30;
        for (int i = 0; i < a->GetStationCount(); ++i)
            if (const TFullSectionalResponse* s = a->GetStationAnalysis(i))
                capacity = std::min(capacity, s->GetMaxLoadFactor());
        return StrPrintf("load factor %.17g", capacity);
    }

    BeamLogicFactory previous = InstallBeamMode();
    const StateDiagramsGuard diagrams;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

TEST_F(PostFireMemberReopened, APostFireMemberSolvesAsItDoesAfterReopening)
{
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml",
                     std::ios::binary);
    ASSERT_TRUE(in);
    OpenDocument("full_beam_0.xml", std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(Open().size(), 1u);
    DefineOneZoneMember(g_MemberDefinition);
    // A span of 0.5 m keeps the two runs short; the member still carries its load to capacity.
    g_MemberDefinition.length = 0.5;
    g_MemberDefinition.rightPlateLocation = 0.5;
    g_MemberDefinition.diagrams[LiveDiagram][1] = {0.5, -2000.0, 0};
    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) {
        d.Click(FireId::Iso);
        for (const auto& [id, on] :
             {std::pair{FireId::Bottom, true}, {FireId::Sides, false}, {FireId::Top, false}})
            if (d.Checked(id) != on)
                d.Click(id);
        d.Select(FireId::Rebar, kGFRP);
        d.Type(FireId::Minutes, "30");
        d.Click(plat::DialogResult::Ok);
    });
    ASSERT_TRUE(Frame().Dispatch(CmId::FireDamagedBeam));
    ASSERT_TRUE(ui.Done());
    ASSERT_EQ(Open().size(), 2u);
    ASSERT_EQ(Window().GetCurrentStructure(), g_Structures[1].get());
    ui.File(plat::FileDialogKind::Save, dir.File("fire.qvh"));
    ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    const std::string session = MemberResponse();

    app.reset();
    DeleteThermalModel();
    ResetMemberDefinition(g_MemberDefinition);
    Start();
    OpenByMenu(dir.File("fire.qvh"));
    ASSERT_EQ(Open().size(), 2u);
    ASSERT_TRUE(Frame().Dispatch(CmId::NextElement));
    ASSERT_EQ(Window().GetCurrentStructure(), g_Structures[1].get());
    const std::string reopened = MemberResponse();
    EXPECT_EQ(reopened, session);
    // The member carries its live load well past its service level (about 71 times it).
    EXPECT_EQ(session.rfind("load factor", 0), 0u) << session;
}

} // namespace
