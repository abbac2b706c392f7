#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "model/StructureFixtures.h"
#include "model/TShell.h"
#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

using fixtures::BarArea;
using fixtures::kPi;
using fixtures::Layer;
using fixtures::Rectangle;
using fixtures::Stirrup;

constexpr double kTol = 1e-12;
constexpr double kLengthTol = 1e-9; // m
constexpr double kWidth = 0.5;
constexpr double kHeight = 0.6;

// Bond term of a lone layer of num bars of diameter db at z in the kWidth x kHeight
// rectangle: its weighted mean diameter is db, and the band of 7.5 db to each side (clipped
// to the section) holds Ac = kWidth x band of concrete: k = db 0.1 Ac / (num Ai).
double LoneBondTerm(double z, int num, double db)
{
    const double band = std::min(kHeight, z + 7.5 * db) - std::max(0.0, z - 7.5 * db);
    return db * 0.1 * kWidth * band / (num * BarArea(db));
}

struct BeamProfiles : ::testing::Test {
    void SetUp() override { Rectangle(s, kWidth, kHeight); }
    TStructure s;
};

TEST(ConcreteArea, TrapezoidPartsOfARegion)
{
    TStructure s;
    s.AddRegion(1.0, 0.0, 0.2, 0.4, 0, 1);
    struct Row {
        const char* name;
        double y1, y2, area;
    };
    // Width at y: 0.4 - 0.2 y.
    const Row rows[] = {
        {"wholly inside, either order", 2.0, -1.0, 0.3},
        {"spanning", 0.25, 0.75, (0.25 + 0.35) / 2 * 0.5},
        {"cut by lo", 0.5, 2.0, (0.3 + 0.2) / 2 * 0.5},
        {"outside", 1.5, 2.0, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(s.ConcreteAreaBetween(row.y1, row.y2), row.area, kTol);
    }
    // A T: flange 1.0 x 0.1 on a web 0.2 x 0.5.
    TStructure t;
    t.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 1);
    t.AddRegion(0.5, 0.0, 0.2, 0.2, 0, 1);
    EXPECT_NEAR(t.ConcreteAreaBetween(0.4, 0.55), 0.05 + 0.02, kTol);
}

TEST_F(BeamProfiles, LoneLayerBondTermAndCrackSpacing)
{
    s.AddLongLayer(Layer(0.1, 4, 0.02), 0);
    s.ComputeLayerBondTerms(0);
    const double k = LoneBondTerm(0.1, 4, 0.02);
    EXPECT_NEAR(s.GetLongLayer(0, 0)->bondTerm, k, kTol);

    // Bars 0.5 / 4 apart; a depth at distance d from the layer adds 4 d^2 under the root.
    const double sBar = kWidth / 4.0;
    struct Row {
        const char* name;
        double y, spacing;
    };
    const Row rows[] = {
        {"0.2 above", 0.3, std::sqrt(4 * 0.04 + sBar * sBar) + k},
        {"above the top is the top", 0.7, std::sqrt(4 * 0.25 + sBar * sBar) + k},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(s.LongCrackSpacingAt(row.y, 0), row.spacing, kTol);
    }

    s.BuildLongCrackSpacingProfile(0, -1.0);
    const TDepthTable& profile = s.GetPositionVariable(kCrackSpacingX);
    // Breaks 0.6, 0.1, 0: six points per interval, the bottom and the two end markers.
    EXPECT_EQ(profile.GetCount(), 15);
    EXPECT_EQ(profile.GetDepth(0), kUndefined);
    EXPECT_EQ(profile.GetDepth(14), -kUndefined);
    EXPECT_NEAR(s.GetCrackSpacingAt(0.1, 0), sBar + k, kTol);
    // 0.35 is the midpoint of the interval from 0.6 to 0.1.
    EXPECT_NEAR(s.GetCrackSpacingAt(0.35, 0), std::sqrt(4 * 0.0625 + sBar * sBar) + k, kTol);
}

TEST_F(BeamProfiles, LayersWithinABarDiameterCountAsOneGroup)
{
    s.AddLongLayer(Layer(0.10, 4, 0.02), 0);
    s.AddLongLayer(Layer(0.11, 4, 0.02), 0);
    s.AddLongLayer(Layer(0.45, 4, 0.02), 0); // beyond 15 diameters
    s.ComputeLayerBondTerms(0);
    // Eight bars share the width at the pair; the far layer keeps its four.
    EXPECT_NEAR(s.LongCrackSpacingAt(0.11, 0) - s.GetLongLayer(1, 0)->bondTerm, kWidth / 8.0, kTol);
    EXPECT_NEAR(s.LongCrackSpacingAt(0.45, 0) - s.GetLongLayer(2, 0)->bondTerm, kWidth / 4.0, kTol);
    // The neighbour 10 mm away weighs (15 - 0.5) / 15 of its area.
    const double sw = (1.0 + 14.5 / 15.0) * 4 * BarArea(0.02);
    EXPECT_NEAR(s.GetLongLayer(1, 0)->bondTerm, 0.02 * 0.1 * kWidth * 0.26 / sw, kTol);
}

TEST(CrackSpacingLimits, NeverBelowTheAggregateSizeWithin2To25Millimetres)
{
    // 20 bars of 10 mm in a 0.1 m wide web: 5 mm bar spacing plus a bond term of
    // 0.01 x 0.1 x 0.015 / (20 Ai) = 9.5 mm, below the aggregate.
    const double k = 0.01 * 0.1 * 0.1 * 0.15 / (20 * BarArea(0.01));
    const double spacing = 0.1 / 20 + k;
    ASSERT_LT(spacing, 0.019);
    struct Row {
        double aggregate, expected;
    };
    for (const Row& row : std::vector<Row>{{0.04, 0.025}, {0.0, spacing}}) {
        SCOPED_TRACE(row.aggregate);
        TStructure s;
        Rectangle(s, 0.1, 0.3);
        s.GetConcreteType(0)->aggregate = row.aggregate;
        s.AddLongLayer(Layer(0.1, 20, 0.01), 0);
        s.ComputeLayerBondTerms(0);
        EXPECT_NEAR(s.LongCrackSpacingAt(0.1, 0), row.expected, kTol);
    }
}

TEST_F(BeamProfiles, UserCrackSpacingGivesTwoPointsAndNoStirrupsFiveHeights)
{
    s.AddLongLayer(Layer(0.1, 4, 0.02), 0);
    s.BuildLongCrackSpacingProfile(0, 0.3);
    EXPECT_EQ(s.GetPositionVariable(kCrackSpacingX).Pairs(),
              (std::vector<DepthPair>{{kHeight, 0.3}, {0.0, 0.3}}));

    s.BuildTransCrackSpacingProfile(2, -1.0);
    const TDepthTable& profile = s.GetPositionVariable(kCrackSpacingZ);
    ASSERT_GE(profile.GetCount(), 2);
    for (const auto& pair : profile.Pairs())
        EXPECT_EQ(pair.v, 5 * kHeight);

    // Five heights stand even below the aggregate size: a 3 mm slice gives 15 mm.
    TStructure thin;
    Rectangle(thin, kWidth, 0.003);
    ASSERT_GT(thin.GetConcreteType(0)->aggregate, 0.015);
    EXPECT_NEAR(thin.TransCrackSpacingAt(0.0015, 0, 2), 0.015, kTol);
}

TEST_F(BeamProfiles, StirrupCrackSpacing)
{
    const double area = 2 * BarArea(0.01);
    s.AddTransLayer(Stirrup(0.04, 0.56, 0.01, 0.2, area), 2);
    // r = A / s / b; x = b - 0.1; spacing sqrt(x^2 + s^2) + 0.1 db / r.
    const double r = area / 0.2 / kWidth;
    const double inside = std::sqrt(0.4 * 0.4 + 0.2 * 0.2) + 0.1 * 0.01 / r;
    EXPECT_NEAR(s.TransCrackSpacingAt(0.3, 0, 2), inside, kTol);
    EXPECT_NEAR(s.TransCrackSpacingAt(0.58, 0, 2), 5 * kHeight, kTol);
    EXPECT_NEAR(s.TransCrackSpacingAt(0.0, 0, 2), 5 * kHeight, kTol);

    s.BuildTransCrackSpacingProfile(2, -1.0);
    const std::vector<DepthPair> expected =
        {{0.6, 3.0}, {0.57, 3.0}, {0.55, inside}, {0.05, inside}, {0.03, 3.0}, {0.0, 3.0}};
    const auto& pairs = s.GetPositionVariable(kCrackSpacingZ).Pairs();
    ASSERT_EQ(pairs.size(), expected.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_NEAR(pairs[i].z, expected[i].z, kTol);
        EXPECT_NEAR(pairs[i].v, expected[i].v, kTol);
    }

    // A circular hoop's ratio follows the circle.
    TStructure hoop;
    Rectangle(hoop, kWidth, kHeight);
    hoop.AddTransLayer(Stirrup(0.04, 0.56, 0.01, 0.2, area, kCircularHoop), 2);
    const double u = (0.5 - 0.3) / (0.26 + 0.0001);
    const double rCircle = r * std::sqrt(1 - u * u);
    EXPECT_NEAR(hoop.TransCrackSpacingAt(0.5, 0, 2),
                std::sqrt(0.4 * 0.4 + 0.2 * 0.2) + 0.1 * 0.01 / rCircle,
                kLengthTol);
}

TEST_F(BeamProfiles, TensionStiffeningTriangleAroundALayer)
{
    // The layer sits on the 34th of the 100 depths (0.6 x 33 / 99 = 0.2).
    const double z = 0.2;
    const double h = 0.2;
    s.AddLongLayer(Layer(z, 4, 0.02), 0);
    s.BuildLongCrackSpacingProfile(0, h);
    ASSERT_EQ(s.BuildTensionStiffCurve(0), 1);

    const TDepthTable& factor = s.GetPositionVariable(kTensionStiffX);
    ASSERT_EQ(factor.GetCount(), 101);
    const double p = 0.02 * kPi * 4 / (kWidth * 0.3 + 1e-6);
    const double k = 2.5 * p / (h + 0.0001);
    const auto expect = [](double bond) { return 3600.0 / (bond + 0.0001); };
    EXPECT_NEAR(factor.GetDepth(33), z, kTol);
    EXPECT_NEAR(factor.GetValue(33), expect(k * h), 1e-9);
    // Linear to each side, reaching zero bond one crack spacing away.
    for (int m : {11}) {
        SCOPED_TRACE(m);
        const double d = kHeight * m / 99.0;
        EXPECT_NEAR(factor.GetValue(33 - m), expect(k * (h - d)), 1e-6);
        EXPECT_NEAR(factor.GetValue(33 + m), expect(k * (h - d)), 1e-6);
    }
    EXPECT_NEAR(factor.GetValue(0), 3.6e7, 1e-3);
    // The closing point holds the whole area over no bonded length.
    EXPECT_EQ(factor.GetDepth(100), 1e6);
    EXPECT_NEAR(factor.GetValue(100), kWidth * kHeight * 3600.0 / 0.0001, 1e-3);
}

TEST_F(BeamProfiles, TransverseTensionStiffeningSkipsLayersWithoutSpacing)
{
    TransLayerRec tie = Stirrup(0.04, 0.56, 0.01, 0.2, 2 * BarArea(0.01));
    tie.legs = 2;
    s.AddTransLayer(tie, 2);
    // A layer whose spacing is not yet given carries no bars along the member.
    TransLayerRec unspaced = Stirrup(0.0, 0.6, 0.01, 0.0, 0.0);
    unspaced.legs = 2;
    s.AddTransLayer(unspaced, 2);
    s.BuildTransTensionStiffCurve(2);

    const TDepthTable& factor = s.GetPositionVariable(kTensionStiffZ);
    ASSERT_EQ(factor.GetCount(), 100);
    const double bond = 0.01 * kPi * 2 / (kWidth * 0.2 + 0.0001);
    for (int i : {0, 50}) {
        SCOPED_TRACE(i);
        const double y = factor.GetDepth(i);
        const bool crossed = y >= 0.04 && y <= 0.56;
        EXPECT_NEAR(factor.GetValue(i), 3600.0 / ((crossed ? bond : 0.0) + 0.0001), 1e-6);
    }
}

TEST(DepthProfilesEdges, ZeroHeightChangesNothingAndZeroBarWeightGivesPointThree)
{
    TStructure flat;
    flat.AddLongLayer(Layer(0.0, 2, 0.02), 0);
    EXPECT_EQ(flat.BuildDepthProfiles(), 1);
    EXPECT_EQ(flat.GetPositionVariable(kCrackSpacingX).GetCount(), 0);
    EXPECT_EQ(flat.GetLongLayer(0, 0)->bondTerm, 0.0);

    // In a membrane element bars spaced 100 m or more weigh nothing.
    RecordingReporter rec;
    fixtures::MembraneLike m;
    Rectangle(m, 1.0, 0.2, -0.1);
    LongLayerRec layer = Layer(0.0, 1, 0.02);
    layer.space = 100.0;
    m.AddLongLayer(layer, 1);
    m.ComputeLayerBondTerms(1);
    EXPECT_EQ(m.GetLongLayer(0, 1)->bondTerm, 0.3);
    EXPECT_EQ(rec.messages.size(), 1u);

    // A layer outside the section gets the least bond term.
    m.GetLongLayer(0, 1)->z = 0.2;
    m.ComputeLayerBondTerms(1);
    EXPECT_EQ(m.GetLongLayer(0, 1)->bondTerm, 0.0001);
}

} // namespace

namespace {

// The crack spacing at y by its definition, scanning every layer: the nearest layer above
// (y <= z < top) and below (bottom < z <= y), the first in list order at equal distance; the
// bar spacing is the width over the bars of the layer and of every layer within one bar
// diameter of it, or in a panel the spacing of the later of the two in list order; floored
// at the 2 mm aggregate of a concrete without one.
double SpacingByScan(const TStructure& s, double y, bool panel)
{
    const double top = s.GetTop(), bottom = s.GetBottom();
    const int n = s.GetLongLayerCount(0);
    int above = -1, below = -1;
    double da = 0.0, dbelow = 0.0, lastSpace = 0.0;
    for (int i = 0; i < n; ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, 0);
        if (layer.z >= y && layer.z < top && (above < 0 || layer.z - y < da)) {
            above = i;
            da = layer.z - y;
            lastSpace = layer.space;
        }
        if (layer.z <= y && layer.z > bottom && (below < 0 || y - layer.z < dbelow)) {
            below = i;
            dbelow = y - layer.z;
            lastSpace = layer.space;
        }
    }
    const auto candidate = [&](int i, double d, int side) {
        if (i < 0)
            return kUndefined;
        const LongLayerRec& li = *s.GetLongLayer(i, 0);
        long long bars = li.num;
        for (int j = 0; j < n; ++j) {
            const LongLayerRec& lj = *s.GetLongLayer(j, 0);
            const double dz = std::fabs(lj.z - li.z);
            if (j != i && (dz < li.db || dz < lj.db))
                bars += lj.num;
        }
        const double w = s.GetWidthAtSide(li.z, side);
        const double bar = panel ? lastSpace : w / static_cast<double>(std::max(bars, 1LL));
        return std::sqrt(4.0 * d * d + bar * bar) + li.bondTerm;
    };
    const double spacing = std::min({candidate(above, da, 1), candidate(below, dbelow, 0), 5.0 * s.GetHeight()});
    return std::max(spacing, 0.002);
}

} // namespace

// Layers in no order, many at one elevation, many within a bar diameter of others, in a beam
// and in a panel: the spacing found through the layers ordered by elevation is the scan's, bit
// for bit, at the layers, between them and past the ends.
TEST(CrackSpacingLookup, TheNearestLayersAndTheirGroupsAreTheScansOwn)
{
    std::uint32_t state = 12345;
    const auto next = [&state](std::uint32_t m) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % m;
    };
    for (int trial = 0; trial < 24; ++trial) {
        SCOPED_TRACE(trial);
        TShell panel;
        TStructure beam;
        TStructure& s = trial % 3 == 2 ? static_cast<TStructure&>(panel) : beam;
        if (&s == &panel) {
            double strength = 30e6;
            panel.AddConcreteTypeFromStrength(strength, "C30");
            panel.AddRegion(0.1, -0.1, 1.0, 1.0, 0, 1);
        } else {
            Rectangle(s, kWidth, kHeight, trial % 2 == 0 ? 0.0 : -0.3);
        }
        s.GetConcreteType(0)->aggregate = 0.0;
        const double bottom = s.GetBottom(), height = s.GetHeight();
        const int layers = 5 + static_cast<int>(next(60));
        for (int i = 0; i < layers; ++i) {
            // Elevations on a grid of height / 40, so that layers share one and fall within a
            // bar diameter of each other; the faces of the section too.
            LongLayerRec layer = Layer(bottom + height * next(41) / 40.0, 1 + static_cast<int>(next(6)),
                                       0.01 + 0.01 * next(4));
            layer.space = 0.1 + 0.05 * next(4);
            s.AddLongLayer(layer, 0);
        }
        s.ComputeLayerBondTerms(0);
        for (int k = -2; k <= 82; ++k) {
            const double y = bottom + height * k / 80.0 + (k % 3 == 0 ? 0.0 : 1e-4);
            EXPECT_EQ(s.LongCrackSpacingAt(y, 0), SpacingByScan(s, std::clamp(y, bottom, bottom + height), &s == &panel)) << y;
        }
    }
}
