// What the beam-section set-up leaves behind for the solves: the effective tensile-strength
// table, the section constant, and the per-state quantities every solve shares (the strain at
// a depth, the node shear shape, the average shear strain).
//
// Tensile strength: near a face in flexural tension the concrete cracks at a higher stress
// than its direct tensile strength f't (a steep strain gradient). The face stress S is found
// for the load path at first cracking from the transformed section, and the cracking stress
// rises linearly from f't to S over half the depth D of the tension zone at that face.
//
// Units: SI (N, m, Pa); depths larger upwards.

#include <algorithm>
#include <cmath>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/layers/DepthProfiles.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

// Points of the tensile-strength table over the height.
constexpr int kStrengthPoints = 100;
// Passes of the face-stress iteration.
constexpr int kMaxFacePasses = 50;

// Face stress and tension-zone depth at first cracking.
struct FaceCracking {
    double stress = 0.0; // S (Pa)
    double depth = 0.0;  // D (m)
};

// Slope and intercept of the line through a table; false when it cannot be fitted.
bool FitTableLine(const TDepthTable& table, double& slope, double& intercept)
{
    slope = 0.0;
    intercept = 0.0;
    return table.FitLine(slope, intercept);
}

const ConcreteTypeRec* ConcreteOf(const TBeam& beam, int index)
{
    return index >= 0 && index < beam.GetConcreteTypeCount() ? beam.GetConcreteType(index)
                                                             : nullptr;
}

// Face f (0 top, 1 bottom) of the beam: the stress S at which the face cracks under the load
// path and the depth D of its tension zone then; (f't of the main type, H) when the
// iteration does not settle.
FaceCracking ComputeFaceCracking(const TBeam& beam, int face)
{
    const double H = beam.GetHeight();
    const ConcreteTypeRec* main = ConcreteOf(beam, beam.GetMainConcreteType());
    const double ftMain = main != nullptr ? main->ft : 0.0;
    const FaceCracking fallback{ftMain, H};
    if (main == nullptr)
        return fallback;

    // 1. Transformed section and loads.
    double I = 0.0, A = 0.0, above = 0.0, yc = 0.0, sTop = 0.0, sBottom = 0.0;
    beam.GetFaceSteelData(1, I, A, above, yc, sTop, sBottom);
    if (!(I > 0.0) || !(A > 0.0))
        return fallback;
    double F0[3] = {0.0, 0.0, 0.0};
    double dF[3] = {0.0, 0.0, 0.0};
    beam.GetConstantLoads(F0, 3);
    beam.GetIncrementLoads(dF, 3);
    if (std::fabs(dF[0]) + std::fabs(dF[1]) < 1e-6)
        dF[1] = 1.0;

    // 2. Prestress of the bars.
    double P = 0.0;
    double Mp = 0.0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        if (layer == nullptr || layer->type < 0 || layer->type >= beam.GetSteelTypeCount())
            continue;
        const double e = -(layer->thermStrain + layer->timeStrain) + layer->dep;
        const double force = layer->A * SteelStress(*beam.GetSteelType(layer->type), e, 0.0);
        P += force;
        Mp += force * layer->z;
    }

    // 3. Restraint of the imposed strains.
    const double Ec = main->Ec;
    double k = 0.0;
    double e = 0.0;
    if (FitTableLine(TDepthTable(beam.GetPositionVariable(kShrinkTherm)), k, e)) {
        P += e * A * Ec;
        Mp += k * I * Ec;
    }
    TDepthTable creep;
    creep.Add(beam.GetBottom(), beam.GetInitialStrainAt(beam.GetBottom(), 4));
    creep.Add(beam.GetTop(), beam.GetInitialStrainAt(beam.GetTop(), 4));
    if (FitTableLine(creep, k, e)) {
        P += e * A * Ec;
        Mp += k * I * Ec;
    }

    // 4. Distance of the face from the centroid and the concretes that matter.
    const double d = face == 0 ? H - yc : yc;
    const ConcreteRegionRec* region = beam.GetRegion(face == 0 ? 0 : beam.GetRegionCount() - 1);
    const ConcreteTypeRec* faceConcrete =
        region != nullptr ? ConcreteOf(beam, region->concreteType) : nullptr;
    const ConcreteTypeRec* centre = beam.GetConcreteTypeAt(beam.GetBottom() + yc);
    if (faceConcrete == nullptr)
        faceConcrete = main;
    if (centre == nullptr)
        centre = main;

    // 5. Face stress of the constant loads and per unit load factor.
    const double sigma0 = (std::fabs(F0[1]) + Mp) * d / I + (F0[0] - P) / A;
    const double sigmaI = std::fabs(dF[1]) * d / I + dF[0] / A;
    if (sigmaI == 0.0)
        return fallback;

    // 6. The face stress at which the zone that forms cracks.
    double s = 0.1 * ftMain;
    double D = H;
    for (int pass = 1; pass <= kMaxFacePasses; ++pass) {
        const double lambda = (s - sigma0) / sigmaI;
        const double sigmaN = (lambda * dF[0] + F0[0] - P) / A;
        D = 2.0 * d * s / std::max(s - sigmaN, 1.0);
        // f'c is negative: the bracket is 1 + 1.75 |f'c in MPa| / (D in mm).
        double next = std::min((1.0 - (faceConcrete->fc / 1e6) * 1.75 / (D * 1000.0)) * 2.5e6,
                               -0.15 * faceConcrete->fc);
        const double atCentre = ((D - d) / (D + 0.0001)) * next;
        if (atCentre > centre->ft && atCentre > 0.0)
            next *= centre->ft / atCentre;
        s = (s + next) / 2.0;
        if (pass == kMaxFacePasses)
            break;
        if (std::fabs(s - next) < 0.001 * s + 1000.0)
            return FaceCracking{s, std::max(D, H / 20.0)};
    }
    return fallback;
}

} // namespace

// ---- Effective tensile strength -----------------------------------------------------------

void TQuarvish2000Analysis::BuildTensileStrengthTable()
{
    WorkingTable.Clear();
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return;
    const double H = beam->GetHeight();
    const double top = beam->GetTop();
    const double bottom = beam->GetBottom();
    const FaceCracking topFace = ComputeFaceCracking(*beam, 0);
    const FaceCracking bottomFace = ComputeFaceCracking(*beam, 1);
    const double Dt = topFace.depth / 2.0;
    const double Db = bottomFace.depth / 2.0;
    const ConcreteTypeRec* main = ConcreteOf(*beam, beam->GetMainConcreteType());
    for (int i = 0; i < kStrengthPoints; ++i) {
        const double y = bottom + H * i / (kStrengthPoints - 1);
        const ConcreteTypeRec* type = beam->GetConcreteTypeAt(y);
        if (type == nullptr)
            type = main;
        double value = 0.0;
        if (type != nullptr) {
            value = type->ft;
            if (type->ftAuto) {
                const double a = Db > 0.0 ? (bottom + Db - y) * bottomFace.stress / Db : 0.0;
                const double b = Dt > 0.0 ? (y - (top - Dt)) * topFace.stress / Dt : 0.0;
                value = std::max({type->ft, a, b});
            }
        }
        WorkingTable.Add(y, value);
    }
    WorkingTable.Add(kUndefined, 0.0);
    WorkingTable.Add(-kUndefined, 0.0);
    WorkingTable.Sort(1);
}

// ---- Section constant ---------------------------------------------------------------------

void TQuarvish2000Analysis::ComputeSectionConstant()
{
    SectionConstant = 0.0;
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return;
    TDepthTable widths;
    BuildWidthProfile(*beam, widths);
    const ConcreteTypeRec* main = ConcreteOf(*beam, beam->GetMainConcreteType());
    double s1 = 0.0;
    double s2 = 0.0;
    double s3 = 0.0;
    for (int i = 0; i + 1 < widths.GetCount(); ++i) {
        const double z1 = widths.GetDepth(i);
        const double z2 = widths.GetDepth(i + 1);
        const double z = (z1 + z2) / 2.0;
        const ConcreteTypeRec* type = beam->GetConcreteTypeAt(z);
        if (type == nullptr)
            type = main;
        const double G = type != nullptr ? type->Ec / 2.0 : 0.0;
        const double a = (widths.GetValue(i) + widths.GetValue(i + 1)) / 2.0 * (z1 - z2);
        const double g = ShearStrainDistribution.InterpolateAtDepth(z);
        s1 += g * G * a;
        s2 += g * g * G * a;
        s3 += a;
    }
    // A section without area or stiffness has no constant.
    if (s2 != 0.0 && s3 != 0.0)
        SectionConstant = s1 * s1 / s2 / s3;
}

// ---- Per-state quantities -----------------------------------------------------------------

double TQuarvish2000Analysis::StrainAtDepth(double e0, double phi, double y, int flag) const
{
    const TBeam* beam = GetBeam();
    const double plane = e0 + phi * y;
    return beam != nullptr ? plane + beam->GetStrainDiscontinuity(y, flag) : plane;
}

double TQuarvish2000Analysis::StrainAtDepth(const SectionState& state, double y, int flag) const
{
    return StrainAtDepth(state.Results[StateResult::ReferenceStrain],
                         state.Results[StateResult::Curvature],
                         y,
                         flag);
}

int TQuarvish2000Analysis::SetNodeShearShape(SectionState& state) const
{
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            if (id < state.NodeStates.size()) {
                LayerNodeStateRec& node = state.NodeStates[id];
                node.ShearStrainShape = ShearStrainDistribution.InterpolateAtDepth(node.Depth);
            }
        }
    }
    return 1;
}

double TQuarvish2000Analysis::GetAverageShearStrain(const SectionState* state,
                                                    int withEnvelope) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || !(beam->GetHeight() > 0.0) || state == nullptr)
        return 0.0;
    if (state->AvgShearStrain != kUndefined)
        return state->AvgShearStrain;

    // Each layer in two halves, means of the two end nodes.
    double sumGamma = 0.0;
    double sumTauGamma = 0.0;
    double sumTau = 0.0;
    const int n = state->UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state->LayerDefs[static_cast<std::size_t>(i)];
        const LayerNodeStateRec* t = state->NodeState(static_cast<int>(layer.NodeTop));
        const LayerNodeStateRec* m = state->NodeState(static_cast<int>(layer.NodeMid));
        const LayerNodeStateRec* b = state->NodeState(static_cast<int>(layer.NodeBottom));
        if (t == nullptr || m == nullptr || b == nullptr)
            continue;
        auto half = [&](const LayerNodeStateRec& upper,
                        const LayerNodeStateRec& lower,
                        double yUpper,
                        double yLower) {
            const double width =
                (beam->GetWidthAtSide(yUpper, 1) + beam->GetWidthAtSide(yLower, 0)) / 2.0;
            const double height = yUpper - yLower;
            const double gamma = (upper.ShearStrain + lower.ShearStrain) / 2.0;
            const double tau = (upper.ConcShearStress + lower.ConcShearStress) / 2.0;
            sumGamma += gamma * height;
            sumTauGamma += tau * gamma * width * height;
            sumTau += tau * width * height;
        };
        half(*t, *m, layer.Top, layer.Mid);
        half(*m, *b, layer.Mid, layer.Bottom);
    }
    double average = std::fabs(sumTau) != 0.0 ? sumTauGamma / sumTau : 0.0;

    const double netShear =
        state->Results[StateResult::Shear] - state->Results[StateResult::DrapedShear];
    if (withEnvelope != 0) {
        const std::vector<EnvelopePoint>& envelope = state->PointLists[netShear >= 0.0 ? 0 : 1];
        double E = 0.0;
        for (std::size_t i = 0; i + 1 < envelope.size(); ++i)
            E += std::fabs(envelope[i].value + envelope[i + 1].value) / 2.0 *
                 (envelope[i].depth - envelope[i + 1].depth);
        if (std::fabs(sumGamma) < std::fabs(E)) {
            const double sign = netShear > 0.0 ? 1.0 : (netShear < 0.0 ? -1.0 : 0.0);
            average += std::fabs(E - sumGamma) * sign;
        }
    }
    if (netShear < 0.0)
        average = -std::fabs(average);
    state->AvgShearStrain = average;
    return average;
}
