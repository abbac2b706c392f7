// The member curves with one point per station, checked against hand values: the aggregate
// interlock of the cracks (demand and capacity) of a member without stirrups, its secant shear
// modulus, the shear in equilibrium with the defined loads, and the demand on the bars and
// tendons of a prestressed member.

#include "member/TFullMemberResponse.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "SharedPushover.h"
#include "model/materials/SteelLaws.h"
#include "support/TestSupport.h"

using membertest::NoStirrupMember;
using membertest::RectBeam;
using membertest::TestSlots;

namespace {

constexpr int kDemandCurve = 4028;
constexpr int kCapacityCurve = 4029;

// One shared pushover of the member without stirrups.
class MemberWithoutStirrups : public membertest::SharedPushover<NoStirrupMember> {
protected:
    void TearDown() override { Mark(kLoadDeflectionSteps); }
    // Marks load-deflection point k and captures the distributions there; its load factor.
    static double Mark(int k)
    {
        s_member->SelectLoadStage(kCurvePointStageBase + k);
        s_member->BuildResultCurves();
        return k * s_member->GetMemberCapacity() / kLoadDeflectionSteps;
    }
    // The points of a per-station curve, one per station; fails when the count is another.
    static std::vector<std::pair<double, double>> Points(int curve)
    {
        TFullMemberResponse& m = *s_member;
        std::vector<std::pair<double, double>> points;
        EXPECT_EQ(m.BeginCurve(curve), m.GetStationCount()) << curve;
        double x = 0.0;
        double y = 0.0;
        while (m.GetCurvePoint(curve, x, y))
            points.emplace_back(x, y);
        EXPECT_EQ(points.size(), static_cast<std::size_t>(m.GetStationCount())) << curve;
        return points;
    }
    // The station nearest position x.
    static int StationNear(double x)
    {
        const TStationSections& st = s_member->GetStations();
        int best = 0;
        for (int i = 1; i < st.GetStationCount(); ++i)
            if (std::fabs(st.GetStation(i) - x) < std::fabs(st.GetStation(best) - x))
                best = i;
        return best;
    }
};


// What a state's cracks show by hand: over every layer's top, middle and bottom node, the node
// whose shear on the crack is largest against what the crack carries, |v_ci| / (1 + v_ci,max);
// and, to show that the choice matters, the nodes of the largest |v_ci| and largest v_ci,max.
struct HandCrack {
    double demand = 0.0;
    double capacity = 0.0;
    int node = -1;
    int mostShear = -1;
    int mostCapacity = -1;
};

HandCrack ReadCracks(const SectionState& s)
{
    HandCrack h;
    double ratio = -1.0;
    double shear = -1.0;
    double capacity = -1.0;
    for (int i = 0; i < s.UsableLayerCount(); ++i) {
        const LayerDefRec& layer = s.LayerDefs[static_cast<std::size_t>(i)];
        for (const std::uint32_t id : {layer.NodeTop, layer.NodeMid, layer.NodeBottom}) {
            const LayerNodeStateRec& n = s.NodeStates[id];
            const double r = std::fabs(n.CrackShearStress) / (1.0 + n.CrackShearLimit);
            if (r > ratio) {
                ratio = r;
                h.node = static_cast<int>(id);
                h.demand = std::fabs(n.CrackShearStress);
                h.capacity = n.CrackShearLimit;
            }
            if (std::fabs(n.CrackShearStress) > shear)
                shear = std::fabs(n.CrackShearStress), h.mostShear = static_cast<int>(id);
            if (n.CrackShearLimit > capacity)
                capacity = n.CrackShearLimit, h.mostCapacity = static_cast<int>(id);
        }
    }
    return h;
}

} // namespace

// The aggregate-interlock curves at load-deflection point 26, for a station in each shear span
// (shear of either sign, 0.35 m from either support): the stages around the marked load factor found from their load
// factors, in each the node read by hand, the two values interpolated linearly between them.
TEST_F(MemberWithoutStirrups, CrackShearCurvesReadTheMostStressedCrackByHand)
{
    TFullMemberResponse& m = *s_member;
    const double lambda = Mark(26);
    const std::vector<std::pair<double, double>> demand = Points(kDemandCurve);
    const std::vector<std::pair<double, double>> capacity = Points(kCapacityCurve);
    ASSERT_EQ(demand.size(), static_cast<std::size_t>(m.GetStationCount()));
    ASSERT_EQ(capacity.size(), demand.size());
    bool ratioDecides = false;
    for (const double at : {0.25, 0.95}) {
        const int s = StationNear(at);
        ASSERT_NEAR(m.GetStations().GetStation(s), at, 1e-9);
        SCOPED_TRACE(s);
        const TFullSectionalResponse& a = *m.GetStationAnalysis(s);
        int lo = -1;
        for (int k = 0; k < a.GetLastStageIndex() && lo < 0; ++k)
            if (a.LoadFactorOf(k) <= lambda && lambda <= a.LoadFactorOf(k + 1))
                lo = k;
        ASSERT_GE(lo, 0);
        const double f0 = a.LoadFactorOf(lo);
        const double f1 = a.LoadFactorOf(lo + 1);
        const double t = (lambda - f0) / (f1 - f0);
        ASSERT_GT(t, 0.0); // the marked load lies between the two stages
        ASSERT_LT(t, 1.0);
        const HandCrack c0 = ReadCracks(*a.GetStage(lo));
        const HandCrack c1 = ReadCracks(*a.GetStage(lo + 1));
        ASSERT_GT(c1.demand, 1e5); // a crack in the web carries shear here
        for (const HandCrack& c : {c0, c1})
            ratioDecides = ratioDecides || (c.demand > 0.0 && c.node != c.mostShear && c.node != c.mostCapacity);
        const double x = m.GetStations().GetStation(s);
        const std::size_t i = static_cast<std::size_t>(s);
        EXPECT_EQ(demand[i].first, x);
        EXPECT_EQ(capacity[i].first, x);
        EXPECT_NEAR(demand[i].second, c0.demand + t * (c1.demand - c0.demand), 1e-9 * c1.demand);
        EXPECT_NEAR(capacity[i].second, c0.capacity + t * (c1.capacity - c0.capacity), 1e-9 * c1.capacity);
    }
    // At some stage the node of the largest ratio is neither that of the largest shear on a crack
    // nor that of the largest capacity: the hand values above tell the three choices apart.
    EXPECT_TRUE(ratioDecides);
}

// Physics of the two curves along the symmetric member at three load levels: the shear on a
// crack never exceeds what that crack carries; both are the same at stations placed alike about
// midspan (the shear there is of the other sign); no crack carries shear at midspan, where the
// shear is 0; each curve's count is the station count.
TEST_F(MemberWithoutStirrups, CrackShearStaysWithinTheCapacityAndMirrorsAboutMidspan)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    const std::size_t mid = static_cast<std::size_t>(StationNear(NoStirrupMember::kSpan / 2));
    ASSERT_NEAR(m.GetStations().GetStation(static_cast<int>(mid)), NoStirrupMember::kSpan / 2, 1e-9);
    for (const int k : {20, 25, 30}) {
        SCOPED_TRACE(k);
        Mark(k);
        const std::vector<std::pair<double, double>> demand = Points(kDemandCurve);
        const std::vector<std::pair<double, double>> capacity = Points(kCapacityCurve);
        ASSERT_EQ(demand.size(), static_cast<std::size_t>(n));
        double most = 0.0;
        for (std::size_t i = 0; i < demand.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_GE(demand[i].second, 0.0);
            EXPECT_LE(demand[i].second, capacity[i].second * (1.0 + 1e-6) + 1.0);
            const std::size_t j = demand.size() - 1 - i;
            EXPECT_NEAR(demand[i].second, demand[j].second, 1e-6 * demand[i].second + 1.0);
            EXPECT_NEAR(capacity[i].second, capacity[j].second, 1e-6 * capacity[i].second + 1.0);
            most = std::max(most, demand[i].second);
        }
        EXPECT_GT(most, 1e5); // some crack carries more than 0.1 MPa
        EXPECT_EQ(demand[mid].second, 0.0);
    }
}

// The secant shear modulus of curve 15 from hand shears at point 20: away from the supports a
// station carries the equilibrium shear, so from its first stage (the dead load) to the marked
// load factor its shear grows by lambda w_l (L/2 - x); with the shear strains of curve 3 and of
// the first stage, G = |dV| / (A_g dgamma), A_g = 0.2 x 0.3 m^2. At midspan the shear does not
// change and the curve shows the uncracked modulus (curve 16).
TEST_F(MemberWithoutStirrups, ShearModulusIsTheSecantFromHandShears)
{
    TFullMemberResponse& m = *s_member;
    const double lambda = Mark(20);
    const double L = NoStirrupMember::kSpan;
    const double area = NoStirrupMember::kWidth * NoStirrupMember::kHeight;
    const std::vector<std::pair<double, double>> modulus = Points(15);
    const std::vector<std::pair<double, double>> uncracked = Points(16);
    std::vector<double> gamma;
    double x = 0.0;
    double y = 0.0;
    m.BeginCurve(3);
    while (m.GetCurvePoint(3, x, y))
        gamma.push_back(y);
    ASSERT_EQ(gamma.size(), modulus.size());
    int checked = 0;
    for (std::size_t i = 0; i < modulus.size(); ++i) {
        const double xi = modulus[i].first;
        SCOPED_TRACE(xi);
        if (std::fabs(xi - L / 2) >= L / 4)
            continue;
        if (std::fabs(xi - L / 2) < 1e-9) {
            EXPECT_EQ(modulus[i].second, uncracked[i].second);
            continue;
        }
        const TFullSectionalResponse& a = *m.GetStationAnalysis(static_cast<int>(i));
        const double dV = lambda * NoStirrupMember::kLive * (L / 2 - xi);
        const double dGamma = gamma[i] - a.GetAverageShearStrain(a.GetStage(0), 1);
        ASSERT_GT(std::fabs(dGamma), 1e-5); // cracked: far above the threshold of a secant
        const double G = std::fabs(dV) / (area * std::fabs(dGamma));
        EXPECT_NEAR(modulus[i].second, G, 1e-6 * G);
        EXPECT_LT(modulus[i].second, 0.5 * uncracked[i].second); // the web has cracked
        ++checked;
    }
    EXPECT_EQ(checked, 6);
}

// The "Equilibrium" line of the shear force diagram (curve 19) at point 20: dead plus lambda
// times live shear of the defined diagrams at every station, the left support included.
TEST_F(MemberWithoutStirrups, EquilibriumShearIsDeadPlusFactoredLive)
{
    TFullMemberResponse& m = *s_member;
    const double lambda = Mark(20);
    ASSERT_GT(lambda, 2.0); // far from 1, so a live shear left unfactored shows
    const double L = NoStirrupMember::kSpan;
    const int n = m.GetStationCount();
    ASSERT_EQ(m.BeginCurve(19), n + 2);
    double x = 0.0;
    double y = 0.0;
    for (int s = 0; s < n; ++s) {
        ASSERT_EQ(m.GetCurvePoint(19, x, y), 1);
        SCOPED_TRACE(x);
        EXPECT_EQ(x, m.GetStations().GetStation(s));
        // The defined shear diagrams hold each segment's start, not its end: the station at the
        // diagrams' last point carries none of it.
        const double V = x < L ? (NoStirrupMember::kDead + lambda * NoStirrupMember::kLive) * (L / 2 - x) : 0.0;
        EXPECT_NEAR(y, V, 1e-6 * std::fabs(V) + 1e-6);
    }
}

// The member without stirrups under a dead load of 4.75 kN/m (or, should that one's capacity
// come out otherwise, 5.6 kN/m): its capacity c is such that the marked load factor of the
// last load-deflection point, 30 c / 30, rounds one ulp above c. No stage pair of a governing
// station holds it unless its upper stage, the peak, is taken a little wider; the curves
// 4024-4029 must still read that pair, by hand the values of the peak stage (t = 1 to within
// 1e-15), not the stage after the peak that the run ended on. The bottom bars' force at a crack
// (4024) and the most stressed crack's shear and limit (4028, 4029) differ between the two;
// the member has no tendon (4025), no bars above mid-height (4026) and no stirrups (4027).
TEST(MemberMarkedLoad, TheLastPointJustAboveThePeakReadsThePeakStagesThroughTheCurves)
{
    std::unique_ptr<NoStirrupMember> c;
    std::unique_ptr<TFullMemberResponse> m;
    double capacity = 0.0;
    for (const double dead : {4750.0, 5600.0}) {
        c = std::make_unique<NoStirrupMember>();
        c->d.diagrams[DeadDiagram][1] = {NoStirrupMember::kSpan / 2, -dead * NoStirrupMember::kSpan * NoStirrupMember::kSpan / 8, 1};
        m = std::make_unique<TFullMemberResponse>(c->d, c->slots);
        RunToFinish(*m, 200000);
        m->BuildResultCurves();
        capacity = m->GetMemberCapacity();
        if (m->GetMarkedPoint() * capacity / kLoadDeflectionSteps > capacity)
            break;
    }
    const double lambda = m->GetMarkedPoint() * capacity / kLoadDeflectionSteps;
    ASSERT_EQ(m->GetMarkedPoint(), kLoadDeflectionSteps);
    ASSERT_EQ(lambda, std::nextafter(capacity, 2 * capacity)) << "neither dead load puts the last point above the peak";

    // The hand values of a state: the force at a crack in the ordinary bars below mid-height,
    // the shear on the most stressed crack and what that crack carries.
    struct Hand {
        double bottomBars = 0.0, demand = 0.0, limit = 0.0;
    };
    const auto read = [](const TFullSectionalResponse& a, const SectionState& s) {
        Hand h;
        const TBeam& section = *a.GetBeam();
        const double mid = (section.GetTop() + section.GetBottom()) / 2.0;
        for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
            const LongLayerRec* layer = section.GetLongLayer(i, 0);
            if (layer->z >= mid)
                continue;
            const double atCrack = s.BarValue(BarArray::List0Second, i);
            h.bottomBars += layer->A * (atCrack != 0.0 && std::fabs(atCrack) < 1e30 ? atCrack : s.BarValue(BarArray::List0Stress, i));
        }
        const HandCrack crack = ReadCracks(s);
        h.demand = crack.demand;
        h.limit = crack.capacity;
        return h;
    };

    const int n = m->GetStationCount();
    std::vector<std::vector<double>> curves;
    for (int curve = 4024; curve <= 4029; ++curve) {
        std::vector<double> values;
        m->BeginCurve(curve);
        double x = 0.0, y = 0.0;
        while (m->GetCurvePoint(curve, x, y))
            values.push_back(y);
        ASSERT_EQ(values.size(), static_cast<std::size_t>(n)) << curve;
        curves.push_back(values);
    }
    int governing = 0;
    for (int s = 0; s < n; ++s) {
        const TFullSectionalResponse& a = *m->GetStationAnalysis(s);
        if (a.GetMaxLoadFactor() != capacity)
            continue;
        SCOPED_TRACE(s);
        ++governing;
        int peak = -1;
        for (int k = 0; k <= a.GetLastStageIndex(); ++k)
            if (a.LoadFactorOf(k) == capacity && peak < 0)
                peak = k;
        ASSERT_GT(peak, 0);
        ASSERT_LT(peak, a.GetLastStageIndex()); // the run went on past the peak
        const Hand atPeak = read(a, *a.GetStage(peak));
        int end = a.GetLastStageIndex();
        while (end > peak && a.GetStage(end) == nullptr)
            --end;
        ASSERT_GT(end, peak);
        const Hand atEnd = read(a, *a.GetStage(end)); // the last stage stored
        const std::size_t i = static_cast<std::size_t>(s);
        EXPECT_NEAR(curves[0][i], atPeak.bottomBars, 1e-9 * std::fabs(atPeak.bottomBars)); // 4024
        EXPECT_GT(std::fabs(atEnd.bottomBars - atPeak.bottomBars), 1e-6 * std::fabs(atPeak.bottomBars));
        EXPECT_EQ(curves[1][i], 0.0); // 4025
        EXPECT_EQ(curves[2][i], 0.0); // 4026
        EXPECT_EQ(curves[3][i], 0.0); // 4027
        EXPECT_NEAR(curves[4][i], atPeak.demand, 1e-9 * atPeak.demand); // 4028
        EXPECT_NEAR(curves[5][i], atPeak.limit, 1e-9 * atPeak.limit);   // 4029
        EXPECT_GT(std::fabs(atEnd.demand - atPeak.demand) + std::fabs(atEnd.limit - atPeak.limit),
                  1e-6 * (atPeak.demand + atPeak.limit));
    }
    EXPECT_GE(governing, 1);
}

namespace {

// A 1.2 m member of a 200 x 300 mm section (depths from mid-height, as the validated section
// holds them) with two 12 mm bars at -0.10 m, two 10 mm bars at 0.10 m, a 100 mm^2 tendon at
// -0.07 m and a 50 mm^2 tendon at 0.07 m, both prestrained by 0.005, and no load at a load
// factor of 0.
struct PrestressedMember {
    PrestressedMember()
    {
        auto beam = RectBeam("Prestressed", 0.2, 0.3, 2, 0.012);
        beam->AddLongLayer(fixtures::Layer(kTopBars, 2, 0.010), 0);
        SteelTypeRec strand = fixtures::Steel(1860e6, 1900e6, "Strand");
        strand.kind = SteelKind::Prestressing;
        CheckSteelType(strand, true);
        beam->AddSteelType(strand);
        for (const auto& [z, area] : {std::pair{kLowTendon, kLowArea}, std::pair{kHighTendon, kHighArea}}) {
            LongLayerRec tendon = fixtures::LayerOfArea(z, 1, area, "Tendon");
            tendon.type = 1;
            tendon.dep = kPrestrain;
            beam->AddLongLayer(tendon, 0);
        }
        beam->Validate();
        section = slots.Put(0, std::move(beam));
        d.length = 1.2;
        d.leftPlateSize = d.rightPlateSize = 0.05;
        d.leftPlateLocation = 0.0;
        d.rightPlateLocation = 1.2;
        d.rightSupport = SupportType::Roller;
        d.diagrams[LiveDiagram][0] = {0.0, -1000.0, 0};
        d.diagrams[LiveDiagram][1] = {1.2, -1000.0, 0};
        d.pointCount[LiveDiagram] = 2;
    }
    static constexpr double kBottomBars = -0.10; // where RectBeam places its bars
    static constexpr double kTopBars = 0.10;
    static constexpr double kLowTendon = -0.07;
    static constexpr double kHighTendon = 0.07;
    static constexpr double kLowArea = 100e-6;
    static constexpr double kHighArea = 50e-6;
    static constexpr double kPrestrain = 0.005;
    TestSlots slots;
    TBeam* section = nullptr;
    TMemberDefinition d;
};

} // namespace

// The demand curves at a load factor of 0, against the elastic transformed section under the
// prestress: with strain e(z) = e0 + k z, the forces of the concrete (E_c b h), the bars
// (E_s A_s) and the tendons (E_p A_p, with their prestrain) sum to no axial force and no moment.
// The lower tendon's force is 4025, the bottom bars' 4024 (in compression) and the top bars'
// 4026; the upper tendon counts in none of them.
TEST(MemberSteelDemand, PrestressingDemandIsTheTendonBelowMidHeight)
{
    PrestressedMember p;
    using P = PrestressedMember;
    TFullMemberResponse m(p.d, p.slots);
    ASSERT_GT(m.GetStationCount(), 2);
    m.SelectLoadStage(kCurvePointStageBase + 0);
    ASSERT_EQ(m.GetMarkedPoint(), 0);

    const double Ec = p.section->GetConcreteType(0)->Ec;
    const double Es = p.section->GetSteelType(0)->Es;
    const double Ep = p.section->GetSteelType(1)->Es;
    const double mid = 0.0;
    ASSERT_NEAR(p.section->GetTop(), 0.15, 1e-12);
    ASSERT_NEAR(p.section->GetLongLayer(0, 0)->z, P::kBottomBars, 1e-12);
    const double Ab = 2.0 * fixtures::BarArea(0.012);
    const double At = 2.0 * fixtures::BarArea(0.010);
    // Axial and flexural stiffness about mid-height, and the tendons' forces at zero strain.
    struct Part {
        double EA, z;
    };
    const Part parts[] = {{Es * Ab, P::kBottomBars}, {Es * At, P::kTopBars}, {Ep * P::kLowArea, P::kLowTendon},
                          {Ep * P::kHighArea, P::kHighTendon}};
    double EA = Ec * 0.2 * 0.3;
    double ES = 0.0;
    double EI = Ec * 0.2 * 0.3 * 0.3 * 0.3 / 12.0;
    for (const Part& q : parts) {
        EA += q.EA;
        ES += q.EA * (q.z - mid);
        EI += q.EA * (q.z - mid) * (q.z - mid);
    }
    const double P0 = Ep * (P::kLowArea + P::kHighArea) * P::kPrestrain;
    const double M0 = Ep * P::kPrestrain * (P::kLowArea * (P::kLowTendon - mid) + P::kHighArea * (P::kHighTendon - mid));
    // [EA ES; ES EI] (e0, k) = -(P0, M0)
    const double det = EA * EI - ES * ES;
    const double e0 = (-P0 * EI + M0 * ES) / det;
    const double k = (-M0 * EA + P0 * ES) / det;
    const auto strain = [&](double z) { return e0 + k * (z - mid); };
    const double low = Ep * P::kLowArea * (strain(P::kLowTendon) + P::kPrestrain);
    const double bottom = Es * Ab * strain(P::kBottomBars);
    const double top = Es * At * strain(P::kTopBars);
    ASSERT_LT(bottom, 0.0);
    ASSERT_GT(low, 0.9 * Ep * P::kLowArea * P::kPrestrain);

    for (int s = 0; s < m.GetStationCount(); ++s) {
        SCOPED_TRACE(s);
        // The concrete is nearly elastic at these stresses (below 4 MPa).
        EXPECT_NEAR(m.SteelDemand(s, 1), low, 0.005 * low);
        EXPECT_NEAR(m.SteelDemand(s, 0), bottom, 0.03 * std::fabs(bottom));
        EXPECT_NEAR(m.SteelDemand(s, 2), top, 0.03 * std::fabs(top));
    }
    // The same through the curves, at their stations.
    double x = 0.0;
    double y = 0.0;
    ASSERT_EQ(m.BeginCurve(4025), m.GetStationCount());
    ASSERT_EQ(m.GetCurvePoint(4025, x, y), 1);
    EXPECT_EQ(x, m.GetStations().GetStation(0));
    EXPECT_NEAR(y, low, 0.005 * low);
    m.Finish();
}
