// Walks the loads of a membrane element in the main window as a user gives them, with a picture
// of the whole screen at each step: Loads > Sectional Loads shown for real and typed through the
// X server (xdotool: the keys go to the field holding the focus, Tab to the next field in the
// dialog's order constant N_xx, increment N_xx, constant N_yy, ..., and Return for OK), then
// Solve > Sectional Response and the nine graphs, and File > Save.
//
//   qv_membraneloadswalk <program folder> <output folder> type <document> c1 i1 c2 i2 c3 i3 [units]
//       opens the document (PV19 current), types the six values in the dialog's tab order,
//       shows the dialog again, solves, saves the document over itself
//   qv_membraneloadswalk <program folder> <output folder> reopen <document> [units]
//       a later run: opens the document, shows the dialog, solves, and saves it again
// units is SI, US or kgcm, the unit system the run works in once the document is open (as the
// preferences would set it); without it the run keeps the document's.
//   qv_membraneloadswalk <program folder> <output folder> panels <document>
//       writes a document of the built-in panels PV19 to PV21 and a copy of PV21 named PV22
//
// Each step prints what the element stores and, after a solve, its stages, its peak and the
// status texts.
// Needs an X display (run under xvfb-run), "import" and "xdotool".

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Units.h"
#include "membrane/MembraneState.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "views/membrane/MembraneModeInstall.h"

namespace {

ShotNames g_names;

void Shot(const std::string& name)
{
    ScreenShot(g_names.Next(name));
}

// A helper in the background waits for "Define Loading", pictures it, runs the keys, pictures it
// again and ends it with the last key.
void WorkLoadsDialog(const std::string& keys, const std::string& end)
{
    const std::string before = g_names.Next("loads-dialog-shown");
    const std::string after = g_names.Next("loads-dialog-typed");
    const std::string script =
        "sleep 2; xdotool search --sync --name 'Define Loading' >/dev/null; sleep 1;"
        " import -window root '" +
        before + "'; " + keys +
        " sleep 1;"
        " import -window root '" +
        after + "'; xdotool key " + end;
    std::system(("(" + script + ") &").c_str());
    std::printf("dialog %s %s\n", before.c_str(), after.c_str());
    std::fflush(stdout);
}

void PrintStored(const TQuarvishWindow& window, const char* when)
{
    const TStructure* s = window.GetCurrentStructure();
    double c[3] = {}, i[3] = {};
    s->GetConstantLoads(c, 3);
    s->GetIncrementLoads(i, 3);
    std::printf("%s: %s stores constant N_xx %g, N_yy %g, N_xy %g; increment N_xx %g, N_yy %g, "
                "N_xy %g (N/m)\n",
                when,
                s->GetName().c_str(),
                c[0],
                c[1],
                c[2],
                i[0],
                i[1],
                i[2]);
    std::fflush(stdout);
}

void SolveAndShow(TQuarvishApp& app, const std::string& name)
{
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    frame.Dispatch(CmId::SectionalResponse);
    for (long pass = 0;
         pass < 5000 && window.GetCurrentAnalysis() && window.GetCurrentAnalysis()->IsRunning();
         ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
    frame.Dispatch(CmId::NineGraphs);
    const TSectionalAnalysis* a = window.GetCurrentAnalysis();
    int stages = 0, peakAt = -1;
    const SectionState* peak = a ? a->GetPeakState() : nullptr;
    for (int i = 0; a && i <= a->GetLastStageIndex(); ++i)
        if (const SectionState* s = a->GetStage(i)) {
            ++stages;
            if (s == peak)
                peakAt = i;
        }
    std::printf("solved: errors %d, stages %d", a ? a->GetErrorCount() : -1, stages);
    if (peak) {
        const LayerNodeStateRec& n = *ElementNode(*peak);
        std::printf(", peak at stage %d: e_x %.3f e_y %.3f g_xy %.3f mm/m; f_x %.2f f_y %.2f v_xy "
                    "%.2f MPa; "
                    "load factor %.1f",
                    peakAt,
                    n.StrainX * 1e3,
                    n.StrainZ * 1e3,
                    n.ShearStrain * 1e3,
                    peak->Result(MembraneResult::SigmaX) / 1e6,
                    peak->Result(MembraneResult::SigmaY) / 1e6,
                    peak->Result(MembraneResult::TauXY) / 1e6,
                    peak->Result(MembraneResult::LoadFactor));
    }
    std::printf("\nstatus: %s | %s | %s\n",
                frame.GetGadgetText(GadgetId::Status1).c_str(),
                frame.GetGadgetText(GadgetId::Status2).c_str(),
                frame.GetGadgetText(GadgetId::Status3).c_str());
    std::fflush(stdout);
    Shot(name);
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 5);
    if (!folders)
        return 2;
    g_names.SetFolder(folders->out);
    const std::string mode = argv[3];
    const std::string document = argv[4];
    InstallBeamMode();
    InstallStateDiagrams();
    InstallMembraneMode();
    InstallSectionDialogs();
    plat::UiReporterScope reporter; // the analyses' messages as boxes
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    frame.ShowFrame(3);

    if (mode == "panels") {
        for (int example = 1; example <= 3; ++example)
            g_Structures[static_cast<std::size_t>(example - 1)] = std::make_unique<TShell>(example);
        g_Structures[3] = std::make_unique<TShell>(3);
        g_Structures[3]->SetName("PV22");
        return window.WriteDocument(document) ? 0 : 1;
    }

    app.OpenFile(document);
    // A document opened takes its own unit system; the run's choice is made after it.
    const int unitsArg = mode == "type" ? 11 : 5;
    if (argc > unitsArg) {
        const std::string units = argv[unitsArg];
        g_UnitSystem = units == "US" ? kUnitUS : units == "kgcm" ? kUnitOldMetric : kUnitSI;
    }
    Shot(mode + "-opened");
    std::printf("units: %s\n", g_UnitSystemNames[static_cast<std::size_t>(g_UnitSystem)]);
    PrintStored(window, "opened");
    if (mode == "type" && argc >= 11) {
        std::string keys;
        for (int i = 5; i < 11; ++i)
            keys += std::string("xdotool key ctrl+a; xdotool type -- '") + argv[i] +
                    "'; xdotool key Tab; ";
        WorkLoadsDialog(keys, "Return");
        frame.Dispatch(CmId::SectionalLoads);
        PrintStored(window, "after OK");
    }
    WorkLoadsDialog("", "Escape");
    frame.Dispatch(CmId::SectionalLoads);
    SolveAndShow(app, mode + "-solved-nine-graphs");
    frame.Dispatch(CmId::FileSave);
    std::printf("saved %s\n", app.GetFileName().c_str());
    Shot(mode + "-saved");
    return 0;
}
