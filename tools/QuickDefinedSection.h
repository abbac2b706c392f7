#pragma once
// The section quick-defined with the defaults of a unit system (SI unless told), as the
// picture tools start from it: put in slot 0, made the current structure and shown in the beam
// mode. False when it cannot be built.

#include <memory>

#include "app/GlobalTables.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"

inline bool ShowQuickDefinedSection(TQuarvishWindow& window, int unitSystem = 0)
{
    g_QuickDefData = QuickDefineDefaults(unitSystem);
    auto beam = std::make_unique<TBeam>();
    if (BuildQuickDefineSection(*beam) != 1)
        return false;
    g_Structures[0] = std::move(beam);
    g_CurrentStructure = g_CurrentAnalysis = 0;
    window.GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    return true;
}
