// Pictures and printing: a picture's frame follows its reference device, the clipboard takes
// it in both forms, a printout goes to the test PDF printer page by page, and a preview page
// shows the page scaled.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "foundation/Reporter.h"
#include "platform/Picture.h"
#include "platform/Printing.h"
#include "platform/Services.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {
void Sketch(DC& dc) {
    dc.FillRect(Rect{0, 0, 40, 30}, Colors::LtYellow);
    dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::LtBlue});
    dc.MoveTo(5, 5);
    dc.LineTo(120, 80);
    dc.SelectBrush(Brush{false, Colors::LtRed});
    dc.Ellipse(Rect{60, 10, 100, 50});
    dc.SelectFont(LogFont{-14});
    dc.TextOut(10, 100, "Section A");
}

// Two pages: the left half of each page blue, its number written on it.
class TwoPages : public Printout {
public:
    TwoPages() : Printout("Two pages") {}
    bool HasPage(int page) override { return page >= 1 && page <= 2; }
    void BeginPrinting() override { ++begun; }
    void PrintPage(int page, Rect& rect, unsigned) override {
        pages.push_back(page);
        sizes.push_back(GetPageSize());
        GetDC()->FillRect(Rect{0, 0, rect.right / 2, rect.bottom}, Colors::LtBlue);
        GetDC()->SelectFont(LogFont{-rect.bottom / 20});
        GetDC()->TextOut(rect.right * 3 / 4, rect.bottom / 2, "Page " + std::to_string(page));
    }
    int begun = 0;
    std::vector<int> pages;
    std::vector<Size> sizes;
};

int PdfPageCount(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string pdf = s.str();
    // Objects of type /Page (not /Pages).
    int pages = 0;
    for (std::size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
        std::size_t i = at + 5;
        while (i < pdf.size() && (pdf[i] == ' ' || pdf[i] == '\n' || pdf[i] == '\r'))
            ++i;
        if (pdf.compare(i, 5, "/Page") == 0 && (i + 5 >= pdf.size() || pdf[i + 5] != 's'))
            ++pages;
    }
    return pages;
}
} // namespace

class PrintingTest : public GuiTest {
protected:
    void TearDown() override { Printer::UseTestPdfPrinter(""); }
};

TEST_F(PrintingTest, APictureTakesItsPixelsFromTheFrameAndTheReferenceDevice) {
    RecordingDC reference;
    reference.Recorder().caps = DeviceCaps{339, 271, 1280, 1024, 96, 96};
    // 100 mm by 50 mm: 10000 x 1280 / 33900 = 377.6 and 5000 x 1024 / 27100 = 188.9 pixels.
    PictureDC pic(reference, Rect{0, 0, 10000, 5000}, "Quarvish chart ");
    EXPECT_EQ(pic.PixelSize(), (Size{378, 189}));
    EXPECT_EQ(pic.GetDeviceCaps(DevCap::HorzRes), 1280);
    EXPECT_EQ(pic.GetDeviceCaps(DevCap::HorzSize), 339);
    Sketch(pic);
    const Picture picture = pic.Close();
    EXPECT_NE(picture.svg.find("<svg"), std::string::npos);
    EXPECT_NE(picture.svg.find("Quarvish chart"), std::string::npos);
    EXPECT_NE(picture.svg.find("Section A"), std::string::npos);  // text stays text
    ASSERT_EQ(picture.image.Width(), 378);
    ASSERT_EQ(picture.image.Height(), 189);

    // The rendering beside the SVG has the pixels an image gets from the same calls.
    Image direct(378, 189);
    {
        DC dc(direct);
        Sketch(dc);
    }
    for (int y = 0; y < 189; ++y)
        for (int x = 0; x < 378; ++x)
            ASSERT_EQ(picture.image.Pixel(x, y), direct.Pixel(x, y)) << x << "," << y;

    Clipboard::SetPicture(picture);
    EXPECT_EQ(Clipboard::GetPictureSvg(), picture.svg);
    const Image png = Clipboard::GetPicturePng();
    EXPECT_EQ(png.Width(), 378);
    EXPECT_EQ(png.Pixel(2, 2), Colors::LtYellow);
}

TEST_F(PrintingTest, APrintoutOfTwoPagesGoesToTheTestPdfPrinter) {
    TempDir dir;
    const std::string pdf = dir.File("two-pages.pdf");
    Printer::UseTestPdfPrinter(pdf);
    ASSERT_TRUE(Printer::IsAvailable());
    Printer printer;
    EXPECT_TRUE(printer.Setup().landscape);
    const DeviceCaps caps = printer.Caps();
    EXPECT_GT(caps.horzRes, caps.vertRes);  // landscape
    // The page in millimetres and pixels agree with the resolution (A4 less its margins).
    EXPECT_NEAR(caps.horzSizeMm * caps.logPixelsX / 25.4, caps.horzRes, caps.logPixelsX / 25.4 + 1);
    EXPECT_EQ(PrintDC(printer).GetDeviceCaps(DevCap::VertRes), caps.vertRes);

    ScriptedUi ui;
    ui.Print(false);
    TwoPages cancelled;
    EXPECT_FALSE(printer.Print(cancelled, true));
    EXPECT_TRUE(cancelled.pages.empty());

    ui.Print(true);
    TwoPages printout;
    ASSERT_TRUE(printer.Print(printout, true));
    EXPECT_EQ(printout.begun, 1);
    EXPECT_EQ(printout.pages, (std::vector<int>{1, 2}));
    EXPECT_EQ(printout.sizes.front(), (Size{caps.horzRes, caps.vertRes}));
    EXPECT_EQ(printer.PagesPrinted(), 2);
    EXPECT_EQ(PdfPageCount(pdf), 2);
    EXPECT_EQ(printout.GetDC(), nullptr);  // released after the job

    ui.PrintSetup(true);
    EXPECT_TRUE(printer.SetupDialog());

    // A printer that cannot start says so and reports the failure.
    Printer::UseTestPdfPrinter(dir.File("no-such-folder/x.pdf"));
    Printer broken;
    TwoPages lost;
    ui.Message("could not be started", MsgAnswer::Ok);
    EXPECT_FALSE(broken.Print(lost, false));
    EXPECT_EQ(broken.PagesPrinted(), 0);
    EXPECT_TRUE(ui.Done());
}

TEST_F(PrintingTest, APreviewPageShowsThePageScaledToItsWindow) {
    TempDir dir;
    Printer::UseTestPdfPrinter(dir.File("preview.pdf"));
    Printer printer;
    TwoPages printout;
    PreviewPage page(printout, printer, 2);
    page.Create();
    page.MoveWindow(Rect{0, 0, 280, 200});
    page.UpdateWindow();
    EXPECT_EQ(printout.pages, (std::vector<int>{2}));
    const Image& shown = page.BackingImage();
    EXPECT_EQ(shown.Pixel(60, 100), Colors::LtBlue);  // the left half of the page
    EXPECT_EQ(shown.Pixel(150, 20), Colors::White);
    EXPECT_EQ(shown.Pixel(0, 0), Colors::Black);  // the paper's edge

    page.SetPageNumber(0);  // an empty page
    page.UpdateWindow();
    EXPECT_EQ(page.BackingImage().Pixel(60, 100), Colors::White);
    EXPECT_EQ(printout.pages.size(), 1u);
}
