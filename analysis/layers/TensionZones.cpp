#include "analysis/layers/TensionZones.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "analysis/SectionState.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "model/ConcreteLaws.h"
#include "model/MaterialTypes.h"
#include "model/SteelLaws.h"
#include "model/TBeam.h"

namespace {

// pi as the bond perimeter has always used it.
constexpr double kPi = 3.141592653589;

// Every bar in a tension zone adds this much demand (N m), even one without a reserve.
constexpr double kBarDemandFloor = 0.1;
// Curvature search: linear steps before the bars' limit curvatures are tried, bisections.
constexpr int kCurvatureSteps = 49;
constexpr int kBisections = 10;
// Flat profiles have no cracking depth.
constexpr double kFlatSlope = 1e-8;

double ConcretePhi()
{
    return g_ResistanceFactors.phi_c;
}

bool IsNamedSteel(const ConcreteTypeRec& type)
{
    return type.name == "steel";
}

// tan(theta) kept away from 0 as the element solver keeps it.
double ClampedTan(double angle)
{
    const double t = std::tan(angle);
    if (std::fabs(t) < 1e-6)
        return t < 0.0 ? -1e-6 : 1e-6;
    return t;
}

// One part of a concrete region inside a tension zone: its two ends' distances from the
// crossing and its widths there.
struct ZonePart {
    double dA = 0.0;
    double wA = 0.0;
    double dB = 0.0;
    double wB = 0.0;
};

// Simpson's rule over a part with w linear in d; exact for the cubic integrands used here.
template <typename F> double Simpson(const ZonePart& p, F integrand)
{
    const double h = std::fabs(p.dB - p.dA);
    const double dM = (p.dA + p.dB) / 2.0;
    const double wM = (p.wA + p.wB) / 2.0;
    return h / 6.0 * (integrand(p.wA, p.dA) + 4.0 * integrand(wM, dM) + integrand(p.wB, p.dB));
}

// ---- The state's fields used here ------------------------------------------------------
// Per-bar arrays are read and written within their sizes; a bar beyond them has no stress
// (0), and a write beyond them is dropped.

StrainProfile StateProfile(const SectionState& state)
{
    return StrainProfile{state.Results[StateResult::ReferenceStrain],
                         state.Results[StateResult::Curvature]};
}

double ArrayValue(const std::vector<double>& values, int i, double outside)
{
    return i >= 0 && static_cast<std::size_t>(i) < values.size()
               ? values[static_cast<std::size_t>(i)]
               : outside;
}

void SetArrayValue(std::vector<double>& values, int i, double value)
{
    if (i >= 0 && static_cast<std::size_t>(i) < values.size())
        values[static_cast<std::size_t>(i)] = value;
}

// Average stress of bar i of list d (kRupturedStress or more: failed bar).
double BarAverageStress(const SectionState& state, int d, int i)
{
    if (d != 0 && d != 1)
        return 0.0;
    return ArrayValue(state.LongBarValues[static_cast<std::size_t>(d == 0 ? BarArray::List0Stress
                                                                          : BarArray::List1Stress)],
                      i,
                      0.0);
}

void SetBarCrackStress(SectionState& state, int d, int i, double value)
{
    if (d == 0 || d == 1)
        SetArrayValue(state.LongBarValues[static_cast<std::size_t>(d == 0 ? BarArray::List0Second
                                                                          : BarArray::List1Second)],
                      i,
                      value);
}

void SetBarBondStress(SectionState& state, int i, double value)
{
    SetArrayValue(state.LongBarExtra[0], i, value);
}

// Unloading reference strain of bar i of list d (its plastic offset); a bar whose offset is
// the "no value" mark unloads from 0.
double BarUnloadingStrain(const SectionState& state, int d, int i)
{
    if (d < 0 || d > 2)
        return 0.0;
    const double x = ArrayValue(state.DirectionValues[static_cast<std::size_t>(d)], i, 0.0);
    return std::fabs(x) < kRupturedStress ? x : 0.0;
}

// The node quantity of a code at depth y, quadratic through the top, middle and bottom node
// of the first layer holding y; depths within 1e-4 of the section's faces count as on them;
// 0 outside the layers.
double NodeQuantityAtDepth(const SectionState& state, int code, double y, double top, double bottom)
{
    if (std::fabs(y - top) < 1e-4)
        y = top;
    if (std::fabs(y - bottom) < 1e-4)
        y = bottom;
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* layer = state.LayerDef(static_cast<int>(i));
        if (layer == nullptr || y > layer->Top || y < layer->Bottom)
            continue;
        const LayerNodeStateRec* t = state.NodeState(static_cast<int>(layer->NodeTop));
        const LayerNodeStateRec* m = state.NodeState(static_cast<int>(layer->NodeMid));
        const LayerNodeStateRec* b = state.NodeState(static_cast<int>(layer->NodeBottom));
        if (t == nullptr || m == nullptr || b == nullptr)
            return 0.0;
        const double z0 = layer->Top;
        const double z1 = layer->Mid;
        const double z2 = layer->Bottom;
        if (!(z0 > z1 && z1 > z2))
            return LayerNodeQuantity(*m, code);
        const double v0 = LayerNodeQuantity(*t, code);
        const double v1 = LayerNodeQuantity(*m, code);
        const double v2 = LayerNodeQuantity(*b, code);
        return v0 * (y - z1) * (y - z2) / ((z0 - z1) * (z0 - z2)) +
               v1 * (y - z0) * (y - z2) / ((z1 - z0) * (z1 - z2)) +
               v2 * (y - z0) * (y - z1) / ((z2 - z0) * (z2 - z1));
    }
    return 0.0;
}

} // namespace

TTensionZones::TTensionZones(TLayerEvaluator& evaluator)
    : m_evaluator(evaluator), m_beam(evaluator.Beam()), m_structure(evaluator.Beam())
{
}

// ---- Small helpers ----------------------------------------------------------------------

double TTensionZones::NetStrainAt(const StrainProfile& profile, double z) const
{
    return m_evaluator.StrainAtDepth(profile, z) - m_structure.GetInitialStrainAt(z, 0);
}

bool TTensionZones::BarInTension(const StrainProfile& profile, double z) const
{
    return NetStrainAt(profile, z) > 0.0;
}

double TTensionZones::TensileStrengthAt(double z) const
{
    return m_tensileStrength != nullptr && !m_tensileStrength->IsEmpty()
               ? m_tensileStrength->InterpolateAtDepth(z)
               : 0.0;
}

double TTensionZones::CrackingStrain(const ConcreteTypeRec& type, double z) const
{
    // A type without a modulus has only its own cracking strain.
    if (!(type.Ec > 0.0))
        return type.ecr;
    return std::max(TensileStrengthAt(z) / type.Ec, type.ecr);
}

const ConcreteTypeRec* TTensionZones::ConcreteTypeOf(int index) const
{
    if (index < 0 || index >= m_structure.GetConcreteTypeCount())
        return nullptr;
    return m_structure.GetConcreteType(index);
}

const ConcreteTypeRec* TTensionZones::RegionConcrete(int region) const
{
    if (region < 0 || region >= m_structure.GetRegionCount())
        return nullptr;
    const ConcreteRegionRec* r = m_structure.GetRegion(region);
    return r != nullptr ? ConcreteTypeOf(r->concreteType) : nullptr;
}

// The type of the last region whose span holds z, else the main concrete type.
const ConcreteTypeRec* TTensionZones::ConcreteAtCrossing(double z) const
{
    const ConcreteTypeRec* found = nullptr;
    for (int i = 0; i < m_structure.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = m_structure.GetRegion(i);
        if (r != nullptr && r->bottom <= z && z <= r->top)
            found = ConcreteTypeOf(r->concreteType);
    }
    return found != nullptr ? found : ConcreteTypeOf(m_structure.GetMainConcreteType());
}

double TTensionZones::BarFactor(double ratio, double area) const
{
    if (m_structure.GetKind() == kKindBeam)
        return 1.0;
    // A layer without area carries no bar term.
    return area > 0.0 ? m_structure.GetHeight() * ratio / area : 0.0;
}

// The bar's stress at a crack by its steel law at the state's strain.
double TTensionZones::CrackStressOf(const SectionState& state, int i, int d) const
{
    const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
    const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
    if (layer == nullptr || steel == nullptr)
        return 0.0;
    const double e = m_evaluator.StrainAtDepth(StateProfile(state), layer->z);
    return SteelStressAtCrack(*steel,
                              layer->ratio,
                              layer->dep - layer->timeStrain - layer->thermStrain,
                              e,
                              BarUnloadingStrain(state, d, i),
                              layer->bartitle);
}

double TTensionZones::NextStrainBreak(double z, int side) const
{
    const double bottom = m_structure.GetBottom();
    const double top = m_structure.GetTop();
    const double next = m_beam.GetStrainStepAt(z, side);
    if (side == 1)
        return next < z && next >= bottom ? next : bottom;
    return next > z && next <= top ? next : top;
}

double TTensionZones::DepthAtStrain(const StrainProfile& profile,
                                    double target,
                                    double b,
                                    int /*flag*/) const
{
    if (!(std::fabs(profile.slope) > kFlatSlope))
        return kNoDepth;
    const double D = m_evaluator.StrainAtDepth(StrainProfile{}, m_structure.GetTop());
    return (target + b - profile.e0 - D) / profile.slope;
}

// ---- Failed bars ---------------------------------------------------------------------------

int TTensionZones::MarkFailedBars(const SectionState* state)
{
    FailedBarFlags& flags = m_evaluator.Flags();
    if (state == nullptr || state->Valid == 0) {
        flags.Clear();
        return 0;
    }
    for (int list = 0; list < 2; ++list) {
        const int n = static_cast<int>(flags.longBars[static_cast<std::size_t>(list)].size());
        for (int i = 0; i < n; ++i)
            flags.SetBarFailed(list, i, BarAverageStress(*state, list, i) > kRupturedStress);
    }
    const int n = static_cast<int>(flags.transLayers.size());
    for (int i = 0; i < n; ++i)
        flags.SetTransFailed(i,
                             static_cast<std::size_t>(i) < state->TransLayerFlags.size() &&
                                 state->TransLayerFlags[static_cast<std::size_t>(i)] != 0);
    return 1;
}

// ---- Shear zone ----------------------------------------------------------------------------

void TTensionZones::FindShearZoneLimits(const SectionState& state,
                                        int d,
                                        double& upperLevel,
                                        double& lowerLevel) const
{
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    const double H = m_structure.GetHeight();
    const StrainProfile profile = StateProfile(state);
    const double s = profile.slope;
    const ConcreteTypeRec* first = RegionConcrete(0);
    const ConcreteTypeRec* last = RegionConcrete(m_structure.GetRegionCount() - 1);
    upperLevel = top;
    lowerLevel = bottom;
    if (first == nullptr || last == nullptr)
        return;
    const double freeTop = m_structure.GetInitialStrainAt(top, 0);
    const double freeBottom = m_structure.GetInitialStrainAt(bottom, 0);
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;

    // Stiffness a bar still has: the larger tangent at its strain and at its crack strain
    // limit; none once it has failed.
    auto stiffness = [&](int i, const LongLayerRec& layer) {
        const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
        if (steel == nullptr || BarAverageStress(state, d, i) > kRupturedStress)
            return 0.0;
        const double e = m_evaluator.StrainAtDepth(profile, layer.z);
        const double locked = layer.dep - layer.timeStrain - layer.thermStrain;
        const double x = BarUnloadingStrain(state, d, i);
        const double limit = SteelCrackStrainLimit(*steel, layer.ratio, locked, e, layer.bartitle);
        return std::max(SteelTangentModulus(*steel, e + locked, x, kUndefined),
                        SteelTangentModulus(*steel, limit, x, kUndefined));
    };

    // Upper level: the top edge of the highest stiff bar in the cracked zone at the top.
    const double ecrTop = CrackingStrain(*first, top);
    const double yt = DepthAtStrain(profile, ecrTop, freeTop, 0);
    double upper = top;
    if (m_evaluator.StrainAtDepth(profile, top) - freeTop > ecrTop) {
        bool found = false;
        double edge = 0.0;
        for (int i = 0; i < bars; ++i) {
            const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
            if (layer == nullptr || !(stiffness(i, *layer) > 0.0))
                continue;
            const bool beyond = (s > 0.0 || yt == kNoDepth) ? layer->z > yt : layer->z < yt;
            if (beyond && (!found || layer->z > edge)) {
                edge = layer->z + layer->db / 2.0;
                found = true;
            }
        }
        upper = found ? edge : yt;
    }

    // Lower level, mirrored.
    const double ecrBottom = CrackingStrain(*last, bottom);
    const double yb = DepthAtStrain(profile, ecrBottom, freeBottom, 0);
    double lower = bottom;
    if (m_evaluator.StrainAtDepth(profile, bottom) - freeBottom > ecrBottom) {
        bool found = false;
        double edge = 0.0;
        for (int i = 0; i < bars; ++i) {
            const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
            if (layer == nullptr || !(stiffness(i, *layer) > 0.0))
                continue;
            const bool beyond = s < 0.0 ? layer->z < yb : layer->z > yb;
            if (beyond && (!found || layer->z < edge)) {
                edge = layer->z - layer->db / 2.0;
                found = true;
            }
        }
        lower = found ? edge : yb;
    }

    // Concrete past its peak strain bounds the zone.
    if (s > kFlatSlope) {
        const double y = DepthAtStrain(profile, last->ec, freeBottom, 0);
        if (y > lower)
            lower = y;
    } else if (s < -kFlatSlope) {
        const double y = DepthAtStrain(profile, first->ec, freeTop, 0);
        if (y < upper)
            upper = y;
    }
    if (upper == lower) {
        upper = bottom + 0.7 * H;
        lower = bottom + 0.3 * H;
    }
    upper = std::clamp(upper, bottom, top);
    lower = std::clamp(lower, bottom, top);

    // Crushing inside the section while both faces are short of their peak strain.
    const int n = state.UsableLayerCount();
    if (n > 0) {
        auto pastPeak = [&](int nodeId, int typeIndex, bool& known) {
            const LayerNodeStateRec* node = state.NodeState(nodeId);
            const ConcreteTypeRec* type = ConcreteTypeOf(typeIndex);
            known = node != nullptr && type != nullptr;
            return known && node->Strain2 - node->FreeStrain2 < type->ec;
        };
        const LayerDefRec* firstLayer = state.LayerDef(0);
        const LayerDefRec* lastLayer = state.LayerDef(n - 1);
        bool topKnown = false;
        bool bottomKnown = false;
        const bool topPast =
            firstLayer != nullptr &&
            pastPeak(static_cast<int>(firstLayer->NodeTop), firstLayer->ConcreteType, topKnown);
        const bool bottomPast =
            lastLayer != nullptr &&
            pastPeak(static_cast<int>(lastLayer->NodeBottom), lastLayer->ConcreteType, bottomKnown);
        if (topKnown && bottomKnown && !topPast && !bottomPast) {
            bool inner = false;
            for (int i = 0; i < n && !inner; ++i) {
                const LayerDefRec* layer = state.LayerDef(i);
                if (layer == nullptr)
                    continue;
                bool known = false;
                for (int id : {static_cast<int>(layer->NodeTop),
                               static_cast<int>(layer->NodeMid),
                               static_cast<int>(layer->NodeBottom)})
                    inner = inner || pastPeak(id, layer->ConcreteType, known);
            }
            if (inner) {
                upper = top / 100.0;
                lower = bottom / 100.0;
            }
        }
    }
    upperLevel = upper;
    lowerLevel = lower;
}

// ---- Reserve profile -----------------------------------------------------------------------

void TTensionZones::BuildReserveProfile(SectionState& state,
                                        double& reserveMoment,
                                        double& crossingDepth,
                                        TDepthTable& profileTable,
                                        int d)
{
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    const StrainProfile profile = StateProfile(state);
    const double phi = ConcretePhi();

    // 1. Tension zones: scan each face inwards over the breaks of the net strain until it
    // turns from tension to compression. A net strain of exactly 0 at a break followed by
    // compression is a crossing there, not tension over the whole depth.
    double zT = top;
    bool wholeDepth = false;
    double e = NetStrainAt(profile, top);
    if (e >= 0.0) {
        bool crossed = false;
        for (double z = top; z > bottom + 0.0001;) {
            const double zn = NextStrainBreak(z, 1);
            const double en = NetStrainAt(profile, zn);
            if (e >= 0.0 && en < 0.0) {
                zT = z + (zn - z) * e / (e - en);
                crossed = true;
                break;
            }
            z = zn;
            e = en;
        }
        if (!crossed) {
            zT = kWholeDepthFromTop;
            wholeDepth = true;
        }
    }
    double zB = bottom;
    e = NetStrainAt(profile, bottom);
    if (e > 0.0) {
        bool crossed = false;
        for (double z = bottom; z < top - 0.0001;) {
            const double zn = NextStrainBreak(z, 0);
            const double en = NetStrainAt(profile, zn);
            if (e >= 0.0 && en < 0.0) {
                zB = z + (zn - z) * e / (e - en);
                crossed = true;
                break;
            }
            z = zn;
            e = en;
        }
        if (!crossed) {
            zB = kWholeDepthFromBottom;
            wholeDepth = true;
        }
    }

    // 2. Moment the bars of each zone can still add at a crack, about its crossing.
    double demandTop = 0.0;
    double demandBottom = 0.0;
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        if (layer == nullptr)
            continue;
        const double z = layer->z;
        const bool inTop = z > zT;
        const bool inBottom = z < zB;
        if (!inTop && !inBottom)
            continue;
        const double r =
            std::min(1.0, std::min(std::fabs(z - zB), std::fabs(z - zT)) / (layer->db + 0.0001));
        const double average = BarAverageStress(state, d, i);
        double reserve = 0.0;
        if (!(average > kRupturedStress)) {
            reserve = CrackStressOf(state, i, d) - average;
            if (!(reserve > 0.0) || std::fabs(reserve) > kRupturedStress)
                reserve = 0.0;
        }
        const double term = BarFactor(layer->ratio, layer->A) * r * layer->A * reserve;
        if (inTop)
            demandTop += std::fabs(zT - z) * term + kBarDemandFloor;
        if (inBottom)
            demandBottom += std::fabs(zB - z) * term + kBarDemandFloor;
    }

    // 3.-4. Concrete at the crossings and the mean tensile strengths of the two halves.
    const ConcreteTypeRec* typeTop = ConcreteAtCrossing(zT);
    const ConcreteTypeRec* typeBottom = ConcreteAtCrossing(zB);
    const double ftAtTop = typeTop != nullptr ? typeTop->ft : 0.0;
    const double ftAtBottom = typeBottom != nullptr ? typeBottom->ft : 0.0;
    const int regions = m_structure.GetRegionCount();
    double ftUpper = 0.0;
    double ftLower = 0.0;
    if (regions == 1) {
        const ConcreteTypeRec* type = RegionConcrete(0);
        ftUpper = ftLower = type != nullptr ? type->ft : 0.0;
    } else if (regions > 1) {
        double upperSum = 0.0;
        double lowerSum = 0.0;
        for (int i = 0; i < regions; ++i) {
            const ConcreteRegionRec* r = m_structure.GetRegion(i);
            const ConcreteTypeRec* type = RegionConcrete(i);
            if (r == nullptr || type == nullptr)
                continue;
            upperSum += type->ft * std::max(0.0, r->top - std::max(r->bottom, 0.0));
            lowerSum += type->ft * std::max(0.0, std::min(r->top, 0.0) - r->bottom);
        }
        // A face at -0.0001 leaves nothing to average over.
        const double upperSpan = std::fabs(top + 0.0001);
        const double lowerSpan = std::fabs(bottom + 0.0001);
        ftUpper = upperSpan > 0.0 ? upperSum / upperSpan : 0.0;
        ftLower = lowerSpan > 0.0 ? lowerSum / lowerSpan : 0.0;
    }

    // 5. Stress in each zone, fitted to its demand.
    double topS1 = 0.6 * phi * ftUpper;
    double topS2 = 3.0 * phi * ftAtTop;
    double topS3 = 0.0;
    FitTensionZoneStress(demandTop, zT, topS1, topS2, topS3, 0.6, 3.0, 0);
    double bottomS1 = 0.6 * phi * ftLower;
    double bottomS2 = 3.0 * phi * ftAtBottom;
    double bottomS3 = 0.0;
    FitTensionZoneStress(demandBottom, zB, bottomS1, bottomS2, bottomS3, 0.6, 3.0, 1);

    // 6. The profile, largest depth first.
    profileTable.Clear();
    bool constant = false;
    double largest = 0.0;
    for (int i = 0; i < m_structure.GetConcreteTypeCount(); ++i) {
        const ConcreteTypeRec* type = m_structure.GetConcreteType(i);
        if (type == nullptr)
            continue;
        constant = constant || IsCrackFreeModelPair(*type) || IsNamedSteel(*type);
        largest = std::max(largest, 10.0 * type->ft);
    }
    if (constant) {
        profileTable.Add(top, largest);
        profileTable.Add(bottom, largest);
    } else {
        profileTable.Add(top, topS3);
        if (!wholeDepth) {
            profileTable.Add(zT, topS2);
            profileTable.Add(zT, 3.0 * phi * ftAtTop);
            profileTable.Add(zB, 3.0 * phi * ftAtBottom);
            profileTable.Add(zB, bottomS2);
        }
        profileTable.Add(bottom, bottomS3);
    }
    profileTable.SetSorted(true);

    // 7. The deeper zone governs; the top one on a tie.
    if (std::fabs(bottom - zB) <= std::fabs(top - zT)) {
        reserveMoment = demandTop;
        crossingDepth = zT;
    } else {
        reserveMoment = demandBottom;
        crossingDepth = zB;
    }
}

void TTensionZones::FitTensionZoneStress(
    double F, double z0, double& s1, double& s2, double& s3, double fa, double fb, int side) const
{
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    const double L = side == 0 ? top - z0 : z0 - bottom;
    if (std::fabs(L) < 0.0001) {
        s3 = s2;
        return;
    }

    // Integrals over the zone of w d, w d (1 - d/L) and w d (d/L), d the distance from z0;
    // S3 and S4 weight the first two by the regions' tensile strengths.
    double S0 = 0.0;
    double S1 = 0.0;
    double S2 = 0.0;
    double S3 = 0.0;
    double S4 = 0.0;
    for (int i = 0; i < m_structure.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = m_structure.GetRegion(i);
        if (r == nullptr)
            continue;
        ZonePart part;
        if (side == 0) {
            if (r->bottom >= z0)
                part = {r->bottom - z0, r->bottomWidth, r->top - z0, r->topWidth};
            else if (r->top > z0)
                part = {0.0, m_structure.GetWidthAtSide(z0, 0), r->top - z0, r->topWidth};
            else
                continue;
        } else {
            if (r->top <= z0)
                part = {z0 - r->top, r->topWidth, z0 - r->bottom, r->bottomWidth};
            else if (r->bottom < z0)
                part = {0.0, m_structure.GetWidthAtSide(z0, 1), z0 - r->bottom, r->bottomWidth};
            else
                continue;
        }
        const double p0 = Simpson(part, [](double w, double dd) { return w * dd; });
        const double p1 =
            Simpson(part, [L](double w, double dd) { return w * dd * (1.0 - dd / L); });
        const double p2 = Simpson(part, [L](double w, double dd) { return w * dd * (dd / L); });
        const ConcreteTypeRec* type = ConcreteTypeOf(r->concreteType);
        const double ft = type != nullptr ? type->ft : 0.0;
        S0 += p0;
        S1 += p1;
        S2 += p2;
        S3 += fa * ft * p0;
        S4 += (fb - fa) * ft * p1;
    }

    if (F == 0.0)
        s1 = s2 = s3 = 0.0;
    if (F > S3 + S4) {
        // Beyond the peak at the crossing: the stress grows at the face.
        if (S2 <= 0.0) {
            ReportAnalysisMessage(kNoZoneFaceText, "");
            s3 = 0.0;
        } else {
            s3 = s1 + (F - S3 - S4) / S2;
        }
    } else if (F > S3) {
        // Beyond the uniform stress: the stress grows at the crossing.
        s3 = s1;
        if (S1 <= 0.0) {
            ReportAnalysisMessage(kNoZoneLinearText, "");
            s3 = 0.0;
        } else {
            s2 = s1 + (F - S3) / S1;
        }
    } else if (S0 <= 0.0) {
        ReportAnalysisMessage(kNoZoneAreaText, "");
        s1 = s2 = s3 = 0.0;
    } else {
        s1 = F / S0;
        s2 = s3 = s1;
    }
}

// ---- Stresses at cracks --------------------------------------------------------------------

double
TTensionZones::BarMomentIncrement(const SectionState& state, double k, double y0, int d) const
{
    const StrainProfile profile = StateProfile(state);
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
    double moment = 0.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        if (layer == nullptr || !BarInTension(profile, layer->z))
            continue;
        const double arm = std::fabs(y0 - layer->z);
        const double f =
            m_evaluator.LongBarStress(profile, i, arm * k, d, BarUnloadingStrain(state, d, i));
        if (!(std::fabs(f) < kRupturedStress))
            continue;
        moment += arm * (f - BarAverageStress(state, d, i)) * layer->A *
                  BarFactor(layer->ratio, layer->A);
    }
    return moment;
}

double TTensionZones::FindBarLimitCurvature(const SectionState& state,
                                            double y0,
                                            double& curvature,
                                            int d) const
{
    const StrainProfile profile = StateProfile(state);
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
    double best = 0.0;
    curvature = 0.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
        if (layer == nullptr || steel == nullptr)
            continue;
        const double k =
            ((steel->er - layer->dep) * 1.01 - m_evaluator.StrainAtDepth(profile, layer->z)) /
            (std::fabs(y0 - layer->z) + 0.0001);
        const double moment = BarMomentIncrement(state, k, y0, d);
        if (moment > best) {
            best = moment;
            curvature = k;
        }
    }
    return best;
}

double TTensionZones::SolveCrackCurvature(
    const SectionState& state, double M, double k0, double y0, int d) const
{
    double upper = k0;
    double step = k0;
    if (M > 0.0) {
        bool reached = false;
        for (int j = 1; j <= kCurvatureSteps && !reached; ++j) {
            if (BarMomentIncrement(state, j * k0, y0, d) >= M) {
                upper = j * k0;
                reached = true;
            }
        }
        if (!reached) {
            double limit = 0.0;
            if (FindBarLimitCurvature(state, y0, limit, d) < M)
                return 0.0;
            upper = limit;
            step = limit;
        }
    }
    double lo = upper - step;
    double hi = upper;
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (lo + hi) / 2.0;
        if (BarMomentIncrement(state, mid, y0, d) - M > 0.0)
            hi = mid;
        else
            lo = mid;
    }
    return (lo + hi) / 2.0;
}

void TTensionZones::ComputeCrackStresses(SectionState& state, double a, double y0, int d)
{
    const StrainProfile profile = StateProfile(state);
    const bool tensionUp = profile.slope >= 0.0;

    // 1. Demand of the cracked concrete on the tension side of y0: the tension it carries
    // beyond the decayed stress at a crack, plus the crack shear, as a moment about y0.
    auto crackedTension = [&](const LayerNodeStateRec& node, bool& cracked) {
        const ConcreteTypeRec* type = ConcreteTypeOf(node.ConcreteType);
        cracked = false;
        if (type == nullptr)
            return 0.0;
        const double ecr =
            type->Ec > 0.0 ? std::max(node.LocalTensileStrength / type->Ec, type->ecr) : type->ecr;
        cracked = node.Strain1 - node.FreeStrain1 > ecr;
        const double fd =
            TensionDecayStress(node.CrackWidth, std::max(node.LocalTensileStrength, type->ft));
        const double shear = node.CrackShearStress != 0.0
                                 ? node.CrackShearStress / ClampedTan(node.CrackAngle)
                                 : 0.0;
        return std::max(0.0, node.ConcStress1 - fd) + shear;
    };
    double concreteDemand = 0.0;
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* layer = state.LayerDef(i);
        if (layer == nullptr)
            continue;
        const int ids[3] = {static_cast<int>(layer->NodeTop),
                            static_cast<int>(layer->NodeMid),
                            static_cast<int>(layer->NodeBottom)};
        const double depths[3] = {layer->Top, layer->Mid, layer->Bottom};
        for (int h = 0; h < 2; ++h) {
            const double za = depths[h];
            const double zb = depths[h + 1];
            const bool tensionSide = tensionUp ? (za >= y0 && zb >= y0) : (za <= y0 && zb <= y0);
            const LayerNodeStateRec* na = state.NodeState(ids[h]);
            const LayerNodeStateRec* nb = state.NodeState(ids[h + 1]);
            if (!tensionSide || na == nullptr || nb == nullptr)
                continue;
            bool crackedA = false;
            bool crackedB = false;
            const double qa = crackedTension(*na, crackedA);
            const double qb = crackedTension(*nb, crackedB);
            if (!crackedA || !crackedB)
                continue;
            const double ba = m_structure.GetWidthAtSide(za, 1);
            const double bb = m_structure.GetWidthAtSide(zb, 0);
            const double zm = (za + zb) / 2.0;
            const double halfThickness = layer->Thickness / 2.0;
            concreteDemand += halfThickness / 6.0 *
                              (qa * ba * std::fabs(y0 - za) +
                               4.0 * (qa + qb) / 2.0 * (ba + bb) / 2.0 * std::fabs(y0 - zm) +
                               qb * bb * std::fabs(y0 - zb));
        }
    }

    // 2.-3. Curvature at which the first tension bar reaches its crack stress, and the
    // moment the elastic tension bars add at that curvature.
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
    double kMax = 1.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
        const double average = BarAverageStress(state, d, i);
        if (layer == nullptr || steel == nullptr || average > kRupturedStress ||
            !BarInTension(profile, layer->z))
            continue;
        double reserve = CrackStressOf(state, i, d) - average;
        if (reserve < 0.0 || reserve > kRupturedStress)
            reserve = 0.0;
        const double modulus = GetSteelMaterialFactor(*steel) * steel->Es;
        const double arm = y0 - layer->z;
        if (std::fabs(arm) > 0.0 && modulus > 0.0)
            kMax = std::min(kMax, std::fabs(reserve / modulus / arm));
    }
    double barMoment = 0.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
        if (layer == nullptr || steel == nullptr ||
            BarAverageStress(state, d, i) > kRupturedStress || !BarInTension(profile, layer->z) ||
            !(steel->Es > 0.0))
            continue;
        if (m_evaluator.StrainAtDepth(profile, layer->z) < steel->fy / steel->Es) {
            const double arm = y0 - layer->z;
            barMoment += GetSteelMaterialFactor(*steel) * steel->Es * kMax * arm * arm * layer->A;
        }
    }

    // 4.-5. Curvature increment that carries the concrete demand through the bars.
    double k = kUndefined;
    if (std::fabs(barMoment) >= std::fabs(concreteDemand)) {
        k = barMoment > 0.0 ? kMax * std::fabs(concreteDemand / barMoment) : kMax;
    } else if (std::fabs(a) * 1.001 + 2.0 > std::fabs(concreteDemand)) {
        const double H = m_structure.GetHeight();
        const double step = H > 0.0 && std::fabs(y0) <= 20.0 * H ? 0.001 / H : 5e-7;
        k = SolveCrackCurvature(state, concreteDemand, step, y0, d);
        // No curvature suffices: the bars cannot carry the demand.
        if (k == 0.0)
            k = kUndefined;
    }
    if (std::fabs(k) > kRupturedStress) {
        ClearCrackStresses(state);
        return;
    }

    // 6.-8. Each bar's stress at a crack and its bond stress.
    const ConcreteTypeRec* main = ConcreteTypeOf(m_structure.GetMainConcreteType());
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        if (layer == nullptr)
            continue;
        const double average = BarAverageStress(state, d, i);
        if (average > kRupturedStress) {
            SetBarCrackStress(state, d, i, kUndefined);
            if (d == 0)
                SetBarBondStress(state, i, 0.0);
            continue;
        }
        const double z = layer->z;
        double crack = 0.0;
        if (BarInTension(profile, z)) {
            const double arm = std::fabs(y0 - z);
            const double e1 = NodeQuantityAtDepth(state, LayerQuantity::Strain1, z, top, bottom);
            const double free =
                NodeQuantityAtDepth(state, LayerQuantity::FreeStrainX, z, top, bottom);
            const double ecr = main != nullptr ? CrackingStrain(*main, z) : 0.0;
            if (CrackStressOf(state, i, d) > kRupturedStress)
                crack = kUndefined;
            else if (e1 + arm * k - free >= ecr)
                crack = m_evaluator.LongBarStress(profile,
                                                  i,
                                                  arm * k,
                                                  d,
                                                  BarUnloadingStrain(state, d, i));
        }
        SetBarCrackStress(state, d, i, crack);
        if (d != 0)
            continue;
        // Bond over half the crack spacing; none where the spacing is too small or no bar.
        const double s =
            NodeQuantityAtDepth(state, LayerQuantity::CrackSpacingX, z, top, bottom) / 2.0;
        double bond = 0.0;
        if (s < 0.001 || layer->num < 1)
            bond = 0.0;
        else if (crack > kRupturedStress)
            bond = kUndefined;
        else
            bond = 2.0 * (crack - average) * layer->A / s / (kPi * layer->db + 0.0001) / layer->num;
        SetBarBondStress(state, i, bond);
    }
}

void TTensionZones::ClearCrackStresses(SectionState& state)
{
    const StrainProfile profile = StateProfile(state);
    for (int d = 0; d < std::min(2, m_structure.GetLongDirectionCount()); ++d) {
        const int bars = m_structure.GetLongLayerCount(d);
        for (int i = 0; i < bars; ++i) {
            const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
            if (layer == nullptr)
                continue;
            SetBarCrackStress(state,
                              d,
                              i,
                              BarInTension(profile, layer->z) ? kUndefined
                                                              : BarAverageStress(state, d, i));
        }
    }
    const int bars = m_structure.GetLongDirectionCount() > 0 ? m_structure.GetLongLayerCount(0) : 0;
    for (int i = 0; i < bars; ++i)
        SetBarBondStress(state, i, kUndefined);
}
