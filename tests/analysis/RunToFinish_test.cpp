#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "tests/analysis/AnalysisBaseFakes.h"

namespace {

// Finishes after a given number of steps.
class CountdownAnalysis : public FakeAnalysis {
public:
    CountdownAnalysis(int steps) : FakeAnalysis(nullptr), m_left(steps) { SetRunning(1); }
    int Step() override
    {
        ++calls;
        if (--m_left <= 0)
            SetRunning(0);
        return 1;
    }
    int calls = 0;

private:
    int m_left;
};

TEST(RunToFinish, StepsUntilTheAnalysisStopsRunningOrTheLimitIsReached)
{
    CountdownAnalysis finishing(5);
    EXPECT_EQ(RunToFinish(finishing, 100), 5);
    EXPECT_EQ(finishing.IsRunning(), 0);

    CountdownAnalysis endless(1000000);
    EXPECT_EQ(RunToFinish(endless, 7), 7);
    EXPECT_EQ(endless.calls, 7);
    EXPECT_EQ(endless.IsRunning(), 1);

    CountdownAnalysis idle(3);
    idle.SetRunning(0);
    EXPECT_EQ(RunToFinish(idle, 10), 0);
}

} // namespace
