#pragma once
// TQuarvish2000Analysis: the common base of every analysis of a beam or column cross-section
// (load-stage response, interaction diagrams, single states, full member).
//
// It owns its own copy of the beam, frozen from Prepare until Finish, so the user may go on
// editing the original; the per-node and per-bar work arrays of the tangent-stiffness and
// shear calculations, sized once at construction so that stepping never allocates; the
// depth tables of the shear set-up; and the section operations that the stepping code calls
// between layer solutions: the load-path residual and the failure classification of a solved
// state, and the clearing of the plastic offsets.
//
// Load path: the loads of a stage are F = F0 + lambda dF, with the constant loads F0 and the
// increment loads dF copied from the structure, components N (0, N), M (1, N m), V (2, N).
//
// Sign convention: strains and stresses positive in tension; e'c and f2max are negative.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/TDepthTable.h"
#include "foundation/TableLookupMemo.h"

class TBeam;
struct ConcreteTypeRec;
class TLayerDriver;

// The ten results of the time-dependent solution, in the order the report lists them.
struct TimeDependentStrains {
    double shrinkage = 0.0;        // eps_sh, shrinkage strain (negative)
    double creepCoefficient = 0.0; // psi
    double curvature1 = 0.0;       // phi_1 of the initial sustained-load state (1/m)
    double strain1 = 0.0;          // e0_1 of the initial state
    double curvature2 = 0.0;       // phi_2 of the long-term state (1/m)
    double strain2 = 0.0;          // e0_2 of the long-term state
    double volumeSurface = 0.0;    // v/s, at most 0.15 m
    double kc = 0.0;               // creep factor of size
    double kf = 0.0;               // creep factor of concrete strength
    double ks = 0.0;               // shrinkage factor of size
};

// At debug level 3 the long-term set-up shows its values as the report's block of
// time-dependent results, which the report writer forms: the window installs it. Without one
// the set-up shows nothing. Returns the previous writer.
using TimeDependentReportWriter = std::function<std::string(const TBeam&, const TimeDependentStrains&)>;
TimeDependentReportWriter SetTimeDependentReportWriter(TimeDependentReportWriter writer);

class TStructure;

// Answers of ClassifyFailureMode.
namespace FailureMode {
inline constexpr int None = 0;
inline constexpr int CrackSlip = 1;      // an unreinforced crack at its shear-stress limit
inline constexpr int FibreCrushing = 2;  // an extreme fibre past the compression limit
inline constexpr int WebCrushing = 3;    // concrete crushing over the depth
inline constexpr int StirrupRupture = 4; // a node's transverse strain past the stirrup limit
} // namespace FailureMode

// Error-list entry of a section whose regions need more layers than the mesh holds.
inline constexpr const char* kMeshRefusedText =
    "The section needs more layers than the analysis can hold, so it cannot be analysed.";

// Error-list entry of a section without concrete: no regions, or regions of no height.
inline constexpr const char* kNoSectionText =
    "The section has no concrete regions (its height is 0), so there is nothing to analyse.  "
    "Define its concrete outline with \"Define | Concrete Section\" first.";

class TQuarvish2000Analysis : public TSectionalAnalysis {
public:
    static constexpr int kMaxLayers = 120;
    static constexpr int kMaxNodes = 360;
    static constexpr int kNodeWorkArrays = 4;
    // Load-vector components.
    static constexpr int kAxial = 0;
    static constexpr int kMoment = 1;
    static constexpr int kShear = 2;

    // Works on its own copy of the beam; null builds an analysis without structure (the
    // full-member analysis), whose work arrays stay empty and whose section constant is 0.0.
    // With validate 0 the copy is frozen before the set-up, so Prepare neither validates it
    // nor asks about tension stiffening; the analyses started from the menu pass 1.
    // With validate 1 the time-dependent set-up follows, unless the structure given is
    // frozen already (an analysis's own copy, whose long-term strains are in it).
    // The constructor runs this class's Prepare (a derived kind's override, if any, is not
    // yet in place while the base is built).
    TQuarvish2000Analysis(const TBeam* structure, int validate);
    ~TQuarvish2000Analysis() override;

    // ---- Virtual operations ---------------------------------------------------------------

    const TStructure* GetStructure() const override;
    // The same structure as the beam it is.
    const TBeam* GetBeam() const { return m_beam.get(); }
    // 1 when the constant or the increment shear is non-zero or the shear flag is set.
    int HasShear() const override;
    // Mode 2: e_x0, phi, average shear strain, N, M and V of a valid state (the current one
    // for null) and 1; an invalid or missing state gives 0 and leaves the values. Any other
    // mode zeroes the values and gives 0.
    int GetStateResults(const SectionState* state,
                        std::array<double, 6>& values,
                        int mode) const override;
    // Probe 5: the transverse clamping stress at the depth; the others as the base.
    double Probe_analysis(int probeId, double depth) const override;
    void AdjustLoads() override {}
    // The base set-up, then the shear profiles, the layer mesh, the two reset tables and the
    // tensile-strength table, whatever the base set-up answered (a copy frozen beforehand is
    // set up without validation). A structure without regions or height, or one that needs
    // more layers than the mesh holds, is refused: nothing is built, 0 is answered and no
    // state of the analysis is solved afterwards (IsSetupRefused). Otherwise the base's answer.
    int Prepare() override;
    int GetMaxLayerCount() const override { return kMaxLayers; }
    int GetMaxNodeCount() const override { return kMaxNodes; }
    // Average shear strain of a state, computed once and kept in the state.
    virtual double GetAverageShearStrain(const SectionState* state, int withEnvelope) const;

    // ---- Section operations ---------------------------------------------------------------

    // Sets the state's load factor from its resultants and answers the residual of the
    // dependent component o (1 for component 0 or 2, 0 for component 1):
    //  - shearControl: lambda = (V - V0) / dV when |dV| > 0.001 (else lambda stays);
    //  - otherwise lambda = (F[c] - F0[c]) / dF[c], or from component o when dF[c] = 0,
    //    or 0 when both increments are 0.
    // Required value T = F0[o] + lambda dF[o]. Mode 1 answers F[o] - T; any other mode also
    // stores T in the state's applied value of o and answers T - F[o].
    double LoadPathResidual(SectionState& state, int component, int mode, int shearControl);
    // Failure of a solved state (FailureMode), tested in this order: an unreinforced crack at
    // its slip limit (1) or a node strained past the stirrup limit (4); crushing layers that
    // carry shear (3); an extreme fibre beyond the compression limit (2); the whole depth past
    // the peak strain (3); otherwise 0.
    int ClassifyFailureMode(const SectionState& state) const;
    // Zeroes every bar's plastic offset, resets the transverse offset table to (bottom, 0)
    // and (top, 0) and empties the principal-1 and principal-2 offset tables. Null: nothing.
    void ClearPlasticOffsets(SectionState* state) const;

    // ---- Layer solution --------------------------------------------------------------------

    // Evaluates a trial state whose strain profile (Results[0], [1]) and shear-strain factor
    // (Results[2]) are set: copies the mesh into it, solves and refines its layers and
    // integrates N, M, V and Vp into it (LayerSolveMode: 100 trial passes, 101 and 102
    // finishing passes that add the bar stresses at cracks and the signed resultants).
    // Always returns 0; without a beam nothing is solved.
    int SolveLayerStates(SectionState& state, int mode);
    // The finishing pass (mode 102) of the state. When the last layer solution was of the same
    // state at the same profile and neither the analysis's tables and failed flags nor the
    // state's offsets have been changed through the analysis since, its nodes stand: after a
    // finishing pass nothing is done, after a trial pass only the finishing part is added.
    // 0 when nothing was done.
    int FinishLayerStates(SectionState& state);
    // Copies the failed-bar marks of a valid state into the failed flags (1), or clears every
    // flag for a missing or invalid state (0).
    int MarkFailedBars(const SectionState* state);
    // The layer level (null without a beam).
    TLayerDriver* GetLayerDriver() { return m_layerDriver.get(); }

    // ---- Stiffness terms and plastic offsets (TQuarvish2000Stiffness.cpp) --------------------

    // Adds the longitudinal bars of direction 0 to the tangent stiffness K (rows N, M, V by
    // columns e_x0, phi, gamma, row-major): each bar's net stiffness k_net (its steel tangent
    // less the concrete it displaces) adds A k_net to K[0][0], A k_net z to K[0][1] and
    // K[1][0], and A k_net z^2 to K[1][1]; k_net is kept in the bar stiffness array.
    void AddBarStiffness(const SectionState& state, std::array<double, 9>& K);
    // EI of the state about depth 0 from node work array 0 and the bars' net stiffness (as
    // AddBarStiffness last left it), stored in Results[StateResult::FlexuralStiffness].
    // Returns 1.
    int ComputeFlexuralStiffness(SectionState& state) const;
    // Once a stage is accepted: the bars' plastic offsets and failed flags, the transverse
    // offset table and the principal-1 and principal-2 offset tables of the state.
    void UpdatePlasticOffsets(SectionState& state);
    // Mean modulus and mean strain of the direction-2 stirrups crossing the node's depth,
    // weighted by their ratios; flags stirrups strained to rupture. 0 (modulus 1.0) without
    // stirrups or width there, else 1.
    int StirrupStiffnessAt(const LayerNodeStateRec& node, double& meanModulus, double& meanStrain);
    // Starting profile of a solve at the constant axial load N0: the imposed strain lines
    // (shrinkage and thermal, x creep, strain discontinuity) and the axial strain of N0 less
    // the bars' prestressing force on the gross concrete section. gamma becomes 0.
    void EstimateInitialStrains(SectionState& state, double N0) const;
    // Starting profile of a solve at the forces N and M from the uncracked section, each
    // concrete region with its own modulus over its own area and each bar with its own: the
    // imposed strain lines as above, plus the plane profile that carries N and M less the
    // bars' prestressing force and its moment. For a section whose concretes differ widely
    // (a post-fire beam's hot and cold bands), where one modulus over the gross section
    // misses the strain by a wide margin. gamma becomes 0. False (the imposed strain lines
    // alone) when the section has no axial or bending stiffness.
    bool EstimateStrainsOnSection(SectionState& state, double N, double M) const;
    // ---- Set-up steps -------------------------------------------------------------------

    // Builds the layer mesh (Layers, LayerCount) from the beam copy; 1 when built, 0 without
    // a beam or when refused (more layers than the mesh holds: kMeshRefusedText is added to
    // the error list).
    int BuildLayerMesh();
    // Rebuilds the elastic "shear strain distribution" over the whole section.
    void BuildShearStrainDistribution();
    // Each table becomes the two pairs (top, 0) and (bottom, 0); return 1.
    int ResetClampingStressProfile();
    int ResetNonlinearStrainProfile();
    // Rebuilds the effective tensile-strength table (the working table): over the depth the
    // stress at which the concrete cracks, rising near each face from the type's f't to the
    // face stress of a flexural tension zone when the type's f't is automatic
    // (TQuarvish2000Setup.cpp).
    void BuildTensileStrengthTable();
    // The time-dependent set-up: when the beam carries time data, the long-term state is
    // solved and imposed on the beam (shrinkage, creep profile, bar strains) and the set-up
    // runs again. 1 when applied, 0 when the beam has no time data.
    int ApplyTimeDependentStrains(TBeam& beam);
    // The long-term strain state of a beam with time data (the beam itself is only read):
    // shrinkage and creep factors from the age at loading and the volume-to-surface ratio,
    // the section under the sustained loads, and the same section with creep-softened
    // concrete, relaxed tendons and shrinkage added. A state that cannot be solved leaves
    // both states' curvatures and strains 0. Returns 1.
    static int SolveTimeDependentStrains(const TBeam& structure, TimeDependentStrains& out);
    // Computes the section constant: (sum g G a)^2 / (sum g^2 G a) / (sum a) over the width
    // profile, g the shear-strain shape and G = Ec/2; 0.0 for a section without area.
    void ComputeSectionConstant();
    // True when the base set-up refused the structure (none, no regions, no height, or a
    // depth without concrete): then nothing is built and no state is solved.
    bool IsSetupRefused() const { return SetupRefused; }
    // True when the refusal was for want of a section (no regions, or no height).
    bool HasNoSection() const { return NoSection; }
    // Stores kNoSectionText in the error list, once, when the section is wanting, or the
    // structure's own account of a depth without concrete: the command that built the
    // analysis shows it, so the user learns why nothing was solved.
    void ReportNoSection();

    // ---- Section set-up and shear convergence (TQuarvish2000Setup.cpp,
    // TQuarvish2000Convergence.cpp) -------

    // Strain of a plane-section profile at depth y: e0 + phi y plus the beam's strain
    // discontinuity at y (flag to the discontinuity look-up).
    double StrainAtDepth(double e0, double phi, double y, int flag = 0) const;
    double StrainAtDepth(const SectionState& state, double y, int flag = 0) const;
    // Every node of the state gets the "shear strain distribution" at its depth. Returns 1.
    int SetNodeShearShape(SectionState& state) const;
    // Solves the state under the loads F0 + lambda dF from the initial strain estimate by the
    // curvature iteration, repeated (up to 24 times) while the shear-stress distribution
    // still changes. When neither start from the estimate converges, a third start takes
    // steps no larger than half the peak strain of the main concrete; when that fails too,
    // the state is reached through the imposed strains applied in steps, and failing that
    // through the loads, prestrains and imposed strains applied together in steps. Sets Valid;
    // answers Solve_Beam's result (0 failed).
    int SolveAtLoads(SectionState& state, double lambda);
    // A later road of a solve at given loads: the section's imposed strains (shrinkage and
    // thermal, creep, strain discontinuity, the bars' and stirrups' own) are applied in
    // growing fractions, each solve starting from the state of the last, up to the whole;
    // a fraction that fails is halved. The copy's strains are given back exactly as they
    // were. Answers Solve_Beam's result at the whole strains (0 failed, or nothing imposed).
    int SolveThroughImposedStrainSteps(SectionState& state);
    // The start of a solve at given loads when the others fail: the loads, the bars'
    // prestrains and the imposed strains are applied together in growing fractions, the
    // first solve starting from the profile of the uncracked section
    // (EstimateStrainsOnSection), each later one from the state of the last; a fraction that
    // fails is halved and one that succeeds doubles the next step. So the equilibrium is
    // followed up from the unloaded section, and a section that cannot carry the whole has
    // none. The copy's strains and the analysis's loads are given back exactly as they were.
    // Answers Solve_Beam's result at the whole loads (0 failed, or neither loads nor
    // prestrains to step).
    int SolveThroughLoadSteps(SectionState& state);
    // Solves a state on the load path by adjusting e0 (control 1) or phi (otherwise) until
    // the dependent force matches the load path (the load factor from component control, or
    // from V under shearControls). 0 failed; with shear 1, else the raw non-zero result.
    int ShearConvergenceLoop(
        SectionState& state, int resetSlope, int skipFailureTest, int shearControls, int control);
    // The fallback of a failed loop under moment control: phi held, e0 bracketed and bisected
    // until N matches the load path. 0 failed.
    int BisectReferenceStrain(SectionState& state, int shearControls);

    // ---- Curvature iteration (TQuarvish2000Iteration.cpp)
    // ------------------------------------------

    // The third argument of Solve_Beam that names no load component.
    static constexpr int kNoControl = 999;
    // Newton iteration on (e0, phi, gamma) of the state until N, M and V match the applied
    // forces. Mode 0: the controlled deformation stays and the load factor follows from the
    // internal force of component cv; mode 1: the state's load factor stays. Answers 1 (with
    // shear) or -2 (without) when converged, 0 when failed.
    int Solve_Beam(SectionState& state, int mode, int cv);
    // 3 x 3 tangent stiffness of the state (rows N, M, V; columns e0, phi, gamma), the
    // transverse direction condensed out at each node; fills node work arrays 0 to 3.
    std::array<double, 9> ComputeSectionStiffness(const SectionState& state);
    // The strain at peak stress (negative) of the concrete that scales the steps
    // (StepScaleConcrete): the main type's, or the strongest concrete's where the main type holds
    // less than half the concrete area; -0.002 without one. It bounds a Newton step and starts
    // the bracket of the reference strain, so that neither depends on which of a post-fire
    // section's equal bands the concrete list names first.
    double ScalePeakStrain() const;
    // The peak strain of smallest size among the concretes the regions name (negative);
    // ScalePeakStrain where no region names one.
    double LeastPeakStrain() const;
    // The concrete whose strength and peak strain scale the first steps of a response: the
    // main type where its regions hold at least half the concrete area, else the strongest
    // concrete the regions name (the sound concrete the steps are sized for), so that a
    // section banded into many types (a post-fire section) steps alike whichever band its
    // list names first. Null without concrete types.
    const ConcreteTypeRec* StepScaleConcrete() const;
    // Concrete area between the state's Top and Bottom; at least 1e-6.
    double ConcreteAreaInRange(const SectionState& state) const;

    // ---- Section stiffness integrals (TQuarvish2000Integrals.cpp)
    // ----------------------------------

    // Node work array k interpolated at depth y by the parabola through the three nodes of
    // the first layer of the state holding y; 0 outside the section or any layer.
    double InterpolateNodeWork(const SectionState& state, double y, int k) const;
    // Adds the concrete layers to K by Simpson's rule over the section widths, with the
    // width-taper correction in the moment row.
    void AddConcreteStiffness(const SectionState& state, std::array<double, 9>& K) const;
    // Force rates of the shear-strain mode through the "long. nonlinear distribution" times
    // V - Vp: dN, dM and dV. Returns 1.
    int ShearModeForceRates(const SectionState& state, std::array<double, 3>& out) const;
    // Solves K x = r for the corrections of (e0, phi, gamma) over the variables that matter
    // (mode 0 holds variable j). 0 when solved.
    int SolveProfileCorrection(std::array<double, 9> K,
                               std::array<double, 3>& x,
                               const std::array<double, 3>& r,
                               int mode,
                               int j) const;

    // ---- Shear-stress distribution -------------------------------------------------------

    // The shear-stress distribution that equilibrium asks of a solved state, by the
    // dual-section method: the strain rates along the member from the tangent stiffness,
    // the longitudinal stress rates integrated from the top down into the shear flow. Fills
    // the state's Profile (depth, shear stress) and bond stresses and reshapes the "shear
    // strain distribution" towards it: halfway, or further while the attempts at the same
    // state shrink the error steadily (see ShapeUpdateWeight). 0 when the rates cannot be
    // solved.
    int ComputeShearStressDistribution(SectionState& state);
    // Rates (e0', phi', gamma') of the dual section; the scale flag is cleared when the state
    // carries no net shear (a unit rate is solved instead). 1 on success.
    int SolveDualSectionGradients(SectionState& state, std::array<double, 3>& g, int& scaleFlag);
    // The rates g of K g = (-r1, R, -r3): K the tangent stiffness (rows N, M, V; columns e0,
    // phi, gamma), r the shear mode's force rates, R the net shear less r2 (R0) or, when that
    // is exactly 0, the unit right-hand side. When K is singular: gamma' = 0 and the N and M
    // rows give e0' and phi'; failing that, e0' = 0 and the M and V rows give phi' and gamma';
    // failing that, phi' = R0 / k11 alone. A fallback answers 1 only when the products it
    // checks (k00 e0' + k01 phi' and k20 e0' + k21 phi'; k01 phi' + k02 gamma' and
    // k21 phi' + k22 gamma'; k01 phi' and k21 phi') stay within |R| / 1000 (|R0| / 1000 for
    // the last), else 0.
    static int SolveDualSectionRates(const std::array<double, 9>& K,
                                     const std::array<double, 3>& rates,
                                     double R,
                                     double R0,
                                     std::array<double, 3>& g);
    // Scatter of the distribution against the layer solution's shear stress over 50 points,
    // relative to its mean (0.02 without a distribution, 0.009 times the tolerance factor
    // when the shear is too small to matter); failureMode receives ClassifyFailureMode of
    // the state.
    double ShearDistributionError(const SectionState& state, int& failureMode) const;
    // The scatter of ShearDistributionError alone, without the failure classification.
    double ShearScatter(const SectionState& state) const;
    // Share of the way from the layer solution's shear stress towards equilibrium's that the
    // next shape update moves, given the scatter of the state just solved: one half, the
    // damped update, unless the last update shrank the scatter by a ratio c of at least 0.3
    // and below 0.7. The error then behaves as a steady fixed point whose scatter falls to
    // c of itself per update of weight w, and the secant estimate w / (1 - c) of the weight
    // that removes it in one update is taken, bounded to [0.5, 1]. Remembers the scatter
    // and the weight for the next update.
    double ShapeUpdateWeight(double scatter);
    // ShearDistributionError of a state whose distribution ComputeShearStressDistribution
    // has just computed: the scatter that the update measured is answered again instead of
    // being measured twice. Any other state, or a second call, measures afresh.
    double ShearDistributionErrorAfterUpdate(const SectionState& state, int& failureMode);
    // Forgets the updates so far: the next update is the damped one. Called at each new
    // stage, whenever the shape is set from elsewhere, and before every pass of a solve at
    // given loads (which keeps the damped update).
    void ForgetShapeUpdates() { ShapeUpdates = {}; }
    // Scales the shear tolerances: the error at which a stage has converged, the shape
    // change at which a solve at given loads has settled, and the error answered for a
    // negligible shear (which must stay below the first). 1 by default; a smaller factor
    // gives the slower, nearly converged answer that the default one is checked against.
    void SetShearToleranceFactor(double factor) { ShearToleranceFactor = factor; }
    double GetShearToleranceFactor() const { return ShearToleranceFactor; }
    // The "Dual Section results" text of the latest state in the data view (debug level 2).
    void ShowDualSectionResults();
    // Energy absorbed between two states (part 2 total, 1 shear, 0 longitudinal; J/m).
    double ComputeEnergyIncrement(const SectionState* previous,
                                  const SectionState* current,
                                  int part) const;
    // Energy stored in one state (part 0 or 2; other parts 0).
    double SumStateOverReinforcement(const SectionState* state, int part) const;

    // ---- Read access ------------------------------------------------------------------------

    double GetSectionConstant() const { return SectionConstant; }
    const TDepthTable& GetClampingStressTable() const { return ClampingStress; }
    const TDepthTable& GetNonlinearDistributionTable() const { return NonlinearDistribution; }
    const TDepthTable& GetWorkingTable() const { return WorkingTable; }
    // Node work array k (0 .. 3); empty for another k or without structure.
    const std::vector<double>& GetNodeWork(int k) const;
    const std::vector<double>& GetBarStiffness() const { return BarStiffness; }
    int GetAttemptCount() const { return AttemptCount; }
    // Work done since construction: passes of the curvature iteration and layer solutions.
    struct SolveCounts {
        std::int64_t solveBeamPasses = 0;
        std::int64_t layerSolutions = 0;
    };
    const SolveCounts& GetSolveCounts() const { return Counts; }
    // What the base set-up answered when the constructor prepared the analysis.
    int GetPrepareResult() const { return PrepareResult; }

protected:
    TStructure* GetWritableStructure() override;
    TBeam* GetWritableBeam() { return m_beam.get(); }

    // True when a concrete region uses a type named "steel".
    bool HasSteelRegion() const;
    // Tells the layer level that the "shear strain distribution" was replaced; every change
    // of that table goes through BuildShearStrainDistribution or calls this.
    void ShearShapeChanged();
    // Strain at peak stress e'c of a concrete type; reported once and 0 for a bad index.
    double PeakStrainOf(int concreteType) const;
    // Stirrup limit: the largest of 0.01 and every direction-2 stirrup's rupture strain.
    double StirrupStrainLimit() const;
    // Compression limit: the smallest of -0.01 and 5 e'c of every concrete type.
    double CompressionStrainLimit() const;
    // Crushing test of one node: at its softened strength, or past its peak strain.
    bool IsNodeCrushing(const LayerNodeStateRec& node) const;
    // Node of a layer definition's id, reported once and null when it lies outside the state.
    const LayerNodeStateRec* NodeOf(const SectionState& state, std::uint32_t id) const;
    template <typename Visit>
    bool ForEachNodeTopFirst(const SectionState& state, int n, Visit&& visit) const;

    TDepthTable ClampingStress{"transverse clamping stress"};
    TDepthTable NonlinearDistribution{"long. nonlinear distribution"};
    // Per-node terms of the tangent stiffness, kMaxNodes each: 0 the concrete's longitudinal
    // tangent stiffness; 1 and 2 terms of the shear force rates; 3 kept for the assembly.
    std::array<std::vector<double>, kNodeWorkArrays> NodeWork;
    // Net tangent stiffness of each longitudinal layer of direction 0.
    std::vector<double> BarStiffness;
    int AttemptCount = 0;
    // What the shape update remembers of the previous update at the same stage.
    struct ShapeUpdateMemory {
        bool valid = false;
        double scatter = 0.0; // of the state the previous update started from
        double weight = 0.5;  // that update's weight
    };
    // The scatter of the distribution last computed, for the state it was computed for.
    struct MeasuredScatter {
        const SectionState* state = nullptr;
        double scatter = 0.0;
    };
    MeasuredScatter LastScatter;
    ShapeUpdateMemory ShapeUpdates;
    double ShearToleranceFactor = 1.0;
    // Set while the curvature iteration cuts each correction to half the peak strain of the
    // main concrete at the farthest fibre (the guarded start of a solve at given loads).
    bool LimitProfileSteps = false;
    // Set while the loads or imposed strains are stepped in (SolveInFractions): the cut of
    // LimitProfileSteps then takes half the smallest peak strain of the section's concretes
    // (LeastPeakStrain), whichever concrete the list names first.
    bool CutToLeastPeakStrain = false;
    // 100-point table of the section set-up: the effective tensile strength over the depth.
    TDepthTable WorkingTable;
    double SectionConstant = 0.0;
    int PrepareResult = 0;
    bool SetupRefused = false;
    bool NoSection = false;
    // Why the section was refused for a depth without concrete; empty otherwise.
    std::string MissingConcrete;
    SolveCounts Counts;
    // Forgets the last layer solution (its inputs are about to change), so that the next
    // finishing pass solves in full.
    void ForgetFinishedState() const { m_finished = {}; }

    // Last slope -dr/dx of this analysis's shear-convergence loop, kept from one call to the
    // next; kUndefined asks for a fresh measurement. Each analysis has its own, so that its
    // results do not depend on the analyses stepped before it.
    double ConvergenceSlope = 0.0;

private:
    static std::array<double, 3> ProfileOf(const SectionState& state);
    // The fractions of a stepped solve: the first (and, when grow is set, the largest: a step
    // that succeeds is doubled up to it), the smallest a failed step may be halved to, and
    // the most curvature iterations it takes.
    struct FractionSteps {
        double first;
        double least;
        int maxSolves;
        bool grow;
    };
    // The curvature iteration at growing fractions of what impose applies to the section,
    // each from the state of the last fraction solved and the first from the profile start
    // sets (false: no start, no solve); a fraction that fails is halved. Answers Solve_Beam's
    // result at the whole (0 when it is not reached). The caller gives back what it imposed.
    int SolveInFractions(SectionState& state,
                         const FractionSteps& steps,
                         const std::function<void(double)>& impose,
                         const std::function<bool(double)>& start);
    // The imposed strain lines of the starting profiles (shrinkage and thermal, x creep,
    // strain discontinuity) as e0 and phi; gamma becomes 0 (a zero profile without them).
    void EstimateImposedStrainLine(SectionState& state) const;

    std::unique_ptr<TBeam> m_beam;
    std::unique_ptr<TLayerDriver> m_layerDriver;
    // The state of the last layer solution, its profile, the solution's count and mode; null
    // when an input has changed since.
    struct FinishedSolve {
        const SectionState* state = nullptr;
        std::array<double, 3> profile{};
        std::int64_t serial = -1;
        int mode = 0;
    };
    mutable FinishedSolve m_finished;
    // The state's transverse offset and principal-strain offset tables at the nodes of the
    // section stiffness, kept while the tables and the node depths stay (a stage's stiffness
    // is asked for again and again with the same tables).
    std::array<TTableLookupMemo, 3> m_stiffnessTables;
};
