// The idle-time stepping with a recording window and a clock the test sets.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/GlobalTables.h"
#include "app/IdleScheduler.h"
#include "app/views/PanelLayout.h"
#include "foundation/DateTime.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "support/ScriptedUi.h"
#include "tests/analysis/AnalysisBaseFakes.h"

namespace {

// An analysis that logs its steps and finishes after a given number of them.
class CountingAnalysis final : public FakeAnalysis {
public:
    CountingAnalysis(TStructure* s, int name, int finishAfter, std::vector<int>* log)
        : FakeAnalysis(s), m_name(name), m_finishAfter(finishAfter), m_log(log) {
        SetRunning(1);
    }
    int Step() override {
        m_log->push_back(m_name);
        if (++steps >= m_finishAfter)
            SetRunning(0);
        return 1;
    }
    int steps = 0;

private:
    int m_name;
    int m_finishAfter;
    std::vector<int>* m_log;
};

class RecordingHost final : public TIdleHost {
public:
    int GetLayoutMode() const override { return mode; }
    void ShowResults(const SectionState*, int stage, double x, double y) override {
        ++results;
        EXPECT_EQ(stage, -1);
        EXPECT_EQ(x, kUndefined);
        EXPECT_EQ(y, kUndefined);
    }
    void FillControlCharts() override { ++controlFills; }
    void InvalidateCorner() override { ++corners; }
    void ViewIdle() override { ++viewIdles; }
    int GetIdleDebugLevel() const override { return debugLevel; }

    int mode = LayoutMode::NineGraphs;
    int debugLevel = 0;
    int results = 0, controlFills = 0, corners = 0, viewIdles = 0;
};

class IdleSchedulerTest : public ::testing::Test {
protected:
    IdleSchedulerTest() : m_clock([this] { return now; }) {
        for (auto& a : g_Analyses)
            a.reset();
    }
    ~IdleSchedulerTest() override {
        for (auto& a : g_Analyses)
            a.reset();
        g_CurrentAnalysis = 0;
    }
    CountingAnalysis* Put(int slot, int finishAfter) {
        auto a = std::make_unique<CountingAnalysis>(&beam, slot, finishAfter, &steps);
        CountingAnalysis* raw = a.get();
        g_Analyses[static_cast<std::size_t>(slot)] = std::move(a);
        return raw;
    }
    // One pass at the clock reading t (milliseconds).
    bool PassAt(std::uint64_t t, long idleCount = 0, bool base = false) {
        now = t;
        return StepRunningAnalyses(idleCount, base, host);
    }

    std::uint64_t now = 1'000'000;
    TBeam beam;
    std::vector<int> steps;
    RecordingHost host;
    ScriptedUi ui;

private:
    ScopedTimerSource m_clock;
};

} // namespace

TEST_F(IdleSchedulerTest, WithNothingRunningTheBaseAnswerStands) {
    Put(4, 1)->Step();  // already finished
    steps.clear();
    EXPECT_FALSE(PassAt(now, 0, false));
    EXPECT_TRUE(PassAt(now, 0, true));
    EXPECT_TRUE(steps.empty());
    // Idle counts up to 5 leave the view manager alone; 6 calls it.
    for (long count = 0; count <= 6; ++count)
        PassAt(now, count);
    EXPECT_EQ(host.viewIdles, 1);
    EXPECT_EQ(host.results + host.controlFills + host.corners, 0);
}

// Slots 3 and 7 run, 7 is current: both step once per pass in slot order; only 7 redraws, its
// panels after 0.51 s and its control charts after 0.21 s.
TEST_F(IdleSchedulerTest, EveryRunningSlotStepsOnceAndOnlyTheCurrentOneRedrawsAtItsRates) {
    Put(3, 100);
    Put(7, 100);
    g_CurrentAnalysis = 7;
    const std::uint64_t t0 = now;
    EXPECT_TRUE(PassAt(t0));
    EXPECT_EQ(steps, (std::vector<int>{3, 7}));
    EXPECT_EQ(host.corners, 1);  // nothing elapsed: only the corner is invalidated
    EXPECT_EQ(host.results + host.controlFills, 0);

    PassAt(t0 + 200);  // 20 hundredths: not yet
    EXPECT_EQ(host.controlFills, 0);
    PassAt(t0 + 210);  // 21: control charts
    EXPECT_EQ(host.controlFills, 1);
    EXPECT_EQ(host.results, 0);
    PassAt(t0 + 500);  // 50: panels not yet; control charts again (29)
    EXPECT_EQ(host.results, 0);
    EXPECT_EQ(host.controlFills, 2);
    PassAt(t0 + 510);  // 51: panels
    EXPECT_EQ(host.results, 1);
    EXPECT_EQ(host.controlFills, 2);
    EXPECT_EQ(steps.size(), 10u);
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], i % 2 == 0 ? 3 : 7);

    // Slot 3 is not current: however often it runs, it never redraws.
    g_CurrentAnalysis = 5;
    const int before = host.results + host.controlFills + host.corners;
    PassAt(t0 + 5000);
    EXPECT_EQ(host.results + host.controlFills + host.corners, before);
}

TEST_F(IdleSchedulerTest, TheLastStepGetsOneFinalRedrawAndTheBenchmarkBoxOnlyAtLevelTen) {
    for (int level : {9, 10, 11}) {
        host = RecordingHost{};
        host.debugLevel = level;
        Put(2, 2);
        g_CurrentAnalysis = 2;
        if (level == 10)
            ui.Message("total wall time in milliseconds 1230", MsgAnswer::Ok);
        PassAt(now);
        now += 1230;  // the run takes 1.23 s; both channels are due
        PassAt(now);
        EXPECT_EQ(host.results, 2) << level;       // the throttled one and the final one
        EXPECT_EQ(host.controlFills, 2) << level;  // likewise
        PassAt(now + 10000);  // finished: no more steps, no more redraws
        EXPECT_EQ(host.results, 2) << level;
    }
    EXPECT_EQ(ui.Count("Benchmark"), 0);  // the caption, not the text
    ASSERT_EQ(ui.Count("total wall time"), 1);
    for (const UiRequest& r : ui.requests)
        if (r.text.find("total wall time") != std::string::npos) {
            EXPECT_EQ(r.caption, "Benchmark Information");
            EXPECT_EQ(r.style, MsgStyle::Ok);
        }
}

TEST_F(IdleSchedulerTest, PushoverRebuildsTheMemberCurvesBeforeTheThrottledRedraw) {
    struct CurveAnalysis final : FakeAnalysis {
        explicit CurveAnalysis(TStructure* s) : FakeAnalysis(s) { SetRunning(1); }
        void BuildResultCurves() override { ++builds; }
        int builds = 0;
    };
    auto* a = new CurveAnalysis(&beam);
    g_Analyses[0].reset(a);
    g_CurrentAnalysis = 0;
    host.mode = LayoutMode::Pushover;
    PassAt(now + 510);
    host.mode = LayoutMode::NineGraphs;
    PassAt(now + 1100);
    EXPECT_EQ(a->builds, 1);
    EXPECT_EQ(host.results, 2);
}

// A clock that went back past midnight (by more than 8,500,000 hundredths) fires at once.
TEST_F(IdleSchedulerTest, AClockWrapFiresTheIntervals) {
    now = 100'000'000;  // 10,000,000 hundredths
    Put(1, 100);
    g_CurrentAnalysis = 1;
    PassAt(0);
    EXPECT_EQ(host.results, 1);
    EXPECT_EQ(host.controlFills, 1);
}
