// The member crack-pattern view: how many sections it draws, when it recomputes, zoom, pan
// and drag, the scale-factor prompt, the magnification note, "No Data" without a member
// analysis, and the crack pattern of a pushover of a simply supported beam with stirrups.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/RunToFinish.h"
#include "foundation/Units.h"
#include "foundation/WorkerPool.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "views/TWideCrack2.h"

namespace {

plat::Size Extent(const std::string& text, const plat::LogFont&)
{
    return {static_cast<int>(7 * text.size()), 12};
}

// A simply supported 1.8 m member of a 200 x 300 mm section with two 12 mm bottom bars and
// 10 mm stirrups, loaded at midspan: 1000 N m at midspan per unit load factor, so the moment
// falls linearly to zero at the supports and the shear is constant in each half.
struct MidspanLoadMember {
    MidspanLoadMember()
    {
        beam = slots.Put(0, membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012, true));
        d.length = kSpan;
        d.leftPlateSize = d.rightPlateSize = 0.05;
        d.leftPlateLocation = 0.0;
        d.rightPlateLocation = kSpan;
        d.leftSupport = SupportType::Roller;
        d.rightSupport = SupportType::Roller;
        d.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
        d.diagrams[LiveDiagram][1] = {kSpan / 2, -1000.0, 0};
        d.diagrams[LiveDiagram][2] = {kSpan, 0.0, 0};
        d.pointCount[LiveDiagram] = 3;
    }
    static constexpr double kSpan = 1.8;
    membertest::TestSlots slots;
    TBeam* beam = nullptr;
    TMemberDefinition d;
};

class WideCrackPushover : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        plat::EnsureGuiRuntime();
        const ScopedWorkerCount workers(4);
        s_case = std::make_unique<MidspanLoadMember>();
        s_member = std::make_unique<TFullMemberResponse>(s_case->d, s_case->slots);
        RunToFinish(*s_member, 200000);
        s_member->BuildResultCurves();
    }
    static void TearDownTestSuite()
    {
        s_member.reset();
        s_case.reset();
    }
    static std::unique_ptr<MidspanLoadMember> s_case;
    static std::unique_ptr<TFullMemberResponse> s_member;
};

std::unique_ptr<MidspanLoadMember> WideCrackPushover::s_case;
std::unique_ptr<TFullMemberResponse> WideCrackPushover::s_member;

class WideCrackView : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
};

} // namespace

TEST(WideCrack, SectionCountForShortLongShallowAndDeepMembers)
{
    EXPECT_EQ(TWideCrack2::SectionCount(3.0, 0.6), 50);  // int(3 / 0.06)
    EXPECT_EQ(TWideCrack2::SectionCount(3.0, 0.3), 50);  // 100, cut to 50
    EXPECT_EQ(TWideCrack2::SectionCount(10.0, 0.5), 50); // long
    EXPECT_EQ(TWideCrack2::SectionCount(0.5, 0.6), 8);   // short: int(8.33)
    EXPECT_EQ(TWideCrack2::SectionCount(1.25, 2.0), 6);  // deep: int(6.25)
    // A short deep member giving a single section would space the stations L / 0: two.
    EXPECT_EQ(TWideCrack2::SectionCount(0.15, 1.0), 2);
    EXPECT_EQ(TWideCrack2::SectionCount(0.05, 1.0), 2);
    EXPECT_EQ(TWideCrack2::SectionCount(1.0, 0.0), 2);
}

TEST(WideCrack, RecomputesOnlyWhenTheLoadMovesByMoreThanOnePercent)
{
    // Threshold max(new, last) x 0.01 + 0.01.
    EXPECT_FALSE(TWideCrack2::LoadMoved(10.0, 10.1));
    EXPECT_FALSE(TWideCrack2::LoadMoved(10.0, 10.11));
    EXPECT_TRUE(TWideCrack2::LoadMoved(10.0, 10.12));
    EXPECT_TRUE(TWideCrack2::LoadMoved(10.0, 9.8));
    EXPECT_FALSE(TWideCrack2::LoadMoved(0.0, 0.005));
    EXPECT_TRUE(TWideCrack2::LoadMoved(0.0, 0.02));
}

TEST_F(WideCrackView, MenuZoomPanAndDrag)
{
    TWideCrack2 view(nullptr, "Member", 0, 0, 600, 300, 4000);
    EXPECT_EQ(view.Kind(), 4000);
    EXPECT_EQ(view.ScaleFactor(), 0.0);
    const std::vector<std::string> expected{"Copy Picture", "", "Zoom in by factor of two",
                                            "Zoom out by factor of two", "Select Title Font",
                                            "Select Crack Width Font", "Select Scale Factor",
                                            "Show Cracking and Angles"};
    ASSERT_EQ(view.PopupItems().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(view.PopupItems()[i].text, expected[i]);
    // Fonts: title min(300 / 9, 600 / 11) = 33, text min(50, 46) = 46.
    EXPECT_EQ(view.TitleHeight(), 33);
    EXPECT_EQ(view.TextHeight(), 46);

    view.CmPopup3000();
    EXPECT_EQ(view.ZoomFactor(), 2.0);
    view.EvLButtonDblClk(0, plat::Point{310, 146}); // 10 right of and 4 above the centre
    EXPECT_EQ(view.ZoomFactor(), 4.0);
    EXPECT_EQ(view.PanX(), 10);
    EXPECT_EQ(view.PanY(), -4);
    view.CmPopup3000(); // zooming in keeps the pan
    EXPECT_EQ(view.PanX(), 10);
    view.EvLButtonDown(0, plat::Point{100, 100});
    view.EvMouseMove(0, plat::Point{110, 95});
    view.EvMouseMove(0, plat::Point{112, 95});
    EXPECT_EQ(view.PanX(), 22);
    EXPECT_EQ(view.PanY(), -9);
    view.EvLButtonUp(0, plat::Point{112, 95});
    view.EvMouseMove(0, plat::Point{200, 200}); // no longer dragging
    EXPECT_EQ(view.PanX(), 22);
    view.CmPopup3001(); // zooming out resets the pan
    EXPECT_EQ(view.ZoomFactor(), 4.0);
    EXPECT_EQ(view.PanX(), 0);
    EXPECT_EQ(view.PanY(), 0);
    view.CmPopup3002();
    EXPECT_TRUE(view.ShowsAngles());
}

TEST_F(WideCrackView, ScaleFactorIsAskedThroughTheGateway)
{
    TWideCrack2 view(nullptr, "Member", 0, 0, 600, 300, 4001);
    EXPECT_EQ(view.ScaleFactor(), 25.0);
    ScriptedUi ui;
    ui.Input("Enter scale factor for displacements", std::string("10"));
    view.CmPopup3007();
    EXPECT_EQ(view.ScaleFactor(), 10.0);
    ui.Input("Enter scale factor", std::nullopt); // Cancel
    view.CmPopup3007();
    EXPECT_EQ(view.ScaleFactor(), 10.0);
    // No number, or a number with other text, is refused with a message and asked for again.
    ui.Input("Enter scale factor", std::string("nan"))
        .Message("Scale factor must be a number from -1000000 to 1000000.", MsgAnswer::Ok)
        .Input("Enter scale factor", std::string("5x"))
        .Message("Scale factor must be a number", MsgAnswer::Ok)
        .Input("Enter scale factor", std::nullopt);
    view.CmPopup3007();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(view.ScaleFactor(), 10.0);
}

// The view on the screen is drawn again whenever the member is handed to it (each refresh of
// the pushover while the stations step), not only when the window is resized.
TEST_F(WideCrackPushover, AHandedMemberIsDrawnAgain)
{
    plat::Window parent;
    parent.MoveWindow(plat::Rect{0, 0, 700, 400});
    parent.Create();
    TWideCrack2 view(&parent, "Member", 0, 0, 600, 300, 4000);
    view.Create();
    parent.UpdateWindow();
    view.UpdateWindow();
    ASSERT_TRUE(view.GetUpdateRect().IsEmpty());
    view.AttachAnalysis(s_member.get());
    EXPECT_EQ(view.GetUpdateRect(), view.GetClientRect());
    view.UpdateWindow();
    view.AttachAnalysis(nullptr);
    EXPECT_EQ(view.GetUpdateRect(), view.GetClientRect());
}

TEST_F(WideCrackView, NoDataWithoutAMemberAnalysis)
{
    TWideCrack2 view(nullptr, "Member", 0, 0, 600, 300, 4000);
    EXPECT_TRUE(view.ComputePicture(Extent, 600, 300).noData);
    view.AttachAnalysis(nullptr);
    EXPECT_EQ(view.SectionCountNow(), 2);
    EXPECT_FALSE(view.HasStates());
    EXPECT_TRUE(view.ComputePicture(Extent, 600, 300).noData);
    RecordingDC dc;
    view.Paint(dc, true, {0, 0, 600, 300});
    const auto texts = dc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "No Data"), texts.end());
    EXPECT_TRUE(dc.CallsOf("Polygon").empty());
}

namespace {

// Member x of a pixel x, from the outline's ends (undisplaced view).
struct MemberAxis {
    double left = 1e9, right = -1e9, L = 1.0;
    MemberAxis(const ElevationPicture& p, double length) : L(length)
    {
        for (const auto& q : p.panels)
            for (const auto& c : q) {
                left = std::min(left, static_cast<double>(c.x));
                right = std::max(right, static_cast<double>(c.x));
            }
    }
    double X(double px) const { return (px - left) / (right - left) * L; }
};

double LargestLabel(const ElevationPicture& p)
{
    double w = 0.0;
    for (const auto& l : p.cracks.labels)
        w = std::max(w, std::atof(l.text.c_str()));
    return w;
}

} // namespace

TEST_F(WideCrackPushover, CracksAppearAtTheLargestMomentAndWidenStageByStage)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TFullMemberResponse& m = *s_member;
    const double L = MidspanLoadMember::kSpan;
    RecordingReporter reporter;
    TWideCrack2 view(nullptr, "Member", 0, 0, 900, 300, 4000);

    // Load-deflection points 0 .. 30 are the marked stages; walk them up.
    int first = -1;
    double lastWidth = 0.0;
    int widening = 0;
    for (int k = 0; k <= kLoadDeflectionSteps; ++k) {
        m.SelectLoadStage(kCurvePointStageBase + k);
        view.AttachAnalysis(&m);
        ASSERT_TRUE(view.HasStates());
        const ElevationPicture p = view.ComputePicture(Extent, 900, 300);
        ASSERT_FALSE(p.noData);
        if (p.cracks.segments.empty())
            continue;
        const MemberAxis axis(p, L);
        if (first < 0) {
            first = k;
            // The first cracks lie in the middle third, where the moment is largest.
            for (const auto& s : p.cracks.segments) {
                EXPECT_GT(axis.X(s.x1), L / 3 - 0.05) << k;
                EXPECT_LT(axis.X(s.x1), 2 * L / 3 + 0.05) << k;
            }
        }
        const double w = LargestLabel(p);
        if (w > lastWidth + 1e-9)
            ++widening;
        EXPECT_GE(w, lastWidth - 1e-9) << k;
        lastWidth = w;
    }
    ASSERT_GT(first, 0); // uncracked at the first stages
    // At the last stage a crack rises from the bottom at midspan, where the moment peaks.
    {
        const ElevationPicture p = view.ComputePicture(Extent, 900, 300);
        const MemberAxis axis(p, L);
        double bottom = -1e9;
        for (const auto& q : p.panels)
            bottom = std::max(bottom, static_cast<double>(q[0].y));
        bool midspan = false;
        for (const auto& s : p.cracks.segments)
            midspan |= std::fabs(axis.X(s.x1) - L / 2) < 0.06 && std::fabs(s.y1 - bottom) < 1.0;
        EXPECT_TRUE(midspan);
    }
    EXPECT_GE(widening, 2);
    EXPECT_GE(view.SectionCountNow(), 2);
    EXPECT_EQ(view.SectionCountNow(), TWideCrack2::SectionCount(L, 0.3));

    // The same load again is not recomputed; magnified 25 times with its note.
    m.SelectLoadStage(kCurvePointStageBase + 20);
    TWideCrack2 mag(nullptr, "Member", 0, 0, 900, 300, 4001);
    mag.AttachAnalysis(&m);
    EXPECT_EQ(mag.Recomputations(), 1);
    mag.AttachAnalysis(&m); // same load: kept
    EXPECT_EQ(mag.Recomputations(), 1);
    m.SelectLoadStage(kCurvePointStageBase + 28);
    mag.AttachAnalysis(&m);
    EXPECT_EQ(mag.Recomputations(), 2);
    EXPECT_NEAR(mag.Record(mag.SectionCountNow() - 1).x, L, 1e-12);

    const ElevationPicture p = mag.ComputePicture(Extent, 900, 300);
    const auto notes = p.notes.All<picture::Label>();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, "Mag.  25x (crack widths: mm)");
    // Displaced 25 times: midspan's bottom sags below the ends'.
    const MemberStateRecord& mid = mag.Record(mag.SectionCountNow() / 2);
    const MemberStateRecord& end = mag.Record(0);
    EXPECT_LT(mid.corners[1], end.corners[1]);

    // The replay draws each crack segment where the picture has it, and the note.
    {
        RecordingDC dc;
        mag.Paint(dc, true, {0, 0, 900, 300});
        const ElevationPicture q = mag.ComputePicture(MeasureOn(dc), 900, 300);
        ASSERT_FALSE(q.cracks.segments.empty());
        const auto& s = q.cracks.segments.front();
        const plat::Point a{static_cast<int>(std::lround(s.x1)), static_cast<int>(std::lround(s.y1))};
        const plat::Point b{static_cast<int>(std::lround(s.x2)), static_cast<int>(std::lround(s.y2))};
        bool found = false;
        for (const DrawCall& c : dc.CallsOf("Line"))
            found |= c.points.size() == 2 && c.points[0] == a && c.points[1] == b;
        EXPECT_TRUE(found);
        const auto texts = dc.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Mag.  25x (crack widths: mm)"), texts.end());
        EXPECT_EQ(dc.CallsOf("Polygon").size(), q.panels.size() + q.plates.size());
    }

    TWideCrack2 flat(nullptr, "Member", 0, 0, 900, 300, 4000);
    flat.AttachAnalysis(&m);
    const ElevationPicture f = flat.ComputePicture(Extent, 900, 300);
    EXPECT_TRUE(f.notes.items.empty());
    // Undisplaced: the bottom bars 50 mm above the bottom face, as wide as the bar; the
    // 50 mm bearing plates outlined (2 px) centred on the member's ends.
    const MemberAxis axis(f, L);
    const double sx = (axis.right - axis.left) / L;
    double bottom = -1e9;
    for (const auto& q : f.panels)
        bottom = std::max(bottom, static_cast<double>(q[0].y));
    int bars = 0;
    int plateEdges = 0;
    for (const auto& line : f.lines.All<picture::Line>()) {
        if (line.colour == plat::Color{160, 160, 160} && line.a.y == line.b.y) {
            ++bars;
            EXPECT_NEAR(line.a.y, bottom - 0.05 * sx, 1.0);
            EXPECT_EQ(line.width, std::max(static_cast<int>(std::lround(0.012 * sx)), 1));
            EXPECT_NEAR(line.a.x, axis.left, 1.0);
            EXPECT_NEAR(line.b.x, axis.right, 1.0);
        }
        if (line.width == 2 && line.a.x == line.b.x) {
            ++plateEdges;
            const double face = std::fabs(line.a.x - axis.left) < std::fabs(line.a.x - axis.right) ? axis.left
                                                                                                  : axis.right;
            EXPECT_NEAR(std::fabs(line.a.x - face), 0.025 * sx, 1.0);
        }
    }
    EXPECT_EQ(bars, 1);
    EXPECT_EQ(plateEdges, 4);

    // "Show Cracking and Angles": a marker at each of the 21 depths of every section instead
    // of the cracks, red (cracked) at the bottom of midspan, blue at the top.
    flat.CmPopup3002();
    const ElevationPicture a = flat.ComputePicture(Extent, 900, 300);
    EXPECT_TRUE(a.cracks.segments.empty());
    ASSERT_EQ(a.cracks.markers.size(), static_cast<std::size_t>(21 * flat.SectionCountNow()));
    const std::size_t midspan = static_cast<std::size_t>(21 * (flat.SectionCountNow() / 2));
    EXPECT_TRUE(a.cracks.markers[midspan].cracked);
    EXPECT_FALSE(a.cracks.markers[midspan + 20].cracked);
    EXPECT_NEAR(a.cracks.markers[midspan].y, bottom, 1.0);
    EXPECT_TRUE(reporter.messages.empty());
}
