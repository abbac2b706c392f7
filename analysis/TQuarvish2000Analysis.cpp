#include "analysis/TQuarvish2000Analysis.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "analysis/layers/DepthProfiles.h"
#include "analysis/layers/LayerDriver.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"

namespace {

// Smallest shear increment that still sets a load factor under shear control (N).
constexpr double kMinShearIncrement = 0.001;
// A crack counts as slipping when its shear stress lies this close to its limit (Pa).
constexpr double kCrackSlipMargin = 1.0;
// A node counts as crushing when f2 lies within this share of f2max.
constexpr double kCrushingShare = 0.015;
// Bounds of the stirrup and compression strain limits.
constexpr double kMinStirrupLimit = 0.01;
constexpr double kMaxCompressionLimit = -0.01;
constexpr double kCompressionLimitFactor = 5.0;

constexpr const char* kDiagnosticCaption = "Beam Section Analysis";

// The dependent component of the load path for a controlled component.
int DependentComponent(int component)
{
    return component == 1 ? 0 : 1;
}

} // namespace

TQuarvish2000Analysis::TQuarvish2000Analysis(const TBeam* structure, int validate)
    : m_beam(structure != nullptr ? std::make_unique<TBeam>(*structure) : nullptr)
{
    if (!m_beam)
        return;
    // The copy is the analysis's own: the engine writes its long-term strains and loads into
    // it although it is frozen.
    m_beam->SetEngineCopy(1);
    // A structure frozen already is an analysis's copy that was set up before: its
    // time-dependent strains are in it.
    const bool setUpBefore = structure->IsFrozen() != 0;
    if (validate == 0)
        m_beam->SetFrozen(1);
    PrepareResult = Prepare();
    // Sized once the validation has settled the layers, before anything may solve a state.
    FailedBarFlags[0].assign(static_cast<std::size_t>(std::max(0, m_beam->GetLongLayerCount(0))),
                             0);
    FailedBarFlags[2].assign(static_cast<std::size_t>(std::max(0, m_beam->GetTransLayerCount(2))),
                             0);
    for (std::vector<double>& work : NodeWork)
        work.assign(kMaxNodes, 0.0);
    BarStiffness.assign(FailedBarFlags[0].size(), 0.0);
    if (validate != 0 && !setUpBefore && !SetupRefused)
        ApplyTimeDependentStrains(*m_beam);
    // The layer level binds the settled beam, its mesh and profiles and the failed flags.
    LayerDriverProfiles profiles;
    profiles.shearStrainDistribution = &ShearStrainDistribution;
    profiles.clampingStress = &ClampingStress;
    profiles.tensileStrength = &WorkingTable;
    m_layerDriver = std::make_unique<TLayerDriver>(*m_beam,
                                                   Mesh,
                                                   FailedBarFlags,
                                                   profiles,
                                                   kMaxLayers,
                                                   kMaxNodes,
                                                   &ShearFlag);
    m_layerDriver->SetTraceText(&TraceText());
    ComputeSectionConstant();
}

TQuarvish2000Analysis::~TQuarvish2000Analysis() = default;

const TStructure* TQuarvish2000Analysis::GetStructure() const
{
    return m_beam.get();
}

TStructure* TQuarvish2000Analysis::GetWritableStructure()
{
    return m_beam.get();
}

// ---- Virtual operations -------------------------------------------------------------------

int TQuarvish2000Analysis::HasShear() const
{
    return std::fabs(ConstantLoads[kShear]) > 0.0 || std::fabs(IncrementLoads[kShear]) > 0.0 ||
                   ShearFlag != 0
               ? 1
               : 0;
}

int TQuarvish2000Analysis::GetStateResults(const SectionState* state,
                                           std::array<double, 6>& values,
                                           int mode) const
{
    if (mode != 2) {
        values.fill(0.0);
        return 0;
    }
    if (state == nullptr)
        state = GetCurrentState();
    if (state == nullptr || state->Valid == 0)
        return 0;
    values = {state->Results[StateResult::ReferenceStrain],
              state->Results[StateResult::Curvature],
              state->AvgShearStrain,
              state->Results[StateResult::AxialForce],
              state->Results[StateResult::Moment],
              state->Results[StateResult::Shear]};
    return 1;
}

double TQuarvish2000Analysis::Probe_analysis(int probeId, double depth) const
{
    if (probeId == 5)
        return ClampingStress.InterpolateAtDepth(depth);
    return TSectionalAnalysis::Probe_analysis(probeId, depth);
}

int TQuarvish2000Analysis::Prepare()
{
    const int result = TSectionalAnalysis::Prepare();
    if (!m_beam)
        return result;
    // A structure without regions or height has nothing to build a section from; one whose
    // regions leave a depth without concrete has no layer there to solve.
    NoSection = m_beam->GetRegionCount() < 1 || !(m_beam->GetHeight() > 0.0);
    MissingConcrete = NoSection ? std::string() : m_beam->DescribeMissingConcrete();
    SetupRefused = NoSection || !MissingConcrete.empty();
    if (SetupRefused) {
        Mesh = LayerMesh{};
        WorkingTable.Clear();
        return 0;
    }
    BuildShearStrainDistribution();
    const int meshBuilt = BuildLayerMesh();
    ResetClampingStressProfile();
    ResetNonlinearStrainProfile();
    BuildTensileStrengthTable();
    if (m_layerDriver)
        m_layerDriver->Bind();
    // A section the mesh cannot hold must not be analysed.
    SetupRefused = meshBuilt == 0;
    return meshBuilt != 0 ? result : 0;
}

void TQuarvish2000Analysis::ReportNoSection()
{
    if (!m_beam)
        return;
    const std::string reason = NoSection ? std::string(kNoSectionText) : MissingConcrete;
    if (reason.empty())
        return;
    for (int i = 0; i < GetErrorCount(); ++i) {
        std::string text, title;
        int code = 0;
        GetError(i, text, title, code);
        if (text == reason)
            return;
    }
    AddError(reason, g_MainWindowTitle, MsgStyle::IconExclamation);
}

int TQuarvish2000Analysis::BuildLayerMesh()
{
    if (!m_beam)
        return 0;
    if (::BuildLayerMesh(*m_beam, Mesh, GetMaxLayerCount()) != 0)
        return 1;
    AddError(kMeshRefusedText, g_MainWindowTitle, MsgStyle::IconExclamation);
    return 0;
}

void TQuarvish2000Analysis::BuildShearStrainDistribution()
{
    if (m_beam)
        ::BuildShearStrainDistribution(*m_beam, ShearStrainDistribution);
    ForgetShapeUpdates();
    ShearShapeChanged();
}

void TQuarvish2000Analysis::ShearShapeChanged()
{
    ForgetFinishedState();
    if (m_layerDriver)
        m_layerDriver->ForgetShearShape();
}

int TQuarvish2000Analysis::ResetClampingStressProfile()
{
    ForgetFinishedState();
    if (m_beam)
        ::ResetClampingStressProfile(*m_beam, ClampingStress);
    return 1;
}

int TQuarvish2000Analysis::ResetNonlinearStrainProfile()
{
    if (m_beam)
        ::ResetNonlinearStrainProfile(*m_beam, NonlinearDistribution);
    return 1;
}

// ---- Layer solution ----------------------------------------------------------------------

int TQuarvish2000Analysis::SolveLayerStates(SectionState& state, int mode)
{
    if (!m_layerDriver || SetupRefused)
        return 0;
    ++Counts.layerSolutions;
    // Each distinct message of the node evaluations is shown once per analysis.
    const ScopedAnalysisMessages messages(Messages());
    const int r = m_layerDriver->SolveLayerStates(state, mode);
    m_finished = {&state, ProfileOf(state), Counts.layerSolutions, mode};
    return r;
}

std::array<double, 3> TQuarvish2000Analysis::ProfileOf(const SectionState& state)
{
    return {state.Results[StateResult::ReferenceStrain],
            state.Results[StateResult::Curvature],
            state.Results[StateResult::ShearStrain]};
}

int TQuarvish2000Analysis::FinishLayerStates(SectionState& state)
{
    const std::array<double, 3> profile = ProfileOf(state);
    const bool same = m_finished.state == &state && m_finished.serial == Counts.layerSolutions &&
                      std::memcmp(m_finished.profile.data(), profile.data(), sizeof profile) == 0;
    if (same && m_finished.mode == LayerSolveMode::FinalBeam)
        return 0;
    if (same && m_finished.mode == LayerSolveMode::Trial && m_layerDriver && !SetupRefused) {
        // The trial pass's nodes stand; only the finishing part is added.
        const ScopedAnalysisMessages messages(Messages());
        m_layerDriver->FinishTrialSolution(state, LayerSolveMode::FinalBeam);
        m_finished.mode = LayerSolveMode::FinalBeam;
        return 1;
    }
    SolveLayerStates(state, LayerSolveMode::FinalBeam);
    return 1;
}

int TQuarvish2000Analysis::MarkFailedBars(const SectionState* state)
{
    ForgetFinishedState();
    if (!m_layerDriver)
        return 0;
    return m_layerDriver->Zones().MarkFailedBars(state);
}

const std::vector<double>& TQuarvish2000Analysis::GetNodeWork(int k) const
{
    static const std::vector<double> none;
    if (k < 0 || k >= kNodeWorkArrays)
        return none;
    return NodeWork[static_cast<std::size_t>(k)];
}

// ---- Load path ----------------------------------------------------------------------------

double TQuarvish2000Analysis::LoadPathResidual(SectionState& state,
                                               int component,
                                               int mode,
                                               int shearControl)
{
    if (component < kAxial || component > kShear) {
        ReportOnce(StrPrintf("Load component %d out of range in the load path", component),
                   kDiagnosticCaption,
                   MsgStyle::Ok);
        return 0.0;
    }
    std::array<double, StateResult::Count>& r = state.Results;
    const double* forces = &r[StateResult::AxialForce]; // N, M, V
    const int o = DependentComponent(component);
    double& lambda = r[StateResult::LoadFactor];

    if (shearControl != 0) {
        const double dV = IncrementLoads[kShear];
        if (std::fabs(dV) > kMinShearIncrement)
            lambda = (forces[kShear] - ConstantLoads[kShear]) / dV;
        else
            ReportOnce("Shear increment too small to set the load factor",
                       kDiagnosticCaption,
                       MsgStyle::Ok);
    } else if (IncrementLoads[static_cast<std::size_t>(component)] != 0.0) {
        const auto c = static_cast<std::size_t>(component);
        lambda = (forces[c] - ConstantLoads[c]) / IncrementLoads[c];
    } else if (IncrementLoads[static_cast<std::size_t>(o)] != 0.0) {
        const auto d = static_cast<std::size_t>(o);
        lambda = (forces[d] - ConstantLoads[d]) / IncrementLoads[d];
    } else {
        lambda = 0.0;
    }

    const auto d = static_cast<std::size_t>(o);
    const double required = IncrementLoads[d] * lambda + ConstantLoads[d];
    if (mode == 1)
        return forces[d] - required;
    r[StateResult::AppliedAxial + d] = required;
    return required - forces[d];
}

// ---- Failure classification ---------------------------------------------------------------

double TQuarvish2000Analysis::PeakStrainOf(int concreteType) const
{
    const TStructure* structure = GetStructure();
    const ConcreteTypeRec* type = nullptr;
    if (structure != nullptr && concreteType >= 0 &&
        concreteType < structure->GetConcreteTypeCount())
        type = structure->GetConcreteType(concreteType);
    if (type == nullptr) {
        ReportOnce(StrPrintf("Concrete type %d out of range in the failure test", concreteType),
                   kDiagnosticCaption,
                   MsgStyle::Ok);
        return 0.0;
    }
    return type->ec;
}

double TQuarvish2000Analysis::StirrupStrainLimit() const
{
    double limit = kMinStirrupLimit;
    const TStructure* structure = GetStructure();
    if (structure == nullptr)
        return limit;
    for (int i = 0; i < structure->GetTransLayerCount(2); ++i) {
        const TransLayerRec* layer = structure->GetTransLayer(i, 2);
        if (layer == nullptr)
            continue;
        if (layer->type < 0 || layer->type >= structure->GetSteelTypeCount()) {
            ReportOnce(StrPrintf("Steel type %d out of range in the failure test", layer->type),
                       kDiagnosticCaption,
                       MsgStyle::Ok);
            continue;
        }
        limit = std::max(limit, structure->GetSteelType(layer->type)->er);
    }
    return limit;
}

double TQuarvish2000Analysis::CompressionStrainLimit() const
{
    double limit = kMaxCompressionLimit;
    const TStructure* structure = GetStructure();
    if (structure == nullptr)
        return limit;
    for (int i = 0; i < structure->GetConcreteTypeCount(); ++i) {
        if (const ConcreteTypeRec* type = structure->GetConcreteType(i))
            limit = std::min(limit, kCompressionLimitFactor * type->ec);
    }
    return limit;
}

bool TQuarvish2000Analysis::IsNodeCrushing(const LayerNodeStateRec& node) const
{
    // f2max is negative, so the band is taken on its magnitude.
    if (std::fabs(node.ConcStress2 - node.ConcStress2Max) <
        kCrushingShare * std::fabs(node.ConcStress2Max))
        return true;
    return node.Strain2 - node.FreeStrain2 < PeakStrainOf(node.ConcreteType);
}

const LayerNodeStateRec* TQuarvish2000Analysis::NodeOf(const SectionState& state,
                                                       std::uint32_t id) const
{
    const LayerNodeStateRec* node = id < state.NodeStates.size() ? &state.NodeStates[id] : nullptr;
    if (node == nullptr)
        ReportOnce(StrPrintf("Node %u out of range in the failure test", id),
                   kDiagnosticCaption,
                   MsgStyle::Ok);
    return node;
}

// Visits every node of the first n layers once, top first (the top node of the first layer,
// then each layer's middle and bottom), skipping ids outside the state; stops when visit
// answers false and then answers false.
template <typename Visit>
bool TQuarvish2000Analysis::ForEachNodeTopFirst(const SectionState& state,
                                                int n,
                                                Visit&& visit) const
{
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const std::uint32_t ids[3] = {layer.NodeTop, layer.NodeMid, layer.NodeBottom};
        for (int k = i == 0 ? 0 : 1; k < 3; ++k) {
            const LayerNodeStateRec* node = NodeOf(state, ids[k]);
            if (node != nullptr && !visit(*node))
                return false;
        }
    }
    return true;
}

int TQuarvish2000Analysis::ClassifyFailureMode(const SectionState& state) const
{
    const int n = state.UsableLayerCount();
    if (n < 1)
        return FailureMode::None;

    // Nodes top first: the top node of the first layer, then each layer's middle and bottom.
    const double stirrupLimit = StirrupStrainLimit();
    auto slipOrRupture = [&](const LayerNodeStateRec& node) {
        if (node.StirrupRatio == 0.0 && node.CrackShearLimit != 0.0 &&
            std::fabs(node.CrackShearStress - node.CrackShearLimit) < kCrackSlipMargin)
            return FailureMode::CrackSlip;
        if (node.StrainZ > stirrupLimit)
            return FailureMode::StirrupRupture;
        return FailureMode::None;
    };
    int slipMode = FailureMode::None;
    ForEachNodeTopFirst(state, n, [&](const LayerNodeStateRec& node) {
        slipMode = slipOrRupture(node);
        return slipMode == FailureMode::None;
    });
    if (slipMode != FailureMode::None)
        return slipMode;

    // Crushing layers: a node crushing while it carries shear stress.
    auto layerCrushing = [&](int i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            const LayerNodeStateRec* node = NodeOf(state, id);
            if (node != nullptr && node->ConcShearStress != 0.0 && IsNodeCrushing(*node))
                return true;
        }
        return false;
    };
    const LayerNodeStateRec* topNode = NodeOf(state, state.LayerDefs.front().NodeTop);
    const LayerNodeStateRec* bottomNode =
        NodeOf(state, state.LayerDefs[static_cast<std::size_t>(n - 1)].NodeBottom);
    const bool top = topNode != nullptr && IsNodeCrushing(*topNode);
    const bool bottom = bottomNode != nullptr && IsNodeCrushing(*bottomNode);

    if (top || bottom) {
        // Crushing that starts at the face is allowed to run inwards without a gap; a
        // crushing layer beyond a sound one is a web failure.
        bool gap = false;
        for (int step = 0; step < n; ++step) {
            const int i = top ? step : n - 1 - step;
            if (!layerCrushing(i))
                gap = true;
            else if (gap)
                return FailureMode::WebCrushing;
        }
        if (top && !gap && state.Results[StateResult::Shear] > 0.0)
            return FailureMode::WebCrushing;
    } else {
        for (int i = 0; i < n; ++i) {
            if (layerCrushing(i))
                return FailureMode::WebCrushing;
        }
    }

    const double compressionLimit = CompressionStrainLimit();
    for (const LayerNodeStateRec* face : {topNode, bottomNode}) {
        if (face != nullptr && face->Strain2 - face->FreeStrain2 < compressionLimit)
            return FailureMode::FibreCrushing;
    }

    // The whole depth past the peak strain.
    const bool allPastPeak = ForEachNodeTopFirst(state, n, [&](const LayerNodeStateRec& node) {
        return node.Strain2 - node.FreeStrain2 <= PeakStrainOf(node.ConcreteType);
    });
    if (!allPastPeak)
        return FailureMode::None;
    return FailureMode::WebCrushing;
}

// ---- Plastic offsets ----------------------------------------------------------------------

void TQuarvish2000Analysis::ClearPlasticOffsets(SectionState* state) const
{
    if (state == nullptr)
        return;
    ForgetFinishedState();
    for (std::vector<double>& offsets : state->DirectionValues)
        std::fill(offsets.begin(), offsets.end(), 0.0);
    const TStructure* structure = GetStructure();
    const double top = structure != nullptr ? structure->GetTop() : state->Top;
    const double bottom = structure != nullptr ? structure->GetBottom() : state->Bottom;
    if (state->TransProfile) {
        state->TransProfile->Clear();
        state->TransProfile->Add(bottom, 0.0);
        state->TransProfile->Add(top, 0.0);
    }
    for (std::unique_ptr<TDepthTable>* table : {&state->DepthTableA, &state->DepthTableB}) {
        if (*table)
            (*table)->Clear();
        else
            *table = std::make_unique<TDepthTable>();
    }
}
