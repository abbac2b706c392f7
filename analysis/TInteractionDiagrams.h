#pragma once
// Interaction diagrams: the capacity of a section under combined actions.
//
//  - TMNInter: moment and axial load. Radial load paths start from a centre point and run
//    outwards in RayCount directions; the peak of each path is a point of the outline.
//  - TMVInter, TNVInter: moment (or axial load) and shear. Two base responses trace the
//    capacity without shear along the moment (axial) axis in both senses; from every stage of
//    them a shear line raises the shear at the held curvature (axial strain) to its peak.
//
// A diagram owns up to kMaxSubAnalyses load-stage analyses. The base responses step one per
// idle call; the rays and the shear lines are independent and each idle call steps the running
// ones together on the worker threads (analysis/StepTogether.h). A diagram works on its
// own frozen copy of the section (time-dependent strains imposed once, when the diagram was
// built) and writes each path's loads into that copy before building the path over it; the
// paths do not impose the long-term state again.

#include <array>
#include <memory>
#include <vector>

#include "analysis/T1DAnalysis.h"
#include "foundation/Sentinel.h"

// Measure of a member event in a solved state of an analysis: whether the event of this kind
// has happened and, in ratio, its governing measure over the event limit (1.0 at the event).
using DiagramEventFn = int (*)(const TSectionalAnalysis& analysis,
                               const SectionState& state,
                               int kind,
                               double& ratio);
// The evaluation the diagrams' point store asks. Built in: kind 0, the capacity, which no
// stage before the peak reaches (0, ratio 0.0); other kinds are unknown (0, ratio kUndefined),
// so their curves follow the capacity until the member events are installed here.
int DiagramEventRatio(const TSectionalAnalysis& analysis,
                      const SectionState& state,
                      int kind,
                      double& ratio);
// Installs the member-event evaluation (null restores the built-in one).
void SetDiagramEventRatios(DiagramEventFn evaluate);

class T2DAnalysis : public TQuarvish2000Analysis {
public:
    static constexpr int kMaxSubAnalyses = 100;
    static constexpr int kMaxCurves = 4;
    // Cursor value before the first BeginCurve.
    static constexpr int kNoCurve = 32750;

    explicit T2DAnalysis(const TBeam* structure);
    ~T2DAnalysis() override;

    const SectionState* GetCurrentState() const override { return ShownState; }
    const SectionState* GetLatestState() const override;
    const SectionState* GetPeakState() const override;
    const SectionState* GetStage(int index) const override;
    int GetNextStageIndex(int index) const override { return index + 1; }
    int GetPreviousStageIndex(int index) const override { return index == 10000 ? 0 : index - 1; }
    int GetLastStageIndex() const override;
    int SelectLoadStage(int index) override;
    double Probe_analysis(int probeId, double depth) const override;
    int BeginCurve(int curveId) override;
    int GetCurvePoint(int curveId, double& x, double& y) override;
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override;
    int FindDiagramPoint(int countOnly,
                         int& count,
                         int& found,
                         std::vector<double>& x,
                         std::vector<double>& y,
                         std::vector<int>& index,
                         std::vector<double>& value,
                         int quantity) override;
    int SelectLatestState() override;
    int Finish() override;
    int ChooseControlVariable(int) override { return kMoment; }

    // The diagram coordinates of a state in display units (M-N: moment, axial load; M-V:
    // moment, shear; N-V: axial load, shear); zeros and 0 for null.
    virtual int ToDiagramPoint(const SectionState* state, double& x, double& y) const;

    // ---- Read access ----------------------------------------------------------------------

    int GetCurveCount() const { return CurveCount; }
    int GetCurveKind(int curve) const;
    int GetPointCount() const { return PointCount; }
    int GetSubCount() const { return SubCount; }
    const T1DAnalysis* GetSubAnalysis(int i) const;
    // Point p of curve k as (M, V, N); false outside the stored points.
    bool GetPoint(int k, int p, std::array<double, 3>& mvn) const;

protected:
    // Stores the point of every curve for finished sub-analysis i with k points per curve;
    // i > k copies point 0 into the last point (closing an outline).
    void StorePoint(int i, int k);
    // Writes the path's loads into the diagram's own copy (which it may write while frozen).
    void SetPathLoads(const double constant[3], const double increment[3]);
    // A full response (TInterBaseResponse) over the diagram's copy with the loads last
    // written; it is not validated again and imposes no long-term state again.
    std::unique_ptr<T1DAnalysis> NewResponse() const;
    // Running = 0 when no slot holds a running analysis.
    void UpdateRunning();
    // The first SubCount sub-analyses (null for an empty slot).
    std::vector<T1DAnalysis*> SubPointers() const;
    bool IsFinished(int i) const;

    int CurveCount = 3;
    std::array<int, kMaxCurves> CurveKinds{};
    int PointCount = 0;
    std::array<std::vector<double>, kMaxCurves> CurvePoints;
    std::array<std::vector<double>, kMaxCurves> CurvePoints2;
    std::array<std::vector<double>, kMaxCurves> CurveValues;
    int CurrentPoint = 0;
    int SubCount = 0;
    std::array<std::unique_ptr<T1DAnalysis>, kMaxSubAnalyses> SubAnalyses;
    const SectionState* ShownState = nullptr;
    int StepInTurn = 1;
    int Cursor = kNoCurve;

private:
    void AddTriangle(const std::array<const SectionState*, 3>& corners,
                     int countOnly,
                     int& count,
                     std::vector<double>& x,
                     std::vector<double>& y,
                     std::vector<int>& index,
                     std::vector<double>& value,
                     int quantity) const;
};

class TMNInter final : public T2DAnalysis {
public:
    explicit TMNInter(const TBeam* structure);

    int GetAnalysisKind() const override { return AnalysisKind::MNDiagram; }
    int GetDiagramState(int index, const SectionState*& state, int& flag) const override;
    int Step() override;

    // Anchors as (moment, axial load): tension end, compression end, largest negative and
    // largest positive moment.
    enum Anchor { TensionEnd = 0, CompressionEnd = 1, NegativeMoment = 2, PositiveMoment = 3 };
    const std::array<double, 2>& GetAnchor(int which) const;
    int GetRayCount() const { return RayCount; }
    // Direction (dN, dM) of ray i and the centre (Nc, Mc) of the rays.
    void RayDirection(int i, double& dN, double& dM) const;
    void RayCentre(double& Nc, double& Mc) const;

private:
    void SolveAnchors();
    void StartRay(int i);
    // Stores the point of finished ray i and frees its stages past the peak.
    void FinishRay(int i);

    int RayCount = 36;
    int RayIndex = 0; // rays finished
    std::array<std::array<double, 2>, 4> Anchors{};
};

// A base response of the M-V and N-V diagrams: a full response over the diagram's copy whose
// stages the shear lines start from.
class TInterBaseResponse : public TFullSectionalResponse {
public:
    explicit TInterBaseResponse(const TBeam* beam) : TFullSectionalResponse(beam, 0) {}
    const SectionStateHolder& Holder(int i) const { return Stages[static_cast<std::size_t>(i)]; }
};

class TMNV_baseInter : public T2DAnalysis {
public:
    TMNV_baseInter(const TBeam* structure, int mode);

    int GetDiagramState(int index, const SectionState*& state, int& flag) const override;
    int Step() override;
    int GetPhase() const { return Phase; }

protected:
    // Replaces the two base responses in slots 0 and 1 by the shear lines started from their
    // stages (at most kMaxSubAnalyses); SubCount is the number of lines made.
    void CreateLines();

private:
    void StartBaseCurve(int which);
    void StepBaseCurve();
    void StepLine();

    int Mode = 1;
    int Phase = 1;
    int LineIndex = -1;
};

class TMVInter final : public TMNV_baseInter {
public:
    explicit TMVInter(const TBeam* structure) : TMNV_baseInter(structure, 1) {}
    int GetAnalysisKind() const override { return AnalysisKind::MVDiagram; }
};

class TNVInter final : public TMNV_baseInter {
public:
    explicit TNVInter(const TBeam* structure) : TMNV_baseInter(structure, 0) {}
    int GetAnalysisKind() const override { return AnalysisKind::NVDiagram; }
};

// A shear line: from a solved state of a base response, the shear deformation rises while the
// curvature (M-V) or the axial strain (N-V) stays and the other force keeps its value.
class TInterLineResponse : public T1DAnalysis {
public:
    // The structure is the diagram's copy (not prepared anew); from is copied into stage 0.
    TInterLineResponse(const TBeam* structure,
                       const SectionStateHolder& from,
                       int heldControl);

    int Start() override;
    int SolveStage(SectionState& state) override;
    int SwitchControlVariable() override { return 0; }
    int HasShear() const override { return 1; }
    // Frees (mark 0) or flags BelowMaximum (mark 1) every stage below the largest load factor
    // reached before it, and every stage after the peak below the maximum. Returns 1.
    int PrunePostPeakStages(int mark) override;
    int ThinStages(double) override { return 1; }

private:
    // 1: the curvature is held (M-V), 0: the axial strain (N-V).
    int HeldControl;
};

class TMVLineResponse final : public TInterLineResponse {
public:
    TMVLineResponse(const TBeam* structure, const SectionStateHolder& from)
        : TInterLineResponse(structure, from, kMoment)
    {
    }
};

class TNVLineResponse final : public TInterLineResponse {
public:
    TNVLineResponse(const TBeam* structure, const SectionStateHolder& from);
};
