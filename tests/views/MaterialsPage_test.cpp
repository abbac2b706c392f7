// The material charts and the membrane-state charts as the view manager makes them: the
// materials page of a prestressed section in the real main window, its double click that
// opens the material sheet at the type, and the factory's classes for the Mohr, panel and
// vital-signs graph ids.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/views/DiagramMakers.h"
#include "app/views/TViewm.h"
#include "charts/RichText.h"
#include "dialogs/QuickDefine.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "platform/DC.h"
#include "tests/app/ShellFixture.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/TestSupport.h"
#include "tests/views/PaintedTitle.h"
#include "tests/views/PlanLabels.h"
#include "tests/views/PrestressedSection.h"
#include "tests/views/StateDiagramsGuard.h"
#include "tools/ShearBeam.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "views/TMaterDiagram.h"
#include "views/TMohr.h"
#include "views/TVitalSigns.h"
#include "views/Tpanel.h"

namespace {

// Records the material sheet's arguments and answers the post-fire parameters with OK; every
// other dialog is cancelled.
class SheetRecorder final : public TCancelInputDialogs {
public:
    std::vector<std::string> calls;
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Ok; }
    int MaterialsSheet(T_2kWindow&, TStructure&, int c, int s, int p, int flag) override
    {
        calls.push_back(std::to_string(c) + " " + std::to_string(s) + " " + std::to_string(p) + " " +
                        std::to_string(flag));
        return DialogResult::Cancel;
    }
};

// The plan without the peak-strain mark that the strain label of a single concrete type is
// centred over, on the x axis: that label stands over its own mark.
DiagramPlan WithoutTheLabelledPeakMark(const DiagramPlan& plan)
{
    const PlanStep* peak = nullptr;
    for (const PlanStep& s : plan.Steps())
        if (s.op == PlanOp::Text && s.text.rfind("|e_c' = ", 0) == 0)
            peak = &s;
    DiagramPlan out;
    for (const PlanStep& s : plan.Steps()) {
        switch (s.op) {
        case PlanOp::Line:
            if (!(peak && s.points[0].x == peak->points[0].x && s.points[1].x == peak->points[0].x &&
                  s.points[0].y == peak->points[0].y + 2 && s.points[1].y == peak->points[0].y - 3))
                out.Line(s.points[0], s.points[1]);
            break;
        case PlanOp::Polyline: out.Polyline(s.points); break;
        case PlanOp::Fill: out.Fill(s.rect, s.colour); break;
        case PlanOp::Text: out.Text(s.text, s.points[0], s.font, s.hAlign, s.vAlign); break;
        default: break;
        }
    }
    return out;
}

// The label that names a level (the top of the steel's y axis, the labelled concrete's
// strength) and the level's row; null when the chart has none inside its plot.
std::pair<const PlanStep*, int> LevelLabel(TMaterDiagram& chart, const DiagramPlan& plan)
{
    const MaterialFrame f = chart.Frame();
    const MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    int level = s.At(0.0, f.axis.yMax).y;
    std::string start = chart.MaterialKind() == 8 ? "f_u = " : "f_p_u = ";
    if (chart.MaterialKind() == 7) {
        const int labelled = chart.Curves().labelledConcrete;
        if (labelled < 0 || labelled >= static_cast<int>(chart.Types().concrete.size()))
            return {nullptr, 0};
        const double fc = std::fabs(chart.Types().concrete[static_cast<std::size_t>(labelled)].fc);
        level = s.At(0.0, fc * UnitFactor(ukStress, f.unitSystem)).y;
        if (level < f.top || level > s.At(0.0, 0.0).y)
            return {nullptr, 0};
        start = "f_c' = ";
    }
    for (const PlanStep& text : plan.Of(PlanOp::Text))
        if (text.text.rfind(start, 0) == 0)
            return {plan.FindText(text.text), level};
    return {nullptr, 0};
}

// The pixels of a text's letters, as drawn.
plat::Rect LettersBox(const PlanStep& text, const PlanMeasure& measure, const PlanLetters& letters)
{
    const plat::Rect line = TextBox(text, measure(text.text, text.font));
    const LetterRows rows = letters(text.text, text.font);
    return {line.left, line.top + rows.first, line.right, line.top + rows.second};
}

// "" when the letters of the label naming a level stand at its height (their top at most two
// rows below the level's row, their bottom at most two above it), or when a leader runs from
// beside them to that row; else where they are. leader, when given, tells whether a leader
// was drawn.
std::string LevelLabelFault(const DiagramPlan& plan, const plat::Rect& letters, int level, bool* leader = nullptr)
{
    if (leader)
        *leader = false;
    if (letters.top <= level + 2 && letters.bottom >= level - 2)
        return "";
    for (const PlanStep& line : plan.Of(PlanOp::Line)) {
        const plat::Point from = line.points[0], to = line.points[1];
        if (to.y == level && from.x >= letters.left - 2 && from.x <= letters.right + 1 && from.y >= letters.top - 2 &&
            from.y <= letters.bottom + 1) {
            if (leader)
                *leader = true;
            return "";
        }
    }
    return StrPrintf("letters at rows %d..%d, the level at %d, no leader", letters.top, letters.bottom - 1, level);
}

// The plan and measure as a check of texts sees them, with the label naming a level taken by
// its letters: only they keep clear, its line's empty rows may reach into the title's line.
std::pair<DiagramPlan, PlanMeasure> LevelByLetters(const DiagramPlan& plan, const PlanStep* label,
                                                   const PlanMeasure& measure, const PlanLetters& letters)
{
    if (!label)
        return {plan, measure};
    const LetterRows rows = letters(label->text, label->font);
    DiagramPlan out;
    bool seen = false;
    for (const PlanStep& s : plan.Steps()) {
        switch (s.op) {
        case PlanOp::Line: out.Line(s.points[0], s.points[1]); break;
        case PlanOp::Polyline: out.Polyline(s.points); break;
        case PlanOp::Fill: out.Fill(s.rect, s.colour); break;
        case PlanOp::Text: {
            const bool it = !seen && s.text == label->text;
            seen = seen || it;
            out.Text(s.text, {s.points[0].x, s.points[0].y + (it ? rows.first : 0)}, s.font, s.hAlign, s.vAlign);
            break;
        }
        default: break;
        }
    }
    const std::string text = label->text;
    const int height = rows.second - rows.first;
    PlanMeasure lettered = [measure, text, height](std::string_view t, const plat::LogFont& font) {
        plat::Size size = measure(t, font);
        if (t == text)
            size.cy = height;
        return size;
    };
    return {std::move(out), std::move(lettered)};
}

// The material charts the window shows, each checked as drawn in its own fonts: no label
// over a curve, a leader, a mark or another label, no search cut short, the work within its
// tests, every label in a text that still reads (letters of 10 pixels, a cell of 12, at the
// least), the label naming a level at that level's height or led to it, and the steel's
// curve labels (of rebarCurves curves) in their order, the weakest lowest; when plain, every
// label has a clear place, none is left out. Returns the number of material charts.
int CheckMaterialChartLabels(TViewm_2k& view, int rebarCurves = 3, bool plain = false)
{
    int charts = 0;
    for (int i = 0; i < 9; ++i) {
        auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
        if (!chart)
            continue;
        ++charts;
        const MaterialFrame frame = chart->Frame();
        SCOPED_TRACE(frame.title);
        plat::Image image(frame.W, frame.H);
        plat::DC dc(image);
        const PlanMeasure measure = MeasureOn(dc);
        const PlanLetters letters = LettersOn(dc);
        LabelWork work;
        const DiagramPlan plan = PlanMaterialChart(frame, chart->Types(), chart->Curves(), measure, &work, letters);
        const auto [level, row] = LevelLabel(*chart, plan);
        if (chart->MaterialKind() == 8) {
            EXPECT_NE(level, nullptr);
        }
        if (level) {
            SCOPED_TRACE(level->text);
            EXPECT_EQ(LevelLabelFault(plan, LettersBox(*level, measure, letters), row), "");
        }
        // The main concrete type's details, one label of four lines, drawn whole or (where it
        // finds no clear place) left out whole.
        std::vector<std::string> details;
        for (const std::string& text : plan.Texts())
            if (text == "Base Type" || text.rfind("f_c' = ", 0) == 0 || text.rfind("a_g", 0) == 0 ||
                text.rfind("f_t", 0) == 0)
                details.push_back(text);
        if (!details.empty() && (!level || details.front() == level->text)) {
            // The labelled type's strength first, then the main type's when another ("Base Type").
            const bool base = std::find(details.begin(), details.end(), "Base Type") != details.end();
            EXPECT_TRUE(details.size() == (base ? 5u : 3u) || (!plain && details.size() == 1u)) << details.size();
            details.erase(details.begin());
        }
        const auto [checked, checkedMeasure] = LevelByLetters(WithoutTheLabelledPeakMark(plan), level, measure, letters);
        EXPECT_EQ(LabelClash(checked, checkedMeasure, frame.title, details), "");
        if (plain) {
            EXPECT_TRUE(plan.Of(PlanOp::Fill).empty());
        }
        for (const PlanStep& text : plan.Of(PlanOp::Text)) {
            if (text.text == frame.title)
                continue;
            EXPECT_GE(std::abs(text.font.height),
                      std::min(std::abs(frame.textFont.height), frame.textFont.height < 0 ? 10 : 12))
                << text.text;
        }
        EXPECT_EQ(work.cutShort, 0);
        EXPECT_LE(work.tests, kLabelSearchTests);
        if (chart->MaterialKind() != 8)
            continue;
        EXPECT_EQ(chart->Curves().rebarCurves, rebarCurves);
        // The strain, the top label and the curve labels, the weakest lowest.
        std::vector<plat::Rect> boxes;
        for (const PlanStep& text : plan.Of(PlanOp::Text))
            if (text.text != frame.title)
                boxes.push_back(TextBox(text, measure(text.text, text.font)));
        EXPECT_EQ(boxes.size(), 2u + static_cast<std::size_t>(rebarCurves));
        for (std::size_t k = 3; k < boxes.size(); ++k)
            EXPECT_GE(boxes[k - 1].top, boxes[k].bottom);
    }
    return charts;
}

// A device mapped as the printout maps a page for a printer of 300 dots per inch: the page's
// 1056 x 816 logical pixels (a landscape letter sheet at 96 per inch) on 3300 x 2550 pixels.
void MapAsLetterPage(plat::DC& dc)
{
    dc.SetMapMode(plat::MapMode::Anisotropic);
    dc.SetWindowExt({1056, 816});
    dc.SetViewportExt({3300, 2550});
}

// The first fault of a chart planned for a page: a label whose letters (the level's label by
// its letters' rows) come within two blank pixels of a drawn line or of another label's
// letters, that is within its box grown by two; "" when none does. The title is left out, and
// the leaders drawn after the labels, which end at them; the lines of the main type's details
// are one label.
std::string PageLabelClash(const DiagramPlan& plan, const PlanMeasure& measure, const PlanLetters& letters,
                           const PlanStep* level, const std::string& title, const std::vector<std::string>& block)
{
    // The lines and curves drawn before the first label.
    DiagramPlan lines;
    bool labels = false;
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Text && s.text != title)
            labels = true;
        if (!labels && s.op == PlanOp::Line)
            lines.Line(s.points[0], s.points[1]);
        if (!labels && s.op == PlanOp::Polyline)
            lines.Polyline(s.points);
    }
    const auto inBlock = [&](const std::string& text) {
        return std::find(block.begin(), block.end(), text) != block.end();
    };
    std::vector<std::pair<std::string, plat::Rect>> boxes;
    for (const PlanStep& text : plan.Of(PlanOp::Text)) {
        if (text.text == title)
            continue;
        const plat::Rect box = level && text.text == level->text ? LettersBox(text, measure, letters)
                                                                 : TextBox(text, measure(text.text, text.font));
        const plat::Rect grown{box.left - 2, box.top - 2, box.right + 2, box.bottom + 2};
        if (const std::string line = LineThrough(lines, grown); !line.empty())
            return StrPrintf("\"%s\" (%d, %d)-(%d, %d) within two pixels of ", text.text.c_str(), box.left, box.top,
                             box.right, box.bottom) +
                   line;
        for (const auto& [other, at] : boxes)
            if (at.right > grown.left && grown.right > at.left && at.bottom > grown.top && grown.bottom > at.top &&
                !(inBlock(text.text) && inBlock(other)))
                return "\"" + text.text + "\" within two pixels of \"" + other + "\"";
        boxes.emplace_back(text.text, box);
    }
    return "";
}

// The material charts the window shows, planned as on a page: "" when every label keeps two
// blank pixels from the lines and the other labels, else the first fault with its chart.
std::string PageLabelFaults(TViewm_2k& view)
{
    for (int i = 0; i < 9; ++i) {
        auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
        if (!chart)
            continue;
        RecordingDC page;
        MapAsLetterPage(page);
        MaterialFrame frame = chart->Frame();
        frame.deviceScale = DeviceScaleOf(page);
        const PlanMeasure measure = MeasureOn(page);
        const PlanLetters letters = LettersOn(page);
        const DiagramPlan plan = PlanMaterialChart(frame, chart->Types(), chart->Curves(), measure, nullptr, letters);
        const PlanStep* level = LevelLabel(*chart, plan).first;
        std::vector<std::string> details;
        for (const std::string& text : plan.Texts())
            if ((text == "Base Type" || text.rfind("f_c' = ", 0) == 0 || text.rfind("a_g", 0) == 0 ||
                 text.rfind("f_t", 0) == 0) &&
                !(level && text == level->text))
                details.push_back(text);
        if (const std::string fault = PageLabelClash(plan, measure, letters, level, frame.title, details);
            !fault.empty())
            return frame.title + ": " + fault;
    }
    return "";
}

struct MaterialsPage : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    SheetRecorder sheets;
    TInputDialogs* previousDialogs = SetInputDialogs(&sheets);
    const StateDiagramsGuard diagrams;  // the member crack view goes with them
    ~MaterialsPage() override
    {
        SetInputDialogs(previousDialogs);
        SetBeamLogicFactory(std::move(previous));
    }
    // The fire road on the section quick-defined with the defaults in force: Loads > Create
    // Fire Damaged Beam and OK in its parameters, which shows the post-fire beam's "Thermal
    // Conditions" set.
    void ShowPostFireBeam()
    {
        ShowFrameAt(1280, 1024);
        ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::FireDamagedBeam);
    }
    // The post-fire beam's summary page (View > Cross Section) at 1280 x 1024: its first chart,
    // the concrete's.
    TMaterDiagram* PostFireConcreteChart()
    {
        ShowPostFireBeam();
        Frame().Dispatch(CmId::CrossSection);
        ShowFrameAt(1280, 1024);
        return dynamic_cast<TMaterDiagram*>(Window().GetViewManager().GetChart(0));
    }
};

TEST_F(MaterialsPage, PrestressedSectionShowsItsThreeMaterialCharts)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = MakePrestressedGirder();
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    TViewm_2k& view = Window().GetViewManager();
    const int kinds[] = {7, 8, 9};
    const int curves[] = {2, 1, 2};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->MaterialKind(), kinds[i]);
        EXPECT_EQ(chart->Curves().Count(kinds[i]), curves[i]);
        EXPECT_FALSE(chart->IsDataEmpty());
    }
    // A double click on the second strand's curve, past its softer knee, opens the sheet at
    // that strand (the family's second type).
    auto* strands = dynamic_cast<TMaterDiagram*>(view.GetChart(2));
    const MaterialFrame f = strands->Frame();
    const MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    const std::vector<double>& data = strands->Curves().data;
    const std::size_t second = 2 * 25 + 2; // after 25 points and the separator
    const std::size_t knee = second + 2 * 12;
    ASSERT_GT(data[knee - 2 * 25 - 2 + 1] - data[knee + 1], 20.0); // clearly below the first
    strands->EvLButtonDblClk(0, s.At(data[knee], data[knee + 1]));
    EXPECT_EQ(sheets.calls, (std::vector<std::string>{"-1 -1 1 0"}));
}

// The fire road on the section quick-defined with the defaults: Loads > Create Fire Damaged
// Beam, OK in its parameters, and the "Thermal Conditions" set of the post-fire beam, whose
// damaged steel (two burnt bar layers with curves of thousands of points and a stirrup) and
// damaged concrete (a curve a band, peaking from 2 to 40 mm/m) are labelled in the charts' own
// fonts. At every window size, the commonest screens and the narrow and wide ones among them,
// no label lies over a curve, a leader or another label: where the chart's text leaves no clear
// place, the labels are written smaller. The steel's curve labels keep their order, the weakest
// lowest, and the searches stay within their tests.
TEST_F(MaterialsPage, PostFireLabelsKeepClearOfTheCurvesAndOfEachOther)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    ShowPostFireBeam();
    const std::vector<plat::Size> windows{{1920, 1080}, {1366, 768}, {1280, 1024}, {1024, 768}, {1440, 900},
                                          {1536, 864},  {1680, 1050}, {1280, 800}, {1200, 700}, {1600, 800},
                                          {1600, 700},  {2400, 800},  {1600, 1200}, {2560, 1600}};
    for (const plat::Size& window : windows) {
        SCOPED_TRACE(StrPrintf("window %d x %d", window.cx, window.cy));
        ShowFrameAt(window.cx, window.cy);
        TViewm_2k& view = Window().GetViewManager();
        for (int i = 0; i < 9; ++i) {
            auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
            if (chart && chart->MaterialKind() == 8) {
                EXPECT_EQ(chart->Frame().title, "Damaged Steel");
            }
        }
        EXPECT_EQ(CheckMaterialChartLabels(view), 2);
    }
}

// At 1280 x 1024, the section quick-defined with the defaults (a beam with stirrups) on its
// summary page, then its post-fire beam's "Thermal Conditions" set and summary page: each
// material chart's label naming a level stands at that level's height, no leader needed: the
// "Damaged Steel" chart's "f_u =  600 MPa" at the top of its y axis, not a fifth of the way
// up, and the quick-defined beam's "f_c' =  35.0 MPa" at its curve's peak, not half way.
TEST_F(MaterialsPage, LabelsThatNameALevelStandAtItsHeight)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    ShowFrameAt(1280, 1024);
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    const auto expectAtLevels = [&](const std::vector<std::string>& titles, const std::vector<std::string>& labels) {
        TViewm_2k& view = Window().GetViewManager();
        std::vector<std::string> seen, named;
        for (int i = 0; i < 9; ++i) {
            auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
            if (!chart)
                continue;
            const MaterialFrame frame = chart->Frame();
            seen.push_back(frame.title);
            SCOPED_TRACE(frame.title);
            plat::Image image(frame.W, frame.H);
            plat::DC dc(image);
            const PlanMeasure measure = MeasureOn(dc);
            const PlanLetters letters = LettersOn(dc);
            const DiagramPlan plan =
                PlanMaterialChart(frame, chart->Types(), chart->Curves(), measure, nullptr, letters);
            const auto [label, level] = LevelLabel(*chart, plan);
            ASSERT_NE(label, nullptr);
            named.push_back(label->text);
            bool leader = true;
            EXPECT_EQ(LevelLabelFault(plan, LettersBox(*label, measure, letters), level, &leader), "") << label->text;
            EXPECT_FALSE(leader) << label->text;
        }
        EXPECT_EQ(seen, titles);
        EXPECT_EQ(named, labels);
    };
    Frame().Dispatch(CmId::CrossSection);
    expectAtLevels({"Concrete", "Rebar"}, {"f_c' =  35.0 MPa", "f_u =  600 MPa"});
    Frame().Dispatch(CmId::FireDamagedBeam);
    expectAtLevels({"Damaged Concrete", "Damaged Steel"}, {"f_c' =  25.1 MPa", "f_u =  600 MPa"});
    Frame().Dispatch(CmId::CrossSection);
    expectAtLevels({"Concrete", "Rebar"}, {"f_c' =  25.1 MPa", "f_u =  600 MPa"});
}

// The summary page (View > Cross Section) of the post-fire beam in a window 768 pixels high,
// in each unit system: its "Concrete" chart is some 150 pixels tall, of which the title takes
// a third, and the labels of a curve a band and the main type's details of four lines share
// a plot about 55 pixels high; every label still keeps clear of the curves and of the others.
TEST_F(MaterialsPage, PostFireSummaryLabelsKeepClearInALowWindow)
{
    for (const int system : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        SCOPED_TRACE(StrPrintf("units %d", system));
        ValueGuard<int> units{g_UnitSystem, system};
        ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(system)};
        firetest::FireStateGuard fire;
        ShowPostFireBeam();
        Frame().Dispatch(CmId::CrossSection);
        for (const plat::Size& window : {plat::Size{2560, 768}, plat::Size{2432, 768}, plat::Size{1152, 768},
                                         plat::Size{1366, 768}, plat::Size{1280, 1000}}) {
            SCOPED_TRACE(StrPrintf("window %d x %d", window.cx, window.cy));
            ShowFrameAt(window.cx, window.cy);
            EXPECT_EQ(CheckMaterialChartLabels(Window().GetViewManager()), 2);
        }
    }
}

// The summary page of ordinary beams, in each unit system and at the commonest window sizes:
// the section quick-defined with the defaults, and a beam with stirrups whose bar (400 MPa,
// without hardening) ends at its yield strain, where the x axis of the steel chart ends too,
// so that its curve runs straight from the origin to the plot's far corner. The labels of
// such plain charts all find clear places.
TEST_F(MaterialsPage, OrdinaryBeamSummaryLabelsKeepClear)
{
    const double kIncrement[3] = {0.0, 1.0, 0.0};
    for (const int system : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        for (const bool quickDefined : {true, false}) {
            SCOPED_TRACE(StrPrintf("units %d, %s", system, quickDefined ? "quick defined" : "with stirrups"));
            ValueGuard<int> units{g_UnitSystem, system};
            ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(system)};
            ShowFrameAt(1280, 1024);
            if (quickDefined)
                ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
            else
                g_Structures[0] = ShearBeam(kIncrement);
            Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
            Frame().Dispatch(CmId::CrossSection);
            for (const plat::Size& window : {plat::Size{1280, 1024}, plat::Size{1366, 768}, plat::Size{1920, 1080},
                                             plat::Size{1024, 768}, plat::Size{2560, 1600}}) {
                SCOPED_TRACE(StrPrintf("window %d x %d", window.cx, window.cy));
                ShowFrameAt(window.cx, window.cy);
                EXPECT_EQ(CheckMaterialChartLabels(Window().GetViewManager(), quickDefined ? 2 : 1, true), 2);
            }
        }
    }
}


// On a printed page a line of a logical pixel is drawn a logical pixel wide in the printer's
// pixels, the letters in the printer's font, and the print preview shows the printer's pixels
// shrunk to its window (the page about 1250 pixels wide on a screen 1280 wide, a logical pixel
// some 1.2 of them, smoothed): a single blank logical pixel between a tick and a label's "f",
// or a curve's peak and a subscript, shows as none. The post-fire beam's charts on its summary
// page and on its "Thermal Conditions" page, at the commonest window sizes, planned as the
// printer's mapping draws them (3.125 printer pixels a logical pixel): every label keeps two
// blank logical pixels (six printer pixels) from the ticks, the axes, the curves and the other
// labels.
TEST_F(MaterialsPage, OnAPageLabelsKeepTwoBlankPixelsFromLinesAndLabels)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    ShowPostFireBeam();
    RecordingDC page;
    MapAsLetterPage(page);
    EXPECT_DOUBLE_EQ(DeviceScaleOf(page), 3300.0 / 1056.0);
    RecordingDC screen;
    EXPECT_EQ(DeviceScaleOf(screen), 0.0);
    for (const bool summary : {false, true}) {
        if (summary)
            Frame().Dispatch(CmId::CrossSection);
        for (const plat::Size& window : {plat::Size{1280, 1024}, plat::Size{1366, 768}, plat::Size{1920, 1080}}) {
            SCOPED_TRACE(StrPrintf("%s, window %d x %d", summary ? "summary" : "fire page", window.cx, window.cy));
            ShowFrameAt(window.cx, window.cy);
            EXPECT_EQ(PageLabelFaults(Window().GetViewManager()), "");
        }
    }
}

// The chart painted through a page's mapping (the road of the printout and its preview) plans
// for it: the label of the concrete's strength, at the top left of the plot, stands two blank
// columns right of the mark of its level on the y axis (a line to the column three right of
// the axis, its last pixel two right), where on the screen it stands one blank column off it.
TEST_F(MaterialsPage, PaintedOnAPageTheStrengthLabelStandsTwoPixelsOffItsMark)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    auto* chart = PostFireConcreteChart();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->MaterialKind(), 7);
    const MaterialFrame f = chart->Frame();
    const int column = ScaleMaterialChart(f.W, f.H, f.top, f.axis).At(0.0, 0.0).x;
    const auto strengthAt = [&](RecordingDC& dc) {
        chart->Paint(dc, false, plat::Rect{0, 0, f.W, f.H});
        for (const DrawCall& call : dc.CallsOf("Text"))
            if (call.text == "f")
                return call.run.at.x + call.run.x0;
        return -1;
    };
    RecordingDC screen, page;
    MapAsLetterPage(page);
    EXPECT_EQ(strengthAt(screen), column + 4);
    EXPECT_EQ(strengthAt(page), column + 5);
}

// The main type's details of the post-fire beam's "Concrete" chart on its summary page: the
// base type's strength, a subscript in its letters, reaches four pixels into the empty rows
// above "a_g"'s letters on the screen, but only two on a page, where the printer's font sets
// the subscript lower (by some two printer pixels in three: in the preview the "c" stood on
// the "a").
TEST_F(MaterialsPage, OnAPageTheBaseTypesStrengthReachesLessIntoTheAggregatesLine)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    auto* chart = PostFireConcreteChart();
    ASSERT_NE(chart, nullptr);
    const auto into = [&](plat::DC& dc) {
        MaterialFrame frame = chart->Frame();
        frame.deviceScale = DeviceScaleOf(dc);
        const PlanMeasure measure = MeasureOn(dc);
        const DiagramPlan plan = PlanMaterialChart(frame, chart->Types(), chart->Curves(), measure);
        const PlanStep *ag = nullptr, *base = nullptr;
        bool first = true;
        for (const PlanStep& text : plan.Of(PlanOp::Text)) {
            if (text.text.rfind("a_g", 0) == 0)
                ag = plan.FindText(text.text);
            if (text.text.rfind("f_c' = ", 0) == 0) {
                if (!first)
                    base = plan.FindText(text.text);
                first = false;
            }
        }
        if (!ag || !base)
            return -1000;
        // Both bottom-aligned at their points: a_g's line top is its point less its height.
        return base->points[0].y - (ag->points[0].y - measure(ag->text, ag->font).cy);
    };
    RecordingDC screen, page;
    MapAsLetterPage(page);
    EXPECT_EQ(into(screen), 4);
    EXPECT_EQ(into(page), 2);
}

TEST_F(MaterialsPage, FactoryMakesTheMembraneStateCharts)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    TViewm_2k& view = Window().GetViewManager();
    std::unique_ptr<Tchart> slot;
    view.CreatePanelChart(slot, &Window(), 2100, 1);
    EXPECT_NE(dynamic_cast<TMohr*>(slot.get()), nullptr);
    view.CreatePanelChart(slot, &Window(), 2103, 1);
    EXPECT_NE(dynamic_cast<Tpanel*>(slot.get()), nullptr);
    // Any chart is kept for 2117 to 2119; a fresh slot gets vital signs of element type 2.
    slot.reset();
    view.CreatePanelChart(slot, &Window(), 2118, 1);
    auto* signs = dynamic_cast<TVitalSigns*>(slot.get());
    ASSERT_NE(signs, nullptr);
    EXPECT_EQ(signs->ElementType(), 2);
    // Kept for another vital-signs id, replaced for a material chart.
    view.CreatePanelChart(slot, &Window(), 2116, 1);
    EXPECT_EQ(slot.get(), signs);
    view.CreatePanelChart(slot, &Window(), 2121, 1);
    EXPECT_NE(dynamic_cast<TMaterDiagram*>(slot.get()), nullptr);
    EXPECT_EQ(slot->Kind(), 8);
}

// The material charts of the section quick-defined with the defaults on its summary page (View >
// Cross Section: "Concrete" and "Rebar", each 0.17 of the window wide) and of its post-fire
// beam's "Thermal Conditions" set ("Damaged Concrete" and "Damaged Steel", a third of the
// panels' width), in windows so narrow that the width asks for a title lower than the least text
// (a chart narrower than ten times its least cell height). Each title is written whole within
// its chart, centred at its top, in letters no lower than the least text; it is left out only
// where even at the least text it is wider than its chart. Each kind of chart writes its title at
// the least text at some of these sizes.
TEST_F(MaterialsPage, NarrowChartsWriteTheirTitlesInTheLeastTextWhereItFits)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    std::vector<std::string> writtenSmall, leftOut;
    const auto check = [&](const plat::Size client) {
        Frame().SetFixedClientSize(client);
        plat::Application::SettleEvents();
        TViewm_2k& view = Window().GetViewManager();
        int charts = 0;
        for (int i = 0; i < 9; ++i) {
            auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
            if (!chart || !chart->Data().IsShown())
                continue;
            ++charts;
            const std::string& title = chart->Data().Title();
            const int W = chart->GetClientRect().Width();
            SCOPED_TRACE(StrPrintf("client %d x %d: \"%s\" %d pixels wide", client.cx, client.cy, title.c_str(), W));
            ASSERT_LT(W, 10 * kLeastTextCellHeight);
            const std::optional<DrawCall> drawn = PaintedTitle(*chart);
            const int wide = TitleWidthInTheLeastText(*chart);
            if (!drawn) {
                EXPECT_GT(wide, W) << "left out, though " << wide << " pixels wide in the least text";
                leftOut.push_back(title);
                continue;
            }
            const plat::TextRun& r = drawn->run;
            const int left = r.at.x + r.x0, top = r.at.y + r.baseline - r.ascent;
            EXPECT_GE(r.ascent + r.descent, kLeastTextCellHeight - 1) << "letters lower than the least text";
            EXPECT_GE(left, 0);
            EXPECT_LE(left + r.width, W);
            EXPECT_LE(std::abs(2 * left + r.width - W), 2) << "not centred";
            EXPECT_EQ(top, 0);
            writtenSmall.push_back(title);
        }
        EXPECT_GE(charts, 2);
    };

    ShowFrameAt(1280, 1024);
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    for (const plat::Size client : {plat::Size{640, 480}, plat::Size{520, 400}, plat::Size{320, 400}})
        check(client);
    Frame().SetFixedClientSize({1280, 1024});
    plat::Application::SettleEvents();
    Frame().Dispatch(CmId::FireDamagedBeam);
    for (const plat::Size client : {plat::Size{420, 400}, plat::Size{360, 400}, plat::Size{300, 400}})
        check(client);
    for (const char* title : {"Concrete", "Rebar", "Damaged Concrete", "Damaged Steel"})
        EXPECT_NE(std::find(writtenSmall.begin(), writtenSmall.end(), title), writtenSmall.end()) << title;
    EXPECT_FALSE(leftOut.empty()) << "no chart too narrow for its title";
}

} // namespace
