#include "platform/Clip.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace plat {

namespace {

// Products of two 53-bit extents.
__extension__ typedef __int128 Wide;

constexpr std::int64_t kMaxDevicePixel = std::int64_t{1} << 52;
constexpr double kDegree = M_PI / 180.0;

std::int64_t Held(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<std::int64_t>(std::clamp(v, -static_cast<double>(kMaxDevicePixel),
                                                static_cast<double>(kMaxDevicePixel)));
}

// The steps n of a walk from `start` by `sign` per step that land in [lo, hi].
void StepsWithin(std::int64_t start, int sign, std::int64_t lo, std::int64_t hi, std::int64_t& first,
                 std::int64_t& last) {
    if (sign > 0) {
        first = lo - start;
        last = hi - start;
    } else {
        first = start - hi;
        last = start - lo;
    }
}

// ceil(p / q) for p > 0, q > 0.
template <class T>
std::int64_t CeilDiv(T p, T q) {
    return static_cast<std::int64_t>((p + q - 1) / q);
}

// Below this extent the products of the walk fit in 64 bits (2 * 2^30 * 2^30 < 2^63).
constexpr std::int64_t kNarrowExtent = std::int64_t{1} << 30;

} // namespace

PixelPoint DevicePixel(const Mapping& m, Point p) {
    if (m.mode != MapMode::Isotropic && m.mode != MapMode::Anisotropic)
        return PixelPoint{std::int64_t{p.x} - m.windowOrg.x + m.viewportOrg.x,
                          std::int64_t{p.y} - m.windowOrg.y + m.viewportOrg.y};
    const double x = std::round((static_cast<double>(p.x) - m.windowOrg.x) * m.ScaleX());
    const double y = std::round((static_cast<double>(p.y) - m.windowOrg.y) * m.ScaleY());
    return PixelPoint{Held(x) + m.viewportOrg.x, Held(y) + m.viewportOrg.y};
}

Point SaturatedPoint(PixelPoint p) {
    return Point{static_cast<int>(std::clamp<std::int64_t>(p.x, INT_MIN, INT_MAX)),
                 static_cast<int>(std::clamp<std::int64_t>(p.y, INT_MIN, INT_MAX))};
}

LineRun ClipLineRun(PixelPoint a, PixelPoint b, const PixelBox& box) {
    LineRun r;
    if (box.IsEmpty())
        return r;
    const std::int64_t dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    if (dx == 0 && dy == 0)
        return r;
    r.sx = a.x < b.x ? 1 : -1;
    r.sy = a.y < b.y ? 1 : -1;
    r.xMajor = dx >= dy;
    const std::int64_t major = r.xMajor ? dx : dy, minor = r.xMajor ? dy : dx;
    const int majorSign = r.xMajor ? r.sx : r.sy, minorSign = r.xMajor ? r.sy : r.sx;
    const std::int64_t majorStart = r.xMajor ? a.x : a.y, minorStart = r.xMajor ? a.y : a.x;
    // Steps whose major coordinate lies in the box, then those whose minor offset k does.
    std::int64_t n0 = 0, n1 = 0, k0 = 0, k1 = 0;
    if (r.xMajor) {
        StepsWithin(majorStart, majorSign, box.left, box.right - 1, n0, n1);
        StepsWithin(minorStart, minorSign, box.top, box.bottom - 1, k0, k1);
    } else {
        StepsWithin(majorStart, majorSign, box.top, box.bottom - 1, n0, n1);
        StepsWithin(minorStart, minorSign, box.left, box.right - 1, k0, k1);
    }
    n0 = std::max<std::int64_t>(n0, 0);
    n1 = std::min(n1, major - 1);
    k0 = std::max<std::int64_t>(k0, 0);
    k1 = std::min(k1, minor);
    if (n0 > n1 || k0 > k1)
        return r;
    // k(n) = floor((2 minor n + major) / (2 major)) rises with n: k(n) >= k0 from
    // n = ceil((2 major k0 - major) / (2 minor)), and k(n) <= k1 below the first n with
    // k(n) >= k1 + 1. (k0 > 0 or k1 < minor both imply minor > 0.) A line inside the box
    // (the common case) needs none of it.
    std::int64_t k = 0;
    r.num = major;
    if (k0 > 0 || k1 < minor || n0 > 0) {
        const auto start = [&](auto twoMajor, auto twoMinor) {
            using T = decltype(twoMajor);
            if (k0 > 0)
                n0 = std::max(n0, CeilDiv<T>(twoMajor * k0 - major, twoMinor));
            if (k1 < minor)
                n1 = std::min(n1, CeilDiv<T>(twoMajor * (k1 + 1) - major, twoMinor) - 1);
            const T t = twoMinor * n0 + major;
            k = static_cast<std::int64_t>(t / twoMajor);
            r.num = static_cast<std::int64_t>(t % twoMajor);
        };
        if (major < kNarrowExtent)
            start(2 * major, 2 * minor);
        else
            start(Wide{2} * major, Wide{2} * minor);
        if (n0 > n1)
            return r;
    }
    r.inc = 2 * minor;
    r.den = 2 * major;
    r.count = n1 - n0 + 1;
    const std::int64_t along = majorStart + majorSign * n0, across = minorStart + minorSign * k;
    r.x = r.xMajor ? along : across;
    r.y = r.xMajor ? across : along;
    return r;
}

bool ClipSegment(PointF& a, PointF& b, const BoxF& box, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    // Keeps the parameters t with p t <= q.
    const auto keep = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!keep(-dx, a.x - box.left) || !keep(dx, box.right - a.x) || !keep(-dy, a.y - box.top) ||
        !keep(dy, box.bottom - a.y))
        return false;
    const PointF from = a;
    if (t1 < 1)
        b = PointF{from.x + t1 * dx, from.y + t1 * dy};
    if (t0 > 0)
        a = PointF{from.x + t0 * dx, from.y + t0 * dy};
    return true;
}

std::vector<PointF> ClipPolygon(const std::vector<PointF>& polygon, const BoxF& box) {
    // One pass per edge of the box: `inside` tells the side, `cut` the crossing of an edge.
    enum Side { Left, Right, Top, Bottom };
    const auto inside = [&](PointF p, Side side) {
        switch (side) {
        case Left: return p.x >= box.left;
        case Right: return p.x <= box.right;
        case Top: return p.y >= box.top;
        case Bottom: return p.y <= box.bottom;
        }
        return true;
    };
    const auto cut = [&](PointF p, PointF q, Side side) {
        if (side == Left || side == Right) {
            const double x = side == Left ? box.left : box.right;
            return PointF{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)};
        }
        const double y = side == Top ? box.top : box.bottom;
        return PointF{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y};
    };
    std::vector<PointF> in = polygon, out;
    for (Side side : {Left, Right, Top, Bottom}) {
        out.clear();
        if (in.empty())
            break;
        PointF prev = in.back();
        for (const PointF& cur : in) {
            const bool curIn = inside(cur, side), prevIn = inside(prev, side);
            if (curIn) {
                if (!prevIn)
                    out.push_back(cut(prev, cur, side));
                out.push_back(cur);
            } else if (prevIn) {
                out.push_back(cut(prev, cur, side));
            }
            prev = cur;
        }
        in.swap(out);
    }
    return in;
}

PointF EllipseF::At(double degrees) const {
    const double t = degrees * kDegree;
    return PointF{cx + rx * std::cos(t), cy - ry * std::sin(t)};
}

double EllipseF::ArcLength(double t0, double t1) const {
    if (rx == ry)
        return rx * (t1 - t0) * kDegree;
    // Simpson's rule over the speed |d/dt (rx cos t, ry sin t)|.
    constexpr int kIntervals = 64;
    const double a = t0 * kDegree, h = (t1 - t0) * kDegree / kIntervals;
    const auto speed = [&](double t) { return std::hypot(rx * std::sin(t), ry * std::cos(t)); };
    double sum = speed(a) + speed(a + kIntervals * h);
    for (int i = 1; i < kIntervals; ++i)
        sum += (i % 2 ? 4 : 2) * speed(a + i * h);
    return sum * h / 3;
}

std::vector<std::pair<double, double>> VisibleArcs(const EllipseF& e, double from, double span, const BoxF& box) {
    std::vector<double> cuts{from, from + span};
    // Where the ellipse crosses a line of the box, taken into [from, from + span].
    const auto add = [&](double degrees) {
        double t = from + std::fmod(degrees - from, 360.0);
        if (t < from)
            t += 360.0;
        if (t > from && t < from + span)
            cuts.push_back(t);
    };
    if (e.rx > 0)
        for (double x : {box.left, box.right}) {
            const double u = (x - e.cx) / e.rx;
            if (std::fabs(u) <= 1) {
                const double c = std::acos(u) / kDegree;
                add(c);
                add(-c);
            }
        }
    if (e.ry > 0)
        for (double y : {box.top, box.bottom}) {
            const double v = (e.cy - y) / e.ry;
            if (std::fabs(v) <= 1) {
                const double s = std::asin(v) / kDegree;
                add(s);
                add(180.0 - s);
            }
        }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> visible;
    for (std::size_t i = 1; i < cuts.size(); ++i) {
        if (cuts[i] <= cuts[i - 1] || !box.Contains(e.At((cuts[i - 1] + cuts[i]) / 2)))
            continue;
        if (!visible.empty() && visible.back().second == cuts[i - 1])
            visible.back().second = cuts[i];
        else
            visible.emplace_back(cuts[i - 1], cuts[i]);
    }
    return visible;
}

} // namespace plat
