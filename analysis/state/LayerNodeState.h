#pragma once
// The solved state at one node of a section's layer mesh.
//
// Every layer of the mesh has a top, a middle and a bottom node (neighbouring layers share
// their boundary node); a section state holds one record per node id. The record carries
// the strains at the node depth, the inputs read from the section and the analysis for that
// depth, and the concrete and stirrup state solved by the Modified Compression Field Theory.
//
// Units: SI. Strains are ratios, positive in tension; stresses in Pa, positive in tension
// (f'c and compressive stresses are negative); lengths and depths in m, a larger depth
// lying higher in the section; angles in radians.

#include <cstdint>

struct SectionState;
struct SteelTypeRec;
class TStructure;

struct LayerNodeStateRec {
    double StrainX = 0.0;          // total longitudinal strain (plane-section profile at the depth)
    double StrainZ = 0.0;          // total transverse strain, solved for transverse equilibrium
    double ShearStrain = 0.0;      // ShearStrainShape x the state's shear-strain factor
    double Strain1 = 0.0;          // principal tensile strain, FreeStrain1 included
    double Strain2 = 0.0;          // principal compressive strain, FreeStrain2 included
    double CrackAngle = 0.0;       // theta: pi/2 when the principal tensile direction is x
    double ConcStressX = 0.0;      // concrete stress f_cx
    double ConcStressZ = 0.0;      // concrete stress f_cz
    double ConcShearStress = 0.0;  // concrete shear stress v
    double ConcStress1 = 0.0;      // principal tensile stress f1, after every crack limit
    double ConcStress2 = 0.0;      // principal compressive stress f2
    double ConcStress2Max = 0.0;   // softened compressive strength f2max
    double ShearStrainShape = 0.0; // "shear strain distribution" at the depth
    double StirrupStress = 0.0;    // average stirrup stress f_sz (kUndefined: all ruptured)
    double StirrupStressAtCrack = 0.0; // stirrup stress at a crack f_szcr (kUndefined as above)
    double StirrupYieldStress = 0.0;   // effective stirrup yield stress, material factor applied
    double StirrupRatio = 0.0;         // transverse reinforcement ratio rho_z
    double CriticalRatio = 0.0;        // "critical rho for strain concentration" at the depth
    double Stress1AtCrack = 0.0;       // f1 + |v_ci| / tan(theta)
    double SpareValue = 0.0;           // -kUndefined after every node evaluation
    double CrackWidth = 0.0;           // w, 0 while uncracked
    double CrackSpacingTheta = 0.0;    // s_theta normal to the cracks, 0 while uncracked
    double CrackSpacingX = 0.0;        // s_x, controlled by the longitudinal reinforcement
    double CrackSpacingZ = 0.0;        // s_z, controlled by the transverse reinforcement
    double CrackShearStress = 0.0;     // shear stress on the crack v_ci
    double CrackShearLimit = 0.0;      // largest shear stress the crack carries, v_ci,max
    double Depth = 0.0;                // depth co-ordinate of the node
    double FreeStrainX = 0.0;          // imposed stress-free longitudinal strain
    double FreeStrainZ = 0.0;          // imposed stress-free transverse strain
    double FreeStrain1 = 0.0;          // imposed strain in the principal tensile direction
    double FreeStrain2 = 0.0;          // imposed strain in the principal compressive direction
    std::uint16_t CrackCheckCode = 0;  // outcome of the crack check, see CrackCheck
    std::int16_t ConcreteType = 0;     // index of the node's concrete type in the structure
    double TensionLimit = 0.0;         // upper limit of f1 from cracking and the crack check
    double ReserveX = 0.0;             // longitudinal reserve at a crack (Pa)
    double ReserveZ = 0.0;             // transverse reserve at a crack (Pa)
    double TensionStiffFactor = 0.0;   // tension-stiffening coefficient given to the concrete law
    double LocalTensileStrength = 0.0; // tensile-strength profile at the depth
    std::uint32_t AxesSwapped = 0;     // non-zero exchanges the x and z reserves of the bound
    // Average and crack stress of the x reinforcement of a membrane element (its y
    // reinforcement uses StirrupStress and StirrupStressAtCrack); the beam nodes leave them 0.
    double SteelStressX = 0.0;
    double SteelStressXAtCrack = 0.0;

    bool operator==(const LayerNodeStateRec&) const = default;
};

// Values of LayerNodeStateRec::CrackCheckCode: what limited f1 at a crack.
namespace CrackCheck {
inline constexpr std::uint16_t None = 0;         // not limited, or uncracked
inline constexpr std::uint16_t Average = 1;      // by ReserveX sin^2 + ReserveZ cos^2
inline constexpr std::uint16_t CrackLimit = 2;   // by Lx or Lz, crack shear below its limit
inline constexpr std::uint16_t LimitXSlip = 3;   // by Lx, crack shear at its limit
inline constexpr std::uint16_t LimitZSlip = 4;   // by Lz, crack shear at its limit
inline constexpr std::uint16_t DecayFloor = 5;   // raised to the tension-decay floor
inline constexpr std::uint16_t Unmatched = 1000; // reduced, matching no limit within 1 Pa
} // namespace CrackCheck

// Codes by which views and the depth interpolation read a node quantity.
namespace LayerQuantity {
inline constexpr int ConcShearStress = 9876;
inline constexpr int ConcStressX = 9877;
inline constexpr int CrackSpacingX = 9878;
inline constexpr int StirrupStress = 9879;
inline constexpr int CrackAngle = 9880;
inline constexpr int CrackWidth = 9881;
inline constexpr int CrackSpacingZ = 9882;
inline constexpr int FreeStrainX = 9883;
inline constexpr int StrainX = 9884;
inline constexpr int ShearStrain = 9885;
inline constexpr int Strain1 = 9886;
inline constexpr int ShearStrainShape = 9887;
inline constexpr int ReserveX = 9888;
inline constexpr int First = ConcShearStress;
inline constexpr int Last = ReserveX;
} // namespace LayerQuantity

inline bool IsLayerQuantityCode(int code)
{
    return code >= LayerQuantity::First && code <= LayerQuantity::Last;
}

// The node field selected by a quantity code; 0.0 for a code outside 9876 ... 9888.
double LayerNodeQuantity(const LayerNodeStateRec& node, int code);

// Starting value of a node's transverse strain: the imposed transverse strain unchanged.
// The state, node id and depth are part of the contract but not used.
double
InitialTransverseStrain(const SectionState* state, double freeStrainZ, int nodeId, double depth);

// Node operations of the beam-section analysis, on the analysis's copy of the structure.

// The steel type of longitudinal layer i of direction d (0 x, 1 y). No type (null, without a
// message) for any other direction, for an index outside the layers (negative ones
// included) or for a layer whose steel type index is outside the structure's types.
const SteelTypeRec* GetLongLayerSteelType(const TStructure& structure, int i, int d);

// Sets node.TensionStiffFactor from the node's concrete type (node.ConcreteType): with
// tension-stiffening code 7 the smaller of the structure's tension-stiffening profiles of
// directions 2 and 0 at node.Depth, otherwise the type's own coefficient. Returns false and
// leaves the node unchanged when the index names no concrete type of the structure.
bool SetNodeTensionStiffFactor(const TStructure& structure, LayerNodeStateRec& node);

// The structure's crack spacing of direction d at the depth; that of direction 0 is capped
// at the section height.
double CrackSpacingAtDepth(const TStructure& structure, double depth, int d);
