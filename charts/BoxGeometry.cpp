#include "charts/BoxGeometry.h"

#include <algorithm>

namespace {

constexpr int kHitOrder[] = {0, 6, 5, 2, 1, 7, 3, 4};

} // namespace

plat::Rect HandleRect(int code, int W, int H)
{
    const int s = kHandleSize;
    const int cx = W / 2;
    const int cy = H / 2;
    switch (code) {
    case 0: return {0, 0, s, s};
    case 1: return {cx - 5, 0, cx + 5, s};
    case 2: return {W - s, 0, W, s};
    case 3: return {0, cy - 5, s, cy + 5};
    case 4: return {W - s, cy - 5, W, cy + 5};
    case 5: return {0, H - s, s, H};
    case 6: return {W - s, H - s, W, H};
    case 7: return {cx - 5, H - s, cx + 5, H};
    default: return {0, 0, W, H};
    }
}

int HitTestHandle(int x, int y, int W, int H)
{
    for (int code : kHitOrder)
        if (HandleRect(code, W, H).Contains({x, y}))
            return code;
    return kHandleMove;
}

BoxPlace ApplyHandleDrag(int code, int dx, int dy, const BoxPlace& p)
{
    BoxPlace r = p;
    switch (code) {
    case 8: r.x += dx; r.y += dy; break;
    case 1: r.y += dy; r.h -= dy; break;
    case 7: r.h += dy; break;
    case 3: r.x += dx; r.w -= dx; break;
    case 4: r.w += dx; break;
    case 2: r.y += dy; r.w += dx; r.h -= dy; break;
    case 0: r.x += dx; r.y += dy; r.w -= dx; r.h -= dy; break;
    case 6: r.w += dx; r.h += dy; break;
    case 5: r.x += dx; r.w -= dx; r.h += dy; break;
    default: break;
    }
    return r;
}

plat::Point BandPoint(int code, plat::Point start, plat::Point point, plat::Point previous)
{
    switch (code) {
    case 1:
    case 7: return {start.x, point.y};
    case 3:
    case 4: return {point.x, previous.y < 0 ? start.y : previous.y};
    default: return point;
    }
}

HandleCursor CursorForHandle(int code)
{
    switch (code) {
    case 0:
    case 6: return HandleCursor::SizeNWSE;
    case 2:
    case 5: return HandleCursor::SizeNESW;
    case 1:
    case 7: return HandleCursor::SizeNS;
    case 3:
    case 4: return HandleCursor::SizeWE;
    default: return HandleCursor::Arrow;
    }
}

FontHeights BoxFontHeights(int w, int h)
{
    return {static_cast<double>(std::min(4 * (h / 11) / 3, w / 11)),
            static_cast<double>(std::min(4 * (h / 13) / 3, w / 13))};
}

FontHeights BigChartFontHeights(int w, int h)
{
    const double text = std::min(-20.0 * w / 800, (-20.0 * h / 800) * 4 / 3);
    const double title = std::min(-32.0 * w / 800, (-32.0 * h / 800) * 4 / 3);
    return {title, text};
}

double RescaleFactor(int W0, int H0, int w, int h)
{
    if (W0 <= 0 || H0 <= 0)
        return 1.0;
    const double sx = static_cast<double>(w) / W0;
    const double sy = static_cast<double>(h) / H0;
    if (sx <= 1 && sy <= 1)
        return std::min(sx, sy);
    if (sx >= 1 && sy >= 1)
        return std::max(sx, sy);
    return 1.0;
}

double SizedHeight(const SizedFont& made, int w, int h)
{
    if (w <= 0 || h <= 0)
        return made.height;
    return made.height * RescaleFactor(made.w, made.h, w, h);
}

FontHeights FirstPlacementFonts(int kind, bool child, int w, int h, const FontHeights& current)
{
    if (kind == kBoxKindPlain)
        return BoxFontHeights(w, h);
    if (child)
        return BoxFontHeights(2 * w, 2 * h);
    switch (kind) {
    case 2:
    case 7:
    case 8:
    case 9: return {w / 6.2, static_cast<double>(w / 13)};
    case 1: return {-32.0 * w / 800, -20.0 * w / 800};
    default: return current;
    }
}

plat::Point PlaceClearOf(plat::Point place, plat::Size size, const std::vector<plat::Rect>& obstacles,
                         const plat::Rect& bounds, int gap)
{
    const auto clear = [&](int x, int y) {
        if (x < bounds.left || y < bounds.top || x + size.cx > bounds.right || y + size.cy > bounds.bottom)
            return false;
        for (const plat::Rect& o : obstacles)
            if (!o.IsEmpty() && x < o.right + gap && o.left - gap < x + size.cx && y < o.bottom + gap &&
                o.top - gap < y + size.cy)
                return false;
        return true;
    };
    const auto coversNothing = [&](int x, int y) {
        for (const plat::Rect& o : obstacles)
            if (!o.IsEmpty() && x < o.right && o.left < x + size.cx && y < o.bottom && o.top < y + size.cy)
                return false;
        return true;
    };
    if (coversNothing(place.x, place.y))
        return place;
    std::vector<int> xs{place.x, bounds.left, bounds.right - size.cx};
    std::vector<int> ys{place.y, bounds.top, bounds.bottom - size.cy};
    for (const plat::Rect& o : obstacles) {
        xs.push_back(o.right + gap);
        xs.push_back(o.left - gap - size.cx);
        ys.push_back(o.bottom + gap);
        ys.push_back(o.top - gap - size.cy);
    }
    plat::Point best = place;
    long long bestDistance = -1;
    for (const int x : xs)
        for (const int y : ys) {
            const long long dx = x - place.x, dy = y - place.y;
            const long long d = dx * dx + dy * dy;
            if ((bestDistance < 0 || d < bestDistance) && clear(x, y)) {
                bestDistance = d;
                best = {x, y};
            }
        }
    return best;
}

plat::Point LegendHome(int position, plat::Size chart, plat::Size box)
{
    const int cw = chart.cx, ch = chart.cy, bw = box.cx, bh = box.cy;
    switch (position) {
    case -1: return {cw - bw - 10, ch - bh - 10};
    case 0: return {cw - bw - 10, static_cast<int>(0.1 * ch)};
    case 2: return {static_cast<int>(0.17 * cw), static_cast<int>(0.83 * ch - bh - 10)};
    case 3: return {static_cast<int>(0.17 * cw), static_cast<int>(0.07 * ch)};
    case 4: return {cw - bw - 10, static_cast<int>(ch - bh - 10 - 0.1 * ch)};
    default: return {100, 100};
    }
}
