#pragma once
// The concrete law as the layer-level solvers call it at one node: in-plane principal
// strains (e1, e2) with the out-of-plane strain 0, the node's own tensile strength and
// tension-stiffening factor, and the concrete resistance factor.

#include <cmath>

#include "analysis/state/LayerNodeState.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"

// pi/2 as the stored crack angles have always used it (a few 1e-13 short of the exact value).
inline constexpr double kStoredHalfPi = 1.5707963267945;

inline double ConcretePhi()
{
    return g_ResistanceFactors.phi_c;
}

// A concrete type named "steel" stands for a steel plate: it never cracks.
inline bool IsNamedSteel(const ConcreteTypeRec& type)
{
    return type.name == "steel";
}

// Principal concrete stress of direction 1 or 2 at the node; fp receives the softened peak.
inline double NodePrincipalStress(const ConcreteTypeRec& type,
                                  const LayerNodeStateRec& node,
                                  double e1,
                                  double e2,
                                  int direction,
                                  double& fp,
                                  double a = 0.0,
                                  double b = 0.0)
{
    const PrincipalStrains e = {e1, e2, 0.0};
    return ConcreteStress(type,
                          e,
                          direction,
                          fp,
                          node.LocalTensileStrength,
                          node.TensionStiffFactor,
                          a,
                          b);
}

// Crack spacing normal to cracks at angle theta: 1 / (|sin| / s_x + |cos| / s_z). A
// direction without a positive spacing (a 0 taken from a document) controls nothing; with
// neither, no spacing is known and the result is 0, so the crack width is 0.
inline double CrackSpacingAtAngle(double s, double c, double spacingX, double spacingZ)
{
    double inverse = 0.0;
    if (spacingX > 0.0)
        inverse += std::fabs(s) / spacingX;
    if (spacingZ > 0.0)
        inverse += std::fabs(c) / spacingZ;
    return inverse > 0.0 ? 1.0 / inverse : 0.0;
}

// The aggregate-interlock term 0.31 + 24 w / (a_g + 16 mm) of the crack-shear limit
// (w and a_g in m).
inline double InterlockDenominator(double w, double ag)
{
    return 0.31 + 24.0 * w / (ag + 0.016);
}
