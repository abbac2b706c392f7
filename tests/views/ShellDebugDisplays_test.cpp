// The debug levels entered with the tool bar's "Dbg" in the real main window, with a beam under
// moment and shear solved by "Sectional Response": level 1 asks after every layer solution
// whether to leave debug mode on, showing the state solved (No ends debug mode), level 2 shows
// the dual-section dump beside the state, and level 3 shows the long-term set-up's block of
// time-dependent results.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "foundation/WorkerPool.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/BeamShellAtDebugLevels.h"
#include "tools/ShearBeam.h"
#include "model/TBeam.h"
#include "views/BeamModeInstall.h"

namespace {

constexpr int kMomentGadget = 406;
constexpr const char* kNotShown = "not shown";

struct DebugDisplays : BeamShellAtDebugLevels {
    // "Sectional Response": the analysis stands in the current slot from then on (the window
    // shows no state of an analysis it does not hold yet), and the command shows its state.
    TSectionalAnalysis* Solve() {
        Frame().Dispatch(CmId::SectionalResponse);
        return Window().GetCurrentAnalysis();
    }
    // What the status bar shows of the moment of the state shown.
    std::string MomentShown() { return Frame().GetGadgetText(kMomentGadget); }

    // The pixels of the window's picture that differ from what a whole repaint of the window
    // draws: the picture as it stands (what waits to be painted, painted first) against the
    // window invalidated and painted again.
    static int PixelsNotOfAWholePicture(plat::Window& window, const plat::Rect& part) {
        const plat::Image shown = window.BackingImage();
        window.Invalidate(true);
        window.UpdateWindow();
        const plat::Image& whole = window.BackingImage();
        int differing = 0;
        for (int y = std::max(part.top, 0); y < std::min(part.bottom, shown.Height()); ++y)
            for (int x = std::max(part.left, 0); x < std::min(part.right, shown.Width()); ++x)
                if (shown.Pixel(x, y) != whole.Pixel(x, y))
                    ++differing;
        return differing;
    }
    // The left panel (the window's own control panel, where the views paint nothing) and the
    // charts of the page: the control charts on it and the crack diagram among the graphs.
    void ExpectWholePictures(const std::string& when) {
        TViewm_2k& views = Window().GetViewManager();
        const plat::Rect client = Window().GetClientRect();
        plat::Rect panel{0, 0, client.Width(), client.Height()};
        if (Tchart* first = views.GetChart(0))
            panel.right = first->GetWindowRect().left;
        EXPECT_EQ(PixelsNotOfAWholePicture(Window(), panel), 0) << when << ": left panel";
        for (int which = 0; which < 2; ++which)
            if (Tcontrolchart* chart = views.GetControlChart(which); chart && chart->IsCreated()) {
                EXPECT_EQ(PixelsNotOfAWholePicture(*chart, chart->GetClientRect()), 0)
                    << when << ": control chart " << which;
            }
        bool crackDiagram = false;
        for (int i = 0; i < 9; ++i)
            if (Tchart* chart = views.GetChart(i); chart && chart->Kind() == 6 && chart->IsCreated()) {
                crackDiagram = true;
                EXPECT_EQ(PixelsNotOfAWholePicture(*chart, chart->GetClientRect()), 0) << when << ": crack diagram";
            }
        EXPECT_TRUE(crackDiagram) << when;
    }
};

TEST_F(DebugDisplays, LevelOneAsksAfterEveryLayerSolutionAndNoEndsDebugMode) {
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    EnterDebugLevel(1);
    Frame().SetGadgetText(kMomentGadget, kNotShown);  // the solve showed its own state
    std::string during;
    const auto seen = [&] { during = MomentShown(); };
    ui.While(seen).Message("Debug On:\n", MsgAnswer::Yes);
    ui.Message("Debug On:\n", MsgAnswer::Yes);
    ui.Message("Debug On:\n", MsgAnswer::No);
    RunToFinish(*a, 5000);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count("Debug On:\n"), 3);  // none after No
    for (const UiRequest& r : ui.requests)
        if (r.kind == "message") {
            EXPECT_EQ(r.text.rfind("Debug On:\n", 0), 0u);
            EXPECT_EQ(r.text.substr(r.text.size() - 10), "\nLeave on?");
            EXPECT_EQ(r.style, MsgStyle::YesNo | MsgStyle::IconStop);
        }
    // The state solved stood in the views while the question was asked.
    EXPECT_EQ(during.rfind("M : ", 0), 0u) << during;
    EXPECT_EQ(GetDebugLevel(), 0);
    EXPECT_EQ(Window().GetDebugLevel(), 0);
}

TEST_F(DebugDisplays, LevelTwoShowsTheDualSectionDumpBesideTheState) {
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    EnterDebugLevel(2);
    Frame().SetGadgetText(kMomentGadget, kNotShown);
    std::string dump, during;
    ui.DataView([&](std::string& text) {
        dump = text;
        during = MomentShown();
        SetDebugLevel(0);  // one dump is enough
        return true;
    });
    RunToFinish(*a, 5000);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(dump.rfind("Dual Section results\r\n\r\n\r\n cross section limits: ", 0), 0u) << dump;
    EXPECT_NE(dump.find(" mm\r\nError number: "), std::string::npos) << dump;
    EXPECT_EQ(during.rfind("M : ", 0), 0u) << during;
}

// What the left panel, its control charts and the crack diagram show while the question or the
// dump is up, and once it is answered, is a whole picture of the state shown: nothing that an
// earlier picture, a marker or the convergence trace left, nothing half painted.
TEST_F(DebugDisplays, TheLeftPanelAndTheCrackDiagramHoldWholePicturesAroundEveryDisplay) {
    // One worker: a trace drawn by a parallel step waits for the main thread, so with several
    // the questions a trace comes before would hang on the machine's load.
    struct OneWorker {
        int before = GetWorkerCount();
        OneWorker() { SetWorkerCount(1); }
        ~OneWorker() { SetWorkerCount(before); }
    } oneWorker;
    Frame().ShowFrame(1);
    plat::Application::SettleEvents();
    Frame().SetFrameRect(plat::Rect{0, 0, 1024, 768});
    plat::Application::SettleEvents();
    // Two-legged stirrups, loaded in moment and shear: its iterations take several steps.
    const double increment[3] = {0, -150e3, 100e3};
    g_Structures[0] = ShearBeam(increment);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    plat::Application::SettleEvents();
    // The level is entered before the run: the events a shown window runs would otherwise
    // take it some way at level 0 first, as far as the machine's load lets them.
    EnterDebugLevel(1);
    // The convergence traces go on drawing over the panel as before; a picture is checked at
    // the first question and at every question after a trace was drawn.
    int traced = 0;
    struct HookBack {
        DebugLineHook draw = SetDebugLineHook({});
        ~HookBack() { SetDebugLineHook(std::move(draw)); }
    } window;
    SetDebugLineHook([&](int x1, int y1, int x2, int y2) {
        ++traced;
        window.draw(x1, y1, x2, y2);
    });
    int asked = 0, checked = 0, tracedWhenChecked = -1;
    const auto check = [&] {
        ++asked;
        if (traced == tracedWhenChecked)
            return;
        tracedWhenChecked = traced;
        ++checked;
        ExpectWholePictures("question " + std::to_string(asked));
    };
    for (int i = 0; i < 319; ++i)
        ui.While(check).Message("Debug On:\n", MsgAnswer::Yes);
    ui.While(check).Message("Debug On:\n", MsgAnswer::No);
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    RunToFinish(*a, 5000);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(asked, 320);
    EXPECT_GT(checked, 10);  // the run iterates from about the 240th question on

    // Level 2: the dump of the next run, and the picture after it once the run goes on.
    a = Solve();
    ASSERT_NE(a, nullptr);
    EnterDebugLevel(2);
    int dumps = 0;
    ui.DataView([&](std::string&) {
        ExpectWholePictures("dump " + std::to_string(++dumps));
        return true;
    });
    ui.DataView([&](std::string&) {
        ExpectWholePictures("dump " + std::to_string(++dumps));
        return true;
    });
    ui.DataView([&](std::string&) {
        ExpectWholePictures("dump " + std::to_string(++dumps));
        SetDebugLevel(0);
        return true;
    });
    RunToFinish(*a, 5000);
    EXPECT_EQ(dumps, 3);
    ExpectWholePictures("after the run");
}

TEST_F(DebugDisplays, LevelThreeShowsTheLongTermBlockOfTheReport) {
    // Sustained for 28 days under 50 kN m.
    dynamic_cast<TBeam&>(*g_Structures[0]).SetTimeData(1, 28.0, -50e3, 0.0);
    EnterDebugLevel(3);
    std::string block;
    ui.DataView([&](std::string& text) {
        block = text;
        SetDebugLevel(0);
        return true;
    });
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(ui.Done());
    // The block with its units and, at a debug level, a line for each of the three layers and
    // the two strain solutions.
    EXPECT_EQ(block.rfind("Time Dependent Effects Results\r\n-------------------------\r\nShrinkage Strain: ", 0),
              0u)
        << block;
    EXPECT_NE(block.find(std::string(" ") + UnitLabel(ukStrain) + "\r\nv/s "), std::string::npos) << block;
    EXPECT_NE(block.find(" mm    ks = "), std::string::npos) << block;
    EXPECT_NE(block.find("Creep factor: "), std::string::npos) << block;
    std::size_t layers = 0;
    for (std::size_t at = block.find("Relax factor bar type L: "); at != std::string::npos;
         at = block.find("Relax factor bar type L: ", at + 1))
        ++layers;
    EXPECT_EQ(layers, 3u);
    EXPECT_NE(block.find("\r\nInitial strain solution: phi="), std::string::npos) << block;
    EXPECT_NE(block.find("\r\nSecond strain solution: phi="), std::string::npos) << block;
}

// "Dbg" answered 10, then "Sectional Response" run by the window's idle passes until it stands
// finished: the run's end shows one "Benchmark Information" box with the run's wall time (a
// count of milliseconds, never below 0). At 9 and 11 the same run shows no such box (only the
// change of control variable that every level above 0 tells of), and at an answer that begins
// with no number (level 0) none at all.
TEST_F(DebugDisplays, LevelTenShowsTheWallTimeOnceWhenTheRunFinishes) {
    struct Answer {
        const char* typed;
        int level;
    };
    for (const Answer& answer : {Answer{"10", 10}, Answer{"9", 9}, Answer{"11", 11}, Answer{"abc", 0}}) {
        SCOPED_TRACE(answer.typed);
        SetDebugLevel(3);  // the answer, not the level before it, decides
        EnterDebugAnswer(answer.typed);
        ASSERT_TRUE(ui.Done());
        EXPECT_EQ(Window().GetDebugLevel(), answer.level);
        ui.requests.clear();
        // Above level 0 the run says once where it changes its control variable.
        if (answer.level != 0)
            ui.Message("Switching from M to Vxz control variable", MsgAnswer::Ok);
        if (answer.level == 10)
            ui.Message("total wall time in milliseconds ", MsgAnswer::Ok);
        TSectionalAnalysis* a = Solve();
        ASSERT_NE(a, nullptr);
        for (long pass = 0; pass < 100000 && a->IsRunning(); ++pass)
            Window().IdleAction(pass);
        ASSERT_FALSE(a->IsRunning());
        EXPECT_GT(a->GetLastStageIndex(), 5);
        // More idle passes after the end show nothing more.
        for (long pass = 0; pass < 20; ++pass)
            Window().IdleAction(pass);
        EXPECT_TRUE(ui.Done());
        int boxes = 0;
        for (const UiRequest& r : ui.requests) {
            EXPECT_EQ(r.kind, "message") << r.text;
            if (r.caption != "Benchmark Information")
                continue;
            ++boxes;
            EXPECT_EQ(r.style, MsgStyle::Ok);
            const std::string head = "total wall time in milliseconds ";
            ASSERT_EQ(r.text.rfind(head, 0), 0u) << r.text;
            const std::string number = r.text.substr(head.size());
            EXPECT_FALSE(number.empty());
            EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << r.text;
        }
        EXPECT_EQ(boxes, answer.level == 10 ? 1 : 0);
        EXPECT_EQ(static_cast<int>(ui.requests.size()), boxes + (answer.level != 0 ? 1 : 0));
    }
}

}  // namespace
