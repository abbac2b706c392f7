#pragma once
// Stresses of the longitudinal bars at cracks, after the nodes of a section state are solved.
//
// At a crack the tension that the cracked concrete carries between cracks (beyond the stress
// a crack still transmits, plus the crack shear) must pass through the bars. Its moment about
// the crossing depth y0 of the governing tension zone is carried by a curvature increment
// about y0 that raises the tension bars' stresses; each bar's stress at that increment is its
// stress at a crack, and the difference from its average stress over half the crack spacing
// gives its bond stress. When the bars cannot carry the demand the stresses at cracks are
// cleared to undefined for the bars in tension.
//
// Conventions as in TensionZones.h. Writes only the state's per-bar stresses at cracks and
// bond stresses; allocates nothing.

#include "analysis/layers/TensionZones.h"

struct SectionState;

class TCrackStresses {
public:
    // The zones give the section, the evaluator and the shared queries; they must outlive
    // this object.
    explicit TCrackStresses(const TTensionZones& zones);

    // Stress at a crack and bond stress of every bar of list d, from the reserve moment a of
    // the governing zone and its crossing depth y0 (the outputs of BuildReserveProfile).
    void ComputeCrackStresses(SectionState& state, double a, double y0, int d) const;

    // Stress at a crack: the average stress for bars not in tension, undefined for bars in
    // tension; every bond stress undefined.
    void ClearCrackStresses(SectionState& state) const;

    // Curvature increment about y0 at which the tension bars add the moment M, searched in
    // steps k0 and refined by bisection; 0 when no curvature suffices.
    double
    SolveCrackCurvature(const SectionState& state, double M, double k0, double y0, int d) const;

    // Moment about y0 that the tension bars gain when the curvature grows by k.
    double BarMomentIncrement(const SectionState& state, double k, double y0, int d) const;

    // The largest BarMomentIncrement over the curvatures at which each bar passes its
    // rupture strain; curvature receives the one that gave it (0 when none gives a moment).
    double
    FindBarLimitCurvature(const SectionState& state, double y0, double& curvature, int d) const;

private:
    // Moment about y0 of the tension that the cracked concrete carries beyond a crack; and the
    // same without the nodes whose excess over their decay stress is only rounding.
    struct Demand {
        double total = 0.0;
        double beyondRounding = 0.0;
    };
    Demand ConcreteDemand(const SectionState& state, double y0) const;
    // Curvature increment about y0 that carries the demand Mc through the bars, given the
    // elastic bar moment Ms at kMax and the reserve moment a; undefined when none suffices.
    double CrackCurvature(const SectionState& state,
                          double Mc,
                          double Ms,
                          double kMax,
                          double a,
                          double y0,
                          int d) const;
    int BarCount(int d) const;

    const TTensionZones& m_zones;
    const TLayerEvaluator& m_evaluator;
    const TStructure& m_structure;
};
