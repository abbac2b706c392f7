#pragma once
// The real main window with the beam mode, a beam under moment and shear in slot 0 shown at
// 1024 x 768, and the tool bar's "Dbg" to enter a debug level: the debug displays' tests and
// the "View Data" roads start here.

#include <gtest/gtest.h>

#include <string>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "foundation/Diagnostics.h"
#include "foundation/Units.h"
#include "platform/Frame.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

struct BeamShellAtDebugLevels : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

    ~BeamShellAtDebugLevels() override {
        SetDebugLevel(0);
        SetBeamLogicFactory(std::move(previous));
    }

    void SetUp() override {
        StartedShellTest::SetUp();
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = TestSection::MakeBeam();
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    }

    // "Dbg" on the tool bar, answered with the level.
    void EnterDebugLevel(int level) {
        EnterDebugAnswer(std::to_string(level));
        EXPECT_EQ(Window().GetDebugLevel(), level);
    }
    // "Dbg" on the tool bar, answered with the text as typed.
    void EnterDebugAnswer(const std::string& typed) {
        ui.Input("Enter Debug Mode (0,1,2,3)", typed);
        Frame().UpdateToolBar();  // as the idle pass does
        plat::FrameDriver(Frame()).ClickToolButton(CmId::DebugMode);
    }
};
