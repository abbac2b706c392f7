// The full sectional response of a plain concrete section, one without any steel type: a
// 300 x 200 mm rectangle of 35 MPa concrete with the automatic properties a new type gets,
// under a growing moment (top in compression).

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

constexpr double kB = 0.3;
constexpr double kH = 0.2;
constexpr int kMaxSteps = 5000;

// The plain rectangle; with an unused reinforcing steel type when asked (no bar names it).
std::unique_ptr<TBeam> PlainBeam(bool unusedSteelType)
{
    auto beam = PointSections::Empty(unusedSteelType);
    beam->AddRegion(kH, 0.0, kB, kB, 0, 1);
    beam->Validate();
    TestSection::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    return beam;
}

std::vector<const SectionState*> ValidStages(const T1DAnalysis& a)
{
    std::vector<const SectionState*> out;
    for (int i = 0; i < T1DAnalysis::kStageSlots; ++i)
        if (const SectionState* s = a.StageSlot(i); s != nullptr && s->Valid != 0)
            out.push_back(s);
    return out;
}

double MomentOf(const SectionState& s)
{
    return std::fabs(s.Results[StateResult::Moment]);
}

} // namespace

// Without steel there is no bar that could rupture, so nothing ends the response at its first
// stage: it rises past the cracking moment f't b h^2 / 6 of the type's f't (the faces of a
// plain section crack at the larger strength of a thin tension zone, at most 0.15 f'c), loses
// its moment once the crack opens, and ends on that loss without a message.
TEST(PlainSectionResponse, RunsThroughCrackingAndEndsOnceItsMomentIsLost)
{
    RecordingReporter reporter;
    auto beam = PlainBeam(false);
    ASSERT_EQ(beam->GetSteelTypeCount(), 0);
    const ConcreteTypeRec& c = *beam->GetConcreteType(0);
    const double crackingMoment = c.ft * kB * kH * kH / 6.0;
    const double strongestFaceMoment = 0.15 * std::fabs(c.fc) * kB * kH * kH / 6.0;

    TFullSectionalResponse a(beam.get());
    ASSERT_EQ(a.IsRunning(), 1);
    EXPECT_LT(RunToFinish(a, kMaxSteps), kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_EQ(a.GetErrorCount(), 0);
    EXPECT_TRUE(reporter.messages.empty());

    const std::vector<const SectionState*> stages = ValidStages(a);
    ASSERT_GT(stages.size(), 3u);
    const SectionState* peak = a.GetPeakState();
    ASSERT_NE(peak, nullptr);
    EXPECT_GT(MomentOf(*peak), crackingMoment);
    EXPECT_LT(MomentOf(*peak), strongestFaceMoment);
    EXPECT_FALSE(a.IsCracked(peak));
    EXPECT_TRUE(a.IsCracked(stages.back()));
    // Ended by the fall of the load below a fifth of its peak, past the tenth stage.
    EXPECT_LT(MomentOf(*stages.back()), 0.2 * MomentOf(*peak));
    EXPECT_GT(a.GetLastStageIndex(), 10);
}

// A steel type no bar uses carries nothing: the response of the plain section is the same,
// stage for stage, with or without it.
TEST(PlainSectionResponse, AnUnusedSteelTypeChangesNothing)
{
    RecordingReporter reporter;
    auto plain = PlainBeam(false);
    auto withSteel = PlainBeam(true);
    TFullSectionalResponse a(plain.get());
    TFullSectionalResponse b(withSteel.get());
    RunToFinish(a, kMaxSteps);
    RunToFinish(b, kMaxSteps);
    EXPECT_EQ(a.GetLastStageIndex(), b.GetLastStageIndex());
    const std::vector<const SectionState*> sa = ValidStages(a), sb = ValidStages(b);
    ASSERT_EQ(sa.size(), sb.size());
    for (std::size_t i = 0; i < sa.size(); ++i)
        EXPECT_EQ(sa[i]->Results, sb[i]->Results) << "stage " << i;
}
