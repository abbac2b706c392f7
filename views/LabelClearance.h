#pragma once
// The places of labels that must stay clear of the lines of a picture and of each other: a
// label stays where it belongs while nothing runs through it there, and otherwise moves to
// the nearest place right of and below it, just right of a line's or a label's right end or
// just below its lowest point. The searches are bounded: all those made on one picture test a
// line or a label against a place at most a given number of times, however many points its
// curves have.

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/Types.h"

// A drawn stretch, from one pixel to another.
using LabelStretch = std::pair<plat::Point, plat::Point>;

// Most tests of a stretch or a label against a place that the labels of one picture make.
inline constexpr long long kLabelSearchTests = 200000;

// What the searches cost.
struct LabelWork {
    // Stretches and labels tested against a place.
    long long tests = 0;
    // Searches made, and those that stopped for want of tests.
    int searches = 0;
    int cutShort = 0;
};

class LabelClearance {
public:
    // The stretches of the picture's curves, and the area that labels move within. A point
    // that repeats the end of the stretch before it adds nothing to test.
    LabelClearance(const std::vector<LabelStretch>& lines, const plat::Rect& area,
                   long long budget = kLabelSearchTests);

    // A further line (a leader) or the pixels of a label placed, to keep clear of from now on.
    void Add(const LabelStretch& line);
    void Add(const plat::Rect& box);

    // Where a label of the given size, left- and top-aligned at home, goes. It is clear at a
    // place when no stretch passes through its box grown by a pixel on every side, and no
    // other label's pixels overlap its own (labels may touch). home when clear there; else the
    // nearest clear place inside the region, as far as it lies in the area (in pixels, the
    // leftmost of equals), whose x is
    // home.x, two pixels right of a stretch's rightmost pixel or just right of a label, and
    // whose y is home.y, two pixels below a stretch's lowest pixel or just below a label,
    // neither less than home's; home when there is none.
    // A search that runs out of tests answers the nearest clear place found by then, or home.
    plat::Point Place(plat::Point home, plat::Size size, const plat::Rect& region);

    const LabelWork& Work() const { return m_work; }

    // A stretch from (x0, ya) to (x1, yb), x0 <= x1, or the pixels x0..x1 by ya..yb of a label.
    struct Obstacle {
        int x0 = 0, x1 = 0;
        int ya = 0, yb = 0;
        bool box = false;
    };
    // A run of joined stretches of a curve, a few pixels wide: it lies within x0..x1 by
    // ya..yb, and being joined, it covers every height between its lowest and highest point
    // in columns that hold it whole. Its stretches are m_lines[first, first + count).
    struct Run {
        int x0 = 0, x1 = 0;
        int ya = 0, yb = 0;
        std::size_t first = 0, count = 0;
    };

private:
    void AddCandidates(int x, int y);

    plat::Rect m_area;
    long long m_budget;
    LabelWork m_work;
    // The curves' stretches in the order given, their runs by left end; the leaders and
    // labels added since.
    std::vector<Obstacle> m_lines;
    std::vector<Run> m_runs;
    std::vector<Obstacle> m_added;
    // The candidate columns and rows inside the area, in increasing order.
    std::vector<int> m_xs, m_ys;
};
