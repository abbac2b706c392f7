// Vital signs: bar colours and percentages at their thresholds, the markers, where the bars
// land (hand coordinates), the captions and status words by cracked flag and steel code,
// and the text copy with its headings.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "views/TVitalSigns.h"

namespace {

namespace TA = plat::TextAlign;
constexpr double kBig = 3.1415626e31;

const PlanMeasure kFixed = [](std::string_view text, const plat::LogFont&) {
    return plat::Size{7 * static_cast<int>(text.size()), 10};
};

// A cracked layer: f1 1 of 2 MPa, f2 -15 of -30, vci 0.5 of 1; x steel 300 MPa (400 at the
// crack) of fy 400, fu 600; y steel 580 (600 at the crack) of fy 400, fu 600.
std::vector<double> Record()
{
    return {1.0, 2.0, 1.0, 0.0, -15.0, -30.0, 0.5, 1.0, 300, 400, 400, 600, 580, 600, 400, 600, 0, 0};
}

// 500 x 400: bar i from x0 = 100 i + 15 to x0 + 70, top row 60, base row 280,
// row(v) = 220 (1 - v) + 60.
VitalSignsFrame HandFrame()
{
    VitalSignsFrame f;
    f.W = 500, f.H = 400;
    f.title = "Vital Signs";
    f.textFont.height = 20;
    return f;
}

TEST(VitalBars, ColoursAtTheirThresholds)
{
    const plat::Color green = kVitalGreen, pink = kVitalPink, red = kVitalRed;
    struct Row {
        const char* name;
        int index; // record value changed
        double value;
        int bar;
        plat::Color colour;
        int labelMode;
    } rows[] = {
        {"crushing at 0.9 stays green", 4, -27.0, 0, green, 0},
        {"crushing above 0.9 is red", 4, -27.3, 0, red, 0},
        {"a concrete state turns crushing pink", 3, 1.0, 0, pink, 1},
        {"shear at 0.9 green", 6, 0.9, 1, green, 0},
        {"shear above 0.9 red", 6, 0.95, 1, red, 0},
        {"shear above 0.995 pink, no percentage", 6, 0.996, 1, pink, 1},
        {"cracking above 0.995 pink", 0, 1.995, 2, pink, 1},
        {"x steel below yield green", 8, 390, 3, green, 0},
        {"x steel past 0.99 of the yield mark pink", 8, 397, 3, pink, 0},
        {"y steel above 0.95 of fu red", 12, 580, 4, red, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<double> rec = Record();
        rec[static_cast<std::size_t>(r.index)] = r.value;
        const VitalBar b = VitalBars(rec)[static_cast<std::size_t>(r.bar)];
        EXPECT_EQ(b.colour, r.colour);
        EXPECT_EQ(b.labelMode, r.labelMode);
    }
    // Steel: fill and markers as fractions of fu, the percentage of fy.
    const std::vector<VitalBar> bars = VitalBars(Record());
    EXPECT_DOUBLE_EQ(bars[3].fill, 0.5);
    EXPECT_DOUBLE_EQ(bars[3].ratio, 0.75);
    EXPECT_DOUBLE_EQ(bars[3].marker1, 400.0 / 600.0);
    EXPECT_DOUBLE_EQ(bars[3].marker2, 400.0 / 600.0);
    // The cracking ratio is not made absolute.
    std::vector<double> compressed = Record();
    compressed[0] = -0.5;
    EXPECT_DOUBLE_EQ(VitalBars(compressed)[2].ratio, -0.25);
}

TEST(VitalBars, SteelCodesAndMissingSteel)
{
    std::vector<double> rec = Record();
    rec[16] = 2; // x ruptured
    rec[17] = 1; // no y bar
    rec[12] = 0;
    rec[13] = rec[14] = rec[15] = kBig;
    const std::vector<VitalBar> bars = VitalBars(rec);
    EXPECT_EQ(bars[3].fill, 0.0);
    EXPECT_EQ(bars[3].ratio, 0.0);
    EXPECT_EQ(bars[3].marker2, 0.0);
    EXPECT_EQ(bars[3].labelMode, 2);
    EXPECT_EQ(bars[4].fill, 0.0);
    EXPECT_DOUBLE_EQ(bars[4].marker1, 1.0); // yield line at the top of the bar
    EXPECT_EQ(bars[4].colour, kVitalGreen);
    // An x stress below -3.11e30 leaves the x bar out.
    rec[8] = -kBig;
    EXPECT_FALSE(VitalBars(rec)[3].drawn);
    EXPECT_TRUE(VitalBars(rec)[4].drawn);
}

TEST(VitalSignsPicture, BarsLandOnTheirRows)
{
    const DiagramPlan plan = PlanVitalSigns(HandFrame(), Record(), kFixed);
    const auto fills = plan.Of(PlanOp::Fill);
    ASSERT_EQ(fills.size(), 5u);
    // Crushing at 0.5: filled from the base up to row 170.
    EXPECT_EQ(fills[0].rect, (plat::Rect{15, 170, 85, 280}));
    EXPECT_EQ(fills[0].colour, kVitalGreen);
    EXPECT_EQ(fills[3].rect, (plat::Rect{315, 170, 385, 280}));
    EXPECT_EQ(fills[4].colour, kVitalRed);
    const auto outlines = plan.Of(PlanOp::Polyline);
    ASSERT_EQ(outlines.size(), 5u);
    EXPECT_EQ(outlines[1].points,
              (std::vector<plat::Point>{{115, 280}, {185, 280}, {185, 60}, {115, 60}, {115, 280}}));
    // The x steel's crack stress equals its yield stress: the yield line in red, width 3.
    bool redYield = false;
    plat::Pen pen;
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Pen)
            pen = s.pen;
        if (s.op == PlanOp::Line && s.points[0] == plat::Point{315, 133} && s.points[1] == plat::Point{385, 133})
            redYield = pen == plat::Pen{plat::PenStyle::Solid, 3, plat::Colors::LtRed};
    }
    EXPECT_TRUE(redYield);
    struct Label {
        const char* text;
        plat::Point at;
    } labels[] = {{"50%", {50, 280}}, {"75%", {350, 280}}, {"145%", {450, 280}},
                  // The groups' names stand on the row over the box's foot line (399).
                  {"Concrete", {150, 399}}, {"Steel", {400, 399}},
                  // f_y at the mean yield fraction 2/3: (1 - 2/3) 220 + 60 - 5.
                  {"f_u", {400, 55}}, {"f_y", {400, 128}},
                  {"Tension", {250, 308}}, {"f_1_M_A_X", {250, 364}}, {"Yield", {350, 364}}};
    for (const Label& l : labels) {
        SCOPED_TRACE(l.text);
        const PlanStep* s = plan.FindText(l.text);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->points[0], l.at);
    }
    EXPECT_EQ(plan.FindText("50%")->font.height, 16); // 0.8 of the text font
}

TEST(VitalSignsPicture, CaptionsAndStatusWords)
{
    struct Row {
        const char* name;
        double cracked;
        double xCode, yCode;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } rows[] = {
        {"uncracked", 0, 0, 0, {"Crack", "f_c_r_a_c_k", "f_s_x", "f_s_y"}, {"Tension", "f_1_M_A_X"}},
        {"not available in a beam", 1, 3, 0, {"Not Avail.", "in Q2K"}, {"f_s_x", "75%"}},
        {"rupture and no bar", 1, 2, 1, {"Rupture", "No Bar"}, {"f_s_x", "f_s_y"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<double> rec = Record();
        rec[2] = r.cracked;
        rec[16] = r.xCode;
        rec[17] = r.yCode;
        const DiagramPlan plan = PlanVitalSigns(HandFrame(), rec, kFixed);
        for (const std::string& t : r.present)
            EXPECT_NE(plan.FindText(t), nullptr) << t;
        for (const std::string& t : r.absent)
            EXPECT_EQ(plan.FindText(t), nullptr) << t;
    }
    // Code 3: "Not Avail." above "in Q2K".
    std::vector<double> rec = Record();
    rec[16] = 3;
    const DiagramPlan plan = PlanVitalSigns(HandFrame(), rec, kFixed);
    EXPECT_EQ(plan.FindText("Not Avail.")->points[0].y, 332);
    EXPECT_EQ(plan.FindText("in Q2K")->points[0].y, 364);
    // Rupture of x shades its caption cell pink.
    rec[16] = 2;
    const auto fills = PlanVitalSigns(HandFrame(), rec, kFixed).Of(PlanOp::Fill);
    ASSERT_EQ(fills.size(), 6u);
    EXPECT_EQ(fills[4].rect, (plat::Rect{300, 280, 400, 368}));
    EXPECT_EQ(fills[4].colour, kVitalPink);
    EXPECT_EQ(fills[3].rect.Height(), 0); // no fill
}

struct VitalSignsChart : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    void Feed(TVitalSigns& chart, bool leadingSeparator)
    {
        chart.ClearData();
        if (leadingSeparator)
            chart.AddPoint(kBig, kBig);
        const std::vector<double> rec = Record();
        for (std::size_t i = 0; i < rec.size(); i += 2)
            chart.AddPoint(rec[i], rec[i + 1]);
        chart.AutoScale();
    }
};

TEST_F(VitalSignsChart, TextCopyHeadingsAndTexts)
{
    TVitalSigns membrane(nullptr, "", 0, 0, 500, 400, 0);
    EXPECT_EQ(membrane.Kind(), 26);
    EXPECT_EQ(membrane.ExportText(), "Membrane Vital Signs\r\n\r\n");
    Feed(membrane, true);
    const std::string text = membrane.ExportText();
    EXPECT_EQ(text.rfind("Membrane Vital Signs\r\n\r\n", 0), 0u);
    for (const char* line : {"\r\nConcrete\r\nSteel\r\n", "\r\n50%\r\n", "\r\nf_u\r\nf_y\r\n", "\r\nCrush\r\n",
                             "\r\nf_2\r\nf_2_M_A_X\r\n", "\r\nf_s_y\r\nYield\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    TVitalSigns trumbel(nullptr, "", 0, 0, 500, 400, 1), shell(nullptr, "", 0, 0, 500, 400, 2),
        unknown(nullptr, "", 0, 0, 500, 400, 3);
    Feed(trumbel, false);
    EXPECT_EQ(trumbel.ExportText(), "Trumbel Vital Signs\r\n\r\n");
    EXPECT_EQ(shell.ExportText(), "Shell Vital Signs\r\n\r\n");
    EXPECT_EQ(unknown.ExportText(), " OOPS! unknown caller");
    RecordingDC empty;
    trumbel.Paint(empty, true, {0, 0, 500, 400});
    EXPECT_TRUE(empty.Calls().empty());

    ScriptedUi ui;
    std::string shown;
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        shown = d.Text(4028);
        d.Click(2);
    });
    membrane.ExportData(1);
    EXPECT_EQ(shown, text);
}

TEST_F(VitalSignsChart, PaintsTheBarsAndNoDataWithout)
{
    TVitalSigns chart(nullptr, "", 0, 0, 500, 400, 0);
    RecordingDC none;
    chart.Paint(none, true, {0, 0, 500, 400});
    EXPECT_EQ(none.Texts(), (std::vector<std::string>{"No Data"}));
    Feed(chart, false);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 500, 400});
    const auto fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[0].rect, (plat::Rect{15, 170, 85, 280}));
    std::vector<std::string> items;
    for (const plat::MenuItem& i : chart.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Picture", "", "Copy Text", "Select Font"}));
}

} // namespace

// The crushing bar at 3 % (f2 -0.9 of -30 MPa): its fill's top on row 273 (220 x 0.97 + 60),
// seven rows above the base, where " 3%" (10 rows high, 21 wide, centred at x 50) would stand
// on the base (rows 270..279): the line would run through it. It stands just above the line, a
// blank row between: its bottom at 272 (rows 262..271). At 50 % the fill's top (170) is far
// above the base and the percentage stays on it; so does the x steel's, its crack-stress stroke
// rising from the fill (170) to 133.
TEST(VitalSignsPicture, APercentageStandsClearOfTheFillsTop)
{
    std::vector<double> rec = Record();
    rec[4] = -0.9;
    const DiagramPlan plan = PlanVitalSigns(HandFrame(), rec, kFixed);
    const PlanStep* three = plan.FindText(" 3%");
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->points[0], (plat::Point{50, 272}));
    bool fillTop = false;
    for (const PlanStep& s : plan.Of(PlanOp::Line))
        fillTop = fillTop || (s.points[0] == plat::Point{15, 273} && s.points[1] == plat::Point{85, 273});
    EXPECT_TRUE(fillTop);
    const DiagramPlan half = PlanVitalSigns(HandFrame(), Record(), kFixed);
    ASSERT_NE(half.FindText("50%"), nullptr);
    EXPECT_EQ(half.FindText("50%")->points[0], (plat::Point{50, 280}));
    ASSERT_NE(half.FindText("75%"), nullptr);
    EXPECT_EQ(half.FindText("75%")->points[0], (plat::Point{350, 280}));
}

namespace {

// Cells as tall as the font's height, 7 pixels a letter.
const PlanMeasure kByHeight = [](std::string_view text, const plat::LogFont& font) {
    return plat::Size{7 * static_cast<int>(text.size()), std::abs(font.height)};
};

// A low box with a title 21 rows high in its own font and captions of 13 (their smaller text,
// the percentages' and "f_u"'s, at the least text: 12).
VitalSignsFrame LowFrame(int W, int titleHeight)
{
    VitalSignsFrame f;
    f.W = W, f.H = 120;
    f.title = "Vital Signs";
    f.titleFont.height = titleHeight;
    f.textFont.height = 13;
    return f;
}

// The box of a planned text, measured with kByHeight.
plat::Rect BoxOf(const PlanStep& s)
{
    const plat::Size size = kByHeight(s.text, s.font);
    const int h = s.hAlign & TA::HorizontalMask, v = s.vAlign & TA::VerticalMask;
    const int left = h == TA::Center ? s.points[0].x - size.cx / 2 : h == TA::Right ? s.points[0].x - size.cx
                                                                                     : s.points[0].x;
    const int top = v == TA::Bottom ? s.points[0].y - size.cy : s.points[0].y;
    return {left, top, left + size.cx, top + size.cy};
}

bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What of the plan stands on the title's cell: rules and outlines through it (their pixels),
// fills over it, texts on it.
std::vector<std::string> OnTheTitle(const DiagramPlan& plan)
{
    const PlanStep* title = plan.FindText("Vital Signs");
    if (!title)
        return {"no title"};
    const plat::Rect cell = BoxOf(*title);
    std::vector<std::string> out;
    const auto stroke = [&](plat::Point a, plat::Point b) {
        const plat::Rect pixels{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                                std::max(a.y, b.y) + 1};
        if (Meet(pixels, cell))
            out.push_back("stroke (" + std::to_string(a.x) + ", " + std::to_string(a.y) + ") - (" +
                          std::to_string(b.x) + ", " + std::to_string(b.y) + ")");
    };
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Line || s.op == PlanOp::Polyline)
            for (std::size_t i = 1; i < s.points.size(); ++i)
                stroke(s.points[i - 1], s.points[i]);
        if (s.op == PlanOp::Fill) {
            const plat::Rect r{std::min(s.rect.left, s.rect.right), std::min(s.rect.top, s.rect.bottom),
                               std::max(s.rect.left, s.rect.right), std::max(s.rect.top, s.rect.bottom)};
            if (r.Height() > 0 && Meet(r, cell))
                out.push_back("fill from row " + std::to_string(r.top));
        }
        if (s.op == PlanOp::Text && &s != title && Meet(BoxOf(s), cell))
            out.push_back("\"" + s.text + "\" from row " + std::to_string(BoxOf(s).top));
    }
    return out;
}

} // namespace

// A low box, 300 x 120: the title's cell reaches row 21, below the bars' tops at 0.15 H (row
// 18). The bars stand from row 22 (a blank row under the title) to their base at 0.7 H (84),
// their fills on the shortened scale (crushing at 0.5: row 53); nothing stands on the title,
// and each percentage stands in its bar under its top. In a narrow box (160 wide) "f_u",
// centred on the steel group's tops, comes under the title too: the tops go down by half its
// height (to row 28) and it stands below the title. Where the room between the tops and the
// base is less than a percentage's cell, the percentages are left out.
TEST(VitalSignsPicture, TheBarsStandBelowALowBoxsTitle)
{
    struct Case {
        int W, titleHeight, top, percentages;
    } cases[] = {{300, 21, 22, 5}, {160, 21, 28, 0}}; // in 160 the bars are narrower than "50%"
    for (const Case& c : cases) {
        SCOPED_TRACE(c.W);
        const DiagramPlan plan = PlanVitalSigns(LowFrame(c.W, c.titleHeight), Record(), kByHeight);
        EXPECT_EQ(OnTheTitle(plan), std::vector<std::string>{});
        const auto outlines = plan.Of(PlanOp::Polyline);
        ASSERT_EQ(outlines.size(), 5u);
        for (const PlanStep& o : outlines) {
            EXPECT_EQ(o.points[2].y, c.top);
            EXPECT_EQ(o.points[0].y, 84);
        }
        EXPECT_EQ(plan.Of(PlanOp::Fill)[0].rect.top, c.top + (84 - c.top) / 2);
        int percentages = 0;
        for (const PlanStep& s : plan.Of(PlanOp::Text)) {
            if (s.text.back() != '%')
                continue;
            ++percentages;
            EXPECT_GT(BoxOf(s).top, c.top) << s.text;
            EXPECT_LE(BoxOf(s).bottom, 84) << s.text;
        }
        EXPECT_EQ(percentages, c.percentages);
    }
    const DiagramPlan tall = PlanVitalSigns(LowFrame(300, 74), Record(), kByHeight);
    EXPECT_EQ(OnTheTitle(tall), std::vector<std::string>{});
    for (const PlanStep& s : tall.Of(PlanOp::Text))
        EXPECT_NE(s.text.back(), '%') << s.text;
}
