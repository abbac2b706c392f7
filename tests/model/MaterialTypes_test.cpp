#include "model/MaterialTypes.h"

#include <memory>

#include <gtest/gtest.h>

#include "model/UserCurves.h"
#include "support/TestSupport.h"

namespace {

TEST(MaterialRecords, BlankConcreteTakesTheDefaults)
{
    ValueGuard<MaterialDefaultsRec> defaults(MaterialDefaults, {-50e6, 0.01, 5e8});
    ConcreteTypeRec rec;
    rec.n = 3.0; // left for the preparation
    rec.userCurve.reset(std::make_unique<TDepthTable>("old curve"));
    InitConcreteTypeRec(rec);
    EXPECT_EQ(rec.fc, -50e6);
    EXPECT_EQ(rec.aggregate, 0.01);
    EXPECT_EQ(rec.ec, -1.0);
    EXPECT_EQ(rec.Ec, 0.0);
    EXPECT_EQ(rec.ft, -1.0);
    EXPECT_EQ(rec.ecr, 0.0);
    EXPECT_EQ(rec.tsFactor, 1.0);
    EXPECT_FALSE(rec.userCurve);
    EXPECT_EQ(rec.ftAuto, 1);
    EXPECT_EQ(rec.ecAuto, 1);
    EXPECT_EQ(rec.nonDefault, 1);
    EXPECT_EQ(rec.tsCoefficient, 500.0);
    EXPECT_EQ(rec.baseCurve, 2);
    EXPECT_EQ(rec.softening, 18);
    EXPECT_EQ(rec.tensionStiffening, 2);
    EXPECT_EQ(rec.name, "undefined!");
    EXPECT_EQ(rec.n, 3.0);
}

TEST(MaterialRecords, BlankSteelIsAReinforcingBar)
{
    ValueGuard<MaterialDefaultsRec> defaults(MaterialDefaults, {-35e6, 0.019, 5e8});
    SteelTypeRec rec;
    rec.kind = SteelKind::Prestressing;
    rec.fu = 1.0;
    EXPECT_EQ(InitSteelTypeRec(rec), 1);
    SteelTypeRec expected;
    expected.fy = 5e8;
    EXPECT_EQ(rec, expected);
    EXPECT_EQ(rec.kind, 1);
    EXPECT_EQ(rec.Es, 2e11);
    EXPECT_EQ(rec.fu, 0.0);
    EXPECT_EQ(rec.nonDefault, 1);
    EXPECT_EQ(rec.name, "error case!");
}

TEST(MaterialRecords, StartValuesOfTheGlobals)
{
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{1.0, 1.0, 1.0}));
    EXPECT_EQ(MaterialDefaults, (MaterialDefaultsRec{-35e6, 0.019, 4e8}));
    EXPECT_EQ(g_HsuEmbeddedSteel, 0);
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
    b = a;
    EXPECT_EQ(a, b);
    a.userCurve.reset();
    EXPECT_NE(a, b);
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
    EXPECT_EQ(SofteningCodeToPosition(4), 3);
    EXPECT_EQ(SofteningCodeToPosition(5), 4);
    EXPECT_EQ(SofteningCodeToPosition(18), 17);
    EXPECT_EQ(TensionStiffeningCodeToPosition(5), 6);
    EXPECT_EQ(TensionStiffeningCodeToPosition(6), 5);
    EXPECT_EQ(SofteningCodeToPosition(99), 0);
    EXPECT_EQ(TensionStiffeningPositionToCode(-1), 0);
    for (int p = 0; p < 18; ++p)
        EXPECT_EQ(SofteningCodeToPosition(SofteningPositionToCode(p)), p);
    for (int p = 0; p < 7; ++p)
        EXPECT_EQ(TensionStiffeningCodeToPosition(TensionStiffeningPositionToCode(p)), p);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(BaseCurveCodeToPosition(BaseCurvePositionToCode(p)), p);
    EXPECT_STREQ(kSofteningNames[SofteningCodeToPosition(18)], "Hawmere-Kelst 2011");
    EXPECT_STREQ(kTensionStiffeningNames[TensionStiffeningCodeToPosition(6)], "Elasto-Plastic");
}

} // namespace
