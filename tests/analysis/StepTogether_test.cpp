#include "analysis/StepTogether.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/T1DAnalysis.h"
#include "foundation/WorkerPool.h"
#include "tests/analysis/AnalysisBaseFakes.h"

namespace {

// A running analysis whose step takes a fixed time and counts itself; its peak load factor is
// whatever the test gives it. A step entered while another is under way is counted as an
// overlap.
class SlowAnalysis : public T1DAnalysis {
public:
    SlowAnalysis(const TBeam* beam, double peak, std::mutex& orderMutex, std::vector<int>& order, int id)
        : T1DAnalysis(beam, 0), m_orderMutex(orderMutex), m_order(order), m_id(id)
    {
        MaxLoadFactor = peak;
        Running = 1;
    }
    int Step() override
    {
        if (m_busy.exchange(true))
            ++overlaps;
        {
            const std::lock_guard lock(m_orderMutex);
            m_order.push_back(m_id);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
        ++steps;
        m_busy = false;
        return 1;
    }
    int SolveStage(SectionState&) override { return 0; }
    int SwitchControlVariable() override { return 0; }
    int PrunePostPeakStages(int) override { return 0; }
    int ThinStages(double) override { return 0; }
    void Stop() { Running = 0; }

    // Over a third of the slice: a worker steps an analysis at most three times in a slice.
    static constexpr int kStepMs = 15;
    std::atomic<int> steps = 0;
    std::atomic<int> overlaps = 0;

private:
    std::atomic<bool> m_busy = false;
    std::mutex& m_orderMutex;
    std::vector<int>& m_order;
    int m_id;
};

} // namespace

// Six running analyses (one null entry and one finished among eight) on two workers: the
// workers cannot step them all within one slice, yet every running analysis takes at least
// one step in every slice, none is stepped by two workers at once, each step is followed by
// its after-call, and the answer lists the running ones in list order. With one worker the
// first steps go to the least advanced analyses first.
TEST(StepTogether, EveryRunningAnalysisStepsInEverySliceWhateverTheWorkers)
{
    const std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    for (int workers : {2, 1}) {
        SCOPED_TRACE(workers);
        const ScopedWorkerCount count(workers);
        std::mutex orderMutex;
        std::vector<int> order;
        std::vector<std::unique_ptr<SlowAnalysis>> owned;
        std::vector<T1DAnalysis*> list;
        for (int i = 0; i < 8; ++i) {
            if (i == 2) {
                list.push_back(nullptr);
                continue;
            }
            // Peaks fall along the list: the last is the least advanced.
            owned.push_back(std::make_unique<SlowAnalysis>(beam.get(), 10.0 - i, orderMutex, order, i));
            list.push_back(owned.back().get());
        }
        static_cast<SlowAnalysis*>(list[5])->Stop();
        const std::vector<int> running{0, 1, 3, 4, 6, 7};
        std::vector<std::atomic<int>> afterCalls(list.size());
        for (int slice = 0; slice < 2; ++slice) {
            SCOPED_TRACE(slice);
            std::vector<int> before;
            for (int i : running)
                before.push_back(static_cast<SlowAnalysis*>(list[static_cast<std::size_t>(i)])->steps);
            {
                const std::lock_guard lock(orderMutex);
                order.clear();
            }
            EXPECT_EQ(StepTogether(list, [&](int i) { ++afterCalls[static_cast<std::size_t>(i)]; }), running);
            for (std::size_t k = 0; k < running.size(); ++k) {
                const auto* a = static_cast<SlowAnalysis*>(list[static_cast<std::size_t>(running[k])]);
                EXPECT_GE(a->steps.load() - before[k], 1) << "analysis " << running[k];
                EXPECT_EQ(a->overlaps.load(), 0) << "analysis " << running[k];
                EXPECT_EQ(afterCalls[static_cast<std::size_t>(running[k])].load(), a->steps.load()) << running[k];
            }
            if (workers == 1) {
                // Peaks 10 - i: the least advanced (the end of the list) first, each in turn
                // before any other takes a second step (the first may take two while the
                // slice lasts).
                std::vector<int> turns;
                const std::lock_guard lock(orderMutex);
                for (int i : order)
                    if (turns.empty() || turns.back() != i)
                        turns.push_back(i);
                ASSERT_GE(turns.size(), 6u);
                EXPECT_EQ(std::vector<int>(turns.begin(), turns.begin() + 6),
                          (std::vector<int>{7, 6, 4, 3, 1, 0}));
            }
        }
        EXPECT_EQ(static_cast<SlowAnalysis*>(list[5])->steps.load(), 0);
        EXPECT_EQ(afterCalls[5].load(), 0);
    }
}

namespace {

// A running analysis whose step takes no time and counts itself; it finishes after a given
// number of steps.
class QuickAnalysis : public T1DAnalysis {
public:
    QuickAnalysis(const TBeam* beam, double peak, int lasts, std::mutex& orderMutex, std::vector<int>& order, int id)
        : T1DAnalysis(beam, 0), m_lasts(lasts), m_orderMutex(orderMutex), m_order(order), m_id(id)
    {
        MaxLoadFactor = peak;
        Running = 1;
    }
    int Step() override
    {
        {
            const std::lock_guard lock(m_orderMutex);
            m_order.push_back(m_id);
        }
        if (++steps >= m_lasts)
            Running = 0;
        return 1;
    }
    int SolveStage(SectionState&) override { return 0; }
    int SwitchControlVariable() override { return 0; }
    int PrunePostPeakStages(int) override { return 0; }
    int ThinStages(double) override { return 0; }
    std::atomic<int> steps = 0;

private:
    int m_lasts;
    std::mutex& m_orderMutex;
    std::vector<int>& m_order;
    int m_id;
};

} // namespace

// With a slice of 0 every call steps each running analysis exactly once, however quick the
// steps and however many workers: after k calls an analysis has taken min(k, its length)
// steps, on any machine. With one worker the steps go in order of rising peak load factor.
// The guard gives the slice back.
TEST(StepTogether, ASliceOfNoTimeStepsEachRunningAnalysisOncePerCall)
{
    const std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    ASSERT_EQ(GetStepTogetherSlice(), kStepTogetherSliceMs);
    for (int workers : {1, 2, 4}) {
        SCOPED_TRACE(workers);
        const ScopedWorkerCount count(workers);
        const ScopedStepTogetherSlice oneStepEach(0);
        EXPECT_EQ(GetStepTogetherSlice(), 0);
        std::mutex orderMutex;
        std::vector<int> order;
        std::vector<std::unique_ptr<QuickAnalysis>> owned;
        std::vector<T1DAnalysis*> list;
        const std::vector<int> lasts{50, 3, 50, 50, 1};
        for (int i = 0; i < 5; ++i) {
            owned.push_back(std::make_unique<QuickAnalysis>(beam.get(), 10.0 - i, lasts[static_cast<std::size_t>(i)],
                                                            orderMutex, order, i));
            list.push_back(owned.back().get());
        }
        for (int call = 1; call <= 4; ++call) {
            SCOPED_TRACE(call);
            order.clear();
            StepTogether(list);
            for (std::size_t i = 0; i < owned.size(); ++i)
                EXPECT_EQ(owned[i]->steps.load(), std::min(call, lasts[i])) << "analysis " << i;
            if (workers == 1 && call == 1) {
                EXPECT_EQ(order, (std::vector<int>{4, 3, 2, 1, 0}));
            }
        }
    }
    EXPECT_EQ(GetStepTogetherSlice(), kStepTogetherSliceMs);
}
