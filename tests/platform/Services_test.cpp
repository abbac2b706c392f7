// Recent files in the INI file, the clipboard and help.

#include <gtest/gtest.h>

#include "foundation/Reporter.h"
#include "platform/DC.h"
#include "platform/Services.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

class ServicesTest : public GuiTest {};

TEST_F(ServicesTest, RecentFilesKeepTheNewestFourInTheIniFile) {
    TempDir dir;
    const std::string ini = dir.File("Quarvish.ini");
    {
        RecentFiles recent(ini);
        for (const char* f : {"/a/one.qvh", "/a/two.qvh", "/a/three.qvh", "/a/four.qvh", "/a/five.qvh"})
            recent.Add(f);
        recent.Add("/a/three.qvh");
    }
    RecentFiles reread(ini);
    EXPECT_EQ(reread.Entries(),
              (std::vector<std::string>{"/a/three.qvh", "/a/five.qvh", "/a/four.qvh", "/a/two.qvh"}));
    reread.Remove("/a/five.qvh");
    EXPECT_EQ(reread.Entries().size(), 3u);
    const std::string longName = "/home/engineer/projects/bridges/girder-section-final.qvh";
    EXPECT_EQ(reread.MenuText(longName).size(), 30u);
    EXPECT_EQ(reread.MenuText(longName).substr(0, 3), "...");
    EXPECT_EQ(reread.MenuText("/a/one.qvh"), "/a/one.qvh");
}

TEST_F(ServicesTest, ClipboardKeepsTextByteForByte) {
    Clipboard::SetText("a\tb\r\n1.5\t2\r\n");
    EXPECT_EQ(Clipboard::GetText(), "a\tb\r\n1.5\t2\r\n");
    Clipboard::SetImage(Image(8, 8, Colors::LtRed));
    EXPECT_TRUE(Clipboard::HasImage());
}

TEST_F(ServicesTest, HelpOpensThePageOrSaysNoneIsInstalled) {
    TempDir dir;
    Help::SetPagePath(dir.File("Quarvish.html"));
    std::vector<std::string> opened;
    Help::SetOpener([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    {
        ScriptedUi ui;
        ui.Message("No help is installed", MsgAnswer::Ok);
        EXPECT_FALSE(Help::ShowContents());
    }
    dir.Write("Quarvish.html", "<html></html>");
    EXPECT_TRUE(Help::ShowContents());
    EXPECT_TRUE(Help::ShowTopic(24331));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[1].find("#command-24331"), std::string::npos);
    Help::SetOpener({});
    Help::SetPagePath("");
}
