// The over-relaxation demonstration's field: the relaxation equation holds at the end, the
// edges keep their temperatures, over-relaxation converges sooner, and inputs that would
// overrun the grid or diverge are refused.

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/SorDemo.h"
#include "support/TestSupport.h"

namespace {

TEST(SorDemo, ConvergedFieldSatisfiesTheRelaxationEquation)
{
    RecordingReporter reporter;
    for (double w : {1.0, 1.5}) {
        TSorGrid g(20);
        const SorResult r = RelaxSorGrid(g, w);
        ASSERT_LE(r.lastChange, 0.01 * w);
        ASSERT_LT(r.sweeps, kMaxSorSweeps);
        // The last change of each value was w times its residual, so the residual is at most
        // the tolerance over w (plus what later neighbours moved in the same sweep).
        for (int row = 1; row < g.Rows() - 1; ++row)
            for (int c = 1; c < g.Columns() - 1; ++c) {
                const double mean = (g.At(row - 1, c) + g.At(row + 1, c) + g.At(row, c - 1) + g.At(row, c + 1)) / 4.0;
                EXPECT_NEAR(g.At(row, c), mean, 0.02) << row << "," << c;
            }
        for (int row = 0; row < g.Rows(); ++row) {
            EXPECT_EQ(g.At(row, 0), 300.0);
            EXPECT_EQ(g.At(row, 10), 100.0);
        }
        for (int c = 1; c < 10; ++c) {
            EXPECT_EQ(g.At(0, c), 200.0);
            EXPECT_EQ(g.At(20, c), 400.0);
        }
        // Between the edge temperatures everywhere.
        EXPECT_GT(g.At(10, 5), 100.0);
        EXPECT_LT(g.At(10, 5), 400.0);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(SorDemo, OverRelaxationNeedsFewerSweeps)
{
    TSorGrid a(50), b(50);
    int paintedA = 0;
    const SorResult gaussSeidel = RelaxSorGrid(a, 1.0, [&](const TSorGrid&) { ++paintedA; });
    const SorResult over = RelaxSorGrid(b, 1.5);
    EXPECT_LT(over.sweeps, gaussSeidel.sweeps);
    EXPECT_EQ(paintedA, gaussSeidel.sweeps); // painted after every sweep
}

TEST(SorDemo, OneBlockMakesOneSweepAndTheCapReportsTheRealChange)
{
    TSorGrid one(1);
    SorResult r = RelaxSorGrid(one, 1.0);
    EXPECT_EQ(r.sweeps, 1);
    EXPECT_EQ(r.lastChange, 0.0);
    EXPECT_EQ(SorReport(r), "\n 1 iterations needed\nMax Error  0.000000\n");

    // A tiny factor cannot meet its tolerance: stopped after 2001 sweeps, still moving.
    TSorGrid slow(30);
    r = RelaxSorGrid(slow, 0.001);
    EXPECT_EQ(r.sweeps, kMaxSorSweeps + 1);
    EXPECT_GT(r.lastChange, 0.00001);
    EXPECT_EQ(SorReport(r).find("Max Error  0.000000"), std::string::npos);

    const std::string grid = SorPrintout(SorResult{1, 0.0}, TSorGrid(2));
    EXPECT_EQ(grid, "\n 1 iterations needed\nMax Error  0.000000\n\n 300.0  100.0 \n 300.0  100.0 \n 300.0  100.0 \n");
}

TEST(SorDemo, RefusesCountsAndFactorsOutOfRange)
{
    RecordingReporter reporter;
    EXPECT_EQ(CheckSorInputs(50, 1.0), 1);
    EXPECT_EQ(CheckSorInputs(1, 1.99), 1);
    EXPECT_EQ(CheckSorInputs(199, 0.01), 1);
    EXPECT_TRUE(reporter.messages.empty());
    for (int n : {0, -3, 200, 1000})
        EXPECT_EQ(CheckSorInputs(n, 1.0), 0) << n;
    for (double w : {0.0, -1.0, 2.0, 2.5})
        EXPECT_EQ(CheckSorInputs(50, w), 0) << w;
    EXPECT_EQ(reporter.messages.size(), 8u);
}

TEST(SorDemo, BlockColours)
{
    SorColour c = SorBlockColour(400.0);
    EXPECT_EQ(c.red, 5);
    EXPECT_EQ(c.green, 250);
    EXPECT_EQ(c.blue, 0);
    c = SorBlockColour(100.0);
    EXPECT_EQ(c.red, 125);
    EXPECT_EQ(c.blue, 131);
    EXPECT_EQ(SorBlockColour(0.0).blue, 0); // 256 keeps its low byte
    EXPECT_EQ(SorBlockSize(50), 20);
}

} // namespace
