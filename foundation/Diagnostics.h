#pragma once
// The debug level that switches on diagnostics in the analysis code: 0 none, any non-zero
// level draws convergence traces, 2 adds the dual-section dump, 3 the solver texts.
// The main window sets it from the user's entry; tests set it directly.

#include <functional>

int GetDebugLevel();
void SetDebugLevel(int level);

// Convergence traces: the main window installs a hook that draws a line on its client area
// (pixels, y downwards); tests install a recorder. Without a hook nothing is drawn.
using DebugLineHook = std::function<void(int x1, int y1, int x2, int y2)>;
// Installs the hook (an empty function removes it); returns the previous one.
DebugLineHook SetDebugLineHook(DebugLineHook hook);
// Draws one line of a trace through the hook, only while the debug level is not 0 (called
// from a parallel task, the main thread draws it: foundation/WorkerPool.h).
void DrawDebugLine(int x1, int y1, int x2, int y2);
