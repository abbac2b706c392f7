// Mohr's circle: the centre and radius text by magnitude, the common scale that keeps the
// circle round, where the circle, the diameter, the points and the axis numbers land (hand
// coordinates), and the chart's title editing and painting through a recording DC.

#include <gtest/gtest.h>

#include <optional>

#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "views/TMohr.h"

namespace {

namespace TA = plat::TextAlign;

// Every text 7 pixels a character wide and 10 high.
const PlanMeasure kFixed = [](std::string_view text, const plat::LogFont&) {
    return plat::Size{7 * static_cast<int>(text.size()), 10};
};

// A 400 x 300 box, 30 pixels of title. Margins 20; the bottom one 20 + 10. Axis x -2..3 and
// y -2.5..2.5: the x scale (400 - 40) / 5 = 72 and the y scale (270 - 30) / 5 = 48 differ; the
// circle takes 48 for both, x origin 20 + 360 * 2 / 5 = 164, y origin -2.5 * 48 + 270 = 150.
MohrFrame HandFrame()
{
    MohrFrame f;
    f.W = 400, f.H = 300, f.top = 30;
    f.xMin = -2, f.xMax = 3, f.yMin = -2.5, f.yMax = 2.5;
    f.title = "Circle of Stress (average)";
    return f;
}

// Centre 0.5, radius 2.5; the x face at 0.5 + 1.5 with shear 2 (a 3-4-5 triangle).
const std::vector<double> kRecord = {3.0, 0.0, -2.0, 0.0, 2.0, 2.0, -1.0, 2.0, 0.5, 2.5};

TEST(MohrPicture, CircleIsRoundOnTheLesserScale)
{
    const MohrPicture p = PlanMohr(HandFrame(), kRecord, kFixed);
    EXPECT_EQ(p.scale, 48.0f);
    EXPECT_EQ(p.xOrigin, 164.0f);
    EXPECT_EQ(p.yOrigin, 150.0f);
    EXPECT_EQ(p.bottomMargin, 30);
    const auto arcs = p.plan.Of(PlanOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, (plat::Rect{68, 30, 308, 270})); // 3 * 48 + 164, -2 * 48 + 164, 150 -+ 120
    EXPECT_EQ(arcs[0].rect.Width(), arcs[0].rect.Height());
    const auto lines = p.plan.Of(PlanOp::Line);
    ASSERT_EQ(lines.size(), 3u);
    // The x face at (Sx, -T), the y face at (Sy, T).
    EXPECT_EQ(lines[0].points, (std::vector<plat::Point>{{260, 246}, {116, 54}}));
    // Axes: at the x origin from the title down to the bottom margin, at the y origin across.
    EXPECT_EQ(lines[1].points, (std::vector<plat::Point>{{164, 30}, {164, 270}}));
    EXPECT_EQ(lines[2].points, (std::vector<plat::Point>{{20, 150}, {380, 150}}));

    const auto pies = p.plan.Of(PlanOp::Pie);
    ASSERT_EQ(pies.size(), 4u);
    EXPECT_EQ(pies[0].rect, (plat::Rect{256, 242, 264, 250}));
    EXPECT_EQ(pies[1].rect, (plat::Rect{112, 50, 120, 58}));
    EXPECT_EQ(pies[2].rect, (plat::Rect{304, 146, 312, 154}));
    EXPECT_EQ(pies[3].rect, (plat::Rect{64, 146, 72, 154}));
    EXPECT_EQ(p.plan.Of(PlanOp::Brush)[0].colour, plat::Colors::LtRed);

    struct Label {
        const char* text;
        plat::Point at;
        unsigned h, v;
    } labels[] = {
        {"Center:  0.50  Radius:  2.50 ", {200, 300}, TA::Center, TA::Bottom},
        {"1", {308, 150}, TA::Left, TA::Top},
        {"X", {260, 246}, TA::Left, TA::Top},
        {"2", {68, 150}, TA::Right, TA::Top},
        {"Y", {116, 54}, TA::Right, TA::Top},
        {"Circle of Stress (average)", {200, 0}, TA::Center, TA::Top},
        // Below zero the y range leaves room: the x numbers sit on the axis.
        {"-2.00", {20, 150}, TA::Left, TA::Bottom},
        {" 3.00", {380, 150}, TA::Right, TA::Bottom},
        // |x_hi| > |x_lo|: the y numbers right of the axis.
        {" 2.50", {166, 30}, TA::Left, TA::Top},
        {"-2.50", {166, 270}, TA::Left, TA::Bottom},
    };
    for (const Label& l : labels) {
        SCOPED_TRACE(l.text);
        const PlanStep* s = p.plan.FindText(l.text);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->points[0], l.at);
        EXPECT_EQ(s->hAlign, l.h);
        EXPECT_EQ(s->vAlign, l.v);
    }
}

// The y face at the top of the circle, three pixels right of the y axis (Sy 0.0625, T 2.5:
// (167, 30)): "Y", right-aligned under its point (160..166 by 30..39), would run into the
// top's number " 2.50" left-aligned two pixels right of the axis (166..200). No other corner
// of the point is clear (above it lies the title, right of it the number), so the name moves
// left off its point until a pixel parts them: right-aligned at 165. The other names keep
// their corners.
TEST(MohrPicture, PointNamesKeepClearOfTheAxisNumbers)
{
    const std::vector<double> record = {3.0, 0.0, -2.0, 0.0, 0.9375, -2.5, 0.0625, 2.5, 0.5, 2.5};
    const MohrPicture p = PlanMohr(HandFrame(), record, kFixed);
    const PlanStep* number = p.plan.FindText(" 2.50");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->points[0], (plat::Point{166, 30}));
    const PlanStep* y = p.plan.FindText("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->points[0], (plat::Point{165, 30}));
    EXPECT_EQ(y->hAlign, TA::Right);
    EXPECT_EQ(y->vAlign, TA::Top);
    const PlanStep* one = p.plan.FindText("1");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->points[0], (plat::Point{308, 150}));
    EXPECT_EQ(one->hAlign, TA::Left);
}

TEST(MohrPicture, DecimalsFollowThePrincipalValues)
{
    struct Row {
        double p1, p2;
        int decimals;
        const char* text;
    } rows[] = {
        {2.5, -0.5, 2, "Center:  1.00  Radius:  1.50 "},
        {150, -20, 1, "Center:  65.0  Radius:  85.0 "},
        {100, -100, 2, "Center:  0.00  Radius: 100.00 "},
        {1200, -300, 0, "Center:   450  Radius:   750 "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const MohrPicture p =
            PlanMohr(HandFrame(), {r.p1, 0, r.p2, 0, r.p1, 0, r.p2, 0, (r.p1 + r.p2) / 2, (r.p1 - r.p2) / 2}, kFixed);
        EXPECT_EQ(p.decimals, r.decimals);
        EXPECT_NE(p.plan.FindText(r.text), nullptr);
    }
}

TEST(MohrPicture, PureShearIsCentredOnTheYAxisWithAVerticalDiameter)
{
    const MohrPicture p = PlanMohr(HandFrame(), {2, 0, -2, 0, 0, 2, 0, 2, 0, 2}, kFixed);
    const plat::Rect circle = p.plan.Of(PlanOp::Arc)[0].rect;
    EXPECT_EQ((circle.left + circle.right) / 2, 164);
    const auto diameter = p.plan.Of(PlanOp::Line)[0].points;
    EXPECT_EQ(diameter[0].x, 164);
    EXPECT_EQ(diameter[1].x, 164);
    EXPECT_EQ(diameter[0].y - 150, 150 - diameter[1].y);
}

TEST(MohrPicture, BlackAndWhiteCircleAndMissingValues)
{
    MohrFrame f = HandFrame();
    EXPECT_EQ(PlanMohr(f, kRecord, kFixed).plan.Of(PlanOp::Pen)[0].pen,
              (plat::Pen{plat::PenStyle::Solid, 1, plat::Color::PaletteIndex(16)}));
    f.blackAndWhite = true;
    f.lineWidth = 3;
    EXPECT_EQ(PlanMohr(f, kRecord, kFixed).plan.Of(PlanOp::Pen)[0].pen,
              (plat::Pen{plat::PenStyle::Solid, 3, plat::Colors::Black}));
    // Fewer than five pairs: the rest read as -1.
    EXPECT_EQ(ReadDiagramRecord({3.0, 0.0, -2.0, 0.0}, 5),
              (std::vector<double>{3, 0, -2, 0, -1, -1, -1, -1, -1, -1}));
}

struct MohrChart : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    TMohr chart{nullptr, "", 0, 0, 400, 300, 1, 1, 0};
    void Feed(double p1, double p2, double sx, double sy, double t)
    {
        chart.ClearData();
        chart.AddPoint(p1, 0);
        chart.AddPoint(p2, 0);
        chart.AddPoint(sx, t);
        chart.AddPoint(sy, t);
        chart.AddPoint((p1 + p2) / 2, (p1 - p2) / 2);
        chart.AutoScale();
    }
};

TEST_F(MohrChart, PaintsThroughTheContract)
{
    EXPECT_EQ(chart.Kind(), 10);
    RecordingDC empty;
    chart.Paint(empty, true, {0, 0, 400, 300});
    EXPECT_EQ(empty.Texts(), (std::vector<std::string>{"No Data"}));

    // A strain circle of 2.5 and -0.5 mm/m.
    Feed(2.5, -0.5, 2.2, -0.2, 1.2);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    const auto arcs = dc.CallsOf("Arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect.Width(), arcs[0].rect.Height());
    EXPECT_EQ(dc.CallsOf("Pie").size(), 4u);
    const auto texts = dc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Center:  1.00  Radius:  1.50 "), texts.end());
    EXPECT_EQ(chart.Data().XFormat().format, "%5.2f");
    EXPECT_EQ(chart.Data().YFormat().format, "%5.2f");
    Feed(1500, -20, 1000, 480, 600);
    RecordingDC big;
    chart.Paint(big, true, {0, 0, 400, 300});
    EXPECT_EQ(chart.Data().XFormat().format, "%5.0f");
}

// The feeders give the shear values and the radius upward only; the whole circle, with the
// x face below the axis, stays in the box.
TEST_F(MohrChart, WholeCircleStaysInTheBox)
{
    Feed(2.1, -18.3, -1.2, -15.0, 6.5);
    EXPECT_DOUBLE_EQ(chart.GetAxisRange().yMin, -10.2);
    EXPECT_DOUBLE_EQ(chart.GetAxisRange().yMax, 10.2);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    const plat::Rect circle = dc.CallsOf("Arc").at(0).rect;
    EXPECT_GE(circle.top, chart.Margins().top);
    EXPECT_LE(circle.bottom, 300);
    for (const DrawCall& pie : dc.CallsOf("Pie")) {
        EXPECT_GE(pie.rect.top, 0);
        EXPECT_LE(pie.rect.bottom, 300);
    }
    // A range the user fixed stays as it is.
    chart.SetAxisEnd(ChartEnd::YMin, 0.0);
    Feed(2.1, -18.3, -1.2, -15.0, 6.5);
    EXPECT_DOUBLE_EQ(chart.GetAxisRange().yMin, 0.0);
}

TEST_F(MohrChart, EditTitleAndMenu)
{
    std::vector<std::string> items;
    for (const plat::MenuItem& i : chart.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Picture", "", "Select Font", "Edit Title", "Auto/Max Range"}));
    chart.SetTitle("Circle");
    ScriptedUi ui;
    ui.Input("title", std::nullopt).Input("title", std::string("Layer 3"));
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "Circle");
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "Layer 3");
    ASSERT_EQ(ui.requests.size(), 2u);
    EXPECT_EQ(ui.requests[0].caption, "Edit Title");
    chart.CmPopup3004();
    EXPECT_EQ(chart.GetMaxRange(), 1);
}

} // namespace
