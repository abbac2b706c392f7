#pragma once
// Where a chart's texts land as it draws them, for tests of what is laid over a chart (its
// legends): each upright text (numbers, title, x title, note) with the box it covers, and the
// strokes of its axes and its data.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "charts/BoxGeometry.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"

// The box an upright text run covers, as drawn.
inline plat::Rect DrawnBox(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

// The box an upright text run covers on the device, its corners taken through the mapping (a
// run's offsets are logical, as its point is).
inline plat::Rect PageBox(const DrawCall& c)
{
    const int left = c.run.at.x + c.run.x0, baseline = c.run.at.y + c.run.baseline;
    const plat::Point a = c.state.mapping.ToDevice({left, baseline - c.run.ascent});
    const plat::Point b = c.state.mapping.ToDevice({left + c.run.width, baseline + c.run.descent});
    return plat::Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

inline bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline plat::Rect RectOf(const BoxPlace& b) { return plat::Rect{b.x, b.y, b.x + b.w, b.y + b.h}; }

// The upright texts the chart draws, each with its box.
inline std::vector<std::pair<std::string, plat::Rect>> DrawnTexts(Tchart& chart)
{
    RecordingDC dc;
    chart.Paint(dc, true, plat::Rect{0, 0, chart.Place().w, chart.Place().h});
    std::vector<std::pair<std::string, plat::Rect>> texts;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (!c.text.empty() && c.text != " " && c.state.font.escapement == 0)
            texts.emplace_back(c.text, DrawnBox(c));
    return texts;
}

// The drawn texts of the chart that the rectangle meets, as "text (left, top - right, bottom)".
inline std::vector<std::string> TextsUnder(Tchart& chart, const plat::Rect& r)
{
    std::vector<std::string> under;
    for (const auto& [text, box] : DrawnTexts(chart))
        if (Meet(r, box))
            under.push_back("\"" + text + "\" (" + std::to_string(box.left) + ", " + std::to_string(box.top) +
                            " - " + std::to_string(box.right) + ", " + std::to_string(box.bottom) + ")");
    return under;
}

// The strokes the chart draws, as drawn (device pixels): the axis lines and ticks (pens one
// pixel wide) and the data's curves (the chart's own line width, two pixels on a full chart).
struct DrawnStrokes {
    std::vector<std::pair<plat::Point, plat::Point>> axes;
    std::vector<std::pair<plat::Point, plat::Point>> data;
};

inline DrawnStrokes StrokesOf(const std::vector<DrawCall>& calls, int dataWidth)
{
    DrawnStrokes strokes;
    for (const DrawCall& c : calls) {
        if (c.op != "Line" && c.op != "Polyline")
            continue;
        for (std::size_t k = 0; k + 1 < c.points.size(); ++k) {
            const std::pair<plat::Point, plat::Point> s{c.state.mapping.ToDevice(c.points[k]),
                                                        c.state.mapping.ToDevice(c.points[k + 1])};
            (c.state.pen.width == dataWidth ? strokes.data : strokes.axes).push_back(s);
        }
    }
    return strokes;
}

inline DrawnStrokes DrawnStrokesOf(Tchart& chart)
{
    RecordingDC dc;
    chart.Paint(dc, true, plat::Rect{0, 0, chart.Place().w, chart.Place().h});
    return StrokesOf(dc.Calls(), chart.LineWidth());
}

// The pixels of the strokes that lie inside the rectangle, each stroke walked pixel by pixel
// (both ends taken).
inline int PixelsInside(const std::vector<std::pair<plat::Point, plat::Point>>& strokes, const plat::Rect& r)
{
    int inside = 0;
    for (const auto& [a, b] : strokes) {
        const int n = std::max({std::abs(b.x - a.x), std::abs(b.y - a.y), 1});
        for (int i = 0; i <= n; ++i) {
            const plat::Point p{a.x + (b.x - a.x) * i / n, a.y + (b.y - a.y) * i / n};
            inside += r.Contains(p) ? 1 : 0;
        }
    }
    return inside;
}

// Each logical point of a polyline call, a quarter of a logical pixel apart along its
// segments, with whether its call's clip shows it at the device pixel the mapping gives.
template <typename Visit> void ForEachPolylinePoint(const DrawCall& c, const plat::Mapping& mapping, Visit visit)
{
    for (std::size_t k = 0; k + 1 < c.points.size(); ++k) {
        const plat::Point a = c.points[k], e = c.points[k + 1];
        const int steps = std::min(4000, static_cast<int>(4 * std::hypot(e.x - a.x, e.y - a.y)) + 1);
        for (int s = 0; s <= steps; ++s) {
            const double f = static_cast<double>(s) / steps;
            const plat::Point p{static_cast<int>(std::lround(a.x + f * (e.x - a.x))),
                                static_cast<int>(std::lround(a.y + f * (e.y - a.y)))};
            bool shown = true;
            for (const plat::Region& region : c.state.clip.regions)
                shown = shown && region.Contains(mapping.ToDevice(p));
            visit(p, shown);
        }
    }
}

// The device pixels of the coloured (not black) polylines of the calls (the data's curves), a
// quarter of a logical pixel apart along them, each through its call's mapping, that their clip
// shows.
inline std::vector<plat::Point> ShownCurvePoints(const std::vector<DrawCall>& calls)
{
    std::vector<plat::Point> out;
    for (const DrawCall& c : calls) {
        if (c.op != "Polyline" || c.state.pen.color == plat::Colors::Black)
            continue;
        ForEachPolylinePoint(c, c.state.mapping, [&](const plat::Point& p, bool shown) {
            if (shown)
                out.push_back(c.state.mapping.ToDevice(p));
        });
    }
    return out;
}
