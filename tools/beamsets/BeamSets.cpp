// Pictures of the beam mode's six nine-graph sets for a finished response of the 300 x 600 mm
// beam with stirrups under moment and shear (M / V = 1.5 m), for looking at.
//
//   qv_beamsets <output folder>
//
// Writes set0.png .. set5.png: the nine charts of each set as the view manager lays them out
// (three by three), each described and filled by the beam mode, and the two control charts.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "charts/Tchart.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/Reporter.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Window.h"
#include "views/ContractChart.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

constexpr int kCell = 400;
constexpr int kHeight = 300;

class Page final : public plat::Window, public TMixinChartOwner {
public:
    void SetActiveChart(TBoxItem*, int) override {}
    void OwnerCommand3006() override {}
    void OnPageClick(unsigned, int, int, int, int) override {}
};

std::unique_ptr<TBeam> ShearBeam()
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    ConcreteTypeRec concrete;
    concrete.name = "C35", concrete.fc = -35e6, concrete.ec = -0.0025;
    concrete.Ec = 3e10, concrete.ft = 2e6;
    beam->AddConcreteType(concrete);
    SteelTypeRec steel;
    steel.name = "Bars", steel.Es = 2e11, steel.fy = 4e8, steel.er = 0.05;
    beam->AddSteelType(steel);
    beam->AddRegion(0.3, -0.3, 0.3, 0.3, 0, 1);
    LongLayerRec layer;
    layer.z = -0.25, layer.num = 3, layer.Ai = 5e-4, layer.A = 1.5e-3, layer.db = 0.025;
    beam->AddLongLayer(layer, 0);
    TransLayerRec stirrup;
    stirrup.A = 1.57e-4, stirrup.Ai = 7.85e-5, stirrup.legs = 2, stirrup.db = 0.01;
    stirrup.space = 0.2, stirrup.disttop = 0.27, stirrup.distbot = -0.27;
    beam->AddTransLayer(stirrup, 2);
    beam->SetName("Beam with stirrups");
    beam->SetDoneBy("Quarvish");
    const double constant[3] = {0.0, 0.0, 0.0}, increment[3] = {0.0, -1500.0, 1000.0};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    return beam;
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
    SilentReporter silent;
    ScopedReporter scope(silent);
    auto beam = ShearBeam();
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, 10000);
    std::printf("%d stages\n", response.GetLastStageIndex());

    Page page;
    page.Create();
    page.MoveWindow({0, 0, 3 * kCell, 3 * kHeight + kHeight});
    TQ2k_Logic logic(beam.get(), &response);
    logic.SetDisplayContext(DisplayContext::FromSettings());
    for (int set = 0; set < 6; ++set) {
        logic.OnControlChoice(static_cast<ViewChart*>(nullptr), 5, set);
        plat::Image picture(3 * kCell, 4 * kHeight, plat::Colors::White);
        plat::DC dc(picture);
        for (int position = 0; position < 9; ++position) {
            const int id = logic.GetChoiceId(5, set, position, 0);
            const int x = (position % 3) * kCell, y = (position / 3) * kHeight;
            Tbigchart chart(&page, "", x, y, kCell, kHeight, 1, 1, 0);
            chart.CreateInParent();
            ChartDescription d;
            logic.GetChartDescription(id, d, 1);
            chart.SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
            chart.SetNumericRangeLabels(d.axisLabels);
            ContractChart fill(chart);
            logic.FillChart(&fill, id, 0, 0);
            chart.UpdateWindow();
            dc.DrawImage({x, y, x + kCell, y + kHeight}, chart.BackingImage());
        }
        for (int which = 1; which <= 2; ++which) {
            const int x = (which - 1) * kCell, y = 3 * kHeight;
            Tbigchart control(&page, "Control : M-Phi", x, y, kCell, kHeight, 1, 1, 0);
            control.CreateInParent();
            ContractChart fill(control);
            logic.FillControlChart(&fill, which, 5);
            control.UpdateWindow();
            dc.DrawImage({x, y, x + kCell, y + kHeight}, control.BackingImage());
        }
        std::string heading = std::string("Set: ") + g_NineGraphSetNames[set];
        logic.PaintInfoPanel(dc, 5, 4 * kCell, 4 * kHeight, heading);
        const std::string path = folder + "/set" + std::to_string(set) + ".png";
        if (!picture.SavePng(path))
            std::fprintf(stderr, "could not write %s\n", path.c_str());
    }
    return 0;
}
