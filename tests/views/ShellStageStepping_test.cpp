// Load-stage stepping with PgDn ("&Previous Load Stage") and PgUp ("&Next Load Stage") in the
// real main window, the one-layer graphs of the "Mohr's Circles" set on every road that binds
// the beam mode to another section or analysis, and the analysis of one slot let go of alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "charts/TBoxItem.h"
#include "charts/TTextBox.h"
#include "foundation/Units.h"
#include "model/TShell.h"
#include "tests/views/LayerStageFixture.h"

namespace {

struct Stepping : LayerStage {
    // The stage the first control chart names is the one whose loads the status line shows:
    // the analysis's current state.
    void ExpectShownIsCurrent(const TSectionalAnalysis& a)
    {
        const int shown = ShownStage();
        ASSERT_GE(shown, 0);
        int current = -1;
        for (int i = 0; i <= a.GetLastStageIndex(); ++i)
            if (a.GetStage(i) == a.GetCurrentState())
                current = i;
        EXPECT_EQ(a.GetCurrentState(), a.GetStage(shown)) << "stage " << shown << " current " << current;
    }
    // PgDn shows the stage before the one shown, as a click on that stage's point does; PgUp
    // goes back; PgUp at the last stage and PgDn at stage 0 change nothing and show no box.
    void ExpectSteppingFromTheShownStage(TSectionalAnalysis& a, bool layer)
    {
        Tcontrolchart* stages = View().GetControlChart(0);
        ASSERT_NE(stages, nullptr);
        const int shown = ShownStage();
        ASSERT_GT(shown, 1);
        ExpectShownIsCurrent(a);
        const std::string atShown = Moment();

        Frame().Dispatch(CmId::PrevLoadStage);
        EXPECT_EQ(ShownStage(), shown - 1);
        EXPECT_EQ(a.GetCurrentState(), a.GetStage(shown - 1));
        const std::string before = Moment();
        EXPECT_NE(before, atShown);
        if (layer)
            ExpectLayerOfStage(a, shown - 1);
        Frame().Dispatch(CmId::NextLoadStage);
        EXPECT_EQ(ShownStage(), shown);
        EXPECT_EQ(Moment(), atShown);
        if (layer)
            ExpectLayerOfStage(a, shown);
        // The stage before picked by a click shows what PgDn showed.
        Click(*stages, PointTagged(*stages, shown - 1));
        EXPECT_EQ(Moment(), before);

        // At the last stage PgUp stays there; at stage 0 PgDn does.
        const int last = LastStage(*stages);
        Click(*stages, PointTagged(*stages, last));
        ASSERT_EQ(ShownStage(), last);
        const std::string atLast = Moment();
        Frame().Dispatch(CmId::NextLoadStage);
        EXPECT_EQ(ShownStage(), last);
        EXPECT_EQ(Moment(), atLast);
        Click(*stages, PointTagged(*stages, 0));
        ASSERT_EQ(ShownStage(), 0);
        const std::string atZero = Moment();
        Frame().Dispatch(CmId::PrevLoadStage);
        EXPECT_EQ(ShownStage(), 0);
        EXPECT_EQ(Moment(), atZero);
        Frame().Dispatch(CmId::NextLoadStage);
        EXPECT_EQ(ShownStage(), 1);
        // No box at any step (the scripted gateway fails the test on one it does not expect).
        EXPECT_EQ(ui.Count("loadstage"), 0);
    }
    // A depth about 100 mm above the middle picked on the depth chart of the set.
    double PickDepth()
    {
        Tcontrolchart* depths = View().GetControlChart(1);
        EXPECT_NE(depths, nullptr);
        if (!depths)
            return 0.0;
        EXPECT_EQ(depths->SubMode(), 500);
        const int nearest = DepthPointNear(*depths, 100.0);
        EXPECT_GE(nearest, 0);
        Click(*depths, nearest);
        return Logic() ? Logic()->GetProbeDepth() : 0.0;
    }
    // The layer shows a loaded, cracked stage, not the unloaded first one.
    void ExpectLoadedLayer()
    {
        ASSERT_NE(Logic(), nullptr);
        ASSERT_NE(Logic()->GetLayerStates(), nullptr);
        const SectionState* shown = Logic()->GetLayerStates()->GetCurrentState();
        ASSERT_NE(shown, nullptr);
        EXPECT_GT(std::fabs(ElementNode(*shown)->ConcShearStress), 1e5);
    }
    // Two beams of the same section under different shear, the first current on the summary page.
    void TwoBeams()
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = Beam(-100e3, 60e3);
        g_Structures[0]->SetName("BeamA");
        g_Structures[1] = Beam(-100e3, 30e3);
        g_Structures[1]->SetName("BeamB");
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::CrossSection);
    }
};

// ---- Stepping -------------------------------------------------------------------------------

TEST_F(Stepping, PgDnAndPgUpStepFromTheStageShownRightAfterASolve)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->IsRunning(), 0);
    ExpectSteppingFromTheShownStage(*a, false);
}

TEST_F(Stepping, PgDnAndPgUpStepFromTheStageShownAfterADepthPick)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    Frame().Dispatch(CmId::MohrsCircles);
    const std::string shown = Moment();
    (void)PickDepth();
    EXPECT_EQ(Moment(), shown);
    ExpectLayerOfStage(*a, ShownStage());
    ExpectSteppingFromTheShownStage(*a, true);
}

TEST_F(Stepping, PgDnAndPgUpStepFromTheStageShownAfterAUnitChange)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    // What the preferences do once a unit system is chosen.
    g_UnitSystem = kUnitUS;
    Window().RefreshStructureViews(1);
    EXPECT_NE(Moment().find("kip"), std::string::npos) << Moment();
    ExpectSteppingFromTheShownStage(*a, false);
}

// ---- The layer of the "Mohr's Circles" set on the roads that bind the beam mode anew ---------

TEST_F(Stepping, TheLayerFollowsEachSolvedBeamAcrossElementSwitches)
{
    TwoBeams();
    TSectionalAnalysis* first = RunSolve();
    ASSERT_NE(first, nullptr);
    Frame().Dispatch(CmId::NextElement);
    ASSERT_EQ(g_CurrentStructure, 1);
    TSectionalAnalysis* second = RunSolve();
    ASSERT_NE(second, nullptr);
    Frame().Dispatch(CmId::PreviousElement);
    ASSERT_EQ(g_CurrentStructure, 0);

    Frame().Dispatch(CmId::MohrsCircles);
    const double depth = PickDepth();
    ExpectShownIsCurrent(*first);
    ExpectLayerOfStage(*first, ShownStage());
    ExpectLoadedLayer();
    const std::string onFirst = Moment();

    Frame().Dispatch(CmId::NextElement);
    ASSERT_EQ(g_CurrentStructure, 1);
    ASSERT_NE(Logic(), nullptr);
    EXPECT_NEAR(Logic()->GetProbeDepth(), depth, 1e-12);
    ExpectShownIsCurrent(*second);
    ExpectLayerOfStage(*second, ShownStage());
    ExpectLoadedLayer();

    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(Moment(), onFirst);
    EXPECT_NEAR(Logic()->GetProbeDepth(), depth, 1e-12);
    ExpectShownIsCurrent(*first);
    ExpectLayerOfStage(*first, ShownStage());
    ExpectLoadedLayer();
}

TEST_F(Stepping, TheLayerFollowsANewSolveWhileTheSetIsShown)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::MohrsCircles);
    const double depth = PickDepth();
    TSectionalAnalysis* again = RunSolve();
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->IsRunning(), 0);
    ASSERT_EQ(View().GetChartId(0), 2100);
    ASSERT_NE(Logic(), nullptr);
    EXPECT_NEAR(Logic()->GetProbeDepth(), depth, 1e-12);
    ExpectShownIsCurrent(*again);
    ExpectLayerOfStage(*again, ShownStage());
    ExpectLoadedLayer();
}

TEST_F(Stepping, TheLayerFollowsAnElementSolvedAfterItWasSwitchedToInTheSet)
{
    TwoBeams();
    ASSERT_NE(RunSolve(), nullptr);
    Frame().Dispatch(CmId::MohrsCircles);
    const double depth = PickDepth();
    Frame().Dispatch(CmId::NextElement);
    ASSERT_EQ(g_CurrentStructure, 1);
    ASSERT_EQ(Window().GetCurrentAnalysis(), nullptr);
    TSectionalAnalysis* second = RunSolve();
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(View().GetChartId(0), 2100);
    ASSERT_NE(Logic(), nullptr);
    EXPECT_NEAR(Logic()->GetProbeDepth(), depth, 1e-12);
    ExpectShownIsCurrent(*second);
    ExpectLayerOfStage(*second, ShownStage());
    ExpectLoadedLayer();
    // No panel of the set is left without data.
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
        if (const Tchart* c = View().GetChart(i); c && View().GetChartId(i) < 2000) {
            EXPECT_FALSE(c->Data().IsDataEmpty()) << View().GetChartId(i);
        }
    }
}

// ---- The depth pick's stage and letting go of one analysis ------------------------------------

// Stage 0 picked on the M-phi chart, the set opened and a depth picked: the window still shows
// stage 0 (no moment yet), not the stage the layer list was read from last.
TEST_F(Stepping, ADepthPickAfterPickingStageZeroKeepsStageZero)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    Tcontrolchart* stages = View().GetControlChart(0);
    ASSERT_NE(stages, nullptr);
    Click(*stages, PointTagged(*stages, 0));
    ASSERT_EQ(ShownStage(), 0);
    EXPECT_EQ(Moment(), "M :   0.0 kNm");
    Frame().Dispatch(CmId::MohrsCircles);
    EXPECT_EQ(Moment(), "M :   0.0 kNm");
    (void)PickDepth();
    EXPECT_EQ(Moment(), "M :   0.0 kNm");
    EXPECT_EQ(ShownStage(), 0);
    EXPECT_EQ(a->GetCurrentState(), a->GetStage(0));
    ExpectLayerOfStage(*a, 0);
}

// The analysis of the current slot deleted on its own after a solve, in the set whose result
// diagrams read the analysis's section and state and in the "Mohr's Circles" set: no box keeps
// the analysis's section, a state of it or the layer cut from it, and the beam mode is bound to
// the current section with no analysis. A repaint and a resize afterwards draw nothing freed.
TEST_F(Stepping, DeletingTheAnalysisOfOneSlotLetsGoOfItEverywhere)
{
    for (const int set : {3004, 3003}) {
        SCOPED_TRACE(set);
        TSectionalAnalysis* a = Solve();
        ASSERT_NE(a, nullptr);
        View().SetNineGraphs(set);
        if (set == 3004)
            (void)PickDepth();
        const TStructure* copy = a->GetStructure();
        std::set<const SectionState*> states{a->GetCurrentState(), a->GetPeakState()};
        for (int i = 0; i <= a->GetLastStageIndex(); ++i)
            states.insert(a->GetStage(i));
        states.erase(nullptr);
        ASSERT_NE(Logic(), nullptr);
        const TStructure* layer = Logic()->GetProbeShell();
        EXPECT_EQ(layer != nullptr, set == 3004);
        // Before: the boxes do show what the analysis made.
        bool held = false;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i))
                held = held || c->GetStructure() == copy || (layer && c->GetStructure() == layer) ||
                       states.count(c->GetShownState()) > 0;
        if (set == 3003) {
            ASSERT_TRUE(held);
        }

        EXPECT_EQ(Window().DeleteAnalysis(g_CurrentAnalysis), 1);
        EXPECT_EQ(g_Analyses[0], nullptr);
        EXPECT_EQ(Logic()->GetBoundStructure(), g_Structures[0].get());
        EXPECT_EQ(Logic()->GetBoundAnalysis(), nullptr);
        EXPECT_EQ(Logic()->GetLayerStates(), nullptr);
        EXPECT_EQ(Logic()->GetProbeShell(), nullptr);
        std::vector<TBoxItem*> boxes;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            boxes.push_back(View().GetChart(i));
        for (int i = 0; i < 2; ++i)
            boxes.push_back(View().GetControlChart(i));
        for (int i = 0; i < TViewm_2k::kTextBoxes; ++i)
            boxes.push_back(View().GetTextBox(i));
        boxes.push_back(View().GetGraphicBox());
        for (TBoxItem* box : boxes) {
            if (!box)
                continue;
            EXPECT_NE(box->GetStructure(), copy);
            if (layer) {
                EXPECT_NE(box->GetStructure(), layer);
            }
            EXPECT_EQ(states.count(box->GetShownState()), 0u);
        }
        RecordingDC dc;
        Window().Paint(dc, true, Window().GetClientRect());
        Window().MoveWindow(plat::Rect{0, 0, 1100, 900});
        Window().UpdateWindow();
    }
}

} // namespace
