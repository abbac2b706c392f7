// Mohr's circle: the centre and radius text by magnitude, the common scale that keeps the
// circle round, where the circle, the diameter, the points and the axis numbers land (hand
// coordinates), and the chart's title editing and painting through a recording DC.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
        // The names of the principal points a blank pixel off the ring's outermost columns 68
        // and 307.
        {"1", {309, 150}, TA::Left, TA::Top},
        {"X", {260, 246}, TA::Left, TA::Top},
        {"2", {67, 150}, TA::Right, TA::Top},
        // Right of the point and below it, the circle runs through the name's rows 55..63
        // (at x 109..115, 72..78 pixels left of its centre (187.5, 149.5), it is at y 54.5..59.4):
        // the name goes above the point.
        {"Y", {116, 54}, TA::Right, TA::Bottom},
        {"Circle of Stress (average)", {200, 0}, TA::Center, TA::Top},
        // Below zero the y range leaves room: the x numbers sit on the axis.
        {"-2.00", {20, 150}, TA::Left, TA::Bottom},
        {" 3.00", {380, 150}, TA::Right, TA::Bottom},
        // |x_hi| > |x_lo|: the y numbers right of the axis, moved along it off the circle: at
        // x 166..200 the ring is at y 30.7..31.9 (mirrored, 267.1..268.3), clear of the letters
        // (the cell less a tenth above and below) two pixels in.
        {" 2.50", {166, 32}, TA::Left, TA::Top},
        {"-2.50", {166, 268}, TA::Left, TA::Bottom},
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
// (167, 30)), the x face at the bottom (209, 270). Right of the axis the top's number " 2.50"
// would meet the circle and the diameter from (167, 30) to (209, 270) however far down it
// went; left of the axis (right-aligned at 162, 127..162) the circle runs at y 46.4 at x 127,
// so the number sits 17 pixels down, its letters from row 48. "Y" right-aligned under its
// point would run into the number and above it into the title; left-aligned under it the
// circle crosses it (or comes sideways within a pixel of its letters) until the name stands
// eleven pixels right of the point (178..184, where the ring is at y 30.5 and above the
// letters' first row 31; a pixel further left, the ring would pass within half a pixel of
// (176, 31), the blank column beside the letters). The other
// names keep their corners, "1" a blank pixel off the ring (309).
TEST(MohrPicture, PointNamesKeepClearOfTheAxisNumbers)
{
    const std::vector<double> record = {3.0, 0.0, -2.0, 0.0, 0.9375, -2.5, 0.0625, 2.5, 0.5, 2.5};
    const MohrPicture p = PlanMohr(HandFrame(), record, kFixed);
    const PlanStep* number = p.plan.FindText(" 2.50");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->points[0], (plat::Point{162, 47}));
    EXPECT_EQ(number->hAlign, TA::Right);
    const PlanStep* y = p.plan.FindText("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->points[0], (plat::Point{178, 30}));
    EXPECT_EQ(y->hAlign, TA::Left);
    EXPECT_EQ(y->vAlign, TA::Top);
    const PlanStep* one = p.plan.FindText("1");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->points[0], (plat::Point{309, 150}));
    EXPECT_EQ(one->hAlign, TA::Left);
}

// A picture at a scale: a screen (fixed 7 x 10 letters) or a printer mapping (the same frame
// ten times larger, 70 x 100 letters).
struct Mapping {
    const char* name;
    int k;
};
constexpr Mapping kMappings[] = {{"screen", 1}, {"printer", 10}};

MohrFrame Scaled(MohrFrame f, int k)
{
    f.W *= k, f.H *= k, f.top *= k;
    return f;
}

PlanMeasure MeasureAt(int k)
{
    return [k](std::string_view text, const plat::LogFont&) {
        return plat::Size{7 * k * static_cast<int>(text.size()), 10 * k};
    };
}

// The letters of a text drawn at its step: its cell less a tenth above and below.
plat::Rect Letters(const PlanStep& s, int k)
{
    const int w = 7 * k * static_cast<int>(s.text.size()), h = 10 * k;
    const int left = s.hAlign == TA::Right ? s.points[0].x - w : s.points[0].x;
    const int top = s.vAlign == TA::Bottom ? s.points[0].y - h : s.points[0].y;
    return plat::Rect{left, top + h / 6, left + w, top + h - h / 6};
}

bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Checks that no number or name meets an axis line (column, row), the circle's ring, a marker
// (a name may touch that of its own point, at the corner it stands at) or another text.
void ExpectNothingCrossed(
    const MohrPicture& p, int k, plat::Point column, plat::Point row, const char* frame)
{
    SCOPED_TRACE(frame);
    const auto steps = p.plan.Of(PlanOp::Text);
    const auto pies = p.plan.Of(PlanOp::Pie);
    const plat::Rect arc = p.plan.Of(PlanOp::Arc).at(0).rect;
    std::vector<const PlanStep*> texts;
    for (const PlanStep& s : steps)
        if (s.text.rfind("Center", 0) != 0 && s.text.rfind("Circle", 0) != 0)
            texts.push_back(&s);
    for (const PlanStep* s : texts) {
        SCOPED_TRACE(s->text);
        const plat::Rect l = Letters(*s, k);
        // The vertical axis at x = column.x from column.y down, the horizontal at y = row.y.
        EXPECT_FALSE(l.left <= column.x && column.x < l.right);
        EXPECT_FALSE(l.top <= row.y && row.y < l.bottom && l.left < row.x);
        // The ring: 720 points round it, rounded to pixels.
        const double cx = (arc.left + arc.right - 1) / 2.0, cy = (arc.top + arc.bottom - 1) / 2.0;
        const double r = (arc.right - arc.left - 1) / 2.0;
        for (int i = 0; r > 0.0 && i < 720; ++i) {
            const int x = static_cast<int>(std::lround(cx + r * std::cos(i * M_PI / 360.0)));
            const int y = static_cast<int>(std::lround(cy + r * std::sin(i * M_PI / 360.0)));
            if (l.left <= x && x < l.right && l.top <= y && y < l.bottom) {
                ADD_FAILURE() << "the circle runs through at (" << x << ", " << y << ")";
                break;
            }
        }
        const bool isName = s->text.find_first_not_of("12XY,") == std::string::npos;
        for (const PlanStep& pie : pies) {
            const plat::Point c{(pie.rect.left + pie.rect.right) / 2,
                                (pie.rect.top + pie.rect.bottom) / 2};
            const bool own = isName && (c == s->points[0] ||
                                        (c.y == s->points[0].y && pie.rect.left < s->points[0].x &&
                                         s->points[0].x < pie.rect.right));
            if (!own) {
                EXPECT_FALSE(Meet(l, pie.rect)) << "a marker at (" << c.x << ", " << c.y << ")";
            }
        }
        for (const PlanStep* o : texts)
            if (o != s) {
                EXPECT_FALSE(Meet(l, Letters(*o, k))) << "runs into \"" << o->text << "\"";
            }
    }
}

// Pure shear on a tall box, the circle touching the ends of both axes (as the membrane's
// strain circle does): 400 x 500, title 30, margins 20, bottom 30; x -2..2 at 90 pixels a unit
// (less than 440 / 4 = 110), origin (200, 250). The circle spans (20, 70)..(380, 430), so
// the axis numbers at the ends of both axes and the names of the faces at the top and bottom of
// the vertical axis all stand where the circle or an axis runs.
TEST(MohrPicture, NamesAndNumbersKeepClearOfTheAxesTheCircleAndTheMarkers)
{
    for (const Mapping& m : kMappings) {
        MohrFrame f;
        f.W = 400, f.H = 500, f.top = 30;
        f.xMin = -2, f.xMax = 2, f.yMin = -2, f.yMax = 2;
        f.title = "Circle of Strain (average)";
        const int k = m.k;
        const MohrPicture p = PlanMohr(Scaled(f, k), {2, 0, -2, 0, 0, 2, 0, 2, 0, 2}, MeasureAt(k));
        EXPECT_EQ(p.plan.Of(PlanOp::Arc).at(0).rect,
                  (plat::Rect{20 * k, 70 * k, 380 * k, 430 * k}));
        ExpectNothingCrossed(p, k, {200 * k, 30 * k}, {380 * k, 250 * k}, m.name);
        // Here every text finds a clear place.
        std::vector<std::string> texts;
        for (const PlanStep& s : p.plan.Of(PlanOp::Text))
            texts.push_back(s.text);
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts,
                  (std::vector<std::string>{" 2.00",
                                            " 2.00",
                                            "-2.00",
                                            "-2.00",
                                            "1",
                                            "2",
                                            "Center:  0.00  Radius:  2.00 ",
                                            "Circle of Strain (average)",
                                            "X",
                                            "Y"}));
    }
}

// A circle of radius 0 (the stress at a crack carrying nothing): all four points and the
// circle at the origin. On the hand frame their one name stands by their common point clear of
// the axes; with no x range at all (a scale of 0) the axis numbers come to
// the origin as well. Where no place is clear a name is left out, never drawn over another.
TEST(MohrPicture, CoincidentPointsOfARadiusZeroCircleDoNotOverprint)
{
    for (const Mapping& m : kMappings) {
        const int k = m.k;
        const std::vector<double> zero(10, 0.0);
        const MohrPicture hand = PlanMohr(Scaled(HandFrame(), k), zero, MeasureAt(k));
        ExpectNothingCrossed(hand, k, {164 * k, 30 * k}, {380 * k, 150 * k}, m.name);
        EXPECT_NE(hand.plan.FindText("1,2,X,Y"), nullptr);
        MohrFrame f = HandFrame();
        f.xMin = f.xMax = 0.0;
        f.yMin = -1.79, f.yMax = 1.79;
        const MohrPicture flat = PlanMohr(Scaled(f, k), zero, MeasureAt(k));
        EXPECT_EQ(flat.scale, 0.0f);
        // Origin (200, 150): the x range is nothing, the y axis at the middle; the y range
        // -1.79..1.79 puts the x axis halfway down 30..270.
        EXPECT_EQ(flat.xOrigin, 200.0f * k);
        EXPECT_EQ(flat.yOrigin, 150.0f * k);
        ExpectNothingCrossed(flat, k, {200 * k, 30 * k}, {380 * k, 150 * k}, m.name);
    }
}

// Points that coincide share one name: the four of a circle of radius 0 read "1,2,X,Y" (not
// "1", "X", "2" and "Y" side by side, which read as one: "1X2"), at a corner of their point,
// its letters beside it (the hand frame's origin (164, 150): left-aligned from x 164 or
// right-aligned to it, hanging below row 150 or standing on it). With no shear (a uniaxial
// stress, Sx = P1 = 2, Sy = P2 = -1) the faces lie on the principal points: "1,X" at (260, 150)
// and "2,Y" at (116, 150). A circle whose points are apart keeps its four names.
TEST(MohrPicture, CoincidentPointsShareOneName)
{
    const auto names = [](const MohrPicture& p) {
        std::vector<std::string> out;
        for (const PlanStep& s : p.plan.Of(PlanOp::Text))
            if (s.text.find_first_not_of("12XY,") == std::string::npos)
                out.push_back(s.text);
        std::sort(out.begin(), out.end());
        return out;
    };
    for (const Mapping& m : kMappings) {
        SCOPED_TRACE(m.name);
        const int k = m.k;
        const MohrPicture zero = PlanMohr(Scaled(HandFrame(), k), std::vector<double>(10, 0.0), MeasureAt(k));
        ASSERT_EQ(names(zero), std::vector<std::string>{"1,2,X,Y"});
        const PlanStep& shared = *zero.plan.FindText("1,2,X,Y");
        EXPECT_EQ(shared.points[0].y, 150 * k);
        // Right-aligned a blank pixel off the y axis.
        EXPECT_EQ(shared.points[0].x, 164 * k - 1);
        ExpectNothingCrossed(zero, k, {164 * k, 30 * k}, {380 * k, 150 * k}, m.name);

        const MohrPicture uniaxial =
            PlanMohr(Scaled(HandFrame(), k), {2.0, 0.0, -1.0, 0.0, 2.0, 0.0, -1.0, 0.0, 0.5, 1.5}, MeasureAt(k));
        ASSERT_EQ(names(uniaxial), (std::vector<std::string>{"1,X", "2,Y"}));
        EXPECT_EQ(uniaxial.plan.FindText("1,X")->points[0].y, 150 * k);
        EXPECT_EQ(uniaxial.plan.FindText("2,Y")->points[0].y, 150 * k);
        ExpectNothingCrossed(uniaxial, k, {164 * k, 30 * k}, {380 * k, 150 * k}, m.name);

        const MohrPicture apart = PlanMohr(Scaled(HandFrame(), k), kRecord, MeasureAt(k));
        EXPECT_EQ(names(apart), (std::vector<std::string>{"1", "2", "X", "Y"}));
    }
}

// A name beside the circle or an axis keeps a blank pixel from it sideways: a glyph may ink its
// cell to the edge, and the page's text comes out a little wider than measured. On the hand
// frame (kRecord) the ring's outermost columns are 68 and 307 (its box 68..308) on the x axis's
// row, where "2" and "1" hang: "2" right-aligned to 67 (letters up to 66, 67 blank), "1" from
// 309 (308 blank). In pure shear on the tall frame (x origin 200, the circle 20..380 by
// 70..430) the faces lie on the vertical axis at column 200: "X" at (200, 430) and "Y" at
// (200, 70), each right-aligned to 199, column 199 blank ("Y" standing on its point: below it,
// left of the axis, hangs the number " 2.00"). The same on a printer mapping (ten times
// larger), a pixel of its own.
TEST(MohrPicture, NamesKeepABlankPixelSidewaysFromTheAxesAndTheCircle)
{
    for (const Mapping& m : kMappings) {
        SCOPED_TRACE(m.name);
        const int k = m.k;
        const auto expectAt = [](const MohrPicture& p, const char* text, plat::Point at, unsigned h,
                                 unsigned v = TA::Top) {
            SCOPED_TRACE(text);
            const PlanStep* s = p.plan.FindText(text);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->points[0], at);
            EXPECT_EQ(s->hAlign, h);
            EXPECT_EQ(s->vAlign, v);
        };
        const MohrPicture hand = PlanMohr(Scaled(HandFrame(), k), kRecord, MeasureAt(k));
        EXPECT_EQ(hand.plan.Of(PlanOp::Arc).at(0).rect.left, 68 * k);
        EXPECT_EQ(hand.plan.Of(PlanOp::Arc).at(0).rect.right, 308 * k);
        expectAt(hand, "2", {68 * k - 1, 150 * k}, TA::Right);
        expectAt(hand, "1", {308 * k + 1, 150 * k}, TA::Left);

        MohrFrame f;
        f.W = 400, f.H = 500, f.top = 30;
        f.xMin = -2, f.xMax = 2, f.yMin = -2, f.yMax = 2;
        const MohrPicture shear = PlanMohr(Scaled(f, k), {2, 0, -2, 0, 0, 2, 0, 2, 0, 2}, MeasureAt(k));
        expectAt(shear, "X", {200 * k - 1, 430 * k}, TA::Right);
        expectAt(shear, "Y", {200 * k - 1, 70 * k}, TA::Right, TA::Bottom);
    }
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

// The crack's circle of radius 0 painted on a recording DC, letters as its fonts measure them:
// its four points named once, no two texts cover each other and no axis line runs through one.
TEST_F(MohrChart, ARadiusZeroCircleLeavesNoTextOverAnotherOrOnAnAxis)
{
    Feed(0, 0, 0, 0, 0);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    const auto lines = dc.CallsOf("Line");
    ASSERT_EQ(lines.size(), 3u);
    std::vector<std::pair<std::string, plat::Rect>> boxes;
    for (const DrawCall& t : dc.CallsOf("Text")) {
        // The run is measured from the text's point.
        const plat::TextRun& r = t.run;
        const plat::Point at = t.points.at(0);
        boxes.push_back({t.text,
                         plat::Rect{at.x + r.x0,
                                    at.y + r.baseline - r.ascent,
                                    at.x + r.x0 + r.width,
                                    at.y + r.baseline + r.descent}});
    }
    // The centre text and the one name of the four coincident points.
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_NE(std::find_if(boxes.begin(), boxes.end(), [](const auto& b) { return b.first == "1,2,X,Y"; }),
              boxes.end());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(boxes[i].first);
        const plat::Rect& b = boxes[i].second;
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(Meet(b, boxes[j].second)) << "covers \"" << boxes[j].first << "\"";
        // The axes: the vertical one, then the horizontal one.
        const plat::Point c = lines[1].points[0], r = lines[2].points[0];
        const int letterTop = b.top + b.Height() / 6, letterBottom = b.bottom - b.Height() / 6;
        EXPECT_FALSE(b.left <= c.x && c.x < b.right && letterTop < lines[1].points[1].y &&
                     c.y < letterBottom);
        EXPECT_FALSE(letterTop <= r.y && r.y < letterBottom && b.left < lines[2].points[1].x &&
                     r.x < b.right);
    }
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
