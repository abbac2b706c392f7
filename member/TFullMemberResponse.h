#pragma once
// The full-member (pushover) analysis: one full sectional response per station of a member,
// stepped together so that the member's load level rises evenly along its length, with the
// member's load-deflection curve at a chosen position and its distributions along the length
// at a marked load level. The member's capacity is the least peak load factor of its
// stations.
//
//   TFullMemberResponse member(g_MemberDefinition, slots);   // places and builds stations
//   RunToFinish(member, n);                                    // or Step() per idle pass
//   member.BuildResultCurves();                                // curves 0 .. 10

#include <array>
#include <functional>
#include <memory>

#include "analysis/T1DAnalysis.h"
#include "foundation/TDepthTable.h"
#include "member/StationSections.h"
#include "member/TMemberDefinition.h"

class TStructureSlots;

namespace AnalysisKind {
inline constexpr int Member = 5;
} // namespace AnalysisKind

// Member result curves (their table indices).
namespace MemberCurve {
inline constexpr int LoadDeflection = 0;
inline constexpr int Curvature = 1;
inline constexpr int AxialStrain = 2;
inline constexpr int ShearStrain = 3;
inline constexpr int Slope = 4;
inline constexpr int Deflection = 5;
inline constexpr int DeflectionTop = 6;
inline constexpr int DeflectionBottom = 7;
inline constexpr int AxialDisplacement = 8;
inline constexpr int AxialDisplacementTop = 9;
inline constexpr int AxialDisplacementBottom = 10;
inline constexpr int Count = 11;
} // namespace MemberCurve

// Points of the load-deflection curve before its closing point.
inline constexpr int kLoadDeflectionSteps = 30;
// Stage indices from this one select a point of the load-deflection curve.
inline constexpr int kCurvePointStageBase = 10000;

// The member state at a position and load factor, for the crack drawing of the elevation.
struct MemberStateRecord {
    // At 21 depths from the bottom of the depth range up: crack angle, crack width (-1 where
    // uncracked at both neighbouring stations) and crack spacing.
    std::array<std::array<float, 3>, 21> depths{};
    double x = 0.0; // position; -1 when it lies outside the stations
    double h = 0.0; // depth range
    double reserved = 0.0;
    double moment = 0.0;
    double shear = 0.0;
    // Displaced corners: bottom (x, y), then top (x, y).
    std::array<double, 4> corners{};
};

inline constexpr const char* kDeadLoadFailedText = "Unable to converge on dead load solution.  Check loading.";

class TFullMemberResponse final : public TQuarvish2000Analysis {
public:
    // Copies the definition, places the stations, builds their sections and responses and
    // solves each station's dead-load state. A station whose dead load cannot be solved
    // stops the building with a message; the analysis is then finished.
    TFullMemberResponse(const TMemberDefinition& definition, const TStructureSlots& slots);
    ~TFullMemberResponse() override;

    // ---- Building and stepping ----------------------------------------------------------

    // 1 when every station was built, 0 after a dead-load failure.
    int BuildMemberStations();
    // Steps the running stations together on the worker threads for one time slice
    // (analysis/StepTogether.h); shows the station least far along, and once all have
    // finished the one that sets the capacity.
    int Step() override;
    int Finish() override;
    void BuildResultCurves() override;
    // Id 0 moves the deflection position to a and rebuilds the curves.
    int SetResultParameter(int id, double a, double b, int flag) override;
    // Least peak load factor over the stations; 0 without stations.
    double GetMemberCapacity() const;
    // Bottom-face deflection at position p for member load factor lambda (downward positive);
    // with capture, curves 1 to 10 are stored as well.
    double ComputeMemberDeflection(double lambda, double p, bool capture);

    // ---- Read access ------------------------------------------------------------------------

    const TMemberDefinition& GetDefinition() const { return m_definition; }
    const TStationSections& GetStations() const { return m_stations; }
    int GetStationCount() const { return m_stations.GetStationCount(); }
    const TFullSectionalResponse* GetStationAnalysis(int i) const;
    int GetShownStation() const { return m_shownStation; }
    double GetShownStationPosition() const;
    int GetShearCritical() const { return m_shearCritical; }
    const TDepthTable& GetCurve(int i) const { return m_curves[static_cast<std::size_t>(i)]; }
    int GetMarkedPoint() const { return m_markedPoint; }

    // ---- Virtual operations ------------------------------------------------------------------

    const SectionState* GetCurrentState() const override { return m_shown; }
    const SectionState* GetLatestState() const override;
    const SectionState* GetPeakState() const override;
    const SectionState* GetStage(int index) const override;
    int GetNextStageIndex(int index) const override;
    int GetPreviousStageIndex(int index) const override;
    int GetLastStageIndex() const override;
    int SelectLoadStage(int index) override;
    const TStructure* GetStructure() const override;
    int HasShear() const override { return 1; }
    int CanContinue() const override { return 0; }
    int GetStateResults(const SectionState* state, std::array<double, 6>& values, int mode) const override;
    double Probe_analysis(int probeId, double depth) const override;
    int BeginCurve(int curveId) override;
    int GetCurvePoint(int curveId, double& x, double& y) override;
    int GetAnalysisKind() const override { return AnalysisKind::Member; }
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override;
    // Station 0's stages, the inner stations' peaks, then the last station's stages backwards;
    // flag 0 while the state is a running station's newest stage.
    int GetDiagramState(int index, const SectionState*& state, int& flag) const override;
    // The state between the two stations around x at load factor lambda; corners displaced by
    // scale times the displacements of the captured distributions. 1 when filled.
    int InterpolateMemberState(double x, double lambda, MemberStateRecord& record, double scale) const;
    int SelectLatestState() override;
    int ChooseControlVariable(int) override { return kMoment; }
    int Prepare() override { return 1; }

    // Load of 1-based station s at the marked load factor: kind 0 the negated moment, 1 the
    // diagrams' moment (dead plus factored live), 2 the axial load, 3 the load factor, 4 the
    // shear. Station 0 gives (0, 0); a station without an analysis (0, 0) and result 0.
    int GetStationLoad(int s, int kind, double& x, double& value) const;
    // Capacities of a section along the member (curve ids 4016 to 4023): 0 the stirrup
    // capacity per length b_v rho_v f_y (N/m); 1 and 2 the yield force of the ordinary
    // longitudinal bars below and above mid-height; 3 that of the prestressing steel below
    // mid-height (N). A bar within 0.0001 m of mid-height counts half to each side.
    static double SectionCapacity(const TBeam& section, int which);
    // The stored stages of a response whose load factors bracket lambda (the first such pair
    // from the start; the greater load factor of a pair multiplied by widen); a response of one
    // stage gives stage 0 twice, one that never reaches lambda its last stage twice.
    static void BracketingStages(const TFullSectionalResponse& a, double lambda, int& lo, int& hi,
                                 double widen = 1.0);

    // ---- Per-station curves (MemberStationCurves.cpp) ------------------------------------------

    // E_c I of the zone section's transformed section at station i (N m^2).
    double UncrackedFlexuralStiffness(int station) const;
    // Secant EI of station i from its first stage to the marked load factor; where the moment
    // or the curvature has hardly changed, the state's tangent EI there.
    double SecantFlexuralStiffness(int station) const;
    // Secant shear modulus V / (A_g gamma) of station i from its first stage to the marked load
    // factor; where the shear has hardly changed, the section's uncracked shear modulus.
    double SecantShearModulus(int station) const;
    // Force at a crack in the longitudinal bars of station i at the marked load factor (tension
    // positive): mode 0 the ordinary bars below mid-height, 1 the prestressing steel below it,
    // 2 the ordinary bars above it.
    double SteelDemand(int station, int mode) const;
    // Stirrup force per length at a crack of station i at the marked load factor: the web
    // width times the largest rho_z f_sz,crack over the section's nodes (N/m).
    double StirrupDemand(int station) const;
    // Aggregate interlock of station i at the marked load factor, read at the layer node whose
    // crack is nearest its limit (largest |v_ci| / (1 + v_ci,max)): the shear stress on that
    // crack |v_ci| (the demand), or with capacity the largest shear stress it can carry,
    // v_ci,max (Pa). Each bracketing stage picks its own node; 0 where none is defined.
    double CrackShear(int station, bool capacity) const;

private:
    void StepStations();
    // Dead plus factored live moment (kind 1), shear (2) or the load factor (4) at station i
    // from the member's adjusted diagrams.
    double DefinitionLoad(int i, int kind) const;
    void UpdateShearCritical();
    // The station that holds stage index i and the index within it; -1 when none.
    int FindStationStage(int index, int& local) const;
    double MarkedLoadFactor() const;
    // A state value at the marked load factor, interpolated between the bracketing stages.
    double AtMarkedLoad(const TFullSectionalResponse& a, const std::function<double(const SectionState&)>& value) const;
    // Share of a bar at z on the given side of mid-height: 1, 0, or a half on it.
    static double SideShare(double z, double mid, bool below);
    // Point count of a per-station curve; -1 for another curve id.
    int StationCurveCount(int curveId) const;
    // The point at the cursor of a per-station curve, advancing it; 0 past the end.
    int StationCurvePoint(int curveId, double& x, double& y);

    TMemberDefinition m_definition;
    const TStructureSlots& m_slots;
    TStationSections m_stations;
    std::array<std::unique_ptr<TFullSectionalResponse>, kMaxStations> m_analyses;
    const SectionState* m_shown = nullptr;
    int m_currentStation = 0;
    int m_shownStation = 0;
    int m_shearCritical = 0;
    mutable int m_stageSelection = 0;
    mutable int m_selectedStation = 0;
    std::array<TDepthTable, MemberCurve::Count> m_curves;
    int m_markedPoint = kLoadDeflectionSteps;
    int m_cursor = 0;
};
