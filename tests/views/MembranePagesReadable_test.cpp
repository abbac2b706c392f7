// The membrane element's pages read at every window size, by where their letters land: the
// summary page (the element panel and its catalogue strip), and after a solve the node data
// pane and the vital signs, on screen and on the printed page, in a wide low window (1600 x
// 500), a small one (713 x 517), a large one (1280 x 1024) and two lower ones (1250 x 380,
// 960 x 420). No two texts meet, no rule
// runs through letters, and no letters are smaller than the least text the program writes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"
#include "support/RecordingDC.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/PageClashes.h"
#include "tests/views/SizedPagesShell.h"

namespace {

struct MembranePages : SizedPagesTest {
    // Sectional Response run to its end, then the nine graphs.
    void SolveToTheNineGraphs()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        Solve();
        Frame().Dispatch(CmId::NineGraphs);
    }

    void Solve()
    {
        for (long pass = 0;
             pass < 20000 && Window().GetCurrentAnalysis() && Window().GetCurrentAnalysis()->IsRunning(); ++pass)
            Window().IdleAction(pass);
        Window().IdleAction(0);
    }
};

// The texts of a printed letter sheet (3300 x 2550 dots) that leave it, and the texts of the
// page's own paint (the information panel; origin 0, 0) that stand wrong.
std::string OffTheSheetAndPanelClashes(const std::vector<DrawCall>& paper)
{
    std::vector<std::string> out;
    const plat::Rect sheet{0, 0, 3300, 2550};
    for (const Letters& l : LettersOf(paper))
        if (l.box.left < sheet.left || l.box.top < sheet.top || l.box.right > sheet.right ||
            l.box.bottom > sheet.bottom)
            out.push_back(Describe(l) + " off the sheet");
    for (const std::string& clash : Clashes(DrawnAt(paper, {0, 0})))
        out.push_back(clash);
    return Join(out);
}

// The page's own paint as Copy paints it for a picture, at the window's size.
std::string CopiedPanelClashes(TViewm_2k& view)
{
    RecordingDC picture;
    view.Paint(picture, 1, 0);
    return Join(Clashes(DrawnAt(picture.Calls(), {0, 0})));
}

// The texts of the page's own paint that hold the fragment.
int PanelTextsWith(const std::vector<DrawCall>& paper, const std::string& fragment)
{
    int n = 0;
    for (const Letters& l : LettersOf(DrawnAt(paper, {0, 0})))
        n += l.text.find(fragment) != std::string::npos ? 1 : 0;
    return n;
}

} // namespace

// The element solved once, its nine-graph page sized in turn: the node data pane and the vital
// signs, each on screen (painted in its box) and in its box on the printed page.
TEST_F(MembranePages, TheNodeDataAndVitalSignsReadAtEverySizeOnScreenAndOnPaper)
{
    OpenPanels();
    SolveToTheNineGraphs();
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

// The whole window's page lands on the sheet, its right-hand graphs too, however wide and low
// the window; the information panel's lines (heading, name, date, strains above its rule,
// stresses below it) stand clear of each other and of the rule, none below the least text.
TEST_F(MembranePages, TheWholeSolvedPageLandsOnTheSheetWithItsPanelReadable)
{
    OpenPanels();
    // A name the user typed is written as it stands: its "_" and "^" are letters, not markup.
    Window().GetCurrentStructure()->SetName("PV19_a^2");
    SolveToTheNineGraphs();
    for (const plat::Size size : kReadableSizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        const std::vector<DrawCall> paper = Printed();
        EXPECT_EQ(OffTheSheetAndPanelClashes(paper), "");
        EXPECT_EQ(PanelTextsWith(paper, "PV19_a^2") + PanelTextsWith(paper, "Stress-X") +
                      PanelTextsWith(paper, "Shear ="),
                  3);
        EXPECT_EQ(CopiedPanelClashes(View()), "") << "copied";
    }
}

// The beam's pages the same: a section quick-defined with the defaults, solved, its sectional
// response page and its nine graphs.
TEST_F(MembranePages, TheWholeBeamPageLandsOnTheSheetWithItsPanelReadable)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    auto beam = std::make_unique<TBeam>();
    ASSERT_EQ(BuildQuickDefineSection(*beam), 1);
    beam->SetName("T_1^2");
    g_Structures[0] = std::move(beam);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    Solve();
    for (const int page : {CmId::SectionalResponse, CmId::NineGraphs}) {
        Frame().Dispatch(page);
        for (const plat::Size size : kReadableSizes) {
            SCOPED_TRACE(testing::Message() << page << ", " << size.cx << " x " << size.cy);
            Size(size);
            const std::vector<DrawCall> paper = Printed();
            EXPECT_EQ(OffTheSheetAndPanelClashes(paper), "");
            EXPECT_EQ(PanelTextsWith(paper, "Axial Load"), 1);
            EXPECT_EQ(PanelTextsWith(paper, "T_1^2"), 1);
            EXPECT_EQ(CopiedPanelClashes(View()), "") << "copied";
        }
    }
}
