#include "analysis/TSectionalAnalysis.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "foundation/DateTime.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kStirrupText =
    "When performing analyses with shear and no tensile strength or no tension stiffening, "
    "members must have stirrups that reach to the extreme top and bottom fibre of the beam.";

TEST(AnalysisPrepare, FreezesTheStructureUntilFinish)
{
    RecordingReporter reporter;
    auto structure = TestSection::Make();
    TestSection::SetLoads(*structure, -1e5, 2e4, 0.0, 0.0, 1e3, 0.0);
    FakeAnalysis analysis(structure.get());
    analysis.SetRunning(1);

    ASSERT_EQ(analysis.Prepare(), 1);
    EXPECT_EQ(structure->IsFrozen(), 1);
    EXPECT_EQ(analysis.adjustCalls, 1);
    std::array<double, 3> loads{};
    analysis.GetConstantLoads(loads.data(), 3);
    EXPECT_EQ(loads, (std::array<double, 3>{-1e5, 2e4, 0.0}));

    // A setter on the frozen structure is refused with the message and changes nothing.
    const double other[3] = {5.0, 6.0, 7.0};
    EXPECT_EQ(structure->SetConstantLoads(other, 3), 0);
    EXPECT_EQ(reporter.Count(kFrozenText), 1);
    std::array<double, 3> stored{};
    structure->GetConstantLoads(stored.data(), 3);
    EXPECT_EQ(stored, (std::array<double, 3>{-1e5, 2e4, 0.0}));

    EXPECT_EQ(analysis.Finish(), 1);
    EXPECT_EQ(structure->IsFrozen(), 0);
    EXPECT_EQ(analysis.IsRunning(), 0);
    EXPECT_EQ(structure->SetConstantLoads(other, 3), 1);
    EXPECT_EQ(reporter.Count(kFrozenText), 1);
}

TEST(AnalysisPrepare, AsksOnceWhetherTensionStiffeningMayStayOff)
{
    struct Case {
        const char* name;
        int answer, shear;
        int expectCode, expectCurvatureIter, expectErrors; // code of the type afterwards
    } cases[] = {
        {"No turns tension stiffening on", MsgAnswer::No, 1, 7, 0, 0},
        {"Yes with shear stores the stirrup note", MsgAnswer::Yes, 1, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingReporter reporter;
        reporter.Answer(c.answer);
        auto structure = TestSection::Make(/*tensionOff=*/true);
        FakeAnalysis analysis(structure.get(), c.shear);

        ASSERT_EQ(analysis.Prepare(), 1);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text,
                  "Concrete type \"C35\" has tension stiffening turned off.  The analysis "
                  "automatically accounts for crack check and calculates longitudinal stresses "
                  "at a crack.  Fatigue analyses can use this information, however.  Do you "
                  "wish to leave tension off?");
        EXPECT_EQ(reporter.messages[0].caption, "Are You Sure?");
        EXPECT_EQ(reporter.messages[0].style, MsgStyle::YesNo | MsgStyle::IconExclamation);
        EXPECT_EQ(structure->GetConcreteType(0)->tensionStiffening, c.expectCode);
        EXPECT_EQ(analysis.UsesCurvatureIteration(), c.expectCurvatureIter);
        if (c.expectErrors > 0)
            EXPECT_EQ(OnlyError(analysis).first, kStirrupText);
        else
            EXPECT_EQ(analysis.GetErrorCount(), 0);

        // The question is asked once per structure.
        analysis.Finish();
        EXPECT_EQ(analysis.Prepare(), 1);
        EXPECT_EQ(reporter.messages.size(), 1u);
        analysis.Finish();
    }
}

// Across the wrap of the 32-bit millisecond clock.
TEST(IntervalTimers, ElapsedTimeAcrossTheClockWrap)
{
    constexpr int kTruncationMs = 20; // the centisecond clock truncates toward zero
    std::uint64_t now = (std::uint64_t{1} << 31) - 500; // ms, 0.5 s before the clock turns negative
    const ScopedTimerSource clock{[&now] { return now; }};
    FakeAnalysis wrapping(nullptr);
    now += 1234;
    EXPECT_NEAR(wrapping.GetElapsedMilliseconds(), 1234, kTruncationMs);
}

TEST(AnalysisBase, LoadCopiesAreBoundedToTheVectorLength)
{
    auto structure = TestSection::Make();
    double eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    structure->SetIncrementLoads(eight, 8);
    FakeAnalysis analysis(structure.get());
    analysis.Prepare();

    std::array<double, 10> out;
    out.fill(-1.0);
    EXPECT_EQ(analysis.GetIncrementLoads(out.data(), 10), 1);
    EXPECT_EQ(out, (std::array<double, 10>{1, 2, 3, 4, 5, 6, 7, 8, -1, -1})); // 8 values only
    analysis.Finish();
}

} // namespace
