// The membrane analysis base: load adjustment, the control-variable rule, construction without
// an element, and the element state solver against the elastic solution.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "foundation/Units.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

using membrane_fixtures::LoadProbe;

struct MembraneBase : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TShell> panel = MakePanel(PanelSpec{});
    LoadProbe analysis{panel.get()};
};

TEST_F(MembraneBase, TinyShearIncrementBecomesOneDisplayedUnitWithTheFactorsSign)
{
    ValueGuard<int> units(g_UnitSystem, 0);
    const double unit = 1.0 / UnitFactor(ukMomentPerLength, 0);
    const struct {
        const char* name;
        double in;
        double out;
    } rows[] = {{"tiny positive", 5e-5, unit},
                {"tiny negative", -5e-5, -unit},
                {"exact zero", 0.0, 0.0},
                {"at the bound", 0.0001, 0.0001},
                {"ordinary", 2e6, 2e6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        analysis.SetIncrements(0.0, 0.0, row.in);
        analysis.AdjustLoads();
        EXPECT_DOUBLE_EQ(analysis.IncrementShear(), row.out);
    }
}

TEST_F(MembraneBase, ControlVariableHoldsTheLargestPositiveNormalIncrementUnlessShearDominates)
{
    using A = TPellicor2000Analysis;
    const struct {
        const char* name;
        double ix, iy, ixy;
        int expected;
    } rows[] = {{"equal normals keep x", 1.0, 1.0, 0.5, A::kHoldEx},
                {"y strictly larger", 1.0, 2.0, 0.5, A::kHoldEy},
                {"no increments", 0.0, 0.0, 0.0, A::kHoldGxy},
                {"shear above 1 in magnitude", 1.0, 0.0, -1.5, A::kHoldGxy},
                {"shear larger than the normals", 0.5, -2.0, 0.8, A::kHoldGxy},
                {"no positive normal but a shear increment", -3.0, -1.0, 0.5, A::kHoldGxy},
                {"compressive normals alone hold the larger", -3.0, -1.0, 0.0, A::kHoldEx},
                {"large normal beside unit shear", 2e6, 0.0, 1.0, A::kHoldEx}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        analysis.SetIncrements(row.ix, row.iy, row.ixy);
        EXPECT_EQ(analysis.ChooseControlVariable(0), row.expected);
    }
}

TEST(MembraneConstruction, WithoutElementShowsTheMessageAndSolvesNothing)
{
    RecordingReporter reporter;
    TP2kFullResponse analysis(nullptr);
    EXPECT_TRUE(reporter.Saw("Object Called with no referring beam or shell"));
    EXPECT_EQ(analysis.GetCurrentState(), nullptr);
    EXPECT_EQ(analysis.GetLastStageIndex(), 0);
    EXPECT_EQ(analysis.SolveFullResponse(), 0);
}

// Under stresses well below cracking the concrete is linear and isotropic (no Poisson effect):
// sigma_x = (Ec + rho_x Es) e_x, sigma_y = (Ec + rho_y Es) e_y, tau = Ec / 2 g_xy.
TEST(MembraneStateSolve, UncrackedElementGivesTheElasticStrains)
{
    RecordingReporter reporter;
    constexpr double kRelTol = 0.01;
    // 0.4, -0.3 and 0.2 MPa.
    auto panel = MakePanel({.rhoY = 0.005, .constant = {400.0, -300.0, 200.0}});
    TP2k1DAnalysis analysis(panel.get());
    ASSERT_EQ(analysis.SolveInitialStages(), 1);
    const SectionState* stage0 = analysis.GetStage(0);
    ASSERT_NE(stage0, nullptr);
    EXPECT_EQ(analysis.GetControlIndex(), TPellicor2000Analysis::kHoldGxy); // chosen again

    const double Ec = analysis.ElementConcrete()->Ec;
    const double Es = 2e11;
    const LayerNodeStateRec& node = *ElementNode(*stage0);
    EXPECT_NEAR(node.StrainX, 0.4e6 / (Ec + 0.01 * Es), kRelTol * 0.4e6 / (Ec + 0.01 * Es));
    EXPECT_NEAR(node.StrainZ, -0.3e6 / (Ec + 0.005 * Es), kRelTol * 0.3e6 / (Ec + 0.005 * Es));
    EXPECT_NEAR(node.ShearStrain, 0.2e6 / (Ec / 2.0), kRelTol * 0.2e6 / (Ec / 2.0));
    EXPECT_LT(node.Strain1 - node.FreeStrain1, analysis.ElementConcrete()->ecr);

    std::array<double, 6> values{};
    ASSERT_EQ(analysis.GetStateResults(stage0, values, 2), 1);
    EXPECT_NEAR(values[3], 0.4e6, 2e3);
    EXPECT_NEAR(values[4], -0.3e6, 2e3);
    EXPECT_NEAR(values[5], 0.2e6, 2e3);
    EXPECT_EQ(analysis.GetStateResults(stage0, values, 1), 0);
    EXPECT_EQ(values, (std::array<double, 6>{}));
}

// The held strain of a strain-controlled solve stays where it was put.
TEST(MembraneStateSolve, HeldShearStrainStaysWhileTheNormalStressesConverge)
{
    RecordingReporter reporter;
    auto panel = MakePanel(PanelSpec{});
    TP2k1DAnalysis analysis(panel.get());
    SectionStateHolder stage;
    ASSERT_EQ(analysis.CreateSectionState(stage, nullptr), 1);
    ElementNode(*stage)->ShearStrain = 1e-3;
    analysis.SetControlIndex(TPellicor2000Analysis::kHoldGxy);
    ASSERT_EQ(analysis.SolveMembraneState(*stage, TPellicor2000Analysis::kModeStrainControl), 1);
    EXPECT_NEAR(ElementNode(*stage)->ShearStrain, 1e-3, 1e-9);
    // Pure shear: no normal stress, and the load factor is the shear carried (increment 1 MPa),
    // within the solve's convergence bound sqrt(1e-5 |f|^2 + 1e6) Pa.
    const double v = stage->Results[MembraneResult::AppliedXY];
    const double bound = std::sqrt(1e-5 * v * v + 1e6);
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaX], 0.0, bound);
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaY], 0.0, bound);
    EXPECT_NEAR(stage->Results[MembraneResult::TauXY], v, bound);
    EXPECT_NEAR(v, stage->Results[MembraneResult::LoadFactor] * 1e6, 1e-6 * v);
}

// With a free shrinkage strain e0 the held normal strain still stays where it was put (the
// held row asks for the strain net of e0, which the update adds back).
TEST(MembraneStateSolve, HeldNormalStrainStaysUnderFreeShrinkage)
{
    RecordingReporter reporter;
    constexpr double kShrinkage = -3e-4;
    auto panel = MakePanel({.increment = {1e6, 0.0, 0.0}});
    TDepthTable shrinkage;
    shrinkage.Add(panel->GetTop(), kShrinkage);
    shrinkage.Add(panel->GetBottom(), kShrinkage);
    panel->SetShrinkThermCurve(shrinkage);
    TP2k1DAnalysis analysis(panel.get());
    ASSERT_NEAR(analysis.FreeStrain(), kShrinkage, 1e-12);
    SectionStateHolder stage;
    ASSERT_EQ(analysis.CreateSectionState(stage, nullptr), 1);
    ElementNode(*stage)->StrainX = 5e-4;
    ElementNode(*stage)->StrainZ = kShrinkage;
    analysis.SetControlIndex(TPellicor2000Analysis::kHoldEx);
    ASSERT_EQ(analysis.SolveMembraneState(*stage, TPellicor2000Analysis::kModeStrainControl), 1);
    EXPECT_NEAR(ElementNode(*stage)->StrainX, 5e-4, 1e-9);
    const double fx = stage->Results[MembraneResult::AppliedX];
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaY], 0.0, std::sqrt(1e-5 * fx * fx + 1e6));
}

// A cracked element with unequal reinforcement (rho_x 1 %, rho_y 0.4 %) at e_x = 0.001,
// e_y = 0.0015, g_xy = 0.003: the bars are elastic (f_sx = E_s e_x, f_sy = E_s e_y); each
// direction's reserve at a crack is its own rho (f_cr - f_s), f_cr the bars' stress capacity at
// a crack; and the x steel at a crack carries f_sx + (v_ci cot(theta) + f_1 - f_1,cr) / rho_x,
// with theta from the Mohr circle of the strains, tan(2 theta) = g_xy / (e_y - e_x) above 45
// degrees from x.
TEST(MembraneStateSolve, CrackedElementSteelAtACrackByHand)
{
    RecordingReporter reporter;
    auto panel = MakePanel({.rhoY = 0.004});
    TP2k1DAnalysis analysis(panel.get());
    SectionStateHolder stage;
    ASSERT_EQ(analysis.CreateSectionState(stage, nullptr), 1);
    LayerNodeStateRec& node = *ElementNode(*stage);
    const double ex = 0.001, ey = 0.0015, g = 0.003, Es = 2e11;
    node.StrainX = ex, node.StrainZ = ey, node.ShearStrain = g;
    analysis.EvaluateElementState(*stage);
    ASSERT_GT(node.Strain1, analysis.ElementConcrete()->ecr);
    EXPECT_NEAR(node.SteelStressX, Es * ex, 1.0);
    EXPECT_NEAR(node.StirrupStress, Es * ey, 1.0);

    const SteelTypeRec& steel = *panel->GetSteelType(0);
    for (auto [d, rho, e, fs] : {std::tuple{0, 0.01, ex, node.SteelStressX},
                                 std::tuple{1, 0.004, ey, node.StirrupStress}}) {
        const double fcr = SteelStressAtCrack(steel, 0.01, 0.0, e, 0.0, "");
        EXPECT_NEAR(d == 0 ? node.ReserveX : node.ReserveZ, rho * (fcr - fs), 1.0) << d;
    }

    const double theta = 0.5 * (3.14159265358979 - std::atan2(g, ex - ey));
    const ConcreteTypeRec& c = *analysis.ElementConcrete();
    const double f1cr = TensionDecayStress(node.CrackWidth, std::max(node.TensionLimit, c.ft));
    const double f1 = std::max(0.0, node.ConcStress1 - f1cr);
    EXPECT_NEAR(node.SteelStressXAtCrack,
                node.SteelStressX + (node.CrackShearStress / std::tan(theta) + f1) / 0.01,
                1.0);
    EXPECT_NEAR(node.StirrupStressAtCrack,
                node.StirrupStress + (f1 - node.CrackShearStress * std::tan(theta)) / 0.004,
                1.0);
    EXPECT_GT(node.CrackShearStress, 0.0) << "a crack that carries shear";
}

} // namespace
