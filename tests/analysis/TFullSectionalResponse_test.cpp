// The full sectional response of the 300 x 600 mm beam and the 400 x 400 mm column, checked
// against the section worked by hand: the cracking moment of the gross section, the yield
// moment of the cracked elastic section and the ultimate moment of the rectangular stress
// block. Moments are negative when the top is in compression, so the beam with bottom bars is
// loaded with a negative moment increment and its load factors are positive.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

constexpr int kMaxSteps = 5000;

double MomentOf(const SectionState& s)
{
    return std::fabs(s.Results[StateResult::Moment]);
}

// Valid stages in slot order.
std::vector<const SectionState*> ValidStages(const T1DAnalysis& a)
{
    std::vector<const SectionState*> out;
    for (int i = 0; i < T1DAnalysis::kStageSlots; ++i) {
        const SectionState* s = a.StageSlot(i);
        if (s != nullptr && s->Valid != 0)
            out.push_back(s);
    }
    return out;
}

struct HandBeam {
    double fc, ft, Ec, Es, fy;
    double d = 0.55;
    double As = PS::kBarArea;
    double b = PS::kB;
    double h = PS::kH;
    double CrackingMoment() const { return ft * b * h * h / 6.0; }
    double YieldMoment() const
    {
        const double rn = As / (b * d) * Es / Ec;
        const double k = std::sqrt(2.0 * rn + rn * rn) - rn;
        return As * fy * (d - k * d / 3.0);
    }
    double UltimateMoment() const
    {
        const double a = As * fy / (0.85 * std::fabs(fc) * b);
        return As * fy * (d - a / 2.0);
    }
};

HandBeam HandOf(const TBeam& beam)
{
    const ConcreteTypeRec& c = *beam.GetConcreteType(0);
    const SteelTypeRec& s = *beam.GetSteelType(0);
    return {c.fc, c.ft, c.Ec, s.Es, s.fy};
}

std::unique_ptr<TBeam> MomentBeam()
{
    auto beam = PS::Beam();
    PS::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    return beam;
}

} // namespace

// Moment only: the response runs to its own finish well inside the stage table; the load
// factors rise to the peak; cracking, yielding and the peak lie near the hand values.
TEST(FullSectionalResponse, MomentOnlyBeamFollowsTheHandMoments)
{
    RecordingReporter reporter;
    auto beam = MomentBeam();
    const HandBeam hand = HandOf(*beam);
    TFullSectionalResponse a(beam.get());
    ASSERT_EQ(a.IsRunning(), 1);
    const int steps = RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_LT(steps, kMaxSteps);
    const std::vector<const SectionState*> stages = ValidStages(a);
    ASSERT_GT(stages.size(), 10u);
    EXPECT_LT(a.GetStageCount(), 200);

    const SectionState* peak = a.GetPeakState();
    ASSERT_NE(peak, nullptr);
    const auto peakAt = std::find(stages.begin(), stages.end(), peak) - stages.begin();
    for (long i = 1; i <= peakAt; ++i)
        EXPECT_GE(stages[i]->Results[StateResult::LoadFactor],
                  0.9 * stages[i - 1]->Results[StateResult::LoadFactor])
            << "stage " << i;
    for (const SectionState* s : stages)
        EXPECT_NEAR(s->Results[StateResult::AxialForce], 0.0, 0.002 * MomentOf(*peak) + 2000.0);

    const auto cracked = std::find_if(stages.begin(), stages.end(),
                                      [&](const SectionState* s) { return a.IsCracked(s); });
    ASSERT_NE(cracked, stages.end());
    // The hand cracking moment lies between the last uncracked and the first cracked stage,
    // which tension stiffening carries somewhat above it.
    EXPECT_LT(MomentOf(**(cracked - 1)), hand.CrackingMoment());
    EXPECT_GT(MomentOf(**cracked), hand.CrackingMoment());
    EXPECT_LT(MomentOf(**cracked), 1.7 * hand.CrackingMoment());

    int yieldAt = -1;
    for (int i = 0; i < T1DAnalysis::kStageSlots && yieldAt < 0; ++i)
        if (a.StageSlot(i) != nullptr && a.StageSlot(i)->Valid != 0 && a.HasYieldingBar(i))
            yieldAt = i;
    ASSERT_GE(yieldAt, 0);
    EXPECT_NEAR(MomentOf(*a.StageSlot(yieldAt)), hand.YieldMoment(), 0.12 * hand.YieldMoment());

    EXPECT_GT(MomentOf(*peak), 0.97 * hand.UltimateMoment());
    EXPECT_LT(MomentOf(*peak), 1.25 * hand.UltimateMoment());
    EXPECT_EQ(a.GetErrorCount(), 0);
}

namespace {

// The beam with stirrups under moment and shear at a fixed shear span of 1.5 m.
std::unique_ptr<TBeam> ShearBeam()
{
    auto beam = PS::Beam(false, true);
    PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
    return beam;
}

} // namespace

// With shear and stirrups the shear-stress distribution converges stage by stage: every
// stored stage keeps M / V at the shear span, and the response finishes by itself.
TEST(FullSectionalResponse, ShearBeamConvergesStageByStage)
{
    RecordingReporter reporter;
    auto beam = ShearBeam();
    TFullSectionalResponse a(beam.get());
    ASSERT_EQ(a.IsRunning(), 1);
    RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    const std::vector<const SectionState*> stages = ValidStages(a);
    ASSERT_GT(stages.size(), 5u);
    for (const SectionState* s : stages) {
        if (s == stages.front())
            continue;
        EXPECT_NEAR(s->Results[StateResult::Moment], -1.5 * s->Results[StateResult::Shear],
                    0.01 * std::fabs(s->Results[StateResult::Moment]) + 1000.0);
        ASSERT_TRUE(s->Profile != nullptr);
    }
    const SectionState* peak = a.GetPeakState();
    ASSERT_NE(peak, nullptr);
    const HandBeam hand = HandOf(*beam);
    EXPECT_GT(MomentOf(*peak), 0.8 * hand.YieldMoment());
    EXPECT_LT(MomentOf(*peak), 1.25 * hand.UltimateMoment());
}
