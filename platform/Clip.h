#pragma once
// Clipping of the drawing primitives to the rectangle of the device they draw on, in 64-bit
// and floating arithmetic, before any pixel is walked or any figure is handed to the painter:
// whatever coordinates a caller gives (a span typed as 1e12 drawn to scale), a call costs no
// more than the device has pixels.
//  - Single-pixel lines are walked only over the pixels that lie in a box, and exactly those
//    pixels of the whole line's walk: what lands on the device is the same as without clipping.
//  - Figures drawn geometrically (wide or dashed pens, fills, arcs) are cut at a box a margin
//    larger than the device, where what lies beyond cannot show; a figure that lies inside that
//    box is drawn as given.
// Device positions here are 64-bit: a logical position mapped to the device does not overflow.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Device.h"

namespace plat {

// A device pixel position that may lie far outside the device.
struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Pixels left <= x < right, top <= y < bottom.
struct PixelBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(PixelPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// The device position of a logical one, without overflow (held to +-2^52, where every
// integer is still exact in a double).
PixelPoint DevicePixel(const Mapping& m, Point p);
// The same held to int (the mapping's own answer for positions that fit).
Point SaturatedPoint(PixelPoint p);

// ---- Single-pixel lines ------------------------------------------------------------------
//
// The line from a up to, not including, b takes one pixel per step along its major axis (x
// when |dx| >= |dy|, else y): with D the major and d the minor extent, step n (0 <= n < D)
// lies n pixels from a along the major axis and floor((2 d n + D) / (2 D)) pixels along the
// minor one (a half rounds away from a). This is the set the classic error-term walk plots,
// so the part of it inside a box can be started at its first pixel there.

// The part of a line's walk inside a box: count pixels from (x, y); each step moves the major
// coordinate by its sign, adds inc to num, and moves the minor one when num reaches den.
struct LineRun {
    std::int64_t count = 0;
    std::int64_t x = 0, y = 0;
    int sx = 0, sy = 0;
    bool xMajor = true;
    std::int64_t num = 0, inc = 0, den = 1;
};
LineRun ClipLineRun(PixelPoint a, PixelPoint b, const PixelBox& box);

// The whole walk of a line whose ends both lie in the box (so all its pixels do).
inline LineRun WholeLineRun(PixelPoint a, PixelPoint b) {
    LineRun r;
    const std::int64_t dx = b.x > a.x ? b.x - a.x : a.x - b.x, dy = b.y > a.y ? b.y - a.y : a.y - b.y;
    r.sx = a.x < b.x ? 1 : -1;
    r.sy = a.y < b.y ? 1 : -1;
    r.xMajor = dx >= dy;
    const std::int64_t major = r.xMajor ? dx : dy, minor = r.xMajor ? dy : dx;
    r.count = major;
    r.x = a.x;
    r.y = a.y;
    r.num = major;
    r.inc = 2 * minor;
    r.den = 2 * major;
    return r;
}

// Calls plot(x, y) for the pixels of the line from a up to, not including, b that lie in
// the box, in order from a; the box must lie within int range.
template <class Plot>
void WalkClippedLine(PixelPoint a, PixelPoint b, const PixelBox& box, Plot&& plot) {
    const LineRun r = box.Contains(a) && box.Contains(b) ? WholeLineRun(a, b) : ClipLineRun(a, b, box);
    int x = static_cast<int>(r.x), y = static_cast<int>(r.y);
    std::int64_t num = r.num;
    if (r.xMajor) {
        for (std::int64_t i = 0; i < r.count; ++i) {
            plot(x, y);
            x += r.sx;
            num += r.inc;
            if (num >= r.den) {
                num -= r.den;
                y += r.sy;
            }
        }
    } else {
        for (std::int64_t i = 0; i < r.count; ++i) {
            plot(x, y);
            y += r.sy;
            num += r.inc;
            if (num >= r.den) {
                num -= r.den;
                x += r.sx;
            }
        }
    }
}

// ---- Geometric figures -------------------------------------------------------------------

struct PointF {
    double x = 0;
    double y = 0;
    bool operator==(const PointF&) const = default;
};

// A closed box of real positions.
struct BoxF {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool Contains(PointF p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    bool Contains(const BoxF& b) const {
        return b.left >= left && b.right <= right && b.top >= top && b.bottom <= bottom;
    }
    BoxF Grown(double by) const { return BoxF{left - by, top - by, right + by, bottom + by}; }
};

// Cuts the segment from a to b to the part inside the box (Liang-Barsky): false when none
// lies inside; t0 and t1 are the parameters (0 at a, 1 at b) of the part kept.
bool ClipSegment(PointF& a, PointF& b, const BoxF& box, double& t0, double& t1);

// The polygon cut to the box (Sutherland-Hodgman). The parts cut away are replaced by runs
// along the box's edges, so every point inside the box keeps its winding number: the filled
// area inside the box is the same under either fill rule.
std::vector<PointF> ClipPolygon(const std::vector<PointF>& polygon, const BoxF& box);

// An ellipse by its centre and half axes; angles are in degrees, counter-clockwise from the
// positive x axis with y pointing down the device, and name the point
// (cx + rx cos t, cy - ry sin t).
struct EllipseF {
    double cx = 0, cy = 0, rx = 0, ry = 0;
    PointF At(double degrees) const;
    // The length of the arc from t0 to t1 (t0 <= t1).
    double ArcLength(double t0, double t1) const;
};

// The parts of the arc from `from` over `span` degrees (0 < span <= 360) that lie inside the
// box, as (start, end) angles in increasing order within [from, from + span].
std::vector<std::pair<double, double>> VisibleArcs(const EllipseF& e, double from, double span, const BoxF& box);

} // namespace plat
