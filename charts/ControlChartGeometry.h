#pragma once
// The arithmetic of the control chart that needs no window: which data point a click picks,
// where the markers' nearest points are, the marked fine range, the pixel transform the
// markers work out for themselves and the dashes of a marker's cross-hair.
//
// The chart's data are its (x, y) pairs, one after the other, and a tag for each pair; a tag of
// -1 marks a point that can never be picked.

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Types.h"

// The pairs and tags of a chart, read in place.
class TaggedData {
public:
    TaggedData(const std::vector<double>& xy, const std::vector<int>& tags) : m_xy(xy), m_tags(tags) {}
    int Size() const { return static_cast<int>(std::min(m_xy.size() / 2, m_tags.size())); }
    double X(int i) const { return m_xy[2 * static_cast<std::size_t>(i)]; }
    double Y(int i) const { return m_xy[2 * static_cast<std::size_t>(i) + 1]; }
    int Tag(int i) const { return m_tags[static_cast<std::size_t>(i)]; }

private:
    const std::vector<double>& m_xy;
    const std::vector<int>& m_tags;
};

// A coordinate of this size or more is not a number the chart can hold; it is stored as the
// undefined value instead.
double ControlChartValue(double v);

struct Pick {
    int index = -1;     // -1 with no data
    bool keep = false;  // the selected tag was among the running nearest points
};

// The point nearest (x, y) as on the screen: dy is weighted by ratio = y scale / x scale. A
// point of tag -1 is 1e20 away; a point replaces the best only when strictly nearer.
Pick PickNearest(const TaggedData& d, double x, double y, double ratio, int selectedTag);

// The point nearest (x, y) by plain squared distance, a later point winning a tie; the keep flag
// counts only for a selected tag other than 0.
Pick NearestForMarker(const TaggedData& d, double x, double y, int selectedTag);

struct MarkedRange {
    double xLow = 0.0;
    int tagLow = 0;
    double xHigh = 0.0;
    int tagHigh = 0;
};

// The fine range between markers 1 (x1, y1) and 2 (x2, y2): the x values in order, the tags of
// the points nearest each marker in marker order (0 when there is none).
MarkedRange GetMarkedRange(const TaggedData& d, double x1, double y1, double x2, double y2, double ratio);

// The data pair (selected tag - k): false, and nothing written, when that is not a point.
bool PointBeforeSelected(const TaggedData& d, int selectedTag, int k, double& x, double& y);

struct MarkerTransform {
    double xScale = 1.0;
    double xOffset = 0.0;
    double yScale = 1.0;
    double yOffset = 0.0;
};

// The transform for a W x H client area with a title band of titleBand pixels over the axis
// range [xMin, xMax] x [yMin, yMax], with 5 % of W as the margin.
MarkerTransform ComputeMarkerTransform(int W, int H, int titleBand, double xMin, double xMax, double yMin,
                                       double yMax);

// The 12 dashes (from, to) of a cross-hair line over [start, start + length].
std::vector<std::pair<int, int>> CrossHairDashes(int start, int length);

// The dashes of a cross-hair line at a fixed row (vertical false: along x) or column (true:
// along y) with the stretches taken out that would run through a box (widened by a pixel):
// the marker passes round the chart's numbers and titles instead of through them.
std::vector<std::pair<int, int>> DashesClearOf(const std::vector<std::pair<int, int>>& dashes, int at, bool vertical,
                                               const std::vector<plat::Rect>& boxes);
