// The pictures of the beam mode in the real main window: the section in the depth chart of the
// "Mohr's Circles" set and in a graphic box, a depth picked on that chart, the copied screen
// picture of the nine graphs, and the pasted graph of the load-deformation layout.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"

namespace {

// A beam with stirrups (600 x 300 mm) under moment and shear, solved to its end, in a frame of
// 1280 x 1024.
struct SolvedBeam : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ~SolvedBeam() override { SetBeamLogicFactory(std::move(previous)); }
    TViewm_2k& View() { return Window().GetViewManager(); }
    TSectionalAnalysis* Solve()
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = TestSection::MakeBeam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = g_Analyses[0].get();
        EXPECT_NE(a, nullptr);
        if (a)
            RunToFinish(*a, 5000);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        return a;
    }
    std::string Gadget(int id) { return Frame().GetGadgetText(id); }
};

bool Has(const std::vector<std::string>& texts, const std::string& fragment)
{
    for (const std::string& t : texts)
        if (t.find(fragment) != std::string::npos)
            return true;
    return false;
}

} // namespace

// The "Mohr's Circles" set: its depth chart shows the beam's outline fitted to the chart's
// height (600 x 300 mm: the top edge half as long as the sides), centred where the depth line
// (no x value, drawn at x = 0) runs; the set and a depth picked on it keep the stage shown.
TEST_F(SolvedBeam, TheDepthChartShowsTheSectionAndAPickedDepthKeepsTheStage)
{
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    Window().SelectLoadStage(0.0, 0.0, 20);  // stage 20 picked on the M-phi chart
    const std::string moment = Gadget(406);
    ASSERT_EQ(moment.rfind("M : ", 0), 0u);
    Frame().Dispatch(CmId::MohrsCircles);
    EXPECT_EQ(Gadget(406), moment);
    auto* logic = dynamic_cast<TQ2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);

    Tcontrolchart* depth = View().GetControlChart(1);
    ASSERT_NE(depth, nullptr);
    ASSERT_EQ(depth->SubMode(), 500);
    const int W = depth->Place().w, H = depth->Place().h;
    RecordingDC dc;
    depth->Paint(dc, true, plat::Rect{0, 0, W, H});
    EXPECT_FALSE(Has(dc.Texts(), "implement"));
    // The outline (2-pixel pen): the top edge at y = 0 (the picture starts below the title
    // band) centred on W/2, the sides twice as long as the top (600 mm against 300), and as tall
    // as 600 mm on the chart's depth axis, so that the depths picked are the section's.
    int left = W, right = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.width == 2 && c.points[0].y == 0 && c.points[1].y == 0) {
            left = std::min({left, c.points[0].x, c.points[1].x});
            right = std::max({right, c.points[0].x, c.points[1].x});
        }
    ASSERT_LT(left, right);
    EXPECT_NEAR(left + right, W, 2);
    int side = 0;
    for (const DrawCall& c : dc.CallsOf("Line"))
        if (c.state.pen.width == 2 && c.points[0].x == left && c.points[1].x == left)
            side = std::max(std::abs(c.points[1].y - c.points[0].y), side);
    EXPECT_NEAR(side, 2 * (right - left), 2);
    EXPECT_NEAR(side, 600 * depth->Transform().yScale, 2);
    // The depth line lies on the section's centre line.
    EXPECT_NEAR(depth->Transform().xOffset, W / 2.0, 1.0);

    // A depth picked with the mouse on the line, 100 mm above the middle.
    const ChartTransform& t = depth->Transform();
    depth->EvLButtonDown(0, plat::Point{static_cast<int>(t.xOffset), static_cast<int>(t.yOffset - 100 * t.yScale)});
    depth->EvLButtonUp(0, plat::Point{});
    EXPECT_GE(depth->SelectedTag(), 20000);
    EXPECT_EQ(Gadget(406), moment);
    EXPECT_NEAR(logic->GetProbeDepth(), 0.1, 0.03);  // the layer picked
}

// A graphic box inserted on a result page shows the beam with its callouts.
TEST_F(SolvedBeam, AGraphicBoxShowsTheSection)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    View().InsertGraphicBox();
    TGraphicBox* box = View().GetGraphicBox();
    ASSERT_NE(box, nullptr);
    RecordingDC dc;
    box->Paint(dc, true, plat::Rect{0, 0, box->Place().w, box->Place().h});
    EXPECT_FALSE(Has(dc.Texts(), "implement"));
    EXPECT_GE(dc.CallsOf("Line").size(), 4u);       // the outline at least
    EXPECT_GE(dc.CallsOf("Ellipse").size(), 6u);    // three layers of two bars
}

// "Copy Screen Picture" of the nine graphs: the charts are in the picture (as SVG and PNG, as a
// copied chart picture is), and the panels stay where they were on the screen.
TEST_F(SolvedBeam, TheCopiedScreenPictureHoldsEveryPanel)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    std::vector<BoxPlace> places;
    for (int i = 0; i < 9; ++i)
        places.push_back(View().GetChart(i)->Place());
    Window().EvCommand(CmId::CopyPicture, 0, 0);
    const std::string svg = plat::Clipboard::GetPictureSvg();
    ASSERT_FALSE(svg.empty());
    int titles = 0;
    for (int i = 0; i < 9; ++i) {
        const std::string title = View().GetChart(i)->Data().Title();
        if (!title.empty() && svg.find(title) != std::string::npos)
            ++titles;
        EXPECT_EQ(View().GetChart(i)->Place(), places[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_GE(titles, 5);
    const plat::Image png = plat::Clipboard::GetPicturePng();
    const plat::Rect client = Window().GetClientRect();
    EXPECT_EQ(png.Width(), client.Width());
    EXPECT_EQ(png.Height(), client.Height());
}

// The load-deformation layout: the graph chosen in "Type of Pasted Graph" is the sample shown
// and the graph "Add to Graph" pastes, chosen with the mouse or with the arrow keys.
TEST_F(SolvedBeam, ThePastedGraphIsTheOneChosen)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    plat::DialogDriver driver(Window());
    const std::vector<std::string> items = driver.Items(1102);
    auto at = [&items](const std::string& title) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == title)
                return static_cast<int>(i);
        return -1;
    };
    const int nm = at("N+M"), section = at("Cross Section");
    ASSERT_GE(nm, 0);
    ASSERT_GE(section, 0);
    driver.Select(1102, nm);
    ASSERT_NE(View().GetChart(1), nullptr);
    EXPECT_EQ(View().GetChartId(1), 2002);
    EXPECT_EQ(View().GetChart(1)->Kind(), 14);  // the sample is an N+M diagram
    driver.Click(1001);
    ASSERT_NE(View().GetChart(2), nullptr);
    EXPECT_EQ(View().GetChart(2)->Kind(), 14);  // and so is the graph pasted
    EXPECT_TRUE(View().GetChart(2)->IsChildPlacement());

    // The keys step the list one entry at a time, towards "Cross Section".
    const bool down = section > nm;
    for (int k = 0; k < std::abs(section - nm); ++k)
        driver.PressKey(1102, down ? plat::VKey::Down : plat::VKey::Up);
    EXPECT_EQ(driver.Selection(1102), section);
    EXPECT_EQ(View().GetChartId(1), 2001);
    EXPECT_EQ(View().GetChart(1)->Kind(), 12);
    driver.Click(1001);
    ASSERT_NE(View().GetChart(3), nullptr);
    EXPECT_EQ(View().GetChart(3)->Kind(), 12);
}

// A point analysis that cannot be solved after a sectional response: every panel reads
// "No Data" and the status line no longer shows the previous loads.
TEST_F(SolvedBeam, AFailedPointAnalysisLeavesNoDataEverywhere)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_EQ(Frame().GetMessageText(), "Current Loads");
    ui.Input("strain", std::string("900, 300"));  // 900 mm/m: no state holds it
    ui.Message("Could not solve for given strain", MsgAnswer::Ok);
    Frame().Dispatch(CmId::OneStrain);
    EXPECT_TRUE(ui.Done());
    for (int i = 0; i < 9; ++i) {
        Tchart* c = View().GetChart(i);
        ASSERT_NE(c, nullptr);
        RecordingDC dc;
        c->Paint(dc, true, plat::Rect{0, 0, c->Place().w, c->Place().h});
        EXPECT_TRUE(Has(dc.Texts(), "No Data")) << "chart " << i << " graph " << View().GetChartId(i);
    }
    EXPECT_EQ(Gadget(405), "");
    EXPECT_EQ(Gadget(406), "");
    EXPECT_EQ(Gadget(407), "");
    EXPECT_NE(Frame().GetMessageText(), "Current Loads");
}
