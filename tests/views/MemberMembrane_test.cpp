// "Member Response" asked for while a membrane element is current, through the program's own
// documents with the beam and membrane modes installed: a member whose zone names a membrane
// element is refused with its reason and leaves the window as it was; a member made of beams
// runs on them and shows its pushover in the beam view, its section made current. No box of
// the views' own guards reaches the user on either road, nor on the way back to the element.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/BothModesShell.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/membrane/TP2k_Logic.h"

namespace {

constexpr const char* kGuard = "has no choices of category";

struct MemberOverMembrane : BothModesShellTest {
    static std::unique_ptr<TStructure> Panel(const std::string& name)
    {
        std::unique_ptr<TStructure> panel = MakePv19();
        panel->SetName(name);
        return panel;
    }

    // Writes the structures as one document, with the member settings when asked, and
    // leaves the open ones as they were.
    std::string Write(const std::string& file, std::vector<std::unique_ptr<TStructure>> structures, bool settings)
    {
        const std::string path = WriteStructures(file, std::move(structures));
        std::string text = dir.Read(file);
        const std::size_t from = text.find("\t<Q2010_Analysis");
        EXPECT_NE(from, std::string::npos);
        if (!settings && from != std::string::npos) {
            text.erase(from, text.find("</document>") - from);
            dir.Write(file, text);
        }
        return path;
    }

    // The element of that name made current by the next-element command.
    void SwitchTo(const std::string& name)
    {
        for (int i = 0; i < kMaxStructures && Window().GetCurrentStructure()->GetName() != name; ++i)
            Frame().Dispatch(CmId::NextElement);
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), name);
    }

    // The texts of every panel chart, the control charts and the window's own paint.
    std::vector<std::string> Screen()
    {
        RecordingDC dc;
        Window().Paint(dc, true, Window().GetClientRect());
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i))
                c->Paint(dc, true, c->GetClientRect());
        for (int i = 0; i < 2; ++i)
            if (Tcontrolchart* c = View().GetControlChart(i))
                c->Paint(dc, true, c->GetClientRect());
        return dc.Texts();
    }

    // The membrane element solved to its end and shown in the nine graphs.
    void SolveShown()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        for (long pass = 0; pass < 20000 && Window().GetCurrentAnalysis() && Window().GetCurrentAnalysis()->IsRunning();
             ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
    }
};

} // namespace

// A quick-defined beam with its member, then a document of membrane elements alone: the
// member now names PV19, so it is refused with one box saying why, and PV19's response stays
// on screen as it was, its analysis, layout and pictures untouched.
TEST_F(MemberOverMembrane, AMemberOfAMembraneElementIsRefusedAndChangesNothingOnScreen)
{
    g_Structures[0] = membertest::RectBeam("Beam", 0.3, 0.6, 2, 0.02);
    SetMemberDefinitionFromSection(ProgramStructureSlots(), g_MemberDefinition, *g_Structures[0]);
    app->OpenFile(Write("panels.qvh",
                        [] {
                            std::vector<std::unique_ptr<TStructure>> s;
                            for (const char* name : {"PV19", "PV20", "PV21", "PV22"})
                                s.push_back(Panel(name));
                            return s;
                        }(),
                        false));
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    ASSERT_EQ(StructureAt(g_MemberDefinition.zones[0].structureIndex), Window().GetCurrentStructure());
    ASSERT_GT(g_MemberDefinition.length, 0.0);
    ASSERT_TRUE(Frame().IsCommandEnabled(CmId::MemberResponse));
    SolveShown();
    const TSectionalAnalysis* solved = Window().GetCurrentAnalysis();
    ASSERT_NE(solved, nullptr);
    const int layout = View().GetLayoutMode();
    const int firstChart = View().GetChartId(0);
    const std::string status = Frame().GetMessageText();
    const std::vector<std::string> before = Screen();

    ui.Message("A member zone names a section that is not a beam section.", MsgAnswer::Ok);
    Frame().Dispatch(CmId::MemberResponse);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count(kGuard), 0);
    EXPECT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(Window().GetCurrentAnalysis(), solved);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    EXPECT_NE(dynamic_cast<TP2k_Logic*>(View().GetLogic()), nullptr);
    EXPECT_EQ(View().GetLayoutMode(), layout);
    EXPECT_EQ(View().GetChartId(0), firstChart);
    EXPECT_EQ(Frame().GetMessageText(), status);
    EXPECT_EQ(Screen(), before);
    EXPECT_EQ(ui.Count(kGuard), 0);
}

// BeamA, BeamB, the member settings (one zone of BeamB), PV19 and PV20, with PV19 current:
// the member runs on BeamB, which becomes the current section, and its pushover is shown in
// the beam view with the load factor it reached; back on PV19, its own mode shows it.
TEST_F(MemberOverMembrane, AMemberOfBeamsRunFromAMembraneElementShowsItsResultsInTheBeamView)
{
    g_Structures[0] = membertest::RectBeam("BeamA", 0.3, 0.6, 2, 0.02);
    g_Structures[1] = membertest::RectBeam("BeamB", 0.2, 0.3, 2, 0.012);
    SetMemberDefinitionFromSection(ProgramStructureSlots(), g_MemberDefinition, *g_Structures[1]);
    g_Structures[0].reset();
    g_Structures[1].reset();
    app->OpenFile(Write("mixed.qvh",
                        [] {
                            std::vector<std::unique_ptr<TStructure>> s;
                            s.push_back(membertest::RectBeam("BeamA", 0.3, 0.6, 2, 0.02));
                            s.push_back(membertest::RectBeam("BeamB", 0.2, 0.3, 2, 0.012));
                            s.push_back(Panel("PV19"));
                            s.push_back(Panel("PV20"));
                            return s;
                        }(),
                        true));
    SwitchTo("PV19");
    ASSERT_NE(dynamic_cast<TP2k_Logic*>(View().GetLogic()), nullptr);
    const int beamB = g_MemberDefinition.zones[0].structureIndex;
    ASSERT_EQ(StructureAt(beamB)->GetName(), "BeamB");

    Frame().Dispatch(CmId::MemberResponse);
    EXPECT_EQ(ui.Count(kGuard), 0);
    EXPECT_TRUE(ui.requests.empty());
    EXPECT_EQ(g_CurrentStructure, beamB);
    EXPECT_EQ(g_CurrentAnalysis, beamB);
    EXPECT_NE(dynamic_cast<TQ2k_Logic*>(View().GetLogic()), nullptr);
    auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Pushover);
    for (long pass = 0; pass < 200000 && m->IsRunning(); ++pass)
        Window().IdleAction(pass);
    Window().IdleAction(0);
    ASSERT_GT(m->GetMemberCapacity(), 1.0);
    EXPECT_EQ(Frame().GetGadgetText(405).rfind("Load Factor :", 0), 0u) << Frame().GetGadgetText(405);
    // Every chart of the pushover page shows the member: none is left without data.
    const std::vector<std::string> shown = Screen();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "No Data"), 0);
    EXPECT_EQ(ui.Count(kGuard), 0);

    // Back on the membrane element from the pushover page: its own mode, and still no box.
    SwitchTo("PV19");
    EXPECT_NE(dynamic_cast<TP2k_Logic*>(View().GetLogic()), nullptr);
    (void)Screen();
    EXPECT_EQ(ui.Count(kGuard), 0);
    EXPECT_TRUE(ui.requests.empty());
}
