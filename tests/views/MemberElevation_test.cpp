// The member elevation's distributed-load labels and its scale factor: labels from the live
// load diagram, placed from hand coordinates; another magnification redraws the member from
// the displacements it keeps.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "analysis/RunToFinish.h"
#include "foundation/Units.h"
#include "foundation/WorkerPool.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "platform/Application.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "views/TWideCrack2.h"

namespace {

// Seven pixels a character, twelve high.
plat::Size Extent(const std::string& text, const plat::LogFont&) { return {static_cast<int>(7 * text.size()), 12}; }
plat::Size Measure(const std::string& text) { return Extent(text, plat::LogFont{}); }

// A simply supported member of length L under the given moment points (all parabolic).
TMemberDefinition Member(double L, std::vector<std::pair<double, double>> moments)
{
    TMemberDefinition d;
    d.length = L;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = L;
    d.leftSupport = d.rightSupport = SupportType::Roller;
    for (std::size_t i = 0; i < moments.size(); ++i)
        d.diagrams[LiveDiagram][i] = {moments[i].first, moments[i].second, 1};
    d.pointCount[LiveDiagram] = static_cast<int>(moments.size());
    return d;
}

// A 1.2 m simply supported member of a 200 x 300 mm beam with two 12 mm bars and stirrups,
// under 10 kN/m per unit load factor: M = -w x (L - x) / 2.
struct UniformLoadMember {
    UniformLoadMember()
    {
        beam = slots.Put(0, membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012, true));
        d = Member(kSpan, {{0.0, 0.0}, {kSpan / 2, -kLoad * kSpan * kSpan / 8}, {kSpan, 0.0}});
        d.leftPlateSize = d.rightPlateSize = 0.05;
    }
    static constexpr double kSpan = 1.2;
    static constexpr double kLoad = 10e3;
    membertest::TestSlots slots;
    TBeam* beam = nullptr;
    TMemberDefinition d;
};

class ElevationPushover : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        plat::EnsureGuiRuntime();
        const ScopedWorkerCount workers(4);
        s_case = std::make_unique<UniformLoadMember>();
        s_member = std::make_unique<TFullMemberResponse>(s_case->d, s_case->slots);
        RunToFinish(*s_member, 200000);
        s_member->BuildResultCurves();
    }
    static void TearDownTestSuite()
    {
        s_member.reset();
        s_case.reset();
    }
    static std::unique_ptr<UniformLoadMember> s_case;
    static std::unique_ptr<TFullMemberResponse> s_member;
};

std::unique_ptr<UniformLoadMember> ElevationPushover::s_case;
std::unique_ptr<TFullMemberResponse> ElevationPushover::s_member;

} // namespace

// w = -dV/dx of the live shear: one uniform load over a span, two different ones over its
// halves (10 and 20 kN/m: R_L = 25 kN, M(1) = 20, M(2) = 30, M(3) = 25 kN m sagging), none
// under a point load (straight moment lines).
TEST(ElevationLoads, DistributedLoadsFromTheLiveDiagram)
{
    const std::vector<DistributedLoad> one = TWideCrack2::DistributedLoads(Member(4.0, {{0, 0}, {2, -20e3}, {4, 0}}));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(one[0].from, 0.0, 1e-12);
    EXPECT_NEAR(one[0].to, 4.0, 1e-12);
    EXPECT_NEAR(one[0].w, 10e3, 1e-6);

    const std::vector<DistributedLoad> two =
        TWideCrack2::DistributedLoads(Member(4.0, {{0, 0}, {1, -20e3}, {2, -30e3}, {3, -25e3}, {4, 0}}));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_NEAR(two[0].to, 2.0, 1e-12);
    EXPECT_NEAR(two[0].w, 10e3, 1e-6);
    EXPECT_NEAR(two[1].from, 2.0, 1e-12);
    EXPECT_NEAR(two[1].w, 20e3, 1e-6);

    TMemberDefinition point = Member(4.0, {{0, 0}, {2, -20e3}, {4, 0}});
    for (int i = 0; i < 3; ++i)
        point.diagrams[LiveDiagram][static_cast<std::size_t>(i)].parabolic = 0;
    EXPECT_TRUE(TWideCrack2::DistributedLoads(point).empty());
}

// Pixel x = 50 + 100 x, the top line at y = 100 (or rising 10 px per metre); labels of 7 px a
// character plus 3 px of padding each side, 18 px high, their bottom 12 px above the top line.
TEST(ElevationLoads, LabelsSitAboveTheirLoadsInsideTheChartAndClearOfEachOther)
{
    ValueGuard<int> units(g_UnitSystem, 0);
    const auto px = [](double x) { return static_cast<int>(50 + 100 * x); };
    const auto flat = [](double) { return 100; };
    // "10.0 kN/m": 9 characters, 69 px wide, centred over x = 2 m (250 px).
    std::vector<LoadLabel> l = TWideCrack2::PlaceLoadLabels({{0.0, 4.0, 10e3}}, px, flat, Measure, 4, 460, 16, 12);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].text, "10.0 kN/m");
    EXPECT_EQ(l[0].box, (plat::Rect{216, 70, 285, 88}));

    // Two halves: each over its own middle (150 and 350 px), on one row.
    l = TWideCrack2::PlaceLoadLabels({{0.0, 2.0, 10e3}, {2.0, 4.0, 20e3}}, px, flat, Measure, 4, 460, 16, 12);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].box, (plat::Rect{116, 70, 185, 88}));
    EXPECT_EQ(l[1].text, "20.0 kN/m");
    EXPECT_EQ(l[1].box, (plat::Rect{316, 70, 385, 88}));

    // Two short loads side by side: the second goes one row up (18 + 2 px); near the right edge
    // a label is kept inside (right at 460).
    l = TWideCrack2::PlaceLoadLabels({{1.0, 1.5, 5e3}, {1.5, 2.0, 7e3}, {3.75, 4.0, 1e3}}, px, flat, Measure, 4, 460,
                                     16, 12);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].box, (plat::Rect{144, 70, 206, 88})); // "5.0 kN/m", 62 px around 175 px
    EXPECT_EQ(l[1].box, (plat::Rect{194, 50, 256, 68})); // around 225 px: one row up
    EXPECT_EQ(l[2].box, (plat::Rect{398, 70, 460, 88}));

    // A top line rising to the right: the label clears its highest point (y = 60 at x = 4).
    const auto rising = [](double x) { return static_cast<int>(100 - 10 * x); };
    l = TWideCrack2::PlaceLoadLabels({{0.0, 4.0, 10e3}}, px, rising, Measure, 4, 460, 16, 12);
    EXPECT_EQ(l[0].box.bottom, 60 - 12);
}

// The elevation of a pushover in a low chart (600 x 150: the member's depth sets the scale):
// the uniform load's label lies inside the chart, under the title and above the member's top
// line, and the magnification note (12 px high over the bottom margin of max(600 / 120,
// 150 / 30, 4) = 5 px) under its bottom line, at magnifications 2 and 25.
TEST_F(ElevationPushover, TheLoadLabelAndTheNoteAreClearOfTheMember)
{
    ValueGuard<int> units(g_UnitSystem, 0);
    for (const char* factor : {"2", "25"}) {
        SCOPED_TRACE(factor);
        TWideCrack2 view(nullptr, "Member", 0, 0, 600, 150, 4001);
        view.AttachAnalysis(s_member.get());
        ScriptedUi ui;
        ui.Input("Enter scale factor for displacements", std::string(factor));
        view.CmPopup3007();
        const ElevationPicture p = view.ComputePicture(Extent, 600, 150);
        ASSERT_FALSE(p.noData);
        ASSERT_EQ(p.loadLabels.size(), 1u);
        const plat::Rect& box = p.loadLabels[0].box;
        EXPECT_EQ(p.loadLabels[0].text, "10.0 kN/m");
        EXPECT_GE(box.top, 12 + 4); // under the title band
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.right, 600);
        EXPECT_NEAR((box.left + box.right) / 2.0, 300.0, 30.0); // over midspan
        // Panels: bottom k, bottom k+1, top k+1, top k.
        int lowest = 0;
        for (const auto& q : p.panels) {
            EXPECT_LT(box.bottom, q[2].y);
            EXPECT_LT(box.bottom, q[3].y);
            lowest = std::max({lowest, q[0].y, q[1].y});
        }
        EXPECT_LE(lowest, 150 - 5 - 12);
        EXPECT_GT(lowest, 150 - 5 - 12 - 10); // the member fills the height
    }
}

// "Select Scale Factor" draws the member again at the new magnification: the displaced corners
// move by the factor's ratio, and going back to 25 gives the first picture again.
TEST_F(ElevationPushover, AnotherScaleFactorRedrawsTheMember)
{
    TWideCrack2 view(nullptr, "Member", 0, 0, 600, 300, 4001);
    view.AttachAnalysis(s_member.get());
    ASSERT_TRUE(view.HasStates());
    const int mid = view.SectionCountNow() / 2;
    const MemberStateRecord at25 = view.Record(mid);
    ASSERT_LT(at25.corners[1] - at25.reserved, 0.0); // sagging: the bottom goes down

    ScriptedUi ui;
    ui.Input("Enter scale factor for displacements", std::string("2"));
    view.CmPopup3007();
    EXPECT_EQ(view.ScaleFactor(), 2.0);
    EXPECT_FALSE(view.ComputePicture(Extent, 600, 300).noData);
    const MemberStateRecord& at2 = view.Record(mid);
    EXPECT_NEAR(at2.corners[1] - at2.reserved, (at25.corners[1] - at25.reserved) * 2.0 / 25.0, 1e-12);
    EXPECT_NEAR(at2.corners[3] - at2.reserved - at2.h, (at25.corners[3] - at25.reserved - at25.h) * 2.0 / 25.0,
                1e-12);
    EXPECT_NEAR(at2.corners[0] - at2.x, (at25.corners[0] - at25.x) * 2.0 / 25.0, 1e-12);

    ui.Input("Enter scale factor for displacements", std::string("25"));
    view.CmPopup3007();
    EXPECT_FALSE(view.ComputePicture(Extent, 600, 300).noData);
    for (std::size_t c = 0; c < 4; ++c)
        EXPECT_NEAR(view.Record(mid).corners[c], at25.corners[c], 1e-12) << c;
}

// The stirrups' demand along the member: never negative and never above their capacity (the
// stirrup stress at a crack stays at or below f_y), largest in the shear spans, nothing at
// midspan where the shear changes sign.
TEST_F(ElevationPushover, StirrupDemandStaysWithinTheCapacity)
{
    TFullMemberResponse& m = *s_member;
    const int n = m.GetStationCount();
    ASSERT_EQ(m.BeginCurve(4027), n);
    std::vector<double> demand, capacity;
    double x = 0.0, y = 0.0;
    while (m.GetCurvePoint(4027, x, y))
        demand.push_back(y);
    m.BeginCurve(4016);
    while (m.GetCurvePoint(4016, x, y))
        capacity.push_back(y);
    ASSERT_EQ(demand.size(), static_cast<std::size_t>(n));
    ASSERT_EQ(capacity.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        EXPECT_GE(demand[static_cast<std::size_t>(i)], 0.0) << i;
        EXPECT_LE(demand[static_cast<std::size_t>(i)], capacity[static_cast<std::size_t>(i)] * (1.0 + 1e-9)) << i;
    }
    EXPECT_GT(*std::max_element(demand.begin(), demand.end()), 0.0);
}
