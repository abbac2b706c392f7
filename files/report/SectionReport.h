#pragma once
// The texts that describe a beam section to the user: the material lines of the beam
// panel, the "Section Information" report and the block of time-dependent results. Every
// line ends in CR LF; numbers are in the display units of g_UnitSystem, followed by their
// labels. The texts use the chart label markup ('_' for a subscript).

#include <string>

#include "analysis/TQuarvish2000Analysis.h"

class TBeam;
class TStructure;
class TTextBuffer;

// Room of the panel's text box: the material text is cut to this many characters.
inline constexpr std::size_t kMaterialReportChars = 999;

// The element name and the concrete and steel strength lines. Returns 1.
int WriteMaterialReport(const TStructure& structure, std::string& text);

// Replaces the text by the "Section Information" report of the beam. Returns 1.
int WriteSectionInformationReport(const TBeam& beam, TTextBuffer& text);

// Replaces the text by the time-dependent block of the long-term values that
// TQuarvish2000Analysis::SolveTimeDependentStrains gives; at a debug level it lists every
// longitudinal layer, growing as needed.
void WriteTimeDependentReport(const TBeam& beam, std::string& text, const TimeDependentStrains& v);
