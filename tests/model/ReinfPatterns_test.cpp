#include "model/ReinfPatterns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/StructureFixtures.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"
#include "support/TestSupport.h"

namespace {

using fixtures::BarArea;
using fixtures::kPi;
using fixtures::Layer;

constexpr double kTol = 1e-12;
constexpr double kCentre = 0.3;
constexpr double kRadius = 0.2;
constexpr double kDb = 0.02;

ReinfPatternRec Circle(int n, int aligned, const std::string& name = "ring")
{
    ReinfPatternRec p;
    p.kind = kCircularPatternKind;
    p.inUse = 1;
    p.centre = kCentre;
    p.radius = kRadius;
    p.layer = Layer(0.0, 1, kDb, name);
    p.layer.nround = n;
    p.layer.aligned = aligned;
    p.layer.pattern = kCircularPattern;
    return p;
}

ReinfPatternRec Spread(int nround, int perLayer, double zLeast, double zLargest)
{
    ReinfPatternRec p;
    p.kind = kDistributedPatternKind;
    p.inUse = 1;
    p.zLeast = zLeast;
    p.zLargest = zLargest;
    p.layer = Layer(0.0, perLayer, kDb, "side");
    p.layer.nround = nround;
    p.layer.pattern = kDistributedPattern;
    return p;
}

// A layer of a pattern as the input pages store it.
LongLayerRec PatternMember(double z, int num, int pattern, int index, int nround, int aligned = 0)
{
    LongLayerRec layer = Layer(z, num, kDb, "m");
    layer.pattern = pattern;
    layer.index = index;
    layer.nround = nround;
    layer.aligned = aligned;
    return layer;
}

// Bars on the circle at angles k 360/n (aligned: starting on the axis, else half a step on).
TEST(CircularPatterns, EightAlignedBarsExpandIntoFiveLayersAndBuildBack)
{
    ValueGuard<TRebarList> catalogue(g_RebarList, TRebarList{});
    g_RebarList.Add("20M", BarArea(kDb), kDb);
    TStructure s;
    ReinfPatternRec ring = Circle(8, 1);
    ring.layer.barIndex = 0;
    ring.layer.dep = 0.004;
    ring.layer.type = 1;
    ASSERT_EQ(s.StorePattern(ring, 0), 1);
    ASSERT_EQ(ExpandPatterns(0, s), 1);
    ASSERT_EQ(s.GetLongLayerCount(0), 5);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const LongLayerRec& layer = *s.GetLongLayer(k, 0);
        EXPECT_NEAR(layer.z, kCentre + kRadius * std::cos(kPi / 4.0 * k), kTol);
        EXPECT_NEAR(layer.A, layer.num * BarArea(kDb), kTol);
        // Every layer carries the pattern's bar, type and prestrain.
        LongLayerRec expected = ring.layer;
        expected.num = (k == 0 || k == 4) ? 1 : 2;
        expected.name = k == 0 ? std::string("ring") : "ring" + std::to_string(k);
        expected.bartitle = "20M";
        expected.z = layer.z;
        expected.A = layer.A;
        EXPECT_EQ(layer, expected);
    }
    s.ClearPatterns(0);
    ASSERT_EQ(BuildCircularPatterns(s), 1);
    EXPECT_EQ(s.GetPattern(0, 0)->missing, 0);
    EXPECT_EQ(s.GetPattern(0, 0)->layer.name, "ring");
}

// Two bars off the axis form no circle of their own (radius 0.1); six bars not aligned lie at
// 30, 90 and 150 degrees. The circle sits in slot 3 behind three unused ones.
TEST(CircularPatterns, CirclesBuildBackFromTheirLayers)
{
    for (const auto& [n, aligned] : {std::pair{2, 0}, std::pair{5, 1}, std::pair{6, 0}}) {
        SCOPED_TRACE("n " + std::to_string(n) + " aligned " + std::to_string(aligned));
        TStructure s;
        for (int q = 0; q < 3; ++q)
            s.StorePattern(Circle(4, 1, "other"), 0);
        s.StorePattern(Circle(n, aligned), 0);
        for (int q = 0; q < 3; ++q)
            s.GetPattern(q, 0)->inUse = 0;
        ExpandPatterns(0, s);
        int bars = 0;
        for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
            bars += s.GetLongLayer(i, 0)->num;
            EXPECT_EQ(s.GetLongLayer(i, 0)->index, 3);
        }
        EXPECT_EQ(bars, n);
        if (n == 6) {
            EXPECT_NEAR(s.GetLongLayer(0, 0)->z, kCentre + kRadius * std::sqrt(3.0) / 2.0, 1e-10);
        }

        s.ClearPatterns(0);
        BuildCircularPatterns(s);
        const ReinfPatternRec& built = *s.GetPattern(3, 0);
        ASSERT_EQ(built.inUse, 1);
        EXPECT_NEAR(built.radius, (n == 2 && aligned == 0) ? 0.1 : kRadius, 1e-10);
        EXPECT_NEAR(built.centre, kCentre, 1e-10);
    }
}

TEST(CircularPatterns, IncompletePatternsBecomePlainLayersOrAreDropped)
{
    TStructure s;
    for (double z : {0.1, 0.3, 0.5})
        s.AddLongLayer(PatternMember(z, 2, kCircularPattern, 2, 8, 1), 0);
    s.AddLongLayer(Layer(0.2, 2, kDb), 0);
    BuildCircularPatterns(s);
    EXPECT_EQ(s.GetPattern(2, 0)->inUse, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.GetLongLayer(i, 0)->pattern, kPlainLayer);
        EXPECT_EQ(s.GetLongLayer(i, 0)->nround, 0);
    }

    // An incomplete distributed pattern is dropped and its layers are sorted.
    TStructure t;
    t.AddLongLayer(PatternMember(0.4, 2, kDistributedPattern, 1, 10), 0);
    t.AddLongLayer(PatternMember(0.2, 2, kDistributedPattern, 1, 10), 0);
    ASSERT_EQ(BuildDistributedPatterns(t, 0), 1);
    EXPECT_EQ(t.GetPattern(1, 0)->inUse, 0);
    EXPECT_EQ(t.GetLongLayer(0, 0)->z, 0.2);
    EXPECT_EQ(t.GetLongLayer(0, 0)->pattern, kDistributedPattern);
}

TEST(CircularPatterns, CircleMovesOutOfASlotHeldByADistributedPattern)
{
    TStructure s;
    s.AddLongLayer(PatternMember(0.3, 2, kDistributedPattern, 0, 2), 0);
    s.AddLongLayer(PatternMember(0.1, 1, kCircularPattern, 0, 2, 1), 0);
    s.AddLongLayer(PatternMember(0.5, 1, kCircularPattern, 0, 2, 1), 0);
    BuildDistributedPatterns(s, 0);
    BuildCircularPatterns(s);
    EXPECT_EQ(s.GetPattern(0, 0)->kind, kDistributedPatternKind);
    EXPECT_EQ(s.GetPattern(1, 0)->kind, kCircularPatternKind);
    EXPECT_NEAR(s.GetPattern(1, 0)->radius, 0.2, kTol);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(s.GetLongLayer(i, 0)->index, s.GetLongLayer(i, 0)->pattern == kCircularPattern);
}

TEST(DistributedPatterns, TenBarsTwoPerLayerSpreadOverFiveLayers)
{
    TStructure s;
    s.StorePattern(Spread(10, 2, 0.1, 0.5), 0);
    ExpandPatterns(0, s);
    ASSERT_EQ(s.GetLongLayerCount(0), 5);
    for (int k = 0; k < 5; ++k) {
        const LongLayerRec& layer = *s.GetLongLayer(k, 0);
        EXPECT_NEAR(layer.z, 0.1 + 0.1 * k, kTol);
        EXPECT_NEAR(layer.A, 2 * BarArea(kDb), kTol);
    }

    // Collected again they give back the pattern.
    s.ClearPatterns(0);
    ASSERT_EQ(BuildDistributedPatterns(s, 0), 1);
    const ReinfPatternRec& built = *s.GetPattern(0, 0);
    EXPECT_EQ(built.missing, 0);
    EXPECT_NEAR(built.zLeast, 0.1, kTol);
    EXPECT_NEAR(built.zLargest, 0.5, kTol);
}

TEST(PatternIndices, IndicesOutsideTheSlotsAreCheckedBeforeUse)
{
    RecordingReporter rec;
    TStructure s; // slots 0 to 29
    s.AddLongLayer(PatternMember(0.1, 1, kCircularPattern, 29, 2, 1), 0);
    s.AddLongLayer(PatternMember(0.5, 1, kCircularPattern, 29, 2, 1), 0);
    s.AddLongLayer(PatternMember(0.3, 1, kCircularPattern, 30, 2, 1), 0);
    s.AddLongLayer(PatternMember(0.2, 1, kCircularPattern, -1, 2, 1), 0);
    BuildCircularPatterns(s);
    EXPECT_EQ(rec.Count("Too many circular rebar patterns. Will continue with limited list"), 1);
    EXPECT_EQ(rec.messages.at(0).caption, "Information");
    EXPECT_EQ(s.GetPattern(29, 0)->inUse, 1);
    EXPECT_NEAR(s.GetPattern(29, 0)->radius, 0.2, kTol);
    // The collection stopped at slot 30: the later layer (index -1) was not looked at.
    EXPECT_EQ(s.GetLongLayer(3, 0)->pattern, kCircularPattern);

    // Too many distributed patterns: stop at once, the layers stay unsorted.
    TStructure u;
    u.AddLongLayer(Layer(0.5, 2, kDb), 0);
    u.AddLongLayer(PatternMember(0.1, 2, kDistributedPattern, 30, 2), 0);
    EXPECT_EQ(BuildDistributedPatterns(u, 0), 0);
    EXPECT_EQ(rec.Count("Too many distributed rebar patterns. Will continue with limited list"), 1);
    EXPECT_EQ(u.GetLongLayer(0, 0)->z, 0.5);
}

// A 4-bar aligned ring (bars at 0.5, a pair at 0.3, 0.1) whose layers stand either side of a
// layer with a slot index past the slots: the collection stops at that layer, but the ring keeps
// its layers and its slot, with the circle of all its bars (centre 0.3, radius 0.2). A ring
// that lacks bars even with every layer taken in still becomes plain layers.
TEST(PatternIndices, ARingSplitAroundAnIndexPastTheSlotsKeepsItsPattern)
{
    for (const int nround : {4, 8}) {
        SCOPED_TRACE(nround);
        RecordingReporter rec;
        TStructure s;
        s.AddLongLayer(PatternMember(0.1, 1, kCircularPattern, 0, nround, 1), 0);
        s.AddLongLayer(PatternMember(0.2, 2, kCircularPattern, 30, 2, 1), 0);
        s.AddLongLayer(PatternMember(0.3, 2, kCircularPattern, 0, nround, 1), 0);
        s.AddLongLayer(PatternMember(0.5, 1, kCircularPattern, 0, nround, 1), 0);
        BuildCircularPatterns(s);
        EXPECT_EQ(rec.Count("Too many circular rebar patterns. Will continue with limited list"), 1);
        const bool whole = nround == 4;
        const ReinfPatternRec& ring = *s.GetPattern(0, 0);
        EXPECT_EQ(ring.inUse, whole ? 1 : 0);
        for (int i : {0, 2, 3}) {
            const LongLayerRec& layer = *s.GetLongLayer(i, 0);
            EXPECT_EQ(layer.pattern, whole ? kCircularPattern : kPlainLayer) << i;
            EXPECT_EQ(layer.index, 0) << i;
            EXPECT_EQ(layer.nround, whole ? nround : 0) << i;
        }
        if (whole) {
            EXPECT_EQ(ring.kind, kCircularPatternKind);
            EXPECT_EQ(ring.missing, 0);
            EXPECT_NEAR(ring.centre, 0.3, kTol);
            EXPECT_NEAR(ring.radius, 0.2, kTol);
        }
        // The layer past the slots is left as it was read.
        EXPECT_EQ(s.GetLongLayer(1, 0)->pattern, kCircularPattern);
        EXPECT_EQ(s.GetLongLayer(1, 0)->index, 30);
    }
}

// Validation keeps a layer whose slot is past the 30 slots as a plain layer of its bars, says so
// once, naming the structure, the layer and the slot, and collects the 4-bar aligned ring beside
// it (bars at 0.1, a pair at 0.3, 0.5: centre 0.3, radius 0.2) as if the layer were not there.
// A distributed layer past the slots goes the same way.
TEST(PatternIndices, ValidationKeepsALayerPastTheSlotsAsAPlainLayerAndSaysSoOnce)
{
    RecordingReporter rec;
    TStructure s;
    s.SetName("Column");
    s.AddLongLayer(PatternMember(0.1, 1, kCircularPattern, 0, 4, 1), 0);
    s.AddLongLayer(PatternMember(0.2, 3, kCircularPattern, 30, 2, 1), 0);
    s.AddLongLayer(PatternMember(0.3, 2, kCircularPattern, 0, 4, 1), 0);
    s.AddLongLayer(PatternMember(0.4, 2, kDistributedPattern, 31, 4), 0);
    s.AddLongLayer(PatternMember(0.5, 1, kCircularPattern, 0, 4, 1), 0);
    s.GetLongLayer(1, 0)->name = "odd";
    s.GetLongLayer(3, 0)->name = "spread";
    ASSERT_EQ(s.GetPatternCapacity(), 30);
    s.Validate();
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].text,
              "Section \"Column\": X Direction longitudinal layer \"odd\" names circular pattern slot 30, past "
              "the 30 pattern slots (0 to 29) of a section. The layer is kept as a plain layer of 3 bars.");
    EXPECT_NE(rec.messages[1].text.find("layer \"spread\" names distributed pattern slot 31"), std::string::npos);
    EXPECT_EQ(rec.Count("Too many"), 0);

    double area = 0.0;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, 0);
        area += layer.A;
        const bool ring = layer.index == 0;
        EXPECT_EQ(layer.pattern, ring ? kCircularPattern : kPlainLayer) << i;
        EXPECT_EQ(layer.nround, ring ? 4 : 0) << i;
    }
    EXPECT_NEAR(area, 9 * BarArea(kDb), kTol);
    const ReinfPatternRec& circle = *s.GetPattern(0, 0);
    EXPECT_EQ(circle.inUse, 1);
    EXPECT_EQ(circle.missing, 0);
    EXPECT_NEAR(circle.centre, 0.3, kTol);
    EXPECT_NEAR(circle.radius, 0.2, kTol);

    // Plain from then on: validated again, nothing more is said.
    s.Validate();
    EXPECT_EQ(rec.messages.size(), 2u);
}

// The record a layer belongs to, asked without a message: none for a plain layer, a slot past the
// array, a free slot or a slot of the other kind.
TEST(PatternIndices, TheRecordOfALayerIsAskedWithoutAMessage)
{
    RecordingReporter rec;
    TStructure s;
    s.StorePattern(Circle(4, 1), 0);
    EXPECT_EQ(PatternRecordOf(s, PatternMember(0.1, 1, kCircularPattern, 0, 4, 1), 0), s.GetPattern(0, 0));
    EXPECT_EQ(PatternRecordOf(s, PatternMember(0.1, 1, kDistributedPattern, 0, 4), 0), nullptr);
    EXPECT_EQ(PatternRecordOf(s, PatternMember(0.1, 1, kCircularPattern, 1, 4, 1), 0), nullptr);
    EXPECT_EQ(PatternRecordOf(s, PatternMember(0.1, 1, kCircularPattern, 30, 4, 1), 0), nullptr);
    EXPECT_EQ(PatternRecordOf(s, PatternMember(0.1, 1, kCircularPattern, -1, 4, 1), 0), nullptr);
    EXPECT_EQ(PatternRecordOf(s, Layer(0.1, 1, kDb), 0), nullptr);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(PatternLayers, ResetReplacesOnlyTheGeneratedLayersAndMembranesFillY)
{
    TStructure s;
    s.AddLongLayer(Layer(0.05, 3, kDb, "plain"), 0);
    s.AddLongLayer(PatternMember(0.2, 2, kDistributedPattern, 0, 4), 0); // stale
    s.StorePattern(Circle(4, 1), 0);
    ASSERT_EQ(ResetDefaultLongLayers(0, s), 1);
    ASSERT_EQ(s.GetLongLayerCount(0), 1 + 3);
    EXPECT_EQ(s.GetLongLayer(0, 0)->name, "plain");
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(s.GetLongLayer(i, 0)->pattern, kCircularPattern);

    // A membrane element's circles of x and spreads of y both become y layers.
    fixtures::MembraneLike m;
    m.StorePattern(Circle(4, 1), 0);
    m.StorePattern(Spread(4, 2, -0.02, 0.02), 1);
    ExpandPatterns(1, m);
    EXPECT_EQ(m.GetLongLayerCount(1), 3 + 2);
    EXPECT_EQ(m.GetLongLayerCount(0), 0);
}

} // namespace
