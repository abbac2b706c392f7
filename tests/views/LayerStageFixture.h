#pragma once
// The real main window with the beam and membrane modes, the program's circle, panel and
// vital-signs charts, and beams of 600 x 300 mm with stirrups under moment and shear solved by
// the window's idle loop as the program runs them (the control charts are filled when the run
// ends). Shared by the tests of the "Mohr's Circles" set and of load-stage stepping.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2kQ2kHelper.h"
#include "platform/Frame.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"
#include "views/membrane/MembraneModeInstall.h"

struct LayerStage : StartedShellTest {
    StateDiagramsGuard diagrams;
    BeamLogicFactory previous = InstallBeamMode();
    LayerViewFactory previousLayer = SetLayerViewFactory({});
    LayerStage() { InstallMembraneMode(); }
    ~LayerStage() override
    {
        SetLayerViewFactory(std::move(previousLayer));
        SetBeamLogicFactory(std::move(previous));
        SetMembraneLogicFactory({});
    }
    TViewm_2k& View() { return Window().GetViewManager(); }
    TQ2k_Logic* Logic() { return dynamic_cast<TQ2k_Logic*>(View().GetLogic()); }

    // The beam in the slot, loaded by moment and shear increments (N·m, N).
    static std::unique_ptr<TStructure> Beam(double dm = -100e3, double dv = 60e3)
    {
        std::unique_ptr<TStructure> beam = TestSection::MakeBeam();
        TestSection::SetLoads(*beam, 0, 0, 0, 0, dm, dv);
        return beam;
    }
    // The current element's response, run by the idle loop to its end.
    TSectionalAnalysis* RunSolve()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        for (int pass = 0; pass < 5000 && Window().GetCurrentAnalysis() &&
                           Window().GetCurrentAnalysis()->IsRunning();
             ++pass)
            app->IdleAction(pass);
        return Window().GetCurrentAnalysis();
    }
    // The beam of slot 0 shown on the summary page, then solved.
    TSectionalAnalysis* Solve()
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = Beam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::CrossSection);
        return RunSolve();
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
    // The index of the depth chart's point nearest the depth (mm above the middle).
    static int DepthPointNear(const Tcontrolchart& depths, double mm)
    {
        int nearest = -1;
        const std::vector<double>& d = depths.Data().Data();
        for (std::size_t i = 0; i < depths.Tags().size(); ++i)
            if (nearest < 0 ||
                std::fabs(d[2 * i + 1] - mm) < std::fabs(d[2 * static_cast<std::size_t>(nearest) + 1] - mm))
                nearest = static_cast<int>(i);
        return nearest;
    }
    // The last stage of a run: the largest stage index among the stage chart's points.
    static int LastStage(const Tcontrolchart& stages)
    {
        int last = -1;
        for (const int tag : stages.Tags())
            if (tag > last && tag < TViewm_Base::kProbeCode)
                last = tag;
        return last;
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
        const TQ2k_Logic* logic = Logic();
        ASSERT_NE(logic, nullptr);
        EXPECT_EQ(logic->GetBoundAnalysis(), &a);
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
    // The load stage that control chart 0 shows as chosen.
    int ShownStage() { return View().GetControlChartChoice(0); }
};
