#pragma once
// How a membrane element's state sits in a SectionState.
//
// A membrane stage is a SectionState whose node 0 is the element state; no other node is used.
// The node's x-z fields of the beam mesh stand for the element's x-y plane:
//   StrainX e_x, StrainZ e_y, ShearStrain g_xy; ConcStressX f_cx, ConcStressZ f_cy,
//   ConcShearStress v_cxy; SteelStressX / SteelStressXAtCrack f_sx / f_sxcr;
//   StirrupStress / StirrupStressAtCrack f_sy / f_sycr; CrackSpacingX / CrackSpacingZ s_x / s_y;
//   ReserveX / ReserveZ the excess steel capacities of x and y at a crack; AxesSwapped the flag
//   rho_x <= rho_y.
// Per bar of x (list 0) and y (list 1): LongBarValues holds the average stress (BarArray
// List0Stress / List1Stress) and the stress at a crack (List0Second / List1Second);
// DirectionValues[0] and [1] the bars' plastic offset strains, carried from stage to stage.
// Extra holds the 3 x 3 matrix of the last iteration, row-major.
//
// Units: SI (stresses in Pa, strains as ratios, angles in radians).

#include "analysis/state/SectionState.h"

namespace MembraneResult {
// Computed element stresses (concrete plus steel).
inline constexpr int SigmaX = StateResult::AxialForce;
inline constexpr int SigmaY = StateResult::Moment;
inline constexpr int TauXY = StateResult::Shear;
// Applied stresses, the targets of the state solve.
inline constexpr int AppliedX = StateResult::AppliedAxial;
inline constexpr int AppliedY = StateResult::AppliedMoment;
inline constexpr int AppliedXY = StateResult::AppliedShear;
inline constexpr int LoadFactor = StateResult::LoadFactor;
} // namespace MembraneResult

// A steel stress that is not available for this state (the node pane shows it so).
inline constexpr double kNotAvailable = 1.5707813e31;

// The element state of a stage: node 0 (null when the state holds no node).
inline LayerNodeStateRec* ElementNode(SectionState& state)
{
    return state.NodeState(0);
}
inline const LayerNodeStateRec* ElementNode(const SectionState& state)
{
    return state.NodeState(0);
}
