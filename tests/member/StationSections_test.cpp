#include "member/StationSections.h"

#include <cmath>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "support/TestSupport.h"

using membertest::DefaultMember;
using membertest::RectBeam;

namespace {

int StationNear(const TMemberStations& s, double x)
{
    int best = 0;
    for (int i = 1; i < s.GetStationCount(); ++i)
        if (std::fabs(s.GetStation(i) - x) < std::fabs(s.GetStation(best) - x))
            best = i;
    return best;
}

std::array<double, 3> Loads(const TBeam& b, bool constant)
{
    double v[3] = {};
    if (constant)
        b.GetConstantLoads(v, 3);
    else
        b.GetIncrementLoads(v, 3);
    return {v[0], v[1], v[2]};
}

} // namespace

TEST(StationSections, LoadsFromTheDiagrams)
{
    DefaultMember m;
    m.d.axialLoad = {-1000.0, -2000.0};
    ASSERT_EQ(GenerateSelfWeightDiagram(m.slots, m.d, DeadDiagram), 1);
    TStationSections s(m.d, m.slots);
    s.PlaceMemberStations();
    int warned = 0;

    // Mid shear span: live M linear from 0 at 0.2 m to -1800 at 2.0 m, V = 1000 N.
    const int i = StationNear(s, 1.1);
    const double x = s.GetStation(i);
    auto section = s.BuildStationSection(i, warned);
    ASSERT_NE(section, nullptr);
    const auto live = Loads(*section, false);
    EXPECT_NEAR(live[0], -1000.0, 1e-9);
    EXPECT_NEAR(live[1], -1800.0 * (x - 0.2) / 1.8, 1e-3);
    EXPECT_NEAR(live[2], 1000.0, 1e-6);
    const auto dead = Loads(*section, true);
    EXPECT_NEAR(dead[0], -2000.0, 1e-9);
    // Self weight: V = -dM/dx = RL - q x past the plate, RL = q L.
    const double q = 24000.0 * 0.18;
    EXPECT_NEAR(dead[2], q * 2.6 - q * x, 1e-6 * q * 2.6);
    EXPECT_EQ(section->GetCheckTensionStiffening(), 0);

    // A station at the end of the member has no shear.
    auto last = s.BuildStationSection(s.GetStationCount() - 1, warned);
    EXPECT_EQ(Loads(*last, false)[2], 0.0);
    EXPECT_EQ(Loads(*last, true)[2], 0.0);

    // Dead loads applied with the live ones: the constant loads are all 0.
    m.d.deadLoadConstant = 0;
    TStationSections t(m.d, m.slots);
    t.PlaceMemberStations();
    auto combined = t.BuildStationSection(i, warned);
    EXPECT_EQ(Loads(*combined, true), (std::array<double, 3>{0.0, 0.0, 0.0}));
    EXPECT_NEAR(Loads(*combined, false)[0], -3000.0, 1e-9);
    EXPECT_NEAR(Loads(*combined, false)[1], live[1] + dead[1], 1e-6);
}

TEST(StationSections, ParabolicMomentAndDrape)
{
    DefaultMember m;
    auto& P = m.d.diagrams[LiveDiagram];
    P[0] = {0.0, 0.0, 1};
    P[1] = {1.0, -500.0, 1};
    P[2] = {2.0, 0.0, 1};
    m.d.pointCount[LiveDiagram] = 3;
    m.d.length = 4.0;
    TStationSections s(m.d, m.slots);
    s.PlaceMemberStations();
    double N = 0.0;
    double M = 0.0;
    double V = 0.0;
    s.GetMemberLoadsAt(0.5, LiveDiagram, s.AdjustedShear(LiveDiagram), s.AdjustedShearCount(LiveDiagram), N, M, V);
    EXPECT_NEAR(M, -500.0 * (1.0 - 0.25), 1e-9); // M = -500 (1 - (x - 1)^2)
    s.GetMemberLoadsAt(3.0, LiveDiagram, s.AdjustedShear(LiveDiagram), s.AdjustedShearCount(LiveDiagram), N, M, V);
    EXPECT_EQ(M, 0.0); // beyond the last point

    // A tendon draped 0.01 m/m in a zone from 2 m to 6 m keeps its depth at 4 m.
    RecordingReporter reporter;
    m.d.length = 8.0;
    m.d.zoneCount = 2;
    m.d.zones[1] = {2.0, 1};
    auto tendon = RectBeam("Draped", 0.3, 0.6, 2);
    tendon->GetLongLayer(0, 0)->drape = 0.01;
    m.slots.Put(1, std::move(tendon));
    m.d.zoneCount = 3;
    m.d.zones[2] = {6.0, 0};
    TStationSections d(m.d, m.slots);
    const double z0 = m.slots.Beam(1)->GetLongLayer(0, 0)->z;
    int warned = 0;
    for (const double x : {4.0, 5.0, 2.5}) {
        TBeam section(*m.slots.Beam(1));
        d.DrapeStationTendons(section, x, warned);
        EXPECT_NEAR(section.GetLongLayer(0, 0)->z, z0 - 0.01 * (x - 4.0), 1e-12) << x;
    }
    EXPECT_TRUE(reporter.messages.empty());
    // Far beyond the section: clamped, one message for all stations.
    m.slots.Beam(1)->GetLongLayer(0, 0)->drape = 0.5;
    for (const double x : {5.0, 5.5}) {
        TBeam section(*m.slots.Beam(1));
        d.DrapeStationTendons(section, x, warned);
        EXPECT_EQ(section.GetLongLayer(0, 0)->z, section.GetBottom());
    }
    EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST(StationSections, StirrupsAveragedOverOneHeight)
{
    DefaultMember m; // zone 0 without stirrups
    m.slots.Put(1, RectBeam("Stirruped", 0.3, 0.6, 0, 0.025, true));
    m.d.zoneCount = 2;
    m.d.zones[1] = {1.0, 1};
    TStationSections s(m.d, m.slots);
    s.PlaceMemberStations();
    const double q1 = TStationSections::StirrupCapacity(*m.slots.Beam(1));
    ASSERT_GT(q1, 0.0);

    // 0.1 m left of the zone boundary: the window 0.6 m wide holds 0.2 m of stirrups (the
    // capacity rises over 0.1 mm across the boundary).
    TBeam near(*m.beam);
    s.SetStationStirrups(near, 0.9);
    ASSERT_EQ(near.GetTransLayerCount(2), 1);
    EXPECT_EQ(near.GetTransLayer(0, 2)->name, "AutoGen");
    EXPECT_NEAR(TStationSections::StirrupCapacity(near), q1 * 0.2 / 0.6, 1e-6 * q1);

    // Far from any stirrups: nothing changes.
    TBeam far(*m.beam);
    s.SetStationStirrups(far, 0.4);
    EXPECT_EQ(far.GetTransLayerCount(2), 0);

    // Inside the stirruped zone, away from its ends, the capacity stays its own.
    TBeam inside(*m.slots.Beam(1));
    s.SetStationStirrups(inside, 1.8);
    EXPECT_NEAR(TStationSections::StirrupCapacity(inside), q1, 1e-9 * q1);
}

TEST(StationSections, StraightBarAnchorage)
{
    DefaultMember m;
    auto bars = RectBeam("Bars", 0.3, 0.6, 3, 0.02);
    const double fy = bars->GetSteelType(0)->fy;
    m.slots.Put(0, std::move(bars));
    m.d.length = 4.0;
    m.d.rightSupport = SupportType::Roller;
    m.d.rightPlateLocation = 4.0;
    m.d.leftAnchorage = AnchorageType::StraightBar;
    TStationSections s(m.d, m.slots);
    const auto factorAt = [&](double x) {
        TBeam section(*m.slots.Beam(0));
        s.ReduceAnchorageStrength(section, x);
        return section.GetSteelType(0)->fy / fy;
    };
    // Development length 50 x 0.02 = 1 m.
    EXPECT_NEAR(factorAt(0.5), 0.5, 1e-12);
    EXPECT_NEAR(factorAt(1.0), 1.0, 1e-12);
    EXPECT_NEAR(factorAt(1.5), 1.0, 1e-12);
    EXPECT_NEAR(factorAt(0.005), 0.01, 1e-12);
    EXPECT_NEAR(factorAt(3.9), 1.0, 1e-12); // the right end is perfectly anchored
}
