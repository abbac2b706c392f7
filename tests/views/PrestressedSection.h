#pragma once
// A pretensioned girder section for the material charts: a 60 MPa girder, 250 x 800 mm, under
// a 35 MPa deck slab 1200 x 200 mm; 400 MPa bars top and bottom, 400 MPa stirrups and two
// layers of 1860 MPa strands (a low-relaxation and a stress-relieved grade) with their prestrain.

#include <memory>

#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

inline std::unique_ptr<TBeam> MakePrestressedGirder()
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    beam->SetName("Pretensioned girder");
    double girder = 60e6, deck = 35e6;
    beam->AddConcreteTypeFromStrength(girder, "Girder");
    beam->AddConcreteTypeFromStrength(deck, "Deck");
    beam->AddRegion(0.5, 0.3, 1.2, 1.2, 1, 1);
    beam->AddRegion(0.3, -0.5, 0.25, 0.25, 0, 1);

    const auto steel = [&](const char* name, int kind, double fy) {
        SteelTypeRec r;
        r.kind = kind;
        r.fy = fy;
        CheckSteelType(r, true);
        r.name = name;
        beam->AddSteelType(r);
    };
    steel("Bar 400", SteelKind::Reinforcing, 400e6);
    steel("Strand LR", SteelKind::Prestressing, 1860e6);
    steel("Strand SR", SteelKind::Prestressing, 1860e6);
    if (SteelTypeRec* sr = beam->GetSteelType(2)) {
        sr->A = 0.03, sr->B = 121, sr->C = 6; // a softer knee
        CheckSteelType(*sr, false);
    }

    const auto layer = [&](double z, int num, double Ai, double db, int type, double prestrain) {
        LongLayerRec l;
        l.z = z, l.num = num, l.Ai = Ai, l.A = num * Ai, l.db = db, l.type = type, l.dep = prestrain;
        l.name = prestrain != 0.0 ? "Strands" : "Bars";
        beam->AddLongLayer(l, 0);
    };
    layer(0.45, 8, 2e-4, 0.016, 0, 0.0);
    layer(-0.35, 6, 140e-6, 0.0152, 2, 0.0065);
    layer(-0.40, 8, 140e-6, 0.0152, 1, 0.0065);
    layer(-0.46, 3, 3e-4, 0.0195, 0, 0.0);
    TransLayerRec stirrup;
    stirrup.A = 2e-4, stirrup.Ai = 1e-4, stirrup.db = 0.0113, stirrup.space = 0.3, stirrup.legs = 2;
    stirrup.disttop = 0.47, stirrup.distbot = -0.47, stirrup.type = 0, stirrup.name = "Stirrups";
    beam->AddTransLayer(stirrup, 2);
    beam->Validate();
    return beam;
}
