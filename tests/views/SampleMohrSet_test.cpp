// The "Mohr's Circles" set of the sample beams, solved to their end: chosen from the control
// panel's list after View > Nine Graphs, or by View > Mohr's Circles, its nine charts show the
// layer at the probe's depth at once, at every window size, on either road. Chosen from the list,
// after the run or as it begins, the layer is the one nearest the section's centroid.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2kQ2kHelper.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "support/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/views/ChooseLayout.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"
#include "views/membrane/MembraneModeInstall.h"

namespace {

struct SampleMohrSet : RealDocumentShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    LayerViewFactory previousLayer = SetLayerViewFactory({});
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    const StateDiagramsGuard diagrams;
    SampleMohrSet() { InstallMembraneMode(); }
    ~SampleMohrSet() override
    {
        SetLayerViewFactory(std::move(previousLayer));
        SetBeamLogicFactory(std::move(previous));
        SetMembraneLogicFactory({});
    }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // File > Open of a sample of the fuzzing corpus, then "Sectional Response" run by the idle
    // passes until it stands finished; what the user does as the run begins, before its first
    // pass, is done by begun.
    void SolveSample(const std::string& sample, const std::function<void()>& begun = {})
    {
        ShowFrameAt(1280, 1024);
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/" + sample, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        ASSERT_FALSE(text.str().empty()) << sample;
        OpenDocument(sample, text.str());
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        ASSERT_NE(a, nullptr);
        if (begun) {
            ASSERT_NO_FATAL_FAILURE(begun());
        }
        for (long pass = 0; a->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        ASSERT_EQ(a->IsRunning(), 0);
        EXPECT_GT(a->GetLastStageIndex(), 2);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
    }

    void SizeWindow(plat::Size size)
    {
        Frame().SetFrameRect(plat::Rect{0, 0, size.cx, size.cy});
        plat::Application::SettleEvents();
    }

    // The panel charts that say "No Data" when painted as the window paints them, by title;
    // the count of charts painted goes to painted.
    std::vector<std::string> ChartsWithNoData(int& painted)
    {
        std::vector<std::string> empty;
        painted = 0;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
            Tchart* chart = View().GetChart(i);
            if (chart == nullptr)
                continue;
            ++painted;
            RecordingDC dc;
            chart->Paint(dc, true, chart->GetClientRect());
            for (const DrawCall& c : dc.CallsOf("Text"))
                if (c.text == "No Data")
                    empty.push_back(std::to_string(i) + " \"" + chart->Data().Title() + "\"");
        }
        return empty;
    }
    // The sample by each road, at the sizes a user gives the window: nine charts, none of which
    // says "No Data", and the layer shown is one the response holds (its node at the probe's depth).
    void ExpectTheLayerByBothRoads(const char* sample)
    {
        for (const bool byList : {true, false}) {
            SCOPED_TRACE(std::string(sample) + (byList ? ", chosen from the list" : ", View > Mohr's Circles"));
            ASSERT_NO_FATAL_FAILURE(SolveSample(sample));
            Frame().Dispatch(CmId::NineGraphs);
            ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
            if (byList)
                ASSERT_NO_FATAL_FAILURE(ChooseLayout(View(), "Mohr's Circles"));
            else
                Frame().Dispatch(CmId::MohrsCircles);
            for (const plat::Size size : {plat::Size{960, 420}, plat::Size{1280, 1024}, plat::Size{1920, 1080}}) {
                SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
                SizeWindow(size);
                int painted = 0;
                const std::vector<std::string> empty = ChartsWithNoData(painted);
                EXPECT_EQ(painted, 9);
                EXPECT_TRUE(empty.empty()) << testing::PrintToString(empty);
            }
            const auto* logic = dynamic_cast<const TQ2k_Logic*>(View().GetLogic());
            ASSERT_NE(logic, nullptr);
            ASSERT_NE(logic->GetLayerStates(), nullptr);
            const SectionState* shown = logic->GetLayerStates()->GetCurrentState();
            ASSERT_NE(shown, nullptr) << "no layer at the probe depth " << logic->GetProbeDepth();
            ASSERT_NE(ElementNode(*shown), nullptr);
            EXPECT_NEAR(ElementNode(*shown)->Depth, logic->GetProbeDepth(), TP2kQ2kHelper::kDepthMatch);
        }
    }

    // The layer shown: its node at the probe's depth, which is the depth nearest the section's
    // centroid (depth 0) among those every stage of the response shares: in both samples some
    // 5 mm above it (the layers' nodes reach from 230 mm above it to 370 mm below).
    void ExpectTheLayerNearestTheCentroid()
    {
        const auto* logic = dynamic_cast<const TQ2k_Logic*>(View().GetLogic());
        ASSERT_NE(logic, nullptr);
        ASSERT_NE(logic->GetLayerStates(), nullptr);
        const TDepthTable& depths = logic->GetLayerStates()->GetDepthTable();
        ASSERT_GT(depths.GetCount(), 1);
        double nearest = depths.GetDepth(0);
        for (int i = 1; i < depths.GetCount(); ++i)
            if (std::fabs(depths.GetDepth(i)) < std::fabs(nearest))
                nearest = depths.GetDepth(i);
        EXPECT_NEAR(logic->GetProbeDepth(), nearest, TP2kQ2kHelper::kDepthMatch);
        EXPECT_NEAR(logic->GetProbeDepth(), 0.005, 0.0005);
        const SectionState* shown = logic->GetLayerStates()->GetCurrentState();
        ASSERT_NE(shown, nullptr) << "no layer at the probe depth " << logic->GetProbeDepth();
        ASSERT_NE(ElementNode(*shown), nullptr);
        EXPECT_NEAR(ElementNode(*shown)->Depth, logic->GetProbeDepth(), TP2kQ2kHelper::kDepthMatch);
    }
    // The sample solved, View > Nine Graphs, the set chosen from the list: the layer shown is
    // the one whose node lies nearest the centroid, some 5 mm from it, not one farther off.
    void ExpectTheNearestLayerChosenAfterTheRun(const char* sample)
    {
        ASSERT_NO_FATAL_FAILURE(SolveSample(sample));
        Frame().Dispatch(CmId::NineGraphs);
        ASSERT_NO_FATAL_FAILURE(ChooseLayout(View(), "Mohr's Circles"));
        ExpectTheLayerNearestTheCentroid();
    }
    // View > Nine Graphs and the set chosen from the list as the run begins, before its first
    // stages: once the run has finished, the layer shown is still the one nearest the centroid
    // among the depths every stage shares, with its node at the probe's depth.
    void ExpectTheNearestLayerChosenAsTheRunBegins(const char* sample)
    {
        ASSERT_NO_FATAL_FAILURE(SolveSample(sample, [this] {
            Frame().Dispatch(CmId::NineGraphs);
            ChooseLayout(View(), "Mohr's Circles");
        }));
        ExpectTheLayerNearestTheCentroid();
    }
};

// No layer node of the first sample lies at the centroid, where the list road puts the probe.
TEST_F(SampleMohrSet, ShowsTheLayerOfTheFirstSampleAtOnceByTheListAndByTheMenu)
{
    ExpectTheLayerByBothRoads("full_beam_0.xml");
}

TEST_F(SampleMohrSet, ShowsTheLayerOfTheSecondSampleAtOnceByTheListAndByTheMenu)
{
    ExpectTheLayerByBothRoads("full_beam_1.xml");
}

TEST_F(SampleMohrSet, ChosenAfterTheRunShowsTheLayerNearestTheCentroidOfTheFirstSample)
{
    ExpectTheNearestLayerChosenAfterTheRun("full_beam_0.xml");
}

TEST_F(SampleMohrSet, ChosenAfterTheRunShowsTheLayerNearestTheCentroidOfTheSecondSample)
{
    ExpectTheNearestLayerChosenAfterTheRun("full_beam_1.xml");
}

TEST_F(SampleMohrSet, ChosenAsTheRunBeginsEndsOnTheLayerNearestTheCentroidOfTheFirstSample)
{
    ExpectTheNearestLayerChosenAsTheRunBegins("full_beam_0.xml");
}

TEST_F(SampleMohrSet, ChosenAsTheRunBeginsEndsOnTheLayerNearestTheCentroidOfTheSecondSample)
{
    ExpectTheNearestLayerChosenAsTheRunBegins("full_beam_1.xml");
}

} // namespace
