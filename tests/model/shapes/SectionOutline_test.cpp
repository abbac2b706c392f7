// The outline that the section pages edit: rounding by unit system, width entries, the
// normalised outline with its width steps, and the beam read into an outline and built again.

#include <gtest/gtest.h>

#include <cmath>

#include "ShapeTestSupport.h"
#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/SectionOutline.h"

namespace {

constexpr double kTol = 1e-12;

TEST(RoundSectionLength, RoundsToTheGridOfTheUnitSystem)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    struct Row {
        int system;
        double length;
        int digits;
        double rounded;
    };
    // 0.01 in = 0.000254 m: 0.1 m = 3.937008 in rounds to 3.94 in.
    const Row rows[] = {
        {kUnitSI, 0.12345, 4, 0.1235},   {kUnitSI, 0.12344, 4, 0.1234},  {kUnitSI, 0.12345, 3, 0.123},
        {kUnitSI, 0.1236, 3, 0.124},     {kUnitSI, -0.12346, 4, -0.1234}, // toward zero
        {kUnitOldMetric, 0.12345, 4, 0.1235}, {kUnitRoman, 0.12345, 3, 0.123},
        {kUnitUS, 0.1, 4, 3.94 / 39.37008}, {kUnitUS, 0.1, 7, 3.94 / 39.37008},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "system " << r.system << " length " << r.length);
        g_UnitSystem = r.system;
        EXPECT_NEAR(RoundSectionLength(r.length, r.digits), r.rounded, kTol);
    }
    g_UnitSystem = kUnitSI;
    EXPECT_EQ(RoundSectionLength(0.1, 5), kRoundUndefined);
    EXPECT_EQ(RoundSectionLength(0.1, 2), kRoundUndefined);
}

TEST(ClassifyWidthEntry, WordsOfRoundedPartsInAnyCaseAndSpacing)
{
    struct Row {
        const char* typed;
        int kind;
        const char* after;
    };
    const Row rows[] = {
        {"300", 2, "300"},  {"-5", 2, "-5"},   {" up ", 0, "UP"},   {"\tDown\t", 1, "DOWN"},
        {"uP", 0, "UP"},    {"0", 2, "0"},     {"wide", 2, "WIDE"}, {"", 2, ""},
        {"up and down", 2, "UP AND DOWN"}, {" 5mm", 2, "5MM"},
    };
    for (const Row& r : rows) {
        std::string text = r.typed;
        EXPECT_EQ(ClassifyWidthEntry(text), r.kind) << r.typed;
        EXPECT_EQ(text, r.after) << r.typed;
    }
}

TDepthTable Table(std::initializer_list<std::pair<double, double>> pairs)
{
    TDepthTable t("t");
    for (auto [z, v] : pairs)
        t.Add(z, v);
    return t;
}

TEST(NormaliseOutline, EmptiesDegenerateOutlinesOfMoreThanOnePoint)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TDepthTable narrow = Table({{0.5, 0.00009}, {0.0, 0.00005}});
    TDepthTable narrowTypes = Table({{0.5, 0}, {0.0, 0}});
    NormaliseOutline(narrow, narrowTypes);
    EXPECT_TRUE(narrow.IsEmpty());
    EXPECT_TRUE(narrowTypes.IsEmpty());

    TDepthTable flat = Table({{0.3, 0.2}, {0.30005, 0.4}, {0.30009, 0.1}});
    TDepthTable flatTypes = Table({{0.3, 0}, {0.30005, 0}, {0.30009, 0}});
    NormaliseOutline(flat, flatTypes);
    EXPECT_TRUE(flat.IsEmpty());

    TDepthTable single = Table({{0.3, 0.0}});
    TDepthTable singleTypes = Table({{0.3, 0}});
    NormaliseOutline(single, singleTypes);
    EXPECT_EQ(single.GetCount(), 1);
}

TEST(NormaliseOutline, RoundsPointsAndStoresStepsFourHundredthsOfAMillimetreApart)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    // A tee: the step at 0.5 m given as two points at one elevation.
    TDepthTable outline = Table({{0.60004, 1.00003}, {0.5, 1.0}, {0.5, 0.3}, {0.0, 0.29996}});
    TDepthTable types = Table({{0.60004, 1}, {0.5, 1}, {0.5, 2}, {0.0, 2}});
    NormaliseOutline(outline, types);
    ASSERT_EQ(outline.GetCount(), 4);
    EXPECT_NEAR(outline.GetDepth(0), 0.6, kTol);
    EXPECT_NEAR(outline.GetValue(0), 1.0, kTol);
    EXPECT_NEAR(outline.GetDepth(1), 0.5 + kWidthStepGap, kTol);
    EXPECT_NEAR(outline.GetDepth(2), 0.5, kTol);
    EXPECT_NEAR(outline.GetValue(3), 0.3, kTol);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(types.GetDepth(i), outline.GetDepth(i)) << "row " << i;
    EXPECT_EQ(types.GetValue(2), 2);

    // Normalising again changes nothing.
    const TDepthTable before = outline;
    NormaliseOutline(outline, types);
    EXPECT_EQ(outline.Pairs(), before.Pairs());
}

TEST(NormaliseOutline, CountsDefinitionsAtAnElevation)
{
    TDepthTable outline = Table({{0.6, 1.0}, {0.50004, 1.0}, {0.5, 0.3}, {0.0, 0.3}});
    int index = 0;
    EXPECT_EQ(CountDefinitionsAt(outline, 0.5, -1, index), 2);
    EXPECT_EQ(index, 2);  // the last of them
    EXPECT_EQ(CountDefinitionsAt(outline, 0.5, 1, index), 2);
    EXPECT_EQ(index, 1);  // the current row
    EXPECT_EQ(CountDefinitionsAt(outline, 0.3, 1, index), 0);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(GetTableValue(outline, 4), 1e31);
    EXPECT_EQ(GetTableValue(outline, -1), 1e31);
}

struct OutlineBeamTest : ShapeLibraryTest {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};
    TBeam beam;

    // The beam's regions as (top, bottom, top width, bottom width, type) above its bottom.
    std::vector<std::array<double, 5>> Regions() const
    {
        std::vector<std::array<double, 5>> out;
        const double b = beam.GetBottom();
        for (int i = 0; i < beam.GetRegionCount(); ++i) {
            const ConcreteRegionRec& r = *beam.GetRegion(i);
            out.push_back({r.top - b, r.bottom - b, r.topWidth, r.bottomWidth, double(r.concreteType)});
        }
        return out;
    }
};

TEST_F(OutlineBeamTest, AnOutlineReadFromABeamBuildsTheSameRegions)
{
    ASSERT_EQ(LoadShapes(DefaultShapeFileText()), 1);
    double strength = 50e6;
    beam.AddConcreteTypeFromStrength(strength, "C50");
    ASSERT_GE(beam.GetConcreteTypeCount(), 2);
    // A tee of two concrete types over a tapered web: the web's top meets the flange's
    // bottom with another width (a step), the web tapers from 0.3 m to 0.2 m.
    beam.DeleteRegions();
    beam.AddRegion(0.6, 0.5, 1.0, 1.0, 1, 0);
    beam.AddRegion(0.5, 0.0, 0.3, 0.2, 0, 0);
    beam.SetShapeType(kUserShapeCode);
    beam.UpdateExtents();
    const auto before = Regions();

    TDepthTable outline("outline"), types("types");
    EXPECT_EQ(ExtractOutlineCurves(beam, outline, types), kUserShapeCode);
    ASSERT_EQ(outline.GetCount(), 4);
    EXPECT_NEAR(outline.GetDepth(1), 0.5 + kWidthStepGap, kTol);
    EXPECT_EQ(types.GetValue(0), 1);
    EXPECT_EQ(types.GetValue(2), 0);

    BuildSectionShape(beam, outline, types);
    const auto after = Regions();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_NEAR(after[i][k], before[i][k], 1e-9) << "region " << i << " field " << k;
    EXPECT_EQ(beam.GetShapeName(), "USER");
}

TEST_F(OutlineBeamTest, ALibraryShapeIsFoundByNameAndAZeroHeightBeamStartsWithShapeZero)
{
    ASSERT_EQ(LoadShapes(DefaultShapeFileText()), 1);
    beam.DeleteRegions();
    beam.AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    beam.SetShapeType(kUserShapeCode);
    TDepthTable outline("outline"), types("types");
    // The rectangle is recognised and named.
    EXPECT_EQ(ExtractOutlineCurves(beam, outline, types), FindShapeIndex("RECT"));

    beam.DeleteRegions();
    beam.UpdateExtents();
    EXPECT_EQ(ExtractOutlineCurves(beam, outline, types), 0);
    EXPECT_TRUE(outline.IsEmpty());
}

TEST_F(OutlineBeamTest, AHollowShapeLosesTheChordOfItsRoundVoid)
{
    ASSERT_EQ(LoadShapes("TYPE HOLLOW\n\tHollow Section\nPARAMS b h\n\tW\n\tH\nSECTION\nh b\n0 b\nENDTYPE\n"), 1);
    g_SectionDefinition.ShapeCode = 0;
    g_SectionDefinition.Parameters = {0.6, 0.4, 0, 0, 0, 0};
    // A 0.6 m square with points at the void's top, centre and bottom and one between.
    TDepthTable outline = Table({{0.6, 0.6}, {0.5, 0.6}, {0.4, 0.6}, {0.3, 0.6}, {0.1, 0.6}, {0.0, 0.6}});
    TDepthTable types = Table({{0.6, 0}, {0.5, 0}, {0.4, 0}, {0.3, 0}, {0.1, 0}, {0.0, 0}});
    BuildSectionShape(beam, outline, types);
    EXPECT_EQ(beam.GetShapeName(), "HOLLOW");
    const auto r = Regions();
    ASSERT_EQ(r.size(), 5u);
    // The void spans 0.1 .. 0.5 m, centred at 0.3 m; at 0.4 m its chord is
    // sqrt(0.4^2 - 4 x 0.1^2) = sqrt(0.12).
    EXPECT_NEAR(r[0][3], 0.6, 1e-12);  // 0.5 m is the void's top: no chord
    EXPECT_NEAR(r[1][2], 0.6, 1e-12);
    EXPECT_NEAR(r[1][3], 0.6 - std::sqrt(0.12), 1e-9);
    EXPECT_NEAR(r[2][3], 0.2, 1e-9);  // the void's full diameter at mid-height
    EXPECT_NEAR(r[3][2], 0.2, 1e-9);
    EXPECT_NEAR(r[3][3], 0.6, 1e-7);  // 0.1 m, the void's bottom (a rounding-size chord at most)
}

} // namespace
