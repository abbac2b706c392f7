#pragma once
// Drives an analysis to its end without the idle loop: Step is called while the analysis is
// running, at most maxSteps times. The headless callers (tests, benchmarks, batch runs) use it
// in place of the window's idle handler.

#include "analysis/TSectionalAnalysis.h"

// Returns the number of Step calls made; the analysis is finished when IsRunning answers 0
// afterwards (else maxSteps ran out first).
inline int RunToFinish(TSectionalAnalysis& analysis, int maxSteps)
{
    int steps = 0;
    while (analysis.IsRunning() != 0 && steps < maxSteps) {
        analysis.Step();
        ++steps;
    }
    return steps;
}
