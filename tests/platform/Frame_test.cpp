// Command routing, enablers, the frame's bars, the idle driver and the modal guard.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/DriverExtras.h"
#include "platform/Frame.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

namespace plat {
// Tool-bar gadgets in failure messages.
inline void PrintTo(const ToolGadget& g, std::ostream* os) { *os << Describe(g); }
} // namespace plat

using namespace plat;

namespace {

std::vector<std::string> g_log;

class BaseClient : public Window {
public:
    BaseClient() {
        AddResponseTable({
            {1, [] { g_log.push_back("base 1"); }, {}},
            {2, [] { g_log.push_back("base 2"); }, {}},
            {5, [] { g_log.push_back("base 5"); }, [](CommandEnabler& ce) { ce.Enable(false); }},
        });
    }
    bool IdleAction(long count) override {
        idleCounts.push_back(count);
        return count < idleRounds;
    }
    std::vector<long> idleCounts;
    long idleRounds = 0;
};

class DerivedClient : public BaseClient {
public:
    DerivedClient() {
        AddResponseTable({
            {1, [] { g_log.push_back("derived 1"); }, {}},
            {5, {}, [this](CommandEnabler& ce) { ce.Enable(allow5); }},
        });
    }
    bool allow5 = true;
};

class TestApp : public Application {
public:
    TestApp() : Application("Test") {
        AddResponseTable({
            {1, [] { g_log.push_back("app 1"); }, {}},
            {3, [] { g_log.push_back("app 3"); }, {}},
            {4, [] { g_log.push_back("app 4"); }, {}},
        });
    }
};

} // namespace

class FrameTest : public GuiTest {
protected:
    void SetUp() override { g_log.clear(); }
};

// A frame around the derived client, created and made the application's main window.
class ClientFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame.CreateFrame();
        app.SetMainWindow(&frame);
    }
    TestApp app;
    DerivedClient client;
    Frame frame{"Test", client};
};

TEST_F(ClientFrameTest, CommandsGoToClientThenFrameThenApplication) {
    frame.AddResponseTable({{3, [] { g_log.push_back("frame 3"); }, {}}});

    for (int id : {1, 2, 3, 4})
        EXPECT_TRUE(frame.Dispatch(id));
    EXPECT_FALSE(frame.Dispatch(99));
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived 1", "base 2", "frame 3", "app 4"}));

    // The derived enabler is found first and decides; without one, answered means enabled.
    EXPECT_TRUE(frame.IsCommandEnabled(5));
    client.allow5 = false;
    EXPECT_FALSE(frame.IsCommandEnabled(5));
    EXPECT_TRUE(frame.IsCommandEnabled(4));
    EXPECT_FALSE(frame.IsCommandEnabled(99));
}

// A tool-bar button's hint stands in the message bar while the pointer rests on the button; it
// gives way to the message it stood in for when the pointer leaves the tool bar, and before the
// button's command runs (a preview or a dialog the command opens takes the pointer away, and
// the hint would stay after it closed).
TEST_F(ClientFrameTest, AToolButtonsHintGivesWayWhenItsCommandRunsOrThePointerLeaves) {
    std::string during;
    frame.AddResponseTable({{7, [&] { during = frame.GetMessageText(); }, {}}});
    frame.SetHintSource([](int id) { return id == 7 ? std::string("Preview the page for printing.") : std::string(); });
    frame.AddToolButton(7, "7");
    frame.UpdateToolBar();
    frame.SetMessageText("Current Loads");

    PointAtToolButton(frame, 7);
    EXPECT_EQ(frame.GetMessageText(), "Preview the page for printing.");
    FrameDriver(frame).ClickToolButton(7);
    EXPECT_EQ(during, "Current Loads");
    EXPECT_EQ(frame.GetMessageText(), "Current Loads");

    PointAtToolButton(frame, 7);
    EXPECT_EQ(frame.GetMessageText(), "Preview the page for printing.");
    PointOffToolBar(frame);
    EXPECT_EQ(frame.GetMessageText(), "Current Loads");
}

// The pointer passes over two buttons, one hint following the other, then leaves the tool bar:
// the message the first hint stood in for comes back, not the first hint. The same when the
// second button's command runs.
TEST_F(ClientFrameTest, AToolBarHintGivesWayAfterThePointerPassedOverTwoButtons) {
    std::string during;
    frame.AddResponseTable({{8, [&] { during = frame.GetMessageText(); }, {}}});
    frame.SetHintSource([](int id) {
        return id == 7 ? std::string("Preview the page for printing.")
                       : id == 8 ? std::string("Print the page.") : std::string();
    });
    frame.AddToolButton(7, "7");
    frame.AddToolButton(8, "8");
    frame.UpdateToolBar();
    frame.SetMessageText("Current Loads");

    PointAtToolButton(frame, 7);
    EXPECT_EQ(frame.GetMessageText(), "Preview the page for printing.");
    PointAtToolButton(frame, 8);
    EXPECT_EQ(frame.GetMessageText(), "Print the page.");
    PointOffToolBar(frame);
    EXPECT_EQ(frame.GetMessageText(), "Current Loads");

    PointAtToolButton(frame, 7);
    PointAtToolButton(frame, 8);
    FrameDriver(frame).ClickToolButton(8);
    EXPECT_EQ(during, "Current Loads");
    EXPECT_EQ(frame.GetMessageText(), "Current Loads");
    PointOffToolBar(frame);
    EXPECT_EQ(frame.GetMessageText(), "Current Loads");
}

// A word on a tool-bar button without a bitmap of its own ("Done" in the print preview) is drawn
// in the tool bar's font, not squeezed onto a 24-pixel picture at 8 pixels; a glyph of one or
// two characters keeps its picture, at 11 pixels.
TEST_F(ClientFrameTest, AWordOnAToolButtonWithoutABitmapIsDrawnInTheToolBarsFont) {
    frame.AddToolButton(24505, "Done");
    frame.AddToolButton(5, "5");
    EXPECT_EQ(ToolButtonLetterPixels(frame, 5), 11);
    EXPECT_GE(ToolButtonLetterPixels(frame, 24505), 11);
    EXPECT_EQ(ToolButtonLetterPixels(frame, 99), 0);  // no such button
}

TEST_F(ClientFrameTest, MenuAndToolBarFollowTheEnablers) {
    frame.SetMenu({
        {"&File", {{"&One", 1}, MenuItem::Separator(), {"E&xit\tAlt+F4", 4}}},
        MenuItem::Separator(),
        {"&Edit", {{"&Five", 5, true}, {"&Nothing", 99}}},
    });
    frame.AddToolButton(5, "5");
    frame.AddToolSeparator(6);
    frame.AddToolButton(99, "?");
    frame.SetHintSource([](int id) { return id == 5 ? std::string("Five hint") : std::string(); });

    EXPECT_EQ(frame.GetMenuItemText(4), "E&xit\tAlt+F4");
    EXPECT_TRUE(frame.IsMenuItemEnabled(5));  // greyed in the description, enabled by its enabler
    EXPECT_FALSE(frame.IsMenuItemEnabled(99));
    EXPECT_FALSE(frame.IsToolButtonEnabled(5));  // buttons start disabled
    frame.UpdateToolBar();
    EXPECT_TRUE(frame.IsToolButtonEnabled(5));
    EXPECT_FALSE(frame.IsToolButtonEnabled(99));
    client.allow5 = false;
    frame.UpdateToolBar();
    EXPECT_FALSE(frame.IsToolButtonEnabled(5));
    EXPECT_EQ(frame.ToolButtonIds(), (std::vector<int>{5, 99}));

    frame.SetDynamicItems(4, {{"&1 a.qvh", 700}});
    EXPECT_EQ(frame.GetMenuItemText(700), "&1 a.qvh");
    frame.SetDynamicItems(4, {});
    EXPECT_EQ(frame.GetMenuItemText(700), "");
}

TEST_F(ClientFrameTest, IdleWorkRunsWithItsCountAndNeverInsideAModalInteraction) {
    client.idleRounds = 3;
    Application::SettleEvents();
    ASSERT_GE(client.idleCounts.size(), 4u);
    EXPECT_EQ(std::vector<long>(client.idleCounts.begin(), client.idleCounts.begin() + 4),
              (std::vector<long>{0, 1, 2, 3}));

    // While a message box is open the loop keeps running, but idle work waits.
    client.idleRounds = 1000000;
    client.idleCounts.clear();
    std::size_t callsDuringModal = 0;
    ScriptedUi ui;
    ui.While([&] {
          const std::size_t before = client.idleCounts.size();
          Application::SettleEvents();
          callsDuringModal = client.idleCounts.size() - before;
      })
        .Message("Busy", MsgAnswer::Ok);
    Application::SettleEvents(100);  // idle work under way when the box opens
    EXPECT_FALSE(client.idleCounts.empty());
    EXPECT_EQ(MessageBox("Busy", "Test", MsgStyle::Ok), MsgAnswer::Ok);
    EXPECT_EQ(callsDuringModal, 0u);
    // And it picks up again afterwards.
    const std::size_t after = client.idleCounts.size();
    Application::SettleEvents(100);
    EXPECT_GT(client.idleCounts.size(), after);
    client.idleRounds = 0;
    Application::SettleEvents();
}

TEST_F(FrameTest, ComputingCodeMessagesGoThroughTheGateway) {
    ScriptedUi ui;
    ui.Message("Attempt to write", MsgAnswer::Ok);
    UiReporterScope reporter;
    EXPECT_EQ(ShowMessage("Attempt to write to frozen beam!", "Error"), MsgAnswer::Ok);
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].caption, "Error");
}

TEST_F(ClientFrameTest, ToolBarHoldsItsGadgetsInOrderAndOneExclusiveButtonOfAGroupIsPressed) {
    frame.AddToolButton(1, "1");
    frame.AddToolSeparator(6);
    frame.AddExclusiveToolButton(3, "3", true);
    frame.AddExclusiveToolButton(4, "4", false);
    frame.AddToolSeparator(12);
    frame.AddToolTextGadget(50, 10, "Page 1");
    frame.AddExclusiveToolButton(7, "7", true);  // after another gadget: a group of its own
    using G = ToolGadget;
    EXPECT_EQ(frame.ToolBarGadgets(), (std::vector<ToolGadget>{{G::Command, 1, 0},
                                                               {G::Separator, 0, 6},
                                                               {G::Exclusive, 3, 0},
                                                               {G::Exclusive, 4, 0},
                                                               {G::Separator, 0, 12},
                                                               {G::Text, 50, 10},
                                                               {G::Exclusive, 7, 0}}));
    EXPECT_EQ(frame.ToolButtonIds(), (std::vector<int>{1, 3, 4, 7}));

    // The text gadget is the tool bar's, not the message bar's.
    EXPECT_EQ(frame.GetGadgetText(50), "Page 1");
    EXPECT_FALSE(frame.HasGadget(50));
    frame.SetGadgetText(50, "Page 1 - 2");
    EXPECT_EQ(frame.GetGadgetText(50), "Page 1 - 2");

    EXPECT_TRUE(frame.IsToolButtonPressed(3));
    EXPECT_FALSE(frame.IsToolButtonPressed(4));
    EXPECT_TRUE(frame.IsToolButtonPressed(7));
    EXPECT_FALSE(frame.IsToolButtonPressed(1));
    frame.SetToolButtonPressed(4, true);
    EXPECT_FALSE(frame.IsToolButtonPressed(3));
    EXPECT_TRUE(frame.IsToolButtonPressed(4));
    EXPECT_TRUE(frame.IsToolButtonPressed(7));

    // A click presses the button and sends its command.
    frame.UpdateToolBar();
    FrameDriver driver(frame);
    driver.ClickToolButton(3);
    EXPECT_TRUE(frame.IsToolButtonPressed(3));
    EXPECT_FALSE(frame.IsToolButtonPressed(4));
    EXPECT_EQ(g_log, (std::vector<std::string>{"app 3"}));
    EXPECT_THROW(driver.ClickToolButton(7), std::logic_error);  // no command answers 7: disabled

    EXPECT_TRUE(frame.IsMessageBarShown());
    frame.SetMessageBarShown(false);
    EXPECT_FALSE(frame.IsMessageBarShown());
}

namespace {

// An application that logs the help keys it is asked about.
class HelpKeyApp : public TestApp {
public:
    bool ProcessHelpKey(int key, bool shift) override {
        helpKeys.push_back(shift ? -key : key);
        return key == VKey::F1;
    }
    bool ProcessMenuHelpKey() override {
        ++menuHelpKeys;
        return true;
    }
    std::vector<int> helpKeys;
    int menuHelpKeys = 0;
};

class MenuFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame.CreateFrame();
        app.SetMainWindow(&frame);
        frame.SetMenu({
            {"&File", {{"&One", 1}, MenuItem::Separator(), {"&Three", 3}, {"&Four", 4}}},
            {"&Edit", {{"&Two", 2}}},
        });
        frame.AddResponseTable({{3, [] { g_log.push_back("frame 3"); }, {}}});
        frame.ShowFrame(1);
    }
    void TearDown() override { driver.CloseMenus(); }
    HelpKeyApp app;
    DerivedClient client;
    Frame frame{"Test", client};
    FrameDriver driver{frame};
};

} // namespace

TEST_F(MenuFrameTest, ArrowKeysHighlightItemsAndF1ChoosesTheHighlightedOneForTheApplication) {
    EXPECT_EQ(frame.HighlightedMenuCommand(), 0);
    driver.OpenMenu(0);
    ASSERT_TRUE(driver.IsMenuOpen());
    EXPECT_EQ(frame.HighlightedMenuCommand(), 0);
    driver.Key(VKey::Down);
    EXPECT_EQ(frame.HighlightedMenuCommand(), 1);
    driver.Key(VKey::Down);  // over the separator
    EXPECT_EQ(frame.HighlightedMenuCommand(), 3);
    // F1 is the application's menu help key: the item is then chosen as Return chooses it.
    driver.Key(VKey::F1);
    EXPECT_EQ(app.menuHelpKeys, 1);
    EXPECT_TRUE(app.helpKeys.empty());
    EXPECT_FALSE(driver.IsMenuOpen());
    EXPECT_EQ(g_log, (std::vector<std::string>{"frame 3"}));
    EXPECT_EQ(frame.HighlightedMenuCommand(), 0);
}

TEST_F(MenuFrameTest, EscapeInAMenuIsTheMenusAndF1OutsideTheApplicationsHelpKey) {
    driver.OpenMenu(1);
    driver.Key(VKey::Escape);
    EXPECT_TRUE(app.helpKeys.empty());
    EXPECT_FALSE(driver.IsMenuOpen());

    EXPECT_FALSE(IsHelpKeyDown());
    driver.KeyDown(VKey::F1, true);
    EXPECT_TRUE(IsHelpKeyDown());
    driver.KeyUp(VKey::F1);
    EXPECT_FALSE(IsHelpKeyDown());
    driver.Key(VKey::Escape);
    EXPECT_EQ(app.helpKeys, (std::vector<int>{-VKey::F1, VKey::Escape}));
    EXPECT_EQ(app.menuHelpKeys, 0);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(MenuFrameTest, AHeldF1IsOnePressHoweverTheKeyboardRepeatsIt) {
    driver.KeyHeld(VKey::F1, 4);
    EXPECT_EQ(app.helpKeys, (std::vector<int>{VKey::F1}));
    EXPECT_TRUE(IsHelpKeyDown());
    driver.KeyUp(VKey::F1);
    EXPECT_FALSE(IsHelpKeyDown());
    driver.Key(VKey::F1);
    EXPECT_EQ(app.helpKeys, (std::vector<int>{VKey::F1, VKey::F1}));
    // In a menu the held key chooses the highlighted item once.
    driver.OpenMenu(0);
    driver.Key(VKey::Down);
    driver.KeyHeld(VKey::F1, 3);
    driver.KeyUp(VKey::F1);
    EXPECT_EQ(app.menuHelpKeys, 1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived 1"}));
    EXPECT_EQ(app.helpKeys.size(), 2u);
}

namespace {

// An application with context help: Shift+F1 or F1 in a menu turns it on, Escape off, and
// the next command that arrives while it is on is taken (its id logged) instead of running.
class ContextHelpApp : public TestApp {
public:
    bool ProcessHelpKey(int key, bool shift) override {
        if (key == VKey::F1) {
            on = on || shift;
            return true;
        }
        if (key == VKey::Escape && on) {
            on = false;
            return true;
        }
        return false;
    }
    bool ProcessMenuHelpKey() override { return on = true; }
    bool PreProcessCommand(int id) override {
        if (!on)
            return false;
        on = false;
        topics.push_back(id);
        return true;
    }
    bool InContextHelp() const override { return on; }
    bool on = false;
    std::vector<int> topics;
};

// A frame with a tool bar (a button, an exclusive pair) and Escape as an accelerator key, as
// the print preview has, over the live gateway's popup menus.
class ContextHelpFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_previousUi = SetUi(nullptr);
        frame.CreateFrame();
        app.SetMainWindow(&frame);
        frame.AddToolButton(1, "1");
        frame.AddExclusiveToolButton(3, "3", true);
        frame.AddExclusiveToolButton(4, "4", false);
        frame.SetAccelerators({{VKey::Escape, AccelMod::None, 1}, {'C', AccelMod::Alt, 2}});
        frame.ShowFrame(1);
        frame.UpdateToolBar();
        // Shown, the frame becomes the active window, where its accelerator keys work.
        Application::SettleEvents();
    }
    void TearDown() override {
        FrameDriver::DropMenuSteps();
        driver.CloseMenus();
        SetUi(m_previousUi);
    }
    // A popup menu opened over the frame, worked by the steps while it is open.
    int Popup(std::function<void()> steps) {
        FrameDriver::WhenMenuOpens([this, steps = std::move(steps)] {
            try {
                steps();
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            driver.CloseMenus();
        });
        return PopupMenu({{"&One", 1}, MenuItem::Separator(), {"&Three", 3}, {"&Four", 4}}, Point{200, 200});
    }
    ContextHelpApp app;
    DerivedClient client;
    Frame frame{"Test", client};
    FrameDriver driver{frame};

private:
    Ui* m_previousUi = nullptr;
};

} // namespace

TEST_F(ContextHelpFrameTest, F1InAPopupMenuGivesTheHighlightedItemToTheApplicationAndNothingRuns) {
    int highlighted = 0;
    bool open = false;
    EXPECT_EQ(Popup([&] {
                  open = FrameDriver::IsPopupMenuOpen();
                  driver.Key(VKey::Down);
                  driver.Key(VKey::Down);  // over the separator
                  highlighted = FrameDriver::HighlightedItem();
                  driver.Key(VKey::F1);
              }),
              0);
    EXPECT_TRUE(open);
    EXPECT_EQ(highlighted, 3);
    EXPECT_EQ(app.topics, (std::vector<int>{3}));
    EXPECT_FALSE(app.on);
    EXPECT_FALSE(FrameDriver::IsPopupMenuOpen());
    // Outside context help a click chooses the item.
    EXPECT_EQ(Popup([&] { driver.ClickMenuItem(4); }), 4);
    // Shift+F1, then a click: the click's item is the application's.
    driver.Key(VKey::F1, true);
    ASSERT_TRUE(app.on);
    EXPECT_EQ(Popup([&] { driver.ClickMenuItem(1); }), 0);
    EXPECT_EQ(app.topics, (std::vector<int>{3, 1}));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(ContextHelpFrameTest, ButtonsAndKeysInContextHelpSendNothingAndAnExclusivePairKeepsItsPressedButton) {
    driver.Key(VKey::F1, true);
    driver.ClickToolButton(4);
    EXPECT_EQ(app.topics, (std::vector<int>{4}));
    EXPECT_TRUE(frame.IsToolButtonPressed(3));
    EXPECT_FALSE(frame.IsToolButtonPressed(4));
    driver.Key(VKey::F1, true);
    driver.ClickToolButton(1);
    driver.Key(VKey::F1, true);
    driver.Key('C');  // no Alt: not the accelerator
    driver.AltKey('C');
    EXPECT_EQ(app.topics, (std::vector<int>{4, 1, 2}));
    // Escape in context help leaves it, though Escape is also an accelerator key here.
    driver.Key(VKey::F1, true);
    driver.Key(VKey::Escape);
    EXPECT_FALSE(app.on);
    EXPECT_TRUE(g_log.empty());
    // Out of context help the same keys and clicks send their commands.
    driver.Key(VKey::Escape);
    driver.ClickToolButton(4);
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived 1", "app 4"}));
    EXPECT_TRUE(frame.IsToolButtonPressed(4));
    driver.Key(VKey::F1, true);
    driver.ClickToolButton(3);
    EXPECT_TRUE(frame.IsToolButtonPressed(4));
    EXPECT_FALSE(frame.IsToolButtonPressed(3));
    EXPECT_EQ(app.topics, (std::vector<int>{4, 1, 2, 3}));
}
