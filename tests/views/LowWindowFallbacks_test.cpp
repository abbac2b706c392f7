// What the pages keep in windows too low for their texts at the sizes they call for, by where
// the letters land: each block's texts are made smaller, down to the least text the program
// writes, then set in fewer rows, and only then left out whole. Each test gives the window (or
// the box) the sizes at which that road is the one taken:
// - the membrane element panel's "Element Properties" heading over its column heads, and the
//   catalogue strip's "Element Catalog" over "Number of Elements: n", in windows 330 to 500
//   high: both of a pair stand wherever both stand in the least text, the larger made smaller
//   first;
// - the notes over the title block of a beam's summary page in narrow windows: a note too wide
//   beside the materials charts even in the least text is broken into lines, none of them over
//   a chart;
// - the callouts of a section in short columns: a callout is left out only where every one
//   shown already stands in one row;
// - the vital signs in boxes 50 to 220 high: the cells' names stand wherever the least text
//   stands between the rules over and under them, alone where the fractions find no room;
// - the node data pane in panes 100 to 320 high: a blank row of pixels on each side of a rule,
//   and a group under a rule left out only where its rows, packed as the rows above them are,
//   would run past the pane's foot.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "foundation/Units.h"
#include "model/ModelHelpers.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "support/RecordingDC.h"
#include "tests/app/summary/SummarySections.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/PageClashes.h"
#include "tests/views/SizedPagesShell.h"
#include "views/DiagramPlan.h"
#include "views/TVitalSigns.h"
#include "views/membrane/TNodeData.h"

namespace {

// The first text drawn that is the text (or starts with it), or null.
const Letters* Find(const std::vector<Letters>& letters, const std::string& text)
{
    for (const Letters& l : letters)
        if (l.text.rfind(text, 0) == 0)
            return &l;
    return nullptr;
}

// The horizontal rules of the calls that run under the whole of [left, right).
std::vector<int> RulesAcross(const std::vector<DrawCall>& calls, int left, int right)
{
    std::vector<int> out;
    for (const auto& [a, b] : RulesOf(calls))
        if (a.y == b.y && std::min(a.x, b.x) <= left && std::max(a.x, b.x) >= right - 1)
            out.push_back(a.y);
    std::sort(out.begin(), out.end());
    return out;
}

// The band a pair of texts stands in: the rules over and under the text.
struct Band {
    int top = INT_MIN;
    int bottom = INT_MAX;
};
Band BandAround(const std::vector<DrawCall>& calls, const Letters& text)
{
    Band band;
    for (const int y : RulesAcross(calls, text.box.left, text.box.right)) {
        if (y < text.box.top)
            band.top = std::max(band.top, y);
        else if (y >= text.box.bottom - 1)
            band.bottom = std::min(band.bottom, y);
    }
    return band;
}

// The cell ("Ag", ascent and descent) of "Arial" of normal weight at the least text.
int LeastCell(plat::DC& dc, bool underline = false)
{
    plat::LogFont f;
    f.face = "Arial";
    f.weight = 400;
    f.height = -kLeastTextCharHeight;
    f.underline = underline;
    const plat::LogFont old = dc.SelectFont(f);
    const int cell = dc.GetTextExtent("Ag").cy;
    dc.SelectFont(old);
    return cell;
}

int LeastWidth(plat::DC& dc, const std::string& text)
{
    plat::LogFont f;
    f.face = "Arial";
    f.weight = 400;
    f.height = -kLeastTextCharHeight;
    const plat::LogFont old = dc.SelectFont(f);
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectFont(old);
    return width;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

struct LowMembranePanel : SizedPagesTest {};

} // namespace

// The membrane element's summary page of a document of four panels, in windows 960 and 1250
// wide from 330 to 500 high, where the panel's first band (from the frame's top line to the
// table's first rule, or to the catalogue's separator) is too low for its pair of texts at the
// sizes they call for (W / 60 and the table's text; w / 75 and w / 100). The pair is made
// smaller, the larger first, down to the least text: both texts stand, one over the other and
// between the rules, wherever their two cells and a blank row fit between those rules in the
// least text; where they do not, "Element Properties" and the count are left out, the column
// heads and the catalogue's heading stay.
TEST_F(LowMembranePanel, BothTextsOfAPairStandWhereverBothFitInTheLeastText)
{
    OpenPanels();
    Frame().Dispatch(CmId::CrossSection);
    RecordingDC measure;
    const int cell = LeastCell(measure), underlined = LeastCell(measure, true);
    const int countWidth = LeastWidth(measure, "Number of Elements: 4");
    int squeezedHeading = 0, squeezedCatalogue = 0;
    for (const int width : {960, 1250}) {
        int fullHeading = 0, fullCatalogue = 0;
        for (int height = 500; height >= 330; height -= 5) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            Size({width, height});
            const std::vector<DrawCall> screen = Screen();
            const std::vector<Letters> letters = LettersOf(screen);

            // "Element Properties" over "X-Dir'n" and "Y-Dir'n", from the frame's line 2 rows
            // down to 2 rows over the table's rule.
            const Letters* heads = Find(letters, "X-Dir'n");
            ASSERT_NE(heads, nullptr);
            ASSERT_NE(Find(letters, "Y-Dir'n"), nullptr);
            const Band table = BandAround(screen, *heads);
            ASSERT_NE(table.top, INT_MIN);
            ASSERT_NE(table.bottom, INT_MAX);
            const Letters* heading = Find(letters, "Element Properties");
            if (underlined + cell + 1 <= table.bottom - table.top - 4) {
                ASSERT_NE(heading, nullptr) << "band " << table.top << " - " << table.bottom;
                EXPECT_GT(heading->box.top, table.top);
                EXPECT_LE(heading->box.bottom, heads->box.top);
                EXPECT_LT(heads->box.bottom, table.bottom);
                EXPECT_FALSE(heading->small || heads->small);
                const int h = heading->box.Height();
                fullHeading = std::max(fullHeading, h);
                squeezedHeading += h < fullHeading ? 1 : 0;
            } else {
                EXPECT_EQ(heading, nullptr) << "band " << table.top << " - " << table.bottom;
            }

            // "Element Catalog" over the count, from the frame's line to the separator, the
            // count no wider than the column.
            const Letters* catalogue = Find(letters, "Element Catalog");
            ASSERT_NE(catalogue, nullptr);
            const Band strip = BandAround(screen, *catalogue);
            ASSERT_NE(strip.top, INT_MIN);
            ASSERT_NE(strip.bottom, INT_MAX);
            int left = INT_MAX, right = INT_MIN;
            for (const auto& [a, b] : RulesOf(screen))
                if (a.y == b.y && a.y == strip.bottom && std::min(a.x, b.x) <= catalogue->box.left)
                    left = std::min({left, a.x, b.x}), right = std::max({right, a.x, b.x});
            const Letters* count = Find(letters, "Number of Elements: 4");
            if (cell + cell + 1 <= strip.bottom - strip.top - 3 && countWidth <= right - left - 2) {
                ASSERT_NE(count, nullptr) << "band " << strip.top << " - " << strip.bottom;
                EXPECT_GT(catalogue->box.top, strip.top);
                EXPECT_LE(catalogue->box.bottom, count->box.top);
                EXPECT_LT(count->box.bottom, strip.bottom);
                EXPECT_FALSE(catalogue->small || count->small);
                const int h = catalogue->box.Height();
                fullCatalogue = std::max(fullCatalogue, h);
                squeezedCatalogue += h < fullCatalogue ? 1 : 0;
            } else {
                EXPECT_EQ(count, nullptr) << "band " << strip.top << " - " << strip.bottom;
            }
        }
    }
    // The windows reach the road: pairs that stand only written smaller.
    EXPECT_GT(squeezedHeading, 0);
    EXPECT_GT(squeezedCatalogue, 0);
}

namespace {

struct LowSummaryPage : SizedPagesTest {};

} // namespace

// The sample T-beam's summary page in windows 600 to 900 wide: beside the three materials charts
// (0.17 of the page wide each, from 0.015 of it, 0.2 apart) the notes over the title block have
// 0.385 of the page less three margins, where "Clear cover to transverse reinforcement = ..."
// does not stand whole even in the least text below about 850. Each note is written whole, its
// words in order, right-aligned with the unit note, in one row where it stands, else broken
// into rows; no letter of a note stands on a materials chart.
TEST_F(LowSummaryPage, ANoteTooWideBesideTheMaterialsChartsIsBrokenIntoLines)
{
    ASSERT_NO_FATAL_FAILURE(OpenSampleTBeam(QV_SOURCE_DIR));
    Frame().Dispatch(CmId::CrossSection);
    const TStructure* beam = Window().GetCurrentStructure();
    std::string cover, points;
    FormatCoverText(cover, beam);
    CountExperimentalPoints(beam, points);
    std::vector<std::string> notes{cover, UnitNote(kUnitUS), FormatAxialLoadNote(*beam), points};
    std::erase(notes, std::string());
    ASSERT_GE(notes.size(), 2u);
    ASSERT_GT(cover.size(), 40u) << cover;
    int broken = 0;
    for (const plat::Size size : {plat::Size{600, 480}, plat::Size{713, 517}, plat::Size{800, 600},
                                  plat::Size{900, 560}}) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Size(size);
        const std::vector<Letters> letters = LettersOf(Screen());
        // The materials charts: the page's boxes along its foot, left of the title block.
        const plat::Rect client = Window().GetClientRect();
        std::vector<plat::Rect> charts;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* chart = View().GetChart(i)) {
                const plat::Rect r = chart->GetWindowRect();
                if (r.top > client.bottom / 2 && r.right < client.right * 3 / 4)
                    charts.push_back(r);
            }
        ASSERT_EQ(charts.size(), 3u);
        const Letters* unit = Find(letters, UnitNote(kUnitUS));
        ASSERT_NE(unit, nullptr);
        for (const std::string& note : notes) {
            SCOPED_TRACE(note);
            std::vector<const Letters*> rows;
            for (const Letters& l : letters)
                if (std::abs(l.box.right - unit->box.right) <= 1 && l.text.size() > 1 &&
                    note.find(l.text) != std::string::npos)
                    rows.push_back(&l);
            std::sort(rows.begin(), rows.end(), [](const Letters* a, const Letters* b) {
                return a->box.top < b->box.top;
            });
            std::string drawn;
            for (const Letters* row : rows) {
                drawn += row->text + " ";
                for (const plat::Rect& chart : charts)
                    EXPECT_FALSE(Meet(row->box, chart)) << Describe(*row) << " on a materials chart";
                EXPECT_FALSE(row->small) << Describe(*row);
            }
            EXPECT_EQ(Words(drawn), Words(note));
            for (std::size_t i = 1; i < rows.size(); ++i)
                EXPECT_LE(rows[i - 1]->box.bottom, rows[i]->box.top) << Describe(*rows[i]);
            broken += rows.size() > 1 ? 1 : 0;
        }
    }
    EXPECT_GT(broken, 0) << "no note broken into lines";
}

// The four tendons' page in windows 1250 and 1600 wide from 220 to 420 high: the callouts'
// column (from the frame to the notes over the title block) holds the five callouts of 13
// rows in their own rows only in the higher windows; lower, callouts are written in fewer rows
// (their rows joined by commas), down to one each, and only then are callouts left out. So
// wherever one is left out, every callout shown stands in one row; and somewhere all five
// stand, each in one row. The column is wide enough for every callout in one row.
TEST_F(LowSummaryPage, CalloutsAreLeftOutOnlyWhereEveryOneShownStandsInOneRow)
{
    ASSERT_NE(g_InfoManager, nullptr);
    g_Structures[0] = SummarySections::FourTendons();
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    int allInOneRow = 0, leftOut = 0;
    for (const int width : {1250, 1600})
        for (int height = 220; height <= 420; height += 10) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            Size({width, height});
            const std::vector<Letters> letters = LettersOf(Screen());
            // Each row of a callout starts at the column's left, 2 pixels in.
            const int left = g_InfoManager->ColumnX() + 2;
            int callouts = 0, rows = 0;
            std::vector<const Letters*> row;
            for (const Letters& l : letters) {
                if (l.box.left != left)
                    continue;
                ++rows;
                row.push_back(&l);
                callouts += l.text.rfind("2 x ", 0) == 0 || l.text.rfind("T-Headed", 0) == 0 ? 1 : 0;
            }
            for (std::size_t i = 0; i < row.size(); ++i)
                for (std::size_t j = i + 1; j < row.size(); ++j)
                    EXPECT_FALSE(Meet(row[i]->box, row[j]->box)) << Describe(*row[i]) << " meets " << Describe(*row[j]);
            if (callouts < 5) {
                ++leftOut;
                EXPECT_EQ(rows, callouts) << "a callout left out while one shown stands in more than one row";
            } else if (rows == 5) {
                ++allInOneRow;
            }
        }
    EXPECT_GT(leftOut, 0);
    EXPECT_GT(allInOneRow, 0) << "no window where all five callouts stand, each in one row";
}

namespace {

// A cracked membrane state: f1 1 of 2 MPa, f2 -15 of -30, vci 0.5 of 1; x steel 300 MPa (400
// at the crack) of fy 400, fu 600; y steel 580 (600 at the crack) of fy 400, fu 600.
std::vector<double> VitalRecord()
{
    return {1.0, 2.0, 1.0, 0.0, -15.0, -30.0, 0.5, 1.0, 300, 400, 400, 600, 580, 600, 400, 600, 0, 0};
}

} // namespace

// Vital-signs boxes 260 and 400 wide from 50 to 220 high, painted as the program paints them.
// The captions' cells lie between the rules at 0.7 H and 0.92 H; as the room there shrinks the
// captions go from three rows to fewer, the fractions first, then the names alone. The cells'
// names ("Crush", "Shear", "Tension", "X Steel", "Y Steel") stand wherever the least text
// (its subscripts too, as "Ag_y" measures) and a blank row each side fit between the rules,
// each centred in its cell, between the rules, clear of the others, none smaller than the
// least text; where they do not fit, no name is drawn. The fractions stand wherever two rows
// of the least text fit there and the fractions written in one row fit their cells in it,
// written smaller where their text is wider than the cells (before, a box of 260 x 195 to 205
// lost them where one of 190 kept them in the least text).
TEST(LowVitalSigns, TheCellsNamesStandWhereverTheLeastTextFitsBetweenTheRules)
{
    plat::EnsureGuiRuntime();
    const char* names[] = {"Crush", "Shear", "Tension", "X Steel", "Y Steel"};
    int namesAlone = 0;
    for (const int W : {260, 400})
        for (int H = 50; H <= 220; H += 2) {
            SCOPED_TRACE(testing::Message() << W << " x " << H);
            TVitalSigns chart(nullptr, "", 0, 0, W, H, 0);
            for (std::size_t i = 0; i + 1 < VitalRecord().size(); i += 2)
                chart.AddPoint(VitalRecord()[i], VitalRecord()[i + 1]);
            chart.AutoScale();
            RecordingDC dc;
            chart.Paint(dc, true, {0, 0, W, H});
            const std::vector<int> across = RulesAcross(dc.Calls(), 0, W);
            ASSERT_GE(across.size(), 3u);
            const int top = across[0], foot = across[1];
            plat::LogFont least = chart.Frame().textFont;
            least.height = least.height < 0 ? -LeastTextHeight(least) : LeastTextHeight(least);
            const int cell = MeasureOn(dc)("Ag_y", least).cy;
            const std::vector<Letters> letters = LettersOf(dc.Calls());
            if (cell <= foot - top - 2) {
                for (int i = 0; i < 5; ++i) {
                    const Letters* name = Find(letters, names[i]);
                    ASSERT_NE(name, nullptr) << names[i] << " between rules " << top << " and " << foot;
                    EXPECT_GT(name->box.top, top) << Describe(*name);
                    EXPECT_LE(name->box.bottom, foot) << Describe(*name);
                    EXPECT_NEAR((name->box.left + name->box.right) / 2.0, (0.2 * i + 0.1) * W, 2.0);
                    EXPECT_FALSE(name->small) << Describe(*name);
                }
                // The fractions, in one row ("f_2/f_2_M_A_X", ...) or over and under their bars,
                // wherever two rows of the least text stand between the rules and the row's
                // widest text (of every state a cell may show) stands in its cell.
                int widest = 0;
                for (const char* t : {"f_2/f_2_M_A_X", "v_c_i/v_c_i_M_A_X", "f_1/f_1_M_A_X", "f_1/f_c_r_a_c_k",
                                      "f_s_x/Yield", "Not Avail.", "Rupture"})
                    widest = std::max(widest, MeasureOn(dc)(t, least).cx);
                bool fractions = false;
                for (const Letters& l : letters)
                    fractions = fractions || l.text.find("Yield") != std::string::npos;
                if (cell <= (foot - top - 1) / 2 - 1 && widest <= static_cast<int>(0.2 * W) - 2) {
                    EXPECT_TRUE(fractions) << "no fractions between rules " << top << " and " << foot;
                }
                namesAlone += fractions ? 0 : 1;
            } else {
                for (const char* name : names)
                    EXPECT_EQ(Find(letters, name), nullptr) << name;
            }
            std::vector<std::string> clashes;
            for (const std::string& clash : Clashes(dc.Calls()))
                for (const char* name : names)
                    if (clash.find(std::string("\"") + name + "\"") != std::string::npos)
                        clashes.push_back(clash);
            EXPECT_EQ(Join(clashes), "");
        }
    EXPECT_GT(namesAlone, 0) << "no box where the names alone stand";
}

// Vital-signs boxes 260 and 400 wide from 40 to 220 high, each row of height: the steel group's
// captions "f_u" (at the bars' tops) and "f_y" (at the mean yield mark, 2/3 of the way up here),
// each its "f" and its subscript, centred between the steel bars, never stand on each other or
// on any other text; where the yield mark is too near the tops for both, "f_y" is left out whole.
// In a box of common height both stand.
TEST(LowVitalSigns, TheSteelCaptionsNeverStandOnEachOther)
{
    plat::EnsureGuiRuntime();
    int yieldLeftOut = 0;
    for (const int W : {260, 400})
        for (int H = 40; H <= 220; ++H) {
            SCOPED_TRACE(testing::Message() << W << " x " << H);
            TVitalSigns chart(nullptr, "", 0, 0, W, H, 0);
            for (std::size_t i = 0; i + 1 < VitalRecord().size(); i += 2)
                chart.AddPoint(VitalRecord()[i], VitalRecord()[i + 1]);
            chart.AutoScale();
            RecordingDC dc;
            chart.Paint(dc, true, {0, 0, W, H});
            const std::vector<Letters> letters = LettersOf(dc.Calls());
            // The captions: the "f"s centred near 0.8 W above the bars' base (the cells' captions
            // stand below it) and the subscripts against their right, paired from the top down.
            struct Caption {
                std::string text;
                plat::Rect box;
                std::size_t f, script;
            };
            std::vector<std::size_t> fs, scripts;
            for (std::size_t i = 0; i < letters.size(); ++i) {
                const plat::Rect f = letters[i].box;
                if (letters[i].text == "f" && std::abs((f.left + f.right) / 2 - static_cast<int>(0.8 * W)) <= 8 &&
                    f.bottom <= static_cast<int>(0.7 * H))
                    fs.push_back(i);
            }
            for (std::size_t j = 0; j < letters.size(); ++j)
                if ((letters[j].text == "u" || letters[j].text == "y") &&
                    std::any_of(fs.begin(), fs.end(),
                                [&](std::size_t i) { return std::abs(letters[j].box.left - letters[i].box.right) <= 2; }))
                    scripts.push_back(j);
            const auto byTop = [&](std::size_t a, std::size_t b) { return letters[a].box.top < letters[b].box.top; };
            std::sort(fs.begin(), fs.end(), byTop);
            std::sort(scripts.begin(), scripts.end(), byTop);
            ASSERT_EQ(fs.size(), scripts.size());
            std::vector<Caption> captions;
            for (std::size_t k = 0; k < fs.size(); ++k) {
                const plat::Rect f = letters[fs[k]].box, sub = letters[scripts[k]].box;
                captions.push_back({"f_" + letters[scripts[k]].text,
                                    {f.left, std::min(f.top, sub.top), sub.right, std::max(f.bottom, sub.bottom)},
                                    fs[k], scripts[k]});
            }
            const auto find = [&](const char* text) {
                return std::count_if(captions.begin(), captions.end(), [&](const Caption& c) { return c.text == text; });
            };
            EXPECT_EQ(find("f_u"), 1);
            if (H >= 120) {
                EXPECT_EQ(find("f_y"), 1);
            }
            yieldLeftOut += find("f_y") == 0 ? 1 : 0;
            for (std::size_t a = 0; a < captions.size(); ++a) {
                for (std::size_t b = a + 1; b < captions.size(); ++b)
                    EXPECT_FALSE(Meet(captions[a].box, captions[b].box))
                        << captions[a].text << " (" << captions[a].box.left << ", " << captions[a].box.top << " - "
                        << captions[a].box.right << ", " << captions[a].box.bottom << ") on " << captions[b].text
                        << " (" << captions[b].box.left << ", " << captions[b].box.top << " - " << captions[b].box.right
                        << ", " << captions[b].box.bottom << ")";
                for (std::size_t k = 0; k < letters.size(); ++k) {
                    const bool own = std::any_of(captions.begin(), captions.end(),
                                                 [&](const Caption& c) { return k == c.f || k == c.script; });
                    if (!own && Meet(captions[a].box, letters[k].box))
                        ADD_FAILURE() << captions[a].text << " on " << Describe(letters[k]);
                }
            }
        }
    EXPECT_GT(yieldLeftOut, 0) << "no box too low for both captions";
}

namespace {

// The mode-0 state of a cracked element: e_x 1 mm/m, f_1 2.5 MPa, f_sx 300 MPa, w 0.4 mm,
// s_mθ 120 mm: three groups, strains and concrete stresses (rows 0-5), the steel stresses (rows
// 6.1 and 7.1, under a rule), the crack (rows 8.2 and 9.2, under a rule).
std::vector<double> CrackedState()
{
    std::vector<double> v;
    for (int i = 1; i <= 26; ++i)
        v.push_back(i);
    v[0] = 0.001, v[9] = 2.5e6, v[14] = 300e6, v[17] = 0.0004, v[18] = 0.12, v[24] = 0, v[25] = 0;
    return v;
}

} // namespace

// Node data panes 220 and 300 wide from 100 to 320 high, painted as the program paints them: in
// the lower ones the rows no longer stand at their places (row k at m + k (H - 2 m) / 10) in
// the least text and are set lower, each under the one above, and the groups under the rules
// that still find no room are left out, the last first. Each rule drawn has a blank row of
// pixels over it and under it. Where the rows are packed, the first two show how closely (a
// pitch p): every row stands at its place or p under the row above, and a row under a rule
// p + 2 under the last row above it (a blank row, the rule and a blank row more, not fewer). A
// group is left out only where it has no room: its two rows, set so, would reach past the
// pane's last row (H - 1) by the height the text's lines are measured to.
TEST(LowNodeData, RulesKeepABlankRowEachSideAndGroupsGoOnlyWhereTheyFindNoRoom)
{
    plat::EnsureGuiRuntime();
    const std::vector<double> state = CrackedState();
    int groupsLeftOut = 0, packed = 0;
    for (const int W : {220, 300})
        for (int H = 100; H <= 320; H += 2) {
            SCOPED_TRACE(testing::Message() << W << " x " << H);
            const int m = W / 40;
            TNodeData pane(nullptr, "", 0, 0, W, H, 0);
            for (std::size_t i = 0; i + 1 < state.size(); i += 2)
                pane.AddPoint(state[i], state[i + 1]);
            pane.AutoScale();

            // The rules by their pixels: rows of ink from m to W - m.
            plat::MemoryDC picture(W, H);
            pane.Paint(picture, true, {0, 0, W, H});
            const plat::Image& pixels = picture.Bitmap();
            const auto ink = [&](int y) {
                int n = 0;
                for (int x = m; x < W - m && y >= 0 && y < H; ++x) {
                    const plat::Color c = pixels.Pixel(x, y);
                    n += c.r < 250 || c.g < 250 || c.b < 250 ? 1 : 0;
                }
                return n;
            };
            std::vector<int> rules;
            for (int y = 0; y < H; ++y)
                if (ink(y) == W - 2 * m)
                    rules.push_back(y);
            for (const int rule : rules) {
                EXPECT_EQ(ink(rule - 1), 0) << "letters touch the rule on row " << rule << " from above";
                EXPECT_EQ(ink(rule + 1), 0) << "letters touch the rule on row " << rule << " from below";
            }

            // The rows by their letters: the tops of the plain runs (": ...") drawn.
            RecordingDC dc;
            pane.Paint(dc, true, {0, 0, W, H});
            std::vector<int> tops;
            plat::LogFont font;
            for (const DrawCall& c : dc.CallsOf("Text"))
                if (c.text.rfind(":", 0) == 0) {
                    font = c.state.font;
                    const int top = PageBox(c).top;
                    if (std::find(tops.begin(), tops.end(), top) == tops.end())
                        tops.push_back(top);
                }
            std::sort(tops.begin(), tops.end());
            // 6 rows of strains and concrete stresses, then 2 a group.
            ASSERT_GE(tops.size(), 2u);
            const std::size_t groups = tops.size() <= 6 ? 0 : (tops.size() - 6) / 2;
            ASSERT_EQ(rules.size(), groups) << tops.size() << " rows";
            // The rows' places: rows 0 to 5, 6.1, 7.1, 8.2 and 9.2 of s from m.
            const NodeDataLayout layout = LayOutNodeData(0, state, W, H, 0);
            std::vector<int> places;
            for (const NodeDataLine& l : layout.lines)
                if (std::find(places.begin(), places.end(), l.y) == places.end())
                    places.push_back(l.y);
            std::sort(places.begin(), places.end());
            ASSERT_EQ(places.size(), 10u);
            // Where the second row stands lower than its place, the first two rows show how close
            // rows are packed (p); every row then stands at its place or p under the row above,
            // a row under a rule p + 2 (its blank row and the rule's) under the last row above
            // the rule.
            if (tops[1] == places[1])
                continue;
            ++packed;
            const int pitch = tops[1] - tops[0];
            for (std::size_t k = 2; k < tops.size(); ++k) {
                const bool ruled = k == 6 || k == 8;
                EXPECT_EQ(tops[k], std::max(places[k], tops[k - 1] + pitch + (ruled ? 2 : 0)))
                    << "row " << k << (ruled ? ", under a rule," : "") << " with rows " << pitch << " apart";
            }
            if (groups == 2 || tops.size() < 6)
                continue;
            ++groupsLeftOut;
            // The lines' height as measured in the pane's font, over every line up to the group
            // left out.
            const std::size_t next = 6 + 2 * groups;
            int tall = 0;
            for (const NodeDataLine& l : layout.lines)
                if (l.y <= places[next + 1])
                    tall = std::max(tall, MeasureRichText(dc, l.text, font).cy);
            const int first = std::max(places[next], tops.back() + pitch + 2);
            const int second = std::max(places[next + 1], first + pitch);
            EXPECT_GT(second + tall, H - 1) << (groups == 0 ? "the steel stresses" : "the crack")
                                            << " left out with room for them: their rows at " << first << " and "
                                            << second << ", " << tall << " high";
        }
    EXPECT_GT(groupsLeftOut, 0);
    EXPECT_GT(packed, 0) << "no pane whose rows are set lower than their places";
}
