#pragma once
// The pieces of the solve and result commands that need no window: the load-deformation graph
// an analysis gets, and the text of the strain prompts, shown and read back in display units.

#include <string>

class TSectionalAnalysis;

// The graph id of the load-deformation layout for the current analysis (null: none).
int ChooseLoadDeformationGraph(const TSectionalAnalysis* analysis);

// Two (strain, depth) points in stored units; depths in the section's coordinates.
struct StrainPoints {
    double strain1 = 0.0;
    double depth1 = 0.0;
    double strain2 = 0.0;
    double depth2 = 0.0;
};

// The prompt's start text: strains in the strain unit, depths as heights above the section
// bottom in the section-length unit, in the given unit system; two points or the first only.
std::string FormatStrainPrompt(const StrainPoints& points, bool twoPoints, double bottom, int unitSystem);
// Reads the user's answer over points: commas count as blanks; the tokens give strain 1,
// depth 1, strain 2, depth 2 in that order, and reading stops at the first missing one (the
// rest keep their values). A token that is no finite number is refused: the result is the
// message naming it and the points are left as they were; empty when the answer was taken.
std::string ParseStrainAnswer(const std::string& text, StrainPoints& points, double bottom, int unitSystem);
