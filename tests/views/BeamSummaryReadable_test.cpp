// A beam's summary page reads at every window size, by where its letters land: the sample
// T-beam of two concretes, bars and a tendon, and the section quick-defined with the defaults,
// on screen and on the printed page, in a wide low window (1600 x 500), a small one (713 x
// 517), a large one (1280 x 1024) and two lower ones (1250 x 380, 960 x 420). The properties tables, the catalogue column's heading,
// count and names, the notes, the dimensions and the callouts: no two texts meet, no rule
// runs through letters, and no letters are smaller than the least text the program writes.
// A section of more callouts than its column holds at that height has them in fewer rows, or
// fewer of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/DrawingSheet.h"
#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "support/RecordingDC.h"
#include "tests/app/summary/SummarySections.h"
#include "tests/views/PageClashes.h"
#include "tests/views/SizedPagesShell.h"

namespace {

struct BeamSummaryPages : SizedPagesTest {
    void ExpectReadableAtEverySize()
    {
        Frame().Dispatch(CmId::CrossSection);
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
        for (const plat::Size size : kReadableSizes) {
            SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
            Size(size);
            const std::vector<DrawCall> screen = Screen();
            ASSERT_GT(LettersOf(screen).size(), 20u);
            EXPECT_EQ(Join(Clashes(screen)), "") << "on screen";
            // The page's own paint; the materials charts print as boxes of their own.
            EXPECT_EQ(Join(Clashes(DrawnAt(Printed(), {0, 0}))), "") << "on paper";
            // A click on the unit note finds it where it is drawn, however many rows the notes
            // under it were broken into.
            for (const DrawCall& c : screen)
                if (c.op == "Text" && c.text.rfind("All dimensions in", 0) == 0) {
                    const plat::Rect box = PageBox(c);
                    RecordingDC dc;
                    int index = 0;
                    EXPECT_EQ(HitTestSummaryPage(dc, Window().GetCurrentStructure(), (box.left + box.right) / 2,
                                                 (box.top + box.bottom) / 2, index, 0, 0, size.cx, size.cy, 0),
                              kSheetHitUnitNote);
                }
        }
    }
};


// A 300 x 500 mm section of thirty bar layers of 1 to 30 bars, from the bottom up: thirty
// callouts of one row.
std::unique_ptr<TBeam> ThirtyLayers()
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    for (int i = 0; i < 30; ++i)
        beam->AddLongLayer(SummarySections::Bars(0.02 + 0.015 * i, i + 1, 0.01), 0);
    beam->SetName("Thirty layers");
    beam->Validate();
    return beam;
}

// What the callouts add to what stands wrong on a page: the clashes of the page drawn with
// them that the page drawn without them does not have.
std::string AddedClashes(const std::vector<DrawCall>& with, const std::vector<DrawCall>& without)
{
    std::vector<std::string> added = Clashes(with);
    for (const std::string& clash : Clashes(without)) {
        const auto at = std::find(added.begin(), added.end(), clash);
        if (at != added.end())
            added.erase(at);
    }
    return Join(added);
}

// The texts drawn, run by run.
std::vector<std::string> Runs(const std::vector<DrawCall>& calls)
{
    std::vector<std::string> runs;
    for (const DrawCall& c : calls)
        if (c.op == "Text")
            runs.push_back(c.text);
    return runs;
}

} // namespace

// Callouts too many for their column at the least text height: they are written in fewer
// rows before any is left out, and those left out are the last collected (the upper bar
// layers); what is drawn stands clear of every other text, rule and letter of the page, on
// screen and on paper.
TEST_F(BeamSummaryPages, CrowdedCalloutsGoIntoFewerRowsThenFewerCalloutsAndNeverOverlap)
{
    ASSERT_NE(g_InfoManager, nullptr);
    for (int section = 0; section < 2; ++section) {
        SCOPED_TRACE(section == 0 ? "four tendons" : "thirty layers");
        g_Structures[0] = section == 0 ? SummarySections::FourTendons() : ThirtyLayers();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::CrossSection);
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
        for (const plat::Size size : kReadableSizes) {
            SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
            Size(size);
            const std::vector<DrawCall> screen = Screen();
            const std::vector<DrawCall> paper = DrawnAt(Printed(), {0, 0});
            std::unique_ptr<TInfo_Base> manager = std::move(g_InfoManager);
            const std::vector<DrawCall> bareScreen = Screen();
            const std::vector<DrawCall> barePaper = DrawnAt(Printed(), {0, 0});
            g_InfoManager = std::move(manager);
            EXPECT_EQ(AddedClashes(screen, bareScreen), "") << "on screen";
            EXPECT_EQ(AddedClashes(paper, barePaper), "") << "on paper";
            const std::vector<std::string> runs = Runs(screen);
            const auto count = [&runs](const auto& which) {
                return std::count_if(runs.begin(), runs.end(), which);
            };
            if (section == 0) {
                // Every strand layer and the stirrups keep their callouts; in the lowest window
                // some of the strands' rows run on in one: a prestrain's letters stand in the
                // row of its strands, after them.
                const auto strands = [](const std::string& r) {
                    return r.rfind("2 x ", 0) == 0 && r.find(" mm") != std::string::npos;
                };
                EXPECT_EQ(count(strands), 4);
                EXPECT_EQ(count([](const std::string& r) { return r.rfind("T-Headed", 0) == 0; }), 1);
                const std::vector<Letters> letters = LettersOf(screen);
                int joined = 0;
                for (const Letters& delta : letters)
                    for (const Letters& row : letters)
                        if (delta.text == "\xCE\x94" && strands(row.text) &&
                            delta.box.left >= row.box.right && delta.box.top < row.box.bottom &&
                            row.box.top < delta.box.bottom)
                            ++joined;
                if (size.cy < 400) {
                    EXPECT_GT(joined, 0) << "no callout in fewer rows";
                }
            } else {
                // Those shown are the layers of 1, 2, ... bars: any left out are the upper ones.
                const auto layer = [](int bars) { return std::to_string(bars) + " - 25M"; };
                int shown = 0;
                while (std::find(runs.begin(), runs.end(), layer(shown + 1)) != runs.end())
                    ++shown;
                EXPECT_GT(shown, 0);
                EXPECT_EQ(count([](const std::string& r) { return r.find(" - 25M") != std::string::npos; }),
                          shown);
                if (size.cy < 600) {
                    EXPECT_LT(shown, 30) << "no callout left out";
                }
            }
        }
    }
}

// The sample document in inches, as the user opens it.
TEST_F(BeamSummaryPages, TheSampleTBeamReadsAtEverySizeOnScreenAndOnPaper)
{
    ASSERT_NO_FATAL_FAILURE(OpenSampleTBeam(QV_SOURCE_DIR));
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "T-beam & <web>");
    ExpectReadableAtEverySize();
}

// Lower still (the panel of a page 1250 x 300) the geometric properties table has no room for
// its six rows in the least text, even with the column headings beside its title: the rows it
// draws are its first ones, each with its two values, clear of one another, of the headings,
// the title and the rules; the last rows are left out whole.
TEST_F(BeamSummaryPages, TheSampleTBeamsTableInALowerPanelLeavesOutItsLastRows)
{
    ASSERT_NO_FATAL_FAILURE(OpenSampleTBeam(QV_SOURCE_DIR));
    RecordingDC dc;
    DrawPropertiesPanel(dc, *Window().GetCurrentStructure(), 0, 0, 1062, 300, 12, 0);
    EXPECT_EQ(Join(Clashes(dc.Calls())), "");
    // The table ends at 0.3 x 300 = 90; its label column's line is the upright rule from its top
    // rule down to that foot.
    int labelLine = -1;
    for (const auto& rule : RulesOf(dc.Calls()))
        if (rule.first.x == rule.second.x && rule.first.x < 350 &&
            std::max(rule.first.y, rule.second.y) == 90)
            labelLine = rule.first.x;
    ASSERT_GT(labelLine, 12);
    // The first run of each row's label, in the rows' order, and the values right of the line.
    const std::vector<std::string> firsts = {"Area (in", "Inertia (in", "y", "y", "S", "S"};
    std::vector<Letters> firstRuns;
    int values = 0;
    for (const Letters& l : LettersOf(dc.Calls())) {
        if (l.box.top >= 90 || l.box.left >= 350)
            continue;
        if (l.box.right <= labelLine &&
            std::find(firsts.begin(), firsts.end(), l.text) != firsts.end())
            firstRuns.push_back(l);
        else if (l.box.left > labelLine &&
                 l.text.find_first_not_of("0123456789.- ") == std::string::npos)
            ++values;
    }
    std::sort(firstRuns.begin(), firstRuns.end(), [](const Letters& a, const Letters& b) {
        return a.box.top < b.box.top;
    });
    std::vector<std::string> labels;
    for (const Letters& l : firstRuns)
        labels.push_back(l.text);
    ASSERT_GE(labels.size(), 1u);
    EXPECT_LT(labels.size(), 6u);
    EXPECT_EQ(labels, std::vector<std::string>(firsts.begin(), firsts.begin() + labels.size()));
    EXPECT_EQ(values, 2 * static_cast<int>(labels.size()));
}

// The section quick-defined with the defaults, in millimetres.
TEST_F(BeamSummaryPages, TheQuickDefinedSectionReadsAtEverySizeOnScreenAndOnPaper)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    ExpectReadableAtEverySize();
}

// A page far wider than it is high (a window of 1900 x 350 holds one of about 1900 x 260): the
// title block and its notes are sized by no more than 4.2 times the page's height, so that they
// stay on the page, under its top and clear of the catalogue column (before, the unit note
// stood above the page and the cover note ran over the catalogue), and the section's dimensions
// keep the least text.
TEST_F(BeamSummaryPages, TheSampleTBeamReadsOnAPageFarWiderThanItIsHigh)
{
    ASSERT_NO_FATAL_FAILURE(OpenSampleTBeam(QV_SOURCE_DIR));
    Frame().Dispatch(CmId::CrossSection);
    for (const plat::Size size : {plat::Size{1900, 260}, plat::Size{1600, 260}}) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        const std::vector<DrawCall> screen = Screen();
        const plat::Rect client = Window().GetClientRect();
        for (const Letters& l : LettersOf(screen))
            EXPECT_TRUE(l.box.top >= 0 && l.box.bottom <= client.bottom && l.box.right <= client.right)
                << Describe(l) << " off the page";
        std::vector<std::string> faults;
        const std::vector<Letters> letters = LettersOf(screen);
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const Letters& a = letters[i];
            if (a.small)
                faults.push_back(Describe(a) + " smaller than the least text");
            // The notes and the title block, right of the page's middle, against every other text.
            if (a.box.left < client.right / 2)
                continue;
            for (std::size_t j = 0; j < letters.size(); ++j)
                if (j != i && Meet(a.box, letters[j].box))
                    faults.push_back(Describe(a) + " meets " + Describe(letters[j]));
        }
        EXPECT_EQ(Join(faults), "");
    }
}

// The sample T-beam with a member of every line the properties box writes under "Full Member
// Properties" (its length, its supports, three material zones, four dead-load and two live-load
// moment points), saved and opened again as the user opens a document, on its summary page at
// the common sizes and in windows lower still (pages of 1250 x 320 down to 713 x 300, where the
// box has no room for all of them): the member lines that stand are the first ones, each above
// the box's bottom line and clear of every other text and rule; those with no room are left out
// whole. In the lowest windows some are left out; in a large one all five stand.
TEST_F(BeamSummaryPages, TheMemberLinesOfALowPageStandInsideThePropertiesBox)
{
    ASSERT_NO_FATAL_FAILURE(OpenSampleTBeam(QV_SOURCE_DIR));
    TMemberDefinition& definition = g_MemberDefinition;
    definition.length = 4.0;
    definition.leftSupport = SupportType::Pin;
    definition.rightSupport = SupportType::Roller;
    definition.leftPlateLocation = 0.2;
    definition.rightPlateLocation = 3.8;
    definition.leftAnchorage = definition.rightAnchorage = AnchorageType::Perfect;
    definition.zoneCount = 3;
    definition.zones[1] = {1.5, 0};
    definition.zones[2] = {2.5, 0};
    definition.pointCount[DeadDiagram] = 4;
    definition.deadLoadConstant = 0;
    for (int i = 0; i < 4; ++i)
        definition.diagrams[DeadDiagram][static_cast<std::size_t>(i)] = {1.0 * i + 0.5, -10e3 * (i + 1), 0};
    definition.pointCount[LiveDiagram] = 2;
    definition.diagrams[LiveDiagram][0] = {0.0, -5e3, 0};
    definition.diagrams[LiveDiagram][1] = {4.0, -5e3, 0};
    ASSERT_TRUE(Window().WriteDocument(dir.File("definition.xml")));
    definition = TMemberDefinition{};
    app->OpenFile(dir.File("definition.xml"));
    ASSERT_EQ(definition.zoneCount, 3);
    ASSERT_EQ(definition.pointCount[DeadDiagram], 4);
    ASSERT_EQ(definition.pointCount[LiveDiagram], 2);

    Frame().Dispatch(CmId::CrossSection);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
    // The first row of each member line, in order.
    const std::vector<std::string> starts = {"Length: ", "Pin @ ", "3 material types", "4 Definitions for dead",
                                             "2 Definitions for live"};
    std::vector<int> shownAt;
    std::vector<plat::Size> sizes(std::begin(kReadableSizes), std::end(kReadableSizes));
    for (const plat::Size lower : {plat::Size{1250, 320}, plat::Size{960, 300}, plat::Size{713, 360}, plat::Size{713, 300}})
        sizes.push_back(lower);
    for (const plat::Size size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        const std::vector<DrawCall> screen = Screen();
        EXPECT_EQ(Join(Clashes(screen)), "");
        const std::vector<Letters> letters = LettersOf(screen);
        const auto heading = std::find_if(letters.begin(), letters.end(),
                                          [](const Letters& l) { return l.text == "Full Member Properties"; });
        ASSERT_NE(heading, letters.end());
        // The box's bottom line: the first rule under the heading that runs under its start.
        int foot = -1;
        for (const auto& rule : RulesOf(screen))
            if (rule.first.y == rule.second.y && rule.first.y >= heading->box.bottom &&
                std::min(rule.first.x, rule.second.x) <= heading->box.left &&
                std::max(rule.first.x, rule.second.x) > heading->box.right && (foot < 0 || rule.first.y < foot))
                foot = rule.first.y;
        ASSERT_GT(foot, heading->box.bottom);
        int shown = 0;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const auto row = std::find_if(letters.begin(), letters.end(), [&](const Letters& l) {
                return l.text.rfind(starts[i], 0) == 0;
            });
            if (row == letters.end())
                continue;
            EXPECT_EQ(shown, static_cast<int>(i)) << Describe(*row) << " after a line left out";
            ++shown;
            EXPECT_GE(row->box.top, heading->box.bottom) << Describe(*row);
            EXPECT_LE(row->box.bottom, foot) << Describe(*row) << " across the box's bottom line at " << foot;
        }
        shownAt.push_back(shown);
    }
    EXPECT_LT(*std::min_element(shownAt.begin(), shownAt.end()), 5) << "no size leaves a member line out";
    EXPECT_EQ(*std::max_element(shownAt.begin(), shownAt.end()), 5);
}
