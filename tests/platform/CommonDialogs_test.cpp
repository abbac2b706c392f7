// The font and colour dialogs through the one gateway: scripted answers, and the live Qt
// dialogs converting the layer's records there and back.

#include <gtest/gtest.h>

#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

class CommonDialogsTest : public GuiTest {};

TEST_F(CommonDialogsTest, ScriptedFontAndColourDialogsAnswerThroughTheGateway) {
    ScriptedUi ui;
    ui.Font([](FontDialogData& data) {
          EXPECT_EQ(data.font.face, "Arial");
          data.font.height = -20;
          data.font.weight = 700;
          return true;
      })
        .Font([](FontDialogData& data) {
            data.font.height = -99;
            return false;
        })
        .Colour([](ColorDialogData& data) {
            EXPECT_EQ(data.custom[15], (Color{255, 255, 255}));
            data.color = Colors::LtRed;
            return true;
        });
    FontDialogData font;
    font.font.height = -13;
    EXPECT_TRUE(FontDialog(font));
    EXPECT_EQ(font.font.height, -20);
    EXPECT_EQ(font.font.weight, 700);
    FontDialogData cancelled;
    EXPECT_FALSE(FontDialog(cancelled));
    ColorDialogData colour;
    for (int i = 0; i < 16; ++i) {
        const int n = i < 15 ? 0x10 * (i + 1) : 0xFF;
        colour.custom[static_cast<std::size_t>(i)] = Color(n, n, n);
    }
    EXPECT_TRUE(ColorDialog(colour));
    EXPECT_EQ(colour.color, Colors::LtRed);
}

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
