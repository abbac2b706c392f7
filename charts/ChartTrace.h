#pragma once
// How the data pairs of a chart become strokes: the walk of DrawData over the pairs with its
// separators, marker runs, line types and curve pieces, told to a sink in whole pixels. The
// painter turns the strokes into pens and lines; tests read them directly.

#include "charts/ChartData.h"

// Data to pixels: a pair (x, y) lies at (xOffset + x * xScale, yOffset - y * yScale).
struct ChartTransform {
    double xOffset = 0.0;
    double yOffset = 0.0;
    double xScale = 0.0;
    double yScale = 0.0;
    bool operator==(const ChartTransform&) const = default;
};

// A pixel coordinate from a double: rounded when round is set, else truncated, and held
// within +-1e7 so that far-off values never overflow an int.
int ChartPixel(double v, bool round = true);

class ChartTraceSink {
public:
    virtual ~ChartTraceSink() = default;
    // The pen of a chart line type (a separator pair (big, t)).
    virtual void LineType(int type) = 0;
    // The pen change inside a curve piece: the chart's own line pen when chartLine is set,
    // else light red (black in black and white).
    virtual void CurvePen(bool chartLine) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // A square marker around the pixel.
    virtual void Marker(int x, int y) = 0;
};

// Where the readout cross goes: set when a point is selected and found.
struct ChartMarker {
    bool found = false;
    int x = -1;
    int y = -1;
};

// Walks the data. Polyline mode (drawMode 0) joins the points of each line; curve mode joins
// each three points by a parabola x(y), and straight where that parabola does not exist (equal
// or unevenly spaced y) and for a last point left over. selectedPoint >= 1 marks the pair whose
// number (counted from 1, separators included) minus lineStart equals it.
ChartMarker TraceChartData(const std::vector<double>& data, const ChartTransform& t, int drawMode,
                           int selectedPoint, int lineStart, ChartTraceSink& sink);
