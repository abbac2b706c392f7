#pragma once
// The depth profiles a beam-section analysis keeps over its section: the elastic shape of the
// shear strain, and the transverse clamping stress and longitudinal nonlinear strain that
// start from zero.
//
// Shear strain distribution: gamma(z) proportional to Q(z) / b(z), where b(z) is the width at
// depth z and Q(z) the first moment, about the centroid, of the part of the section above z;
// scaled so that its trapezoid mean over the height is 1. For a rectangle it is the parabola
// 1.5 (1 - (2 (z - zc) / H)^2), zero at both faces. Where the width jumps, the distribution
// holds two pairs at the same depth, their values in the inverse ratio of the widths, so that
// the shear flow Q stays continuous.
//
// Depths are section co-ordinates in m, larger upwards; every table runs from the top down.

#include "foundation/TDepthTable.h"

class TStructure;

inline constexpr const char* kShearStrainDistributionName = "shear strain distribution";
inline constexpr const char* kClampingStressName = "transverse clamping stress";
inline constexpr const char* kNonlinearDistributionName = "long. nonlinear distribution";

// Warnings of the shear strain distribution; the build goes on after each.
inline constexpr const char* kShearNotClosingText =
    "Failure of shear converngence potentially without any shear applied. don't panic";
inline constexpr const char* kShearMeanText =
    "there is something wrong with the average shear strain";

struct DepthProfiles {
    TDepthTable ShearStrainDistribution{kShearStrainDistributionName};
    TDepthTable ClampingStress{kClampingStressName};
    TDepthTable NonlinearDistribution{kNonlinearDistributionName};
};

// Fills widths with the (depth, width) profile of the concrete regions, top down: for each
// region (its top, its top width), the points every H / 21 below its top that lie in it
// (width from TStructure::GetWidthAtSide, side 0), and (its bottom, its bottom width).
// Touching regions give two pairs at the same depth, which is how a width jump shows.
void BuildWidthProfile(const TStructure& structure, TDepthTable& widths);

// Rebuilds the elastic shear strain distribution from the top to the bottom of the section:
// (top, 0), one pair per step of the width profile longer than 0.0001 m, an extra pair at
// each width jump, and (bottom, 0). Warns with kShearNotClosingText when the first moment
// does not vanish at the bottom (the closing value is then 0), and with kShearMeanText when
// the mean is below 1e-6 (1e-6 is then used for the scaling).
void BuildShearStrainDistribution(const TStructure& structure, TDepthTable& distribution);
void BuildShearStrainDistribution(const TStructure& structure, DepthProfiles& profiles);

// Empty the profile and set it to zero at the section top and bottom: exactly the pairs
// (top, 0) and (bottom, 0). Return 1.
int ResetClampingStressProfile(const TStructure& structure, TDepthTable& profile);
int ResetClampingStressProfile(const TStructure& structure, DepthProfiles& profiles);
int ResetNonlinearStrainProfile(const TStructure& structure, TDepthTable& profile);
int ResetNonlinearStrainProfile(const TStructure& structure, DepthProfiles& profiles);
