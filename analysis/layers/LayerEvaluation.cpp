#include "analysis/layers/LayerEvaluation.h"

#include <algorithm>
#include <cmath>

#include "analysis/element/McftElement.h"
#include "analysis/element/NodeConcrete.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"

namespace {

// Transverse iteration: updates before the relaxation halves, and the last update.
constexpr int kRelaxAfter = 15;
constexpr int kMaxUpdates = 30;

// A crack this wide (m) under a shear stress above kRuptureShear (Pa) tears the stirrups.
constexpr double kRuptureCrackWidth = 0.025;
constexpr double kRuptureShear = 1000.0;

constexpr int kTransDirection = 2;

// Shear a crack of width w can carry: 0.18 sqrt(f'c) / (0.31 + 24 w / (a + 16)) in MPa and
// mm, with a the effective aggregate size.
double CrackShearCapacity(const ConcreteTypeRec& type, double w)
{
    const double a = EffectiveAggregateSize(type.fc, type.aggregate);
    return 0.18 * std::sqrt(std::fabs(type.fc) * 1e-6) / InterlockDenominator(w, a) * 1000000.0 *
           ConcretePhi();
}

} // namespace

// ---- Failed flags ----------------------------------------------------------------------

namespace {

bool FlagSet(const FailedFlagLists& flags, int list, int i)
{
    if (list < 0 || list > kTransFlagList || i < 0)
        return false;
    const auto& l = flags[static_cast<std::size_t>(list)];
    return static_cast<std::size_t>(i) < l.size() && l[static_cast<std::size_t>(i)] != 0;
}

void SetFlag(FailedFlagLists& flags, int list, int i, bool failed)
{
    if (list < 0 || list > kTransFlagList || i < 0)
        return;
    auto& l = flags[static_cast<std::size_t>(list)];
    if (static_cast<std::size_t>(i) < l.size())
        l[static_cast<std::size_t>(i)] = failed ? 1 : 0;
}

} // namespace

void ResizeFailedFlags(FailedFlagLists& flags, const TStructure& structure)
{
    for (int list = 0; list < 2; ++list) {
        const int n = list < structure.GetLongDirectionCount()
                          ? std::max(0, structure.GetLongLayerCount(list))
                          : 0;
        flags[static_cast<std::size_t>(list)].assign(static_cast<std::size_t>(n), 0);
    }
    flags[kTransFlagList].assign(
        static_cast<std::size_t>(std::max(0, structure.GetTransLayerCount(kTransDirection))),
        0);
}

void ClearFailedFlags(FailedFlagLists& flags)
{
    for (auto& list : flags)
        std::fill(list.begin(), list.end(), 0);
}

bool IsBarFailed(const FailedFlagLists& flags, int list, int i)
{
    return (list == 0 || list == 1) && FlagSet(flags, list, i);
}

void SetBarFailed(FailedFlagLists& flags, int list, int i, bool failed)
{
    if (list == 0 || list == 1)
        SetFlag(flags, list, i, failed);
}

bool IsTransFailed(const FailedFlagLists& flags, int i)
{
    return FlagSet(flags, kTransFlagList, i);
}

void SetTransFailed(FailedFlagLists& flags, int i, bool failed)
{
    SetFlag(flags, kTransFlagList, i, failed);
}

bool AllTransFailed(const FailedFlagLists& flags)
{
    const auto& l = flags[kTransFlagList];
    return !l.empty() && std::all_of(l.begin(), l.end(), [](int f) { return f != 0; });
}

// ---- Evaluator -----------------------------------------------------------------------------

TLayerEvaluator::TLayerEvaluator(const TBeam& beam, FailedFlagLists& flags)
    : m_beam(beam), m_structure(beam), m_flags(flags)
{
    Bind();
}

void TLayerEvaluator::Bind()
{
    m_height = m_structure.GetHeight();
    m_stirrups.clear();
    const int n = std::max(0, m_structure.GetTransLayerCount(kTransDirection));
    m_stirrups.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const TransLayerRec* layer = m_structure.GetTransLayer(i, kTransDirection);
        if (layer == nullptr)
            continue;
        StirrupLayer s;
        s.index = i;
        s.A = layer->A;
        s.space = layer->space;
        s.distbot = layer->distbot;
        s.disttop = layer->disttop;
        s.initial = layer->dep - layer->thermStrain;
        s.hoop = layer->pattern == kCircularHoop;
        if (layer->type >= 0 && layer->type < m_structure.GetSteelTypeCount())
            s.steel = m_structure.GetSteelType(layer->type);
        if (s.steel != nullptr)
            s.yieldStress = GetSteelMaterialFactor(*s.steel) * s.steel->fy;
        s.title = layer->bartitle;
        m_stirrups.push_back(std::move(s));
    }
    const int main = m_structure.GetMainConcreteType();
    const ConcreteTypeRec* type = main >= 0 && main < m_structure.GetConcreteTypeCount()
                                      ? m_structure.GetConcreteType(main)
                                      : nullptr;
    m_mainTypeNoCrackShear = type != nullptr && IsHsuFamily(*type);
    // A table of at most two zero values gives no discontinuity anywhere.
    const TDepthTable& discontinuity = m_beam.GetStrainDiscontinuityTable();
    m_hasDiscontinuity = discontinuity.GetCount() > 2;
    for (int i = 0; i < discontinuity.GetCount() && !m_hasDiscontinuity; ++i)
        m_hasDiscontinuity = discontinuity.GetValue(i) != 0.0;
}

double TLayerEvaluator::StrainAtDepth(const StrainProfile& profile, double y) const
{
    // Adding the 0.0 keeps the sum's bits as the beam's look-up gives them (-0.0 becomes 0.0).
    return profile.e0 + profile.slope * y +
           (m_hasDiscontinuity ? m_beam.GetStrainDiscontinuity(y, 0) : 0.0);
}

const ConcreteTypeRec* TLayerEvaluator::NodeConcrete(const LayerNodeStateRec& node) const
{
    const int t = node.ConcreteType;
    if (t < 0 || t >= m_structure.GetConcreteTypeCount())
        return nullptr;
    return m_structure.GetConcreteType(t);
}

// A stirrup layer crosses a node when the depth lies in its range, it has a spacing and it
// has not failed. Without a steel type it carries nothing and is left out.
bool TLayerEvaluator::Crosses(const StirrupLayer& layer, double depth) const
{
    return layer.distbot <= depth && depth <= layer.disttop && layer.space > 0.0 &&
           layer.steel != nullptr && !IsTransFailed(m_flags, layer.index);
}

// A hoop's legs cross a depth at an angle: k = sqrt(1 - (y - yc)^2 / r^2) of its circle.
double TLayerEvaluator::HoopFactor(const StirrupLayer& layer, double depth)
{
    if (!layer.hoop)
        return 1.0;
    const double zc = (layer.distbot + layer.disttop) / 2.0;
    const double range = layer.disttop - layer.distbot;
    const double r2 = range * range / 4.0 + 0.0001;
    const double arg = 1.0 - (depth - zc) * (depth - zc) / r2;
    return arg > 0.0 ? std::sqrt(arg) : 1.0;
}

double TLayerEvaluator::Effectiveness(double areaPerLayer, double areaPerSpacing) const
{
    // A section without height has no depth over which stirrups could act.
    if (!(m_height > 0.0))
        return 0.0;
    const double meanSpacing = areaPerLayer / (areaPerSpacing + 1e-9);
    return std::clamp((3.0 - meanSpacing / m_height) * 0.5, 0.0, 1.0);
}

double TLayerEvaluator::StirrupInitialStrain(double depth) const
{
    double area = 0.0;
    double sum = 0.0;
    for (const StirrupLayer& layer : m_stirrups) {
        if (layer.distbot < depth && depth < layer.disttop) {
            area += layer.A;
            sum += layer.A * layer.initial;
        }
    }
    return area > 0.0 ? sum / area : 0.0;
}

double TLayerEvaluator::WidthAtNode(double depth) const
{
    if (!m_inNodeSolution)
        return m_structure.GetWidthAt(depth);
    if (!m_widthKnown || m_widthDepth != depth) {
        m_width = m_structure.GetWidthAt(depth);
        m_widthDepth = depth;
        m_widthKnown = true;
    }
    return m_width;
}

double TLayerEvaluator::StirrupStatesAtNode(LayerNodeStateRec& node, double& fcr, double x) const
{
    node.StirrupStress = 0.0;
    node.StirrupYieldStress = 0.0;
    node.StirrupRatio = 0.0;
    fcr = 0.0;
    if (m_stirrups.empty())
        return 0.0;
    const double b = WidthAtNode(node.Depth);
    if (!(b > 0.0))
        return 0.0;

    const double n = static_cast<double>(m_stirrups.size());
    double rho = 0.0;
    double sumStress = 0.0;
    double sumYield = 0.0;
    double sumCrack = 0.0;
    double areaPerLayer = 0.0;
    double areaPerSpacing = 0.0;
    for (const StirrupLayer& layer : m_stirrups) {
        if (!Crosses(layer, node.Depth))
            continue;
        const double k = HoopFactor(layer, node.Depth);
        const double k2 = k * k;
        const double f = SteelStress(*layer.steel, (node.StrainZ + layer.initial) * k2, x);
        const double r = layer.A / layer.space / b * k;
        rho += r;
        if (f < kRupturedStress)
            sumStress += f * r;
        sumYield += layer.yieldStress * r;
        sumCrack += SteelStressAtCrack(*layer.steel,
                                       node.CriticalRatio,
                                       layer.initial * k2,
                                       node.StrainZ * k2,
                                       x,
                                       layer.title) *
                    r;
        areaPerLayer += layer.A * k / n;
        areaPerSpacing += layer.A * k / (layer.space + 0.0001);
    }

    const double eta = Effectiveness(areaPerLayer, areaPerSpacing);
    node.StirrupRatio = rho;
    if (rho != 0.0) {
        node.StirrupStress = eta * sumStress / rho;
        node.StirrupYieldStress = eta * sumYield / rho;
        fcr = eta * sumCrack / rho;
    }
    if (AllTransFailed(m_flags)) {
        node.StirrupStress = kUndefined;
        node.StirrupStressAtCrack = kUndefined;
        fcr = 0.0;
    }
    return (std::max(node.StirrupYieldStress, fcr) - node.StirrupStress) * node.StirrupRatio;
}

double TLayerEvaluator::StirrupTangentModulus(double depth, double e, double x) const
{
    if (m_stirrups.empty())
        return 0.0;
    const double n = static_cast<double>(m_stirrups.size());
    double sumStiffness = 0.0;
    double sumArea = 0.0;
    double areaPerLayer = 0.0;
    double areaPerSpacing = 0.0;
    for (const StirrupLayer& layer : m_stirrups) {
        if (!Crosses(layer, depth))
            continue;
        const double k = HoopFactor(layer, depth);
        const double Et = SteelTangentModulus(*layer.steel, e + layer.initial, x, kUndefined);
        sumStiffness += Et * layer.A * k * k;
        sumArea += layer.A;
        areaPerLayer += layer.A * k / n;
        areaPerSpacing += layer.A * k / (layer.space + 0.0001);
    }
    if (!(sumArea > 0.0))
        return 0.0;
    return Effectiveness(areaPerLayer, areaPerSpacing) * sumStiffness / sumArea;
}

void TLayerEvaluator::TransverseStiffness(
    Matrix3& K, const LayerNodeStateRec& node, double& Esz, double e0z, double x) const
{
    K = Matrix3{};
    Esz = 0.0;
    const ConcreteTypeRec* type = NodeConcrete(node);
    if (type == nullptr)
        return;
    if (m_inNodeSolution && m_directionKnown)
        SecantStiffnessMatrix(K, *type, node, true, m_direction);
    else
        SecantStiffnessMatrix(K, *type, node, true);
    if (!m_stirrups.empty()) {
        const double e = node.StrainZ + e0z;
        Esz =
            std::fabs(e) <= 1e-6 ? StirrupTangentModulus(node.Depth, e, x) : node.StirrupStress / e;
    }
    K[1][1] += node.StirrupRatio * Esz;
}

double
TLayerEvaluator::EvaluateTransverseStress(LayerNodeStateRec& node, double x, double a, double b)
{
    const ConcreteTypeRec* type = NodeConcrete(node);
    if (type == nullptr)
        return 0.0;
    double fcr = 0.0;
    node.ReserveZ = StirrupStatesAtNode(node, fcr, x);
    // Inside SolveNodeState the angle is set once, when the node's iteration ends.
    const double t = SolveMcftElement(*type, node, a, b, m_inNodeSolution ? &m_direction : nullptr);
    m_directionKnown = m_inNodeSolution;

    // Once every stirrup layer has failed the crack stress stays marked undefined.
    if (!AllTransFailed(m_flags)) {
        if (node.StirrupRatio > 0.0 && node.CrackWidth > 0.0) {
            const double ft = std::max(type->ft, node.LocalTensileStrength);
            const double fd = TensionDecayStress(node.CrackWidth, ft);
            node.StirrupStressAtCrack =
                (std::max(node.ConcStress1 - fd, 0.0) - node.CrackShearStress * t) /
                    node.StirrupRatio +
                node.StirrupStress;
        } else {
            node.StirrupStressAtCrack = 0.0;
        }
    }
    MarkRupturedStirrups(node);
    return node.StirrupStress * node.StirrupRatio + node.ConcStressZ;
}

int TLayerEvaluator::MarkRupturedStirrups(const LayerNodeStateRec& node)
{
    if (std::fabs(node.ConcShearStress) > kRuptureShear && node.CrackWidth > kRuptureCrackWidth) {
        for (const StirrupLayer& layer : m_stirrups)
            if (layer.distbot < node.Depth && node.Depth < layer.disttop)
                SetTransFailed(m_flags, layer.index, true);
    }
    return 1;
}

int TLayerEvaluator::SolveNodeState(LayerNodeStateRec& node, double clampingRatio, double x)
{
    if (NodeConcrete(node) == nullptr)
        return 0;

    const double imposed = std::fabs(node.FreeStrain2) + std::fabs(node.FreeStrain1) +
                           std::fabs(node.FreeStrainX) + std::fabs(node.FreeStrainZ);
    const double e0z = StirrupInitialStrain(node.Depth);

    // No shear beyond what the clamp of tan(theta) resolves, no clamping, no imposed strain.
    const double dx = node.StrainX - node.FreeStrainX;
    const double dz = node.StrainZ - node.FreeStrainZ;
    if (std::fabs(node.ShearStrain) < std::fabs(2.0 * std::fabs(dx - dz) / 1000000.0 + 1e-10) &&
        std::fabs(clampingRatio) < 1.0 && imposed < 1e-6) {
        SolveUniaxialNode(node);
        return 1;
    }

    // The width at the node is looked up once for the whole iteration.
    struct WidthMemo {
        const TLayerEvaluator& evaluator;
        explicit WidthMemo(const TLayerEvaluator& e) : evaluator(e)
        {
            evaluator.m_widthKnown = false;
            evaluator.m_inNodeSolution = true;
        }
        ~WidthMemo() { evaluator.m_inNodeSolution = false; }
        WidthMemo(const WidthMemo&) = delete;
        WidthMemo& operator=(const WidthMemo&) = delete;
    } memo(*this);
    m_directionKnown = false;
    const int result = IterateTransverseStrain(node, clampingRatio, x, e0z);
    node.CrackAngle = CrackAngleOf(node);
    return result;
}

int TLayerEvaluator::IterateTransverseStrain(LayerNodeStateRec& node,
                                             double clampingRatio,
                                             double x,
                                             double e0z)
{
    const double sigma = EvaluateTransverseStress(node, x, 0.0, 0.0);
    double tol = std::fabs(node.ConcShearStress) * 0.001 + 0.001;
    Matrix3 K{};
    double Esz = 0.0;
    TransverseStiffness(K, node, Esz, e0z, x);

    // With clamping, update at least once even when the first stress is within tolerance.
    double r = clampingRatio != 0.0 ? 2.0 * tol : sigma;
    double omega = 1.0;
    int count = 0;
    while (std::fabs(tol) < std::fabs(r)) {
        // The prescribed transverse stress follows the current shear stress.
        const double T = std::fabs(node.ConcShearStress) * clampingRatio;
        if (std::fabs(K[1][1]) <= 1.0)
            return 0;
        // Secant step to rho_z f_sz + f_cz = T:
        //   Kzx dx + Kzz (ez - ez,free) + Kzg gamma + rho_z Esz (ez + e0z) = T.
        const double target =
            node.FreeStrainZ -
            ((node.StrainX - node.FreeStrainX) * K[1][0] + K[1][2] * node.ShearStrain - T +
             (node.FreeStrainZ + e0z) * node.StirrupRatio * Esz) /
                K[1][1];
        node.StrainZ = omega * target + (1.0 - omega) * node.StrainZ;
        r = EvaluateTransverseStress(node, x, 0.0, 0.0) - T;
        tol = std::fabs(node.ConcShearStress) * 0.001 + 1.0;
        TransverseStiffness(K, node, Esz, e0z, x);
        ++count;
        if (count == kRelaxAfter)
            omega = 0.5;
        if (count > kMaxUpdates)
            return 0;
    }
    node.SpareValue = -kUndefined;
    return 1;
}

void TLayerEvaluator::SolveUniaxialNode(LayerNodeStateRec& node)
{
    const ConcreteTypeRec* type = NodeConcrete(node);
    if (type == nullptr)
        return;

    const bool tension = node.StrainX - node.FreeStrainX >= 0.0;
    if (tension) {
        node.FreeStrain1 = node.FreeStrainX;
        node.FreeStrain2 = node.FreeStrainZ;
        node.Strain1 = node.StrainX;
        node.Strain2 = node.FreeStrainZ;
    } else {
        node.FreeStrain1 = node.FreeStrainZ;
        node.FreeStrain2 = node.FreeStrainX;
        node.Strain1 = node.FreeStrainZ;
        node.Strain2 = node.StrainX;
    }
    node.StrainZ = node.FreeStrainZ;
    node.StirrupYieldStress = 1.0;
    node.CrackCheckCode = CrackCheck::None;
    node.ConcStressZ = 0.0;
    node.ConcShearStress = 0.0;
    node.StirrupStress = 0.0;
    node.StirrupStressAtCrack = 0.0;
    node.StirrupRatio = 0.0;
    node.CrackShearStress = 0.0;

    const double e1 = node.Strain1 - node.FreeStrain1;
    const double e2 = node.Strain2 - node.FreeStrain2;
    double unusedPeak = 0.0;
    double f2max = 0.0;
    node.ConcStress1 = NodePrincipalStress(*type, node, e1, e2, 1, unusedPeak);
    node.ConcStress2 = NodePrincipalStress(*type, node, e1, e2, 2, f2max);
    node.ConcStress2Max = f2max;

    const double ecr = ConcreteTensionLimit(*type, node); // may lower ConcStress1
    double f1 = node.ConcStress1;
    if (e1 > ecr && !IsNamedSteel(*type)) {
        // A non-positive crack spacing means no spacing is defined there: no crack width.
        const double spacing = node.CrackSpacingX > 0.0 ? node.CrackSpacingX : 0.0;
        node.CrackSpacingTheta = spacing;
        node.CrackWidth = (e1 - ecr) * spacing;
        node.CrackShearLimit = CrackShearCapacity(*type, node.CrackWidth);
        const double fd = TensionDecayStress(node.CrackWidth, type->Ec * ecr);
        if (node.ReserveX < f1) {
            f1 = node.ReserveX;
            node.CrackCheckCode = CrackCheck::Average;
        }
        if (node.ReserveX < node.TensionLimit)
            node.TensionLimit = node.ReserveX;
        if (f1 < fd) {
            f1 = fd;
            if (node.TensionLimit < fd)
                node.TensionLimit = fd;
        }
    } else {
        node.CrackWidth = 0.0;
        node.CrackSpacingTheta = 0.0;
        node.CrackShearLimit = 0.0;
    }
    node.ConcStress1 = f1;

    if (tension) {
        node.CrackAngle = kStoredHalfPi;
        node.ConcStressX = f1;
    } else {
        node.CrackAngle = 0.0;
        node.ConcStressX = node.ConcStress2;
    }
    node.Stress1AtCrack = f1;
    node.SpareValue = -kUndefined;
    if (m_mainTypeNoCrackShear)
        node.CrackShearLimit = 0.0;
}

double TLayerEvaluator::LongBarStress(
    const StrainProfile& profile, int i, double extra, int d, double x) const
{
    if ((d == 0 || d == 1) && IsBarFailed(m_flags, d, i))
        return kUndefined;
    if (d < 0 || d > 1 || d >= m_structure.GetLongDirectionCount() || i < 0 ||
        i >= m_structure.GetLongLayerCount(d))
        return 0.0;
    const LongLayerRec* layer = m_structure.GetLongLayer(i, d);
    const SteelTypeRec* steel = GetLongLayerSteelType(m_structure, i, d);
    if (layer == nullptr || steel == nullptr)
        return 0.0;

    const double e = StrainAtDepth(profile, layer->z) + extra;
    const double locked = layer->timeStrain + layer->thermStrain;
    const double total = e - locked + layer->dep;
    const double f = SteelStress(*steel, total, x);
    const double fcr =
        SteelStressAtCrack(*steel, layer->ratio, layer->dep - locked, e, x, layer->bartitle);
    if (total <= steel->er && fcr <= kRupturedStress)
        return std::min(f, fcr);
    return std::min(kUndefined, fcr);
}
