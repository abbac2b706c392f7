// The texts the computing code shows, in the real main window: the dual-section dump, the shear
// convergence dump, the long-term block, the loading page's listing and the catalogue's
// quick-define report each open the "View Data" dialog itself (Copy, Close, Cancel, its hint
// line), over the window that shows them, with the text in its edit.

#include <gtest/gtest.h>

#include <string>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tdataview.h"
#include "dialogs/Catalog.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/QuickDefine.h"
#include "foundation/Diagnostics.h"
#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "foundation/WorkerPool.h"
#include "app/ShellServices.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "platform/Frame.h"
#include "platform/PropertySheet.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/BeamShellAtDebugLevels.h"
#include "views/BeamModeInstall.h"

namespace {

struct ViewDataRoads : BeamShellAtDebugLevels {
    // The program's catalogue and member sheet.
    TSectionInputDialogs sectionDialogs{GetInputDialogs()};
    TQuickDefineDialogs catalogDialogs{sectionDialogs};
    TMemberInputDialogs memberDialogs{catalogDialogs};
    TInputDialogs* previousDialogs = SetInputDialogs(&memberDialogs);

    ~ViewDataRoads() override { SetInputDialogs(previousDialogs); }

    // The next "View Data" expected over the parent: the dialog itself with its controls; its text
    // is kept and it is closed with Close.
    void ExpectViewData(const plat::Window* parent, std::string& shown, bool endDebug = true) {
        ui.Dialog("View Data", [parent, &shown, endDebug](plat::DialogDriver& d) {
            auto* view = dynamic_cast<Tdataview*>(&d.GetWindow());
            ASSERT_NE(view, nullptr) << "not the program's View Data dialog";
            EXPECT_EQ(view->GetParentWindow(), parent);
            EXPECT_EQ(d.Text(kCopyButtonId), "Copy");
            EXPECT_EQ(d.Text(plat::DialogResult::Ok), "Close");
            EXPECT_EQ(d.Text(plat::DialogResult::Cancel), "Cancel");
            bool hint = false;
            for (const plat::DialogItem& item : view->GetTemplate().items)
                hint = hint || item.text == "Click on button to Copy data to Windows Clipboard";
            EXPECT_TRUE(hint);
            shown = d.Text(kDataEditId);
            if (endDebug)
                SetDebugLevel(0);  // one dump is enough
            d.Click(plat::DialogResult::Ok);
        });
    }
};

} // namespace

TEST_F(ViewDataRoads, TheDualSectionDumpOpensViewDataOverTheMainWindow) {
    TSectionalAnalysis* a = nullptr;
    Frame().Dispatch(CmId::SectionalResponse);
    a = Window().GetCurrentAnalysis();
    ASSERT_NE(a, nullptr);
    EnterDebugLevel(2);
    std::string dump;
    ExpectViewData(&Window(), dump);
    RunToFinish(*a, 5000);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(dump.rfind("Dual Section results\r\n\r\n\r\n cross section limits: ", 0), 0u) << dump;
    EXPECT_EQ(g_ReportText, nullptr);
}

// The interaction diagram's stages converge through the shear-convergence loop; its lines run
// one after another here, so that the first dump, which ends the debug mode, is the only one.
TEST_F(ViewDataRoads, TheShearConvergenceDumpOpensViewDataOverTheMainWindow) {
    const int workers = GetWorkerCount();
    SetWorkerCount(1);
    EnterDebugLevel(3);
    std::string dump;
    ExpectViewData(&Window(), dump);
    Frame().Dispatch(CmId::MNInteraction);
    TSectionalAnalysis* a = Window().GetCurrentAnalysis();
    ASSERT_NE(a, nullptr);
    RunToFinish(*a, 5000);
    EXPECT_TRUE(ui.Done());
    SetWorkerCount(workers);
    EXPECT_EQ(dump.rfind("results of No shea rconvergence : ", 0), 0u) << dump;
    EXPECT_EQ(g_ReportText, nullptr);
}

TEST_F(ViewDataRoads, TheLongTermBlockOpensViewDataOverTheMainWindow) {
    dynamic_cast<TBeam&>(*g_Structures[0]).SetTimeData(1, 28.0, -50e3, 0.0);
    EnterDebugLevel(3);
    std::string block;
    ExpectViewData(&Window(), block);
    Frame().Dispatch(CmId::SectionalResponse);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(block.rfind("Time Dependent Effects Results\r\n-------------------------\r\nShrinkage Strain: ", 0),
              0u)
        << block;
    EXPECT_EQ(g_ReportText, nullptr);
}

// A double click on the dead-load page of "Full Member Properties", outside its controls.
TEST_F(ViewDataRoads, TheLoadingPagesListingOpensViewDataOverThePage) {
    SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]);
    std::string listing;
    const plat::Window* page = nullptr;
    ui.Dialog("Full Member Properties", [&](plat::DialogDriver& d) {
        d.SwitchPage(3);
        auto& sheet = dynamic_cast<plat::PropertySheet&>(d.GetWindow());
        plat::PropertyPage& dead = sheet.GetPage(3);
        page = &dead;
        ExpectViewData(&dead, listing, false);
        plat::FrameDriver::DoubleClickWindow(dead, plat::Point{3, 3});
        d.Click(plat::DialogResult::Cancel);
    });
    Frame().Dispatch(CmId::FullMemberProperties);
    EXPECT_TRUE(ui.Done());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(listing.rfind("Moment and Shear Force Diagram information\r\n-----\r\n\r\nType: Dead Loads\r\n", 0), 0u)
        << listing;
    EXPECT_EQ(g_ReportText, nullptr);
}

// "New" in the "Catalog of Elements": the wizard builds a section and what the build reported
// is shown over the catalogue.
TEST_F(ViewDataRoads, TheCataloguesQuickDefineReportOpensViewDataOverTheCatalogue) {
    std::string report;
    ui.Dialog("Catalog of Elements", [&](plat::DialogDriver& d) {
        plat::Window* catalogue = &d.GetWindow();
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& w) {
            w.Next();
            w.Next();
            w.Next();
            AddLoadError("Bar 45M not in the bar list: 35M taken");  // as the section builder reports
            w.Finish();
        });
        ExpectViewData(catalogue, report, false);
        d.Click(CatalogId::New);
        d.Click(plat::DialogResult::Cancel);
    });
    Frame().Dispatch(CmId::Catalog);
    EXPECT_TRUE(ui.Done());
    EXPECT_NE(report.find("Bar 45M not in the bar list: 35M taken"), std::string::npos) << report;
    EXPECT_EQ(g_ReportText, nullptr);
    g_QuickDefData = TQuickDefData{};
}
