#pragma once
// Membrane elements built in memory for the membrane-analysis tests and the benchmark: a panel
// of one concrete type with one smeared layer of bars in x and one in y, at mid-plane.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "membrane/TP2k1DAnalysis.h"
#include "model/StructureRecords.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "tests/membrane/Pv19Panel.h"

namespace membrane_fixtures {

inline constexpr double kThickness = 0.07;  // m
inline constexpr double kBarSpacing = 0.05; // m
inline constexpr double kBarDiameter = 0.006;

// The panels' bars: a yield plateau to 1 %, fu = 1.5 fy at 8 %, rupture at 10 %.
inline SteelTypeRec PanelSteel(double fy)
{
    return PlateauSteel("Bars", fy);
}

// A layer at mid-plane whose ratio in a panel of kThickness is rho (0: no layer).
inline LongLayerRec SmearedLayer(double rho, int steelType)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = 0.0;
    layer.space = kBarSpacing;
    layer.A = rho * kThickness * kBarSpacing;
    layer.num = 1;
    layer.Ai = layer.A;
    layer.db = kBarDiameter;
    layer.type = steelType;
    layer.name = "L";
    return layer;
}

struct PanelSpec {
    double fc = 30e6;   // |f'c|, Pa
    double rhoX = 0.01; // reinforcement ratios; 0 leaves the direction without layers
    double rhoY = 0.01;
    double fyX = 400e6;
    double fyY = 400e6;
    std::array<double, 3> increment{0.0, 0.0, 1e6}; // f_x, f_y, v_xy (Pa)
    std::array<double, 3> constant{0.0, 0.0, 0.0};  // as stored: Pa / 1000
};

inline std::unique_ptr<TShell> MakePanel(const PanelSpec& spec)
{
    auto shell = std::make_unique<TShell>();
    double strength = spec.fc;
    shell->AddConcreteTypeFromStrength(strength, "Concrete");
    shell->AddSteelType(PanelSteel(spec.fyX));
    shell->AddSteelType(PanelSteel(spec.fyY));
    if (spec.rhoX > 0.0)
        shell->AddLongLayer(SmearedLayer(spec.rhoX, 0), 0);
    if (spec.rhoY > 0.0)
        shell->AddLongLayer(SmearedLayer(spec.rhoY, 1), 1);
    shell->SetCrackSpacing(0.05, 0);
    shell->SetCrackSpacing(0.05, 1);
    std::array<double, 8> loads{};
    std::copy(spec.increment.begin(), spec.increment.end(), loads.begin());
    shell->SetIncrementLoads(loads.data(), 8);
    loads.fill(0.0);
    std::copy(spec.constant.begin(), spec.constant.end(), loads.begin());
    shell->SetConstantLoads(loads.data(), 8);
    shell->Validate();
    return shell;
}

// Every stage of a run a view can show, in order.
inline std::vector<const SectionState*> Stages(const TP2k1DAnalysis& run)
{
    std::vector<const SectionState*> stages;
    for (int i = 0; i <= run.GetLastStageIndex(); ++i)
        if (const SectionState* s = run.GetStage(i))
            stages.push_back(s);
    return stages;
}

// An analysis (not solved) whose increment loads the tests set directly, as no element can hold
// some of them (validation gives a load-free element a unit shear increment).
class LoadProbe : public TP2k1DAnalysis {
public:
    using TP2k1DAnalysis::TP2k1DAnalysis;
    void SetIncrements(double ix, double iy, double ixy)
    {
        IncrementLoads[0] = ix;
        IncrementLoads[1] = iy;
        IncrementLoads[2] = ixy;
    }
    double IncrementShear() const { return IncrementLoads[2]; }
};

} // namespace membrane_fixtures
