// The element state in fixed crack axes (concrete model-set codes 7, 9, 11 and 14) against
// hand calculations, and its finite answers where the formulas would divide by zero.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/element/NodeConcrete.h"
#include "membrane/MembraneState.h"
#include "model/ModelSettings.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

using membrane_fixtures::LoadProbe;
using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

constexpr double kQuarterPi = 0.78539816339725;
constexpr double kEs = 2e11;
constexpr double kFy = 400e6;

// A panel (rho_x 1 %, rho_y 0.5 % unless given) whose element carries a fixed-angle model set.
struct FixedAngle : ::testing::Test {
    RecordingReporter reporter;
    ValueGuard<int> modelSet{g_ConcreteModelSet, g_ConcreteModelSet};
    ValueGuard<int> reduction{g_CrackingReductionOption, g_CrackingReductionOption};
    ValueGuard<std::array<HsuDataEntry, 3>> hsu{HsuDataTable, HsuDataTable};
    std::unique_ptr<TShell> panel;
    std::unique_ptr<LoadProbe> analysis;
    SectionStateHolder stage;

    void Make(int code, double rhoX = 0.01, double rhoY = 0.005)
    {
        panel = MakePanel({.rhoX = rhoX, .rhoY = rhoY});
        // The element's own setter keeps the rotating-angle models; the fixed-angle codes are
        // set on the structure directly.
        panel->TStructure::SetConcreteModelSet(code);
        analysis = std::make_unique<LoadProbe>(panel.get());
        FreeSectionState(stage);
        ASSERT_EQ(analysis->CreateSectionState(stage, nullptr), 1);
    }
    LayerNodeStateRec& Node() { return *ElementNode(*stage); }
    double Evaluate(double ex, double ey, double g)
    {
        Node().StrainX = ex;
        Node().StrainZ = ey;
        Node().ShearStrain = g;
        double out = 0.0;
        analysis->EvaluateFixedAngleState(*stage, out);
        return out;
    }
    double Ec() const { return analysis->ElementConcrete()->Ec * ConcretePhi(); }
    bool AllFinite() const
    {
        const LayerNodeStateRec& n = *ElementNode(*stage);
        for (double v : {n.Strain1,
                         n.Strain2,
                         n.CrackAngle,
                         n.ConcStress1,
                         n.ConcStress2,
                         n.ConcStressX,
                         n.ConcStressZ,
                         n.ConcShearStress,
                         n.SteelStressX,
                         n.StirrupStress,
                         n.SteelStressXAtCrack,
                         n.StirrupStressAtCrack,
                         n.CrackWidth,
                         n.CrackSpacingTheta,
                         n.CrackShearLimit,
                         n.CrackShearStress})
            if (!std::isfinite(v))
                return false;
        for (double v : stage->Results)
            if (!std::isfinite(v))
                return false;
        return true;
    }
};

// Pure shear increments put the axes at 45 degrees: e_1, e_2 = +-g/2 and gamma_21 = 0, and an
// uncracked element is elastic, G = Ec / 2.
TEST_F(FixedAngle, PureShearAxesAt45DegreesGiveTheElasticShearModulus)
{
    Make(14);
    const double out = Evaluate(0.0, 0.0, 1e-4);
    const std::array<double, 9> T = {0.5, 0.5, 1.0, 0.5, 0.5, -1.0, -0.5, 0.5, 0.0};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_NEAR(stage->Extra[i], T[i], 1e-12) << i;
    EXPECT_NEAR(Node().CrackAngle, kQuarterPi, 1e-12);
    EXPECT_NEAR(Node().Strain1, 5e-5, 1e-15);
    EXPECT_NEAR(Node().Strain2, -5e-5, 1e-15);
    EXPECT_NEAR(out, Ec() / 2.0, 0.01 * Ec() / 2.0);
    EXPECT_NEAR(stage->Results[MembraneResult::TauXY], Ec() / 2.0 * 1e-4, 0.01 * Ec() / 2.0 * 1e-4);
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaX], 0.0, 0.01 * Ec() * 1e-4);
    EXPECT_EQ(Node().CrackWidth, 0.0); // e_1 below cracking
    EXPECT_EQ(Node().CrackSpacingTheta, 0.0);
    EXPECT_EQ(Node().CrackShearLimit, 0.0);
}

// Under shear of either sign the cracks cross both bar directions: s_theta = 1 / (|sin| / s_x +
// |cos| / s_y) = 50 mm / sqrt 2 at 45 degrees.
TEST_F(FixedAngle, CrackSpacingAt45DegreesOfEitherSign)
{
    for (double sign : {1.0, -1.0}) {
        SCOPED_TRACE(sign);
        Make(14);
        analysis->SetIncrements(0.0, 0.0, sign * 1e6);
        Evaluate(0.0, 0.0, sign * 2e-3);
        EXPECT_NEAR(Node().CrackAngle, sign * kQuarterPi, 1e-12);
        EXPECT_NEAR(Node().CrackSpacingTheta, 0.05 / std::sqrt(2.0), 1e-12);
        EXPECT_NEAR(Node().CrackWidth, 1e-3 * 0.05 / std::sqrt(2.0), 1e-12);
    }
}

// Normal increments without shear keep the axes on x-y (alpha = 0): e_2 = e_x, e_1 = e_y,
// gamma_21 = g_xy; the cracks run parallel to x, so their spacing is s_y and the x bars keep their
// average stress at a crack. (Axes turned by other angles: the mixed-increment case below.)
TEST_F(FixedAngle, NormalIncrementsKeepTheAxesOnXAndY)
{
    Make(14);
    analysis->SetIncrements(1e6, 0.0, 0.0);
    const double ex = -2e-4, ey = 3e-4, g = 1e-4;
    const double out = Evaluate(ex, ey, g);
    const LayerNodeStateRec& n = Node();
    EXPECT_DOUBLE_EQ(n.CrackAngle, 0.0);
    EXPECT_DOUBLE_EQ(n.Strain2, ex);
    EXPECT_DOUBLE_EQ(n.Strain1, ey);
    EXPECT_DOUBLE_EQ(n.ConcShearStress, out * g); // tau = G gamma_21

    // Cracked (3e-4 beyond e_cr): w = e_1 s_y; v_ci,max = 0.18 sqrt(30) / (0.31 + 24 w / 35 mm)
    // MPa with the 19 mm aggregate.
    const double w = ey * 0.05;
    EXPECT_DOUBLE_EQ(n.CrackSpacingTheta, 0.05);
    EXPECT_DOUBLE_EQ(n.CrackWidth, w);
    EXPECT_NEAR(n.CrackShearLimit, 0.18 * std::sqrt(30.0) / (0.31 + 24.0 * w / 0.035) * 1e6, 1.0);
    EXPECT_DOUBLE_EQ(n.SteelStressXAtCrack, n.SteelStressX);
    EXPECT_NEAR(n.StirrupStressAtCrack, n.ConcStress1 / 0.005 + n.StirrupStress, 1e-6);
}

// Code 14 under increments f_x = v_xy, f_y = 0: tan 2 alpha = 2 v_xy / f_x = 2, so the axes
// turn by alpha = atan(2) / 2, 31.7 degrees. A state built from e_2 = -3e-4, e_1 = 1.5e-3 and
// gamma_21 = 2e-4 in those axes gives them back; tau = G gamma_21 with the secant
// G = (f_1 - f_2) / (2 (e_1 - e_2)); the stresses turn back to x-y; the cracks, with s_x = 50 and
// s_y = 100 mm, are s = 1 / (sin / s_x + cos / s_y) apart; and each direction's steel at a crack
// carries its share of f_1 and tau.
TEST_F(FixedAngle, MixedIncrementsTurnTheAxesOffFortyFiveDegrees)
{
    Make(14);
    panel->SetCrackSpacing(0.1, 1);
    analysis = std::make_unique<LoadProbe>(panel.get());
    analysis->SetIncrements(1e6, 0.0, 1e6);
    const double alpha = 0.5 * std::atan(2.0), s = std::sin(alpha), c = std::cos(alpha);
    const double e2 = -3e-4, e1 = 1.5e-3, g21 = 2e-4;
    const double ex = e2 * c * c + e1 * s * s + g21 * s * c;
    const double ey = e2 * s * s + e1 * c * c - g21 * s * c;
    const double gxy = 2.0 * (e1 - e2) * s * c + g21 * (c * c - s * s);
    const double G = Evaluate(ex, ey, gxy);
    const LayerNodeStateRec& n = Node();
    EXPECT_NEAR(n.CrackAngle, alpha, 1e-12);
    EXPECT_NEAR(n.Strain1, e1, 1e-12);
    EXPECT_NEAR(n.Strain2, e2, 1e-12);
    const double f1 = n.ConcStress1, f2 = n.ConcStress2, tau = G * g21;
    EXPECT_NEAR(G, (f1 - f2) / (2.0 * (e1 - e2)), 1e-6 * std::fabs(G));
    EXPECT_NEAR(n.CrackShearStress, tau, 1e-6);
    EXPECT_NEAR(n.ConcStressX, f1 * s * s + f2 * c * c + 2.0 * tau * s * c, 1e-3);
    EXPECT_NEAR(n.ConcStressZ, f1 * c * c + f2 * s * s - 2.0 * tau * s * c, 1e-3);
    EXPECT_NEAR(n.ConcShearStress, (f1 - f2) * s * c + tau * (c * c - s * s), 1e-3);
    const double spacing = 1.0 / (s / 0.05 + c / 0.1);
    EXPECT_NEAR(n.CrackSpacingTheta, spacing, 1e-12);
    EXPECT_NEAR(n.CrackWidth, e1 * spacing, 1e-12);
    EXPECT_NEAR(n.SteelStressX, kEs * ex, 1.0);
    EXPECT_NEAR(n.SteelStressXAtCrack, (tau * c / s + f1) / 0.01 + n.SteelStressX, 1e-3);
    EXPECT_NEAR(n.StirrupStressAtCrack, (f1 - tau * s / c) / 0.005 + n.StirrupStress, 1e-3);
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaX],
                0.01 * n.SteelStressX + n.ConcStressX,
                1e-3);
    EXPECT_NEAR(stage->Results[MembraneResult::SigmaY],
                0.005 * n.StirrupStress + n.ConcStressZ,
                1e-3);
}

TEST_F(FixedAngle, CapacityRatioIsTheSmallerOverTheLargerNetSteelCapacity)
{
    Make(14); // rho fy: 4 MPa in x, 2 MPa in y
    const struct {
        const char* name;
        double fx, fy;
        int code;
        double m;
    } rows[] = {{"y weaker", 1e6, 0.0, 14, 2.0 / 3.0},
                {"inverted when above 1", 0.0, -5e6, 14, 4.0 / 7.0},
                {"code 14 floor", -2e6, 1.5e6, 14, 0.2},
                {"no floor otherwise", -2e6, 1.5e6, 9, 0.5 / 6.0},
                {"no x capacity", 4e6, 0.0, 9, 1e-6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        panel->TStructure::SetConcreteModelSet(row.code);
        analysis = std::make_unique<LoadProbe>(panel.get());
        analysis->SteelCapacityRatio(row.fx, row.fy);
        EXPECT_NEAR(analysis->GetCapacityRatio(), row.m, 1e-12);
    }
}

// Before a run has stored its results, codes 9 and 11 carry no shear in the fixed axes.
TEST_F(FixedAngle, WithoutStoredResultsCodes9And11CarryNoAxisShear)
{
    for (int code : {9, 11}) {
        SCOPED_TRACE(code);
        Make(code);
        analysis->SetIncrements(1e6, 0.0, 0.0);
        EXPECT_DOUBLE_EQ(Evaluate(1e-4, -1e-4, 2e-4), 0.0); // gamma_21 != 0
        EXPECT_DOUBLE_EQ(Node().CrackShearStress, 0.0);
        EXPECT_DOUBLE_EQ(Evaluate(1e-4, -1e-4, 0.0), -1.0); // gamma_21 = 0
    }
}

// Codes 7 and 11: the steel difference of the apparent yield stresses of bars in concrete,
// f* = (1 - (2 - alpha / 45 deg) / (1000 rho)) (0.93 - 2 B) f_y, B = (f't / f_y)^1.5 / rho.
TEST_F(FixedAngle, ApparentYieldStressesGiveTheSteelDifference)
{
    Make(11);
    Evaluate(0.0, 0.0, 1e-4); // alpha = 45 degrees
    const double ft = analysis->ElementConcrete()->ft;
    const auto apparent = [&](double rho) {
        const double B = std::pow(ft / (kFy + 0.1), 1.5) / rho;
        return (1.0 - 1.0 / 1000.0 / rho) * (0.93 - 2.0 * B) * kFy;
    };
    const double expected = (0.005 * apparent(0.005) - 0.01 * apparent(0.01)) * 0.5;
    EXPECT_NEAR(analysis->GetResultSteelDifference(), expected, 1e-6 * std::fabs(expected));
}

// Where the formulas divide by zero the state stays finite.
TEST_F(FixedAngle, DegenerateCasesGiveFiniteStates)
{
    const struct {
        const char* name;
        double rhoX;
        std::array<double, 3> increments;
        std::array<double, 3> strains;
    } rows[] = {
        {"no increments: axes on x-y", 0.01, {0.0, 0.0, 0.0}, {2e-4, -1e-4, 1e-4}},
        {"equal normal increments without shear", 0.01, {1e6, 1e6, 0.0}, {3e-4, 2e-4, 1e-4}},
        {"equal principal strains", 0.01, {1e6, 0.0, 0.0}, {1e-5, 1e-5, 0.0}},
        {"a direction without layers", 0.0, {0.0, 1e6, 0.5e6}, {5e-4, 1e-3, 1e-3}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Make(14, row.rhoX, 0.005);
        analysis->SetIncrements(row.increments[0], row.increments[1], row.increments[2]);
        const double out = Evaluate(row.strains[0], row.strains[1], row.strains[2]);
        EXPECT_TRUE(AllFinite());
        if (row.increments[2] == 0.0) {
            EXPECT_DOUBLE_EQ(Node().CrackAngle, 0.0);
        }
        if (row.strains[0] == row.strains[1]) { // code 14: the initial modulus
            EXPECT_DOUBLE_EQ(out, Ec() / 2.0);
            EXPECT_DOUBLE_EQ(Node().CrackShearStress, 0.0);
        }
        if (row.rhoX == 0.0) {
            EXPECT_DOUBLE_EQ(Node().SteelStressX, 0.0);
            EXPECT_DOUBLE_EQ(Node().SteelStressXAtCrack, 0.0);
        }
    }
}

} // namespace
