// The fonts of the charts in the main window follow from each chart's size now, whatever was
// done before: after a second solve, a round of window sizes that ends where it began, a print
// preview and a switch of layouts, every panel chart and both control charts draw their titles
// pixel for pixel as the first paint after the first solve drew them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "platform/Application.h"
#include "platform/Printing.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

namespace {

// What a chart's title looks like: the chart's size, its font heights, the title's width and
// the pixels of the band its title is drawn in (from the top down to the height of its line).
struct TitlePicture {
    std::string title;
    BoxPlace place;
    double titleHeight = 0, textHeight = 0;
    int band = 0;
    int width = 0;
    std::vector<plat::Color> pixels;
};

TitlePicture PictureOf(Tchart& chart)
{
    TitlePicture p;
    p.title = chart.Data().Title();
    p.place = chart.Place();
    p.titleHeight = chart.TitleHeight();
    p.textHeight = chart.TextHeight();
    const int W = p.place.w, H = p.place.h;
    if (W <= 0 || H <= 0)
        return p;
    plat::Image image(W, H);
    {
        plat::DC dc(image);
        chart.Paint(dc, true, {0, 0, W, H});
        p.width = MeasureRichText(dc, p.title, chart.TitleFont()).cx;
        // The title's line without what a marked-up label hangs below it (a control chart's
        // cross hairs start right under that line, wherever its point is).
        dc.SelectFont(chart.TitleFont());
        p.band = std::min(H, dc.GetTextExtent(p.title).cy);
    }
    for (int y = 0; y < p.band; ++y)
        for (int x = 0; x < W; ++x)
            p.pixels.push_back(image.Pixel(x, y));
    return p;
}

// A beam with stirrups under moment and shear, solved in the nine-graph layout in a frame of
// 1280 x 1024 (as the program was tried).
struct ChartFonts : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ChartFonts() { plat::Printer::UseTestPdfPrinter(dir.File("page.pdf")); }
    ~ChartFonts() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetBeamLogicFactory(std::move(previous));
    }

    void Size(int w, int h)
    {
        Frame().SetFrameRect(plat::Rect{0, 0, w, h});
        plat::Application::SettleEvents();
    }
    void SolveToTheEnd()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        ASSERT_NE(g_Analyses[0], nullptr);
        RunToFinish(*g_Analyses[0], 5000);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        plat::Application::SettleEvents();
    }
    TViewm_2k& View() { return Window().GetViewManager(); }

    std::vector<TitlePicture> Titles()
    {
        std::vector<TitlePicture> all;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i))
                all.push_back(PictureOf(*c));
        for (int i = 0; i < 2; ++i)
            if (Tcontrolchart* c = View().GetControlChart(i))
                all.push_back(PictureOf(*c));
        return all;
    }

    void ExpectSameTitles(const std::vector<TitlePicture>& fresh, const char* when)
    {
        const std::vector<TitlePicture> now = Titles();
        ASSERT_EQ(now.size(), fresh.size()) << when;
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            SCOPED_TRACE(std::string(when) + ", chart " + std::to_string(i) + " \"" + fresh[i].title +
                         "\"");
            EXPECT_EQ(now[i].title, fresh[i].title);
            EXPECT_EQ(now[i].place, fresh[i].place);
            EXPECT_EQ(now[i].titleHeight, fresh[i].titleHeight);
            EXPECT_EQ(now[i].textHeight, fresh[i].textHeight);
            EXPECT_EQ(now[i].band, fresh[i].band);
            if (now[i].band != fresh[i].band)
                continue;
            std::size_t differ = 0;
            for (std::size_t k = 0; k < fresh[i].pixels.size(); ++k)
                differ += now[i].pixels[k] == fresh[i].pixels[k] ? 0 : 1;
            EXPECT_EQ(differ, 0u) << "title pixels that differ from the first paint";
        }
    }
};

TEST_F(ChartFonts, TitlesAfterASolveSizesAPreviewAndALayoutSwitchAreThoseOfTheFirstPaint)
{
    // Shown first: the offscreen platform cuts a frame larger than its screen to the screen
    // when it shows it, not when it is placed afterwards.
    Frame().ShowFrame(1);
    plat::Application::SettleEvents();
    Size(1280, 1024);
    ASSERT_GT(Window().GetClientRect().Width(), 1200);
    g_Structures[0] = TestSection::MakeBeam();
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    Frame().Dispatch(CmId::CrossSection);
    SolveToTheEnd();
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    ASSERT_NE(View().GetChart(6), nullptr);
    // The long title that does not fit its panel at the font its size asks for.
    ASSERT_EQ(View().GetChart(6)->Data().Title(), "Principal Compressive Stress");
    const std::vector<TitlePicture> fresh = Titles();
    ASSERT_EQ(fresh.size(), 11u);
    // Every title fits its chart.
    for (const TitlePicture& t : fresh) {
        EXPECT_GT(t.band, 0) << t.title;
        EXPECT_LE(t.width, t.place.w) << t.title;
    }

    SolveToTheEnd();
    ExpectSameTitles(fresh, "after a second solve");

    // Small and odd sizes, with results shown, and back.
    Size(119, 535);
    Size(1235, 277);
    Size(1280, 1024);
    ExpectSameTitles(fresh, "after a round of window sizes");

    Frame().Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app->GetPreview(), nullptr);
    plat::Application::SettleEvents();
    app->GetPreview()->Dispatch(PreviewId::Done);
    plat::Application::SettleEvents();
    ExpectSameTitles(fresh, "after a print preview");

    Size(119, 535);
    Size(1235, 277);
    Frame().Dispatch(CmId::SingleGraph);
    Size(1280, 1024);
    Frame().Dispatch(CmId::NineGraphs);
    plat::Application::SettleEvents();
    ExpectSameTitles(fresh, "after sizes and a switch to one graph and back");
}

} // namespace
