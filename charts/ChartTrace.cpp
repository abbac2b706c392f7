#include "charts/ChartTrace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kBig = 1e30;
constexpr double kPixelLimit = 1e7;

struct Pair {
    double x = 0.0;
    double y = 0.0;
    int number = 0; // counted from 1, separators included
};

bool IsSeparator(const Pair& p) { return p.x > kBig; }
bool IsNewLine(const Pair& p) { return p.y > kBig; }
bool IsMarkerRun(const Pair& p) { return p.y < 0; }

class Walker {
public:
    Walker(const std::vector<double>& data, const ChartTransform& t, int selected, int lineStart,
           ChartTraceSink& sink)
        : m_data(data), m_t(t), m_selected(selected), m_lineStart(lineStart), m_sink(sink)
    {
    }

    bool Read(Pair& p)
    {
        if (m_next + 1 >= m_data.size())
            return false;
        p.x = m_data[m_next];
        p.y = m_data[m_next + 1];
        m_next += 2;
        p.number = ++m_count;
        return true;
    }

    int Px(double x) const { return ChartPixel(x * m_t.xScale + m_t.xOffset); }
    int Py(double y) const { return ChartPixel(m_t.yOffset - y * m_t.yScale); }

    void Note(const Pair& p)
    {
        if (m_selected >= 1 && static_cast<long long>(p.number) - m_lineStart == m_selected) {
            m_marker.found = true;
            m_marker.x = ChartPixel(p.x * m_t.xScale + m_t.xOffset, false);
            m_marker.y = ChartPixel(m_t.yOffset - p.y * m_t.yScale, false);
        }
    }

    // Draws the markers after a marker pair; returns false at the end of the data, else true
    // with the separator that ended the run in p.
    bool MarkerRun(Pair& p)
    {
        while (Read(p)) {
            if (IsSeparator(p))
                return true;
            m_sink.Marker(Px(p.x), Py(p.y));
            Note(p);
        }
        return false;
    }

    void Polyline()
    {
        bool newLine = true;
        Pair p;
        bool have = Read(p);
        while (have) {
            if (IsSeparator(p)) {
                if (IsMarkerRun(p)) {
                    // The markers are not joined to anything; whatever follows starts afresh.
                    newLine = true;
                    have = MarkerRun(p);
                    continue;
                }
                if (IsNewLine(p))
                    newLine = true;
                else
                    m_sink.LineType(static_cast<int>(p.y));
                have = Read(p);
                continue;
            }
            if (newLine)
                m_sink.MoveTo(Px(p.x), Py(p.y));
            else
                m_sink.LineTo(Px(p.x), Py(p.y));
            newLine = false;
            Note(p);
            have = Read(p);
        }
    }

    // Reads up to the next point, handling separators on the way; false at the end.
    // newLine tells that a new line (or a marker run) came before it.
    bool NextPoint(Pair& p, bool& newLine, int& pendingType, bool& pending)
    {
        bool have = Read(p);
        while (have && IsSeparator(p)) {
            if (IsMarkerRun(p)) {
                newLine = true;
                have = MarkerRun(p);
                continue;
            }
            if (IsNewLine(p)) {
                newLine = true;
            } else {
                pendingType = static_cast<int>(p.y);
                pending = true;
            }
            have = Read(p);
        }
        return have;
    }

    void Curve()
    {
        Pair p0;
        Pair p1;
        Pair p2;
        bool newLine = false;
        int type = 0;
        bool pending = false;
        // The first point of a line: its line-type pairs select the pen at once.
        const auto startLine = [&](Pair& first) {
            if (pending)
                m_sink.LineType(type);
            pending = false;
            newLine = false;
            m_sink.MoveTo(Px(first.x), Py(first.y));
            Note(first);
        };
        if (!NextPoint(p0, newLine, type, pending))
            return;
        startLine(p0);
        for (;;) {
            int state = 0;
            if (!NextPoint(p1, newLine, type, pending))
                return;
            if (newLine) {
                p0 = p1;
                startLine(p0);
                continue;
            }
            if (pending) {
                state = 1;
                pending = false;
            }
            Note(p1);
            const int typeBefore1 = type;
            if (!NextPoint(p2, newLine, type, pending)) {
                m_sink.LineTo(Px(p1.x), Py(p1.y));
                return;
            }
            if (newLine) {
                // An even count: the point left over is joined straight.
                m_sink.LineTo(Px(p1.x), Py(p1.y));
                p0 = p2;
                startLine(p0);
                continue;
            }
            if (pending) {
                m_sink.LineType(type);
                pending = false;
                if (state == 1)
                    state = 2;
            }
            Note(p2);
            Piece(p0, p1, p2, state, state ? typeBefore1 : 0);
            p0 = p2;
        }
    }

    // One parabola x(y) through three points in seven strokes; straight where it does not exist.
    void Piece(const Pair& a, const Pair& b, const Pair& c, int state, int pendingType)
    {
        const double dy = b.y - a.y;
        const double scale = std::max({std::fabs(a.y), std::fabs(b.y), std::fabs(c.y), 1e-300});
        const bool even = std::fabs((c.y - b.y) - dy) <= 1e-9 * std::max(std::fabs(dy), scale);
        if (std::fabs(dy) <= 1e-12 * scale || !even) {
            m_sink.LineTo(Px(b.x), Py(b.y));
            m_sink.LineTo(Px(c.x), Py(c.y));
            if (state)
                m_sink.CurvePen(pendingType == 1);
            return;
        }
        for (int k = 0; k <= 6; ++k) {
            const double y = a.y + k * (c.y - a.y) / 6.0;
            const double t = k * dy / 3.0 - dy;
            const double x = b.x + (c.x - a.x) * t / (2.0 * dy) +
                             (a.x - 2.0 * b.x + c.x) * t * t / (2.0 * dy * dy);
            m_sink.LineTo(Px(x), Py(y));
            if (k == 4 && state) {
                m_sink.CurvePen(pendingType == 0);
                state = state == 2 ? 1 : 0;
            }
        }
        if (state == 1)
            m_sink.CurvePen(pendingType == 1);
    }

    ChartMarker Marker() const { return m_marker; }

private:
    const std::vector<double>& m_data;
    const ChartTransform& m_t;
    int m_selected;
    int m_lineStart;
    ChartTraceSink& m_sink;
    std::size_t m_next = 0;
    int m_count = 0;
    ChartMarker m_marker;
};

} // namespace

int ChartPixel(double v, bool round)
{
    if (std::isnan(v))
        return 0;
    v = std::clamp(round ? v + 0.5 : v, -kPixelLimit, kPixelLimit);
    return static_cast<int>(v);
}

ChartMarker TraceChartData(const std::vector<double>& data, const ChartTransform& t, int drawMode,
                           int selectedPoint, int lineStart, ChartTraceSink& sink)
{
    Walker walker(data, t, selectedPoint, lineStart, sink);
    if (drawMode == 0)
        walker.Polyline();
    else
        walker.Curve();
    return walker.Marker();
}
