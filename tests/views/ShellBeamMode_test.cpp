// The beam mode in the real main window: a finished response of a beam with stirrups under
// moment and shear fills the nine panels and both control charts; the layout list.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/summary/ChoiceLists.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "platform/Controls.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"

namespace {

struct BeamModeInShell : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ~BeamModeInShell() override { SetBeamLogicFactory(std::move(previous)); }
};

TEST_F(BeamModeInShell, FinishedResponseFillsTheNinePanels)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = TestSection::MakeBeam();
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);  // as the window rebinds it
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    TViewm_2k& view = Window().GetViewManager();
    ASSERT_NE(dynamic_cast<TQ2k_Logic*>(view.GetLogic()), nullptr);
    TSectionalAnalysis* a = g_Analyses[0].get();
    ASSERT_NE(a, nullptr);
    RunToFinish(*a, 5000);
    ASSERT_FALSE(a->IsRunning());
    view.FillControlCharts();
    for (int i = 0; i < 9; ++i) {
        Tchart* chart = view.GetChart(i);
        ASSERT_NE(chart, nullptr) << i;
        view.CreateChart(chart, view.GetChartId(i), 0, 0);
        const int id = view.GetChartId(i);
        // The profiles of the set; the result diagrams come with their own classes.
        if (id < 200) {
            EXPECT_FALSE(chart->IsDataEmpty()) << "graph " << id;
        }
    }
    const Tcontrolchart* control = view.GetControlChart(0);
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->IsDataEmpty());
    // Every stage is a tagged point (besides the separators).
    EXPECT_GT(control->Tags().size(), static_cast<std::size_t>(a->GetLastStageIndex()));
    EXPECT_EQ(control->SubMode(), 21); // moment leads: |dV| below |10 dM / H / 3|
    EXPECT_FALSE(view.GetControlChart(1)->IsDataEmpty());
}

// The beam mode has no four-graph or member-details sets: asking for those layouts keeps the
// layout shown instead of asking the mode object for graphs it does not have (one error box
// per panel).
TEST_F(BeamModeInShell, LayoutsWithoutBeamSetsAreNotEntered)
{
    TViewm_2k& view = Window().GetViewManager();
    view.CreateLogic(0, nullptr, nullptr);
    g_Structures[0] = TestSection::MakeBeam();
    view.CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    ASSERT_NE(dynamic_cast<TQ2k_Logic*>(view.GetLogic()), nullptr);
    const int shown = view.GetLayoutMode();
    Window().ShowFourGraphLayout();
    view.SetMemberDetails(-1);
    EXPECT_EQ(view.GetLayoutMode(), shown);
    EXPECT_TRUE(ui.requests.empty());  // no error box
    Window().ShowNineGraphLayout();
    EXPECT_EQ(view.GetLayoutMode(), LayoutMode::NineGraphs);
}

// The layout list: filled as the layout is entered with the shown set selected; a chosen title
// switches the layout to its graphs.
TEST_F(BeamModeInShell, NineGraphSetsListedAndChosen)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = TestSection::MakeBeam();
    TViewm_2k& view = Window().GetViewManager();
    view.CreateLogic(1, g_Structures[0].get(), nullptr);
    view.SetNineGraphs(-1);
    plat::ComboBox* combo = view.GetLayoutCombo();
    ASSERT_NE(combo, nullptr);
    const auto titles = ChoiceTitles(view.GetLogic(), 8, view.GetDefaultGraphId());
    ASSERT_GE(titles.size(), 2u);
    ASSERT_EQ(combo->GetCount(), static_cast<int>(titles.size()));
    const int shown = combo->GetSelIndex();
    ASSERT_GE(shown, 0);
    EXPECT_EQ(view.ChartIdFromTitle(combo->GetString(shown)) / 1000, 3); // a nine-graph set

    const int other = shown == 0 ? 1 : 0;
    auto ids = [&view] {
        std::vector<int> shownIds;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            shownIds.push_back(view.GetChartId(i));
        return shownIds;
    };
    const std::vector<int> before = ids();
    combo->SetSelIndex(other);
    EXPECT_TRUE(view.OnControlNotify(1101, plat::Notify::SelChange));
    EXPECT_EQ(combo->GetSelIndex(), other);
    EXPECT_EQ(view.GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_NE(ids(), before);
}

} // namespace
