#include "member/TMemberDefinition.h"

#include <cmath>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "foundation/Units.h"
#include "model/TShell.h"
#include "support/TestSupport.h"

using membertest::DefaultMember;
using membertest::RectBeam;

namespace {

constexpr double kTol = 1e-9;
constexpr double kUnitWeight = 24000.0; // N/m^3

const MomentPoint& Live(const TMemberDefinition& d, int i)
{
    return d.diagrams[LiveDiagram][static_cast<std::size_t>(i)];
}

} // namespace

TEST(MemberDefinition, ResetHoldsTheDefaults)
{
    TMemberDefinition d;
    d.length = 7.0;
    d.zoneCount = 5;
    d.pointCount = {3, 4};
    ResetMemberDefinition(d);
    EXPECT_EQ(d.length, -1.0);
    EXPECT_EQ(d.displacementLocation, -0.5);
    EXPECT_EQ(d.leftSupport, SupportType::Roller);
    EXPECT_EQ(d.rightSupport, SupportType::FixedVerticalRoller);
    EXPECT_EQ(d.leftPlateSize, 0.15);
    EXPECT_EQ(d.topPlateSize, 0.15);
    EXPECT_EQ(d.zoneCount, 1);
    EXPECT_EQ(d.pointCount[0] + d.pointCount[1], 0);
    EXPECT_EQ(d.yieldPenetrationConstant, 0.022);
    EXPECT_EQ(d.deadLoadConstant, 1);
}

TEST(MemberDefinition, DefaultMemberAroundASection)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    DefaultMember m;
    // h = 0.6: left roller at h/3, shear span 3h, constant-moment zone h.
    EXPECT_NEAR(m.d.length, 2.6, 1e-6);
    EXPECT_NEAR(m.d.leftPlateLocation, 0.2, 1e-6);
    EXPECT_NEAR(m.d.rightPlateLocation, 2.6, 1e-6);
    EXPECT_NEAR(m.d.displacementLocation, 1.8, 1e-6);
    ASSERT_EQ(m.d.pointCount[LiveDiagram], 3);
    // Point loads: M = L / (1 - 0) x (-1000) in SI, 0 at the left support.
    EXPECT_NEAR(Live(m.d, 0).moment, 0.0, kTol);
    EXPECT_NEAR(Live(m.d, 1).x, 2.0, 1e-6);
    EXPECT_NEAR(Live(m.d, 1).moment, -1800.0, 1e-3);
    EXPECT_NEAR(Live(m.d, 2).moment, -1800.0, 1e-3);
    EXPECT_TRUE(IsQuickDefinable(m.slots, m.d));
}

TEST(MemberDefinition, QuickRecordCases)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    DefaultMember m;
    TMemberQuickDef q;
    q.L = 2.0f;
    q.leftpercent = -1.0f; // left support at the end
    q.type = 0;
    TMemberDefinition d;
    SetMemberFromQuickDefinition(m.slots, q, d);
    EXPECT_EQ(d.leftPlateLocation, 0.0);
    EXPECT_NEAR(d.length, 2.0, 1e-6);

    q.leftpercent = 1.0f; // taken as 0.99: M = 100 L m0
    SetMemberFromQuickDefinition(m.slots, q, d);
    EXPECT_NEAR(Live(d, 1).moment, 100.0 * 2.0 * -1000.0, 1e-2);

    q.L = 0.0f;
    SetMemberFromQuickDefinition(m.slots, q, d);
    EXPECT_EQ(d.length, 0.0);

    // A footing-type distributed load comes back as itself.
    q = TMemberQuickDef{};
    q.L = 1.5f;
    q.leftpercent = 0.2f;
    q.type = 2;
    q.mido2 = 0.5f;
    q.right = 2;
    SetMemberFromQuickDefinition(m.slots, q, d);
    const TMemberQuickDef back = GetQuickDefinitionFromMember(d);
    EXPECT_EQ(back.type, 2);
    EXPECT_EQ(back.right, 2);
    EXPECT_NEAR(back.L, 1.5f, 1e-6);
    EXPECT_NEAR(back.leftpercent, 0.2f, 1e-6);
    EXPECT_NEAR(back.mido2, 0.5f, 1e-6);
    EXPECT_TRUE(IsQuickDefinable(m.slots, d));

    // A fifth live point makes the definition one the quick record cannot hold.
    d.diagrams[LiveDiagram][4] = {d.length, -5.0, 0};
    d.pointCount[LiveDiagram] = 5;
    EXPECT_FALSE(IsQuickDefinable(m.slots, d));
}

// The zone of a member built from quick values names a section of the table, never an empty
// slot: the one the member was made of while it is there, else the table's first beam; a
// member built around a section is made of that section wherever it stands.
TEST(MemberDefinition, QuickValuesKeepTheMembersSection)
{
    membertest::TestSlots slots;
    slots.slots[2] = std::make_unique<TShell>(0);
    TBeam* first = slots.Put(4, RectBeam("First", 0.3, 0.6));
    TBeam* other = slots.Put(6, RectBeam("Other", 0.3, 0.5));
    slots.current = 6;
    EXPECT_EQ(FirstSectionSlot(slots), 4);

    TMemberDefinition d;
    SetMemberDefinitionFromSection(slots, d, *other);
    ASSERT_EQ(d.zoneCount, 1);
    EXPECT_EQ(d.zones[0].structureIndex, 6);
    EXPECT_TRUE(IsQuickDefinable(slots, d)); // the page reopens with the values it built

    TMemberQuickDef q = GetQuickDefinitionFromMember(d);
    q.mido2 = 0.2f;
    SetMemberFromQuickDefinition(slots, q, d);
    EXPECT_EQ(d.zones[0].structureIndex, 6);
    EXPECT_NEAR(d.length, 0.5 / 3 + 1.5 + 0.2, 1e-6);

    // A member of two zones loses its detail but keeps the section of its left end.
    d.zoneCount = 2;
    d.zones[0].structureIndex = 4;
    d.zones[1] = {1.0, 6};
    EXPECT_FALSE(IsQuickDefinable(slots, d));
    SetMemberFromQuickDefinition(slots, q, d);
    EXPECT_EQ(d.zoneCount, 1);
    EXPECT_EQ(d.zones[0].structureIndex, 4);

    // A zone on an empty slot or on no slot at all takes the first beam, not slot 0.
    for (const int named : {0, -1}) {
        d.zones[0].structureIndex = named;
        SetMemberFromQuickDefinition(slots, q, d);
        EXPECT_EQ(d.zones[0].structureIndex, 4) << named;
    }
    TMemberDefinition fresh;
    SetMemberFromQuickDefinition(slots, q, fresh);
    EXPECT_EQ(fresh.zones[0].structureIndex, 4);
    EXPECT_EQ(GetStructureAtPosition(slots, fresh, 0.1), first);

    // Without a beam the first structure of any kind; an empty table keeps slot 0.
    slots.slots[4].reset();
    slots.slots[6].reset();
    EXPECT_EQ(FirstSectionSlot(slots), 2);
    slots.slots[2].reset();
    EXPECT_EQ(FirstSectionSlot(slots), 0);
}

TEST(MemberDefinition, ComparisonIgnoresPenetrationAndDisplacementLocation)
{
    DefaultMember m;
    TMemberDefinition b = m.d;
    b.yieldPenetrationConstant = 0.5;
    b.displacementLocation = 0.1;
    EXPECT_EQ(EqualMemberDefinitions(m.d, b), 1);
    b.diagrams[LiveDiagram][1].moment += 0.01;
    EXPECT_EQ(EqualMemberDefinitions(m.d, b), 0);
    b = m.d;
    b.rightPlateSize += 0.001;
    EXPECT_EQ(EqualMemberDefinitions(m.d, b), 0);
}

TEST(MemberDefinition, ZonesAndLoadIntensity)
{
    DefaultMember m;
    RecordingReporter reporter;
    m.slots.Put(1, RectBeam("Deep", 0.3, 0.9));
    m.d.zoneCount = 2;
    m.d.zones[1] = {1.0, 1};
    EXPECT_EQ(GetStructureAtPosition(m.slots, m.d, 0.5), m.beam);
    EXPECT_EQ(GetStructureAtPosition(m.slots, m.d, 1.0), m.slots.GetStructure(1));
    EXPECT_EQ(GetStructureAtPosition(m.slots, m.d, 2.6), m.slots.GetStructure(1));
    EXPECT_EQ(reporter.messages.size(), 0u);
    EXPECT_EQ(GetStructureAtPosition(m.slots, m.d, 3.0), nullptr);
    EXPECT_EQ(reporter.messages.size(), 1u);

    EXPECT_NEAR(GetMemberLoadIntensity(m.slots, m.d, 0.5, 0, 0, 0), kUnitWeight * 0.18, 1e-6);
    EXPECT_NEAR(GetMemberLoadIntensity(m.slots, m.d, 2.0, 0, 0, 0), kUnitWeight * 0.27, 1e-6);
    // On the left plate (0.125 .. 0.275) a reaction of 1500 N spreads over 0.15 m.
    EXPECT_NEAR(GetMemberLoadIntensity(m.slots, m.d, 0.2, 1500.0, 0, 1), kUnitWeight * 0.18 - 1500.0 / m.d.leftPlateSize, 1e-6);
}

TEST(MemberDefinition, BreakPointsOfTheDefaultMember)
{
    DefaultMember m;
    std::array<double, kMaxBreakPoints> xs{};
    int n = 0;
    int usable = 0;
    ListMemberBreakPoints(m.d, xs, n, usable);
    // Zone start, length, and the left plate (the right support is a line of symmetry).
    const double expected[] = {0.0, 0.125, 0.2, 0.275, 2.6};
    ASSERT_EQ(n, 5);
    EXPECT_EQ(usable, 1);
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(xs[static_cast<std::size_t>(i)], expected[i], 1e-6);

    m.d.leftPlateSize = 0.05; // too small to spread a reaction over
    ListMemberBreakPoints(m.d, xs, n, usable);
    EXPECT_EQ(usable, 0);
    EXPECT_EQ(n, 3);
}

TEST(MemberDefinition, ShearDiagrams)
{
    DefaultMember m;
    ShearDiagram v{};
    int n = 0;
    SampleShearDiagram(m.d, LiveDiagram, v, n);
    // M rises linearly by -1800 over 1.8 m: V = -dM/dx = 1000 N on the shear span, 0 beyond.
    const ShearPoint expected[] = {{0.2, 0}, {0.2, 1000}, {2.0, 1000}, {2.0, 0}, {2.6, 0}, {2.6, 0}};
    ASSERT_EQ(n, 6);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(v[static_cast<std::size_t>(i)].x, expected[i].x, 1e-6);
        EXPECT_NEAR(v[static_cast<std::size_t>(i)].v, expected[i].v, 1e-6);
    }

    // A jump of the moment at 1 m: no segment across it.
    TMemberDefinition d = m.d;
    d.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
    d.diagrams[LiveDiagram][1] = {1.0, -1000.0, 0};
    d.diagrams[LiveDiagram][2] = {1.0, -3000.0, 0};
    d.diagrams[LiveDiagram][3] = {2.0, -3000.0, 0};
    d.pointCount[LiveDiagram] = 4;
    SampleShearDiagram(d, LiveDiagram, v, n);
    for (int i = 0; i + 1 < n; ++i) {
        if (std::fabs(v[static_cast<std::size_t>(i)].x - 1.0) < 1e-9 && v[static_cast<std::size_t>(i + 1)].x > 1.0) {
            EXPECT_NEAR(v[static_cast<std::size_t>(i)].v, 0.0, 1e-9);
        }
    }
    EXPECT_NEAR(v[1].v, 1000.0, 1e-9);

    // One point: (its x, 0), (length, 0).
    d.pointCount[LiveDiagram] = 1;
    SampleShearDiagram(d, LiveDiagram, v, n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(v[1].x, d.length);

    // A parabola M = -x (2 - x) w/2 ... gives the linear shear of a uniform load w.
    const double w = 1000.0;
    for (int i = 0; i < 3; ++i) {
        const double x = i * 1.0;
        d.diagrams[LiveDiagram][static_cast<std::size_t>(i)] = {x, -w * x * (2.0 - x) / 2.0, 1};
    }
    d.pointCount[LiveDiagram] = 3;
    SampleShearDiagram(d, LiveDiagram, v, n);
    EXPECT_NEAR(v[1].v, w, 1e-6);  // -dM/dx at 0 = w L/2
    EXPECT_NEAR(v[2].v, -w, 1e-6); // and -w L/2 at the other support

    // A full diagram is read up to its last point only.
    for (int i = 0; i < kMaxDiagramPoints; ++i)
        d.diagrams[LiveDiagram][static_cast<std::size_t>(i)] = {0.01 * i, -10.0 * i, 0};
    d.pointCount[LiveDiagram] = kMaxDiagramPoints;
    d.diagrams[DeadDiagram][0] = {0.01 * (kMaxDiagramPoints - 1), 99.0, 0};
    SampleShearDiagram(d, LiveDiagram, v, n);
    EXPECT_LE(n, kMaxShearPoints);
    for (int i = 1; i + 1 < n; ++i)
        EXPECT_NEAR(v[static_cast<std::size_t>(i)].v, 1000.0, 1e-6);
}

TEST(MemberDefinition, SelfWeightOfTheDefaultMember)
{
    DefaultMember m;
    ASSERT_EQ(GenerateSelfWeightDiagram(m.slots, m.d, DeadDiagram), 1);
    const double q = kUnitWeight * 0.3 * 0.6;
    const int n = m.d.pointCount[DeadDiagram];
    const auto& dead = m.d.diagrams[DeadDiagram];
    // Statics of the half span: the whole weight q L rests on the left support at 0.2 m, so
    // the moment at the line of symmetry is q L^2 / 2 - q L (L - 0.2).
    const double L = 2.6;
    ASSERT_GE(n, 3);
    EXPECT_NEAR(dead[static_cast<std::size_t>(n - 2)].moment, q * L * L / 2.0 - q * L * (L - 0.2), 1e-6 * q);
    EXPECT_EQ(dead[static_cast<std::size_t>(n - 1)].moment, 0.0);
    EXPECT_TRUE(std::signbit(dead[0].moment));
    // The overhang left of the plate carries its own weight: M(0.125) = q 0.125^2 / 2.
    for (int i = 0; i < n; ++i) {
        if (std::fabs(dead[static_cast<std::size_t>(i)].x - 0.125) < 1e-9) {
            EXPECT_NEAR(dead[static_cast<std::size_t>(i)].moment, q * 0.125 * 0.125 / 2.0, 1e-9);
        }
    }
}

TEST(MemberDefinition, SelfWeightOfASimpleSpanAndItsFailures)
{
    DefaultMember m;
    RecordingReporter reporter;
    TMemberDefinition d = m.d;
    d.length = 4.0;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 4.0;
    d.rightSupport = SupportType::Roller; // plates hang over the ends: point reactions
    ASSERT_EQ(GenerateSelfWeightDiagram(m.slots, d, DeadDiagram), 1);
    const double q = kUnitWeight * 0.18;
    double mid = 0.0;
    for (int i = 0; i < d.pointCount[DeadDiagram]; ++i)
        if (std::fabs(d.diagrams[DeadDiagram][static_cast<std::size_t>(i)].x - 2.0) < 1e-9)
            mid = d.diagrams[DeadDiagram][static_cast<std::size_t>(i)].moment;
    EXPECT_NEAR(mid, -q * 16.0 / 8.0, 1e-6 * q); // q L^2 / 8, sagging stored negative
    const MomentPoint& last = d.diagrams[DeadDiagram][static_cast<std::size_t>(d.pointCount[DeadDiagram] - 1)];
    EXPECT_NEAR(last.moment, 0.0, 1.0);
    EXPECT_TRUE(reporter.messages.empty());

    // Supports in the wrong order: a message, the diagram is kept.
    const TMemberDefinition before = d;
    d.leftPlateLocation = 3.0;
    d.rightPlateLocation = 1.0;
    EXPECT_EQ(GenerateSelfWeightDiagram(m.slots, d, DeadDiagram), 0);
    EXPECT_TRUE(reporter.Saw("Insufficient distance between supports"));
    EXPECT_EQ(d.pointCount[DeadDiagram], before.pointCount[DeadDiagram]);

    // Many zones would need more points than a diagram holds: refused, diagram kept.
    d = m.d;
    d.zoneCount = 100;
    for (int i = 0; i < d.zoneCount; ++i)
        d.zones[static_cast<std::size_t>(i)] = {0.02 * i, 0};
    reporter.Clear();
    EXPECT_EQ(GenerateSelfWeightDiagram(m.slots, d, DeadDiagram), 0);
    EXPECT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(d.pointCount[DeadDiagram], 0);
}

TEST(MemberGeometry, AnUndefinedMemberIsLeftAlone)
{
    RecordingReporter reporter;
    TMemberDefinition d;
    d.leftPlateLocation = 0.2;
    CheckMemberGeometry(d);
    EXPECT_EQ(d.leftPlateLocation, 0.2);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(MemberGeometry, RepairsInOrder)
{
    DefaultMember m;
    RecordingReporter reporter;
    TMemberDefinition d = m.d;
    d.diagrams[LiveDiagram][2].x = m.d.length + 0.0005; // within 1 mm: the member grows silently
    CheckMemberGeometry(d);
    EXPECT_EQ(d.length, m.d.length + 0.0005);
    EXPECT_TRUE(reporter.messages.empty());

    d = m.d;
    d.diagrams[LiveDiagram][2].x = m.d.length + 0.002;
    d.rightPlateLocation = 2.5;
    CheckMemberGeometry(d);
    EXPECT_EQ(d.length, m.d.length);
    EXPECT_EQ(d.diagrams[LiveDiagram][2].x, m.d.length);
    EXPECT_EQ(d.rightPlateLocation, m.d.length);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].caption, "Error in geometry");
    EXPECT_EQ(reporter.messages[1].caption, "Error in geometery");

    reporter.Clear();
    d = m.d;
    d.rightPlateLocation = m.d.length - 0.0005; // silently to the end
    CheckMemberGeometry(d);
    EXPECT_EQ(d.rightPlateLocation, d.length);
    EXPECT_TRUE(reporter.messages.empty());

    // A left line of symmetry with a pin on the right: the right becomes a roller.
    d = m.d;
    d.leftSupport = SupportType::FixedVerticalRoller;
    d.rightSupport = SupportType::Pin;
    d.leftPlateLocation = 0.00005;
    CheckMemberGeometry(d);
    EXPECT_EQ(d.leftPlateLocation, 0.0);
    EXPECT_EQ(d.rightSupport, SupportType::Roller);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(reporter.Saw("only be used if the other support is a roller"));

    // A right line of symmetry with a fixed left end is left alone.
    reporter.Clear();
    d = m.d;
    d.leftSupport = SupportType::FixedEnd;
    d.rightPlateLocation = 1.0;
    CheckMemberGeometry(d);
    EXPECT_EQ(d.leftSupport, SupportType::FixedEnd);
    EXPECT_EQ(d.rightPlateLocation, 1.0);
    EXPECT_TRUE(reporter.messages.empty());
}
