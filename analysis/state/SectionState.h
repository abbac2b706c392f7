#pragma once
// SectionState: one solved state of a section, stored by every analysis and read by every view.
//
// A state is a heap object owned through a holder (std::unique_ptr<SectionState>): a stage
// slot of an analysis or a local. A null holder means "no state", and every reader treats a
// state whose Valid is 0 as absent. A state owns all its arrays and depth tables; copies are
// deep (CopySectionState of the analysis), and a hand-over moves the owner (MoveSectionState).
//
// Layer arrays: a state made for solving holds full-size arrays (FullSizeArrays = 1:
// GetMaxNodeCount node records and GetMaxLayerCount layer definitions of its analysis), so
// the layer driver can split layers without reallocating. A state kept only for reading may
// hold exact arrays: LayerCount definitions and 2 LayerCount + 1 node records. The checked
// accessors below never read past either.
//
// Units: SI (strains as ratios, stresses in Pa, forces in N, moments in N m, depths in m).

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/state/LayerDefRec.h"
#include "analysis/state/LayerNodeState.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"

// Named entries of SectionState::Results. The entries not named here are result slots that
// the solver stages write and the views read.
namespace StateResult {
inline constexpr int ReferenceStrain = 0; // e_x0, the plane-section strain at depth 0
inline constexpr int Curvature = 1;       // phi; the strain at depth y is e_x0 + phi y
inline constexpr int ShearStrain = 2;     // shear deformation gamma
inline constexpr int AxialForce = 3;      // N of the solved state
inline constexpr int Moment = 4;          // M
inline constexpr int Shear = 5;           // V
// Resultants of the section integration: the concrete and the steel force and the depth of
// each one's line of action.
inline constexpr int ConcreteForce = 6;
inline constexpr int ConcreteDepth = 7;
inline constexpr int SteelForce = 8;
inline constexpr int SteelDepth = 9;
inline constexpr int AppliedAxial = 11;  // Na, the required N on the load path
inline constexpr int AppliedMoment = 12; // Ma, the required M
inline constexpr int AppliedShear = 13;  // Va, the required V
// Signed resultants of a finishing layer solution (0 after a trial pass): the compressive and
// the tensile force, the depths of their lines of action and the shears they carry.
inline constexpr int CompressiveForce = 14;
inline constexpr int CompressiveDepth = 15;
inline constexpr int TensileForce = 16;
inline constexpr int TensileDepth = 17;
inline constexpr int CompressiveShear = 18;
inline constexpr int TensileShear = 10;
inline constexpr int DrapedShear = 19; // Vp, the shear term of the inclined tendons
inline constexpr int LoadFactor = 20;  // lambda
// EI about depth 0 (N m^2) of ComputeFlexuralStiffness
inline constexpr int FlexuralStiffness = 21;
inline constexpr int Count = 22;
} // namespace StateResult

// Which of the four per-bar arrays of LongBarValues: list 0 first and second, list 1 first
// and second. The first array of a list holds the bar stresses (kRupturedStress or more marks
// a ruptured bar, kUndefined no value).
namespace BarArray {
inline constexpr int List0Stress = 0;
inline constexpr int List0Second = 1;
inline constexpr int List1Stress = 2;
inline constexpr int List1Second = 3;
} // namespace BarArray

// One point of an envelope list: a running extreme of a node quantity and its depth.
struct EnvelopePoint {
    double value = 0.0;
    double depth = 0.0;
    bool operator==(const EnvelopePoint&) const = default;
};

struct SectionState {
    // Entries in the order the stored states have always kept them.
    int Valid = 0;      // 1 once stored as a solved stage; 0 = absent to every reader
    int LayerCount = 1; // n, layers of the mesh that LayerDefs holds
    std::array<double, StateResult::Count> Results{};
    // Per-bar values of longitudinal lists 0 and 1, indexed by BarArray; each at least 1 long.
    std::array<std::vector<double>, 4> LongBarValues;
    // One flag per transverse layer of direction 2; non-zero = failed layer.
    std::vector<int> TransLayerFlags;
    // Two further per-bar arrays of list 0; the first holds each bar's bond stress.
    std::array<std::vector<double>, 2> LongBarExtra;
    // Shear-stress distribution over the depth; made on first use.
    std::unique_ptr<TDepthTable> Profile;
    // Envelopes over the load history: running maximum and minimum of the node shear strain
    // and of the node transverse strain.
    std::array<std::vector<EnvelopePoint>, 4> PointLists;
    std::array<double, 10> Summary{};
    // Depth range that carries shear (the layer solution's shear-zone levels): the bars and
    // the concrete in it count for the section stiffness and the shear-stress distribution.
    double Top = 0.0;
    double Bottom = 0.0;
    std::vector<LayerNodeStateRec> NodeStates; // indexed by node id
    std::vector<LayerDefRec> LayerDefs;
    // Average shear strain; kUndefined until computed. A cache that the const readers fill.
    mutable double AvgShearStrain = kUndefined;
    int FullSizeArrays = 0;
    int BelowMaximum = 0; // kept by the interaction-line pruning though below the maximum
    int Refinable = 1;    // 0: never refined by inserting intermediate stages
    // Per-bar plastic offset strains of longitudinal directions 0, 1 and 2; present (sized by
    // the layer count) only for the directions the structure has.
    std::array<std::vector<double>, 3> DirectionValues;
    // Transverse plastic offset strain over the depth; present when the structure has a
    // transverse direction.
    std::unique_ptr<TDepthTable> TransProfile;
    // Principal-1 and principal-2 plastic offset strains over the depth; always present.
    std::unique_ptr<TDepthTable> DepthTableA;
    std::unique_ptr<TDepthTable> DepthTableB;
    // Section tangent stiffness, rows N, M, V by columns e_x0, phi, gamma.
    std::array<double, 9> Extra{};
    std::array<double, 5> Limits{-1.0, -1.0, -1.0, -1.0, -1.0};
    // The shear that the concrete layers' shear stresses carry (the sum over the layers of
    // v b dz), held as four factors whose product it is: the mean shear stress, the width over
    // which it acts (the concrete area of the layers that carry shear over their depth), that
    // depth, and 1. All 0 for a state without shear; a positive width marks a block. Written
    // with the signed resultants by a finishing layer solution.
    std::array<double, 4> ShearBlock{};
    // The longitudinal tension the shear causes per unit of that shear: over the web between
    // the lines of action of the compressive and the tensile resultant (the whole depth when
    // the state lacks one of them), the sum of v b dz cot(theta), theta the node's crack angle,
    // over the magnitude of the sum of v b dz: the web's mean cot(theta), 1 for a web cracked
    // at 45 deg whichever way the shear acts. 0 for a state without shear.
    double NvRatio = 0.0;

    // ---- Checked access -------------------------------------------------------------------

    // Node record of a node id; null for an id outside the array (negative ids included).
    LayerNodeStateRec* NodeState(int id);
    const LayerNodeStateRec* NodeState(int id) const;
    // Layer definition i; null outside 0 .. min(LayerCount, array size) - 1.
    LayerDefRec* LayerDef(int i);
    const LayerDefRec* LayerDef(int i) const;
    // Layers that are both counted and held: min(LayerCount, LayerDefs size), at least 0.
    int UsableLayerCount() const;
    // Value i of a per-bar array (BarArray); kUndefined ("no value") outside the array.
    double BarValue(int array, int i) const;
    // Result entry i; 0.0 outside 0 .. StateResult::Count - 1.
    double Result(int i) const;
};

using SectionStateHolder = std::unique_ptr<SectionState>;

// Frees the held state and nulls the holder. Before it goes, every panel chart that shows the
// state is detached through the installed redraw hook, so no view keeps a pointer to it.
// Returns 0 for an empty holder, else 1.
int FreeSectionState(SectionStateHolder& holder);

// Frees the destination's state, hands the source's state to the destination and nulls the
// source. Returns 1.
int MoveSectionState(SectionStateHolder& source, SectionStateHolder& destination);

// ---- Redraw hook ----------------------------------------------------------------------------
//
// The view layer installs a hook that detaches every panel chart attached to a given state;
// computing code calls RedrawPanelChart before a state is freed. Without a hook nothing happens.

using PanelChartHook = std::function<void(const SectionState*)>;

// Installs the hook (an empty function removes it); returns the previous one.
PanelChartHook SetRedrawPanelChartHook(PanelChartHook hook);
// Calls the installed hook with the state; returns 1.
int RedrawPanelChart(const SectionState* state);

// Installs a hook for the lifetime of the guard.
class ScopedRedrawPanelChartHook {
public:
    explicit ScopedRedrawPanelChartHook(PanelChartHook hook)
        : m_previous(SetRedrawPanelChartHook(std::move(hook)))
    {
    }
    ~ScopedRedrawPanelChartHook() { SetRedrawPanelChartHook(std::move(m_previous)); }
    ScopedRedrawPanelChartHook(const ScopedRedrawPanelChartHook&) = delete;
    ScopedRedrawPanelChartHook& operator=(const ScopedRedrawPanelChartHook&) = delete;

private:
    PanelChartHook m_previous;
};
