// The membrane mode installed: the view manager makes a TP2k_Logic for a membrane element
// and re-binds it (releasing its sensitivity runs for another element), the chart factory
// makes the node-data pane for 2104, and the beam mode's one-layer view is a membrane view.

#include <gtest/gtest.h>

#include "app/views/DiagramMakers.h"
#include "app/views/TViewm.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/membrane/TNodeData.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/ViewTestSupport.h"

TEST(MembraneInstall, ViewManagerChartFactoryAndLayerView)
{
    plat::EnsureGuiRuntime();
    InstallMembraneMode();
    auto a = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    auto b = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    TP2kFullResponse ra(a.get());
    {
        TViewm_2k view(nullptr, nullptr);
        view.CreateLogic(2, a.get(), &ra);
        auto* logic = dynamic_cast<TP2k_Logic*>(view.GetLogic());
        ASSERT_NE(logic, nullptr);
        EXPECT_EQ(view.GetDefaultGraphId(), 200);
        RecordingViewChart chart;
        logic->FillChart(&chart, 219, 0, 0);
        EXPECT_NE(logic->GetSensitivityRun(0), nullptr);
        view.CreateLogic(2, b.get(), nullptr); // Next Element: kept, re-bound, runs released
        EXPECT_EQ(view.GetLogic(), logic);
        EXPECT_EQ(logic->GetBoundStructure(), b.get());
        EXPECT_EQ(logic->GetSensitivityRun(0), nullptr);
    }

    auto pane = MakeDiagram(16, nullptr, "", 0, 0, 300, 200, 2105);
    ASSERT_NE(dynamic_cast<TNodeData*>(pane.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TNodeData*>(pane.get())->Mode(), 1);

    // The beam mode's one-layer view answers membrane titles.
    SetLayerViewFactory({});
    InstallMembraneMode();
    LayerViewFactory factory = SetLayerViewFactory({});
    ASSERT_TRUE(factory);
    auto layer = factory(a.get(), nullptr);
    EXPECT_EQ(layer->GetGraphTitle(206, 0), "Shear-|g_x_y");
    SetDiagramMaker(16, {});
    SetMembraneLogicFactory({});
}
