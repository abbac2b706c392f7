// The membrane element's pages read at every window size, by where their letters land: the
// summary page (the element panel and its catalogue strip), and after a solve the node data
// pane and the vital signs, on screen and on the printed page, in a wide low window (1600 x
// 500), a small one (713 x 517) and a large one (1280 x 1024). No two texts meet, no rule
// runs through letters, and no letters are smaller than the least text the program writes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/PageClashes.h"
#include "tests/views/SizedPagesShell.h"

namespace {

struct MembranePages : SizedPagesTest {
    void OpenPanels()
    {
        std::vector<std::unique_ptr<TStructure>> panels;
        for (const char* name : {"PV19", "PV20", "PV21", "PV22"}) {
            panels.push_back(MakePv19());
            panels.back()->SetName(name);
        }
        app->OpenFile(WriteStructures("panels.qvh", std::move(panels)));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    }
};

} // namespace

// The element solved once, its nine-graph page sized in turn: the node data pane and the vital
// signs, each on screen (painted in its box) and in its box on the printed page.
TEST_F(MembranePages, TheNodeDataAndVitalSignsReadAtEverySizeOnScreenAndOnPaper)
{
    OpenPanels();
    Frame().Dispatch(CmId::SectionalResponse);
    for (long pass = 0; pass < 20000 && Window().GetCurrentAnalysis() && Window().GetCurrentAnalysis()->IsRunning();
         ++pass)
        Window().IdleAction(pass);
    Window().IdleAction(0);
    Frame().Dispatch(CmId::NineGraphs);
    for (const plat::Size size : kReadableSizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        for (int i : {4, 5}) {
            Tchart* chart = View().GetChart(i);
            ASSERT_NE(chart, nullptr);
            SCOPED_TRACE(chart->Data().Title());
            RecordingDC dc;
            chart->Paint(dc, true, chart->GetClientRect());
            ASSERT_FALSE(dc.CallsOf("Text").empty());
            EXPECT_EQ(Join(Clashes(dc.Calls())), "") << "on screen";
        }
        const std::vector<DrawCall> paper = Printed();
        EXPECT_EQ(Join(Clashes(BoxWith(paper, "Y Steel"))), "") << "vital signs on paper";
        EXPECT_EQ(Join(Clashes(BoxWith(paper, " deg."))), "") << "node data on paper";
    }
}

// The summary page of PV19 in a document of four panels: the element properties table, the
// reinforcement listings, the unit note and the cover text, the catalogue strip's heading,
// count and rows.
TEST_F(MembranePages, TheSummaryPageReadsAtEverySizeOnScreenAndOnPaper)
{
    OpenPanels();
    Frame().Dispatch(CmId::CrossSection);
    for (const plat::Size size : kReadableSizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        EXPECT_EQ(Join(Clashes(Screen())), "") << "on screen";
        // The page's own paint; the materials charts print as boxes of their own.
        EXPECT_EQ(Join(Clashes(DrawnAt(Printed(), {0, 0}))), "") << "on paper";
    }
}
