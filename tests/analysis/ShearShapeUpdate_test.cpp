// The shear-shape update as the stepping applies it. On the plain 300 x 600 mm section before
// cracking the concrete is elastic in shear, so the layer solution's shear stress at a depth is
// the shear modulus times the section's shear strain times the shape there, while equilibrium
// asks for the parabola 1.5 V / (b h) (1 - (2 y / h)^2) whatever the shape. Repeated updates of
// one state's shape, each answered by the layer solution at the same deformations, are then a
// contracting fixed point worked by hand: an update of weight w leaves 1 - w of the shape's
// departure from the normalised parabola p(y) = 1.5 (1 - (2 y / h)^2).

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/T1DAnalysis.h"
#include "bench/BenchSections.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;
constexpr double kPi = 3.14159265358979;

class UpdatedResponse : public TFullSectionalResponse {
public:
    using TFullSectionalResponse::TFullSectionalResponse;
    using TQuarvish2000Analysis::ShearShapeChanged;
    TDepthTable& Shape() { return ShearStrainDistribution; }
    // Steps until the given stage is accepted (or 500 steps pass) and answers it.
    const SectionState* StepTo(int stage)
    {
        for (int k = 0; k < 500 && CurrentStage <= stage && IsRunning() != 0; ++k)
            Step();
        return Stages[static_cast<std::size_t>(stage)].get();
    }
    SectionState& Slot(int i) { return *Stages[static_cast<std::size_t>(i)]; }
};

// The plain section, stepped to its second stage (uncracked) under M / V = 1.5 m. The start
// shape is the parabola plus a multiple of the departure d(y) = 0.4 sin(2 pi y / h), which has
// no mean over the height and vanishes at both faces and at mid-depth.
struct ShapeFixedPoint : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam;
    std::unique_ptr<UpdatedResponse> a;
    SectionState* s = nullptr;
    std::vector<double> nodes; // the depths of the layer nodes, top down

    void SetUp() override
    {
        beam = PS::Empty();
        beam->AddRegion(PS::kH, 0.0, PS::kB, PS::kB, 0, 1);
        beam->Validate();
        PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
        a = std::make_unique<UpdatedResponse>(beam.get());
        ASSERT_NE(a->StepTo(2), nullptr);
        s = &a->Slot(2);
        ASSERT_FALSE(a->IsCracked(s));
        for (int i = 0; i < s->UsableLayerCount(); ++i) {
            const LayerDefRec& l = s->LayerDefs[static_cast<std::size_t>(i)];
            if (i == 0)
                nodes.push_back(l.Top);
            nodes.push_back(l.Mid);
            nodes.push_back(l.Bottom);
        }
        ASSERT_EQ(nodes.size(), 15u);
        ASSERT_DOUBLE_EQ(nodes.front(), 0.3);
        ASSERT_DOUBLE_EQ(nodes.back(), -0.3);
    }
    static double P(double y) { return 1.5 * (1.0 - 4.0 * y * y / (PS::kH * PS::kH)); }
    static double D(double y) { return 0.4 * std::sin(2.0 * kPi * y / PS::kH); }
    // Sets the shape p + k d at every node; the layers are solved afresh with it.
    void SetShape(double k)
    {
        TDepthTable& shape = a->Shape();
        shape.Clear();
        for (double y : nodes)
            shape.Add(y, P(y) + k * D(y));
        shape.SetSorted(true);
        a->ShearShapeChanged();
    }
    // One update: answers the scatter it measured.
    double Update()
    {
        EXPECT_EQ(a->ComputeShearStressDistribution(*s), 1);
        int mode = -1;
        return a->ShearDistributionErrorAfterUpdate(*s, mode);
    }
    void ExpectShape(double k, const char* when)
    {
        for (double y : nodes)
            EXPECT_NEAR(a->Shape().InterpolateAtDepth(y), P(y) + k * D(y), 1e-3)
                << when << " at " << y;
    }
};

} // namespace

// The scatter of the start shape is the spread of 0.4 sin over the 50 points of the error
// measure, 0.4 sqrt(24.5 / 49), over the mean of the parabola there, 1.5 (1 - 17.347 / 50).
// The first update is the damped one and halves the departure, and with it the scatter; that
// steady halving under w = 1/2 gives the secant weight 1/2 / (1 - 1/2) = 1, which removes
// the rest at once. Once there, the shape stays.
TEST_F(ShapeFixedPoint, DampedUpdateThenTheSecantOneReachesTheParabola)
{
    const double meanP = 1.5 * (1.0 - 17.3469 / 50.0);
    const double s0 = 0.4 * std::sqrt(0.5) / meanP;
    SetShape(1.0);
    a->ForgetShapeUpdates();
    const double e0 = Update();
    EXPECT_NEAR(e0, s0, 0.005 * s0);
    ExpectShape(0.5, "first update");

    const double e1 = Update();
    EXPECT_NEAR(e1, 0.5 * e0, 0.005 * e0);
    ExpectShape(0.0, "secant update");

    EXPECT_LT(Update(), 1e-4 * e0);
    ExpectShape(0.0, "at the fixed point");
}

// The weight follows the scatter's ratio over the last update. A scatter that rises (the
// shape set back to the start) keeps the damped update; one that falls to 0.4 of the last
// under w = 1/2 takes w = 1/2 / 0.6 = 5/6, leaving 1/6 of the departure 0.4 d.
TEST_F(ShapeFixedPoint, RisingScatterIsDampedAndASteadyFallIsAccelerated)
{
    SetShape(0.2);
    a->ForgetShapeUpdates();
    const double e0 = Update();
    ExpectShape(0.1, "first update");
    SetShape(1.0);
    const double e1 = Update();
    EXPECT_NEAR(e1, 5.0 * e0, 0.005 * e1);
    ExpectShape(0.5, "rising scatter");

    SetShape(0.4);
    const double e2 = Update();
    EXPECT_NEAR(e2, 0.4 * e1, 0.005 * e1);
    ExpectShape(0.4 / 6.0, "scatter down to 0.4");

    // A new stage starts damped again, though the scatter halved since the last update.
    SetShape(0.2);
    Update();
    a->ForgetShapeUpdates();
    SetShape(0.1);
    Update();
    ExpectShape(0.05, "after forgetting");
}

// The benchmark beam with shear (three 25 mm bottom bars, stirrups, M / V = 1.5 m) stepped
// through cracking to its peak moment, once with the default tolerances and once with the
// shear tolerances ten times tighter. Both step the same curvatures. The default run takes about four
// attempts a stage: its shape updates converge as fast as the secant weight allows (a damped
// update alone takes about five, a step in the wrong direction eight). At every stage its load factor
// lies within 0.1 % of the tight run's and its shear strain within 1 %.
TEST(ShearShapeUpdateOnTheBenchBeam, AttemptsAndStagesAgainstTheTightRun)
{
    RecordingReporter reporter;
    constexpr int kStages = 30;
    auto beam = BenchResponseBeam();
    PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
    beam->Validate();
    UpdatedResponse fast(beam.get());
    ASSERT_NE(fast.StepTo(kStages), nullptr);
    UpdatedResponse tight(beam.get());
    tight.SetShearToleranceFactor(0.1);
    ASSERT_EQ(tight.Start(), 1);
    ASSERT_NE(tight.StepTo(kStages), nullptr);

    EXPECT_LE(fast.GetStageCounts().attempts, 4.15 * kStages);
    EXPECT_GE(tight.GetStageCounts().attempts, 7 * kStages);
    for (int i = 1; i <= kStages; ++i) {
        const SectionState& f = fast.Slot(i);
        const SectionState& t = tight.Slot(i);
        const double phi = t.Results[StateResult::Curvature];
        ASSERT_NEAR(f.Results[StateResult::Curvature], phi, 1e-9 * std::fabs(phi)) << i;
        const double lf = t.Results[StateResult::LoadFactor];
        EXPECT_NEAR(f.Results[StateResult::LoadFactor], lf, 1e-3 * lf) << i;
        const double g = t.Results[StateResult::ShearStrain];
        EXPECT_NEAR(f.Results[StateResult::ShearStrain], g, 1e-2 * g) << i;
    }
    // Past yield, near the peak of the stress block.
    EXPECT_GT(tight.Slot(kStages).Results[StateResult::LoadFactor], 190.0);
}
