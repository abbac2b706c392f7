#include "model/materials/UserCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

TEST(UserCurves, FinishClosesTheRangeWithZeroStress)
{
    TDepthTable t("curve");
    t.Add(0.0, 0.0);
    t.Add(0.002, 400e6);
    t.Add(0.05, 400e6);
    EXPECT_EQ(FinishUserCurve(t), 1);
    const double z[] = {1e12, 0.05 + 2e-6, 0.05, 0.002, 0.0, -2e-6, -1e12};
    const double v[] = {0, 0, 400e6, 400e6, 0, 0, 0};
    ASSERT_EQ(t.GetCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(t.GetDepth(i), z[i]);
        EXPECT_EQ(t.GetValue(i), v[i]);
    }
    // An ascending finished curve loses its far pairs before it is closed again.
    t.Sort(0);
    FinishUserCurve(t);
    EXPECT_EQ(t.GetCount(), 9);
    EXPECT_EQ(t.GetDepth(0), 1e12);
}

TEST(UserCurves, DefaultCurves)
{
    TDepthTable concrete("concrete");
    MakeDefaultConcreteCurve(concrete, 30e6);
    ASSERT_EQ(concrete.GetCount(), 105);
    EXPECT_NEAR(concrete.InterpolateAtDepth(-0.001), -22.5e6, 1e-6);
    EXPECT_NEAR(concrete.InterpolateAtDepth(-0.0041), 0.0, 1e-6);

    TDepthTable steel("steel");
    MakeDefaultSteelCurve(steel, 400e6);
    ASSERT_EQ(steel.GetCount(), 7);
    EXPECT_NEAR(steel.InterpolateAtDepth(0.001), 200e6, 1e-3);
}

TEST(UserCurves, CleaningMergesSeparatesAndAddsTheOrigin)
{
    TDepthTable t("curve");
    t.Add(0.001, 100e6);
    t.Add(0.001 + 5e-7, 100e6 + 500.0); // close in both: merged
    t.Add(0.003, 300e6);
    t.Add(0.003, 310e6); // same strain, far in stress: separated
    CleanUserCurve(t, false);
    ASSERT_EQ(t.GetCount(), 4);
    EXPECT_EQ(t.GetDepth(0), 0.003);
    EXPECT_NEAR(t.GetDepth(1), 0.003 - 1e-6, 1e-15);
    EXPECT_NEAR(t.GetDepth(2), 0.001 + 2.5e-7, 1e-15);
    EXPECT_NEAR(t.GetValue(2), 100e6 + 250.0, 1e-6);
    EXPECT_EQ(t.GetDepth(3), 0.0);
    EXPECT_EQ(t.GetValue(3), 0.0);

    TDepthTable steel("steel");
    steel.Add(0.0, 0.0);
    steel.Add(-0.002, 400e6); // a compression pair given with the wrong sign
    steel.Add(0.05, 400e6);
    FinishUserCurve(steel);
    CleanUserCurve(steel, true);
    for (int i = 2; i + 2 < steel.GetCount(); ++i)
        EXPECT_GE(steel.GetDepth(i), 0.0);
    EXPECT_NEAR(steel.InterpolateAtDepth(0.002), 400e6, 1e-3);
}

// Curves as a page or a document gives them: cleaned once, each keeps the origin at strain 0,
// pairs at least 1e-6 apart, and cleans to itself however often its type is checked again.
TEST(UserCurves, ACleanedCurveCleansToItself)
{
    struct Case {
        const char* what;
        bool steel;
        std::vector<std::pair<double, double>> pairs;
        double movedStrain;  // where the pair given at (or next to) the origin ends; 0: none
    };
    const Case cases[] = {
        {"concrete starting at 1 MPa", false, {{0.0, -1e6}, {-0.001, -20e6}, {-0.002, -30e6}}, -1e-6},
        {"steel starting at 50 MPa", true, {{0.0, 50e6}, {0.0025, 500e6}, {0.05, 550e6}}, 1e-6},
        {"steel rising at zero strain", true, {{0.0, 0.0}, {0.0, 550e6}, {0.05, 600e6}}, 1e-6},
        {"steel pairs just off the origin", true, {{5e-7, 5e6}, {5e-7, 6e6}, {0.002, 400e6}}, 1e-6},
        {"concrete merged into the origin", false, {{0.0, 0.0}, {-4e-7, -500.0}, {-0.002, -30e6}}, 0.0},
        {"concrete starting within the merge of the origin", false, {{0.0, -14.9}, {-0.002, -30e6}}, 0.0},
        {"steel given with a negative strain", true, {{0.0, 10e6}, {-0.002, 400e6}, {0.05, 400e6}}, 1e-6},
        {"steel ending at a negative strain", true, {{0.0, 0.0}, {0.0025, 500e6}, {-0.0025, 500e6}}, 0.0},
        // Pairs the cleaning pulls apart take the closing pair beyond them along.
        {"concrete peak typed between two origins", false, {{0.0, 0.0}, {0.0, -25e6}, {0.0, 0.0}}, -1e-6},
        {"concrete ending at a repeated strain", false, {{0.0, 0.0}, {-0.002, -20e6}, {-0.002, -38e6}}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TDepthTable t("curve");
        for (const auto& [z, v] : c.pairs)
            t.Add(z, v);
        FinishGivenCurve(t);
        CleanUserCurve(t, c.steel);
        const int origin = t.IndexOfDepth(0.0);
        ASSERT_GE(origin, 0);
        EXPECT_EQ(t.GetDepth(origin), 0.0);
        EXPECT_EQ(t.GetValue(origin), 0.0);
        int moved = 0;
        for (int i = 0; i < t.GetCount(); ++i)
            moved += std::fabs(t.GetDepth(i) - c.movedStrain) < 1e-12 && t.GetValue(i) != 0.0 ? 1 : 0;
        EXPECT_EQ(moved, c.movedStrain != 0.0 ? 1 : 0);
        for (int i = 1; i < t.GetCount(); ++i)
            EXPECT_GT(t.GetDepth(i - 1) - t.GetDepth(i), 1e-6 - 1e-12) << i;
        const TDepthTable once = t;
        for (int again = 0; again < 3; ++again) {
            CleanUserCurve(t, c.steel);
            EXPECT_EQ(t.Pairs(), once.Pairs()) << again;
        }
        // The curve as a document keeps it: the given pairs (a steel's rows as magnitudes, as
        // they are written), finished and cleaned again.
        TDepthTable written("curve");
        for (const DepthPair& p : GivenCurvePairs(once))
            written.Add(c.steel ? std::fabs(p.z) : p.z, c.steel ? std::fabs(p.v) : p.v);
        FinishGivenCurve(written);
        CleanUserCurve(written, c.steel);
        EXPECT_EQ(written.Pairs(), once.Pairs());
    }
}

} // namespace
