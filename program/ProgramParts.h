#pragma once
// What the program installs into the application shell at start: the beam and membrane modes,
// the result views and the input dialogs. The program's walk tools install the same.

#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "views/BeamModeInstall.h"
#include "views/EmptyCharts.h"
#include "views/StateDiagramsInstall.h"
#include "views/membrane/MembraneModeInstall.h"

inline void InstallProgramParts()
{
    InstallBeamMode();
    InstallMembraneMode();
    InstallStateDiagrams();
    InstallEmptyCharts();
    InstallSectionDialogs();
    InstallMaterialReinforcementDialogs();
    InstallQuickDefineDialogs();
    InstallMemberDialogs();
}
