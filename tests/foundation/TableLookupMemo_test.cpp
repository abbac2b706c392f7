// The memo of table look-ups answers bit for bit what the table's own interpolation answers,
// and leaves the table's interpolation cache where the interpolation would have left it,
// whatever the cache held before and however the table changes between passes.

#include "foundation/TableLookupMemo.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::uint64_t Bits(double v)
{
    return std::bit_cast<std::uint64_t>(v);
}

// Descending depths with a width jump (two pairs at 0.2) and values whose interpolation at a
// pair's own depth depends on the interval it is reached from.
TDepthTable Offsets()
{
    TDepthTable t("offsets");
    const std::vector<DepthPair> pairs = {{0.3, 1e-4 / 3.0},
                                          {0.25, -7e-5},
                                          {0.2, 0.1 / 3.0},
                                          {0.2, -0.7 / 9.0},
                                          {0.1, 1.0 / 7.0},
                                          {0.0, -2e-3 / 3.0},
                                          {-0.3, 5e-4}};
    for (const DepthPair& p : pairs)
        t.Add(p.z, p.v);
    t.SetSorted(true);
    return t;
}

// Every node depth of a pass, the pair depths included, and a few between them.
std::vector<double> PassDepths()
{
    std::vector<double> depths = {0.3, 0.275, 0.25, 0.2, 0.2, 0.15, 0.1, 0.05, 0.0, -0.3};
    for (int i = 0; i <= 20; ++i)
        depths.push_back(0.3 - 0.6 * i / 20.0);
    return depths;
}

// One pass through the memo against the same look-ups on a copy of the table taken just
// before each (a copy keeps the interpolation cache): every answer and every cache index
// after it the same, bit for bit.
void ExpectPassLikeTheTable(TTableLookupMemo& memo, const TDepthTable& table)
{
    memo.Begin(&table);
    for (double z : PassDepths()) {
        TDepthTable twin = table;
        const double fresh = twin.InterpolateAtDepth(z);
        const double kept = memo.At(z);
        EXPECT_EQ(Bits(kept), Bits(fresh)) << "depth " << z;
        EXPECT_EQ(table.GetCacheIndex(), twin.GetCacheIndex()) << "depth " << z;
    }
}

// Moves the table's cache the way another user's look-up would.
void LookUpElsewhere(const TDepthTable& table, double z)
{
    table.InterpolateAtDepth(z);
}

TEST(TableLookupMemo, ReusedAnswersAreTheTablesOwnWhateverItsCacheHeld)
{
    const TDepthTable table = Offsets();
    TTableLookupMemo memo;
    ExpectPassLikeTheTable(memo, table);
    const std::size_t firstPass = memo.Reused();
    for (double elsewhere : {0.29, 0.22, 0.2, 0.12, 0.01, -0.2, 0.3, -0.3}) {
        // Another user of the table left its cache anywhere: the kept answers still hold.
        LookUpElsewhere(table, elsewhere);
        ExpectPassLikeTheTable(memo, table);
    }
    // Passes after the first answer mostly from the memo.
    EXPECT_GT(memo.Reused(), firstPass + 3 * PassDepths().size());
}

TEST(TableLookupMemo, AChangedTableIsInterpolatedAfresh)
{
    TDepthTable table = Offsets();
    TTableLookupMemo memo;
    ExpectPassLikeTheTable(memo, table);
    // The last bit of one value, and the sign of a zero, count as changes.
    table.SetValue(4, std::nextafter(table.GetValue(4), 1.0));
    ExpectPassLikeTheTable(memo, table);
    table.SetValue(5, 0.0);
    ExpectPassLikeTheTable(memo, table);
    table.SetValue(5, -0.0);
    ExpectPassLikeTheTable(memo, table);
    EXPECT_EQ(Bits(memo.At(0.0)), Bits(-0.0));
    // Another table with the same pairs gives the same answers.
    const TDepthTable copy = table;
    ExpectPassLikeTheTable(memo, copy);
}

TEST(TableLookupMemo, NoTableAnswersZeroAndUnorderedTablesAreNotKept)
{
    TTableLookupMemo memo;
    memo.Begin(nullptr);
    EXPECT_EQ(Bits(memo.At(0.1)), Bits(0.0));

    TDepthTable ascending("ascending");
    ascending.Add(0.0, 1.0);
    ascending.Add(0.3, 4.0);
    memo.Begin(&ascending);
    for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(memo.At(0.1), ascending.InterpolateAtDepth(0.1));
    EXPECT_EQ(memo.Reused(), 0u);
}

} // namespace
