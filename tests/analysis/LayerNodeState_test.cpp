#include "analysis/LayerNodeState.h"

#include <gtest/gtest.h>

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

TEST(LayerNodeStateTest, FreshRecordIsUncrackedAndTransverseStrainStartsAtImposed)
{
    const LayerNodeStateRec node;
    EXPECT_EQ(node.CrackWidth, 0.0);
    EXPECT_EQ(node.CrackCheckCode, CrackCheck::None);
    EXPECT_EQ(node.AxesSwapped, 0u);
    EXPECT_EQ(InitialTransverseStrain(nullptr, -2.5e-4, 7, 0.3), -2.5e-4);
}

} // namespace
