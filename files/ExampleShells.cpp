#include "files/ExampleShells.h"

#include <array>
#include <string>

#include "model/StructureRecords.h"
#include "model/TShell.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"

namespace {

// One published test panel. Strengths in Pa, lengths in m; ratios as fractions.
struct TestPanel {
    const char* name;
    double fc;   // measured cylinder strength |f'c|
    double rhoX; // reinforcement ratio of the x mats
    double fyX;  // measured yield stress of the x bars
    double dbX;  // x bar diameter
    double rhoY;
    double fyY;
    double dbY;
    double vu; // measured shear stress at failure
};

// Source: "The Modified Compression-Field Theory for Reinforced Concrete Elements Subjected to
// Shear", ACI Journal, Proceedings V. 83, No. 2, 1986, pp. 219-231, its table of test panels.
constexpr std::array<TestPanel, 3> kPanels = {{
    {"PV19", 19.0e6, 0.01785, 458e6, 0.00635, 0.00713, 299e6, 0.00401, 3.95e6},
    {"PV20", 19.6e6, 0.01785, 460e6, 0.00635, 0.00885, 297e6, 0.00447, 4.26e6},
    {"PV21", 19.5e6, 0.01785, 458e6, 0.00635, 0.01296, 302e6, 0.00541, 5.03e6},
}};

// Common to the series: 70 mm thick, every mat's bars at 50 mm, 6 mm maximum aggregate. The
// thickness is that of a new element, whose single region the default already spans.
constexpr double kThickness = 0.07;
static_assert(kThickness == kDefaultShellThickness);
constexpr double kBarSpacing = 0.05;
constexpr double kAggregate = 0.006;
// The panels were loaded in pure shear: one stress unit (1 MPa) of shear per load step.
constexpr double kShearIncrement = 1e6;
// The experimental-data list of the measured shear stress.
constexpr int kShearList = 14;

SteelTypeRec Bars(const char* name, double fy)
{
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.kind = SteelKind::Reinforcing;
    steel.fy = fy;
    steel.name = name;
    // The program's reinforcing-steel curve for this yield stress (Es 200 GPa, hardening to
    // 1.5 fy).
    CheckSteelType(steel, true);
    return steel;
}

// The two mats of a direction (one near each face) as one layer at the mid-plane: in-plane
// loads strain both alike. Area per spacing = rho t s, two bars of the published diameter.
LongLayerRec Mats(double rho, double db, int steelType, const char* name)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = 0.0;
    layer.space = kBarSpacing;
    layer.A = rho * kThickness * kBarSpacing;
    layer.num = 2;
    layer.Ai = layer.A / 2.0;
    layer.db = db;
    layer.type = steelType;
    layer.name = name;
    return layer;
}

int Fill(TShell& shell, const TestPanel& panel)
{
    ConcreteTypeRec concrete;
    InitConcreteTypeRec(concrete);
    concrete.fc = -panel.fc;
    concrete.name = std::string(panel.name) + " concrete";
    CheckConcreteType(concrete, true);
    concrete.aggregate = kAggregate;
    CheckConcreteType(concrete, false);
    if (!shell.AddConcreteType(concrete))
        return 0;
    if (!shell.AddSteelType(Bars("X bars", panel.fyX)) ||
        !shell.AddSteelType(Bars("Y bars", panel.fyY)))
        return 0;
    shell.AddLongLayer(Mats(panel.rhoX, panel.dbX, 0, "X mats"), 0);
    shell.AddLongLayer(Mats(panel.rhoY, panel.dbY, 1, "Y mats"), 1);

    LoadVector loads{};
    shell.SetConstantLoads(loads.data(), kLoadCount);
    loads[2] = kShearIncrement;
    shell.SetIncrementLoads(loads.data(), kLoadCount);
    const double measured[] = {panel.vu};
    shell.SetValueList(kShearList, measured, 1);

    shell.SetName(panel.name);
    shell.SetDoneBy("Vantrio and Hawmere");
    shell.SetUniversity("Structures Laboratory");
    shell.Validate();
    shell.SetModified(0);
    return 1;
}

} // namespace

int LoadExampleShell1(TShell& shell)
{
    return Fill(shell, kPanels[0]);
}

int LoadExampleShell2(TShell& shell)
{
    return Fill(shell, kPanels[1]);
}

int LoadExampleShell3(TShell& shell)
{
    return Fill(shell, kPanels[2]);
}

int LoadExampleShell(TShell& shell, int example)
{
    switch (example) {
    case 1:
        return LoadExampleShell1(shell);
    case 2:
        return LoadExampleShell2(shell);
    case 3:
        return LoadExampleShell3(shell);
    default:
        return 0;
    }
}
