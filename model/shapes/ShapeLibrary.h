#pragma once
// The section shape library: the simple shapes of "shape.dat" in ShapeTable and the catalogue
// sections of "standard.dat" in StandardTable, both read once when the program starts.
// A beam's shape code is an index into ShapeTable.

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>

#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeErrors.h"

class TDepthTable;

inline constexpr int kShapeTableSize = 100;

// Position = type code; null = free.
extern std::array<std::unique_ptr<TShape>, kShapeTableSize> ShapeTable;
extern std::array<std::unique_ptr<TStandard>, kShapeTableSize> StandardTable;

// Whether a code names a filled slot of ShapeTable.
bool IsLibraryShape(int code);

// Kind 0 reads "shape.dat" into ShapeTable, writing the default file first when there is none;
// kind 1 reads "standard.dat" into StandardTable. The table is emptied first. Problems go to
// the shape error report; a shape with a fatal problem is dropped and the rest still read.
// Returns 1 when the file was read, 0 when it could not be opened.
int LoadShapeLibrary(int kind);

// Reads the text of a "shape.dat" (kind 0) or "standard.dat" (kind 1) into the kind's table as
// LoadShapeLibrary reads the file: the table is emptied first and problems go to the shape
// error report.
void ReadShapeLibraryText(int kind, std::string_view text);
// Writes the default "shape.dat" where the program keeps its data files (kind 0); kind 1 has
// no default file. Returns 1 when a file was written.
int WriteDefaultShapes(int kind);

// The default "shape.dat", line by line.
const std::string& DefaultShapeFileText();

// Index of the first ShapeTable entry named exactly name, -1 when none.
int FindShapeIndex(const std::string& name);

// Evaluates the shape's outline for the parameter values (m) and appends (depth, width) to
// depthWidth and (depth, value) to depthValue for every point, after emptying both.
// Returns 1 when the outline needed no correction.
int EvaluateShapeOutline(TSectionBase& shape,
                         TDepthTable& depthWidth,
                         TDepthTable& depthValue,
                         const ShapeParams& params,
                         double value);

// Largest minus smallest row height of the shape (m) for its current parameter values.
double GetShapeHeight(const TSectionBase& shape);

// Gives a beam the ShapeTable shape of that exact name: its shape code becomes the index and
// its shape name the name. Returns 1 when the table has the shape, 0 otherwise.
template <typename Beam> int SelectShapeByName(Beam& beam, const std::string& name)
{
    const int index = FindShapeIndex(name);
    if (index < 0)
        return 0;
    beam.SetShapeType(index);
    beam.SetShapeName(name);
    return 1;
}

// Replaces a beam's concrete regions by the shape's outline for the parameter values (m):
// one region per pair of consecutive points at least 1e-5 m apart in depth, depths measured
// from the beam's bottom before the change, all of the given concrete type. The beam's shape
// code becomes the shape's type code, or the user-outline code when the outline needed a
// correction. Returns the evaluation result (1 when nothing was corrected).
template <typename Beam>
int BuildRegionsFromOutline(TSectionBase& shape,
                            Beam& beam,
                            const ShapeParams& params,
                            int concreteType)
{
    constexpr double kMinRegionHeight = 1e-5;
    const int result = shape.EvaluateOutline(params);
    const double bottom = beam.GetBottom();
    beam.SetShapeType(result != 0 ? shape.typeCode : kUserShapeCode);
    beam.SetRegionCount(0);
    for (int i = 0; i + 1 < shape.pointCount; ++i) {
        const ShapePoint& top = shape.points[static_cast<std::size_t>(i)];
        const ShapePoint& below = shape.points[static_cast<std::size_t>(i + 1)];
        if (std::fabs(top.depth - below.depth) < kMinRegionHeight)
            continue;
        beam.AddRegion(bottom + top.depth,
                       bottom + below.depth,
                       top.width,
                       below.width,
                       concreteType,
                       1);
    }
    return result;
}
