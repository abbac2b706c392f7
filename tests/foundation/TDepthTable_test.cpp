#include "foundation/TDepthTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;
constexpr double kLooseTol = 1e-9;
// The line is cut as a segment 2e8 long, which costs digits at the crossing.
constexpr double kCrossTol = 1e-6;

TDepthTable Make(const std::string& name, std::initializer_list<DepthPair> pairs)
{
    TDepthTable t(name);
    for (const DepthPair& p : pairs)
        t.Add(p.z, p.v);
    return t;
}

// (3, 30), (2, 10), (1, 20), (0, 0): a polyline with a valley, largest z first.
TDepthTable Descending()
{
    TDepthTable t = Make("T", {{3, 30}, {2, 10}, {1, 20}, {0, 0}});
    t.Sort(1);
    return t;
}

TDepthTable Ascending()
{
    TDepthTable t = Make("T", {{0, 0}, {1, 20}, {2, 10}, {3, 30}});
    t.Sort(0);
    return t;
}

TEST(LinearInterpolateTest, LineThroughTwoPointsAndMeanForEqualPositions)
{
    EXPECT_NEAR(LinearInterpolate(2.0, 10.0, 0.0, 0.0, 0.5), 2.5, kTol);
    EXPECT_NEAR(LinearInterpolate(2.0, 10.0, 0.0, 0.0, 3.0), 15.0, kTol); // extrapolates
    EXPECT_EQ(LinearInterpolate(1.0, 4.0, 1.0, 8.0, 5.0), 6.0);
}

TEST(TDepthTableTest, ConstructionNamesAndCopiesDeeply)
{
    EXPECT_EQ(TDepthTable().GetName(), "Default constructor made me!");
    const std::string longName(80, 'n');
    EXPECT_EQ(TDepthTable(longName).GetName().size(), TDepthTable::kMaxNameLength);

    TDepthTable a = Descending();
    TDepthTable b(a);
    b.SetValue(0, 99.0);
    EXPECT_EQ(a.GetValue(0), 30.0);
    EXPECT_EQ(b.GetName(), "T");
    EXPECT_TRUE(b.IsSorted());
    EXPECT_EQ(b.GetCapacity(), a.GetCapacity());

    TDepthTable c("other");
    c.Assign(a);
    EXPECT_EQ(c.Pairs(), a.Pairs());
    c.Assign(nullptr);
    EXPECT_TRUE(c.IsEmpty());
}

TEST(TDepthTableTest, SelfAssignmentKeepsThePairs)
{
    TDepthTable t = Descending();
    const std::vector<DepthPair> before = t.Pairs();
    t.Assign(t);
    TDepthTable& alias = t;
    t = alias;
    EXPECT_EQ(t.Pairs(), before);
    EXPECT_EQ(t.GetName(), "T");
}

TEST(TDepthTableTest, GrowsByTwentyKeepingOneSlotFree)
{
    TDepthTable t("grow");
    t.Add(0, 0);
    EXPECT_EQ(t.GetCapacity(), 20);
    for (int i = 1; i < 19; ++i)
        t.Add(i, i);
    EXPECT_EQ(t.GetCount(), 19);
    EXPECT_EQ(t.GetCapacity(), 20);
    t.Add(19, 19); // 19 of 20 used: grows before storing
    EXPECT_EQ(t.GetCapacity(), 40);
    EXPECT_EQ(t.GetCount(), 20);
    EXPECT_EQ(t.GetValue(19), 19.0);
}

TEST(TDepthTableTest, SortOrdersBothWaysAndEditsTrackTheFlag)
{
    TDepthTable t = Make("s", {{1, 10}, {3, 30}, {2, 20}});
    EXPECT_FALSE(t.IsSorted());
    t.Sort(1);
    EXPECT_TRUE(t.IsSorted());
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{3, 30}, {2, 20}, {1, 10}}));
    t.Sort(0);
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 10}, {2, 20}, {3, 30}}));

    t.SetValue(0, 11);
    EXPECT_TRUE(t.IsSorted());
    t.SetDepth(0, 0.5);
    EXPECT_FALSE(t.IsSorted());
    t.Sort(1);
    t.Add(4, 40);
    EXPECT_FALSE(t.IsSorted());
}

TEST(TDepthTableTest, SortKeepsTheOrderOfEqualDepths)
{
    TDepthTable t = Make("jump", {{0, 1}, {1, 5}, {1, 7}, {2, 3}});
    t.Sort(1);
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{2, 3}, {1, 5}, {1, 7}, {0, 1}}));
}

TEST(TDepthTableTest, BadIndicesChangeNothing)
{
    RecordingReporter rec;
    TDepthTable t = Descending();
    const std::vector<DepthPair> before = t.Pairs();
    for (int i : {-1, 4, 1000, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(i);
        t.SetValue(i, 5.0);
        t.SetDepth(i, 5.0);
        t.RemoveAt(i);
        EXPECT_EQ(t.GetDepth(i), TDepthTable::kNoPair);
        EXPECT_EQ(t.GetValue(i), TDepthTable::kNoPair);
    }
    EXPECT_EQ(t.Pairs(), before);
    EXPECT_TRUE(t.IsSorted());
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_FALSE(t.Delete(t.GetCount()));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Attempt to delete nonexisting list item");
    EXPECT_EQ(rec.messages[0].caption, "Tab_util");
    EXPECT_EQ(t.Pairs(), before);
}

TEST(TDepthTableTest, DeleteAndRemoveMoveLaterPairsDown)
{
    TDepthTable t = Descending();
    EXPECT_TRUE(t.Delete(1));
    t.RemoveAt(0);
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 20}, {0, 0}}));
}

TEST(TDepthTableTest, InterpolatesAlikeInEitherOrder)
{
    RecordingReporter rec;
    struct Row {
        double z;
        double v;
    };
    // Hand values on the polyline (3, 30), (2, 10), (1, 20), (0, 0).
    const Row rows[] = {{2.5, 20.0},
                        {1.5, 15.0},
                        {0.25, 5.0},
                        {2.0, 10.0},
                        {1.0, 20.0},
                        {3.0, 30.0},
                        {0.0, 0.0},
                        {2.9, 28.0},
                        {0.6, 12.0}};
    const TDepthTable descending = Descending();
    const TDepthTable ascending = Ascending();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.z);
        EXPECT_NEAR(descending.InterpolateAtDepth(row.z), row.v, kLooseTol);
        EXPECT_NEAR(ascending.InterpolateAtDepth(row.z), row.v, kLooseTol);
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(TDepthTableTest, QueriesNearAndOutsideTheEnds)
{
    RecordingReporter rec;
    const TDepthTable t = Descending();
    EXPECT_EQ(t.InterpolateAtDepth(3.00005), 30.0); // within 1e-4 beyond an end: no message
    EXPECT_EQ(t.InterpolateAtDepth(-0.00009), 0.0);
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(t.InterpolateAtDepth(3.5), -1.0);
    EXPECT_EQ(t.InterpolateAtDepth(-0.5), -1.0);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].text, "Out of depth range in table: var T, depth 3.500");
    EXPECT_EQ(rec.messages[1].text, "Out of depth range in table: var T, depth -0.500");
    EXPECT_EQ(rec.messages[0].caption, "Tab_util");
    EXPECT_EQ(rec.messages[0].style & MsgStyle::IconMask, MsgStyle::IconStop);

    EXPECT_EQ(TDepthTable("empty").InterpolateAtDepth(1.0), 0.0);
    EXPECT_EQ(rec.messages.size(), 2u);
}

TEST(TDepthTableTest, SinglePairAnswersOnlyAtItsDepth)
{
    RecordingReporter rec;
    const TDepthTable t = Make("one", {{1.0, 5.0}});
    EXPECT_EQ(t.InterpolateAtDepth(1.00005), 5.0);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(t.InterpolateAtDepth(2.0), -1.0);
    EXPECT_EQ(t.InterpolateAtDepth(0.0), -1.0);
    EXPECT_EQ(rec.Count("Out of depth range in table: var one"), 2);
}

TEST(TDepthTableTest, CacheRemembersTheIntervalOfTheLastSearch)
{
    TDepthTable t = Descending();
    EXPECT_EQ(t.GetCacheIndex(), -1);
    EXPECT_NEAR(t.InterpolateAtDepth(1.5), 15.0, kTol);
    EXPECT_EQ(t.GetCacheIndex(), 1);
    // Hits in the cached interval and its neighbours leave the cache alone.
    EXPECT_NEAR(t.InterpolateAtDepth(1.2), 18.0, kTol);
    EXPECT_NEAR(t.InterpolateAtDepth(2.5), 20.0, kTol);
    EXPECT_NEAR(t.InterpolateAtDepth(0.5), 10.0, kTol);
    EXPECT_EQ(t.GetCacheIndex(), 1);
    // A stale cache after edits is ignored.
    t.RemoveAt(3);
    t.RemoveAt(2);
    EXPECT_NEAR(t.InterpolateAtDepth(2.5), 20.0, kTol);
    EXPECT_EQ(t.GetCacheIndex(), 0);
}

TEST(TDepthTableTest, LongTablesInterpolateALineExactlyFromAnyStartingCache)
{
    // v = 2 z + 1 on 102 pairs; every query must land in its own interval whatever the
    // cache holds, in both orders.
    TDepthTable down("line"), up("line");
    for (int i = 0; i < 102; ++i) {
        down.Add(1.0 - 0.01 * i, 2.0 * (1.0 - 0.01 * i) + 1.0);
        up.Add(-0.01 + 0.01 * i, 2.0 * (-0.01 + 0.01 * i) + 1.0);
    }
    std::mt19937 rng(7);
    // Queries within 1e-4 of an end answer the end value, so keep clear of the ends.
    std::uniform_real_distribution<double> depth(-0.0099, 0.9999);
    RecordingReporter rec;
    for (int i = 0; i < 2000; ++i) {
        const double z = depth(rng);
        ASSERT_NEAR(down.InterpolateAtDepth(z), 2.0 * z + 1.0, kLooseTol) << z;
        ASSERT_NEAR(up.InterpolateAtDepth(z), 2.0 * z + 1.0, kLooseTol) << z;
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(TDepthTableTest, QuadraticInterpolationFollowsTheParabola)
{
    // v = z^2 - 3 z + 2 at z = 4 .. 0: both triples reproduce it exactly.
    const auto f = [](double z) { return z * z - 3.0 * z + 2.0; };
    TDepthTable t("q");
    for (int z = 4; z >= 0; --z)
        t.Add(z, f(z));
    for (double z : {3.7, 2.5, 2.0, 1.3, 0.5, 0.0, 4.0}) {
        SCOPED_TRACE(z);
        EXPECT_NEAR(t.InterpolateQuadratic(z), f(z), kLooseTol);
    }
    // The last interval of an even count belongs to no triple: linear between (2, 0), (1, 0).
    t.RemoveAt(4);
    EXPECT_NEAR(t.InterpolateQuadratic(1.5), 0.0, kTol);
    // Fewer than three pairs, or an empty table.
    EXPECT_NEAR(Make("two", {{1, 0}, {0, 2}}).InterpolateQuadratic(0.25), 1.5, kTol);
    EXPECT_EQ(TDepthTable("none").InterpolateQuadratic(1.0), 0.0);
    // Three pairs at one depth fall back instead of dividing by zero.
    RecordingReporter rec;
    EXPECT_EQ(Make("flat", {{1, 2}, {1, 4}, {1, 6}}).InterpolateQuadratic(1.0), 2.0);
}

TEST(TDepthTableTest, SlopesOfTheIntervals)
{
    RecordingReporter rec;
    const TDepthTable t = Descending();
    EXPECT_NEAR(t.SlopeAtDepth(2.5), 20.0, kTol);
    EXPECT_NEAR(t.SlopeAtDepth(1.5), -10.0, kTol);
    EXPECT_NEAR(t.SlopeAtDepth(0.5), 20.0, kTol);
    EXPECT_NEAR(t.SlopeAtDepth(3.0), 20.0, kTol); // end pairs take their end interval
    EXPECT_NEAR(t.SlopeAtDepth(0.0), 20.0, kTol);
    EXPECT_NEAR(Ascending().SlopeAtDepth(1.5), -10.0, kTol);
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(t.SlopeAtDepth(4.0), -1.0);
    EXPECT_TRUE(rec.Saw("Out of depth range in table: var T, depth 4.000"));

    rec.Clear();
    const TDepthTable unsorted = Make("u", {{1, 1}, {0, 3}});
    EXPECT_NEAR(unsorted.SlopeAtDepth(0.5), -2.0, kTol);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Whoa! this isn't sorted! ");

    TDepthTable single = Make("one", {{1.0, 5.0}});
    single.Sort(1);
    EXPECT_EQ(single.SlopeAtDepth(1.0), 0.0); // no interval, no slope
}

TEST(TDepthTableTest, TrapezoidIntegralAgainstHandValues)
{
    RecordingReporter rec;
    struct Row {
        const char* name;
        double z1, z2, expected;
    };
    // Trapezoids of (3, 30), (2, 10), (1, 20), (0, 0): 20 + 15 + 10.
    const Row rows[] = {
        {"whole table", 0.0, 3.0, 45.0},
        {"inside one interval", 1.2, 1.8, 9.0},
        {"across pairs", 0.5, 2.5, 30.0},
        {"limits on inner pairs", 1.0, 2.0, 15.0},
        {"upper limit on a pair", 0.5, 2.0, 22.5},
        {"lower limit on a pair", 1.0, 2.5, 22.5},
        {"beyond the top", 0.0, 5.0, 45.0},
        {"beyond both ends", -2.0, 4.0, 45.0},
        {"above the table", 4.0, 5.0, 0.0},
        {"below the table", -2.0, -1.0, 0.0},
        {"empty range", 2.0, 2.0, 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(Descending().Integrate(row.z1, row.z2), row.expected, kLooseTol);
        EXPECT_NEAR(Descending().Integrate(row.z2, row.z1), row.expected, kLooseTol);
        EXPECT_NEAR(Ascending().Integrate(row.z1, row.z2), row.expected, kLooseTol);
    }
    EXPECT_EQ(TDepthTable("empty").Integrate(0.0, 1.0), 0.0);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(TDepthTableTest, TrapezoidIntegralOfALineIsExactEverywhere)
{
    // v = 2 z + 1 on z = 10 .. 0: the integral from a to b is (b^2 + b) - (a^2 + a).
    TDepthTable t("line");
    for (int z = 10; z >= 0; --z)
        t.Add(z, 2.0 * z + 1.0);
    const auto exact = [](double a, double b) { return (b * b + b) - (a * a + a); };
    for (double a = 0.0; a <= 10.0; a += 0.5) {
        for (double b = a; b <= 10.0; b += 0.75) {
            SCOPED_TRACE(testing::Message() << a << " .. " << b);
            EXPECT_NEAR(t.Integrate(a, b), exact(a, b), kLooseTol);
        }
    }
}

TEST(TDepthTableTest, IntegralAcrossAJumpTakesEachSideItsOwnValue)
{
    // Width 1 from 2 down to 1, width 3 from 1 down to 0: a step at z = 1.
    const TDepthTable t = Make("step", {{2, 1}, {1, 1}, {1, 3}, {0, 3}});
    EXPECT_NEAR(t.Integrate(0.0, 2.0), 4.0, kTol);
    EXPECT_NEAR(t.Integrate(0.5, 1.5), 2.0, kTol);
    EXPECT_NEAR(t.Integrate(1.0, 1.5), 0.5, kTol);
    EXPECT_NEAR(t.Integrate(0.5, 1.0), 1.5, kTol);
}

TEST(TDepthTableTest, SimpsonIsExactForCubicsOnOddCountsAndClosesEvenCounts)
{
    // Equal spacing h = 0.5 from z = 2 down to 0 (five pairs): exact for v = z^3 - z.
    const auto cubic = [](double z) { return z * z * z - z; };
    TDepthTable odd("odd");
    for (int i = 0; i <= 4; ++i)
        odd.Add(2.0 - 0.5 * i, cubic(2.0 - 0.5 * i));
    EXPECT_NEAR(odd.IntegrateSimpson(), 16.0 / 4.0 - 4.0 / 2.0, kLooseTol); // [z^4/4 - z^2/2]
    // Ascending order flips the sign.
    odd.Sort(0);
    EXPECT_NEAR(odd.IntegrateSimpson(), -2.0, kLooseTol);

    // Even count: Simpson over the first pairs, a trapezoid for the last interval; exact for
    // a line, and for a parabola whose last interval is straight enough to check by hand.
    TDepthTable even("even");
    for (int i = 0; i <= 5; ++i)
        even.Add(5.0 - i, 3.0 * (5.0 - i) + 1.0);
    EXPECT_NEAR(even.IntegrateSimpson(), 1.5 * 25.0 + 5.0, kLooseTol);

    TDepthTable parabola("p"); // v = z^2 at z = 3, 2, 1, 0
    for (int z = 3; z >= 0; --z)
        parabola.Add(z, z * z);
    // Simpson over [3, 1]: 26/3; trapezoid over [1, 0]: 1/2.
    EXPECT_NEAR(parabola.IntegrateSimpson(), 26.0 / 3.0 + 0.5, kLooseTol);

    EXPECT_NEAR(Make("two", {{1, 2}, {0, 4}}).IntegrateSimpson(), 3.0, kTol);
    EXPECT_EQ(Make("one", {{1, 2}}).IntegrateSimpson(), 0.0);
    EXPECT_EQ(TDepthTable("none").IntegrateSimpson(), 0.0);
}

TEST(TDepthTableTest, RunningIntegralStartsAtZeroAndMayReplaceItsSource)
{
    TDepthTable t = Make("v", {{0, 0}, {1, 2}, {2, 4}}); // v = 2 z, integral z^2
    TDepthTable integral("I");
    EXPECT_EQ(integral.SetToIntegralOf(t), 1);
    EXPECT_EQ(integral.Pairs(), (std::vector<DepthPair>{{0, 0}, {1, 1}, {2, 4}}));
    EXPECT_EQ(t.SetToIntegralOf(t), 1);
    EXPECT_EQ(t.Pairs(), integral.Pairs());
    EXPECT_EQ(integral.SetToIntegralOf(TDepthTable("empty")), 1);
    EXPECT_TRUE(integral.IsEmpty());
}

TEST(TDepthTableTest, FitLineRecoversAnExactLineAndRefusesDegenerateTables)
{
    double slope = 9.0, intercept = 9.0;
    EXPECT_TRUE(Make("l", {{0, 1}, {1, 3}, {2, 5}, {5, 11}}).FitLine(slope, intercept));
    EXPECT_NEAR(slope, 2.0, kLooseTol);
    EXPECT_NEAR(intercept, 1.0, kLooseTol);
    // Least squares through (0, 0), (1, 1), (2, 1): slope 1/2, intercept 1/6.
    EXPECT_TRUE(Make("ls", {{0, 0}, {1, 1}, {2, 1}}).FitLine(slope, intercept));
    EXPECT_NEAR(slope, 0.5, kLooseTol);
    EXPECT_NEAR(intercept, 1.0 / 6.0, kLooseTol);

    EXPECT_FALSE(Make("v", {{1, 0}, {1, 5}}).FitLine(slope, intercept));
    EXPECT_EQ(slope, 0.0);
    EXPECT_EQ(intercept, 0.0);
    EXPECT_FALSE(Make("one", {{1, 0}}).FitLine(slope, intercept));
}

TEST(TDepthTableTest, ExtremesTakeTheFirstOfEqualValues)
{
    const TDepthTable t = Make("e", {{0, 1}, {1, 7}, {2, -3}, {3, 7}, {4, -3}});
    int index = 0;
    EXPECT_EQ(t.MaxValue(index), 7.0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(t.MinValue(index), -3.0);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(TDepthTable().MaxValue(index), -1e38);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(TDepthTable().MinValue(index), 1e38);
    EXPECT_EQ(index, -1);
}

TEST(TDepthTableTest, NeighbourSearchesAndTheirCodes)
{
    const TDepthTable t = Descending();
    double v = 5, z = 5;
    EXPECT_EQ(t.FindPointBelow(1.5, v, z), 2);
    EXPECT_EQ(v, 20.0);
    EXPECT_EQ(z, 1.0);
    EXPECT_EQ(t.FindPointAbove(1.5, v, z), 1);
    EXPECT_EQ(t.FindPointBelow(0.0, v, z), TDepthTable::kAtEndPair);
    EXPECT_EQ(v, 0.0);
    EXPECT_EQ(z, 0.0);
    EXPECT_EQ(t.FindPointBelow(-1.0, v, z), TDepthTable::kBeyondTable);
    EXPECT_EQ(t.FindPointAbove(3.0, v, z), TDepthTable::kAtEndPair);
    EXPECT_EQ(t.FindPointAbove(7.0, v, z), TDepthTable::kBeyondTable);
    EXPECT_EQ(TDepthTable().FindPointAbove(0.0, v, z), TDepthTable::kBeyondTable);

    const TDepthTable ties = Make("ties", {{2, 1}, {0, 2}, {2, 3}, {0, 4}});
    EXPECT_EQ(ties.FindPointAbove(1.0, v, z), 2); // the later of equally near pairs
    EXPECT_EQ(ties.FindPointBelow(1.0, v, z), 1); // the earlier

    EXPECT_TRUE(t.HasPointBelow(0.0, v, z)); // at the end pair: still true, outputs 0
    EXPECT_FALSE(t.HasPointBelow(-1.0, v, z));
    EXPECT_TRUE(t.HasPointAbove(2.5, v, z));
    EXPECT_EQ(v, 30.0);
}

TEST(TDepthTableTest, RangeAndDiscreteLookups)
{
    RecordingReporter rec;
    const TDepthTable sorted = Descending();
    const TDepthTable unsorted = Make("u", {{1, 0}, {3, 0}, {-2, 0}});
    EXPECT_TRUE(sorted.IsInDepthRange(3.0));
    EXPECT_TRUE(sorted.IsInDepthRange(0.0));
    EXPECT_FALSE(sorted.IsInDepthRange(3.1));
    EXPECT_TRUE(unsorted.IsInDepthRange(-2.0));
    EXPECT_FALSE(unsorted.IsInDepthRange(3.5));
    EXPECT_FALSE(TDepthTable().IsInDepthRange(0.0));
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(sorted.ValueAtDiscreteDepth(2.0000005), 10.0);
    EXPECT_EQ(sorted.IndexOfDepth(1.0), 2);
    EXPECT_EQ(sorted.IndexOfDepth(1.5), -1);
    EXPECT_EQ(TDepthTable().IndexOfDepth(0.0), -1);
    double v = 7.0;
    EXPECT_EQ(sorted.FindDepth(3.0, v), 0);
    EXPECT_EQ(v, 30.0);

    EXPECT_EQ(sorted.ValueAtDiscreteDepth(1.5), -1.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Search fail for discrete value");

    // A table marked sorted that never held a pair is reported and holds nothing.
    TDepthTable never("never");
    never.Sort(1);
    EXPECT_FALSE(never.IsInDepthRange(0.0));
    EXPECT_TRUE(rec.Saw("Sorted table without pairs: never"));
    // An emptied table keeps its storage and answers quietly.
    TDepthTable emptied = Descending();
    emptied.Clear();
    EXPECT_EQ(emptied.GetCount(), 0);
    EXPECT_EQ(emptied.GetCapacity(), 20);
    EXPECT_FALSE(emptied.IsInDepthRange(1.0));
    EXPECT_EQ(rec.messages.size(), 2u);
}

TEST(TDepthTableTest, IntersectLineKeepsTheLastCrossingAwayFromTheOrigin)
{
    // A stress-strain-like curve: (0, 0), (1, 10), (2, 10), (3, 0).
    const TDepthTable t = Make("c", {{0, 0}, {1, 10}, {2, 10}, {3, 0}});
    double z = 0, v = 0;
    // v = 5: crossings at z = 0.5 and z = 2.5; the last one is kept.
    EXPECT_TRUE(t.IntersectLine(0.0, 5.0, z, v));
    EXPECT_NEAR(z, 2.5, kCrossTol);
    EXPECT_NEAR(v, 5.0, kCrossTol);
    // v = 2 z: at the origin (not kept) and at (2.5, 5).
    EXPECT_TRUE(t.IntersectLine(2.0, 0.0, z, v));
    EXPECT_NEAR(z, 2.5, kCrossTol);
    EXPECT_NEAR(v, 5.0, kCrossTol);
    // v = 20 z meets the curve only at the origin.
    EXPECT_FALSE(t.IntersectLine(20.0, 0.0, z, v));
    // No crossing at all.
    EXPECT_FALSE(t.IntersectLine(0.0, 20.0, z, v));
    EXPECT_EQ(z, 1e30);
    EXPECT_EQ(v, -1.0);
}

TEST(TDepthTableTest, ScalingAndAddingChangeTheRightColumn)
{
    TDepthTable t = Make("s", {{2, 1}, {0, 3}});
    EXPECT_TRUE(t.ScaleDepths(0.5));
    EXPECT_TRUE(t.ScaleValues(2.0));
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 2}, {0, 6}}));
    EXPECT_TRUE(t.AddLinear(3.0, 1.0));
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 6}, {0, 7}}));
    const TDepthTable other = Make("o", {{1, 10}, {0, 20}});
    EXPECT_TRUE(t.AddScaledTable(other, 0.5));
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 11}, {0, 17}}));
    EXPECT_TRUE(t.AddScaledTable(t, 1.0)); // doubles every value
    EXPECT_EQ(t.Pairs(), (std::vector<DepthPair>{{1, 22}, {0, 34}}));
}

} // namespace
