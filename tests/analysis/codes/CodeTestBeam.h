#pragma once
// A rectangular beam for the design-code tests whose code parameters are known by hand:
// 300 mm wide and 500 mm high, f'c 35 MPa with 19 mm aggregate (so s_xe = s_x), one layer of
// bars (fy 400 MPa, Es 200 GPa) at d = 380/0.9 mm from the compression face, so that
// d_v = 0.9 d = 380 mm (above 0.72 h = 360 mm) and s_x = d_v, and optional stirrups over the
// full height.

#include <cmath>

#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

namespace codetest {

inline constexpr double kWidth = 0.3;
inline constexpr double kHeight = 0.5;
inline constexpr double kDv = 0.38;
inline constexpr double kDepth = kDv / 0.9;
inline constexpr double kFc = 35e6;
inline constexpr double kFy = 4e8;
inline constexpr double kEs = 2e11;
inline constexpr double kStirrupSpacing = 0.1;
inline constexpr double kPiDeg = 3.141592653589 / 180.0;

inline double Cot(double degrees)
{
    return 1.0 / std::tan(degrees * kPiDeg);
}

// sqrt(f'c) in MPa, back in Pa.
inline double RootFc()
{
    return std::sqrt(kFc * 1e-6) * 1e6;
}

// The least stirrup stress of the AASHTO tables, sqrt(f'c)/sqrt(145).
inline double AashtoMinimum()
{
    return RootFc() / std::sqrt(145.0);
}

struct BeamSpec {
    double barArea = 0.002;   // m^2
    double stirrupFy = 0.0;   // rho_v f_y of the stirrups (Pa); 0 for none
    bool barsOnTop = false;   // mirrored: tension steel at the top
    double prestrain = 0.0;   // non-zero makes the bars a tendon
    double drape = 0.0;       // slope of that tendon along the member
    double loads[3] = {};     // increments N, M, V
    double constants[3] = {}; // constant N, M, V
};

// A load path of moment-shear ratio r (m), sagging, with stirrups of rho_v f_y = stirrupFy.
inline BeamSpec Path(double r, double stirrupFy = 0.0)
{
    BeamSpec spec;
    spec.loads[1] = -r;
    spec.loads[2] = 1.0;
    spec.stirrupFy = stirrupFy;
    return spec;
}

inline void MakeBeam(TBeam& beam, const BeamSpec& spec)
{
    beam.ClearAll();
    beam.DeleteRegions();
    double strength = kFc;
    beam.AddConcreteTypeFromStrength(strength, "Concrete 1");
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.Es = kEs, steel.fy = kFy, steel.fu = 6e8, steel.name = "Steel 1";
    beam.AddSteelType(steel);
    beam.AddRegion(kHeight, 0.0, kWidth, kWidth, 0, 1);

    LongLayerRec bars;
    InitLongLayerRec(bars);
    bars.z = spec.barsOnTop ? kDepth : kHeight - kDepth;
    bars.num = 4, bars.Ai = spec.barArea / 4, bars.A = spec.barArea, bars.db = 0.025;
    bars.dep = spec.prestrain, bars.drape = spec.drape, bars.name = "Bars";
    beam.AddLongLayer(bars, 0);
    if (spec.stirrupFy > 0.0) {
        TransLayerRec stirrups;
        InitTransLayerRec(stirrups);
        stirrups.A = spec.stirrupFy / kFy * kWidth * kStirrupSpacing;
        stirrups.space = kStirrupSpacing, stirrups.db = 0.01, stirrups.legs = 2;
        stirrups.distbot = 0.0, stirrups.disttop = kHeight, stirrups.name = "Stirrups";
        beam.AddTransLayer(stirrups, 2);
    }
    LoadVector inc{};
    LoadVector con{};
    for (int i = 0; i < 3; ++i)
        inc[i] = spec.loads[i], con[i] = spec.constants[i];
    beam.SetIncrementLoads(inc.data(), kLoadCount);
    beam.SetConstantLoads(con.data(), kLoadCount);
    beam.Validate();
}

} // namespace codetest
