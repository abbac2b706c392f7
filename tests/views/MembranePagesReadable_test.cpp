// The membrane element's pages read at every window size, by where their letters land: the
// summary page (the element panel and its catalogue strip), and after a solve the node data
// pane and the vital signs, on screen and on the printed page, in a wide low window (1600 x
// 500), a small one (713 x 517) and a large one (1280 x 1024). No two texts meet, no rule
// runs through letters, and no letters are smaller than the least text the program writes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"
#include "support/RecordingDC.h"
#include "tests/app/DrawnTexts.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/BothModesShell.h"
#include "tests/views/PrintedPage.h"
#include "views/MaterialPicture.h"

namespace {

const plat::Size kSizes[] = {{1600, 500}, {713, 517}, {1280, 1024}};

// A text as drawn, its box on the device and whether its font is smaller than the least text
// (a negative height a character height, a positive one a cell's); a sub- or superscript of a
// marked-up line (a run in a smaller font that stands against a larger one of its line, end to
// end) goes with its line.
struct Letters {
    std::string text;
    plat::Rect box;
    bool small = false;
};

std::string Describe(const Letters& l)
{
    std::ostringstream s;
    s << '"' << l.text << "\" (" << l.box.left << ", " << l.box.top << " - " << l.box.right << ", "
      << l.box.bottom << ")";
    return s.str();
}

// The upright texts of the calls, each with its box.
std::vector<Letters> LettersOf(const std::vector<DrawCall>& calls)
{
    std::vector<const DrawCall*> runs;
    for (const DrawCall& c : calls)
        if (c.op == "Text" && c.state.font.escapement == 0)
            runs.push_back(&c);
    // Scripts: runs against a larger run of their line, or against a script of their size
    // (the letters of "MAX" one by one).
    const auto against = [](const plat::Rect& a, const plat::Rect& b) {
        const int touch = 1 + a.Height() / 3;
        return a.top < b.bottom && b.top < a.bottom &&
               (std::abs(b.right - a.left) <= touch || std::abs(a.right - b.left) <= touch);
    };
    std::vector<bool> script(runs.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int height = std::abs(runs[i]->state.font.height);
            for (std::size_t j = 0; j < runs.size() && !script[i]; ++j) {
                const int other = std::abs(runs[j]->state.font.height);
                if (i != j && (height < other || (script[j] && height == other)) &&
                    against(PageBox(*runs[i]), PageBox(*runs[j])))
                    script[i] = grew = true;
            }
        }
    }
    std::vector<Letters> out;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const DrawCall* c = runs[i];
        const int height = std::abs(c->state.font.height);
        const bool small =
            !script[i] && height < (c->state.font.height < 0 ? kLeastLabelCharHeight : kLeastLabelCellHeight);
        if (c->text.find_first_not_of(' ') != std::string::npos)
            out.push_back({c->text, PageBox(*c), small});
    }
    return out;
}

// The horizontal and vertical strokes of the calls, on the device.
std::vector<std::pair<plat::Point, plat::Point>> RulesOf(const std::vector<DrawCall>& calls)
{
    std::vector<std::pair<plat::Point, plat::Point>> rules;
    for (const auto& s : StrokesOf(calls, -1).axes)
        if (s.first.x == s.second.x || s.first.y == s.second.y)
            rules.push_back(s);
    return rules;
}

// The calls drawn with the window origin at that point: on a printed page, those of one box.
std::vector<DrawCall> DrawnAt(const std::vector<DrawCall>& calls, plat::Point origin)
{
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls)
        if (c.state.mapping.windowOrg == origin)
            out.push_back(c);
    return out;
}

// The calls of the printed box that draws a text with the fragment.
std::vector<DrawCall> BoxWith(const std::vector<DrawCall>& calls, const std::string& fragment)
{
    for (const DrawCall& c : calls)
        if (c.op == "Text" && c.text.find(fragment) != std::string::npos)
            return DrawnAt(calls, c.state.mapping.windowOrg);
    ADD_FAILURE() << "no box draws " << fragment;
    return {};
}

// What stands wrong among the calls: texts that meet, rules through letters (the box drawn
// one pixel in from each side, so that a rule along a letter's cell edge passes), letters
// lower than the least text.
std::vector<std::string> Clashes(const std::vector<DrawCall>& calls)
{
    std::vector<std::string> out;
    const std::vector<Letters> letters = LettersOf(calls);
    const auto rules = RulesOf(calls);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const Letters& a = letters[i];
        for (std::size_t j = i + 1; j < letters.size(); ++j)
            if (Meet(a.box, letters[j].box))
                out.push_back(Describe(a) + " meets " + Describe(letters[j]));
        const plat::Rect inner{a.box.left + 1, a.box.top + 1, a.box.right - 1, a.box.bottom - 1};
        for (const auto& rule : rules)
            if (PixelsInside({rule}, inner) > 0) {
                std::ostringstream s;
                s << Describe(a) << " struck by (" << rule.first.x << ", " << rule.first.y << ") - ("
                  << rule.second.x << ", " << rule.second.y << ")";
                out.push_back(s.str());
            }
        if (a.small)
            out.push_back(Describe(a) + " smaller than the least text");
    }
    return out;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += "\n  " + l;
    return s;
}

struct MembranePages : BothModesShellTest {
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

    // The client sized by its frame, as the screenshots size it: a printout stretches it to
    // the page through the frame's size limits.
    void Size(plat::Size s) { ShowClientAt(s.cx, s.cy); }

    // The window's own paint (the summary page) as the screen shows it.
    std::vector<DrawCall> Screen()
    {
        RecordingDC dc;
        View().Paint(dc, 0, 0);
        return dc.Calls();
    }

    // The page printed while its preview stands.
    std::vector<DrawCall> Printed()
    {
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        return paper.Calls();
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
    Frame().Dispatch(CmId::SectionalResponse);
    for (long pass = 0; pass < 20000 && Window().GetCurrentAnalysis() && Window().GetCurrentAnalysis()->IsRunning();
         ++pass)
        Window().IdleAction(pass);
    Window().IdleAction(0);
    Frame().Dispatch(CmId::NineGraphs);
    for (const plat::Size size : kSizes) {
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
    for (const plat::Size size : kSizes) {
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
    Frame().Dispatch(CmId::SectionalResponse);
    Solve();
    Frame().Dispatch(CmId::NineGraphs);
    for (const plat::Size size : kSizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        const std::vector<DrawCall> paper = Printed();
        EXPECT_EQ(OffTheSheetAndPanelClashes(paper), "");
        EXPECT_EQ(PanelTextsWith(paper, "PV19") + PanelTextsWith(paper, "Stress-X") + PanelTextsWith(paper, "Shear ="), 3);
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
    g_Structures[0] = std::move(beam);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    Solve();
    for (const int page : {CmId::SectionalResponse, CmId::NineGraphs}) {
        Frame().Dispatch(page);
        for (const plat::Size size : kSizes) {
            SCOPED_TRACE(testing::Message() << page << ", " << size.cx << " x " << size.cy);
            Size(size);
            const std::vector<DrawCall> paper = Printed();
            EXPECT_EQ(OffTheSheetAndPanelClashes(paper), "");
            EXPECT_EQ(PanelTextsWith(paper, "Axial Load"), 1);
            EXPECT_EQ(CopiedPanelClashes(View()), "") << "copied";
        }
    }
}
