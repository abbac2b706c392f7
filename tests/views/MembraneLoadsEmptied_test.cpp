// A membrane element whose loads the user emptied has no load to increase: Solve > Sectional
// Response shows the element under its constant loads alone, as a beam without increments
// shows its initial state, and no response to a load nobody gave.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "dialogs/SectionInputDialogs.h"
#include "membrane/MembraneState.h"
#include "support/RecordingDC.h"
#include "tests/views/SizedPagesShell.h"

namespace {

struct MembraneLoadsEmptied : SizedPagesTest {
    TSectionInputDialogs sectionDialogs{GetInputDialogs()};
    TInputDialogs* previousDialogs = SetInputDialogs(&sectionDialogs);

    ~MembraneLoadsEmptied() override { SetInputDialogs(previousDialogs); }

    // Loads > Sectional Loads: every constant and increment field emptied, OK.
    void EmptyTheLoads()
    {
        ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
            for (int id : {101, 5052, 5053, 5054, 5055, 5056})  // constant N, M, V; increments
                d.Type(id, "");
            d.Click(plat::DialogResult::Ok);
        });
        Frame().Dispatch(CmId::SectionalLoads);
        EXPECT_TRUE(ui.Done());
    }

    // The largest shear stress of the stages the analysis shows (Pa), and how many there are.
    std::pair<double, int> ShownShear()
    {
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        double largest = 0.0;
        int shown = 0;
        for (int i = 0; a && i <= a->GetLastStageIndex(); ++i)
            if (const SectionState* s = a->GetStage(i)) {
                largest = std::max(largest, std::fabs(s->Result(MembraneResult::TauXY)));
                ++shown;
            }
        return {largest, shown};
    }
};

} // namespace

// PV19 as opened is loaded in shear and solves to its failure, in pure shear at some 3.9 MPa.
// With its loads emptied the solve shows stage 0 alone, the element under its constant loads,
// here none: no stress but within the state solve's tolerance of 1 kPa, and no message. The
// nine graphs draw it.
TEST_F(MembraneLoadsEmptied, SolvingShowsTheInitialStageAloneWithNoMessage)
{
    OpenPanels();
    Frame().Dispatch(CmId::SectionalResponse);
    const auto [loaded, loadedStages] = ShownShear();
    EXPECT_GT(loaded, 3.0e6);
    EXPECT_GT(loadedStages, 10);

    EmptyTheLoads();
    double increments[3] = {1.0, 1.0, 1.0};
    Window().GetCurrentStructure()->GetIncrementLoads(increments, 3);
    EXPECT_EQ(increments[0] + increments[1] + increments[2], 0.0);
    Frame().Dispatch(CmId::SectionalResponse);
    const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->IsRunning());
    EXPECT_EQ(a->GetErrorCount(), 0);
    const auto [shear, stages] = ShownShear();
    EXPECT_EQ(stages, 1);
    EXPECT_LT(shear, 1e3);
    EXPECT_EQ(a->GetPeakState(), a->GetStage(0));
    EXPECT_EQ(a->GetCurrentState(), a->GetStage(0));

    Frame().Dispatch(CmId::NineGraphs);
    for (int i = 0; i < 9; ++i)
        if (Tchart* chart = View().GetChart(i)) {
            RecordingDC dc;
            chart->Paint(dc, true, chart->GetClientRect());
        }
    EXPECT_TRUE(ui.Done());
}

// The emptied element saved and opened by a later run is the element of the session: its
// increments stay 0 (the dialog shows 0.00, not one kN/m of shear to increase), the solve shows
// stage 0 alone, and saving it again writes the same bytes.
TEST_F(MembraneLoadsEmptied, SavedAndReopenedItKeepsNoIncrementAndSolvesAsInTheSession)
{
    OpenPanels();
    EmptyTheLoads();
    SaveAs("emptied.qvh");
    const std::string saved = dir.Read("emptied.qvh");
    EXPECT_NE(saved.find("<sectloading_shell\t\t/>"), std::string::npos);

    RestartWith("emptied.qvh");
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
        for (int id : {5054, 5055, 5056})  // the increments Nxx, Nyy, Nxy
            EXPECT_EQ(d.Text(id), "  0.00") << id;
        d.Click(plat::DialogResult::Cancel);
    });
    Frame().Dispatch(CmId::SectionalLoads);

    Frame().Dispatch(CmId::SectionalResponse);
    const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetErrorCount(), 0);
    const auto [shear, stages] = ShownShear();
    EXPECT_EQ(stages, 1);
    EXPECT_LT(shear, 1e3);

    SaveAs("again.qvh");
    EXPECT_EQ(dir.Read("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}
