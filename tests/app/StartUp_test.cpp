// Start-up in a temporary program directory, the menu tree, status texts and help keys.

#include <filesystem>
#include <set>

#include "app/CommandIds.h"
#include "app/MenuTree.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "tests/app/ShellFixture.h"

namespace fs = std::filesystem;

TEST_F(StartedShellTest, StartsOnANewSectionWithItsCataloguesBesideTheProgram) {
    EXPECT_TRUE(fs::exists(dir.File("rebar.dat")));
    EXPECT_TRUE(fs::exists(dir.File("shape.dat")));
    ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(Window().GetProgramTitle(), "Quarvish-2000");
    EXPECT_EQ(g_PrintInColour, 1);
    EXPECT_TRUE(Frame().HasGadget(GadgetId::Status1) && Frame().HasGadget(GadgetId::Status3));
    EXPECT_EQ(Frame().HasGadget(GadgetId::Program), plat::Frame::DesktopWidth() > 800);
}

TEST_F(ShellTest, TheStartUpFileIsOpenedAfterTheDefaultDocument) {
    const std::string file = WriteDocument("Girder.Final.qvh", {"<q3g_beam T-Girder/>"});
    Start(file);
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  girder  -  T-Girder");
    EXPECT_EQ(app->GetFileName(), file);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "T-Girder");
    EXPECT_EQ(app->GetRecentFiles().Entries().front(), file);
    EXPECT_EQ(Frame().GetMessageText(), "Cross Section");
}

TEST_F(ShellTest, AStartUpFileOfAnOlderKindIsReadByItsReader) {
    dir.Write("old.q2t", "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Old girder\nUNITS Metric\n"
                         "SECTION SOLID\n500 300\n0 300\nENDSECTION\n");
    Start(dir.File("old.q2t"));
    ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
    EXPECT_NEAR(Window().GetCurrentStructure()->GetHeight(), 0.5, 1e-9);
}

TEST_F(StartedShellTest, TheCrossSectionStatusTellsWhetherResistanceFactorsApply) {
    struct Row {
        double phi_s;
        const char* text;
    };
    for (const Row& row : {Row{1.0, "Cross Section"}, Row{0.9, "FACTORED"}, Row{1.001, "FACTORED"}}) {
        SCOPED_TRACE(row.phi_s);
        g_ResistanceFactors.phi_s = row.phi_s;
        ASSERT_TRUE(Frame().Dispatch(CmId::CrossSection));
        EXPECT_EQ(Frame().GetMessageText(), row.text);
        EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status1), "");
    }
    g_ResistanceFactors = ResistanceFactors{};
}

TEST(MenuTree, HoldsEveryCommandOnceWithItsText) {
    const std::vector<plat::MenuItem> bar = MainMenu();
    std::vector<std::string> tops;
    std::set<int> ids;
    std::function<void(const std::vector<plat::MenuItem>&)> walk = [&](const std::vector<plat::MenuItem>& items) {
        for (const plat::MenuItem& item : items) {
            if (item.IsPopup()) {
                walk(item.popup);
            } else if (!item.IsSeparator()) {
                EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " twice";
            }
        }
    };
    for (const plat::MenuItem& top : bar)
        if (top.IsPopup())
            tops.push_back(top.text);
    walk(bar);
    EXPECT_EQ(tops, (std::vector<std::string>{"&File", "&Define", "&Loads", "&Catalog", "&Solve", "&View",
                                              "&Options", "&Help"}));
    EXPECT_EQ(ids.size(), 55u);
    struct Row {
        int id;
        const char* text;
    };
    for (const Row& row : {Row{24310, "E&xit\tAlt+F4"}, Row{5098, "&Tendons"}, Row{10000, "View Cross Section (XML format)"},
                           Row{4501, "&Next Load Stage\tPgUp"}, Row{5086, "&N-V Interaction "},
                           Row{4200, "&Object Options\tCtrl+1 "}, Row{2009, "&About..."}}) {
        const plat::MenuItem* item = plat::FindMenuItem(bar, row.id);
        ASSERT_NE(item, nullptr) << row.id;
        EXPECT_EQ(item->text, row.text);
    }
    // Every tool-bar button is a menu command or one of the two without a menu item.
    for (const ToolBarSlot& slot : MainToolBar()) {
        if (slot.id != 0) {
            EXPECT_TRUE(ids.count(slot.id) || slot.id == CmId::DebugMode || slot.id == CmId::ClampingStress) << slot.id;
        }
    }
    EXPECT_EQ(HintText(CmId::FileNew), "Creates a new window");
    EXPECT_EQ(HintText(CmId::Preferences), "");
}

TEST_F(StartedShellTest, HintsOfMenuItemsAndButtonsAppearInTheMessageBarAndAsTips) {
    Frame().ShowHint(CmId::StopAnalysis);
    EXPECT_EQ(Frame().GetMessageText(), "Stop calculating response");
    EXPECT_EQ(Frame().GetToolButtonTip(CmId::StopAnalysis), "Stop calculating response");
    Frame().ShowHint(CmId::FullMemberResults);  // no hint text: an empty bar
    EXPECT_EQ(Frame().GetMessageText(), "");
}

TEST_F(StartedShellTest, CommandsWithoutATargetStayGreyedAndAcceleratorsFollowTheTable) {
    EXPECT_EQ(Frame().GetMenuItemText(CmId::Exit), "E&xit\tAlt+F4");
    // Printing always has a target: the system's printer or else a PDF file.
    for (int id : {CmId::FileNew, CmId::FileOpen, CmId::FileSave, CmId::Catalog, CmId::ViewXml, CmId::CrossSection,
                   CmId::QuickDefine, CmId::HelpAbout, CmId::Preferences, CmId::FilePrint})
        EXPECT_TRUE(Frame().IsMenuItemEnabled(id)) << id;
    for (int id : {CmId::SectionalResponse, CmId::InsertTextBox})
        EXPECT_FALSE(Frame().IsMenuItemEnabled(id)) << id;
    Frame().UpdateToolBar();
    EXPECT_TRUE(Frame().IsToolButtonEnabled(CmId::FileNew));
    EXPECT_TRUE(Frame().IsToolButtonEnabled(CmId::DebugMode));
    EXPECT_FALSE(Frame().IsToolButtonEnabled(CmId::StopAnalysis));
    const std::vector<plat::Accelerator> keys = MainAccelerators();
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[0].id, CmId::NextLoadStage);  // Page Up steps forward
    EXPECT_EQ(keys[2].id, CmId::PrevLoadStage);
}

TEST_F(StartedShellTest, ContextHelpShowsTheTopicInsteadOfRunningTheCommandAndHelpOnlineTheWebPage) {
    std::vector<std::string> opened;
    plat::Help::SetOpener([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    dir.Write("Quarvish.html", "<html></html>");
    plat::Help::SetPagePath(dir.File("Quarvish.html"));
    EXPECT_TRUE(app->ProcessHelpKey(plat::VKey::F1, true));
    EXPECT_TRUE(app->InContextHelp());
    EXPECT_TRUE(Frame().Dispatch(CmId::DebugMode));  // no input dialog: the topic opens instead
    EXPECT_FALSE(app->InContextHelp());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("#command-5300"), std::string::npos);
    EXPECT_TRUE(app->ProcessHelpKey(plat::VKey::F1, true));
    EXPECT_TRUE(app->ProcessHelpKey(plat::VKey::Escape, false));
    EXPECT_FALSE(app->InContextHelp());
    EXPECT_FALSE(app->ProcessHelpKey(plat::VKey::Escape, false));
    EXPECT_TRUE(app->ProcessHelpKey(plat::VKey::F1, false));
    EXPECT_EQ(opened.size(), 2u);
    Frame().Dispatch(CmId::HelpOnline);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2].rfind("https://", 0), 0u);
    plat::Help::SetOpener({});
    plat::Help::SetPagePath("");
}

TEST_F(StartedShellTest, ExitAsksTheSaveQuestionAndCancelKeepsTheProgramOpen) {
    ASSERT_TRUE(Frame().IsOpen());
    Window().GetCurrentStructure()->SetModified(1);
    ui.Message("Save Changes in 'Newbeam'?", MsgAnswer::Cancel);
    EXPECT_TRUE(Frame().Dispatch(CmId::Exit));
    EXPECT_TRUE(Frame().IsOpen());
    ui.Message("Save Changes in 'Newbeam'?", MsgAnswer::No);
    Frame().Dispatch(CmId::Exit);
    EXPECT_FALSE(Frame().IsOpen());
}

TEST_F(StartedShellTest, CommandsOnTheCurrentStructureAreGreyedWithoutOne) {
    Window().DeleteAllStructures();
    for (int id : {CmId::CrossSection, CmId::ViewXml, CmId::Catalog})
        EXPECT_FALSE(Frame().IsMenuItemEnabled(id)) << id;
    EXPECT_TRUE(Frame().IsMenuItemEnabled(CmId::FileNew));
}

TEST_F(ShellTest, CatalogueComplaintsAreShownOnceAtStartUp) {
    dir.Write("rebar.dat", "Strange bar\n");
    std::string shown;
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        shown = d.Text(4028);
        d.Click(1);
    });
    Start();
    EXPECT_NE(shown.find("ERRORS in program load"), std::string::npos);
    EXPECT_NE(shown.find("REBAR: bar listed with no diameter or area : Strange bar"), std::string::npos);
    EXPECT_EQ(ui.requests.back().caption, "View Data");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  Newbeam");  // start-up goes on
}
