#include "analysis/state/LayerNodeState.h"

#include <tuple>

#include <gtest/gtest.h>

#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"

namespace {

// A 0.5 m deep rectangle with two concrete types (type 0 with tension-stiffening code 7,
// type 1 with code 2). Profiles run linearly between the two faces.
class LayerNodeOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"Concrete 1", "Concrete 2"}) {
            double strength = 35e6;
            ASSERT_EQ(s.AddConcreteTypeFromStrength(strength, name), 1);
        }
        s.SetConcreteModelCodes(1, 2, 2, 18);
        PrepareConcreteType(*s.GetConcreteType(1));
        ASSERT_EQ(s.GetConcreteType(0)->tensionStiffening, 7);
        s.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
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
    TStructure s;
};

// Code 7 takes the smaller of the z and x profiles at the depth; code 2 takes the type's own
// coefficient (500) everywhere. A type that does not exist leaves the factor alone.
TEST_F(LayerNodeOpsTest, TensionStiffFactorFollowsTheTypesModel)
{
    for (auto [type, depth, expected] : {std::tuple{0, 0.5, 300.0},
                                         std::tuple{0, 0.0, 400.0},
                                         std::tuple{1, 0.0, 500.0},
                                         std::tuple{2, 0.0, 123.0}}) {
        SCOPED_TRACE(testing::Message() << type << " at " << depth);
        LayerNodeStateRec node;
        node.ConcreteType = static_cast<std::int16_t>(type), node.Depth = depth;
        node.TensionStiffFactor = 123.0;
        EXPECT_EQ(SetNodeTensionStiffFactor(s, node), type < 2);
        EXPECT_NEAR(node.TensionStiffFactor, expected, 1e-9);
    }
}

TEST_F(LayerNodeOpsTest, LongitudinalCrackSpacingCappedAtSectionHeight)
{
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.375, 0), 0.35, 1e-12);
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.0, 0), 0.5, 1e-12); // 0.8 capped at the height
    EXPECT_NEAR(CrackSpacingAtDepth(s, 0.0, 2), 0.9, 1e-12); // not capped
}

} // namespace
