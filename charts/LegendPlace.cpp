#include "charts/LegendPlace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "charts/BoxGeometry.h"

// The chart is looked at in square cells of s pixels, s the least that keeps the cells within
// kLegendCells (a pixel or a few on a chart of a page or a screen). Each cell is marked when any
// of its pixels is taken by what the legend never covers (grown by the gap) or by ink (grown by
// the pen's reach); tables of sums then count the marked cells under any box in constant time,
// so that every place of the box on the cells is weighed.

namespace {

constexpr long long kLegendCells = 1LL << 16;
// The ink's stretches looked at, and the cells their walks mark, on one chart.
constexpr std::size_t kLegendInkStretches = 20000;
constexpr long long kLegendInkSteps = 4000000;
constexpr double kLeastLegendHeight = 7.0;

class Cells {
public:
    Cells(plat::Size chart)
        : m_w(std::max(chart.cx, 0)), m_h(std::max(chart.cy, 0))
    {
        const long long pixels = static_cast<long long>(m_w) * m_h;
        while (static_cast<long long>(m_w / m_s + 1) * (m_h / m_s + 1) > kLegendCells && pixels > 0)
            ++m_s;
        m_cw = (m_w + m_s - 1) / m_s;
        m_ch = (m_h + m_s - 1) / m_s;
        m_marks.assign(static_cast<std::size_t>(m_cw) * m_ch, 0);
    }
    int Size() const { return m_s; }
    int Columns() const { return m_cw; }
    int Rows() const { return m_ch; }

    // Marks the cells that hold a pixel of the box.
    void Mark(const plat::Rect& r)
    {
        const int x0 = std::max(r.left, 0), y0 = std::max(r.top, 0);
        const int x1 = std::min(r.right, m_w), y1 = std::min(r.bottom, m_h);
        if (x1 <= x0 || y1 <= y0)
            return;
        for (int row = y0 / m_s; row <= (y1 - 1) / m_s; ++row)
            for (int col = x0 / m_s; col <= (x1 - 1) / m_s; ++col)
                m_marks[static_cast<std::size_t>(row) * m_cw + col] = 1;
    }
    // The sums of marked cells above and left of each cell corner.
    void Sum()
    {
        m_sums.assign(static_cast<std::size_t>(m_cw + 1) * (m_ch + 1), 0);
        for (int row = 0; row < m_ch; ++row)
            for (int col = 0; col < m_cw; ++col)
                m_sums[Index(col + 1, row + 1)] = m_marks[static_cast<std::size_t>(row) * m_cw + col] +
                                                  m_sums[Index(col, row + 1)] + m_sums[Index(col + 1, row)] -
                                                  m_sums[Index(col, row)];
    }
    // The marked cells among columns c0..c1 - 1 and rows r0..r1 - 1.
    std::int64_t Count(int c0, int r0, int c1, int r1) const
    {
        return m_sums[Index(c1, r1)] - m_sums[Index(c0, r1)] - m_sums[Index(c1, r0)] + m_sums[Index(c0, r0)];
    }

private:
    std::size_t Index(int col, int row) const { return static_cast<std::size_t>(row) * (m_cw + 1) + col; }
    int m_w, m_h;
    int m_s = 1;
    int m_cw = 0, m_ch = 0;
    std::vector<std::uint8_t> m_marks;
    std::vector<std::int64_t> m_sums;
};

// Marks the cells of the ink inside the area, each stroke grown by reach pixels.
void MarkInk(Cells& cells, const ChartInk& ink, const plat::Rect& area, int reach)
{
    for (const plat::Rect& m : ink.boxes) {
        const plat::Rect r{std::max(m.left, area.left), std::max(m.top, area.top), std::min(m.right, area.right),
                           std::min(m.bottom, area.bottom)};
        if (!r.IsEmpty())
            cells.Mark(r);
    }
    const double s = cells.Size();
    long long steps = 0;
    const std::size_t count = std::min(ink.lines.size(), kLegendInkStretches);
    for (std::size_t i = 0; i < count && steps < kLegendInkSteps; ++i) {
        // The part of the stretch inside the area (Liang and Barsky's clip).
        const auto& [a, b] = ink.lines[i];
        const double dx = b.x - a.x, dy = b.y - a.y;
        double t0 = 0.0, t1 = 1.0;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {static_cast<double>(a.x - area.left), area.right - 1.0 - a.x, static_cast<double>(a.y - area.top),
                             area.bottom - 1.0 - a.y};
        bool inside = true;
        for (int k = 0; k < 4 && inside; ++k) {
            if (p[k] == 0.0) {
                inside = q[k] >= 0.0;
                continue;
            }
            const double r = q[k] / p[k];
            if (p[k] < 0.0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
            inside = t0 <= t1;
        }
        if (!inside)
            continue;
        const double x0 = a.x + t0 * dx, y0 = a.y + t0 * dy;
        const double length = std::max(std::fabs(dx), std::fabs(dy)) * (t1 - t0);
        const long long n = static_cast<long long>(std::ceil(length / s)) + 1;
        for (long long k = 0; k <= n && steps < kLegendInkSteps; ++k, ++steps) {
            const double f = static_cast<double>(k) / static_cast<double>(n) * (t1 - t0);
            const int x = static_cast<int>(std::lround(x0 + f * dx)), y = static_cast<int>(std::lround(y0 + f * dy));
            cells.Mark(plat::Rect{x - reach, y - reach, x + reach + 1, y + reach + 1});
        }
    }
}

struct Weighed {
    bool found = false;
    plat::Point at;
    long long distance = 0;
};

} // namespace

std::vector<LegendForm> LegendForms(double height, int margin)
{
    std::vector<LegendForm> forms{{height, margin}};
    int narrowest = margin;
    for (const int m : {7, 3})
        if (m < narrowest) {
            forms.push_back({height, m});
            narrowest = m;
        }
    const double sign = height < 0 ? -1.0 : 1.0;
    const double own = std::fabs(height);
    double last = std::floor(own);
    for (const double f : {0.9, 0.8, 0.7}) {
        const double h = std::floor(own * f);
        if (h < kLeastLegendHeight)
            break;
        if (h < last)
            forms.push_back({sign * h, narrowest});
        last = std::min(last, h);
    }
    return forms;
}

LegendChoice PlaceLegend(const LegendRoom& room, int position, const std::vector<plat::Size>& sizes)
{
    const int W = room.chart.cx, H = room.chart.cy;
    const int reach = std::max(room.penWidth, 1) / 2 + 1;
    const plat::Rect inkArea{std::max(room.inkArea.left, 0), std::max(room.inkArea.top, 0),
                             std::min(room.inkArea.right, W), std::min(room.inkArea.bottom, H)};
    Cells hard(room.chart), ink(room.chart);
    for (const plat::Rect& r : room.keepOut)
        if (!r.IsEmpty())
            hard.Mark(plat::Rect{r.left - room.gap, r.top - room.gap, r.right + room.gap, r.bottom + room.gap});
    MarkInk(ink, room.ink, inkArea, reach);
    hard.Sum();
    ink.Sum();
    const int s = hard.Size();

    // The ink's markers and its first stretches, as many as the cells take.
    ChartInk capped;
    const bool cap = room.ink.lines.size() > kLegendInkStretches;
    if (cap) {
        capped.boxes = room.ink.boxes;
        capped.lines.assign(room.ink.lines.begin(),
                            room.ink.lines.begin() + static_cast<std::ptrdiff_t>(kLegendInkStretches));
    }
    const ChartInk& ink0 = cap ? capped : room.ink;
    // The legend's own place, looked at pixel by pixel: it stays there when it covers nothing.
    const auto ownPlaceClear = [&](plat::Point at, plat::Size size) {
        const plat::Rect box{at.x, at.y, at.x + size.cx, at.y + size.cy};
        if (box.left < 0 || box.top < 0 || box.right > W || box.bottom > H)
            return false;
        for (const plat::Rect& r : room.keepOut)
            if (!r.IsEmpty() && BoxesMeet(box, r))
                return false;
        const plat::Rect drawn{std::max(box.left, inkArea.left), std::max(box.top, inkArea.top),
                               std::min(box.right, inkArea.right), std::min(box.bottom, inkArea.bottom)};
        if (drawn.IsEmpty())
            return true;
        return !InkMeets(ink0, drawn, reach - 1);
    };

    for (std::size_t k = 0; k < sizes.size(); ++k) {
        const plat::Size size = sizes[k];
        const plat::Point home = LegendHome(position, room.chart, size);
        if (ownPlaceClear(home, size))
            return LegendChoice{static_cast<int>(k), home, true};
        if (size.cx <= 0 || size.cy <= 0 || size.cx > W || size.cy > H)
            continue;
        const int cw = (size.cx + s - 1) / s, ch = (size.cy + s - 1) / s;
        // The clear place nearest the legend's own.
        Weighed best;
        for (int row = 0; row * s + size.cy <= H; ++row)
            for (int col = 0; col * s + size.cx <= W; ++col) {
                const int c1 = std::min(col + cw, hard.Columns()), r1 = std::min(row + ch, hard.Rows());
                if (hard.Count(col, row, c1, r1) != 0 || ink.Count(col, row, c1, r1) != 0)
                    continue;
                Weighed w;
                w.found = true;
                w.at = {col * s, row * s};
                const long long dx = w.at.x - home.x, dy = w.at.y - home.y;
                w.distance = dx * dx + dy * dy;
                if (!best.found || w.distance < best.distance)
                    best = w;
            }
        if (best.found)
            return LegendChoice{static_cast<int>(k), best.at, true};
    }
    // No form has a clear place: the smallest at its own place, for the chart to make room or
    // leave the legend out.
    const int last = std::max(static_cast<int>(sizes.size()) - 1, 0);
    const plat::Size size = sizes.empty() ? plat::Size{} : sizes[static_cast<std::size_t>(last)];
    return LegendChoice{last, LegendHome(position, room.chart, size), false};
}
