#pragma once
// The concrete outline of a beam as the section pages edit it: a table of (elevation above
// the section bottom, width) pairs sorted from the top down, and beside it a table of the
// concrete type of each band (entry i: the band from point i down to point i + 1), with the
// same elevations entry by entry.
//
// A width step is two points at one elevation, stored 4e-5 m apart (the upper one 4e-5 m
// higher); points closer than 4.4e-5 m count as lying at one elevation.

#include <string>
#include <vector>

#include "model/shapes/SectionDefinitionRecord.h"

class TBeam;
class TDepthTable;
struct ConcreteRegionRec;


// Gap between the two points of a width step, and the distance within which two points
// lie at one elevation (m).
inline constexpr double kWidthStepGap = 4e-5;
inline constexpr double kSameElevation = 4.4e-5;
// The rounding failed: an unknown digit count.
inline constexpr double kRoundUndefined = 3.1415626e31;

// Rounds a length in m to the grid of the active unit system: digits 4 to 0.0001 m and
// digits 3 to 0.001 m in the metric systems (the fourth system rounds as SI; any other digit
// count answers kRoundUndefined), 0.01 in for US customary whatever the digits. The value is
// scaled to grid units, 0.5 added and the result truncated toward zero, so negative lengths
// round toward zero.
double RoundSectionLength(double length, int digits);

// What a typed width means: 2 a number (non-zero), 1 "DOWN", 0 "UP" (a rounded part), 2
// anything else (which the outline editor refuses unless it is 0). A text that is not a
// non-zero number (read as every typed number is) is trimmed of blanks and tabs and
// upper-cased in place.
int ClassifyWidthEntry(std::string& text);

// Value of entry i, 1e31 when i lies outside the table.
double GetTableValue(const TDepthTable& table, int i);

// Number of points within kSameElevation of z; index: the current row when it is one of
// them, otherwise the last of them, -1 when none.
int CountDefinitionsAt(const TDepthTable& outline, double z, int currentRow, int& index);

// Empties a degenerate outline (widths all below 0.1 mm or no height, more than one point),
// drops runs of repeated elevations, rounds every point to 0.1 mm and stores width steps
// kWidthStepGap apart, in both tables.
void NormaliseOutline(TDepthTable& outline, TDepthTable& types);

// Fills the two tables from regions sorted from the top down (elevations above bottom, the
// section's bottom), a width step where a region's bottom width differs from the next one's
// top width, and normalises them.
void OutlineFromRegions(const std::vector<ConcreteRegionRec>& regions, double bottom, TDepthTable& outline,
                        TDepthTable& types);

// Fills the two tables and g_SectionDefinition from the beam's regions and shape; the shape
// code (g_SectionDefinition.ShapeCode).
int ExtractOutlineCurves(TBeam& beam, TDepthTable& outline, TDepthTable& types);

// Replaces the beam's regions by those of the outline (normalised first) and gives it the
// shape code, name and parameters of g_SectionDefinition; a library shape named "HOLLOW" has
// its regions narrowed by the round void of diameter Parameters[1] at mid-height of
// Parameters[0]. Returns 1.
int BuildSectionShape(TBeam& beam, TDepthTable& outline, TDepthTable& types);
