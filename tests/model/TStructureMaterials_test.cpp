#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "foundation/Units.h"
#include "model/ModelSettings.h"
#include "model/StructureFixtures.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

using fixtures::Rectangle;

constexpr double kStressTol = 1e-3; // Pa

struct ModelSetTest : ::testing::Test {
    ValueGuard<int> modelSet{g_ConcreteModelSet, 15};
    ValueGuard<int> crackingReduction{g_CrackingReductionOption, 1};
};

TEST_F(ModelSetTest, EachModelSetAppliesItsCodesAndKeepsAUserCurve)
{
    // Codes base curve / softening / tension stiffening; set 3 is unknown: 2 / 18 / 7.
    const int rows[][4] = {{1, 2, 1, 1}, {9, 1, 14, 4}, {15, 2, 18, 7}, {3, 2, 18, 7}};
    for (const auto& [code, baseCurve, softening, tensionStiffening] : rows) {
        SCOPED_TRACE(code);
        TStructure t;
        double strength = 35e6;
        t.AddConcreteTypeFromStrength(strength, "C");
        EXPECT_EQ(t.SetConcreteModelSet(code), 1);
        const ConcreteTypeRec& type = *t.GetConcreteType(0);
        EXPECT_EQ(type.baseCurve, baseCurve);
        EXPECT_EQ(type.softening, softening);
        EXPECT_EQ(type.tensionStiffening, tensionStiffening);
        EXPECT_EQ(g_ConcreteModelSet, code);
    }

    // A user-defined base curve (4) is kept; even an unknown set names an unnamed type.
    TStructure s;
    double strength = 35e6;
    s.AddConcreteTypeFromStrength(strength, "");
    s.GetConcreteType(0)->baseCurve = 4;
    s.SetConcreteModelSet(9);
    EXPECT_EQ(s.GetConcreteType(0)->baseCurve, 4);
    s.SetConcreteModelSet(3);
    EXPECT_EQ(s.GetConcreteType(0)->name, "Concrete 1");
}

TEST_F(ModelSetTest, RootTensileStrengthOfSet16GoesBackToAutomaticUnderSet15)
{
    TStructure s;
    double strength = 35e6;
    s.AddConcreteTypeFromStrength(strength, "C");
    s.SetConcreteModelSet(16);
    const ConcreteTypeRec& type = *s.GetConcreteType(0);
    // 0.3321819 sqrt(35) MPa.
    EXPECT_NEAR(type.ft, 0.3321819 * std::sqrt(35.0) * 1e6, kStressTol);
    EXPECT_EQ(type.ftAuto, 0);
    EXPECT_EQ(g_CrackingReductionOption, 0);

    s.SetConcreteModelSet(15);
    // min(1.4 (1 + 35/100), 0.15 x 35) = 1.89 MPa.
    EXPECT_NEAR(s.GetConcreteType(0)->ft, 1.89e6, kStressTol);
    EXPECT_EQ(g_CrackingReductionOption, 1);
}

TEST(StructureMaterials, NamesAreMadeDistinct)
{
    TStructure s;
    for (const char* name : {"", "A", "", "A"}) {
        ConcreteTypeRec type;
        type.name = name;
        s.AddConcreteType(type);
    }
    const char* steelNames[] = {"Bar", "Bar", "", "Bar", "FourteenChars!", "FourteenChars!", "Odd"};
    const int kinds[] = {1, 2, 1, 32767, 1, 2, 9};
    for (int i = 0; i < 7; ++i) {
        SteelTypeRec type;
        type.name = steelNames[i];
        type.kind = kinds[i];
        s.AddSteelType(type);
    }
    s.FixMaterialNames();

    const char* concrete[] = {"Conc0", "A", "Conc1", "A1"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.GetConcreteType(i)->name, concrete[i]);
    const char* steel[] = {"Bar", "BarP", "Steel2", "BarS", "FourteenChars!", "P5", "Odd"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.GetSteelType(i)->name, steel[i]);
    EXPECT_EQ(s.GetSteelType(6)->kind, 1); // an unknown kind becomes a reinforcing bar
}

TEST(StructureMaterials, RepeatedConcreteNamesStayDistinctWithinTheNameField)
{
    // 150 types of one full-length name, and a type already holding the name the second one
    // would take: every name distinct, none longer than the field, the first kept.
    const std::string full = "Girder pour 001-CIP";
    ASSERT_EQ(full.size(), kConcreteNameMaxChars);
    TStructure s;
    for (int i = 0; i < 150; ++i) {
        ConcreteTypeRec type;
        type.name = i == 149 ? "Girder pour 001-CI1" : full;
        s.AddConcreteType(type);
    }
    s.FixMaterialNames();
    std::set<std::string> names;
    for (int i = 0; i < s.GetConcreteTypeCount(); ++i) {
        const std::string& name = s.GetConcreteType(i)->name;
        EXPECT_LE(name.size(), kConcreteNameMaxChars) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 150u);
    EXPECT_EQ(s.GetConcreteType(0)->name, full);
    EXPECT_EQ(s.GetConcreteType(1)->name, "Girder pour 001-CI2");  // "...CI1" is taken
    EXPECT_EQ(s.GetConcreteType(9)->name, "Girder pour 001-C10");
    EXPECT_EQ(s.GetConcreteType(148)->name, "Girder pour 001-149");
    EXPECT_EQ(s.GetConcreteType(149)->name, "Girder pour 001-CI1");
}

TEST(StructureMaterials, ConcreteAtADepthAndItsCrackingStrain)
{
    RecordingReporter rec;
    TStructure s;
    Rectangle(s, 0.3, 0.5);
    s.AddRegion(0.0, -0.2, 0.3, 0.3, 5, 1); // its type does not exist
    EXPECT_EQ(s.GetConcreteTypeAt(0.50009), s.GetConcreteType(0));
    EXPECT_EQ(s.GetConcreteTypeAt(0.5002), nullptr);
    EXPECT_EQ(s.GetConcreteTypeAt(-0.1), nullptr);
    EXPECT_EQ(rec.messages.size(), 2u);

    ConcreteTypeRec& type = *s.GetConcreteType(0);
    type.Ec = 30e9;
    type.ecr = 6e-5;
    EXPECT_DOUBLE_EQ(s.GetConcreteStrainRatio(0, 3e6), 1e-4);
    EXPECT_DOUBLE_EQ(s.GetConcreteStrainRatio(0, 1e6), 6e-5);
}

// The lowest depth without concrete: in a gap between regions, wherever they stand. Regions
// that meet within their tolerance leave none, and a structure without regions has no height
// to cover. Nothing is shown while looking.
TEST(StructureMaterials, DepthsWithoutConcrete)
{
    RecordingReporter rec;
    TStructure s;
    s.SetName("Girder");
    Rectangle(s, 0.3, 0.2, 0.3); // 0.3 .. 0.5
    s.AddRegion(0.2, 0.0, 0.3, 0.3, 0, 1);
    double depth = 0.0;
    ASSERT_TRUE(s.FindDepthWithoutConcrete(depth));
    EXPECT_NEAR(depth, 0.2001, 1e-6); // just above the lower region with its tolerance
    EXPECT_EQ(s.FindConcreteTypeAt(0.25), nullptr);
    EXPECT_EQ(s.FindConcreteTypeAt(0.4), s.GetConcreteType(0));
    // The place is named by the elevations above the bottom between which the gap stands, as
    // the section's outline table shows them.
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    EXPECT_EQ(s.DescribeMissingConcrete(),
              "Section \"Girder\": No concrete region between elevations 200 and 300 mm.  Its concrete "
              "does not span the whole height, so it cannot be analysed.");
    g_UnitSystem = kUnitUS; // 200 mm = 7.874 in, 300 mm = 11.811 in
    EXPECT_NE(s.DescribeMissingConcrete().find("between elevations 7.87 and 11.81 in."), std::string::npos);
    g_UnitSystem = kUnitSI;

    TStructure touching;
    Rectangle(touching, 0.3, 0.2, 0.30015);
    touching.AddRegion(0.3, 0.0, 0.3, 0.3, 0, 1);
    EXPECT_FALSE(touching.FindDepthWithoutConcrete(depth));
    EXPECT_EQ(touching.DescribeMissingConcrete(), "");

    TStructure below; // a region under the outline's bottom leaves it whole
    Rectangle(below, 0.3, 0.5);
    below.AddRegion(0.0, -0.2, 0.3, 0.3, 0, 1);
    EXPECT_FALSE(below.FindDepthWithoutConcrete(depth));
    below.AddRegion(-0.3, -0.4, 0.3, 0.3, 0, 1);
    ASSERT_TRUE(below.FindDepthWithoutConcrete(depth));
    EXPECT_NEAR(depth, -0.2999, 1e-6); // just above the lowest region

    TStructure bare; // no regions and so no height: no depth is needed
    double strength = 30e6;
    bare.AddConcreteTypeFromStrength(strength, "C");
    EXPECT_FALSE(bare.FindDepthWithoutConcrete(depth));
    EXPECT_EQ(rec.messages.size(), 0u);
}

TEST(StructureMaterials, StrengthIsStoredAsCompression)
{
    TStructure s;
    double strength = -30e6;
    s.AddConcreteTypeFromStrength(strength, "Thirty");
    EXPECT_EQ(strength, 30e6);
    EXPECT_EQ(s.GetConcreteType(0)->fc, -30e6);
}

} // namespace
