#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "StructureFixtures.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

using fixtures::BarArea;
using fixtures::Layer;
using fixtures::Rectangle;
using fixtures::Stirrup;

constexpr double kTol = 1e-12;
constexpr const char* kLongProblem = "Longitudinal Problem";

struct LayerRepairRow {
    const char* name;
    int num;
    double Ai;
    double A;
    double db;
    int expectNum;
    double expectAi;
    double expectA;
    double expectDb;
    const char* message; // nullptr: no message
};

TEST(StructureValidate, LongitudinalLayersAreRepairedInOrder)
{
    const double a16 = BarArea(0.016);
    const std::vector<LayerRepairRow> rows = {
        // No bars: one bar is restored and its area kept (the area is formed after the count).
        {"nobars",
         0,
         a16,
         0.0,
         0.016,
         1,
         a16,
         a16,
         0.016,
         "Longitudinal Reinforcment layer \"nobars\" has no bars defined; It has been reset to one "
         "bar.  Note that the delete button in the stirrup menu will delete the layer if desired."},
        // The total follows num x Ai; the mismatch is below the 1.0 threshold, so unreported.
        {"mismatch", 3, 1e-4, 5e-4, 0.0113, 3, 1e-4, 3e-4, 0.0113, nullptr},
        // The repaired diameter is that of one bar: 2 sqrt(Ai / pi).
        {"nodiam",
         4,
         BarArea(0.02),
         4 * BarArea(0.02),
         0.0,
         4,
         BarArea(0.02),
         4 * BarArea(0.02),
         0.02,
         nullptr},
        // A tendon given only by its total area keeps it.
        {"tendon", 1, 0.0, 1e-3, 0.0357, 1, 1e-3, 1e-3, 0.0357, nullptr},
        // A blank record ends with the least areas and the diameter of that bar.
        {"blank", 1, 0.0, 0.0, 0.0, 1, 1e-7, 1e-7, 2 * std::sqrt(1e-7 / kModelPi), nullptr},
        {"huge",
         1,
         1.0,
         3.0,
         0.02,
         1,
         1.0,
         1.0,
         0.02,
         "Error in X Direction Longitudinal layer huge (number 5) as area*number is not equal to "
         "specified total area."},
    };

    RecordingReporter rec;
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        LongLayerRec layer = Layer(0.05 + 0.05 * i, 1, 0.01, rows[i].name);
        layer.num = rows[i].num;
        layer.Ai = rows[i].Ai;
        layer.A = rows[i].A;
        layer.db = rows[i].db;
        s.AddLongLayer(layer, 0);
    }
    ASSERT_EQ(s.Validate(), 1);

    ASSERT_EQ(s.GetLongLayerCount(0), static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LayerRepairRow& row = rows[i];
        SCOPED_TRACE(row.name);
        const LongLayerRec& layer = *s.GetLongLayer(static_cast<int>(i), 0);
        EXPECT_EQ(layer.name, row.name);
        EXPECT_EQ(layer.num, row.expectNum);
        EXPECT_NEAR(layer.Ai, row.expectAi, kTol);
        EXPECT_NEAR(layer.A, row.expectA, kTol);
        EXPECT_NEAR(layer.db, row.expectDb, kTol);
        if (row.message != nullptr) {
            EXPECT_EQ(rec.Count(row.message), 1);
        }
    }
    EXPECT_EQ(rec.Count(kLongProblem), 2);
    for (const auto& m : rec.messages) {
        if (m.text.find("Longitudinal") != std::string::npos) {
            EXPECT_EQ(m.caption, kLongProblem);
        }
    }
}

TEST(StructureValidate, StirrupLegsFollowThePatternCode)
{
    const std::vector<int> expectedLegs = {0, 1, 2, 2, 2, 1, 2, 0};
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    for (int code = 0; code < static_cast<int>(expectedLegs.size()); ++code)
        s.AddTransLayer(Stirrup(0.04, 0.56, 0.01, 0.2, 1e-4, code), 2);
    s.Validate();
    for (int code = 0; code < static_cast<int>(expectedLegs.size()); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(s.GetTransLayer(code, 2)->legs, expectedLegs[static_cast<std::size_t>(code)]);
    }
}

TEST(StructureValidate, ValidationRebuildsProfilesAndCover)
{
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    s.AddLongLayer(Layer(0.05, 3, 0.02), 0);
    s.AddTransLayer(Stirrup(0.03, 0.57, 0.01, 0.2, 2 * BarArea(0.01)), 2);
    s.Validate();
    EXPECT_GT(s.GetPositionVariable(kCrackSpacingX).GetCount(), 2);
    EXPECT_GT(s.GetPositionVariable(kCrackSpacingZ).GetCount(), 2);
    EXPECT_GT(s.GetLongLayer(0, 0)->bondTerm, 0.0);
    int face = 0;
    // Stirrup: |0.03 - 0 - 0.005| = 0.025; bars: |0.05 - 0.01| = 0.04.
    EXPECT_NEAR(s.GetMinCover(face), 0.025, kTol);
    EXPECT_EQ(face, 1);
}

struct CoverRow {
    const char* name;
    bool stirrup;
    double barZ; // < 0: no bar
    double expectCover;
    int expectFace;
};

TEST(StructureCover, LeastClearCoverAndWhatGovernsIt)
{
    const std::vector<CoverRow> rows = {
        {"nothing", false, -1, 0.0, 0},
        // Stirrup 30 mm above the bottom face with 10 mm bars: 25 mm.
        {"stirrup", true, -1, 0.025, 1},
        // A 20 mm bar centred 45 mm up has 35 mm: the stirrup still governs.
        {"stirrup and bar", true, 0.045, 0.025, 1},
        // A 20 mm bar centred 30 mm up has 20 mm.
        {"bar governs", true, 0.03, 0.02, 2},
        // Near the top: |0.56 - 0.6 + 0.01| = 0.03.
        {"top bar", false, 0.56, 0.03, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TStructure s;
        Rectangle(s, 0.3, 0.6);
        if (row.stirrup)
            s.AddTransLayer(Stirrup(0.03, 0.57, 0.01, 0.2, 1e-4), 2);
        if (row.barZ >= 0)
            s.AddLongLayer(Layer(row.barZ, 2, 0.02), 0);
        s.ComputeMinCover();
        int face = -1;
        EXPECT_NEAR(s.GetMinCover(face), row.expectCover, kTol);
        EXPECT_EQ(face, row.expectFace);
    }
}

TEST(StructureTimeDependent, ShrinkageProfileIsTrimmedAndClosedAtBothFaces)
{
    TStructure s;
    Rectangle(s, 0.3, 0.5);
    TDepthTable shrink("work");
    for (auto [z, v] : std::vector<std::pair<double, double>>{{0.6, 1e-4},
                                                              {0.51, 2e-4},
                                                              {0.502, 3e-4},
                                                              {0.25, 1e-4},
                                                              {0.01, 2e-4},
                                                              {-0.1, 5e-4},
                                                              {-0.2, 5e-4}})
        shrink.Add(z, v);
    s.SetShrinkThermCurve(shrink);
    s.AddLongLayer(Layer(0.05, 2, 0.02), 0);
    s.SetLongLayerTimeStrain(0, 3e-4, 0);

    ASSERT_EQ(s.ResetTimeDependentStrains(), 1);
    // Every point more than 3 mm outside is gone (also two in a row); the point 2 mm above
    // the top moves to the top; the bottom gets a closing zero point.
    const TDepthTable& result = s.GetPositionVariable(kShrinkTherm);
    EXPECT_EQ(result.GetName(), "trumbel shrinkage and therm strains");
    const std::vector<DepthPair> expected = {{0.5, 3e-4}, {0.25, 1e-4}, {0.01, 2e-4}, {0.0, 0.0}};
    EXPECT_EQ(result.Pairs(), expected);
    for (int k : {kCreepX, kCreepY}) {
        const TDepthTable& creep = s.GetPositionVariable(k);
        ASSERT_EQ(creep.GetCount(), 2);
        EXPECT_EQ(creep.GetValue(0), 0.0);
        EXPECT_EQ(creep.GetValue(1), 0.0);
        EXPECT_TRUE(creep.IsInDepthRange(0.0) && creep.IsInDepthRange(0.5));
    }
    EXPECT_EQ(s.GetLongLayer(0, 0)->timeStrain, 0.0);
    // Quadratic interpolation through the first three points at mid-depth.
    EXPECT_NEAR(s.GetInitialStrainAt(0.25, 2), 1e-4, kTol);
    EXPECT_EQ(s.GetInitialStrainAt(0.6, 2), 0.0);
}

TEST(StructureTimeDependent, EmptyShrinkageProfileGetsZeroEnds)
{
    TStructure s;
    Rectangle(s, 0.3, 0.5);
    s.ResetTimeDependentStrains();
    const std::vector<DepthPair> expected = {{0.5, 0.0}, {0.0, 0.0}};
    EXPECT_EQ(s.GetPositionVariable(kShrinkTherm).Pairs(), expected);
}

TEST(StructureCentroids, SteelOfEachHalfByGroup)
{
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    SteelTypeRec bar;
    bar.kind = 1;
    bar.fy = 400e6;
    SteelTypeRec strand;
    strand.kind = 2;
    strand.fy = 1674e6;
    s.AddSteelType(bar);
    s.AddSteelType(strand);
    const auto add = [&s](double z, double area, int type) {
        LongLayerRec layer = Layer(z, 1, 0.02);
        layer.A = area;
        layer.type = type;
        s.AddLongLayer(layer, 0);
    };
    add(0.05, 1000e-6, 0);
    add(0.10, 500e-6, 1);
    add(0.55, 400e-6, 0);
    add(0.30, 200e-6, 0); // at mid-depth: half to each half

    double d1, d2, a1, a2, f1, f2;
    s.GetLongSteelCentroids(d1, d2, a1, a2, f1, f2, 1, 0);
    const double plainLower = (1000e-6 * 0.05 + 100e-6 * 0.3) / 1100e-6;
    EXPECT_NEAR(a1, 1100e-6, kTol);
    EXPECT_NEAR(a2, 500e-6, kTol);
    EXPECT_NEAR(d1, 0.6 - plainLower, kTol);
    EXPECT_NEAR(d2, 0.5, kTol);
    EXPECT_NEAR(f1, 400e6, 1e-3);
    EXPECT_NEAR(f2, 1674e6, 1e-3);

    s.GetLongSteelCentroids(d1, d2, a1, a2, f1, f2, 0, 0);
    EXPECT_NEAR(a1, 500e-6, kTol);
    EXPECT_NEAR(d1, (400e-6 * 0.55 + 100e-6 * 0.3) / 500e-6, kTol);
    EXPECT_EQ(a2, 0.0);

    double dLower, dUpper, aLower, aUpper;
    s.GetSteelCentroid(dLower, dUpper, aLower, aUpper);
    EXPECT_NEAR(aLower, 1600e-6, kTol);
    EXPECT_NEAR(dLower, (1100e-6 * (0.6 - plainLower) + 500e-6 * 0.5) / 1600e-6, kTol);
    EXPECT_NEAR(aUpper, 500e-6, kTol);
    EXPECT_NEAR(dUpper, 0.5, kTol);
}

} // namespace
