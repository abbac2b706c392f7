// The live Qt font and colour dialogs converting the layer's records there and back.

#include <gtest/gtest.h>

#include "platform/Ui.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

class CommonDialogsTest : public GuiTest {};

TEST_F(CommonDialogsTest, LiveFontAndColourDialogsGiveBackWhatTheyWereOpenedWith) {
    Ui* scripted = SetUi(nullptr);  // the live gateway
    FontDialogData font;
    font.font.face = "Arial";
    font.font.height = -17;
    font.font.weight = 700;
    font.font.italic = true;
    const LogFont before = font.font;
    CloseNextLiveDialog(true);
    const bool fontOk = FontDialog(font);
    ColorDialogData colour;
    colour.color = Color(12, 34, 56);
    colour.custom[3] = Color(0x40, 0x40, 0x40);
    CloseNextLiveDialog(true);
    const bool colourOk = ColorDialog(colour);
    SetUi(scripted);
    EXPECT_TRUE(fontOk);
    EXPECT_EQ(font.font, before);  // pixel height, weight, italic and the face name kept
    EXPECT_TRUE(colourOk);
    EXPECT_EQ(colour.color, Color(12, 34, 56));
    EXPECT_EQ(colour.custom[3], Color(0x40, 0x40, 0x40));
}

#include "platform/DC.h"
#include "platform/Device.h"
#include "platform/Printing.h"

TEST_F(CommonDialogsTest, ThePageSetupDialogDrawsItsPageWithoutAskingForAFontOfNoSize) {
    Ui* scripted = SetUi(nullptr);  // the live gateway
    const std::string pdf = ::testing::TempDir() + "setup.pdf";
    Printer::UseTestPdfPrinter(pdf);
    std::vector<std::string> messages;
    {
        Printer printer;
        QtMessageLog log;
        // Closed once painted, its page picture with its small text among the rest.
        CloseNextLiveDialogPainted(false);
        (void)GetUi().PrintSetupDialog(printer);
        messages = log.messages;
    }
    Printer::UseTestPdfPrinter("");
    SetUi(scripted);
    for (const std::string& m : messages)
        EXPECT_EQ(m.find("Point size <= 0"), std::string::npos) << m;
}

// The program's text is 12 px high, a size in pixels. While the page set-up dialog is up the
// program's font is given in points, the same height at the screen's resolution (12 x 72 / 96 =
// 9 points at 96 pixels per inch), so the dialog's text stands 12 px high like the rest of the
// program's; afterwards the program's font is 12 px again.
TEST_F(CommonDialogsTest, ThePageSetupDialogShowsTheProgramsTextSizeInPoints) {
    const ShownFont program = ProgramFont();
    ASSERT_EQ(program.pixels, 12);
    ASSERT_EQ(program.points, 0.0);
    ASSERT_EQ(program.drawnPixels, 12);
    const int dpi = ScreenDC().GetDeviceCaps(DevCap::LogPixelsY);
    ASSERT_GT(dpi, 0);
    Ui* scripted = SetUi(nullptr);  // the live gateway
    Printer::UseTestPdfPrinter(::testing::TempDir() + "setup.pdf");
    ShownFont seen;
    {
        Printer printer;
        CloseNextLiveDialogPainted(false, seen);
        (void)GetUi().PrintSetupDialog(printer);
    }
    Printer::UseTestPdfPrinter("");
    SetUi(scripted);
    EXPECT_DOUBLE_EQ(seen.points, 12.0 * 72.0 / dpi);
    EXPECT_EQ(seen.pixels, 0);
    EXPECT_EQ(seen.drawnPixels, 12);
    const ShownFont after = ProgramFont();
    EXPECT_EQ(after.pixels, 12);
    EXPECT_EQ(after.points, 0.0);
    EXPECT_EQ(after.drawnPixels, 12);
}
