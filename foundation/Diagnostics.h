#pragma once
// The debug level that switches on diagnostics in the analysis code: 0 none, any non-zero
// level draws convergence traces, 2 adds the dual-section dump, 3 the solver texts.
// The main window sets it from the user's entry; tests set it directly.

int GetDebugLevel();
void SetDebugLevel(int level);
