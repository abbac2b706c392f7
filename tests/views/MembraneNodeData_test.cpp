// The node-data pane: where its lines land from hand-computed rows, what the steel flags and
// the crack width show, and the text that "Copy Text" puts on the clipboard.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "views/membrane/TNodeData.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Services.h"
#include "foundation/Units.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

// The mode-0 sequence 1..26 (SI), with the flag pair (x, y) and the crack width w.
std::vector<double> Sequence(double flagX, double flagY, double w)
{
    std::vector<double> v;
    for (int i = 1; i <= 26; ++i)
        v.push_back(i);
    v[0] = 0.001;     // e_x 1 mm/m
    v[9] = 2.5e6;     // f_1 2.5 MPa
    v[14] = 300e6;    // f_sx 300 MPa
    v[17] = w;        // w
    v[18] = 0.12;     // s_m theta 120 mm
    v[24] = flagX;
    v[25] = flagY;
    return v;
}

void Feed(TNodeData& pane, const std::vector<double>& v, bool separator)
{
    if (separator)
        pane.AddPoint(kUndefined, 0.0);
    for (std::size_t i = 0; i + 1 < v.size(); i += 2)
        pane.AddPoint(v[i], v[i + 1]);
    pane.AutoScale();
}

const NodeDataLine* Find(const NodeDataLayout& l, const std::string& fragment)
{
    for (const NodeDataLine& line : l.lines)
        if (line.text.find(fragment) != std::string::npos)
            return &line;
    return nullptr;
}

} // namespace

TEST(MembraneNodeData, LinesLandOnTheirRowsAndColumns)
{
    // W 400, H 300: m = 10, s = 28; left column 92, right 308, middle 200.
    const NodeDataLayout l = LayOutNodeData(0, Sequence(0, 0, 0.0004), 400, 300, 0);
    ASSERT_NE(Find(l, "|e_x:  1.00 mm/m"), nullptr);
    EXPECT_EQ(Find(l, "|e_x:")->x, 92);
    EXPECT_EQ(Find(l, "|e_x:")->y, 10);
    EXPECT_EQ(Find(l, "|q:")->y, 10 + 5 * 28);
    EXPECT_EQ(Find(l, "f_1:  2.50 MPa")->x, 308);
    EXPECT_EQ(Find(l, "f_s_x: 300.0 MPa")->y, 180); // trunc(10 + 6.1 x 28)
    EXPECT_EQ(Find(l, "w:  0.40 mm")->y, 239);      // trunc(10 + 8.2 x 28)
    EXPECT_NE(Find(l, "s_m-|q:   120 mm"), nullptr);
    EXPECT_NE(Find(l, "f_s_x_c_r:"), nullptr);
    EXPECT_EQ(l.rules, (std::vector<int>{180, 239}));

    // Uncracked: no crack steel stresses. x flag 3 and y flag 2: texts in the middle.
    const NodeDataLayout u = LayOutNodeData(0, Sequence(3, 2, 0.0), 400, 300, 0);
    EXPECT_EQ(Find(u, "f_s_x_c_r"), nullptr);
    EXPECT_EQ(Find(u, "X-dir'n not available")->x, 200);
    EXPECT_EQ(Find(u, "Bar Rupture")->y, 208); // trunc(10 + 7.1 x 28)
    EXPECT_EQ(Find(u, "f_s_y:"), nullptr);
    // A stress that rounds to zero from below reads as zero.
    std::vector<double> small = Sequence(0, 0, 0.0);
    small[6] = -1e3; // f_cx -0.001 MPa
    EXPECT_NE(Find(LayOutNodeData(0, small, 400, 300, 0), "f_c_x:  0.00 MPa"), nullptr);
    // A flag of 1 (no layers) still shows the stresses.
    EXPECT_NE(Find(LayOutNodeData(0, Sequence(1, 1, 0.0), 400, 300, 0), "f_s_y:"), nullptr);
    // US: stresses without decimals, crack width with three.
    const NodeDataLayout us = LayOutNodeData(0, Sequence(0, 0, 0.0004), 400, 300, 1);
    EXPECT_NE(Find(us, "f_1:   363 psi"), nullptr);
    EXPECT_NE(Find(us, "w: 0.016 in"), nullptr);
}

TEST(MembraneNodeData, PaintsNoDataThenTheLinesAndCopiesTheSameText)
{
    plat::EnsureGuiRuntime();
    TNodeData pane(nullptr, "", 0, 0, 400, 300, 0);
    EXPECT_EQ(pane.Kind(), 16);
    RecordingDC none;
    pane.Paint(none, true, {0, 0, 400, 300});
    EXPECT_EQ(none.Texts(), (std::vector<std::string>{"No Data"}));

    Feed(pane, Sequence(0, 0, 0.0004), true); // a leading separator pair is skipped
    RecordingDC dc;
    pane.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_EQ(dc.CallsOf("Line").size(), 2u);
    EXPECT_FALSE(dc.Texts().empty());

    pane.ExportData(0);
    const std::string text = plat::Clipboard::GetText();
    EXPECT_EQ(text.rfind("Membrane Node Information\r\n\r\n|e_x:  1.00 mm/m\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nf_c_x:  0.00 MPa\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    // 6 + 6 strain and concrete lines, 2 + 2 steel lines, spacing, width, v_ci, v_ci max.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 20);
    std::vector<std::string> items;
    for (const plat::MenuItem& i : pane.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Picture", "", "Copy Text", "Select Font"}));
}

// The second mode, a three-dimensional element (W 400, H 300: m = 10, s = 28; left column
// 0.23 W = 92, right 0.75 W = 300). Strains in rows 0-2, the shear strains on the right in the
// order xy, yz, xz (inputs 4, 6, 5); a rule at row 3 (y 94); concrete stresses in rows 3-5,
// the shear stresses xy, yz, xz (inputs 11, 13, 12); a rule at row 6 (y 178); a steel row per
// direction that has a stress below 1e30, its crack stress beside it when that is below 1e30
// (here y has none, and z has no steel at all). Painted, the lines land centred where laid
// out and the rules run from m to W - m; copied, the text is headed by its mode's title.
TEST(MembraneNodeData, TheThreeDimensionalModesLinesAndValues)
{
    const std::vector<double> v{1e-3,  -0.5e-3, 0.25e-3, 2e-3,  3e-3,  4e-3,  -10e6, -20e6, -30e6, 999.0,
                                1.5e6, 2.5e6,   3.5e6,   999.0, 100e6, 150e6, 200e6, 1e31,  1e31,  5e6};
    const NodeDataLayout l = LayOutNodeData(1, v, 400, 300, 0);
    const std::vector<std::tuple<std::string, int, int>> expected{
        {"e_x:  1.00 mm/m", 92, 10},          {"|g_x_y:  2.00 mm/m", 300, 10},
        {"e_y: -0.50 mm/m", 92, 38},          {"|g_y_z:  4.00 mm/m", 300, 38},
        {"e_z:  0.25 mm/m", 92, 66},          {"|g_x_z:  3.00 mm/m", 300, 66},
        {"f_c_x: -10.00 MPa", 92, 94},        {"v_x_y:  1.50 MPa", 300, 94},
        {"f_c_y: -20.00 MPa", 92, 122},       {"v_y_z:  3.50 MPa", 300, 122},
        {"f_c_z: -30.00 MPa", 92, 150},       {"v_x_z:  2.50 MPa", 300, 150},
        {"f_s_x: 100.0 MPa", 92, 178},        {"f_s_x_c_r: 150.0 MPa", 300, 178},
        {"f_s_y: 200.0 MPa", 92, 206}};
    std::vector<std::tuple<std::string, int, int>> got;
    for (const NodeDataLine& line : l.lines)
        got.emplace_back(line.text, line.x, line.y);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(l.rules, (std::vector<int>{94, 178}));

    plat::EnsureGuiRuntime();
    TNodeData pane(nullptr, "", 0, 0, 400, 300, 1);
    for (std::size_t i = 0; i + 1 < v.size(); i += 2)
        pane.AddPoint(v[i], v[i + 1]);
    pane.AutoScale();
    RecordingDC dc;
    pane.Paint(dc, true, {0, 0, 400, 300});
    std::vector<std::pair<int, int>> rules;
    for (const DrawCall& c : dc.CallsOf("Line")) {
        EXPECT_EQ(c.points[0].x, 10);
        EXPECT_EQ(c.points[1].x, 390);
        rules.emplace_back(c.points[0].y, c.points[1].y);
    }
    EXPECT_EQ(rules, (std::vector<std::pair<int, int>>{{94, 94}, {178, 178}}));
    bool steel = false;
    for (const DrawCall& c : dc.CallsOf("Text"))
        steel = steel || c.text.find("150.0 MPa") != std::string::npos;
    EXPECT_TRUE(steel);

    pane.ExportData(0);
    const std::string text = plat::Clipboard::GetText();
    EXPECT_EQ(text.rfind("Trumbel-2000 Node Information A\r\n\r\ne_x:  1.00 mm/m\r\n", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 15);
}

// In kg/cm units the right column's lines are the widest ("f_2_m_a_x: -117.6 kg/cm^2"): on
// a pane of a nine-graph panel (0.23 x 1280 by 0.32 x 944 pixels) every line stands whole
// between the rules' ends, m in from each edge, centred on its column, in one font; in SI
// units too; a wide pane keeps its text font.
TEST(MembraneNodeData, EveryLineStaysWholeInsideThePane)
{
    plat::EnsureGuiRuntime();
    ValueGuard<int> units(g_UnitSystem, 2);
    std::vector<double> v = Sequence(0, 0, 0.0004);
    v[1] = 0.0021, v[2] = 0.0042, v[3] = 0.0035, v[4] = -0.0008; // e_y, g_xy, e_1, e_2
    v[5] = 0.65;      // theta 37.2 deg.
    v[6] = -4.4e6, v[7] = -2.4e6, v[8] = 3.6e6; // f_cx, f_cy, v_xy
    v[10] = -10.2e6;  // f_2
    v[11] = -11.54e6; // f_2max: -117.6 kg/cm^2
    v[12] = -2.6e8;   // f_sy
    v[13] = 4.6e8;    // f_sycr
    v[15] = 4.3e8;    // f_sxcr
    v[21] = -1.2e6;   // v_ci
    v[22] = 1.38e6;   // v_ci max
    for (const int system : {2, 0}) {
        g_UnitSystem = system;
        const int W = 294, H = 302, m = W / 40;
        TNodeData pane(nullptr, "", 0, 0, W, H, 0);
        Feed(pane, v, false);
        RecordingDC dc;
        pane.Paint(dc, true, {0, 0, W, H});
        const NodeDataLayout layout = LayOutNodeData(0, v, W, H, system);
        // The pieces of a marked-up line lie on its row; each row's two columns lie apart.
        std::vector<DrawCall> texts = dc.CallsOf("Text");
        ASSERT_FALSE(texts.empty());
        bool sawLongest = false;
        for (const NodeDataLine& line : layout.lines) {
            int left = W, right = 0;
            for (const DrawCall& c : texts) {
                const int x = c.run.at.x + c.run.x0;
                // Subscripts and Symbol letters of a marked-up line are drawn a little lower.
                const bool sameRow = std::abs(c.run.at.y - line.y) < (H - 2 * m) / 20;
                const bool sameColumn = (x < W / 2) == (line.x < W / 2) || line.x == W / 2;
                if (sameRow && sameColumn) {
                    left = std::min(left, x);
                    right = std::max(right, x + c.run.width);
                }
            }
            ASSERT_LT(left, right) << line.text;
            sawLongest = sawLongest || line.text.find("f_2_m_a_x: -117.6 kg/cm^2") != std::string::npos;
            EXPECT_GE(left, m) << line.text << " in unit system " << system;
            EXPECT_LE(right, W - m) << line.text << " in unit system " << system;
            EXPECT_NEAR((left + right) / 2.0, line.x, 2.0) << line.text;
        }
        EXPECT_EQ(sawLongest, system == 2);
        // The plain pieces (": -117.6 kg/cm^2" ...) are all in one font.
        std::vector<int> heights;
        for (const DrawCall& c : texts)
            if (c.state.font.face == pane.TextFont().face && c.text.find(':') != std::string::npos)
                heights.push_back(c.state.font.height);
        ASSERT_FALSE(heights.empty());
        EXPECT_EQ(std::count(heights.begin(), heights.end(), heights.front()), static_cast<long>(heights.size()));
    }
    // A pane wide enough for its lines, in a text whose rows stand clear of each other, keeps
    // its text font.
    g_UnitSystem = 0;
    TNodeData wide(nullptr, "", 0, 0, 600, 302, 0);
    wide.SetFontHeights(20, 16);
    Feed(wide, v, false);
    RecordingDC dc;
    wide.Paint(dc, true, {0, 0, 600, 302});
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (c.text.find(':') != std::string::npos) {
            EXPECT_EQ(c.state.font, wide.TextFont()) << c.text;
        }
    }
}

// W 400, H 300 (rows as above: the rules at 180 and 239, the steel row above the second at
// 208). The letters of "s_m-|q: ..." start on their line's top row (the Greek letter, drawn
// larger, reaches it), the others three rows down and end at row 14: the rule at 180 stays,
// three rows over "f_s_x"; the one at 239 goes up two rows, a blank row (238) over the θ, well
// under the steel row's letters (to 221). With letters 30 rows high, the steel row's reach to
// 237 and the rule stands midway, on row 238.
TEST(MembraneNodeData, TheRulesStandClearOfTheLettersUnderThem)
{
    const NodeDataLayout l = LayOutNodeData(0, Sequence(0, 0, 0.0004), 400, 300, 0);
    ASSERT_EQ(l.rules, (std::vector<int>{180, 239}));
    ASSERT_EQ(Find(l, "f_s_y:")->y, 208);
    const plat::LogFont font;
    const PlanLetters greekHigh = [](std::string_view text, const plat::LogFont&) {
        return LetterRows{text.find("|q") != std::string_view::npos ? 0 : 3, 14};
    };
    EXPECT_EQ(RulesClearOfLetters(l, greekHigh, font), (std::vector<int>{180, 237}));
    const PlanLetters tall = [](std::string_view text, const plat::LogFont&) {
        return LetterRows{text.find("|q") != std::string_view::npos ? 0 : 3, 30};
    };
    EXPECT_EQ(RulesClearOfLetters(l, tall, font), (std::vector<int>{180, 238}));
}

// The pane painted as the program paints it, at the size of a nine-graph panel's pane (294 x
// 302), of a small window (200 x 150) and at others from 200 x 150 to 600 x 450: each rule, a
// row of ink from m to W - m (m = W / 40), has a blank row under it and the letters of the lines
// starting on it within a line's height below (the larger "θ" of "s_m-θ" rises above its
// line's top at 220 x 150 and 600 x 450).
TEST(MembraneNodeData, TheRulesKeepABlankRowOverTheLettersBelowThem)
{
    plat::EnsureGuiRuntime();
    const std::vector<std::pair<int, int>> sizes{{200, 150}, {220, 150}, {256, 192}, {294, 302},
                                                 {300, 225}, {320, 240}, {400, 300}, {600, 450}};
    for (const auto& [W, H] : sizes) {
        SCOPED_TRACE(std::to_string(W) + " x " + std::to_string(H));
        TNodeData pane(nullptr, "", 0, 0, W, H, 0);
        Feed(pane, Sequence(0, 0, 0.0004), false);
        plat::MemoryDC dc(W, H);
        pane.Paint(dc, true, {0, 0, W, H});
        const plat::Image& picture = dc.Bitmap();
        const int m = W / 40;
        const auto ink = [&](int y) {
            int n = 0;
            for (int x = m; x < W - m; ++x) {
                const plat::Color c = picture.Pixel(x, y);
                n += c.r < 250 || c.g < 250 || c.b < 250 ? 1 : 0;
            }
            return n;
        };
        std::vector<int> rules;
        for (int y = 0; y < H; ++y)
            if (ink(y) == W - 2 * m)
                rules.push_back(y);
        // Where even the least text leaves no room for the rows under a rule (the crack below
        // 200 high, the steel stresses too at 150), that group is left out with its rule.
        ASSERT_EQ(rules.size(), H >= 200 ? 2u : H >= 190 ? 1u : 0u);
        const int lineHeight = (H - 2 * m) / 10;
        for (const int rule : rules) {
            EXPECT_EQ(ink(rule + 1), 0) << "letters touch the rule on row " << rule;
            int letters = rule + 1;
            while (letters < std::min(H, rule + 2 * lineHeight) && ink(letters) == 0)
                ++letters;
            EXPECT_LT(letters, rule + lineHeight) << "no letters under the rule on row " << rule;
        }
    }
}
