#pragma once
// The texts that describe a beam section to the user: the material lines of the beam
// panel, the "Section Information" report and the block of time-dependent results. Every
// line ends in CR LF; numbers are in the display units of g_UnitSystem, followed by their
// labels. The texts use the chart label markup ('_' for a subscript).

#include <array>
#include <string>

class TBeam;
class TStructure;
class TTextBuffer;

// Room of the panel's text box: the material text is cut to this many characters.
inline constexpr std::size_t kMaterialReportChars = 999;

// The element name and the concrete and steel strength lines. Returns 1.
int WriteMaterialReport(const TStructure& structure, std::string& text);

// Replaces the text by the "Section Information" report of the beam. Returns 1.
int WriteSectionInformationReport(const TBeam& beam, TTextBuffer& text);

// The ten long-term values, in this order: shrinkage strain, creep factor, curvature and
// axial strain of the initial strain solution, curvature and axial strain of the second
// strain solution, volume-to-surface ratio v/s (m), kc, kf and ks.
using TimeDependentValues = std::array<double, 10>;

// Replaces the text by the time-dependent block; at a debug level it lists every
// longitudinal layer, growing as needed.
void WriteTimeDependentReport(const TBeam& beam, std::string& text, const TimeDependentValues& v);

// The design-code strength summary of a beam (code 1 AASHTO-2000, 2 CSA-2014), written by the
// design-code strength calculation. Until one is installed the report's two code blocks stay
// empty.
using CodeStrengthReportWriter = void (*)(const TBeam& beam, int code, std::string& text);
// Installs the writer (null removes it); returns the previous one.
CodeStrengthReportWriter SetCodeStrengthReportWriter(CodeStrengthReportWriter writer);
