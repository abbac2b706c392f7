// The crack diagram and the cross-section chart: node angles turned by the sign of V in the
// chart's own copy, where the crack-width labels land and what they read, the pen widths of
// the width classes after "Select Widths", the start face, horizontal cracks, the fill colours,
// a concrete type index out of range, the modes and the placement of the section picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "analysis/state/SectionState.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "tests/views/MeshLayers.h"
#include "views/TBeamDiagram.h"

namespace {

namespace TA = plat::TextAlign;
using picture::Band;
using picture::Label;
using picture::Line;

constexpr double kHalfPi = 1.5707963267948966;

plat::Size Extent(const std::string& text, const plat::LogFont&)
{
    return {7 * static_cast<int>(text.size()), 12};
}

// A state of n equal layers over the test section's depth (0.3 .. -0.3), every node set by
// the function from its depth.
std::unique_ptr<SectionState> MeshState(int n, double V, const std::function<void(LayerNodeStateRec&)>& set)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = 1;
    s->LayerCount = n;
    s->Results[StateResult::Shear] = V;
    s->NodeStates.resize(static_cast<std::size_t>(2 * n + 1));
    for (int i = 0; i <= 2 * n; ++i) {
        LayerNodeStateRec& node = s->NodeStates[static_cast<std::size_t>(i)];
        node.Depth = 0.3 - 0.6 * i / (2.0 * n);
        node.LocalTensileStrength = 2e6;
        node.CrackAngle = kHalfPi;
        set(node);
    }
    AddMeshLayerDefs(*s, n);
    return s;
}

// Cracked where the net principal tensile strain is well past cracking (2 MPa / 30 GPa).
void Cracked(LayerNodeStateRec& n) { n.Strain1 = 0.003; }

std::vector<Label> TextLabels(const DiagramPicture& p)
{
    std::vector<Label> labels = p.All<Label>();
    labels.erase(labels.begin()); // the title
    return labels;
}

// The crack lines: every line that is not a full-width horizontal (faces, boundaries).
std::vector<Line> CrackLines(const DiagramPicture& p, int W)
{
    std::vector<Line> lines;
    for (const Line& l : p.All<Line>())
        if (!(l.a.y == l.b.y && l.a.x == 0 && l.b.x == W))
            lines.push_back(l);
    return lines;
}

// The 300 x 600 mm test section with cracks spaced 150 mm, in a 400 x 300 box.
struct BeamDiagramTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    TBeamDiagram chart{nullptr, "Crack Diagram ", 0, 0, 400, 300, 1};
    double s = 0.0; // pixels per metre
    BeamDiagramTest()
    {
        beam->SetCrackSpacing(0.15, 0);
        beam->Validate();
        chart.SetDisplay(DisplayContext{});
        s = (300 - chart.Margins().top - 8) / 0.6;
    }
    // The row of a depth: the bottom 4 px above the lower edge.
    int Row(double z) const { return static_cast<int>(296 + (-0.3) * s - z * s); }
    void Show(const SectionState& state)
    {
        chart.AttachStructure(beam.get());
        chart.AttachState(&state);
        chart.AutoScale();
    }
};

TEST_F(BeamDiagramTest, CopyTurnsNodeAnglesBySignOfShear)
{
    auto set = [](LayerNodeStateRec& n) { n.CrackAngle = n.Depth > 0 ? 0.7 : -0.5; };
    auto positive = MeshState(2, 1e5, set);
    Show(*positive);
    const SectionState* copy = chart.GetStateCopy();
    ASSERT_NE(copy, nullptr);
    EXPECT_NEAR(copy->NodeStates[0].CrackAngle, 0.7, 1e-12);                 // above 0: kept
    EXPECT_NEAR(copy->NodeStates[4].CrackAngle, -0.5 + 3.141592653589, 1e-12); // below 0: + pi
    EXPECT_NEAR(positive->NodeStates[4].CrackAngle, -0.5, 1e-12);           // the source unchanged

    auto negative = MeshState(2, -1e5, set);
    Show(*negative);
    EXPECT_NEAR(chart.GetStateCopy()->NodeStates[0].CrackAngle, 0.7 - 3.141592653589, 1e-12);
    EXPECT_NEAR(chart.GetStateCopy()->NodeStates[4].CrackAngle, -0.5, 1e-12);

    auto none = MeshState(2, 0.0, set);
    Show(*none);
    EXPECT_NEAR(chart.GetStateCopy()->NodeStates[0].CrackAngle, 0.7, 1e-12);
    EXPECT_NEAR(chart.GetStateCopy()->NodeStates[4].CrackAngle, -0.5, 1e-12);
    // The copy holds the 2n + 1 nodes and n layers, nothing else of the state's tables.
    EXPECT_EQ(chart.GetStateCopy()->NodeStates.size(), 5u);
    EXPECT_EQ(chart.GetStateCopy()->LayerDefs.size(), 2u);
    EXPECT_EQ(chart.GetStateCopy()->Profile, nullptr);
}

// Vertical cracks over the whole depth, crack width 0.001 (0.3 - z): the six label heights
// zbot + H/32 + k (H - H/16) / 5 read 0.3 - hk in mm, five pixels right of the crack.
TEST_F(BeamDiagramTest, CrackWidthLabelsAtTheSixHeights)
{
    auto state = MeshState(4, 0.0, [](LayerNodeStateRec& n) {
        Cracked(n);
        n.CrackWidth = 0.001 * (0.3 - n.Depth);
    });
    Show(*state);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_FALSE(p.noData);
    const std::vector<Label> labels = TextLabels(p);
    ASSERT_EQ(labels.size(), 6u);
    const char* texts[] = {"0.02", "0.13", "0.24", "0.36", "0.47", "0.58"};
    const int drop = std::abs(chart.TitleFont().height) / 2;
    for (int i = 0; i < 6; ++i) {
        const double hk = -0.3 + 0.6 / 32 + (5 - i) * (0.6 - 0.6 / 16) / 5; // walked from the top
        EXPECT_EQ(labels[i].text, texts[i]) << i;
        // The lowest would hang below the bottom face (row 296) and out of the chart: it
        // stands on the face instead, its 12 rows just above it.
        const int y = i == 5 ? Row(-0.3) - 12 : Row(hk) + drop;
        if (i == 5) {
            ASSERT_GT(Row(hk) + drop + 12, Row(-0.3)) << "the lowest label's home must cross the face";
        }
        EXPECT_EQ(labels[i].at, (plat::Point{205, y})) << i;
        EXPECT_EQ(labels[i].hAlign, TA::Left);
        EXPECT_EQ(labels[i].vAlign, TA::Top);
    }
    // The cracks: vertical at x = 200 and every 0.15 s pixels to each side.
    const std::vector<Line> cracks = CrackLines(p, 400);
    ASSERT_FALSE(cracks.empty());
    EXPECT_EQ(cracks[0].a, (plat::Point{200, Row(state->NodeStates[0].Depth)}));
    EXPECT_EQ(cracks[0].b, (plat::Point{200, Row(state->NodeStates[1].Depth)}));
    EXPECT_EQ(cracks[1].a.x, static_cast<int>(200.5 + 0.15 * s));
    for (const Line& l : cracks)
        EXPECT_EQ(l.width, 1);
}

// In a chart only 120 pixels high the labels' homes (a half title height below their heights)
// reach past the faces: from the top the lowest hangs below the bottom face and out of the
// chart, from the bottom the highest stands above the top face into the title. Every label
// stays between the face rows (no face line through it) and within the chart's width; a
// label whose home is clear keeps it.
TEST_F(BeamDiagramTest, CrackWidthLabelsStayBetweenTheFacesOfALowChart)
{
    const int W = 160, H = 120;
    TBeamDiagram low{nullptr, "Crack Diagram ", 0, 0, W, H, 1};
    low.SetDisplay(DisplayContext{});
    const double sl = (H - low.Margins().top - 8) / 0.6;
    const auto row = [&](double z) { return static_cast<int>((H - 4) + (-0.3) * sl - z * sl); };
    const int topFace = row(0.3), bottomFace = row(-0.3);
    const int drop = std::abs(low.TitleFont().height) / 2;
    const auto check = [&](const SectionState& state, bool fromTop) {
        low.AttachStructure(beam.get());
        low.AttachState(&state);
        low.AutoScale();
        const std::vector<Label> labels = TextLabels(low.ComputePicture(Extent));
        ASSERT_FALSE(labels.empty());
        for (const Label& l : labels) {
            const plat::Size e = Extent(l.text, l.font);
            const int top = fromTop ? l.at.y : l.at.y - e.cy;
            const int left = fromTop ? l.at.x : l.at.x - e.cx;
            EXPECT_GT(top, topFace) << l.text;
            EXPECT_LT(top + e.cy - 1, bottomFace) << l.text;
            EXPECT_GE(left, 0) << l.text;
            EXPECT_LE(left + e.cx, W) << l.text;
        }
    };
    // Cracked throughout: drawn from the top; the lowest home crosses the bottom face.
    auto whole = MeshState(4, 0.0, [](LayerNodeStateRec& n) {
        Cracked(n);
        n.CrackWidth = 0.0005;
    });
    const double lowest = -0.3 + 0.6 / 32;
    ASSERT_GT(row(lowest) + drop + 12, bottomFace);
    check(*whole, true);
    // Cracked below mid-depth only: drawn from the bottom; the highest label (k = 4, the
    // one of k = 5 lies in the uncracked top half) stays clear of the top face too.
    auto bottom = MeshState(8, 0.0, [](LayerNodeStateRec& n) {
        if (n.Depth < 0.2)
            Cracked(n);
        n.CrackWidth = n.Depth < 0.2 ? 0.0002 : 0.0;
    });
    check(*bottom, false);
}

// A chart under a hundred pixels high (the nine-graph page of a short window): the six label
// heights lie fewer rows apart than a label is high, and the lowest labels, held above the bottom
// face, would stand on each other. Cracked throughout, the width growing from 0 at the top face
// to 3 mm at the bottom one: no two labels share a pixel, the widest ("2.91", at the lowest
// height) is kept, and those kept read down the chart in the order of their heights, between
// the faces. Painted on a screen and on a page's mapping, the letters drawn meet no others.
TEST_F(BeamDiagramTest, CrackWidthLabelsOfALowChartStandApart)
{
    auto state = MeshState(4, 0.0, [](LayerNodeStateRec& n) {
        Cracked(n);
        n.CrackWidth = 0.005 * (0.3 - n.Depth);
    });
    for (const int H : {64, 72, 80}) {
        const int W = 300;
        TBeamDiagram low{nullptr, "Crack Diagram ", 0, 0, W, H, 1};
        low.SetDisplay(DisplayContext{});
        low.AttachStructure(beam.get());
        low.AttachState(state.get());
        low.AutoScale();
        const double sl = (H - low.Margins().top - 8) / 0.6;
        const int topFace = static_cast<int>((H - 4) + (-0.3) * sl - 0.3 * sl);
        const int bottomFace = H - 4;
        // The homes crowd: six heights over the depth, fewer than 12 rows apart.
        ASSERT_LT((0.6 - 0.6 / 16) / 5 * sl, 12.0) << H;
        const std::vector<Label> labels = TextLabels(low.ComputePicture(Extent));
        ASSERT_FALSE(labels.empty()) << H;
        EXPECT_EQ(labels.back().text, "2.91") << H;
        std::vector<plat::Rect> boxes;
        for (const Label& l : labels) {
            const plat::Size e = Extent(l.text, l.font);
            boxes.push_back({l.at.x, l.at.y, l.at.x + e.cx, l.at.y + e.cy});
            EXPECT_GT(l.at.y, topFace) << H << " " << l.text;
            EXPECT_LT(l.at.y + e.cy - 1, bottomFace) << H << " " << l.text;
        }
        for (std::size_t i = 1; i < boxes.size(); ++i) {
            EXPECT_LT(labels[i - 1].text, labels[i].text) << H;
            EXPECT_LE(boxes[i - 1].bottom, boxes[i].top) << H << ": \"" << labels[i - 1].text << "\" at rows "
                                                          << boxes[i - 1].top << ".." << boxes[i - 1].bottom
                                                          << " on \"" << labels[i].text << "\" at rows "
                                                          << boxes[i].top << ".." << boxes[i].bottom;
        }
        for (const bool onPage : {false, true}) {
            RecordingDC dc;
            if (onPage) {
                dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
                dc.SetMapMode(plat::MapMode::Anisotropic);
                dc.SetWindowExt({1123, 794});
                dc.SetViewportExt({3508, 2480});
            }
            low.Paint(dc, true, {0, 0, W, H});
            std::vector<std::pair<std::string, plat::Rect>> letters;
            for (const DrawCall& c : dc.CallsOf("Text")) {
                if (c.text.find_first_not_of("0123456789.") != std::string::npos)
                    continue;
                const plat::TextRun& r = c.run;
                const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
                letters.push_back({c.text, {left, baseline - r.ascent, left + r.width, baseline + r.descent}});
            }
            ASSERT_GE(letters.size(), 2u) << H << (onPage ? " page" : " screen");
            EXPECT_EQ(letters.back().first, "2.91") << H << (onPage ? " page" : " screen");
            for (std::size_t i = 0; i < letters.size(); ++i)
                for (std::size_t j = 0; j < i; ++j) {
                    const plat::Rect& a = letters[i].second;
                    const plat::Rect& b = letters[j].second;
                    EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                        << H << (onPage ? " page: \"" : " screen: \"") << letters[i].first << "\" on \""
                        << letters[j].first << "\"";
                }
        }
    }
}

TEST_F(BeamDiagramTest, SelectWidthsSetsTheClassesOfTheCrackPens)
{
    ScriptedUi ui;
    ui.Input("Enter widths for change in crack widths", std::string("0.2, 0.5"));
    chart.CmPopup3004();
    EXPECT_FLOAT_EQ(chart.FirstWidthLimit(), 0.0002f);
    EXPECT_FLOAT_EQ(chart.SecondWidthLimit(), 0.0005f);
    chart.CmPopup3001(); // mode 2: pens by crack width
    ASSERT_EQ(chart.Mode(), 2);
    for (const auto& [width, pen] : {std::pair{0.0001, 1}, std::pair{0.0003, 2}, std::pair{0.0006, 3}}) {
        auto state = MeshState(2, 0.0, [w = width](LayerNodeStateRec& n) {
            Cracked(n);
            n.CrackWidth = w;
        });
        Show(*state);
        const std::vector<Line> cracks = CrackLines(chart.ComputePicture(Extent), 400);
        ASSERT_FALSE(cracks.empty());
        for (const Line& l : cracks)
            EXPECT_EQ(l.width, pen) << width;
    }
    // One number changes the first limit only; Cancel changes nothing.
    ui.Input("Enter widths", std::string("0.4"));
    chart.CmPopup3004();
    EXPECT_FLOAT_EQ(chart.FirstWidthLimit(), 0.0004f);
    EXPECT_FLOAT_EQ(chart.SecondWidthLimit(), 0.0005f);
    ui.Input("Enter widths", std::nullopt);
    chart.CmPopup3004();
    EXPECT_FLOAT_EQ(chart.FirstWidthLimit(), 0.0004f);
}

TEST(CrackWidthLimits, CommasBlanksAndWords)
{
    float a = 0.0003f, b = 0.001f;
    EXPECT_EQ(ParseCrackWidthLimits(" 0.20 ,  0.50", 1000.0, a, b), "");
    EXPECT_FLOAT_EQ(a, 0.0002f);
    EXPECT_FLOAT_EQ(b, 0.0005f);
    // A word, or a width with its unit, is refused: both limits stay.
    EXPECT_EQ(ParseCrackWidthLimits("wide,0.01", 39.37008, a, b), "Crack width must be a number: \"wide\" is not.");
    EXPECT_EQ(ParseCrackWidthLimits("0.3mm 0.5", 1000.0, a, b), "Crack width must be a number: \"0.3mm\" is not.");
    EXPECT_FLOAT_EQ(a, 0.0002f);
    EXPECT_FLOAT_EQ(b, 0.0005f);
    EXPECT_EQ(ParseCrackWidthLimits("0, 0.01", 39.37008, a, b), "");
    EXPECT_FLOAT_EQ(a, 0.0f);
    EXPECT_FLOAT_EQ(b, static_cast<float>(0.01 / 39.37008));
    EXPECT_EQ(ParseCrackWidthLimits("", 1000.0, a, b), "");
    EXPECT_FLOAT_EQ(a, 0.0f);
}

TEST_F(BeamDiagramTest, ToggleModeCyclesTitles)
{
    EXPECT_EQ(chart.Mode(), 1);
    chart.SetTitle("Crack Diagram ");
    chart.CmPopup3001();
    EXPECT_EQ(chart.Mode(), 2);
    EXPECT_EQ(chart.Data().Title(), "Crack Diagram");
    chart.CmPopup3001();
    EXPECT_EQ(chart.Mode(), 0);
    EXPECT_EQ(chart.Data().Title(), "Principal Stress Direction");
    chart.CmPopup3001();
    EXPECT_EQ(chart.Mode(), 1);
    EXPECT_EQ(chart.Data().Title(), "Crack Diagram");
    const auto& items = chart.PopupItems();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].id, 3011);
    EXPECT_EQ(items[2].text, "Toggle Fill");
    EXPECT_EQ(items[4].text, "Toggle Mode");
    EXPECT_EQ(items[5].text, "Select Widths");
}

TEST_F(BeamDiagramTest, UncrackedSectionDrawsOutlineAndFillOnly)
{
    auto state = MeshState(3, 0.0, [](LayerNodeStateRec&) {});
    Show(*state);
    const DiagramPicture p = chart.ComputePicture(Extent);
    EXPECT_TRUE(CrackLines(p, 400).empty());
    EXPECT_TRUE(TextLabels(p).empty());
    // The two faces.
    const std::vector<Line> lines = p.All<Line>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].a, (plat::Point{0, Row(0.3)}));
    EXPECT_EQ(lines[1].a, (plat::Point{0, Row(-0.3)}));
    // Six sound grey bands after the background, covering the depth.
    const std::vector<Band> bands = p.All<Band>();
    ASSERT_EQ(bands.size(), 7u);
    EXPECT_EQ(bands[1].rect, (plat::Rect{0, Row(0.3), 400, Row(0.2)}));
    EXPECT_EQ(bands[1].colour, (plat::Color{192, 192, 192}));
}

// Mode 0 draws the principal compressive directions everywhere, half the chart width apart,
// without labels.
TEST_F(BeamDiagramTest, PrincipalDirectionsEverywhereHalfAWidthApart)
{
    chart.CmPopup3001();
    chart.CmPopup3001();
    ASSERT_EQ(chart.Mode(), 0);
    auto state = MeshState(1, 0.0, [](LayerNodeStateRec& n) { n.CrackAngle = kHalfPi / 2; });
    Show(*state);
    const DiagramPicture p = chart.ComputePicture(Extent);
    EXPECT_TRUE(TextLabels(p).empty());
    const std::vector<Line> lines = CrackLines(p, 400);
    ASSERT_FALSE(lines.empty());
    // From the top face at x = 200.5, down and to the left at 45 degrees over 0.3 m.
    const int run = static_cast<int>(200.5 - 0.3 * s);
    EXPECT_EQ(lines[0].a, (plat::Point{200, Row(0.3)}));
    EXPECT_EQ(lines[0].b, (plat::Point{run, Row(0.0)}));
    EXPECT_EQ(lines[1].a.x, 400); // the next one 200 px to the right
    std::vector<int> starts;
    for (const Line& l : lines)
        if (l.a.y == Row(0.3))
            starts.push_back(l.a.x);
    // Right until both ends pass W + 600, left until both pass -600.
    EXPECT_EQ(starts, (std::vector<int>{200, 400, 600, 800, 1000, 0, -199, -399, -599}));
}

TEST_F(BeamDiagramTest, CracksGrowFromACrackedBottom)
{
    auto state = MeshState(4, 0.0, [](LayerNodeStateRec& n) {
        if (n.Depth < 0.0)
            Cracked(n);
        n.CrackWidth = n.Depth < 0.0 ? 0.0002 : 0.0;
    });
    Show(*state);
    const DiagramPicture p = chart.ComputePicture(Extent);
    const std::vector<Label> labels = TextLabels(p);
    ASSERT_FALSE(labels.empty());
    for (const Label& l : labels) {
        EXPECT_EQ(l.hAlign, TA::Right);
        EXPECT_EQ(l.vAlign, TA::Bottom);
        EXPECT_EQ(l.at.x, 195); // five pixels left of the crack at 200
        EXPECT_EQ(l.text, "0.20");
    }
    // The first crack segment starts on the bottom face and runs up.
    const std::vector<Line> cracks = CrackLines(p, 400);
    ASSERT_FALSE(cracks.empty());
    EXPECT_EQ(cracks[0].a, (plat::Point{200, Row(state->NodeStates[8].Depth)}));
    EXPECT_EQ(cracks[0].b, (plat::Point{200, Row(state->NodeStates[7].Depth)}));
    // No crack reaches into the uncracked top half.
    for (const Line& l : cracks)
        EXPECT_GE(std::min(l.a.y, l.b.y), Row(0.0) - 1);
}

TEST_F(BeamDiagramTest, HorizontalCracksCrossTheChart)
{
    auto state = MeshState(1, 0.0, [](LayerNodeStateRec& n) {
        Cracked(n);
        n.CrackAngle = 0.0005;
    });
    Show(*state);
    const std::vector<Line> lines = chart.ComputePicture(Extent).All<Line>();
    // Faces, then one line across at mid-height of each half.
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].a, (plat::Point{0, Row(0.15)}));
    EXPECT_EQ(lines[2].b, (plat::Point{400, Row(0.15)}));
    EXPECT_EQ(lines[3].a, (plat::Point{0, Row(-0.15)}));
}

TEST_F(BeamDiagramTest, FillColoursCrushingShearFailureAndBadTypes)
{
    // Crushed at both nodes of the top half: light red.
    auto crushed = MeshState(1, 0.0, [](LayerNodeStateRec& n) {
        if (n.Depth >= 0.0)
            n.Strain2 = -0.004; // beyond e'c = -0.0025
    });
    Show(*crushed);
    std::vector<Band> bands = chart.ComputePicture(Extent).All<Band>();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[1].colour, (plat::Color{255, 192, 192}));
    EXPECT_EQ(bands[2].colour, (plat::Color{192, 192, 192}));

    // Crack shear at its limit: magenta only without stirrups.
    auto sliding = MeshState(1, 0.0, [](LayerNodeStateRec& n) {
        n.CrackShearStress = 1e6;
        n.CrackShearLimit = 1e6;
    });
    Show(*sliding);
    EXPECT_EQ(chart.ComputePicture(Extent).All<Band>()[1].colour, (plat::Color{192, 192, 192}));
    beam->DeleteTransLayers(2);
    Show(*sliding);
    EXPECT_EQ(chart.ComputePicture(Extent).All<Band>()[1].colour, (plat::Color{255, 192, 255}));

    // A type index equal to the type count names no type: a message, and the half is grey
    // though its strain would mean crushing.
    auto bad = MeshState(1, 0.0, [](LayerNodeStateRec& n) {
        n.Strain2 = -0.004;
        if (n.Depth > 0.1)
            n.ConcreteType = 1;
    });
    Show(*bad);
    const DiagramPicture p = chart.ComputePicture(Extent);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].find("Concrete type 1"), std::string::npos);
    bands = p.All<Band>();
    EXPECT_EQ(bands[1].colour, (plat::Color{192, 192, 192}));
    EXPECT_EQ(bands[2].colour, (plat::Color{255, 192, 192}));
    // Painted, the message is shown once for the state, not at every repaint.
    ScriptedUi ui;
    ui.Message("Concrete type 1", MsgAnswer::Ok);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    chart.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_EQ(ui.requests.size(), 1u);
}

TEST_F(BeamDiagramTest, NoDataAndTheTwoCallProtocol)
{
    EXPECT_TRUE(chart.ComputePicture(Extent).noData);
    EXPECT_TRUE(chart.AwaitsStructure());
    auto state = MeshState(1, 0.0, Cracked);
    chart.AttachStructure(beam.get());
    EXPECT_FALSE(chart.AwaitsStructure());
    chart.AttachStructure(nullptr); // the state's turn: no state
    EXPECT_TRUE(chart.AwaitsStructure());
    EXPECT_EQ(chart.GetStateCopy(), nullptr);
    Show(*state);
    EXPECT_FALSE(chart.ComputePicture(Extent).noData);
    state->Valid = 0;
    Show(*state);
    EXPECT_TRUE(chart.ComputePicture(Extent).noData);
}

// Drawn through the recording DC: the crack diagram's first band and crack where the picture
// puts them; the cross section centred, its bottom m = 12 px above the lower edge.
TEST_F(BeamDiagramTest, PaintsOnTheRecordingDC)
{
    auto state = MeshState(2, 0.0, Cracked);
    Show(*state);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    const std::vector<DrawCall> fills = dc.CallsOf("FillRect");
    ASSERT_GE(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (plat::Rect{0, 0, 400, 300}));
    const int y0 = Row(state->NodeStates[0].Depth), y1 = Row(state->NodeStates[1].Depth);
    EXPECT_EQ(fills[1].rect, (plat::Rect{0, y0, 400, y1}));
    bool crackAt200 = false;
    for (const DrawCall& c : dc.CallsOf("Line"))
        crackAt200 |= c.points[0] == plat::Point{200, y0} && c.points[1] == plat::Point{200, y1};
    EXPECT_TRUE(crackAt200);

    TRichBeam section(nullptr, "Cross Section", 0, 0, 400, 300);
    section.AttachStructure(beam.get());
    section.AttachState(state.get());
    const SectionPlacement place = section.ComputePlacement();
    const double scale = (300 - 24 - section.Margins().top) / 0.6;
    EXPECT_DOUBLE_EQ(place.scale, scale);
    EXPECT_EQ(place.centreX, 200.0);
    EXPECT_DOUBLE_EQ(place.originY, 288 - 0.3 * scale);
    RecordingDC sdc;
    section.Paint(sdc, true, {0, 0, 400, 300});
    const std::vector<DrawCall> sfills = sdc.CallsOf("FillRect");
    ASSERT_GE(sfills.size(), 2u);
    // The top half-layer band of the section's crack state: 300 mm wide about x = 200.
    EXPECT_EQ(sfills[1].rect.left, static_cast<int>(200 - 0.15 * scale));
    EXPECT_EQ(sfills[1].rect.top, static_cast<int>(place.originY - 0.3 * scale));
    EXPECT_EQ(sfills[1].rect.right, static_cast<int>(200 + 0.15 * scale));
}

TEST(RichBeamCopy, WithoutStructureBarArraysHoldOneValue)
{
    plat::EnsureGuiRuntime();
    TRichBeam section(nullptr, "Cross Section", 0, 0, 400, 300);
    auto state = MeshState(1, 0.0, Cracked);
    state->LongBarValues[0] = {1.0, 2.0, 3.0};
    section.AttachStructure(nullptr);
    section.AttachState(state.get());
    ASSERT_NE(section.GetStateCopy(), nullptr);
    EXPECT_EQ(section.GetStateCopy()->LongBarValues[0], std::vector<double>{1.0});
    EXPECT_EQ(section.GetStateCopy()->LongBarValues[2].size(), 1u);
    EXPECT_TRUE(section.ComputePlacement().noData);
}

// With a structure each per-bar array keeps its own length: list 1 of a beam holds one value,
// and reading past it must give "no value" rather than a padded entry that the section picture
// would take for a ruptured bar.
TEST_F(BeamDiagramTest, CopiedBarArraysKeepTheirLengths)
{
    TRichBeam section(nullptr, "Cross Section", 0, 0, 400, 300);
    auto state = MeshState(1, 0.0, Cracked);
    state->LongBarValues[BarArray::List0Stress] = {3.6e8, 1.3e8, -1.0e8};
    state->LongBarValues[BarArray::List1Stress] = {0.0};
    section.AttachStructure(beam.get());
    section.AttachState(state.get());
    const SectionState* copy = section.GetStateCopy();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->LongBarValues[BarArray::List0Stress], state->LongBarValues[BarArray::List0Stress]);
    EXPECT_EQ(copy->LongBarValues[BarArray::List1Stress], std::vector<double>{0.0});
    EXPECT_EQ(copy->BarValue(BarArray::List1Stress, 2), kUndefined);
    // Every layer's bars are drawn: two circles at each of the three layers.
    RecordingDC dc;
    section.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_EQ(dc.CallsOf("Ellipse").size(), 6u);
}

} // namespace
