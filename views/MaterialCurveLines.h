#pragma once
// The curves of a material chart in pixels, as the chart draws them.

#include <vector>

#include "platform/Types.h"
#include "views/MaterialPicture.h"

// The curves as polylines in pixels (a separator pair starts a new one), cut where they
// leave the axes' box: from the y axis to the end of the x axis, and from the top of the y
// axis down to its foot. A curve that runs on past the end of an axis stops there.
std::vector<std::vector<plat::Point>> MaterialCurvePolylines(const MaterialCurves& c, const MaterialScale& s, int W,
                                                             int H, int top, const ChartBounds& axis);
