// Printing the main window, the print preview, the about box, and where the recent-files list
// keeps its entries.

#include <filesystem>
#include <optional>

#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishAboutDlg.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "platform/DC.h"
#include "platform/Device.h"
#include "platform/Dialog.h"
#include "platform/Printing.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "tests/app/ShellFixture.h"

namespace fs = std::filesystem;

namespace plat {
// Tool-bar gadgets in failure messages.
inline void PrintTo(const ToolGadget& g, std::ostream* os) { *os << Describe(g); }
} // namespace plat

namespace {

// The program started with a printer that writes "page.pdf" in the temporary directory.
class PrintingTest : public ShellTest {
protected:
    ~PrintingTest() override { plat::Printer::UseTestPdfPrinter(""); }
    void SetUp() override {
        plat::Printer::UseTestPdfPrinter(dir.File("page.pdf"));
        Start();
    }
};

TEST_F(PrintingTest, TheWindowPrintsAsOneLandscapePageAndKeepsItsSize) {
    Frame().SetFixedClientSize(plat::Size{800, 500});
    const plat::Rect before = Window().GetClientRect();
    EXPECT_EQ(before, (plat::Rect{0, 0, 800, 500}));
    ASSERT_TRUE(Frame().IsMenuItemEnabled(CmId::FilePrint));
    ui.Print(false);  // cancelled in the print dialog: nothing printed
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_FALSE(fs::exists(dir.File("page.pdf")));

    // The nine panels are laid out for the page while it prints, and back afterwards.
    Frame().Dispatch(CmId::NineGraphs);
    TViewm_2k& view = Window().GetViewManager();
    ASSERT_NE(view.GetChart(8), nullptr);
    const plat::Rect panel = view.GetChart(8)->GetWindowRect();
    ui.Print(true);
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(view.GetChart(8)->GetWindowRect(), panel);
    ASSERT_TRUE(fs::exists(dir.File("page.pdf")));
    EXPECT_GT(fs::file_size(dir.File("page.pdf")), 500u);
    EXPECT_EQ(app->GetPrinter().PagesPrinted(), 1);
    EXPECT_TRUE(app->GetPrinter().Setup().landscape);
    EXPECT_EQ(app->GetPrintingCount(), 0);
    EXPECT_EQ(Window().GetClientRect(), before);
    EXPECT_TRUE(Window().IsRedrawOn());
}

// Without a system printer the printer is a PDF file printer: the three commands are enabled,
// "&Print..." asks for the file through the gateway and writes the page there, and a cancelled
// choice writes nothing.
class NoSystemPrinterTest : public StartedShellTest {
protected:
    NoSystemPrinterTest() { plat::Printer::AssumeSystemPrinter(0); }
    ~NoSystemPrinterTest() override { plat::Printer::AssumeSystemPrinter(-1); }
};

TEST_F(NoSystemPrinterTest, ThePrintCommandsPrintToAPdfFileChosenInTheDialog) {
    for (const int id : {CmId::FilePrint, CmId::FilePrintSetup, CmId::FilePrintPreview})
        EXPECT_TRUE(Frame().IsMenuItemEnabled(id)) << id;
    EXPECT_TRUE(app->GetPrinter().IsPdfFilePrinter());
    EXPECT_TRUE(app->GetPrinter().Setup().landscape);

    ui.File(plat::FileDialogKind::Save, std::nullopt);
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(app->GetPrinter().PagesPrinted(), 0);

    const std::string pdf = dir.File("nine graphs.pdf");
    Frame().Dispatch(CmId::NineGraphs);
    ui.File(plat::FileDialogKind::Save, pdf);
    Frame().Dispatch(CmId::FilePrint);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(app->GetPrinter().PagesPrinted(), 1);
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(fs::file_size(pdf), 500u);
    EXPECT_EQ(app->GetPrinter().GetPdfFileName(), pdf);

    // Its set-up dialog is the gateway's; the preview shows the page as for any printer.
    ui.PrintSetup(true);
    Frame().Dispatch(CmId::FilePrintSetup);
    EXPECT_TRUE(ui.Done());
    Frame().Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app->GetPreview(), nullptr);
    app->GetPreview()->Dispatch(PreviewId::Done);
    EXPECT_EQ(app->GetPreview(), nullptr);
    app->IdleAction(0);
}

// "P&rint Setup..." shows the page set-up dialog (the live one) in the program's text size: 12 px
// like the rest of the program, given as the points that make 12 px at the screen's resolution;
// the program's own font is 12 px again once the dialog is closed.
TEST_F(PrintingTest, ThePrintSetupDialogShowsTheProgramsTextSize) {
    plat::Ui* scripted = plat::SetUi(nullptr);  // the live gateway
    plat::ShownFont seen;
    plat::CloseNextLiveDialogPainted(false, seen);
    Frame().Dispatch(CmId::FilePrintSetup);
    plat::SetUi(scripted);
    const double dpi = plat::ScreenDC().GetDeviceCaps(plat::DevCap::LogPixelsY);
    EXPECT_EQ(seen.drawnPixels, 12);
    EXPECT_DOUBLE_EQ(seen.points, 12 * 72 / dpi);
    EXPECT_EQ(plat::ProgramFont().pixels, 12);
    EXPECT_EQ(plat::ProgramFont().drawnPixels, 12);
}

// A page shorter than half a line of the window's font still counts one line.
TEST_F(PrintingTest, APageOfLessThanOneLineStillHasOneLine) {
    TLandPrinter printer;
    TApxPrintout printout(printer, "tiny", Window(), true);
    plat::Image paper(200, 10, plat::Colors::White);
    plat::DC dc(paper);
    printout.SetPrintParams(&dc, plat::Size{200, 2});
    printout.BeginPrinting();
    EXPECT_EQ(printout.GetLinesPerPage(), 1);
    EXPECT_EQ(printer.Setup().minPage, 1);
    EXPECT_EQ(printer.Setup().maxPage, 32001);
    int minPage = -1, maxPage = -1, from = -1, to = -1;
    printout.GetDialogInfo(minPage, maxPage, from, to);
    EXPECT_EQ(minPage + maxPage + from + to, 0);
}

TEST_F(PrintingTest, ThePreviewShowsOnePageInPlaceOfTheMainFrame) {
    app->UpdateCaption("Beam 1");
    Frame().Dispatch(CmId::FilePrintPreview);
    TApxPreviewWin* preview = app->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetCaption(), Frame().GetCaption() + " (Preview)");
    EXPECT_EQ(preview->GetGadgetText(PreviewId::PageText), "Page 1");
    EXPECT_EQ(Window().IsPreviewing(), 1);
    EXPECT_EQ(app->GetPrintingCount(), 1);
    EXPECT_TRUE(preview->IsOpen());
    preview->UpdateToolBar();
    EXPECT_FALSE(preview->IsToolButtonEnabled(PreviewId::PrevPage));
    EXPECT_FALSE(preview->IsToolButtonEnabled(PreviewId::NextPage));
    EXPECT_FALSE(preview->IsToolButtonEnabled(PreviewId::TwoPages));  // landscape
    EXPECT_TRUE(preview->IsToolButtonEnabled(PreviewId::Done));
    // The page is drawn: something darker than paper inside its frame.
    plat::PreviewPage& page = *preview->GetPage1();
    page.UpdateWindow();
    const plat::Rect r = page.GetClientRect();
    EXPECT_GT(r.Width(), 100);
    EXPECT_GT(r.Width(), r.Height());  // landscape
    // Its print button reaches the application's print command.
    ui.Print(false);
    EXPECT_TRUE(preview->Dispatch(CmId::FilePrint));
    EXPECT_TRUE(ui.Done());
    preview->Dispatch(PreviewId::Done);
    EXPECT_EQ(app->GetPreview(), nullptr);
    EXPECT_EQ(app->GetPrintingCount(), 0);
    EXPECT_EQ(Window().IsPreviewing(), 0);
    app->IdleAction(0);  // the closed preview goes
}

TEST_F(PrintingTest, APortraitPreviewShowsAnEmptySecondPage) {
    app->GetPrinter().Setup().landscape = false;
    Frame().ShowFrame(1);
    Frame().SetFrameRect(plat::Rect{40, 30, 840, 630});
    Frame().Dispatch(CmId::FilePrintPreview);
    TApxPreviewWin* preview = app->GetPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetFrameRect(), (plat::Rect{40, 30, 840, 630}));  // in the main frame's place
    EXPECT_TRUE(preview->IsCommandEnabled(PreviewId::TwoPages));
    preview->Dispatch(PreviewId::TwoPages);
    ASSERT_NE(preview->GetPage2(), nullptr);
    EXPECT_EQ(preview->GetPage2()->GetPageNumber(), 0);
    EXPECT_EQ(preview->GetGadgetText(PreviewId::PageText), "Page 1");
    preview->Dispatch(PreviewId::OnePage);
    EXPECT_EQ(preview->GetPage2(), nullptr);
    preview->SetFrameRect(plat::Rect{100, 80, 900, 680});
    // The close box ends it like the done button; the main frame comes back where the
    // preview stood.
    EXPECT_FALSE(preview->Close());
    EXPECT_EQ(app->GetPreview(), nullptr);
    EXPECT_EQ(Frame().GetFrameRect(), (plat::Rect{100, 80, 900, 680}));
}

// Page 1 of the preview stands 15 pixels in from the client's top left corner and fits inside the
// client with 15 pixels to spare on the right and below, touching one of those margins, in
// either orientation and whatever the window's shape. The test printer's page is 13699 x 9583
// pixels (landscape): in a client of 1280 x 985 a landscape page takes the width, 1250 pixels,
// and 66 % of that in height; a portrait page takes the height, 955 pixels, and 66 % of that
// in width.
TEST_F(PrintingTest, ThePreviewPageFitsItsWindowInBothOrientations) {
    Frame().ShowFrame(1);
    for (const bool landscape : {true, false}) {
        for (const plat::Size frame : {plat::Size{1280, 1024}, plat::Size{600, 1000}, plat::Size{1280, 600}}) {
            SCOPED_TRACE(testing::Message() << (landscape ? "landscape " : "portrait ") << frame.cx << " x " << frame.cy);
            app->GetPrinter().Setup().landscape = landscape;
            Frame().SetFrameRect(plat::Rect{0, 0, frame.cx, frame.cy});
            Frame().Dispatch(CmId::FilePrintPreview);
            TApxPreviewWin* preview = app->GetPreview();
            ASSERT_NE(preview, nullptr);
            const plat::DeviceCaps caps = app->GetPrinter().Caps();
            ASSERT_EQ(caps.horzRes > caps.vertRes, landscape);
            const plat::Rect c = preview->GetClient().GetClientRect();
            const plat::Rect page = preview->GetPage1()->GetWindowRect();
            EXPECT_EQ(page.left, 15);
            EXPECT_EQ(page.top, 15);
            EXPECT_LE(page.right, c.right - 15);
            EXPECT_LE(page.bottom, c.bottom - 15);
            EXPECT_TRUE(page.right == c.right - 15 || page.bottom == c.bottom - 15);
            // The page's shape, within the 5 % the preview takes off one side.
            const double shape = double(page.Width()) / page.Height() / (double(caps.horzRes) / caps.vertRes);
            EXPECT_NEAR(shape, 1.0, 0.07);
            if (frame.cx == 1280 && frame.cy == 1024) {
                ASSERT_EQ(c, (plat::Rect{0, 0, 1280, 985}));
                EXPECT_EQ(page, (landscape ? plat::Rect{15, 15, 1265, 840} : plat::Rect{15, 15, 645, 970}));
            }
            preview->Dispatch(PreviewId::Done);
            app->IdleAction(0);
        }
    }
}

// The preview's tool bar: previous and next page, a gap of 6, one page and two pages (a pair
// of which one is pressed, following the mode), a gap of 12, the page text, a gap of 20,
// print, a gap of 20, done. The frame has no message bar.
TEST_F(PrintingTest, ThePreviewsToolBarHoldsThePageTextAndTheOneOrTwoPagePair) {
    app->GetPrinter().Setup().landscape = false;  // a portrait page: two pages may be shown
    Frame().Dispatch(CmId::FilePrintPreview);
    TApxPreviewWin* preview = app->GetPreview();
    ASSERT_NE(preview, nullptr);
    using G = plat::ToolGadget;
    EXPECT_EQ(preview->ToolBarGadgets(), (std::vector<plat::ToolGadget>{{G::Command, PreviewId::PrevPage, 0},
                                                                        {G::Command, PreviewId::NextPage, 0},
                                                                        {G::Separator, 0, 6},
                                                                        {G::Exclusive, PreviewId::OnePage, 0},
                                                                        {G::Exclusive, PreviewId::TwoPages, 0},
                                                                        {G::Separator, 0, 12},
                                                                        {G::Text, PreviewId::PageText, 10},
                                                                        {G::Separator, 0, 20},
                                                                        {G::Command, CmId::FilePrint, 0},
                                                                        {G::Separator, 0, 20},
                                                                        {G::Command, PreviewId::Done, 0}}));
    EXPECT_EQ(preview->GetGadgetText(PreviewId::PageText), "Page 1");
    EXPECT_FALSE(preview->HasGadget(PreviewId::PageText));
    EXPECT_FALSE(preview->IsMessageBarShown());
    EXPECT_TRUE(preview->IsToolButtonPressed(PreviewId::OnePage));
    EXPECT_FALSE(preview->IsToolButtonPressed(PreviewId::TwoPages));

    // Clicked, and sent as commands, the pair follows the mode.
    preview->UpdateToolBar();
    plat::FrameDriver bar(*preview);
    bar.ClickToolButton(PreviewId::TwoPages);
    ASSERT_NE(preview->GetPage2(), nullptr);
    EXPECT_TRUE(preview->IsToolButtonPressed(PreviewId::TwoPages));
    EXPECT_FALSE(preview->IsToolButtonPressed(PreviewId::OnePage));
    EXPECT_EQ(preview->GetGadgetText(PreviewId::PageText), "Page 1");
    bar.ClickToolButton(PreviewId::OnePage);
    EXPECT_EQ(preview->GetPage2(), nullptr);
    EXPECT_TRUE(preview->IsToolButtonPressed(PreviewId::OnePage));
    EXPECT_FALSE(preview->IsToolButtonPressed(PreviewId::TwoPages));
    preview->Dispatch(PreviewId::TwoPages);
    EXPECT_TRUE(preview->IsToolButtonPressed(PreviewId::TwoPages));
    EXPECT_FALSE(preview->IsToolButtonPressed(PreviewId::OnePage));
    preview->Dispatch(PreviewId::OnePage);
    EXPECT_TRUE(preview->IsToolButtonPressed(PreviewId::OnePage));
    EXPECT_FALSE(preview->IsToolButtonPressed(PreviewId::TwoPages));
    preview->Dispatch(PreviewId::Done);
    app->IdleAction(0);
}

TEST_F(StartedShellTest, TheAboutBoxShowsTheProgramsVersion) {
    ui.Dialog("About Quarvish-2010", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(kAboutVersionId), "Quarvish Version 1.9.7");
        EXPECT_NE(d.Text(kAboutCopyrightId), "");
        EXPECT_EQ(d.Text(kAboutSpecialBuildId), "");
        d.Click(1);
    });
    Frame().Dispatch(CmId::HelpAbout);
    EXPECT_TRUE(ui.Done());

    // Without a product version the line keeps its resource text; nothing else is filled.
    TProjectRCVersion::Info info;
    info.productName = "Quarvish";
    ui.Dialog("About Quarvish-2010", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(kAboutVersionId), "Version");
        EXPECT_EQ(d.Text(kAboutCopyrightId), "");
        d.PressEscape();
    });
    TQuarvishAboutDlg about(nullptr, TProjectRCVersion(info));
    about.Execute();
    EXPECT_TRUE(ui.Done());
}

TEST_F(StartedShellTest, RecentFilesKeepOneCanonicalEntryPerFileInTheConfigurationFolder) {
    fs::create_directories(dir.path() / "docs");
    fs::create_directories(dir.path() / "src");
    const std::string file = WriteDocument("docs/x.qvh", {"<q3g_beam A/>"});
    for (const std::string& name : {std::string("docs/x.qvh"), std::string("src/../docs/x.qvh"), file})
        app->OpenFile(name);
    const std::vector<std::string> entries = app->GetRecentFiles().Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], fs::canonical(file).string());
    EXPECT_TRUE(fs::exists(dir.File("config/Quarvish.ini")));
    EXPECT_FALSE(fs::exists(dir.File("Quarvish.ini")));
}

} // namespace
