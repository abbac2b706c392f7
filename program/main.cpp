// The program's entry point: installs the modes, result views and input dialogs into the
// application shell, starts the window runtime and hands over to the application.

#include "app/TQuarvishApp.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "platform/Application.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/BeamModeInstall.h"
#include "views/EmptyCharts.h"
#include "views/StateDiagramsInstall.h"

int main(int argc, char** argv) {
    plat::EnsureGuiRuntime(argc, argv);
    InstallBeamMode();
    InstallMembraneMode();
    InstallStateDiagrams();
    InstallEmptyCharts();
    InstallSectionDialogs();
    InstallMaterialReinforcementDialogs();
    InstallQuickDefineDialogs();
    InstallMemberDialogs();
    return QuarvishMain(plat::Application::Arguments(), plat::Application::ProgramDirectory());
}
