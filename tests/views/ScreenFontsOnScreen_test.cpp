// Laying the nine graphs out for the printer, in the real window with its events running: a
// print preview closed and a print made leave every chart's title drawn as before (its font
// heights, its place, and the extent of its title as measured in its font). Run in a
// virtual X server (PrintLayoutXvfb), where the window's resizes arrive as events after the page
// was laid out.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "platform/Application.h"
#include "platform/Printing.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

namespace {

struct ScreenFonts : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ScreenFonts() { plat::Printer::UseTestPdfPrinter(dir.File("page.pdf")); }
    ~ScreenFonts() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetBeamLogicFactory(std::move(previous));
    }

    struct Title {
        double title = 0, text = 0;
        BoxPlace place;
        plat::Size extent;
    };
    std::vector<Title> Titles()
    {
        std::vector<Title> all;
        plat::Image scratch(1, 1);
        plat::DC dc(scratch);
        TViewm_2k& view = Window().GetViewManager();
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (const Tchart* c = view.GetChart(i))
                all.push_back({c->TitleHeight(), c->TextHeight(), c->Place(),
                               MeasureRichText(dc, c->Data().Title(), c->TitleFont())});
        return all;
    }
    void ExpectSame(const std::vector<Title>& before, const char* when)
    {
        const std::vector<Title> after = Titles();
        ASSERT_EQ(after.size(), before.size()) << when;
        for (std::size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(std::string(when) + ", panel " + std::to_string(i + 1));
            EXPECT_EQ(after[i].title, before[i].title);
            EXPECT_EQ(after[i].text, before[i].text);
            EXPECT_EQ(after[i].place, before[i].place);
            EXPECT_EQ(after[i].extent, before[i].extent);
        }
    }
};

// The frame as the program was tried (QV_TEST_FRAME, 1280x1024 in the virtual X server of
// PrintLayoutXvfb). Without it the test is skipped: the offscreen platform's screen is smaller
// than such a frame, and a frame that does not fit its screen is cut to it when it is shown
// again after the preview, so the charts follow a new size there.
TEST_F(ScreenFonts, TitlesSurviveAPreviewAndAPrintWithTheEventsRunning)
{
    int w = 0, h = 0;
    const char* given = std::getenv("QV_TEST_FRAME");
    if (!given || std::sscanf(given, "%dx%d", &w, &h) != 2)
        GTEST_SKIP() << "runs in a real window (PrintLayoutXvfb)";
    Frame().ShowFrame(1);
    Frame().SetFrameRect(plat::Rect{0, 0, w, h});
    plat::Application::SettleEvents();
    g_Structures[0] = TestSection::MakeBeam();
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    ASSERT_NE(g_Analyses[0], nullptr);
    RunToFinish(*g_Analyses[0], 5000);
    for (int pass = 0; pass < 3; ++pass)
        app->IdleAction(pass);
    Frame().Dispatch(CmId::NineGraphs);
    plat::Application::SettleEvents();
    ASSERT_NE(Window().GetViewManager().GetChart(6), nullptr);
    EXPECT_EQ(Window().GetViewManager().GetChart(6)->Data().Title(), "Principal Compressive Stress");
    const std::vector<Title> before = Titles();
    ASSERT_EQ(before.size(), 9u);

    Frame().Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app->GetPreview(), nullptr);
    plat::Application::SettleEvents();
    app->GetPreview()->Dispatch(PreviewId::Done);
    plat::Application::SettleEvents();

    ExpectSame(before, "after a preview");

    ui.Print(true);
    Frame().Dispatch(CmId::FilePrint);
    plat::Application::SettleEvents();
    EXPECT_TRUE(ui.Done());
    ExpectSame(before, "after a print");
}

} // namespace
