#include "analysis/TSectionalAnalysis.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "AnalysisBaseFakes.h"
#include "foundation/DateTime.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kFrozenText = "Attempt to write to frozen beam!";
constexpr const char* kStirrupText =
    "When performing analyses with shear and no tensile strength or no tension stiffening, "
    "members must have stirrups that reach to the extreme top and bottom fibre of the beam.";

std::array<double, 3> Constant(const TSectionalAnalysis& a)
{
    std::array<double, 3> v{};
    a.GetConstantLoads(v.data(), 3);
    return v;
}

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
    EXPECT_EQ(Constant(analysis), (std::array<double, 3>{-1e5, 2e4, 0.0}));

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

TEST(AnalysisPrepare, RefusesWithoutAStructureOrHeight)
{
    FakeAnalysis none(nullptr);
    EXPECT_EQ(none.Prepare(), 0);
    EXPECT_EQ(none.Finish(), 1);

    TStructure flat; // no regions: zero height
    const double loads[3] = {1.0, 2.0, 3.0};
    flat.SetConstantLoads(loads, 3);
    FakeAnalysis analysis(&flat);
    EXPECT_EQ(analysis.Prepare(), 0);
    EXPECT_EQ(flat.IsFrozen(), 0);
    EXPECT_EQ(analysis.adjustCalls, 0);
    EXPECT_EQ(Constant(analysis), (std::array<double, 3>{}));
}

TEST(AnalysisPrepare, AnAlreadyFrozenStructureIsNotCheckedButItsLoadsAreCopied)
{
    RecordingReporter reporter;
    auto structure = TestSection::Make(/*tensionOff=*/true);
    TestSection::SetLoads(*structure, -2e5, 0.0, 3e4, 0.0, 1.0, 0.0);
    structure->SetFrozen(1);
    FakeAnalysis analysis(structure.get(), /*shear=*/1);

    EXPECT_EQ(analysis.Prepare(), 0);
    EXPECT_EQ(Constant(analysis), (std::array<double, 3>{-2e5, 0.0, 3e4}));
    EXPECT_EQ(analysis.adjustCalls, 1);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(structure->GetCheckTensionStiffening(), 1);
    EXPECT_EQ(structure->IsFrozen(), 1);
    analysis.Finish();
    EXPECT_EQ(structure->IsFrozen(), 0);
}

TEST(AnalysisPrepare, AsksOnceWhetherTensionStiffeningMayStayOff)
{
    struct Case {
        const char* name;
        int answer, shear;
        int expectCode, expectCurvatureIter, expectErrors; // code of the type afterwards
    } cases[] = {
        {"No turns tension stiffening on", MsgAnswer::No, 1, 7, 0, 0},
        {"Yes keeps it off", MsgAnswer::Yes, 0, 0, 1, 0},
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
        ASSERT_EQ(analysis.GetErrorCount(), c.expectErrors);
        if (c.expectErrors > 0) {
            std::string text, title;
            int code = -1;
            analysis.GetError(0, text, title, code);
            EXPECT_EQ(text, kStirrupText);
            EXPECT_EQ(title, g_MainWindowTitle);
            EXPECT_EQ(code, 0);
        }

        // The question is asked once per structure.
        analysis.Finish();
        EXPECT_EQ(analysis.Prepare(), 1);
        EXPECT_EQ(reporter.messages.size(), 1u);
        analysis.Finish();
    }
}

class IntervalTimers : public ::testing::Test {
protected:
    void Advance(std::int64_t ms)
    {
        now = static_cast<std::uint64_t>(static_cast<std::int64_t>(now) + ms);
    }
    std::uint64_t now = 5'000'000'000; // ms
    ScopedTimerSource clock{[this] { return now; }};
};

// Channels 1 and 3 fire every 0.2 s, channel 2 every 0.5 s, each once past its interval;
// unknown channels never fire. A clock that went back past midnight (a day less 400 s) fires
// every channel once.
TEST_F(IntervalTimers, ChannelsFireIndependentlyAndSurviveAClockGoingBack)
{
    FakeAnalysis analysis(nullptr);
    Advance(200);
    for (int channel : {1, 2, 3})
        EXPECT_EQ(analysis.IntervalElapsed(channel), 0) << channel;
    Advance(100);
    EXPECT_EQ(analysis.IntervalElapsed(1), 1);
    EXPECT_EQ(analysis.IntervalElapsed(3), 1);
    EXPECT_EQ(analysis.IntervalElapsed(2), 0);
    EXPECT_EQ(analysis.IntervalElapsed(1), 0); // until the next interval has passed
    Advance(210);
    EXPECT_EQ(analysis.IntervalElapsed(2), 1);
    EXPECT_EQ(analysis.IntervalElapsed(2), 0);
    for (int channel : {0, 4, -1, 99})
        EXPECT_EQ(analysis.IntervalElapsed(channel), 0);
    Advance(-86'000'000);
    for (int channel : {1, 2, 3}) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(analysis.IntervalElapsed(channel), 1);
        EXPECT_EQ(analysis.IntervalElapsed(channel), 0);
    }
}

// Centisecond resolution, also across the wrap of the 32-bit millisecond clock.
TEST_F(IntervalTimers, ElapsedTimeInCentiseconds)
{
    constexpr int kTruncationMs = 20; // the centisecond clock truncates toward zero
    FakeAnalysis analysis(nullptr);
    EXPECT_EQ(analysis.GetElapsedMilliseconds(), 0);
    Advance(1234);
    EXPECT_EQ(analysis.GetElapsedMilliseconds(), 1230);

    now = (std::uint64_t{1} << 31) - 500; // 0.5 s before the 32-bit clock turns negative
    FakeAnalysis wrapping(nullptr);
    Advance(1234);
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
    EXPECT_EQ(analysis.GetIncrementLoads(out.data(), -5), 1);
    EXPECT_EQ(out[0], -1.0);
    EXPECT_EQ(analysis.GetIncrementLoads(out.data(), 10), 1);
    EXPECT_EQ(out, (std::array<double, 10>{1, 2, 3, 4, 5, 6, 7, 8, -1, -1})); // 8 values only
    analysis.Finish();
}

TEST(AnalysisBase, ProbesAnswerKnownIdsAndReportAnUnknownOneOnce)
{
    RecordingReporter reporter;
    FakeAnalysis analysis(nullptr);
    for (int id : {0, 1, 6, 7, 9})
        EXPECT_EQ(analysis.Probe_analysis(id, 0.1), 0.0);
    EXPECT_EQ(analysis.Probe_analysis(15, 0.1), 1.0);
    EXPECT_TRUE(reporter.messages.empty());

    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(analysis.Probe_analysis(3, 0.01 * i), 0.0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Error in Probe_analysis!");
    EXPECT_EQ(reporter.messages[0].style & MsgStyle::IconMask, MsgStyle::IconExclamation);
}

} // namespace
