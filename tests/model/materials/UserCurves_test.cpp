#include "model/materials/UserCurves.h"

#include <gtest/gtest.h>

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

} // namespace
