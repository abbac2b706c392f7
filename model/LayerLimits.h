#pragma once
// What one layer of bars can hold, as the reinforcement pages keep it when bars are typed:
// at most kMaxBarsPerPattern bars, and bars of at most kMaxBarArea (a round bar of that area
// is some 1.13 m across). Every reader keeps to the same limits, so that no count or size
// reaches the pictures, the bar positions or the analysis that no section can hold.

#include <string>

class TStructure;

// The largest bar area the pages take (m^2).
inline constexpr double kMaxBarArea = 1.0;

// The most layers of one direction (bars, tendons and stirrups each) that a section holds: what
// a document keeps, so the pages take no more and every reader refuses more.
inline constexpr int kMaxLayersOfDirection = 1000;

// The largest bar diameter held (m): that of a round bar of kMaxBarArea, 1.1284 m.
double MaxBarDiameter();

// Whether a bar of diameter db is no larger than a round bar of kMaxBarArea (either sign; a
// value that is no number is not).
bool IsHeldBarDiameter(double db);

// The largest diameter, in the display units with their label ("1128.4 mm").
std::string MaxBarDiameterText();

// Whether one bar of the area is no larger than kMaxBarArea, with the tolerance the diameter
// has (either sign; a value that is no number is not).
bool IsHeldBarArea(double area);

// Whether a longitudinal layer of bars bars (at least one counted) and total area A is no more
// than that many held bars.
bool IsHeldLayerArea(double A, int bars);

// Whether a transverse layer's area is no more than kMaxBarsPerPattern held bars.
bool IsHeldTransArea(double A);

// The largest bar area in the display units with their label ("1000000.0 mm^2").
std::string MaxBarAreaText();

// Whether an area can be a bar's or a layer's at all: a number, not negative.
bool IsAreaValue(double area);

// The message of layer n (from 1) of a direction (kind "Longitudinal" or "Transverse") whose
// area is negative or no number, has telling what it has:
//   Transverse layer 1 ("stirrups") has bars of -100.0 mm^2: an area is a number of 0 or more.
// (has "bars of -100.0 mm^2", "bars whose area is no number", or a document's attribute as it
// stands, "Ai=\"nan\"").
std::string AreaValueText(const char* kind, int n, const std::string& name, const std::string& has);

// The first layer of the structure that no section holds (more than kMaxLayersOfDirection
// layers of a direction, told as
//   The section has 1002 longitudinal layers in direction x: a section holds at most 1000.
// or a bar count above
// kMaxBarsPerPattern, an area that is negative or no number, a bar larger than kMaxBarArea
// across or by its area), told as
//   Longitudinal layer 3 ("top") has 2147483647 bars: a layer holds at most 10000 bars.
//   Transverse layer 1 ("stirrups") has bars 1000000.0 mm across: a bar is at most 1128.4 mm across.
//   Longitudinal layer 1 ("top") has bars of 2000000.0 mm^2: a bar is at most 1000000.0 mm^2.
//   Longitudinal layer 1 ("top") has bars of -50.0 mm^2: an area is a number of 0 or more.
//   Transverse layer 1 ("stirrups") has an area of 2e+16 mm^2: a layer holds at most 10000 bars
//   of 1000000.0 mm^2.
// (layers numbered from 1 within their direction; a longitudinal layer's area told as its bars',
// its total over its count); empty when every layer is held.
std::string UnheldLayerText(const TStructure& s);
