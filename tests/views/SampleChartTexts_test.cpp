// The charts of the sample documents as a user sees them, in the window at the sizes a user
// gives it and on the printed page. The range numbers of the control charts stand at the ends of
// the axes they name: the member's "Control: Load Factor - Δ" of the sample beams, and the
// nine-graph page's shear control chart. A number whose place at its end is taken is left out,
// never moved along an axis to where it reads as another value ("-0.6" halfway up the
// load-factor axis read as a load factor). The member graphs' numbers and axis titles stand
// apart, none written smaller than a readable text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/views/TViewm.h"
#include "charts/BoxGeometry.h"
#include "charts/ChartData.h"
#include "charts/Tcontrolchart.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlWriter.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/views/PageClashes.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/ChooseLayout.h"
#include "tests/views/PaintedTitle.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

// The box a text run covers in its call's logical pixels.
plat::Rect LogicalBox(const DrawCall& c)
{
    const int left = c.run.at.x + c.run.x0, baseline = c.run.at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

// The range numbers of a control chart drawn at window origin org that do not touch the end
// of the axis they name (a number's box, two pixels wider on each side, holds that end), each
// as "text at (left, top - right, bottom), its end at (x, y)"; the count of numbers drawn goes to
// drawn. The axes are the chart's longest black horizontal and vertical lines: the x axis from
// the x start to the x end, the y axis from the top (y max) down to the foot (y min).
std::vector<std::string> NumbersOffTheirEnds(const std::vector<DrawCall>& calls, plat::Point org,
                                             const ChartData& data, int& drawn)
{
    plat::Point xFrom{0, 0}, xTo{0, 0}, yFrom{0, 0}, yTo{0, 0};
    for (const DrawCall& c : calls) {
        if (c.op != "Line" || c.state.mapping.windowOrg != org || c.state.pen.color != plat::Colors::Black)
            continue;
        const plat::Point a = c.points[0], b = c.points[1];
        if (a.y == b.y && std::abs(b.x - a.x) > xTo.x - xFrom.x) {
            xFrom = a.x < b.x ? a : b;
            xTo = a.x < b.x ? b : a;
        }
        if (a.x == b.x && std::abs(b.y - a.y) > yTo.y - yFrom.y) {
            yFrom = a.y < b.y ? a : b;
            yTo = a.y < b.y ? b : a;
        }
    }
    const ChartBounds& axis = data.AxisRange();
    const bool numeric = data.NumericRangeLabels() != 0;
    const std::vector<std::pair<std::string, plat::Point>> ends{
        {FormatAxisLabelText(data.XFormat(), data.XStart()), xFrom},
        {FormatAxisLabelText(data.XFormat(), data.XEnd()), xTo},
        {numeric ? FormatAxisLabelText(data.YFormat(), axis.yMax) : "top", yFrom},
        {numeric ? FormatAxisLabelText(data.YFormat(), axis.yMin) : "bot", yTo}};
    std::vector<std::string> off;
    drawn = 0;
    for (const DrawCall& c : calls) {
        if (c.op != "Text" || c.state.mapping.windowOrg != org || c.state.font.escapement != 0)
            continue;
        bool named = false, touches = false;
        plat::Point at{0, 0};
        const plat::Rect b = LogicalBox(c);
        for (const auto& [text, end] : ends) {
            if (text != c.text)
                continue;
            named = true;
            at = end;
            touches = touches || (end.x >= b.left - 2 && end.x <= b.right + 2 && end.y >= b.top - 2 &&
                                  end.y <= b.bottom + 2);
        }
        if (!named)
            continue;
        ++drawn;
        if (!touches)
            off.push_back("\"" + c.text + "\" at (" + std::to_string(b.left) + ", " + std::to_string(b.top) + " - " +
                          std::to_string(b.right) + ", " + std::to_string(b.bottom) + "), its end at (" +
                          std::to_string(at.x) + ", " + std::to_string(at.y) + ")");
    }
    return off;
}


// The range numbers of a control chart drawn at window origin org (as NumbersOffTheirEnds names
// them) whose boxes meet one of the chart's markers (the squares it draws round its points),
// each as "text at (left, top - right, bottom) on n markers"; the count of markers drawn goes
// to markers.
std::vector<std::string> NumbersOnMarkers(const std::vector<DrawCall>& calls, plat::Point org, const ChartData& data,
                                          int& markers)
{
    const ChartBounds& axis = data.AxisRange();
    const std::vector<std::string> names{FormatAxisLabelText(data.XFormat(), data.XStart()),
                                         FormatAxisLabelText(data.XFormat(), data.XEnd()),
                                         FormatAxisLabelText(data.YFormat(), axis.yMax),
                                         FormatAxisLabelText(data.YFormat(), axis.yMin)};
    std::vector<plat::Rect> boxes;
    for (const DrawCall& c : calls)
        if (c.op == "Rectangle" && c.state.mapping.windowOrg == org)
            boxes.push_back(c.rect);
    markers = static_cast<int>(boxes.size());
    std::vector<std::string> on;
    for (const DrawCall& c : calls) {
        if (c.op != "Text" || c.state.mapping.windowOrg != org || c.state.font.escapement != 0 ||
            std::find(names.begin(), names.end(), c.text) == names.end())
            continue;
        const plat::Rect b = LogicalBox(c);
        const int met = static_cast<int>(std::count_if(boxes.begin(), boxes.end(), [&](const plat::Rect& m) {
            return b.left < m.right && m.left < b.right && b.top < m.bottom && m.top < b.bottom;
        }));
        if (met > 0)
            on.push_back("\"" + c.text + "\" at (" + std::to_string(b.left) + ", " + std::to_string(b.top) + " - " +
                         std::to_string(b.right) + ", " + std::to_string(b.bottom) + ") on " + std::to_string(met) +
                         " markers");
    }
    return on;
}

bool IsNumber(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("-0123456789.") == std::string::npos &&
           s.find_first_of("0123456789") != std::string::npos;
}

// What a full chart drawn at window origin org writes wrong: its numbers and axis titles (the
// y title reads upward) each with the box its letters take in logical pixels (a number's digits
// from its baseline up to three quarters of the ascent, a title's whole cell), any two of which
// meet or stand with less than two blank rows between (they read as one block), and any written
// in letters lower than a readable text (a cell less than the least cell height, a pixel given
// for rounding). The count of numbers goes to numbers.
std::vector<std::string> UnreadableTexts(const std::vector<DrawCall>& calls, plat::Point org, const ChartData& data,
                                         int& numbers)
{
    std::vector<std::pair<std::string, plat::Rect>> texts;
    std::vector<std::string> faults;
    numbers = 0;
    for (const DrawCall& c : calls) {
        if (c.op != "Text" || c.state.mapping.windowOrg != org)
            continue;
        const bool upward = c.state.font.escapement == 900;
        if (!IsNumber(c.text) && !(upward && c.text == data.YTitle()) && !(!upward && c.text == data.XTitle()))
            continue;
        numbers += IsNumber(c.text) ? 1 : 0;
        const int cell = c.run.ascent + c.run.descent;
        plat::Rect box = upward ? plat::Rect{c.run.at.x, c.run.at.y - c.run.width, c.run.at.x + cell, c.run.at.y}
                                : LogicalBox(c);
        if (IsNumber(c.text)) {
            box.bottom = c.run.at.y + c.run.baseline;
            box.top = box.bottom - (3 * c.run.ascent + 3) / 4;
        }
        if (cell < kLeastTextCellHeight - 1)
            faults.push_back("\"" + c.text + "\" in letters " + std::to_string(cell) + " pixels high");
        for (const auto& [text, other] : texts)
            if (box.left < other.right && other.left < box.right && box.top - 2 < other.bottom &&
                other.top < box.bottom + 2)
                faults.push_back("\"" + c.text + "\" at " + std::to_string(box.left) + "," + std::to_string(box.top) +
                                 " on \"" + text + "\" at " + std::to_string(other.left) + "," +
                                 std::to_string(other.top));
        texts.emplace_back(c.text, box);
    }
    return faults;
}

struct RangeNumbers : RealDocumentShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    const StateDiagramsGuard diagrams;
    ~RangeNumbers() override { SetBeamLogicFactory(std::move(previous)); }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // File > Open of a sample document of the fuzzing corpus, then the analysis asked for, run
    // to its end by the idle passes as the program runs it.
    // The sample is opened under the name given (a file of the older format as a ".dat" file).
    void SolveSample(const std::string& sample, int command, const std::string& name = "")
    {
        ShowFrameAt(1280, 1024);
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/" + sample, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        ASSERT_FALSE(text.str().empty()) << sample;
        OpenDocument(name.empty() ? sample.substr(sample.rfind('/') + 1) : name, text.str());
        Frame().Dispatch(command);
        ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
        for (long pass = 0; Window().GetCurrentAnalysis()->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
    }

    // Define > Quick Define worked through its pages with the defaults, then the analysis
    // asked for, run to its end by the idle passes as the program runs it.
    void SolveQuickDefined(int command)
    {
        ShowFrameAt(1280, 1024);
        TQuickDefineDialogs quick{GetInputDialogs()};
        TInputDialogs* others = SetInputDialogs(&quick);
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            d.Next();
            d.Next();
            d.Next();
            d.Finish();
        });
        Frame().Dispatch(CmId::QuickDefine);
        SetInputDialogs(others);
        ASSERT_TRUE(ui.Done());
        Frame().Dispatch(command);
        ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
        for (long pass = 0; Window().GetCurrentAnalysis()->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        ASSERT_EQ(Window().GetCurrentAnalysis()->IsRunning(), 0);
        Window().IdleAction(0);
    }

    void SizeWindow(plat::Size size)
    {
        Frame().SetFrameRect(plat::Rect{0, 0, size.cx, size.cy});
        plat::Application::SettleEvents();
    }

    // What stands wrong on the load-deformation plot's control panel as the window paints it:
    // letters too small, on letters, struck by a frame line or on a control; controls on one
    // another (the layout and paste lists, the sample chart, the "Add to Graph" button and the
    // control chart); a line the panel draws across a control. The letters drawn go to letters.
    std::vector<std::string> LoadDeformationPanelFaults(std::vector<Letters>& letters)
    {
        if (!View().GetLayoutCombo() || !View().GetPasteCombo() || !View().GetAddButton() || !View().GetChart(1) ||
            !View().GetControlChart(0))
            return {"a control of the panel missing"};
        // A control left out (hidden where the panel has no room for it) stands nowhere.
        std::vector<std::pair<std::string, plat::Rect>> controls{
            {"layout list", View().GetLayoutCombo()->GetPlace()},
            {"paste list", View().GetPasteCombo()->GetPlace()}};
        if (View().IsSampleChartShown())
            controls.emplace_back("sample chart", View().GetChart(1)->GetWindowRect());
        if (View().GetAddButton()->IsVisible())
            controls.emplace_back("Add to Graph", View().GetAddButton()->GetPlace());
        controls.emplace_back("control chart", View().GetControlChart(0)->GetWindowRect());
        const auto name = [](const std::pair<std::string, plat::Rect>& c) {
            std::ostringstream s;
            s << c.first << " (" << c.second.left << ", " << c.second.top << " - " << c.second.right << ", "
              << c.second.bottom << ")";
            return s.str();
        };
        RecordingDC panel;
        View().PaintPanel(panel);
        // Letters too small, letters on letters, letters struck by a frame line.
        std::vector<std::string> faults = Clashes(panel.Calls());
        letters = LettersOf(panel.Calls());
        for (const Letters& l : letters)
            for (const auto& control : controls)
                if (Meet(l.box, control.second))
                    faults.push_back(Describe(l) + " on the " + name(control));
        for (std::size_t i = 0; i < controls.size(); ++i)
            for (std::size_t j = i + 1; j < controls.size(); ++j)
                if (Meet(controls[i].second, controls[j].second))
                    faults.push_back("the " + name(controls[i]) + " on the " + name(controls[j]));
        for (const DrawCall& c : panel.CallsOf("Line"))
            for (const auto& control : controls) {
                const plat::Point a = c.points[0], b = c.points[1];
                const plat::Rect r = control.second;
                const bool across = (a.y == b.y && a.y > r.top && a.y < r.bottom - 1 &&
                                     std::max(a.x, b.x) > r.left && std::min(a.x, b.x) < r.right) ||
                                    (a.x == b.x && a.x > r.left && a.x < r.right - 1 &&
                                     std::max(a.y, b.y) > r.top && std::min(a.y, b.y) < r.bottom);
                if (across) {
                    std::ostringstream s;
                    s << "line (" << a.x << ", " << a.y << ") - (" << b.x << ", " << b.y << ") across the "
                      << name(control);
                    faults.push_back(s.str());
                }
            }
        return faults;
    }

    // Where the panel's controls and letters stand, one per line: the lists, the sample chart
    // and the button where shown, and every text the panel writes.
    std::string LoadDeformationPanelPlaces()
    {
        std::ostringstream s;
        const auto place = [&](const char* what, const plat::Rect& r) {
            s << what << " (" << r.left << ", " << r.top << " - " << r.right << ", " << r.bottom << ")\n";
        };
        place("layout list", View().GetLayoutCombo()->GetPlace());
        place("paste list", View().GetPasteCombo()->GetPlace());
        if (View().IsSampleChartShown())
            place("sample chart", View().GetChart(1)->GetWindowRect());
        if (View().GetAddButton()->IsVisible())
            place("Add to Graph", View().GetAddButton()->GetPlace());
        RecordingDC panel;
        View().PaintPanel(panel);
        for (const Letters& l : LettersOf(panel.Calls()))
            s << Describe(l) << "\n";
        return s.str();
    }

    // The chart painted as the window paints it; where, for the failures' trace.
    static std::string PaintAt(Tchart& chart, plat::Size size, RecordingDC& dc)
    {
        chart.Paint(dc, true, chart.GetClientRect());
        return std::to_string(size.cx) + " x " + std::to_string(size.cy) + ": " + chart.Data().Title();
    }

    std::vector<Tbigchart*> PanelCharts()
    {
        std::vector<Tbigchart*> charts;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (auto* c = dynamic_cast<Tbigchart*>(View().GetChart(i)); c && c->Data().IsShown() && !c->Data().IsDataEmpty())
                charts.push_back(c);
        return charts;
    }

    std::vector<Tcontrolchart*> ControlCharts()
    {
        std::vector<Tcontrolchart*> charts;
        for (int which = 0; which < 2; ++which)
            if (Tcontrolchart* c = View().GetControlChart(which); c && c->Data().IsShown() && !c->Data().IsDataEmpty())
                charts.push_back(c);
        return charts;
    }

    // Each control chart at the window sizes a user gives the window (the sample's small window,
    // the common screens and a wide one), then on the printed page: every range number drawn
    // touches its end; each chart draws some.
    void ExpectNumbersAtTheirEnds(const std::string& titleStart)
    {
        int charts = 0;
        for (const plat::Size size : {plat::Size{713, 517}, plat::Size{1024, 768}, plat::Size{1280, 1024},
                                      plat::Size{1920, 1080}}) {
            SizeWindow(size);
            for (Tcontrolchart* chart : ControlCharts()) {
                RecordingDC screen;
                SCOPED_TRACE(PaintAt(*chart, size, screen));
                int drawn = 0;
                EXPECT_EQ(NumbersOffTheirEnds(screen.Calls(), {0, 0}, chart->Data(), drawn), std::vector<std::string>{});
                EXPECT_GE(drawn, 1);
                charts += chart->Data().Title().rfind(titleStart, 0) == 0 ? 1 : 0;
            }
        }
        EXPECT_GE(charts, 4) << "no chart titled " << titleStart;

        SizeWindow({1280, 1024});
        const std::vector<Tcontrolchart*> shown = ControlCharts();
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        int printed = 0;
        for (const DrawCall& title : paper.CallsOf("Text")) {
            for (Tcontrolchart* chart : shown) {
                if (title.text.empty() || chart->Data().Title().rfind(title.text, 0) != 0 ||
                    title.text.rfind("Control", 0) != 0)
                    continue;
                SCOPED_TRACE("page: " + chart->Data().Title());
                int drawn = 0;
                EXPECT_EQ(NumbersOffTheirEnds(paper.Calls(), title.state.mapping.windowOrg, chart->Data(), drawn),
                          std::vector<std::string>{});
                EXPECT_GE(drawn, 1);
                ++printed;
            }
        }
        EXPECT_GE(printed, 1);
    }

    // A beam section with stirrups solved by Solve > M-V Interaction to its end: its "Control :
    // Moment - Shear" chart marks each of its few hundred diagram states with a square. In a
    // window of each common client size, and on the printed page, no range number stands on a
    // marker (one with no place at its end clear of them is left out), every number drawn stands
    // at the end it names, and at least least numbers are drawn.
    void ExpectNumbersOffTheMarkers(int least)
    {
        const auto interaction = [&]() -> Tcontrolchart* {
            for (Tcontrolchart* c : ControlCharts())
                if (c->Data().Title() == "Control : Moment - Shear")
                    return c;
            return nullptr;
        };
        for (const plat::Size size : {plat::Size{713, 517}, plat::Size{1024, 768}, plat::Size{1280, 1024},
                                      plat::Size{1920, 1080}}) {
            Frame().SetFixedClientSize(size);
            plat::Application::SettleEvents();
            ASSERT_EQ(Window().GetClientRect().Width(), size.cx);
            ASSERT_EQ(Window().GetClientRect().Height(), size.cy);
            Tcontrolchart* chart = interaction();
            ASSERT_NE(chart, nullptr);
            RecordingDC screen;
            SCOPED_TRACE(PaintAt(*chart, size, screen));
            int markers = 0, drawn = 0;
            EXPECT_EQ(NumbersOnMarkers(screen.Calls(), {0, 0}, chart->Data(), markers), std::vector<std::string>{});
            EXPECT_GE(markers, 100);
            EXPECT_EQ(NumbersOffTheirEnds(screen.Calls(), {0, 0}, chart->Data(), drawn), std::vector<std::string>{});
            EXPECT_GE(drawn, least);
        }

        Frame().SetFixedClientSize({1280, 1024});
        plat::Application::SettleEvents();
        Tcontrolchart* chart = interaction();
        ASSERT_NE(chart, nullptr);
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        int printed = 0;
        for (const DrawCall& title : paper.CallsOf("Text")) {
            if (title.text.empty() || title.text.rfind("Control", 0) != 0 ||
                chart->Data().Title().rfind(title.text, 0) != 0)
                continue;
            SCOPED_TRACE("page: " + chart->Data().Title());
            const plat::Point org = title.state.mapping.windowOrg;
            int markers = 0, drawn = 0;
            EXPECT_EQ(NumbersOnMarkers(paper.Calls(), org, chart->Data(), markers), std::vector<std::string>{});
            EXPECT_GE(markers, 100);
            EXPECT_EQ(NumbersOffTheirEnds(paper.Calls(), org, chart->Data(), drawn), std::vector<std::string>{});
            EXPECT_GE(drawn, least);
            ++printed;
        }
        EXPECT_EQ(printed, 1);
    }
};

} // namespace

TEST_F(RangeNumbers, OfTheFirstSampleMembersControlChartStandAtTheirEnds)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::MemberResponse);
    ExpectNumbersAtTheirEnds("Control: Load Factor");
}

TEST_F(RangeNumbers, OfTheSecondSampleMembersControlChartStandAtTheirEnds)
{
    SolveSample("XmlDocument/full_beam_1.xml", CmId::MemberResponse);
    ExpectNumbersAtTheirEnds("Control: Load Factor");
}

TEST_F(RangeNumbers, OfTheShearControlChartOfTheNineGraphsStandAtTheirEnds)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse);
    ExpectNumbersAtTheirEnds("Control : Shear");
}

// The member graphs of the older sample beam (opened as a ".dat" file) at a small window, a
// wide low one and a common screen, and on the page: no number or axis title stands on another
// ("360.0" to "-360.0" of the top reinforcement each over the next at 713 x 517), none in letters
// smaller than a readable text (5 pixels high at 1600 x 500).
TEST_F(RangeNumbers, OfTheMemberGraphsStandApartInReadableLetters)
{
    SolveSample("NativeV08/beam_b_v8.bin", CmId::MemberResponse, "beam_b_v8.dat");
    for (const plat::Size size : {plat::Size{713, 517}, plat::Size{1600, 500}, plat::Size{1280, 1024}}) {
        SizeWindow(size);
        const std::vector<Tbigchart*> charts = PanelCharts();
        EXPECT_GE(charts.size(), 4u);
        for (Tbigchart* chart : charts) {
            RecordingDC screen;
            SCOPED_TRACE(PaintAt(*chart, size, screen));
            int numbers = 0;
            EXPECT_EQ(UnreadableTexts(screen.Calls(), {0, 0}, chart->Data(), numbers), std::vector<std::string>{});
            EXPECT_GE(numbers, 2);
        }
        if (size.cx != 713)
            continue;
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        std::vector<plat::Point> origins;
        for (const DrawCall& c : paper.CallsOf("Text"))
            if (std::find(origins.begin(), origins.end(), c.state.mapping.windowOrg) == origins.end())
                origins.push_back(c.state.mapping.windowOrg);
        int printed = 0;
        for (const plat::Point org : origins)
            for (Tbigchart* chart : charts) {
                int numbers = 0;
                const std::vector<std::string> faults = UnreadableTexts(paper.Calls(), org, chart->Data(), numbers);
                if (numbers < 2)
                    continue;
                SCOPED_TRACE("page: " + chart->Data().Title());
                EXPECT_EQ(faults, std::vector<std::string>{});
                ++printed;
                break;
            }
        EXPECT_GE(printed, 4);
    }
}

// The nine graphs of the sample beam and its two control charts in windows lower than a common
// screen (a wide one of 380 pixels, a narrow one of 420, one far wider than high): every title
// and range number of the compact charts is written at least as high as a readable text, none
// stands on another, and the range numbers drawn still touch the ends they name. A title or a
// number with no room at that height is left out. The control panel's "Auto Range" button
// stands below the layout list, not over it, and its title below its frame's top line.
TEST_F(RangeNumbers, OfTheCompactChartsStandApartInReadableLettersInLowWindows)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse);
    for (const plat::Size size : {plat::Size{1250, 380}, plat::Size{900, 420}, plat::Size{1900, 350}}) {
        SizeWindow(size);
        std::vector<Tchart*> charts;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i); c && c->Kind() == kBoxKindIconChart && c->Data().IsShown() &&
                                                !c->Data().IsDataEmpty())
                charts.push_back(c);
        EXPECT_GE(charts.size(), 6u);
        for (Tcontrolchart* c : ControlCharts())
            charts.push_back(c);
        int titles = 0;
        for (Tchart* chart : charts) {
            RecordingDC screen;
            SCOPED_TRACE(PaintAt(*chart, size, screen));
            // The data's strokes give way round the numbers by the chart's clip, which the
            // recording does not apply: the letters alone are judged.
            const std::vector<Letters> letters = LettersOf(screen.Calls());
            std::vector<std::string> faults;
            for (std::size_t i = 0; i < letters.size(); ++i) {
                if (letters[i].small)
                    faults.push_back(Describe(letters[i]) + " smaller than the least text");
                for (std::size_t j = i + 1; j < letters.size(); ++j)
                    if (Meet(letters[i].box, letters[j].box))
                        faults.push_back(Describe(letters[i]) + " meets " + Describe(letters[j]));
            }
            EXPECT_EQ(Join(faults), "");
            titles += std::count_if(screen.Calls().begin(), screen.Calls().end(), [&](const DrawCall& c) {
                return c.op == "Text" && c.text.size() > 3 && chart->Data().Title().rfind(c.text, 0) == 0;
            });
            if (auto* control = dynamic_cast<Tcontrolchart*>(chart)) {
                int drawn = 0;
                EXPECT_EQ(NumbersOffTheirEnds(screen.Calls(), {0, 0}, control->Data(), drawn),
                          std::vector<std::string>{});
            }
        }
        EXPECT_GE(titles, static_cast<int>(charts.size()) - 1) << "titles left out";
        ASSERT_NE(View().GetRangeButton(), nullptr);
        ASSERT_NE(View().GetLayoutCombo(), nullptr);
        const plat::Rect button = View().GetRangeButton()->GetPlace();
        const plat::Rect combo = View().GetLayoutCombo()->GetPlace();
        EXPECT_GE(button.top, combo.bottom);
        // No line the control panel draws (its frame round the list and the button) runs
        // across either control.
        RecordingDC panel;
        View().PaintPanel(panel);
        EXPECT_EQ(Join(Clashes(panel.Calls())), "") << "the control panel";
        for (const DrawCall& c : panel.CallsOf("Line"))
            for (const plat::Rect& control : {button, combo}) {
                const plat::Point a = c.points[0], b = c.points[1];
                const bool across = a.y == b.y && a.y > control.top && a.y < control.bottom - 1 &&
                                    std::max(a.x, b.x) > control.left && std::min(a.x, b.x) < control.right;
                EXPECT_FALSE(across) << "line at y " << a.y << " across the control at " << control.top << " - "
                                     << control.bottom;
            }
    }
}

// The control panel of the load-deformation plot of the sample beam in windows lower than a
// common screen (wide ones of 380 down to 250 pixels, narrow ones of 420 to 250, clients of 340
// to 170: in the lower ones the sample chart has no room and is left out with its label, the
// button following the paste list) and at a common screen, where all of it stands, reached
// by sizing the window in the layout and by choosing the layout again at that size: its titles
// and labels are written at least as high as a readable text, none stands on another, on a
// control or across a frame line; no line the panel draws runs across a control; the layout and
// paste lists, the sample chart, the "Add to Graph" button and the control chart stand apart. A
// label with no room is left out; at the common screen all three stand.
TEST_F(RangeNumbers, OfTheLoadDeformationPanelStandApartInReadableLettersInLowWindows)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
    for (const plat::Size size : {plat::Size{1250, 380}, plat::Size{960, 420}, plat::Size{1250, 320},
                                  plat::Size{1250, 300}, plat::Size{960, 310}, plat::Size{1250, 250},
                                  plat::Size{713, 250}, plat::Size{1280, 1024}})
        for (const char* road : {"sized", "chosen again"}) {
            if (road[0] == 's') {
                SizeWindow(size);
            } else {
                // The layout list, kept from one layout to the next, goes back to its place in
                // the nine graphs (above their range button).
                Frame().Dispatch(CmId::NineGraphs);
                ASSERT_NE(View().GetLayoutCombo(), nullptr);
                EXPECT_EQ(View().GetLayoutCombo()->GetPlace().top, View().GetPanelRect(PanelId::LayoutCombo).y);
                Frame().Dispatch(CmId::LoadDeformationPlot);
                ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
            }
            const plat::Rect client = Window().GetClientRect();
            SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy) + " (client " +
                         std::to_string(client.Width()) + " x " + std::to_string(client.Height()) + "), " + road);
            std::vector<Letters> letters;
            const std::vector<std::string> faults = LoadDeformationPanelFaults(letters);
            EXPECT_EQ(Join(faults), "");
            const auto drawn = [&](const std::string& text) {
                return std::any_of(letters.begin(), letters.end(), [&](const Letters& l) { return l.text == text; });
            };
            EXPECT_TRUE(drawn("Load-Deformation"));
            EXPECT_TRUE(drawn("Paste Data"));
            if (size.cy == 1024) {
                for (const char* label : {"Type of Base Graph", "Type of Pasted Graph", "Sample Output"})
                    EXPECT_TRUE(drawn(label)) << label;
                EXPECT_TRUE(View().IsSampleChartShown());
                EXPECT_TRUE(View().GetAddButton()->IsVisible());
            }
            // "Sample Output" names the sample chart: it stands only with it.
            if (!View().IsSampleChartShown()) {
                EXPECT_FALSE(drawn("Sample Output"));
            }
        }
}

// Lower still, where the panel has no room for all three labels above the control chart (frames
// from 330 down to 240 pixels high, wide and narrow: clients of 250 to 160 pixels): the labels go
// first, "Sample Output" first and "Type of Base Graph" last (the sample chart with no room left
// out with its label), before the lists, the sample chart and the button would be pushed down
// onto the control chart, and in the lowest the button goes too; what stands is as readable and as
// apart as in a common window. The lower the window, the fewer labels; in the lowest ones none
// stands, and the lists and the button stay above the control chart all the same.
TEST_F(RangeNumbers, OfTheLoadDeformationPanelGoBeforeItsControlsReachTheControlChart)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
    const char* const labels[] = {"Type of Base Graph", "Type of Pasted Graph", "Sample Output"};
    std::vector<int> counts;
    // From the highest to the lowest.
    for (const plat::Size size : {plat::Size{1250, 330}, plat::Size{960, 300}, plat::Size{713, 300},
                                  plat::Size{1250, 290}, plat::Size{960, 280}, plat::Size{1250, 270},
                                  plat::Size{1250, 260}, plat::Size{960, 260}, plat::Size{713, 260},
                                  plat::Size{1250, 250}, plat::Size{960, 245}, plat::Size{1250, 240}}) {
        SizeWindow(size);
        const plat::Rect client = Window().GetClientRect();
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy) + " (client " +
                     std::to_string(client.Width()) + " x " + std::to_string(client.Height()) + ")");
        std::vector<Letters> letters;
        EXPECT_EQ(Join(LoadDeformationPanelFaults(letters)), "");
        const auto drawn = [&](const std::string& text) {
            return std::any_of(letters.begin(), letters.end(), [&](const Letters& l) { return l.text == text; });
        };
        EXPECT_TRUE(drawn("Load-Deformation"));
        EXPECT_TRUE(drawn("Paste Data"));
        // The labels that stand are the first ones of the three.
        int shown = 0;
        while (shown < 3 && drawn(labels[shown]))
            ++shown;
        for (int i = shown; i < 3; ++i)
            EXPECT_FALSE(drawn(labels[i])) << labels[i] << " without " << labels[shown];
        counts.push_back(shown);
        // The lists and the button stand above the control chart, each under the title of its frame.
        ASSERT_NE(View().GetControlChart(0), nullptr);
        const int controlTop = View().GetControlChart(0)->GetWindowRect().top;
        std::vector<plat::Rect> places{View().GetLayoutCombo()->GetPlace(), View().GetPasteCombo()->GetPlace()};
        if (View().GetAddButton()->IsVisible())
            places.push_back(View().GetAddButton()->GetPlace());
        if (View().IsSampleChartShown())
            places.push_back(View().GetChart(1)->GetWindowRect());
        for (const plat::Rect place : places)
            EXPECT_LE(place.bottom, controlTop);
    }
    // Fewer labels the lower the window, the roads of two, one and no label all taken.
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend())) << testing::PrintToString(counts);
    for (const int labelsShown : {0, 1, 2})
        EXPECT_NE(std::find(counts.begin(), counts.end(), labelsShown), counts.end())
            << "no size shows " << labelsShown << " labels: " << testing::PrintToString(counts);
    EXPECT_EQ(counts.back(), 0);
}

// The control panel of the load-deformation plot at a low window stands the same whichever size
// the window had before, higher or lower, wider or narrower (a chart with no room is hidden, not
// left where the size before put it), and as clean as when sized straight to it.
TEST_F(RangeNumbers, OfTheLoadDeformationPanelStandTheSameWhicheverSizeCameBefore)
{
    SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
    const plat::Size sizes[] = {{1250, 250}, {1250, 300}, {713, 260}, {960, 240}, {1250, 380}, {713, 517}};
    for (const plat::Size to : sizes) {
        std::string first;
        for (const plat::Size from : sizes) {
            if (from.cx == to.cx && from.cy == to.cy)
                continue;
            SizeWindow(from);
            SizeWindow(to);
            const plat::Rect client = Window().GetClientRect();
            SCOPED_TRACE(std::to_string(to.cx) + " x " + std::to_string(to.cy) + " (client " +
                         std::to_string(client.Width()) + " x " + std::to_string(client.Height()) + ") from " +
                         std::to_string(from.cx) + " x " + std::to_string(from.cy));
            std::vector<Letters> letters;
            EXPECT_EQ(Join(LoadDeformationPanelFaults(letters)), "");
            const std::string places = LoadDeformationPanelPlaces();
            if (first.empty())
                first = places;
            else
                EXPECT_EQ(places, first);
        }
    }
}

// The section quick-defined with the defaults (Define > Quick Define): its moment's numbers
// ("-92.1" and "336.8") at the axis row, where the diagram's markers crowd both ends, are left
// out; the shear's top ("250.4") stands clear of them.
TEST_F(RangeNumbers, OfTheQuickDefinedSectionsMomentShearInteractionStandOffItsMarkers)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    SolveQuickDefined(CmId::MVInteraction);
    ExpectNumbersOffTheMarkers(1);
}

// A beam of 600 mm with pairs of bars at its top, middle and bottom and two sets of stirrups,
// opened as a document: its diagram is the same for either sign of the moment, and every place
// of its three numbers ("-273.3", "273.3" at the axis row and the shear's top "565.2" over the
// diagram's peak) is taken by markers: none is drawn over them.
TEST_F(RangeNumbers, OfASymmetricBeamsMomentShearInteractionStandOffItsMarkers)
{
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    beam->SetName("Beam with stirrups");
    beam->Validate();
    TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {beam.get()}, nullptr, sink).Ok());
    ShowFrameAt(1280, 1024);
    OpenDocument("stirrups.xml", sink.Text());
    Frame().Dispatch(CmId::MVInteraction);
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    for (long pass = 0; Window().GetCurrentAnalysis()->IsRunning() != 0 && pass < 400000; ++pass)
        Window().IdleAction(pass);
    ASSERT_EQ(Window().GetCurrentAnalysis()->IsRunning(), 0);
    Window().IdleAction(0);
    ExpectNumbersOffTheMarkers(0);
}

namespace {
struct DiagramTitles : RangeNumbers {};
} // namespace

// The first sample solved, View > Nine Graphs, the "No Shear" set chosen from the list, in
// windows so small that the "Internal Forces" and "Cross Section" diagrams, which write their
// titles themselves, are narrower than their titles in the least text: each writes its title
// whole, fitted within its width and centred at its top, not leaving it out as the full and
// compact charts do.
TEST_F(DiagramTitles, ANarrowDiagramWritesItsTitleFittedToItsWidth)
{
    ASSERT_NO_FATAL_FAILURE(SolveSample("XmlDocument/full_beam_0.xml", CmId::SectionalResponse));
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_NO_FATAL_FAILURE(ChooseLayout(View(), "No Shear"));
    std::vector<std::string> fitted;
    for (const plat::Size size : {plat::Size{320, 240}, plat::Size{280, 210}}) {
        Frame().SetFrameRect(plat::Rect{0, 0, size.cx, size.cy});
        plat::Application::SettleEvents();
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
            Tchart* chart = View().GetChart(i);
            // The section's picture (kind 12) and the internal forces (kind 13).
            if (!chart || (chart->Kind() != 12 && chart->Kind() != 13))
                continue;
            const std::string& title = chart->Data().Title();
            const int W = chart->GetClientRect().Width();
            if (TitleWidthInTheLeastText(*chart) <= W)
                continue;
            SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy << ": \"" << title << "\" " << W
                                            << " pixels wide");
            const std::optional<DrawCall> drawn = PaintedTitle(*chart);
            if (!drawn) {
                ADD_FAILURE() << "title left out";
                continue;
            }
            const plat::TextRun& r = drawn->run;
            const int left = r.at.x + r.x0;
            EXPECT_GE(left, 0);
            EXPECT_LE(left + r.width, W);
            EXPECT_LE(std::abs(2 * left + r.width - W), 2) << "not centred";
            EXPECT_EQ(r.at.y + r.baseline - r.ascent, 0);
            fitted.push_back(title);
        }
    }
    for (const char* title : {"Internal Forces", "Cross Section"})
        EXPECT_NE(std::find(fitted.begin(), fitted.end(), title), fitted.end())
            << title << " never written narrower than in the least text";
}
