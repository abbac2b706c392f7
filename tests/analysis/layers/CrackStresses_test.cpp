#include "analysis/layers/CrackStresses.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/layers/LayerTestSection.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "support/TestSupport.h"

using namespace layertest;

namespace {

constexpr double kStressTol = 1e-3;   // Pa
constexpr double kBisectTol = 0.05e6; // Pa: 10 bisections of a 0.002 curvature step
constexpr double kPi = 3.141592653589;

// Bond stress of n bars of diameter db carrying dF over half the crack spacing s / 2.
double BondStress(double dF, double s, double db, int n)
{
    return 2.0 * dF / s / (kPi * db + 0.0001) / n;
}

struct CrackStressesTest : LayerTest {
    TLayerEvaluator ev{beam, flags};
    TTensionZones tz{ev};
    TCrackStresses zones{tz};

    // The rectangle with 3 bars at -0.2 m and 2 bars of 20 mm at the given depth.
    explicit CrackStressesTest(double secondBarZ = 0.2)
    {
        beam.AddLongLayer(Bars(kBarZ, 3, 5e-4, 0.025), 0);
        beam.AddLongLayer(Bars(secondBarZ, 2, 5e-4, 0.02), 0);
        ResizeFailedFlags(flags, beam);
        ev.Bind();
    }

    SectionState State(const std::vector<double>& barStresses) const
    {
        return TwoLayerState(beam, 0.0, kSlope, barStresses);
    }
};

// The cracked lower layer carries q = f1 - f't / (1 + 250000 w) beyond the decayed stress;
// about y0 = 0 its moment is q b L^2 / 2. The bars reach their crack stress at
// k_max = (fy - 160 MPa) / Es / 0.2 and add M_s = Es k_max 0.2^2 A there, so the curvature
// is k = k_max M_c / M_s, and the bar force gained times its arm is M_c. Compressed bars
// have no stress at a crack.
TEST_F(CrackStressesTest, BarStressAtCrackCarriesTheConcreteDemand)
{
    SectionState state = State({kBarStress, -kBarStress});
    CrackLowerLayer(state, 1e6);
    for (LayerNodeStateRec& node : state.NodeStates)
        node.CrackSpacingX = 0.2;
    zones.ComputeCrackStresses(state, 0.0, 0.0, 0);

    const double q = 1e6 - kFt / (1.0 + 250000.0 * 0.0004);
    const double Mc = q * kWidth * 0.25 * 0.25 / 2.0;
    const double kMax = (kFy - kBarStress) / kEs / 0.2;
    const double Ms = kEs * kMax * 0.04 * kBarArea;
    const double crack = kBarStress + kEs * 0.2 * kMax * Mc / Ms;
    const std::vector<double>& stresses = state.LongBarValues[BarArray::List0Second];
    EXPECT_NEAR(stresses[0], crack, kStressTol);
    EXPECT_NEAR((stresses[0] - kBarStress) * kBarArea * 0.2, Mc, 1e-6 * Mc);
    EXPECT_EQ(stresses[1], 0.0);
    // Bond over half the crack spacing (0.1 m) around the perimeter of the bars.
    const std::vector<double>& bond = state.LongBarExtra[0];
    EXPECT_NEAR(bond[0], BondStress((crack - kBarStress) * kBarArea, 0.1, 0.025, 3), kStressTol);
    EXPECT_NEAR(bond[1], BondStress(kBarStress * 1e-3, 0.1, 0.02, 2), kStressTol);
}

// With a second tension bar at -0.1 m the first yields before the demand of 90 kN m is met:
// beyond k = 0.006 the bars add 72 kN m + Es 0.1^2 1e-3 k, which reaches 90 kN m at
// k = 0.009. The search steps by 0.001 / H and bisects; the second bar ends at
// 80 MPa + Es 0.1 x 0.009.
struct CrackStressesBeyondYield : CrackStressesTest {
    CrackStressesBeyondYield() : CrackStressesTest(-0.1) {}
};

TEST_F(CrackStressesBeyondYield, CurvatureSearch)
{
    SectionState state = State({kBarStress, 80e6});
    const double q = 90000.0 / (kWidth * 0.25 * 0.25 / 2.0);
    CrackLowerLayer(state, q + kFt / (1.0 + 250000.0 * 0.0004));

    EXPECT_NEAR(zones.BarMomentIncrement(state, 0.009, 0.0, 0), 90000.0, 1e-3);
    EXPECT_NEAR(zones.SolveCrackCurvature(state, 90000.0, 0.002, 0.0, 0), 0.009, 2e-6);

    zones.ComputeCrackStresses(state, 1e6, 0.0, 0);
    EXPECT_NEAR(state.LongBarValues[BarArray::List0Second][0], kFy, kStressTol);
    EXPECT_NEAR(state.LongBarValues[BarArray::List0Second][1],
                80e6 + kEs * 0.1 * 0.009,
                kBisectTol);
}

// A failed tension bar (-0.2 m) has no reserve, so k_max = 0 and the elastic estimate is
// skipped: a demand of 9375 N m (q = 1 MPa over the lower layer) is searched for, and only
// within the reserve moment. There the bars at -0.1 m alone add 0.1 x Es 0.1 k x 1e-3, which
// meets the demand at k = 0.0046875; beyond the reserve every tension bar is undefined.
TEST_F(CrackStressesBeyondYield, AFailedTensionBarLeavesOnlyTheSearch)
{
    SetBarFailed(flags, 0, 0, true);
    for (double reserve : {1e6, 0.0}) {
        SCOPED_TRACE(reserve);
        SectionState state = State({kUndefined, 80e6});
        CrackLowerLayer(state, 1e6 + kFt / (1.0 + 250000.0 * 0.0004));
        zones.ComputeCrackStresses(state, reserve, 0.0, 0);
        const std::vector<double>& crack = state.LongBarValues[BarArray::List0Second];
        EXPECT_EQ(crack[0], kUndefined);
        if (reserve > 0.0)
            EXPECT_NEAR(crack[1], 80e6 + kEs * 0.1 * 0.0046875, kBisectTol);
        else
            EXPECT_EQ(crack[1], kUndefined);
    }
}

// Demand beyond the reserve moment: tension bars and every bond become undefined, compressed
// bars keep their average stress.
TEST_F(CrackStressesTest, UnsupportedDemandClearsTheCrackStresses)
{
    SectionState state = State({kBarStress, -kBarStress});
    CrackLowerLayer(state, 1e8);
    zones.ComputeCrackStresses(state, 0.0, 0.0, 0);
    EXPECT_EQ(state.LongBarValues[BarArray::List0Second],
              (std::vector<double>{kUndefined, -kBarStress}));
    EXPECT_EQ(state.LongBarExtra[0], (std::vector<double>{kUndefined, kUndefined}));
}

// Uncracked concrete gives no demand: a failed bar stays failed without bond, a layer of no
// bars gets nothing, and a bar short of its crack stress bonds by its own stress over half
// the spacing, unless half the spacing is below 1 mm.
TEST_F(CrackStressesBeyondYield, FailedBarsAndBondWithoutSpacingOrBars)
{
    beam.AddLongLayer(Bars(-0.15, 0, 5e-4, 0.02), 0); // no bar counted
    ResizeFailedFlags(flags, beam);
    for (double spacing : {0.2, 0.0015}) {
        SCOPED_TRACE(spacing);
        SectionState state = State({kUndefined, 80e6, 120e6});
        for (LayerNodeStateRec& node : state.NodeStates)
            node.CrackSpacingX = spacing;
        zones.ComputeCrackStresses(state, 0.0, 0.0, 0);
        const double bond = spacing > 0.002 ? BondStress(-80e6 * 1e-3, 0.1, 0.02, 2) : 0.0;
        EXPECT_EQ(state.LongBarValues[BarArray::List0Second][0], kUndefined);
        EXPECT_EQ(state.LongBarValues[BarArray::List0Second][1], 0.0);
        EXPECT_EQ(state.LongBarExtra[0][0], 0.0);
        EXPECT_NEAR(state.LongBarExtra[0][1], bond, kStressTol);
        EXPECT_EQ(state.LongBarExtra[0][2], 0.0);
    }
}

// Node ids outside the node array and a layer count beyond the layer array read nothing
// outside them: such layers carry no demand and give no node values.
TEST_F(CrackStressesTest, MalformedMeshReadsNothingOutside)
{
    SectionState state = State({kBarStress, -kBarStress});
    CrackLowerLayer(state, 1e6);
    state.LayerDefs[1].NodeBottom = 999;
    state.LayerCount = 7;
    zones.ComputeCrackStresses(state, 0.0, 0.0, 0);
    // Without the lower layer's demand and node values the bar stays uncracked at 0.
    EXPECT_EQ(state.LongBarValues[BarArray::List0Second][0], 0.0);
    EXPECT_EQ(state.LongBarExtra[0][0], 0.0);
    double upper = 0.0, lower = 0.0;
    tz.FindShearZoneLimits(state, 0, upper, lower);
    EXPECT_EQ(upper, kTop);
}

} // namespace
