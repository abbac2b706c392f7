#include "views/MaterialCurveLines.h"

#include <algorithm>

namespace {

// A separator pair of a curve's points (both past this) starts a new polyline.
constexpr double kBig = 1e30;

} // namespace

std::vector<std::vector<plat::Point>> MaterialCurvePolylines(const MaterialCurves& c, const MaterialScale& s, int W,
                                                             int H, int top, const ChartBounds& axis)
{
    std::vector<std::vector<plat::Point>> out(1);
    const auto flush = [&] {
        if (out.back().size() < 2)
            out.back().clear();
        else
            out.emplace_back();
    };
    // The box in chart units; an axis without extent is not cut along.
    const bool cutX = s.xScale > 0.0, cutY = s.yScale > 0.0;
    const double x0 = axis.xMin, x1 = cutX ? (W - s.m - s.xOrigin) / s.xScale : 0.0;
    const double y0 = cutY ? (s.yOrigin - (H - s.m)) / s.yScale : 0.0, y1 = cutY ? (s.yOrigin - top) / s.yScale : 0.0;
    const auto inside = [&](double x, double y) {
        return (!cutX || (x >= x0 && x <= x1)) && (!cutY || (y >= y0 && y <= y1));
    };
    bool have = false;
    double px = 0.0, py = 0.0;
    for (std::size_t i = 0; i + 1 < c.data.size(); i += 2) {
        const double x = c.data[i], y = c.data[i + 1];
        if (x > kBig && y > kBig) {
            flush();
            have = false;
            continue;
        }
        if (!have) {
            if (inside(x, y))
                out.back().push_back(s.At(x, y));
        } else if (inside(px, py) && inside(x, y)) {
            out.back().push_back(s.At(x, y));
        } else {
            // The part of the stretch inside the box (Liang-Barsky), if any.
            double t0 = 0.0, t1 = 1.0;
            const double dx = x - px, dy = y - py;
            bool meets = true;
            const auto edge = [&](double p, double q) {
                if (p == 0.0) {
                    meets = meets && q >= 0.0;
                    return;
                }
                const double r = q / p;
                if (p < 0.0)
                    t0 = std::max(t0, r);
                else
                    t1 = std::min(t1, r);
            };
            if (cutX) {
                edge(-dx, px - x0);
                edge(dx, x1 - px);
            }
            if (cutY) {
                edge(-dy, py - y0);
                edge(dy, y1 - py);
            }
            if (meets && t0 <= t1) {
                if (!inside(px, py)) {
                    flush();
                    out.back().push_back(s.At(px + t0 * dx, py + t0 * dy));
                }
                out.back().push_back(inside(x, y) ? s.At(x, y) : s.At(px + t1 * dx, py + t1 * dy));
                if (!inside(x, y))
                    flush();
            }
        }
        px = x;
        py = y;
        have = true;
    }
    flush();
    out.pop_back();
    return out;
}

