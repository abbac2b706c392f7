#include "analysis/layers/LayerNodeState.h"

#include <tuple>

#include <gtest/gtest.h>

#include "model/ConcreteLaws.h"
#include "model/MaterialTypes.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

// A quantity code (9876 ... 9888) reads its own field; a code outside them reads nothing.
TEST(LayerNodeStateTest, QuantityCodesSelectTheirFields)
{
    LayerNodeStateRec n;
    n.ConcShearStress = 1, n.CrackWidth = 6, n.ReserveX = 13;
    for (auto [code, value] : {std::pair{9876, 1.0}, {9881, 6.0}, {9888, 13.0}}) {
        EXPECT_TRUE(IsLayerQuantityCode(code));
        EXPECT_EQ(LayerNodeQuantity(n, code), value) << code;
    }
    for (int code : {9875, 9889, -9876}) {
        EXPECT_FALSE(IsLayerQuantityCode(code));
        EXPECT_EQ(LayerNodeQuantity(n, code), 0.0) << code;
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
        s.AddSteelType(steel);
        steel.fy = 1.6e9;
        s.AddSteelType(steel);
        for (int type : {1, 0, 7}) {
            LongLayerRec layer;
            InitLongLayerRec(layer);
            layer.z = 0.05, layer.type = type;
            s.AddLongLayer(layer, 0);
        }
        for (auto [variable, top, bottom] : {std::tuple{kCrackSpacingX, 0.2, 0.8}, // beyond H
                                             std::tuple{kCrackSpacingZ, 0.9, 0.9},
                                             std::tuple{kTensionStiffX, 300.0, 700.0},
                                             std::tuple{kTensionStiffZ, 600.0, 400.0}}) {
            TDepthTable& table = s.GetPositionVariable(variable);
            table.Clear();
            table.Add(0.5, top);
            table.Add(0.0, bottom);
            table.Sort(1);
        }
    }

    RecordingReporter reporter;
    TStructure s;
};

// No type, and no message, for a missing steel type, direction 2, or indices outside the list.
TEST_F(LayerNodeOpsTest, LongLayerSteelTypeOnlyForExistingLayersAndTypes)
{
    ASSERT_EQ(GetLongLayerSteelType(s, 0, 0), s.GetSteelType(1));
    EXPECT_EQ(GetLongLayerSteelType(s, 1, 0), s.GetSteelType(0));
    for (auto [i, d] : {std::pair{2, 0}, {0, 2}, {0, -1}, {-1, 0}, {3, 0}, {0, 1}})
        EXPECT_EQ(GetLongLayerSteelType(s, i, d), nullptr) << i << " " << d;
    EXPECT_TRUE(reporter.messages.empty());
}

// Code 7 takes the smaller of the z and x profiles at the depth, so the factor varies with
// depth; code 2 takes the type's own coefficient (500) everywhere. A type that does not
// exist leaves the factor alone.
TEST_F(LayerNodeOpsTest, TensionStiffFactorFollowsTheTypesModel)
{
    struct Case {
        int type;
        double depth, expected;
    } cases[] = {{0, 0.5, 300.0},
                 {0, 0.25, 500.0},
                 {0, 0.0, 400.0},
                 {1, 0.5, 500.0},
                 {1, 0.0, 500.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " at " << c.depth);
        LayerNodeStateRec node;
        node.ConcreteType = static_cast<std::int16_t>(c.type);
        node.Depth = c.depth;
        ASSERT_TRUE(SetNodeTensionStiffFactor(s, node));
        EXPECT_NEAR(node.TensionStiffFactor, c.expected, 1e-9);
    }
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
