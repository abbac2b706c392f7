// Stage storage of a load-stage analysis: the accessors the views read, the load factors and
// the peak, the set-up of each new stage with the insertion of intermediate stages at events,
// the prediction of its trial deformations and the envelope lists. The event tests are in
// T1DEvents.cpp.

#include "analysis/T1DAnalysis.h"

#include <algorithm>
#include <cmath>

#include "analysis/layers/LayerDriver.h"
#include "foundation/Reporter.h"
#include "model/TBeam.h"

namespace {

constexpr double kMinIncrement = 0.001;
// Slope of the load factor against a deformation that the last step left where it was.
constexpr double kNoSlope = 1e200;

} // namespace

T1DAnalysis::T1DAnalysis(const TBeam* structure, int validate)
    : TQuarvish2000Analysis(structure, validate)
{
}

T1DAnalysis::~T1DAnalysis()
{
    WorkingState = nullptr;
    for (SectionStateHolder& stage : Stages)
        FreeSectionState(stage);
}

// ---- Stage access -------------------------------------------------------------------------

const SectionState* T1DAnalysis::StageSlot(int index) const
{
    if (index < 0 || index >= kStageSlots)
        return nullptr;
    return Stages[static_cast<std::size_t>(index)].get();
}

bool T1DAnalysis::IsStored(int index) const
{
    return StageSlot(index) != nullptr;
}

bool T1DAnalysis::IsValidStage(int index) const
{
    const SectionState* s = StageSlot(index);
    return s != nullptr && s->Valid != 0;
}

double T1DAnalysis::LoadFactorOf(int index) const
{
    const SectionState* s = StageSlot(index);
    return s != nullptr ? s->Results[StateResult::LoadFactor] : 0.0;
}

double T1DAnalysis::Controlled(const SectionState& state) const
{
    return state.Results[static_cast<std::size_t>(std::clamp(ControlVariable, 0, 2))];
}

double T1DAnalysis::ControlledOf(int index) const
{
    const SectionState* s = StageSlot(index);
    return s != nullptr ? Controlled(*s) : 0.0;
}

const SectionState* T1DAnalysis::GetCurrentState() const
{
    if (WorkingState != nullptr && WorkingState->Valid != 0)
        return WorkingState;
    return StageSlot(0);
}

const SectionState* T1DAnalysis::GetLatestState() const
{
    return StageSlot(CurrentStage);
}

const SectionState* T1DAnalysis::GetPeakState() const
{
    return IsValidStage(PeakStage) ? StageSlot(PeakStage) : nullptr;
}

const SectionState* T1DAnalysis::GetStage(int index) const
{
    // Negative indices (the "none" index -1 among them) lie outside the table.
    if (index < 0)
        return nullptr;
    if (index < kSelectedStageIndex) {
        if (IsValidStage(index)) {
            SelectedStage = index;
            return StageSlot(index);
        }
        if (index + 1 < kStageSlots && IsValidStage(index + 1)) {
            SelectedStage = index;
            return StageSlot(index + 1);
        }
        return nullptr;
    }
    if (IsValidStage(SelectedStage))
        return StageSlot(SelectedStage);
    return GetPeakState();
}

int T1DAnalysis::GetNextStageIndex(int index) const
{
    const int last =
        IsStored(CurrentStage) && !IsValidStage(CurrentStage) ? CurrentStage - 1 : CurrentStage;
    return std::min(index + 1, last);
}

int T1DAnalysis::GetPreviousStageIndex(int index) const
{
    return CurrentStage < 1 ? 0 : index - 1;
}

int T1DAnalysis::GetLastStageIndex() const
{
    if (StageCount < 1)
        return 0;
    return IsValidStage(StageCount - 1) ? StageCount : StageCount - 1;
}

int T1DAnalysis::SelectLoadStage(int index)
{
    if (index >= kSelectedStageIndex)
        return 1;
    if (index < 0 || index >= kStageSlots) {
        ShowMessage("Error in loadstage selection!", kProgramCaption, MsgStyle::Ok);
        return 0;
    }
    SectionState* slot = Stages[static_cast<std::size_t>(index)].get();
    if (slot == nullptr)
        return 0;
    const bool changed = slot != WorkingState;
    WorkingState = slot;
    return changed ? 1 : 0;
}

double T1DAnalysis::Probe_analysis(int probeId, double depth) const
{
    if (probeId == 6 || probeId == 7)
        return CurrentStage >= 1 && Running == 0 ? 1.0 : 0.0;
    if (probeId == 9)
        return 1.0;
    return TQuarvish2000Analysis::Probe_analysis(probeId, depth);
}

int T1DAnalysis::GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr) {
        e1 = y1 = e2 = y2 = 0.0;
        return 0;
    }
    if (WorkingState == nullptr) {
        TBeam defaults(*beam);
        return defaults.GetDefaultStrainPoints(e1, y1, e2, y2);
    }
    y1 = beam->GetTop();
    y2 = beam->GetBottom();
    e1 = StrainAtDepth(*WorkingState, y1);
    e2 = StrainAtDepth(*WorkingState, y2);
    return 1;
}

int T1DAnalysis::SelectLatestState()
{
    WorkingState =
        Stages[static_cast<std::size_t>(std::clamp(CurrentStage, 0, kLastStageIndex))].get();
    return 1;
}

int T1DAnalysis::Finish()
{
    TQuarvish2000Analysis::Finish();
    RecomputeLoadFactors(1);
    WorkingState =
        Stages[static_cast<std::size_t>(std::clamp(PeakStage, 0, kLastStageIndex))].get();
    Refining = 0;
    return 1;
}

int T1DAnalysis::ChooseControlVariable(int flag)
{
    const TBeam* beam = GetBeam();
    const double H = beam != nullptr && beam->GetHeight() > 0.0 ? beam->GetHeight() : 1.0;
    const double a = std::fabs(IncrementLoads[kAxial]);
    const double b = std::fabs(3.0 * IncrementLoads[kMoment] / H);
    const double g = std::fabs(IncrementLoads[kShear]);
    if (IncrementLoads[kAxial] == 0.0 && IncrementLoads[kMoment] == 0.0 &&
        IncrementLoads[kShear] == 0.0)
        return flag == 0 ? kMoment : kAxial;
    int primary = kAxial;
    if (g >= a && g >= b)
        primary = kShear;
    else if (b >= a && b >= g)
        primary = kMoment;
    if (flag == 0)
        return primary;
    if (primary == kShear)
        return b >= a && b > 0.0 ? kMoment : kAxial;
    if (primary == kMoment)
        return HasShear() != 0 || g > a ? kShear : kAxial;
    return g > b ? kShear : kMoment;
}

// ---- Load factors -------------------------------------------------------------------------

void T1DAnalysis::SetLoadFactor(SectionState& state) const
{
    state.Results[StateResult::LoadFactor] = RecordedLoadFactor(state);
}

double T1DAnalysis::RecordedLoadFactor(const SectionState& state) const
{
    const int q = const_cast<T1DAnalysis*>(this)->ChooseControlVariable(0);
    const auto c = static_cast<std::size_t>(q);
    return std::fabs(IncrementLoads[c]) > kMinIncrement
               ? (state.Results[StateResult::AxialForce + c] - ConstantLoads[c]) / IncrementLoads[c]
               : kUndefined;
}

void T1DAnalysis::RecomputeLoadFactors(int rescan)
{
    if (Stages[0])
        Stages[0]->Results[StateResult::LoadFactor] = 0.0;
    for (int i = 1; i < kStageSlots; ++i) {
        if (SectionState* s = Stages[static_cast<std::size_t>(i)].get())
            SetLoadFactor(*s);
    }
    if (rescan == 0)
        return;
    MaxLoadFactor = 0.0;
    int last = -1;
    int peak = -1;
    for (int i = 0; i < kStageSlots; ++i) {
        if (!IsValidStage(i))
            continue;
        last = i;
        if (peak < 0 || LoadFactorOf(i) > LoadFactorOf(peak))
            peak = i;
    }
    if (last < 0)
        return;
    CurrentStage = last;
    StageCount = last + 1;
    PeakStage = peak;
    MaxLoadFactor = LoadFactorOf(peak);
    WorkingState = Stages[static_cast<std::size_t>(peak)].get();
}

int T1DAnalysis::CountFailedBars(const SectionState* state) const
{
    if (state == nullptr)
        return 0;
    int count = 0;
    for (int array : {BarArray::List0Stress, BarArray::List1Stress})
        for (double f : state->LongBarValues[static_cast<std::size_t>(array)])
            count += f > kRupturedStress ? 1 : 0;
    for (int flag : state->TransLayerFlags)
        count += flag != 0 ? 1 : 0;
    return count;
}

// ---- Removing stages ----------------------------------------------------------------------

void T1DAnalysis::RemoveStage(int index)
{
    if (index < 0 || index >= kStageSlots)
        return;
    SectionState* removed = Stages[static_cast<std::size_t>(index)].get();
    if (removed != nullptr && removed == WorkingState) {
        WorkingState = IsValidStage(index - 1) ? Stages[static_cast<std::size_t>(index - 1)].get()
                                               : Stages[0].get();
        if (WorkingState == removed)
            WorkingState = nullptr;
    }
    if (FreeSectionState(Stages[static_cast<std::size_t>(index)]) != 0)
        --StageCount;
    for (int i = index; i + 1 < kStageSlots; ++i)
        Stages[static_cast<std::size_t>(i)] = std::move(Stages[static_cast<std::size_t>(i + 1)]);
    int peak = 0;
    for (int i = 0; i <= std::min(StageCount, kLastStageIndex); ++i) {
        if (IsValidStage(i) && (!IsValidStage(peak) || LoadFactorOf(i) >= LoadFactorOf(peak)))
            peak = i;
    }
    PeakStage = peak;
}

void T1DAnalysis::ResetStageFromPrevious(int current, int previous)
{
    SectionState* cur =
        IsStored(current) ? Stages[static_cast<std::size_t>(current)].get() : nullptr;
    const SectionState* prev = StageSlot(previous);
    if (cur != nullptr && prev != nullptr) {
        cur->Results = prev->Results;
        cur->ShearBlock = prev->ShearBlock;
        cur->NvRatio = prev->NvRatio;
        cur->Valid = 0;
        cur->LayerCount = 0;
        cur->Top = prev->Top;
        cur->Bottom = prev->Bottom;
        cur->AvgShearStrain = kUndefined;
        RefreshShearStrainDistribution(*prev);
        MarkFailedBars(prev);
    }
    AttemptCount = 0;
}

void T1DAnalysis::ChooseControlVariableByRatio(int stage)
{
    const SectionState* before = StageSlot(stage - 1);
    const SectionState* after = StageSlot(stage + 1);
    if (before == nullptr || after == nullptr)
        return;
    double ratio[3] = {0.0, 0.0, 0.0};
    for (int k = 0; k < 3; ++k) {
        const auto c = static_cast<std::size_t>(k);
        if (std::fabs(before->Results[c]) > 1e-10 && std::fabs(IncrementLoads[c]) > 1.0)
            ratio[k] = std::fabs(after->Results[c] / before->Results[c]);
    }
    if (ratio[0] > ratio[1] && ratio[0] > ratio[2])
        ControlVariable = kAxial;
    else if (ratio[2] > ratio[0] && ratio[2] > ratio[1])
        ControlVariable = kShear;
    else
        ControlVariable = kMoment;
}

// ---- Envelopes and the shear-strain shape -------------------------------------------------

namespace {

// Reads a list of (value, depth) points, top down, at depths that only descend: the linear
// interpolation between the two points around the depth.
class EnvelopeReader {
public:
    explicit EnvelopeReader(const std::vector<EnvelopePoint>& points) : m_points(points) {}
    // False where the list does not cover the depth.
    bool At(double z, double& value)
    {
        const std::size_t n = m_points.size();
        if (n == 0 || z > m_points.front().depth || z < m_points.back().depth)
            return false;
        if (n == 1) {
            value = m_points.front().value;
            return true;
        }
        while (m_next + 2 < n && m_points[m_next + 1].depth > z)
            ++m_next;
        const EnvelopePoint& a = m_points[m_next];
        const EnvelopePoint& b = m_points[m_next + 1];
        value = a.depth == b.depth
                    ? a.value
                    : b.value + (a.value - b.value) * (z - b.depth) / (a.depth - b.depth);
        return true;
    }

private:
    const std::vector<EnvelopePoint>& m_points;
    std::size_t m_next = 0;
};

} // namespace

void T1DAnalysis::UpdateEnvelopes(SectionState& state, const SectionState* previous) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;
    // Without a previous state the envelopes start from no shear strain and the imposed
    // transverse strain.
    std::array<std::vector<EnvelopePoint>, 4> seeds;
    if (previous == nullptr) {
        for (std::size_t k = 0; k < seeds.size(); ++k)
            for (double z : {beam->GetTop(), beam->GetBottom()})
                seeds[k].push_back({k < 2 ? 0.0 : beam->GetInitialStrainAt(z, 2), z});
    }
    const auto& from = previous != nullptr ? previous->PointLists : seeds;
    std::array<EnvelopeReader, 4> readers{EnvelopeReader(from[0]),
                                          EnvelopeReader(from[1]),
                                          EnvelopeReader(from[2]),
                                          EnvelopeReader(from[3])};
    std::array<std::vector<EnvelopePoint>, 4> lists;
    auto visit = [&](const LayerNodeStateRec& node) {
        const double z = node.Depth;
        const double values[2] = {node.ShearStrain, node.StrainZ};
        for (std::size_t k = 0; k < 4; ++k) {
            const double v = values[k / 2];
            double kept = v;
            double t = 0.0;
            if (readers[k].At(z, t))
                kept = k % 2 == 0 ? std::max(t, v) : std::min(t, v);
            lists[k].push_back({kept, z});
        }
    };
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid})
            if (const LayerNodeStateRec* node = state.NodeState(static_cast<int>(id)))
                visit(*node);
    }
    if (n > 0)
        if (const LayerNodeStateRec* node = state.NodeState(
                static_cast<int>(state.LayerDefs[static_cast<std::size_t>(n - 1)].NodeBottom)))
            visit(*node);
    state.PointLists = std::move(lists);
}

void T1DAnalysis::RefreshShearStrainDistribution(const SectionState& state)
{
    ForgetShapeUpdates();
    const double g = state.Results[StateResult::ShearStrain];
    if (std::fabs(g) < 1e-7) {
        BuildShearStrainDistribution();
        return;
    }
    ShearStrainDistribution.Clear();
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const LayerNodeStateRec* top = state.NodeState(static_cast<int>(layer.NodeTop));
        const LayerNodeStateRec* mid = state.NodeState(static_cast<int>(layer.NodeMid));
        if (top != nullptr)
            ShearStrainDistribution.Add(layer.Top, top->ShearStrain / g);
        if (mid != nullptr)
            ShearStrainDistribution.Add(layer.Mid, mid->ShearStrain / g);
        if (i == n - 1)
            if (const LayerNodeStateRec* b = state.NodeState(static_cast<int>(layer.NodeBottom)))
                ShearStrainDistribution.Add(layer.Bottom, b->ShearStrain / g);
    }
    ShearStrainDistribution.SetSorted(true);
    ShearShapeChanged();
}

// ---- Setting up the next stage ------------------------------------------------------------

int T1DAnalysis::AdvanceStage(int& changed)
{
    if (std::fabs(IncrementLoads[kAxial]) < kMinIncrement &&
        std::fabs(IncrementLoads[kMoment]) < kMinIncrement &&
        std::fabs(IncrementLoads[kShear]) < kMinIncrement) {
        if (CopySectionState(Stages[0], Stages[1]) != 0) {
            StageCount = std::max(StageCount, 2);
            Stages[1]->Results[StateResult::LoadFactor] = kUndefined;
        }
        Finish();
        return 0;
    }
    changed = CurrentStage == 1 || Reloaded != 0 ? 1 : 0;

    int event = 0;
    if (CurrentStage >= 2) {
        const SectionState* p1 = StageSlot(CurrentStage - 1);
        const SectionState* p2 = StageSlot(CurrentStage - 2);
        if (IsCracked(p1) && !IsCracked(p2))
            event = 1;
        else if (IsCracked(p2) && !IsCracked(p1))
            event = 2;
        else if (HasNodeLimitEvent(p1) && !HasNodeLimitEvent(p2))
            event = 5;
        else if (IsCrushed(p1) && !IsCrushed(p2))
            event = 3;
        else if (CountFailedBars(p2) != CountFailedBars(p1))
            event = 4;
    }
    bool inserted = false;
    if (event != 0 && NeedsIntermediateStage(event) &&
        StageSlot(CurrentStage - 1)->Refinable != 0 && StageCount < kInsertionLimit) {
        --CurrentStage;
        for (int i = kLastStageIndex - 1; i >= CurrentStage; --i)
            if (Stages[static_cast<std::size_t>(i)])
                Stages[static_cast<std::size_t>(i + 1)] =
                    std::move(Stages[static_cast<std::size_t>(i)]);
        const int p1 = CurrentStage + 1;
        const int p2 = CurrentStage - 1;
        const int reference = event == 2 ? p1 : p2;
        if (StageSlot(p2)->Results[StateResult::Shear] != 0.0)
            RefreshShearStrainDistribution(*StageSlot(reference));
        if (event == 2) {
            StageSlot(p1)->AvgShearStrain = kUndefined;
            GetAverageShearStrain(StageSlot(p1), 1);
        }
        MarkFailedBars(StageSlot(reference));
        int peak = 0;
        for (int i = 0; i <= std::min(StageCount, kLastStageIndex); ++i)
            if (IsValidStage(i) && (!IsValidStage(peak) || LoadFactorOf(i) > LoadFactorOf(peak)))
                peak = i;
        PeakStage = peak;
        changed = 1;
        inserted = true;
    }

    // Walk over stages stored already (after an insertion, or while refining).
    while (!inserted && CurrentStage < kStageSlots && IsStored(CurrentStage)) {
        AdjustTarget(5);
        const SectionState& stored = *StageSlot(CurrentStage);
        if (stored.Results[StateResult::Shear] != 0.0)
            RefreshShearStrainDistribution(stored);
        MarkFailedBars(&stored);
        changed = 1;
        ++CurrentStage;
    }

    if (CurrentStage + 1 >= kStageSlots || !IsStored(CurrentStage + 1) || CurrentStage < 1) {
        if (Refining != 0 || CurrentStage >= kLastStageIndex) {
            Finish();
            return 0;
        }
        AdjustTarget(0);
    } else {
        if (Refining != 0) {
            ChooseControlVariableByRatio(CurrentStage);
            AdjustTarget(4);
        } else {
            AdjustTarget(event == 2 ? 2 : 3);
        }
        changed = 1;
    }

    if (CurrentStage >= kLastStageIndex) {
        Finish();
        return 0;
    }
    SectionStateHolder& slot = Stages[static_cast<std::size_t>(CurrentStage)];
    CreateSectionState(slot, Stages[static_cast<std::size_t>(CurrentStage - 1)].get());
    ++StageCount;
    slot->Valid = 0;
    slot->AvgShearStrain = kUndefined;
    AttemptCount = 0;
    StageAccepted = 0;
    PredictNextStage();
    if (event == 4 && inserted)
        RemoveStage(CurrentStage + 1);
    return 1;
}

void T1DAnalysis::PredictNextStage()
{
    SectionState* s = Stages[static_cast<std::size_t>(CurrentStage)].get();
    if (s == nullptr)
        return;
    const double t = ControlTarget;
    const auto cv = static_cast<std::size_t>(std::clamp(ControlVariable, 0, 2));
    const SectionState* next =
        IsValidStage(CurrentStage + 1) ? StageSlot(CurrentStage + 1) : nullptr;
    if (next != nullptr) {
        const SectionState* previous = StageSlot(CurrentStage - 1);
        const SectionState* near =
            std::fabs(Controlled(*s) - t) > std::fabs(Controlled(*next) - t) || previous == nullptr
                ? next
                : previous;
        for (std::size_t k = 0; k < 3; ++k)
            s->Results[k] = near->Results[k];
        s->Results[cv] = t;
        return;
    }
    const SectionState* p1 = StageSlot(CurrentStage - 1);
    const SectionState* p2 = StageSlot(CurrentStage - 2);
    if (CurrentStage >= 3 && UseCurvatureIteration == 0 && p1 != nullptr && p2 != nullptr) {
        // Each deformation extrapolated along the last step in proportion to the controlled
        // one, through the slopes of the load factor against each deformation.
        const double dlf =
            p1->Results[StateResult::LoadFactor] - p2->Results[StateResult::LoadFactor];
        double slope[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const double dd = p1->Results[k] - p2->Results[k];
            slope[k] = std::fabs(dd) <= 1e-8 ? kNoSlope : dlf / dd;
        }
        if (std::fabs(slope[cv]) < 0.001)
            slope[cv] = slope[cv] < 0.0 ? -0.001 : 0.001;
        const double expected = slope[cv] * (t - p1->Results[cv]);
        for (std::size_t k = 0; k < 3; ++k) {
            // A last step that left the controlled deformation where it was gives it no slope,
            // and the others nothing to follow: they stay at the last stage's.
            if (k == cv || slope[cv] == kNoSlope)
                continue;
            const double m = std::fabs(slope[k]);
            if (m > 1.0 && m < kNoSlope)
                s->Results[k] = p1->Results[k] + expected / slope[k];
        }
    }
    s->Results[cv] = t;
}

// ---- Results at a load factor -------------------------------------------------------------

namespace {

// Integrals of the node transverse strain over the half layers below and above depth 0.
void TransverseIntegrals(const SectionState& s, double& below, double& above)
{
    below = above = 0.0;
    for (int i = 0; i < s.UsableLayerCount(); ++i) {
        const LayerDefRec& layer = s.LayerDefs[static_cast<std::size_t>(i)];
        const LayerNodeStateRec* n[3] = {s.NodeState(static_cast<int>(layer.NodeTop)),
                                         s.NodeState(static_cast<int>(layer.NodeMid)),
                                         s.NodeState(static_cast<int>(layer.NodeBottom))};
        const double y[3] = {layer.Top, layer.Mid, layer.Bottom};
        for (int h = 0; h < 2; ++h) {
            if (n[h] == nullptr || n[h + 1] == nullptr)
                continue;
            const double value = (n[h]->StrainZ + n[h + 1]->StrainZ) / 2.0 * layer.Thickness / 2.0;
            ((y[h] + y[h + 1]) / 2.0 <= 0.0 ? below : above) += value;
        }
    }
}

} // namespace

int T1DAnalysis::ResultAtValue(double loadFactor, StageResults& out, int fromPeak) const
{
    out = StageResults{};
    const double x = loadFactor * (fromPeak != 0 ? 1.00000001 : 0.9999999);
    auto valuesOf = [&](const SectionState& s, double w, StageResults& r) {
        r.axialStrain += w * s.Results[StateResult::ReferenceStrain];
        r.curvature += w * s.Results[StateResult::Curvature];
        r.shearStrain += w * GetAverageShearStrain(&s, 1);
        double below = 0.0;
        double above = 0.0;
        TransverseIntegrals(s, below, above);
        r.transverseBelow += w * below;
        r.transverseAbove += w * above;
    };
    auto take = [&](const SectionState& a, double wa, const SectionState* b, double wb) {
        StageResults r{0.0, 0.0, 0.0, 0.0, 0.0};
        valuesOf(a, wa, r);
        if (b != nullptr)
            valuesOf(*b, wb, r);
        out = r;
        return 1;
    };
    if (std::fabs(x) < ZeroLoadFactor()) {
        if (!IsValidStage(0))
            return 0;
        return take(*StageSlot(0), 1.0, nullptr, 0.0);
    }
    for (int i = fromPeak != 0 ? std::max(PeakStage, 0) : 0; i < kStageSlots; ++i) {
        if (!IsValidStage(i))
            continue;
        int j = i + 1;
        while (j < kStageSlots && !IsValidStage(j))
            ++j;
        if (j >= kStageSlots)
            break;
        const double li = LoadFactorOf(i);
        const double lj = LoadFactorOf(j);
        if (x < std::min(li, lj) || x > std::max(li, lj))
            continue;
        // Two stages at the same load factor: the first one holds it.
        if (lj == li)
            return take(*StageSlot(i), 1.0, nullptr, 0.0);
        const double wj = (x - li) / (lj - li);
        const double wi = (lj - x) / (lj - li);
        return take(*StageSlot(i), wi, StageSlot(j), wj);
    }
    return 0;
}

// ---- Thinning helpers ---------------------------------------------------------------------

int T1DAnalysis::KeepOnePostPeak(int peak)
{
    int survivor = -1;
    const double limit = 0.9 * LoadFactorOf(peak);
    for (int i = peak + 1; i < kStageSlots; ++i)
        if (IsStored(i) && IsBeyondStage(i, peak) && LoadFactorOf(i) > limit)
            survivor = i;
    for (int i = peak + 1; i < kStageSlots; ++i) {
        if (i == survivor || !IsStored(i))
            continue;
        if (StageSlot(i) == WorkingState)
            WorkingState = nullptr;
        FreeSectionState(Stages[static_cast<std::size_t>(i)]);
        --StageCount;
    }
    if (survivor < 0)
        return 0;
    if (survivor != peak + 1)
        MoveSectionState(Stages[static_cast<std::size_t>(survivor)],
                         Stages[static_cast<std::size_t>(peak + 1)]);
    return 1;
}

int T1DAnalysis::ThinStagesBetween(int i, int j, int k)
{
    if (i == j || j - i <= k || i < 0 || j >= kStageSlots || k < 0)
        return 0;
    const double fi = LoadFactorOf(i);
    const double fj = LoadFactorOf(j);
    std::vector<char> keep(static_cast<std::size_t>(j - i + 1), 0);
    keep.front() = keep.back() = 1;
    for (int m = k; m >= 0; --m) {
        const double target = m * (fj - fi) / (k + 1) + fi;
        for (int s = i; s < j; ++s) {
            if (keep[static_cast<std::size_t>(s - i)] != 0)
                continue;
            const double lf = LoadFactorOf(s);
            const bool near = lf >= 0.99 * target && lf <= 1.05 * target;
            const bool reached = fj >= fi ? lf >= target : lf <= target;
            if (near || reached) {
                keep[static_cast<std::size_t>(s - i)] = 1;
                break;
            }
        }
    }
    int removed = 0;
    for (int s = j; s >= i; --s) {
        if (keep[static_cast<std::size_t>(s - i)] == 0) {
            RemoveStage(s);
            ++removed;
        }
    }
    return removed;
}

int T1DAnalysis::FinishAtBarFailure()
{
    if (CountFailedBars(WorkingState) <= 0)
        return 0;
    if (CurrentStage > 1) {
        if (StageSlot(CurrentStage - 1) == WorkingState)
            WorkingState = nullptr;
        if (FreeSectionState(Stages[static_cast<std::size_t>(CurrentStage - 1)]) != 0)
            --StageCount;
    }
    return Finish();
}
