#pragma once
// The idle-time stepping of the analyses: every running analysis of the analysis table takes
// one step per idle pass, in slot order, and the current one redraws its panels and control
// charts at throttled rates (its own interval timers) and once more when it stops.

class RunMessages;
class TSectionalAnalysis;
struct SectionState;

// What the stepping asks of the main window.
class TIdleHost {
public:
    virtual ~TIdleHost() = default;
    virtual int GetLayoutMode() const = 0;
    // Rewrites the status text and refills every panel chart.
    virtual void ShowResults(const SectionState* state, int stage, double x, double y) = 0;
    virtual void FillControlCharts() = 0;
    // Invalidates the client rectangle (0, 0)-(10, 10) with erasing.
    virtual void InvalidateCorner() = 0;
    // The view manager's idle operation.
    virtual void ViewIdle() = 0;
    virtual int GetIdleDebugLevel() const = 0;
};

// The messages of the run of the analysis in a slot of g_Analyses (foundation/RunMessages.h):
// its set-up and each of its steps go through them, and a run that repeats a message is stopped
// with it (StopRepeatingRun).
RunMessages& SlotRunMessages(int slot);
// Stops the analysis when its run repeated a message; true when it did.
bool StopRepeatingRun(TSectionalAnalysis& analysis, const RunMessages& messages);

// One idle pass over g_Analyses. baseResult is the base window's idle answer; the result is
// true when it was, or when any analysis ran.
bool StepRunningAnalyses(long idleCount, bool baseResult, TIdleHost& host);

// The redraw of the current analysis once its run has ended, by its last step or by being
// stopped: the pushover's curves rebuilt, both control charts refilled and every panel showing
// the analysis's current state, so all of them show the stage the run ended on.
void ShowEndOfRun(TSectionalAnalysis& analysis, TIdleHost& host);
