// The shear stress distribution of the full sectional response: the parabola of an uncracked
// section, a cracked section carrying its shear, the longitudinal tension it brings, tapered webs
// and circles, the update weight and the response against the converged one.

#include <cmath>

#include <gtest/gtest.h>

#include "analysis/FullResponseFixture.h"

using namespace full_response;

namespace {
using PS = PointSections;
} // namespace

// The dual-section distribution of an uncracked plain section under shear is the parabola
// 1.5 V / (b h) (1 - (2 y / h)^2) at every point of its table, the middles of its seven layers
// included; a state without shear gets a distribution of unit integral.
TEST_F(ShearStressDistribution, ElasticSectionGivesTheParabola)
{
    beam = PS::Empty();
    beam->AddRegion(PS::kH, 0.0, PS::kB, PS::kB, 0, 1);
    beam->Validate();
    PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
    OpenResponse a(beam.get());
    SectionState* s = a.StepTo(2);
    ASSERT_NE(s, nullptr);
    ASSERT_FALSE(a.IsCracked(s));
    ASSERT_EQ(a.ComputeShearStressDistribution(*s), 1);
    const double peak = 1.5 * s->Results[StateResult::Shear] / (PS::kB * PS::kH);
    const TDepthTable& tau = *s->Profile;
    EXPECT_EQ(tau.GetName(), "Calculated Shear stress distribution");
    ASSERT_EQ(tau.GetCount(), 15) << "the top, then the middle and bottom of each layer";
    for (int i = 0; i < tau.GetCount(); ++i) {
        const double y = tau.GetDepth(i);
        EXPECT_NEAR(tau.GetValue(i), peak * (1.0 - 4.0 * y * y / (PS::kH * PS::kH)), 1e-3 * peak)
            << y;
    }
    int mode = -1;
    EXPECT_LT(a.ShearDistributionError(*s, mode), 0.05);
    EXPECT_EQ(mode, FailureMode::None);

    auto plain = PS::MomentBeam();
    OpenResponse m(plain.get());
    SectionState* p = m.StepTo(2);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(m.ComputeShearStressDistribution(*p), 1);
    EXPECT_NEAR(p->Profile->IntegrateSimpson(), 1.0, 1e-9);
    EXPECT_EQ(m.ShearDistributionError(*p, mode), 0.009);
}

// On a cracked section the longitudinal stress rate varies along a layer as the parabola
// through its three nodes. The shear flow it integrates to closes at the bottom face (the
// axial force does not change along the member) and its stresses add up to V.
// The error is the spread of the difference from the layer shear stresses (here 0) over 50
// points from the bottom to the top face, over its mean. Every difference the same: an error
// of 0, never a NaN from a slightly negative variance. A difference rising linearly from 1 at
// the bottom to 2 at the top: at points 1 + i/49 the spread is sqrt(50 x 51 / 12) / 49 and the
// mean 1.5.
TEST_F(ShearStressDistribution, CrackedSectionClosesAndCarriesTheShearAndTheErrorIsASpread)
{
    beam = ShearBeam();
    OpenResponse a(beam.get());
    SectionState* s = a.StepTo(6);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(a.IsCracked(s));
    ASSERT_EQ(a.ComputeShearStressDistribution(*s), 1);
    const TDepthTable& tau = *s->Profile;
    int largest = -1;
    const double peak = tau.MaxValue(largest);
    ASSERT_GT(peak, 0.0);
    EXPECT_NEAR(tau.GetValue(tau.GetCount() - 1), 0.0, 1e-9 * peak);
    const double V = s->Results[StateResult::Shear];
    EXPECT_NEAR(tau.IntegrateSimpson() * PS::kB, V, 1e-5 * V);

    for (LayerNodeStateRec& node : s->NodeStates)
        node.ConcShearStress = 0.0;
    s->Results[StateResult::Shear] = 1e6;
    s->Results[StateResult::AxialForce] = 0.0;
    s->Results[StateResult::Moment] = 0.0;
    for (auto [rise, expected] : {std::pair{0.0, 0.0}, {1.0, std::sqrt(212.5) / 49.0 / 1.5}}) {
        s->Profile = std::make_unique<TDepthTable>("given");
        for (int i = 0; i <= 10; ++i)
            s->Profile->Add(beam->GetTop() - i * PS::kH / 10.0, 1.0 + rise * (10 - i) / 10.0);
        s->Profile->SetSorted(true);
        int mode = 0;
        const double e = a.ShearDistributionError(*s, mode);
        EXPECT_FALSE(std::isnan(e));
        EXPECT_NEAR(e, expected, 1e-9) << rise;
    }
}

// Every stage of the beam with shear holds the shear its layers carry as a block, with the
// longitudinal tension that shear causes per unit: once cracked the web's struts between the
// chords lie flatter than 45 degrees but steeper than about 18 (1 <= cot(theta) <= 3). A copy
// keeps both. Under moment alone no stage has a block or a ratio.
TEST_F(ShearStressDistribution, StagesCarryTheLongitudinalTensionOfTheirShear)
{
    beam = ShearBeam();
    OpenResponse a(beam.get());
    ASSERT_NE(a.StepTo(24), nullptr);
    int cracked = 0;
    for (const SectionState* s : ValidStages(a)) {
        const double V = s->Results[StateResult::Shear];
        if (std::fabs(V) < 1000.0)
            continue;
        const auto& b = s->ShearBlock;
        ASSERT_GT(b[1], 0.0) << V;
        EXPECT_NEAR(b[0] * b[1] * b[2] * b[3], V, 1e-9 * std::fabs(V));
        if (a.IsCracked(s)) {
            EXPECT_GE(s->NvRatio, 1.0) << V;
            EXPECT_LE(s->NvRatio, 3.0) << V;
            ++cracked;
        }
    }
    EXPECT_GE(cracked, 15);
    SectionStateHolder copy;
    ASSERT_EQ(a.CopySectionState(a.Holder(24), copy), 1);
    EXPECT_EQ(copy->ShearBlock, a.Slot(24)->ShearBlock);
    EXPECT_EQ(copy->NvRatio, a.Slot(24)->NvRatio);

    beam = PS::MomentBeam();
    OpenResponse m(beam.get());
    ASSERT_NE(m.StepTo(12), nullptr);
    for (const SectionState* s : ValidStages(m)) {
        EXPECT_EQ(s->ShearBlock, (std::array<double, 4>{}));
        EXPECT_EQ(s->NvRatio, 0.0);
    }
}

// Equilibrium where the width changes over the depth: at every stage with shear of a beam
// whose web tapers from 300 mm at the top to 150 mm at the bottom, and of a circular column
// 500 mm across (an outline of 20 straight-sided bands), the shear block carries the whole
// shear V of the stage (no tendons: the bars carry none).
TEST_F(ShearStressDistribution, TheBlockCarriesTheShearOfATaperedWebAndOfACircle)
{
    auto stirrups = [](TBeam& b, double bottom, double top) {
        TransLayerRec s;
        s.A = 2e-4, s.Ai = 1e-4, s.db = 0.0113, s.space = 0.2;
        s.distbot = bottom, s.disttop = top, s.bartitle = "10M", s.name = "Stirrups";
        b.AddTransLayer(s, 2);
    };
    auto tapered = PS::Empty();
    tapered->AddRegion(0.6, 0.0, 0.3, 0.15, 0, 1);
    PS::AddBars(*tapered, 0.05, PS::kBarArea);
    stirrups(*tapered, 0.03, 0.57);

    auto circle = PS::Empty();
    constexpr int kBands = 20;
    constexpr double r = 0.25;
    auto width = [](double z) { return 2.0 * std::sqrt(std::max(0.0, r * r - (z - r) * (z - r))); };
    for (int i = 0; i < kBands; ++i) {
        const double top = 2.0 * r * (kBands - i) / kBands, bottom = 2.0 * r * (kBands - i - 1) / kBands;
        circle->AddRegion(top, bottom, width(top), width(bottom), 0, 1);
    }
    PS::AddBars(*circle, 0.06, PS::kBarArea);
    stirrups(*circle, 0.03, 0.47);

    for (auto* section : {tapered.get(), circle.get()}) {
        SCOPED_TRACE(section == tapered.get() ? "tapered web" : "circle");
        section->Validate();
        PS::SetLoads(*section, 0, 0, 0, 0, -1500.0, 1000.0);
        OpenResponse a(section);
        ASSERT_NE(a.StepTo(12), nullptr);
        int sheared = 0;
        for (const SectionState* s : ValidStages(a)) {
            const double V = s->Results[StateResult::Shear];
            if (std::fabs(V) < 1000.0)
                continue;
            const auto& b = s->ShearBlock;
            ASSERT_GT(b[1], 0.0) << V;
            EXPECT_NEAR(b[0] * b[1] * b[2] * b[3], V, 1e-9 * std::fabs(V));
            ++sheared;
        }
        EXPECT_GE(sheared, 8);
    }
}

// The weight of the next shape update, from the scatter of the state just solved. A first
// update at a stage is the damped one (1/2). While the scatter falls steadily (a ratio c of
// at least 0.3 and below 0.7 over the last update of weight w) the update takes the secant
// weight w / (1 - c) that would remove the scatter at once, bounded to [1/2, 1]; a scatter
// that rises, stays, or almost vanished in one update brings back the damped update, and so
// does forgetting the updates at a new stage.
TEST_F(ShearStressDistribution, UpdateWeightIsTheSecantOneWhileTheErrorFallsSteadily)
{
    beam = ShearBeam();
    TFullSectionalResponse a(beam.get());
    a.ForgetShapeUpdates();
    EXPECT_EQ(a.ShapeUpdateWeight(0.2), 0.5);
    EXPECT_DOUBLE_EQ(a.ShapeUpdateWeight(0.1), 1.0);         // c = 1/2 under w = 1/2
    EXPECT_DOUBLE_EQ(a.ShapeUpdateWeight(0.05), 1.0);        // 1 / (1 - 1/2) = 2, bounded to 1
    EXPECT_EQ(a.ShapeUpdateWeight(0.06), 0.5);               // rising: damped
    EXPECT_DOUBLE_EQ(a.ShapeUpdateWeight(0.024), 0.5 / 0.6); // c = 0.4 under w = 1/2
    EXPECT_EQ(a.ShapeUpdateWeight(0.0048), 0.5);             // c = 0.2: nearly gone by itself
    EXPECT_EQ(a.ShapeUpdateWeight(0.0036), 0.5);             // c = 3/4: too slow to be steady
    EXPECT_EQ(a.ShapeUpdateWeight(0.0), 0.5);
    EXPECT_EQ(a.ShapeUpdateWeight(0.001), 0.5); // nothing to compare with
    a.ShapeUpdateWeight(0.01);
    a.ForgetShapeUpdates();
    EXPECT_EQ(a.ShapeUpdateWeight(0.005), 0.5); // c = 1/2 again, but at a new stage
}

// The beam with shear stepped through cracking to well past half its peak moment, once with
// the default tolerances and once with the shear tolerances ten times tighter, which gives
// nearly the converged response. At every shear strain of the tight response the default one
// carries the same moment within the 1 % that a stage's shear-distribution error allows, and
// takes fewer attempts a stage.
TEST_F(ShearStressDistribution, ResponseStaysWithinTheToleranceOfTheConvergedOne)
{
    constexpr int kStages = 18;
    beam = ShearBeam();
    OpenResponse fast(beam.get());
    ASSERT_NE(fast.StepTo(kStages), nullptr);
    OpenResponse tight(beam.get());
    tight.SetShearToleranceFactor(0.1);
    ASSERT_EQ(tight.Start(), 1);
    ASSERT_NE(tight.StepTo(kStages), nullptr);
    EXPECT_LT(fast.GetStageCounts().attempts, tight.GetStageCounts().attempts);

    auto gammaOf = [](const SectionState* s) { return s->Results[StateResult::ShearStrain]; };
    const std::vector<const SectionState*> curve = ValidStages(fast);
    int compared = 0;
    for (const SectionState* r : ValidStages(tight)) {
        const double g = gammaOf(r);
        for (std::size_t i = 1; i < curve.size(); ++i) {
            const double g0 = gammaOf(curve[i - 1]), g1 = gammaOf(curve[i]);
            if (!(g > 0.0 && g0 <= g && g <= g1 && g1 > g0))
                continue;
            const double m = MomentOf(*curve[i - 1]) +
                             (MomentOf(*curve[i]) - MomentOf(*curve[i - 1])) * (g - g0) / (g1 - g0);
            EXPECT_NEAR(m, MomentOf(*r), 0.01 * MomentOf(*r)) << g;
            ++compared;
            break;
        }
    }
    EXPECT_GE(compared, kStages - 3);
    EXPECT_GT(MomentOf(*tight.StageSlot(kStages)), 100e3);
}
