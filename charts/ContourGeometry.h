#pragma once
// The arithmetic of the contour charts, apart from any drawing: the grid read from the chart
// data, the wire-mesh segments and their screen points, the colour index of a value, the two
// palettes of the colour scale, the image cells and the export text.
//
// Grid data (chart pairs): the first pair is (extent in metres, n points per grid side), then
// n x n values with the second grid index j outermost: the value of point (i, j) is pair
// 1 + n j + i. A value within 1e-31 of -3.14e-31 marks a point without a value.

#include <string>
#include <vector>

#include "platform/Types.h"

inline constexpr double kContourNoValue = -3.14e-31;
// Colour steps of the scale; index N + 2 is white.
inline constexpr int kContourSteps = 90;
inline constexpr int kContourWhite = kContourSteps + 2;

bool IsContourNoValue(double v);

// The grid of chart data: valid only with n >= 2 and all n x n values present.
struct ContourGrid {
    double extent = 1.0;
    int n = 0;
    const double* pairs = nullptr; // the chart data, pair 0 the header

    bool Valid() const { return pairs != nullptr && n >= 2; }
    double Value(int i, int j) const { return pairs[2 * (1 + n * j + i) + 1]; }
};
ContourGrid ReadContourGrid(const std::vector<double>& data);

// Mesh segments between neighbouring points that both hold a value, in grid indices: first
// along i for every j, then along j for every i.
struct GridSegment {
    int i0, j0, i1, j1;
};
std::vector<GridSegment> ContourMeshSegments(const ContourGrid& grid);

// The floor and projection of the wire mesh: view angle (radians), floor half-diagonal d,
// origin (x0, y0) at the floor's left corner and k pixels per value unit.
struct MeshProjection {
    double angle = 0.4363001745200698;
    double d = 0.0;
    double x0 = 0.0;
    double y0 = 0.0;
    double k = 0.0;
};
// Screen point of grid point (i, j) of an n-point grid at value z.
plat::Point MeshPoint(const MeshProjection& p, int n, int i, int j, double z);

// The value axis: k pixels per unit (per decade on a logarithmic axis) and y0 the screen
// height of value 0 (of log value 0, that is of 1, on a logarithmic axis). The axis spans
// `span` pixels upward from `foot` over (yMin, yMax); k is 0 for a range of 1e-20 or less. A
// logarithmic axis needs both ends above 0: otherwise the axis is linear.
struct ValueAxis {
    double k = 0.0;
    int y0 = 0;
    bool log = false;
};
ValueAxis MakeValueAxis(double yMin, double yMax, bool logarithmic, int foot, int span);
// Where a value is measured on the axis: its decimal logarithm on a logarithmic one.
double AxisMeasure(const ValueAxis& axis, double v);
// Screen height of a value.
int AxisY(const ValueAxis& axis, double v);
// Tick values of a logarithmic axis: the decades 10^d within (yMin, yMax), lowest first, at
// most 10; none unless both ends are above 0.
std::vector<double> LogDecadeTicks(double yMin, double yMax);

// Colour index of a value on a scale of `steps` colours over the range (yMin, yMax): white
// (steps + 2) for a range of 0.001 or less and for a point without a value, 1 for values of
// 1e30 or more, else trunc(value / range x steps + 1) kept within 1..steps.
int ContourColourIndex(double value, double yMin, double yMax, int steps = kContourSteps);

// Palette entry k (0..92) of the colour scale (grey for black-and-white drawing).
plat::Color ContourPaletteColour(int k, bool grey);

// The first grid column j holding any value (n when none): the image shows n - j columns.
int FirstUsedContourColumn(const ContourGrid& grid);

// One cell of the mirrored image: its rectangle in the image and its colour index.
struct ContourCell {
    plat::Rect rect;
    int colour;
};
// The cells of the image of side S (pixels) for grid points of columns j >= first used one;
// each point fills its cell and its mirror cell about the vertical centre line.
std::vector<ContourCell> ContourImageCells(const ContourGrid& grid, int S, double yMin, double yMax);

// "View Data" text with the values of an n-point grid (header and closing line alone when the
// grid is not valid).
std::string ContourExportText(const ContourGrid& grid);
