#pragma once
// Where a legend goes in its chart, and at which of its font heights: a legend box covers what
// lies under it (on screen it is a window of its own), so it stays off the chart's texts, ticks
// and axis lines, off the legends placed before it and off the data's strokes and markers. The
// answer depends on the chart and the legend only, never on where the legend stood before, so
// that every layout of the same chart places it the same.

#include <vector>

#include "charts/ChartAxes.h"
#include "platform/Types.h"

// What a chart offers a legend.
struct LegendRoom {
    plat::Size chart;
    // What the legend never covers (texts, ticks, axis lines, legends placed before it): it keeps
    // gap pixels clear of each.
    std::vector<plat::Rect> keepOut;
    int gap = 3;
    // The data as drawn, its strokes penWidth pixels wide; only what lies inside inkArea is
    // drawn.
    ChartInk ink;
    plat::Rect inkArea;
    int penWidth = 1;
};

struct LegendChoice {
    // The font step taken (0 the legend's own font) and the box's top left corner.
    int step = 0;
    plat::Point at;
    // Whether the box keeps clear of everything it never covers and of the ink.
    bool clear = false;
};

// The legend's box at each of its font steps, the first its own font, each after it smaller;
// position is the legend's position code (LegendHome). The first step at which a place clear
// of everything and of the ink exists, at the place of those nearest the legend's own place
// (that place itself when it is clear). Where no step has such a place, the choice is not
// clear: a legend never covers the data it labels, and the chart makes room beside its plot or
// leaves the legend out. The chart's pixels are looked at in cells of a size that keeps their
// number within a bound, and the strokes of the ink within another.
LegendChoice PlaceLegend(const LegendRoom& room, int position, const std::vector<plat::Size>& sizes);

// A way to draw a legend: its letters' height and the margin round them.
struct LegendForm {
    double height = 0.0;
    int margin = 0;
    bool operator==(const LegendForm&) const = default;
};

// The forms a legend made with the given height and margin is tried in, the first its own:
// its own height with the margin narrowed to 7 and to 3 pixels (never widened), then nine,
// eight and seven tenths of its height (whole pixels) with the narrowest margin, never below 7
// pixels. The sign of the height (a cell or a
// character height) is kept.
std::vector<LegendForm> LegendForms(double height, int margin);
