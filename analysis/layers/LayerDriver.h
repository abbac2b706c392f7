#pragma once
// The layer solution of one trial section state.
//
// SolveLayerStates turns a state whose plane-section strain profile (strain e0 at depth 0 and
// slope, plus the structure's strain discontinuity) and shear-strain factor the caller has
// set into a fully evaluated one, in this order:
//   1. the analysis's unrefined layer mesh is copied into the state;
//   2. every longitudinal bar of direction 0 is evaluated at the profile;
//   3. the shear-zone levels (the state's Top and Bottom: the depth range that carries
//      shear and in which the bars count for the section stiffness) and the longitudinal
//      reserve profile are found;
//   4. every mesh node is prepared from the section's depth profiles and solved for
//      transverse equilibrium;
//   5. layers are split where f1 or f2 departs from the parabola through the layer's three
//      nodes by more than 0.2 % of the largest |f1| (|f2|) of the mesh, or where cracking
//      starts inside a layer;
//   6. N, M, V and the shear of the draped bars are integrated into the state;
//   7. modes 101 and 102 add the bar stresses at cracks, the signed resultants and the shear
//      block with the N_v ratio; any other mode (the trial passes use 100) clears them.
// Every call starts again from the unrefined mesh, so refinements never carry over between
// trials; the refined mesh and node states stay in the state until it is solved again.
//
// The driver keeps all its scratch (the reserve profile, the bar geometry) for the life of the
// analysis, so a call allocates nothing once the state holds full-size arrays.
//
// Units: SI. Forces N, moments N m about depth 0 (depths larger upwards, so compression at the
// top gives a negative moment), stresses Pa, strains positive in tension.

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/layers/CrackStresses.h"
#include "analysis/layers/LayerEvaluation.h"
#include "analysis/layers/TensionZones.h"
#include "analysis/state/LayerNodeState.h"
#include "foundation/TDepthTable.h"

class TMessageBuffer;

class TBeam;
struct LayerMesh;
struct SectionState;

// Modes of SolveLayerStates.
namespace LayerSolveMode {
inline constexpr int Trial = 100;     // inside every iteration: crack stresses cleared
inline constexpr int Finish = 101;    // after an iteration: crack stresses and resultants
inline constexpr int FinalBeam = 102; // the final pass of the curvature iteration
} // namespace LayerSolveMode

// Text and caption shown when a layer split would go past the layer capacity (the driver's
// own limits keep it from asking).
inline constexpr const char* kTooManyLayersText = "whoa, too many layers, relax a bit! ";
inline constexpr const char* kTooManyLayersCaption = "ERROR";

// At debug level 1 every layer solution ends with the question "Debug On:\n<the current
// message text>\nLeave on?" (Yes/No, stop icon); No switches debug mode off.
inline constexpr const char* kLayerDebugCaption = "Layer Solution";

// Shows a solved state in the result views when the current analysis has a working stage;
// answers non-zero when it did (then the debug question follows). Installed by the window
// layer; without one the debug prompt shows nothing.
using LayerDebugDisplay = std::function<int(const SectionState&)>;
LayerDebugDisplay SetLayerDebugDisplay(LayerDebugDisplay display);
// Shows the state through the installed display; 0 when there is none.
int ShowStateInViews(const SectionState& state);

// Absolute shear (N) above which a solved state makes the analysis consider shear.
inline constexpr double kShearFlagThreshold = 100.0;

// The analysis's depth profiles that the node preparation reads (not owned; null or empty
// tables read as 0).
struct LayerDriverProfiles {
    const TDepthTable* shearStrainDistribution = nullptr; // shape of the shear strain
    const TDepthTable* clampingStress = nullptr;          // transverse clamping ratio
    const TDepthTable* tensileStrength = nullptr;         // effective f't(z)
};

// The layer level of one beam-section analysis: the node evaluator, the tension zones, the
// stresses at cracks and the driver that runs them over a section state.
class TLayerDriver {
public:
    // The beam (the analysis's frozen copy), its mesh, the analysis's failed flags and the
    // profiles must outlive the driver. shearFlag (may be null) is the analysis's flag that
    // HasShear reports; the driver sets it to 1 when a solved state carries more than
    // kShearFlagThreshold of shear and never clears it.
    TLayerDriver(const TBeam& beam,
                 const LayerMesh& mesh,
                 FailedFlagLists& flags,
                 LayerDriverProfiles profiles,
                 int maxLayerCount,
                 int maxNodeCount,
                 int* shearFlag);
    TLayerDriver(const TLayerDriver&) = delete;
    TLayerDriver& operator=(const TLayerDriver&) = delete;

    // Re-reads the beam's bars, stirrups and tables (call after its layers change; the
    // constructor calls it).
    void Bind();

    TLayerEvaluator& Evaluator() { return m_evaluator; }
    TTensionZones& Zones() { return m_zones; }
    const TCrackStresses& CrackStresses() const { return m_crackStresses; }

    // Evaluates the state as described above. Always returns 0; the results are in the state.
    // A state whose arrays are smaller than the capacities is given full-size arrays first.
    int SolveLayerStates(SectionState& state, int mode);

    // The finishing part (mode 101 or 102: stresses at cracks, signed resultants, shear
    // block) of a state whose last solution was this driver's last call, a trial pass (mode
    // 100) of the same profile with the same inputs: the nodes, the reserve profile and the
    // crack angles before their wrap are that call's. Always returns 0.
    int FinishTrialSolution(SectionState& state, int mode);

    // Replaces layer i of the state's n layers by its upper and lower halves, whose middle
    // nodes are the already solved nodes k and k + 1; layers i + 1 ... n - 1 move down one
    // place. The mask marks the halves still to be tested (1 upper, 2 lower). Refused with
    // kTooManyLayersText when no layer is free; returns 1 when split.
    int SplitLayer(SectionState& state, int i, int n, int k, int mask) const;

    // Section integration over the state's layers (Simpson's rule with the section widths,
    // the width varying linearly through each layer) and the bars of direction 0, each bar's
    // displaced concrete taken out. Writes the state's concrete and steel resultants (force
    // and depth of its line of action; both 0 for a force of exactly 0).
    void IntegrateSectionForces(
        SectionState& state, double& N, double& M, double& V, double& tendonShear) const;
    // The same sums split by sign: compressive and tensile force, their depths and shears.
    void ComputeSignedResultants(SectionState& state) const;
    // The state's shear block and N_v ratio (see SectionState) from its layers' shear stresses
    // and crack angles, integrated as V is, the ratio over the web between the lines of action
    // of the state's signed resultants; both cleared when the layers carry no shear.
    void ComputeShearBlock(SectionState& state) const;
    // Clears the signed resultants, the shear block and the N_v ratio (a trial pass).
    static void ZeroSignedResultants(SectionState& state);

    // The text the debug prompt shows (the analysis's trace text; not owned, may be null).
    void SetTraceText(const TMessageBuffer* text) { m_traceText = text; }

    // The analysis replaced its "shear strain distribution": the nodes read it again.
    void ForgetShearShape() { ++m_shapeGeneration; }

    // Node solutions since construction (mesh nodes and refinement trials).
    std::int64_t NodeEvaluations() const { return m_nodeEvaluations; }

private:
    struct BarGeometry {
        double z = 0.0;
        double A = 0.0;
        double cosine = 1.0; // of the drape angle atan(drape)
        double sine = 0.0;
    };

    // The inputs of a node that depend only on its depth and concrete type, kept by node id
    // while the beam, its mesh and the profiles bound to the driver stay (Bind forgets them;
    // the shear-strain shape is read again after ForgetShearShape).
    struct NodeInputs {
        bool filled = false;
        double depth = 0.0;
        int concreteType = 0;
        double freeStrainX = 0.0;
        double freeStrainZ = 0.0;
        double crackSpacingX = 0.0;
        double crackSpacingZ = 0.0;
        double tensileStrength = 0.0;
        double criticalRatio = 0.0;
        double tensionStiffFactor = 0.0;
        double clamping = 0.0;
        std::uint64_t shapeGeneration = 0;
        double shearStrainShape = 0.0;
    };
    const NodeInputs& InputsAt(int id, double depth, int concreteType);

    // Fills the node's inputs for its depth and concrete type and solves it. strainZ is the
    // starting transverse strain of a refinement trial node (nullptr: the mesh node's own).
    void PrepareAndSolveNode(SectionState& state,
                             LayerNodeStateRec& node,
                             int id,
                             double depth,
                             int concreteType,
                             const double* strainZ);
    void SolveMeshNodes(SectionState& state);
    void RefineLayers(SectionState& state);
    // Tests the two halves of layer i with trial nodes k and k + 1; returns the split mask.
    int TestLayer(SectionState& state, int i, int n, int k);
    bool IsCracked(const LayerNodeStateRec& node) const;
    void WrapCrackAngles(SectionState& state) const;
    void KeepCrackAngles(const SectionState& state);
    void DebugPrompt(SectionState& state) const;

    const TBeam& m_beam;
    const LayerMesh& m_mesh;
    TLayerEvaluator m_evaluator;
    TTensionZones m_zones;
    TCrackStresses m_crackStresses;
    LayerDriverProfiles m_profiles;
    int m_maxLayerCount = 0;
    int m_maxNodeCount = 0;
    int* m_shearFlag = nullptr;
    const TMessageBuffer* m_traceText = nullptr;

    // Bound from the structure.
    std::vector<BarGeometry> m_bars; // longitudinal layers of direction 0
    const TDepthTable* m_criticalRho = nullptr;
    bool m_stirrupUnloadingFromState = false; // fewer than 2 transverse layers of direction 2
    double m_height = 0.0;

    // Node inputs of the mesh nodes by node id, and of refinement trials by their depth.
    std::vector<NodeInputs> m_inputs;
    // Open-addressed by a hash of the depth, kTrialSlots slots, emptied when half full.
    static constexpr std::size_t kTrialSlots = 4096;
    std::vector<NodeInputs> m_trialInputs;
    std::size_t m_trialCount = 0;
    NodeInputs& TrialSlot(double depth, int concreteType);
    std::uint64_t m_shapeGeneration = 1;

    // Per-call working values.
    TDepthTable m_reserveProfile{"longitudinal reserve"};
    // Whether the reserve profile and the state's transverse offsets hold only zeros.
    struct ZeroTable {
        bool zero = false;
        double lower = 0.0;
        double upper = 0.0;
        static ZeroTable Of(const TDepthTable* table);
        double Lookup(const TDepthTable* table, double depth) const;
    };
    ZeroTable m_reserveZero;
    ZeroTable m_unloadingZero;
    // Of the last call: the reserve moment and crossing depth of the reserve profile, and
    // the crack angles before their wrap (trial passes only).
    double m_reserveMoment = 0.0;
    double m_crossingDepth = 0.0;
    std::vector<double> m_keptAngles;
    StrainProfile m_profile;
    double m_shearFactor = 0.0;
    double m_tol1 = 0.0;
    double m_tol2 = 0.0;
    std::int64_t m_nodeEvaluations = 0;
};
