#pragma once
// The section definition that the section pages of the input dialogs keep, and the building of
// a beam's regions from an outline, in the least form the file readers need of them.
//
// g_SectionDefData outlives a read: a labelled text file that names no shape leaves the code
// the dialogs (or an earlier file) put there.

#include <array>
#include <cstdint>

class TBeam;
class TDepthTable;

struct SectionDefData {
    // A ShapeTable index, kStandardTypeCode or kUserShapeCode.
    std::int16_t shapeCode = 0;
    std::int16_t standardIndex = 0;
    std::array<double, 6> params{}; // m
};

extern SectionDefData g_SectionDefData;

// Whether a code names a filled slot of the shape library.
bool IsLibraryShape(int code);

// Gives the beam the shape code and parameters of g_SectionDefData (the library shape's name,
// or "USER") and replaces its regions by one region for each pair of consecutive outline rows
// (height above the section bottom, width) at least 0.1 mm apart in height, of the concrete
// type that the row-type table gives the lower row. At most the beam's region capacity is
// built; rows beyond it are logged. Then the beam recognises a library shape in its regions.
int BuildSectionShape(TBeam& beam, const TDepthTable& outline, const TDepthTable& rowTypes);
