#pragma once
// Tension zones of a section and the longitudinal reserve at cracks.
//
// Between cracks the concrete in tension carries stress; at a crack that stress must pass
// through the bars. Before the nodes of a section state are solved, these operations find
// the depth range that carries shear (FindShearZoneLimits) and the tension zones at the two
// faces, with the moment the bars there can still add at a crack and the longitudinal
// reserve profile over the depth: the stress per unit concrete area that the bars can still
// add at a crack (BuildReserveProfile). MarkFailedBars copies a state's failed-bar marks into
// the analysis's flags. The stresses of the bars at cracks after the solution are in
// CrackStresses.h.
//
// Conventions: depths are structure co-ordinates (up positive); strains and stresses are
// positive in tension. The net strain at depth z is the profile strain (discontinuity
// included) less the imposed free strain GetInitialStrainAt(z, 0); a point or bar is in
// tension when its net strain is above 0. Moments are about the crossing depth (N m).
//
// None of these keeps state of its own: each reads the state, the section and the
// analysis's tensile-strength profile and writes only the reserve profile and the failed
// flags. Nothing allocates per call except what the reserve profile's table needs on its
// first fill.

#include "analysis/layers/LayerEvaluation.h"

struct SectionState;
struct ConcreteTypeRec;
struct LongLayerRec;
class TBeam;
class TDepthTable;

// Texts shown when a tension-zone integral that must be divided by is not positive.
inline constexpr const char* kNoZoneAreaText = "This should indeed be impossible!";
inline constexpr const char* kNoZoneLinearText = "This should also be impossible!";
inline constexpr const char* kNoZoneFaceText = "This should be impossible!";

class TTensionZones {
public:
    // Crossing depths standing for "no crossing: the whole depth is in tension".
    static constexpr double kWholeDepthFromTop = -1000.0;
    static constexpr double kWholeDepthFromBottom = 1000.0;
    // DepthAtStrain's answer for a flat profile.
    static constexpr double kNoDepth = -1000.0;

    // The evaluator gives the structure, the failed flags, the strain discontinuity and the
    // bar stresses; it must outlive this object.
    explicit TTensionZones(TLayerEvaluator& evaluator);

    // The analysis's tensile-strength profile f't(z) (null: 0 everywhere); not owned.
    void SetTensileStrengthProfile(const TDepthTable* table) { m_tensileStrength = table; }

    // Copies the failed marks of a valid state into the analysis's flags and answers 1; with
    // no state or an invalid one clears every flag and answers 0.
    int MarkFailedBars(const SectionState* state);

    // The upper and lower levels of the depth range that carries shear, for bar list d.
    void FindShearZoneLimits(const SectionState& state,
                             int d,
                             double& upperLevel,
                             double& lowerLevel) const;

    // Finds the tension zones at the two faces, fills profile with the reserve at a crack over
    // the depth (largest depth first, sorted flag set) and answers the governing zone's
    // reserve moment and crossing depth.
    void BuildReserveProfile(const SectionState& state,
                             double& reserveMoment,
                             double& crossingDepth,
                             TDepthTable& profile,
                             int d);

    // Fits the stress of one tension zone, linear from s2 at the crossing z0 to s3 at the
    // face, to the moment demand F about z0 (side 0: zone from z0 up to the top; 1: from z0
    // down to the bottom). fa and fb are the uniform and the peak factors of f't.
    void FitTensionZoneStress(double F,
                              double z0,
                              double& s1,
                              double& s2,
                              double& s3,
                              double fa,
                              double fb,
                              int side) const;

    // Depth at which the profile, offset by b, reaches the target strain; kNoDepth when the
    // profile is flat (|slope| <= 1e-8). The discontinuity taken is the one at the top.
    double DepthAtStrain(const StrainProfile& profile, double target, double b, int flag) const;

    // The next depth below z (side 1) or above z (side 0) where the net strain may change
    // slope (TBeam::GetStrainStepAt), kept inside the section and strictly beyond z so that
    // a scan over the depth always ends.
    double NextStrainBreak(double z, int side) const;

    // Scans from a face (downwards for side 1, upwards for side 0) over the breaks of the
    // net strain to the far face; answers true with the depth where the strain turns from
    // tension to compression, false when it stays tensile throughout.
    bool FindTensionCrossing(const StrainProfile& profile,
                             double face,
                             double farFace,
                             int side,
                             double& crossing) const;

    // ---- Queries shared with the stresses at cracks ---------------------------------------

    TLayerEvaluator& Evaluator() const { return m_evaluator; }
    // Net strain at z: the profile strain less the imposed free strain.
    double NetStrainAt(const StrainProfile& profile, double z) const;
    bool InTension(const StrainProfile& profile, double z) const
    {
        return NetStrainAt(profile, z) > 0.0;
    }
    // The tensile-strength profile at z (0 without one).
    double TensileStrengthAt(double z) const;
    // Cracking strain of a type at a depth: max(f't(z) / Ec, e_cr).
    double CrackingStrain(const ConcreteTypeRec& type, double z) const;
    // Concrete type i of the section; null for an index outside its types.
    const ConcreteTypeRec* ConcreteTypeOf(int index) const;
    // The bar-term factor: 1 for a beam section, else height x ratio / A.
    double BarFactor(double ratio, double area) const;
    // Stress at a crack of bar i of list d by its steel law at the state's strain.
    double BarCrackStress(const SectionState& state, int i, int d) const;

private:
    // One tension zone of the reserve profile: its crossing depth, the concrete's f't there,
    // and its fitted stresses (uniform s1, s2 at the crossing, s3 at the face).
    struct FittedZone {
        double crossing = 0.0;
        double ftAtCrossing = 0.0;
        double s1 = 0.0;
        double s2 = 0.0;
        double s3 = 0.0;
    };

    const ConcreteTypeRec* RegionConcrete(int region) const;
    const ConcreteTypeRec* ConcreteAtCrossing(double z) const;

    // Steps of FindShearZoneLimits.
    double StiffBarTangent(const SectionState& state,
                           const StrainProfile& profile,
                           int d,
                           int i,
                           const LongLayerRec& layer) const;
    double OutermostStiffBarEdge(const SectionState& state,
                                 const StrainProfile& profile,
                                 int d,
                                 double crackingDepth,
                                 bool above,
                                 double sign) const;
    double CrackedFaceLevel(const SectionState& state,
                            const StrainProfile& profile,
                            const ConcreteTypeRec& type,
                            int d,
                            int side) const;
    void BoundByCrushedFace(const StrainProfile& profile,
                            const ConcreteTypeRec& first,
                            const ConcreteTypeRec& last,
                            double& upper,
                            double& lower) const;
    bool CrushesInsideOnly(const SectionState& state) const;

    // Steps of BuildReserveProfile.
    bool FindTensionZones(const StrainProfile& profile, double& zT, double& zB) const;
    void ZoneDemands(const SectionState& state,
                     int d,
                     double zT,
                     double zB,
                     double& demandTop,
                     double& demandBottom) const;
    void HalfTensileStrengths(double& ftUpper, double& ftLower) const;
    void FillReserveProfile(TDepthTable& profileTable,
                            const FittedZone& topZone,
                            const FittedZone& bottomZone,
                            bool wholeDepth) const;

    TLayerEvaluator& m_evaluator;
    const TBeam& m_beam;
    const TStructure& m_structure;
    const TDepthTable* m_tensileStrength = nullptr;
};
