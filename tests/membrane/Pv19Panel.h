#pragma once
// The PV19 panel of the PV series as the program keeps it: 70 mm thick, f'c 19 MPa, x bars
// 1.785 % (f_y 458 MPa) and y bars 0.713 % (f_y 299 MPa), each direction one layer of bars at
// 50 mm, automatic crack spacing, loaded in pure shear. Only the element model is needed.

#include <memory>
#include <string>

#include "model/StructureRecords.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"

// A reinforcing steel with a yield plateau to 1 %, fu = 1.5 fy at 8 %, rupture at 10 %.
inline SteelTypeRec PlateauSteel(const char* name, double fy)
{
    SteelTypeRec r;
    InitSteelTypeRec(r);
    r.kind = SteelKind::Reinforcing;
    r.Es = 2e11, r.fy = fy, r.fu = 1.5 * fy, r.esh = 0.01, r.eu = 0.08, r.er = 0.1;
    r.name = name;
    return r;
}

// A panel of the PV series: 70 mm thick, one layer of bars at 50 mm each way, automatic crack
// spacing. Strengths in Pa, ratios as fractions, diameters in m.
struct PvPanelData {
    const char* name;
    double fc;
    double rhoX, fyX, dbX;
    double rhoY, fyY, dbY;
};

inline std::unique_ptr<TShell> MakePvPanel(const PvPanelData& data)
{
    constexpr double thickness = 0.07, spacing = 0.05;
    auto shell = std::make_unique<TShell>();
    shell->NewDefault();
    double strength = data.fc;
    shell->AddConcreteTypeFromStrength(strength, std::string(data.name) + " concrete");
    shell->AddSteelType(PlateauSteel("X bars", data.fyX));
    shell->AddSteelType(PlateauSteel("Y bars", data.fyY));
    const auto layer = [&](int direction, double rho, double db, const char* name) {
        LongLayerRec l;
        InitLongLayerRec(l);
        l.space = spacing;
        l.A = rho * thickness * spacing;
        l.num = 1;
        l.Ai = l.A;
        l.db = db;
        l.type = direction;
        l.name = name;
        shell->AddLongLayer(l, direction);
    };
    layer(0, data.rhoX, data.dbX, "X layer");
    layer(1, data.rhoY, data.dbY, "Y layer");
    shell->SetName(data.name);
    shell->Validate();
    return shell;
}

inline std::unique_ptr<TShell> MakePv19()
{
    return MakePvPanel({"PV19", 19e6, 0.01785, 458e6, 0.0064, 0.00713, 299e6, 0.0047});
}
