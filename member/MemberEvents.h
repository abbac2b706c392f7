#pragma once
// Member events: the load levels at which a section first cracks, yields its longitudinal or
// transverse reinforcement, opens cracks of 0.4 mm and 1 mm, or reaches the concrete's peak
// strain at its top or bottom. Each event has a measure in a solved state that passes 1.0
// when the event has happened; the analysis's event search brackets the crossing between
// stages and keeps the events found as its event curve (curve 25, x = event code).

#include <string>
#include <vector>

class TSectionalAnalysis;
class TStructure;
struct SectionState;

namespace MemberEvent {
inline constexpr int Cracking = 0;          // principal tensile strain / cracking strain
inline constexpr int LongitudinalYield = 1; // bar strain / yield strain
inline constexpr int Crack04 = 2;           // crack width / 0.4 mm
inline constexpr int Crack1 = 3;            // crack width / 1 mm
inline constexpr int TransverseYield = 4;   // stirrup strain / yield strain
inline constexpr int TopPeakStrain = 5;     // top strain / e'c of the top concrete
inline constexpr int BottomPeakStrain = 6;  // bottom strain / e'c of the bottom concrete
inline constexpr int Count = 7;
} // namespace MemberEvent

inline constexpr int kEventCurveId = 25;

// The legend name of an event code (label markup); "" for a code without a name.
const char* MemberEventName(int code);

// The measure of event `code` in the state; 1 when it exceeds 1.0, else 0. The analysis
// gives the structure and the plane-section strain (with its strain discontinuities).
int GetMemberEventRatios(const TSectionalAnalysis& analysis, const SectionState& state, int code, double& ratio);
// The same on a structure; strains at a depth from the state's plane profile.
int GetMemberEventRatios(const TStructure& structure, const SectionState& state, int code, double& ratio);

// "Legend", the strength envelope and one line per recorded event of the analysis's event
// curve, each with the next legend symbol ('d', 'e', ...). Returns 0.
int DescribeMemberEvents(TSectionalAnalysis& analysis, std::string& text);
// The legend for the event codes in the order recorded; none gives the first line only.
std::string MemberEventLegend(const std::vector<int>& codes, bool hasCurve);
