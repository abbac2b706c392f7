#include "analysis/StepTogether.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>

#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/AnalysisMessages.h"
#include "foundation/WorkerPool.h"

std::vector<int> StepTogether(const std::vector<TSectionalAnalysis*>& analyses,
                              const std::function<void(int)>& after)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(kStepTogetherSliceMs);
    std::mutex mutex;
    std::deque<int> queue; // analyses waiting for a step, in turn
    std::vector<bool> stepped(analyses.size(), false);
    for (std::size_t i = 0; i < analyses.size(); ++i)
        if (analyses[i] != nullptr && analyses[i]->IsRunning() != 0)
            queue.push_back(static_cast<int>(i));
    const std::vector<int> running(queue.begin(), queue.end());
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
            TSectionalAnalysis& analysis = *analyses[static_cast<std::size_t>(i)];
            {
                const ScopedAnalysisMessages messages(analysis.Messages());
                analysis.Step();
                if (after)
                    after(i);
            }
            const std::lock_guard lock(mutex);
            stepped[static_cast<std::size_t>(i)] = true;
            if (analysis.IsRunning() != 0)
                queue.push_back(i);
        }
    });
    return running;
}
