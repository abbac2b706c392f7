// Shows the program's main window with the "Thermal Conditions" nine-graph set of a beam
// after a fire, for a screenshot: a rectangular beam (depth x width in mm, 400 x 250 unless
// given) with three 25 mm bars, exposed to the ISO 834 fire from below and on both sides for
// the minutes given (90 unless given).
//
//   qv_fireshot <program folder> <output folder> [depth mm] [width mm] [minutes] [seconds]
//
// Under Xvfb, take the picture while it shows (import -window root) a few seconds after the
// start.

#include <cstdlib>
#include <optional>
#include <string>

#include "app/DocumentEngine.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/ProgramPaths.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    const double depth = (argc > 3 ? std::atof(argv[3]) : 400.0) / 1000.0;
    const double width = (argc > 4 ? std::atof(argv[4]) : 250.0) / 1000.0;
    const double minutes = argc > 5 ? std::atof(argv[5]) : 90.0;
    const int seconds = argc > 6 ? std::atoi(argv[6]) : 6;
    InstallBeamMode();
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    const FireData fire{kExposeBottom | kExposeSides, kISO834Fire, kMildSteel, minutes * 60.0, 1000.0};
    g_Structures[0] = firetest::FireBeam(width, depth, fire, 3, true);
    g_CurrentStructure = 0;
    ThermalAnalysis(g_Structures[0].get(), ProgramStructureSlots());
    g_CurrentStructure = 0;
    app.GetClient().GetViewManager().SetNineGraphs(3005);
    plat::Application::PumpEvents(seconds * 1000);
    return 0;
}
