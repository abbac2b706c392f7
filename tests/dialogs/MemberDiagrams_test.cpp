// The member sheet's pictures through the recording DC, checked by where they land in a
// 200 x 100 box at (0, 0): positions run from x0 = 10 at 45 px/m for a 4 m member, values over
// the usable height 0.75 x 100 - 6 = 69 px.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "dialogs/MemberDiagrams.h"
#include "foundation/Units.h"
#include "support/RecordingDC.h"
#include "platform/Application.h"
#include "support/TestSupport.h"

namespace {

using plat::Point;

struct Seg {
    Point a, b;
    bool operator==(const Seg&) const = default;
};

std::vector<Seg> Lines(const RecordingDC& dc, plat::Color colour, int width)
{
    std::vector<Seg> out;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.color == colour && c.state.pen.width == width && c.points.size() == 2 &&
            !(c.points[0] == c.points[1]))
            out.push_back({c.points[0], c.points[1]});
    return out;
}

bool Has(const std::vector<Seg>& lines, Point a, Point b)
{
    return std::find(lines.begin(), lines.end(), Seg{a, b}) != lines.end();
}

std::optional<DrawCall> TextCall(const RecordingDC& dc, const std::string& text)
{
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.text == text)
            return c;
    return std::nullopt;
}

// A 4 m member, point load at 2 m: M 0, 10 kN m (stored sign), 0 on the live diagram.
TMemberDefinition PointLoad()
{
    TMemberDefinition d;
    d.length = 4.0;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 4.0;
    d.diagrams[0][0] = {0.0, 0.0, 0};
    d.diagrams[0][1] = {2.0, 10000.0, 0};
    d.diagrams[0][2] = {4.0, 0.0, 0};
    d.pointCount[0] = 3;
    return d;
}

constexpr plat::Color kRed{255, 0, 0}, kBlue{0, 0, 255};

// Text is measured with the window runtime's fonts.
struct MemberDiagrams : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
};
const DiagramBox kBox{0, 0, 200, 100};

TEST_F(MemberDiagrams, MomentDiagramLandsOnItsScale)
{
    RecordingDC dc;
    DrawMomentDiagram(dc, PointLoad(), 0, 1, kBox);
    // All moments of one sign: zero line at the bottom, 100 - 6 = 94; the peak 69 px above.
    const auto black = Lines(dc, plat::Colors::Black, 1);
    EXPECT_TRUE(Has(black, {10, 94}, {190, 94}));
    // Direct supports at 0 and 4 m, from max(94 - 15, 10) to min(94 + 15, 96).
    EXPECT_TRUE(Has(black, {10, 79}, {10, 96}));
    EXPECT_TRUE(Has(black, {190, 79}, {190, 96}));
    const auto red = Lines(dc, kRed, 1);
    EXPECT_TRUE(Has(red, {10, 94}, {100, 25}));
    EXPECT_TRUE(Has(red, {100, 25}, {190, 94}));
    EXPECT_TRUE(Has(Lines(dc, kRed, 3), {100, 94}, {100, 25}));
    // Labels at the right, in display units (kN m, sign turned).
    const auto title = TextCall(dc, "Moment: -10.00");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->run.at, (Point{198, 10}));
    const auto peak = TextCall(dc, "-10.00");
    ASSERT_TRUE(peak);
    EXPECT_EQ(peak->run.at, (Point{198, 25}));
    const auto zero = TextCall(dc, " 0.00");
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->run.at, (Point{198, 94}));
    // Nothing leaves the box.
    for (const DrawCall& c : dc.CallsOf("Line"))
        for (Point p : c.points) {
            EXPECT_GE(p.x, 0);
            EXPECT_LE(p.x, 200);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, 100);
        }
}

TEST_F(MemberDiagrams, ShearDiagramStepsAtThePointLoad)
{
    RecordingDC dc;
    DrawShearDiagram(dc, PointLoad(), 0, 1, kBox);
    // V -5 kN then +5 kN: zero line in the middle of the usable height, trunc(100 - 34.5 - 6).
    EXPECT_TRUE(Has(Lines(dc, plat::Colors::Black, 1), {10, 59}, {190, 59}));
    const auto blue = Lines(dc, kBlue, 1);
    EXPECT_TRUE(Has(blue, {10, 59}, {10, 93}));
    EXPECT_TRUE(Has(blue, {10, 93}, {100, 93}));
    EXPECT_TRUE(Has(blue, {100, 93}, {100, 24}));
    EXPECT_TRUE(Has(blue, {100, 24}, {190, 24}));
    EXPECT_TRUE(Has(blue, {190, 24}, {190, 59}));
    // The marker takes the value left of the step.
    EXPECT_TRUE(Has(Lines(dc, kBlue, 3), {100, 59}, {100, 93}));
    EXPECT_TRUE(TextCall(dc, "Shear: -5.00/ 5.00"));
}

// The texts of a loading page's boxes stand right-aligned at 0.99 of the width, over the right
// support's mark, the zero line's end and the diagram's last stretch: each stays whole inside
// its box, and every line that passes through it is drawn before it, which is written on the
// box's face colour (the lines pass behind the text, none across it).
TEST_F(MemberDiagrams, TheRightEndTextsStayWholeWithTheLinesBehindThem)
{
    // 1.85 m, supports at both ends; the moment falls to -0.04 kN m (stored sign) near the left
    // and rises to 12.36 at the right end, a cantilever's root.
    TMemberDefinition d;
    d.length = 1.85;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 1.85;
    d.leftDirect = d.rightDirect = 1;
    const double xs[] = {0.0, 0.0625, 0.125, 0.2, 0.7375, 1.2, 1.85};
    const double ms[] = {0.0, -8.0, -40.0, 151.0, 5636.0, 9562.0, 12360.0};
    for (int i = 0; i < 7; ++i)
        d.diagrams[0][static_cast<std::size_t>(i)] = {xs[i], -ms[i], 0};
    d.pointCount[0] = 7;
    const DiagramBox box{10, 20, 290, 135};
    const plat::Rect inside{box.x, box.y, box.x + box.w, box.y + box.h};
    for (const bool moment : {true, false}) {
        SCOPED_TRACE(moment ? "moment" : "shear");
        RecordingDC dc;
        if (moment)
            DrawMomentDiagram(dc, d, 0, 6, box);
        else
            DrawShearDiagram(dc, d, 0, 6, box);
        const std::vector<DrawCall>& calls = dc.Calls();
        int texts = 0;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].op != "Text")
                continue;
            ++texts;
            const DrawCall& t = calls[i];
            const int left = t.run.at.x + t.run.x0, baseline = t.run.at.y + t.run.baseline;
            const plat::Rect cell{left, baseline - t.run.ascent, left + t.run.width, baseline + t.run.descent};
            EXPECT_TRUE(cell.left >= inside.left && cell.right <= inside.right && cell.top >= inside.top &&
                        cell.bottom <= inside.bottom)
                << t.text;
            EXPECT_EQ(t.state.bkMode, plat::BkMode::Opaque) << t.text;
            EXPECT_EQ(t.state.bkColor, plat::GetSysColor(plat::SysColor::Face3D)) << t.text;
            for (std::size_t j = i + 1; j < calls.size(); ++j) {
                if (calls[j].op != "Line")
                    continue;
                const Point a = calls[j].points[0], b = calls[j].points[1];
                const bool through = std::max(a.x, b.x) >= cell.left && std::min(a.x, b.x) < cell.right &&
                                     std::max(a.y, b.y) >= cell.top && std::min(a.y, b.y) < cell.bottom;
                EXPECT_FALSE(through) << "a line drawn after " << t.text << " runs through it";
            }
        }
        EXPECT_EQ(texts, 3);
    }
}

TEST_F(MemberDiagrams, EmptyDiagramShowsOnlyTheZeroLine)
{
    TMemberDefinition d = PointLoad();
    d.pointCount[0] = 0;
    RecordingDC dc;
    DrawMomentDiagram(dc, d, 0, 0, kBox);
    EXPECT_TRUE(Lines(dc, kRed, 1).empty());
    EXPECT_TRUE(Lines(dc, kRed, 3).empty());
    EXPECT_TRUE(Has(Lines(dc, plat::Colors::Black, 1), {10, 59}, {190, 59}));
    EXPECT_TRUE(TextCall(dc, "Moment:  0.00"));
}

TEST_F(MemberDiagrams, SketchShowsZonesAndSupports)
{
    TMemberDefinition d = PointLoad();
    d.zoneCount = 2;
    d.zones[1] = {2.0, 3};
    d.leftSupport = SupportType::FixedVerticalRoller;
    d.rightSupport = SupportType::Pin;
    d.rightDirect = 0;
    RecordingDC dc;
    DrawMemberSketch(dc, d, 1, kBox);
    // Member band: x 10 .. 190 (0.9 W), y 25 .. 75 (0.5 H from 0.25 H).
    const auto fills = dc.CallsOf("FillRect");
    const auto filled = [&](plat::Rect r, plat::Color c) {
        return std::any_of(fills.begin(), fills.end(), [&](const DrawCall& f) { return f.rect == r && f.color == c; });
    };
    EXPECT_TRUE(filled({10, 25, 100, 75}, plat::Colors::LtGray));
    // The second zone in its section's palette colour (entry 3, olive).
    EXPECT_TRUE(filled({100, 25, 190, 75}, plat::Color::PaletteIndex(3)) || filled({100, 25, 190, 75}, {128, 128, 0}));
    EXPECT_TRUE(Has(Lines(dc, kRed, 3), {100, 25}, {100, 75}));
    // Left vertical roller at 0: two lines across the member, the second 2 px right.
    const auto black = Lines(dc, plat::Colors::Black, 1);
    EXPECT_TRUE(Has(black, {10, 24}, {10, 76}));
    EXPECT_TRUE(Has(black, {12, 24}, {12, 76}));
    // Indirect pin at 4 m, plate 150 mm: outlined from trunc(176.625 + 10.5) to the member end.
    const auto rects = dc.CallsOf("Rectangle");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, (plat::Rect{187, 75, 190, 79}));
}

TEST_F(MemberDiagrams, QuickSchematic)
{
    QuickFields f;
    f.shearLength = "1000";
    f.constantZone = "0";
    f.momentRatio = "-50";
    RecordingDC dc;
    DrawQuickDiagram(dc, f, {0, 0, 100, 100});
    EXPECT_TRUE(Has(Lines(dc, plat::Colors::Black, 1), {10, 50}, {90, 50}));
    const auto blue = Lines(dc, plat::Colors::LtBlue, 1);
    EXPECT_TRUE(Has(blue, {10, 50}, {10, 30}));
    EXPECT_TRUE(Has(blue, {10, 30}, {90, 90}));
    EXPECT_TRUE(Has(blue, {90, 90}, {90, 50}));
    const auto c = TextCall(dc, "C");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->run.at, (Point{83, 15}));
    ASSERT_TRUE(TextCall(dc, "L"));
    EXPECT_EQ(TextCall(dc, "L")->run.at, (Point{87, 19}));
}

} // namespace
