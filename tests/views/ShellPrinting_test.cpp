// Printing the beam mode's nine graphs from the real main window: what the page carries (its
// heading, its frame) and what the window keeps on screen after a print preview.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/DateTime.h"
#include "platform/Printing.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

namespace {

// A beam with stirrups under moment and shear, solved to its end in the nine-graph layout, in a
// frame of 1280 x 1024 as the program was tried; the printer is the test PDF printer.
struct PrintedBeam : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    PrintedBeam()
    {
        plat::Printer::UseTestPdfPrinter(dir.File("page.pdf"));
    }
    ~PrintedBeam() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetBeamLogicFactory(std::move(previous));
    }
    // The run goes to its end in one go, or in the window's idle passes as the program runs it
    // (which fills the control charts at its end), there until stop says so.
    using StopWhen = std::function<bool(const TSectionalAnalysis&)>;
    TViewm_2k& Solve(bool idle = false, const StopWhen& stop = {})
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = TestSection::MakeBeam();
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = g_Analyses[0].get();
        EXPECT_NE(a, nullptr);
        if (a && !idle)
            RunToFinish(*a, 5000);
        for (int pass = 0; idle && pass < 5000 && a && a->IsRunning() && !(stop && stop(*a)); ++pass)
            app->IdleAction(pass);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        Frame().Dispatch(CmId::NineGraphs);
        return Window().GetViewManager();
    }
};

// The printed page of the nine graphs carries the status text as its heading (the status
// line reads "Current Loads" after the solve) and a frame around the whole page, as the
// preview shows it.
TEST_F(PrintedBeam, ThePageIsHeadedByTheStatusTextAndFramed)
{
    TViewm_2k& view = Solve();
    ASSERT_EQ(view.GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_EQ(Frame().GetMessageText(), "Current Loads");
    const plat::Rect client = Window().GetClientRect();
    const int W = client.Width(), H = client.Height();
    ASSERT_GT(W, 1000);
    RecordingDC dc;
    view.Paint(dc, 1, 0);
    // The heading: bold "Arial" of W/45 at (10, trunc(0.01 H)), left and top.
    const plat::Point at{10, static_cast<int>(0.01 * H)};
    std::vector<DrawCall> headings;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.run.at == at && c.state.font.weight == 700)
            headings.push_back(c);
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(headings[0].text, "Current Loads");
    EXPECT_EQ(headings[0].state.font.height, W / 45);
    // The frame: the page's rectangle, hollow, drawn last.
    const std::vector<DrawCall> rects = dc.CallsOf("Rectangle");
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.back().rect, (plat::Rect{0, 0, W, H}));
    EXPECT_TRUE(rects.back().state.brush.hollow);
    EXPECT_EQ(rects.back().state.pen.color, plat::Colors::Black);
    EXPECT_EQ(dc.Calls().back().op, "Rectangle");

    // A status text longer than the 49 characters kept is cut.
    Window().SetStatusText(std::string(60, 'x'));
    RecordingDC cut;
    view.Paint(cut, 1, 0);
    bool found = false;
    for (const DrawCall& c : cut.CallsOf("Text"))
        found = found || (c.run.at == at && c.text == std::string(49, 'x'));
    EXPECT_TRUE(found);
}

// Laying the page out for the printer leaves the screen's fonts and chart sizes as they were:
// after a preview (which lays the page out every time it paints) and after a print job, every
// chart has its former title and text heights and its place.
TEST_F(PrintedBeam, ScreenFontsAndSizesSurviveAPreviewAndAPrint)
{
    TViewm_2k& view = Solve();
    struct Shown {
        double title, text;
        BoxPlace place;
    };
    const auto shown = [&view] {
        std::vector<Shown> all;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (const Tchart* c = view.GetChart(i))
                all.push_back({c->TitleHeight(), c->TextHeight(), c->Place()});
        for (int i = 0; i < 2; ++i)
            if (const Tchart* c = view.GetControlChart(i))
                all.push_back({c->TitleHeight(), c->TextHeight(), c->Place()});
        return all;
    };
    // The seventh title, "Principal Compressive Stress", is fitted to its panel on screen.
    ASSERT_NE(view.GetChart(6), nullptr);
    EXPECT_EQ(view.GetChart(6)->Data().Title(), "Principal Compressive Stress");
    const std::vector<Shown> before = shown();
    ASSERT_EQ(before.size(), 11u);

    Frame().Dispatch(CmId::FilePrintPreview);
    TApxPreviewWin* preview = app->GetPreview();
    ASSERT_NE(preview, nullptr);
    for (int i = 0; i < 3; ++i) {
        preview->GetPage1()->Invalidate();
        preview->GetPage1()->UpdateWindow();
    }
    preview->Dispatch(PreviewId::Done);
    app->IdleAction(0);
    ui.Print(true);
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_TRUE(ui.Done());

    const std::vector<Shown> after = shown();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(after[i].title, before[i].title);
        EXPECT_EQ(after[i].text, before[i].text);
        EXPECT_EQ(after[i].place, before[i].place);
    }
}

// The moment line of the information panel as a page of the window draws it.
std::string PanelMoment(TViewm_2k& view)
{
    RecordingDC dc;
    view.Paint(dc, 1, 0);
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.text.rfind("Moment:= ", 0) == 0)
            return c.text;
    return {};
}

// The moment line of the page the printer gets, drawn through a printout of the window.
std::string PrintedMoment(TQuarvishApp& app, plat::Window& window)
{
    RecordingDC dc;
    TApxPrintout printout(app.GetPrinter(), "page", window, true);
    const plat::DeviceCaps caps = app.GetPrinter().Caps();
    printout.SetPrintParams(&dc, plat::Size{caps.horzRes, caps.vertRes});
    plat::Rect page{0, 0, caps.horzRes, caps.vertRes};
    printout.PrintPage(1, page, 0);
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.text.rfind("Moment:= ", 0) == 0)
            return c.text;
    return {};
}

// A stage picked on an ended run stays the stage shown, in the charts, the information panel
// and the page, before, during and after a preview and a print.
TEST_F(PrintedBeam, APickedStageStaysShownThroughAPreviewAndAPrint)
{
    TViewm_2k& view = Solve(true);
    TSectionalAnalysis* a = g_Analyses[0].get();
    ASSERT_NE(a, nullptr);
    ASSERT_FALSE(a->IsRunning());
    const std::string atPeak = PanelMoment(view);
    for (int k = 0; k < 8; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    const int picked = view.GetControlChartChoice(0);
    ASSERT_GT(picked, 0);
    const SectionState* state = a->GetCurrentState();
    ASSERT_EQ(state, a->GetStage(picked));
    const std::string moment = PanelMoment(view);
    ASSERT_FALSE(moment.empty());
    ASSERT_NE(moment, atPeak);
    const auto expectPicked = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(a->GetCurrentState(), state);
        EXPECT_EQ(view.GetControlChartChoice(0), picked);
        EXPECT_EQ(PanelMoment(view), moment);
    };

    Frame().Dispatch(CmId::FilePrintPreview);
    TApxPreviewWin* preview = app->GetPreview();
    ASSERT_NE(preview, nullptr);
    preview->GetPage1()->UpdateWindow();
    expectPicked("in the preview");
    EXPECT_EQ(PrintedMoment(*app, Window()), moment);
    ui.Print(true);
    EXPECT_TRUE(preview->Dispatch(CmId::FilePrint));  // printed from the preview
    EXPECT_TRUE(ui.Done());
    expectPicked("printed from the preview");
    preview->Dispatch(PreviewId::Done);
    app->IdleAction(0);
    expectPicked("after the preview");
    ui.Print(true);
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_TRUE(ui.Done());
    expectPicked("after a print");
    Frame().Dispatch(CmId::StopAnalysis);  // nothing runs: nothing to stop
    expectPicked("after Stop Analysis");
}

// The index of a stage of the analysis; -1 when it is none of them.
int StageIndex(const TSectionalAnalysis& a, const SectionState* state)
{
    for (int i = 0; i <= a.GetLastStageIndex(); ++i)
        if (a.GetStage(i) == state)
            return i;
    return -1;
}

// What the window shows of a stage: the stage chosen on the first control chart, the moment of
// the information panel and of the status line, and the data of the nine charts.
struct ShownResults {
    int choice;
    std::string panel, status;
    std::vector<std::vector<double>> charts;
    bool operator==(const ShownResults&) const = default;
};

void PrintTo(const ShownResults& s, std::ostream* os)
{
    *os << "stage " << s.choice << ", panel \"" << s.panel << "\", status \"" << s.status << "\", charts";
    for (const std::vector<double>& c : s.charts)
        *os << ' ' << c.size() << (c.empty() ? "" : "@" + std::to_string(c.front()));
}

ShownResults Shown(plat::Frame& frame, TViewm_2k& view)
{
    ShownResults shown{view.GetControlChartChoice(0), PanelMoment(view), frame.GetGadgetText(406), {}};
    for (int i = 0; i < 9; ++i)
        shown.charts.push_back(view.GetChart(i) ? view.GetChart(i)->Data().Data() : std::vector<double>{});
    return shown;
}

// A run still going when the preview opens, or when "Stop &Analysis" is chosen, is finished, and
// the window then shows where it ended, its peak, as when a run ends by itself: every panel
// shows that stage, so picking it again changes nothing.
TEST_F(PrintedBeam, AStoppedRunShowsItsPeakEverywhere)
{
    // A clock that runs 0.1 s at every reading: the run redraws its panels and control charts
    // now and then, as on a slow machine.
    std::uint64_t now = 5'000'000;
    ScopedTimerSource clock([&now] { return now += 100; });
    for (const bool preview : {true, false}) {
        SCOPED_TRACE(preview ? "preview" : "stop");
        TViewm_2k& view = Solve(true, [](const TSectionalAnalysis& a) {
            return a.GetLastStageIndex() > StageIndex(a, a.GetPeakState()) + 2;
        });
        TSectionalAnalysis* a = g_Analyses[0].get();
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->IsRunning());
        const int peak = StageIndex(*a, a->GetPeakState());
        ASSERT_GT(peak, 0);

        Frame().Dispatch(preview ? CmId::FilePrintPreview : CmId::StopAnalysis);
        EXPECT_FALSE(a->IsRunning());
        EXPECT_EQ(a->GetCurrentState(), a->GetPeakState());
        const ShownResults stopped = Shown(Frame(), view);
        EXPECT_EQ(stopped.choice, peak);
        if (preview) {
            ASSERT_NE(app->GetPreview(), nullptr);
            EXPECT_EQ(PrintedMoment(*app, Window()), stopped.panel);
            app->GetPreview()->Dispatch(PreviewId::Done);
            app->IdleAction(0);
            EXPECT_EQ(Shown(Frame(), view), stopped);
        }
        Window().SelectLoadStage(0.0, 0.0, peak - 1);
        Window().SelectLoadStage(0.0, 0.0, peak);
        EXPECT_EQ(Shown(Frame(), view), stopped);
    }
}

} // namespace
