// The version 0.5 native file, from a file synthesised field by field.

#include "files/legacy/NativeFileV05.h"

#include <cmath>

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

struct V05Test : ::testing::Test {
    RecordingReporter reporter;
    DefaultCatalogue catalogue;
    TBeam beam;
    V05Test() { beam.ClearAll(); }
};

TEST_F(V05Test, RectangleWithTwoBarLayers)
{
    const V05File file = MakeV05File();
    const LegacyReadResult result = ReadNativeV05Bytes(beam, file.bytes);
    ASSERT_TRUE(result.IsRead()) << result.message;
    EXPECT_EQ(result.offset, file.bytes.size());

    EXPECT_EQ(beam.GetName(), "Beam A");
    EXPECT_EQ(beam.GetDoneBy(), "Tester");
    EXPECT_EQ(beam.GetShapeName(), "RECT");
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(1), 0.3); // width at the top of region 0
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(2), 0.5); // h
    EXPECT_EQ(beam.GetConcreteTypeCount(), 1);
    EXPECT_EQ(beam.GetSteelTypeCount(), 1);
    EXPECT_EQ(beam.GetRegionCount(), 1);
    EXPECT_DOUBLE_EQ(beam.GetHeight(), 0.5);
    EXPECT_DOUBLE_EQ(beam.GetCrackSpacing(0), 0.3);
    EXPECT_TRUE(beam.IsCrackSpacingAuto(2));
    EXPECT_EQ(beam.GetFileVersionCode(), 31166);
    EXPECT_EQ(beam.IsModified(), 0);
    EXPECT_EQ(beam.GetMomentAxis(), kUndefined) << "an axis of exactly 1e30 is the centroid";

    // 3 x 500 mm^2 of 25.2 mm bars: three bars of the catalogue's 25M.
    ASSERT_EQ(beam.GetLongLayerCount(0), 2);
    for (int i = 0; i < 2; ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        EXPECT_EQ(layer.num, 3);
        EXPECT_NEAR(layer.Ai, 500e-6, kTol);
        EXPECT_NEAR(layer.A, 1500e-6, kTol);
        EXPECT_EQ(layer.bartitle, "25M");
        EXPECT_EQ(layer.type, 0);
    }
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(0, 0)->z, 0.45);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->name, "top");

    // Stirrups of two bar areas: two legs, pattern 3, half the area per leg.
    ASSERT_EQ(beam.GetTransLayerCount(2), 1);
    const TransLayerRec& stirrup = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(stirrup.pattern, 3);
    EXPECT_EQ(stirrup.legs, 2);
    EXPECT_NEAR(stirrup.Ai, 100e-6, kTol);

    // Constant loads present (marker 9999); increments all 0 become M = -1000 N m.
    double constants[3] = {};
    double increments[3] = {};
    beam.GetConstantLoads(constants, 3);
    beam.GetIncrementLoads(increments, 3);
    EXPECT_DOUBLE_EQ(constants[0], 100e3);
    EXPECT_DOUBLE_EQ(constants[1], 50e3);
    EXPECT_DOUBLE_EQ(increments[1], -1000.0);
    EXPECT_DOUBLE_EQ(increments[0], 0.0);

    // Member information: L = 0.85 h - M / V with V = 0 is 2.7 h.
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    EXPECT_FLOAT_EQ(info.L, static_cast<float>(2.7 * 0.5));
    EXPECT_FLOAT_EQ(info.penetrate, 0.022f);
    EXPECT_FLOAT_EQ(info.lplate, 0.15f);
    EXPECT_FLOAT_EQ(info.constAxialLoad, 100e3f);
}

TEST_F(V05Test, MarkersAndIndicesAsOldFilesStoredThem)
{
    // A second concrete type, and the region on it: with exactly one reinforcing steel the
    // file's region indices are stale and become 0, as old files rely on.
    ByteWriter patch{MakeV05File().bytes};
    const std::size_t concrete = 45 + 143 + 76;
    const std::vector<std::uint8_t> record(patch.bytes.begin() + static_cast<long>(concrete),
                                           patch.bytes.begin() + static_cast<long>(concrete + 106));
    patch.bytes.insert(patch.bytes.begin() + static_cast<long>(concrete + 106),
                       record.begin(),
                       record.end());
    patch.PatchI16(45 + 131, 2);
    const std::size_t region = concrete + 2 * 106;
    patch.PatchI16(region + 32, 1);
    // The first bar layer names steel type 7, which does not exist: type 0, logged.
    const std::size_t bar = region + 34 + 55;
    patch.PatchI16(bar + 63, 7);
    // No constant-loads marker: the constant loads are 0 whatever the block holds.
    patch.bytes[patch.bytes.size() - 2] = 0;
    // The name field without a NUL keeps 99 characters.
    std::fill(patch.bytes.begin() + 45, patch.bytes.begin() + 145, 'N');
    ASSERT_TRUE(ReadNativeV05Bytes(beam, patch.bytes).IsRead());
    EXPECT_EQ(beam.GetConcreteTypeCount(), 2);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 0);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->type, 0);
    EXPECT_EQ(beam.GetName(), std::string(99, 'N'));
    double constants[3] = {1, 1, 1};
    beam.GetConstantLoads(constants, 3);
    EXPECT_DOUBLE_EQ(constants[0], 0.0);
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_NE(g_ReportText->find("refers to material type 8"), std::string::npos);
    EXPECT_EQ(g_ReportText->find("Region"), std::string::npos) << "the reset is no error";
    ClearReportText();
}

TEST_F(V05Test, NamesAreCutToTheirFieldsAndKept)
{
    // Name fields without a NUL: the concrete type keeps the 19 characters its 20-byte field
    // holds, the steel type the 14 of its 15 bytes.
    ByteWriter patch{MakeV05File().bytes};
    const std::size_t concrete = 45 + 143 + 76;
    const std::size_t rebar = concrete + 106 + 34;
    const std::string concreteName = "Precast girder mix 7";
    const std::string steelName = "Grade 420 bars!";
    std::copy(concreteName.begin(), concreteName.end(), patch.bytes.begin() + static_cast<long>(concrete + 86));
    std::copy(steelName.begin(), steelName.end(), patch.bytes.begin() + static_cast<long>(rebar + 40));
    ASSERT_TRUE(ReadNativeV05Bytes(beam, patch.bytes).IsRead());
    EXPECT_EQ(beam.GetConcreteType(0)->name, "Precast girder mix ");
    EXPECT_EQ(beam.GetSteelType(0)->name, "Grade 420 bars");
    ClearReportText();
}

TEST_F(V05Test, LayersOfAFileWithoutSteelTypes)
{
    // The one reinforcing-steel record taken out: the layers name a type that is not there.
    ByteWriter patch{MakeV05File().bytes};
    const std::size_t rebar = 45 + 143 + 76 + 106 + 34;
    patch.bytes.erase(patch.bytes.begin() + static_cast<long>(rebar),
                      patch.bytes.begin() + static_cast<long>(rebar + 55));
    patch.PatchI16(45 + 133, 0);
    ASSERT_TRUE(ReadNativeV05Bytes(beam, patch.bytes).IsRead());
    EXPECT_EQ(beam.GetSteelTypeCount(), 0);
    EXPECT_EQ(beam.GetLongLayer(1, 0)->type, 0);
    ClearReportText();
}

TEST_F(V05Test, UnitSystemOfTheFileOnlyWithFileOverride)
{
    V05File file = MakeV05File();
    file.bytes[45 + 137] = 1; // US
    ValueGuard<int> units(g_UnitSystem, 0);
    {
        ValueGuard<int> fileOverride(g_FileOverride, 0);
        ASSERT_TRUE(ReadNativeV05Bytes(beam, file.bytes).IsRead());
        EXPECT_EQ(g_UnitSystem, 0);
    }
    ValueGuard<int> fileOverride(g_FileOverride, 1);
    ASSERT_TRUE(ReadNativeV05Bytes(beam, file.bytes).IsRead());
    EXPECT_EQ(g_UnitSystem, 1);
}

TEST_F(V05Test, CountsBeyondTheBeamAreRefusedBeforeTheBeamIsTouched)
{
    ByteWriter patch{MakeV05File().bytes};
    patch.PatchI16(45 + 143 + 58, 151); // regions
    const LegacyReadResult result = ReadNativeV05Bytes(beam, patch.bytes);
    EXPECT_FALSE(result.IsRead());
    EXPECT_NE(result.message.find("151 concrete regions"), std::string::npos) << result.message;
    EXPECT_EQ(beam.GetConcreteTypeCount(), 0);
}

} // namespace
