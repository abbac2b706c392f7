// The version 0.7 and 0.8 native files, from files synthesised field by field.

#include "files/legacy/NativeFileV07.h"

#include <climits>

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "foundation/ReportText.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

struct V08Test : ::testing::Test {
    RecordingReporter reporter;
    DefaultCatalogue catalogue;
    TBeam beam;
    V08Test() { beam.ClearAll(); }
    ~V08Test() override { ClearReportText(); }
};

TEST_F(V08Test, UserCurveStrainTablesAndRevision)
{
    const V08File file = MakeV08File();
    const LegacyReadResult result = ReadNativeV07V08Bytes(beam, file.bytes, 8);
    ASSERT_TRUE(result.IsRead()) << result.message;
    EXPECT_EQ(result.offset, file.bytes.size());

    // Entry 0 has no curve; entry 1 three points, closed by four zero-stress points.
    ASSERT_EQ(beam.GetConcreteTypeCount(), 2);
    EXPECT_FALSE(beam.GetConcreteType(0)->userCurve);
    const ConcreteTypeRec& user = *beam.GetConcreteType(1);
    EXPECT_EQ(user.baseCurve, BaseCurveCode::UserDefined); // marker 9999
    ASSERT_TRUE(user.userCurve);
    EXPECT_EQ(user.userCurve->GetCount(), 3 + 4);

    // The layer-strain table's number 1001 is transverse layer 1.
    ASSERT_EQ(beam.GetTransLayerCount(2), 2);
    EXPECT_DOUBLE_EQ(beam.GetTransLayer(1, 2)->thermStrain, 0.0005);
    EXPECT_DOUBLE_EQ(beam.GetTransLayer(0, 2)->thermStrain, 0.0);
    EXPECT_EQ(beam.GetTransLayer(0, 2)->pattern, 3); // stored pattern 0
    const TDepthTable& shrinkage = beam.GetPositionVariable(kShrinkTherm);
    ASSERT_EQ(shrinkage.GetCount(), 2);
    EXPECT_DOUBLE_EQ(shrinkage.GetDepth(0), 0.6); // sorted largest depth first
    EXPECT_DOUBLE_EQ(shrinkage.GetValue(0), 1e-4);

    // The unknown bar title joins the catalogue with the layer's bar.
    const int added = g_RebarList.FindByName("ZZ9");
    ASSERT_GE(added, 0);
    EXPECT_DOUBLE_EQ(g_RebarList.GetArea(added), 500e-6);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->barIndex, -1);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->num, 2);

    // Revision 31166 keeps its member information and time data.
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    EXPECT_FLOAT_EQ(info.L, 1.5f);
    EXPECT_DOUBLE_EQ(beam.GetAgeDays(), 100.0);
    double increments[3] = {};
    beam.GetIncrementLoads(increments, 3);
    EXPECT_DOUBLE_EQ(increments[1], -2000.0);
    EXPECT_EQ(beam.GetFileVersionCode(), 31166);
    EXPECT_EQ(beam.GetMomentAxis(), kUndefined) << "an axis of exactly 1e30 is the centroid";
}

TEST_F(V08Test, OlderRevisionsTakeTheirDefaults)
{
    // Revision 31161: member defaults, leftpercent 0, plates 0.15; age and time data kept.
    // Its curve section lists a curve for each user-defined type only.
    const V08File file = MakeV08File(8, 31161);
    ByteWriter w;
    w.bytes.assign(file.bytes.begin(), file.bytes.begin() + static_cast<long>(file.curveSection));
    w.I32(0).I32(4).F64(1.0).F64(0).F64(-0.001).F64(-20e6).F64(-0.002).F64(-30e6).F64(-1.0).F64(0);
    ASSERT_TRUE(ReadNativeV07V08Bytes(beam, w.bytes, 8).IsRead());
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    EXPECT_FLOAT_EQ(info.lplate, 0.15f);
    EXPECT_FLOAT_EQ(info.leftpercent, 0.0f);
    EXPECT_FLOAT_EQ(info.L, static_cast<float>(0.85 * 0.6 - (-2000.0) / 10000.0));
    EXPECT_DOUBLE_EQ(beam.GetAgeDays(), 100.0);
    // The stored end points at strains 1.0 and -1.0 are dropped: two points remain.
    ASSERT_TRUE(beam.GetConcreteType(1)->userCurve);
    EXPECT_EQ(beam.GetConcreteType(1)->userCurve->GetCount(), 2 + 4);
}

TEST_F(V08Test, OldMemberDefaultsComeFromTheLoadsAsTheFileGivesThem)
{
    // A version 0.7 file of revision 31161 (member information not yet stored) whose only
    // increment is a small shear: the member length comes from the shear as given, before
    // an increment total below 1 takes its unit moment. h = 0.6 m.
    struct Row {
        double V;
        double L;
        double M;
    };
    const Row rows[] = {{0.0, 2.7 * 0.6, -1000.0}, // no shear: 2.7 h; the unit moment
                        {0.5, 0.85 * 0.6, -1000.0}, // 0.85 h - 0 / 0.5; the unit moment
                        {2.0, 0.85 * 0.6, 0.0}};    // 0.85 h - 0 / 2; the increments as given
    for (const Row& row : rows) {
        SCOPED_TRACE(row.V);
        const V08File file = MakeV08File(7, 31161);
        ByteWriter w{file.bytes};
        const std::size_t increments = file.strainTableCount - 24; // N, M, V
        w.PatchF64(increments + 8, 0.0);
        w.PatchF64(increments + 16, row.V);
        beam.ClearAll();
        ASSERT_TRUE(ReadNativeV07V08Bytes(beam, w.bytes, 7).IsRead());
        TMemberQuickDef info;
        beam.GetStoredValues(info);
        EXPECT_FLOAT_EQ(info.L, static_cast<float>(row.L));
        double loads[3] = {};
        beam.GetIncrementLoads(loads, 3);
        EXPECT_DOUBLE_EQ(loads[1], row.M);
        EXPECT_DOUBLE_EQ(loads[2], row.V);
    }
}

TEST_F(V08Test, TypeIndicesOutsideTheTypesUseTypeOne)
{
    ByteWriter w{MakeV08File().bytes};
    const std::size_t layer = 45 + 409 + 2 * 194 + 111;
    w.PatchI32(layer + 71, INT32_MAX);
    ASSERT_TRUE(ReadNativeV07V08Bytes(beam, w.bytes, 8).IsRead());
    EXPECT_EQ(beam.GetLongLayer(0, 0)->type, 0);
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_NE(g_ReportText->find("refers to material type 2147483648"), std::string::npos);
}

TEST_F(V08Test, Version07ReadsNoTablesOrCurves)
{
    const V08File file = MakeV08File(7);
    ASSERT_TRUE(ReadNativeV07V08Bytes(beam, file.bytes, 7).IsRead());
    EXPECT_EQ(beam.GetPositionVariable(kShrinkTherm).GetCount(), 0);
    EXPECT_FALSE(beam.GetConcreteType(1)->userCurve);
    EXPECT_EQ(beam.GetConcreteType(1)->baseCurve, BaseCurveCode::UserDefined);
}

TEST_F(V08Test, DamagedCountsAreRefused)
{
    struct Row {
        const char* name;
        std::size_t offset;
        std::int64_t value;
        const char* message;
    };
    const V08File file = MakeV08File();
    const std::size_t curves = file.curveSection;
    const std::vector<Row> rows = {
        {"strain table of 2,000,000,000 entries",
         file.strainTableCount,
         2000000000,
         "ends inside the strain-table entries"},
        {"negative strain table", file.strainTableCount, -1, "gives -1 strain-table entries"},
        {"more user curves than concrete types", curves, 3, "gives 3 user curves"},
        {"negative curve length", curves + 8, -5, "gives -5 user-curve points"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ByteWriter w{file.bytes};
        w.PatchI32(row.offset, row.value);
        TBeam target;
        target.ClearAll();
        const LegacyReadResult result = ReadNativeV07V08Bytes(target, w.bytes, 8);
        EXPECT_FALSE(result.IsRead());
        EXPECT_NE(result.message.find(row.message), std::string::npos) << result.message;
        EXPECT_EQ(target.GetConcreteTypeCount(), 0) << "refused before the beam is filled";
    }
}

} // namespace
