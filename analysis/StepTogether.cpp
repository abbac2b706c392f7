#include "analysis/StepTogether.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>

#include "analysis/T1DAnalysis.h"
#include "analysis/state/AnalysisMessages.h"
#include "foundation/WorkerPool.h"

namespace {
std::atomic<int> g_sliceMs{kStepTogetherSliceMs};
} // namespace

int GetStepTogetherSlice()
{
    return g_sliceMs.load();
}

void SetStepTogetherSlice(int milliseconds)
{
    g_sliceMs = std::max(0, milliseconds);
}

std::vector<int> StepTogether(const std::vector<T1DAnalysis*>& analyses,
                              const std::function<void(int)>& after)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(GetStepTogetherSlice());
    std::mutex mutex;
    std::deque<int> queue; // analyses waiting for a step, in turn
    std::vector<bool> stepped(analyses.size(), false);
    for (std::size_t i = 0; i < analyses.size(); ++i)
        if (analyses[i] != nullptr && analyses[i]->IsRunning() != 0)
            queue.push_back(static_cast<int>(i));
    const std::vector<int> running(queue.begin(), queue.end());
    // The least advanced first, so that the analyses rise together.
    std::stable_sort(queue.begin(), queue.end(), [&](int a, int b) {
        return analyses[static_cast<std::size_t>(a)]->GetMaxLoadFactor() <
               analyses[static_cast<std::size_t>(b)]->GetMaxLoadFactor();
    });
    const int workers = std::min(GetWorkerCount(), static_cast<int>(queue.size()));
    RunInParallel(workers, [&](int) {
        for (;;) {
            int i = 0;
            {
                const std::lock_guard lock(mutex);
                if (queue.empty())
                    return;
                i = queue.front();
                // Past the slice only the analyses not yet stepped take their step.
                if (stepped[static_cast<std::size_t>(i)] && Clock::now() >= end)
                    return;
                queue.pop_front();
            }
            T1DAnalysis& analysis = *analyses[static_cast<std::size_t>(i)];
            {
                // A worker keeps its analysis while the slice lasts: its section, states and
                // layer level stay in the worker's caches.
                const ScopedAnalysisMessages messages(analysis.Messages());
                do {
                    analysis.Step();
                    if (after)
                        after(i);
                } while (analysis.IsRunning() != 0 && Clock::now() < end);
            }
            const std::lock_guard lock(mutex);
            stepped[static_cast<std::size_t>(i)] = true;
            if (analysis.IsRunning() != 0)
                queue.push_back(i);
        }
    });
    return running;
}
