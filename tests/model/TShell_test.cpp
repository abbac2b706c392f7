#include "model/TShell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "foundation/Units.h"
#include "model/StructureFixtures.h"
#include "support/TestSupport.h"

namespace {

using fixtures::Steel;

constexpr double kTight = 1e-12;
constexpr double kRatioTol = 1e-9;
constexpr double kStressTol = 1e-3; // Pa

// One bar of area area at spacing s and height z (panel coordinates).
LongLayerRec BarLayer(double z, double area, double s, int steelType = 0)
{
    LongLayerRec layer = fixtures::LayerOfArea(z, 1, area);
    layer.space = s;
    layer.type = steelType;
    return layer;
}

// A panel of thickness t whose region lies between bottom and bottom + t (not yet on its
// mid-plane), with 30 MPa concrete and 400 MPa bars (steel type 0).
void MakePanel(TShell& shell, double t, double bottom)
{
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "C30");
    shell.AddSteelType(Steel(400e6, 600e6));
    shell.DeleteRegions();
    shell.AddRegion(bottom + t, bottom, 1.0, 1.0, 0, 1);
}

// A 200 mm panel on its mid-plane. x: 200 mm^2 bars at 150 mm on each face of 400 MPa steel;
// y: 100 mm^2 bars at 200 mm of 500 MPa steel (fu 650 MPa).
constexpr double kRhoXLayer = 200e-6 / (0.2 * 0.15);
constexpr double kRhoY = 100e-6 / (0.2 * 0.2);
void MakeReinforcedPanel(TShell& shell)
{
    MakePanel(shell, 0.2, -0.1);
    shell.AddSteelType(Steel(500e6, 650e6));
    shell.AddLongLayer(BarLayer(-0.05, 200e-6, 0.15), 0);
    shell.AddLongLayer(BarLayer(0.05, 200e-6, 0.15), 0);
    shell.AddLongLayer(BarLayer(0.0, 100e-6, 0.2, 1), 1);
}

double IncrementLoad(const TStructure& s, int i)
{
    LoadVector loads{};
    s.GetIncrementLoads(loads.data(), kLoadCount);
    return loads[static_cast<std::size_t>(i)];
}

// A new element, its messages recorded.
struct ShellTest : ::testing::Test {
    RecordingReporter rec;
    TShell shell;
};

TEST_F(ShellTest, CopyOfAFrozenElementStaysFrozenAndIsNotValidatedAgain)
{
    shell.SetFrozen(1);
    EXPECT_EQ(TShell(shell).IsFrozen(), 1);
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(ShellTest, HoustonSetsFallBackToMcftWithAMessage)
{
    EXPECT_EQ(shell.SetConcreteModelSet(2), 1);
    EXPECT_EQ(shell.GetConcreteModelSet(), 2);
    EXPECT_TRUE(rec.messages.empty());
    for (int code : {3, 14}) {
        EXPECT_EQ(shell.SetConcreteModelSet(code), 1);
        EXPECT_EQ(shell.GetConcreteModelSet(), 15) << code;
    }
    EXPECT_EQ(rec.Count("Houston models use embedded steel relationships which have not been "
                        "implemented in this program. Continuing with MCFT."),
              2);
    EXPECT_EQ(rec.messages[0].caption, "Membrane");
}

TEST(ShellValidate, LayerSpacingRepairs)
{
    // space, oldSpace given -> space, oldSpace after validation: no spacing gets 100 mm; the
    // older field replaces the default 100 mm or none; a spacing of its own is kept.
    const double rows[][4] = {{0.0, 0.0, 0.1, 0.0},
                              {0.1, 0.2, 0.2, 0.0},
                              {0.0, 0.3, 0.3, 0.0},
                              {0.15, 0.2, 0.15, 0.2}};
    for (const auto& [space, oldSpace, space2, oldSpace2] : rows) {
        SCOPED_TRACE(oldSpace);
        RecordingReporter rec;
        TShell shell;
        MakePanel(shell, 0.2, -0.1);
        for (int d = 0; d < 2; ++d) {
            LongLayerRec layer = BarLayer(0.05, 1e-4, space);
            layer.oldSpace = oldSpace;
            shell.AddLongLayer(layer, d);
        }
        shell.Validate();
        for (int d = 0; d < 2; ++d) {
            EXPECT_DOUBLE_EQ(shell.GetLongLayer(0, d)->space, space2) << d;
            EXPECT_DOUBLE_EQ(shell.GetLongLayer(0, d)->oldSpace, oldSpace2) << d;
        }
    }
}

TEST_F(ShellTest, DepthsAreMeasuredFromTheMidPlane)
{
    // A 200 mm panel lying between 0.1 and 0.3: its mid-plane is at 0.2.
    MakePanel(shell, 0.2, 0.1);
    shell.AddLongLayer(BarLayer(0.25, 1e-4, 0.1), 0);
    shell.AddLongLayer(BarLayer(0.14, 1e-4, 0.1), 1);
    TDepthTable strains("shrinkage");
    strains.Add(0.3, -2e-4);
    strains.Add(0.1, -2e-4);
    shell.SetShrinkThermCurve(strains);

    EXPECT_EQ(shell.Validate(), 1);
    EXPECT_NEAR(shell.GetRegion(0)->top, 0.1, kTight);
    EXPECT_NEAR(shell.GetRegion(0)->bottom, -0.1, kTight);
    EXPECT_NEAR(shell.GetLongLayer(0, 1)->z, -0.06, kTight);
    EXPECT_NEAR(shell.GetPositionVariable(kShrinkTherm).GetDepth(0), 0.1, kTight);
    EXPECT_NEAR(shell.GetInitialStrainAt(0.0, 3), -2e-4, kTight);

    // Validating again finds the mid-plane already at 0.
    shell.Validate();
    EXPECT_NEAR(shell.GetLongLayer(0, 0)->z, 0.05, kTight);
}

TEST_F(ShellTest, RatiosSteelTotalsAndMeanCrackSpacing)
{
    MakeReinforcedPanel(shell);
    shell.SetCrackSpacing(0.3, 1);
    shell.Validate();
    EXPECT_NEAR(shell.GetLongLayer(0, 0)->ratio, kRhoXLayer, kRatioTol);
    EXPECT_NEAR(shell.GetLongLayer(0, 1)->ratio, kRhoY, kRatioTol);
    double sum = 0, sumF = 0;
    shell.GetSteelTotals(sum, sumF, 0, 0);
    EXPECT_NEAR(sum, 2 * kRhoXLayer, kRatioTol);
    EXPECT_NEAR(sumF, 2 * kRhoXLayer * 400e6, kStressTol);
    // Flag 1: with the ultimate strength.
    shell.GetSteelTotals(sum, sumF, 1, 1);
    EXPECT_NEAR(sum, kRhoY, kRatioTol);
    EXPECT_NEAR(sumF, kRhoY * 650e6, kStressTol);

    // x: automatic, a mean of the profile, so strictly between its extremes in the thickness.
    std::vector<double> inside;
    for (const auto& p : shell.GetPositionVariable(kCrackSpacingX).Pairs()) {
        if (p.z >= -0.1 && p.z <= 0.1)
            inside.push_back(p.v);
    }
    const auto [least, largest] = std::minmax_element(inside.begin(), inside.end());
    ASSERT_LT(*least, *largest);
    const double first = shell.GetCrackSpacing(0);
    EXPECT_EQ(shell.IsCrackSpacingAuto(0), 1);
    EXPECT_GT(first, *least);
    EXPECT_LT(first, *largest);
    EXPECT_EQ(shell.GetCrackSpacing(1), 0.3) << "given by the user, kept";
    // The automatic flag makes the next validation work the mean out afresh.
    shell.Validate();
    EXPECT_DOUBLE_EQ(shell.GetCrackSpacing(0), first);
}

TEST_F(ShellTest, ZeroThicknessGivesNoRatiosAndNoNumbersOutOfNothing)
{
    MakePanel(shell, 0.0, 0.0);
    shell.AddLongLayer(BarLayer(0.0, 1e-4, 0.1), 0);
    EXPECT_EQ(shell.Validate(), 1);
    EXPECT_EQ(shell.GetLongLayer(0, 0)->ratio, 0.0);
    // Without a thickness there is nothing to average: the spacings stay automatic.
    EXPECT_EQ(shell.GetCrackSpacing(0), -1.0);
    EXPECT_EQ(shell.IsCrackSpacingAuto(0), 1);
}

// A new element: one displayed stress unit (1 MPa; 1 psi = 6894.757 Pa), which validation
// keeps. A validated element without in-plane increments: one displayed unit of shear flow
// (1 kN/m; 1 kip/ft = 4448.2216 N / 0.3048 m). A real Nxx keeps the small Nxy.
TEST(ShellValidate, UnitShearIncrementsOfNewAndOfLoadFreeElements)
{
    const struct {
        int system;
        bool setLoads;
        double nxx, nxy;
    } rows[] = {{kUnitUS, false, 0.0, 6894.757},
                {kUnitUS, true, 0.0, 4448.2216 / 0.3048},
                {kUnitSI, true, 5.0, 0.5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nxy);
        RecordingReporter rec;
        ValueGuard<int> units(g_UnitSystem, row.system);
        TShell shell;
        if (row.setLoads) {
            LoadVector loads{};
            loads[0] = row.nxx;
            loads[2] = row.nxx > 0.0 ? 0.5 : 0.0;
            shell.SetIncrementLoads(loads.data(), kLoadCount);
        }
        shell.Validate();
        EXPECT_NEAR(IncrementLoad(shell, 2), row.nxy, 1e-6 * row.nxy);
        EXPECT_EQ(IncrementLoad(shell, 0), row.nxx);
    }
}

// ---- Hsu concrete data -------------------------------------------------------------------

struct HsuTest : ::testing::Test {
    RecordingReporter rec;
    ValueGuard<std::array<HsuDataEntry, 3>> table{HsuDataTable, {}};
    ValueGuard<int32_t> embedded{g_HsuEmbeddedSteel, 1};
};

// eta: the smaller over the larger of rho fy in y and x; without ties the least ratio. Code 16
// needs at least half a percent; other concrete gets neutral data, exactly.
TEST_F(HsuTest, HsuConcreteHandsRatiosAndStrengthRatioPerDirection)
{
    const double eta = (kRhoY * 500e6) / (2 * kRhoXLayer * 400e6);
    const struct {
        int tension, softening;
        double eta;
        std::array<double, 3> rho;
        double tol;
    } rows[] = {{4, 15, eta, {2 * kRhoXLayer, kRhoY, 0.0001}, kRatioTol},
                {4, 16, eta, {2 * kRhoXLayer, 0.005, 0.005}, kRatioTol},
                {7, 18, 1.0, {0.01, 0.01, 0.01}, 0.0}};
    for (const auto& row : rows) {
        TShell shell;
        MakeReinforcedPanel(shell);
        shell.SetConcreteModelCodes(0, 2, row.tension, row.softening);
        shell.Validate();
        EXPECT_EQ(g_HsuEmbeddedSteel, 0);
        const double fcr = row.softening == 18 ? 0.0 : shell.GetConcreteType(0)->ft;
        for (std::size_t d = 0; d < 3; ++d) {
            SCOPED_TRACE(testing::Message() << "code " << row.softening << " direction " << d);
            EXPECT_NEAR(HsuDataTable[d].eta, row.eta, row.tol);
            EXPECT_NEAR(HsuDataTable[d].rho, row.rho[d], row.tol);
            EXPECT_EQ(HsuDataTable[d].fcr, fcr);
        }
    }
    EXPECT_TRUE(rec.messages.empty());

    // A second concrete type is warned about, once per direction.
    TShell shell;
    MakeReinforcedPanel(shell);
    shell.SetConcreteModelCodes(0, 2, 4, 15);
    double strength = 40e6;
    shell.AddConcreteTypeFromStrength(strength, "C40");
    shell.Validate();
    EXPECT_EQ(rec.Count("Stand Back!  Hsu concrete gets into trouble with more than one "
                        "concrete type!"),
              3);
}

} // namespace
