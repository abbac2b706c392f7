// Failed opens in the main window with the beam mode and the program's own document engine: a
// file the older readers refuse, and a document cut short, leave the document, its analysis and
// every view as they were. Each box names its file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "member/TMemberDefinition.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"
#include "tests/views/StateDiagramsGuard.h"

namespace {

bool Drew(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t.find(text) != std::string::npos)
            return true;
    return false;
}

struct FailedOpen : StartedShellTest {
    BeamLogicFactory previousFactory = InstallBeamMode();
    TDocumentEngine* previousEngine = SetDocumentEngine(nullptr);
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};

    ~FailedOpen() override {
        SetDocumentEngine(previousEngine);
        SetBeamLogicFactory(std::move(previousFactory));
    }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // The beam with stirrups named "Girder" under moment and shear, written to beam.qvh and
    // opened from there: the summary page shows it.
    std::string OpenGoodBeam() {
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = TestSection::MakeBeam();
        g_Structures[0]->SetName("Girder");
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        const std::string file = dir.File("beam.qvh");
        EXPECT_TRUE(Window().WriteDocument(file));
        app->OpenFile(file);
        EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
        return file;
    }

    std::vector<const Tchart*> Charts() {
        std::vector<const Tchart*> charts;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            charts.push_back(View().GetChart(i));
        return charts;
    }

    // The texts of the window's screen paint.
    std::vector<std::string> PaintedWindow() {
        RecordingDC dc;
        View().Paint(dc, 0, 0);
        return dc.Texts();
    }
};

TEST_F(FailedOpen, ABinaryFileLeavesTheDocumentItsAnalysisAndItsViewsAsTheyWere) {
    const std::string good = OpenGoodBeam();
    const std::string caption = Frame().GetCaption();
    const TStructure* girder = StructureAt(0);
    std::string bytes;
    for (int i = 0; i < 2048; ++i)
        bytes.push_back(static_cast<char>((i * 37 + 11) % 256));
    dir.Write("picture.xml", bytes);
    const std::string binary = dir.File("picture.xml");

    // Over the summary page.
    const TBase_Logic* logic = View().GetLogic();
    const std::vector<const Tchart*> page = Charts();
    ui.Message("Not a valid file format", MsgAnswer::Ok);
    app->OpenFile(binary);
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_NE(ui.requests[0].text.find(binary), std::string::npos) << ui.requests[0].text;
    EXPECT_EQ(StructureAt(0), girder);
    EXPECT_EQ(app->GetFileName(), good);
    EXPECT_EQ(Frame().GetCaption(), caption);
    EXPECT_EQ(View().GetLogic(), logic);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
    EXPECT_EQ(Charts(), page);
    {
        const std::vector<std::string> dc = PaintedWindow();
        EXPECT_TRUE(Drew(dc, "Geometric Properties"));
        EXPECT_TRUE(Drew(dc, "Girder"));
    }

    // Over the nine graphs of an analysis that is still running.
    Frame().Dispatch(CmId::SectionalResponse);
    TSectionalAnalysis* analysis = Window().GetCurrentAnalysis();
    ASSERT_NE(analysis, nullptr);
    for (int pass = 0; pass < 3; ++pass)
        analysis->Step();
    ASSERT_EQ(analysis->IsRunning(), 1);
    Window().ShowResults(analysis->GetCurrentState(), -1, 0.0, 0.0);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    const std::vector<const Tchart*> nine = Charts();
    ui.Message("Not a valid file format", MsgAnswer::Ok);
    app->OpenFile(binary);
    EXPECT_EQ(Window().GetCurrentAnalysis(), analysis);
    EXPECT_EQ(analysis->IsRunning(), 1);
    EXPECT_EQ(View().GetLogic(), logic);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_EQ(Charts(), nine);
    // The graphs go on with the run and come back when asked for.
    RunToFinish(*analysis, 5000);
    Frame().Dispatch(CmId::NineGraphs);
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        if (View().GetChartId(i) < 200) {
            ASSERT_NE(View().GetChart(i), nullptr) << i;
            EXPECT_FALSE(View().GetChart(i)->IsDataEmpty()) << "graph " << View().GetChartId(i);
        }
    Frame().Dispatch(CmId::CrossSection);
    EXPECT_TRUE(Drew(PaintedWindow(), "Geometric Properties"));
}

TEST_F(FailedOpen, ACutDocumentSaysWhichFileAndLeavesTheDocumentItsAnalysisAndItsViews) {
    const std::string good = OpenGoodBeam();
    Frame().Dispatch(CmId::SectionalResponse);
    const TSectionalAnalysis* analysis = Window().GetCurrentAnalysis();
    ASSERT_NE(analysis, nullptr);
    RunToFinish(*Window().GetCurrentAnalysis(), 5000);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    const std::string caption = Frame().GetCaption();
    const TBase_Logic* logic = View().GetLogic();
    const std::vector<const Tchart*> nine = Charts();

    // Cut just after the '=' of the beam's name: no value was read at all.
    const std::string text = dir.Read("beam.qvh");
    const std::size_t at = text.find("=\"Girder\"");
    ASSERT_NE(at, std::string::npos);
    dir.Write("cut.qvh", text.substr(0, at + 1));
    const std::string cut = dir.File("cut.qvh");
    ui.Message("cut short", MsgAnswer::Ok);
    app->OpenFile(cut);
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].caption, "End of File!");
    EXPECT_NE(ui.requests[0].text.find(cut), std::string::npos) << ui.requests[0].text;

    // The document, its analysis and the nine graphs stay.
    EXPECT_EQ(app->GetFileName(), good);
    EXPECT_EQ(Frame().GetCaption(), caption);
    ASSERT_NE(StructureAt(0), nullptr);
    EXPECT_EQ(StructureAt(0)->GetName(), "Girder");
    EXPECT_EQ(Window().GetCurrentAnalysis(), analysis);
    EXPECT_EQ(View().GetLogic(), logic);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_EQ(Charts(), nine);
    EXPECT_EQ(app->GetRecentFiles().Entries().front(), good);
}

// The panels let go of the analysis before it is deleted: a repaint while the cut document's
// message is up (the box runs the event loop) draws no chart of the deleted analysis.
TEST_F(FailedOpen, PanelsRepaintedUnderTheCutDocumentsMessageDrawNothingDeleted) {
    const StateDiagramsGuard diagrams;
    OpenGoodBeam();
    Frame().Dispatch(CmId::SectionalResponse);
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    RunToFinish(*Window().GetCurrentAnalysis(), 5000);
    Frame().Dispatch(CmId::NineGraphs);
    const std::string text = dir.Read("beam.qvh");
    dir.Write("cut.qvh", text.substr(0, text.find("=\"Girder\"") + 1));
    int painted = 0;
    ui.While([&] {
          for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
              if (Tchart* chart = View().GetChart(i)) {
                  RecordingDC dc;
                  static_cast<plat::Window&>(*chart).Paint(dc, true, chart->GetClientRect());
                  ++painted;
              }
      }).Message("cut short", MsgAnswer::Ok);
    app->OpenFile(dir.File("cut.qvh"));
    EXPECT_EQ(ui.requests.size(), 1u);
    EXPECT_GT(painted, 0);
}

} // namespace
