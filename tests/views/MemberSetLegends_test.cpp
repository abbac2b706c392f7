// The legends of the member's "Reinforcement" set keep clear of their chart's numbers, titles
// and notes at every stage a user steps to, wherever the chart's x axis crosses its plot: the
// set is shown while the member runs, from its unloaded start, and the numbers of a chart whose
// y range grows below zero move up into the plot with the x axis.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/ShellServices.h"
#include "app/views/TViewm.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "dialogs/QuickDefine.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/app/DrawnTexts.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/ChooseLayout.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

struct MemberSetLegends : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    ValueGuard<TQuickDefData> quick{g_QuickDefData, g_QuickDefData};
    const StateDiagramsGuard diagrams;
    ~MemberSetLegends() override { SetBeamLogicFactory(std::move(previous)); }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // A section quick-defined with the defaults, its member solved to the end through
    // Solve > Member Response, stepped by the idle passes as the program does.
    TFullMemberResponse* Solved()
    {
        Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
        g_QuickDefData = QuickDefineDefaults(g_UnitSystem);
        EXPECT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        EXPECT_EQ(SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]), 1);
        Frame().Dispatch(CmId::MemberResponse);
        auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        for (long pass = 0; m != nullptr && m->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
        return m;
    }

    // The same member solved in a main window of w x h.
    void SolveInAWindowOf(int w, int h)
    {
        ShowFrameAt(w, h);
        g_QuickDefData = QuickDefineDefaults(g_UnitSystem);
        ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        ASSERT_EQ(SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]), 1);
        Frame().Dispatch(CmId::MemberResponse);
        auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        ASSERT_NE(m, nullptr);
        for (long pass = 0; m->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
        plat::Application::SettleEvents();
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Pushover);
    }

    // The legends of the set solved in a window of w x h keep off its numbers, axes and curves,
    // on the screen and on the printed page; they are no taller than the titles and hide no
    // curve, road given, in the window and on the page (below).
    void KeepOffInAWindowOf(int w, int h);
    void HideNoCurveAndAreNoTallerThanTheTitles(const std::string& road);

    struct Legend {
        TTextBox* box = nullptr;
        Tchart* chart = nullptr;
    };
    std::vector<Legend> Legends()
    {
        std::vector<Legend> legends;
        for (int i = 0; i < TViewm_2k::kTextBoxes; ++i)
            if (TTextBox* box = View().GetTextBox(i); box && box->IsLegend())
                legends.push_back({box, dynamic_cast<Tchart*>(box->GetParent())});
        return legends;
    }
};

// Every legend of the set lies inside its chart and covers none of the chart's drawn texts.
void ExpectLegendsClear(const std::vector<MemberSetLegends::Legend>& legends, const char* stage)
{
    SCOPED_TRACE(stage);
    ASSERT_EQ(legends.size(), 4u);
    for (const MemberSetLegends::Legend& l : legends) {
        ASSERT_NE(l.chart, nullptr);
        const BoxPlace b = l.box->Place();
        const BoxPlace c = l.chart->Place();
        const plat::Rect legend{b.x, b.y, b.x + b.w, b.y + b.h};
        SCOPED_TRACE(l.chart->Data().Title());
        EXPECT_GE(legend.left, 0);
        EXPECT_GE(legend.top, 0);
        EXPECT_LE(legend.right, c.w);
        EXPECT_LE(legend.bottom, c.h);
        const auto texts = DrawnTexts(*l.chart);
        EXPECT_GE(texts.size(), 4u);
        for (const auto& [text, box] : texts)
            EXPECT_FALSE(Meet(legend, box)) << "\"" << text << "\" at " << box.left << ", " << box.top << " - "
                                            << box.right << ", " << box.bottom << " under the legend at " << legend.left
                                            << ", " << legend.top << " - " << legend.right << ", " << legend.bottom;
    }
}

} // namespace

// The set's four charts with legends ("Stirrups", "Top Reinforcement", "Bottom Prestress
// Force", "Bottom Reinforcement"), placed when the run began: at its last stage the bottom
// bars' force has grown past the provided force and the y range reaches -540 kN, so the x axis
// with its numbers runs across the plot at a third of its height, right through where the
// legend sits at the foot of the plot. Checked at the last stage, the middle (PgDn 15 times),
// the first (PgDn to the start), a stage picked on the control chart, and after "Auto Range"
// at a middle and the last stage.
TEST_F(MemberSetLegends, StayClearOfTheNumbersAtEveryStageSteppedTo)
{
    TFullMemberResponse* m = Solved();
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Pushover);
    ASSERT_EQ(m->GetMarkedPoint(), 30);
    const std::vector<Legend> legends = Legends();

    // The bottom bars' chart at the last stage: its legend's own place (bottom left: 0.17 of
    // the width, its foot 10 px above 0.83 of the height) lies over the x number 400 drawn
    // along y = 0, so the legend has had to move.
    Tchart* bottom = nullptr;
    TTextBox* bottomLegend = nullptr;
    for (const Legend& l : legends)
        if (l.chart && l.chart->Data().Title() == "Bottom Reinforcement A_sf_s")
            bottom = l.chart, bottomLegend = l.box;
    ASSERT_NE(bottom, nullptr);
    EXPECT_LT(bottom->Data().AxisRange().yMin, 0.0);
    {
        const BoxPlace c = bottom->Place(), b = bottomLegend->Place();
        const int x = static_cast<int>(0.17 * c.w), y = static_cast<int>(0.83 * c.h - b.h - 10);
        const plat::Rect home{x, y, x + b.w, y + b.h};
        int covered = 0;
        for (const auto& [text, box] : DrawnTexts(*bottom))
            covered += Meet(home, box) && text == "400" ? 1 : 0;
        EXPECT_EQ(covered, 1);
    }
    ExpectLegendsClear(legends, "last stage");

    for (int k = 0; k < 15; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    ASSERT_EQ(m->GetMarkedPoint(), 15);
    ExpectLegendsClear(legends, "middle stage");

    for (int k = 0; k < 20; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    ASSERT_EQ(m->GetMarkedPoint(), 0);
    ExpectLegendsClear(legends, "first stage");

    // A stage picked on the load-deflection control chart: top right, the last point.
    Tcontrolchart* control = nullptr;
    for (int which = 0; which < 2 && control == nullptr; ++which)
        if (Tcontrolchart* c = View().GetControlChart(which))
            for (int tag : c->Tags())
                if (tag == kCurvePointStageBase)
                    control = c;
    ASSERT_NE(control, nullptr);
    RecordingDC dc;
    control->Paint(dc, true, control->GetClientRect());
    const plat::Rect r = control->GetClientRect();
    control->EvLButtonDown(0, plat::Point{r.right - 1, r.top});
    control->EvLButtonUp(0, plat::Point{r.right - 1, r.top});
    ASSERT_EQ(m->GetMarkedPoint(), 30);
    ExpectLegendsClear(legends, "picked stage");

    // "Auto Range" (the panel's button), then back to a middle stage and on to the last.
    EXPECT_TRUE(View().OnControlNotify(1000, plat::Notify::Clicked));
    for (int k = 0; k < 15; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    ASSERT_EQ(m->GetMarkedPoint(), 15);
    ExpectLegendsClear(legends, "middle stage after Auto Range");
    for (int k = 0; k < 15; ++k)
        Frame().Dispatch(CmId::NextLoadStage);
    ASSERT_EQ(m->GetMarkedPoint(), 30);
    ExpectLegendsClear(legends, "last stage after Auto Range");
    // Another window size: the charts' numbers move, the legends with them.
    Window().MoveWindow(plat::Rect{0, 0, 1100, 800});
    ExpectLegendsClear(legends, "last stage in a smaller window");
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    ExpectLegendsClear(legends, "last stage in the first window size again");
    // The legends were not taken down and made again on the way.
    EXPECT_EQ(Legends().size(), legends.size());
    for (std::size_t i = 0; i < legends.size() && i < Legends().size(); ++i)
        EXPECT_EQ(Legends()[i].box, legends[i].box);
}

namespace {

std::string Where(const plat::Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

} // namespace

// At 1024 x 768 and 713 x 517 the charts of the "Reinforcement" set are too small for their
// legends to sit at their own places (0.17 of the width, the foot 10 px above 0.83 of the
// height): there they would cover the y numbers, the x numbers along the axis ("30.0" cut to
// "30.") and the demand curves. On the screen each legend's box (a window of its own, which
// hides what lies under it) covers no text, tick or axis line of its chart and stays inside it;
// it covers no pixel of the curves (the top bars' chart at 713 x 517 has no such place over its
// plot: the legend draws its letters closer and stands beside it). On the printed page (a
// letter sheet at 300 per inch) no stroke of the page and no other text runs through the
// legends' letters. One window a test, each a run of its own.
void MemberSetLegends::KeepOffInAWindowOf(int w, int h)
{
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    SolveInAWindowOf(w, h);
    const std::vector<Legend> legends = Legends();
    ASSERT_EQ(legends.size(), 4u);
    int movedOffNumbers = 0;
    for (const Legend& l : legends) {
        ASSERT_NE(l.chart, nullptr);
        const std::string title = l.chart->Data().Title();
        SCOPED_TRACE(title);
        const BoxPlace c = l.chart->Place(), b = l.box->Place();
        const plat::Rect box = RectOf(b);
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= c.w && box.bottom <= c.h) << Where(box);
        for (const auto& [text, r] : DrawnTexts(*l.chart))
            EXPECT_FALSE(Meet(box, r)) << "\"" << text << "\" at " << Where(r) << " under the legend at " << Where(box);
        const DrawnStrokes strokes = DrawnStrokesOf(*l.chart);
        EXPECT_EQ(PixelsInside(strokes.axes, box), 0) << "axis lines or ticks under the legend at " << Where(box);
        // Its own place, in its own font and margin.
        const plat::Size own = l.box->SizeAt(l.box->TitleHeight());
        const int x = static_cast<int>(0.17 * c.w), y = static_cast<int>(0.83 * c.h - own.cy - 10);
        const plat::Rect home{x, y, x + own.cx, y + own.cy};
        bool numbersAtHome = false;
        for (const auto& [text, r] : DrawnTexts(*l.chart))
            numbersAtHome = numbersAtHome || Meet(home, r);
        movedOffNumbers += numbersAtHome ? 1 : 0;
        const int covered = PixelsInside(strokes.data, box);
        if (title.rfind("Top Reinforcement", 0) == 0 && w == 713) {
            // No place over the plot of the legend's height is clear of the curves: the
            // legend draws closer and stands beside the plot.
            EXPECT_LT(b.h, own.cy);
            EXPECT_LT(l.box->Margin(), TTextBox::kTextMargin);
        }
        EXPECT_EQ(covered, 0) << "curve pixels under the legend at " << Where(box);
    }
    // The set's own places cover numbers in both windows (the case the legends mend).
    EXPECT_GE(movedOffNumbers, w == 713 ? 2 : 0);

    // The page as printed: the legends' letters keep clear of every stroke and text.
    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);
    const std::vector<DrawCall> calls = paper.Calls();
    std::vector<plat::Rect> letters, others;
    for (const DrawCall& c : calls)
        if (c.op == "Text" && !c.text.empty() && c.text != " " && c.state.font.escapement == 0) {
            const bool legend = c.text.find("Provided") != std::string::npos ||
                                c.text.find("Effective") != std::string::npos ||
                                c.text.find("Demand") != std::string::npos;
            (legend ? letters : others).push_back(PageBox(c));
        }
    EXPECT_EQ(letters.size(), 11u);  // three lines in three charts, two in the prestress chart's
    const DrawnStrokes page = StrokesOf(calls, -1);
    for (const plat::Rect& l : letters) {
        for (const plat::Rect& o : others)
            EXPECT_FALSE(Meet(l, o)) << "a text at " << Where(o) << " on legend letters at " << Where(l);
        // Within the letters' box less two device pixels all round (the legend's own sample
        // line ends where its word begins).
        const plat::Rect inner{l.left + 2, l.top + 2, l.right - 2, l.bottom - 2};
        EXPECT_EQ(PixelsInside(page.axes, inner), 0) << "strokes through legend letters at " << Where(l);
    }
}

TEST_F(MemberSetLegends, KeepOffTheNumbersAxesAndCurvesAt1024x768AndOnThePage)
{
    KeepOffInAWindowOf(1024, 768);
}

TEST_F(MemberSetLegends, KeepOffTheNumbersAxesAndCurvesAt713x517AndOnThePage)
{
    KeepOffInAWindowOf(713, 517);
}

namespace {

// The height of an upright text run as drawn on its device (its ascent and descent).
int RunHeight(const DrawCall& c) { return PageBox(c).bottom - PageBox(c).top; }

// The first run of the chart's title as the chart draws it (the title's letters before any
// raised or lowered part).
int TitleHeight(Tchart& chart)
{
    RecordingDC dc;
    chart.Paint(dc, true, plat::Rect{0, 0, chart.Place().w, chart.Place().h});
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (!c.text.empty() && chart.Data().Title().rfind(c.text, 0) == 0)
            return RunHeight(c);
    return 0;
}

bool IsLegendWord(const std::string& text)
{
    for (const char* word : {"Provided", "Effective", "Demand"})
        if (text.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

// The "Reinforcement" set at 1024 x 768 and 713 x 517, solved in a window of that size (a run
// each) and solved in the window as it starts (1280 x 1024) then made each size in turn (one
// run for both; the legends keep the letters they were made with, a thirtieth of the larger
// charts' width): on the screen no pixel
// of the demand, provided or effective lines lies under a legend's box (a window that hides what
// lies under it), each legend's letters are no taller than its chart's title's and lie inside
// its box; on the printed page (a letter sheet at 300 per inch) no shown pixel of those lines
// lies under the legends' words, whose letters are no taller than the titles'.
void MemberSetLegends::HideNoCurveAndAreNoTallerThanTheTitles(const std::string& road)
{
    SCOPED_TRACE(road);
    const std::vector<Legend> legends = Legends();
    ASSERT_EQ(legends.size(), 4u);
    for (const Legend& l : legends) {
        ASSERT_NE(l.chart, nullptr);
        SCOPED_TRACE(l.chart->Data().Title());
        const int title = TitleHeight(*l.chart);
        ASSERT_GT(title, 0);
        if (l.box->IsLeftOut())
            continue;
        const BoxPlace c = l.chart->Place(), b = l.box->Place();
        const plat::Rect box = RectOf(b);
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= c.w && box.bottom <= c.h) << Where(box);
        EXPECT_EQ(PixelsInside(DrawnStrokesOf(*l.chart).data, box), 0) << "curve pixels under the legend at " << Where(box);
        RecordingDC dc;
        l.box->Paint(dc, true, plat::Rect{0, 0, b.w, b.h});
        int words = 0;
        for (const DrawCall& t : dc.CallsOf("Text")) {
            if (!IsLegendWord(t.text))
                continue;
            ++words;
            const plat::Rect r = PageBox(t);
            EXPECT_LE(RunHeight(t), title) << "\"" << t.text << "\"";
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= b.w && r.bottom <= b.h)
                << "\"" << t.text << "\" at " << Where(r) << " in a box of " << b.w << " x " << b.h;
        }
        EXPECT_GE(words, 2);
    }

    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);
    const std::vector<DrawCall> calls = paper.Calls();
    // The words of each legend, and the calls of the legends (those drawn through a word's
    // mapping: their own sample lines).
    std::vector<plat::Rect> words;
    std::vector<plat::Mapping> legendMaps;
    int pageTitles = 1 << 20;
    for (const DrawCall& c : calls) {
        if (c.op != "Text" || c.text.empty())
            continue;
        if (IsLegendWord(c.text)) {
            words.push_back(PageBox(c));
            if (std::find(legendMaps.begin(), legendMaps.end(), c.state.mapping) == legendMaps.end())
                legendMaps.push_back(c.state.mapping);
        }
        for (const Legend& l : legends)
            if (l.chart->Data().Title().rfind(c.text, 0) == 0)
                pageTitles = std::min(pageTitles, RunHeight(c));
    }
    int shown = 0;
    for (const Legend& l : legends)
        shown += l.box->IsLeftOut() ? 0 : 1;
    EXPECT_GE(words.size(), static_cast<std::size_t>(2 * shown));
    std::vector<DrawCall> curves;
    for (const DrawCall& c : calls)
        if (std::find(legendMaps.begin(), legendMaps.end(), c.state.mapping) == legendMaps.end())
            curves.push_back(c);
    const std::vector<plat::Point> points = ShownCurvePoints(curves);
    for (const plat::Rect& w : words) {
        EXPECT_LE(w.bottom - w.top, pageTitles) << "legend letters at " << Where(w);
        int under = 0;
        for (const plat::Point& p : points)
            under += w.Contains(p) ? 1 : 0;
        EXPECT_EQ(under, 0) << "curve pixels under the legend's letters at " << Where(w);
    }
}

TEST_F(MemberSetLegends, NeverHideTheCurvesAndAreNoTallerThanTheTitlesSolvedAt1024x768)
{
    SolveInAWindowOf(1024, 768);
    HideNoCurveAndAreNoTallerThanTheTitles("1024 x 768");
}

TEST_F(MemberSetLegends, NeverHideTheCurvesAndAreNoTallerThanTheTitlesSolvedAt713x517)
{
    SolveInAWindowOf(713, 517);
    HideNoCurveAndAreNoTallerThanTheTitles("713 x 517");
}

// One run in the window as it starts, the window made each size from there.
TEST_F(MemberSetLegends, NeverHideTheCurvesAndAreNoTallerThanTheTitles)
{
    SolveInAWindowOf(1280, 1024);
    ShowFrameAt(1024, 768);
    HideNoCurveAndAreNoTallerThanTheTitles("1024 x 768, resized");
    ShowFrameAt(1280, 1024);
    ShowFrameAt(713, 517);
    HideNoCurveAndAreNoTallerThanTheTitles("713 x 517, resized");
}

// At 713 x 517 the top bars' chart narrows its plot to hold its legend beside it; the chart is
// used again for the slope of the next set chosen ("Deformations and Rotations"), which has no
// legend: no chart keeps room for a legend it no longer has.
TEST_F(MemberSetLegends, AChartWithoutALegendKeepsNoRoomForOne)
{
    SolveInAWindowOf(713, 517);
    int banded = 0;
    for (const Legend& l : Legends())
        banded += l.chart && !(l.chart->LegendBand() == plat::Size{}) ? 1 : 0;
    ASSERT_GE(banded, 1);
    ChooseLayout(View(), "Deformations and Rotations");
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
        Tchart* c = View().GetChart(i);
        bool legend = false;
        for (const Legend& l : Legends())
            legend = legend || l.chart == c;
        if (c != nullptr && !legend) {
            EXPECT_EQ(c->LegendBand().cx, 0) << c->Data().Title();
            EXPECT_EQ(c->LegendBand().cy, 0) << c->Data().Title();
        }
    }
}
