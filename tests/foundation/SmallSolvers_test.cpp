#include "foundation/SmallSolvers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kTol = 1e-12;

TEST(SmallSolversTest, Solve2x2KnownAndSingularSystems)
{
    double x = 0, y = 0;
    EXPECT_EQ(Solve2x2(x, y, 3, 1, 1, 1, 1, -1), 1); // x + y = 3, x - y = 1
    EXPECT_NEAR(x, 2.0, kTol);
    EXPECT_NEAR(y, 1.0, kTol);
    EXPECT_EQ(Solve2x2(x, y, 1, 1, 1e-6, 0, 0, 1), 0); // |det| <= 1e-6 counts as singular
    EXPECT_EQ(x, std::numeric_limits<double>::max());
    EXPECT_EQ(y, std::numeric_limits<double>::max());
}

TEST(SmallSolversTest, SolveLinear3KnownSolutionsWithPivoting)
{
    // Parabola 2z^2 - 3z + 1 through z = 0, 1, 2, with a zero leading entry.
    const Matrix3 a{{{0, 0, 1}, {1, 1, 1}, {4, 2, 1}}};
    Vector3 rhs{1, 0, 3};
    Vector3 x{};
    EXPECT_EQ(SolveLinear3(a, x, rhs, 3), 0);
    const Vector3 expected{2, -3, 1};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(x[i], expected[i], kTol) << i;
    // n = 2 ignores the third row and column.
    rhs = {3, 1, 77};
    x = {0, 0, -5};
    EXPECT_EQ(SolveLinear3(Matrix3{{{1, 1, 99}, {1, -1, 99}, {99, 99, 99}}}, x, rhs, 2), 0);
    EXPECT_NEAR(x[0], 2.0, kTol);
    EXPECT_NEAR(x[1], 1.0, kTol);
    EXPECT_EQ(x[2], -5.0);
}

TEST(SmallSolversTest, SolveLinear3NamesTheColumnWithoutAPivot)
{
    Vector3 x{9, 9, 9};
    Vector3 rhs{1, 2, 3};
    EXPECT_EQ(SolveLinear3(Matrix3{{{1e-6, 1, 0}, {-2e-6, 0, 1}, {0, 1, 1}}}, x, rhs, 3), 1);
    // The third column is the sum of the first two.
    EXPECT_EQ(SolveLinear3(Matrix3{{{1, 0, 1}, {0, 1, 1}, {1, 1, 2}}}, x, rhs, 3), 3);
    EXPECT_EQ(SolveLinear3(Matrix3{}, x, rhs, 4), 1); // sizes outside 1 .. 3 are refused
    EXPECT_EQ(x, (Vector3{9, 9, 9}));
}

TEST(SmallSolversTest, IntersectSegmentsCrossingsMissesAndParallels)
{
    double x = 0, y = 0, t = 0;
    EXPECT_TRUE(IntersectSegments(x, y, t, 0, 0, 2, 2, 0, 2, 2, 0));
    EXPECT_NEAR(x, 1.0, kTol);
    EXPECT_NEAR(t, 0.5, kTol);
    EXPECT_TRUE(IntersectSegments(x, y, 0, 0, 1, 1, 1, 1, 2, 0)); // touch at an end
    // The lines cross at (1.5, 1.5), beyond the first segment: the point is still written.
    EXPECT_FALSE(IntersectSegments(x, y, 0, 0, 1, 1, 3, 0, 2, 1));
    EXPECT_NEAR(x, 1.5, kTol);
    EXPECT_NEAR(y, 1.5, kTol);
    EXPECT_FALSE(IntersectSegments(x, y, 0, 0, 1, 1, 0, 1, 1, 2)); // parallel
    EXPECT_EQ(x, 0.0);
}

} // namespace
