#pragma once
// T1DAnalysis: a response curve of a section traced as a sequence of solved load stages, one
// attempt per idle-time step. A deformation (the control variable: 0 the axial strain e_x0,
// 1 the curvature phi, 2 the shear deformation gamma) is advanced, the section is solved for
// it, and the load factor that the solution carries is recorded. The stepping cuts the step
// after a failed attempt, may switch the control variable, inserts intermediate stages where
// an event (cracking, crushing, a failed bar) happened within a long step, and finishes by
// itself when the response is complete.
//
// TFullSectionalResponse is the full load-deformation response of a section: the initial
// state under the constant loads, then the stages under F = F0 + lambda dF. Finished
// responses restart by unloading or reloading from a stored stage, or by "More Detail", which
// solves a new stage between every two stored ones.
//
// Stage slots 0 .. kStageSlots - 1; slot 0 holds the initial state; an empty slot is a null
// holder; readers treat a state whose Valid is 0 as absent.

#include <array>

#include "analysis/TQuarvish2000Analysis.h"
#include "foundation/Sentinel.h"

// Error-list entry of a response whose initial state cannot be solved.
inline constexpr const char* kInitialCaseFailedText =
    "Could not Solve for initial case.  Lower Initial loads, or lower prestress";

// Results of ResultAtValue, interpolated between the two stages that bracket a load factor.
struct StageResults {
    double axialStrain = -1.0;
    double curvature = -1.0;
    double shearStrain = -1.0;    // average shear strain
    double transverseBelow = 0.0; // integral of the transverse strain below depth 0
    double transverseAbove = 0.0; // and above it
};

class T1DAnalysis : public TQuarvish2000Analysis {
public:
    static constexpr int kStageSlots = 330;
    // Stages are created up to this index; reaching it finishes the analysis.
    static constexpr int kLastStageIndex = 329;
    // Intermediate stages are inserted at events only while fewer stages are stored.
    static constexpr int kInsertionLimit = 165;
    // Attempts at one stage before its shear error no longer holds it back.
    static constexpr int kMaxAttempts = 16;
    // Index from which GetStage answers the selected (or peak) stage.
    static constexpr int kSelectedStageIndex = 20000;

    T1DAnalysis(const TBeam* structure, int validate);
    ~T1DAnalysis() override;

    // ---- Virtual operations -------------------------------------------------------------

    const SectionState* GetCurrentState() const override;
    const SectionState* GetLatestState() const override;
    const SectionState* GetPeakState() const override;
    const SectionState* GetStage(int index) const override;
    int GetNextStageIndex(int index) const override;
    int GetPreviousStageIndex(int index) const override;
    int GetLastStageIndex() const override;
    int SelectLoadStage(int index) override;
    double Probe_analysis(int probeId, double depth) const override;
    int GetAnalysisKind() const override { return AnalysisKind::LoadStage; }
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override;
    int SelectLatestState() override;
    int Finish() override;
    int Step() override;
    // Primary (flag 0) or alternative (flag 1) control variable from the increments:
    // a = |dN|, b = |3 dM / H|, g = |dV|.
    int ChooseControlVariable(int flag) override;

    // Results at a load factor, between the first two stages (from the start, or from the
    // peak) that bracket it; a load factor below ZeroLoadFactor gives the initial stage. 1 when
    // found.
    virtual int ResultAtValue(double loadFactor, StageResults& out, int fromPeak) const;
    // Resets the stepping (the full response also solves the initial state).
    virtual int Start();
    // One attempt at the current stage.
    virtual int StepOnce();
    virtual int SolveStage(SectionState& state) = 0;
    virtual int SwitchControlVariable() = 0;
    virtual int PrunePostPeakStages(int mode) = 0;
    virtual int ThinStages(double spacing) = 0;

    // ---- Stepping helpers -----------------------------------------------------------------

    // Moves ControlTarget: 0 advance by a step, 1 cut after a failure, 2 / 3 / 4 80 / 20 /
    // 50 % of the way to the next stored stage, 5 the stored stage's own value.
    void AdjustTarget(int mode);
    // True when, after the first failure since the last stage of a response without shear,
    // the last converged increment is a small share of the control step near the largest load
    // factor so far (AdjustTarget then tries to step over what holds the stages back).
    bool IsCreeping(double lastIncrement) const;
    // Control step, relaxation and solver choice of the first stage after a state; 0 (after a
    // warning) without a valid state.
    int ChooseInitialStep(const SectionState* state);
    // True when the response is complete at cur (prev the stage before it).
    bool IsResponseFinished(const SectionState* cur, const SectionState* prev) const;
    // Load factors below this make a zero-load stage: 0.001, or the load factor of a load of
    // 1 N (N m) where that is less.
    double ZeroLoadFactor() const;
    // True when the last step was long enough against the whole response for an event of
    // this kind (1 crack appeared, 2 crack closed, 3 crushing, 4 failed bars, 5 node limit)
    // to ask for an intermediate stage.
    bool NeedsIntermediateStage(int eventKind) const;
    bool IsCracked(const SectionState* state) const;
    bool IsCrushed(const SectionState* state) const;
    bool HasNodeLimitEvent(const SectionState* state) const;
    // True when a solve ran away: a deformation or node strain is not a number, or the
    // plane-section strain somewhere lies beyond anything a material reaches. A solve can
    // report success so (a profile beyond every material law carries no force, which
    // balances a load factor of 0); the attempt is then no stage.
    bool HasRunAway(const SectionState& state) const;
    bool HasYieldingBar(int stage) const;
    bool IsBeyondStage(int i, int j) const;
    void ChooseControlVariableByRatio(int stage);
    void RemoveStage(int index);
    void ResetStageFromPrevious(int current, int previous);
    void UpdateEnvelopes(SectionState& state, const SectionState* previous) const;
    void RefreshShearStrainDistribution(const SectionState& state);
    // Load factors of the stored stages; with rescan also the last stage, the peak and the
    // working state.
    void RecomputeLoadFactors(int rescan);
    int CountFailedBars(const SectionState* state) const;
    int AdvanceStage(int& changed);
    void PredictNextStage();
    int EndNodesConverged() const;
    int KeepOnePostPeak(int peak);
    int ThinStagesBetween(int i, int j, int k);
    // Ends the analysis at the first failed bar of the working state; 0 while none failed.
    int FinishAtBarFailure();

    // ---- Read access ----------------------------------------------------------------------

    int GetCurrentStage() const { return CurrentStage; }
    int GetStageCount() const { return StageCount; }
    int GetPeakStage() const { return PeakStage; }
    int GetControlVariable() const { return ControlVariable; }
    double GetControlStep() const { return ControlStep; }
    double GetStepFactor() const { return StepFactor; }
    double GetMaxLoadFactor() const { return MaxLoadFactor; }
    int IsRefining() const { return Refining; }
    // Stored state of a slot whatever its Valid; null for an empty slot or outside the table.
    const SectionState* StageSlot(int index) const;
    // Load factor of a stage (0 for a missing one).
    double LoadFactorOf(int index) const;
    // Stepping work since construction: attempts made and stages accepted.
    struct StageCounts {
        long attempts = 0;
        long accepted = 0;
    };
    const StageCounts& GetStageCounts() const { return m_stageCounts; }

protected:
    // Controlled deformation of a state (or of stage i) for the current control variable.
    double Controlled(const SectionState& state) const;
    double ControlledOf(int index) const;
    bool IsStored(int index) const;
    bool IsValidStage(int index) const;
    // Sets the stage's load factor by the rule of the dominant load component.
    void SetLoadFactor(SectionState& state) const;
    // The load factor SetLoadFactor records for the state's forces.
    double RecordedLoadFactor(const SectionState& state) const;
    double SignOf(double x) const { return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0); }

    std::array<SectionStateHolder, kStageSlots> Stages;
    SectionState* WorkingState = nullptr;
    double StepFactor = 1.0;
    int FailureCount = 0;
    int PeakStage = 0;
    int ControlVariable = kMoment;
    double ControlStep = 1.0;
    double ControlTarget = 0.0;
    int CurrentStage = 0;
    int StageAccepted = 0;
    int StageCount = 0;
    int Reloaded = 0;
    int Switched = 0;
    mutable int SelectedStage = 0;
    int Refining = 0;
    // Controlled deformation of the stage from which AdjustTarget last stepped over a range;
    // no stage within a quarter step of it steps over again, so that stages found and removed
    // again near one place cannot repeat the probe without end.
    double JumpedFrom = kUndefined;
    StageCounts m_stageCounts;
};

class TFullSectionalResponse : public T1DAnalysis {
public:
    // Copies and prepares the beam and solves the initial state; a failure is stored in the
    // error list and leaves the analysis finished.
    explicit TFullSectionalResponse(const TBeam* structure, int validate = 1);

    int CanContinue() const override { return CurrentStage < 325 ? 1 : 0; }
    int Start() override;
    int SolveStage(SectionState& state) override;
    int SwitchControlVariable() override;
    // Restarts from a stored stage (-1: the one selected last) with the increments reversed
    // (unload 1) or kept (0). Answers the new current stage, -1 when refused.
    int UnloadReload(int stage, int unload) override;
    // Opens a free slot between every two stored stages of first .. last (-1: 0 and the peak)
    // and restarts to fill them. 0 when there is no room.
    int MoreDetail(int first, int last) override;
    int PrunePostPeakStages(int mode) override;
    int ThinStages(double spacing) override;
    // The position of this section along a member (metres), written into Summary[0] of every
    // stage stored so far and of every stage solved from now on, so that the member's
    // control charts can plot against it. 0 for a section analysed on its own.
    void SetMemberLocation(double x);
    double GetMemberLocation() const { return m_location; }

private:
    double m_location = 0.0;
};
