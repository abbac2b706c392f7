#pragma once
// TSectionalAnalysis: the root of every analysis object.
//
// The idle loop drives an analysis through IsRunning and Step (one load stage, one diagram
// point or one member step per call, so the window stays responsive); the commands, mode
// objects and charts read its results through the const virtual operations. Beside that
// interface every analysis carries the running flag, copies of the structure's load vectors,
// interval timers for throttled redraws, the "shear strain distribution" table, its own
// error list and the layer mesh of the section.
//
// Life of an analysis: constructed over a structure, Prepare validates it (asking once
// whether tension stiffening may stay off) and freezes it, so every setter of the structure
// is refused until Finish unfreezes it. The derived start operation sets Running; Finish
// clears it; the stored states stay readable until the analysis is deleted.
//
// Messages raised while the analysis steps go through Messages(): each distinct text and
// caption is shown once per analysis.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/layers/LayerMesh.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/ErrorList.h"
#include "analysis/state/LayerDefRec.h"
#include "analysis/state/SectionState.h"
#include "foundation/TDepthTable.h"
#include "foundation/TTextBuffer.h"

class TStructure;

// Kinds answered by GetAnalysisKind.
namespace AnalysisKind {
inline constexpr int Point = 0; // single state, or the base
inline constexpr int MNDiagram = 1;
inline constexpr int MVDiagram = 2;
inline constexpr int NVDiagram = 3;
inline constexpr int LoadStage = 4;
} // namespace AnalysisKind

class TSectionalAnalysis {
public:
    // Length of the load vectors copied from the structure.
    static constexpr int kLoadCount = 8;
    // Interval channels: 1 and 3 fire after more than 20 centiseconds, 2 after more than 50.
    // A clock that went back by more than kClockWrap centiseconds (past midnight) also fires.
    static constexpr int kShortInterval = 20;
    static constexpr int kLongInterval = 50;
    static constexpr std::int32_t kClockWrap = -8500000;

    TSectionalAnalysis();
    virtual ~TSectionalAnalysis();
    TSectionalAnalysis(const TSectionalAnalysis&) = delete;
    TSectionalAnalysis& operator=(const TSectionalAnalysis&) = delete;

    // ---- Virtual operations -------------------------------------------------------------

    // The state to display now, of the latest stage, with the largest load factor, of a
    // stage (null when there is none).
    virtual const SectionState* GetCurrentState() const = 0;
    virtual const SectionState* GetLatestState() const = 0;
    virtual const SectionState* GetPeakState() const = 0;
    virtual const SectionState* GetStage(int index) const = 0;
    virtual int GetNextStageIndex(int index) const = 0;
    virtual int GetPreviousStageIndex(int index) const = 0;
    virtual int GetLastStageIndex() const = 0;
    virtual int SelectLoadStage(int index) = 0;
    // The structure the analysis works on (read-only view); null when there is none.
    virtual const TStructure* GetStructure() const = 0;
    virtual int HasShear() const = 0;
    // Whether the "More &Detail" command may add stages.
    virtual int CanContinue() const { return 0; }
    // Six results of a state (or of the current one for null); see the derived kinds.
    virtual int
    GetStateResults(const SectionState* state, std::array<double, 6>& values, int mode) const = 0;
    // A scalar of the analysis at a depth, by probe id. The base knows ids 0, 1, 6, 7, 9
    // (0.0) and 15 (1.0); any other id shows "Error in Probe_analysis!" and gives 0.0.
    virtual double Probe_analysis(int probeId, double depth) const;
    // Stored result curves: BeginCurve gives the point count, GetCurvePoint the next point.
    virtual int BeginCurve(int curveId);
    virtual int GetCurvePoint(int curveId, double& x, double& y);
    virtual int GetAnalysisKind() const { return AnalysisKind::Point; }
    virtual int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const = 0;
    // A state of an interaction diagram; the base gives no state, flag 1 and 0.
    virtual int GetDiagramState(int index, const SectionState*& state, int& flag) const;
    // Triangle mesh over the load paths of a diagram; the base gives counts 0 and 0.
    virtual int FindDiagramPoint(int countOnly,
                                 int& count,
                                 int& found,
                                 std::vector<double>& x,
                                 std::vector<double>& y,
                                 std::vector<int>& index,
                                 std::vector<double>& value,
                                 int quantity);
    virtual int SetResultParameter(int id, double a, double b, int flag);
    // Adjusts the copied load vectors before the structure is checked.
    virtual void AdjustLoads() = 0;
    // Copies the loads, validates and freezes the structure; 1 ready, 0 refused.
    virtual int Prepare();
    virtual int SelectLatestState() = 0;
    // Unfreezes the structure and clears Running; returns 1.
    virtual int Finish();
    // One idle-time step.
    virtual int Step() = 0;
    virtual int UnloadReload(int stage, int mode);
    virtual int MoreDetail(int count, int stage);
    virtual void BuildResultCurves() {}
    // Capacity of the layer mesh and of a state's node array.
    virtual int GetMaxLayerCount() const = 0;
    virtual int GetMaxNodeCount() const = 0;
    // Control variable of the stepping: 0 N, 1 M, 2 V.
    virtual int ChooseControlVariable(int flag) = 0;

    // ---- Errors, running flag and timers ------------------------------------------------

    int AddError(const std::string& text, const std::string& title, int code)
    {
        return Errors.AddError(text, title, code);
    }
    int GetErrorCount() const { return Errors.GetErrorCount(); }
    int GetError(int index, std::string& text, std::string& title, int& code) const
    {
        return Errors.GetError(index, text, title, code);
    }
    const ErrorList& GetErrors() const { return Errors; }

    int IsRunning() const { return Running; }
    // 1 when the channel's interval has passed since it last fired (and restarts it); 0 for
    // channel 0 and any channel other than 1, 2 and 3.
    int IntervalElapsed(int channel);
    // Time since construction in ms (centisecond resolution).
    int GetElapsedMilliseconds() const;

    // Copy the first n (at most kLoadCount) values of the load vectors; return 1.
    int GetIncrementLoads(double* values, int n) const;
    int GetConstantLoads(double* values, int n) const;

    // ---- States -----------------------------------------------------------------------

    // Creates a state for solving in an empty holder, starting from source when given (see
    // the definition). 0 when the holder is occupied or there is no structure.
    int CreateSectionState(SectionStateHolder& holder, SectionState* source);
    // Replaces the destination's state by an independent deep copy of the source's.
    int CopySectionState(const SectionStateHolder& source, SectionStateHolder& destination);

    // ---- Layer mesh ---------------------------------------------------------------------

    const LayerMesh& GetLayerMesh() const { return Mesh; }
    const std::vector<LayerDefRec>& GetLayers() const { return Mesh.Layers; }
    int GetLayerCount() const { return Mesh.LayerCount; }
    const TDepthTable& GetShearStrainDistribution() const { return ShearStrainDistribution; }
    // Failed-bar flags: 0 longitudinal list 0, 1 list 1, 2 transverse direction 2.
    const std::vector<int>& GetFailedBarFlags(int which) const;

    // Messages of the analysis, each shown once (the inner solver loops report here).
    AnalysisMessages& Messages() const { return m_messages; }
    // Shows the message unless this analysis has shown it before.
    void ReportOnce(const std::string& text, const std::string& caption, unsigned style) const;
    // The solver's last trace text (what the layer debug prompt shows), this analysis's own so
    // that analyses stepped together do not write into one another's; written only while the
    // debug level is not 0.
    TMessageBuffer& TraceText() { return m_traceText; }
    const TMessageBuffer& TraceText() const { return m_traceText; }

protected:
    // The structure to validate, freeze and unfreeze; the same object as GetStructure.
    virtual TStructure* GetWritableStructure() = 0;

    // Index of each channel's reading in Timers.
    static int TimerSlot(int channel);
    // Asks about concrete types whose tension stiffening is off (once per structure).
    void CheckTensionStiffening(TStructure& structure);

    double MaxLoadFactor = 0.0;
    int Running = 0;
    int UseCurvatureIteration = 0;
    double Relaxation = 1.0;
    int ShearFlag = 0;
    // Clock readings (centiseconds): channel 2, channel 3, channel 1, start.
    std::array<std::int32_t, 4> Timers{};
    TDepthTable ShearStrainDistribution{"shear strain distribution"};
    std::array<double, kLoadCount> IncrementLoads{};
    std::array<double, kLoadCount> ConstantLoads{};
    ErrorList Errors;
    std::array<std::vector<int>, 3> FailedBarFlags;
    // The layer mesh (Layers, LayerCount): empty until built.
    LayerMesh Mesh;

private:
    mutable AnalysisMessages m_messages;
    TMessageBuffer m_traceText;
};
