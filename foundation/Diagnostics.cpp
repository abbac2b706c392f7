#include "foundation/Diagnostics.h"

#include <atomic>
#include <utility>

#include "foundation/WorkerPool.h"

namespace {
// Read by the workers of a parallel step while the main thread may answer a debug prompt.
std::atomic<int> g_debugLevel = 0;
DebugLineHook g_debugLineHook;
} // namespace

int GetDebugLevel()
{
    return g_debugLevel.load(std::memory_order_relaxed);
}

void SetDebugLevel(int level)
{
    g_debugLevel.store(level, std::memory_order_relaxed);
}

DebugLineHook SetDebugLineHook(DebugLineHook hook)
{
    return std::exchange(g_debugLineHook, std::move(hook));
}

void DrawDebugLine(int x1, int y1, int x2, int y2)
{
    if (GetDebugLevel() == 0)
        return;
    // The hook draws on a window: from a parallel task, the main thread draws.
    RunOnMainThread([&] {
        if (g_debugLineHook)
            g_debugLineHook(x1, y1, x2, y2);
    });
}
