// Pictures of the beam mode's six nine-graph sets for a finished response of the 300 x 600 mm
// beam with stirrups under moment and shear (M / V = 1.5 m), for looking at.
//
//   qv_beamsets <output folder> [peak]
//
// With "peak" the views show the stage of the largest load instead of the last one, with
// "zero" the first stage. The "Mohr's Circles" set shows the layer at mid-depth as a membrane
// element, its state charts drawn by their own classes.
//
// Writes set0.png .. set5.png: each set as a printed page shows it: the nine charts in their
// panels, each described and filled by the beam mode (the result diagrams drawn by their own
// classes), the two control charts in the control
// panel where printing puts them, and the information panel.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "app/views/DiagramMakers.h"
#include "app/views/PanelLayout.h"
#include "charts/Tchart.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/Reporter.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Window.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/BeamModeInstall.h"
#include "views/ContractChart.h"
#include "views/GraphTables.h"
#include "views/StateDiagramsInstall.h"
#include "views/TQ2k_Logic.h"
#include "tools/ShearBeam.h"

namespace {

// The sample beam's load increments (SI).
const double kIncrement[3] = {0.0, -1500.0, 1000.0};

constexpr int kPageWidth = 1600;
constexpr int kPageHeight = 1280;

class Page final : public plat::Window, public TMixinChartOwner {
public:
    void SetActiveChart(TBoxItem*, int) override {}
    void OwnerCommand3006() override {}
    void OnPageClick(unsigned, int, int, int, int) override {}
};

// The result diagrams' kinds and titles, as the chart factory gives them.
int DiagramKind(int id)
{
    switch (id) {
    case 2000: return 6;
    case 2001: return 12;
    case 2002: return 14;
    case 2003: return 13;
    case 2100: case 2101: case 2102: return 10;
    case 2103: return 11;
    case 2104: return 16;
    case 2116: return 26;
    default: return 0;
    }
}

const char* DiagramTitle(int id)
{
    switch (id) {
    case 2100: return "Circle of Strain (average)";
    case 2101: return "Circle of Stress (crack)";
    case 2102: return "Circle of Stress (average)";
    case 2103: return " Crack Diagram ";
    case 2104: return "Stress & Strain";
    case 2116: return "Vital Signs";
    case 2000: return "Crack Diagram ";
    case 2001: return "Cross Section";
    case 2002: return "N+M";
    default: return "Internal Forces";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_beamsets <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    plat::EnsureGuiRuntime();
    InstallResultDiagrams();
    InstallStateDiagrams();
    InstallMembraneMode();
    SilentReporter silent;
    ScopedReporter scope(silent);
    auto beam = ShearBeam(kIncrement, "Quarvish");
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, 10000);
    std::printf("%d stages\n", response.GetLastStageIndex());
    int shown = -1; // the stage the one-layer view shows (-1: the last)
    if (argc > 2 && std::string(argv[2]) == "zero") {
        response.SelectLoadStage(0);
        shown = 0;
    }
    if (argc > 2 && std::string(argv[2]) == "peak") {
        for (int i = 0; i < response.GetLastStageIndex(); ++i)
            if (response.GetStage(i) == response.GetPeakState()) {
                response.SelectLoadStage(i);
                shown = i;
                std::printf("stage %d shown (the peak)\n", i);
            }
    }

    Page page;
    page.Create();
    page.MoveWindow({0, 0, kPageWidth, kPageHeight});
    TQ2k_Logic logic(beam.get(), &response);
    logic.SetDisplayContext(DisplayContext::FromSettings());
    for (int set = 0; set < 6; ++set) {
        logic.OnControlChoice(static_cast<ViewChart*>(nullptr), 5, set);
        plat::Image picture(kPageWidth, kPageHeight, plat::Colors::White);
        plat::DC dc(picture);
        for (int position = 0; position < 9; ++position) {
            const int id = logic.GetChoiceId(5, set, position, 0);
            PanelRect r;
            GetPanelRect(ChartPanel(LayoutMode::NineGraphs, position), kPageWidth, kPageHeight,
                         kControlPanelFraction, r);
            std::unique_ptr<Tchart> made =
                DiagramKind(id) != 0
                    ? MakeKindChart(&page, "", r.x, r.y, r.width, r.height, DiagramKind(id), id)
                    : std::make_unique<Tbigchart>(&page, "", r.x, r.y, r.width, r.height, 1, 1, 0);
            Tchart& chart = *made;
            chart.CreateInParent();
            if (DiagramKind(id) != 0) {
                chart.SetTitles(DiagramTitle(id), "", "", 0, 0);
            } else {
                ChartDescription d;
                logic.GetChartDescription(id, d, 1);
                chart.SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
                chart.SetNumericRangeLabels(d.axisLabels);
            }
            ContractChart fill(chart);
            // The one-layer view shows the stage it is given; the beam's own charts their own.
            const int last = response.GetLastStageIndex() - 1;
            logic.FillChart(&fill, id, BeamGraphId::IsLayerViewId(id) ? (shown >= 0 ? shown : last) : 0, 0);
            chart.UpdateWindow();
            dc.DrawImage({r.x, r.y, r.x + r.width, r.y + r.height}, chart.BackingImage());
        }
        for (int which = 1; which <= 2; ++which) {
            PanelRect r;
            GetPrintedPanelRect(PanelId::ControlChart1 + which - 1, kPageWidth, kPageHeight,
                                kControlPanelFraction, r);
            Tbigchart control(&page, "Control : M-Phi", r.x, r.y, r.width, r.height, 1, 1, 0);
            control.CreateInParent();
            ContractChart fill(control);
            logic.FillControlChart(&fill, which, 5);
            control.UpdateWindow();
            dc.DrawImage({r.x, r.y, r.x + r.width, r.y + r.height}, control.BackingImage());
        }
        std::string heading = std::string("Set: ") + g_NineGraphSetNames[set];
        logic.PaintInfoPanel(dc, LayoutMode::NineGraphs, kPageWidth, kPageHeight, heading);
        const std::string path = folder + "/set" + std::to_string(set) + ".png";
        if (!picture.SavePng(path))
            std::fprintf(stderr, "could not write %s\n", path.c_str());
    }
    return 0;
}
