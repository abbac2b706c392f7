#pragma once
// TP2k1DAnalysis: the complete load-deformation response of a membrane element under
// proportional loading, as a list of solved load stages. The constant loads act first (stage
// 0), then the increment loads are scaled by a load factor that grows, stage by stage under a
// held strain component, until the element crushes, strains excessively or the list is full.
//
// TP2kFullResponse solves the whole response in its constructor; Step does nothing, so the
// idle loop never advances these analyses.
//
// After the run the current state is the peak stage (the stage of the largest load factor),
// the stage count is the last stored slot + 1 and the stored results (probe ids 2, 3, 4) are
// those of the peak stage, or of the most sheared cracked stage when the peak is uncracked.
// A stage that was not solved is never returned by GetStage or made current.

#include <array>

#include "membrane/TPellicor2000Analysis.h"

class TP2k1DAnalysis : public TPellicor2000Analysis {
public:
    static constexpr int kStageSlots = 330;
    // The run stops once this many slots are used.
    static constexpr int kStageLimit = 327;
    // More consecutive failed attempts than this end the run.
    static constexpr int kMaxFailures = 10;
    // Largest shear-strain step of a stage under shear control.
    static constexpr double kMaxShearStep = 0.002;
    // Excessive strain: in a reinforced direction, and in one without layers.
    static constexpr double kExcessiveStrain = 0.3;
    static constexpr double kUnreinforcedStrain = 0.1;
    // Stored in the error list when the constant loads cannot be carried.
    static constexpr const char* kInitialStageError =
        "Could Not Solve for Initial Load Level.  Lower initial loads or prestress";

    // Clears the stage list; does not solve.
    explicit TP2k1DAnalysis(const TShell* element);
    ~TP2k1DAnalysis() override;

    // ---- Virtual operations ---------------------------------------------------------------

    const SectionState* GetCurrentState() const override;
    const SectionState* GetLatestState() const override;
    const SectionState* GetPeakState() const override;
    const SectionState* GetStage(int index) const override;
    int GetNextStageIndex(int index) const override;
    int GetPreviousStageIndex(int index) const override;
    int GetLastStageIndex() const override;
    int SelectLoadStage(int index) override;
    // Id 11: the position of the current state in the stage list; others as the base.
    double Probe_analysis(int probeId, double depth) const override;
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override;
    int SelectLatestState() override { return 0; }
    // Base Finish, then FindPeakStage; the analysis stops running.
    int Finish() override;
    int Step() override { return 1; }

    // ---- Stepping ---------------------------------------------------------------------------

    // The whole response; 0 when the initial stages fail (the error is stored), else 1.
    // Without any increment load the response is stage 0 alone.
    int SolveFullResponse();
    // Stages 0 (the constant loads) and 1 (a first small step, taken only when some increment
    // load is not 0); 1 when stage 0 was solved.
    int SolveInitialStages();
    // Whether any of the three increment loads is not 0.
    bool HasIncrement() const;
    // The increment load of the component a control index holds (f_x, f_y, else v_xy).
    double HeldIncrement(int controlIndex) const;
    bool IsStageCracked(int index) const;
    // Peak stage, stage count and current state after a run.
    void FindPeakStage();
    // The stored results (probe ids 2, 3, 4) from the peak stage.
    void RecordPeakResults();

    // ---- Read access ------------------------------------------------------------------------

    int GetStageCount() const { return m_stageCount; }
    int GetPeakIndex() const { return m_peakIndex; }
    // Every element-state solve of the run (SolveMembraneState calls), for the benchmark.
    int GetSolveCount() const { return m_solveCount; }

protected:
    // Slot i (null outside the list or when empty), whether solved or not.
    SectionState* Slot(int i);
    const SectionState* Slot(int i) const;
    // Frees every stored stage and clears the bookkeeping.
    void ClearStages();
    // Frees slot i and puts an unsolved copy of slot source there (Valid 0, marker cleared).
    bool CopyStage(int source, int destination);
    // Frees stage 0, finishes and stores kInitialStageError; answers 0.
    int FailInitialStages();
    // Every state solve of the run goes through here (SolveMembraneState).
    virtual int Solve(SectionState& stage, int mode);

    std::array<SectionStateHolder, kStageSlots> m_stages;
    const SectionState* m_current = nullptr;
    int m_peakIndex = 0;
    int m_stageCount = 0;
    int m_failureCount = 0;
    int m_nextStage = 0;
    int m_solveCount = 0;

private:
    // Inserts a stage just below first cracking before slot n when stage n-1 is the first
    // cracked one; answers the slot to solve next (n + 1 when inserted).
    int InsertPreCrackingStage(int n);
    // How far the held strain is stepped by a fixed amount when the constant load on it works
    // against its increment (0: it grows by the step factor alone).
    double ReversalReach();
    // The stop rules after a solved stage; f may be set to a smaller step near crushing.
    bool StopAfterSuccess(const SectionState& stage, double e0, double& f) const;
    // After the retries of a stage under a normal strain held in biaxial tension: the next
    // factor of a step over the strains without equilibrium (jump 1 before the first), and
    // whether it is still to be tried.
    bool StepOverGap(double& jump) const;
    SectionStateHolder& Holder(int i) { return m_stages[static_cast<std::size_t>(i)]; }
};

// A TP2k1DAnalysis that solves its full response at construction, under the increment loads
// of the element given: one given none (all three 0) has no load to increase, and its response
// is the initial stage alone.
class TP2kFullResponse : public TP2k1DAnalysis {
public:
    explicit TP2kFullResponse(const TShell* element);
};
