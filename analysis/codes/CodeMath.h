#pragma once
// Small conversions shared by the design-code routines.

#include <algorithm>
#include <cmath>

#include "model/StructureRecords.h"

// tan and cot of an angle in degrees, with pi as the section model uses it.
inline double TanDegrees(double degrees)
{
    return std::tan(degrees * kModelPi / 180.0);
}

inline double CotDegrees(double degrees)
{
    return 1.0 / TanDegrees(degrees);
}

// sqrt(f'c) of a stress in Pa, taken in MPa and given back in Pa (the codes' root units);
// the stress is capped at capMPa under the root.
inline double RootMPa(double stress, double capMPa = 1e30)
{
    return std::sqrt(std::min(std::max(stress, 0.0) * 1e-6, capMPa)) * 1e6;
}
