// Layout switches in the main window with the beam mode after a solve: each layout shows its
// own panels, charts and controls only, whichever layout it was entered from, and the control
// panel is painted again for it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/PanelLayout.h"
#include "app/views/TViewm.h"
#include "app/ShellServices.h"
#include "charts/Tchart.h"
#include "member/TMemberDefinition.h"
#include "platform/Controls.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"
#include "tests/views/StateDiagramsGuard.h"

namespace {

struct LayoutSwitch : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ~LayoutSwitch() override { SetBeamLogicFactory(std::move(previous)); }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // The beam with stirrups under moment and shear, solved to its end; the nine graphs of its
    // first set are shown.
    void Solved() {
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = TestSection::MakeBeam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
        RunToFinish(*Window().GetCurrentAnalysis(), 5000);
        Frame().Dispatch(CmId::NineGraphs);
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    }

    // What each panel chart shows: its graph, title and data (empty for a missing chart).
    struct Shown {
        int id = 0;
        std::string title;
        std::vector<double> data;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> Panels() {
        std::vector<Shown> panels;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
            const Tchart* c = View().GetChart(i);
            panels.push_back(c ? Shown{View().GetChartId(i), c->Data().Title(), c->Data().Data()} : Shown{});
        }
        return panels;
    }

    std::vector<std::string> ControlPanelTexts() {
        RecordingDC dc;
        View().Paint(dc, 0, 0);
        return dc.Texts();
    }
};

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text)
            return true;
    return false;
}

// The Mohr's circle set shown after another set has only what it shows when entered afresh:
// a chart reused for one of its graphs keeps nothing of the graph it showed before, neither
// its data nor its picture (the set's layer graphs have no data without the membrane views).
TEST_F(LayoutSwitch, TheMohrSetKeepsNothingOfThePreviousSet) {
    Solved();
    Frame().Dispatch(CmId::CrossSection);  // every panel chart goes
    Frame().Dispatch(CmId::MohrsCircles);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    const std::vector<Shown> fresh = Panels();
    for (const int set : {3000, 3001, 3002, 3003}) {
        SCOPED_TRACE(set);
        View().SetNineGraphs(set);
        const std::vector<Shown> before = Panels();
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = View().GetChart(i))
                c->UpdateWindow();
        Frame().Dispatch(CmId::MohrsCircles);
        // Every chart, new or reused, is painted again whole: none keeps the picture of the
        // graph it showed before.
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
            const Tchart* c = View().GetChart(i);
            ASSERT_NE(c, nullptr) << i;
            EXPECT_EQ(c->GetUpdateRect(), c->GetClientRect()) << "panel " << i << " after graph " << before[i].id;
        }
        const std::vector<Shown> after = Panels();
        for (std::size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].id, fresh[i].id) << i;
            EXPECT_EQ(after[i].title, fresh[i].title) << i;
            EXPECT_EQ(after[i].data, fresh[i].data) << "panel " << i << ", graph " << after[i].id << " after "
                                                    << before[i].id;
        }
    }
}

// Every switch between layouts paints the control panel again (its title, captions and the mode
// object's texts are the layout's own), from wherever it was entered.
TEST_F(LayoutSwitch, TheControlPanelIsPaintedAgainAtEveryLayoutChange) {
    Solved();
    const plat::Rect client = Window().GetClientRect();
    const int panelWidth = static_cast<int>(kControlPanelFraction * client.Width());
    struct Step {
        int command;
        const char* title;
    };
    const Step steps[] = {
        {CmId::SingleGraph, "Single Graph"},          {CmId::LoadDeformationPlot, "Load-Deformation"},
        {CmId::NineGraphs, "Nine Graphs"},            {CmId::LoadDeformationPlot, "Load-Deformation"},
        {CmId::SingleGraph, "Single Graph"},          {CmId::NineGraphs, "Nine Graphs"},
    };
    const char* titles[] = {"Single Graph", "Nine Graphs", "Load-Deformation", "Paste Data", "Sample Output"};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.title);
        Window().UpdateWindow();
        ASSERT_TRUE(Window().GetUpdateRect().IsEmpty());
        Frame().Dispatch(step.command);
        const plat::Rect waiting = Window().GetUpdateRect();
        EXPECT_LE(waiting.left, 0);
        EXPECT_LE(waiting.top, 0);
        EXPECT_GE(waiting.right, panelWidth);
        EXPECT_GE(waiting.bottom, client.Height());
        const std::vector<std::string> texts = ControlPanelTexts();
        for (const char* t : titles)
            EXPECT_EQ(Has(texts, t), std::string(t) == step.title ||
                                         (std::string(step.title) == "Load-Deformation" &&
                                          (std::string(t) == "Paste Data" || std::string(t) == "Sample Output")))
                << t;
    }
    // A set chosen within the layout leaves the control panel alone.
    Window().UpdateWindow();
    View().SetNineGraphs(3001);
    EXPECT_TRUE(Window().GetUpdateRect().IsEmpty());
}

// The load-deformation layout: its "Sample Output" chart stands between its caption and the
// whole "Add to Graph" button (at 1024 x 768 by hand: x 0.075 W = 76, y 0.395 H = 303, W/10 =
// 102 wide; the button at 0.55 H = 422, so the chart is 422 - H/100 - 303 = 112 high, not W/6
// = 170); the layout has its own controls only, and leaving it takes them away.
TEST_F(LayoutSwitch, TheSampleChartLeavesTheAddButtonWholeAndEachLayoutHasOnlyItsControls) {
    Solved();
    const plat::Rect client = Window().GetClientRect();
    ASSERT_EQ(client, (plat::Rect{0, 0, 1024, 768}));
    EXPECT_NE(View().GetRangeButton(), nullptr);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
    const Tchart* sample = View().GetChart(1);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->GetWindowRect(), (plat::Rect{76, 303, 76 + 102, 303 + 112}));
    const plat::Button* add = View().GetAddButton();
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->GetText(), "Add to Graph");
    EXPECT_TRUE(add->IsVisible());
    EXPECT_EQ(add->GetPlace(), (plat::Rect{46, 422, 46 + 163, 422 + 38}));  // 0.045 W, 0.16 W, 0.05 H
    EXPECT_LE(sample->GetWindowRect().bottom, add->GetPlace().top);
    EXPECT_EQ(View().GetRangeButton(), nullptr);
    EXPECT_NE(View().GetPasteCombo(), nullptr);
    // Resizing keeps the chart clear of the button.
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    EXPECT_EQ(View().GetChart(1)->GetWindowRect(), (plat::Rect{96, 404, 96 + 128, 404 + 149}));  // 563 - 10 - 404

    Frame().Dispatch(CmId::NineGraphs);
    EXPECT_EQ(View().GetAddButton(), nullptr);
    EXPECT_EQ(View().GetPasteCombo(), nullptr);
    EXPECT_NE(View().GetRangeButton(), nullptr);
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        EXPECT_NE(View().GetChart(i), nullptr) << i;
}

// The status line follows the layout: the graph layouts, entered from the cross-section page,
// show the loads of the stage on display instead of the text the
// previous layout left, on the screen's status line and in the printed heading alike.
TEST_F(LayoutSwitch, TheStatusLineFollowsTheLayout) {
    Solved();
    const struct {
        int command;
        const char* text;
    } steps[] = {{CmId::CrossSection, "Cross Section"}, {CmId::NineGraphs, "Current Loads"},
                 {CmId::CrossSection, "Cross Section"}, {CmId::SingleGraph, "Current Loads"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.text);
        Frame().Dispatch(step.command);
        EXPECT_EQ(Frame().GetMessageText(), step.text);
        EXPECT_EQ(View().GetStatusText(), step.text);
    }
    // The loads are the shown stage's: the moment gadget reads the solved beam's moment.
    EXPECT_EQ(Frame().GetGadgetText(406).rfind("M : ", 0), 0u) << Frame().GetGadgetText(406);
}

// The pushover layout's status line is the member's: "Full Member Analysis" with the marked
// point's load factor, deflection (mm, one decimal in SI) and axial load (kN); leaving the layout
// for the nine graphs takes it away again.
TEST_F(LayoutSwitch, ThePushoverStatusIsTheMembers) {
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    const StateDiagramsGuard diagrams;
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = TestSection::MakeBeam();
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    ASSERT_EQ(SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]), 1);
    Frame().Dispatch(CmId::MemberResponse);
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Pushover);
    EXPECT_EQ(Frame().GetMessageText(), "Full Member Analysis");
    EXPECT_EQ(View().GetStatusText(), "Full Member Analysis");
    // Before any step the marked point is the member's unloaded start.
    EXPECT_EQ(Frame().GetGadgetText(405), "Load Factor :   0.0");
    EXPECT_EQ(Frame().GetGadgetText(406), "Dy :   0.0 mm");
    EXPECT_EQ(Frame().GetGadgetText(407), "Axial :   0.0 kN");

    Frame().Dispatch(CmId::NineGraphs);
    EXPECT_NE(Frame().GetMessageText(), "Full Member Analysis");
    EXPECT_EQ(Frame().GetGadgetText(405).find("Load Factor"), std::string::npos);
}

} // namespace
