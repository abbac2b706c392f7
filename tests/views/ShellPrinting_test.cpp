// Printing the beam mode's nine graphs from the real main window: what the page carries (its
// heading, its frame) and what the window keeps on screen after a print preview.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
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
    TViewm_2k& Solve()
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
        if (a)
            RunToFinish(*a, 5000);
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

} // namespace
