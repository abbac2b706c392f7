// The event tests of a load-stage analysis: cracking, crushing, node limits, run-away solves,
// yielding and failed bars, and whether the last step passed an event by enough to insert an
// intermediate stage before it.

#include <cmath>
#include <cstdint>

#include "analysis/T1DAnalysis.h"
#include "analysis/layers/LayerDriver.h"
#include "model/TBeam.h"

namespace {

// Shares of the whole response that a last step must exceed for an intermediate stage.
constexpr double kCrackShare = 0.02;
constexpr double kCrushingShare = 0.005;
constexpr double kFailedBarShare = 0.01;
constexpr double kNodeLimitShare = 0.02;
// A crack's shear stress this close to its limit is a node-limit event (Pa).
constexpr double kCrackShearMargin = 10000.0;

// Visits every node of a state's layers as the event tests do: for each layer its top, middle
// and bottom node. Answers true as soon as test does.
template <typename Test> bool AnyNode(const SectionState& state, Test&& test)
{
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        int position = 0;
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            const LayerNodeStateRec* node = state.NodeState(static_cast<int>(id));
            if (node != nullptr && test(*node, position))
                return true;
            ++position;
        }
    }
    return false;
}

} // namespace

bool T1DAnalysis::IsCracked(const SectionState* state) const
{
    const TBeam* beam = GetBeam();
    if (state == nullptr || beam == nullptr || state->UsableLayerCount() < 1)
        return false;
    auto cracked = [&](const LayerNodeStateRec& node) {
        return node.Strain1 - node.FreeStrain1 >
               beam->GetConcreteStrainRatio(node.ConcreteType, node.LocalTensileStrength);
    };
    const int n = state->UsableLayerCount();
    const LayerNodeStateRec* top = state->NodeState(static_cast<int>(state->LayerDefs[0].NodeTop));
    const LayerNodeStateRec* bottom = state->NodeState(
        static_cast<int>(state->LayerDefs[static_cast<std::size_t>(n - 1)].NodeBottom));
    if ((top != nullptr && cracked(*top)) || (bottom != nullptr && cracked(*bottom)))
        return true;
    return AnyNode(*state, [&](const LayerNodeStateRec& node, int) { return cracked(node); });
}

bool T1DAnalysis::IsCrushed(const SectionState* state) const
{
    const TBeam* beam = GetBeam();
    if (state == nullptr || beam == nullptr)
        return false;
    return AnyNode(*state, [&](const LayerNodeStateRec& node, int) {
        const ConcreteTypeRec* type =
            node.ConcreteType >= 0 && node.ConcreteType < beam->GetConcreteTypeCount()
                ? beam->GetConcreteType(node.ConcreteType)
                : nullptr;
        return type != nullptr && type->ec > node.Strain2 - node.FreeStrain2;
    });
}

bool T1DAnalysis::HasNodeLimitEvent(const SectionState* state) const
{
    if (state == nullptr)
        return false;
    return AnyNode(*state, [&](const LayerNodeStateRec& node, int position) {
        const int code = node.CrackCheckCode;
        if (position == 0 ? (code == 2 || code == 3) : (code == 2 || code == 4))
            return true;
        return std::fabs(node.CrackShearStress - node.CrackShearLimit) < kCrackShearMargin &&
               std::fabs(node.CrackShearStress) > 1.0;
    });
}

bool T1DAnalysis::HasRunAway(const SectionState& state) const
{
    const std::array<double, StateResult::Count>& R = state.Results;
    if (!std::isfinite(R[StateResult::ReferenceStrain]) ||
        !std::isfinite(R[StateResult::Curvature]) || !std::isfinite(R[StateResult::ShearStrain]))
        return true;
    // No material law reaches a strain of 1 (100 %) along the plane section. (A large
    // transverse strain is a section failing in shear, which the end test looks at.)
    return AnyNode(state, [](const LayerNodeStateRec& node, int) {
        return !(std::fabs(node.StrainX) <= 1.0) || !std::isfinite(node.StrainZ) ||
               !std::isfinite(node.ShearStrain) || !std::isfinite(node.Strain1) ||
               !std::isfinite(node.Strain2);
    });
}

bool T1DAnalysis::HasYieldingBar(int stage) const
{
    const TBeam* beam = GetBeam();
    const SectionState* s = StageSlot(stage);
    if (beam == nullptr || s == nullptr)
        return false;
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = beam->GetLongLayer(i, 0);
        if (bar == nullptr || bar->type < 0 || bar->type >= beam->GetSteelTypeCount())
            continue;
        const double f = s->BarValue(BarArray::List0Stress, i);
        if (f < kRupturedStress && std::fabs(f) >= 0.95 * beam->GetSteelType(bar->type)->fy)
            return true;
    }
    return false;
}

bool T1DAnalysis::IsBeyondStage(int i, int j) const
{
    const SectionState* a = StageSlot(i);
    const SectionState* b = StageSlot(j);
    if (a == nullptr || a->Valid == 0 || b == nullptr)
        return false;
    for (int k = 0; k < 3; ++k) {
        if (std::fabs(a->Results[static_cast<std::size_t>(k)]) >
            std::fabs(b->Results[static_cast<std::size_t>(k)]))
            return true;
    }
    return false;
}

bool T1DAnalysis::NeedsIntermediateStage(int eventKind) const
{
    const int n = CurrentStage;
    if (eventKind == 0 || !IsStored(n - 1) || !IsStored(n - 2))
        return false;
    double share = 0.0;
    switch (eventKind) {
    case 1:
    case 2:
        share = kCrackShare;
        break;
    case 3:
        share = kCrushingShare;
        break;
    case 4:
        share = kFailedBarShare;
        break;
    case 5: {
        const TBeam* beam = GetBeam();
        if (beam != nullptr && beam->GetTransLayerCount(2) > 0)
            return false;
        share = kNodeLimitShare;
        break;
    }
    default:
        return false;
    }
    const double last = ControlledOf(n - 1) - ControlledOf(n - 2);
    const double total = ControlledOf(n - 1) - ControlledOf(0);
    return std::fabs(last) >= 1e-10 && std::fabs(last) > share * std::fabs(total);
}

int T1DAnalysis::EndNodesConverged() const
{
    const TBeam* beam = GetBeam();
    const SectionState* s = StageSlot(CurrentStage);
    if (ControlVariable != kShear || AttemptCount < 12 || beam == nullptr || s == nullptr ||
        s->UsableLayerCount() < 1)
        return 0;
    const int n = s->UsableLayerCount();
    for (std::uint32_t id :
         {s->LayerDefs[0].NodeTop, s->LayerDefs[static_cast<std::size_t>(n - 1)].NodeBottom}) {
        const LayerNodeStateRec* node = s->NodeState(static_cast<int>(id));
        if (node == nullptr)
            continue;
        const double r =
            beam->GetConcreteStrainRatio(node->ConcreteType, node->LocalTensileStrength);
        const double d = node->StrainX - node->FreeStrainX;
        if (std::fabs(d - r) < 0.2 * r)
            return 1;
    }
    return 0;
}
