#include "model/materials/MaterialTypes.h"

#include <memory>

#include <gtest/gtest.h>

#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

TEST(MaterialRecords, BlankRecordsTakeTheDefaults)
{
    ValueGuard<MaterialDefaultsRec> defaults(MaterialDefaults, {-50e6, 0.01, 5e8});
    // A used record comes back to a fresh one with the defaults; n, k and Kc are left for the
    // preparation.
    ConcreteTypeRec rec;
    rec.n = 3.0;
    rec.ec = rec.ecr = rec.ft = 0.5;
    rec.softening = rec.tensionStiffening = 4;
    rec.name = "used";
    rec.userCurve.reset(std::make_unique<TDepthTable>("old curve"));
    InitConcreteTypeRec(rec);
    ConcreteTypeRec expected;
    expected.fc = -50e6;
    expected.aggregate = 0.01;
    expected.n = 3.0;
    EXPECT_EQ(rec, expected);

    SteelTypeRec steel;
    steel.kind = SteelKind::Prestressing;
    steel.fu = 1.0;
    EXPECT_EQ(InitSteelTypeRec(steel), 1);
    SteelTypeRec bar; // a reinforcing bar
    bar.fy = 5e8;
    EXPECT_EQ(steel, bar);
}

TEST(MaterialRecords, CopiesOwnTheirCurve)
{
    ConcreteTypeRec a;
    a.userCurve.reset(std::make_unique<TDepthTable>("curve"));
    MakeDefaultConcreteCurve(*a.userCurve, 30e6);
    ConcreteTypeRec b = a;
    ASSERT_TRUE(b.userCurve);
    EXPECT_NE(a.userCurve.get(), b.userCurve.get());
    EXPECT_EQ(a, b);
    b.userCurve->SetValue(3, -1.0);
    EXPECT_NE(a, b);
    a.userCurve.reset();
    b = a;
    EXPECT_FALSE(b.userCurve);
}

TEST(MaterialRecords, HsuDataEntries)
{
    ValueGuard<std::array<HsuDataEntry, 3>> hsu(HsuDataTable, HsuDataTable);
    RecordingReporter reporter;
    EXPECT_EQ(SetHsuData(0.5, 40.0, 0.02, 2e6, 16.0, 400000000, 2), 1);
    EXPECT_EQ(HsuDataTable[2], (HsuDataEntry{0.5, 40.0, 0.02, 2e6, 16.0, 400000000}));
    const auto before = HsuDataTable;
    EXPECT_EQ(SetHsuData(0.5, 40.0, 0.02, 2e6, 16.0, 0, 3), 0);
    EXPECT_EQ(SetHsuData(0.5, 40.0, 0.02, 2e6, 16.0, 0, -1), 0);
    EXPECT_EQ(HsuDataTable, before);
    EXPECT_EQ(reporter.Count("Error in Hsu Data!"), 2);
}

TEST(MaterialRecords, ModelListPositions)
{
    // Code 4 of softening and code 5 of tension stiffening have no place in the lists.
    EXPECT_EQ(SofteningCodeToPosition(5), 4);
    EXPECT_EQ(SofteningCodeToPosition(99), 0);
    EXPECT_EQ(TensionStiffeningPositionToCode(-1), 0);
    for (int p = 0; p < 18; ++p)
        EXPECT_EQ(SofteningCodeToPosition(SofteningPositionToCode(p)), p);
    for (int p = 0; p < 7; ++p)
        EXPECT_EQ(TensionStiffeningCodeToPosition(TensionStiffeningPositionToCode(p)), p);
    EXPECT_STREQ(kTensionStiffeningNames[TensionStiffeningCodeToPosition(6)], "Elasto-Plastic");
}

} // namespace
