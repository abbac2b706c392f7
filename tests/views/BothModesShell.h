#pragma once
// A started shell with the beam and membrane modes installed, as the program has them, and no
// document engine; the member settings, the units (SI) and the state diagrams are put back after
// each test, and the window stands at 1024 x 768.

#include "app/views/TViewm.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/membrane/MembraneModeInstall.h"

struct BothModesShellTest : StartedShellTest {
    BeamLogicFactory previousBeam = InstallBeamMode();
    TDocumentEngine* previousEngine = SetDocumentEngine(nullptr);
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    StateDiagramsGuard diagrams;

    BothModesShellTest() { InstallMembraneMode(); }
    void SetUp() override
    {
        StartedShellTest::SetUp();
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    }
    ~BothModesShellTest() override
    {
        SetDocumentEngine(previousEngine);
        SetBeamLogicFactory(std::move(previousBeam));
        SetMembraneLogicFactory({});
    }

    TViewm_2k& View() { return Window().GetViewManager(); }
};
