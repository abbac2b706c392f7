// The real main window runs a sectional response step by step in its idle passes.

#include <gtest/gtest.h>

#include <cstdint>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "foundation/DateTime.h"
#include "foundation/TDepthTable.h"
#include "platform/Ui.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"

namespace {

// A beam mode object that counts the panel refreshes and control-chart fills it is asked for.
// The window's own paints draw the panel texts too; a refresh is a draw outside a paint.
class CountingBeamLogic final : public TBeamStandIn_Logic {
public:
    CountingBeamLogic() : TBeamStandIn_Logic(nullptr, nullptr) {}
    int PaintPanelText(plat::DC&, int, int, int) override { return plat::Painting() ? refreshes : ++refreshes; }
    void FillControlChart(Tcontrolchart*, int which, int) override { controlFills += which == 1; }
    int refreshes = 0;
    int controlFills = 0;
};

// An analysis that reads a table of the section's depths below its bottom at every step, as a
// fault in a solver would, for 100 steps; its set-up reads it twice when asked to.
class TableOverrunAnalysis final : public FakeAnalysis {
public:
    TableOverrunAnalysis(TStructure* s, bool inSetUp) : FakeAnalysis(s) {
        m_table.Add(0.3, 1.0);
        m_table.Add(-0.3, 2.0);
        if (inSetUp)
            Overrun(), Overrun();
        SetRunning(1);
    }
    int Step() override {
        ++steps;
        Overrun();
        if (steps >= 100)
            SetRunning(0);
        return 1;
    }
    int steps = 0;

private:
    void Overrun() { m_table.InterpolateAtDepth(-0.31 - 0.01 * m_overruns++); }
    TDepthTable m_table;
    int m_overruns = 0;
};

} // namespace

// A message repeated by an analysis run (the same text but for its numbers, here the depth
// outside a table) is shown once; the run stops when it comes again, by a step or in the set-up.
// A new run shows the message once again.
TEST_F(ShellTest, AMessageAnAnalysisRepeatsIsShownOnceAndStopsTheRun) {
    Start();
    g_Structures[0] = TestSection::MakeBeam();
    const auto boxes = [this](const std::string& fragment) { return ui.Count(fragment); };
    TableOverrunAnalysis* a = nullptr;
    const auto solve = [&](bool inSetUp) {
        ui.Message("Out of depth range", MsgAnswer::Ok);
        Window().Solve([&a, inSetUp](TStructure& s) {
            auto made = std::make_unique<TableOverrunAnalysis>(&s, inSetUp);
            a = made.get();
            return made;
        });
        for (long pass = 0; pass < 200 && a->IsRunning(); ++pass)
            Window().IdleAction(pass);
    };

    solve(false);
    EXPECT_FALSE(a->IsRunning());
    EXPECT_EQ(a->steps, 2);
    EXPECT_EQ(boxes("Out of depth range in table: var Default constructor made me!, depth -0.310"), 1);
    EXPECT_EQ(boxes("Out of depth range"), 1);

    solve(false);
    EXPECT_EQ(a->steps, 2);
    EXPECT_EQ(boxes("Out of depth range"), 2);

    solve(true);
    EXPECT_FALSE(a->IsRunning());
    EXPECT_EQ(a->steps, 0);
    EXPECT_EQ(boxes("Out of depth range"), 3);
    EXPECT_TRUE(ui.Done());
}

TEST_F(ShellTest, ASectionalResponseRunsInIdlePassesWithThrottledRedraws) {
    std::uint64_t now = 5'000'000;
    ScopedTimerSource clock([&now] { return now; });
    Start();
    Window().MoveWindow(plat::Rect{0, 0, 640, 480});
    g_Structures[0] = TestSection::MakeBeam();
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 0);
    auto logic = std::make_unique<CountingBeamLogic>();
    CountingBeamLogic* counts = logic.get();
    Window().GetViewManager().InstallLogic(std::move(logic));

    Frame().Dispatch(CmId::CrossSection);  // the summary page; the solve brings the nine graphs
    counts->refreshes = 0;                  // the summary page refreshed its material charts
    Frame().Dispatch(CmId::SectionalResponse);
    ASSERT_EQ(Window().GetViewManager().GetLogic(), counts);  // kept: the beam mode
    for (int i = 0; i < 9; ++i)
        EXPECT_NE(Window().GetViewManager().GetChart(i), nullptr) << i;
    TSectionalAnalysis* a = g_Analyses[0].get();
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(a->IsRunning());
    EXPECT_EQ(counts->refreshes, 1);  // the solve shows the new analysis once
    EXPECT_EQ(counts->controlFills, 2);  // the solve's, and the nine-graph layout's on entering it

    // A pass every 0.1 s: panels every sixth pass (51 hundredths), control charts every third.
    int passes = 0;
    while (a->IsRunning() && passes < 1000) {
        now += 100;
        EXPECT_TRUE(Window().IdleAction(passes));
        ++passes;
    }
    ASSERT_FALSE(a->IsRunning());
    EXPECT_GT(passes, 10);
    EXPECT_EQ(a->GetErrorCount(), 0);
    EXPECT_EQ(counts->refreshes, 1 + passes / 6 + 1);
    EXPECT_EQ(counts->controlFills, 2 + passes / 3 + 1);
    // Finished: further passes step nothing and redraw nothing.
    EXPECT_FALSE(Window().IdleAction(0));
    EXPECT_EQ(counts->refreshes, 1 + passes / 6 + 1);
}
