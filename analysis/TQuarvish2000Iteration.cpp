// The curvature iteration: Newton steps on the plane-section profile (e0, phi) and the shear
// deformation gamma of a state until its resultants N, M and V match the applied forces, with
// the section's 3 x 3 tangent stiffness and the concrete area of the shear zone.
//
// Sign convention: strains and stresses positive in tension; depths larger upwards.

#include <algorithm>
#include <cmath>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/element/McftElement.h"
#include "analysis/layers/LayerDriver.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "model/TBeam.h"

namespace {

constexpr const char* kIterationCaption = "Curvature Iteration";

// Correction sums above this (strain units) are not taken: the iteration has diverged.
constexpr double kMaxCorrection = 0.5;
// Passes after which a shallow section is relaxed, and the section depth from which not (m).
constexpr int kRelaxAfter = 10;
constexpr double kDeepSection = 5.0;
// Pass limits of the two modes.
constexpr int kMaxPassesControlled = 50;
constexpr int kMaxPassesAtLoads = 100;
// Loads below this increment (N or N m) do not set a load factor.
constexpr double kMinIncrement = 0.001;
// Trace geometry: abscissa step and the baseline of the log10 residual axis (pixels).
constexpr int kTraceStep = 24;
constexpr double kTraceBase = 500.0;
constexpr double kTraceScale = 50.0;

int TraceY(double residual)
{
    return static_cast<int>(kTraceBase - kTraceScale * std::log10(residual + 1.0));
}

// Scales a correction (e0, phi, gamma) down so that the strain it adds at the farthest fibre,
// reachDepth from depth 0, is at most limit. Answers true when it was cut.
bool CutCorrection(std::array<double, 3>& c, double reachDepth, double limit)
{
    const double reach = std::fabs(c[0]) + std::fabs(c[1]) * reachDepth;
    if (!(reach > limit) || limit <= 0.0)
        return false;
    const double f = limit / reach;
    for (double& v : c)
        v *= f;
    return true;
}

} // namespace

// ---- Curvature iteration ------------------------------------------------------------------

int TQuarvish2000Analysis::Solve_Beam(SectionState& state, int mode, int cv)
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return 0;
    std::array<double, StateResult::Count>& R = state.Results;
    double& lambda = R[StateResult::LoadFactor];
    auto applyLoads = [&] {
        for (int j = 0; j < 3; ++j)
            R[static_cast<std::size_t>(StateResult::AppliedAxial + j)] =
                IncrementLoads[static_cast<std::size_t>(j)] * lambda +
                ConstantLoads[static_cast<std::size_t>(j)];
    };
    // Mode 0: the load factor that the internal force of the controlled component implies.
    auto loadFactorFromForce = [&] {
        int j = cv;
        if (j < 0 || j > 2 ||
            std::fabs(IncrementLoads[static_cast<std::size_t>(j)]) < kMinIncrement)
            j = ChooseControlVariable(0);
        j = std::clamp(j, 0, 2);
        const auto c = static_cast<std::size_t>(j);
        if (IncrementLoads[c] != 0.0)
            lambda = (R[StateResult::AxialForce + c] - ConstantLoads[c]) / IncrementLoads[c];
        applyLoads();
    };

    const double H = beam->GetHeight();
    const double A = beam->GetGrossArea();
    if (mode == 1)
        applyLoads();
    const double h2 = (H + 0.0001) * (H + 0.0001);
    const double reachDepth = std::max(std::fabs(beam->GetTop()), std::fabs(beam->GetBottom()));
    const double stepLimit =
        0.5 * std::fabs(CutToLeastPeakStrain ? LeastPeakStrain() : ScalePeakStrain());
    const double forceFloor = (1000.0 * A) * (1000.0 * A);
    int k = 0;
    double previous = 100.0;
    int x = kTraceStep;
    bool failed = false;
    bool first = true;
    double r = 0.0;
    double t = 0.0;
    do {
        if (GetDebugLevel() != 0)
            TraceText().Format("Solve_Beam: Solve Iteration %d: phi %f", k, R[StateResult::Curvature]);
        SolveLayerStates(state, LayerSolveMode::Trial);
        if (mode == 0)
            loadFactorFromForce();
        const double dN = R[StateResult::AxialForce] - R[StateResult::AppliedAxial];
        const double dM = R[StateResult::Moment] - R[StateResult::AppliedMoment];
        const double dV = R[StateResult::Shear] - R[StateResult::AppliedShear];
        const double Na = R[StateResult::AppliedAxial];
        const double Ma = R[StateResult::AppliedMoment];
        const double Va = R[StateResult::AppliedShear];
        r = (dN * dN + dV * dV + dM * dM) / h2;
        t = 1e-6 * (Na * Na + Va * Va + Ma * Ma / h2) + 1.0 + forceFloor;
        // A state already in equilibrium still takes one correction pass.
        if (r < t && !first)
            break;
        first = false;

        ++Counts.solveBeamPasses;
        const std::array<double, 9> K = ComputeSectionStiffness(state);
        state.Extra = K;
        if (k > 1)
            DrawDebugLine(x, TraceY(previous), x + kTraceStep, TraceY(r));
        ++k;
        x += kTraceStep;

        std::array<double, 3> c{};
        if (SolveProfileCorrection(state.Extra, c, {-dN, -dM, -dV}, mode, cv) != 0) {
            failed = true;
        } else if (LimitProfileSteps && CutCorrection(c, reachDepth, stepLimit)) {
            R[StateResult::ReferenceStrain] += c[0] * Relaxation;
            R[StateResult::Curvature] += c[1] * Relaxation;
            R[StateResult::ShearStrain] += c[2] * Relaxation;
        } else if (std::fabs(c[0]) + std::fabs(c[1]) + std::fabs(c[2]) <= kMaxCorrection) {
            R[StateResult::ReferenceStrain] += c[0] * Relaxation;
            R[StateResult::Curvature] += c[1] * Relaxation;
            R[StateResult::ShearStrain] += c[2] * Relaxation;
        } else {
            failed = true;
        }
        if (k > kRelaxAfter && H < kDeepSection)
            Relaxation = 0.5;
        if ((mode == 0 && k > kMaxPassesControlled) || (mode != 0 && k > kMaxPassesAtLoads))
            failed = true;
        previous = r;
    } while (!failed && r > t);

    if (cv != kShear && UseCurvatureIteration == 0)
        Relaxation = 1.0;
    if (failed)
        return 0;
    FinishLayerStates(state);
    if (mode == 0)
        loadFactorFromForce();
    return HasShear() != 0 ? 1 : -2;
}

// ---- Section tangent stiffness ------------------------------------------------------------

std::array<double, 9> TQuarvish2000Analysis::ComputeSectionStiffness(const SectionState& state)
{
    std::array<double, 9> K{};
    const TBeam* beam = GetBeam();
    const int n = state.UsableLayerCount();
    if (beam == nullptr || n < 1 || !m_layerDriver) {
        ReportOnce("No layers for the section stiffness", kIterationCaption, MsgStyle::Ok);
        return K;
    }
    const TLayerEvaluator& evaluator = m_layerDriver->Evaluator();
    TTableLookupMemo& transOffsets = m_stiffnessTables[0];
    TTableLookupMemo& offsetsA = m_stiffnessTables[1];
    TTableLookupMemo& offsetsB = m_stiffnessTables[2];
    transOffsets.Begin(state.TransProfile.get());
    offsetsA.Begin(state.DepthTableA.get());
    offsetsB.Begin(state.DepthTableB.get());
    for (int i = 0; i <= 2 * n; ++i) {
        const LayerDefRec& layer =
            state.LayerDefs[static_cast<std::size_t>(std::min(i / 2, n - 1))];
        const std::uint32_t id =
            i == 2 * n ? layer.NodeBottom : (i % 2 == 0 ? layer.NodeTop : layer.NodeMid);
        if (id >= state.NodeStates.size() || id >= NodeWork[0].size()) {
            ReportOnce(StrPrintf("Node %u out of range in the section stiffness", id),
                       kIterationCaption,
                       MsgStyle::Ok);
            continue;
        }
        const LayerNodeStateRec& node = state.NodeStates[id];
        const double z = node.Depth;
        const double a = transOffsets.At(z);
        const double ks = node.StirrupRatio * evaluator.StirrupTangentModulus(z, node.StrainZ, a);
        const ConcreteTypeRec* type =
            node.ConcreteType >= 0 && node.ConcreteType < beam->GetConcreteTypeCount()
                ? beam->GetConcreteType(node.ConcreteType)
                : nullptr;
        double terms[4] = {0.0, 0.0, 0.0, 0.0};
        if (type == nullptr) {
            ReportOnce(StrPrintf("Concrete type %d out of range in the section stiffness",
                                 static_cast<int>(node.ConcreteType)),
                       kIterationCaption,
                       MsgStyle::Ok);
        } else if (!(z > state.Top || z < state.Bottom ||
                     node.Strain2 - node.FreeStrain2 < type->ec)) {
            Matrix3 D{};
            SolveMcftLayer(D,
                           *type,
                           node,
                           offsetsA.At(z),
                           offsetsB.At(z),
                           0.0,
                           0.0);
            // The transverse direction condensed out: the stirrups and the concrete keep the
            // transverse stress at its prescribed value.
            double den = ks + D[1][1];
            if (den == 0.0)
                den = 1.0; // no transverse stiffness at all: nothing to condense
            terms[0] = D[0][0] - D[1][0] * D[0][1] / den;
            terms[1] = D[2][0] - D[2][1] * D[1][0] / den;
            terms[2] = D[0][2] - D[1][2] * D[0][1] / den;
            terms[3] = D[2][2] - D[2][1] * D[1][2] / den;
        }
        for (int w = 0; w < kNodeWorkArrays; ++w)
            NodeWork[static_cast<std::size_t>(w)][id] = terms[w];
    }
    AddConcreteStiffness(state, K);
    AddBarStiffness(state, K);
    if (K[4] < 0.0)
        K[4] = 1.0;
    for (std::size_t d : {0u, 4u, 8u}) {
        if (K[d] == 0.0)
            K[d] = 1.0;
    }
    return K;
}

double TQuarvish2000Analysis::ScalePeakStrain() const
{
    const ConcreteTypeRec* type = StepScaleConcrete();
    return type != nullptr ? type->ec : -0.002;
}

double TQuarvish2000Analysis::LeastPeakStrain() const
{
    const TBeam* beam = GetBeam();
    double least = 0.0;
    for (int i = 0; beam != nullptr && i < beam->GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam->GetRegion(i);
        const int t = region != nullptr ? region->concreteType : -1;
        if (t < 0 || t >= beam->GetConcreteTypeCount() || beam->GetConcreteType(t) == nullptr)
            continue;
        const double ec = beam->GetConcreteType(t)->ec;
        if (least == 0.0 || std::fabs(ec) < std::fabs(least))
            least = ec;
    }
    return least != 0.0 ? least : ScalePeakStrain();
}

const ConcreteTypeRec* TQuarvish2000Analysis::StepScaleConcrete() const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return nullptr;
    const int main = beam->GetMainConcreteType();
    const ConcreteTypeRec* mainType =
        main >= 0 && main < beam->GetConcreteTypeCount() ? beam->GetConcreteType(main) : nullptr;
    double total = 0.0;
    double ofMain = 0.0;
    const ConcreteTypeRec* strongest = nullptr;
    for (int i = 0; i < beam->GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam->GetRegion(i);
        const int t = region != nullptr ? region->concreteType : -1;
        const ConcreteTypeRec* type =
            t >= 0 && t < beam->GetConcreteTypeCount() ? beam->GetConcreteType(t) : nullptr;
        if (type == nullptr)
            continue;
        const double area = std::fabs((region->topWidth + region->bottomWidth) / 2.0 *
                                      (region->top - region->bottom));
        total += area;
        ofMain += t == main ? area : 0.0;
        if (strongest == nullptr || std::fabs(type->fc) > std::fabs(strongest->fc))
            strongest = type;
    }
    return mainType == nullptr || strongest == nullptr || 2.0 * ofMain >= total ? mainType
                                                                                : strongest;
}

// ---- Concrete area of the shear zone ------------------------------------------------------

double TQuarvish2000Analysis::ConcreteAreaInRange(const SectionState& state) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return 1e-6;
    const double zt = state.Top;
    const double zb = state.Bottom;
    auto width = [beam](double z) { return beam->GetWidthAtSide(z, 0); };
    auto within = [&](double z) { return z >= zb && z <= zt; };
    double area = 0.0;
    for (int i = 0; i < beam->GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam->GetRegion(i);
        if (region == nullptr)
            continue;
        const double T = region->top;
        const double B = region->bottom;
        const double wT = region->topWidth;
        const double wB = region->bottomWidth;
        if (within(T) && within(B))
            area += (T - B) * (wT + wB) / 2.0;
        else if (within(B) && T > zt)
            area += (zt - B) * (width(zt) + wB) / 2.0;
        else if (within(T) && B < zb)
            area += (T - zb) * (width(zb) + wT) / 2.0;
        else if (T > zt && B < zb)
            area += (zt - zb) * (width(zt) + width(zb)) / 2.0;
    }
    return area < 1e-8 ? 1e-6 : area;
}
