#include "views/LabelClearance.h"

#include <algorithm>
#include <cstddef>

// A search runs one way at a time, on the picture turned so that the way is right and down
// (mirrored left to right, top to bottom, or both). It runs over the candidate columns from left
// to right. A label whose left edge is at
// x, grown by a pixel, spans the closed columns x - 1 .. x + width; the part of a stretch inside
// them runs over a closed range of heights, so the tops at which the label meets that stretch
// are one range of whole pixels, worked out exactly in integers. The stretches that reach into
// the columns are kept in an active list as the columns move right (taken in by their left
// end, dropped once they lie left of the columns), a run of joined stretches lying wholly in
// the columns as one range; the first row past the sorted ranges is the nearest place in that
// column. Columns stop once they lie farther right than the nearest place found,
// and every search ends when the tests given to the picture are spent, so that the work stays
// within a bound set by those tests.

namespace {

using Obstacle = LabelClearance::Obstacle;

// A run of joined stretches spans at most this many pixels and stretches.
constexpr int kRunWidth = 16;
constexpr std::size_t kRunStretches = 32;

// Pixels farther than this from the origin are taken as lying this far (far outside any window),
// so that the exact arithmetic below stays within 64 bits.
constexpr int kFar = 1 << 24;

int Near(int v) { return std::clamp(v, -kFar, kFar); }

long long FloorDiv(long long n, long long d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
long long CeilDiv(long long n, long long d) { return -FloorDiv(-n, d); }

struct Tops {
    int first = 0, last = 0;
};

// The tops of a label cy high whose grown box, over the closed columns X0..X1, meets the
// obstacle; false when the obstacle lies outside the columns. A stretch wholly inside the
// columns spans the heights of its ends.
bool Blocked(const Obstacle& o, int X0, int X1, int cy, Tops& tops)
{
    if (o.x1 < X0 || o.x0 > X1)
        return false;
    long long lo = std::min(o.ya, o.yb), hi = std::max(o.ya, o.yb);
    if (!o.box && o.x0 != o.x1 && (o.x0 < X0 || o.x1 > X1)) {
        const long long d = o.x1 - o.x0, dy = static_cast<long long>(o.yb) - o.ya;
        const long long n0 = o.ya * d + dy * (std::max(o.x0, X0) - o.x0);
        const long long n1 = o.ya * d + dy * (std::min(o.x1, X1) - o.x0);
        lo = CeilDiv(std::min(n0, n1), d);
        hi = FloorDiv(std::max(n0, n1), d);
    }
    // The grown box spans the rows y - 1 .. y + cy.
    tops = {static_cast<int>(lo - cy), static_cast<int>(hi + 1)};
    return true;
}

Obstacle OfStretch(const LabelStretch& line)
{
    const bool leftFirst = line.first.x <= line.second.x;
    const plat::Point p = leftFirst ? line.first : line.second, q = leftFirst ? line.second : line.first;
    return Obstacle{Near(p.x), Near(q.x), Near(p.y), Near(q.y), false};
}

// The values of [first, last] marked, in increasing order.
std::vector<int> Marked(const std::vector<char>& marks, int first)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < marks.size(); ++i)
        if (marks[i])
            out.push_back(first + static_cast<int>(i));
    return out;
}

} // namespace

class LabelClearance::Sweep {
public:
    Sweep(const std::vector<LabelStretch>& lines, const plat::Rect& area, LabelWork& work, long long budget);
    void Add(const LabelStretch& line);
    void Add(const plat::Rect& box);
    void Restart();

    struct Answer {
        plat::Point at;
        bool homeClear = false;
        bool found = false;
        bool cut = false;
    };
    Answer Place(plat::Point home, plat::Size size, const plat::Rect& within);

private:
    void AddColumn(int x);

    plat::Rect m_area;
    LabelWork& m_work;
    long long m_budget;
    // The curves' stretches in the order given, their runs by left end; the leaders and
    // labels added since.
    std::vector<Obstacle> m_lines;
    std::vector<Run> m_runs;
    std::vector<Obstacle> m_added;
    // The candidate columns inside the area, in increasing order; those of the curves alone.
    std::vector<int> m_xs;
    std::vector<int> m_curveXs;
};

LabelClearance::Sweep::Sweep(const std::vector<LabelStretch>& lines, const plat::Rect& area, LabelWork& work,
                             long long budget)
    : m_area(area), m_work(work), m_budget(budget)
{
    std::vector<char> columns(static_cast<std::size_t>(std::max(area.right - area.left + 1, 0)));
    const auto mark = [](std::vector<char>& marks, int first, int v) {
        if (v >= first && static_cast<std::size_t>(v - first) < marks.size())
            marks[static_cast<std::size_t>(v - first)] = 1;
    };
    m_lines.reserve(lines.size());
    const plat::Point* previousEnd = nullptr;
    for (const LabelStretch& line : lines) {
        const plat::Point a = line.first, b = line.second;
        const bool joined = previousEnd && *previousEnd == a;
        previousEnd = &line.second;
        if (a == b && joined)
            continue;
        const Obstacle o = OfStretch(line);
        Run* run = m_runs.empty() ? nullptr : &m_runs.back();
        if (joined && run && run->count < kRunStretches &&
            std::max(run->x1, o.x1) - std::min(run->x0, o.x0) <= kRunWidth) {
            run->x0 = std::min(run->x0, o.x0), run->x1 = std::max(run->x1, o.x1);
            run->ya = std::min({run->ya, o.ya, o.yb}), run->yb = std::max({run->yb, o.ya, o.yb});
            ++run->count;
        } else {
            m_runs.push_back(Run{o.x0, o.x1, std::min(o.ya, o.yb), std::max(o.ya, o.yb), m_lines.size(), 1});
        }
        m_lines.push_back(o);
    }
    for (const Run& run : m_runs)
        mark(columns, area.left, run.x1 + 2);
    std::sort(m_runs.begin(), m_runs.end(), [](const Run& p, const Run& q) { return p.x0 < q.x0; });
    m_xs = m_curveXs = Marked(columns, area.left);
}

void LabelClearance::Sweep::Restart()
{
    m_added.clear();
    m_xs = m_curveXs;
}

void LabelClearance::Sweep::AddColumn(int x)
{
    const auto at = std::lower_bound(m_xs.begin(), m_xs.end(), x);
    if (x >= m_area.left && x <= m_area.right && (at == m_xs.end() || *at != x))
        m_xs.insert(at, x);
}

void LabelClearance::Sweep::Add(const LabelStretch& line)
{
    AddColumn(std::max(line.first.x, line.second.x) + 2);
    m_added.push_back(OfStretch(line));
}

void LabelClearance::Sweep::Add(const plat::Rect& box)
{
    if (box.Width() < 3 || box.Height() < 3)
        return;
    // Labels may touch: the box goes in a pixel smaller on every side, against the label's
    // box grown by one.
    AddColumn(box.right);
    m_added.push_back(Obstacle{Near(box.left + 1), Near(box.right - 2), Near(box.top + 1), Near(box.bottom - 2), true});
}

LabelClearance::Sweep::Answer LabelClearance::Sweep::Place(plat::Point home, plat::Size size, const plat::Rect& within)
{
    const plat::Rect region{std::max(within.left, m_area.left), std::max(within.top, m_area.top),
                            std::min(within.right, m_area.right), std::min(within.bottom, m_area.bottom)};
    const int cx = std::max(size.cx, 0), cy = std::max(size.cy, 0);
    const int xLow = std::max(home.x, region.left), xHigh = region.right - cx;
    const int yLow = std::max(home.y, region.top), yHigh = region.bottom - cy;

    std::vector<Tops> blocked;

    std::size_t next = 0;
    std::vector<const Run*> active;
    bool homeBlocked = false;
    // The tops from yLow to yHigh at which the label at column x (columns in increasing
    // order) meets a line or label, in increasing order of their first; false when the tests ran
    // out.
    const auto column = [&](int x) {
        const int X0 = x - 1, X1 = x + cx;
        while (next < m_runs.size() && m_runs[next].x0 <= X1)
            active.push_back(&m_runs[next++]);
        blocked.clear();
        homeBlocked = false;
        const auto blocks = [&](const Tops& t) {
            homeBlocked = homeBlocked || (x == home.x && home.y >= t.first && home.y <= t.last);
            if (t.last >= yLow && t.first <= yHigh)
                blocked.push_back(t);
        };
        const auto test = [&](const Obstacle& o) {
            if (m_work.tests >= m_budget)
                return false;
            ++m_work.tests;
            Tops t;
            if (Blocked(o, X0, X1, cy, t))
                blocks(t);
            return true;
        };
        std::size_t kept = 0;
        for (std::size_t i = 0; i < active.size(); ++i) {
            const Run& run = *active[i];
            if (run.x1 < X0) {
                if (m_work.tests >= m_budget)
                    return false;
                ++m_work.tests;
                continue; // left of this column and of every later one
            }
            active[kept++] = &run;
            if (run.x0 >= X0 && run.x1 <= X1) {
                if (!test(Obstacle{run.x0, run.x1, run.ya, run.yb, true}))
                    return false;
                continue;
            }
            for (std::size_t k = run.first; k < run.first + run.count; ++k)
                if (!test(m_lines[k]))
                    return false;
        }
        active.resize(kept);
        for (const Obstacle& o : m_added)
            if (!test(o))
                return false;
        std::sort(blocked.begin(), blocked.end(), [](const Tops& p, const Tops& q) { return p.first < q.first; });
        return true;
    };
    // The first top from yLow that no blocked range holds: two rows below a stretch's lowest
    // pixel in the label's columns or just below a label; past yHigh when there is none.
    const auto firstClear = [&] {
        int y = yLow;
        for (const Tops& t : blocked) {
            if (t.first > y)
                break;
            y = std::max(y, t.last + 1);
        }
        return y;
    };
    // Home counts only when the label lies there wholly inside the region.
    const bool homeInside = home.x >= region.left && home.x + cx <= region.right && home.y >= region.top &&
                            home.y + cy <= region.bottom;
    if (!column(home.x))
        return Answer{home, false, false, true};
    if (!homeBlocked && homeInside)
        return Answer{home, true, true, false};

    std::vector<int> xs;
    if (home.x >= xLow && home.x <= xHigh)
        xs.push_back(home.x);
    for (auto x = std::lower_bound(m_xs.begin(), m_xs.end(), xLow); x != m_xs.end() && *x <= xHigh; ++x)
        if (*x != home.x)
            xs.push_back(*x);
    plat::Point best = home;
    long long bestDistance = -1;
    for (const int x : xs) {
        const long long dx = static_cast<long long>(x) - home.x;
        if (bestDistance >= 0 && dx * dx >= bestDistance)
            break;
        if (x != home.x && !column(x))
            return Answer{best, false, bestDistance >= 0, true};
        const int y = firstClear();
        if (y > yHigh)
            continue;
        const long long dy = static_cast<long long>(y) - home.y;
        if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = {x, y};
        }
    }
    return Answer{best, false, bestDistance >= 0, false};
}

// ---- The ways --------------------------------------------------------------------------------

namespace {

// The picture turned for a way: mirrored left to right (way bit 1) and top to bottom (bit 2)
// within the area, which maps onto itself; a pixel p goes to (first + last) - p.
struct Turn {
    bool flipX = false, flipY = false;
    int X = 0, Y = 0; // left + right - 1, top + bottom - 1
    plat::Point Of(plat::Point p) const { return {flipX ? X - p.x : p.x, flipY ? Y - p.y : p.y}; }
    LabelStretch Of(const LabelStretch& l) const { return {Of(l.first), Of(l.second)}; }
    // The pixels [left, right) by [top, bottom).
    plat::Rect Of(const plat::Rect& r) const
    {
        const int l = flipX ? X + 1 - r.right : r.left, t = flipY ? Y + 1 - r.bottom : r.top;
        return plat::Rect{l, t, l + r.Width(), t + r.Height()};
    }
    // The top left corner of a label of the given size at p, and back.
    plat::Point Corner(plat::Point p, plat::Size size) const
    {
        return {flipX ? X + 1 - p.x - size.cx : p.x, flipY ? Y + 1 - p.y - size.cy : p.y};
    }
};

Turn TurnOf(int way, const plat::Rect& area)
{
    return Turn{(way & 1) != 0, (way & 2) != 0, area.left + area.right - 1, area.top + area.bottom - 1};
}

} // namespace

LabelClearance::LabelClearance(const std::vector<LabelStretch>& lines, const plat::Rect& area, long long budget)
    : m_lines(lines), m_area(area), m_budget(budget)
{
}

LabelClearance::~LabelClearance() = default;

LabelClearance::Sweep& LabelClearance::SweepOf(int way)
{
    std::unique_ptr<Sweep>& sweep = m_sweeps[static_cast<std::size_t>(way)];
    if (!sweep) {
        const Turn turn = TurnOf(way, m_area);
        std::vector<LabelStretch> lines;
        lines.reserve(m_lines.size());
        for (const LabelStretch& l : m_lines)
            lines.push_back(turn.Of(l));
        sweep = std::make_unique<Sweep>(lines, m_area, m_work, m_budget);
        for (const Added& a : m_added) {
            if (a.box)
                sweep->Add(turn.Of(a.rect));
            else
                sweep->Add(turn.Of(a.line));
        }
    }
    return *sweep;
}

void LabelClearance::Add(const LabelStretch& line)
{
    m_added.push_back(Added{false, {}, line});
    for (int way = 0; way < 4; ++way)
        if (m_sweeps[static_cast<std::size_t>(way)])
            m_sweeps[static_cast<std::size_t>(way)]->Add(TurnOf(way, m_area).Of(line));
}

void LabelClearance::Add(const plat::Rect& box)
{
    m_added.push_back(Added{true, box, {}});
    for (int way = 0; way < 4; ++way)
        if (m_sweeps[static_cast<std::size_t>(way)])
            m_sweeps[static_cast<std::size_t>(way)]->Add(TurnOf(way, m_area).Of(box));
}

void LabelClearance::Restart()
{
    m_added.clear();
    for (const std::unique_ptr<Sweep>& sweep : m_sweeps)
        if (sweep)
            sweep->Restart();
}

bool LabelClearance::ThroughLabel(const LabelStretch& line) const
{
    const Obstacle o = OfStretch(line);
    for (const Added& a : m_added) {
        // The rows the line runs over in the label's columns, against the label's rows.
        Tops rows;
        if (a.box && Blocked(o, a.rect.left, a.rect.right - 1, 0, rows) && rows.first < a.rect.bottom &&
            rows.last > a.rect.top)
            return true;
    }
    return false;
}

plat::Point LabelClearance::Place(plat::Point home, plat::Size size, const plat::Rect& region, unsigned ways)
{
    ++m_work.searches;
    m_found = false;
    plat::Point best = home;
    long long bestDistance = -1;
    bool first = true;
    for (int way = 0; way < 4; ++way) {
        if ((ways & (1u << way)) == 0)
            continue;
        const Turn turn = TurnOf(way, m_area);
        const Sweep::Answer a = SweepOf(way).Place(turn.Corner(home, size), size, turn.Of(region));
        if (a.cut)
            ++m_work.cutShort;
        // Clear at home is clear every way.
        if (first && a.homeClear) {
            m_found = true;
            return home;
        }
        first = false;
        if (a.found) {
            const plat::Point at = turn.Corner(a.at, size);
            const long long dx = at.x - home.x, dy = at.y - home.y;
            if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
                bestDistance = dx * dx + dy * dy;
                best = at;
            }
        }
        if (a.cut)
            break;
    }
    m_found = bestDistance >= 0;
    return best;
}
