#pragma once
// The values a member definition takes: the ranges the member pages accept as typed, and the
// same ranges held against every value a data document brings, so that a member that opens is
// one the pages could have made, and a document saved from it opens again the same.
//
// Ranges are in stored units (m, N m, N); the texts name a value in the document's units.

#include <string>

#include "foundation/TypedNumber.h"
#include "model/ValueLimits.h"

// Positions along the member, plate sizes and spans: 0 to the longest member. A typed position
// outside the member is moved into it by the page (heldByModel).
extern const TypedRange kMemberPositionRange;
// The moment of a diagram point, and the axial load that goes with a diagram.
extern const TypedRange kMemberMomentRange;
extern const TypedRange kMemberForceRange;

// The length a member not defined yet has, and the displacement location it reports at (a
// negative location is the middle of the member).
inline constexpr double kUndefinedMemberLength = -1.0;

// Empty when the value lies within the range (a document keeps its numbers to a millionth, so
// a bound written and read back is within it); else what is wrong with it, e.g.
//   The member has a length of -1700 mm: a member takes 0 to 1000000 mm.
//   Point 2 of the live moment diagram has a moment of 1e+200 kN m: a member takes at most
//   1000000 kN m.
// record names the part of the member, what the value ("a length"); the value is shown in unit
// kind range.kind of the document's unit system.
std::string UnheldMemberValue(const std::string& record,
                              const char* what,
                              double value,
                              const TypedRange& range,
                              const int* unitSystem);
