#pragma once
// The picture of a material chart (TMaterDiagram): its scaling, its curves cut to the axes, the
// marks of the characteristic values and the labels kept clear of the curves, computed from the
// chart's types and curves and its box, without a window; and the type a click picks.

#include <string>

#include "charts/ChartContract.h"
#include "charts/Tchart.h"
#include "views/DiagramPlan.h"
#include "views/LabelClearance.h"
#include "views/MaterialCurves.h"

// The chart's own scaling: margins of 5 % of the width, the axis range across the rest.
struct MaterialScale {
    int m = 0;
    double xScale = 0.0;
    double xOrigin = 0.0;
    double yScale = 0.0;
    double yOrigin = 0.0;
    // The pixel of a value in display units.
    plat::Point At(double x, double y) const;
};
MaterialScale ScaleMaterialChart(int W, int H, int top, const ChartBounds& axis);

struct MaterialFrame {
    int W = 0;
    int H = 0;
    int top = 0;
    ChartBounds axis;
    int unitSystem = 0;
    // The factors the user works with (the curve labels sit on factored stresses).
    ResistanceFactors inForce;
    std::string title;
    plat::LogFont titleFont;
    plat::LogFont textFont;
    // Device pixels per logical pixel where the chart is drawn through a mapping (on a page,
    // and in its print preview); 0 on the screen, one logical pixel a device pixel.
    double deviceScale = 0.0;
};

namespace plat {
class DC;
}

// Device pixels per logical pixel of dc's mapping, the smaller of its two axes' scales; 0 where
// it maps a logical pixel to a device pixel (the screen).
double DeviceScaleOf(const plat::DC& dc);

// A chart's labels are written no smaller than the least text the charts write
// (kLeastTextCharHeight, kLeastTextCellHeight): small enough for the labels of a damaged
// section's charts on a summary page, large enough that letters and subscripts still read.

// The picture of the curves, empty while there is nothing to draw. The labels keep clear of the
// curves, of the marks on the axes and of each other, written smaller where the chart's text
// leaves them no clear place; in the smallest text, a label that finds no clear place even so
// is left out: no label hides a curve. A type's mark stands on its axis only.
// A label that names a level (the top of the y axis, a concrete's strength) stands at that
// level's height where its letters find a clear place there, else it gets a leader to the
// level. letters, when given, tells where a label's letters stand within its extent; without
// it the letters fill it.
// work, when given, gets what keeping them clear cost.
DiagramPlan PlanMaterialChart(const MaterialFrame& frame, const MaterialTypeCopies& types,
                              const MaterialCurves& curves, const PlanMeasure& measure,
                              LabelWork* work = nullptr, const PlanLetters& letters = {});

// The position the material sheet opens at for a click at p: the concrete type index (kind 7),
// or the count of the family's types before the steel type (kinds 8, 9); -1 without curves.
int MaterialClickPosition(const MaterialFrame& frame, const MaterialTypeCopies& types,
                          const MaterialCurves& curves, plat::Point p);
