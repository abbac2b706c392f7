#pragma once
// Once-per-analysis messages of the inner solver loops.
//
// A warning raised inside an element or node evaluation ("Error in shear on crack!") can
// fire at thousands of nodes in one analysis. Each distinct text and caption is passed to
// ShowMessage the first time only; repeats are counted until the set is reset, which an
// analysis does when it starts. The computation never depends on whether a box was shown.
//
// The solvers report through ReportAnalysisMessage, which goes to the installed set: an
// analysis installs its own with ScopedAnalysisMessages while it steps (on the thread that
// steps it: the installed set is the thread's); otherwise a process-wide default set is used.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/Reporter.h"

class AnalysisMessages {
public:
    struct Entry {
        std::string text;
        std::string caption;
        unsigned style = MsgStyle::Ok;
        int count = 0; // times reported since the last reset, the shown one included
    };

    // Shows the message unless the same text and caption were reported since the last
    // reset; returns true when it was shown.
    bool Report(std::string_view text, std::string_view caption, unsigned style = MsgStyle::Ok);

    // Forgets every message, so each one is shown again the next time it occurs.
    void Reset() { m_entries.clear(); }

    // Times the message was reported since the last reset (0 when never).
    int Count(std::string_view text, std::string_view caption) const;

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

// The installed set (the process-wide default unless an analysis installed its own).
AnalysisMessages& CurrentAnalysisMessages();

// Reports through the installed set.
bool ReportAnalysisMessage(std::string_view text,
                           std::string_view caption,
                           unsigned style = MsgStyle::Ok);

// Installs a set for the lifetime of the guard (an analysis while it steps).
class ScopedAnalysisMessages {
public:
    explicit ScopedAnalysisMessages(AnalysisMessages& messages);
    ~ScopedAnalysisMessages();
    ScopedAnalysisMessages(const ScopedAnalysisMessages&) = delete;
    ScopedAnalysisMessages& operator=(const ScopedAnalysisMessages&) = delete;

private:
    AnalysisMessages* m_previous;
};
