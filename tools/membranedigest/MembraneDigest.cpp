// Prints every stored stage of the membrane responses the program computes for the PV panels
// to full precision, so that a change to the membrane analysis can be checked to leave them
// bit-for-bit unchanged: run before and after and compare the outputs with cmp.
//
//   qv_membranedigest            the built-in panels PV19 to PV21 (pure shear, as published, and
//                                with the shear turned negative) with their eighteen sensitivity
//                                runs, the PV19 panel of the tests (automatic crack spacing),
//                                and a panel of the tests under tension, shear and both
//   qv_membranedigest compression  the same panels under one compressive increment (N_xx or
//                                N_yy), and both together, with their stage counts and peaks
//
// Headless; links the computing libraries and the membrane mode's sensitivity variation only.

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "files/ExampleShells.h"
#include "files/legacy/BeamFileLoad.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "views/membrane/TP2k_Logic.h"

namespace {

void PrintResponse(const std::string& title, const TShell& element)
{
    TP2kFullResponse response(&element);
    const SectionState* peak = response.GetPeakState();
    std::printf("# %s errors=%d last=%d peak=%d\n",
                title.c_str(),
                response.GetErrorCount(),
                response.GetLastStageIndex(),
                peak != nullptr ? static_cast<int>(response.Probe_analysis(11, 0.0)) : -1);
    for (int i = 0; i <= response.GetLastStageIndex(); ++i) {
        const SectionState* stage = response.GetStage(i);
        if (stage == nullptr) {
            std::printf("%d absent\n", i);
            continue;
        }
        const LayerNodeStateRec& node = *ElementNode(*stage);
        std::printf("%d %a %a %a", i, node.StrainX, node.StrainZ, node.ShearStrain);
        for (double r : stage->Results)
            std::printf(" %a", r);
        for (const auto& values : stage->LongBarValues)
            for (double v : values)
                std::printf(" %a", v);
        std::printf("\n");
    }
}

// The peak of a response in words: its stage, strains (mm/m) and stresses (MPa).
void PrintPeak(const std::string& title, const TShell& element)
{
    TP2kFullResponse response(&element);
    const SectionState* peak = response.GetPeakState();
    int shown = 0;
    for (int i = 0; i <= response.GetLastStageIndex(); ++i)
        shown += response.GetStage(i) != nullptr ? 1 : 0;
    std::printf("%-34s errors %d, stages %3d", title.c_str(), response.GetErrorCount(), shown);
    std::string text, caption;
    int code = 0;
    if (response.GetErrorCount() > 0 && response.GetError(0, text, caption, code))
        std::printf(" (%s)", text.c_str());
    if (peak != nullptr) {
        const LayerNodeStateRec& n = *ElementNode(*peak);
        std::printf(
            ", peak: e_x %7.3f e_y %7.3f g_xy %7.3f mm/m, f_x %7.2f f_y %7.2f v_xy %6.2f MPa",
            n.StrainX * 1e3,
            n.StrainZ * 1e3,
            n.ShearStrain * 1e3,
            peak->Results[MembraneResult::SigmaX] / 1e6,
            peak->Results[MembraneResult::SigmaY] / 1e6,
            peak->Results[MembraneResult::TauXY] / 1e6);
    }
    std::printf("\n");
}

void SetIncrement(TShell& element, double fx, double fy, double vxy)
{
    double loads[8] = {fx, fy, vxy, 0, 0, 0, 0, 0};
    element.SetIncrementLoads(loads, 8);
}

} // namespace

int main(int argc, char** argv)
{
    InstallFileReaders();
    const bool compression = argc > 1 && std::strcmp(argv[1], "compression") == 0;
    const auto each = compression ? PrintPeak : PrintResponse;
    const char* names[3] = {"PV19", "PV20", "PV21"};
    for (int example = 1; example <= 3; ++example) {
        TShell panel(example);
        const std::string name = names[example - 1];
        if (compression) {
            SetIncrement(panel, -1000.0, 0.0, 0.0);
            each(name + " N_xx -1 kN/m", panel);
            SetIncrement(panel, 0.0, -1000.0, 0.0);
            each(name + " N_yy -1 kN/m", panel);
            SetIncrement(panel, -1000.0, -1000.0, 0.0);
            each(name + " N_xx = N_yy = -1 kN/m", panel);
            continue;
        }
        each(name, panel);
        double loads[8] = {};
        panel.GetIncrementLoads(loads, 8);
        TShell negative(panel);
        loads[2] = -loads[2];
        negative.SetIncrementLoads(loads, 8);
        each(name + " negative shear", negative);
        TShell copy(panel);
        for (int k = 0; k < 9; ++k)
            for (int sign = 1; sign >= 0; --sign) {
                ApplySensitivityVariation(panel, copy, 219 + k, sign);
                each(name + " sensitivity " + std::to_string(219 + k) + (sign ? "+" : "-"), copy);
            }
    }
    std::unique_ptr<TShell> pv19 = MakePv19();
    if (compression) {
        SetIncrement(*pv19, -1000.0, 0.0, 0.0);
        each("PV19 (tests) N_xx -1 kN/m", *pv19);
        SetIncrement(*pv19, 0.0, -1000.0, 0.0);
        each("PV19 (tests) N_yy -1 kN/m", *pv19);
        return 0;
    }
    each("PV19 (tests)", *pv19);
    for (const auto& [name, increment] :
         {std::pair<const char*, std::array<double, 3>>{"shear", {0.0, 0.0, 1e6}},
          {"tension x", {1e6, 0.0, 0.0}},
          {"tension y", {0.0, 1e6, 0.0}},
          {"tension and shear", {0.5e6, 0.25e6, 1e6}},
          {"compression y and shear", {0.0, -0.5e6, 1e6}}}) {
        membrane_fixtures::PanelSpec spec;
        spec.increment = increment;
        each(std::string("panel ") + name, *membrane_fixtures::MakePanel(spec));
    }
    return 0;
}
