#pragma once
// The places of labels that must stay clear of the lines of a picture and of each other: a
// label stays where it belongs while nothing runs through it there, and otherwise moves to
// the nearest place the ways it may go (right or left, and down or up), just past a line's or
// a label's end. The searches are bounded: all those made on one picture test a line or a
// label against a place at most a given number of times, however many points its curves have.

#include <array>
#include <cstddef>
#include <memory>
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

// The ways a label may move from its home, to be combined: right and down, left and down, right
// and up, left and up.
namespace LabelToward {
inline constexpr unsigned RightDown = 1, LeftDown = 2, RightUp = 4, LeftUp = 8;
}

class LabelClearance {
public:
    // The stretches of the picture's curves, and the area that labels move within. A point
    // that repeats the end of the stretch before it adds nothing to test.
    LabelClearance(const std::vector<LabelStretch>& lines, const plat::Rect& area,
                   long long budget = kLabelSearchTests);
    ~LabelClearance();
    LabelClearance(const LabelClearance&) = delete;
    LabelClearance& operator=(const LabelClearance&) = delete;

    // A further line (a leader) or the pixels of a label placed, to keep clear of from now on.
    void Add(const LabelStretch& line);
    void Add(const plat::Rect& box);
    // Forgets the lines and labels added: the curves alone again (the tests spent stay spent).
    void Restart();

    // Where a label of the given size, left- and top-aligned at home, goes. It is clear at a
    // place when no stretch passes through its box grown by a pixel on every side, and no
    // other label's pixels overlap its own (labels may touch). home when clear there; else the
    // nearest clear place inside the region, as far as it lies in the area (in pixels, the
    // first of equals in the order of the ways given, then the leftmost, or rightmost for a
    // way left), one of the ways given. Moving right, its x is home.x, two pixels right of a
    // stretch's rightmost pixel or just right of a label, never less than home's; moving
    // down, its y is home.y, two pixels below the lowest pixel of a stretch in the label's
    // columns or just below a label, never less than home's; left and up the same mirrored.
    // home when there is none.
    // A search that runs out of tests answers the nearest clear place found by then, or home.
    plat::Point Place(plat::Point home, plat::Size size, const plat::Rect& region,
                      unsigned ways = LabelToward::RightDown);
    // Whether the last place answered is clear (at home or moved).
    bool Found() const { return m_found; }
    // Whether a line passes through the pixels of a label added.
    bool ThroughLabel(const LabelStretch& line) const;

    const LabelWork& Work() const { return m_work; }

    // A stretch from (x0, ya) to (x1, yb), x0 <= x1, or the pixels x0..x1 by ya..yb of a label.
    struct Obstacle {
        int x0 = 0, x1 = 0;
        int ya = 0, yb = 0;
        bool box = false;
    };
    // A run of joined stretches of a curve, a few pixels wide: it lies within x0..x1 by
    // ya..yb, and being joined, it covers every height between its lowest and highest point
    // in columns that hold it whole. Its stretches are lines[first, first + count).
    struct Run {
        int x0 = 0, x1 = 0;
        int ya = 0, yb = 0;
        std::size_t first = 0, count = 0;
    };

private:
    // The search one way, on the picture turned so that the way is right and down.
    class Sweep;
    struct Added {
        bool box = false;
        plat::Rect rect;
        LabelStretch line;
    };
    Sweep& SweepOf(int way);

    std::vector<LabelStretch> m_lines;
    plat::Rect m_area;
    long long m_budget;
    LabelWork m_work;
    bool m_found = false;
    std::vector<Added> m_added;
    std::array<std::unique_ptr<Sweep>, 4> m_sweeps;
};
