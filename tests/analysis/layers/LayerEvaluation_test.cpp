#include "analysis/layers/LayerEvaluation.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/element/McftElement.h"
#include "analysis/layers/LayerTestSection.h"
#include "analysis/state/AnalysisMessages.h"
#include "foundation/Sentinel.h"
#include "support/TestSupport.h"

using namespace layertest;

namespace {

constexpr double kStressTol = 1e-3;  // Pa, for hand values of 1e5 ... 1e8 Pa
constexpr double kRelTol = 1e-9;     // relative, for closed forms
constexpr double kStrainTol = 1e-15; // strains set or copied exactly
constexpr double kHalfPi = 1.5707963267945;

// Stirrups of two 10 mm legs (2 x 100 mm^2) at 150 mm over -0.2 ... 0.2 m.
constexpr double kStirrupArea = 2e-4;
constexpr double kStirrupSpacing = 0.15;
constexpr double kRho = kStirrupArea / kStirrupSpacing / kWidth;

struct LayerEvaluationTest : LayerTest {
    ValueGuard<int> reduction{g_CrackingReductionOption, 0};

    TLayerEvaluator Evaluator()
    {
        ResizeFailedFlags(flags, beam);
        return TLayerEvaluator(beam, flags);
    }

    static LayerNodeStateRec Node(double depth, double strainX, double shear = 0.0)
    {
        LayerNodeStateRec node;
        node.Depth = depth, node.StrainX = strainX, node.ShearStrain = shear;
        node.CrackSpacingX = 0.2, node.CrackSpacingZ = 0.15;
        node.ReserveX = 1e9, node.TensionStiffFactor = 500.0;
        return node;
    }

    // The stirrup states at a node at the given depth and transverse strain; the transverse
    // reserve goes to reserve, the mean crack stress to fcr.
    LayerNodeStateRec StirrupNode(const TLayerEvaluator& ev, double depth, double ez = 0.0008)
    {
        LayerNodeStateRec node = Node(depth, 0.0);
        node.StrainZ = ez;
        reserve = ev.StirrupStatesAtNode(node, fcr, 0.0);
        return node;
    }
    double reserve = 0.0;
    double fcr = 0.0;
};

// Uncracked, a node without shear is elastic along x. Cracked at ex = 0.001 with s_x = 0.2 m: w =
// (0.001 - 2/30000) 0.2; the tension-stiffened stress f't / (1 + sqrt(500 x 0.001)) is capped by
// the longitudinal reserve, but never below the decayed stress Ec ecr / (1 + 250000 w).
TEST_F(LayerEvaluationTest, UniaxialNodeByHand)
{
    const double ecr = kFt / kEc;
    const double w = (0.001 - ecr) * 0.2;
    const double stiffened = kFt / (1.0 + std::sqrt(0.5));
    const double decayed = kEc * ecr / (1.0 + 250000.0 * w);
    const double shearLimit = 0.18 * std::sqrt(35.0) / (0.31 + 24.0 * w / 0.035) * 1e6;
    struct Row {
        const char* name;
        double reserve, f1;
        std::uint16_t code;
        double tensionLimit;
    } rows[] = {
        {"ample reserve", 1e9, stiffened, CrackCheck::None, kFt},
        {"reserve governs", 5e5, 5e5, CrackCheck::Average, 5e5},
        {"decay floor", 1e4, decayed, CrackCheck::Average, decayed},
    };
    TLayerEvaluator ev = Evaluator();
    LayerNodeStateRec uncracked = Node(0.1, 5e-5);
    EXPECT_EQ(ev.SolveNodeState(uncracked, 0.0, 0.0), 1);
    EXPECT_DOUBLE_EQ(uncracked.CrackAngle, kHalfPi);
    EXPECT_NEAR(uncracked.ConcStressX, kEc * 5e-5, kStressTol);
    EXPECT_EQ(uncracked.CrackWidth, 0.0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LayerNodeStateRec node = Node(-0.1, 0.001);
        node.ReserveX = row.reserve;
        ev.SolveUniaxialNode(node);
        EXPECT_NEAR(node.CrackWidth, w, kStrainTol);
        EXPECT_NEAR(node.CrackShearLimit, shearLimit, kStressTol);
        EXPECT_NEAR(node.ConcStress1, row.f1, kStressTol);
        EXPECT_NEAR(node.ConcStressX, row.f1, kStressTol);
        EXPECT_EQ(node.CrackCheckCode, row.code);
        EXPECT_NEAR(node.TensionLimit, row.tensionLimit, kStressTol);
    }
}

TEST_F(LayerEvaluationTest, NonPositiveCrackSpacingGivesNoCrackWidth)
{
    LayerNodeStateRec node = Node(-0.1, 0.001);
    node.CrackSpacingX = -1.0;
    Evaluator().SolveUniaxialNode(node);
    EXPECT_EQ(node.CrackWidth, 0.0);
    EXPECT_NEAR(node.CrackShearLimit, 0.18 * std::sqrt(35.0) / 0.31 * 1e6, kStressTol);
    EXPECT_TRUE(std::isfinite(node.ConcStress1));
}

// At ez = 0.0008 a stirrup carries Es ez = 160 MPa; its crack strain limit
// 0 + 2 x 0.0008 + (0.007 - 0.002) lies on the yield plateau, so its crack stress is fy.
TEST_F(LayerEvaluationTest, StirrupStatesByHand)
{
    beam.AddTransLayer(Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2), 2);
    TLayerEvaluator ev = Evaluator();
    const LayerNodeStateRec node = StirrupNode(ev, 0.0);
    EXPECT_NEAR(node.StirrupRatio, kRho, kRelTol * kRho);
    EXPECT_NEAR(node.StirrupStress, 160e6, kStressTol);
    EXPECT_NEAR(node.StirrupYieldStress, kFy, kStressTol);
    EXPECT_NEAR(fcr, kFy, kStressTol);
    EXPECT_NEAR(reserve, (kFy - 160e6) * kRho, kStressTol);

    EXPECT_EQ(StirrupNode(ev, 0.22).StirrupStress, 0.0); // outside their range
    EXPECT_EQ(reserve, 0.0);
}

// A circular hoop over -0.2 ... 0.2 m crosses the depth 0.12 m with the leg factor
// k = sqrt(1 - 0.12^2 / (0.2^2 + 0.0001)): its ratio is k rho and its legs strain k^2 ez.
TEST_F(LayerEvaluationTest, CircularHoopAwayFromItsCentre)
{
    TransLayerRec hoop = Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2);
    hoop.pattern = kCircularHoop;
    beam.AddTransLayer(hoop, 2);
    TLayerEvaluator ev = Evaluator();
    const double k = std::sqrt(1.0 - 0.0144 / 0.0401);
    const LayerNodeStateRec node = StirrupNode(ev, 0.12);
    EXPECT_NEAR(node.StirrupRatio, k * kRho, kRelTol * kRho);
    EXPECT_NEAR(node.StirrupStress, kEs * 0.0008 * k * k, kStressTol);
    EXPECT_NEAR(StirrupNode(ev, 0.0).StirrupRatio, kRho, kRelTol * kRho);
}

TEST_F(LayerEvaluationTest, StirrupPrestrainIsAreaWeighted)
{
    TransLayerRec a = Stirrups(1e-4, 0.2, -0.2, 0.2);
    TransLayerRec b = Stirrups(3e-4, 0.2, -0.1, 0.2);
    a.dep = 0.001, b.dep = 0.003, b.thermStrain = 0.0004;
    beam.AddTransLayer(a, 2);
    beam.AddTransLayer(b, 2);
    TLayerEvaluator ev = Evaluator();
    EXPECT_NEAR(ev.StirrupInitialStrain(0.0), (1e-4 * 0.001 + 3e-4 * 0.0026) / 4e-4, kStrainTol);
    EXPECT_NEAR(ev.StirrupInitialStrain(-0.1), 0.001, kStrainTol); // b must hold it strictly
}

// A node under shear: once solved, the stirrups' force per unit concrete area rho_z f_sz
// (elastic, Es ez, under a clamping ratio of -0.2) and the concrete's transverse stress f_cz
// add up to the prescribed clamping ratio x |v| (0 without clamping; f_cz alone without
// stirrups), within 1 Pa plus 0.1 % of the shear stress. The transverse iteration relaxes
// after 15 updates and gives up after 30: a demand of 2.3 |v| on these stirrups is met on
// exactly the 30th update (relaxed from the 16th); a demand of 3 |v| is never met and the node
// fails at the cap.
TEST_F(LayerEvaluationTest, TransverseEquilibriumUpToTheIterationCap)
{
    struct Row {
        bool stirrups;
        double ratio;
        int solved;
    };
    for (const Row& row :
         {Row{true, -0.2, 1}, Row{false, 0.0, 1}, Row{true, 2.3, 1}, Row{true, 3.0, 0}}) {
        SCOPED_TRACE(testing::Message() << row.stirrups << " " << row.ratio);
        MakeRectangle(beam);
        if (row.stirrups)
            beam.AddTransLayer(Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2), 2);
        TLayerEvaluator ev = Evaluator();
        LayerNodeStateRec node = Node(0.0, 0.0005, 0.002);
        node.ReserveX = 1e7;
        ASSERT_EQ(ev.SolveNodeState(node, row.ratio, 0.0), row.solved);
        if (row.solved == 0)
            continue;
        const double v = std::fabs(node.ConcShearStress);
        EXPECT_GT(node.ConcShearStress, 0.0);
        EXPECT_NEAR(node.StirrupStress * node.StirrupRatio + node.ConcStressZ,
                    row.ratio * v,
                    1.0 + 0.001 * v);
        EXPECT_EQ(node.StirrupRatio, row.stirrups ? kRho : 0.0);
        if (row.ratio < 0.0) {
            EXPECT_GT(node.StrainZ, 0.0);
            EXPECT_LT(node.StrainZ, kFy / kEs);
            EXPECT_NEAR(node.StirrupStress, kEs * node.StrainZ, 1.0);
        }
    }
}

TEST_F(LayerEvaluationTest, WideCrackUnderShearTearsTheStirrupsAcrossIt)
{
    beam.AddTransLayer(Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2), 2);
    beam.AddTransLayer(Stirrups(kStirrupArea, kStirrupSpacing, 0.0, 0.2), 2);
    TLayerEvaluator ev = Evaluator();
    LayerNodeStateRec node = Node(0.0, 0.0);
    node.ConcShearStress = 2000.0, node.CrackWidth = 0.03;
    EXPECT_EQ(ev.MarkRupturedStirrups(node), 1);
    EXPECT_TRUE(IsTransFailed(flags, 0));
    EXPECT_FALSE(IsTransFailed(flags, 1)); // its range ends at the node
    EXPECT_EQ(StirrupNode(ev, -0.1).StirrupRatio, 0.0);

    SetTransFailed(flags, 1, true);
    LayerNodeStateRec any = StirrupNode(ev, 0.1, 0.0);
    EXPECT_EQ(any.StirrupStress, kUndefined);
    EXPECT_EQ(fcr, 0.0);
}

TEST_F(LayerEvaluationTest, MissingConcreteOrSteelTypesReadNothingOutside)
{
    TransLayerRec orphan = Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2);
    orphan.type = 7;
    beam.AddTransLayer(orphan, 2);
    TLayerEvaluator ev = Evaluator();
    for (int type : {-1, 300}) {
        SCOPED_TRACE(type);
        LayerNodeStateRec node = Node(0.0, 0.0005, 0.002);
        node.ConcreteType = static_cast<std::int16_t>(type);
        const LayerNodeStateRec before = node;
        EXPECT_EQ(ev.SolveNodeState(node, 0.0, 0.0), 0);
        EXPECT_EQ(node, before);
    }
    EXPECT_EQ(StirrupNode(ev, 0.0, 0.001).StirrupRatio, 0.0);
    EXPECT_EQ(reserve, 0.0);
    EXPECT_EQ(reporter.messages.size(), 0u);
}

// Bars at z = -0.2 under e = slope z: below yield the average stress Es e governs (the
// crack stress is at least fy); on the plateau fy.
TEST_F(LayerEvaluationTest, LongBarStressByHand)
{
    struct Row {
        const char* name;
        double slope, extra, dep, therm, time, stress;
    } rows[] = {
        {"extra strain", -0.004, 0.0004, 0.0, 0.0, 0.0, 240e6},
        {"prestrain", -0.004, 0.0, 0.001, 0.0, 0.0, 360e6},
        {"thermal and long-term", -0.004, 0.0, 0.0, 0.0002, 0.0001, 100e6},
        {"yielded", -0.015, 0.0, 0.0, 0.0, 0.0, kFy},
        {"compressed", 0.005, 0.0, 0.0, 0.0, 0.0, -200e6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeRectangle(beam);
        LongLayerRec bars = Bars(-0.2, 3, 5e-4, 0.025);
        bars.dep = row.dep, bars.thermStrain = row.therm, bars.timeStrain = row.time;
        beam.AddLongLayer(bars, 0);
        TLayerEvaluator ev = Evaluator();
        EXPECT_NEAR(ev.LongBarStress(StrainProfile{0.0, row.slope}, 0, row.extra, 0, 0.0),
                    row.stress,
                    kStressTol);
    }
}

TEST_F(LayerEvaluationTest, FailedRupturedAndMissingBars)
{
    beam.AddLongLayer(Bars(-0.2, 3, 5e-4, 0.025), 0);
    TLayerEvaluator ev = Evaluator();
    const StrainProfile elastic{0.0, -0.004};
    EXPECT_EQ(ev.LongBarStress(StrainProfile{0.2, 0.0}, 0, 0.0, 0, 0.0), kUndefined);
    for (auto [i, list] : {std::pair{-1, 0}, {1, 0}, {0, 2}})
        EXPECT_EQ(ev.LongBarStress(elastic, i, 0.0, list, 0.0), 0.0) << i << " " << list;

    SetBarFailed(flags, 0, 0, true);
    EXPECT_EQ(ev.LongBarStress(elastic, 0, 0.0, 0, 0.0), kUndefined);
}

// A section without regions has no height: its stirrups have no effect and nothing
// divides by the height.
TEST_F(LayerEvaluationTest, SectionWithoutHeight)
{
    beam.DeleteRegions();
    beam.UpdateExtents();
    beam.AddTransLayer(Stirrups(kStirrupArea, kStirrupSpacing, -0.2, 0.2), 2);
    ASSERT_EQ(beam.GetHeight(), 0.0);
    TLayerEvaluator ev = Evaluator();
    EXPECT_EQ(StirrupNode(ev, 0.0).StirrupStress, 0.0);
    EXPECT_TRUE(std::isfinite(reserve));
    EXPECT_EQ(ev.StirrupTangentModulus(0.0, 0.0008, 0.0), 0.0);
}

} // namespace
