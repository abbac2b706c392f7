// The section panel: where the bars, the cracks at 0 and 90 degrees, the yield marks and the
// crack width land (hand coordinates), the pens by bar state code, "Toggle Bars", and the
// chart with its element copy drawn through a recording DC.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "foundation/Units.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "views/Tpanel.h"

namespace {

namespace TA = plat::TextAlign;
constexpr double kBig = 3.1415626e31;
constexpr double kHalfPi = 1.5707963267948966;

// A 200 x 220 box with 20 pixels of title; a 0.1 m element: the panel is 0.5 m square,
// m = 10, k = min(180, 190) / 0.5 = 360 pixels per metre, centre (100, 210 - 95 = 115),
// half side 90. x bars of 16 mm at 0.1 m: width (int)(360 * 0.016) = 5.
PanelFrame HandFrame()
{
    PanelFrame f;
    f.W = 200, f.H = 220, f.top = 20;
    f.thickness = 0.1;
    f.x = {true, 0.016, 0.1};
    f.y = {true, 0.010, 0.2};
    f.title = " Crack Diagram ";
    return f;
}

// Cracked at spacing 0.1 m, the angle and width given; no yielding.
std::vector<double> Cracked(double theta, double width)
{
    return {kBig, 0.1, theta, width, 0, 0, 0, 0, 0, 0, 0, 0};
}

std::vector<PlanStep> LinesAfterLastPen(const DiagramPlan& plan)
{
    std::vector<PlanStep> lines;
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Pen)
            lines.clear();
        else if (s.op == PlanOp::Line)
            lines.push_back(s);
    }
    return lines;
}

TEST(PanelPicture, CracksAtZeroDegreesAreHorizontalOneSpacingApart)
{
    ValueGuard<int> si{g_UnitSystem, kUnitSI};
    const DiagramPlan plan = PlanPanel(HandFrame(), Cracked(0.0, 0.0003));
    // j s < 0.707 * 0.5 for j = 0..3: seven lines, 36 pixels apart, reaching 0.5 m each way.
    const auto cracks = LinesAfterLastPen(plan);
    ASSERT_EQ(cracks.size(), 7u);
    std::vector<int> rows;
    for (const PlanStep& c : cracks) {
        EXPECT_EQ(c.points[0].y, c.points[1].y);
        EXPECT_EQ(c.points[0].x, 100 - 180);
        EXPECT_EQ(c.points[1].x, 100 + 180);
        rows.push_back(c.points[0].y);
    }
    EXPECT_EQ(rows, (std::vector<int>{115, 79, 151, 43, 187, 7, 223}));
    // Drawn inside the panel square only, with the width in mm at the centre.
    ASSERT_EQ(plan.Of(PlanOp::Clip).size(), 1u);
    EXPECT_EQ(plan.Of(PlanOp::Clip)[0].rect, (plat::Rect{10, 25, 190, 205}));
    const PlanStep* width = plan.FindText(" 0.30");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->points[0], (plat::Point{100, 115}));
    EXPECT_EQ(width->hAlign, TA::Left);
    EXPECT_EQ(width->vAlign, TA::Bottom);
    EXPECT_EQ(plan.Of(PlanOp::Unclip).size(), 1u);
}

TEST(PanelPicture, CracksAtNinetyDegreesAreVertical)
{
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    PanelFrame f = HandFrame();
    f.unitSystem = kUnitUS;
    const DiagramPlan plan = PlanPanel(f, Cracked(kHalfPi, 0.000254));
    const auto cracks = LinesAfterLastPen(plan);
    ASSERT_EQ(cracks.size(), 7u);
    std::vector<int> columns;
    for (const PlanStep& c : cracks) {
        EXPECT_EQ(c.points[0].x, c.points[1].x);
        EXPECT_EQ(c.points[0].y, 115 - 180);
        EXPECT_EQ(c.points[1].y, 115 + 180);
        columns.push_back(c.points[0].x);
    }
    EXPECT_EQ(columns, (std::vector<int>{100, 136, 64, 172, 28, 208, -8}));
    EXPECT_NE(plan.FindText("0.010"), nullptr); // inches, three decimals
}

TEST(PanelPicture, BarsOutlineAndUncrackedState)
{
    const std::vector<double> uncracked = {-1, 0.1, 0.3, 0.0002, 0, 0, 0, 0, 0, 0, 0, 0};
    const DiagramPlan plan = PlanPanel(HandFrame(), uncracked);
    const auto pens = plan.Of(PlanOp::Pen);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0].pen, (plat::Pen{plat::PenStyle::Solid, 5, plat::Colors::LtGray}));
    EXPECT_EQ(pens[1].pen, (plat::Pen{plat::PenStyle::Solid, 3, plat::Colors::LtGray}));
    const auto lines = plan.Of(PlanOp::Line);
    // x bars at 0, 0.1, 0.2 m both sides (5 lines), y bars at 0, 0.2 m (3 lines).
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].points, (std::vector<plat::Point>{{10, 115}, {190, 115}}));
    EXPECT_EQ(lines[1].points, (std::vector<plat::Point>{{10, 151}, {190, 151}}));
    EXPECT_EQ(lines[4].points, (std::vector<plat::Point>{{10, 43}, {190, 43}}));
    EXPECT_EQ(lines[5].points, (std::vector<plat::Point>{{100, 25}, {100, 205}}));
    EXPECT_EQ(lines[6].points, (std::vector<plat::Point>{{172, 25}, {172, 205}}));
    const auto outline = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].points,
              (std::vector<plat::Point>{{10, 25}, {190, 25}, {190, 205}, {10, 205}, {10, 25}}));
    EXPECT_TRUE(plan.Of(PlanOp::Clip).empty());
    EXPECT_EQ(plan.Texts(), (std::vector<std::string>{" Crack Diagram "})); // no crack width
}

TEST(PanelPicture, YieldMarksAndPensByBarStateCode)
{
    struct Row {
        int code;
        plat::Color colour;
    } rows[] = {{1, {128, 0, 0}}, {-1, {0, 128, 0}}, {2, plat::Colors::LtRed},
                {-2, plat::Colors::LtGreen}, {10, plat::Colors::White}, {0, {128, 0, 0}}, {7, {128, 0, 0}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(PanelBarColour(r.code), r.colour);
        // Both bars yield everywhere: one line along the centre row and one down the centre column.
        std::vector<double> rec = Cracked(0.5, 0.0002);
        rec[8] = rec[9] = kBig;
        rec[10] = rec[11] = r.code;
        const DiagramPlan plan = PlanPanel(HandFrame(), rec);
        const auto pens = plan.Of(PlanOp::Pen);
        ASSERT_GE(pens.size(), 5u);
        EXPECT_EQ(pens[3].pen, (plat::Pen{plat::PenStyle::Solid, 3, r.colour}));
        EXPECT_EQ(pens[4].pen, (plat::Pen{plat::PenStyle::Solid, 3, r.colour}));
        const auto lines = plan.Of(PlanOp::Line);
        EXPECT_EQ(lines[8].points, (std::vector<plat::Point>{{10, 115}, {190, 115}}));
        EXPECT_EQ(lines[9].points, (std::vector<plat::Point>{{100, 25}, {100, 205}}));
    }
}

// theta = 0: the spacing along x is 500 m, so one x segment at the centre; the y segments
// follow the crack spacing s / cos(0) = 0.1 m, each 0.4 of it long.
TEST(PanelPicture, YieldAtTheCracksAtZeroDegrees)
{
    std::vector<double> rec = Cracked(0.0, 0.0002);
    rec[4] = rec[5] = kBig;
    rec[6] = 0.5;
    rec[7] = 0.4;
    rec[10] = 2;
    rec[11] = 1;
    const DiagramPlan plan = PlanPanel(HandFrame(), rec);
    std::vector<PlanStep> xMarks, yMarks;
    int pen = 0;
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Pen)
            ++pen;
        else if (s.op == PlanOp::Line && pen == 4)
            xMarks.push_back(s);
        else if (s.op == PlanOp::Line && pen == 5)
            yMarks.push_back(s);
    }
    ASSERT_EQ(xMarks.size(), 2u); // o = 0 on both sides
    EXPECT_EQ(xMarks[0].points[0].y, 115);
    EXPECT_EQ(xMarks[0].points[1].x - xMarks[0].points[0].x, 90000); // 0.5 * 500 m * 360
    // o = -0.1, 0, 0.1 ... below 0.35: segments of 0.04 m = 14.4 pixels centred 36 apart.
    ASSERT_EQ(yMarks.size(), 10u); // o = -0.1, 0, 0.1, 0.2, 0.3 on both sides
    for (const PlanStep& m : yMarks) {
        EXPECT_EQ(m.points[0].x, 100);
        EXPECT_NEAR(m.points[1].y - m.points[0].y, 14.4, 1.0);
        const double centre = (m.points[0].y + m.points[1].y) / 2.0 - 115.0;
        EXPECT_NEAR(centre / 36.0, std::round(centre / 36.0), 0.03);
    }
    EXPECT_EQ(plan.Of(PlanOp::Pen)[3].pen.color, plat::Colors::LtRed);
    EXPECT_EQ(plan.Of(PlanOp::Pen)[4].pen.color, (plat::Color{128, 0, 0}));
}

TEST(PanelPicture, BarsHiddenKeepsCracksAndWidth)
{
    PanelFrame f = HandFrame();
    f.barsShown = false;
    std::vector<double> rec = Cracked(0.0, 0.0003);
    rec[8] = rec[9] = kBig;
    const DiagramPlan plan = PlanPanel(f, rec);
    for (const PlanStep& p : plan.Of(PlanOp::Pen))
        EXPECT_EQ(p.pen, (plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black}));
    EXPECT_EQ(LinesAfterLastPen(plan).size(), 7u);
    EXPECT_EQ(plan.Of(PlanOp::Line).size(), 7u);
    EXPECT_NE(plan.FindText(" 0.30"), nullptr);
    // A spacing of zero stops each loop after 100 steps.
    std::vector<double> zero = Cracked(0.3, 0.0003);
    zero[1] = 0.0;
    EXPECT_LE(PlanPanel(f, zero).Of(PlanOp::Line).size(), 200u);
}

struct PanelChart : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    Tpanel chart{nullptr, "", 0, 0, 200, 220, 1, 1, 0};
    std::unique_ptr<TShell> element = MakeElement();

    static std::unique_ptr<TShell> MakeElement()
    {
        auto e = std::make_unique<TShell>();
        double strength = 30e6;
        e->AddConcreteTypeFromStrength(strength, "C30");
        e->DeleteLongLayers(0);
        e->DeleteLongLayers(1);
        LongLayerRec x;
        x.db = 0.016, x.space = 0.1, x.num = 1, x.Ai = 2e-4, x.A = 2e-4;
        e->AddLongLayer(x, 0);
        return e;
    }
    void Feed(double cracked)
    {
        chart.ClearData();
        const double rec[] = {cracked, 0.1, 0.0, 0.0003, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        for (int i = 0; i < 12; i += 2)
            chart.AddPoint(rec[i], rec[i + 1]);
        chart.AttachStructure(element.get());
        chart.AutoScale();
    }
};

TEST_F(PanelChart, DrawsItsOwnCopyOfTheElement)
{
    EXPECT_EQ(chart.Kind(), 11);
    RecordingDC none;
    chart.Paint(none, true, {0, 0, 200, 220});
    EXPECT_EQ(none.Texts(), (std::vector<std::string>{"No Data"}));

    Feed(kBig);
    element.reset(); // the chart keeps its copy
    ASSERT_NE(chart.Element(), nullptr);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 200, 220});
    const auto texts = dc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), " 0.30"), texts.end());
    int grey = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        grey += c.state.pen.color == plat::Colors::LtGray ? 1 : 0;
    EXPECT_GT(grey, 0);
    EXPECT_EQ(chart.Margins().left, 10);

    chart.CmPopup3004(); // "Toggle Bars"
    EXPECT_FALSE(chart.BarsShown());
    RecordingDC hidden;
    chart.Paint(hidden, true, {0, 0, 200, 220});
    for (const DrawCall& c : hidden.CallsOf("Line"))
        EXPECT_NE(c.state.pen.color, plat::Colors::LtGray);
    chart.AttachStructure(nullptr);
    EXPECT_EQ(chart.Element(), nullptr);
}

TEST_F(PanelChart, MenuAndEditTitle)
{
    std::vector<std::string> items;
    for (const plat::MenuItem& i : chart.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Picture", "", "Toggle Bars", "Select Font", "Edit Title"}));
    chart.SetTitle("Layer");
    ScriptedUi ui;
    ui.Input("Enter title of this drawing", std::nullopt).Input("Enter title of this drawing", std::string());
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "Layer");
    chart.CmPopup3002();
    EXPECT_EQ(chart.Data().Title(), "");
}

} // namespace
