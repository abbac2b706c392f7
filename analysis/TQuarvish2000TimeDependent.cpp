// Time-dependent strains: shrinkage, creep and relaxation over the concrete's life under the
// sustained loads, and their imposition on the analysis's own beam copy.
//
// Factors (t the age at loading in days, at least 7.1; v/s in m, at most 0.15):
//   size term  T  = (t / (26 e^(14.2 v/s) + t)) / (t / (t + 45))
//   shrinkage  ks = T (1064 - 3700 v/s) / 923,   eps_sh = -(t / (t + 35)) ks 0.00051
//   creep      kf = 62 / (42 + |f'c in MPa|),   kc = T (1.80 + 1.77 e^(-21.3 v/s)) / 2.587
//              psi = 3.5 kc kf 0.8 (t - 7)^0.6 / (10 + (t - 7)^0.6)
// The creep-softened concrete has e'c (1 + psi); a tendon stressed beyond 0.55 of its yield
// strain loses the area share (log10(24 t) / 40)(dep / (fy / E) - 0.55) to relaxation.

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "analysis/TPointAnalysis.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"

namespace {

constexpr double kMinAgeDays = 7.1;
constexpr double kMaxVolumeSurface = 0.15;

TimeDependentReportWriter& ReportWriter()
{
    static TimeDependentReportWriter writer;
    return writer;
}

// A private working copy of a beam, which the engine may write although it is frozen.
std::unique_ptr<TBeam> EngineCopy(const TBeam& beam)
{
    auto copy = std::make_unique<TBeam>(beam);
    copy->SetEngineCopy(1);
    return copy;
}

// Solves the sustained-load state of a beam: curvature and reference strain, or false.
bool SolveSustainedState(const TBeam& beam, double& curvature, double& strain)
{
    const TLongTermAnalysis analysis(&beam, 0.0, 0.0, 0.0, 0.0);
    const SectionState* state = analysis.GetPeakState();
    if (state == nullptr)
        return false;
    curvature = state->Results[StateResult::Curvature];
    strain = state->Results[StateResult::ReferenceStrain];
    return true;
}

} // namespace

TimeDependentReportWriter SetTimeDependentReportWriter(TimeDependentReportWriter writer)
{
    return std::exchange(ReportWriter(), std::move(writer));
}

int TQuarvish2000Analysis::SolveTimeDependentStrains(const TBeam& structure,
                                                     TimeDependentStrains& out)
{
    out = TimeDependentStrains{};
    // 1.-2. The factors.
    std::unique_ptr<TBeam> beam1 = EngineCopy(structure);
    int flag = 0;
    double t = 0.0, Ms = 0.0, Ns = 0.0;
    beam1->GetTimeData(flag, t, Ms, Ns);
    double vs = ComputeVolumeSurfaceRatio(*beam1);
    t = std::max(t, kMinAgeDays);
    vs = std::min(vs, kMaxVolumeSurface);
    out.volumeSurface = vs;
    const double T = (t / (26.0 * std::exp(14.2 * vs) + t)) / (t / (t + 45.0));
    out.ks = T * (1064.0 - 3700.0 * vs) / 923.0;
    out.shrinkage = -(t / (t + 35.0)) * out.ks * 0.00051;
    const int mainIndex = beam1->GetMainConcreteType();
    const ConcreteTypeRec* main = mainIndex >= 0 && mainIndex < beam1->GetConcreteTypeCount()
                                      ? beam1->GetConcreteType(mainIndex)
                                      : nullptr;
    out.kf = 62.0 / (42.0 + std::fabs((main != nullptr ? main->fc : 0.0) * 1e-6));
    out.kc = T * (1.80 + 1.77 * std::exp(-21.3 * vs)) / 2.587;
    const double aged = std::pow(t - 7.0, 0.6);
    out.creepCoefficient = 3.5 * out.kc * out.kf * 0.8 * aged / (10.0 + aged);

    // 9.-10. The initial state under the sustained loads.
    const double constant[3] = {Ns, Ms, 0.0};
    const double increment[3] = {0.0, 0.0, 0.0};
    beam1->SetConstantLoads(constant, 3);
    beam1->SetIncrementLoads(increment, 3);
    double phi1 = 0.0, e01 = 0.0;
    if (!SolveSustainedState(*beam1, phi1, e01))
        return 1;

    // 11.-13. The long-term beam: creep-softened concrete, relaxed tendons, shrinkage added.
    std::unique_ptr<TBeam> beam2 = EngineCopy(*beam1);
    beam2->DeleteConcreteTypes();
    for (int i = 0; i < beam1->GetConcreteTypeCount(); ++i) {
        ConcreteTypeRec type = *beam1->GetConcreteType(i);
        type.ec *= 1.0 + out.creepCoefficient;
        type.ecAuto = 0;
        PrepareConcreteType(type);
        beam2->AddConcreteType(type);
    }
    beam2->DeleteLongLayers(0);
    for (int i = 0; i < beam1->GetLongLayerCount(0); ++i) {
        LongLayerRec layer = *beam1->GetLongLayer(i, 0);
        const SteelTypeRec* steel = layer.type >= 0 && layer.type < beam1->GetSteelTypeCount()
                                        ? beam1->GetSteelType(layer.type)
                                        : nullptr;
        if (steel != nullptr && steel->fy > 0.0 && steel->Es > 0.0) {
            const double stressed = layer.dep / (steel->fy / steel->Es);
            layer.A *= std::min(1.0, 1.0 - (std::log10(24.0 * t) / 40.0) * (stressed - 0.55));
        }
        beam2->AddLongLayer(layer, 0);
    }
    TDepthTable shrink(beam1->GetPositionVariable(kShrinkTherm));
    for (int i = 0; i < shrink.GetCount(); ++i)
        shrink.SetValue(i, shrink.GetValue(i) + out.shrinkage);
    shrink.SetSorted(true);
    beam2->SetShrinkThermCurve(shrink);

    // 14. The long-term state.
    double phi2 = 0.0, e02 = 0.0;
    if (!SolveSustainedState(*beam2, phi2, e02))
        return 1;
    out.curvature1 = phi1;
    out.strain1 = e01;
    out.curvature2 = phi2;
    out.strain2 = e02;
    return 1;
}

int TQuarvish2000Analysis::ApplyTimeDependentStrains(TBeam& beam)
{
    int flag = 0;
    double age = 0.0, Ms = 0.0, Ns = 0.0;
    beam.GetTimeData(flag, age, Ms, Ns);
    if (flag == 0)
        return 0;
    TimeDependentStrains v;
    SolveTimeDependentStrains(beam, v);
    if (GetDebugLevel() == 3 && ReportWriter())
        ShowDataText(ReportWriter()(beam, v));
    const double de0 = v.strain2 - v.strain1;
    const double dphi = v.curvature2 - v.curvature1;
    std::vector<double> strains;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        strains.push_back(layer != nullptr ? de0 + dphi * layer->z : 0.0);
    }
    beam.SetLongTermStrains(v.shrinkage, de0, dphi, strains, 0);
    Prepare();
    return 1;
}
