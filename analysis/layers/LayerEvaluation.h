#pragma once
// Solution of one layer node of a beam section and the stresses of its longitudinal bars.
//
// A node's longitudinal strain is fixed by the plane-section profile and its shear strain by
// the shear-strain distribution; its transverse strain StrainZ is unknown and is iterated
// until the transverse stress of the concrete plus the stirrups crossing the node equals the
// prescribed clamping stress. Each trial is evaluated by the MCFT element solver for the
// concrete and by the steel laws for the stirrups. A node without shear, clamping or imposed
// strain takes a direct uniaxial path.
//
// The layer driver calls these operations thousands of times per analysis, so the evaluator
// binds the structure once (the stirrup layers that can cross a node, their steel types and
// hoop geometry) and evaluates a node without allocating.
//
// Units: SI. Strains are ratios, positive in tension; stresses in Pa, positive in tension;
// depths in m, larger upwards.

#include <array>
#include <string>
#include <vector>

#include "analysis/element/McftElement.h"
#include "analysis/state/LayerNodeState.h"
#include "foundation/SmallSolvers.h"

class TBeam;
class TStructure;
struct ConcreteTypeRec;
struct SteelTypeRec;

// Plane-section strain profile: strain e0 at depth 0 and its slope (the curvature), so that
// the strain at depth y is e0 + slope y plus the structure's strain discontinuity at y.
struct StrainProfile {
    double e0 = 0.0;
    double slope = 0.0;

    bool operator==(const StrainProfile&) const = default;
};

// The failed flags of one analysis, in the lists the analysis keeps them: [0] one per bar of
// longitudinal list 0, [1] one per bar of list 1, [2] one per transverse layer of direction 2
// (non-zero = failed). A failed stirrup layer no longer counts at any node, and a failed bar
// answers the rupture mark without evaluating its law. The functions below read an index
// outside a list as "not failed" and drop a write to one.
using FailedFlagLists = std::array<std::vector<int>, 3>;
inline constexpr int kTransFlagList = 2;

// Sizes the lists from the structure's layer counts, every flag 0.
void ResizeFailedFlags(FailedFlagLists& flags, const TStructure& structure);
// Every flag 0, sizes kept.
void ClearFailedFlags(FailedFlagLists& flags);
// Bar i of list 0 or 1.
bool IsBarFailed(const FailedFlagLists& flags, int list, int i);
void SetBarFailed(FailedFlagLists& flags, int list, int i, bool failed);
// Transverse layer i of direction 2.
bool IsTransFailed(const FailedFlagLists& flags, int i);
void SetTransFailed(FailedFlagLists& flags, int i, bool failed);
// True when there is at least one transverse layer and every one has failed.
bool AllTransFailed(const FailedFlagLists& flags);

class TLayerEvaluator {
public:
    // Binds the section (the analysis's frozen copy) and the analysis's failed flags; both
    // must outlive the evaluator. Call Bind again when the section's layers or its strain
    // discontinuity change.
    TLayerEvaluator(const TBeam& beam, FailedFlagLists& flags);

    // Re-reads the stirrup layers of direction 2, the section height and whether the strain
    // discontinuity is zero everywhere.
    void Bind();

    const TBeam& Beam() const { return m_beam; }
    FailedFlagLists& Flags() { return m_flags; }
    const FailedFlagLists& Flags() const { return m_flags; }

    // Strain of the profile at depth y, the section's strain discontinuity included.
    double StrainAtDepth(const StrainProfile& profile, double y) const;

    // Solves a prepared node for transverse equilibrium. clampingRatio times |v| is the
    // prescribed transverse stress; x is the stirrups' unloading reference strain. Returns 1
    // when the node converged or took the uniaxial path, 0 when the iteration gave up (the
    // node keeps its last evaluated state) or the node's concrete type does not exist.
    int SolveNodeState(LayerNodeStateRec& node, double clampingRatio, double x);

    // The state of a node without shear: principal directions along x and z.
    void SolveUniaxialNode(LayerNodeStateRec& node);

    // Evaluates the stirrups and the concrete at the node's current strains and returns the
    // net transverse stress rho_z f_sz + f_cz. a and b go to the concrete law unchanged.
    double EvaluateTransverseStress(LayerNodeStateRec& node, double x, double a, double b);

    // The transverse row of the node's secant stiffness with the stirrups' stiffness
    // rho_z Esz added to K[1][1]; the other rows are zero. Esz receives the stirrups'
    // secant modulus (their tangent while the stirrup strain StrainZ + e0z is within 1e-6).
    void TransverseStiffness(
        Matrix3& K, const LayerNodeStateRec& node, double& Esz, double e0z, double x) const;

    // Stirrup ratio, average stress, effective yield stress and stress at a crack at the
    // node (fields StirrupRatio, StirrupStress, StirrupYieldStress, StirrupStressAtCrack);
    // fcr receives the mean crack stress. Returns the transverse reserve at a crack,
    // (max(f_y, f_cr) - f_sz) rho_z.
    double StirrupStatesAtNode(LayerNodeStateRec& node, double& fcr, double x) const;

    // Mean tangent modulus of the stirrups crossing a depth at transverse strain e, weighted
    // by area and hoop factor, times their effectiveness; 0 where none crosses.
    double StirrupTangentModulus(double depth, double e, double x) const;

    // Marks every stirrup layer across a node failed when the crack there is wider than
    // 25 mm under a shear stress above 1 kPa. Returns 1.
    int MarkRupturedStirrups(const LayerNodeStateRec& node);

    // Stress of longitudinal bar i of list d at the profile's strain plus extra: the smaller
    // of the average stress and the stress at a crack; 3.1415626e31 for a failed or ruptured
    // bar (or the crack stress when that is smaller). 0.0 for a bar that does not exist.
    double LongBarStress(const StrainProfile& profile, int i, double extra, int d, double x) const;

    // Area-weighted mean prestrain (dep - thermal strain) of the stirrups whose range strictly
    // contains the depth; 0 when their area is not positive.
    double StirrupInitialStrain(double depth) const;

private:
    // The transverse iteration of SolveNodeState (the crack angle is set by the caller).
    int IterateTransverseStrain(LayerNodeStateRec& node, double clampingRatio, double x, double e0z);

    struct StirrupLayer {
        int index = 0; // in the structure's transverse layers of direction 2
        double A = 0.0;
        double space = 0.0;
        double distbot = 0.0;
        double disttop = 0.0;
        double initial = 0.0; // dep - thermal strain
        bool hoop = false;
        const SteelTypeRec* steel = nullptr;
        double yieldStress = 0.0; // material factor x fy
        std::string title;
    };

    const ConcreteTypeRec* NodeConcrete(const LayerNodeStateRec& node) const;
    bool Crosses(const StirrupLayer& layer, double depth) const;
    static double HoopFactor(const StirrupLayer& layer, double depth);
    // Share of the stirrups that acts: full while their mean spacing is at most the section
    // height, none from three heights on.
    double Effectiveness(double areaPerLayer, double areaPerSpacing) const;
    // The section width at a depth; inside a node solution looked up once per node.
    double WidthAtNode(double depth) const;

    const TBeam& m_beam;
    const TStructure& m_structure;
    FailedFlagLists& m_flags;
    std::vector<StirrupLayer> m_stirrups; // every layer of direction 2, in order
    double m_height = 0.0;
    bool m_mainTypeNoCrackShear = false;
    bool m_hasDiscontinuity = false; // the beam's strain discontinuity is not zero
    // The section width at the node under solution, looked up once for its whole transverse
    // iteration (the depth of a node stays fixed while it runs); kept only inside
    // SolveNodeState.
    mutable bool m_inNodeSolution = false;
    mutable bool m_widthKnown = false;
    mutable double m_widthDepth = 0.0;
    mutable double m_width = 0.0;
    // The principal direction of the node's last element solution inside SolveNodeState,
    // for the stiffness that follows it.
    bool m_directionKnown = false;
    CrackDirection m_direction;
};
