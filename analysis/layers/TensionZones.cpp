#include "analysis/layers/TensionZones.h"

#include <algorithm>
#include <cmath>

#include "analysis/element/NodeConcrete.h"
#include "analysis/layers/LayerStateAccess.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"

namespace {

// Every bar in a tension zone adds this much demand (N m), even one without a reserve.
constexpr double kBarDemandFloor = 0.1;
// Flat profiles have no cracking depth.
constexpr double kFlatSlope = 1e-8;

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
double TTensionZones::BarCrackStress(const SectionState& state, int i, int d) const
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
    FailedFlagLists& flags = m_evaluator.Flags();
    if (state == nullptr || state->Valid == 0) {
        ClearFailedFlags(flags);
        return 0;
    }
    for (int list = 0; list < 2; ++list) {
        const int n = static_cast<int>(flags[static_cast<std::size_t>(list)].size());
        for (int i = 0; i < n; ++i)
            SetBarFailed(flags, list, i, BarAverageStress(*state, list, i) > kRupturedStress);
    }
    const int n = static_cast<int>(flags[kTransFlagList].size());
    for (int i = 0; i < n; ++i)
        SetTransFailed(flags,
                       i,
                       static_cast<std::size_t>(i) < state->TransLayerFlags.size() &&
                           state->TransLayerFlags[static_cast<std::size_t>(i)] != 0);
    return 1;
}

// ---- Shear zone ----------------------------------------------------------------------------

// Stiffness bar i still has: the larger tangent at its strain and at its crack strain limit;
// none once it has failed.
double TTensionZones::StiffBarTangent(const SectionState& state,
                                      const StrainProfile& profile,
                                      int d,
                                      int i,
                                      const LongLayerRec& layer) const
{
    const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
    if (steel == nullptr || BarAverageStress(state, d, i) > kRupturedStress)
        return 0.0;
    const double e = m_evaluator.StrainAtDepth(profile, layer.z);
    const double locked = layer.dep - layer.timeStrain - layer.thermStrain;
    const double x = BarUnloadingStrain(state, d, i);
    const double limit = SteelCrackStrainLimit(*steel, layer.ratio, locked, e, layer.bartitle);
    return std::max(SteelTangentModulus(*steel, e + locked, x, kUndefined),
                    SteelTangentModulus(*steel, limit, x, kUndefined));
}

// Edge of the outermost stiff bar beyond the cracking depth (above it when above is set,
// else below): the top edge of the highest (sign +1) or the bottom edge of the lowest
// (sign -1); the cracking depth when there is none.
double TTensionZones::OutermostStiffBarEdge(const SectionState& state,
                                            const StrainProfile& profile,
                                            int d,
                                            double crackingDepth,
                                            bool above,
                                            double sign) const
{
    const int bars =
        d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
    bool found = false;
    double edge = 0.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        if (layer == nullptr || !(StiffBarTangent(state, profile, d, i, *layer) > 0.0))
            continue;
        const bool beyond = above ? layer->z > crackingDepth : layer->z < crackingDepth;
        if (beyond && (!found || sign * layer->z > sign * edge)) {
            edge = layer->z + sign * layer->db / 2.0;
            found = true;
        }
    }
    return found ? edge : crackingDepth;
}

// The shear zone's level at a face (side 0 the top, 1 the bottom): the face itself while its
// concrete is not cracked, else the outer edge of the outermost stiff bar of the cracked zone.
double TTensionZones::CrackedFaceLevel(const SectionState& state,
                                       const StrainProfile& profile,
                                       const ConcreteTypeRec& type,
                                       int d,
                                       int side) const
{
    const double face = side == 0 ? m_structure.GetTop() : m_structure.GetBottom();
    const double free = m_structure.GetInitialStrainAt(face, 0);
    const double ecr = CrackingStrain(type, face);
    const double y = DepthAtStrain(profile, ecr, free, 0);
    if (!(m_evaluator.StrainAtDepth(profile, face) - free > ecr))
        return face;
    const double s = profile.slope;
    if (side == 0)
        return OutermostStiffBarEdge(state, profile, d, y, s > 0.0 || y == kNoDepth, 1.0);
    return OutermostStiffBarEdge(state, profile, d, y, !(s < 0.0), -1.0);
}

// Concrete past its peak strain at the compressed face bounds the zone there.
void TTensionZones::BoundByCrushedFace(const StrainProfile& profile,
                                       const ConcreteTypeRec& first,
                                       const ConcreteTypeRec& last,
                                       double& upper,
                                       double& lower) const
{
    const double s = profile.slope;
    if (s > kFlatSlope) {
        const double freeBottom = m_structure.GetInitialStrainAt(m_structure.GetBottom(), 0);
        const double y = DepthAtStrain(profile, last.ec, freeBottom, 0);
        if (y > lower)
            lower = y;
    } else if (s < -kFlatSlope) {
        const double freeTop = m_structure.GetInitialStrainAt(m_structure.GetTop(), 0);
        const double y = DepthAtStrain(profile, first.ec, freeTop, 0);
        if (y < upper)
            upper = y;
    }
}

// True when a node inside the section is past its peak strain while both faces are known and
// short of theirs.
bool TTensionZones::CrushesInsideOnly(const SectionState& state) const
{
    const int n = state.UsableLayerCount();
    if (n <= 0)
        return false;
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
    if (!topKnown || !bottomKnown || topPast || bottomPast)
        return false;
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* layer = state.LayerDef(i);
        if (layer == nullptr)
            continue;
        bool known = false;
        for (int id : {static_cast<int>(layer->NodeTop),
                       static_cast<int>(layer->NodeMid),
                       static_cast<int>(layer->NodeBottom)})
            if (pastPeak(id, layer->ConcreteType, known))
                return true;
    }
    return false;
}

void TTensionZones::FindShearZoneLimits(const SectionState& state,
                                        int d,
                                        double& upperLevel,
                                        double& lowerLevel) const
{
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    const double H = m_structure.GetHeight();
    const StrainProfile profile = StateProfile(state);
    const ConcreteTypeRec* first = RegionConcrete(0);
    const ConcreteTypeRec* last = RegionConcrete(m_structure.GetRegionCount() - 1);
    upperLevel = top;
    lowerLevel = bottom;
    if (first == nullptr || last == nullptr)
        return;

    // 1. Each cracked face's level lies at its outermost stiff bar.
    double upper = CrackedFaceLevel(state, profile, *first, d, 0);
    double lower = CrackedFaceLevel(state, profile, *last, d, 1);
    // 2. Crushed concrete at the compressed face bounds the zone.
    BoundByCrushedFace(profile, *first, *last, upper, lower);
    // 3. A zone of no depth becomes the middle 40 % of the section, and the zone stays
    // inside the section.
    if (upper == lower) {
        upper = bottom + 0.7 * H;
        lower = bottom + 0.3 * H;
    }
    upper = std::clamp(upper, bottom, top);
    lower = std::clamp(lower, bottom, top);
    // 4. Crushing inside the section while both faces are short of their peak strain.
    if (CrushesInsideOnly(state)) {
        upper = top / 100.0;
        lower = bottom / 100.0;
    }
    upperLevel = upper;
    lowerLevel = lower;
}

bool TTensionZones::FindTensionCrossing(
    const StrainProfile& profile, double face, double farFace, int side, double& crossing) const
{
    const auto inside = [&](double z) {
        return side == 1 ? z > farFace + 0.0001 : z < farFace - 0.0001;
    };
    double e = NetStrainAt(profile, face);
    for (double z = face; inside(z);) {
        const double zn = NextStrainBreak(z, side);
        const double en = NetStrainAt(profile, zn);
        if (e >= 0.0 && en < 0.0) {
            crossing = z + (zn - z) * e / (e - en);
            return true;
        }
        z = zn;
        e = en;
    }
    return false;
}

// ---- Reserve profile -----------------------------------------------------------------------

// Scans each face inwards over the breaks of the net strain until it turns from tension to
// compression. A net strain of exactly 0 at a break followed by compression is a crossing
// there, not tension over the whole depth. Answers true when a scan found no crossing (its
// crossing is then kWholeDepthFromTop or kWholeDepthFromBottom).
bool TTensionZones::FindTensionZones(const StrainProfile& profile, double& zT, double& zB) const
{
    const double top = m_structure.GetTop();
    const double bottom = m_structure.GetBottom();
    zT = top;
    zB = bottom;
    bool wholeDepth = false;
    if (NetStrainAt(profile, top) >= 0.0 && !FindTensionCrossing(profile, top, bottom, 1, zT)) {
        zT = kWholeDepthFromTop;
        wholeDepth = true;
    }
    if (NetStrainAt(profile, bottom) > 0.0 && !FindTensionCrossing(profile, bottom, top, 0, zB)) {
        zB = kWholeDepthFromBottom;
        wholeDepth = true;
    }
    return wholeDepth;
}

// The moment the bars of each zone can still add at a crack, about the zone's crossing.
void TTensionZones::ZoneDemands(const SectionState& state,
                                int d,
                                double zT,
                                double zB,
                                double& demandTop,
                                double& demandBottom) const
{
    demandTop = 0.0;
    demandBottom = 0.0;
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
            reserve = BarCrackStress(state, i, d) - average;
            if (!(reserve > 0.0) || std::fabs(reserve) > kRupturedStress)
                reserve = 0.0;
        }
        const double term = BarFactor(layer->ratio, layer->A) * r * layer->A * reserve;
        if (inTop)
            demandTop += std::fabs(zT - z) * term + kBarDemandFloor;
        if (inBottom)
            demandBottom += std::fabs(zB - z) * term + kBarDemandFloor;
    }
}

// The mean tensile strengths of the regions above and below depth 0.
void TTensionZones::HalfTensileStrengths(double& ftUpper, double& ftLower) const
{
    ftUpper = 0.0;
    ftLower = 0.0;
    const int regions = m_structure.GetRegionCount();
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
        const double upperSpan = std::fabs(m_structure.GetTop() + 0.0001);
        const double lowerSpan = std::fabs(m_structure.GetBottom() + 0.0001);
        ftUpper = upperSpan > 0.0 ? upperSum / upperSpan : 0.0;
        ftLower = lowerSpan > 0.0 ? lowerSum / lowerSpan : 0.0;
    }
}

// The profile, largest depth first: constant at ten times the largest f't when a concrete
// type keeps its cracks to itself (the Hsu family, or a type named steel), else each zone's
// stress from its face to its crossing, stepping to 3 f't of the concrete there.
void TTensionZones::FillReserveProfile(TDepthTable& profileTable,
                                       const FittedZone& topZone,
                                       const FittedZone& bottomZone,
                                       bool wholeDepth) const
{
    const double phi = ConcretePhi();
    profileTable.Clear();
    bool constant = false;
    double largest = 0.0;
    for (int i = 0; i < m_structure.GetConcreteTypeCount(); ++i) {
        const ConcreteTypeRec* type = m_structure.GetConcreteType(i);
        if (type == nullptr)
            continue;
        constant = constant || IsHsuFamily(*type) || IsNamedSteel(*type);
        largest = std::max(largest, 10.0 * type->ft);
    }
    if (constant) {
        profileTable.Add(m_structure.GetTop(), largest);
        profileTable.Add(m_structure.GetBottom(), largest);
    } else {
        profileTable.Add(m_structure.GetTop(), topZone.s3);
        if (!wholeDepth) {
            profileTable.Add(topZone.crossing, topZone.s2);
            profileTable.Add(topZone.crossing, 3.0 * phi * topZone.ftAtCrossing);
            profileTable.Add(bottomZone.crossing, 3.0 * phi * bottomZone.ftAtCrossing);
            profileTable.Add(bottomZone.crossing, bottomZone.s2);
        }
        profileTable.Add(m_structure.GetBottom(), bottomZone.s3);
    }
    profileTable.SetSorted(true);
}

void TTensionZones::BuildReserveProfile(const SectionState& state,
                                        double& reserveMoment,
                                        double& crossingDepth,
                                        TDepthTable& profileTable,
                                        int d)
{
    const double phi = ConcretePhi();
    const StrainProfile profile = StateProfile(state);

    // 1. The tension zones at the two faces.
    FittedZone topZone;
    FittedZone bottomZone;
    const bool wholeDepth = FindTensionZones(profile, topZone.crossing, bottomZone.crossing);
    // 2. What their bars demand at a crack.
    double demandTop = 0.0;
    double demandBottom = 0.0;
    ZoneDemands(state, d, topZone.crossing, bottomZone.crossing, demandTop, demandBottom);
    // 3. The concrete at the crossings and the mean tensile strengths of the two halves.
    const ConcreteTypeRec* typeTop = ConcreteAtCrossing(topZone.crossing);
    const ConcreteTypeRec* typeBottom = ConcreteAtCrossing(bottomZone.crossing);
    topZone.ftAtCrossing = typeTop != nullptr ? typeTop->ft : 0.0;
    bottomZone.ftAtCrossing = typeBottom != nullptr ? typeBottom->ft : 0.0;
    double ftUpper = 0.0;
    double ftLower = 0.0;
    HalfTensileStrengths(ftUpper, ftLower);
    // 4. The stress in each zone, fitted to its demand.
    topZone.s1 = 0.6 * phi * ftUpper;
    topZone.s2 = 3.0 * phi * topZone.ftAtCrossing;
    FitTensionZoneStress(demandTop,
                         topZone.crossing,
                         topZone.s1,
                         topZone.s2,
                         topZone.s3,
                         0.6,
                         3.0,
                         0);
    bottomZone.s1 = 0.6 * phi * ftLower;
    bottomZone.s2 = 3.0 * phi * bottomZone.ftAtCrossing;
    FitTensionZoneStress(demandBottom,
                         bottomZone.crossing,
                         bottomZone.s1,
                         bottomZone.s2,
                         bottomZone.s3,
                         0.6,
                         3.0,
                         1);
    // 5. The profile.
    FillReserveProfile(profileTable, topZone, bottomZone, wholeDepth);
    // 6. The deeper zone governs; the top one on a tie.
    if (std::fabs(m_structure.GetBottom() - bottomZone.crossing) <=
        std::fabs(m_structure.GetTop() - topZone.crossing)) {
        reserveMoment = demandTop;
        crossingDepth = topZone.crossing;
    } else {
        reserveMoment = demandBottom;
        crossingDepth = bottomZone.crossing;
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
