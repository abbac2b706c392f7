#pragma once
// One reinforced-concrete element by the Modified Compression Field Theory.
//
// Given the in-plane strains of an element (longitudinal x, transverse z, shear gamma) and
// its imposed free strains, these operations find the principal strains and the crack angle,
// the concrete principal stresses from the concrete laws, the crack width, the shear a crack
// can carry and the limits the reinforcement reserves place on the average tension at a
// crack; and they give the element's secant and tangent stiffness. None of them iterates:
// each evaluates the element at the strains it holds. The unknown strains are found by the
// callers' loops, which call these thousands of times per analysis, so nothing here
// allocates or looks anything up.
//
// Conventions: SI; tension positive (f'c and compressive stresses negative); theta is the
// angle between the z axis and the principal tensile direction, pi/2 when that direction is
// x; the principal tensile direction is (sin theta, cos theta) in (x, z), so
//   e1 = ex sin^2 + ez cos^2 + gamma sin cos,   v = (f1 - f2) sin cos.
// Net principal strains are e1 = Strain1 - FreeStrain1, e2 = Strain2 - FreeStrain2.
// Every concrete stress carries the concrete material factor phi_c.

#include "analysis/state/LayerNodeState.h"
#include "foundation/SmallSolvers.h"
#include "model/ModelSettings.h"

struct ConcreteTypeRec;

// The stiffness matrices are 3 x 3, rows and columns over (x, z, gamma): entry [r][c] is
// the change of stress r (f_cx, f_cz, v) with strain c (ex, ez, gamma). They can be handed
// to SolveLinear3 as they are.

// g_CrackingReductionOption (model/ModelSettings.h): while not 0 the cracking stress is
// reduced under transverse compression; the concrete model-set selection sets it.

// Sets element.TensionLimit to the cracking stress max(f't, LocalTensileStrength) phi_c,
// reduced by beta = 1.05 - f2 / (f2max - 1) (within 0.05 ... 1; 0.05 once past the
// compressive peak strain) while g_CrackingReductionOption is set and the type is not named
// "steel"; then caps ConcStress1 at it. Returns the cracking strain to use: beta times
// max(LocalTensileStrength / Ec, the type's cracking strain), or that strain unreduced.
double ConcreteTensionLimit(const ConcreteTypeRec& type, LayerNodeStateRec& element);

// The directions of the principal strains of an element by the Mohr circle: sine and
// cosine of the crack angle theta the element stores (1.5707963267945 - atan2(gamma,
// ex - ez) / 2, the stored half pi a little below pi / 2) and t = tan(theta) clamped to
// 1e-6 ... 1e6 in magnitude. They come from the strains by square roots and one division,
// with the small offset of the stored half pi carried to first order, so they agree with
// the sine, cosine and tangent of the stored angle to a few units in the last place.
struct CrackDirection {
    double sine = 0.0;
    double cosine = 1.0;
    double tangent = 1e-6;
};

// The full element state at the element's current strains (fields written: Strain1,
// Strain2, FreeStrain1, FreeStrain2, CrackAngle, ConcStress1, ConcStress2, ConcStress2Max,
// TensionLimit, CrackWidth, CrackSpacingTheta, CrackShearLimit, CrackShearStress,
// CrackCheckCode, Stress1AtCrack, ConcShearStress, ConcStressX, ConcStressZ). Returns
// t = tan(theta), its magnitude clamped to 1e-6 ... 1e6. a and b are handed to the concrete
// law unchanged (the beam-section path passes 0 and 0).
// direction, when given, receives the sine, cosine and tangent the solution used, and the
// caller takes over the crack angle: CrackAngle is left as it was, to be set with
// CrackAngleOf once the caller's iteration over the element's strains has ended.
double SolveMcftElement(const ConcreteTypeRec& type,
                        LayerNodeStateRec& element,
                        double a,
                        double b,
                        CrackDirection* direction = nullptr);

// The crack angle SolveMcftElement stores for the element's current strains:
// 1.5707963267945 - atan2(gamma, (StrainX - FreeStrainX) - (StrainZ - FreeStrainZ)) / 2.
double CrackAngleOf(const LayerNodeStateRec& element);

// The secant stiffness of the solved element: E1 = f1 / e1 and E2 = f2 / e2 in the
// principal directions (Ec phi_c at zero strain) with the shear term
// G = E1 E2 / (E1 + E2 + 1) + 1, turned into x, z, gamma. Multiplied by the element's net
// strains it gives back f_cx, f_cz and v. With rowOnly, only the z row ([1][0], [1][1], [1][2])
// is written and the other entries are left as they were.
void SecantStiffnessMatrix(Matrix3& matrix,
                           const ConcreteTypeRec& type,
                           const LayerNodeStateRec& element,
                           bool rowOnly);
// The same for an element just solved by SolveMcftElement, with the direction that solution
// gave (no trigonometric calls).
void SecantStiffnessMatrix(Matrix3& matrix,
                           const ConcreteTypeRec& type,
                           const LayerNodeStateRec& element,
                           bool rowOnly,
                           const CrackDirection& direction);

// The tangent stiffness of the solved element. The terms of the principal tensile direction
// follow what limited f1 (CrackCheckCode): the concrete law's tangent when nothing did; the
// reinforcement terms Dx and Dz when a reserve did; the slope of the crack-shear limit when
// the shear on the crack is at its limit. Near-zero diagonal entries become 1.0 so that the
// matrix can be solved. a and b are handed to the concrete law unchanged.
void SolveMcftLayer(Matrix3& matrix,
                    const ConcreteTypeRec& type,
                    const LayerNodeStateRec& element,
                    double Dx,
                    double Dz,
                    double a,
                    double b);
