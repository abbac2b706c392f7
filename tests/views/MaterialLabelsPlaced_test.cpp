// The "Concrete" chart of a section's summary page as it lands on the screen and on a printed
// sheet: its labels never over a curve, its curves drawn whole past their peaks, no two labels
// run together on one row with a curve between them, and no mark outside its axes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "platform/Frame.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TwoConcreteTBeam.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/MaterialSamples.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TMaterDiagram.h"

namespace {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Holds(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The pixels of a run of text as the device measured it.
Box RunBox(const DrawCall& text)
{
    const plat::TextRun& r = text.run;
    const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
    return {left, baseline - r.ascent, left + r.width, baseline + r.descent};
}

// The first stretch of the curves through a box, as text; "" when none. Each stretch is
// followed in steps of a hundredth of its length.
std::string CurveThrough(const std::vector<DrawCall>& curves, const Box& box)
{
    for (const DrawCall& curve : curves)
        for (std::size_t i = 1; i < curve.points.size(); ++i) {
            const plat::Point a = curve.points[i - 1], b = curve.points[i];
            for (int k = 0; k <= 100; ++k)
                if (box.Holds(a.x + (b.x - a.x) * k / 100.0, a.y + (b.y - a.y) * k / 100.0))
                    return StrPrintf("(%d, %d) - (%d, %d)", a.x, a.y, b.x, b.y);
        }
    return "";
}

// The calls that drew the chart titled title among those of a window's paint: those made
// under the mapping its centred title was drawn with (each child window is drawn under its
// own origin).
std::vector<DrawCall> ChartCalls(const std::vector<DrawCall>& calls, const std::string& title)
{
    const DrawCall* heading = nullptr;
    for (const DrawCall& c : calls)
        if (c.op == "Text" && c.text == title && (c.state.textAlign & plat::TextAlign::Center) != 0)
            heading = &c;
    std::vector<DrawCall> out;
    if (!heading)
        return out;
    for (const DrawCall& c : calls)
        if (c.state.mapping == heading->state.mapping && c.state.clip == heading->state.clip)
            out.push_back(c);
    return out;
}

// A mark of a material chart (its lines) outside its axes, as text; "" when none. The axes are
// the first two lines: the y axis from the plot's top down, the x axis to its end.
std::string MarkOutsideTheAxes(const std::vector<DrawCall>& lines)
{
    if (lines.size() < 2)
        return "no axes";
    const plat::Point yTop = lines[0].points[0], xEnd = lines[1].points[1];
    const int row = lines[1].points[0].y;
    for (std::size_t i = 2; i < lines.size(); ++i)
        for (const plat::Point p : lines[i].points)
            if (p.x < yTop.x - 3 || p.x > xEnd.x || p.y < yTop.y || p.y > row + 2)
                return StrPrintf("a mark at (%d, %d) outside the axes (%d..%d by %d..%d)", p.x, p.y, yTop.x - 3,
                                 xEnd.x, yTop.y, row + 2);
    return "";
}

// The first fault of a concrete chart's drawing (its calls, two curves expected); "" when none:
// a run of a label's letters over a curve; a fill over a curve (a label's background breaking
// it); a curve cut into pieces or ending at its peak; two labels on one row nearer than a line
// is high with a curve between them (read as one, a dash between); a mark outside the axes.
std::string ConcreteChartFault(const std::vector<DrawCall>& calls, const std::string& title, std::size_t curves)
{
    std::vector<DrawCall> polylines, lines, texts, fills;
    for (const DrawCall& c : calls) {
        if (c.op == "Polyline")
            polylines.push_back(c);
        else if (c.op == "Line")
            lines.push_back(c);
        else if (c.op == "Text" && c.text != title)
            texts.push_back(c);
        else if ((c.op == "FillRect" || c.op == "FillRegion") && !polylines.empty())
            fills.push_back(c);
    }
    if (polylines.size() != curves)
        return StrPrintf("%zu polylines for %zu curves", polylines.size(), curves);
    for (const DrawCall& curve : polylines) {
        const auto peak = std::min_element(curve.points.begin(), curve.points.end(),
                                           [](plat::Point a, plat::Point b) { return a.y < b.y; });
        if (peak + 1 == curve.points.end())
            return StrPrintf("a curve ends at its peak (%d, %d)", peak->x, peak->y);
    }
    for (const DrawCall& fill : fills)
        if (const std::string s = CurveThrough(polylines, {fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom});
            !s.empty())
            return "a fill hides the curve " + s;
    for (const DrawCall& text : texts)
        if (const std::string s = CurveThrough(polylines, RunBox(text)); !s.empty())
            return "\"" + text.text + "\" over the curve " + s;
    for (const DrawCall& a : texts)
        for (const DrawCall& b : texts) {
            const Box l = RunBox(a), r = RunBox(b);
            const int rowsShared = std::min(l.bottom, r.bottom) - std::max(l.top, r.top);
            if (rowsShared <= 0 || r.left <= l.right || r.left - l.right > l.bottom - l.top)
                continue;
            if (const std::string s = CurveThrough(polylines, {l.right, std::max(l.top, r.top), r.left,
                                                               std::min(l.bottom, r.bottom)});
                !s.empty())
                return "\"" + a.text + "\" and \"" + b.text + "\" run together across the curve " + s;
        }
    return MarkOutsideTheAxes(lines);
}

struct PlacedMaterialLabels : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    const StateDiagramsGuard diagrams;
    // The program's own document engine reads the file.
    TDocumentEngine* fake = SetDocumentEngine(nullptr);
    ~PlacedMaterialLabels() override
    {
        SetDocumentEngine(fake);
        SetBeamLogicFactory(std::move(previous));
    }

    // The document opened in the unit system given and its summary page (View > Cross Section)
    // shown at the size given.
    void ShowSummary(int units, int w, int h)
    {
        g_UnitSystem = units;
        dir.Write("tbeam.xml", "<?xml version=\"1.0\"?>\r\n<document>\r\n" + TwoConcreteTBeamElement() +
                                   "\r\n</document>\r\n");
        app->OpenFile(dir.File("tbeam.xml"));
        g_UnitSystem = units;
        ShowFrameAt(w, h);
        Frame().Dispatch(CmId::CrossSection);
        ShowFrameAt(w, h);
    }
    // The "Concrete" chart's fault as the window paints it on the screen.
    std::string ScreenFault()
    {
        auto* chart = dynamic_cast<TMaterDiagram*>(Window().GetViewManager().GetChart(0));
        if (!chart || chart->MaterialKind() != 7)
            return "no concrete chart";
        RecordingDC screen;
        const MaterialFrame f = chart->Frame();
        chart->Paint(screen, false, plat::Rect{0, 0, f.W, f.H});
        return ConcreteChartFault(screen.Calls(), "Concrete", 2);
    }
    // Its fault as the page printed on an A4 sheet shows it; calls, when given, gets what the
    // chart drew there.
    std::string PageFault(std::vector<DrawCall>* drawn = nullptr)
    {
        RecordingDC paper;
        PrintA4PageFromPreview(*app, paper);
        const std::vector<DrawCall> calls = ChartCalls(paper.Calls(), "Concrete");
        if (drawn)
            *drawn = calls;
        if (calls.empty())
            return "no concrete chart on the page";
        return ConcreteChartFault(calls, "Concrete", 2);
    }
};

// The summary page of the two concrete types in US units, in a window of 1280 x 1024, and
// printed: on the page (laid out at 1123 x 794, each logical pixel some three printer pixels)
// the base type's details found no clear place and stood on backgrounds over both rising
// curves, which broke round them; the flange's strength, above the top of the y axis (its
// curve peaks lower), had a mark standing over the axis, left of the title. The page has
// clear places for them all, none is left out: the flange's strength at its own place, the
// top left of the plot, its line from the row of the top of the y axis (its blank margin
// reaching a pixel past the plot's edge; kept inside the plot, the margin pushed the label
// off its place, here a row down, on the print preview's printer half way down the plot),
// the details right of the rising curves, under the falling ones.
TEST_F(PlacedMaterialLabels, TwoConcreteTypesInUsUnitsOnTheScreenAndOnThePage)
{
    ValueGuard<int> units{g_UnitSystem, kUnitUS};
    ShowSummary(kUnitUS, 1280, 1024);
    EXPECT_EQ(ScreenFault(), "");
    std::vector<DrawCall> page;
    EXPECT_EQ(PageFault(&page), "");
    std::vector<std::string> texts;
    const DrawCall* strength = nullptr;
    const DrawCall* yAxis = nullptr;
    for (const DrawCall& c : page) {
        if (c.op == "Text")
            texts.push_back(c.text);
        if (c.op == "Text" && c.text == "' =  5802 psi")
            strength = &c;
        if (c.op == "Line" && !yAxis)
            yAxis = &c;
    }
    for (const char* run : {"Base Type", "' =  4351 psi", " = 0.75 in", " =  264 psi (auto)", "' = 2.10 ms"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), run), texts.end()) << run;
    ASSERT_NE(strength, nullptr);
    ASSERT_NE(yAxis, nullptr);
    EXPECT_EQ(RunBox(*strength).top, yAxis->points[0].y);
}

// The summary page in a window of 1600 x 500, where the "Concrete" chart's plot is some 40
// pixels high: in SI units and in US units, on the screen and on the page, the curves run
// whole past their peaks; labels that find no clear place even in the smallest text are left
// out rather than drawn on backgrounds over the curves, and none runs into another across a
// curve.
TEST_F(PlacedMaterialLabels, ALowWideWindowOnTheScreenAndOnThePage)
{
    for (const int system : {kUnitSI, kUnitUS}) {
        SCOPED_TRACE(StrPrintf("units %d", system));
        ValueGuard<int> units{g_UnitSystem, system};
        ShowSummary(system, 1600, 500);
        EXPECT_EQ(ScreenFault(), "");
        EXPECT_EQ(PageFault(), "");
    }
}

// A concrete given by its own points, which stop at 1.2 mm/m before its peak strain of
// 2.5 mm/m (its curve still rising where the user's points end), in a chart of 200 x 200: the x
// axis ends where the points end, and the peak strain, past that end, has no mark on the axis.
// Every line the chart draws but its axes stays within them.
TEST_F(PlacedMaterialLabels, APeakStrainPastTheEndOfTheXAxisHasNoMarkThere)
{
    ConcreteTypeRec own = material_samples::Concrete("Own points", 30, -0.0025);
    own.baseCurve = BaseCurveCode::UserDefined;
    own.userCurve = UserCurvePtr(std::make_unique<TDepthTable>());
    const std::pair<double, double> points[] = {{0.0, 0.0}, {-0.0004, -12.0}, {-0.0008, -21.0}, {-0.0012, -27.0}};
    for (const auto& [e, f] : points)
        own.userCurve->Add(e, f * material_samples::kMPa);
    FinishUserCurve(*own.userCurve);
    const auto beam = material_samples::Section({own}, {});
    TMaterDiagram chart(&Frame(), "Concrete", 0, 0, 200, 200, MaterialChart::Concrete, 2, 1, 0);
    chart.AttachStructure(beam.get());
    const MaterialFrame frame = chart.Frame();
    ASSERT_LT(frame.axis.xMax, 2.5);
    RecordingDC dc;
    chart.Paint(dc, true, plat::Rect{0, 0, 200, 200});
    ASSERT_EQ(dc.CallsOf("Polyline").size(), 1u);
    EXPECT_EQ(MarkOutsideTheAxes(dc.CallsOf("Line")), "");
}

// Seven bar types of strengths between 200 and 700 MPa in a steel chart of 225 x 305, as
// crowded as a summary page's steel chart gets: the curve labels stack so close that a label's
// leader to its curve would run through a label placed before it; such a label is left out. No
// line the chart draws (a leader, a curve, a mark, an axis) runs through the letters of a label.
TEST_F(PlacedMaterialLabels, NoLeaderOfACrowdedSteelChartRunsThroughTheLettersOfALabel)
{
    const std::vector<std::vector<std::pair<const char*, double>>> sections{
        {{"B0", 600}, {"B1", 400}, {"B2", 550}, {"B3", 300}, {"B4", 200}, {"B5", 700}, {"B6", 350}},
        {{"B0", 200}, {"B1", 500}, {"B2", 300}, {"B3", 650}, {"B4", 500}, {"B5", 350}, {"B6", 500}},
        {{"B0", 500}, {"B1", 300}, {"B2", 600}, {"B3", 250}, {"B4", 600}, {"B5", 600}, {"B6", 600}},
        {{"Bar type 1", 550}, {"Bar type 2", 300}, {"Bar type 3", 500}, {"Bar type 4", 350}, {"Bar type 5", 350},
         {"Bar type 6", 500}, {"Bar type 7", 200}}};
    for (const auto& types : sections) {
        std::vector<SteelTypeRec> bars;
        for (const auto& [name, fy] : types)
            bars.push_back(material_samples::Bar(name, fy));
        SCOPED_TRACE(bars[0].name + " ... " + bars[6].name);
        const auto beam = material_samples::Section({material_samples::Concrete("C35", 35, -0.002)}, bars);
        TMaterDiagram chart(&Frame(), "Rebar", 0, 0, 225, 305, MaterialChart::Rebar, 2, 1, 0);
        chart.AttachStructure(beam.get());
        ASSERT_EQ(chart.Curves().rebarCurves, 7);
        RecordingDC dc;
        chart.Paint(dc, true, plat::Rect{0, 0, 225, 305});
        std::vector<DrawCall> strokes = dc.CallsOf("Line");
        for (const DrawCall& curve : dc.CallsOf("Polyline"))
            strokes.push_back(curve);
        int labels = 0;
        for (const DrawCall& text : dc.CallsOf("Text")) {
            if (text.text == "Rebar" || text.text.empty())
                continue;
            ++labels;
            EXPECT_EQ(CurveThrough(strokes, RunBox(text)), "") << "through \"" << text.text << "\"";
        }
        EXPECT_GE(labels, 2);
    }
}

} // namespace
