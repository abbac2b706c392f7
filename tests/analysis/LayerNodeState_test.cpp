#include "analysis/LayerNodeState.h"

#include <gtest/gtest.h>

#include "model/ConcreteLaws.h"
#include "model/MaterialTypes.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

// Each quantity code reads its own field: give every field a distinct value and look it up.
TEST(LayerNodeStateTest, QuantityCodesSelectTheirFields)
{
    LayerNodeStateRec node;
    node.ConcShearStress = 1.0;
    node.ConcStressX = 2.0;
    node.CrackSpacingX = 3.0;
    node.StirrupStress = 4.0;
    node.CrackAngle = 5.0;
    node.CrackWidth = 6.0;
    node.CrackSpacingZ = 7.0;
    node.FreeStrainX = 8.0;
    node.StrainX = 9.0;
    node.ShearStrain = 10.0;
    node.Strain1 = 11.0;
    node.ShearStrainShape = 12.0;
    node.ReserveX = 13.0;
    for (int code = 9876; code <= 9888; ++code) {
        EXPECT_TRUE(IsLayerQuantityCode(code));
        EXPECT_EQ(LayerNodeQuantity(node, code), code - 9875.0) << code;
    }
    for (int code : {9875, 9889, 0, -9876}) {
        EXPECT_FALSE(IsLayerQuantityCode(code));
        EXPECT_EQ(LayerNodeQuantity(node, code), 0.0) << code;
    }
}

// A 0.5 m deep rectangle with two concrete types (type 0 with tension-stiffening code 7,
// type 1 with code 2), two steel types and three layers of direction 0, the last pointing
// to a steel type that does not exist. Profiles run linearly between the two faces.
class LayerNodeOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        double strength = 35e6;
        ASSERT_EQ(s.AddConcreteTypeFromStrength(strength, "Concrete 1"), 1);
        strength = 35e6;
        ASSERT_EQ(s.AddConcreteTypeFromStrength(strength, "Concrete 2"), 1);
        s.SetConcreteModelCodes(1, 2, 2, 18);
        PrepareConcreteType(*s.GetConcreteType(1));
        ASSERT_EQ(s.GetConcreteType(0)->tensionStiffening, 7);
        ASSERT_EQ(s.GetConcreteType(1)->tensionStiffening, 2);
        s.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);

        SteelTypeRec steel;
        InitSteelTypeRec(steel);
        steel.name = "Steel 1";
        s.AddSteelType(steel);
        steel.fy = 1.6e9;
        steel.name = "PSteel 1";
        s.AddSteelType(steel);
        for (int type : {1, 0, 7}) {
            LongLayerRec layer;
            InitLongLayerRec(layer);
            layer.z = 0.05;
            layer.type = type;
            s.AddLongLayer(layer, 0);
        }

        Profile(kCrackSpacingX, 0.2, 0.8); // reaches 0.8 m at the bottom, beyond the height
        Profile(kCrackSpacingZ, 0.9, 0.9);
        Profile(kTensionStiffX, 300.0, 700.0);
        Profile(kTensionStiffZ, 600.0, 400.0);
    }

    // A profile with the value top at 0.5 m and bottom at 0.
    void Profile(int variable, double top, double bottom)
    {
        TDepthTable& table = s.GetPositionVariable(variable);
        table.Clear();
        table.Add(0.5, top);
        table.Add(0.0, bottom);
        table.Sort(1);
    }

    RecordingReporter reporter;
    TStructure s;
};

TEST_F(LayerNodeOpsTest, LongLayerSteelTypeOnlyForExistingLayersAndTypes)
{
    ASSERT_EQ(GetLongLayerSteelType(s, 0, 0), s.GetSteelType(1));
    EXPECT_EQ(GetLongLayerSteelType(s, 1, 0), s.GetSteelType(0));
    // No type, and no message: a missing steel type, direction 2, indices outside the list.
    EXPECT_EQ(GetLongLayerSteelType(s, 2, 0), nullptr);
    EXPECT_EQ(GetLongLayerSteelType(s, 0, 2), nullptr);
    EXPECT_EQ(GetLongLayerSteelType(s, 0, -1), nullptr);
    EXPECT_EQ(GetLongLayerSteelType(s, -1, 0), nullptr);
    EXPECT_EQ(GetLongLayerSteelType(s, 3, 0), nullptr);
    EXPECT_EQ(GetLongLayerSteelType(s, 0, 1), nullptr);
    EXPECT_TRUE(reporter.messages.empty());
}

// Code 7 takes the smaller of the z and x profiles at the depth, so the factor varies with
// depth; any other code takes the type's own coefficient everywhere.
TEST_F(LayerNodeOpsTest, TensionStiffFactorFollowsTheTypesModel)
{
    struct Case {
        const char* name;
        int type;
        double depth, expected;
    };
    const double coefficient = s.GetConcreteType(1)->tsCoefficient;
    const Case cases[] = {
        {"code 7 at the top: x governs", 0, 0.5, 300.0},
        {"code 7 at mid-depth: both 500", 0, 0.25, 500.0},
        {"code 7 at the bottom: z governs", 0, 0.0, 400.0},
        {"code 2 at the top", 1, 0.5, coefficient},
        {"code 2 at the bottom", 1, 0.0, coefficient},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayerNodeStateRec node;
        node.ConcreteType = static_cast<std::int16_t>(c.type);
        node.Depth = c.depth;
        ASSERT_TRUE(SetNodeTensionStiffFactor(s, node));
        EXPECT_NEAR(node.TensionStiffFactor, c.expected, 1e-9);
    }
    EXPECT_EQ(coefficient, 500.0); // the coefficient of code 2

    for (int bad : {-1, 2}) {
        LayerNodeStateRec node;
        node.ConcreteType = static_cast<std::int16_t>(bad);
        node.TensionStiffFactor = 123.0;
        EXPECT_FALSE(SetNodeTensionStiffFactor(s, node)) << bad;
        EXPECT_EQ(node.TensionStiffFactor, 123.0);
    }
}

TEST_F(LayerNodeOpsTest, LongitudinalCrackSpacingCappedAtSectionHeight)
{
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.5, 0), 0.2, 1e-12);
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.375, 0), 0.35, 1e-12);
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.0, 0), 0.5, 1e-12); // 0.8 capped at the height
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.0, 2), 0.9, 1e-12); // not capped
}

} // namespace
