// The moment-shear and axial-shear interaction diagrams: two base responses without shear
// (along the moment or axial axis, one in each sense), then one shear line from every stage of
// them, the lines stepped together.

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/StepTogether.h"
#include "analysis/TInteractionDiagrams.h"
#include "model/TBeam.h"

namespace {

// Control steps of the shear lines (shear deformation per stage).
constexpr double kStirrupLineStep = -0.0004;
constexpr double kPlainLineStep = -0.0001;
constexpr double kPrestressedLineStep = -2e-5;
// Stirrups of at least this many sqrt(f'c) (MPa) of A fy / (b s) take the long step.
constexpr double kStirrupStrengthShare = 0.06;
// Axial stress ratios beyond which the line step is halved or doubled.
constexpr double kCompressionRatio = -0.15;
constexpr double kTensionRatio = 0.2;

} // namespace

// ---- The diagram --------------------------------------------------------------------------

TMNV_baseInter::TMNV_baseInter(const TBeam* structure, int mode)
    : T2DAnalysis(structure), Mode(mode)
{
    ShearFlag = 1;
    const TBeam* beam = GetBeam();
    const bool stirrups = beam != nullptr && beam->GetTransLayerCount(2) != 0;
    CurveKinds = {0, 1, stirrups ? 4 : 2, 0};
    if (beam == nullptr || IsSetupRefused()) {
        ReportNoSection();
        Running = 0;
        return;
    }
    StartBaseCurve(0);
    ShownState = SubAnalyses[0] ? SubAnalyses[0]->GetCurrentState() : nullptr;
}

void TMNV_baseInter::StartBaseCurve(int which)
{
    const double sense = which == 0 ? 1.0 : -1.0;
    double constant[3] = {ConstantLoads[kAxial], 0.0, 0.0};
    double increment[3] = {0.0, sense, 0.0};
    if (Mode == 0) {
        constant[kAxial] = 0.0;
        constant[kMoment] = ConstantLoads[kMoment];
        increment[kMoment] = 0.0;
        increment[kAxial] = -sense;
    }
    SetPathLoads(constant, increment);
    SubAnalyses[static_cast<std::size_t>(which)] = NewResponse();
    CurrentPoint = which;
    SubCount = which + 1;
    Running = 1;
}

void TMNV_baseInter::StepBaseCurve()
{
    T1DAnalysis* base = SubAnalyses[static_cast<std::size_t>(CurrentPoint)].get();
    if (base == nullptr)
        return;
    if (base->IsRunning() != 0) {
        base->Step();
        if (base->IsRunning() != 0)
            return;
    }
    base->PrunePostPeakStages(0);
    ShownState = base->GetPeakState();
    if (CurrentPoint == 0) {
        StartBaseCurve(1);
        return;
    }
    T1DAnalysis& first = *SubAnalyses[0];
    auto range = [](const T1DAnalysis& a) {
        return a.LoadFactorOf(a.GetPeakStage()) - a.LoadFactorOf(0);
    };
    const double firstRange = range(first);
    first.ThinStages(range(*base));
    base->ThinStages(Mode == 0 ? firstRange / 2.0 : firstRange);
    ShownState = base->GetPeakState();
    CreateLines();
}

void TMNV_baseInter::CreateLines()
{
    std::unique_ptr<T1DAnalysis> first = std::move(SubAnalyses[0]);
    std::unique_ptr<T1DAnalysis> second = std::move(SubAnalyses[1]);
    const auto* a = dynamic_cast<const TInterBaseResponse*>(first.get());
    const auto* b = dynamic_cast<const TInterBaseResponse*>(second.get());
    // The lines in order along the diagram: the first base curve from its last stage down,
    // then the second from stage 1 up. At most kMaxSubAnalyses lines are made, and the count
    // is that of the lines made.
    std::vector<const SectionStateHolder*> from;
    if (a != nullptr)
        for (int j = a->GetLastStageIndex() - 1; j >= 0; --j)
            from.push_back(&a->Holder(j));
    if (b != nullptr)
        for (int j = 1; j < b->GetLastStageIndex(); ++j)
            from.push_back(&b->Holder(j));
    int made = 0;
    for (const SectionStateHolder* holder : from) {
        if (made >= kMaxSubAnalyses)
            break;
        if (!*holder || (*holder)->Valid == 0)
            continue;
        std::unique_ptr<T1DAnalysis> line;
        if (Mode == 1)
            line = std::make_unique<TMVLineResponse>(GetBeam(), *holder);
        else
            line = std::make_unique<TNVLineResponse>(GetBeam(), *holder);
        SubAnalyses[static_cast<std::size_t>(made++)] = std::move(line);
    }
    SubCount = made;
    Phase = 0;
    CurrentPoint = 0;
    // The base states shown so far went with the base responses.
    ShownState = SubAnalyses[0] ? SubAnalyses[0]->GetCurrentState() : nullptr;
    // A line that could not start has finished with its stage 0.
    for (int i = 0; i < SubCount; ++i)
        if (!SubAnalyses[static_cast<std::size_t>(i)]->IsRunning())
            StorePoint(i, SubCount);
}

// The running lines step together on the worker threads (each owns its section copy and
// states); the points of the lines that finished are stored here, in line order.
void TMNV_baseInter::StepLine()
{
    if (SubCount <= 0)
        return;
    const std::vector<int> stepped = StepTogether(SubPointers(), [&](int i) {
        T1DAnalysis& line = *SubAnalyses[static_cast<std::size_t>(i)];
        if (line.IsRunning() != 0)
            line.PrunePostPeakStages(1);
    });
    for (int i : stepped) {
        T1DAnalysis& line = *SubAnalyses[static_cast<std::size_t>(i)];
        if (line.GetPeakState() != nullptr)
            ShownState = line.GetPeakState();
        if (line.IsRunning() == 0) {
            StorePoint(i, SubCount);
            line.PrunePostPeakStages(0);
        }
        CurrentPoint = i;
    }
}

int TMNV_baseInter::Step()
{
    if (Running == 0)
        return 1;
    if (Phase == 1)
        StepBaseCurve();
    else
        StepLine();
    UpdateRunning();
    if (Running == 0)
        Finish();
    return 1;
}

int TMNV_baseInter::GetDiagramState(int index, const SectionState*& state, int& flag) const
{
    state = nullptr;
    flag = 1;
    if (index < 0 || SubCount <= 0)
        return 0;
    // The stages of the first sub-analysis, then the peak states of the lines, then the
    // stages of the last line.
    const T1DAnalysis* first = GetSubAnalysis(0);
    const int n0 = first != nullptr ? first->GetLastStageIndex() : 0;
    auto stageOf = [&](const T1DAnalysis* sub, int j) {
        state = sub->GetStage(j);
        flag = sub->IsRunning() != 0 && j >= sub->GetCurrentStage() ? 0 : 1;
        return state != nullptr ? 1 : 0;
    };
    if (index < n0)
        return stageOf(first, index);
    index -= n0;
    if (Phase == 0) {
        if (index < SubCount) {
            const T1DAnalysis* line = GetSubAnalysis(index);
            state = line != nullptr ? line->GetPeakState() : nullptr;
            flag = line != nullptr && line->IsRunning() != 0 ? 0 : 1;
            return state != nullptr ? 1 : 0;
        }
        index -= SubCount;
    }
    const T1DAnalysis* last = GetSubAnalysis(SubCount - 1);
    if (last == nullptr || last == first || index >= last->GetLastStageIndex())
        return 0;
    return stageOf(last, index);
}

// ---- Shear lines --------------------------------------------------------------------------

TInterLineResponse::TInterLineResponse(const TBeam* structure,
                                       const SectionStateHolder& from,
                                       int heldControl)
    : T1DAnalysis(structure, 0), HeldControl(heldControl)
{
    // A line measures the slope of its first loop afresh.
    ConvergenceSlope = kUndefined;
    CopySectionState(from, Stages[0]);
    MarkFailedBars(Stages[0].get());
    Start();
}

int TInterLineResponse::Start()
{
    T1DAnalysis::Start();
    SectionState* s0 = Stages[0].get();
    const TBeam* beam = GetBeam();
    if (s0 == nullptr || s0->Valid == 0 || beam == nullptr || IsSetupRefused()) {
        Finish();
        return 0;
    }
    StageCount = 1;
    ControlVariable = kShear;
    IncrementLoads[kAxial] = IncrementLoads[kMoment] = 0.0;
    IncrementLoads[kShear] = 1.0;
    RecomputeLoadFactors(0);
    ChooseInitialStep(s0);
    Running = 1;
    StageAccepted = 1;
    CurrentStage = 1;
    WorkingState = s0;
    ControlTarget = s0->Results[StateResult::ShearStrain];

    const int mainType = beam->GetMainConcreteType();
    const ConcreteTypeRec* main = beam->GetConcreteType(mainType);
    const double fc = main != nullptr ? main->fc : -35e6;
    double rho = 0.0, rhoFy = 0.0;
    if (beam->GetTransLayerCount(2) != 0)
        beam->GetTransverseRatioAt(0.0, rho, rhoFy);
    if (beam->GetTransLayerCount(2) != 0 &&
        rhoFy >= kStirrupStrengthShare * std::sqrt(std::fabs(fc) / 1e6) * 1e6) {
        ControlStep = kStirrupLineStep;
    } else {
        ControlStep = kPlainLineStep;
        for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
            const LongLayerRec* bar = beam->GetLongLayer(i, 0);
            if (bar != nullptr && bar->dep > 0.0)
                ControlStep = kPrestressedLineStep;
        }
        const double area = beam->GetGrossArea();
        const double r =
            area > 0.0 && fc != 0.0 ? -(s0->Results[StateResult::AxialForce] / area) / fc : 0.0;
        if (r < kCompressionRatio)
            ControlStep /= 2.0;
        else if (r > kTensionRatio)
            ControlStep *= 2.0;
    }
    RefreshShearStrainDistribution(*s0);
    ComputeShearStressDistribution(*s0);
    return 1;
}

// The shear governs the load factor and a state that fails (crack slip, crushing, stirrup
// rupture) ends the loop at once; the slope is measured afresh on stage 1 (the line's own,
// so the lines step alike on any number of workers).
int TInterLineResponse::SolveStage(SectionState& state)
{
    return ShearConvergenceLoop(state, CurrentStage, 0, 1, HeldControl);
}

int TInterLineResponse::PrunePostPeakStages(int mark)
{
    auto drop = [&](int i) {
        SectionStateHolder& slot = Stages[static_cast<std::size_t>(i)];
        if (mark != 0) {
            slot->BelowMaximum = 1;
            return;
        }
        if (slot.get() == WorkingState)
            WorkingState = nullptr;
        FreeSectionState(slot);
        --StageCount;
    };
    if (mark == 0)
        RecomputeLoadFactors(1);
    // Flags are set afresh: a stage still being solved may since have risen above them.
    for (SectionStateHolder& slot : Stages)
        if (slot)
            slot->BelowMaximum = 0;
    for (int i = std::min(StageCount + 2, kLastStageIndex); i >= PeakStage && i > 0; --i)
        if (IsStored(i) && LoadFactorOf(i) < MaxLoadFactor)
            drop(i);
    // From stage 0 on: a stage below the largest load factor before it goes (or is flagged);
    // the stages kept close up.
    double highest = LoadFactorOf(0);
    int kept = 0;
    for (int i = 0; i < kStageSlots; ++i) {
        if (!IsStored(i))
            continue;
        if (i > 0 && LoadFactorOf(i) < highest) {
            drop(i);
            if (mark == 0)
                continue;
        } else {
            highest = std::max(highest, LoadFactorOf(i));
        }
        if (mark == 0 && kept != i)
            MoveSectionState(Stages[static_cast<std::size_t>(i)],
                             Stages[static_cast<std::size_t>(kept)]);
        ++kept;
    }
    if (mark == 0)
        RecomputeLoadFactors(1);
    return 1;
}

TNVLineResponse::TNVLineResponse(const TBeam* structure, const SectionStateHolder& from)
    : TInterLineResponse(structure, from, kAxial)
{
    ControlStep /= 2.0;
}
