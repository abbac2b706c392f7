#include "analysis/state/AnalysisMessages.h"

namespace {

AnalysisMessages& DefaultMessages()
{
    static AnalysisMessages messages;
    return messages;
}

// Each thread has its own: the tasks of a parallel step install their analysis's set.
thread_local AnalysisMessages* g_installedMessages = nullptr;

} // namespace

bool AnalysisMessages::Report(std::string_view text, std::string_view caption, unsigned style)
{
    for (Entry& entry : m_entries) {
        if (entry.text == text && entry.caption == caption) {
            ++entry.count;
            return false;
        }
    }
    m_entries.push_back(Entry{std::string(text), std::string(caption), style, 1});
    ShowMessage(m_entries.back().text, m_entries.back().caption, style);
    return true;
}

int AnalysisMessages::Count(std::string_view text, std::string_view caption) const
{
    for (const Entry& entry : m_entries)
        if (entry.text == text && entry.caption == caption)
            return entry.count;
    return 0;
}

AnalysisMessages& CurrentAnalysisMessages()
{
    return g_installedMessages ? *g_installedMessages : DefaultMessages();
}

bool ReportAnalysisMessage(std::string_view text, std::string_view caption, unsigned style)
{
    return CurrentAnalysisMessages().Report(text, caption, style);
}

ScopedAnalysisMessages::ScopedAnalysisMessages(AnalysisMessages& messages)
    : m_previous(g_installedMessages)
{
    g_installedMessages = &messages;
}

ScopedAnalysisMessages::~ScopedAnalysisMessages()
{
    g_installedMessages = m_previous;
}
