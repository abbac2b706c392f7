#pragma once
// The value bins of the colour map apart from any drawing: up to 24 ascending upper limits
// (the slot after the last holding -999), found from the element values as their distinct
// values (at most 24, shown in a fixed palette) or as 24 even divisions of their range (shown
// on a colour ramp); the bin of a value, the colour of a bin, and the "Set Bin Range" text.

#include <array>
#include <string>
#include <vector>

#include "platform/Types.h"

inline constexpr double kMapNoValue = -31415.0;
inline constexpr float kBinEnd = -999.0f;
inline constexpr int kMaxBins = 24;

struct ColourBins {
    std::array<float, 25> limit{};
    int count = 1;
    int continuous = 1;
    ColourBins()
    {
        limit.fill(0.0f);
        limit[0] = kBinEnd;
        limit[24] = kBinEnd;
    }
};

bool IsMapNoValue(double v);

// The bins of the element values (the first of each pair; a leading header pair whose first
// value is above 1e30 is passed over) of `elements` elements; the value range of the defined
// values in minimum and maximum.
void ComputeBins(ColourBins& bins, const std::vector<double>& data, int elements, double& minimum, double& maximum);

// Bin 1..25 of a value, or -1 for the no-value mark and values outside every bin.
int GetBinIndex(const ColourBins& bins, double v);

// Colour of bin i: 25 black, 26 white, 27 light grey, 28 lighter grey; otherwise grey steps
// when grey is set, the fixed palette for distinct values, else the ramp.
plat::Color GetBinColour(const ColourBins& bins, int i, bool grey);

// "Set Bin Range": ',' and tabs as blanks; minimum, maximum and count, each kept when its
// token is missing; the count clamped to 1..24.
// A minimum or maximum that is not a finite number within the range a bin limit holds leaves
// all three unchanged and gives the message; empty when taken.
std::string ParseBinRange(const std::string& text, double& minimum, double& maximum, int& count);

// The map's value dialogs and what each takes: the value for white lines (0 or less: the
// glyphs scaled to the largest value), the deflection magnification, the critical crack
// width and the characteristic strain (raised to 0.001 when not above it).
enum class MapValue { WhiteLine, Magnification, CrackWidth, CharacteristicStrain };
// Reads an answer: empty, and value set, when taken; else the message, value kept.
std::string ReadMapValue(MapValue which, const std::string& text, double& value);
// A glyph scaled to a length beyond this many times the chart's width is held to it.
inline constexpr double kLongestGlyphWidths = 2.0;
// Even limits minimum + (i + 1)(maximum - minimum)/count, continuous.
void SetBinRange(ColourBins& bins, double minimum, double maximum, int count);
