#include "app/IdleScheduler.h"

#include <algorithm>
#include <array>

#include "analysis/TSectionalAnalysis.h"
#include "app/GlobalTables.h"
#include "app/views/PanelLayout.h"
#include "foundation/Reporter.h"
#include "foundation/RunMessages.h"
#include "foundation/Sentinel.h"
#include "foundation/TTextBuffer.h"
#include "platform/Ui.h"

namespace {
// Channels of the analysis's interval timers.
constexpr int kPanelChannel = 2;
constexpr int kControlChannel = 3;
// The debug level that reports each run's wall time.
constexpr int kBenchmarkLevel = 10;
} // namespace

RunMessages& SlotRunMessages(int slot) {
    static std::array<RunMessages, kMaxStructures> messages;
    return messages[static_cast<std::size_t>(std::clamp(slot, 0, kMaxStructures - 1))];
}

bool StopRepeatingRun(TSectionalAnalysis& analysis, const RunMessages& messages) {
    if (messages.Repeated().empty() || !analysis.IsRunning())
        return false;
    analysis.Finish();
    return true;
}

bool StepRunningAnalyses(long idleCount, bool baseResult, TIdleHost& host) {
    bool result = baseResult;
    TSectionalAnalysis* current = nullptr;
    for (int i = 0; i < kMaxStructures; ++i) {
        TSectionalAnalysis* a = AnalysisAt(i);
        if (!a || !a->IsRunning())
            continue;
        result = true;
        RunMessages& messages = SlotRunMessages(i);
        messages.Claim(a);
        {
            const RunMessages::Scope scope(messages);
            a->Step();
        }
        StopRepeatingRun(*a, messages);
        if (i == g_CurrentAnalysis)
            current = a;
    }
    if (!current) {
        if (idleCount > 5)
            host.ViewIdle();
        return result;
    }
    // The current analysis stepped: its throttled redraws, and the final one when that step
    // finished the run.
    if (current->IntervalElapsed(kPanelChannel)) {
        if (host.GetLayoutMode() == LayoutMode::Pushover)
            current->BuildResultCurves();
        host.ShowResults(current->GetCurrentState(), -1, kUndefined, kUndefined);
    }
    if (current->IntervalElapsed(kControlChannel))
        host.FillControlCharts();
    else
        host.InvalidateCorner();
    if (!current->IsRunning()) {
        ShowEndOfRun(*current, host);
        if (host.GetIdleDebugLevel() == kBenchmarkLevel) {
            g_MessageBuffer.Format("total wall time in milliseconds %d", current->GetElapsedMilliseconds());
            plat::MessageBox(g_MessageBuffer.GetText(), "Benchmark Information", MsgStyle::Ok);
        }
    }
    return result;
}

void ShowEndOfRun(TSectionalAnalysis& analysis, TIdleHost& host) {
    // The pushover's curves and status line read the member's end, not the last redraw's.
    if (host.GetLayoutMode() == LayoutMode::Pushover)
        analysis.BuildResultCurves();
    host.FillControlCharts();
    host.ShowResults(analysis.GetCurrentState(), -1, kUndefined, kUndefined);
}
