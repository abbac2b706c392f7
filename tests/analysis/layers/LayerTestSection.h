#pragma once
// A rectangular beam section whose material values are given outright, so that tests can
// work out stresses by hand: concrete f'c -35 MPa, f't 2 MPa, Ec 30 GPa, e'c -0.002;
// reinforcing steel Es 200 GPa, fy 400 MPa, fu 600 MPa, esh 0.007, eu 0.1, er 0.1465.

#include "model/MaterialTypes.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"

namespace layertest {

inline constexpr double kWidth = 0.3;
inline constexpr double kTop = 0.25;
inline constexpr double kBottom = -0.25;
inline constexpr double kEc = 30e9;
inline constexpr double kFt = 2e6;
inline constexpr double kEs = 2e11;
inline constexpr double kFy = 4e8;
inline constexpr double kFu = 6e8;
inline constexpr double kEsh = 0.007;
inline constexpr double kEu = 0.1;

inline ConcreteTypeRec Concrete()
{
    ConcreteTypeRec type;
    type.fc = -35e6;
    type.ec = -0.002;
    type.Ec = kEc;
    type.ft = kFt;
    type.ecr = kFt / kEc;
    type.tsFactor = 1.0;
    type.aggregate = 0.019;
    type.tsCoefficient = 500.0;
    type.n = 2.86;
    type.k = 1.23;
    type.baseCurve = 2;
    type.softening = 18;
    type.tensionStiffening = 2;
    type.name = "Concrete 1";
    return type;
}

inline SteelTypeRec Steel()
{
    SteelTypeRec steel;
    steel.kind = SteelKind::Reinforcing;
    steel.Es = kEs;
    steel.fy = kFy;
    steel.fu = kFu;
    steel.esh = kEsh;
    steel.eu = kEu;
    steel.er = 0.1465;
    steel.name = "Steel 1";
    return steel;
}

// Turns a beam into the rectangle kTop ... kBottom, kWidth wide, with concrete type 0 and
// steel type 0 as above and no reinforcement.
inline void MakeRectangle(TBeam& s)
{
    s.ClearAll();
    s.DeleteRegions();
    s.AddConcreteType(Concrete());
    s.AddSteelType(Steel());
    s.AddRegion(kTop, kBottom, kWidth, kWidth, 0, 1);
}

inline LongLayerRec Bars(double z, int count, double barArea, double diameter)
{
    LongLayerRec layer;
    layer.z = z;
    layer.num = count;
    layer.Ai = barArea;
    layer.A = count * barArea;
    layer.db = diameter;
    layer.bartitle = "25M";
    layer.type = 0;
    layer.name = "Bars";
    return layer;
}

inline TransLayerRec Stirrups(double area, double spacing, double bottom, double top)
{
    TransLayerRec layer;
    layer.A = area;
    layer.space = spacing;
    layer.distbot = bottom;
    layer.disttop = top;
    layer.legs = 2;
    layer.bartitle = "10M";
    layer.type = 0;
    layer.name = "Stirrups";
    return layer;
}

} // namespace layertest
