#include "analysis/state/ErrorList.h"

#include "foundation/Reporter.h"

std::string g_MainWindowTitle = kProgramCaption;

int ErrorList::AddError(const std::string& text, const std::string& title, int code)
{
    if (GetErrorCount() < kMaxErrors) {
        m_entries.push_back(Entry{text, title, code});
        return 1;
    }
    // The last kept message stays readable behind the marker.
    if (!m_overflowMarked) {
        Entry& last = m_entries.back();
        last.text = std::string(kOverflowMarker) + " " + last.text;
        m_overflowMarked = true;
    }
    return 0;
}

int ErrorList::GetError(int index, std::string& text, std::string& title, int& code) const
{
    if (index < 0 || index >= GetErrorCount()) {
        text = kOutOfRangeText;
        title = kOutOfRangeTitle;
        code = 0;
        return 0;
    }
    const Entry& entry = m_entries[static_cast<std::size_t>(index)];
    text = entry.text;
    title = entry.title;
    code = entry.code;
    return 1;
}
