#pragma once
// Small rules of the beam views that hold no state: unit labels, the fire temperature scale,
// the stiffness note of the member graphs, the "factored" tests of the info panel and the
// pair accessor of a state's depth lists.

#include <string>

#include "views/DisplayContext.h"

class TDepthTable;

// The axis label of a unit kind: strain in US units reads "x 10^-^3", as on every strain
// axis of the program; otherwise the unit label.
const char* StrainAwareLabel(const DisplayContext& display, int kind);

// A fire temperature (degrees C) as shown: degrees F (1.8 T + 32) in US units, else degrees C.
double FireTemperatureForDisplay(double celsius, const DisplayContext& display);

// The note of the stiffness graphs 4012 (flexural) and 4013 (shear) from the harmonic means a
// (uncracked curve) and b (both curves): the current stiffness as a percentage of the
// uncracked one, (1 / (1/b - 1/a)) / a; 0 when a or b is 0. When the ratio is not finite
// (a equal to b) the note names the quantity without a percentage.
std::string StiffnessNote(int graphId, double a, double b);

// The info panel's "Factored Values" line: shown when the factor sum is off 3 by more than
// 0.001. The "f" suffix of the pushover values: when it is off by 0.001 or more.
bool ShowFactoredValuesLine(const DisplayContext& display);
const char* FactoredValueSuffix(const DisplayContext& display);

// Position of entry i of a (position, value) list; 1e31 when i is negative, not below the
// entry count, or there is no list.
double PairPosition(const TDepthTable* list, int i);
