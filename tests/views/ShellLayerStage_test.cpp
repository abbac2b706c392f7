// The one-layer graphs of the "Mohr's Circles" set in the real main window follow the load
// stage the window shows and the depth picked on the depth chart.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/views/LayerStageFixture.h"

// The peak picked on the M-phi chart, the "Mohr's Circles" set opened and a depth picked: the
// layer graphs show the peak stage at that depth, as the status line does. Another stage picked
// on the M-phi chart moves them along, and a depth picked then keeps that stage.
TEST_F(LayerStage, TheLayerGraphsShowTheStageShownAtTheDepthPicked)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->IsRunning(), 0);
    int peak = -1;
    for (int i = 0; i < a->GetLastStageIndex(); ++i)
        if (a->GetStage(i) == a->GetPeakState())
            peak = i;
    ASSERT_GT(peak, 5);
    Frame().Dispatch(CmId::NineGraphs);
    Tcontrolchart* stages = View().GetControlChart(0);
    ASSERT_NE(stages, nullptr);
    ASSERT_EQ(stages->SubMode(), 21);  // moment against curvature
    Click(*stages, PointTagged(*stages, peak));
    const std::string atPeak = Moment();
    EXPECT_EQ(atPeak, "M : 236.0 kNm");

    Frame().Dispatch(CmId::MohrsCircles);
    EXPECT_EQ(Moment(), atPeak);
    ExpectLayerOfStage(*a, peak);

    // A depth 100 mm above the middle: the nearest point of the depth curve.
    Tcontrolchart* depths = View().GetControlChart(1);
    ASSERT_NE(depths, nullptr);
    ASSERT_EQ(depths->SubMode(), 500);
    int nearest = -1;
    for (std::size_t i = 0; i < depths->Tags().size(); ++i)
        if (nearest < 0 || std::fabs(depths->Data().Data()[2 * i + 1] - 100.0) <
                               std::fabs(depths->Data().Data()[2 * static_cast<std::size_t>(nearest) + 1] - 100.0))
            nearest = static_cast<int>(i);
    ASSERT_GE(nearest, 0);
    const double picked = depths->Data().Data()[2 * static_cast<std::size_t>(nearest) + 1] / 1000.0;
    ASSERT_GT(std::fabs(picked - 0.1), 0.0001);  // the pick lands on a node depth, not at 100 mm
    Click(*depths, nearest);
    auto* logic = dynamic_cast<TQ2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);
    EXPECT_NEAR(logic->GetProbeDepth(), picked, 1e-9);
    EXPECT_EQ(Moment(), atPeak);
    ExpectLayerOfStage(*a, peak);
    // The peak's layer is cracked and loaded: not the unloaded first stage.
    EXPECT_GT(std::fabs(ElementNode(*logic->GetLayerStates()->GetCurrentState())->ConcShearStress), 1e5);

    // Stage 20 picked on the M-phi chart, then the next depth down.
    Click(*stages, PointTagged(*stages, 20));
    EXPECT_NE(Moment(), atPeak);
    ExpectLayerOfStage(*a, 20);
    Click(*depths, nearest + 1);
    EXPECT_NEAR(logic->GetProbeDepth(), depths->Data().Data()[2 * static_cast<std::size_t>(nearest) + 3] / 1000.0,
                1e-9);
    ExpectLayerOfStage(*a, 20);
}

// The five curve graphs of the "Mohr's Circles" set are the membrane graphs of the layer and
// carry the membrane mode's titles and axis labels (strains in mm/m, stresses in MPa).
TEST_F(LayerStage, TheLayerCurveGraphsAreTitledAsTheMembraneGraphs)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    Frame().Dispatch(CmId::MohrsCircles);
    struct Want {
        int panel, id;
        const char *title, *x, *y;
    };
    const Want wants[] = {
        {3, 204, "Shear-|e_x", "|e_x (mm/m)", "Shear Stress (MPa)"},
        {4, 206, "Shear-|g_x_y", "|g_x_y (mm/m)", "Shear Stress (MPa)"},
        {6, 213, "f_2-|e_2", "|e_2 Principal Compressive Strain (mm/m)", "Principal Compression (MPa)"},
        {7, 207, "Shear on Crack-|e_1", "|e_1 Principal Strain (mm/m)", "Shear on Crack (MPa)"},
        {8, 212, "f_1-|e_1", "|e_1 Principal Tensile Strain (mm/m)", "Principal Tension (MPa)"},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE(w.id);
        ASSERT_EQ(View().GetChartId(w.panel), w.id);
        const Tchart* chart = View().GetChart(w.panel);
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->Data().Title(), w.title);
        EXPECT_EQ(chart->Data().XTitle(), w.x);
        EXPECT_EQ(chart->Data().YTitle(), w.y);
        EXPECT_FALSE(chart->Data().IsDataEmpty());
    }
}
