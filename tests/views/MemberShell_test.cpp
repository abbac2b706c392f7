// A member pushover in the main window: every stored point of the load-deflection curve can be
// shown by stepping back and on or by a click on the control chart, the member crack view keeps
// drawing the member at another scale factor, a member without live load is refused with the
// reason, and a member over another section than the current one asks which to run on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "analysis/RunToFinish.h"
#include "analysis/StepTogether.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tcontrolchart.h"
#include "foundation/StrFormat.h"
#include "member/MemberLimits.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TWideCrack2.h"

namespace {

constexpr double kSpan = 1.2;

// A simply supported 1.2 m member under 10 kN/m per unit load factor.
TMemberDefinition UniformLoad()
{
    TMemberDefinition d;
    d.length = kSpan;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = kSpan;
    d.leftPlateSize = d.rightPlateSize = 0.05;
    d.leftSupport = d.rightSupport = SupportType::Roller;
    d.diagrams[LiveDiagram][0] = {0.0, 0.0, 1};
    d.diagrams[LiveDiagram][1] = {kSpan / 2, -10e3 * kSpan * kSpan / 8, 1};
    d.diagrams[LiveDiagram][2] = {kSpan, 0.0, 1};
    d.pointCount[LiveDiagram] = 3;
    return d;
}

struct MemberShell : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, g_MemberDefinition};
    StateDiagramsGuard diagrams;

    // The program set its own member up when it started.
    void SetUp() override
    {
        StartedShellTest::SetUp();
        g_MemberDefinition = UniformLoad();
    }
    ~MemberShell() override { SetBeamLogicFactory(std::move(previous)); }

    TViewm_2k& View() { return Window().GetViewManager(); }
    std::string LoadFactorText() { return Frame().GetGadgetText(405); }
    static std::string LoadFactorText(double lambda) { return StrPrintf("Load Factor : %5.1f", lambda); }

    // The member of a 200 x 300 mm beam with two 12 mm bars, solved to its end.
    TFullMemberResponse& Solved()
    {
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        g_Structures[0] = membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012);
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        // A sectional response stepped back to an early stage before: its index is not the
        // member's.
        const double increment[3] = {0.0, -1000.0, 0.0};
        g_Structures[0]->SetIncrementLoads(increment, 3);
        Frame().Dispatch(CmId::SectionalResponse);
        RunToFinish(*Window().GetCurrentAnalysis(), 5000);
        Window().SelectLoadStage(0.0, 0.0, 3);
        Frame().Dispatch(CmId::PrevLoadStage);
        Frame().Dispatch(CmId::MemberResponse);
        auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        EXPECT_NE(m, nullptr);
        // Stepped by the idle passes, as the program does, with the final refresh.
        for (long pass = 0; m != nullptr && m->IsRunning() != 0 && pass < 200000; ++pass)
            Window().IdleAction(pass);
        return *m;
    }

    template <typename Chart>
    Chart* PanelChart()
    {
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (auto* c = dynamic_cast<Chart*>(View().GetChart(i)))
                return c;
        return nullptr;
    }
};

} // namespace

// One finished pushover (the run is the costly part): stepping, clicks and the scale factor.
TEST_F(MemberShell, EveryPointOfAFinishedPushoverCanBeShown)
{
    TFullMemberResponse& m = Solved();
    const double capacity = m.GetMemberCapacity();
    ASSERT_GT(capacity, 1.0);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(capacity));
    auto* crack = PanelChart<TWideCrack2>();
    ASSERT_NE(crack, nullptr);

    // "&Previous Load Stage" and "&Next Load Stage" walk the load-deflection points.
    Frame().Dispatch(CmId::PrevLoadStage);
    EXPECT_EQ(m.GetMarkedPoint(), 29);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(capacity * 29 / 30));
    EXPECT_NEAR(crack->LoadLevel(), capacity * 29 / 30, 1e-9 * capacity);
    for (int k = 0; k < 14; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    EXPECT_EQ(m.GetMarkedPoint(), 15);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(capacity / 2));
    Frame().Dispatch(CmId::NextLoadStage);
    EXPECT_EQ(m.GetMarkedPoint(), 16);
    // Forty times back: the first point, the unloaded member.
    for (int k = 0; k < 40; ++k)
        Frame().Dispatch(CmId::PrevLoadStage);
    EXPECT_EQ(m.GetMarkedPoint(), 0);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(0.0));

    // A click on the control chart's load-deflection curve shows the point picked: top right
    // the capacity, bottom left the unloaded start.
    Tcontrolchart* control = nullptr;
    for (int which = 0; which < 2 && control == nullptr; ++which)
        if (Tcontrolchart* c = View().GetControlChart(which))
            for (int tag : c->Tags())
                if (tag == kCurvePointStageBase)
                    control = c;
    ASSERT_NE(control, nullptr) << "no control chart shows the load-deflection curve";
    RecordingDC dc;
    control->Paint(dc, true, control->GetClientRect());
    const plat::Rect r = control->GetClientRect();
    control->EvLButtonDown(0, plat::Point{r.right - 1, r.top});
    control->EvLButtonUp(0, plat::Point{r.right - 1, r.top});
    EXPECT_EQ(m.GetMarkedPoint(), 30);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(capacity));
    control->EvLButtonDown(0, plat::Point{r.left, r.bottom - 1});
    control->EvLButtonUp(0, plat::Point{r.left, r.bottom - 1});
    EXPECT_EQ(m.GetMarkedPoint(), 0);
    EXPECT_EQ(LoadFactorText(), LoadFactorText(0.0));

    // "Select Scale Factor" keeps the member in the crack view, also once it is handed the
    // member again.
    Frame().Dispatch(CmId::NextLoadStage);
    const auto drawsTheMember = [&] {
        RecordingDC picture;
        crack->Paint(picture, true, crack->GetClientRect());
        const std::vector<std::string> texts = picture.Texts();
        return std::find(texts.begin(), texts.end(), "No Data") == texts.end() &&
               !picture.CallsOf("Polygon").empty();
    };
    ASSERT_TRUE(drawsTheMember());
    for (const char* factor : {"2", "25"}) {
        ui.Input("Enter scale factor for displacements", std::string(factor));
        crack->EvCommand(3007, 0, 0);
        EXPECT_EQ(crack->ScaleFactor(), std::atof(factor));
        EXPECT_TRUE(drawsTheMember()) << factor;
        Frame().Dispatch(CmId::NextLoadStage);
        EXPECT_EQ(crack->ScaleFactor(), std::atof(factor));
        EXPECT_TRUE(drawsTheMember()) << factor;
    }
}

// The largest moment the loading page takes, on the member of the 200 x 300 mm beam with two
// 12 mm bars: a load far past what the beam carries. "Member &Response" runs to its end by
// itself within a bounded number of idle passes (one station step each), as the member under
// 10 kN/m does; the capacity is the stress block's moment over the load, and the pushover is
// the same member response at load factors smaller by the ratio of the loads.
TEST_F(MemberShell, AMemberLoadedFarPastItsStrengthRunsToItsCapacity)
{
    const ScopedStepTogetherSlice oneStepPerPass(0);
    constexpr long kPasses = 2000;
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    struct Run {
        double moment; // stored, at midspan
        long passes = 0;
        double capacity = 0.0;
        double deflection = 0.0; // at the capacity
    };
    Run runs[] = {{g_MemberDefinition.diagrams[LiveDiagram][1].moment}, {-kMemberMomentRange.high}};
    for (Run& run : runs) {
        SCOPED_TRACE(run.moment);
        g_MemberDefinition.diagrams[LiveDiagram][1].moment = run.moment;
        Frame().Dispatch(CmId::MemberResponse);
        auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        ASSERT_NE(m, nullptr);
        while (m->IsRunning() != 0 && run.passes < kPasses)
            Window().IdleAction(run.passes++);
        ASSERT_EQ(m->IsRunning(), 0) << "still running after " << run.passes << " idle passes";
        Frame().Dispatch(CmId::FullMemberResults);
        run.capacity = m->GetMemberCapacity();
        const TDepthTable& pushover = m->GetCurve(MemberCurve::LoadDeflection);
        ASSERT_EQ(pushover.GetCount(), kLoadDeflectionSteps + 2);
        EXPECT_DOUBLE_EQ(pushover.GetValue(kLoadDeflectionSteps), run.capacity);
        run.deflection = pushover.GetDepth(kLoadDeflectionSteps);
    }
    const Run& unit = runs[0];
    const Run& bound = runs[1];
    EXPECT_LE(bound.passes, 2 * unit.passes);

    // Mn = T (d - a / 2), T = As fy, a = T / (0.85 f'c b): 21.9 kN m with d = 250 mm.
    const double T = 2 * fixtures::BarArea(0.012) * 400e6;
    const double Mn = T * (0.25 - T / (0.85 * 35e6 * 0.2) / 2);
    EXPECT_NEAR(bound.capacity * kMemberMomentRange.high, Mn, 0.15 * Mn);
    EXPECT_NEAR(bound.capacity * kMemberMomentRange.high,
                unit.capacity * std::fabs(unit.moment),
                1e-4 * Mn);
    EXPECT_GT(std::fabs(unit.deflection), 1e-4);
    EXPECT_NEAR(bound.deflection, unit.deflection, 0.01 * std::fabs(unit.deflection));
}

TEST_F(MemberShell, AnEmptyLiveLoadIsRefusedOnSolve)
{
    g_Structures[0] = membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012);
    View().CreateLogic(1, g_Structures[0].get(), nullptr);
    g_MemberDefinition.pointCount[LiveDiagram] = 0;
    ui.Message("no live load", MsgAnswer::Ok);
    Frame().Dispatch(CmId::MemberResponse);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
}

// After a fire run the post-fire beam is the current section; the member made of the original
// beam asks, and on Yes its stations are cut from the post-fire beam.
TEST_F(MemberShell, AMemberOverAPostFireBeamRunsOnItWhenAskedTo)
{
    g_Structures[0] = membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012);
    g_Structures[1] = membertest::RectBeam("Z Beam - After Fire", 0.15, 0.3, 2, 0.012);
    g_CurrentStructure = g_CurrentAnalysis = 1;
    View().CreateLogic(1, g_Structures[1].get(), nullptr);
    ui.Message("not of the current section \"Z Beam - After Fire\"", MsgAnswer::Yes);
    Frame().Dispatch(CmId::MemberResponse);
    EXPECT_TRUE(ui.Done());
    auto* m = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(g_MemberDefinition.zones[0].structureIndex, 1);
    EXPECT_DOUBLE_EQ(m->GetStationAnalysis(0)->GetBeam()->GetGrossArea(), 0.15 * 0.3);
}
