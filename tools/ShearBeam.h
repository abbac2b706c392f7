#pragma once
// The sample beam the picture tools draw: C35 concrete, a layer of three 25 mm bars and
// two-legged 10 mm stirrups at 200 mm, no constant loads and the load increments given (three
// values, SI); doneBy, when given, fills the "done by" text.

#include <memory>

#include "model/TBeam.h"

inline std::unique_ptr<TBeam> ShearBeam(const double (&increment)[3], const char* doneBy = nullptr)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    ConcreteTypeRec concrete;
    concrete.name = "C35", concrete.fc = -35e6, concrete.ec = -0.0025;
    concrete.Ec = 3e10, concrete.ft = 2e6;
    beam->AddConcreteType(concrete);
    SteelTypeRec steel;
    steel.name = "Bars", steel.Es = 2e11, steel.fy = 4e8, steel.er = 0.05;
    beam->AddSteelType(steel);
    beam->AddRegion(0.3, -0.3, 0.3, 0.3, 0, 1);
    LongLayerRec layer;
    layer.z = -0.25, layer.num = 3, layer.Ai = 5e-4, layer.A = 1.5e-3, layer.db = 0.025;
    beam->AddLongLayer(layer, 0);
    TransLayerRec stirrup;
    stirrup.A = 1.57e-4, stirrup.Ai = 7.85e-5, stirrup.legs = 2, stirrup.db = 0.01;
    stirrup.space = 0.2, stirrup.disttop = 0.27, stirrup.distbot = -0.27;
    beam->AddTransLayer(stirrup, 2);
    beam->SetName("Beam with stirrups");
    if (doneBy)
        beam->SetDoneBy(doneBy);
    const double constant[3] = {0.0, 0.0, 0.0};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    return beam;
}
