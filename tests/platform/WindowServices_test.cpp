// Services of windows that views and charts use: cursors, capture, the child list, redraw
// switching, coordinates, and message boxes raised while painting; recent files in the INI
// file, the clipboard and help.

#include <gtest/gtest.h>

#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/Window.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

class WindowServicesTest : public GuiTest {};

namespace {
class Box : public Window {
public:
    void Paint(DC& dc, bool erase, const Rect& rect) override {
        ++paints;
        lastErase = erase;
        lastRect = rect;
        dc.FillRect(Rect{0, 0, 2, 2}, Colors::LtRed);
        if (complain)
            answers.push_back(MessageBox("Bitmap missing", "Quarvish", MsgStyle::Ok | MsgStyle::IconStop));
    }
    int paints = 0;
    bool lastErase = false;
    Rect lastRect;
    bool complain = false;
    std::vector<int> answers;
};
} // namespace

TEST_F(WindowServicesTest, CursorsChildrenAndCoordinates) {
    Box parent;
    parent.Create();
    parent.MoveWindow(Rect{0, 0, 100, 80});
    Box a, b;
    a.Create(&parent);
    b.Create(&parent);
    EXPECT_EQ(parent.GetChildren(), (std::vector<Window*>{&a, &b}));
    EXPECT_EQ(a.GetParent(), &parent);
    {
        Box c;
        c.Create(&parent);
        EXPECT_EQ(parent.GetChildren().size(), 3u);
    }
    EXPECT_EQ(parent.GetChildren().size(), 2u);  // a destroyed child leaves the list

    EXPECT_EQ(a.GetCursor(), Cursor::Arrow);
    a.SetCursor(Cursor::Cross);
    EXPECT_EQ(a.GetCursor(), Cursor::Cross);

    b.MoveWindow(Rect{10, 20, 50, 60});
    EXPECT_EQ(b.GetWindowRect(), (Rect{10, 20, 50, 60}));
    EXPECT_EQ(b.ScreenToClient(b.ClientToScreen(Point{3, 4})), (Point{3, 4}));
}

// What waits to be painted: the bounding box of the invalidated parts inside the window, empty
// once painted.
TEST_F(WindowServicesTest, TheUpdateRectIsWhatWaitsToBePainted) {
    Box w;
    EXPECT_TRUE(w.GetUpdateRect().IsEmpty());  // not created
    w.Create();
    w.MoveWindow(Rect{0, 0, 50, 40});
    w.UpdateWindow();
    EXPECT_TRUE(w.GetUpdateRect().IsEmpty());
    w.InvalidateRect(Rect{40, 2, 70, 12});
    EXPECT_EQ(w.GetUpdateRect(), (Rect{40, 2, 50, 12}));
    w.InvalidateRect(Rect{8, 8, 30, 30}, false);
    EXPECT_EQ(w.GetUpdateRect(), (Rect{8, 2, 50, 30}));
    w.UpdateWindow();
    EXPECT_EQ(w.lastRect, (Rect{8, 2, 50, 30}));
    EXPECT_TRUE(w.GetUpdateRect().IsEmpty());
    w.Invalidate();
    EXPECT_EQ(w.GetUpdateRect(), (Rect{0, 0, 50, 40}));
}

// A long command puts a window on the screen without the loop: what is invalid is painted at
// once, and what a client context drew stays; a hidden window shows nothing.
TEST_F(WindowServicesTest, ShowNowPaintsAtOnceWithoutTheLoop) {
    Box w;
    w.Create();
    w.MoveWindow(Rect{0, 0, 50, 40});
    w.ShowNow();
    EXPECT_EQ(w.paints, 0);  // not shown yet
    w.Show(true);
    w.UpdateWindow();
    const int before = w.paints;
    w.InvalidateRect(Rect{5, 5, 15, 15});
    {
        ClientDC dc(w);
        dc.FillRect(Rect{30, 30, 40, 40}, Colors::LtBlue);
    }
    w.ShowNow(Rect{0, 0, 20, 20});
    EXPECT_EQ(w.paints, before + 1);
    EXPECT_EQ(w.lastRect, (Rect{5, 5, 15, 15}));
    EXPECT_TRUE(w.GetUpdateRect().IsEmpty());
    w.Invalidate(false);
    w.ShowNow();
    EXPECT_EQ(w.paints, before + 2);
    EXPECT_EQ(w.BackingImage().Pixel(35, 35), Colors::LtBlue);  // not erased
}

TEST_F(WindowServicesTest, ClientDrawingStaysUntilTheNextInvalidationAndNothingPaintsWhileRedrawIsOff) {
    Box w;
    w.Create();
    w.MoveWindow(Rect{0, 0, 50, 40});
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 1);
    EXPECT_TRUE(w.lastErase);
    EXPECT_EQ(w.lastRect, (Rect{0, 0, 50, 40}));
    {
        ClientDC dc(w);
        dc.FillRect(Rect{10, 10, 20, 20}, Colors::LtBlue);
    }
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 1);  // nothing was invalid
    EXPECT_EQ(w.BackingImage().Pixel(15, 15), Colors::LtBlue);
    EXPECT_EQ(w.BackingImage().Pixel(1, 1), Colors::LtRed);

    w.InvalidateRect(Rect{8, 8, 30, 30});
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 2);
    EXPECT_EQ(w.lastRect, (Rect{8, 8, 30, 30}));
    EXPECT_TRUE(w.BackingImage().Pixel(15, 15) == Colors::White);  // erased

    w.SetRedraw(false);
    w.Invalidate();
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 2);
    w.SetRedraw(true);
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 3);
}

TEST_F(WindowServicesTest, AMessageBoxRaisedWhilePaintingIsShownOnceAfterThePaint) {
    ScriptedUi ui;
    Box w;
    w.Create();
    w.MoveWindow(Rect{0, 0, 40, 30});
    w.complain = true;
    w.UpdateWindow();
    w.Invalidate();
    w.UpdateWindow();  // raised again before it could be shown
    EXPECT_EQ(w.paints, 2);
    EXPECT_EQ(w.answers, (std::vector<int>{MsgAnswer::Ok, MsgAnswer::Ok}));
    EXPECT_EQ(ui.Count("Bitmap missing"), 0);  // not inside the paint
    w.complain = false;
    ui.Message("Bitmap missing", MsgAnswer::Ok);
    Application::SettleEvents();
    EXPECT_EQ(ui.Count("Bitmap missing"), 1);
    EXPECT_TRUE(ui.Done());
}

TEST_F(WindowServicesTest, RecentFilesKeepTheNewestFourInTheIniFile) {
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

TEST_F(WindowServicesTest, ClipboardKeepsTextByteForByte) {
    Clipboard::SetText("a\tb\r\n1.5\t2\r\n");
    EXPECT_EQ(Clipboard::GetText(), "a\tb\r\n1.5\t2\r\n");
    Clipboard::SetImage(Image(8, 8, Colors::LtRed));
    EXPECT_TRUE(Clipboard::HasImage());
}

TEST_F(WindowServicesTest, HelpOpensThePageOrSaysNoneIsInstalled) {
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

TEST_F(WindowServicesTest, HelpThatNoProgramShowsIsToldOnceAndAnswersFalse) {
    TempDir dir;
    dir.Write("Quarvish.html", "<html></html>");
    Help::SetPagePath(dir.File("Quarvish.html"));
    int calls = 0;
    Help::SetOpener([&](const std::string&) {
        ++calls;
        return false;
    });
    {
        ScriptedUi ui;
        ui.Message("could not be shown", MsgAnswer::Ok);
        EXPECT_FALSE(Help::ShowTopic(24331));
        ASSERT_EQ(ui.requests.size(), 1u);
        EXPECT_NE(ui.requests[0].text.find("#command-24331"), std::string::npos);
    }
    {
        ScriptedUi ui;
        ui.Message("could not be shown", MsgAnswer::Ok);
        EXPECT_FALSE(Help::ShowWebPage("https://example.org/quarvish"));
        ASSERT_EQ(ui.requests.size(), 1u);
        EXPECT_NE(ui.requests[0].text.find("https://example.org/quarvish"), std::string::npos);
    }
    EXPECT_EQ(calls, 2);
    Help::SetOpener({});
    Help::SetPagePath("");
}
