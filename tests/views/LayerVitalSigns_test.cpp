// The vital signs of one layer of a solved beam (the "Mohr's Circles" set): the layer cut from
// the beam carries no x bars, so its x steel shows "No Bar" without an alarm colour, at the
// zero state and at the peak, while the stirrups of the layer keep their y steel state.

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "views/membrane/MembraneModeInstall.h"
#include "platform/Application.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"
#include "tools/ShearBeam.h"
#include "views/TQ2k_Logic.h"
#include "views/TVitalSigns.h"

namespace {

const PlanMeasure kFixed = [](std::string_view text, const plat::LogFont&) {
    return plat::Size{7 * static_cast<int>(text.size()), 10};
};

TEST(LayerVitalSigns, NoXSteelShowsNoBarAtZeroAndAtPeak)
{
    plat::EnsureGuiRuntime();
    RecordingReporter reporter;
    LayerViewFactory previous = SetLayerViewFactory({});
    InstallMembraneMode();
    const double increment[3] = {0.0, -1500.0, 1000.0};
    auto beam = ShearBeam(increment);
    beam->GetTransLayer(0, 2)->pattern = 3; // closed two-legged stirrups: the layer's y bars
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, 10000);
    int peak = -1;
    for (int i = 0; i < response.GetLastStageIndex(); ++i)
        if (response.GetStage(i) == response.GetPeakState())
            peak = i;
    ASSERT_GT(peak, 0);

    TQ2k_Logic logic(beam.get(), &response);
    logic.SetDisplayContext(DisplayContext{});
    logic.OnControlChoice(kNoChart, 5, 4); // the one-layer view at mid-depth, inside the stirrups
    for (const int stage : {0, peak}) {
        SCOPED_TRACE(stage);
        RecordingViewChart chart;
        ASSERT_EQ(logic.FillChart(&chart, 2116, stage, 0), 1);
        std::vector<double> data;
        for (const RecordedPoint& p : chart.points)
            data.push_back(p.x), data.push_back(p.y);
        const std::vector<double> record = ReadDiagramRecord(data, 9, true);
        EXPECT_EQ(record[16], 1.0); // x: no bar
        EXPECT_EQ(record[17], 0.0); // y: the stirrups' own state

        const std::vector<VitalBar> bars = VitalBars(record);
        EXPECT_EQ(bars[3].labelMode, 1);
        EXPECT_NE(bars[3].colour, kVitalPink);
        EXPECT_NE(bars[3].colour, kVitalRed);
        EXPECT_EQ(bars[3].fill, 0.0);

        VitalSignsFrame frame;
        frame.W = 500, frame.H = 400;
        frame.textFont.height = 20;
        const DiagramPlan plan = PlanVitalSigns(frame, record, kFixed);
        EXPECT_NE(plan.FindText("No Bar"), nullptr);
        EXPECT_EQ(plan.FindText("Rupture"), nullptr);
        EXPECT_NE(plan.FindText("f_s_y"), nullptr);
        // The five bars and no shaded caption cell.
        EXPECT_EQ(plan.Of(PlanOp::Fill).size(), 5u);
    }
    logic.OnControlChoice(kNoChart, 5, 0);
    SetLayerViewFactory(std::move(previous));
}

} // namespace
