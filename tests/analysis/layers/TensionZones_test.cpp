#include "analysis/layers/TensionZones.h"

#include <cmath>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/layers/LayerTestSection.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "support/TestSupport.h"

using namespace layertest;

namespace {

constexpr double kStressTol = 1e-3; // Pa
constexpr double kMomentTol = 1e-6; // N m, closed forms
constexpr double kDepthTol = 1e-12; // m

struct Reserve {
    double moment = -1.0, crossing = -1.0; // off their answers so that a write shows
    TDepthTable profile{"reserve"};
};

struct TensionZonesTest : LayerTest {
    TLayerEvaluator ev{beam, flags};
    TTensionZones zones{ev};

    // Binds the evaluator to the beam as it now stands.
    TTensionZones& Zones()
    {
        ResizeFailedFlags(flags, beam);
        ev.Bind();
        return zones;
    }

    SectionState State(double e0, double slope, const std::vector<double>& barStresses) const
    {
        return TwoLayerState(beam, e0, slope, barStresses);
    }

    Reserve Build(const SectionState& state)
    {
        Reserve r;
        zones.BuildReserveProfile(state, r.moment, r.crossing, r.profile, 0);
        return r;
    }
};

// A zone 0.25 m deep of the 0.3 m wide rectangle, d measured from the crossing:
//   S0 = int w d = b L^2 / 2, S1 = int w d (1 - d/L) = b L^2 / 6, S2 = int w d^2 / L = b L^2 / 3,
//   S3 = 0.6 f't S0 = 11250 N m, S3 + S4 = S3 + 2.4 f't S1 = 26250 N m.
// The fitted stress runs from s2 at the crossing to s3 at the face; its moment about the
// crossing, s2 S1 + s3 S2, is the demand. An empty zone keeps s1, s2 and starts at s2.
TEST_F(TensionZonesTest, ZoneStressByHand)
{
    TTensionZones& tz = Zones();
    const double S0 = kWidth * 0.25 * 0.25 / 2.0, S1 = S0 / 3.0, S2 = 2.0 * S0 / 3.0;
    const double s1Start = 0.6 * kFt, s2Start = 3.0 * kFt;
    struct Row {
        const char* name;
        double F, s1, s2, s3;
    } rows[] = {
        {"uniform", 5000.0, 5000.0 / S0, 5000.0 / S0, 5000.0 / S0},
        {"peak at the crossing grows", 20000.0, s1Start, s1Start + 8750.0 / S1, s1Start},
        {"face grows", 72000.1, s1Start, s2Start, s1Start + 45750.1 / S2},
    };
    for (const Row& row : rows) {
        for (int side : {0, 1}) {
            SCOPED_TRACE(std::string(row.name) + (side == 0 ? " (top zone)" : " (bottom zone)"));
            double s1 = s1Start, s2 = s2Start, s3 = 0.0;
            tz.FitTensionZoneStress(row.F, 0.0, s1, s2, s3, 0.6, 3.0, side);
            EXPECT_NEAR(s1, row.s1, kStressTol);
            EXPECT_NEAR(s2, row.s2, kStressTol);
            EXPECT_NEAR(s3, row.s3, kStressTol);
            if (row.F > 11250.0) {
                EXPECT_NEAR(s2 * S1 + s3 * S2, row.F, kMomentTol);
            }
        }
    }
    double s1 = 1.0, s2 = 6e6, s3 = 0.0;
    tz.FitTensionZoneStress(500.0, kTop - 0.00005, s1, s2, s3, 0.6, 3.0, 0);
    EXPECT_EQ(s1, 1.0);
    EXPECT_EQ(s3, 6e6);
}

// A zone whose concrete has no width cannot carry its demand: the message is shown once per
// analysis however often it occurs, and the stresses become 0.
TEST_F(TensionZonesTest, ZoneWithoutConcreteIsReportedOnce)
{
    beam.DeleteRegions();
    beam.AddRegion(kTop, kBottom, 0.0, 0.0, 0, 1);
    TTensionZones& tz = Zones();
    for (int pass = 0; pass < 3; ++pass) {
        double s1 = 1e6, s2 = 6e6, s3 = 1.0;
        tz.FitTensionZoneStress(0.0, 0.0, s1, s2, s3, 0.6, 3.0, 1);
        EXPECT_EQ(s1 + s2 + s3, 0.0);
    }
    EXPECT_EQ(reporter.Count(kNoZoneAreaText), 1);
}

// e = -0.004 z: the top is compressed, the bottom zone runs from the crossing at 0 down to
// the bottom and holds the bars. Their reserve at a crack fy - 160 MPa over the arm 0.2 m
// gives the demand 0.2 x 1.5e-3 x 240e6 + 0.1 N m; the bottom zone's fit is the "face grows"
// row above (s1 = 0.6 f't, s2 = 3 f't), its stress rising from 3 f't at the crossing to the
// face value at the bottom; the empty top zone starts at 3 f't. The mirror image (e = +0.004 z,
// bars at +0.2 m) gives the mirrored profile. Bars at the crossing are not below it and add
// nothing; a failed bar adds only its 0.1 N m.
TEST_F(TensionZonesTest, ReserveProfileOfARectangleWithOneBarLayer)
{
    const double demand = 0.2 * kBarArea * (kFy - kBarStress) + 0.1;
    EXPECT_NEAR(demand, 72000.1, kMomentTol);
    const double face = 0.6 * kFt + (demand - 26250.0) / (kWidth * 0.25 * 0.25 / 3.0);
    for (const double side : {-1.0, 1.0}) { // the top or the bottom in tension
        SCOPED_TRACE(side);
        MakeRectangle(beam);
        beam.AddLongLayer(Bars(side * kBarZ, 3, 5e-4, 0.025), 0);
        Zones();
        const Reserve r = Build(State(0.0, side * kSlope, {kBarStress}));
        EXPECT_NEAR(r.moment, demand, kMomentTol);
        EXPECT_NEAR(r.crossing, 0.0, kDepthTol);
        EXPECT_TRUE(r.profile.IsSorted());
        for (const auto& [z, value] : {std::pair{kBottom, face},
                                       {kBottom / 2.0, (face + 3.0 * kFt) / 2.0},
                                       {0.1, 3.0 * kFt},
                                       {kTop, 3.0 * kFt}}) {
            EXPECT_NEAR(r.profile.InterpolateAtDepth(side * z), value, kStressTol) << z;
        }
        if (side < 0.0)
            continue;
        const double depths[6] = {kTop, kTop, kTop, 0.0, 0.0, kBottom};
        ASSERT_EQ(r.profile.GetCount(), 6);
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(r.profile.GetDepth(i), depths[i], kDepthTol);
            EXPECT_NEAR(r.profile.GetValue(i), i < 5 ? 3.0 * kFt : face, kStressTol);
        }
    }

    beam.AddLongLayer(Bars(0.0, 2, 5e-4, 0.02), 0);
    beam.AddLongLayer(Bars(-0.1, 2, 5e-4, 0.02), 0);
    Zones();
    EXPECT_NEAR(Build(State(0.0, kSlope, {kBarStress, 0.0, kUndefined})).moment,
                demand + 0.1,
                kMomentTol);
}

// Both scans run through the whole depth in tension: no crossing pairs; the tie goes to the
// top zone (strain 0.0005 plus 2 x 0.0005 at the crack still lies on the plateau: fy). A net
// strain exactly 0 at the top with compression below is a crossing: the top zone is empty.
TEST_F(TensionZonesTest, CrossingAtAFace)
{
    beam.AddLongLayer(Bars(kBarZ, 3, 5e-4, 0.025), 0);
    Zones();
    Reserve r = Build(State(0.0005, 0.0, {100e6}));
    EXPECT_EQ(r.profile.GetCount(), 2);
    EXPECT_EQ(r.crossing, TTensionZones::kWholeDepthFromTop);
    EXPECT_NEAR(r.moment, (kBarZ + 1000.0) * kBarArea * (kFy - 100e6) + 0.1, 1e-3);

    ASSERT_EQ(ev.StrainAtDepth(StrainProfile{-0.001, 0.004}, kTop), 0.0);
    r = Build(State(-0.001, 0.004, {-200e6}));
    EXPECT_EQ(r.crossing, kTop);
    EXPECT_EQ(r.moment, 0.0);
    EXPECT_EQ(r.profile.GetCount(), 6);
}

// e = 0.001 - 0.004 z reaches 0.0002 +- 0.0001 at 0.175 (0.3 with a uniform step of
// 0.0005); a flat profile reaches nothing. The crossing follows the breaks of the strain
// discontinuity: a step of 0 at the top and -0.0004 from 0 down; under e0 = 0.0002 the net
// strain is 0.0002 at the top and -0.0002 at 0, so the crossing lies half-way, at 0.125 (a
// straight line from top to bottom would put it at 0).
TEST_F(TensionZonesTest, DepthAtStrainAndCrossingFollowTheStrainSteps)
{
    const StrainProfile profile{0.001, -0.004};
    EXPECT_NEAR(Zones().DepthAtStrain(profile, 0.0002, 0.0001, 0), 0.175, kDepthTol);
    EXPECT_EQ(zones.DepthAtStrain(StrainProfile{0.001, 1e-9}, 0.0, 0.0, 0),
              TTensionZones::kNoDepth);
    TDepthTable step;
    step.Add(kTop, 0.0005), step.Add(kBottom, 0.0005);
    beam.SetStrainDiscontinuity(step);
    EXPECT_NEAR(Zones().DepthAtStrain(profile, 0.0002, 0.0001, 0), 0.3, kDepthTol);

    TDepthTable steps("strain discontinuity");
    steps.Add(kTop, 0.0), steps.Add(0.0, -0.0004), steps.Add(kBottom, -0.0004);
    beam.SetStrainDiscontinuity(steps);
    TTensionZones& tz = Zones();
    EXPECT_NEAR(tz.NextStrainBreak(kTop, 1), 0.0, kDepthTol);
    EXPECT_NEAR(Build(State(0.0002, 0.0, {})).crossing, 0.125, kDepthTol);
}

// A second concrete type named "steel", or of the crack-free model pair, makes the reserve
// profile 10 f't of that type (3 MPa) over the whole depth.
TEST_F(TensionZonesTest, SteelOrCrackFreeConcreteMakesTheProfileConstant)
{
    for (auto [name, softening, tensionStiffening] :
         {std::tuple{"steel", 18, 2}, std::tuple{"Concrete 2", 15, 4}}) {
        SCOPED_TRACE(name);
        MakeRectangle(beam);
        ConcreteTypeRec second = Concrete();
        second.name = name, second.ft = 3e6;
        second.softening = static_cast<short>(softening);
        second.tensionStiffening = static_cast<short>(tensionStiffening);
        beam.AddConcreteType(second);
        Zones();
        const Reserve r = Build(State(0.0, kSlope, {}));
        EXPECT_EQ(r.profile.Pairs(), (std::vector<DepthPair>{{kTop, 3e7}, {kBottom, 3e7}}));
    }
}

// Under e = -0.004 z the bottom cracks (e_cr = 2 / 30000) from y_b = e_cr / -0.004 down; the
// lowest stiff bar, less its radius, bounds the shear zone below.
TEST_F(TensionZonesTest, ShearZoneLimitsByHand)
{
    const double yb = (kFt / kEc) / kSlope;
    struct Row {
        const char* name;
        double e0, slope;
        bool bars;
        double barStress, lower;
    } rows[] = {
        {"lowest stiff bar", 0.0, kSlope, true, kBarStress, kBarZ - 0.0125},
        {"no bars", 0.0, kSlope, false, 0.0, yb},
        {"failed bar", 0.0, kSlope, true, kUndefined, yb},
        {"uncracked", -0.0005, 0.0, true, -100e6, kBottom},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeRectangle(beam);
        if (row.bars)
            beam.AddLongLayer(Bars(kBarZ, 3, 5e-4, 0.025), 0);
        double upper = 0.0, lower = 0.0;
        Zones().FindShearZoneLimits(State(row.e0, row.slope, {row.barStress}), 0, upper, lower);
        EXPECT_NEAR(upper, kTop, kDepthTol);
        EXPECT_NEAR(lower, row.lower, kDepthTol);
    }
}

TEST_F(TensionZonesTest, ShearZoneSpecialCases)
{
    // A bar of no diameter in a section cracked over its whole depth makes both levels its
    // depth; equal levels become 0.7 H and 0.3 H above the bottom.
    beam.AddLongLayer(Bars(kBarZ, 1, 5e-4, 0.0), 0);
    TTensionZones& tz = Zones();
    double upper = 0.0, lower = 0.0;
    tz.FindShearZoneLimits(State(0.001, 0.0, {200e6}), 0, upper, lower);
    EXPECT_NEAR(upper, kBottom + 0.35, kDepthTol);
    EXPECT_NEAR(lower, kBottom + 0.15, kDepthTol);

    // Concrete crushed inside while both faces are short of e'c = -0.002.
    SectionState crushed = State(-0.0005, 0.0, {-100e6});
    crushed.NodeStates[2].Strain2 = -0.003;
    tz.FindShearZoneLimits(crushed, 0, upper, lower);
    EXPECT_NEAR(upper, kTop / 100.0, kDepthTol);
    EXPECT_NEAR(lower, kBottom / 100.0, kDepthTol);
}

TEST_F(TensionZonesTest, MarkFailedBarsCopiesTheStateMarks)
{
    beam.AddLongLayer(Bars(kBarZ, 3, 5e-4, 0.025), 0);
    beam.AddLongLayer(Bars(0.2, 2, 5e-4, 0.02), 0);
    for (int i = 0; i < 2; ++i)
        beam.AddTransLayer(Stirrups(2e-4, 0.15, -0.2, 0.2), 2);
    TTensionZones& tz = Zones();
    SectionState state = State(0.0, kSlope, {kUndefined, 100e6});
    state.TransLayerFlags = {0, 1};

    EXPECT_EQ(tz.MarkFailedBars(&state), 1);
    EXPECT_TRUE(IsBarFailed(flags, 0, 0));
    EXPECT_FALSE(IsBarFailed(flags, 0, 1));
    EXPECT_FALSE(IsTransFailed(flags, 0));
    EXPECT_TRUE(IsTransFailed(flags, 1));

    // A state whose arrays are shorter than the section's lists reads nothing beyond them.
    state.LongBarValues[BarArray::List0Stress].resize(1);
    state.TransLayerFlags.clear();
    EXPECT_EQ(tz.MarkFailedBars(&state), 1);
    EXPECT_FALSE(IsTransFailed(flags, 1));
    EXPECT_EQ(tz.MarkFailedBars(nullptr), 0);
}

} // namespace
