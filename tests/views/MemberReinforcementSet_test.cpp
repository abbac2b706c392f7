// The member sets of a member without stirrups, drawn by the beam mode object from a finished
// pushover: the "Reinforcement" set compares the shear on the cracks with what they carry in
// place of the stirrups, and the shear force diagram's "Equilibrium" line is the defined shear.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "analysis/RunToFinish.h"
#include "foundation/WorkerPool.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

using membertest::NoStirrupMember;

class MemberSets : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const ScopedWorkerCount workers(4);
        s_case = std::make_unique<NoStirrupMember>();
        s_member = std::make_unique<TFullMemberResponse>(s_case->d, s_case->slots);
        RunToFinish(*s_member, 200000);
        s_member->BuildResultCurves();
    }
    static void TearDownTestSuite()
    {
        s_member.reset();
        s_case.reset();
    }
    MemberSets() { logic.SetDisplayContext(DisplayContext{}); }
    ~MemberSets() override
    {
        s_member->SelectLoadStage(kCurvePointStageBase + kLoadDeflectionSteps);
        s_member->BuildResultCurves();
    }
    // A per-station curve of the member, as it hands it out.
    static std::vector<std::pair<double, double>> Curve(int id)
    {
        std::vector<std::pair<double, double>> points;
        double x = 0.0;
        double y = 0.0;
        s_member->BeginCurve(id);
        while (s_member->GetCurvePoint(id, x, y))
            points.emplace_back(x, y);
        return points;
    }
    // The drawn points between separators number `line` (0 first) and the next.
    static std::vector<RecordedPoint> Line(const RecordingViewChart& chart, int line)
    {
        std::vector<RecordedPoint> points;
        int separators = -1;
        for (const RecordedPoint& p : chart.points) {
            if (IsChartSeparator(p.x)) {
                ++separators;
                continue;
            }
            if (separators == line)
                points.push_back(p);
        }
        return points;
    }
    RecordingReporter reporter;
    TQ2k_Logic logic{s_case->beam, s_member.get()};
    RecordingViewChart chart;
    static std::unique_ptr<NoStirrupMember> s_case;
    static std::unique_ptr<TFullMemberResponse> s_member;
};

std::unique_ptr<NoStirrupMember> MemberSets::s_case;
std::unique_ptr<TFullMemberResponse> MemberSets::s_member;

} // namespace

// No station has stirrups, so the set's second panel is chart 4029: the crack capacity in the
// first line, then, after a break, the demand with the line type two on; both in MPa along the
// member in mm, both with data, the demand nowhere above the capacity.
TEST_F(MemberSets, ReinforcementSetDrawsTheCrackCapacityAndDemand)
{
    ASSERT_EQ(s_member->Probe_analysis(15, 0.0), 0.0);
    ASSERT_EQ(logic.GetChoiceId(6, 3, 1, 0), 4029);
    ChartDescription description;
    logic.GetChartDescription(4029, description, 1);
    EXPECT_EQ(description.title, "Aggregete Interlock Stresses");
    EXPECT_EQ(description.yLabel, "Shear on Crack (MPa)");

    logic.FillChart(&chart, 4029, 0, 0);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0, kUndefined, 2.0}));
    const std::vector<RecordedPoint> capacity = Line(chart, 0);
    const std::vector<RecordedPoint> demand = Line(chart, 2);
    const std::vector<std::pair<double, double>> c = Curve(4029);
    const std::vector<std::pair<double, double>> d = Curve(4028);
    ASSERT_EQ(capacity.size(), static_cast<std::size_t>(s_member->GetStationCount()));
    ASSERT_EQ(capacity.size(), c.size());
    ASSERT_EQ(demand.size(), d.size());
    double most = 0.0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(capacity[i].x, 1000.0 * c[i].first, 1e-9);
        EXPECT_NEAR(capacity[i].y, c[i].second / 1e6, 1e-12);
        EXPECT_NEAR(demand[i].x, 1000.0 * d[i].first, 1e-9);
        EXPECT_NEAR(demand[i].y, d[i].second / 1e6, 1e-12);
        EXPECT_LE(demand[i].y, capacity[i].y + 1e-6);
        most = std::max(most, demand[i].y);
    }
    // Tenths of an MPa on a crack; what a crack carries, 0.18 sqrt(f'c) / (0.31 + 24 w /
    // (a_g + 16)) in MPa and mm, is 0.18 sqrt(35) / 0.31 = 3.43 MPa at most (a closed crack).
    EXPECT_GT(most, 0.1);
    EXPECT_LT(most, 3.44);
    const double widest = std::max_element(capacity.begin(), capacity.end(), [](const auto& a, const auto& b) {
                              return a.y < b.y;
                          })->y;
    EXPECT_GT(widest, 1.0);
    EXPECT_LT(widest, 3.44);
    chart.ClearData();
    logic.FillChart(&chart, 4028, 0, 0);
    EXPECT_EQ(chart.Separators(), (std::vector<double>{0.0}));
    ASSERT_EQ(chart.Data().size(), demand.size());
}

// The shear force diagram (4005) at point 20: its "Equilibrium" line is, in kN, dead plus
// lambda times live shear of the defined diagrams, (w_d + lambda w_l) (L/2 - x), lambda being
// 20/30 of the member's capacity.
TEST_F(MemberSets, ShearForceDiagramEquilibriumLineIsDeadPlusFactoredLive)
{
    s_member->SelectLoadStage(kCurvePointStageBase + 20);
    s_member->BuildResultCurves();
    const double lambda = 20.0 * s_member->GetMemberCapacity() / kLoadDeflectionSteps;
    ASSERT_GT(lambda, 2.0);
    logic.FillChart(&chart, 4005, 0, 0);
    const std::vector<RecordedPoint> line = Line(chart, 0);
    ASSERT_EQ(line.size(), static_cast<std::size_t>(s_member->GetStationCount()));
    const double L = NoStirrupMember::kSpan;
    int inside = 0;
    for (const RecordedPoint& p : line) {
        const double x = p.x / 1000.0;
        SCOPED_TRACE(x);
        if (x >= L) // the defined diagrams hold no shear at their last point
            continue;
        const double V = (NoStirrupMember::kDead + lambda * NoStirrupMember::kLive) * (L / 2 - x);
        EXPECT_NEAR(p.y, V / 1000.0, 1e-9 * std::fabs(V) + 1e-9);
        ++inside;
    }
    EXPECT_GT(inside, 10);
}
