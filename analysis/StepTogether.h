#pragma once
// Stepping independent analyses of one owner (a member's stations, a diagram's lines or rays)
// together, on the worker threads of foundation/WorkerPool.h.
//
// Each analysis owns its section copy, states, layer level and convergence slope, so stepping
// one never touches another: the results are the same for any number of workers and any
// order of steps.

#include <functional>
#include <vector>

class T1DAnalysis;

// How long one call keeps stepping (milliseconds): long enough that the workers seldom wait
// for one another, short enough for an idle step of the window.
inline constexpr int kStepTogetherSliceMs = 40;

// The slice the calls use now (kStepTogetherSliceMs unless set). A slice of 0 steps every
// running analysis exactly once per call, whatever the machine's speed: the headless callers
// that need a given state part way through a run (tests) step to it that way.
int GetStepTogetherSlice();
void SetStepTogetherSlice(int milliseconds);

// Sets the slice for the lifetime of the guard.
class ScopedStepTogetherSlice {
public:
    explicit ScopedStepTogetherSlice(int milliseconds) : m_previous(GetStepTogetherSlice())
    {
        SetStepTogetherSlice(milliseconds);
    }
    ~ScopedStepTogetherSlice() { SetStepTogetherSlice(m_previous); }
    ScopedStepTogetherSlice(const ScopedStepTogetherSlice&) = delete;
    ScopedStepTogetherSlice& operator=(const ScopedStepTogetherSlice&) = delete;

private:
    int m_previous;
};

// Steps the running analyses of the list (null entries and finished ones are passed over),
// the least advanced (lowest peak load factor) first: a free worker takes the next one and
// steps it while the time slice lasts, then the next; once the slice is over, each one not
// yet stepped still takes one step. One analysis is never stepped by two workers at once.
// Each step runs with the analysis's own message set installed and is followed by after(i)
// on the same thread (for work on analysis i alone). Returns, when no step is under way, the
// indices of the analyses stepped, in list order.
std::vector<int> StepTogether(const std::vector<T1DAnalysis*>& analyses,
                              const std::function<void(int)>& after = {});
