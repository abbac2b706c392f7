// The information panel, drawn into a recording device context.

#include <gtest/gtest.h>

#include "app/views/PanelLayout.h"
#include "platform/Application.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

// The heading as the view manager hands it over.
std::string& Heading(const char* text)
{
    static std::string heading;
    heading = text;
    return heading;
}

struct InfoPanel : BeamViewTest {
    RecordingDC dc;
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    InfoPanel()
    {
        beam->SetName("Beam B1\r\nsecond line");
        beam->SetDoneBy("A. Engineer");
        analysis.stages.push_back(MakeState(-0.0005, -0.002, -100e3, -50e3, 30e3));
    }
    // The texts from the first one that starts with start up to the next at another height,
    // joined: a marked-up label is drawn in pieces.
    std::string Joined(const std::string& start)
    {
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].text.rfind(start, 0) != 0)
                continue;
            std::string joined;
            for (std::size_t j = i; j < texts.size() && texts[j].run.at.y == texts[i].run.at.y; ++j)
                joined += texts[j].text;
            return joined;
        }
        return {};
    }
    const DrawCall* TextAt(const std::string& start)
    {
        for (const DrawCall& c : dc.Calls())
            if (c.op == "Text" && c.text.rfind(start, 0) == 0)
                return &c;
        return nullptr;
    }
};

TEST_F(InfoPanel, NineGraphsShowTheCurrentStrainsAndForces)
{
    EXPECT_EQ(logic.PaintInfoPanel(dc, 5, 1000, 800, Heading("Sectional Response")), 1);
    const std::vector<std::string> texts = dc.Texts();
    ASSERT_GE(texts.size(), 9u);
    // "|e_x_0 = ..." draws e, x, 0 and the rest in pieces
    EXPECT_EQ(texts[0], "Sectional Response");
    EXPECT_EQ(texts[1], "Beam B1"); // cut at the first line break
    EXPECT_EQ(texts[2].rfind("A. Engineer  ", 0), 0u);
    const DrawCall* heading = TextAt("Sectional Response");
    EXPECT_EQ(heading->state.font.height, 1000 / 45);
    EXPECT_EQ(heading->state.font.weight, 700);
    EXPECT_EQ(heading->run.at.y, 8); // 0.01 H
    ASSERT_NE(TextAt("Moment:= "), nullptr);
    EXPECT_EQ(TextAt("Moment:= ")->text, "Moment:=   50.0 kNm");
    EXPECT_EQ(TextAt("Moment:= ")->run.at.y, 744); // 0.93 H
    EXPECT_EQ(TextAt("Axial Load = ")->text, "Axial Load = -100.0 kN");
    EXPECT_EQ(Joined("\u03c6"), "\u03c6 =  2.00 mrad/m"); // phi from the markup "|f"
    EXPECT_EQ(TextAt("Factored Values"), nullptr);
    // The control panel's right edge at 0.25 W - 1.
    const std::vector<DrawCall> lines = dc.CallsOf("Line");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].points[0].x, 249);
}

TEST_F(InfoPanel, FactoredValuesAndThePushoverSuffix)
{
    DisplayContext d;
    d.resistanceFactors = {0.65, 0.85, 0.9};
    logic.SetDisplayContext(d);
    analysis.memberResults = {0.0, 0.0125, 0.0, 0.0, 1.25, -20e3};
    logic.PaintInfoPanel(dc, 6, 1000, 800, Heading("Pushover"));
    ASSERT_NE(TextAt("Load factorf"), nullptr);
    EXPECT_EQ(TextAt("Load factorf")->text, "Load factorf :   1.2 ");
    EXPECT_EQ(TextAt("Dyf")->text, "Dyf :  12.5 mm");
    EXPECT_EQ(TextAt("Axialf")->text, "Axialf : -20.00 kN");
    EXPECT_NE(TextAt("Factored Values"), nullptr);
}

TEST_F(InfoPanel, NothingInSplashOrInputSummary)
{
    logic.PaintInfoPanel(dc, 0, 1000, 800, Heading("x"));
    logic.PaintInfoPanel(dc, 3, 1000, 800, Heading("x"));
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(InfoPanel, LoadDeformationLayoutOnOneLine)
{
    TQ2k_Logic unbound(beam.get(), nullptr);
    unbound.PaintInfoPanel(dc, 1, 1000, 800, Heading("Load-Deformation"));
    EXPECT_EQ(dc.Texts().size(), 3u);
    EXPECT_EQ(TextAt("Beam B1")->state.textAlign, plat::TextAlign::Top | plat::TextAlign::Center);
    EXPECT_EQ(TextAt("A. Engineer")->run.at.x, 990);
}

TEST_F(InfoPanel, MomentThatIsNotANumberShowsZero)
{
    analysis.stages.back()->Results[StateResult::Moment] = std::nan("");
    logic.PaintInfoPanel(dc, 4, 1000, 800, Heading("x"));
    EXPECT_EQ(TextAt("Moment:= ")->text, "Moment:=    0.0 kNm");
}

// On a printed page the texts of the information panel (heading at the top, state at the foot)
// stay clear of the two control charts in the control panel, for page shapes from wide to tall.
TEST_F(InfoPanel, TextsStayClearOfThePrintedControlCharts)
{
    const struct { int W, H; } pages[] = {{1200, 1200}, {1280, 1024}, {1414, 1000}, {1100, 850}, {1000, 1400}};
    for (const auto& page : pages) {
        for (const int mode : {4, 5, 6}) {
            dc.Calls().clear();
            analysis.memberResults = {0.0, 0.0125, 0.0, 0.0, 1.25, -20e3};
            logic.PaintInfoPanel(dc, mode, page.W, page.H, Heading("Sectional Response"));
            for (const int id : {PanelId::ControlChart1, PanelId::ControlChart2}) {
                PanelRect chart;
                ASSERT_TRUE(GetPrintedPanelRect(id, page.W, page.H, kControlPanelFraction, chart));
                for (const DrawCall& c : dc.CallsOf("Text")) {
                    // The run is measured from the point the text was drawn at.
                    const int baseline = c.run.at.y + c.run.baseline, left = c.run.at.x + c.run.x0;
                    const int top = baseline - c.run.ascent, bottom = baseline + c.run.descent;
                    const bool apart = bottom <= chart.y || top >= chart.y + chart.height ||
                                       left + c.run.width <= chart.x || left >= chart.x + chart.width;
                    EXPECT_TRUE(apart) << c.text << " in mode " << mode << " on " << page.W << " x " << page.H
                                       << ": text rows " << top << ".." << bottom << ", chart rows "
                                       << chart.y << ".." << chart.y + chart.height;
                }
            }
        }
    }
}

// The heading (bold, 1/45 of the width), the section's name and the author line stay whole
// inside the control panel, 10 pixels clear of the panel's edge line at 0.25 W - 1, however
// long they are; a text that fits keeps its height.
TEST_F(InfoPanel, HeadingAndNameStayInsideTheControlPanel)
{
    beam->SetName("Pretensioned girder with deck slab, span 2 of 3");
    const struct { int W, H; } pages[] = {{1280, 1024}, {1000, 800}, {1414, 1000}, {800, 1100}};
    for (const auto& page : pages) {
        for (const int mode : {4, 5, 6}) {
            dc.Calls().clear();
            logic.PaintInfoPanel(dc, mode, page.W, page.H, Heading("(FACTORED) Current Loads"));
            const int edge = static_cast<int>(0.25 * page.W - 1);
            int shown = 0;
            for (const DrawCall& c : dc.CallsOf("Text")) {
                const int left = c.run.at.x + c.run.x0;
                if (c.run.at.y > page.H / 10)
                    continue; // the state at the foot
                ++shown;
                EXPECT_GE(left, 10) << c.text;
                EXPECT_LE(left + c.run.width, edge - 10)
                    << c.text << " on " << page.W << " x " << page.H << " reaches " << left + c.run.width
                    << ", the panel's edge is at " << edge;
            }
            EXPECT_GE(shown, 3);
            const DrawCall* heading = TextAt("(FACTORED) Current Loads");
            ASSERT_NE(heading, nullptr);
            EXPECT_EQ(heading->state.font.weight, 700);
            EXPECT_GE(heading->state.font.height, page.W / 45 * 3 / 4); // lowered no more than needed
        }
    }
    // A short heading keeps 1/45 of the width.
    dc.Calls().clear();
    logic.PaintInfoPanel(dc, 5, 1280, 1024, Heading("Current Loads"));
    EXPECT_EQ(TextAt("Current Loads")->state.font.height, 1280 / 45);
}

// A small negative value that the format rounds to zero shows without its minus sign.
TEST_F(InfoPanel, ValuesThatRoundToZeroShowNoMinusSign)
{
    // N = -40 N is -0.04 kN, M = -30 Nm is -0.03 kNm, e0 = -4e-6 is -0.004 mm/m.
    analysis.stages.back() = MakeState(-4e-6, -0.002, -40.0, -30.0, -49.0);
    logic.PaintInfoPanel(dc, 5, 1000, 800, Heading("x"));
    EXPECT_EQ(TextAt("Axial Load = ")->text, "Axial Load =   0.0 kN");
    EXPECT_EQ(TextAt("Moment:= ")->text, "Moment:=    0.0 kNm");
    EXPECT_EQ(TextAt("Shear = ")->text, "Shear =    0.0 kN");
    for (const std::string& text : dc.Texts())
        EXPECT_EQ(text.find("-0.0"), std::string::npos) << text; // e_x_0 = -0.004 mm/m among them

    // Values that do not round to zero keep their sign.
    dc.Calls().clear();
    analysis.stages.back() = MakeState(-0.0005, -0.002, -60.0, -50e3, 30e3);
    logic.PaintInfoPanel(dc, 5, 1000, 800, Heading("x"));
    EXPECT_EQ(TextAt("Axial Load = ")->text, "Axial Load =  -0.1 kN");

    dc.Calls().clear();
    analysis.memberResults = {0.0, -1e-5, 0.0, 0.0, -0.01, -3.0};
    logic.PaintInfoPanel(dc, 6, 1000, 800, Heading("Pushover"));
    EXPECT_EQ(TextAt("Load factor")->text, "Load factor :   0.0 ");
    EXPECT_EQ(TextAt("Dy")->text, "Dy :   0.0 mm");
    EXPECT_EQ(TextAt("Axial")->text, "Axial :  0.00 kN");
}

} // namespace
