#include "foundation/ReportText.h"

#include "foundation/Reporter.h"

std::unique_ptr<std::string> g_ReportText;

namespace {
const char kLoadErrorHeader[] =
    "ERRORS in program load\r\n\r\nThe following errors occured during loading\r\n\r\n";
const char kTooMany[] = "\r\nToo Many Error Messages";
constexpr std::size_t kDropLimit = 4995;
constexpr std::size_t kTooManyLimit = 4970;
} // namespace

void AddLoadError(const std::string& text)
{
    if (!g_ReportText) {
        g_ReportText = std::make_unique<std::string>(kLoadErrorHeader);
        g_ReportText->reserve(kReportTextCapacity);
    }
    std::string& log = *g_ReportText;
    const std::size_t total = log.size() + text.size();
    if (total > kDropLimit)
        return;
    if (total > kTooManyLimit) {
        // The message makes way for the note that the list is incomplete, when that fits.
        const std::size_t noteLength = sizeof(kTooMany) - 1;
        if (log.size() + noteLength < kReportTextCapacity)
            log += kTooMany;
        return;
    }
    log += text;
    log += "\r\n";
}

bool HasReportText()
{
    return g_ReportText != nullptr && !g_ReportText->empty();
}

void ShowAndClearReportText()
{
    if (HasReportText())
        ShowDataText(*g_ReportText);
    g_ReportText.reset();
}

void ClearReportText()
{
    g_ReportText.reset();
}
