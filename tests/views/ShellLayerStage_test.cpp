// The one-layer graphs of the "Mohr's Circles" set in the real main window follow the load
// stage the window shows and the depth picked on the depth chart.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2kQ2kHelper.h"
#include "views/membrane/MembraneModeInstall.h"
#include "platform/Frame.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"

namespace {

// The beam of 600 x 300 mm with stirrups under moment and shear, solved by the window's idle
// loop as the program runs it (the control charts are filled when the run ends), with the
// program's circle, panel and vital-signs charts.
struct LayerStage : StartedShellTest {
    StateDiagramsGuard diagrams;
    BeamLogicFactory previous = InstallBeamMode();
    LayerViewFactory previousLayer = SetLayerViewFactory({});
    LayerStage() { InstallMembraneMode(); }
    ~LayerStage() override
    {
        SetLayerViewFactory(std::move(previousLayer));
        SetBeamLogicFactory(std::move(previous));
    }
    TViewm_2k& View() { return Window().GetViewManager(); }
    TSectionalAnalysis* Solve()
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = TestSection::MakeBeam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        for (int pass = 0; pass < 5000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
            app->IdleAction(pass);
        return g_Analyses[0].get();
    }
    // A mouse click on point i of a control chart, at the pixel its transform gives.
    static void Click(Tcontrolchart& chart, int i)
    {
        RecordingDC dc;
        chart.Paint(dc, true, plat::Rect{0, 0, chart.Place().w, chart.Place().h});
        const ChartTransform& t = chart.Transform();
        const std::vector<double>& d = chart.Data().Data();
        const double x = d[2 * static_cast<std::size_t>(i)], y = d[2 * static_cast<std::size_t>(i) + 1];
        chart.EvLButtonDown(0, plat::Point{static_cast<int>(std::lround(x * t.xScale + t.xOffset)),
                                           static_cast<int>(std::lround(t.yOffset - y * t.yScale))});
        chart.EvLButtonUp(0, plat::Point{});
    }
    // The data index of the point tagged tag; -1 when none is.
    static int PointTagged(const Tcontrolchart& chart, int tag)
    {
        for (std::size_t i = 0; i < chart.Tags().size(); ++i)
            if (chart.Tags()[i] == tag)
                return static_cast<int>(i);
        return -1;
    }
    // The node of beam stage s at the depth.
    static const LayerNodeStateRec* NodeAt(const TSectionalAnalysis& a, int s, double depth)
    {
        const SectionState* state = a.GetStage(s);
        if (state == nullptr)
            return nullptr;
        for (const LayerNodeStateRec& n : state->NodeStates)
            if (std::fabs(n.Depth - depth) < TP2kQ2kHelper::kDepthMatch)
                return &n;
        return nullptr;
    }
    // The layer the graphs show is beam stage s at the probe depth, by value, and the two Mohr's
    // circles are those of its strains and concrete stresses, worked out here from the x and z
    // faces: centre (a + b) / 2 and radius sqrt(((a - b) / 2)^2 + shear^2).
    void ExpectLayerOfStage(const TSectionalAnalysis& a, int s)
    {
        const auto* logic = dynamic_cast<const TQ2k_Logic*>(View().GetLogic());
        ASSERT_NE(logic, nullptr);
        const TP2kQ2kHelper* layer = logic->GetLayerStates();
        ASSERT_NE(layer, nullptr);
        const SectionState* shown = layer->GetCurrentState();
        ASSERT_NE(shown, nullptr);
        const LayerNodeStateRec& got = *ElementNode(*shown);
        const LayerNodeStateRec* want = NodeAt(a, s, logic->GetProbeDepth());
        ASSERT_NE(want, nullptr) << "no node at the probe depth " << logic->GetProbeDepth();
        EXPECT_EQ(got.Depth, want->Depth);
        EXPECT_EQ(got.StrainX, want->StrainX);
        EXPECT_EQ(got.StrainZ, want->StrainZ);
        EXPECT_EQ(got.ShearStrain, want->ShearStrain);
        EXPECT_EQ(got.ConcStressX, want->ConcStressX);
        EXPECT_EQ(got.ConcStressZ, want->ConcStressZ);
        EXPECT_EQ(got.ConcShearStress, want->ConcShearStress);
        EXPECT_EQ(got.ConcStress1, want->ConcStress1);
        EXPECT_EQ(got.ConcStress2, want->ConcStress2);
        EXPECT_EQ(shown->Results, a.GetStage(s)->Results);

        // Panels 1 and 2: the circles of strain (mm/m) and of stress (MPa), whose fifth pair is
        // (centre, radius).
        const double ex = want->StrainX * 1e3, ez = want->StrainZ * 1e3, g = want->ShearStrain * 1e3;
        const double fx = want->ConcStressX * 1e-6, fz = want->ConcStressZ * 1e-6;
        const double v = want->ConcShearStress * 1e-6;
        ASSERT_EQ(View().GetChartId(0), 2100);
        ASSERT_EQ(View().GetChartId(1), 2102);
        ASSERT_EQ(View().GetChart(1)->Kind(), 10);  // the circle chart
        const std::vector<double>& strain = View().GetChart(0)->Data().Data();
        const std::vector<double>& stress = View().GetChart(1)->Data().Data();
        ASSERT_GE(strain.size(), 10u);
        ASSERT_GE(stress.size(), 10u);
        EXPECT_NEAR(strain[8], 0.5 * (ex + ez), 1e-6);
        EXPECT_NEAR(strain[9], std::hypot(0.5 * (ex - ez), 0.5 * g), 1e-5);
        EXPECT_NEAR(stress[8], 0.5 * (fx + fz), 1e-5);
        EXPECT_NEAR(stress[9], std::hypot(0.5 * (fx - fz), v), 1e-4);
        // Panel 3, the state box, starts with the layer's strains ex and ez.
        ASSERT_EQ(View().GetChartId(2), 2104);
        const std::vector<double>& box = View().GetChart(2)->Data().Data();
        ASSERT_GE(box.size(), 2u);
        EXPECT_EQ(box[0], want->StrainX);
        EXPECT_EQ(box[1], want->StrainZ);
    }
    std::string Moment() { return Frame().GetGadgetText(406); }
};

} // namespace

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
