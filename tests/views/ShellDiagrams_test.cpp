// The result diagrams in the real main window: the "No Shear" set shows the crack diagram, the
// cross section, the forces and N+M of the finished response's current state; a crack diagram
// added to the moment-curvature graph marks the stage it shows; a state about to be freed is
// forgotten by the charts that were handed it; the beam mode's status and callout refreshes
// reach the window.

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "foundation/Sentinel.h"
#include "platform/Controls.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/ViewTestSupport.h"
#include "views/BeamModeInstall.h"
#include "views/TBeamDiagram.h"
#include "views/TForceDiagram.h"
#include "views/TQ2k_Logic.h"

namespace {

struct DiagramsInShell : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ~DiagramsInShell() override { SetBeamLogicFactory(std::move(previous)); }

    // The test section under moment and shear, solved to the end.
    TSectionalAnalysis* Solve()
    {
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = TestSection::MakeBeam();
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = g_Analyses[0].get();
        if (a)
            RunToFinish(*a, 5000);
        return a;
    }
};

TEST_F(DiagramsInShell, NoShearSetShowsTheCurrentState)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    TViewm_2k& view = Window().GetViewManager();
    view.SetNineGraphs(3003);
    const SectionState* current = a->GetCurrentState();
    ASSERT_NE(current, nullptr);
    int found = 0;
    for (int i = 0; i < 9; ++i) {
        Tchart* chart = view.GetChart(i);
        ASSERT_NE(chart, nullptr);
        switch (view.GetChartId(i)) {
        case 2000: {
            auto* d = dynamic_cast<TBeamDiagram*>(chart);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->Mode(), 1);
            ASSERT_NE(d->GetStateCopy(), nullptr);
            EXPECT_EQ(d->GetStateCopy()->LayerCount, current->LayerCount);
            ++found;
            break;
        }
        case 2001: ASSERT_NE(dynamic_cast<TRichBeam*>(chart), nullptr); ++found; break;
        case 2002: ASSERT_NE(dynamic_cast<TNPlusM*>(chart), nullptr); ++found; break;
        case 2003: {
            auto* f = dynamic_cast<TForceDiagram*>(chart);
            ASSERT_NE(f, nullptr);
            ASSERT_NE(f->GetStateCopy(), nullptr);
            EXPECT_EQ(f->GetStateCopy()->Result(StateResult::Moment), current->Result(StateResult::Moment));
            ++found;
            break;
        }
        default: continue;
        }
        EXPECT_EQ(chart->GetShownState(), current) << view.GetChartId(i);
    }
    EXPECT_EQ(found, 4);
    // A state about to be freed is forgotten; the chart keeps drawing its copy.
    auto* diagram = dynamic_cast<TBeamDiagram*>(view.GetChart(3));
    ASSERT_NE(diagram, nullptr);
    SectionStateHolder local = CopyDrawnState(*diagram->GetStateCopy(), a->GetStructure());
    diagram->AttachStructure(const_cast<TStructure*>(a->GetStructure()));
    diagram->AttachState(local.get());
    EXPECT_EQ(diagram->GetShownState(), local.get());
    FreeSectionState(local);
    EXPECT_EQ(diagram->GetShownState(), nullptr);
    EXPECT_NE(diagram->GetStateCopy(), nullptr);
}

// The crack diagram chosen to paste (it becomes the pasted chart when the layout is entered
// again) and added inside the moment-curvature graph: its state shows as a square marker on
// the curve.
TEST_F(DiagramsInShell, AddedCrackDiagramMarksItsStageOnTheCurve)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    TViewm_2k& view = Window().GetViewManager();
    view.SetLoadDeformation(1001);
    plat::ComboBox* paste = view.GetPasteCombo();
    ASSERT_NE(paste, nullptr);
    const int entry = paste->FindStringExact("Crack Diagram ");
    ASSERT_GE(entry, 0);
    paste->SetSelIndex(entry);
    view.OnControlNotify(1102, plat::Notify::SelChange);
    view.SetNineGraphs(-1);
    view.SetLoadDeformation(1001);
    ASSERT_EQ(view.GetChartId(1), 2000);
    view.AddToGraph();
    Tchart* added = view.GetChart(2);
    ASSERT_NE(added, nullptr);
    ASSERT_NE(dynamic_cast<TBeamDiagram*>(added), nullptr);
    EXPECT_TRUE(added->IsChildPlacement());
    const SectionState* current = a->GetCurrentState();
    EXPECT_TRUE(view.HasChart(current));
    view.RefreshAllPanels(-1);
    const std::vector<double>& data = view.GetChart(0)->Data().Data();
    bool marker = false;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        marker |= data[i] > 1e30 && data[i + 1] == -1.0;
    EXPECT_TRUE(marker);
    // Detached, it marks nothing.
    view.DetachAllStructures();
    EXPECT_FALSE(view.HasChart(current));
}

// The beam mode asks its host to redraw the analysis status, and passes its own section to
// the callout manager whatever it is handed.
class StatusHost final : public ScriptedHost {
public:
    int shown = 0;
    void ShowAnalysisStatus() override { ++shown; }
};

class RecordingInfoManager final : public TInfo_Base {
public:
    const TStructure* drawn = nullptr;
    void Draw(plat::DC*, const TStructure* structure, int) override { drawn = structure; }
};

TEST_F(BeamViewTest, StatusAndCalloutRefreshesReachTheWindow)
{
    StatusHost host;
    logic.SetHost(&host);
    logic.UpdateStatus();
    EXPECT_EQ(host.shown, 1);
    auto manager = std::make_unique<RecordingInfoManager>();
    RecordingInfoManager* recorder = manager.get();
    std::unique_ptr<TInfo_Base> saved = std::move(g_InfoManager);
    g_InfoManager = std::move(manager);
    EXPECT_EQ(logic.UpdateInfoManager(nullptr, 0), 1);
    EXPECT_EQ(recorder->drawn, beam.get());
    g_InfoManager = std::move(saved);
}

} // namespace
