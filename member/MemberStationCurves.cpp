// The member curves with one point per station: the section constant, the uncracked and the
// secant flexural stiffness, the secant shear modulus, the section capacities and the demands
// on the reinforcement and on the aggregate interlock of the cracks.

#include "member/TFullMemberResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"

namespace {

constexpr int kFirstCapacityCurve = 4016;
constexpr int kLastCapacityCurve = 4023;
constexpr int kFirstDemandCurve = 4024;
constexpr int kLastDemandCurve = 4026;
constexpr int kStirrupDemandCurve = 4027;
constexpr int kCrackShearDemandCurve = 4028;
constexpr int kCrackShearCapacityCurve = 4029;
// The marked load factor k lambda_max / 30 of the last point can round a little above the
// governing station's peak: its upper bracketing stage is taken this much wider.
constexpr double kMarkedLoadWidening = 1.0000001;
// A value of this magnitude or more means "none" (an undefined stress, a ruptured bar).
constexpr double kNoValue = 1e30;
// Steel of a higher yield strength is prestressing steel.
constexpr double kPrestressingYield = 7.5e8;
// A moment change below this stress times the smaller section modulus, or a curvature change
// below this one, is too small for a secant: the state's own stiffness is shown.
constexpr double kSecantStress = 10000.0;
constexpr double kSecantCurvature = 1e-10;
// The same for the shear modulus: shear stress change and shear strain change.
constexpr double kSecantShearStress = 1000.0;
constexpr double kSecantShearStrain = 1e-7;

// Which capacity a curve id gives, and whether it is handed out twice (the second time
// negated, after a break).
int CapacityOf(int curveId) { return (curveId - kFirstCapacityCurve) % 4; }
bool IsMirroredCapacity(int curveId) { return CapacityOf(curveId) == 1 || CapacityOf(curveId) == 2; }
bool IsCapacityCurve(int curveId) { return curveId >= kFirstCapacityCurve && curveId <= kLastCapacityCurve; }

// A node quantity as the curves count it: 0 where it holds "none".
double Defined(double v) { return std::fabs(v) < kNoValue ? v : 0.0; }

// The layer node of a state whose crack is nearest its limit: the largest
// |v_ci| / (1 + v_ci,max), both in Pa (the 1 Pa keeps an uncracked node, whose limit is 0, at
// a ratio of 0). The first such node over the layers from the top; null without layers.
const LayerNodeStateRec* MostStressedCrack(const SectionState& s)
{
    const LayerNodeStateRec* most = nullptr;
    double largest = -1.0;
    for (int i = 0; i < s.UsableLayerCount(); ++i) {
        const LayerDefRec& layer = *s.LayerDef(i);
        for (const std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            const LayerNodeStateRec* node = s.NodeState(static_cast<int>(id));
            if (node == nullptr)
                continue;
            const double ratio =
                std::fabs(Defined(node->CrackShearStress) / (1.0 + Defined(node->CrackShearLimit)));
            if (ratio > largest) {
                largest = ratio;
                most = node;
            }
        }
    }
    return most;
}

// The change of a station's load (kMoment or kShear) from its first stage (state result
// `result`) to load factor lambda.
double LoadSinceFirstStage(const TFullSectionalResponse& a, const SectionState& first, double lambda, int which,
                           int result)
{
    double c[3] = {};
    double d[3] = {};
    a.GetConstantLoads(c, 3);
    a.GetIncrementLoads(d, 3);
    return c[which] + lambda * d[which] - first.Result(result);
}

// Value i of a captured distribution; 0 past its end.
double CurveValue(const TDepthTable& t, int i) { return i < t.GetCount() ? t.GetValue(i) : 0.0; }

} // namespace

void TFullMemberResponse::BracketingStages(const TFullSectionalResponse& a, double lambda, int& lo, int& hi,
                                           double widen)
{
    const int last = a.GetLastStageIndex();
    lo = hi = 0;
    for (int k = 0; k < last; ++k) {
        const double f0 = a.LoadFactorOf(k);
        const double f1 = a.LoadFactorOf(k + 1);
        if (std::min(f0, f1) <= lambda && lambda <= std::max(f0, f1) * widen) {
            lo = k;
            hi = k + 1;
            return;
        }
    }
    lo = hi = std::max(last, 0);
}

double TFullMemberResponse::AtMarkedLoad(const TFullSectionalResponse& a,
                                         const std::function<double(const SectionState&)>& value) const
{
    const double lambda = MarkedLoadFactor();
    int lo = 0;
    int hi = 0;
    BracketingStages(a, lambda, lo, hi, kMarkedLoadWidening);
    const SectionState* s0 = a.GetStage(lo);
    const SectionState* s1 = a.GetStage(hi);
    if (s0 == nullptr)
        s0 = s1;
    if (s1 == nullptr)
        s1 = s0;
    if (s0 == nullptr)
        return 0.0;
    const double f0 = a.LoadFactorOf(lo);
    const double f1 = a.LoadFactorOf(hi);
    const double t = f1 != f0 ? (lambda - f0) / (f1 - f0) : 0.0;
    const double v0 = value(*s0);
    const double v1 = value(*s1);
    return v0 + t * (v1 - v0);
}

double TFullMemberResponse::UncrackedFlexuralStiffness(int station) const
{
    const auto* beam = dynamic_cast<const TBeam*>(GetStructureAtPosition(m_slots, m_definition, m_stations.GetStation(station)));
    if (beam == nullptr)
        return 0.0;
    // The transformed section's inertia, as the secant stiffness takes it.
    double I = 0.0, A = 0.0, yTop = 0.0, yBottom = 0.0, sTop = 0.0, sBottom = 0.0;
    beam->GetFaceSteelData(1, I, A, yTop, yBottom, sTop, sBottom);
    const ConcreteTypeRec* concrete = beam->GetConcreteType(beam->GetMainConcreteType());
    return concrete != nullptr ? I * concrete->Ec : 0.0;
}

double TFullMemberResponse::SecantFlexuralStiffness(int station) const
{
    const TFullSectionalResponse* a = GetStationAnalysis(station);
    const SectionState* first = a != nullptr ? a->GetStage(0) : nullptr;
    if (first == nullptr)
        return 0.0;
    const double dM = LoadSinceFirstStage(*a, *first, MarkedLoadFactor(), kMoment, StateResult::Moment);
    const double dPhi =
        CurveValue(m_curves[MemberCurve::Curvature], station) - first->Result(StateResult::Curvature);
    double I = 0.0, A = 0.0, yTop = 0.0, yBottom = 0.0, sTop = 0.0, sBottom = 0.0;
    a->GetBeam()->GetFaceSteelData(1, I, A, yTop, yBottom, sTop, sBottom);
    if (std::fabs(dPhi) > kSecantCurvature && std::fabs(dM) > kSecantStress * std::min(sTop, sBottom))
        return dM / dPhi;
    return AtMarkedLoad(*a, [](const SectionState& s) { return s.Result(StateResult::FlexuralStiffness); });
}

double TFullMemberResponse::SecantShearModulus(int station) const
{
    const TFullSectionalResponse* a = GetStationAnalysis(station);
    const SectionState* first = a != nullptr ? a->GetStage(0) : nullptr;
    if (first == nullptr)
        return 0.0;
    const double dV = LoadSinceFirstStage(*a, *first, MarkedLoadFactor(), kShear, StateResult::Shear);
    const double dGamma =
        CurveValue(m_curves[MemberCurve::ShearStrain], station) - a->GetAverageShearStrain(first, 1);
    const double area = a->GetBeam()->GetGrossArea();
    if (std::fabs(dGamma) > kSecantShearStrain && std::fabs(dV) > kSecantShearStress * area && area > 0.0)
        return std::fabs(dV / (area * dGamma));
    // Too little shear for a secant: the section's uncracked shear modulus.
    return a->GetSectionConstant();
}

double TFullMemberResponse::SectionCapacity(const TBeam& section, int which)
{
    if (which == 0)
        return TStationSections::StirrupCapacity(section);
    const double mid = (section.GetTop() + section.GetBottom()) / 2.0;
    double force = 0.0;
    for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = section.GetLongLayer(i, 0);
        const SteelTypeRec* steel = layer != nullptr ? section.GetSteelType(layer->type) : nullptr;
        if (steel == nullptr || (steel->fy > kPrestressingYield) != (which == 3))
            continue;
        force += SideShare(layer->z, mid, which != 2) * layer->A * steel->fy;
    }
    return force;
}

double TFullMemberResponse::SideShare(double z, double mid, bool below)
{
    if (std::fabs(z - mid) < kSamePosition)
        return 0.5;
    return (z < mid) == below ? 1.0 : 0.0;
}

double TFullMemberResponse::SteelDemand(int station, int mode) const
{
    const TFullSectionalResponse* a = GetStationAnalysis(station);
    if (a == nullptr)
        return 0.0;
    const TBeam& section = *a->GetBeam();
    const double mid = (section.GetTop() + section.GetBottom()) / 2.0;
    const bool prestressing = mode == 1;
    const bool below = mode != 2;
    const double force = AtMarkedLoad(*a, [&](const SectionState& s) {
        double sum = 0.0;
        for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
            const LongLayerRec* layer = section.GetLongLayer(i, 0);
            const SteelTypeRec* steel = layer != nullptr ? section.GetSteelType(layer->type) : nullptr;
            // The bar carries most at a crack; between cracks the concrete helps.
            const double atCrack = s.BarValue(BarArray::List0Second, i);
            const double stress = std::fabs(atCrack) < 1e30 && atCrack != 0.0 ? atCrack : s.BarValue(BarArray::List0Stress, i);
            if (steel == nullptr || (steel->fy > kPrestressingYield) != prestressing || std::fabs(stress) > 1e30)
                continue;
            sum += SideShare(layer->z, mid, below) * layer->A * stress;
        }
        return sum;
    });
    return std::fabs(force) > 1e30 ? 0.0 : force;
}

double TFullMemberResponse::StirrupDemand(int station) const
{
    const TFullSectionalResponse* a = GetStationAnalysis(station);
    if (a == nullptr)
        return 0.0;
    const double most = AtMarkedLoad(*a, [](const SectionState& s) {
        double m = 0.0;
        for (const LayerNodeStateRec& node : s.NodeStates)
            if (std::fabs(node.StirrupStressAtCrack) < 1e30)
                m = std::max(m, node.StirrupRatio * node.StirrupStressAtCrack);
        return m;
    });
    return a->GetBeam()->GetShearDepthAndWidth(1).bv * most;
}

double TFullMemberResponse::CrackShear(int station, bool capacity) const
{
    const TFullSectionalResponse* a = GetStationAnalysis(station);
    if (a == nullptr)
        return 0.0;
    const double v = AtMarkedLoad(*a, [capacity](const SectionState& s) {
        const LayerNodeStateRec* node = MostStressedCrack(s);
        if (node == nullptr)
            return 0.0;
        return capacity ? Defined(node->CrackShearLimit) : std::fabs(Defined(node->CrackShearStress));
    });
    return std::fabs(v) > kNoValue ? 0.0 : v;
}

int TFullMemberResponse::StationCurveCount(int curveId) const
{
    const int n = GetStationCount();
    switch (curveId) {
    case 14:
    case 15:
    case 16:
    case 17:
        return n;
    case kLastDemandCurve:
        // Reported as long as a mirrored capacity line, handed out once over the stations.
        return 2 * n + 1;
    default:
        if (IsCapacityCurve(curveId))
            return IsMirroredCapacity(curveId) ? 2 * n + 1 : n;
        if (curveId >= kFirstDemandCurve && curveId <= kCrackShearCapacityCurve)
            return n;
        return -1;
    }
}

int TFullMemberResponse::StationCurvePoint(int curveId, double& x, double& y)
{
    const int n = GetStationCount();
    const int c = m_cursor;
    // Only a mirrored capacity line goes on past the stations.
    const bool mirrored = IsCapacityCurve(curveId) && IsMirroredCapacity(curveId);
    if (c >= (mirrored ? 2 * n + 1 : n))
        return 0;
    ++m_cursor;
    if (c == n) {
        // The break between a capacity line and its negated copy.
        x = y = kUndefined;
        return 1;
    }
    const int station = c < n ? c : c - n - 1;
    if (GetStationAnalysis(station) == nullptr)
        return 0;
    x = m_stations.GetStation(station);
    switch (curveId) {
    case 14:
        y = SecantFlexuralStiffness(station);
        return 1;
    case 15:
        y = SecantShearModulus(station);
        return 1;
    case 16:
        y = GetStationAnalysis(station)->GetSectionConstant();
        return 1;
    case 17:
        y = UncrackedFlexuralStiffness(station);
        return 1;
    default:
        break;
    }
    if (curveId == kStirrupDemandCurve) {
        y = StirrupDemand(station);
        return 1;
    }
    if (curveId == kCrackShearDemandCurve || curveId == kCrackShearCapacityCurve) {
        y = CrackShear(station, curveId == kCrackShearCapacityCurve);
        return 1;
    }
    if (curveId >= kFirstDemandCurve) {
        y = SteelDemand(station, curveId - kFirstDemandCurve);
        return 1;
    }
    const auto* beam = dynamic_cast<const TBeam*>(GetStructureAtPosition(m_slots, m_definition, x));
    y = beam != nullptr ? SectionCapacity(*beam, CapacityOf(curveId)) : 0.0;
    if (c > n)
        y = -y;
    return 1;
}
