// Shows the program's main window with a nine-graph set of a solved beam for a screenshot: the
// test beam with stirrups under moment and shear, solved to its end, the stage of the largest
// load selected.
//
//   qv_diagramshot <program folder> <output folder> [set 0-5] [seconds]
//   qv_diagramshot <program folder> <output folder> mohr|copy|paste [seconds]
//
// mohr: the "Mohr's Circles" set with a depth picked 150 mm above the middle on its depth chart;
// copy: "Copy Screen Picture" of the nine graphs, the picture written to <output>/copied.png;
// paste: the load-deformation layout with "N+M" chosen to paste and added to the graph;
// forces-early, forces-late: the quick-define default section under its unit moment and a
// 1 kN shear (shear span 1 m), "Internal Forces" alone, at the first cracked stage with
// shear or at the peak; forces-past: the sample beam with stirrups under moment and shear
// (shear span 1 m; QV_MV="M,V" gives other increments), "Internal Forces" alone at the first
// stage past the peak whose N_v exceeds C, T and V; gap: the summary page of the sample
// beam's web with a flange standing 100 mm above it.
//
// Under Xvfb, take the picture while it shows (import -window root) a few seconds after the
// start.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "analysis/T1DAnalysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/ProgramPaths.h"
#include "foundation/Units.h"
#include "tools/ShearBeam.h"
#include "tools/ToolStart.h"
#include "views/membrane/MembraneModeInstall.h"
#include "app/views/TViewm.h"
#include "charts/Tcontrolchart.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "views/BeamModeInstall.h"
#include "views/EmptyCharts.h"
#include "views/StateDiagramsInstall.h"

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    const std::string& out = folders->out;
    const std::string what = argc > 3 ? argv[3] : "3";
    const int set = std::atoi(what.c_str());
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 6;
    InstallBeamMode();
    InstallMembraneMode();  // the one-layer view of the "Mohr's Circles" set
    InstallStateDiagrams(); // its circles, state box and vital signs, as the program draws them
    InstallEmptyCharts();
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    if (std::getenv("QV_US"))
        g_UnitSystem = kUnitUS;
    if (what == "gap") {
        // The sample beam's web with a 1000 x 100 mm flange standing 100 mm above it, on the
        // summary page (an analysis would refuse it).
        const double increment[3] = {0, -100e3, 100e3};
        auto beam = ShearBeam(increment);
        beam->DeleteRegions();
        beam->AddRegion(0.3, 0.2, 1.0, 1.0, 0, 1);
        beam->AddRegion(0.1, -0.3, 0.3, 0.3, 0, 1);
        beam->SetName("Flange apart from its web");
        beam->Validate();
        g_Structures[0] = std::move(beam);
        app.GetClient().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        app.GetMainWindow()->Dispatch(CmId::CrossSection);
        plat::Application::PumpEvents(seconds * 1000);
        return 0;
    }
    const bool forces = what.rfind("forces", 0) == 0;
    const bool noSteel = what == "nm-nosteel" || what == "nine-nosteel";
    if (noSteel) {
        g_QuickDefData = QuickDefineDefaults(0);
        auto beam = std::make_unique<TBeam>();
        BuildQuickDefineSection(*beam);
        beam->DeleteLongLayers(0);
        if (const char* axis = std::getenv("QV_AXIS")) // the moment axis, mm above the bottom
            beam->SetMomentAxis(std::atof(axis) / 1000.0);
        beam->Validate();
        TestSection::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0.0);
        g_Structures[0] = std::move(beam);
    } else if (forces && what != "forces-past") {
        g_QuickDefData = QuickDefineDefaults(0);
        auto beam = std::make_unique<TBeam>();
        BuildQuickDefineSection(*beam);
        TestSection::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 1000.0);
        g_Structures[0] = std::move(beam);
    } else if (what == "forces-past") {
        double increment[3] = {0, -100e3, 100e3};  // a shear span of 1 m
        if (const char* mv = std::getenv("QV_MV"))
            std::sscanf(mv, "%lf,%lf", &increment[1], &increment[2]);
        g_Structures[0] = ShearBeam(increment);
    } else {
        g_Structures[0] = TestSection::MakeBeam();
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    }
    plat::Frame& frame = *app.GetMainWindow();
    frame.Dispatch(CmId::SectionalResponse);
    for (int pass = 0; pass < 5000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    int peak = -1;
    if (TSectionalAnalysis* a = g_Analyses[0].get())
        for (int i = 0; i < a->GetLastStageIndex(); ++i)
            if (a->GetStage(i) == a->GetPeakState())
                peak = i;
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();
    if (noSteel) {
        const int last = g_Analyses[0] ? g_Analyses[0]->GetLastStageIndex() - 1 : 0;
        if (what == "nine-nosteel")
            view.SetNineGraphs(3003);
        else
            view.SetSingleGraph(2002);
        window.SelectLoadStage(0.0, 0.0, std::max(0, last));
        if (const SectionState* s = g_Analyses[0] ? g_Analyses[0]->GetStage(last) : nullptr)
            std::printf("stage %d: N = %.1f kN, M = %.1f kN m\n", last, s->Results[StateResult::AxialForce] / 1000.0,
                        s->Results[StateResult::Moment] / 1000.0);
    } else if (forces) {
        int shown = peak;
        const auto* response = dynamic_cast<const T1DAnalysis*>(g_Analyses[0].get());
        if (what == "forces-early" && response)
            for (int i = 1; i < response->GetLastStageIndex(); ++i) {
                const SectionState* s = response->GetStage(i);
                if (s && response->IsCracked(s) && s->Results[StateResult::Shear] > 10.0) {
                    shown = i;
                    break;
                }
            }
        if (what == "forces-past" && response)
            for (int i = peak + 1; i < response->GetLastStageIndex(); ++i) {
                const SectionState* s = response->GetStage(i);
                const double V = s ? std::fabs(s->ShearBlock[0] * s->ShearBlock[1] * s->ShearBlock[2] *
                                               s->ShearBlock[3]) : 0.0;
                if (s && s->ShearBlock[1] > 0.0 &&
                    std::fabs(s->NvRatio) * V > std::max({V, std::fabs(s->Results[StateResult::CompressiveForce]),
                                                          std::fabs(s->Results[StateResult::TensileForce])})) {
                    shown = i;
                    break;
                }
            }
        view.SetSingleGraph(2003);
        window.SelectLoadStage(0.0, 0.0, shown);
        if (const SectionState* s = g_Analyses[0]->GetStage(shown))
            std::printf("stage %d: V = %.1f kN, N_v ratio %.3f, M = %.1f kN m, C = %.1f kN, T = %.1f kN\n", shown,
                        s->Results[StateResult::Shear] / 1000.0, s->NvRatio,
                        s->Results[StateResult::Moment] / 1000.0,
                        s->Results[StateResult::CompressiveForce] / 1000.0,
                        s->Results[StateResult::TensileForce] / 1000.0);
    } else if (what == "mohr") {
        frame.Dispatch(CmId::NineGraphs);
        window.SelectLoadStage(0.0, 0.0, peak);
        frame.Dispatch(CmId::MohrsCircles);
        plat::Application::PumpEvents(500);
        if (Tcontrolchart* depth = std::getenv("NOPICK") ? nullptr : view.GetControlChart(1)) {
            const ChartTransform& t = depth->Transform();
            depth->EvLButtonDown(0, plat::Point{static_cast<int>(t.xOffset), static_cast<int>(t.yOffset - 150 * t.yScale)});
            depth->EvLButtonUp(0, plat::Point{});
        }
    } else if (what == "copy") {
        frame.Dispatch(CmId::NineGraphs);
        window.SelectLoadStage(0.0, 0.0, peak);
        plat::Application::PumpEvents(500);
        window.EvCommand(CmId::CopyPicture, 0, 0);
        plat::Clipboard::GetPicturePng().SavePng(out + "/copied.png");
    } else if (what == "paste") {
        window.SelectLoadStage(0.0, 0.0, peak);
        frame.Dispatch(CmId::LoadDeformationPlot);
        plat::DialogDriver driver(window);
        driver.SelectString(1102, "N+M");
        driver.Click(1001);
    } else {
        if (peak >= 0)
            g_Analyses[0]->SelectLoadStage(peak);
        view.SetNineGraphs(3000 + set);
    }
    plat::Application::PumpEvents(seconds * 1000);
    return 0;
}
