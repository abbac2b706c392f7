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
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/BoxGeometry.h"
#include "charts/ChartData.h"
#include "charts/Tcontrolchart.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/views/PageClashes.h"
#include "tests/views/PrintedPage.h"
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

    void SizeWindow(plat::Size size)
    {
        Frame().SetFrameRect(plat::Rect{0, 0, size.cx, size.cy});
        plat::Application::SettleEvents();
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
// common screen (a wide one of 380 pixels, a narrow one of 420) and at a common screen, reached
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
    for (const plat::Size size : {plat::Size{1250, 380}, plat::Size{960, 420}, plat::Size{1280, 1024}})
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
            ASSERT_NE(View().GetLayoutCombo(), nullptr);
            ASSERT_NE(View().GetPasteCombo(), nullptr);
            ASSERT_NE(View().GetAddButton(), nullptr);
            ASSERT_NE(View().GetChart(1), nullptr);
            ASSERT_NE(View().GetControlChart(0), nullptr);
            const std::vector<std::pair<std::string, plat::Rect>> controls{
                {"layout list", View().GetLayoutCombo()->GetPlace()},
                {"paste list", View().GetPasteCombo()->GetPlace()},
                {"sample chart", View().GetChart(1)->GetWindowRect()},
                {"Add to Graph", View().GetAddButton()->GetPlace()},
                {"control chart", View().GetControlChart(0)->GetWindowRect()}};
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
            const std::vector<Letters> letters = LettersOf(panel.Calls());
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
            EXPECT_EQ(Join(faults), "");
            const auto drawn = [&](const std::string& text) {
                return std::any_of(letters.begin(), letters.end(), [&](const Letters& l) { return l.text == text; });
            };
            EXPECT_TRUE(drawn("Load-Deformation"));
            EXPECT_TRUE(drawn("Paste Data"));
            if (size.cy == 1024) {
                for (const char* label : {"Type of Base Graph", "Type of Pasted Graph", "Sample Output"})
                    EXPECT_TRUE(drawn(label)) << label;
            }
        }
}
