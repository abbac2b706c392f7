#pragma once
// The widest values a section is built from: physical bounds far beyond any real section, held
// so that nothing computed from a value overflows. The material and reinforcement list pages
// take typed values within them, and the import of predecessor sheets refuses a cell past them.

#include <string>

// The largest magnitude of a value of unit kind `kind` (foundation/Units.h), in SI units:
// lengths 1000 m, areas 1 m^2, strains 10, stresses and moduli 1e12 Pa, any other value 1e9.
double LargestSectionValue(int kind);

// The most concrete types, and the most steel types (bars and strands together), a section holds:
// what a document keeps, so the material pages take no more and every reader refuses more.
inline constexpr int kMaxMaterialTypes = 1000;

// The least elastic modulus a bar or strand keeps (Pa): checking a steel type raises a smaller
// one to it and derives its yield strain from it. A steel by its own curve takes the curve's.
inline constexpr double kLeastSteelModulus = 1e6;

// The oldest concrete the long-term analysis takes (years of 365 days).
inline constexpr double kMaxConcreteAgeYears = 1000.0;

// What the member pages take of a member (member/MemberLimits.h): the longest member (m), within
// which lie its positions, plates and spans; the moment at the left end of the shear span as a
// fraction of the one at its right end; the yield-penetration factor as the pages show it, per
// display stress unit.
inline constexpr double kMaxMemberLength = 1000.0;
inline constexpr double kMaxMomentRatio = 10.0;
inline constexpr double kMaxShownYieldPenetration = 1e6;
// Stress ratio of the unit system to MPa (1 in SI): the yield-penetration factor is stored per
// MPa and shown per display stress unit.
double YieldPenetrationRatio(int unitSystem);
// The largest yield-penetration factor (stored, per MPa) the pages take in any unit system.
double LargestYieldPenetration();

// A value of unit kind `kind` (SI) past LargestSectionValue, told as the checks below tell it
// after what it is ("a strain of 2e+04 mm/m: a section takes at most 10000 mm/m", given "a
// strain"); empty when held.
std::string UnheldSectionValue(const char* what, double value, int kind);

class TStructure;
struct ConcreteTypeRec;
struct SteelTypeRec;

// The first value of a material type a section cannot hold, told as UnheldValueText tells it
// after the type's name ("an elastic modulus of 1.1e+06 MPa: a section takes at most 1000000
// MPa"); empty when every value is held. The value-list page refuses a curve whose derived
// values one of these tells, and the steel pages a type they are about to store. A user curve's
// points past the strain a section holds are told first ("a stress-strain point with a strain of
// 1e+09 mm/m: ..."), and a concrete's user-defined curve without a point of stress next: the
// values derived from such a curve are none anybody gave. A steel curve without stress is held
// (the curve of a bar a fire has burnt out).
std::string UnheldConcreteValue(const ConcreteTypeRec& c);
std::string UnheldSteelValue(const SteelTypeRec& t);

// The first value of the structure that is no number or larger than LargestSectionValue of its
// kind (a value past it by two billionths of it or less is held: what the pages take at the
// bound they show, and what a document gives back of a value at the bound in any unit system),
// or a bar's or strand's elastic modulus below 1 MPa, the least such a steel keeps: of its
// material types, concrete regions, layers of bars, tendons and stirrups, loads and shrinkage
// and strain-discontinuity profiles, told with the record it belongs to, by its own name, in the
// display units (a concrete's f'c and e'c as positive magnitudes):
//   Steel type 1 ("Grade 400") has a yield strength of 6e+258 MPa: a section takes at most
//   1000000 MPa.
//   Transverse layer 1 ("legs") has a thermal strain of 2.5e+263 mm/m: a section takes at
//   most 10000 mm/m.
// A beam's long-term settings (the age, within 0 to kMaxConcreteAgeYears, and the sustained
// loads, within kMaxTypedMoment and kMaxTypedForce) and the fire settings (model/FireDefaults.h)
// are held to what their dialogs store, and so is the member a beam carries (its quick record,
// where it is a number: what is no number, or negative, is made whole by CompleteMemberValues):
//   The long-term analysis has an age of 2.7e+197 years: a section takes 0 to 1000 years.
//   The section's member has a shear span of 1e+30 mm: a section takes at most 1000000 mm.
// More material types than kMaxMaterialTypes are told first ("The section has 1001 concrete
// types: a section holds at most 1000."). Empty when every value is held. The pages take no
// value past these, and every reader refuses a file that brings one, so that what a section
// holds, a document keeps and reads back.
std::string UnheldValueText(const TStructure& s);

// The same for the material types alone, as a reader has set them: told before checking the
// types derives values from others (a bar's yield strain from its modulus) and holds them to
// their ranges, it names the value the file gives rather than one derived from it:
//   Steel type 1 ("Grade 400") has an elastic modulus of 0 MPa: a section takes at least 1 MPa.
std::string UnheldMaterialText(const TStructure& s);

class TBeam;

// The moment-axis heights (m above the bottom of the beam's last region, as the beam keeps its
// axis) at which every depth a document keeps of the section (its regions, bars, stirrups and
// depth profiles) lies within LargestSectionValue(ukSectionLength) of the axis, as the datum
// moves them: [low, high], within the heights the beam keeps. False for a section without
// regions, which no axis moves.
bool HeldMomentAxisRange(const TBeam& beam, double& low, double& high);
