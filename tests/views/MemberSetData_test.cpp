// The member sets of a ring's member (a solid 600 x 400 section whose north, middle and south
// bars carry a thermal strain), opened through the program's own document reader and solved
// through Solve > Member Response: where a curve runs into the numbers of its full chart's axis
// at their place, the numbers go to the axis's other side where the data leave that clear, and
// where neither side is clear the data give way round the numbers' letters only.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "support/RecordingDC.h"
#include "tests/app/DrawnTexts.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/ChooseLayout.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

constexpr const char* kRing = R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>
<!DOCTYPE suite_3g SYSTEM "q3g.dtd">
<!-- Quarvish sections and elements; vocabulary in q3g.dtd -->

<document>
	<q3g_beam	name		="Thermal ring"
			date		="2026/12/8"	>
		<concrete	fcp		="35.0"
				maxagg	="19.0"	/>
		<rebar		fy		="400.0"
				esh		="7.0"
				eu		="100.0"	/>
		<prestress	fu		="1860.0"
				name		="PSteel 1"	/>
		<sectionSOLID		>
					600.0	400.0
					0.0	400.0	"Concrete 1"
			</sectionSOLID>
		<shapesection		/>
		<longreinfx	z		="50"
				type		="Steel 1"
				num		="3"
				A		="1500.0"
				Ai		="500.0"
				db		="25.23132522"
				name		="Bottom"	/>
		<longreinfx	z		="400"
				type		="Steel 1"
				num		="1"
				A		="500.0"
				Ai		="500.0"
				db		="25.23132522"
				pattern	="1"
				nround	="4"
				aligned	="1"
				name		="North"	/>
		<longreinfx	z		="300"
				type		="Steel 1"
				num		="2"
				A		="1000.0"
				Ai		="500.0"
				db		="25.23132522"
				pattern	="1"
				nround	="4"
				aligned	="1"
				name		="Middle"	/>
		<longreinfx	z		="200"
				type		="Steel 1"
				num		="1"
				A		="500.0"
				Ai		="500.0"
				db		="25.23132522"
				pattern	="1"
				nround	="4"
				aligned	="1"
				name		="South"	/>
		<rebarthermx	>
				"North" 2.0 "Middle" 2.0 "South" 2.0
			</rebarthermx>
		<sectloading		/>

	</q3g_beam>
</document>
)";

struct MemberSetData : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    const StateDiagramsGuard diagrams;
    // The program's own document engine reads the file.
    TDocumentEngine* fake = SetDocumentEngine(nullptr);
    ~MemberSetData() override
    {
        SetDocumentEngine(fake);
        SetBeamLogicFactory(std::move(previous));
    }
    TViewm_2k& View() { return Window().GetViewManager(); }

    // The ring opened in a window of 1280 x 1024 and its member solved to the end.
    void SolveTheRing()
    {
        ShowFrameAt(1280, 1024);
        dir.Write("ring.qvh", kRing);
        app->OpenFile(dir.File("ring.qvh"));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Thermal ring");
        Frame().Dispatch(CmId::MemberResponse);
        auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        ASSERT_NE(m, nullptr);
        for (long pass = 0; m->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
        plat::Application::SettleEvents();
    }
    // The set of the title (its start) chosen from the layout list, as a user does.
    void Choose(const std::string& title) { ChooseLayout(View(), title); }
    Tchart* Chart(const std::string& title)
    {
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i); c && c->Data().Title() == title)
                return c;
        return nullptr;
    }
};

struct Number {
    std::string text;
    plat::Rect cell;    // the run's advance, from its ascent above the baseline to its descent
    plat::Rect letters; // the advance, from seven tenths of the ascent above the baseline to it
};

std::vector<Number> Numbers(RecordingDC& dc)
{
    std::vector<Number> out;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (c.text.empty() || c.text.find_first_not_of("-0123456789.") != std::string::npos)
            continue;
        const plat::TextRun& r = c.run;
        const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline, right = left + static_cast<int>(r.width);
        const int digits = static_cast<int>(std::lround(0.7 * r.ascent));
        out.push_back({c.text,
                       {left, baseline - static_cast<int>(r.ascent), right, baseline + static_cast<int>(r.descent)},
                       {left, baseline - digits, right, baseline}});
    }
    return out;
}

const Number* Find(const std::vector<Number>& numbers, const std::string& text)
{
    for (const Number& n : numbers)
        if (n.text == text)
            return &n;
    return nullptr;
}

// A point of a data stroke, a quarter pixel apart along it, and whether its clip shows it.
struct StrokePoint {
    plat::Point p;
    bool shown;
};

// The points of the coloured (not black) polylines: the data's curves.
std::vector<StrokePoint> CurvePoints(RecordingDC& dc)
{
    std::vector<StrokePoint> out;
    const plat::Mapping& map = dc.State().mapping;
    for (const DrawCall& c : dc.CallsOf("Polyline")) {
        if (c.state.pen.color == plat::Colors::Black)
            continue;
        ForEachPolylinePoint(c, map, [&](const plat::Point& p, bool shown) { out.push_back({p, shown}); });
    }
    return out;
}

std::string Where(const plat::Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + ".." + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void ExpectNoCurveOnTheLetters(RecordingDC& dc)
{
    const std::vector<Number> numbers = Numbers(dc);
    int on = 0;
    for (const StrokePoint& s : CurvePoints(dc))
        for (const Number& n : numbers)
            if (s.shown && n.letters.Contains(s.p) && on++ < 5)
                ADD_FAILURE() << "a curve at " << s.p.x << "," << s.p.y << " through \"" << n.text << "\" at "
                              << Where(n.letters);
}

// No shown point of a curve lands on a number's letters; every point the clip hides inside the
// plot lies on a number's rows of letters (the cell less a sixth of its height above and below)
// or a pixel round them, and not in the cells' leading or descent.
void ExpectTheDataGiveWayAtTheLettersOnly(RecordingDC& dc, const plat::Rect& plot)
{
    ExpectNoCurveOnTheLetters(dc);
    const std::vector<Number> numbers = Numbers(dc);
    int hidden = 0, stray = 0;
    std::string first;
    for (const StrokePoint& s : CurvePoints(dc)) {
        if (!plot.Contains(s.p) || s.shown)
            continue;
        ++hidden;
        bool atLetters = false;
        for (const Number& n : numbers) {
            const int h = n.cell.bottom - n.cell.top;
            const plat::Rect rows{n.cell.left - 1, n.cell.top + h / 6 - 1, n.cell.right + 1, n.cell.bottom - h / 6 + 1};
            atLetters = atLetters || rows.Contains(s.p);
        }
        if (!atLetters && stray++ == 0)
            first = std::to_string(s.p.x) + "," + std::to_string(s.p.y);
    }
    EXPECT_EQ(stray, 0) << "of " << hidden << " points hidden, " << stray << " away from the letters, the first at "
                        << first;
}

} // namespace

// "Longitudinal Displacement ΔX" of the "Deformations and Rotations" set: the Top curve starts
// at -1.5 mm, rises through 0 at about 600 mm to 0.41 mm above it and comes back to 0 at the
// support; the Mid and Bot curves stay below 0 and reach it only at the support. The y range
// takes the curve in (-3.07 to 0.41 mm), so that the x axis (the zero row) stands 0.41 / 3.49
// of the plot's height below its top, its numbers above it (the range is mostly below zero)
// where the Top curve runs. At 800, 1200 and 1600 mm only the Top curve is near the axis (the
// Mid and Bot curves lie 1 mm and more below it there): those numbers stand below the axis and
// the Top curve is drawn whole over them; where the curves come back to the axis near the
// support (2000 and 2400) they cut no more than the numbers' letters out of it.
TEST_F(MemberSetData, NumbersTheDisplacementCurveRisesThroughGoBelowTheAxis)
{
    SolveTheRing();
    Choose("Deformations and Rotations");
    Tchart* chart = Chart("Longitudinal Displacement |D_X");
    ASSERT_NE(chart, nullptr);
    const ChartBounds range = chart->Data().AxisRange(), data = chart->Data().DataBounds();
    EXPECT_NEAR(data.yMax, 0.41, 0.01);
    EXPECT_LE(range.yMin, data.yMin);
    EXPECT_GE(range.yMax, data.yMax);
    RecordingDC dc;
    chart->Paint(dc, true, chart->GetClientRect());
    const ChartTransform& t = chart->Transform();
    const int row = static_cast<int>(std::lround(t.yOffset));
    const int top = static_cast<int>(std::lround(t.yOffset - range.yMax * t.yScale));
    const int bottom = static_cast<int>(std::lround(t.yOffset - range.yMin * t.yScale));
    const int left = static_cast<int>(std::lround(t.xOffset)), right = static_cast<int>(std::lround(t.xOffset + 2600.0 * t.xScale));
    // The Top curve's peak, 0.41 mm, lies 0.41 / 3.49 of the plot's height above the axis.
    EXPECT_NEAR(row - top, (bottom - top) * 0.41 / 3.49, 2.0);
    const std::vector<Number> numbers = Numbers(dc);
    for (const char* text : {"800", "1200", "1600"}) {
        const Number* n = Find(numbers, text);
        ASSERT_NE(n, nullptr) << text;
        EXPECT_GT(n->cell.top, row) << text << " at " << Where(n->cell) << ", the axis on row " << row;
    }
    // The curves drawn whole between 700 and 1700 mm.
    int cut = 0;
    for (const StrokePoint& s : CurvePoints(dc))
        if (s.p.x >= left + 700.0 * t.xScale && s.p.x <= left + 1700.0 * t.xScale && s.p.y >= top && s.p.y <= bottom)
            cut += s.shown ? 0 : 1;
    EXPECT_EQ(cut, 0) << "points of the curves hidden between 700 and 1700 mm";
    ExpectTheDataGiveWayAtTheLettersOnly(dc, {left, top, right + 1, bottom + 1});
}

// The "Stiffness and Axial" set. "Average Longitudinal Strain εx": the Top strain falls from
// 2.95 mm/m through 0 at about 1150 mm to -0.37 mm/m and stays below 0 on to the support,
// while the Mid and Bot strains stay at 0.6 mm/m and more there: the x numbers from 1600 mm on, below the
// axis at home (the range is mostly above zero), stand above it. "Load Factor-Deflection":
// the curve climbs from (-13.2 mm, 0) through the y axis at 42 and on to (8.9 mm, 106.7)
// right through "40.0" beside the axis, and just left of the axis there too: it gives way round
// the number's letters only, not round its cell. Both on the screen and on the printed page
// (a letter sheet at 300 per inch).
TEST_F(MemberSetData, TheStiffnessSetsCurvesKeepClearOfTheNumbersOrGiveWayAtTheirLettersOnly)
{
    SolveTheRing();
    Choose("Stiffness and Axial");
    Tchart* strain = Chart("Average Longitudinal Strain |e_x");
    ASSERT_NE(strain, nullptr);
    {
        RecordingDC dc;
        strain->Paint(dc, true, strain->GetClientRect());
        const ChartTransform& t = strain->Transform();
        const int row = static_cast<int>(std::lround(t.yOffset));
        const std::vector<Number> numbers = Numbers(dc);
        for (const char* text : {"1600", "2000", "2400"}) {
            const Number* n = Find(numbers, text);
            ASSERT_NE(n, nullptr) << text;
            EXPECT_LE(n->cell.bottom, row) << text << " at " << Where(n->cell) << ", the axis on row " << row;
        }
        ExpectTheDataGiveWayAtTheLettersOnly(dc, strain->PlotArea(t));
    }
    Tchart* load = Chart("Load Factor-Deflection");
    ASSERT_NE(load, nullptr);
    {
        RecordingDC dc;
        load->Paint(dc, true, load->GetClientRect());
        ASSERT_NE(Find(Numbers(dc), "40.0"), nullptr);
        ExpectTheDataGiveWayAtTheLettersOnly(dc, load->PlotArea(load->Transform()));
    }
    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);
    ExpectNoCurveOnTheLetters(paper);
}

namespace {

// The font of a text call as the device draws it: its height enlarged by the mapping.
plat::TextMetrics DeviceMetrics(const DrawCall& c, const plat::Mapping& map, std::string* text = nullptr,
                                int* width = nullptr)
{
    plat::Image scratch(1, 1);
    plat::DC m(scratch);
    plat::LogFont f = c.state.font;
    f.height = static_cast<int>(std::lround(f.height * map.ScaleY()));
    f.escapement = 0;
    m.SelectFont(f);
    if (text && width)
        *width = m.GetTextExtent(*text).cx;
    return m.GetTextMetrics();
}

int ClipBottom(const DrawCall& c)
{
    int bottom = 1 << 30;
    for (const plat::Region& r : c.state.clip.regions) {
        int b = -(1 << 30);
        for (const plat::Point& p : r.polygon)
            b = std::max(b, p.y);
        bottom = std::min(bottom, b);
    }
    return bottom;
}

} // namespace

// The "Stiffness and Axial" set printed on a letter sheet at 300 per inch, from the preview:
// the notes under the two stiffness charts ("Average Flexural Stiffness = 8 % of uncracked
// value", "Average Shear Stiffness = 6% ...") stand at the charts' feet; the device draws them
// in the font enlarged by the page's mapping, whose descent (as the device measures it at that
// size) must lie within the chart's clip. The flexural chart's upward title "Flexural
// Stiffness (MN.m²)": the raised "2" starts past the end of "...(MN.m" as the device draws it.
TEST_F(MemberSetData, ThePrintedStiffnessNotesAndTheSquareStandWhole)
{
    SolveTheRing();
    Choose("Stiffness and Axial");
    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);
    const std::vector<DrawCall> texts = paper.CallsOf("Text");
    int notes = 0;
    for (const DrawCall& c : texts) {
        if (c.text.rfind("Average Flexural Stiffness", 0) != 0 && c.text.rfind("Average Shear Stiffness", 0) != 0)
            continue;
        ++notes;
        const plat::Mapping& map = c.state.mapping;
        const plat::Point base = map.ToDevice({c.run.at.x, c.run.at.y + c.run.baseline});
        const int foot = base.y + DeviceMetrics(c, map).descent;
        EXPECT_LE(foot, ClipBottom(c)) << c.text << ": its descent ends on device row " << foot
                                       << ", the chart's clip at " << ClipBottom(c);
    }
    EXPECT_EQ(notes, 2);
    const DrawCall* title = nullptr;
    const DrawCall* square = nullptr;
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
        if (texts[i].text == "Flexural Stiffness (MN.m" && texts[i + 1].text == "2")
            title = &texts[i], square = &texts[i + 1];
    ASSERT_NE(title, nullptr);
    const plat::Mapping& map = title->state.mapping;
    std::string run = title->text;
    int width = 0;
    DeviceMetrics(*title, map, &run, &width);
    // Upward: the run goes up the device from its point.
    const int end = map.ToDevice(title->run.at).y - width;
    const int start = map.ToDevice(square->run.at).y;
    EXPECT_LE(start, end) << "the raised 2 starts on device row " << start << ", \"m\" ends on row " << end;
}

namespace {

// Of the coloured strokes drawn through the mapping (one chart's), the points their clip shows
// inside the logical box, its corners taken through the mapping: device pixels, so that the
// charts of a page, each drawn from its own origin, are told apart.
int ShownCurvePointsIn(const std::vector<DrawCall>& calls, const plat::Mapping& map, const plat::Rect& logical)
{
    std::vector<DrawCall> chart;
    for (const DrawCall& c : calls)
        if (c.state.mapping == map)
            chart.push_back(c);
    const plat::Point a = map.ToDevice({logical.left, logical.top}), b = map.ToDevice({logical.right, logical.bottom});
    const plat::Rect device{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    const std::vector<plat::Point> points = ShownCurvePoints(chart);
    return static_cast<int>(
        std::count_if(points.begin(), points.end(), [&device](const plat::Point& p) { return device.Contains(p); }));
}

// Each number of the text drawn: no shown point of a curve on its letters (the cell less a
// sixth of its height above and below) nor on the pixel round them. Returns how many of them
// a curve comes within four pixels of.
int ExpectABlankPixelRound(const std::vector<DrawCall>& calls, const std::string& text, const char* where)
{
    int met = 0;
    for (const DrawCall& c : calls) {
        if (c.op != "Text" || c.text != text)
            continue;
        const plat::TextRun& r = c.run;
        const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
        const int top = baseline - static_cast<int>(r.ascent), bottom = baseline + static_cast<int>(r.descent);
        const int h = bottom - top;
        const plat::Rect letters{left, top + h / 6, left + static_cast<int>(r.width), bottom - h / 6};
        const auto grown = [&letters](int d) {
            return plat::Rect{letters.left - d, letters.top - d, letters.right + d, letters.bottom + d};
        };
        EXPECT_EQ(ShownCurvePointsIn(calls, c.state.mapping, grown(1)), 0)
            << where << ": a curve on \"" << text << "\" or on the pixel round its letters at " << Where(letters);
        met += ShownCurvePointsIn(calls, c.state.mapping, grown(4)) > 0 ? 1 : 0;
    }
    return met;
}

} // namespace

// The "Reinforcement" set at the last stage: the bottom bars' force runs along the x axis
// through "400" and on up; the curve gives way round the number's letters with a blank pixel
// between them and the letters, on the screen and on the printed page (a letter sheet at 300
// per inch).
TEST_F(MemberSetData, TheBottomBarsCurveKeepsABlankPixelRound400)
{
    SolveTheRing();
    Choose("Reinforcement");
    Tchart* bottom = Chart("Bottom Reinforcement A_sf_s");
    ASSERT_NE(bottom, nullptr);
    RecordingDC screen;
    bottom->Paint(screen, true, bottom->GetClientRect());
    EXPECT_EQ(ExpectABlankPixelRound(screen.Calls(), "400", "screen"), 1);
    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);
    EXPECT_GE(ExpectABlankPixelRound(paper.Calls(), "400", "page"), 1);
}
