// The membrane mode's texts: the element description in SI and US units (placeholder authors
// left out, pattern layers described once by their pattern, growable past any fixed buffer),
// the information panel and the test comparison box, checked where their lines land.

#include <gtest/gtest.h>

#include <map>

#include "membrane/MembraneState.h"
#include "views/membrane/TP2k_Logic.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Units.h"
#include "model/DefaultAuthor.h"
#include "model/TShell.h"
#include "support/TestSupport.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/ViewTestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

// The drawn text that contains the fragment; fails when there is none.
DrawCall TextCall(const RecordingDC& dc, const std::string& fragment)
{
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.text.find(fragment) != std::string::npos)
            return c;
    ADD_FAILURE() << "no text with " << fragment;
    return {};
}

} // namespace

TEST(MembraneTexts, DescriptionInSiAndUsWithoutPlaceholderAuthors)
{
    auto shell = MakePanel(PanelSpec{});
    shell->SetName("PV1");
    shell->SetDoneBy("p2k");
    shell->SetUniversity("Toronto");
    TP2k_Logic logic(shell.get(), nullptr);
    std::string text;
    logic.GetInfoText(text);
    // 1 % of a 70 mm panel at 50 mm: 35 mm^2 per bar, at mid-depth (35 mm up).
    EXPECT_EQ(text, "PV1\r\nToronto\r\nf_c'=  30.0 MPa"
                    "\r\nf_y (Bars) =   400 MPa\r\nf_y (BarsM) =   400 MPa"
                    "\r\nX-Reinforcement: \r\nA_s =    35 mm^2 @   50 mm    35 mm up\r\n"
                    "Y-Reinforcement: \r\nA_s =    35 mm^2 @   50 mm    35 mm up\r\n");

    DisplayContext us;
    us.unitSystem = 1;
    logic.SetDisplayContext(us);
    logic.GetInfoText(text);
    EXPECT_NE(text.find("f_c'=  4351 psi"), std::string::npos) << text;
    EXPECT_NE(text.find("f_y (Bars) =  58.0 ksi"), std::string::npos) << text;
    EXPECT_NE(text.find("A_s = 0.054 in^2 @ 1.97 in  1.38 in up"), std::string::npos) << text;
}

// An empty author or institution is left out exactly as the placeholder is: a new element, and
// an element read from a document that names neither, start with the name and then the next
// item, with no empty line between.
TEST(MembraneTexts, EmptyAuthorAndInstitutionAreLeftOutAsThePlaceholderIs)
{
    ValueGuard<std::string> author(g_DefaultDoneBy, "");
    RecordingReporter reporter;
    TShell fresh(0);
    ASSERT_EQ(fresh.GetDoneBy(), "");
    ASSERT_EQ(fresh.GetUniversity(), "");
    std::string text;
    TP2k_Logic(&fresh, nullptr).GetInfoText(text);
    EXPECT_EQ(text.rfind("New Membrane\r\nX-Reinforcement: ", 0), 0u) << text;

    auto panel = MakePanel(PanelSpec{});
    panel->SetName("PV1");
    panel->SetDoneBy("");
    panel->SetUniversity("");
    TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {panel.get()}, nullptr, sink).Ok());
    XmlDocument doc;
    ASSERT_TRUE(ReadXmlDocument(sink.Text(), dtd, doc).Ok());
    ASSERT_FALSE(doc.structures.empty());
    ASSERT_NE(doc.structures[0], nullptr);
    EXPECT_EQ(doc.structures[0]->GetDoneBy(), "");
    EXPECT_EQ(doc.structures[0]->GetUniversity(), "");
    TP2k_Logic(doc.structures[0].get(), nullptr).GetInfoText(text);
    EXPECT_EQ(text.rfind("PV1\r\nf_c'=  30.0 MPa\r\n", 0), 0u) << text;
    EXPECT_TRUE(reporter.messages.empty());  // a new element has no concrete type yet
}

TEST(MembraneTexts, PatternLayersDescribedOnceAndLongListsGrow)
{
    auto shell = MakePanel(PanelSpec{});
    // Ten patterns of x with their generated layers, and ten stirrup layers.
    for (int i = 0; i < 10; ++i) {
        ReinfPatternRec* p = shell->GetPattern(i, 0);
        ASSERT_NE(p, nullptr);
        p->inUse = 1;
        p->layer.nround = 2;
        p->layer.A = 1e-4;
        p->layer.space = 0.1;
        p->layer.barIndex = -1;
        LongLayerRec layer = *shell->GetLongLayer(0, 0);
        layer.pattern = kDistributedPattern;
        shell->AddLongLayer(layer, 0);
        TransLayerRec leg;
        leg.A = 5e-5;
        leg.space = 0.0025;
        leg.pattern = i == 0 ? 5 : 0;
        shell->AddTransLayer(leg, 2);
    }
    TP2k_Logic logic(shell.get(), nullptr);
    const std::string patterns = logic.DescribePatterns(0);
    EXPECT_EQ(std::count(patterns.begin(), patterns.end(), '\n'), 10);
    EXPECT_EQ(patterns.substr(0, patterns.find('\n')), "2 layers of  A_s =   100 mm^2 @  100 mm");
    // Only the plain layer of the fixture is listed by the layer lines.
    const std::string layers = logic.DescribeLongLayers(0);
    EXPECT_EQ(std::count(layers.begin(), layers.end(), '\n'), 1);
    const std::string legs = logic.DescribeTransLayers();
    EXPECT_EQ(legs.substr(0, legs.find('\n')), "T-Headed bar, A_s =    50 mm^2 per 0.003 m^2");
    EXPECT_NE(legs.find("Single Leg bar"), std::string::npos);
    std::string text;
    logic.GetInfoText(text);
    EXPECT_GT(text.size(), 1000u); // beyond the old fixed buffer, nothing cut
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.find("Z-Reinforcement: "), std::string::npos);
}

TEST(MembraneTexts, InformationPanelAndComparisonBoxWhereTheyLand)
{
    plat::EnsureGuiRuntime();
    auto shell = MakePanel(PanelSpec{});
    shell->SetName("PV1");
    const double measured[] = {2e6, 3.5e6, 1e6};
    shell->SetValueList(14, measured, 3);
    ScriptedAnalysis analysis(shell.get(), 1);
    analysis.stages.push_back(nullptr);
    analysis.stages.back() = std::make_unique<SectionState>();
    SectionState& s = *analysis.stages.back();
    s.Valid = 1;
    s.NodeStates.resize(1);
    s.NodeStates[0].StrainX = 0.0012;
    s.NodeStates[0].ConcShearStress = 3.5e6 / 1.25;
    s.Results[MembraneResult::AppliedXY] = 2.8e6;
    TP2k_Logic logic(shell.get(), &analysis);

    RecordingDC dc;
    std::string title = "Membrane";
    logic.PaintInfoPanel(dc, 5, 1000, 600, title);
    EXPECT_EQ(TextCall(dc, "Membrane").points[0], (plat::Point{10, 6}));
    EXPECT_EQ(TextCall(dc, "Shear =   2.80 MPa").points[0], (plat::Point{10, 576}));
    EXPECT_EQ(dc.CallsOf("Line").size(), 2u);
    EXPECT_EQ(dc.CallsOf("Line")[1].points[0], (plat::Point{249, 600}));
    for (const std::string& t : dc.Texts())
        EXPECT_EQ(t.find("Factored"), std::string::npos);
    DisplayContext factored;
    factored.resistanceFactors = {0.65, 1.0, 1.0};
    logic.SetDisplayContext(factored);
    RecordingDC dc2;
    logic.PaintInfoPanel(dc2, 5, 1000, 600, title);
    // Four rows under the rule: they move up so that the last stays on the page.
    EXPECT_EQ(TextCall(dc2, "Factored Values").points[0], (plat::Point{10, 580}));
    RecordingDC none;
    logic.PaintInfoPanel(none, 3, 1000, 600, title);
    EXPECT_TRUE(none.Calls().empty());

    logic.SetDisplayContext(DisplayContext{});
    RecordingDC box;
    logic.PaintPanelText(box, 5, 1000, 600);
    ASSERT_EQ(box.CallsOf("FillRect").size(), 1u);
    EXPECT_EQ(box.CallsOf("FillRect")[0].rect, (plat::Rect{20, 180, 230, 330}));
    EXPECT_EQ(TextCall(box, "Test:Predict =  1.25").points[0].y, 300);
    // Every line of the box (its runs taken together) is centred on x = 0.125 w = 125 and stays
    // inside the box (20 to 230): the name on row 210, the test value on 270, the ratio on 300.
    std::map<int, std::pair<int, int>> rows; // top row: left and right ends
    for (const DrawCall& t : box.CallsOf("Text")) {
        const int left = t.run.at.x + t.run.x0;
        // A subscript run sits a little lower than its line: each run goes to the nearest row.
        int row = 210;
        for (const int r : {270, 300})
            if (std::abs(t.run.at.y - r) < std::abs(t.run.at.y - row))
                row = r;
        auto [it, fresh] = rows.try_emplace(row, left, left + t.run.width);
        if (!fresh)
            it->second = {std::min(it->second.first, left), std::max(it->second.second, left + t.run.width)};
    }
    EXPECT_EQ(rows.size(), 3u);
    for (const auto& [row, ends] : rows) {
        SCOPED_TRACE(row);
        EXPECT_GT(ends.second - ends.first, 20);
        EXPECT_NEAR(0.5 * (ends.first + ends.second), 125.0, 1.0);
        EXPECT_GE(ends.first, 20);
        EXPECT_LE(ends.second, 230);
    }
    TextCall(box, "3.50 MPa");
}
