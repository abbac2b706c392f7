#pragma once
// Values of one depth table at a repeated sequence of depths, kept between passes.
//
// A caller that looks a table up at the same depths pass after pass (the nodes of a section,
// top down, most of them at the depths of the pass before) asks the memo instead: it answers
// exactly what TDepthTable::InterpolateAtDepth answers, bit for bit, and leaves the table's
// interpolation cache where the interpolation would have left it. That answer depends on the
// table's pairs, the depth and the cache index the table holds when asked (an interval ending
// at a pair's depth and its neighbour need not give the same bits there), so a kept value is
// used only when all three are as they were when it was found; and only look-ups that left
// the cache index where it was are kept, so that answering from the memo moves nothing.
// Depths outside the table's range, and tables that are not in descending depth order, are
// always interpolated (their reports and answers stay the table's own).

#include <cstddef>
#include <vector>

#include "foundation/TDepthTable.h"

class TTableLookupMemo {
public:
    // Starts a pass over table (may be null: every answer is then 0). The kept values are
    // forgotten when the table's pairs differ in any bit from those they were found with.
    void Begin(const TDepthTable* table);

    // The value at depth of the pass's table.
    double At(double depth);

    // Answers given from kept values since construction (for tests and counters).
    std::size_t Reused() const { return m_reused; }

private:
    struct Entry {
        bool kept = false;
        double depth = 0.0;
        int cache = -1; // the table's cache index, before and after
        double value = 0.0;
    };

    const TDepthTable* m_table = nullptr;
    std::vector<DepthPair> m_pairs; // the pairs the kept values were found with
    bool m_keepable = false;        // descending depths, none of them NaN
    double m_lower = 0.0;
    double m_upper = 0.0;
    // Open-addressed by a hash of the depth and the cache index, kSlots slots, emptied when
    // half full.
    static constexpr std::size_t kSlots = 1024;
    std::vector<Entry> m_entries;
    std::size_t m_kept = 0;
    Entry& Slot(double depth, int cache);
    void Forget();
    std::size_t m_reused = 0;
};
