#pragma once
// The quick-define builder: a handful of answers (a title, three strengths, a shape with up to
// six dimensions, top and bottom bar counts and sizes, a stirrup kind, a strand count and
// prestrain) kept in one record, and the build that turns them into a complete beam section:
// concrete and steel types, concrete regions, bar layers in rows or rings, strand rows,
// stirrups, zero constant loads and a unit moment increment.
//
// The record holds SI values whatever the active unit system: lengths in m, stresses in Pa,
// strains as ratios. The wizard pages edit it as the user types. Nothing here opens a window:
// the one warning goes through the reporting interface.

#include <array>
#include <string>

#include "foundation/TypedNumber.h"

class TBeam;
class TStructure;

// Stirrup kinds, the positions of the wizard's stirrup list.
namespace QuickStirrup {
inline constexpr int None = 0;
inline constexpr int SingleLeg = 1;
inline constexpr int Open = 2;
inline constexpr int Closed = 3;
inline constexpr int Hoop = 4;
inline constexpr int THeaded = 5;
inline constexpr int Interlocking = 6;
} // namespace QuickStirrup

// Reinforcement layouts: bars in rows, one ring, two rings, a catalogue girder with its slab.
namespace QuickLayout {
inline constexpr int Rows = 0;
inline constexpr int OneRing = 1;
inline constexpr int TwoRings = 2;
inline constexpr int Girder = 3;
} // namespace QuickLayout

// Longest title and author the record keeps.
inline constexpr std::size_t kQuickTitleChars = 99;
inline constexpr std::size_t kQuickAuthorChars = 19;
// The catalogue-type search of a loaded section walks this many catalogue slots.
inline constexpr int kQuickStandardSlots = 200;

struct TQuickDefData {
    std::string title = "New Cross Section";
    std::string analysedBy;
    double fc = -35e6;     // Pa, either sign; the build stores it negative
    double fyLong = 4e8;   // Pa
    double fyTrans = 4e8;  // Pa
    int strandKind = 1;    // 0-4, position in the strand list
    std::array<double, 6> dim{0.25, 0.6, 0.0, 0.0, 0.0, 0.0}; // m
    int shapeCode = 0;     // library index, or the catalogue / user-outline code
    int standardIndex = -1;
    int topCount = 1;
    int topBar = -1;       // catalogue index; -1: sized by topArea
    double topArea = 0.0;  // m^2
    int bottomCount = 3;
    int bottomBar = -1;
    double bottomArea = 0.0;
    int stirrupKind = QuickStirrup::THeaded;
    int stirrupBar = -1;
    double stirrupArea = 0.0;
    double stirrupSpacing = 0.25; // m
    double cover = 0.04;          // m, clear cover to the outermost steel
    int strandCount = 0;
    double strandPrestrain = 0.0065;
    int isNew = 1;
    int countsUntouched = 1;
    // Working values of the last build (m).
    double sectionBottom = 0.0;
    double sectionTop = 0.0;
    double sectionHeight = 0.0;
};

// The typed answers of the record and the ranges they are held to (stored units; strengths,
// the cover, the stirrup spacing and areas by magnitude, their signs being dropped).
namespace QuickField {
inline constexpr int Fc = 0, FyLong = 1, FyTrans = 2, Dim0 = 3, Cover = 9, Spacing = 10, Prestrain = 11;
inline constexpr int TopArea = 12, BottomArea = 13, StirrupArea = 14, Counts = 15, Count = 16;
} // namespace QuickField
// Counts of bars and strands the record takes.
inline constexpr int kMaxQuickCount = 999;
const TypedRange& QuickFieldRange(int field);
const char* QuickFieldName(int field);
// The first answer of the record outside its range (QuickField numbering); a record the wizard
// would refuse builds nothing.
TypedRefusal CheckQuickDefine(const TQuickDefData& q);

// Whether the wizard shows dimension k (0-5) of the record's shape as a number: a library
// shape shows its parameters, a catalogue girder its haunch and slab (the first edit names the
// girder's type), a user outline all six.
bool QuickDimShown(const TQuickDefData& q, int k);
// Brings every dimension the wizard does not show into its range (one outside it is set to
// 0), so that a value the user cannot see never keeps the record from being built.
void BringHiddenDimsIntoRange(TQuickDefData& q);

// The one record of the program.
extern TQuickDefData g_QuickDefData;

// The record's defaults in a unit system (0 SI, 1 US, 2 kg-cm; others as SI). Bars are looked
// up by name in the bar catalogue: a missing name gives entry 0, or -1 for an empty catalogue.
TQuickDefData QuickDefineDefaults(int unitSystem);

// Index of the named bar in the catalogue; 0 when it is missing but the catalogue has entries,
// -1 for an empty catalogue.
int QuickBarIndex(const std::string& name);

// Reinforcement layout of the record's shape: 3 for a catalogue girder, 0 for a user outline,
// the library shape's own otherwise.
int QuickDefineLayout(const TQuickDefData& q);

// With the new-section flag set: the record gets the defaults of the active unit system.
// Otherwise it is refilled from the beam (LoadQuickDefineFromBeam). Returns 1.
int ResetQuickDefine(TStructure& beam);
// Fills the record from a section of positive height, after warning that quick define changes
// an existing section only roughly; does nothing and returns 0 for a section without height.
int LoadQuickDefineFromBeam(TStructure& beam);
// Replaces the beam's content by the section the record describes and validates it.
// Returns 1 (a frozen beam refuses each write on its own); 0 and nothing changed when
// CheckQuickDefine refuses the record.
int BuildQuickDefineSection(TStructure& beam);

// The record's new-section flag (the program-wide flag that readers and new sections set).
int GetQuickDefineNewFlag();
void SetQuickDefineNewFlag(int flag);

// Helpers of the build, public for the tests.
// Diameter and area of a catalogue bar, or of a bar of the given area for index -1; the area
// is at least 1e-8 m^2 and the diameter at least 0.0001 m.
void ResolveBarSize(int index, double area, double& diameter, double& barArea);
// Top (topFlag set) or bottom of the concrete regions and that region's width there.
void FindSectionExtreme(const TBeam& beam, double& depth, double& width, int topFlag);
// Catalogue names of the record's strand and its area when the catalogue lacks it (m^2).
std::string QuickStrandName(int strandKind, int unitSystem);
double QuickStrandFallbackArea(int strandKind);
