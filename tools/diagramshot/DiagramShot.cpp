// Shows the program's main window with a nine-graph set of a solved beam for a screenshot: the
// test beam with stirrups under moment and shear, solved to its end, the stage of the largest
// load selected.
//
//   qv_diagramshot <program folder> <output folder> [set 0-5] [seconds]
//
// Under Xvfb, take the picture while it shows (import -window root) a few seconds after the
// start.

#include <cstdlib>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/ProgramPaths.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "views/BeamModeInstall.h"

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string programDir = std::string(argv[1]) + "/";
    const std::string out = argv[2];
    const int set = argc > 3 ? std::atoi(argv[3]) : 3;
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 6;
    plat::EnsureGuiRuntime(argc, argv);
    InstallBeamMode();
    SetUserConfigDir(out);
    TQuarvishApp app(programDir);
    app.InitMainWindow();
    g_Structures[0] = TestSection::MakeBeam();
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    plat::Frame& frame = *app.GetMainWindow();
    frame.Dispatch(CmId::SectionalResponse);
    for (int pass = 0; pass < 5000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    if (TSectionalAnalysis* a = g_Analyses[0].get())
        for (int i = 0; i < a->GetLastStageIndex(); ++i)
            if (a->GetStage(i) == a->GetPeakState())
                a->SelectLoadStage(i);
    app.GetClient().GetViewManager().SetNineGraphs(3000 + set);
    plat::Application::PumpEvents(seconds * 1000);
    return 0;
}
