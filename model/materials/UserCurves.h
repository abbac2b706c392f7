#pragma once
// User stress-strain curves of the materials: a TDepthTable of (strain, stress) pairs kept
// in descending order of strain, closed by zero-stress pairs just outside the given range
// and far out at +-1e12, so that the curve falls to zero stress outside its range and every
// strain can be looked up.

#include <vector>

#include "foundation/TDepthTable.h"

// Closes a curve: drops a first pair at strain -1e12 and then a last pair at +1e12, each of zero
// stress (the far closing pairs of an earlier finish of an ascending curve), sorts descending
// and adds (-1e12, 0), (least strain - 2e-6, 0), (largest strain + 2e-6, 0) and (1e12, 0).
// A curve of m pairs thus holds m + 4, the given pairs at indices 2 .. m + 1. Answers 1. A
// pair given far past any strain a section holds stays, so that the checks of the pages and
// the readers refuse it by name rather than the curve losing it.
int FinishUserCurve(TDepthTable& table);

// The indices of a finished curve's closing pairs: the first pair at strain +1e12 and the last
// at -1e12, each of zero stress, and the near ones inside them, the zero-stress pairs 2e-6
// outside the outermost given pairs (-1 where there is none). A pair given farther out lies
// beyond the far ones; a near pair lies past the given range by its gap alone, so that a pair
// given at a bound is closed by one a hair past it.
struct FarPairIndices {
    int plus = -1;
    int minus = -1;
    int nearPlus = -1;
    int nearMinus = -1;
};
FarPairIndices FarClosingPairs(const TDepthTable& table);

// Whether some pair of the curve carries a stress: a user curve without one gives its type no
// strength, and the pages and readers do not take it for a concrete.
bool CurveCarriesStress(const TDepthTable& table);

// Closes a curve of pairs as the user gave them (typed, or read from a document): a pair (0, 0)
// is added first unless the pair found at strain 0 (within 1e-6) has zero stress, so that
// the curve starts from the origin and its closing pairs lie outside the given range.
int FinishGivenCurve(TDepthTable& table);

// The parabola through (0, 0), (-0.002, -f) and (-0.004, 0) in 101 pairs, finished.
int MakeDefaultConcreteCurve(TDepthTable& table, double f);

// Elastic-perfectly plastic: (0, 0), (fy / 2e11, fy), (0.1, fy), finished.
int MakeDefaultSteelCurve(TDepthTable& table, double fy);

// Cleans a curve for use by a law and leaves it sorted in descending order of strain:
// neighbouring pairs closer than 9.9e-7 in strain and 1000 Pa in stress are merged into
// their mean; with innerStrainsPositive (a steel curve) the pairs from the third to the
// third-last take the magnitude of their strain; a pair (0, 0) is added unless one lies at
// strain 0 with zero stress; pairs at (nearly) equal strains are pulled apart to 1e-6 below
// their predecessor. The origin keeps strain 0: another pair given there moves 1e-6 off it
// to the side of its stress (a steel curve's: to positive strain). The zero-stress pairs that
// close the given range then lie 2e-6 outside its outermost pairs again, as finishing the given
// pairs places them. A cleaned curve cleans to itself, so a curve is the same however often its
// type is checked, and its given pairs finished and cleaned again are the same curve.
void CleanUserCurve(TDepthTable& table, bool innerStrainsPositive);

// The pairs given for a finished (and perhaps cleaned) curve, in the table's order, as a
// document writes them and the value-list page shows them: without the closing pairs that
// finishing added (beyond 10000 in strain, and a zero-stress pair closing either end within
// 3e-6 of its neighbour), and without the origin beside a pair of non-zero stress given at
// strain 0 (which the value-list page adds, and the cleaning moves 1e-6 off the origin):
// that pair is told at strain 0 again. A (0, 0) the user gave, or the cleaning added to a
// curve given without it, is a given pair.
std::vector<DepthPair> GivenCurvePairs(const TDepthTable& curve);
