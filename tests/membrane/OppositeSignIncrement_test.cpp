// A membrane element whose increment works against a constant load on the same component: the
// response is traced from the constant loads' state in the increment's direction, through zero
// to the capacity of the increment's sign (a precompressed panel pulled until its bars give, a
// pre-tensioned one pushed until the concrete crushes, a reversed shear to its shear peak), with
// no stage of a negative load factor.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

namespace R = MembraneResult;
using membrane_fixtures::Stages;

// PV19 (tests/membrane/Pv19Panel.h): f'c 19 MPa; x bars 1.785 % of f_y 458 MPa, y bars 0.713 %
// of 299 MPa, both hardening to f_u = 1.5 f_y; E_s 200 GPa.
constexpr double kFc = 19e6, kRhoX = 0.01785, kFyX = 458e6, kRhoY = 0.00713, kFyY = 299e6,
                 kEs = 2e11, kHardening = 1.5;
// The loads as the loads dialog stores them: 0.5 and 1 typed, applied as 0.5 MPa (the constant)
// and in proportion 1 (the increment).
constexpr double kConstant = 500.0, kIncrement = 1000.0, kConstantStress = 0.5e6;
// Stage 0 is solved under the constant loads to the state solver's tolerance.
constexpr double kConstantTolerance = 0.01;
// Concrete tension left at the bars' strength, and the state solver's share of error.
constexpr double kPeakTolerance = 0.01;
// A uniaxial compressive peak lies between the bars elastic and yielded at the concrete's peak
// strain (as under a compressive increment alone); under N_yy the y bars yield first.
constexpr double kCrushTolerance = 0.03;
// The same stresses reached from another side of zero before cracking.
constexpr double kPathTolerance = 0.02;

struct OppositeSignIncrement : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TShell> pv19 = MakePv19();

    // Solve > Sectional Response on the element as the loads dialog leaves it.
    std::unique_ptr<TP2kFullResponse> Solve(const double (&constant)[3],
                                            const double (&increment)[3])
    {
        const double c[8] = {constant[0], constant[1], constant[2], 0, 0, 0, 0, 0};
        const double i[8] = {increment[0], increment[1], increment[2], 0, 0, 0, 0, 0};
        pv19->SetConstantLoads(c, 8);
        pv19->SetIncrementLoads(i, 8);
        return std::make_unique<TP2kFullResponse>(pv19.get());
    }
};

// No stage lies behind the constant loads' state, and the run ran on past its first steps.
void ExpectNoNegativeLoadFactor(const TP2k1DAnalysis& run)
{
    EXPECT_EQ(run.GetErrorCount(), 0);
    const auto stages = Stages(run);
    EXPECT_GT(stages.size(), 20u);
    int negative = 0;
    for (const SectionState* s : stages)
        negative += s->Results[R::LoadFactor] < 0.0 ? 1 : 0;
    EXPECT_EQ(negative, 0) << "stages with a negative load factor";
    EXPECT_GT(run.GetPeakIndex(), 1) << "the peak is not one of the first steps";
}

// The applied stress of component c at stage 0 (the constant's) and at the first step beyond,
// which lies towards the increment's side.
void ExpectStartAtTheConstantTowardsTheIncrement(const TP2k1DAnalysis& run, int c, double sign)
{
    const auto stages = Stages(run);
    ASSERT_GE(stages.size(), 3u);
    const auto applied = [&](std::size_t i) {
        return stages[i]->Results[static_cast<std::size_t>(R::AppliedX + c)];
    };
    EXPECT_NEAR(applied(0), -sign * kConstantStress, kConstantTolerance * kConstantStress);
    EXPECT_GT(sign * (applied(2) - applied(1)), 0.0);
    EXPECT_GT(sign * (applied(1) - applied(0)), 0.0);
}

// -0.5 MPa in x, then N_xx pulls: the panel passes through zero into tension and is drawn out
// until its x bars have yielded and hardened, peaking at rho_x f_yx .. rho_x f_ux (8.2 .. 12.3
// MPa); never crushed in compression.
TEST_F(OppositeSignIncrement, PrecompressedPanelPulledRunsToItsBarsInTension)
{
    const auto run = Solve({-kConstant, 0.0, 0.0}, {kIncrement, 0.0, 0.0});
    ExpectNoNegativeLoadFactor(*run);
    ExpectStartAtTheConstantTowardsTheIncrement(*run, 0, 1.0);
    const SectionState* peak = run->GetPeakState();
    ASSERT_NE(peak, nullptr);
    const double fx = peak->Results[R::AppliedX];
    EXPECT_GE(fx, kRhoX * kFyX) << fx;
    EXPECT_LE(fx, (1.0 + kPeakTolerance) * kRhoX * kHardening * kFyX) << fx;
    EXPECT_GE(ElementNode(*peak)->SteelStressX, kFyX);
    double leastStrain = 0.0;
    for (const SectionState* s : Stages(*run))
        leastStrain = std::min(leastStrain, ElementNode(*s)->StrainX);
    EXPECT_GE(leastStrain, ElementNode(*run->GetStage(0))->StrainX)
        << "shortened beyond the precompression";
}

// +0.5 MPa in x (or y), then pushed: the panel passes through zero into compression and peaks as
// under the compressive increment alone, f'c + rho_x E_s |e_c'| .. f'c + rho_x f_yx (27.2 MPa) in
// x and f'c + rho_y f_yy (21.1 MPa) in y, then crushes; never stretched beyond the pre-tension.
TEST_F(OppositeSignIncrement, PretensionedPanelPushedEndsByCrushing)
{
    const double ecp = pv19->GetConcreteType(0)->ec;
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c == 0 ? "x" : "y");
        double constant[3] = {}, increment[3] = {};
        constant[c] = kConstant;
        increment[c] = -kIncrement;
        const auto run = Solve({constant[0], constant[1], constant[2]},
                               {increment[0], increment[1], increment[2]});
        ExpectNoNegativeLoadFactor(*run);
        ExpectStartAtTheConstantTowardsTheIncrement(*run, c, -1.0);
        const SectionState* peak = run->GetPeakState();
        ASSERT_NE(peak, nullptr);
        const double f = -peak->Results[static_cast<std::size_t>(R::AppliedX + c)];
        if (c == 0) {
            EXPECT_GT(f, (1.0 - kCrushTolerance) * (kFc + kRhoX * std::min(kFyX, -kEs * ecp))) << f;
            EXPECT_LT(f, (1.0 + kPeakTolerance) * (kFc + kRhoX * kFyX)) << f;
        } else {
            EXPECT_NEAR(f / (kFc + kRhoY * kFyY), 1.0, kCrushTolerance) << f;
        }
        const auto stages = Stages(*run);
        const auto strain = [&](const SectionState* s) {
            const LayerNodeStateRec& n = *ElementNode(*s);
            return c == 0 ? n.StrainX : n.StrainZ;
        };
        double mostStrain = 0.0;
        for (const SectionState* s : stages)
            mostStrain = std::max(mostStrain, strain(s));
        EXPECT_LE(mostStrain, strain(stages.front())) << "stretched beyond the pre-tension";
        EXPECT_LT(strain(stages.back()), ecp) << "the run ends beyond the concrete's peak strain";
    }
}

// +0.5 MPa of shear, then a negative shear increment: the shear passes through zero and peaks
// negative once the weaker y bars yield, between rho_y f_yy (2.1 MPa) and the plastic limit
// sqrt(rho_x f_yx rho_y f_yy) (4.2 MPa), as the same panel under negative shear alone.
TEST_F(OppositeSignIncrement, ReversedShearPeaksOnTheIncrementSide)
{
    const auto run = Solve({0.0, 0.0, kConstant}, {0.0, 0.0, -kIncrement});
    ExpectNoNegativeLoadFactor(*run);
    ExpectStartAtTheConstantTowardsTheIncrement(*run, 2, -1.0);
    const SectionState* peak = run->GetPeakState();
    ASSERT_NE(peak, nullptr);
    const double v = -peak->Results[R::AppliedXY];
    EXPECT_GT(v, kRhoY * kFyY) << v;
    EXPECT_LT(v, std::sqrt(kRhoX * kFyX * kRhoY * kFyY)) << v;
    EXPECT_LT(ElementNode(*peak)->ShearStrain, 0.0);
    EXPECT_GE(ElementNode(*peak)->StirrupStress, (1.0 - kPeakTolerance) * kFyY);

    const auto alone = Solve({0.0, 0.0, 0.0}, {0.0, 0.0, -kIncrement});
    const double valone = -alone->GetPeakState()->Results[R::AppliedXY];
    EXPECT_NEAR(v / valone, 1.0, kPathTolerance) << v << " against " << valone;
}

} // namespace
