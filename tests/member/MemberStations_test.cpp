#include "member/MemberStations.h"

#include <cmath>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "support/TestSupport.h"

using membertest::RectBeam;
using membertest::TestSlots;

namespace {

// A member of one section between a roller at 0 and a roller at the length; plates that hang
// over the ends add no stations of their own.
struct SpanMember {
    SpanMember(double length, double height, int bars = 0)
    {
        slots.Put(0, RectBeam("Beam", 0.3, height, bars));
        d.length = length;
        d.leftPlateLocation = 0.0;
        d.rightPlateLocation = length;
        d.leftSupport = SupportType::Roller;
        d.rightSupport = SupportType::Roller;
    }
    void Live(std::initializer_list<MomentPoint> points)
    {
        int n = 0;
        for (const MomentPoint& p : points)
            d.diagrams[LiveDiagram][static_cast<std::size_t>(n++)] = p;
        d.pointCount[LiveDiagram] = n;
    }
    TMemberStations Place()
    {
        TMemberStations s(d, slots);
        s.PlaceMemberStations();
        return s;
    }
    TestSlots slots;
    TMemberDefinition d;
};

bool HasStation(const TMemberStations& s, double x, double tol = 1e-9)
{
    for (int i = 0; i < s.GetStationCount(); ++i)
        if (std::fabs(s.GetStation(i) - x) < tol)
            return true;
    return false;
}

void ExpectAscendingAndApart(const TMemberStations& s)
{
    for (int i = 1; i < s.GetStationCount(); ++i)
        EXPECT_GE(s.GetStation(i) - s.GetStation(i - 1), kSamePosition * 0.999) << i;
}

} // namespace

TEST(MemberStations, SubdivisionFollowsTheSectionHeight)
{
    SpanMember deep(10.0, 0.5);
    TMemberStations s = deep.Place();
    // 10 / (0.4 x 0.5) = 50 intermediate stations: 51 equal parts.
    ASSERT_EQ(s.GetStationCount(), 52);
    for (int i = 1; i < s.GetStationCount(); ++i)
        EXPECT_NEAR(s.GetStation(i) - s.GetStation(i - 1), 10.0 / 51.0, 1e-9);

    SpanMember shallow(10.0, 0.05); // counts as 0.1 m high
    EXPECT_EQ(shallow.Place().GetStationCount(), 2 + 250);

    SpanMember veryLong(100.0, 0.1);
    TMemberStations many = veryLong.Place();
    // Subdivision stops at 511; the support centres that repeat the ends then merge with them.
    EXPECT_LE(many.GetStationCount(), kMaxSubdividedStations);
    EXPECT_GE(many.GetStationCount(), kMaxSubdividedStations - 2);
    EXPECT_EQ(many.GetStation(0), 0.0);
    EXPECT_EQ(many.GetStation(many.GetStationCount() - 1), 100.0);
    ExpectAscendingAndApart(many);
}

TEST(MemberStations, DirectPointLoadSpreadsOverTheEffectiveDepth)
{
    SpanMember m(4.0, 0.5, 3);
    m.Live({{0.0, 0.0, 0}, {2.0, -2000.0, 0}, {4.0, 0.0, 0}});
    TMemberStations s = m.Place();
    const ShearDiagram& v = s.AdjustedShear(LiveDiagram);
    const int n = s.AdjustedShearCount(LiveDiagram);
    // Bars 50 mm above the bottom of a 0.5 m section: d = 0.45 m.
    const double d = 0.45;
    bool found = false;
    for (int i = 0; i + 2 < n; ++i) {
        const auto& p = v[static_cast<std::size_t>(i)];
        if (std::fabs(p.x - (2.0 - d)) < 1e-9) {
            found = true;
            EXPECT_NEAR(p.v, 1000.0, 1e-9);
            EXPECT_NEAR(v[static_cast<std::size_t>(i + 1)].x, 2.0, 1e-12);
            EXPECT_NEAR(v[static_cast<std::size_t>(i + 1)].v, 0.0, 1e-12);
            EXPECT_NEAR(v[static_cast<std::size_t>(i + 2)].x, 2.0 + d, 1e-9);
            EXPECT_NEAR(v[static_cast<std::size_t>(i + 2)].v, -1000.0, 1e-9);
        }
    }
    EXPECT_TRUE(found);
    // The raw diagram keeps its step, and the stations sit on both sides of it.
    EXPECT_TRUE(HasStation(s, 2.0 - 0.0001));
    EXPECT_TRUE(HasStation(s, 2.0 + 0.0001));
    ExpectAscendingAndApart(s);

    // Hung from below: the step stays.
    m.d.topDirect = 0;
    TMemberStations hung = m.Place();
    EXPECT_EQ(hung.AdjustedShearCount(LiveDiagram), hung.RawShearCount(LiveDiagram));
}

TEST(MemberStations, JumpThresholds)
{
    const auto stationsWithMomentJump = [](double jump) {
        SpanMember m(2.0, 0.5);
        m.Live({{0.0, 0.0, 0}, {1.0, 0.0, 0}, {1.0, -jump, 0}, {2.0, -jump, 0}});
        return m.Place();
    };
    EXPECT_TRUE(HasStation(stationsWithMomentJump(1000.0), 1.0));
    const TMemberStations split = stationsWithMomentJump(1000.1);
    EXPECT_FALSE(HasStation(split, 1.0));
    EXPECT_TRUE(HasStation(split, 0.9999));
    EXPECT_TRUE(HasStation(split, 1.0001));

    // A shear step of 100 N exactly at 1 m (not direct: hung load) does not split; 100.5 does.
    const auto stationsWithShearStep = [](double step) {
        SpanMember m(2.0, 0.5);
        m.d.topDirect = 0;
        m.Live({{0.0, 0.0, 0}, {1.0, -step, 0}, {2.0, -step, 0}});
        return m.Place();
    };
    EXPECT_TRUE(HasStation(stationsWithShearStep(100.0), 1.0));
    EXPECT_FALSE(HasStation(stationsWithShearStep(100.5), 1.0));

    // Jumps at the ends: stations 0.00015 m in from each end.
    SpanMember ends(2.0, 0.5);
    ends.Live({{0.0, 0.0, 0}, {0.0, -5000.0, 0}, {2.0, -5000.0, 0}, {2.0, 0.0, 0}});
    const TMemberStations e = ends.Place();
    EXPECT_TRUE(HasStation(e, 0.0));
    EXPECT_TRUE(HasStation(e, 0.00015, 1e-12));
    EXPECT_TRUE(HasStation(e, 2.0 - 0.00015, 1e-12));
    EXPECT_TRUE(HasStation(e, 2.0));
}

TEST(MemberStations, NearPositionsMergeAndListsStayBounded)
{
    SpanMember m(2.0, 0.5);
    m.slots.Put(1, RectBeam("Other", 0.3, 0.5));
    m.d.zoneCount = 3;
    m.d.zones[1] = {1.0, 1};
    m.d.zones[2] = {1.00009, 0};
    ExpectAscendingAndApart(m.Place());

    // Many zones and many points: every list is cut at its size, with one message.
    RecordingReporter reporter;
    SpanMember crowded(0.5, 0.5);
    crowded.d.zoneCount = kMaxMemberZones;
    for (int i = 0; i < kMaxMemberZones; ++i)
        crowded.d.zones[static_cast<std::size_t>(i)] = {0.003 * i, 0};
    for (int k : {LiveDiagram, DeadDiagram}) {
        for (int i = 0; i < kMaxDiagramPoints; ++i)
            crowded.d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)] = {
                0.0015 + 0.0037 * i + 0.0011 * k, (i % 2 == 0 ? -1e4 : 1e4) * (k + 1), 0};
        crowded.d.pointCount[static_cast<std::size_t>(k)] = kMaxDiagramPoints;
    }
    const TMemberStations s = crowded.Place();
    EXPECT_LE(s.GetStationCount(), kMaxStations);
    EXPECT_LE(s.AdjustedShearCount(LiveDiagram), kMaxShearPoints);
    EXPECT_LE(reporter.messages.size(), 1u);
    ExpectAscendingAndApart(s);
}

TEST(MemberStations, AMemberFarLongerThanAnyTypedOneStillSubdividesWithinTheTable)
{
    // A length no page accepts (a document may still hold it): the count of stations in a gap
    // does not fit an int, and the subdivision stops at the table's end all the same.
    SpanMember huge(1e12, 0.5);
    TMemberStations s = huge.Place();
    EXPECT_LE(s.GetStationCount(), kMaxSubdividedStations);
    EXPECT_EQ(s.GetStation(s.GetStationCount() - 1), 1e12);
    ExpectAscendingAndApart(s);
}
