// The shear-stress distribution of a solved state by the dual-section method: two sections a
// short distance apart carry moments that differ by the shear, so the rate of change of the
// longitudinal stresses along the member follows from the section's tangent stiffness.
// Integrating that rate from the top face down gives the shear flow, and dividing by the
// width the shear stress that equilibrium requires. The difference between that and the
// shear stress of the layer solution reshapes the assumed shear-strain distribution; what
// remains of it is the error that decides whether a load stage has converged.
//
// Sign convention: strains and stresses positive in tension; depths larger upwards.

#include <algorithm>
#include <cmath>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/element/NodeConcrete.h"
#include "analysis/layers/DepthProfiles.h"
#include "analysis/layers/LayerDriver.h"
#include "analysis/layers/LayerStateAccess.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/SmallSolvers.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr const char* kShearStressTableName = "Calculated Shear stress distribution";
constexpr const char* kNoClosureText =
    "No closure on shear distribution.\nPlease save the file and report the problem.";
constexpr double kPi = 3.141592653589;
// Right-hand side of a section without net shear: a unit distribution scaled afterwards.
constexpr double kUnitShearRhs = 1000000.0;
// Points of the error measure over the height.
constexpr int kErrorPoints = 50;
// Error answered when the shear is too small to matter (times the tolerance factor).
constexpr double kNegligibleShearError = 0.009;
// The weight of the damped shape update, and the range of the scatter's ratio over the last
// update within which the update behaves steadily enough to be accelerated: below it the
// last update has nearly removed the error by itself, above it (or rising) the update is
// not contracting as a steady fixed point does, and the damped update goes on.
constexpr double kDampedWeight = 0.5;
constexpr double kMaxWeight = 1.0;
constexpr double kSteadyRatioMin = 0.3;
constexpr double kSteadyRatioMax = 0.7;
// Error of a state without a distribution.
constexpr double kNoDistributionError = 0.02;

// Integral of (q_m + a1 s + a2 s^2)(w_m + b1 s) ds from s0 to s1.
double
PolynomialIntegral(double qm, double a1, double a2, double wm, double b1, double s0, double s1)
{
    const double c[4] = {qm * wm, qm * b1 + a1 * wm, a1 * b1 + a2 * wm, a2 * b1};
    double sum = 0.0;
    double p0 = s0;
    double p1 = s1;
    for (int k = 0; k < 4; ++k) {
        sum += c[k] * (p1 - p0) / (k + 1);
        p0 *= s0;
        p1 *= s1;
    }
    return sum;
}

// Visits each half layer of a state (top to middle, middle to bottom) with its two nodes, its
// upper and lower depth, its height and its mean width.
template <typename Visit>
void ForEachHalfLayer(const TBeam& beam, const SectionState& state, Visit&& visit)
{
    for (int i = 0; i < state.UsableLayerCount(); ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const LayerNodeStateRec* nodes[3] = {state.NodeState(static_cast<int>(layer.NodeTop)),
                                             state.NodeState(static_cast<int>(layer.NodeMid)),
                                             state.NodeState(static_cast<int>(layer.NodeBottom))};
        if (nodes[0] == nullptr || nodes[1] == nullptr || nodes[2] == nullptr)
            continue;
        const double y[3] = {layer.Top, layer.Mid, layer.Bottom};
        for (int h = 0; h < 2; ++h) {
            const double w =
                (beam.GetWidthAtSide(y[h], 1) + beam.GetWidthAtSide(y[h + 1], 0)) / 2.0;
            visit(*nodes[h], *nodes[h + 1], y[h], y[h + 1], y[h] - y[h + 1], w);
        }
    }
}

} // namespace

bool TQuarvish2000Analysis::HasSteelRegion() const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return false;
    for (int i = 0; i < beam->GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam->GetRegion(i);
        if (region == nullptr || region->concreteType < 0 ||
            region->concreteType >= beam->GetConcreteTypeCount())
            continue;
        if (IsNamedSteel(*beam->GetConcreteType(region->concreteType)))
            return true;
    }
    return false;
}

// ---- Strain-rate coefficients -------------------------------------------------------------

int TQuarvish2000Analysis::SolveDualSectionGradients(SectionState& state,
                                                     std::array<double, 3>& g,
                                                     int& scaleFlag)
{
    FinishLayerStates(state);
    const std::array<double, 9> K = ComputeSectionStiffness(state);
    std::array<double, 3> rates{};
    ShearModeForceRates(state, rates);
    ComputeFlexuralStiffness(state);
    const double netShear =
        state.Results[StateResult::Shear] - state.Results[StateResult::DrapedShear];
    const double R0 = netShear - rates[1];
    double R = R0;
    if (R == 0.0) {
        R = kUnitShearRhs;
        scaleFlag = 0;
    }
    return SolveDualSectionRates(K, rates, R, R0, g);
}

int TQuarvish2000Analysis::SolveDualSectionRates(const std::array<double, 9>& K,
                                                 const std::array<double, 3>& rates,
                                                 double R,
                                                 double R0,
                                                 std::array<double, 3>& g)
{
    Matrix3 M{{{K[0], K[1], K[2]}, {K[3], K[4], K[5]}, {K[6], K[7], K[8]}}};
    Vector3 rhs{-rates[0], R, -rates[2]};
    Vector3 x{};
    if (SolveLinear3(M, x, rhs, 3) == 0) {
        g = x;
        return 1;
    }
    const double tol = std::fabs(R) / 1000.0;
    double a = 0.0;
    double b = 0.0;
    // Without the shear mode: rows N and M for e0 and phi.
    if (Solve2x2(a, b, -rates[0], R, K[0], K[1], K[3], K[4]) != 0) {
        g = {a, b, 0.0};
        return std::fabs(K[0] * a + K[1] * b) <= tol && std::fabs(K[6] * a + K[7] * b) <= tol ? 1
                                                                                              : 0;
    }
    // Without the axial strain: rows M and V for phi and gamma.
    if (Solve2x2(a, b, R, -rates[2], K[4], K[5], K[7], K[8]) != 0) {
        g = {0.0, a, b};
        return std::fabs(K[1] * a + K[2] * b) <= tol && std::fabs(K[7] * a + K[8] * b) <= tol ? 1
                                                                                              : 0;
    }
    // Curvature alone.
    g = {0.0, 0.0, 0.0};
    if (std::fabs(K[4]) <= 0.0001)
        return 0;
    g[1] = R0 / K[4];
    const double tol0 = std::fabs(R0) / 1000.0;
    return std::fabs(g[1] * K[1]) <= tol0 && std::fabs(g[1] * K[7]) <= tol0 ? 1 : 0;
}

// ---- Shear-stress distribution ------------------------------------------------------------

int TQuarvish2000Analysis::ComputeShearStressDistribution(SectionState& state)
{
    LastScatter = {};
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return 0;
    int scaleFlag = 1;
    std::array<double, 3> g{};
    if (SolveDualSectionGradients(state, g, scaleFlag) == 0)
        return 0;

    const double top = beam->GetTop();
    const double bottom = beam->GetBottom();
    const double netShear =
        state.Results[StateResult::Shear] - state.Results[StateResult::DrapedShear];
    auto nonlinear = [&](double y) {
        return NonlinearDistribution.InterpolateAtDepth(y) * netShear;
    };
    // Longitudinal strain rate of the plane-section part at a depth.
    auto strainRate = [&](double y) { return g[1] * y + g[0] + nonlinear(y); };

    std::vector<double>& bond = state.LongBarExtra[0];
    std::fill(bond.begin(), bond.end(), -kUndefined);
    if (!state.Profile)
        state.Profile = std::make_unique<TDepthTable>(kShearStressTableName);
    TDepthTable& table = *state.Profile;
    table.Clear();
    table.Add(top, 0.0);

    const int barCount = beam->GetLongLayerCount(0);
    // The shear flow that the bars crossing [low, high] take.
    auto addBars = [&](double low, double high, double& S) {
        for (int i = 0; i < barCount; ++i) {
            const LongLayerRec* bar = beam->GetLongLayer(i, 0);
            if (bar == nullptr || static_cast<std::size_t>(i) >= BarStiffness.size())
                continue;
            const double z = bar->z;
            double lo = z - bar->db / 2.0;
            double hi = z + bar->db / 2.0;
            if (lo < bottom) {
                lo = bottom;
                hi = z + (z - bottom) + 0.0001;
            }
            if (hi > top) {
                hi = top;
                lo = z - (top - z) - 0.0001;
            }
            const double overlap = std::min(hi, high) - std::max(lo, low);
            if (!(overlap > 0.0) || !(hi - lo > 0.0))
                continue;
            const double k = BarStiffness[static_cast<std::size_t>(i)];
            S += k * strainRate(z) * bar->A * overlap / (hi - lo);
            if (static_cast<std::size_t>(i) < bond.size() &&
                bond[static_cast<std::size_t>(i)] == -kUndefined)
                bond[static_cast<std::size_t>(i)] = bar->num < 1
                                                        ? 0.0
                                                        : std::fabs(k * strainRate(z)) * bar->A /
                                                              (kPi * bar->db + 0.0001) / bar->num;
        }
    };
    auto widest = [&](double y) {
        return std::max(beam->GetWidthAtSide(y, 1), beam->GetWidthAtSide(y, 0));
    };
    auto addPair = [&](double y, double S) {
        const double w = widest(y);
        table.Add(y, w > 0.0 ? S / w : 0.0);
    };

    double S = 0.0;
    const int n = state.UsableLayerCount();
    const std::vector<double>& E0 = NodeWork[0];
    const std::vector<double>& E2 = NodeWork[2];
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const std::uint32_t id[3] = {layer.NodeTop, layer.NodeMid, layer.NodeBottom};
        const double y[3] = {layer.Top, layer.Mid, layer.Bottom};
        double q[3] = {0.0, 0.0, 0.0};
        for (int j = 0; j < 3; ++j) {
            if (id[j] >= state.NodeStates.size() || id[j] >= E0.size())
                continue;
            const double e0 = E0[id[j]];
            const double d = e0 != 0.0 ? nonlinear(y[j]) : 0.0;
            q[j] = (g[1] * y[j] + g[0] + d) * e0 +
                   E2[id[j]] * g[2] * state.NodeStates[id[j]].ShearStrainShape;
        }
        const double h = layer.Thickness;
        if (!(h > 0.0))
            continue;
        const double wt = beam->GetWidthAtSide(y[0], 1);
        const double wb = beam->GetWidthAtSide(y[2], 0);
        const double a1 = (q[2] - q[0]) / h;
        const double a2 = 2.0 * (q[0] - 2.0 * q[1] + q[2]) / (h * h);
        const double wm = (wt + wb) / 2.0;
        const double b1 = (wb - wt) / h;
        S += PolynomialIntegral(q[1], a1, a2, wm, b1, -h / 2.0, 0.0);
        addBars(y[1], y[0], S);
        addPair(y[1], S);
        S += PolynomialIntegral(q[1], a1, a2, wm, b1, 0.0, h / 2.0);
        addBars(y[2], y[1], S);
        addPair(y[2], S);
    }
    table.SetSorted(true);
    if (std::fabs(S) > 1.0 && std::fabs(g[1]) < 1.0)
        ReportOnce(kNoClosureText, "ERROR", MsgStyle::Ok);

    // The new shear-strain shape: each point moved from the layer solution's shear stress
    // towards the one equilibrium asks for, by the weight w (halfway unless accelerated).
    const double scatter = ShearScatter(state);
    const double w = ShapeUpdateWeight(scatter);
    const bool steel = HasSteelRegion();
    const double ratioLimit = steel ? 100.0 : 10.0;
    const double gamma = state.Results[StateResult::ShearStrain];
    TDepthTable shape(ShearStrainDistribution.GetName());
    shape.Add(top, 0.0);
    for (int k = 1; k + 1 < table.GetCount(); ++k) {
        const double z = table.GetDepth(k);
        const double tau = table.GetValue(k);
        const double v = InterpolateLayerValue(&state, LayerQuantity::ConcShearStress, z);
        const double current = ShearStrainDistribution.InterpolateAtDepth(z);
        double value = current + 1e-6;
        if (std::fabs(v) > 1e-8) {
            double r = std::clamp((w * tau + (1.0 - w) * v) / v, -ratioLimit, ratioLimit);
            if (std::fabs(r * current) > 100.0)
                r = (r * current > 0.0 ? 100.0 : -100.0) / current;
            value = std::fabs(gamma) >= 1e-8 ? r * current : current;
        }
        shape.Add(z, value);
    }
    shape.Add(bottom, 0.0);
    shape.SetSorted(true);

    const double height = beam->GetHeight();
    double mean = shape.IntegrateSimpson() / height;
    if (mean == 0.0) {
        BuildShearStrainDistribution();
        mean = 1.0;
        ReportOnce("New Error: no averageing", kProgramCaption, MsgStyle::Ok);
    }
    if (scaleFlag == 1 && (mean > 10.0 || mean < 0.1))
        mean = mean >= 1.0 ? 10.0 : 0.1;
    const double cap = steel ? 100.0 : 8.0 * beam->GetGrossArea() / ConcreteAreaInRange(state);
    for (int k = 0; k < shape.GetCount(); ++k)
        shape.SetValue(k, std::min(shape.GetValue(k) / mean, cap));
    ShearStrainDistribution.Assign(shape);
    ShearShapeChanged();

    LastScatter = {&state, scatter};
    const double integral = table.IntegrateSimpson();
    if (integral > 1.0 && std::fabs(state.Results[StateResult::Shear]) < 1.0) {
        table.ScaleValues(1.0 / integral);
        LastScatter = {};
    }

    if (GetDebugLevel() == 2)
        ShowDualSectionResults();
    return 1;
}

// ---- Error measure ------------------------------------------------------------------------

double TQuarvish2000Analysis::ShapeUpdateWeight(double scatter)
{
    double w = kDampedWeight;
    const ShapeUpdateMemory& last = ShapeUpdates;
    if (last.valid && last.scatter > 0.0) {
        const double c = scatter / last.scatter;
        if (c >= kSteadyRatioMin && c < kSteadyRatioMax)
            w = std::clamp(last.weight / (1.0 - c), kDampedWeight, kMaxWeight);
    }
    ShapeUpdates = {true, scatter, w};
    return w;
}

double TQuarvish2000Analysis::ShearDistributionError(const SectionState& state,
                                                     int& failureMode) const
{
    failureMode = FailureMode::None;
    if (!state.Profile || GetBeam() == nullptr)
        return kNoDistributionError;
    const double e = ShearScatter(state);
    failureMode = ClassifyFailureMode(state);
    return e;
}

double TQuarvish2000Analysis::ShearDistributionErrorAfterUpdate(const SectionState& state,
                                                                int& failureMode)
{
    const MeasuredScatter last = LastScatter;
    LastScatter = {};
    if (last.state != &state || !state.Profile || GetBeam() == nullptr)
        return ShearDistributionError(state, failureMode);
    failureMode = ClassifyFailureMode(state);
    return last.scatter;
}

double TQuarvish2000Analysis::ShearScatter(const SectionState& state) const
{
    const TBeam* beam = GetBeam();
    if (!state.Profile || beam == nullptr)
        return kNoDistributionError;
    const double bottom = beam->GetBottom();
    const double height = beam->GetHeight();
    double sumTau = 0.0;
    double sumD = 0.0;
    double sumD2 = 0.0;
    bool overflow = false;
    for (int i = 0; i < kErrorPoints; ++i) {
        const double y = bottom + i * height / (kErrorPoints - 1);
        const double tau = state.Profile->InterpolateQuadratic(y);
        const double v = InterpolateLayerValue(&state, LayerQuantity::ConcShearStress, y);
        if (std::fabs(tau) < 1e30 && std::fabs(v) < 1e30) {
            sumTau += tau;
            sumD += tau - v;
            sumD2 += (tau - v) * (tau - v);
        } else {
            overflow = true;
        }
    }
    if (overflow)
        ReportOnce("Spurious overflow!", "ok", MsgStyle::Ok);
    // Rounding can make the radicand slightly negative when every difference is the same.
    const double n = kErrorPoints;
    const double sd = std::sqrt(std::max(0.0, (n * sumD2 - sumD * sumD) / n / (n - 1.0)));
    const double meanTau = sumTau / n;
    const double e = meanTau != 0.0 ? sd / meanTau : sd;

    const double N = state.Results[StateResult::AxialForce];
    const double M = state.Results[StateResult::Moment];
    const double V = state.Results[StateResult::Shear];
    const double h2 = (height + 0.0001) * (height + 0.0001);
    const double share = V * V / (N * N + V * V + M * M / h2);
    if (!(share >= 1e-5) || std::fabs(V) < 1000.0 * beam->GetGrossArea())
        return kNegligibleShearError * ShearToleranceFactor;
    return std::fabs(e);
}

// ---- Debug dump ---------------------------------------------------------------------------

void TQuarvish2000Analysis::ShowDualSectionResults()
{
    const SectionState* latest = GetLatestState();
    if (latest == nullptr)
        return;
    // The dump shows the latest state as if it were solved; the window may draw it.
    SectionState& state = const_cast<SectionState&>(*latest);
    std::string text = "Dual Section results\r\n\r\n";
    const double lf = UnitFactor(ukSectionLength);
    const double sf = UnitFactor(ukStress);
    text += StrPrintf("\r\n cross section limits: %5.4f %5.4f %s\r\n",
                      state.Top * lf,
                      state.Bottom * lf,
                      UnitLabel(ukSectionLength));
    int mode = 0;
    const double error = ShearDistributionError(state, mode);
    text += StrPrintf("Error number: %5.3f      postpeak flag: %i", error, mode);
    if (state.Profile) {
        for (const DepthPair& p : state.Profile->Pairs())
            text += StrPrintf("\r\n %f\t%f", p.v * sf, p.z * lf);
    }
    text += "\r\n\r\n";
    for (int i = 0; i < state.UsableLayerCount(); ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid}) {
            if (const LayerNodeStateRec* node = state.NodeState(static_cast<int>(id)))
                text += StrPrintf("%5.3f , %5.3f\r\n", node->ConcShearStress, node->Depth);
        }
    }
    const int valid = state.Valid;
    const int running = Running;
    state.Valid = 1;
    Running = 0;
    SelectLatestState();
    ShowStateInViews(state);
    ShowDataText(text);
    Running = running;
    state.Valid = valid;
}

// ---- Energies -----------------------------------------------------------------------------

double TQuarvish2000Analysis::ComputeEnergyIncrement(const SectionState* previous,
                                                     const SectionState* current,
                                                     int part) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || !(beam->GetHeight() > 0.0) || previous == nullptr ||
        current == nullptr || part < 0 || part > 2)
        return 0.0;
    double shear = 0.0;
    double longitudinal = 0.0;
    auto previousAt = [&](int code, double y) { return InterpolateLayerValue(previous, code, y); };
    ForEachHalfLayer(*beam,
                     *current,
                     [&](const LayerNodeStateRec& u,
                         const LayerNodeStateRec& l,
                         double yu,
                         double yl,
                         double dy,
                         double w) {
                         auto mean = [&](int code) {
                             return (previousAt(code, yu) + previousAt(code, yl)) / 2.0;
                         };
                         const double v = (u.ConcShearStress + l.ConcShearStress) / 2.0;
                         const double gamma = (u.ShearStrain + l.ShearStrain) / 2.0;
                         const double sx = (u.ConcStressX + l.ConcStressX) / 2.0;
                         const double ex = (u.StrainX + l.StrainX) / 2.0;
                         shear += 0.5 * (v + mean(LayerQuantity::ConcShearStress)) *
                                  (gamma - mean(LayerQuantity::ShearStrain)) * dy * w;
                         longitudinal += 0.5 * (sx + mean(LayerQuantity::ConcStressX)) *
                                         (ex - mean(LayerQuantity::StrainX)) * dy * w;
                     });
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = beam->GetLongLayer(i, 0);
        const double fCur = current->BarValue(BarArray::List0Stress, i);
        if (bar == nullptr || !(fCur < kRupturedStress))
            continue;
        const double fPrev = previous->BarValue(BarArray::List0Stress, i);
        const double fp = fPrev < kRupturedStress ? fPrev : 0.0;
        longitudinal += 0.5 * (fp + fCur) *
                        (StrainAtDepth(*current, bar->z) - StrainAtDepth(*previous, bar->z)) *
                        bar->A * std::cos(std::atan(bar->drape));
    }
    if (part == 1)
        return shear;
    if (part == 0)
        return longitudinal;
    return shear + longitudinal;
}

double TQuarvish2000Analysis::SumStateOverReinforcement(const SectionState* state, int part) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || !(beam->GetHeight() > 0.0) || state == nullptr ||
        (part != 0 && part != 2))
        return 0.0;
    double sum = 0.0;
    const int transCount = beam->GetTransLayerCount(2);
    ForEachHalfLayer(*beam,
                     *state,
                     [&](const LayerNodeStateRec& u,
                         const LayerNodeStateRec& l,
                         double,
                         double,
                         double dy,
                         double w) {
                         const double f1 = (u.ConcStress1 + l.ConcStress1) / 2.0;
                         const double e1 = (u.Strain1 + l.Strain1) / 2.0;
                         const double f2 = (u.ConcStress2 + l.ConcStress2) / 2.0;
                         const double e2 = (u.Strain2 + l.Strain2) / 2.0;
                         sum += (0.5 * f1 * e1 + 0.5 * f2 * e2) * dy * w;
                         const double ez = (u.StrainZ + l.StrainZ) / 2.0;
                         for (int t = 0; t < transCount; ++t) {
                             const TransLayerRec* stirrup = beam->GetTransLayer(t, 2);
                             const bool failed =
                                 static_cast<std::size_t>(t) < state->TransLayerFlags.size() &&
                                 state->TransLayerFlags[static_cast<std::size_t>(t)] != 0;
                             if (stirrup == nullptr || failed || !(stirrup->space > 0.0) ||
                                 stirrup->type < 0 || stirrup->type >= beam->GetSteelTypeCount())
                                 continue;
                             const SteelTypeRec& steel = *beam->GetSteelType(stirrup->type);
                             const double f = SteelStress(steel, ez, 0.0);
                             const double perLength = stirrup->A * dy / stirrup->space;
                             sum += 0.5 * f * (f / steel.Es) * perLength +
                                    0.5 * (ez - f / steel.Es) * steel.fy * perLength;
                         }
                     });
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = beam->GetLongLayer(i, 0);
        if (bar == nullptr || bar->type < 0 || bar->type >= beam->GetSteelTypeCount())
            continue;
        const SteelTypeRec& steel = *beam->GetSteelType(bar->type);
        const double c = std::cos(std::atan(bar->drape));
        const double eps = StrainAtDepth(*state, bar->z);
        const double f = state->BarValue(BarArray::List0Stress, i);
        if (f < kRupturedStress)
            sum += (eps + bar->dep - f / steel.Es) * steel.fy * bar->A * c +
                   0.5 * (f / steel.Es) * f * bar->A * c;
        sum -= InterpolateLayerValue(state, LayerQuantity::ConcStressX, bar->z) * bar->A * eps * c;
    }
    return sum;
}
