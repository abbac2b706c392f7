#include "foundation/Diagnostics.h"

namespace {
int g_debugLevel = 0;
}

int GetDebugLevel()
{
    return g_debugLevel;
}

void SetDebugLevel(int level)
{
    g_debugLevel = level;
}
