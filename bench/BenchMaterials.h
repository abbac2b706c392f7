#pragma once
// Material records with given values (no automatic properties) shared by the benchmarks:
// 35 MPa concrete with the default model codes and a 400 MPa reinforcing steel.

#include "model/materials/MaterialTypes.h"

inline ConcreteTypeRec BenchConcrete()
{
    ConcreteTypeRec type;
    type.fc = -35e6;
    type.ec = -0.002;
    type.Ec = 30e9;
    type.ft = 2e6;
    type.ecr = type.ft / type.Ec;
    type.tsFactor = 1.0;
    type.aggregate = 0.019;
    type.baseCurve = 2;
    type.softening = 18;
    type.tensionStiffening = 7;
    type.name = "Concrete 1";
    return type;
}

inline SteelTypeRec BenchSteel()
{
    SteelTypeRec steel;
    steel.fy = 4e8;
    steel.fu = 6e8;
    steel.esh = 0.007;
    steel.eu = 0.1;
    steel.er = 0.1465;
    steel.name = "Steel 1";
    return steel;
}
