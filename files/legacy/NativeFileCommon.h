#pragma once
// What the readers of the old native binary files (versions 0.5, 0.7 and 0.8) share: the
// default member information, the checks of counts and type indices, and the refusal texts.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "files/legacy/ByteRecord.h"
#include "files/legacy/LegacyReadResult.h"
#include "model/StructureRecords.h"
#include "model/TMemberQuickDef.h"
#include "model/materials/MaterialTypes.h"

class TBeam;

// Revisions of a beam's stored section data: what the old native readers leave, and what
// the predecessor import leaves.
inline constexpr int kNativeFileRevision = 31166;
inline constexpr int kPredecessorRevision = 31164;

// Fills the member information from the beam's height, its increment moment M and shear V
// and its constant axial load N: L = 0.85 h - M / V (2.7 h without shear), at least 0.5 h;
// penetration 0.022 m, plates 0.15 m, every other value 0. The reserved word is kept.
void SetDefaultMemberInfo(const TBeam& beam, TMemberQuickDef& info);

// A double from a file stored in a single-precision field, held within its range.
float ToStoredFloat(double value);

// A type index from a file: kept when it names one of count types, else 0 with a line in the
// load-error log naming what refers to it.
int CheckedTypeIndex(int index, int count, const std::string& owner);

// The refusal of a file that ends inside a block.
LegacyReadResult FileEndsInside(const ByteSource& source, const std::string& block);
// The refusal of a count that is negative or larger than the reader's capacity.
LegacyReadResult BadCount(const ByteSource& source,
                          const std::string& what,
                          std::int64_t count,
                          std::int64_t capacity);
// Takes count records of the width, or refuses the file when the count is negative, above the
// capacity or not all of the records are there.
LegacyReadResult TakeRecords(ByteSource& source,
                             std::int64_t count,
                             std::int64_t capacity,
                             std::size_t width,
                             const std::string& what,
                             std::vector<ByteRecord>& records);
// One line in the load-error log when floating-point fields held no number.
void ReportNonFinite(const ByteSource& source);

// Bar count and catalogue entry of a longitudinal layer given by its area and diameter (the
// layer's dep decides between bars and strands); of a transverse layer by its bar area.
void MatchLongLayerBars(LongLayerRec& layer);
void MatchTransLayerBar(TransLayerRec& layer);

// Longest concrete-type name a file field keeps.
inline constexpr std::size_t kConcreteFieldChars = 19;
// f't within this of an automatic value marks it automatic (Pa).
inline constexpr double kAutoTensileTolerance = 1000.0;
// Prestrains beyond this are damaged values and read as 0.
inline constexpr double kMaxLayerPrestrain = 1000.0;
// The prestrain that marks a tendon layer whose prestrain is 0.
inline constexpr double kTendonPrestrainMarker = 1e-9;

// Increment loads whose |N| + |M| + |V| is below 1 get the increment moment -1000 N m.
void KeepIncrementMoment(LoadVector& increments);
// With the "File Override" preference set, the file's unit system (0 to 3) becomes the active
// one; a value outside 0 to 3 is logged and ignored.
void ApplyFileUnitSystem(int unitSystem);
// A stored shape code that names no library shape: kept when it is a filled ShapeTable slot
// or the standard or user code, else the section counts as a user outline (logged).
void SetLegacyShapeCode(TBeam& beam, int code);
// A moment-axis height from a file: 1e30 or more means the centroid, which the beam holds
// as the undefined marker.
double MomentAxisFromFile(double height);
// Whether steel type t of the list is prestressing steel (false for a type the list lacks).
bool IsPrestressingType(const std::vector<SteelTypeRec>& steels, int t);

// One run of fixed-width records: its count from the file, the largest count a beam takes,
// the record width, its name in messages and where the records go.
struct RecordBlock {
    std::int64_t count;
    std::int64_t capacity;
    std::size_t width;
    const char* what;
    std::vector<ByteRecord>* records;
};
// Takes the blocks in order; the first that is refused ends the reading.
LegacyReadResult TakeBlocks(ByteSource& source, std::initializer_list<RecordBlock> blocks);

// The file header and then the section block of the width, or the refusal of a file that ends
// inside either.
LegacyReadResult TakeHeadAndSection(ByteSource& source,
                                    std::size_t sectionWidth,
                                    std::optional<ByteRecord>& section);

// A concrete type with f'c, f't, peak strain and Ec read from the first four doubles of its
// record (the layout both native versions share); the other values are the defaults.
ConcreteTypeRec DecodeConcreteStrengths(const ByteRecord& r);
// Whether f't lies within the tolerance of one of the automatic tensile strengths of f'c.
bool IsAutoTensileStrength(const ConcreteTypeRec& c);

// A longitudinal layer from a file: its type index checked against the steel types, its bars
// matched by matchBars (before the prestrain is settled, which it may read), a damaged
// prestrain read as 0 and a prestressing layer without prestrain marked as a tendon.
void CheckLongLayer(LongLayerRec& layer,
                    const std::vector<SteelTypeRec>& steels,
                    void (*matchBars)(LongLayerRec&));

// Name, done-by and date from the section block's text fields.
void ApplySectionTitles(TBeam& beam, const ByteRecord& section);
// The last steps of every native read: a section with a layer no section holds refused
// (files/legacy/HeldLayers.h), legacy bar titles renamed, the beam unmodified and the
// non-finite values reported; the read ends at the source's offset.
LegacyReadResult FinishNativeRead(TBeam& beam, const ByteSource& source);
