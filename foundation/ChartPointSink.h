#pragma once
// The receiving end of the chart data contract, as computing code sees it: (x, y) pairs in
// display units, one call per pair, with separator pairs between lines. A chart implements
// it; tests record the pairs.
//
// Separators: a pair whose x is above 1e30 is not a point. Its y says what follows:
//   y above 1e30        a new line starts (not joined to the previous point);
//   0 <= y <= 1e30      the line continues with line type y (a caller's line number);
//   y negative          the following points, up to the next separator, are square markers.
// Feeders write kChartSeparator as the separator's x.

#include "foundation/Sentinel.h"

inline constexpr double kChartSeparator = kUndefined;
// y of a separator pair that starts a run of markers.
inline constexpr double kChartMarkers = -1.0;

inline bool IsChartSeparator(double x)
{
    return x > 1e30;
}

class ChartPointSink {
public:
    virtual ~ChartPointSink() = default;
    // Appends one pair; never fails.
    virtual void AddPoint(double x, double y) = 0;

    // Writes the separator pair (kChartSeparator, kind).
    void AddSeparator(double kind) { AddPoint(kChartSeparator, kind); }
};
