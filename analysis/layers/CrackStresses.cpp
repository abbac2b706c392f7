#include "analysis/layers/CrackStresses.h"

#include <algorithm>
#include <cmath>

#include "analysis/layers/LayerStateAccess.h"
#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"

namespace {

// pi as the bond perimeter has always used it.
constexpr double kPi = 3.141592653589;

// Curvature search: linear steps before the bars' limit curvatures are tried, bisections.
constexpr int kCurvatureSteps = 49;
constexpr int kBisections = 10;

// An excess of a node's concrete stress over its decay stress at most this fraction of the
// decay stress is rounding.
constexpr double kRoundingExcess = 1e-12;

// tan(theta) kept away from 0 as the element solver keeps it.
double ClampedTan(double angle)
{
    const double t = std::tan(angle);
    if (std::fabs(t) < 1e-6)
        return t < 0.0 ? -1e-6 : 1e-6;
    return t;
}

} // namespace

TCrackStresses::TCrackStresses(const TTensionZones& zones)
    : m_zones(zones), m_evaluator(zones.Evaluator()), m_structure(zones.Evaluator().Beam())
{
}

int TCrackStresses::BarCount(int d) const
{
    return d >= 0 && d < m_structure.GetLongDirectionCount() ? m_structure.GetLongLayerCount(d) : 0;
}

double
TCrackStresses::BarMomentIncrement(const SectionState& state, double k, double y0, int d) const
{
    const StrainProfile profile = StateProfile(state);
    const int bars = BarCount(d);
    double moment = 0.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        if (layer == nullptr || !m_zones.InTension(profile, layer->z))
            continue;
        const double arm = std::fabs(y0 - layer->z);
        const double f =
            m_evaluator.LongBarStress(profile, i, arm * k, d, BarUnloadingStrain(state, d, i));
        if (!(std::fabs(f) < kRupturedStress))
            continue;
        moment += arm * (f - BarAverageStress(state, d, i)) * layer->A *
                  m_zones.BarFactor(layer->ratio, layer->A);
    }
    return moment;
}

double TCrackStresses::FindBarLimitCurvature(const SectionState& state,
                                             double y0,
                                             double& curvature,
                                             int d) const
{
    const StrainProfile profile = StateProfile(state);
    const int bars = BarCount(d);
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

double TCrackStresses::SolveCrackCurvature(
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

// Over every half-layer on the tension side of y0 whose two nodes are cracked, by Simpson's
// rule with q and the width linear over the half.
TCrackStresses::Demand TCrackStresses::ConcreteDemand(const SectionState& state, double y0) const
{
    const bool tensionUp = StateProfile(state).slope >= 0.0;
    // At a node: the tension beyond the decayed stress at a crack, plus the crack shear; and
    // the same without an excess that is only rounding (the node solver floors the stress at
    // the decay stress it forms from Ec x e_cr, which may stand a rounding step above this one
    // formed from f't).
    struct NodeDemand {
        double q = 0.0;
        double beyondRounding = 0.0;
        bool cracked = false;
    };
    auto crackedTension = [&](const LayerNodeStateRec& node) {
        NodeDemand at;
        const ConcreteTypeRec* type = m_zones.ConcreteTypeOf(node.ConcreteType);
        if (type == nullptr)
            return at;
        const double ecr =
            type->Ec > 0.0 ? std::max(node.LocalTensileStrength / type->Ec, type->ecr) : type->ecr;
        at.cracked = node.Strain1 - node.FreeStrain1 > ecr;
        const double fd =
            TensionDecayStress(node.CrackWidth, std::max(node.LocalTensileStrength, type->ft));
        const double shear = node.CrackShearStress != 0.0
                                 ? node.CrackShearStress / ClampedTan(node.CrackAngle)
                                 : 0.0;
        const double excess = node.ConcStress1 - fd;
        at.q = std::max(0.0, excess) + shear;
        at.beyondRounding = (excess > kRoundingExcess * std::fabs(fd) ? excess : 0.0) + shear;
        return at;
    };
    Demand demand;
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
            const NodeDemand a = crackedTension(*na);
            const NodeDemand b = crackedTension(*nb);
            if (!a.cracked || !b.cracked)
                continue;
            const double ba = m_structure.GetWidthAtSide(za, 1);
            const double bb = m_structure.GetWidthAtSide(zb, 0);
            const double zm = (za + zb) / 2.0;
            const double halfThickness = layer->Thickness / 2.0;
            auto simpson = [&](double qa, double qb) {
                return halfThickness / 6.0 *
                       (qa * ba * std::fabs(y0 - za) +
                        4.0 * (qa + qb) / 2.0 * (ba + bb) / 2.0 * std::fabs(y0 - zm) +
                        qb * bb * std::fabs(y0 - zb));
            };
            demand.total += simpson(a.q, b.q);
            demand.beyondRounding += simpson(a.beyondRounding, b.beyondRounding);
        }
    }
    return demand;
}

// 4. The curvature increment that carries the demand Mc through the bars: within the elastic
// bar moment Ms, else searched; undefined when no curvature suffices.
double TCrackStresses::CrackCurvature(const SectionState& state,
                                      double Mc,
                                      double Ms,
                                      double kMax,
                                      double a,
                                      double y0,
                                      int d) const
{
    if (std::fabs(Ms) >= std::fabs(Mc))
        return Ms > 0.0 ? kMax * std::fabs(Mc / Ms) : kMax;
    if (!(std::fabs(a) * 1.001 + 2.0 > std::fabs(Mc)))
        return kUndefined;
    const double H = m_structure.GetHeight();
    const double step = H > 0.0 && std::fabs(y0) <= 20.0 * H ? 0.001 / H : 5e-7;
    const double k = SolveCrackCurvature(state, Mc, step, y0, d);
    // No curvature suffices: the bars cannot carry the demand.
    return k == 0.0 ? kUndefined : k;
}

void TCrackStresses::ComputeCrackStresses(SectionState& state, double a, double y0, int d) const
{
    const StrainProfile profile = StateProfile(state);
    const Demand concreteDemand = ConcreteDemand(state, y0);

    // 2.-3. Curvature at which the first tension bar reaches its crack stress, and the
    // moment the elastic tension bars add at that curvature. A tension bar without a reserve
    // (a failed one included) leaves no elastic range: k_max = 0 and the curvature is searched.
    const int bars = BarCount(d);
    double kMax = 1.0;
    for (int i = 0; i < bars; ++i) {
        const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
        const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
        if (layer == nullptr || steel == nullptr || !m_zones.InTension(profile, layer->z))
            continue;
        const double average = BarAverageStress(state, d, i);
        double reserve = m_zones.BarCrackStress(state, i, d) - average;
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
        if (layer == nullptr || steel == nullptr || !m_zones.InTension(profile, layer->z) ||
            !(steel->Es > 0.0))
            continue;
        if (m_evaluator.StrainAtDepth(profile, layer->z) < steel->fy / steel->Es) {
            const double arm = y0 - layer->z;
            barMoment += GetSteelMaterialFactor(*steel) * steel->Es * kMax * arm * arm * layer->A;
        }
    }

    // 4.-5. Curvature increment that carries the concrete demand through the bars. A demand
    // that is rounding alone is none, also where no bar could carry it: rounding must not
    // decide whether a section has stresses at cracks.
    double k = CrackCurvature(state, concreteDemand.total, barMoment, kMax, a, y0, d);
    if (std::fabs(k) > kRupturedStress && concreteDemand.beyondRounding == 0.0)
        k = CrackCurvature(state, 0.0, barMoment, kMax, a, y0, d);
    if (std::fabs(k) > kRupturedStress) {
        ClearCrackStresses(state);
        return;
    }

    // 6.-8. Each bar's stress at a crack and its bond stress.
    const ConcreteTypeRec* main = m_zones.ConcreteTypeOf(m_structure.GetMainConcreteType());
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
        if (m_zones.InTension(profile, z)) {
            const double arm = std::fabs(y0 - z);
            const double e1 = InterpolateLayerValue(&state, LayerQuantity::Strain1, z);
            const double free =
                InterpolateLayerValue(&state, LayerQuantity::FreeStrainX, z);
            const double ecr = main != nullptr ? m_zones.CrackingStrain(*main, z) : 0.0;
            if (m_zones.BarCrackStress(state, i, d) > kRupturedStress)
                crack = kUndefined;
            else if (e1 + arm * k - free >= ecr)
                crack = m_evaluator.LongBarStress(profile,
                                                  i,
                                                  arm * k,
                                                  d,
                                                  BarUnloadingStrain(state, d, i));
        } else if (average > 0.0) {
            // A bar in tension where the concrete, net of its free strain, is not: a tendon in
            // precompressed concrete, or a bar that an expanding concrete stretches. No crack
            // reaches it, so at a crack it carries what it carries between cracks.
            crack = average;
        }
        SetBarCrackStress(state, d, i, crack);
        if (d != 0)
            continue;
        // Bond over half the crack spacing; none where the spacing is too small or no bar.
        const double s =
            InterpolateLayerValue(&state, LayerQuantity::CrackSpacingX, z) / 2.0;
        double bond = 0.0;
        if (s < 0.001 || layer->num < 1)
            bond = 0.0;
        else if (crack > kRupturedStress)
            bond = kUndefined; // not a number formed from the undefined mark
        else
            bond = 2.0 * (crack - average) * layer->A / s / (kPi * layer->db + 0.0001) / layer->num;
        SetBarBondStress(state, i, bond);
    }
}

void TCrackStresses::ClearCrackStresses(SectionState& state) const
{
    const StrainProfile profile = StateProfile(state);
    for (int d = 0; d < std::min(2, m_structure.GetLongDirectionCount()); ++d) {
        const int bars = BarCount(d);
        for (int i = 0; i < bars; ++i) {
            const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
            if (layer == nullptr)
                continue;
            SetBarCrackStress(state,
                              d,
                              i,
                              m_zones.InTension(profile, layer->z) ? kUndefined
                                                                   : BarAverageStress(state, d, i));
        }
    }
    const int bars = BarCount(0);
    for (int i = 0; i < bars; ++i)
        SetBarBondStress(state, i, kUndefined);
}
