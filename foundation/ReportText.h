#pragma once
// The shared report text that the "View Data" dialog shows, and the load-error log
// that file and catalogue readers collect their complaints in.

#include <memory>
#include <string>

// Room the report text is created with; the load-error log stays inside it.
inline constexpr std::size_t kReportTextCapacity = 5000;

// Null while there is no report text.
extern std::unique_ptr<std::string> g_ReportText;

// Appends text and "\r\n" to the load-error log, creating it with its header when missing.
// A message that would take the log past 4995 characters is dropped; one that would take it
// past 4970 is dropped and the note "Too Many Error Messages" added in its place.
void AddLoadError(const std::string& text);

// True while the load-error log (or any report text) holds something to show.
bool HasReportText();

// Shows the report text in the "View Data" dialog, then frees it.
void ShowAndClearReportText();

// Frees the report text without showing it.
void ClearReportText();
