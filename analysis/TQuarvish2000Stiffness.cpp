// Stiffness terms of the bars and of the whole section, the bookkeeping of plastic offset
// strains once a stage is accepted, the stirrups' mean stiffness at a node and the starting
// profile of a solve at given loads.
//
// Sign convention: strains and stresses positive in tension; depths larger upwards, so a bar
// above depth 0 adds positive z terms. Stiffness matrices are row-major, rows N, M, V by
// columns e_x0, phi, gamma.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/TQuarvish2000Analysis.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr const char* kDiagnosticCaption = "Beam Section Analysis";

// A plastic offset beyond this magnitude cannot be a strain; it is reset to 0.
constexpr double kMaxPlasticOffset = 1.0;
// A circular hoop's depth range gets this added to its squared half-height (m^2), so that
// a hoop of no height still divides.
constexpr double kHoopRangeGuard = 0.0001;

// Calls visit(node) for every node of the state's mesh once, from the top down: the top node
// of the first layer, then the middle and bottom node of each layer. Ids outside the state
// are reported once and skipped.
template <typename Visit>
void ForEachNode(const TQuarvish2000Analysis& analysis, const SectionState& state, Visit visit)
{
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const std::uint32_t ids[3] = {layer.NodeTop, layer.NodeMid, layer.NodeBottom};
        for (int k = i == 0 ? 0 : 1; k < 3; ++k) {
            if (ids[k] < state.NodeStates.size()) {
                visit(state.NodeStates[ids[k]]);
            } else {
                analysis.ReportOnce(
                    StrPrintf("Node %u out of range in the plastic offsets", ids[k]),
                    kDiagnosticCaption,
                    MsgStyle::Ok);
            }
        }
    }
}

// Value of node work array k at a node id; 0 after a report for an id outside the array.
double NodeWorkAt(const TQuarvish2000Analysis& analysis, int k, std::uint32_t id)
{
    const std::vector<double>& work = analysis.GetNodeWork(k);
    if (id < work.size())
        return work[id];
    analysis.ReportOnce(StrPrintf("Node %u out of range in the node work arrays", id),
                        kDiagnosticCaption,
                        MsgStyle::Ok);
    return 0.0;
}

// Steel type of an index of the beam; null after a report when there is none.
const SteelTypeRec* SteelTypeOf(const TQuarvish2000Analysis& analysis, const TBeam& beam, int type)
{
    const SteelTypeRec* steel =
        type >= 0 && type < beam.GetSteelTypeCount() ? beam.GetSteelType(type) : nullptr;
    if (steel == nullptr)
        analysis.ReportOnce(StrPrintf("Steel type %d out of range in the section stiffness", type),
                            kDiagnosticCaption,
                            MsgStyle::Ok);
    return steel;
}

// The strain a longitudinal bar's steel sees beyond the plane-section profile: its prestrain
// less its thermal and time-dependent strains.
double ImposedBarStrain(const LongLayerRec& layer)
{
    return layer.dep - layer.thermStrain - layer.timeStrain;
}

} // namespace

// ---- Bar and flexural stiffness -----------------------------------------------------------

void TQuarvish2000Analysis::AddBarStiffness(const SectionState& state, std::array<double, 9>& K)
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;
    const std::vector<double>& offsets = state.DirectionValues[0];
    const int count = beam->GetLongLayerCount(0);
    for (int i = 0; i < count; ++i) {
        const LongLayerRec* layer = beam->GetLongLayer(i, 0);
        if (layer == nullptr)
            continue;
        const auto slot = static_cast<std::size_t>(i);
        const double z = layer->z;
        // The horizontal share of an inclined tendon.
        const double c = std::cos(std::atan(layer->drape));
        const double stress = state.BarValue(BarArray::List0Stress, i);

        double k = 0.0; // a ruptured bar carries nothing
        const SteelTypeRec* steel =
            stress < kRupturedStress ? SteelTypeOf(*this, *beam, layer->type) : nullptr;
        if (steel != nullptr) {
            const double profile = StrainAtDepth(state, z, 0);
            const double imposed = ImposedBarStrain(*layer);
            const double offset = slot < offsets.size() ? offsets[slot] : 0.0;
            const double k1 = SteelTangentModulus(*steel, profile + imposed, offset, stress);
            // The stiffer bar at a crack, where the strain concentrates.
            const double atCrack =
                SteelCrackStrainLimit(*steel, layer->ratio, imposed, profile, layer->bartitle);
            const double k2 = SteelTangentModulus(*steel, atCrack, offset, kUndefined);
            k = std::max(k1 * c, k2 * c);
        }
        if (z < state.Bottom || z > state.Top)
            k = 0.0;
        // The concrete the bar displaces is counted in the concrete layers already.
        const double kNet = k - InterpolateNodeWork(state, z, 0) * c;
        const double a = layer->A;
        K[0] += a * kNet;
        K[1] += a * kNet * z;
        K[3] += a * kNet * z;
        K[4] += a * kNet * z * z;
        if (slot < BarStiffness.size())
            BarStiffness[slot] = kNet;
    }
}

int TQuarvish2000Analysis::ComputeFlexuralStiffness(SectionState& state) const
{
    double& ei = state.Results[StateResult::FlexuralStiffness];
    ei = 0.0;
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return 1;
    // Each layer in two halves, trapezoids of mean width and mean node stiffness, each about
    // its own centroid and moved to depth 0.
    auto addHalf = [&ei](double e, double w, double height, double centroid) {
        ei += e * w * height * height * height / 12.0 + e * w * height * centroid * centroid;
    };
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const double wt = beam->GetWidthAtSide(layer.Top, 1);
        const double wb = beam->GetWidthAtSide(layer.Bottom, 0);
        const double wm = (wt + wb) / 2.0;
        const double et = NodeWorkAt(*this, 0, layer.NodeTop);
        const double em = NodeWorkAt(*this, 0, layer.NodeMid);
        const double eb = NodeWorkAt(*this, 0, layer.NodeBottom);
        const double half = layer.Thickness / 2.0;
        addHalf((et + em) / 2.0, (wm + wt) / 2.0, half, (layer.Top + layer.Mid) / 2.0);
        addHalf((em + eb) / 2.0, (wm + wb) / 2.0, half, (layer.Mid + layer.Bottom) / 2.0);
    }
    const int count = beam->GetLongLayerCount(0);
    for (int i = 0; i < count && static_cast<std::size_t>(i) < BarStiffness.size(); ++i) {
        if (const LongLayerRec* layer = beam->GetLongLayer(i, 0))
            ei += BarStiffness[static_cast<std::size_t>(i)] * layer->A * layer->z * layer->z;
    }
    return 1;
}

// ---- Stirrups at a node -------------------------------------------------------------------

int TQuarvish2000Analysis::StirrupStiffnessAt(const LayerNodeStateRec& node,
                                              double& meanModulus,
                                              double& meanStrain)
{
    meanModulus = 0.0;
    meanStrain = 0.0;
    const TBeam* beam = GetBeam();
    const int count = beam != nullptr ? beam->GetTransLayerCount(2) : 0;
    const double y = node.Depth;
    const double width = count > 0 ? beam->GetWidthAt(y) : 0.0;
    if (!(width > 0.0)) {
        meanModulus = 1.0;
        return 0;
    }
    std::vector<int>& failed = FailedBarFlags[2];
    for (int j = 0; j < count; ++j) {
        const TransLayerRec* layer = beam->GetTransLayer(j, 2);
        if (layer == nullptr || !(layer->distbot <= y && y <= layer->disttop) ||
            !(layer->space > 0.0))
            continue;
        const SteelTypeRec* steel = SteelTypeOf(*this, *beam, layer->type);
        if (steel == nullptr)
            continue;
        double rho = layer->A / layer->space / width;
        const double strainAtNode = node.StrainZ - layer->strain + layer->dep;
        double strain = strainAtNode;
        if (layer->pattern == kCircularHoop) {
            // A hoop's legs cross the depth at an angle that grows towards its ends.
            const double yt = layer->disttop;
            const double yb = layer->distbot;
            const double u = y - (yt + yb) / 2.0;
            const double r = 1.0 - u * u / ((yt - yb) * (yt - yb) * 0.25 + kHoopRangeGuard);
            const double f = r > 0.0 ? std::sqrt(r) : 1.0;
            rho *= f;
            strain = (node.StrainZ - layer->strain) * f * f + layer->dep;
        }
        meanModulus += GetSteelMaterialFactor(*steel) * steel->Es * rho;
        meanStrain += rho * strain;
        if (SteelStress(*steel, strainAtNode, 0.0) > kRupturedStress &&
            static_cast<std::size_t>(j) < failed.size())
            failed[static_cast<std::size_t>(j)] = 1;
    }
    if (node.StirrupRatio > 0.0) {
        meanModulus /= node.StirrupRatio;
        meanStrain /= node.StirrupRatio;
    } else {
        meanModulus = 1.0;
    }
    return 1;
}

// ---- Plastic offsets after an accepted stage ----------------------------------------------

void TQuarvish2000Analysis::UpdatePlasticOffsets(SectionState& state)
{
    ForgetFinishedState();
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;

    // Bars: the strain left when the bar's stress is unloaded elastically.
    std::vector<double>& offsets = state.DirectionValues[0];
    std::vector<int>& barFailed = FailedBarFlags[0];
    const int bars = beam->GetLongLayerCount(0);
    for (int i = 0; i < bars && static_cast<std::size_t>(i) < offsets.size(); ++i) {
        const LongLayerRec* layer = beam->GetLongLayer(i, 0);
        if (layer == nullptr)
            continue;
        const auto slot = static_cast<std::size_t>(i);
        const double stress = state.BarValue(BarArray::List0Stress, i);
        if (stress > kRupturedStress && slot < barFailed.size())
            barFailed[slot] = 1;
        if (stress == kUndefined) {
            offsets[slot] = kUndefined;
            continue;
        }
        const SteelTypeRec* steel = SteelTypeOf(*this, *beam, layer->type);
        const double modulus = steel != nullptr ? GetSteelMaterialFactor(*steel) * steel->Es : 0.0;
        if (!(modulus > 0.0))
            continue;
        const double strain = StrainAtDepth(state, layer->z, 0) + ImposedBarStrain(*layer);
        offsets[slot] = strain - stress / modulus;
        if (std::fabs(offsets[slot]) > kMaxPlasticOffset) {
            ReportOnce(StrPrintf("Plastic offset strain %g of bar %d reset to 0", offsets[slot], i),
                       kDiagnosticCaption,
                       MsgStyle::Ok);
            offsets[slot] = 0.0;
        }
    }

    // Stirrups: the transverse offset over the depth, and the layers that have failed.
    if (beam->GetTransLayerCount(2) > 0) {
        if (!state.TransProfile)
            state.TransProfile = std::make_unique<TDepthTable>();
        TDepthTable& trans = *state.TransProfile;
        trans.Clear();
        ForEachNode(*this, state, [&](const LayerNodeStateRec& node) {
            double modulus = 1.0;
            double strain = 0.0;
            StirrupStiffnessAt(node, modulus, strain);
            // Where every stirrup has ruptured there is no elastic strain to unload.
            if (node.StirrupStress < kRupturedStress && modulus > 0.0)
                trans.Add(node.Depth, strain - node.StirrupStress / modulus);
        });
        trans.Sort(1);
        const std::vector<int>& transFailed = FailedBarFlags[2];
        for (std::size_t j = 0; j < transFailed.size() && j < state.TransLayerFlags.size(); ++j) {
            if (transFailed[j] != 0)
                state.TransLayerFlags[j] = 1;
        }
    }

    // Concrete: the principal strains left when the principal stresses are unloaded along
    // the initial modulus.
    for (std::unique_ptr<TDepthTable>* table : {&state.DepthTableA, &state.DepthTableB}) {
        if (*table)
            (*table)->Clear();
        else
            *table = std::make_unique<TDepthTable>();
    }
    const double phiC = g_ResistanceFactors.phi_c;
    ForEachNode(*this, state, [&](const LayerNodeStateRec& node) {
        const ConcreteTypeRec* concrete =
            node.ConcreteType >= 0 && node.ConcreteType < beam->GetConcreteTypeCount()
                ? beam->GetConcreteType(node.ConcreteType)
                : nullptr;
        const double modulus = concrete != nullptr ? concrete->Ec * phiC : 0.0;
        if (!(modulus > 0.0)) {
            ReportOnce(StrPrintf("Concrete type %d without modulus in the plastic offsets",
                                 static_cast<int>(node.ConcreteType)),
                       kDiagnosticCaption,
                       MsgStyle::Ok);
            return;
        }
        state.DepthTableA->Add(node.Depth,
                               node.Strain1 - node.FreeStrain1 - node.ConcStress1 / modulus);
        state.DepthTableB->Add(node.Depth,
                               node.Strain2 - node.FreeStrain2 - node.ConcStress2 / modulus);
    });
    state.DepthTableA->Sort(1);
    state.DepthTableB->Sort(1);
}

// ---- Initial strain estimate --------------------------------------------------------------

namespace {

// The force the bars' initial strains give them, and its moment about depth 0: the sums of
// dep A Es and dep A Es z.
struct Prestress {
    double force = 0.0;
    double moment = 0.0;
};

Prestress PrestressOf(const TQuarvish2000Analysis& analysis, const TBeam& beam)
{
    Prestress p;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        if (layer == nullptr || layer->dep == 0.0)
            continue;
        if (const SteelTypeRec* steel = SteelTypeOf(analysis, beam, layer->type)) {
            p.force += layer->dep * layer->A * steel->Es;
            p.moment += layer->dep * layer->A * steel->Es * layer->z;
        }
    }
    return p;
}

} // namespace

void TQuarvish2000Analysis::EstimateImposedStrainLine(SectionState& state) const
{
    std::array<double, StateResult::Count>& r = state.Results;
    r[StateResult::ReferenceStrain] = 0.0;
    r[StateResult::Curvature] = 0.0;
    r[StateResult::ShearStrain] = 0.0;
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;

    // The imposed strain lines, e = intercept at depth 0 and phi = slope.
    double e = kUndefined;
    double phi = kUndefined;
    auto defined = [&e] { return e < kRupturedStress; };
    double slope = 0.0;
    double intercept = 0.0;
    auto fits = [&](const TDepthTable& table) {
        return table.FitLine(slope, intercept) && (slope != 0.0 || intercept != 0.0);
    };
    if (fits(beam->GetPositionVariable(kShrinkTherm))) {
        e = intercept;
        phi = slope;
    }
    const double bottom = beam->GetBottom();
    const double top = beam->GetTop();
    TDepthTable creep;
    creep.Add(bottom, beam->GetInitialStrainAt(bottom, 4));
    creep.Add(top, beam->GetInitialStrainAt(top, 4));
    if (fits(creep) && defined()) {
        e += intercept;
        phi += slope;
    }
    if (fits(beam->GetStrainDiscontinuityTable()) && defined()) {
        e = (e - intercept) * 0.5;
        phi = (phi - slope) * 0.5;
    }
    if (defined()) {
        r[StateResult::ReferenceStrain] = e;
        r[StateResult::Curvature] = phi;
    }
}

void TQuarvish2000Analysis::EstimateInitialStrains(SectionState& state, double N0) const
{
    EstimateImposedStrainLine(state);
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;

    // The axial strain of N0 less the prestressing force on the gross concrete section, with
    // the modulus of the main type. Where the main type holds less than half the concrete area
    // (a post-fire section, whose equal bands make the first listed band the main type), the
    // modulus is that of the concrete the steps are scaled by, so that the start does not
    // depend on which band the list names first.
    const double prestress = PrestressOf(*this, *beam).force;
    const ConcreteTypeRec* concrete = StepScaleConcrete();
    const double axialStiffness = concrete != nullptr ? concrete->Ec * beam->GetGrossArea() : 0.0;
    if (!(axialStiffness > 0.0)) {
        ReportOnce("No axial stiffness for the initial strain estimate",
                   kDiagnosticCaption,
                   MsgStyle::Ok);
        return;
    }
    state.Results[StateResult::ReferenceStrain] += (N0 - prestress) / axialStiffness;
}

bool TQuarvish2000Analysis::EstimateStrainsOnSection(SectionState& state, double N, double M) const
{
    EstimateImposedStrainLine(state);
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return false;

    // The uncracked section's axial, first and second moments of stiffness about depth 0:
    // each region with the modulus of its own concrete (its width linear over its height,
    // so Simpson's rule is exact), each bar with its own.
    double EA = 0.0;
    double ES = 0.0;
    double EI = 0.0;
    for (int i = 0; i < beam->GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam->GetRegion(i);
        const int t = region != nullptr ? region->concreteType : -1;
        if (t < 0 || t >= beam->GetConcreteTypeCount() || !(region->top > region->bottom))
            continue;
        const double E = std::max(beam->GetConcreteType(t)->Ec, 0.0);
        const double h = region->top - region->bottom;
        const double yb = region->bottom;
        const double ym = (region->top + region->bottom) / 2.0;
        const double yt = region->top;
        const double wb = region->bottomWidth;
        const double wm = (region->topWidth + region->bottomWidth) / 2.0;
        const double wt = region->topWidth;
        EA += E * h / 6.0 * (wb + 4.0 * wm + wt);
        ES += E * h / 6.0 * (wb * yb + 4.0 * wm * ym + wt * yt);
        EI += E * h / 6.0 * (wb * yb * yb + 4.0 * wm * ym * ym + wt * yt * yt);
    }
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = beam->GetLongLayer(i, 0);
        const SteelTypeRec* steel =
            layer != nullptr ? SteelTypeOf(*this, *beam, layer->type) : nullptr;
        if (steel == nullptr)
            continue;
        const double k = layer->A * std::max(steel->Es, 0.0);
        EA += k;
        ES += k * layer->z;
        EI += k * layer->z * layer->z;
    }
    const double det = EA * EI - ES * ES;
    if (!(EA > 0.0) || !(det > 1e-9 * EA * EI))
        return false;

    // The plane profile that carries N and M less the prestressing force and its moment.
    const Prestress p = PrestressOf(*this, *beam);
    const double n = N - p.force;
    const double m = M - p.moment;
    state.Results[StateResult::ReferenceStrain] += (EI * n - ES * m) / det;
    state.Results[StateResult::Curvature] += (EA * m - ES * n) / det;
    return true;
}
