#include "charts/ControlChartGeometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "foundation/Sentinel.h"

namespace {
constexpr double kUnpickable = 1e20;
constexpr double kStartDistance = 1e30;

double ScreenDistance(const TaggedData& d, int i, double x, double y, double ratio) {
    if (d.Tag(i) == -1)
        return kUnpickable;
    const double dx = d.X(i) - x, dy = d.Y(i) - y;
    return std::sqrt(dx * dx + dy * dy * ratio * ratio);
}
} // namespace

double ControlChartValue(double v) { return std::fabs(v) >= static_cast<double>(FLT_MAX) ? kUndefined : v; }

Pick PickNearest(const TaggedData& d, double x, double y, double ratio, int selectedTag) {
    Pick p;
    double best = kStartDistance;
    for (int i = 0; i < d.Size(); ++i) {
        const double dist = ScreenDistance(d, i, x, y, ratio);
        if (dist < best) {
            best = dist;
            p.index = i;
            if (d.Tag(i) == selectedTag)
                p.keep = true;
        }
    }
    return p;
}

Pick NearestForMarker(const TaggedData& d, double x, double y, int selectedTag) {
    Pick p;
    double best = 1e38;
    for (int i = 0; i < d.Size(); ++i) {
        const double dx = d.X(i) - x, dy = d.Y(i) - y;
        const double dist = dx * dx + dy * dy;
        if (dist <= best) {
            best = dist;
            p.index = i;
            if (selectedTag != 0 && d.Tag(i) == selectedTag)
                p.keep = true;
        }
    }
    return p;
}

MarkedRange GetMarkedRange(const TaggedData& d, double x1, double y1, double x2, double y2, double ratio) {
    MarkedRange r;
    double best1 = kStartDistance, best2 = kStartDistance;
    for (int i = 0; i < d.Size(); ++i) {
        const double d1 = ScreenDistance(d, i, x1, y1, ratio), d2 = ScreenDistance(d, i, x2, y2, ratio);
        if (d1 < best1) {
            best1 = d1;
            r.tagLow = d.Tag(i);
        }
        if (d2 < best2) {
            best2 = d2;
            r.tagHigh = d.Tag(i);
        }
    }
    r.xLow = std::min(x1, x2);
    r.xHigh = std::max(x1, x2);
    return r;
}

bool PointBeforeSelected(const TaggedData& d, int selectedTag, int k, double& x, double& y) {
    const long long i = static_cast<long long>(selectedTag) - k;
    if (i < 0 || i >= d.Size())
        return false;
    x = d.X(static_cast<int>(i));
    y = d.Y(static_cast<int>(i));
    return true;
}

MarkerTransform ComputeMarkerTransform(int W, int H, int titleBand, double xMin, double xMax, double yMin,
                                       double yMax) {
    MarkerTransform t;
    const int margin = static_cast<int>(0.05 * W);
    const double plotW = W - 2.0 * margin;
    if (xMax - xMin > 1e-6) {
        t.xScale = plotW / (xMax - xMin);
        t.xOffset = margin - plotW * xMin / (xMax - xMin);
    } else {
        t.xScale = 1.0;
        t.xOffset = margin + plotW / 2.0;
    }
    const double plotH = static_cast<double>(H) - margin - titleBand;
    if (yMax - yMin > 1e-6) {
        t.yScale = plotH / (yMax - yMin);
        t.yOffset = (H - margin) + plotH * yMin / (yMax - yMin);
    } else {
        t.yScale = 1.0;
        t.yOffset = H - margin;
    }
    return t;
}

std::vector<std::pair<int, int>> CrossHairDashes(int start, int length) {
    std::vector<std::pair<int, int>> dashes;
    for (int k = 0; k <= 22; k += 2)
        dashes.emplace_back(start + length * k / 23,
                            start + static_cast<int>(std::lround(length * (k + 1.3) / 23.0)));
    return dashes;
}

std::vector<std::pair<int, int>> DashesClearOf(const std::vector<std::pair<int, int>>& dashes, int at, bool vertical,
                                               const std::vector<plat::Rect>& boxes) {
    std::vector<std::pair<int, int>> clear = dashes;
    for (const plat::Rect& box : boxes) {
        if (box.IsEmpty())
            continue;
        // The stretch of the line inside the box, one pixel round it.
        const bool meets = vertical ? at >= box.left - 1 && at <= box.right : at >= box.top - 1 && at <= box.bottom;
        if (!meets)
            continue;
        const int lo = (vertical ? box.top : box.left) - 1;
        const int hi = (vertical ? box.bottom : box.right) + 1;
        std::vector<std::pair<int, int>> next;
        for (const auto& [a, b] : clear) {
            // A dash runs from a up to, not including, b.
            if (b <= lo || a >= hi) {
                next.emplace_back(a, b);
                continue;
            }
            if (a < lo)
                next.emplace_back(a, lo);
            if (b > hi)
                next.emplace_back(hi, b);
        }
        clear = std::move(next);
    }
    return clear;
}
