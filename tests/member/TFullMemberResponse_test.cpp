#include "member/TFullMemberResponse.h"

#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "SharedPushover.h"
#include "analysis/RunToFinish.h"
#include "analysis/SameStages.h"
#include "analysis/StepTogether.h"
#include "foundation/Sentinel.h"
#include "foundation/WorkerPool.h"
#include "support/TestSupport.h"

using membertest::RectBeam;
using membertest::TestSlots;
using stagetest::StageDifference;

namespace {

constexpr int kMaxSteps = 200000;
constexpr double kSlopeTolerance = 0.15;
constexpr double kCapacityTolerance = 0.05;

// A simply supported 1.2 m member of a 200 x 300 mm section with two 12 mm bottom bars under
// a constant sagging moment of 1000 N m per unit load factor: every station carries the same
// moment and no shear, so the member is flexure-critical and its deflection has a closed form.
struct ConstantMomentMember {
    ConstantMomentMember()
    {
        beam = slots.Put(0, RectBeam("Beam", 0.2, 0.3, 2, 0.012));
        d.length = kSpan;
        d.leftPlateSize = d.rightPlateSize = 0.05;
        d.leftPlateLocation = 0.0;
        d.rightPlateLocation = kSpan;
        d.rightSupport = SupportType::Roller;
        d.diagrams[LiveDiagram][0] = {0.0, -1000.0, 0};
        d.diagrams[LiveDiagram][1] = {kSpan, -1000.0, 0};
        d.pointCount[LiveDiagram] = 2;
    }
    static constexpr double kSpan = 1.2;
    TestSlots slots;
    TBeam* beam = nullptr;
    TMemberDefinition d;
};

// One shared pushover of the constant-moment member.
class MemberPushover : public membertest::SharedPushover<ConstantMomentMember> {};

} // namespace

TEST_F(MemberPushover, RunsToTheSectionsCapacity)
{
    const TFullMemberResponse& m = *s_member;
    ASSERT_EQ(m.IsRunning(), 0);
    ASSERT_GT(m.GetStationCount(), 5);
    const double capacity = m.GetMemberCapacity();
    ASSERT_GT(capacity, 0.0);
    for (int i = 0; i < m.GetStationCount(); ++i)
        EXPECT_GE(m.GetStationAnalysis(i)->GetMaxLoadFactor(), capacity);

    // The section alone under moment: its peak moment.
    TBeam section(*s_case->beam);
    const double increment[3] = {0.0, -1000.0, 0.0};
    section.SetIncrementLoads(increment, 3);
    TFullSectionalResponse alone(&section, 1);
    RunToFinish(alone, kMaxSteps);
    const double peakMoment = alone.GetMaxLoadFactor() * 1000.0;
    EXPECT_NEAR(capacity * 1000.0, peakMoment, kCapacityTolerance * peakMoment);
    EXPECT_EQ(m.Probe_analysis(10, 0.0), 0.0); // no shear: not shear-critical
}

// The stations share nothing (not even the slope of the convergence loop), so with one worker
// every station's stages are bit-identical to the shared run's, and a station's section run
// alone gives its stages too.
TEST_F(MemberPushover, StationsDependNeitherOnTheWorkersNorOnEachOther)
{
    const TFullMemberResponse& parallel = *s_member;
    const ScopedWorkerCount one(1);
    TFullMemberResponse serial(s_case->d, s_case->slots);
    RunToFinish(serial, kMaxSteps);
    ASSERT_EQ(serial.GetStationCount(), parallel.GetStationCount());
    for (int i = 0; i < serial.GetStationCount(); ++i)
        EXPECT_EQ(StageDifference(*serial.GetStationAnalysis(i), *parallel.GetStationAnalysis(i)), "")
            << "station " << i;

    const int middle = serial.GetStationCount() / 2;
    int warned = 0;
    const std::unique_ptr<TBeam> section = serial.GetStations().BuildStationSection(middle, warned);
    ASSERT_NE(section, nullptr);
    TFullSectionalResponse alone(section.get(), 1);
    RunToFinish(alone, kMaxSteps);
    alone.PrunePostPeakStages(3); // as the member does when a station finishes
    EXPECT_EQ(StageDifference(alone, *parallel.GetStationAnalysis(middle)), "");
}

TEST_F(MemberPushover, LoadDeflectionCurve)
{
    TFullMemberResponse& m = *s_member;
    const TDepthTable& curve = m.GetCurve(MemberCurve::LoadDeflection);
    ASSERT_EQ(curve.GetCount(), 32);
    const double lambdaMax = m.GetMemberCapacity();
    EXPECT_NEAR(curve.GetValue(30), lambdaMax, 1e-12 * lambdaMax);
    EXPECT_NEAR(curve.GetDepth(31), 1.05 * curve.GetDepth(30), 1e-15);
    EXPECT_NEAR(curve.GetValue(31), 0.95 * lambdaMax, 1e-12 * lambdaMax);
    EXPECT_EQ(curve.GetDepth(0), 0.0);

    // The views read (-deflection, load factor): a sagging member shows a rising curve.
    ASSERT_EQ(m.BeginCurve(0), 32);
    double x = 0.0;
    double y = 0.0;
    double previous = -1.0;
    for (int i = 0; i <= 30; ++i) {
        ASSERT_EQ(m.GetCurvePoint(0, x, y), 1);
        EXPECT_GT(x, previous) << i;
        previous = x;
    }

    // Initial stiffness against the uncracked gross section: midspan deflection of a simply
    // supported span under constant moment, M L^2 / (8 E I).
    const double Ec = s_case->beam->GetConcreteType(0)->Ec;
    const double I = 0.2 * 0.3 * 0.3 * 0.3 / 12.0;
    const double L = ConstantMomentMember::kSpan;
    const double elastic = 1000.0 * L * L / (8.0 * Ec * I);
    const double slope = -curve.GetDepth(1) / curve.GetValue(1);
    EXPECT_NEAR(slope, elastic, kSlopeTolerance * elastic);
}

TEST_F(MemberPushover, DistributionsAtTheMarkedPoint)
{
    TFullMemberResponse& m = *s_member;
    // Marked point 30: the distributions at the capacity; zero at both supports, symmetric.
    const TDepthTable& w = m.GetCurve(MemberCurve::Deflection);
    ASSERT_EQ(w.GetCount(), m.GetStationCount());
    const double L = ConstantMomentMember::kSpan;
    EXPECT_NEAR(w.InterpolateAtDepth(0.0), 0.0, 1e-12);
    EXPECT_NEAR(w.InterpolateAtDepth(L), 0.0, 1e-12);
    const double mid = w.InterpolateAtDepth(L / 2.0);
    EXPECT_LT(mid, 0.0);
    for (int i = 0; i < w.GetCount(); ++i)
        EXPECT_NEAR(w.GetValue(i), w.InterpolateAtDepth(L - w.GetDepth(i)), 1e-3 * std::fabs(mid));
    // The slope is antisymmetric and the load-deflection point 30 is the bottom face at midspan.
    const TDepthTable& theta = m.GetCurve(MemberCurve::Slope);
    EXPECT_NEAR(theta.InterpolateAtDepth(0.0), -theta.InterpolateAtDepth(L), 1e-3 * std::fabs(theta.GetValue(0)));
    EXPECT_NEAR(m.GetCurve(MemberCurve::DeflectionBottom).InterpolateAtDepth(L / 2.0),
                m.GetCurve(MemberCurve::LoadDeflection).GetDepth(30), 1e-12);
    EXPECT_EQ(m.GetCurve(MemberCurve::AxialDisplacementBottom).GetName(), "X displacement with length");

    // Moving the chosen position rebuilds the curve there.
    m.SetResultParameter(0, L / 4.0, 0.0, 0);
    EXPECT_NEAR(m.GetCurve(MemberCurve::LoadDeflection).GetDepth(30),
                m.GetCurve(MemberCurve::DeflectionBottom).InterpolateAtDepth(L / 4.0), 1e-12);
    EXPECT_EQ(m.Probe_analysis(13, 0.0), L / 4.0);
    m.SetResultParameter(0, L / 2.0, 0.0, 0);
}

TEST_F(MemberPushover, StageIndicesRunOverTheStations)
{
    TFullMemberResponse& m = *s_member;
    const TFullSectionalResponse* first = m.GetStationAnalysis(0);
    const int n0 = first->GetLastStageIndex();
    EXPECT_EQ(m.GetStage(0), first->GetStage(0));
    ASSERT_EQ(m.SelectLoadStage(n0 + 1), 1);
    EXPECT_EQ(m.GetShownStation(), 1);
    EXPECT_EQ(m.GetCurrentState(), m.GetStationAnalysis(1)->GetStage(1));
    EXPECT_EQ(m.GetNextStageIndex(10030), 10030);
    EXPECT_EQ(m.GetPreviousStageIndex(10000), 0);
    EXPECT_EQ(m.GetPreviousStageIndex(0), 0);
    // Points of the load-deflection curve select the marked point; the station loads follow it.
    m.SelectLoadStage(10010);
    EXPECT_EQ(m.GetMarkedPoint(), 10);
    const double lambda = m.GetMemberCapacity() / 3.0;
    const int n = m.GetStationCount();
    ASSERT_EQ(m.BeginCurve(18), n + 2);
    double x = 0.0;
    double y = 0.0;
    for (int s = 0; s < n; ++s) {
        ASSERT_EQ(m.GetCurvePoint(18, x, y), 1);
        EXPECT_EQ(x, m.GetStations().GetStation(s));
        EXPECT_NEAR(y, 1000.0 * lambda, 1e-9 * lambda); // the negated (sagging) moment
    }
    EXPECT_EQ(m.GetCurvePoint(18, x, y), 0);
    EXPECT_EQ(x, 0.0);
    m.BeginCurve(1);
    x = 1.0; // kind: moment
    ASSERT_EQ(m.GetCurvePoint(1, x, y), 1);
    EXPECT_NEAR(y, -1000.0 * lambda, 1e-9 * lambda);
    m.SelectLoadStage(10030);
}

TEST_F(MemberPushover, DiagramWalkAndElevationState)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    const TFullSectionalResponse* first = m.GetStationAnalysis(0);
    const TFullSectionalResponse* last = m.GetStationAnalysis(n - 1);
    const int n0 = first->GetLastStageIndex() + 1;
    const SectionState* state = nullptr;
    int flag = -1;
    // Station 0 forward, the inner stations' peaks, then the last station backward.
    ASSERT_EQ(m.GetDiagramState(1, state, flag), 1);
    EXPECT_EQ(state, first->GetStage(1));
    EXPECT_EQ(flag, 1); // station 0 has finished
    ASSERT_EQ(m.GetDiagramState(n0, state, flag), 1);
    EXPECT_EQ(state, m.GetStationAnalysis(1)->GetPeakState());
    ASSERT_EQ(m.GetDiagramState(n - 2 + n0, state, flag), 1);
    EXPECT_EQ(state, last->GetStage(last->GetLastStageIndex()));
    EXPECT_EQ(m.GetDiagramState(n - 2 + n0 + last->GetLastStageIndex() + 1, state, flag), 0);
    EXPECT_EQ(state, nullptr);

    // Midspan at half the capacity: the moment of the diagram, no shear in the elevation's
    // state, cracks only where the section is in tension.
    const double lambda = 0.5 * m.GetMemberCapacity();
    MemberStateRecord record;
    ASSERT_EQ(m.InterpolateMemberState(0.6, lambda, record, 1.0), 1);
    EXPECT_EQ(record.x, 0.6);
    EXPECT_NEAR(record.moment, -1000.0 * lambda * 0.9999999999, 1e-6 * 1000.0 * lambda);
    EXPECT_GT(record.h, 0.25);
    EXPECT_GT(record.depths[0][1], 0.0);  // cracked at the bottom
    EXPECT_EQ(record.depths[20][1], -1.0f); // not at the top
    RecordingReporter reporter;
    EXPECT_EQ(m.InterpolateMemberState(5.0, lambda, record, 1.0), 0);
    EXPECT_EQ(record.x, -1.0);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(MemberPushover, SectionCapacitiesAlongTheMember)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    // Two 12 mm bars of 400 MPa below mid-height: A fy on the bottom, nothing on top, and the
    // line drawn twice (the second time negated) after a separator.
    const double bottom = 2.0 * fixtures::BarArea(0.012) * 400e6;
    ASSERT_EQ(m.BeginCurve(4017), 2 * n + 1);
    double x = 0.0;
    double y = 0.0;
    for (int c = 0; c < 2 * n + 1; ++c) {
        ASSERT_EQ(m.GetCurvePoint(4017, x, y), 1);
        if (c == n)
            EXPECT_EQ(x, kUndefined);
        else
            EXPECT_NEAR(y, c < n ? bottom : -bottom, 1e-6 * bottom);
    }
    EXPECT_EQ(m.GetCurvePoint(4017, x, y), 0);
    ASSERT_EQ(m.BeginCurve(4018), 2 * n + 1);
    m.GetCurvePoint(4018, x, y);
    EXPECT_EQ(y, 0.0);
    ASSERT_EQ(m.BeginCurve(4016), n);
    m.GetCurvePoint(4016, x, y);
    EXPECT_EQ(y, 0.0); // no stirrups
    // The section constant of each station's analysis.
    ASSERT_EQ(m.BeginCurve(16), n);
    ASSERT_EQ(m.GetCurvePoint(16, x, y), 1);
    EXPECT_EQ(y, m.GetStationAnalysis(0)->GetSectionConstant());
}

TEST(MemberDeadLoad, FailureStopsTheBuilding)
{
    ConstantMomentMember p;
    RecordingReporter reporter;
    // 10 MN m of dead moment over the whole member: far past the section's capacity.
    p.d.diagrams[DeadDiagram][0] = {0.0, -1e7, 0};
    p.d.diagrams[DeadDiagram][1] = {p.d.length, -1e7, 0};
    p.d.pointCount[DeadDiagram] = 2;
    TFullMemberResponse m(p.d, p.slots);
    EXPECT_EQ(m.IsRunning(), 0);
    EXPECT_EQ(reporter.Count(kDeadLoadFailedText), 1);
}

// Before its stations have stepped, the member's elevation state is read without a message
// (the crack-pattern view reads it as soon as the pushover layout opens): no crack anywhere,
// the section's full height, no load at a load factor of 0.
TEST(MemberElevation, AnUnsteppedMemberShowsNoCrackAndNoMessage)
{
    ConstantMomentMember p;
    TFullMemberResponse m(p.d, p.slots);
    ASSERT_EQ(m.IsRunning(), 1);
    RecordingReporter reporter;
    MemberStateRecord record;
    for (double x : {0.0, 0.6, ConstantMomentMember::kSpan}) {
        SCOPED_TRACE(x);
        ASSERT_EQ(m.InterpolateMemberState(x, 0.0, record, 1.0), 1);
        EXPECT_NEAR(record.h, 0.3, 1e-9);
        EXPECT_EQ(record.moment, 0.0);
        for (const auto& depth : record.depths)
            EXPECT_EQ(depth[1], -1.0f);
    }
    EXPECT_TRUE(reporter.messages.empty());
}


TEST(MemberDeflection, EndShiftOfAYieldPenetratingFixedEndUsesItsOwnStrains)
{
    // Fixed at the right end with yield penetration: the end shift takes the strains of the
    // computation itself, so a deflection asked before any curves were captured shows nothing.
    ConstantMomentMember p;
    p.d.leftSupport = SupportType::Undefined;
    p.d.rightSupport = SupportType::FixedEnd;
    p.d.rightAnchorage = AnchorageType::YieldPenetrate;
    RecordingReporter reporter;
    TFullMemberResponse m(p.d, p.slots);
    ASSERT_EQ(m.IsRunning(), 1);
    EXPECT_TRUE(m.GetCurve(MemberCurve::Curvature).IsEmpty());
    const double w = m.ComputeMemberDeflection(0.0, 0.6, false);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(std::isfinite(w));
    m.Finish();
}

// The member is shear-critical when the station that sets its capacity carries, at that load,
// a moment no larger than five section heights times its shear. A linear live moment diagram
// gives every station away from the supports the same shear V and a moment V (a + x). With
// four 25 mm bars and no stirrups in the 200 x 300 mm section, the governing station is the last
// of those before the right support (the stations nearer the supports carry less shear and
// reach higher loads): a + x is 1.05 m (3.5 h) for a = 0.1 m, and 2.55 m (8.5 h) for a = 1.6 m.
TEST(MemberShearCritical, ShearSpanAtTheGoverningStationDecides)
{
    for (const auto& [a, critical] : {std::pair{0.1, 1}, std::pair{1.6, 0}}) {
        SCOPED_TRACE(a);
        constexpr double kShear = 1000.0;
        ConstantMomentMember p;
        p.slots.Put(0, RectBeam("Beam", 0.2, 0.3, 4, 0.025));
        RecordingReporter reporter;
        p.d.diagrams[LiveDiagram][0] = {0.0, -kShear * a, 0};
        p.d.diagrams[LiveDiagram][1] = {p.d.length, -kShear * (a + p.d.length), 0};
        TFullMemberResponse m(p.d, p.slots);
        const ScopedWorkerCount workers(4);
        RunToFinish(m, kMaxSteps);
        EXPECT_EQ(m.GetShearCritical(), critical);
    }
}

TEST_F(MemberPushover, EveryStationStateCarriesItsLocation)
{
    // The member's control charts plot the states against Summary[0].
    const TFullMemberResponse& m = *s_member;
    for (int s = 0; s < m.GetStationCount(); ++s) {
        const TFullSectionalResponse* a = m.GetStationAnalysis(s);
        ASSERT_NE(a, nullptr);
        const double x = m.GetStations().GetStation(s);
        int checked = 0;
        for (int k = 0; k <= a->GetLastStageIndex(); ++k) {
            const SectionState* state = a->GetStage(k);
            if (state == nullptr)
                continue; // a slot pruned after the peak
            EXPECT_EQ(state->Summary[0], x) << s << " " << k;
            ++checked;
        }
        EXPECT_GT(checked, 5);
    }
    EXPECT_GT(m.GetStations().GetStation(m.GetStationCount() - 1), 0.0);
}

namespace {

// The first point handed out of a per-station curve at station i.
double StationValue(TFullMemberResponse& m, int curve, int i)
{
    double x = 0.0;
    double y = 0.0;
    m.BeginCurve(curve);
    for (int k = 0; k <= i; ++k)
        if (m.GetCurvePoint(curve, x, y) == 0)
            return kUndefined;
    return y;
}

// Shows load-deflection point k: its load factor and the distributions there.
void MarkPoint(TFullMemberResponse& m, int k)
{
    m.SelectLoadStage(kCurvePointStageBase + k);
    m.BuildResultCurves();
}

} // namespace

// The stiffness graphs' curves against the hand values of the 200 x 300 mm section with two 12
// mm bars at d = 250 mm: uncracked E_c I_tr of the transformed section (the bars counted
// n - 1 times about the shifted centroid); below cracking the secant EI is the uncracked one,
// and at half the capacity it lies between the cracked transformed E_c I_cr and the gross one.
TEST_F(MemberPushover, FlexuralStiffnessAlongTheMember)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    const double Ec = s_case->beam->GetConcreteType(0)->Ec;
    const double Ig = 0.2 * 0.3 * 0.3 * 0.3 / 12.0;
    // Cracked transformed section: k d from the quadratic of the neutral axis.
    const double b = 0.2;
    const double d = 0.25;
    const double As = 2.0 * fixtures::BarArea(0.012);
    const double nr = 200e9 / Ec;
    const double rho = As / (b * d);
    const double kd = (std::sqrt(2.0 * rho * nr + rho * nr * rho * nr) - rho * nr) * d;
    const double Icr = b * kd * kd * kd / 3.0 + nr * As * (d - kd) * (d - kd);
    // Uncracked transformed section: centroid ybar above the bottom, bars 50 mm above it.
    const double added = (nr - 1.0) * As;
    const double ybar = (b * 0.3 * 0.15 + added * 0.05) / (b * 0.3 + added);
    const double Itr = Ig + b * 0.3 * (0.15 - ybar) * (0.15 - ybar) + added * (ybar - 0.05) * (ybar - 0.05);
    ASSERT_GT(Itr, 1.02 * Ig);

    ASSERT_EQ(m.BeginCurve(17), n);
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(StationValue(m, 17, i), Ec * Itr, 1e-9 * Ec * Itr) << i;

    // Point 1: 1/30 of the capacity, well below cracking (f_r S = 1.95 MPa x 3e-3 m^3).
    MarkPoint(m, 1);
    ASSERT_LT(m.GetMemberCapacity() * 1000.0 / 30.0, 0.5 * 1.95e6 * 3e-3);
    ASSERT_EQ(m.BeginCurve(14), n);
    for (int i = 0; i < n; ++i) {
        const double ei = StationValue(m, 14, i);
        EXPECT_GT(ei, 0.95 * Ec * Ig) << i;
        EXPECT_LT(ei, 1.15 * Ec * Ig) << i; // the bars stiffen the transformed section a little
    }
    // Point 15: half the capacity, cracked but not yielded.
    MarkPoint(m, 15);
    for (int i = 0; i < n; ++i) {
        const double ei = StationValue(m, 14, i);
        EXPECT_GT(ei, 0.95 * Ec * Icr) << i;
        EXPECT_LT(ei, 0.5 * Ec * Ig) << i;
    }
    MarkPoint(m, 30);
}

// No shear acts on the member: the secant shear modulus is the sections' uncracked one, the
// section constant, which for a rectangle is near 5/6 of G = E_c / 2.
TEST_F(MemberPushover, ShearStiffnessWithoutShearIsTheUncrackedOne)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    const double G = s_case->beam->GetConcreteType(0)->Ec / 2.0;
    ASSERT_EQ(m.BeginCurve(15), n);
    for (int i = 0; i < n; ++i) {
        const double g = StationValue(m, 15, i);
        EXPECT_EQ(g, StationValue(m, 16, i)) << i;
        EXPECT_NEAR(g, 5.0 / 6.0 * G, 0.1 * G) << i;
    }
}

// Demand on the bars at a crack: at the capacity the two bottom bars have yielded (A_s f_y,
// hardening towards A_s f_u); half way the force is the moment over a lever arm between 0.8 d
// and d; the member has no top bars and no prestressing steel, and carries no shear.
TEST_F(MemberPushover, DemandOnTheReinforcement)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    const double yield = 2.0 * fixtures::BarArea(0.012) * 400e6;
    const double ultimate = 2.0 * fixtures::BarArea(0.012) * s_case->beam->GetSteelType(0)->fu;
    ASSERT_EQ(m.BeginCurve(4024), n);
    ASSERT_EQ(m.BeginCurve(4025), n);
    ASSERT_EQ(m.BeginCurve(4026), 2 * n + 1); // reported as a mirrored capacity line
    ASSERT_EQ(m.BeginCurve(4027), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(StationValue(m, 4027, i), 0.0); // no stirrups
        EXPECT_EQ(StationValue(m, 4028, i), 0.0); // no shear on any crack
        EXPECT_GE(StationValue(m, 4024, i), 0.99 * yield) << i;
        EXPECT_LE(StationValue(m, 4024, i), ultimate) << i;
        EXPECT_EQ(StationValue(m, 4025, i), 0.0);
        EXPECT_EQ(StationValue(m, 4026, i), 0.0);
    }
    MarkPoint(m, 15);
    const double moment = 1000.0 * m.GetMemberCapacity() / 2.0;
    for (int i = 0; i < n; ++i) {
        const double force = StationValue(m, 4024, i);
        EXPECT_LT(force, 0.9 * yield) << i;
        EXPECT_GT(force, moment / 0.25) << i;
        EXPECT_LT(force, moment / (0.8 * 0.25)) << i;
    }
    double x = 0.0;
    double y = 0.0;
    // Every demand curve hands out the stations once: 4026 too, though it reports more.
    for (const int curve : {4024, 4025, 4026, 4027, 4028, 4029}) {
        SCOPED_TRACE(curve);
        m.BeginCurve(curve);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(m.GetCurvePoint(curve, x, y), 1);
            EXPECT_EQ(x, m.GetStations().GetStation(i));
        }
        EXPECT_EQ(m.GetCurvePoint(curve, x, y), 0);
    }
    MarkPoint(m, 30);
}

// Near the top of the governing station's response the marked load factor of the last point
// may round a little above its peak; the bracketing stages are then still those up to the
// peak, not the stages after it.
TEST_F(MemberPushover, MarkedLoadJustAboveThePeakIsBracketedByThePeak)
{
    TFullMemberResponse& m = *s_member;
    const double capacity = m.GetMemberCapacity();
    int governing = -1;
    for (int s = 0; s < m.GetStationCount() && governing < 0; ++s)
        if (m.GetStationAnalysis(s)->GetMaxLoadFactor() == capacity)
            governing = s;
    ASSERT_GE(governing, 0);
    const TFullSectionalResponse& a = *m.GetStationAnalysis(governing);
    int peak = 0;
    for (int k = 0; k <= a.GetLastStageIndex(); ++k)
        if (a.LoadFactorOf(k) == capacity)
            peak = k;
    ASSERT_LT(peak, a.GetLastStageIndex()); // stages follow the peak
    const double above = capacity * (1.0 + 4e-16);
    ASSERT_GT(above, capacity);
    int lo = 0;
    int hi = 0;
    // Not widened, no pair holds it: the last stage, after the peak, would be read twice.
    TFullMemberResponse::BracketingStages(a, above, lo, hi);
    EXPECT_EQ(lo, a.GetLastStageIndex());
    TFullMemberResponse::BracketingStages(a, above, lo, hi, 1.0000001);
    EXPECT_EQ(hi, peak);
    EXPECT_EQ(lo, peak - 1);
}

// Before any stage was chosen (the window's index is -1), stepping back and on walks the
// load-deflection points from the marked one.
TEST_F(MemberPushover, SteppingStartsFromTheMarkedPoint)
{
    TFullMemberResponse& m = *s_member;
    ASSERT_EQ(m.GetMarkedPoint(), 30);
    EXPECT_EQ(m.GetPreviousStageIndex(-1), kCurvePointStageBase + 29);
    EXPECT_EQ(m.GetNextStageIndex(-1), kCurvePointStageBase + 30);
    int index = -1;
    for (int k = 0; k < 40; ++k)
        index = m.GetPreviousStageIndex(index);
    EXPECT_EQ(index, 0); // past the first point: the first stage of the first station
}

// The shear force diagram's "Equilibrium" curve is the shear in equilibrium with the loads as
// defined: for a dead moment diagram rising linearly by 1200 N m over the 1.2 m span it is
// 1000 N at every station inside the span, never the moment itself. The stations' own,
// effective shear is no larger, and the same away from the supports.
TEST(MemberShearDiagram, EquilibriumCurveIsTheDefinedShear)
{
    ConstantMomentMember c;
    const double L = ConstantMomentMember::kSpan;
    c.d.diagrams[DeadDiagram][0] = {0.0, 0.0, 0};
    c.d.diagrams[DeadDiagram][1] = {L, -1200.0, 0};
    c.d.pointCount[DeadDiagram] = 2;
    TFullMemberResponse m(c.d, c.slots);
    const int n = m.GetStationCount();
    ASSERT_GT(n, 2);
    std::vector<double> xs;
    std::vector<double> equilibrium;
    double x = 0.0;
    double y = 0.0;
    ASSERT_EQ(m.BeginCurve(19), n + 2);
    for (int s = 0; s < n; ++s) {
        ASSERT_EQ(m.GetCurvePoint(19, x, y), 1);
        xs.push_back(x);
        equilibrium.push_back(y);
    }
    ASSERT_EQ(m.BeginCurve(20), n + 2);
    int compared = 0;
    for (std::size_t s = 0; s < xs.size(); ++s) {
        ASSERT_EQ(m.GetCurvePoint(20, x, y), 1);
        if (xs[s] <= 0.0 || xs[s] >= L)
            continue;
        SCOPED_TRACE(xs[s]);
        EXPECT_NEAR(equilibrium[s], 1000.0, 1e-6);
        EXPECT_LE(y, equilibrium[s] + 1e-6);
        if (std::fabs(xs[s] - L / 2.0) < L / 4.0) {
            EXPECT_NEAR(y, equilibrium[s], 1e-6);
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
}

// A finished run shows the station that sets the member's capacity, its peak at the capacity,
// whether the machine took each station step in a call of its own (a slow machine) or the
// whole run in one call (a fast one). The stations of the member without stirrups reach their
// peaks after different numbers of steps: the last to finish is not the governing one.
TEST(MemberStepping, AFinishedRunShowsTheStationThatSetsItsCapacityHoweverFastTheMachine)
{
    std::vector<int> shown;
    for (int slice : {0, 600000}) {
        SCOPED_TRACE(slice);
        membertest::NoStirrupMember c;
        RecordingReporter reporter;
        const ScopedStepTogetherSlice steps(slice);
        TFullMemberResponse m(c.d, c.slots);
        const int calls = RunToFinish(m, kMaxSteps);
        ASSERT_EQ(m.IsRunning(), 0);
        if (slice == 0)
            EXPECT_GT(calls, 20);
        else
            EXPECT_EQ(calls, 1);
        const double capacity = m.GetMemberCapacity();
        ASSERT_GT(capacity, 0.0);
        const int station = m.GetShownStation();
        ASSERT_NE(m.GetStationAnalysis(station), nullptr);
        EXPECT_EQ(m.GetStationAnalysis(station)->GetMaxLoadFactor(), capacity);
        for (int i = 0; i < station; ++i)
            EXPECT_GT(m.GetStationAnalysis(i)->GetMaxLoadFactor(), capacity) << i;
        ASSERT_NE(m.GetCurrentState(), nullptr);
        EXPECT_EQ(m.GetCurrentState()->Results[StateResult::LoadFactor], capacity);
        EXPECT_EQ(m.GetCurrentState(), m.GetPeakState());
        shown.push_back(station);
    }
    EXPECT_EQ(shown[0], shown[1]);
}
