// The full load-deformation response of a section: its start from the initial state, the
// stage solve, the switch of the control variable, and the operations on the stored stages
// (unloading and reloading, "More Detail", pruning and thinning).

#include <algorithm>
#include <cmath>

#include "analysis/T1DAnalysis.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"

namespace {

constexpr const char* kControlNames[3] = {"N", "M", "Vxz"};

} // namespace

TFullSectionalResponse::TFullSectionalResponse(const TBeam* structure, int validate)
    : T1DAnalysis(structure, validate)
{
    Start();
}

int TFullSectionalResponse::Start()
{
    T1DAnalysis::Start();
    if (GetBeam() == nullptr || IsSetupRefused()) {
        ReportNoSection();
        Finish();
        return 0;
    }
    ControlVariable = ChooseControlVariable(0);
    CreateSectionState(Stages[0], nullptr);
    ++StageCount;
    if (Stages[0] && SolveAtLoads(*Stages[0], 0.0) != 0) {
        Stages[0]->Results[StateResult::LoadFactor] = 0.0;
        UpdateEnvelopes(*Stages[0], nullptr);
        Stages[0]->Valid = 1;
        ChooseInitialStep(Stages[0].get());
        Running = 1;
        StageAccepted = 1;
        WorkingState = Stages[0].get();
        CurrentStage = 1;
        return 1;
    }
    AddError(kInitialCaseFailedText, g_MainWindowTitle, MsgStyle::IconExclamation);
    RemoveStage(0);
    Finish();
    return 0;
}

int TFullSectionalResponse::SolveStage(SectionState& state)
{
    state.Summary[0] = m_location;
    return Solve_Beam(state, 0, ControlVariable);
}

void TFullSectionalResponse::SetMemberLocation(double x)
{
    m_location = x;
    for (SectionStateHolder& stage : Stages)
        if (stage)
            stage->Summary[0] = x;
    if (WorkingState != nullptr)
        WorkingState->Summary[0] = x;
}

int TFullSectionalResponse::SwitchControlVariable()
{
    const double threshold = ControlVariable == kAxial ? 0.05 : 0.2;
    if (StepFactor >= threshold)
        return 0;
    const int v = ChooseControlVariable(1);
    if (v == ControlVariable)
        return 0;
    const int n = CurrentStage;
    const SectionState* p1 = StageSlot(n - 1);
    if (p1 == nullptr || !IsStored(n))
        return 0;
    if (GetDebugLevel() > 0)
        ShowMessage(StrPrintf("Switching from %s to %s control variable  %5.1f %5.4f",
                              kControlNames[std::clamp(ControlVariable, 0, 2)],
                              kControlNames[std::clamp(v, 0, 2)],
                              p1->Results[StateResult::Shear] / 1000.0,
                              StepFactor),
                    kProgramCaption,
                    MsgStyle::Ok);
    Relaxation = 0.5;
    Switched = 1;
    UseCurvatureIteration = 1;
    ControlVariable = v;
    StepFactor = 1.0;
    ChooseInitialStep(p1);
    if (std::fabs(ControlTarget) > 1e-6 &&
        std::fabs(ControlTarget) / 10.0 > std::fabs(ControlStep) && CurrentStage > 4 &&
        Reloaded == 0)
        ControlStep = SignOf(ControlStep) * std::fabs(ControlTarget) / 10.0;

    const double d = Controlled(*p1);
    double sign = 0.0;
    const double dV = IncrementLoads[kShear];
    if (v == kShear && dV != 0.0) {
        // The shear strain moves with its shear, before the peak and past it. Where the
        // start is flexural the shear strain may drift against a small shear, and a step by
        // that trend follows it away from the force that makes it, the load falling as the
        // shear strain grows.
        sign = -SignOf(dV);
    } else if (n < 3) {
        sign = SignOf(-d);
    } else {
        const int j = n - 2 <= 2 ? n - 2 : n / 3;
        sign = SignOf(ControlledOf(j) - d);
        if (sign == 0.0) {
            sign = 1.0;
            ReportOnce("No change of the new control variable over the response",
                       kProgramCaption,
                       MsgStyle::Ok);
        }
    }
    ControlStep = std::fabs(ControlStep) * sign;
    AdjustTarget(0);
    SectionState& s = *Stages[static_cast<std::size_t>(n)];
    for (std::size_t k = 0; k < 3; ++k)
        s.Results[k] = p1->Results[k];
    s.Results[static_cast<std::size_t>(ControlVariable)] = ControlTarget;
    RecomputeLoadFactors(0);
    return 1;
}

// ---- Restarts -----------------------------------------------------------------------------

int TFullSectionalResponse::UnloadReload(int stage, int unload)
{
    const int s = stage == -1 ? SelectedStage : stage;
    const TBeam* beam = GetBeam();
    if (beam == nullptr || s < 0 || s >= kLastStageIndex || !IsValidStage(s))
        return -1;
    for (int i = s + 1; i < kStageSlots; ++i) {
        if (StageSlot(i) == WorkingState)
            WorkingState = nullptr;
        FreeSectionState(Stages[static_cast<std::size_t>(i)]);
    }
    beam->GetIncrementLoads(IncrementLoads.data(), kLoadCount);
    beam->GetConstantLoads(ConstantLoads.data(), kLoadCount);
    if (unload != 0)
        for (int k = 0; k < 3; ++k)
            IncrementLoads[static_cast<std::size_t>(k)] =
                -IncrementLoads[static_cast<std::size_t>(k)];
    T1DAnalysis::Start();
    // The stages kept stay counted.
    StageCount = s + 1;
    ControlVariable = ChooseControlVariable(0);
    SectionState& from = *Stages[static_cast<std::size_t>(s)];
    RecomputeLoadFactors(0);
    UpdateEnvelopes(from, nullptr);
    ChooseInitialStep(&from);
    RefreshShearStrainDistribution(from);
    MarkFailedBars(&from);
    Running = 1;
    StageAccepted = 1;
    WorkingState = &from;
    PeakStage = s;
    CurrentStage = s + 1;
    Reloaded = 1;
    return s + 1;
}

int TFullSectionalResponse::MoreDetail(int first, int last)
{
    int f = first == -1 ? 0 : first;
    int s = last == -1 ? PeakStage : last;
    int l = -1;
    for (int i = 0; i < kStageSlots; ++i) {
        SectionState* state = Stages[static_cast<std::size_t>(i)].get();
        if (state == nullptr)
            continue;
        if (state->Valid == 0) {
            if (state == WorkingState)
                WorkingState = nullptr;
            FreeSectionState(Stages[static_cast<std::size_t>(i)]);
            --StageCount;
            continue;
        }
        state->Refinable = 0;
        l = i;
    }
    if (l < 0 || f < 0 || s > l || f >= s)
        return 0;
    // Room in the table: a nearly full table has none, and moving into it would overwrite
    // stages.
    int m = s - f;
    if (s - f >= kLastStageIndex - 1 - l)
        m = kLastStageIndex - 3 - l;
    if (m <= 0)
        return 0;
    for (int j = l; j > s; --j)
        if (Stages[static_cast<std::size_t>(j)])
            MoveSectionState(Stages[static_cast<std::size_t>(j)],
                             Stages[static_cast<std::size_t>(j + m)]);
    for (int j = s; j > s - m; --j)
        if (Stages[static_cast<std::size_t>(j)] && 2 * j - s + m != j)
            MoveSectionState(Stages[static_cast<std::size_t>(j)],
                             Stages[static_cast<std::size_t>(2 * j - s + m)]);
    CurrentStage = 0;
    PeakStage = s + m;
    Running = 1;
    StageAccepted = 1;
    FailureCount = 0;
    MaxLoadFactor = 0.0;
    ControlStep = 0.0;
    Refining = 1;
    WorkingState = Stages[0].get();
    return 1;
}

// ---- Pruning and thinning -----------------------------------------------------------------

int TFullSectionalResponse::PrunePostPeakStages(int mode)
{
    RecomputeLoadFactors(1);
    const int p = PeakStage;
    int sy = -1;
    for (int i = p - 1; i >= 0; --i) {
        if (HasYieldingBar(i) != HasYieldingBar(p)) {
            sy = i + 1;
            break;
        }
    }
    int sc = 1;
    for (int i = p - 1; i >= 1; --i) {
        if (IsCracked(StageSlot(i)) != IsCracked(StageSlot(p))) {
            sc = i;
            break;
        }
    }
    if (mode == 3) {
        KeepOnePostPeak(p);
    } else {
        for (int i = p + 1; i < kStageSlots; ++i) {
            if (!IsStored(i))
                continue;
            if (StageSlot(i) == WorkingState)
                WorkingState = nullptr;
            FreeSectionState(Stages[static_cast<std::size_t>(i)]);
            --StageCount;
        }
        if (mode != 2) {
            if (p == 0)
                return 1;
            const double L0 = LoadFactorOf(0);
            const double Lc = std::max(LoadFactorOf(sc), L0);
            const double Ly = std::max(Lc, sy >= 0 ? LoadFactorOf(sy) : Lc);
            const double Lp = std::max(Ly, LoadFactorOf(p));
            const double range = Lp - L0;
            auto share = [&](double a, double b) {
                return range > 0.0 ? static_cast<int>(9.0 * (b - a) / range + 0.5) : 0;
            };
            int removed = ThinStagesBetween(0, sc, share(L0, Lc));
            int last = sc - removed;
            if (sy >= 0 && sy > sc) {
                const int r2 = ThinStagesBetween(last, sy - removed, share(Lc, Ly));
                last = sy - removed - r2;
                removed += r2;
            }
            ThinStagesBetween(last, p - removed, share(Ly, Lp));
        }
    }
    RecomputeLoadFactors(1);
    return 1;
}

int TFullSectionalResponse::ThinStages(double spacing)
{
    const double range = LoadFactorOf(PeakStage) - LoadFactorOf(0);
    const int former = StageCount;
    if (spacing > range) {
        int k = static_cast<int>(spacing / (range + 0.1) + 0.5);
        k = std::max(k, 1);
        int counter = k / 2 + 3;
        for (int i = 1; i <= former - 2 && i < kStageSlots; ++i, ++counter) {
            // The peak stays: a thinned response still shows its capacity.
            if (counter % k == 0 || i == PeakStage || !IsStored(i))
                continue;
            if (StageSlot(i) == WorkingState)
                WorkingState = nullptr;
            FreeSectionState(Stages[static_cast<std::size_t>(i)]);
            --StageCount;
        }
    }
    for (int i = std::min(former, kStageSlots) - 1; i >= 0; --i) {
        if (!IsStored(i)) {
            // RemoveStage counts only a stage it frees; an empty slot just closes up.
            RemoveStage(i);
        }
    }
    RecomputeLoadFactors(1);
    return 1;
}
