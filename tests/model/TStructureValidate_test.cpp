#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/StructureFixtures.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

using fixtures::BarArea;
using fixtures::Layer;
using fixtures::Rectangle;
using fixtures::Stirrup;

constexpr double kTol = 1e-12;
constexpr const char* kLongProblem = "Longitudinal Problem";

struct LayerValues {
    int num;
    double Ai, A, db;
};

TEST(StructureValidate, LongitudinalLayersAreRepairedInOrder)
{
    const double a16 = BarArea(0.016);
    const double a20 = BarArea(0.02);
    const struct {
        const char* name;
        LayerValues given, expected;
        const char* message; // nullptr: no message
    } rows[] = {
        // No bars: one bar is restored and its area kept (the area is formed after the count).
        {"nobars",
         {0, a16, 0.0, 0.016},
         {1, a16, a16, 0.016},
         "Longitudinal Reinforcment layer \"nobars\" has no bars defined; It has been reset to one "
         "bar.  Note that the delete button in the stirrup menu will delete the layer if desired."},
        // The repaired diameter is that of one bar: 2 sqrt(Ai / pi).
        {"nodiam", {4, a20, 4 * a20, 0.0}, {4, a20, 4 * a20, 0.02}, nullptr},
        // A tendon given only by its total area keeps it.
        {"tendon", {1, 0.0, 1e-3, 0.0357}, {1, 1e-3, 1e-3, 0.0357}, nullptr},
        {"huge",
         {1, 1.0, 3.0, 0.02},
         {1, 1.0, 1.0, 0.02},
         "Error in X Direction Longitudinal layer huge (number 3) as area*number is not equal to "
         "specified total area."},
    };

    RecordingReporter rec;
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    for (const auto& row : rows) {
        LongLayerRec layer = Layer(0.05 * (s.GetLongLayerCount(0) + 1), 1, 0.01, row.name);
        layer.num = row.given.num;
        layer.Ai = row.given.Ai;
        layer.A = row.given.A;
        layer.db = row.given.db;
        s.AddLongLayer(layer, 0);
    }
    ASSERT_EQ(s.Validate(), 1);
    ASSERT_EQ(s.GetLongLayerCount(0), static_cast<int>(std::size(rows)));
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.name);
        const LongLayerRec& layer = *s.GetLongLayer(i, 0);
        EXPECT_EQ(layer.name, row.name);
        EXPECT_EQ(layer.num, row.expected.num);
        EXPECT_NEAR(layer.Ai, row.expected.Ai, kTol);
        EXPECT_NEAR(layer.A, row.expected.A, kTol);
        EXPECT_NEAR(layer.db, row.expected.db, kTol);
        if (row.message != nullptr) {
            EXPECT_EQ(rec.Count(row.message), 1);
        }
    }
    ASSERT_EQ(rec.messages.size(), 2u);
    for (const auto& m : rec.messages)
        EXPECT_EQ(m.caption, kLongProblem);
}

// The least clear cover names what governs it: 1 the stirrups (25 mm, 30 mm up with 10 mm
// bars), 2 the bars; a 20 mm bar 40 mm below the top has |0.56 - 0.6 + 0.01| = 30 mm.
// Stirrups of 10 mm legs whose covers differ: the smaller of the clear covers counts,
// 0.035 m at the bottom or 0.025 m at the top.
TEST(StructureCover, LeastClearCoverAndWhatGovernsIt)
{
    // Stirrups from distbot to disttop, or (zBar > 0) a bar layer at zBar instead.
    const struct {
        double distbot, disttop, zBar, cover;
        int face;
    } rows[] = {{0.03, 0.57, 0.0, 0.025, 1},
                {0.0, 0.0, 0.56, 0.03, 2},
                {0.04, 0.54, 0.0, 0.035, 1},
                {0.06, 0.57, 0.0, 0.025, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cover);
        TStructure s;
        Rectangle(s, 0.3, 0.6);
        if (row.zBar > 0.0)
            s.AddLongLayer(Layer(row.zBar, 2, 0.02), 0);
        else
            s.AddTransLayer(Stirrup(row.distbot, row.disttop, 0.01, 0.2, 1e-4), 2);
        s.ComputeMinCover();
        int face = -1;
        EXPECT_NEAR(s.GetMinCover(face), row.cover, kTol);
        EXPECT_EQ(face, row.face);
    }
}

TEST(StructureTimeDependent, ShrinkageProfileIsTrimmedAndClosedAtBothFaces)
{
    TStructure s;
    Rectangle(s, 0.3, 0.5);
    TDepthTable shrink("work");
    const double z[] = {0.6, 0.51, 0.502, 0.25, 0.01, -0.1, -0.2};
    const double v[] = {1e-4, 2e-4, 3e-4, 1e-4, 2e-4, 5e-4, 5e-4};
    for (int i = 0; i < 7; ++i)
        shrink.Add(z[i], v[i]);
    s.SetShrinkThermCurve(shrink);
    s.AddLongLayer(Layer(0.05, 2, 0.02), 0);
    s.SetLongLayerTimeStrain(0, 3e-4, 0);

    ASSERT_EQ(s.ResetTimeDependentStrains(), 1);
    // Every point more than 3 mm outside is gone (also two in a row); the point 2 mm above
    // the top moves to the top; the bottom gets a closing zero point.
    const std::vector<DepthPair> expected = {{0.5, 3e-4}, {0.25, 1e-4}, {0.01, 2e-4}, {0.0, 0.0}};
    EXPECT_EQ(s.GetPositionVariable(kShrinkTherm).Pairs(), expected);
    for (int k : {kCreepX, kCreepY}) { // zero across the section, in either order
        const TDepthTable& creep = s.GetPositionVariable(k);
        EXPECT_TRUE(creep.GetCount() == 2 && creep.GetValue(0) == 0.0 && creep.GetValue(1) == 0.0);
        EXPECT_TRUE(creep.IsInDepthRange(0.0) && creep.IsInDepthRange(0.5));
    }
    EXPECT_EQ(s.GetLongLayer(0, 0)->timeStrain, 0.0);
    // Quadratic interpolation through the first three points at mid-depth.
    EXPECT_NEAR(s.GetInitialStrainAt(0.25, 2), 1e-4, kTol);
    EXPECT_EQ(s.GetInitialStrainAt(0.6, 2), 0.0);
}

TEST(StructureCentroids, SteelOfEachHalfByGroup)
{
    TStructure s;
    Rectangle(s, 0.3, 0.6);
    for (const auto& [kind, fy] : {std::pair{1, 400e6}, std::pair{2, 1674e6}}) {
        SteelTypeRec steel = fixtures::Steel(fy, fy);
        steel.kind = kind;
        s.AddSteelType(steel);
    }
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

    double dLower, dUpper, aLower, aUpper;
    s.GetSteelCentroid(dLower, dUpper, aLower, aUpper);
    EXPECT_NEAR(aLower, 1600e-6, kTol);
    EXPECT_NEAR(dLower, (1100e-6 * (0.6 - plainLower) + 500e-6 * 0.5) / 1600e-6, kTol);
}

} // namespace
