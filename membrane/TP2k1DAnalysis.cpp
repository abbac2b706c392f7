#include "membrane/TP2k1DAnalysis.h"

#include <algorithm>
#include <cmath>

#include "membrane/MembraneState.h"
#include "model/TShell.h"

namespace {

// Starting step of the held strain, and the first step after the constant loads.
constexpr double kInitialStrain = 1e-7;
constexpr double kFirstStep = 1e-5;
// Stage 0 is solved under pure load control when the constant loads reach this sum.
constexpr double kLoadControlThreshold = 1000.0;
// Growth of the held strain per stage.
constexpr double kStepFactor = 1.1;
// First and largest factor of a step over a range of the held strain without equilibrium.
constexpr double kFirstJump = 1.25;
constexpr double kLastJump = 20.0;

double& HeldStrain(LayerNodeStateRec& node, int controlIndex)
{
    switch (controlIndex) {
    case TPellicor2000Analysis::kHoldEx:
        return node.StrainX;
    case TPellicor2000Analysis::kHoldEy:
        return node.StrainZ;
    default:
        return node.ShearStrain;
    }
}

} // namespace

TP2k1DAnalysis::TP2k1DAnalysis(const TShell* element) : TPellicor2000Analysis(element)
{
}

TP2k1DAnalysis::~TP2k1DAnalysis()
{
    for (SectionStateHolder& stage : m_stages)
        FreeSectionState(stage);
}

// ---- Stage list -------------------------------------------------------------------------------

SectionState* TP2k1DAnalysis::Slot(int i)
{
    if (i < 0 || i >= kStageSlots)
        return nullptr;
    return m_stages[static_cast<std::size_t>(i)].get();
}

const SectionState* TP2k1DAnalysis::Slot(int i) const
{
    return const_cast<TP2k1DAnalysis*>(this)->Slot(i);
}

void TP2k1DAnalysis::ClearStages()
{
    for (SectionStateHolder& stage : m_stages)
        FreeSectionState(stage);
    m_current = nullptr;
    m_peakIndex = 0;
    m_stageCount = 0;
    m_failureCount = 0;
    m_nextStage = 0;
    m_solveCount = 0;
}

int TP2k1DAnalysis::FailInitialStages()
{
    FreeSectionState(Holder(0));
    Finish();
    AddError(kInitialStageError, g_MainWindowTitle, 0);
    return 0;
}

bool TP2k1DAnalysis::CopyStage(int source, int destination)
{
    if (Slot(source) == nullptr || destination < 0 || destination >= kStageSlots)
        return false;
    CopySectionState(Holder(source), Holder(destination));
    SectionState* stage = Slot(destination);
    if (stage == nullptr)
        return false;
    stage->Valid = 0;
    stage->AvgShearStrain = kUndefined;
    return true;
}

int TP2k1DAnalysis::Solve(SectionState& stage, int mode)
{
    ++m_solveCount;
    return SolveMembraneState(stage, mode);
}

const SectionState* TP2k1DAnalysis::GetStage(int index) const
{
    const SectionState* stage = Slot(index);
    return stage != nullptr && stage->Valid != 0 ? stage : nullptr;
}

const SectionState* TP2k1DAnalysis::GetCurrentState() const
{
    if (m_current != nullptr && m_current->Valid != 0)
        return m_current;
    return GetStage(0);
}

const SectionState* TP2k1DAnalysis::GetLatestState() const
{
    return GetStage(m_nextStage);
}

const SectionState* TP2k1DAnalysis::GetPeakState() const
{
    return GetStage(m_peakIndex);
}

int TP2k1DAnalysis::GetNextStageIndex(int index) const
{
    return std::min(index + 1, m_nextStage);
}

int TP2k1DAnalysis::GetPreviousStageIndex(int index) const
{
    return m_nextStage < 1 ? 0 : index - 1;
}

int TP2k1DAnalysis::GetLastStageIndex() const
{
    if (m_stageCount <= 0)
        return 0;
    return GetStage(m_stageCount - 1) != nullptr ? m_stageCount : m_stageCount - 1;
}

int TP2k1DAnalysis::SelectLoadStage(int index)
{
    const SectionState* stage = GetStage(index);
    if (stage == nullptr)
        return 0;
    const bool changed = stage != m_current;
    m_current = stage;
    return changed ? 1 : 0;
}

double TP2k1DAnalysis::Probe_analysis(int probeId, double depth) const
{
    if (probeId != 11)
        return TPellicor2000Analysis::Probe_analysis(probeId, depth);
    for (int i = 0; i < m_stageCount; ++i) {
        if (m_current != nullptr && Slot(i) == m_current)
            return static_cast<double>(i);
    }
    return 0.0;
}

int TP2k1DAnalysis::GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const
{
    const SectionState* state = GetCurrentState();
    const LayerNodeStateRec* node = state != nullptr ? ElementNode(*state) : nullptr;
    if (node != nullptr) {
        e1 = node->StrainX;
        y1 = node->StrainZ;
        e2 = node->ShearStrain;
        y2 = 0.0;
    } else {
        // The default strain points of a membrane element are all 0.
        e1 = y1 = e2 = y2 = 0.0;
    }
    return 1;
}

int TP2k1DAnalysis::Finish()
{
    TSectionalAnalysis::Finish();
    FindPeakStage();
    Running = 0;
    return 1;
}

bool TP2k1DAnalysis::HasIncrement() const
{
    return IncrementLoads[0] != 0.0 || IncrementLoads[1] != 0.0 || IncrementLoads[2] != 0.0;
}

double TP2k1DAnalysis::HeldIncrement(int controlIndex) const
{
    if (controlIndex == kHoldEx)
        return IncrementLoads[0];
    if (controlIndex == kHoldEy)
        return IncrementLoads[1];
    return IncrementLoads[2];
}

bool TP2k1DAnalysis::IsStageCracked(int index) const
{
    const SectionState* stage = Slot(index);
    const LayerNodeStateRec* node = stage != nullptr ? ElementNode(*stage) : nullptr;
    const TStructure* element = GetStructure();
    if (node == nullptr || element == nullptr)
        return false;
    // The type index comes from the stored node: only 0 .. count - 1 names a type.
    if (node->ConcreteType < 0 || node->ConcreteType >= element->GetConcreteTypeCount())
        return false;
    const ConcreteTypeRec* type = element->GetConcreteType(node->ConcreteType);
    return type != nullptr &&
           node->Strain1 - (node->FreeStrainX + node->FreeStrainZ) / 2.0 > type->ecr;
}

// ---- Bookkeeping after a run ------------------------------------------------------------------

void TP2k1DAnalysis::FindPeakStage()
{
    MaxLoadFactor = 0.0;
    m_peakIndex = 0;
    m_stageCount = 0;
    bool any = false;
    for (int i = 0; i < kStageSlots; ++i) {
        const SectionState* stage = Slot(i);
        if (stage == nullptr)
            continue;
        any = true;
        m_nextStage = i;
        m_stageCount = i;
        const double lf = stage->Results[MembraneResult::LoadFactor];
        if (stage->Valid != 0 && lf > MaxLoadFactor) {
            MaxLoadFactor = lf;
            m_peakIndex = i;
        }
    }
    if (any)
        m_stageCount += 1;
    m_current = GetStage(m_peakIndex);
}

void TP2k1DAnalysis::RecordPeakResults()
{
    const ConcreteTypeRec* type = ElementConcrete();
    const SectionState* peak = GetStage(m_peakIndex);
    if (type == nullptr || peak == nullptr)
        return;
    const SectionState* chosen = peak;
    const LayerNodeStateRec& A = *ElementNode(*peak);
    if (A.Strain1 - A.FreeStrain1 <= type->ecr) {
        // An uncracked peak: report the cracked stage that carried the most concrete shear.
        double largest = 0.0;
        for (int i = 0; i < kStageSlots; ++i) {
            const SectionState* stage = GetStage(i);
            if (stage == nullptr)
                continue;
            const LayerNodeStateRec& node = *ElementNode(*stage);
            if (node.Strain1 - node.FreeStrain1 > 0.001 && node.ConcShearStress > largest) {
                largest = node.ConcShearStress;
                chosen = stage;
            }
        }
    }
    const LayerNodeStateRec& node = *ElementNode(*chosen);
    m_resultE1 = node.Strain1;
    m_resultTheta = node.CrackAngle;
    m_resultSteelDifference =
        (node.StirrupStress * GetSteelRatio(1) - node.SteelStressX * GetSteelRatio(0)) * 0.5;
}

// ---- Stepping -----------------------------------------------------------------------------------

int TP2k1DAnalysis::SolveInitialStages()
{
    for (std::vector<int>& flags : FailedBarFlags)
        std::fill(flags.begin(), flags.end(), 0);

    FreeSectionState(Holder(0));
    if (CreateSectionState(Holder(0), nullptr) == 0 || ElementNode(*Slot(0)) == nullptr)
        return FailInitialStages();
    SectionState& stage0 = *Slot(0);
    stage0.AvgShearStrain = kUndefined;
    m_nextStage = 1;
    SetControlIndex(ChooseControlVariable(0));
    // The first steps strain the element the way its held component is loaded: in compression
    // under a compressive increment, in negative shear under a negative one.
    const double s = HeldIncrement(GetControlIndex()) < 0.0 ? -1.0 : 1.0;

    const double e0 = FreeStrain();
    LayerNodeStateRec& node = *ElementNode(stage0);
    node.StrainX = e0;
    node.StrainZ = e0;
    node.ShearStrain = 0.0;
    HeldStrain(node, GetControlIndex()) += s * kInitialStrain;
    for (std::size_t i = 0; i < 3; ++i)
        stage0.Results[static_cast<std::size_t>(MembraneResult::AppliedX) + i] = ConstantLoads[i];

    const double constantSum =
        std::fabs(ConstantLoads[0]) + std::fabs(ConstantLoads[1]) + std::fabs(ConstantLoads[2]);
    // Without an increment no load factor follows from a held strain: the element is solved
    // under its constant loads alone.
    const int mode =
        constantSum < kLoadControlThreshold && HasIncrement() ? kModeStrainControl : kModeLoadControl;
    if (Solve(stage0, mode) == 0)
        return FailInitialStages();
    // With no load to increase there is no first step to take.
    if (!HasIncrement())
        return 1;

    CopyStage(0, 1);
    m_nextStage = 2;
    SetControlIndex(ChooseControlVariable(0));
    SectionState& stage1 = *Slot(1);
    const int k = GetControlIndex();
    HeldStrain(*ElementNode(stage1), k) += HeldIncrement(k) < 0.0 ? -kFirstStep : kFirstStep;
    Solve(stage1, kModeStrainControl);
    return 1;
}

int TP2k1DAnalysis::InsertPreCrackingStage(int n)
{
    if (n <= 2 || n + 1 >= kStageSlots || !IsStageCracked(n - 1) || IsStageCracked(n - 2))
        return n;
    // Slot n holds the new attempt; the first cracked stage moves up behind a stage scaled
    // from the last uncracked one to just below cracking.
    MoveSectionState(Holder(n), Holder(n + 1));
    MoveSectionState(Holder(n - 1), Holder(n));
    CopyStage(n - 2, n - 1);
    const LayerNodeStateRec& before = *ElementNode(*Slot(n - 2));
    double g = 1.005;
    if (before.ConcStress1 > 0.0)
        g = std::max(1.005, 0.995 * (before.TensionLimit / before.ConcStress1));
    LayerNodeStateRec& node = *ElementNode(*Slot(n - 1));
    node.StrainX = g * before.StrainX;
    node.StrainZ = g * before.StrainZ;
    node.ShearStrain = g * before.ShearStrain;
    if (Solve(*Slot(n - 1), kModeStrainControl) != 0)
        return n + 1;
    // Not solved: the list goes back to what it was, without the inserted stage.
    FreeSectionState(Holder(n - 1));
    MoveSectionState(Holder(n), Holder(n - 1));
    MoveSectionState(Holder(n + 1), Holder(n));
    return n;
}

double TP2k1DAnalysis::ReversalReach()
{
    const int k = GetControlIndex();
    if (k < kHoldEx || k > kHoldGxy ||
        !(ConstantLoads[static_cast<std::size_t>(k)] * HeldIncrement(k) < 0.0))
        return 0.0;
    // A constant load on the held component against its increment leaves the held strain on
    // the constant's side of zero, where growing by f would strain it away from the increment.
    // It is stepped back through zero in steps of a tenth of the constant's own strain (at least
    // the first step) until it lies as far on the increment's side.
    const double constantStrain = std::fabs(HeldStrain(*ElementNode(*Slot(0)), k));
    return std::max(constantStrain, kFirstStep / (kStepFactor - 1.0));
}

bool TP2k1DAnalysis::StopAfterSuccess(const SectionState& stage, double e0, double& f) const
{
    const LayerNodeStateRec& S = *ElementNode(stage);
    const ConcreteTypeRec& type = *ElementConcrete();
    const double ecp = type.ec;
    const double d2 = S.Strain2 - e0;
    if (d2 < 3.0 * ecp)
        return true;
    if (S.ConcStress2 == 0.0 && d2 < ecp)
        return true;
    if (S.StrainZ > kExcessiveStrain || S.StrainX > kExcessiveStrain)
        return true;
    const TStructure& element = *GetStructure();
    if (element.GetLongLayerCount(1) == 0 && S.StrainZ > kUnreinforcedStrain)
        return true;
    if (element.GetLongLayerCount(0) == 0 && S.StrainX > kUnreinforcedStrain)
        return true;
    // Near crushing the steps become small.
    if (d2 < 0.75 * ecp)
        f = 1.05;
    if (d2 < ecp)
        f = 1.005;
    return false;
}

bool TP2k1DAnalysis::StepOverGap(double& jump) const
{
    // Tension both ways: when the concrete cracks in the second direction its stress falls
    // below what the direction cracked first carries at any larger strain, so a range of the
    // held normal strain has no state in equilibrium. Steps of 1.25, 1.5, 2, 3, 5, 9 and 17
    // times the strain are tried in turn before the run ends.
    const int k = GetControlIndex();
    if ((k != kHoldEx && k != kHoldEy) || !(IncrementLoads[0] > 0.0) || !(IncrementLoads[1] > 0.0))
        return false;
    jump = jump < kFirstJump ? kFirstJump : 1.0 + (jump - 1.0) * 2.0;
    return jump <= kLastJump;
}

int TP2k1DAnalysis::SolveFullResponse()
{
    ClearStages();
    if (GetStructure() == nullptr)
        return FailInitialStages();
    // An element without an outline or without concrete at some depth is not solved: no
    // stage, and why.
    const std::string missing = GetStructure()->DescribeMissingConcrete();
    if (!missing.empty()) {
        Finish();
        AddError(missing, g_MainWindowTitle, MsgStyle::IconExclamation);
        return 0;
    }
    if (ElementConcrete() == nullptr)
        return FailInitialStages();
    SetControlIndex(kHoldGxy);
    Running = 1;
    double f = kStepFactor;
    double saved = -1.0;
    if (SolveInitialStages() == 0)
        return 0;
    // Increment loads all zero: the response is the element under its constant loads, the
    // initial stage alone (as a beam section without increments shows it), not a response
    // strained on to failure under a load nobody gave.
    if (!HasIncrement()) {
        m_current = Slot(0);
        Finish();
        RecordPeakResults();
        return 1;
    }

    m_current = Slot(1);
    const double e0 = FreeStrain();
    const double ecr = ElementConcrete()->ecr;
    const double reach = ReversalReach();
    int n = m_nextStage;
    bool stop = false;
    // Factor of the step over a range of the held strain without equilibrium (1: none yet).
    double jump = 1.0;
    bool jumped = false;
    while (!stop) {
        // a. The attempt starts as a copy of the last stage; a failed attempt is replaced.
        m_nextStage = n;
        if (!CopyStage(n - 1, n))
            break;
        // b. A stage just below first cracking.
        n = InsertPreCrackingStage(n);
        m_nextStage = n;
        SectionState& stage = *Slot(n);
        const int k = GetControlIndex();

        // c. Under shear control, approach cracking in a step that ends just below it.
        if (k == kHoldGxy) {
            const LayerNodeStateRec& A = *ElementNode(*Slot(n - 1));
            const LayerNodeStateRec& B = *ElementNode(*Slot(n - 2));
            const double e1 = A.Strain1 - e0;
            const double dg = A.ShearStrain - B.ShearStrain;
            if (dg != 0.0) {
                const double slope = (A.Strain1 - B.Strain1) / dg;
                if (e1 < 0.97 * ecr && (f - 1.0) * A.ShearStrain * slope + e1 > ecr &&
                    slope > 0.0) {
                    saved = f;
                    f = (0.98 * ecr - e1) / (A.ShearStrain * slope) + 1.0;
                }
            }
        }

        // d. The held strain grows by f; short of the reach on the increment's side it moves
        // towards that side by the same share of the reach instead.
        double& held = HeldStrain(*ElementNode(stage), k);
        const double side = HeldIncrement(k) < 0.0 ? -1.0 : 1.0;
        if (reach > 0.0 && side * held < reach)
            held += side * (f - 1.0) * reach;
        else
            held *= f;
        if (saved > 0.0) {
            f = saved;
            saved = -1.0;
        }

        // e. - g.
        if (Solve(stage, kModeStrainControl) == 0) {
            ++m_failureCount;
            f = (f - 1.0) * 0.8 + 1.0;
            if (m_failureCount > kMaxFailures && StepOverGap(jump)) {
                // The other direction's concrete cracking leaves no state in equilibrium
                // near the held strain: the next attempt takes it well past that.
                m_failureCount = 0;
                f = jump;
                jumped = true;
            } else if (m_failureCount > kMaxFailures) {
                FreeSectionState(Holder(n));
                m_current = Slot(n - 1);
                stop = true;
            }
            // i. A failure with the element already strained excessively ends the run.
            const LayerNodeStateRec* node =
                m_current != nullptr ? ElementNode(*m_current) : nullptr;
            if (node != nullptr && node->StrainX > kExcessiveStrain)
                stop = true;
        } else {
            m_current = &stage;
            m_failureCount = 0;
            if (jumped) {
                f = kStepFactor;
                jump = 1.0;
                jumped = false;
            }
            ++n;
            const double g = ElementNode(stage)->ShearStrain;
            if (k == kHoldGxy && (f - 1.0) * g > kMaxShearStep)
                f = kMaxShearStep / g + 1.0;
            // j.
            if (StopAfterSuccess(stage, e0, f))
                stop = true;
        }
        // h.
        if (n >= kStageLimit)
            stop = true;
    }
    Finish();
    RecordPeakResults();
    return 1;
}

TP2kFullResponse::TP2kFullResponse(const TShell* element) : TP2k1DAnalysis(element)
{
    if (GetStructure() == nullptr)
        return;
    // Validating the element's copy gives an element without increment loads a unit shear
    // increment, a load it was not given: its response follows the increments it has.
    double given[3] = {};
    element->GetIncrementLoads(given, 3);
    if (given[0] == 0.0 && given[1] == 0.0 && given[2] == 0.0)
        std::fill(IncrementLoads.begin(), IncrementLoads.begin() + 3, 0.0);
    SolveFullResponse();
}
