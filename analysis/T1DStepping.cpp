// The stage stepping of a load-stage analysis: one attempt per idle-time step with its
// step-size control, the choice of the first step, and the end-of-response test.
//
// The controlled deformation of the current stage moves by minus ControlStep times StepFactor
// per stage; a failed attempt cuts the step (or first tries one and a half steps), a long run
// of accepted stages lets the step grow to a tenth of the deformation reached.

#include <algorithm>
#include <cmath>

#include "analysis/T1DAnalysis.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "model/TBeam.h"

namespace {

// Load factors below this, and loads (N, N m) below this, make a zero-load stage.
constexpr double kZeroLoadFactor = 0.001;
constexpr double kZeroLoad = 1.0;
// Shear errors that decide an attempt: converged, accepted after many attempts, diverged.
constexpr double kConvergedError = 0.01;
constexpr double kLateAcceptError = 0.03;
constexpr double kDivergedError = 10.0;
// A stage that ends in a failure mode is the response's last word only where its shear
// stresses hold their distribution to within this share; further off, its forces are no
// equilibrium (the moment of a web crushing far from its shear reads as a load factor many
// times the section's capacity), and the attempt fails as any other.
constexpr double kFailedStageError = 0.5;
// Consecutive failures after which a response without shear gives up, and the step floor.
constexpr int kMaxFailures = 8;
constexpr double kMinStepFactor = 0.005;
// Stored stages after which the response finishes.
constexpr int kStageLimit = 327;
// Converged increments below this share of the control step are creeping up on a range where
// nothing converges; the step that tries to pass it, in control steps.
constexpr double kCreepShare = 0.25;
constexpr double kJumpSteps = 1.5;
// Only near the largest load factor so far, where a hardening may still lift the response, is
// a range stepped over; past the peak the response may end there.
constexpr double kJumpLoadShare = 0.95;

} // namespace

int T1DAnalysis::Start()
{
    StepFactor = 1.0;
    FailureCount = 0;
    PeakStage = 0;
    ControlVariable = kMoment;
    ControlStep = 1.0;
    ControlTarget = 0.0;
    CurrentStage = 0;
    Relaxation = 1.0;
    AttemptCount = 0;
    StageAccepted = 0;
    Refining = 0;
    StageCount = 0;
    JumpedFrom = kUndefined;
    WorkingState = nullptr;
    Reloaded = 0;
    Switched = 0;
    SelectedStage = 0;
    return 1;
}

// ---- One idle-time step -------------------------------------------------------------------

int T1DAnalysis::Step()
{
    const double d = ControlTarget;
    if (std::fabs(d) > 0.0001 && std::fabs(d) / 10.0 > std::fabs(ControlStep) && CurrentStage > 4 &&
        StepFactor <= 1.0 && Reloaded == 0) {
        ControlStep = SignOf(ControlStep) * std::fabs(d) / 10.0;
        if (ControlStep == 0.0)
            ControlStep = std::fabs(d) / 10.0;
    }
    StepOnce();
    if (StageAccepted == 0 || WorkingState == nullptr)
        return 1;

    const double lf = WorkingState->Results[StateResult::LoadFactor];
    if (WorkingState->Valid != 0 && lf > 0.0 && std::fabs(lf) > MaxLoadFactor) {
        MaxLoadFactor = lf;
        PeakStage = CurrentStage - 1;
    }
    int n = CurrentStage;
    if (n > 1 && Running != 0 && IsResponseFinished(StageSlot(n - 1), StageSlot(n - 2)) &&
        !IsStored(n + 1))
        Finish();

    // Two of the last three stages at zero load: the newest goes.
    const double zeroLoad = ZeroLoadFactor();
    n = CurrentStage;
    int zero = 0;
    for (int k = 0; k < 3 && n - k >= 0; ++k) {
        if (k > 0 && n <= k)
            break;
        if (IsValidStage(n - k) && std::fabs(LoadFactorOf(n - k)) < zeroLoad)
            ++zero;
    }
    if (zero >= 2 && n > 0) {
        RemoveStage(IsValidStage(n) ? n : n - 1);
        --CurrentStage;
    }

    n = CurrentStage;
    if (Running == 0 && n > 0 && IsValidStage(n) && LoadFactorOf(n - 1) / 100.0 > LoadFactorOf(n)) {
        RemoveStage(n);
        --CurrentStage;
    }
    if (StageCount > kStageLimit && Running != 0)
        Finish();
    return 1;
}

// A stage counts as at zero load when its load factor is below 0.001 and the load it adds is
// below 1 N (N m for a moment): the thousandth of a load factor that the increments of 1 kN or
// 1 kN m make a zero load stays so for smaller increments, and for larger ones the zero load
// stays a force. Increments far past what the section carries bring its whole response below a
// load factor of 0.001; by the load factor alone every stage would go as a zero-load stage.
double T1DAnalysis::ZeroLoadFactor() const
{
    const int q = const_cast<T1DAnalysis*>(this)->ChooseControlVariable(0);
    const double increment = std::fabs(IncrementLoads[static_cast<std::size_t>(q)]);
    return increment > kZeroLoad / kZeroLoadFactor ? kZeroLoad / increment : kZeroLoadFactor;
}

// ---- One attempt --------------------------------------------------------------------------

int T1DAnalysis::StepOnce()
{
    int r = 1;
    double e = 1.0;
    int k = FailureMode::None;
    bool earlyAccept = false;
    if (StageAccepted != 0) {
        int changed = 1;
        if (AdvanceStage(changed) == 0)
            return 0;
        r = changed;
    }
    const int n = CurrentStage;
    if (n < 0 || n >= kStageSlots || !Stages[static_cast<std::size_t>(n)])
        return 0;
    SectionState& s = *Stages[static_cast<std::size_t>(n)];
    ++m_stageCounts.attempts;

    if (HasShear() != 0) {
        if (GetDebugLevel() != 0)
            TraceText().Format("m_modify_l %5.3f: gamma %5.3f",
                               StepFactor,
                               1000.0 * s.Results[StateResult::ShearStrain]);
        if (AttemptCount == 0)
            ForgetShapeUpdates();
        r = SolveStage(s);
        bool distributed = true;
        bool updated = false;
        if (r == 1 || AttemptCount < 2) {
            if (ComputeShearStressDistribution(s) == 0) {
                r = 0;
                distributed = false;
            }
            updated = distributed;
        }
        if (distributed) {
            e = updated ? ShearDistributionErrorAfterUpdate(s, k) : ShearDistributionError(s, k);
            if (e > 0.05 && r == -2) {
                ComputeShearStressDistribution(s);
                r = 1;
            }
        }
    } else {
        r = UseCurvatureIteration != 0 ? SolveStage(s)
                                       : ShearConvergenceLoop(s, r, 1, 0, ControlVariable);
    }
    // A solve that ran away is a failed attempt, whatever it reported.
    if (r != 0 && HasRunAway(s))
        r = 0;
    ++AttemptCount;
    if (EndNodesConverged() != 0)
        earlyAccept = e < 0.5;
    const double lf = s.Results[StateResult::LoadFactor];
    // An attempt taken only because the attempts ran out raises no peak. Its solve's load
    // factor is that of the load it was solved at; the stage records the load factor of its
    // dominant force (the moment of a beam), which, far from its shear distribution, may read
    // well above it: both stay at or below the largest load factor so far.
    const double recorded = RecordedLoadFactor(s);
    if (AttemptCount >= kMaxAttempts && e > kLateAcceptError &&
        (lf > MaxLoadFactor || (recorded != kUndefined && recorded > MaxLoadFactor)))
        r = 0;
    if (e > kDivergedError && AttemptCount > 3) {
        UseCurvatureIteration = 1;
        Relaxation = 0.5;
        BuildShearStrainDistribution();
    }
    if (k != FailureMode::None) {
        if (r != 0 && (StepFactor >= 0.5 || e > kFailedStageError))
            r = 0;
        if (n > 1 && LoadFactorOf(n - 1) > lf)
            AttemptCount = kMaxAttempts;
    }

    bool accept = false;
    if (k == FailureMode::WebCrushing && lf > MaxLoadFactor) {
        accept = false;
    } else if (r == 1 && AttemptCount < kMaxAttempts &&
               e >= kConvergedError * ShearToleranceFactor) {
        StageAccepted = 0;
        if (!earlyAccept)
            return 1;
        accept = true;
    } else {
        accept = r != 0;
    }

    if (accept) {
        if (StepFactor == 1.5)
            StepFactor = 1.0;
        if (FailureCount == 0 && StepFactor < 0.25)
            StepFactor *= 2.0;
        UpdatePlasticOffsets(s);
        s.AvgShearStrain = kUndefined;
        GetAverageShearStrain(&s, 1);
        if (n > 0)
            UpdateEnvelopes(s, StageSlot(n - 1));
        s.Valid = 1;
        CurrentStage = n + 1;
        WorkingState = &s;
        StageAccepted = 1;
        FailureCount = 0;
        ++m_stageCounts.accepted;
        return 1;
    }

    // Failure.
    if (IsValidStage(n + 1)) {
        // A gap between stored stages could not be filled: leave it.
        RemoveStage(n);
        if (Stages[static_cast<std::size_t>(n)])
            Stages[static_cast<std::size_t>(n)]->Refinable = 0;
        StageAccepted = 1;
        return 0;
    }
    ++FailureCount;
    ResetStageFromPrevious(n, n - 1);
    if (SwitchControlVariable() != 0)
        return 1;
    AdjustTarget(1);
    Relaxation = 0.5;
    s.Results[static_cast<std::size_t>(std::clamp(ControlVariable, 0, 2))] = ControlTarget;
    if (FailureCount >= kMaxFailures && HasShear() == 0)
        Finish();
    else if (StepFactor < kMinStepFactor)
        Finish();
    return 1;
}

// ---- Target of the controlled deformation -------------------------------------------------

// Without shear, eight failures in a row end the response. Where no state converges over a
// short range of the controlled deformation (the section's response jumps there), every
// failure cuts the next step to half of the last converged increment, so the stages close in
// on the range in ever shorter steps and the failures end the response before it: an M-N ray
// then stops at a local plateau well inside its capacity. Once the converged increments have
// shrunk to a small share of the control step near the largest load factor so far, the first
// failure after a stage probes one and a half steps beyond it instead; when that fails too the
// cuts go on as before.
bool T1DAnalysis::IsCreeping(double lastIncrement) const
{
    const int n = CurrentStage;
    return HasShear() == 0 && FailureCount == 1 && n > 1 && !IsValidStage(n + 1) &&
           std::fabs(lastIncrement) < kCreepShare * std::fabs(ControlStep) &&
           LoadFactorOf(n - 1) >= kJumpLoadShare * MaxLoadFactor &&
           !(std::fabs(ControlledOf(n - 1) - JumpedFrom) < kCreepShare * std::fabs(ControlStep));
}

void T1DAnalysis::AdjustTarget(int mode)
{
    const int n = CurrentStage;
    if (mode == 5) {
        ControlTarget = ControlledOf(n);
        return;
    }
    if (n < 1) {
        // Nothing to measure a step against: only an advance means anything.
        if (mode == 0)
            ControlTarget -= ControlStep * StepFactor;
        return;
    }
    const double p = ControlledOf(n - 1);
    double d = n > 1 ? ControlledOf(n - 1) - ControlledOf(n - 2) : -ControlStep / 6.0;
    if (IsValidStage(n + 1) && IsValidStage(n - 1))
        d = ControlledOf(n + 1) - ControlledOf(n - 1);
    switch (mode) {
    case 0:
        ControlTarget -= ControlStep * StepFactor / (n == 1 ? 6.0 : 1.0);
        break;
    case 1:
        if (IsCreeping(d)) {
            // A probe beyond the range; the step factor goes on as it was.
            JumpedFrom = p;
            ControlTarget = p - kJumpSteps * ControlStep;
        } else if (std::fabs(StepFactor * ControlStep) > std::fabs(d) + 1e-6 && StepFactor < 1.01) {
            StepFactor /= 2.0;
            ControlTarget = p + d / 2.0;
        } else if (StepFactor == 1.0) {
            ControlTarget -= ControlStep / 2.0;
            StepFactor = 1.5;
        } else {
            StepFactor /= 2.0;
            if (n == 1)
                ControlTarget /= 2.0;
            else
                ControlTarget += StepFactor * ControlStep;
        }
        break;
    case 2:
        ControlTarget = p + 0.8 * d;
        break;
    case 3:
        ControlTarget = p + 0.2 * d;
        break;
    case 4:
        ControlTarget = p + 0.5 * d;
        break;
    default:
        break;
    }
}

// ---- First step after a state -------------------------------------------------------------

int T1DAnalysis::ChooseInitialStep(const SectionState* state)
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return 0;
    const double H = beam->GetHeight() > 0.0 ? beam->GetHeight() : 1.0;
    const double dN = IncrementLoads[kAxial];
    const double dM = IncrementLoads[kMoment];
    const double dV = IncrementLoads[kShear];
    const double N0 = ConstantLoads[kAxial];
    const double V0 = ConstantLoads[kShear];
    const double A = beam->GetGrossArea();
    const ConcreteTypeRec* main = StepScaleConcrete();
    const double fc = main != nullptr ? main->fc : -35e6;
    const double ec = main != nullptr ? main->ec : -0.002;

    bool deepStirrups = false;
    for (int i = 0; i < beam->GetTransLayerCount(2); ++i) {
        const TransLayerRec* layer = beam->GetTransLayer(i, 2);
        if (layer != nullptr && std::fabs(layer->disttop - layer->distbot) > 0.5 * H)
            deepStirrups = true;
    }
    if (deepStirrups) {
        double rho = 0.0;
        double rhoFy = 0.0;
        beam->GetTransverseRatioAt(0.0, rho, rhoFy);
        if (rhoFy < 0.08 * std::sqrt(std::fabs(fc) / 1e6) * 1e6)
            deepStirrups = false;
    }
    if (state == nullptr || state->Valid == 0) {
        ShowMessage("No valid state to choose the first load step from",
                    kProgramCaption,
                    MsgStyle::Ok | MsgStyle::IconExclamation);
        return 0;
    }
    ControlTarget = Controlled(*state);
    auto signOrOne = [&](double x) { return x != 0.0 ? SignOf(x) : 1.0; };
    switch (ControlVariable) {
    case kMoment:
        ControlStep = (-0.004 / H) / 50.0 * signOrOne(dM);
        Relaxation = 1.0;
        break;
    case kShear:
        Relaxation = 1.0;
        ControlStep = SignOf(dV) * (deepStirrups ? -2e-5 : -5e-5);
        break;
    default:
        ControlStep = ec / 20.0 * signOrOne(dN);
        Relaxation = 0.75;
        UseCurvatureIteration = 1;
        break;
    }
    const double span = dV != 0.0 ? std::fabs(dM / dV) : 1e6;
    if (span > 0.15 * H && span < 0.75 * H)
        UseCurvatureIteration = 1;
    if (UseCurvatureIteration != 0)
        Relaxation = 0.5;
    if (ControlVariable == kMoment && HasSteelRegion())
        ControlStep *= 0.25;
    if (std::fabs(V0) + std::fabs(dV) < 1.0 && ControlVariable == kMoment) {
        ControlStep = (-0.004 / H) / 20.0 * signOrOne(dM);
        if (ControlStep == 0.0)
            ControlStep = (-0.004 / H) / 20.0;
    }
    if (0.5 * std::fabs(dV) < std::fabs(dN) && std::fabs(dV) > 0.001)
        ControlStep *= 0.5;
    if (std::fabs(N0) > 100000.0 * A)
        ControlStep *= 0.5;
    if (std::fabs(dV) > 0.001 && std::fabs(dM / dV) < H && ControlVariable == kMoment)
        ControlStep *= 0.5;
    return 1;
}

// ---- End of the response ------------------------------------------------------------------

bool T1DAnalysis::IsResponseFinished(const SectionState* cur, const SectionState* prev) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || cur == nullptr || prev == nullptr || cur->Valid == 0 || prev->Valid == 0)
        return false;
    const double lf = cur->Results[StateResult::LoadFactor];
    int mode = FailureMode::None;
    ShearDistributionError(*cur, mode);
    if (mode != FailureMode::None && std::fabs(lf) < 0.8 * std::fabs(MaxLoadFactor) &&
        Reloaded == 0)
        return true;

    // An event in the last step: the response goes on past it.
    if (IsCracked(cur) != IsCracked(prev) && IsCracked(cur))
        return false;
    if (IsCrushed(cur) && !IsCrushed(prev))
        return false;
    if (HasNodeLimitEvent(cur) && !HasNodeLimitEvent(prev))
        return false;
    if (CountFailedBars(cur) != CountFailedBars(prev))
        return false;

    if (std::fabs(lf) < 0.2 * std::fabs(MaxLoadFactor) && CurrentStage > 10)
        return true;

    const double A = beam->GetGrossArea();
    if (ConstantLoads[kAxial] != 0.0 || ConstantLoads[kMoment] != 0.0 ||
        ConstantLoads[kShear] != 0.0) {
        std::array<double, 3> largest{};
        for (int i = 0; i < CurrentStage && i < kStageSlots; ++i) {
            if (const SectionState* s = StageSlot(i))
                for (int c = 0; c < 3; ++c)
                    largest[static_cast<std::size_t>(c)] = std::max(
                        largest[static_cast<std::size_t>(c)],
                        std::fabs(
                            s->Results[StateResult::AxialForce + static_cast<std::size_t>(c)]));
        }
        const double biggest = *std::max_element(largest.begin(), largest.end());
        for (double& m : largest)
            if (m < biggest / 1000.0)
                m = 0.0;
        for (int c = 0; c < 3; ++c) {
            const auto i = static_cast<std::size_t>(c);
            const double F = std::fabs(cur->Results[StateResult::AxialForce + i]);
            const double d = IncrementLoads[i];
            const double f0 = ConstantLoads[i];
            const bool active = c == kAxial ? std::fabs(d) > 0.001 || std::fabs(f0) > 10000.0 * A
                                            : std::fabs(d) > 0.001 || std::fabs(f0) > 0.001;
            const bool sameSense =
                c == kAxial ? (f0 + 0.01) * (d + 0.01) > 0.0 : (d + 0.01) * (f0 + 0.01) > 0.0;
            if (largest[i] > 1.0 && F < largest[i] / 100.0 && active && sameSense)
                return true;
        }
    }

    double peakStrain = 0.0;
    for (int i = 0; i < beam->GetConcreteTypeCount(); ++i)
        if (const ConcreteTypeRec* type = beam->GetConcreteType(i))
            peakStrain = std::max(peakStrain, std::fabs(type->ec));
    const int n = cur->UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = cur->LayerDefs[static_cast<std::size_t>(i)];
        for (std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            const LayerNodeStateRec* node = cur->NodeState(static_cast<int>(id));
            if (node == nullptr)
                continue;
            if (std::fabs(node->Strain2 - node->FreeStrain2) > 4.0 * peakStrain ||
                node->StrainZ > 0.05)
                return true;
        }
    }

    // A section without steel types has no rupture strain to reach: the other tests end it.
    bool hasSteel = false;
    double rupture = 0.0;
    for (int i = 0; i < beam->GetSteelTypeCount(); ++i)
        if (const SteelTypeRec* steel = beam->GetSteelType(i)) {
            rupture = std::max(rupture, steel->er);
            hasSteel = true;
        }
    if (n > 0 && hasSteel) {
        for (std::uint32_t id : {cur->LayerDefs[0].NodeTop,
                                 cur->LayerDefs[static_cast<std::size_t>(n - 1)].NodeBottom}) {
            const LayerNodeStateRec* node = cur->NodeState(static_cast<int>(id));
            if (node != nullptr && node->StrainX - node->FreeStrainX > 5.0 * rupture)
                return true;
        }
    }
    return false;
}
