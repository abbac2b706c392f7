#include "foundation/Diagnostics.h"

#include <utility>

namespace {
int g_debugLevel = 0;
DebugLineHook g_debugLineHook;
} // namespace

int GetDebugLevel()
{
    return g_debugLevel;
}

void SetDebugLevel(int level)
{
    g_debugLevel = level;
}

DebugLineHook SetDebugLineHook(DebugLineHook hook)
{
    return std::exchange(g_debugLineHook, std::move(hook));
}

void DrawDebugLine(int x1, int y1, int x2, int y2)
{
    if (g_debugLevel != 0 && g_debugLineHook)
        g_debugLineHook(x1, y1, x2, y2);
}
