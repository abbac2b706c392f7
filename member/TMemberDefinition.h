#pragma once
// The full-member (pushover) definition: one reinforced or prestressed concrete member between
// two supports, the sections along it, its plates and end anchorages, and the live and dead
// bending-moment diagrams that load it.
//
// A plain value record, copied whole. Positions are metres from the left end of the member,
// moments N m, forces N. Two positions closer than kSamePosition are the same point. The
// sections are slots of the structure table, reached through a TStructureSlots.

#include <array>
#include <cstdint>

#include "model/TMemberQuickDef.h"

class TStructure;
class TStructureSlots;

inline constexpr int kMaxMemberZones = 128;
inline constexpr int kMaxDiagramPoints = 128;
inline constexpr double kSamePosition = 0.0001;

// Indices of the two moment diagrams.
inline constexpr int LiveDiagram = 0;
inline constexpr int DeadDiagram = 1;

// Support kinds (the words are those of the data document).
namespace SupportType {
inline constexpr int Undefined = 0;
inline constexpr int FixedEnd = 1;
inline constexpr int Roller = 2;
inline constexpr int FixedVerticalRoller = 3; // a vertical roller that does not rotate
inline constexpr int Pin = 4;
} // namespace SupportType

// End anchorage of the longitudinal bars.
namespace AnchorageType {
inline constexpr int Undefined = 0;
inline constexpr int Perfect = 1;
inline constexpr int StraightBar = 2;
inline constexpr int YieldPenetrate = 3;
} // namespace AnchorageType

// A zone begins at startX and runs to the next zone's start (the last one to the length).
struct MemberZone {
    double startX = 0.0;
    int32_t structureIndex = 0;
};

// parabolic = 1: the point belongs to a uniformly loaded stretch (three flagged points make a
// parabola). Two points at the same x make a jump.
struct MomentPoint {
    double x = 0.0;
    double moment = 0.0;
    int32_t parabolic = 0;
};

struct TMemberDefinition {
    double length = -1.0; // -1: not defined yet
    int32_t deadLoadConstant = 1;
    double topPlateSize = 0.15;
    double leftPlateSize = 0.15;
    double leftPlateLocation = 0.0; // midpoint of the left support
    double rightPlateSize = 0.15;
    double rightPlateLocation = 0.0;
    int32_t leftSupport = SupportType::Roller;
    int32_t rightSupport = SupportType::FixedVerticalRoller;
    int32_t leftDirect = 1; // 1: bears directly from below
    int32_t rightDirect = 1;
    int32_t topDirect = 1; // 1: load applied on top, 0: hung from below
    int32_t leftAnchorage = AnchorageType::Perfect;
    int32_t rightAnchorage = AnchorageType::Perfect;
    double yieldPenetrationConstant = 0.022;
    int32_t zoneCount = 1;
    std::array<MemberZone, kMaxMemberZones> zones{};
    std::array<int32_t, 2> pointCount{};
    std::array<double, 2> axialLoad{};
    std::array<std::array<MomentPoint, kMaxDiagramPoints>, 2> diagrams{};
    double displacementLocation = -0.5; // where the deflection is reported
};

// The global definition that the document, the dialogs and new member analyses share.
extern TMemberDefinition g_MemberDefinition;

// The definition's defaults (length -1, displacement location -0.5). Returns 1.
int ResetMemberDefinition(TMemberDefinition& d);

// The slot of the table's first section: its first beam, else its first structure of any
// kind, else 0 for an empty table. An empty slot never stands for a section.
int FirstSectionSlot(const TStructureSlots& slots);

// From a quick record; h is the height of the current structure of the table. The one zone
// keeps the section the definition's first zone named while that section is in the table,
// else it takes the table's first section. Returns 1.
int SetMemberFromQuickDefinition(const TStructureSlots& slots, TMemberQuickDef q, TMemberDefinition& d);
// A default member around the section (left roller at h/3, line of symmetry 4h further on),
// made of that section.
int SetMemberDefinitionFromSection(const TStructureSlots& slots, TMemberDefinition& d, const TStructure& s);
TMemberQuickDef GetQuickDefinitionFromMember(const TMemberDefinition& d);
// True when the definition survives the trip to a quick record and back unchanged (the trip
// keeps the section of its one zone), or unchanged as a document of the active units keeps the
// two: a quick member read from its document is one.
bool IsQuickDefinable(const TStructureSlots& slots, const TMemberDefinition& d);

// 1 equal, 0 different (the yield-penetration constant and displacement location are not
// compared).
int EqualMemberDefinitions(const TMemberDefinition& a, const TMemberDefinition& b);

// Zone index at x, or -1. With lastToLength the last zone ends at the length; otherwise it
// runs to length + 0.0002 and the length itself is not tested apart.
int FindMemberZone(const TMemberDefinition& d, double x, bool lastToLength = true);
// The section of the zone at x; null (after a message) when none.
TStructure* GetStructureAtPosition(const TStructureSlots& slots, const TMemberDefinition& d, double x);
// Gross concrete area of a section (m^2).
double GetGrossConcreteArea(const TStructure& s);
// Distributed load at x (N/m): the self weight at 24 kN/m^3, less the support reactions spread
// over their plates when withReactions is set.
double GetMemberLoadIntensity(const TStructureSlots& slots,
                              const TMemberDefinition& d,
                              double x,
                              double leftReaction,
                              double rightReaction,
                              int withReactions);

// Room for every break point: the zone starts, the length and three per support.
inline constexpr int kMaxBreakPoints = kMaxMemberZones + 1 + 6;
// Zone starts, the length and the support plate positions, sorted ascending. Returns 1.
int ListMemberBreakPoints(const TMemberDefinition& d,
                          std::array<double, kMaxBreakPoints>& xs,
                          int& count,
                          int& platesUsable);

// M = a2 x^2 + a1 x + a0 through points i..i+2 of diagram k; 1 when they form a parabolic
// stretch (coefficients 0 when the points are singular), else 0.
int FitParabolicSegment(int k, int i, double& a2, double& a1, double& a0, const TMemberDefinition& d);

// A shear diagram: a step polyline of (x, V) pairs, a step stored as two pairs at one x.
inline constexpr int kMaxShearPoints = 2 * kMaxDiagramPoints + 2;
struct ShearPoint {
    double x = 0.0;
    double v = 0.0;
};
using ShearDiagram = std::array<ShearPoint, kMaxShearPoints>;
// V = -dM/dx of diagram k. Returns 1.
int SampleShearDiagram(const TMemberDefinition& d, int k, ShearDiagram& out, int& count);

// Replaces diagram k by the self-weight moment diagram. 0 (diagram unchanged, after a
// message) when the supports leave no span or the diagram would not fit; else 1.
int GenerateSelfWeightDiagram(const TStructureSlots& slots, TMemberDefinition& d, int k);

// Repairs positions and supports that do not fit together, one message per repair. Returns 1.
int CheckMemberGeometry(TMemberDefinition& d);
