#pragma once
// The design-code strength of a beam section drawn in the moment-shear plane for the code
// charts: first, as markers, the section's own code strength (the failure point of its load
// path) and the state that the analysis shows; then the strength curve as a line of the
// caller's line number. Moments go to x and shears to y, in display units.
//
// The state moment and shear are stored values, or kUndefined when no state is shown.

class ChartPointSink;
class TBeam;

// AASHTO-94 (variant 0) or AASHTO-2000 (variant 1): the curve of the code tables, from pure
// shear to pure moment; for AASHTO-2000 capped at the shear strength of the section d_v from
// the support.
void BuildCodeCapacityCurve(ChartPointSink& chart,
                            const TBeam* beam,
                            int graphId,
                            int lineNumber,
                            int variant,
                            double stateMoment,
                            double stateShear);

// CSA-2014 (variant 2): 52 solutions of the general method at the failure axial load of the
// section's own load path, from pure moment over 50 moment-shear ratios 50 h / 1.15^k
// (k = 1 .. 50) to pure shear.
void BuildCodeShearCurve(ChartPointSink& chart,
                         const TBeam* beam,
                         int graphId,
                         int lineNumber,
                         int variant,
                         double stateMoment,
                         double stateShear);
