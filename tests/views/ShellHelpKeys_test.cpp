// The help keys beyond the main frame's own menus: a chart's right-click menu and the print
// preview's buttons and keys, worked through the started shell with real menus and keys on a
// solved beam. Whatever the road (F1 held, Shift+F1, F1 on a highlighted item), the command's
// topic is asked for and the command does not run; Escape leaves context help without one.

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/TBoxItem.h"
#include "charts/Tchart.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Printing.h"
#include "support/HelpRecorder.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

namespace {

std::string Topic(int id) { return "command-" + std::to_string(id); }

// A beam with stirrups under moment and shear, solved in the nine-graph layout.
struct ShellHelpKeys : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    HelpRecorder help;

    ShellHelpKeys() { plat::Printer::UseTestPdfPrinter(dir.File("page.pdf")); }
    ~ShellHelpKeys() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetBeamLogicFactory(std::move(previous));
    }

    void SetUp() override
    {
        StartedShellTest::SetUp();
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1024, 768});
        plat::Application::SettleEvents();
        g_Structures[0] = TestSection::MakeBeam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        ASSERT_NE(g_Analyses[0], nullptr);
        RunToFinish(*g_Analyses[0], 5000);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        plat::Application::SettleEvents();
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
        ASSERT_NE(View().GetChart(kShearStress), nullptr);
        ASSERT_EQ(View().GetChart(kShearStress)->Data().Title(), "Shear Stress");
    }
    void TearDown() override
    {
        plat::FrameDriver::DropMenuSteps();
        Keys().CloseMenus();
        Keys().KeyUp(plat::VKey::F1);
        if (app->GetPreview())
            app->EndPreview();
    }

    TViewm_2k& View() { return Window().GetViewManager(); }
    plat::FrameDriver Keys() { return plat::FrameDriver(Frame()); }

    // The panel of a plain line chart, whose "View Data" shows its points.
    static constexpr int kShearStress = 5;

    // Right-clicks the shear-stress chart and works its menu, shown for real, by the steps; the menu
    // is closed after them whatever they did.
    void ChartMenu(std::function<void()> steps, bool thenDataView = false)
    {
        ui.LivePopup();
        if (thenDataView)
            ui.DataView([](std::string&) { return true; });
        plat::FrameDriver::WhenMenuOpens([this, steps = std::move(steps)] {
            menuWasOpen = plat::FrameDriver::IsPopupMenuOpen();
            try {
                steps();
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            menuStayedOpen = plat::FrameDriver::IsPopupMenuOpen();
            Keys().CloseMenus();
        });
        Tchart& chart = *View().GetChart(kShearStress);
        plat::FrameDriver::ClickWindow(chart, {chart.Place().w / 2, chart.Place().h / 2}, true);
        plat::FrameDriver::DropMenuSteps();
        EXPECT_TRUE(menuWasOpen);
    }
    // Whether anything but a popup menu went through the gateway ("View Data" opens the data
    // dialog, "Print" the print dialog).
    bool AnyDialogOpened() const
    {
        for (const UiRequest& r : ui.requests)
            if (r.kind != "popup")
                return true;
        return false;
    }

    bool menuWasOpen = false, menuStayedOpen = false;
};

TEST_F(ShellHelpKeys, AChartMenuItemClickedWhileF1IsHeldOrInContextHelpShowsItsTopic)
{
    // F1 held: its press asks for the contents, the click for the item's topic.
    Keys().KeyDown(plat::VKey::F1);
    ChartMenu([this] { Keys().ClickMenuItem(CM_VIEWDATA); });
    Keys().KeyUp(plat::VKey::F1);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"", Topic(CM_VIEWDATA)}));
    EXPECT_FALSE(menuStayedOpen);
    EXPECT_FALSE(AnyDialogOpened());

    // Shift+F1, then the same item.
    Keys().Key(plat::VKey::F1, true);
    ASSERT_TRUE(app->InContextHelp());
    ChartMenu([this] { Keys().ClickMenuItem(CM_VIEWDATA); });
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"", Topic(CM_VIEWDATA), Topic(CM_VIEWDATA)}));
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_FALSE(plat::ProgramCursorShown());  // the arrow again
    EXPECT_FALSE(AnyDialogOpened());

    // Afterwards the item runs as usual.
    ChartMenu([this] { Keys().ClickMenuItem(CM_VIEWDATA); }, true);
    EXPECT_TRUE(AnyDialogOpened());
    EXPECT_EQ(help.opened.size(), 3u);
}

TEST_F(ShellHelpKeys, F1OnAHighlightedChartMenuItemShowsItsTopicAndClosesTheMenu)
{
    int highlighted = 0;
    ChartMenu([&] {
        for (int k = 0; k < 12 && highlighted != CM_VIEWDATA; ++k) {
            Keys().Key(plat::VKey::Down);
            highlighted = plat::FrameDriver::HighlightedItem();
        }
        Keys().Key(plat::VKey::F1);
    });
    ASSERT_EQ(highlighted, CM_VIEWDATA);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{Topic(CM_VIEWDATA)}));
    EXPECT_FALSE(menuStayedOpen);
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_FALSE(plat::ProgramCursorShown());
    EXPECT_FALSE(AnyDialogOpened());

    // Escape in the menu is the menu's; the next Escape leaves context help, with no topic.
    Keys().Key(plat::VKey::F1, true);
    ChartMenu([this] { Keys().Key(plat::VKey::Escape); });
    EXPECT_FALSE(menuStayedOpen);
    EXPECT_TRUE(app->InContextHelp());
    Keys().Key(plat::VKey::Escape);
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_EQ(help.opened.size(), 1u);
    EXPECT_FALSE(AnyDialogOpened());
}

TEST_F(ShellHelpKeys, ThePreviewsButtonsAndKeysShowTheirTopicsInContextHelpAndTheyDoNotRun)
{
    Frame().Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app->GetPreview(), nullptr);
    TApxPreviewWin& preview = *app->GetPreview();
    plat::Application::SettleEvents();
    plat::FrameDriver keys(preview);

    // "Done" clicked while F1 is held.
    keys.KeyDown(plat::VKey::F1);
    keys.ClickToolButton(PreviewId::Done);
    keys.KeyUp(plat::VKey::F1);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"", Topic(PreviewId::Done)}));
    ASSERT_EQ(app->GetPreview(), &preview);

    // Shift+F1, then the one-page button (already pressed), the two-page button, Print, Alt+C.
    keys.Key(plat::VKey::F1, true);
    ASSERT_TRUE(app->InContextHelp());
    keys.ClickToolButton(PreviewId::OnePage);
    keys.Key(plat::VKey::F1, true);
    keys.AltKey('C');
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"", Topic(PreviewId::Done), Topic(PreviewId::OnePage),
                                                        Topic(PreviewId::Done)}));
    ASSERT_EQ(app->GetPreview(), &preview);
    EXPECT_TRUE(preview.IsToolButtonPressed(PreviewId::OnePage));
    EXPECT_FALSE(preview.IsToolButtonPressed(PreviewId::TwoPages));
    keys.Key(plat::VKey::F1, true);
    keys.ClickToolButton(24337);
    EXPECT_EQ(help.Anchors().back(), Topic(24337));
    EXPECT_FALSE(plat::ProgramCursorShown());
    EXPECT_FALSE(AnyDialogOpened());

    // Escape in context help leaves it without a topic, and the preview stays.
    keys.Key(plat::VKey::F1, true);
    EXPECT_TRUE(plat::ProgramCursorShown());
    keys.Key(plat::VKey::Escape);
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_FALSE(plat::ProgramCursorShown());
    ASSERT_EQ(app->GetPreview(), &preview);
    EXPECT_EQ(help.opened.size(), 5u);
    // Out of it, Escape is "Done".
    keys.Key(plat::VKey::Escape);
    plat::Application::SettleEvents();
    EXPECT_EQ(app->GetPreview(), nullptr);
    EXPECT_EQ(help.opened.size(), 5u);
}

} // namespace
