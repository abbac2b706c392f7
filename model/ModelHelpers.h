#pragma once
// Small helpers of the section model: the file-existence and program-directory tests, the
// clear-cover sentence of reports, the unit suffix of axis titles and the test of the concrete
// a read structure names.

#include <string>

class TStructure;

// True when the file can be opened for reading.
bool FileExists(const std::string& path);

// True when the path equals, character for character, the program directory followed by
// the file name.
bool IsProgramDirFile(const std::string& path, const std::string& name);

// The clear-cover sentence in the section-dimension unit: "Clear cover to reinforcement =
// %5.~f %s" when longitudinal bars govern, "Clear cover to transverse reinforcement = %5.~f %s"
// when stirrups do; empty without a structure, a positive height or any reinforcement. A cover
// larger in magnitude than the height is shown as 9999.999999.
void FormatCoverText(std::string& out, const TStructure* structure);

// The unit kind that stands for reinforcement area per length.
inline constexpr int kAreaPerLengthKind = 100;

// out = prefix + " (label)", or " (label) x 10^power" when power is not 0, the label being
// that of the unit kind in the active unit system; kAreaPerLengthKind gives "mm^2/m",
// "in^2/ft" or "cm^2/m".
void AreaUnitSuffix(std::string& out, const std::string& prefix, int kind, int power);

// Why the structure's concrete cannot be found: an outline whose reading stopped at a row
// naming a concrete the structure does not define, or at a region past the most it holds (the
// rows from there on were not read), or else the first region naming a concrete type the
// structure does not define (a document that gives the outline but no concrete); each names the
// structure ("Membrane element \"P\": its outline names no concrete type, ..."). Empty when the
// outline was read whole and every region's type is defined.
std::string DescribeUndefinedConcreteType(const TStructure& structure);
