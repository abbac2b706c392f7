// The help keys worked through the keyboard of the started shell: F1 over a highlighted menu
// item, F1 held while a command arrives, and context help entered from a menu.

#include "app/CommandIds.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Window.h"
#include "support/HelpRecorder.h"
#include "tests/app/ShellFixture.h"

namespace {

// The popups of the menu bar, counted from 0.
constexpr int kViewMenu = 5;

class HelpKeysTest : public StartedShellTest {
protected:
    void SetUp() override {
        StartedShellTest::SetUp();
        app->SetStatusText("Ready");
    }
    void TearDown() override {
        Keys().CloseMenus();
        Keys().KeyUp(plat::VKey::F1);
    }
    // Whether "Cross Section" ran: it writes its name into the message bar.
    bool CrossSectionRan() { return Frame().GetMessageText() == "Cross Section"; }

    plat::FrameDriver Keys() { return plat::FrameDriver(Frame()); }

    HelpRecorder help;
};

TEST_F(HelpKeysTest, F1OnAHighlightedMenuItemOpensThatItemsTopicInsteadOfRunningIt) {
    Keys().OpenMenu(kViewMenu);
    ASSERT_TRUE(Keys().IsMenuOpen());
    EXPECT_EQ(Frame().HighlightedMenuCommand(), 0);
    Keys().Key(plat::VKey::Down);
    ASSERT_EQ(Frame().HighlightedMenuCommand(), CmId::CrossSection);
    Keys().Key(plat::VKey::Down);
    ASSERT_EQ(Frame().HighlightedMenuCommand(), CmId::ViewXml);
    Keys().Key(plat::VKey::Up);
    Keys().Key(plat::VKey::F1);
    // The item's topic, not the contents; the menu is closed and the command did not run.
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"command-5097"}));
    EXPECT_FALSE(Keys().IsMenuOpen());
    EXPECT_FALSE(CrossSectionRan());
    EXPECT_FALSE(app->InContextHelp());
    // Afterwards the command runs as usual.
    EXPECT_TRUE(Frame().Dispatch(CmId::CrossSection));
    EXPECT_TRUE(CrossSectionRan());
    EXPECT_EQ(help.opened.size(), 1u);
}

TEST_F(HelpKeysTest, ACommandArrivingWhileF1IsHeldOpensItsTopic) {
    // F1 alone opens the contents, once however long the key is held.
    Keys().KeyHeld(plat::VKey::F1, 5);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{""}));
    EXPECT_TRUE(Frame().Dispatch(CmId::CrossSection));
    EXPECT_FALSE(CrossSectionRan());
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"", "command-5097"}));
    Keys().KeyUp(plat::VKey::F1);
    EXPECT_TRUE(Frame().Dispatch(CmId::CrossSection));
    EXPECT_TRUE(CrossSectionRan());
    EXPECT_EQ(help.opened.size(), 2u);
}

TEST_F(HelpKeysTest, F1InAMenuWithNothingHighlightedStartsContextHelpForTheItemChosenNext) {
    Keys().OpenMenu(kViewMenu);
    ASSERT_EQ(Frame().HighlightedMenuCommand(), 0);
    Keys().Key(plat::VKey::F1);
    EXPECT_TRUE(help.opened.empty());
    EXPECT_TRUE(app->InContextHelp());
    // The menu stays open, with its first item highlighted by the Return that F1 sent.
    ASSERT_TRUE(Keys().IsMenuOpen());
    EXPECT_EQ(Frame().HighlightedMenuCommand(), CmId::CrossSection);
    Keys().Key(plat::VKey::Return);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"command-5097"}));
    EXPECT_FALSE(CrossSectionRan());
    EXPECT_FALSE(app->InContextHelp());
}

TEST_F(HelpKeysTest, EscapeInAMenuClosesItAndLeavesContextHelpForTheNextEscape) {
    Keys().Key(plat::VKey::F1, true);
    EXPECT_TRUE(app->InContextHelp());
    Keys().OpenMenu(kViewMenu);
    Keys().Key(plat::VKey::Escape);
    EXPECT_FALSE(Keys().IsMenuOpen());
    EXPECT_TRUE(app->InContextHelp());
    Keys().Key(plat::VKey::Escape);
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_TRUE(help.opened.empty());
}

} // namespace

namespace {

// While context help is on, its cursor stands over the whole program; once it ends, by a
// topic shown or by Escape, the program's windows show their own cursors again: the arrow.
class HelpCursorTest : public HelpKeysTest {
protected:
    void ExpectArrow(const char* when) {
        SCOPED_TRACE(when);
        EXPECT_FALSE(app->InContextHelp());
        EXPECT_FALSE(plat::ProgramCursorShown());
        EXPECT_EQ(Window().GetCursor(), plat::Cursor::Arrow);
    }
    void ExpectHelpCursor(const char* when) {
        SCOPED_TRACE(when);
        EXPECT_TRUE(app->InContextHelp());
        EXPECT_TRUE(plat::ProgramCursorShown());
    }
};

} // namespace

TEST_F(HelpCursorTest, TheArrowIsBackAfterATopicAndAfterEscape) {
    ExpectArrow("at the start");
    Keys().Key(plat::VKey::F1, true);
    ExpectHelpCursor("Shift+F1");
    Keys().Key(plat::VKey::Escape);
    ExpectArrow("Escape");

    // Shift+F1 pressed twice: one Escape still ends it.
    Keys().Key(plat::VKey::F1, true);
    Keys().Key(plat::VKey::F1, true);
    ExpectHelpCursor("Shift+F1 twice");
    Keys().Key(plat::VKey::Escape);
    ExpectArrow("Escape after Shift+F1 twice");

    // A command chosen from a menu shows its topic.
    Keys().Key(plat::VKey::F1, true);
    Keys().OpenMenu(kViewMenu);
    Keys().Key(plat::VKey::Down);
    Keys().Key(plat::VKey::Return);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"command-5097"}));
    ExpectArrow("a menu command's topic");

    // A tool-bar button.
    Frame().UpdateToolBar();
    Keys().Key(plat::VKey::F1, true);
    Keys().ClickToolButton(CmId::CrossSection);
    EXPECT_EQ(help.opened.size(), 2u);
    ExpectArrow("a tool-bar button's topic");

    // F1 on a highlighted menu item, with and without context help on before.
    for (const bool contextHelpFirst : {false, true}) {
        SCOPED_TRACE(contextHelpFirst ? "in context help" : "out of context help");
        if (contextHelpFirst)
            Keys().Key(plat::VKey::F1, true);
        Keys().OpenMenu(kViewMenu);
        Keys().Key(plat::VKey::Down);
        Keys().Key(plat::VKey::F1);
        EXPECT_EQ(help.Anchors().back(), "command-5097");
        ExpectArrow("F1 on a highlighted item");
    }

    // F1 in a menu with nothing highlighted starts context help; Escape closes the menu, the
    // next Escape ends context help.
    Keys().OpenMenu(kViewMenu);
    Keys().Key(plat::VKey::F1);
    ExpectHelpCursor("F1 in a menu");
    Keys().Key(plat::VKey::Escape);
    Keys().Key(plat::VKey::Escape);
    ExpectArrow("Escape out of the menu and out of context help");
    EXPECT_EQ(help.opened.size(), 4u);
    EXPECT_FALSE(CrossSectionRan());
}
