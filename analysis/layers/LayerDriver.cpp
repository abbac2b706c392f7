#include "analysis/layers/LayerDriver.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

#include "analysis/element/NodeConcrete.h"
#include "analysis/layers/LayerMesh.h"
#include "analysis/layers/LayerStateAccess.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/SectionState.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/TTextBuffer.h"
#include "foundation/WorkerPool.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

namespace {

// Refinement: a half-layer's f1 (f2) may depart from the parabola through the layer's three
// nodes by this share of the largest |f1| (|f2|) of the unrefined mesh, that largest value
// taken as at least 1 Pa.
constexpr double kRefinementShare = 0.002;
// A half no thicker than the section height over this is not split further.
constexpr double kThinnestHalfDivisor = 1024.0;
// Layers and node ids kept free below the capacities while refining.
constexpr int kLayerReserve = 2;
constexpr int kNodeReserve = 4;

constexpr double kPi = 3.141592653589;
constexpr double kWrapLow = 1.41371669411505;    // 0.45 pi
constexpr double kWrapHigh = 1.7278759594739501; // 0.55 pi

LayerDebugDisplay& DebugDisplay()
{
    static LayerDebugDisplay display;
    return display;
}

double Lookup(const TDepthTable* table, double depth)
{
    return table != nullptr && !table->IsEmpty() ? table->InterpolateAtDepth(depth) : 0.0;
}

} // namespace

// A table whose values are all +0.0 answers +0.0 at every depth between its end pairs (its
// interpolation only adds zeros), so there it is not searched; elsewhere it is.
TLayerDriver::ZeroTable TLayerDriver::ZeroTable::Of(const TDepthTable* table)
{
    ZeroTable t;
    if (table == nullptr || table->IsEmpty())
        return t;
    t.zero = true;
    for (int i = 0; i < table->GetCount() && t.zero; ++i)
        t.zero = std::bit_cast<std::uint64_t>(table->GetValue(i)) == 0;
    const double first = table->GetDepth(0);
    const double last = table->GetDepth(table->GetCount() - 1);
    t.lower = std::min(first, last);
    t.upper = std::max(first, last);
    return t;
}

double TLayerDriver::ZeroTable::Lookup(const TDepthTable* table, double depth) const
{
    if (zero && depth >= lower && depth <= upper)
        return 0.0;
    return ::Lookup(table, depth);
}

namespace {

// The parabola through (0, top), (hh, mid), (2 hh, bottom) at x.
double Parabola(double top, double mid, double bottom, double hh, double x)
{
    const double M = mid - top;
    const double B = bottom - top;
    const double a = (B - 2.0 * M) / (2.0 * hh * hh);
    const double b = (4.0 * M - B) / (2.0 * hh);
    return a * x * x + b * x + top;
}

} // namespace

LayerDebugDisplay SetLayerDebugDisplay(LayerDebugDisplay display)
{
    return std::exchange(DebugDisplay(), std::move(display));
}

int ShowStateInViews(const SectionState& state)
{
    int shown = 0;
    RunOnMainThread([&] { shown = DebugDisplay() ? DebugDisplay()(state) : 0; });
    return shown;
}

TLayerDriver::TLayerDriver(const TBeam& beam,
                           const LayerMesh& mesh,
                           FailedFlagLists& flags,
                           LayerDriverProfiles profiles,
                           int maxLayerCount,
                           int maxNodeCount,
                           int* shearFlag)
    : m_beam(beam), m_mesh(mesh), m_evaluator(beam, flags), m_zones(m_evaluator),
      m_crackStresses(m_zones), m_profiles(profiles), m_maxLayerCount(maxLayerCount),
      m_maxNodeCount(maxNodeCount), m_shearFlag(shearFlag)
{
    Bind();
}

void TLayerDriver::Bind()
{
    m_inputs.assign(static_cast<std::size_t>(std::max(m_maxNodeCount, 0)), NodeInputs{});
    m_trialInputs.assign(kTrialSlots, NodeInputs{});
    m_trialCount = 0;
    m_keptAngles.clear();
    m_keptAngles.reserve(static_cast<std::size_t>(std::max(m_maxNodeCount, 0)));
    m_evaluator.Bind();
    m_zones.SetTensileStrengthProfile(m_profiles.tensileStrength);
    m_height = m_beam.GetHeight();
    m_criticalRho = &m_beam.GetCriticalRhoTable();
    m_stirrupUnloadingFromState = m_beam.GetTransLayerCount(2) < 2;

    m_bars.clear();
    const int bars = m_beam.GetLongLayerCount(0);
    for (int j = 0; j < bars; ++j) {
        BarGeometry bar;
        if (const LongLayerRec* layer = m_beam.GetLongLayer(j, 0)) {
            const double alpha = std::atan(layer->drape);
            bar = {layer->z, layer->A, std::cos(alpha), std::sin(alpha)};
        }
        m_bars.push_back(bar);
    }
}

// ---- One layer solution -------------------------------------------------------------------

int TLayerDriver::SolveLayerStates(SectionState& state, int mode)
{
    // Working arrays at full size, so that the mesh may grow without reallocating later.
    const auto nodes = static_cast<std::size_t>(std::max(m_maxNodeCount, 0));
    const auto layers = static_cast<std::size_t>(std::max(m_maxLayerCount, 0));
    if (state.NodeStates.size() < nodes)
        state.NodeStates.resize(nodes);
    if (state.LayerDefs.size() < layers)
        state.LayerDefs.resize(layers);
    state.FullSizeArrays = 1;
    std::vector<double>& barStress = state.LongBarValues[BarArray::List0Stress];
    if (barStress.size() < m_bars.size())
        barStress.resize(m_bars.size(), 0.0);

    // 1. The header: profile and shear factor are read, never written.
    m_profile = {state.Results[StateResult::ReferenceStrain],
                 state.Results[StateResult::Curvature]};
    m_shearFactor = state.Results[StateResult::ShearStrain];
    m_reserveProfile.Clear();

    // 2. The unrefined mesh.
    CopyLayerMeshToState(m_mesh, state.LayerDefs, state.LayerCount);

    // 3. Average stresses of the bars at the profile.
    for (std::size_t j = 0; j < m_bars.size(); ++j) {
        const int i = static_cast<int>(j);
        barStress[j] =
            m_evaluator.LongBarStress(m_profile, i, 0.0, 0, BarUnloadingStrain(state, 0, i));
    }

    // 4. Shear-zone levels and the longitudinal reserve at a crack.
    m_zones.FindShearZoneLimits(state, 0, state.Top, state.Bottom);
    double& reserveMoment = m_reserveMoment;
    double& crossingDepth = m_crossingDepth;
    reserveMoment = 0.0;
    crossingDepth = 0.0;
    m_zones.BuildReserveProfile(state, reserveMoment, crossingDepth, m_reserveProfile, 0);
    m_reserveZero = ZeroTable::Of(&m_reserveProfile);
    m_unloadingZero = ZeroTable::Of(state.TransProfile.get());

    // 5.-7. Nodes of the mesh, then the refinement.
    SolveMeshNodes(state);
    RefineLayers(state);

    // 8.-9. Resultants.
    double N = 0.0;
    double M = 0.0;
    double V = 0.0;
    double tendonShear = 0.0;
    IntegrateSectionForces(state, N, M, V, tendonShear);
    state.Results[StateResult::AxialForce] = N;
    state.Results[StateResult::Moment] = M;
    state.Results[StateResult::Shear] = V;
    state.Results[StateResult::DrapedShear] = tendonShear;
    if (std::fabs(V) > kShearFlagThreshold && m_shearFlag != nullptr)
        *m_shearFlag = 1;

    // 10. Stresses at cracks, signed resultants and the shear block, or their cleared forms.
    if (mode == LayerSolveMode::Finish || mode == LayerSolveMode::FinalBeam) {
        m_crackStresses.ComputeCrackStresses(state, reserveMoment, crossingDepth, 0);
        ComputeSignedResultants(state);
        ComputeShearBlock(state);
    } else {
        m_crackStresses.ClearCrackStresses(state);
        ZeroSignedResultants(state);
        // Kept for a finishing pass of the same solution (FinishTrialSolution).
        KeepCrackAngles(state);
    }

    // 11.-12.
    WrapCrackAngles(state);
    DebugPrompt(state);
    return 0;
}

void TLayerDriver::KeepCrackAngles(const SectionState& state)
{
    const std::size_t count = static_cast<std::size_t>(std::max(2 * state.LayerCount + 1, 0));
    m_keptAngles.resize(count);
    for (std::size_t id = 0; id < count; ++id)
        m_keptAngles[id] = state.NodeStates[id].CrackAngle;
}

int TLayerDriver::FinishTrialSolution(SectionState& state, int mode)
{
    const std::size_t count = static_cast<std::size_t>(std::max(2 * state.LayerCount + 1, 0));
    if (m_keptAngles.size() != count || count > state.NodeStates.size())
        return SolveLayerStates(state, mode);
    for (std::size_t id = 0; id < count; ++id)
        state.NodeStates[id].CrackAngle = m_keptAngles[id];
    m_crackStresses.ComputeCrackStresses(state, m_reserveMoment, m_crossingDepth, 0);
    ComputeSignedResultants(state);
    ComputeShearBlock(state);
    WrapCrackAngles(state);
    DebugPrompt(state);
    return 0;
}

TLayerDriver::NodeInputs& TLayerDriver::TrialSlot(double depth, int concreteType)
{
    std::uint64_t bits =
        std::bit_cast<std::uint64_t>(depth) ^ static_cast<std::uint64_t>(concreteType);
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL;
    bits ^= bits >> 33;
    std::size_t i = static_cast<std::size_t>(bits) & (kTrialSlots - 1);
    while (m_trialInputs[i].filled &&
           !(m_trialInputs[i].depth == depth && m_trialInputs[i].concreteType == concreteType))
        i = (i + 1) & (kTrialSlots - 1);
    if (!m_trialInputs[i].filled && ++m_trialCount > kTrialSlots / 2) {
        // Half full: start again, so that every search ends at an empty slot.
        std::fill(m_trialInputs.begin(), m_trialInputs.end(), NodeInputs{});
        m_trialCount = 0;
        return TrialSlot(depth, concreteType);
    }
    return m_trialInputs[i];
}

const TLayerDriver::NodeInputs& TLayerDriver::InputsAt(int id, double depth, int concreteType)
{
    // Mesh nodes keep their depth from call to call; refinement trials reuse a few ids at
    // many depths, so they are kept by depth.
    NodeInputs* slot = id >= 0 && static_cast<std::size_t>(id) < m_inputs.size()
                           ? &m_inputs[static_cast<std::size_t>(id)]
                           : nullptr;
    const auto matches = [&](const NodeInputs& n) {
        return n.filled && n.depth == depth && n.concreteType == concreteType;
    };
    if (slot == nullptr || !matches(*slot))
        slot = &TrialSlot(depth, concreteType);
    NodeInputs& inputs = *slot;
    if (!matches(inputs)) {
        LayerNodeStateRec node;
        node.Depth = depth;
        node.ConcreteType = static_cast<std::int16_t>(concreteType);
        node.TensionStiffFactor = 0.0;
        SetNodeTensionStiffFactor(m_beam, node);
        inputs.filled = true;
        inputs.depth = depth;
        inputs.concreteType = concreteType;
        inputs.freeStrainX = m_beam.GetInitialStrainAt(depth, 0);
        inputs.freeStrainZ = m_beam.GetInitialStrainAt(depth, 2);
        inputs.crackSpacingX = CrackSpacingAtDepth(m_beam, depth, 0);
        inputs.crackSpacingZ = CrackSpacingAtDepth(m_beam, depth, 2);
        inputs.tensileStrength = Lookup(m_profiles.tensileStrength, depth);
        inputs.criticalRatio = Lookup(m_criticalRho, depth);
        inputs.tensionStiffFactor = node.TensionStiffFactor;
        inputs.clamping = Lookup(m_profiles.clampingStress, depth);
        inputs.shapeGeneration = 0;
    }
    if (inputs.shapeGeneration != m_shapeGeneration) {
        inputs.shearStrainShape = Lookup(m_profiles.shearStrainDistribution, depth);
        inputs.shapeGeneration = m_shapeGeneration;
    }
    return inputs;
}

void TLayerDriver::PrepareAndSolveNode(SectionState& state,
                                       LayerNodeStateRec& node,
                                       int id,
                                       double depth,
                                       int concreteType,
                                       const double* strainZ)
{
    const NodeInputs& inputs = InputsAt(id, depth, concreteType);
    node.StrainX = m_evaluator.StrainAtDepth(m_profile, depth);
    node.Depth = depth;
    node.ShearStrainShape = inputs.shearStrainShape;
    node.ShearStrain = node.ShearStrainShape * m_shearFactor;
    node.ReserveX = m_reserveZero.Lookup(&m_reserveProfile, depth);
    node.FreeStrainX = inputs.freeStrainX;
    node.FreeStrainZ = inputs.freeStrainZ;
    node.ConcreteType = static_cast<std::int16_t>(concreteType);
    node.StrainZ = strainZ != nullptr
                       ? *strainZ
                       : InitialTransverseStrain(&state, node.FreeStrainZ, id, depth);
    node.CrackSpacingX = inputs.crackSpacingX;
    node.CrackSpacingZ = inputs.crackSpacingZ;
    node.LocalTensileStrength = inputs.tensileStrength;
    node.CriticalRatio = inputs.criticalRatio;
    node.AxesSwapped = 0;
    node.TensionStiffFactor = inputs.tensionStiffFactor;

    const double clamping = inputs.clamping;
    const double unloading =
        m_stirrupUnloadingFromState ? m_unloadingZero.Lookup(state.TransProfile.get(), depth) : 0.0;
    // A node whose iteration gives up keeps its last pass; the solution goes on.
    m_evaluator.SolveNodeState(node, clamping, unloading);
    ++m_nodeEvaluations;
}

void TLayerDriver::SolveMeshNodes(SectionState& state)
{
    const int n = state.LayerCount;
    double F1 = 1.0;
    double F2 = 1.0;
    for (int k = 0; k <= 2 * n && n > 0; ++k) {
        // Node k: top of layer k / 2 when even, its middle when odd; 2n: the last bottom.
        const LayerDefRec& layer =
            state.LayerDefs[static_cast<std::size_t>(std::min(k / 2, n - 1))];
        const double depth = k == 2 * n ? layer.Bottom : (k % 2 == 0 ? layer.Top : layer.Mid);
        LayerNodeStateRec& node = state.NodeStates[static_cast<std::size_t>(k)];
        PrepareAndSolveNode(state, node, k, depth, layer.ConcreteType, nullptr);
        F1 = std::max(F1, std::fabs(node.ConcStress1));
        F2 = std::max(F2, std::fabs(node.ConcStress2));
    }
    m_tol1 = kRefinementShare * F1;
    m_tol2 = kRefinementShare * F2;
}

bool TLayerDriver::IsCracked(const LayerNodeStateRec& node) const
{
    return node.Strain1 - node.FreeStrain1 >
           m_beam.GetConcreteStrainRatio(node.ConcreteType, node.LocalTensileStrength);
}

int TLayerDriver::TestLayer(SectionState& state, int i, int n, int k)
{
    const LayerDefRec layer = state.LayerDefs[static_cast<std::size_t>(i)];
    const LayerNodeStateRec& top = state.NodeStates[layer.NodeTop];
    const LayerNodeStateRec& mid = state.NodeStates[layer.NodeMid];
    const LayerNodeStateRec& bottom = state.NodeStates[layer.NodeBottom];
    const double hh = layer.Thickness / 2.0;
    const bool room = n < m_maxLayerCount - kLayerReserve && hh > m_height / kThinnestHalfDivisor;

    int mask = 0;
    for (int h = 0; h < 2; ++h) {
        const int id = k + h;
        const LayerNodeStateRec& a = h == 0 ? top : mid;
        const LayerNodeStateRec& b = h == 0 ? mid : bottom;
        const double depth =
            h == 0 ? (layer.Top + layer.Mid) / 2.0 : (layer.Mid + layer.Bottom) / 2.0;
        const double strainZ = (a.StrainZ + b.StrainZ) / 2.0;
        LayerNodeStateRec& trial = state.NodeStates[static_cast<std::size_t>(id)];
        PrepareAndSolveNode(state, trial, id, depth, layer.ConcreteType, &strainZ);

        if (!room || id >= m_maxNodeCount - kNodeReserve)
            continue;
        const double x = hh / 2.0 + h * hh;
        const double error1 =
            IsCracked(a) != IsCracked(b)
                ? kUndefined
                : std::fabs(Parabola(top.ConcStress1, mid.ConcStress1, bottom.ConcStress1, hh, x) -
                            trial.ConcStress1);
        const double error2 =
            std::fabs(Parabola(top.ConcStress2, mid.ConcStress2, bottom.ConcStress2, hh, x) -
                      trial.ConcStress2);
        if (error1 > m_tol1 || error2 > m_tol2)
            mask |= 1 << h;
    }
    return mask;
}

void TLayerDriver::RefineLayers(SectionState& state)
{
    int n = state.LayerCount;
    int k = 2 * n + 1; // first free node id
    // Each pass tests every unsettled layer once; a layer split in a pass is tested again in
    // the next one only in its halves that failed.
    for (bool split = n > 0; split;) {
        split = false;
        for (int i = 0; i < n;) {
            if (state.LayerDefs[static_cast<std::size_t>(i)].Settled != 0) {
                ++i;
                continue;
            }
            const int mask = TestLayer(state, i, n, k);
            if (mask != 0 && SplitLayer(state, i, n, k, mask) != 0) {
                n += 1;
                k += 2;
                i += 2;
                split = true;
            } else {
                state.LayerDefs[static_cast<std::size_t>(i)].Settled = 1;
                ++i;
            }
        }
    }
    state.LayerCount = n;
}

int TLayerDriver::SplitLayer(SectionState& state, int i, int n, int k, int mask) const
{
    assert(i >= 0 && i < n);
    if (m_maxLayerCount < n + 1 || static_cast<std::size_t>(n + 1) > state.LayerDefs.size()) {
        ReportAnalysisMessage(kTooManyLayersText, kTooManyLayersCaption);
        return 0;
    }
    std::vector<LayerDefRec>& defs = state.LayerDefs;
    const LayerDefRec old = defs[static_cast<std::size_t>(i)];
    std::copy_backward(defs.begin() + i + 1, defs.begin() + n, defs.begin() + n + 1);

    // Node ids pass through 16 bits, as the stored states keep them.
    const auto id = [](int v) { return static_cast<std::uint32_t>(static_cast<std::uint16_t>(v)); };
    LayerDefRec& upper = defs[static_cast<std::size_t>(i)];
    upper.NodeTop = old.NodeTop;
    upper.NodeMid = id(k);
    upper.NodeBottom = old.NodeMid;
    upper.Top = old.Top;
    upper.Mid = (old.Top + old.Mid) / 2.0;
    upper.Bottom = old.Mid;
    upper.Thickness = old.Top - old.Mid;
    upper.ConcreteType = old.ConcreteType;
    upper.Settled = (mask & 1) != 0 ? 0 : 1;

    LayerDefRec& lower = defs[static_cast<std::size_t>(i + 1)];
    lower.NodeTop = old.NodeMid;
    lower.NodeMid = id(k + 1);
    lower.NodeBottom = old.NodeBottom;
    lower.Top = old.Mid;
    lower.Mid = (old.Mid + old.Bottom) / 2.0;
    lower.Bottom = old.Bottom;
    lower.Thickness = old.Mid - old.Bottom;
    lower.ConcreteType = old.ConcreteType;
    lower.Settled = (mask & 2) != 0 ? 0 : 1;

    state.LayerCount = n + 1;
    return 1;
}

void TLayerDriver::WrapCrackAngles(SectionState& state) const
{
    const int count = 2 * state.LayerCount + 1;
    if (state.LayerCount <= 0)
        return;
    double sum = 0.0;
    for (int id = 0; id < count; ++id)
        sum += state.NodeStates[static_cast<std::size_t>(id)].CrackAngle;
    const bool raise = sum / count >= kStoredHalfPi;
    for (int id = 0; id < count; ++id) {
        double& angle = state.NodeStates[static_cast<std::size_t>(id)].CrackAngle;
        if (raise && angle < kWrapLow)
            angle += kPi;
        else if (!raise && angle > kWrapHigh)
            angle -= kPi;
    }
}

void TLayerDriver::DebugPrompt(SectionState& state) const
{
    if (GetDebugLevel() != 1)
        return;
    const int valid = state.Valid;
    state.Valid = 1;
    const std::string kept = m_traceText != nullptr ? m_traceText->GetText() : std::string();
    // The display and the question are the window's: from a parallel task, the main thread
    // shows them.
    RunOnMainThread([&] {
        if (DebugDisplay() && DebugDisplay()(state) != 0) {
            const int answer = ShowMessage("Debug On:\n" + kept + "\nLeave on?",
                                           kLayerDebugCaption,
                                           MsgStyle::YesNo | MsgStyle::IconStop);
            if (answer == MsgAnswer::No)
                SetDebugLevel(0);
        }
    });
    state.Valid = valid;
}
