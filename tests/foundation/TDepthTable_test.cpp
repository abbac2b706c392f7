#include "foundation/TDepthTable.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-9;
// The line is cut as a segment 2e8 long, which costs digits at the crossing.
constexpr double kCrossTol = 1e-6;
using Pairs = std::vector<DepthPair>;

TDepthTable Make(const Pairs& pairs, const std::string& name = "T")
{
    TDepthTable t(name);
    for (const DepthPair& p : pairs)
        t.Add(p.z, p.v);
    return t;
}

// A polyline with a valley: (3, 30), (2, 10), (1, 20), (0, 0), sorted either way.
TDepthTable Valley(int mode)
{
    TDepthTable t = Make({{3, 30}, {2, 10}, {1, 20}, {0, 0}});
    t.Sort(mode);
    return t;
}

TEST(TDepthTableTest, NamesCopiesSortingAndSelfAssignment)
{
    EXPECT_EQ(TDepthTable(std::string(80, 'n')).GetName().size(), TDepthTable::kMaxNameLength);
    EXPECT_EQ(LinearInterpolate(1.0, 4.0, 1.0, 8.0, 5.0), 6.0); // equal positions: the mean

    const TDepthTable a = Valley(1);
    TDepthTable b(a);
    b.SetValue(0, 99.0);
    EXPECT_EQ(a.GetValue(0), 30.0); // deep copy
    b.Assign(b);
    TDepthTable& alias = b;
    b = alias;
    EXPECT_EQ(b.Pairs(), (Pairs{{3, 99}, {2, 10}, {1, 20}, {0, 0}}));
    EXPECT_TRUE(b.IsSorted());
    b.SetDepth(0, 0.5);
    EXPECT_FALSE(b.IsSorted());
    b.Assign(nullptr);
    EXPECT_TRUE(b.IsEmpty());
    // A jump (two pairs at one depth) keeps its order.
    TDepthTable jump = Make({{0, 1}, {1, 5}, {1, 7}, {2, 3}});
    jump.Sort(1);
    EXPECT_EQ(jump.Pairs(), (Pairs{{2, 3}, {1, 5}, {1, 7}, {0, 1}}));
}

// Pairs added after a run already in order (as finishing a curve adds its closing pairs) go to
// their places, pairs of one depth in the order they came, the run's before the added ones.
TEST(TDepthTableTest, PairsAddedAfterAnOrderedRunSortInKeepingTheOrderOfEqualDepths)
{
    TDepthTable down = Make({{3, 1}, {2, 2}, {1, 3}});
    down.Sort(1);
    down.Add(2, 4);
    down.Add(5, 5);
    down.Add(2, 6);
    down.Add(0, 7);
    down.Sort(1);
    EXPECT_EQ(down.Pairs(), (Pairs{{5, 5}, {3, 1}, {2, 2}, {2, 4}, {2, 6}, {1, 3}, {0, 7}}));
    EXPECT_TRUE(down.IsSorted());

    TDepthTable up = Make({{1, 3}, {2, 2}, {3, 1}, {2, 4}, {0, 5}, {2, 6}});
    up.Sort(0);
    EXPECT_EQ(up.Pairs(), (Pairs{{0, 5}, {1, 3}, {2, 2}, {2, 4}, {2, 6}, {3, 1}}));
    // A table in order stays as it is.
    up.Sort(0);
    EXPECT_EQ(up.Pairs(), (Pairs{{0, 5}, {1, 3}, {2, 2}, {2, 4}, {2, 6}, {3, 1}}));
}

TEST(TDepthTableTest, BadIndicesChangeNothing)
{
    RecordingReporter rec;
    TDepthTable t = Valley(1);
    const Pairs before = t.Pairs();
    for (int i : {-1, 4}) {
        SCOPED_TRACE(i);
        t.SetValue(i, 5.0);
        t.SetDepth(i, 5.0);
        t.RemoveAt(i);
        EXPECT_EQ(t.GetValue(i), TDepthTable::kNoPair);
    }
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_FALSE(t.Delete(t.GetCount()));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Attempt to delete nonexisting list item");
    EXPECT_EQ(rec.messages[0].caption, "Tab_util");
    EXPECT_EQ(t.Pairs(), before);
}

TEST(TDepthTableTest, InterpolatesAlikeInEitherOrder)
{
    RecordingReporter rec;
    // Hand values on the valley, including a pair itself and 1e-4 beyond the ends.
    const DepthPair rows[] = {{1.5, 15}, {2, 10}, {3.00005, 30}, {-0.00009, 0}};
    for (int mode : {0, 1}) {
        const TDepthTable t = Valley(mode);
        for (const DepthPair& row : rows) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", z " << row.z);
            EXPECT_NEAR(t.InterpolateAtDepth(row.z), row.v, kTol);
        }
    }
    EXPECT_EQ(TDepthTable().InterpolateAtDepth(1.0), 0.0);
    EXPECT_EQ(Make({{1.0, 5.0}}).InterpolateAtDepth(1.00005), 5.0);
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(Valley(1).InterpolateAtDepth(3.5), -1.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Out of depth range in table: var T, depth 3.500");
    EXPECT_EQ(rec.messages[0].style & MsgStyle::IconMask, MsgStyle::IconStop);

    // A cached interval past the end of a shortened table is ignored.
    TDepthTable t = Valley(1);
    EXPECT_NEAR(t.InterpolateAtDepth(0.5), 10.0, kTol);
    t.RemoveAt(3);
    t.RemoveAt(2);
    EXPECT_NEAR(t.InterpolateAtDepth(2.5), 20.0, kTol);
}

TEST(TDepthTableTest, QuadraticInterpolationFollowsTheParabola)
{
    const auto f = [](double z) { return z * z - 3.0 * z + 2.0; };
    TDepthTable t("q");
    for (int z = 4; z >= 0; --z)
        t.Add(z, f(z));
    for (double z : {3.7, 1.3, 0.0})
        EXPECT_NEAR(t.InterpolateQuadratic(z), f(z), kTol) << z;
    t.RemoveAt(4); // the last interval of an even count is linear: (2, 0) to (1, 0)
    EXPECT_NEAR(t.InterpolateQuadratic(1.5), 0.0, kTol);
    // Three pairs at one depth fall back instead of dividing by zero.
    EXPECT_EQ(Make({{1, 2}, {1, 4}, {1, 6}}).InterpolateQuadratic(1.0), 2.0);
}

// A strain profile of imposed strains (depths in m, strains): the parabola through two close
// rows and a far third passes far beyond every value typed; the profile read within its rows
// keeps between the two rows that bracket each depth, every millimetre, and is the straight
// line between them where the parabola would leave them (hand values).
TEST(TDepthTableTest, QuadraticWithinRowsKeepsBetweenTheBracketingRows)
{
    // 597 mm typed under the 600 mm face of a section, whose profile closes with 0 there.
    const TDepthTable nearFace = Make({{0.6, 0.0}, {0.597, -0.3e-3}, {0.3, -0.2e-3}, {0.0, -0.1e-3}});
    // A strain discontinuity of 0.3 mm/m at 500 mm, nothing at 600 and 0 mm.
    const TDepthTable step = Make({{0.6, 0.0}, {0.5, 0.3e-3}, {0.0, 0.0}});
    for (const TDepthTable* t : {&nearFace, &step}) {
        for (int mm = 0; mm <= 600; ++mm) {
            const double z = mm / 1000.0;
            int k = 0;
            while (k + 2 < t->GetCount() && t->GetDepth(k + 1) > z)
                ++k;
            const double a = t->GetValue(k), b = t->GetValue(k + 1);
            const double v = t->InterpolateQuadraticWithinRows(z);
            EXPECT_GE(v, std::min(a, b)) << mm << " mm";
            EXPECT_LE(v, std::max(a, b)) << mm << " mm";
        }
    }
    // Where the parabola reaches -7.6 mm/m, the line from -0.3 at 597 mm to -0.2 at 300 mm.
    EXPECT_LT(nearFace.InterpolateQuadratic(0.449), -7.5e-3);
    EXPECT_NEAR(nearFace.InterpolateQuadraticWithinRows(0.449), -0.2e-3 - 0.1e-3 * 149.0 / 297.0, 1e-15);
    EXPECT_NEAR(step.InterpolateQuadratic(0.3), 0.54e-3, 1e-15);
    EXPECT_NEAR(step.InterpolateQuadraticWithinRows(0.3), 0.18e-3, 1e-15);
    EXPECT_EQ(nearFace.InterpolateQuadraticWithinRows(0.597), -0.3e-3);
    EXPECT_EQ(nearFace.InterpolateQuadraticWithinRows(0.0), -0.1e-3);
}

// Profiles whose parabolas stay between their rows (a straight profile, one that bends one
// way, one of five rows and one of four whose last interval is straight) give the parabola
// itself, bit for bit, at every millimetre.
TEST(TDepthTableTest, QuadraticWithinRowsIsTheParabolaWhereItKeepsBetweenTheRows)
{
    const TDepthTable profiles[] = {
        Make({{0.6, -0.3e-3}, {0.3, -0.2e-3}, {0.0, -0.1e-3}}),
        Make({{0.6, -0.5e-3}, {0.45, -0.3e-3}, {0.3, -0.2e-3}, {0.15, -0.15e-3}, {0.0, -0.13e-3}}),
        Make({{0.6, 0.9e-3}, {0.4, 0.5e-3}, {0.1, 0.2e-3}, {0.0, -0.2e-3}}),
        Make({{0.5996, -0.3e-3}, {0.2998, -0.2e-3}, {0.0, -0.1e-3}}),
    };
    for (const TDepthTable& t : profiles) {
        for (int mm = 0; mm <= 600; ++mm) {
            const double z = mm / 1000.0;
            if (t.IsInDepthRange(z)) {
                EXPECT_EQ(t.InterpolateQuadraticWithinRows(z), t.InterpolateQuadratic(z)) << mm << " mm";
            }
        }
    }
}

TEST(TDepthTableTest, SlopesOfTheIntervals)
{
    RecordingReporter rec;
    const TDepthTable t = Valley(1);
    // At an interior pair (2 and 1) the interval above it answers.
    for (const DepthPair& row : {DepthPair{1.5, -10}, {0.5, 20}, {3, 20}, {2, 20}, {1, -10}})
        EXPECT_NEAR(t.SlopeAtDepth(row.z), row.v, kTol) << row.z;
    EXPECT_NEAR(Valley(0).SlopeAtDepth(1.5), -10.0, kTol);
    TDepthTable single = Make({{1.0, 5.0}});
    single.Sort(1);
    EXPECT_EQ(single.SlopeAtDepth(1.0), 0.0); // no interval, no slope
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(t.SlopeAtDepth(4.0), -1.0);
    EXPECT_NEAR(Make({{1, 1}, {0, 3}}).SlopeAtDepth(0.5), -2.0, kTol);
    EXPECT_EQ(rec.messages.back().text, "Whoa! this isn't sorted! ");
}

TEST(TDepthTableTest, TrapezoidIntegralAgainstHandValues)
{
    RecordingReporter rec;
    // Trapezoids of the valley: 20 + 15 + 10. Rows: inside one interval, across pairs,
    // beyond the ends, outside.
    const DepthPair rows[] = {{1.2, 1.8}, {0.5, 2.5}, {-2, 4}, {4, 5}};
    const double expected[] = {9, 30, 45, 0};
    for (int i = 0; i < 4; ++i) {
        const auto [z1, z2] = rows[i];
        SCOPED_TRACE(testing::Message() << z1 << " .. " << z2);
        EXPECT_NEAR(Valley(1).Integrate(z1, z2), expected[i], kTol);
        EXPECT_NEAR(Valley(1).Integrate(z2, z1), expected[i], kTol);
        EXPECT_NEAR(Valley(0).Integrate(z1, z2), expected[i], kTol);
    }
    // A width jump at z = 1 (1 above, 3 below): each side takes its own value.
    const TDepthTable step = Make({{2, 1}, {1, 1}, {1, 3}, {0, 3}});
    EXPECT_NEAR(step.Integrate(0.5, 1.5), 2.0, kTol);
    EXPECT_NEAR(step.Integrate(0.5, 1.0), 1.5, kTol);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(TDepthTableTest, SimpsonAndTheRunningIntegral)
{
    // h = 0.5 from z = 2 down to 0 (five pairs): exact for v = z^3 - z, i.e. 4 - 2.
    TDepthTable odd("odd");
    for (int i = 0; i <= 4; ++i) {
        const double z = 2.0 - 0.5 * i;
        odd.Add(z, z * z * z - z);
    }
    EXPECT_NEAR(odd.IntegrateSimpson(), 2.0, kTol);
    odd.Sort(0);
    EXPECT_NEAR(odd.IntegrateSimpson(), -2.0, kTol); // ascending order flips the sign
    // Even counts close the last interval by a trapezoid: v = z^2 at 3, 2, 1, 0 gives
    // Simpson 26/3 over [1, 3] and 1/2 over [0, 1].
    EXPECT_NEAR(Make({{3, 9}, {2, 4}, {1, 1}, {0, 0}}).IntegrateSimpson(), 26.0 / 3.0 + 0.5, kTol);
    EXPECT_EQ(Make({{1, 2}}).IntegrateSimpson(), 0.0);

    TDepthTable v = Make({{0, 0}, {1, 2}, {2, 4}}); // v = 2 z: integral z^2
    EXPECT_EQ(v.SetToIntegralOf(v), 1);             // its own source
    EXPECT_EQ(v.Pairs(), (Pairs{{0, 0}, {1, 1}, {2, 4}}));
}

TEST(TDepthTableTest, FitLineAndMaximum)
{
    double slope = 9.0, intercept = 9.0;
    // Least squares through (0, 0), (1, 1), (2, 1): slope 1/2, intercept 1/6.
    EXPECT_TRUE(Make({{0, 0}, {1, 1}, {2, 1}}).FitLine(slope, intercept));
    EXPECT_NEAR(slope, 0.5, kTol);
    EXPECT_NEAR(intercept, 1.0 / 6.0, kTol);
    EXPECT_FALSE(Make({{1, 0}, {1, 5}}).FitLine(slope, intercept));
    EXPECT_EQ((DepthPair{slope, intercept}), (DepthPair{0.0, 0.0}));

    int index = 0;
    EXPECT_EQ(Make({{0, 1}, {1, 7}, {2, -3}, {3, 7}}).MaxValue(index), 7.0);
    EXPECT_EQ(index, 1);
}

TEST(TDepthTableTest, NeighbourSearchesAndLookups)
{
    RecordingReporter rec;
    const TDepthTable t = Valley(1);
    double v = 5, z = 5;
    EXPECT_EQ(t.FindPointBelow(1.5, v, z), 2);
    EXPECT_EQ((DepthPair{z, v}), (DepthPair{1.0, 20.0}));
    EXPECT_EQ(t.FindPointBelow(0.0, v, z), TDepthTable::kAtEndPair);
    EXPECT_EQ(t.FindPointBelow(-1.0, v, z), TDepthTable::kBeyondTable);
    const TDepthTable ties = Make({{2, 1}, {0, 2}, {2, 3}, {0, 4}});
    EXPECT_EQ(ties.FindPointAbove(1.0, v, z), 2); // the later of equally near pairs
    EXPECT_EQ(ties.FindPointBelow(1.0, v, z), 1); // the earlier
    EXPECT_TRUE(t.HasPointBelow(0.0, v, z));      // at the end pair: still true

    EXPECT_TRUE(Make({{1, 0}, {3, 0}, {-2, 0}}).IsInDepthRange(-2.0)); // unsorted: scanned
    EXPECT_EQ(t.ValueAtDiscreteDepth(2.0000005), 10.0);
    EXPECT_EQ(t.FindDepth(3.0, v), 0);
    EXPECT_EQ(v, 30.0);
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(t.ValueAtDiscreteDepth(1.5), -1.0);
    EXPECT_EQ(rec.messages.back().text, "Search fail for discrete value");
    TDepthTable never("never");
    never.Sort(1);
    EXPECT_FALSE(never.IsInDepthRange(0.0));
    EXPECT_EQ(rec.messages.back().text, "Sorted table without pairs: never");
}

TEST(TDepthTableTest, IntersectLineAndColumnArithmetic)
{
    const TDepthTable curve = Make({{0, 0}, {1, 10}, {2, 10}, {3, 0}});
    double z = 0, v = 0;
    // v = 5 crosses at z = 0.5 and 2.5 (the last is kept); v = 2 z at the origin (never
    // kept) and at (2.5, 5); v = 20 z only at the origin.
    for (const DepthPair& line : {DepthPair{0, 5}, {2, 0}}) {
        EXPECT_TRUE(curve.IntersectLine(line.z, line.v, z, v));
        EXPECT_NEAR(z, 2.5, kCrossTol);
        EXPECT_NEAR(v, 5.0, kCrossTol);
    }
    EXPECT_FALSE(curve.IntersectLine(20.0, 0.0, z, v));
    EXPECT_EQ((DepthPair{z, v}), (DepthPair{1e30, -1.0}));

    TDepthTable t = Make({{2, 1}, {0, 3}});
    EXPECT_TRUE(t.ScaleDepths(0.5) && t.ScaleValues(2.0) && t.AddLinear(3.0, 1.0));
    EXPECT_EQ(t.Pairs(), (Pairs{{1, 6}, {0, 7}}));
    EXPECT_TRUE(t.AddScaledTable(Make({{1, 10}, {0, 20}}), 0.5));
    EXPECT_EQ(t.Pairs(), (Pairs{{1, 11}, {0, 17}}));
    EXPECT_TRUE(t.AddScaledTable(t, 1.0)); // doubles every value
    EXPECT_EQ(t.Pairs(), (Pairs{{1, 22}, {0, 34}}));
}

} // namespace
