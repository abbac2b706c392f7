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

#include "platform/Printing.h"

TEST_F(CommonDialogsTest, ThePageSetupDialogDrawsItsPageWithoutAskingForAFontOfNoSize) {
    Ui* scripted = SetUi(nullptr);  // the live gateway
    const std::string pdf = ::testing::TempDir() + "setup.pdf";
    Printer::UseTestPdfPrinter(pdf);
    std::vector<std::string> messages;
    {
        Printer printer;
        QtMessageLog log;
        // Up long enough for its page picture, with its small text, to be painted.
        CloseNextLiveDialogAfter(300, false);
        (void)GetUi().PrintSetupDialog(printer);
        messages = log.messages;
    }
    Printer::UseTestPdfPrinter("");
    SetUi(scripted);
    for (const std::string& m : messages)
        EXPECT_EQ(m.find("Point size <= 0"), std::string::npos) << m;
}
