#include "foundation/SmallSolvers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kTol = 1e-12;

TEST(Solve2x2Test, KnownSystemsAndSingularOnes)
{
    double x = 0, y = 0;
    // x + y = 3, x - y = 1.
    EXPECT_EQ(Solve2x2(x, y, 3, 1, 1, 1, 1, -1), 1);
    EXPECT_NEAR(x, 2.0, kTol);
    EXPECT_NEAR(y, 1.0, kTol);
    // 3x + 2y = 12, x - y = -1.
    EXPECT_EQ(Solve2x2(x, y, 12, -1, 3, 2, 1, -1), 1);
    EXPECT_NEAR(x, 2.0, kTol);
    EXPECT_NEAR(y, 3.0, kTol);
    // x + y = 1, 2x + 2y = 2: dependent rows.
    EXPECT_EQ(Solve2x2(x, y, 1, 2, 1, 1, 2, 2), 0);
    EXPECT_EQ(x, std::numeric_limits<double>::max());
    EXPECT_EQ(y, std::numeric_limits<double>::max());
    // The singularity test is absolute: |det| <= 1e-6 refuses, 1e-5 solves.
    EXPECT_EQ(Solve2x2(x, y, 1, 1, 1e-6, 0, 0, 1), 0);
    EXPECT_EQ(Solve2x2(x, y, 1, 1, 1e-5, 0, 0, 1), 1);
    EXPECT_NEAR(x, 1e5, 1e-6);
}

TEST(SolveLinear3Test, SolvesKnownSystemsWithPivoting)
{
    struct Row {
        const char* name;
        Matrix3 a;
        Vector3 expected;
    };
    const Row rows[] = {
        {"general", {{{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}}}, {1, -2, 3}},
        {"zero leading entry", {{{0, 1, 1}, {1, 0, 1}, {1, 1, 0}}}, {1, 2, 3}},
        {"diagonal", {{{4, 0, 0}, {0, 0.5, 0}, {0, 0, -2}}}, {0.25, 8, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Vector3 rhs{};
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j)
                rhs[i] += row.a[i][j] * row.expected[j];
        }
        Vector3 x{};
        EXPECT_EQ(SolveLinear3(row.a, x, rhs, 3), 0);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(x[i], row.expected[i], kTol);
    }
}

TEST(SolveLinear3Test, FitsTheParabolaThroughThreePoints)
{
    // v = a z^2 + b z + c through (0, 1), (1, 0), (2, 3): a = 2, b = -3, c = 1.
    const Matrix3 m{{{0, 0, 1}, {1, 1, 1}, {4, 2, 1}}};
    Vector3 rhs{1, 0, 3};
    Vector3 abc{};
    ASSERT_EQ(SolveLinear3(m, abc, rhs, 3), 0);
    EXPECT_NEAR(abc[0], 2.0, kTol);
    EXPECT_NEAR(abc[1], -3.0, kTol);
    EXPECT_NEAR(abc[2], 1.0, kTol);
}

TEST(SolveLinear3Test, SmallerSystemsIgnoreTheRestOfTheMatrix)
{
    // x + y = 3, x - y = 1 in the leading 2 x 2 block; the third row and column are junk.
    const Matrix3 m{{{1, 1, 99}, {1, -1, 99}, {99, 99, 99}}};
    Vector3 rhs{3, 1, 77};
    Vector3 x{0, 0, -5};
    EXPECT_EQ(SolveLinear3(m, x, rhs, 2), 0);
    EXPECT_NEAR(x[0], 2.0, kTol);
    EXPECT_NEAR(x[1], 1.0, kTol);
    EXPECT_EQ(x[2], -5.0);
    EXPECT_EQ(rhs[2], 77.0);

    Vector3 one{3, 0, 0};
    EXPECT_EQ(SolveLinear3(Matrix3{{{0.5, 7, 7}, {7, 7, 7}, {7, 7, 7}}}, x, one, 1), 0);
    EXPECT_NEAR(x[0], 6.0, kTol);
}

TEST(SolveLinear3Test, ReportsTheColumnWithoutAPivot)
{
    Vector3 x{9, 9, 9};
    Vector3 rhs{1, 2, 3};
    // First column all below 1e-5.
    EXPECT_EQ(SolveLinear3(Matrix3{{{1e-6, 1, 0}, {-2e-6, 0, 1}, {0, 1, 1}}}, x, rhs, 3), 1);
    EXPECT_EQ(x, (Vector3{9, 9, 9}));
    // Rank 2: the third column is the sum of the first two.
    rhs = {1, 2, 3};
    EXPECT_EQ(SolveLinear3(Matrix3{{{1, 0, 1}, {0, 1, 1}, {1, 1, 2}}}, x, rhs, 3), 3);
    // A size outside 1 .. 3 is refused.
    EXPECT_EQ(SolveLinear3(Matrix3{}, x, rhs, 4), 1);
    EXPECT_EQ(SolveLinear3(Matrix3{}, x, rhs, 0), 1);
    EXPECT_EQ(x, (Vector3{9, 9, 9}));
}

TEST(IntersectSegmentsTest, CrossingsTouchesMissesAndParallels)
{
    double x = 0, y = 0, t = 0;
    EXPECT_TRUE(IntersectSegments(x, y, t, 0, 0, 2, 2, 0, 2, 2, 0));
    EXPECT_NEAR(x, 1.0, kTol);
    EXPECT_NEAR(y, 1.0, kTol);
    EXPECT_NEAR(t, 0.5, kTol);
    // Touching at an end point counts (t = 1, u = 0).
    EXPECT_TRUE(IntersectSegments(x, y, 0, 0, 1, 1, 1, 1, 2, 0));
    EXPECT_NEAR(x, 1.0, kTol);
    EXPECT_NEAR(y, 1.0, kTol);
    // The carrying lines cross at (1.5, 1.5), beyond the first segment: the point is
    // still written.
    EXPECT_FALSE(IntersectSegments(x, y, 0, 0, 1, 1, 3, 0, 2, 1));
    EXPECT_NEAR(x, 1.5, kTol);
    EXPECT_NEAR(y, 1.5, kTol);
    // Parallel segments never meet and leave (0, 0).
    EXPECT_FALSE(IntersectSegments(x, y, 0, 0, 1, 1, 0, 1, 1, 2));
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
}

} // namespace
