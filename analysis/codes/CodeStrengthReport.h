#pragma once
// The design-code strength of a beam section as a short text: the resistances, the code
// parameters and notes. It is the legend of the code M-V charts and, for AASHTO-2000 and
// CSA-2014, a section of the "Section Information" report. The text carries the chart label
// markup ('|' before a Greek letter, '_' before a subscript); lines end with CR LF. Values
// are shown in the active unit system.

#include <cstddef>
#include <string>

class TStructure;

// Room of the caller's text, its terminator included: the text keeps at most 1023 characters.
inline constexpr std::size_t kCodeReportSize = 1024;

// Empties the text and writes the report of the variant (0 AASHTO-94, 1 AASHTO-2000,
// 2 CSA-2014). Nothing is written for a null structure, one that is not a beam section or one
// without height.
void WriteCodeStrengthReport(const TStructure* structure, std::string& text, int variant);
