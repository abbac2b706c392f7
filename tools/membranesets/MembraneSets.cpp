// Pictures of the membrane mode for a panel reinforced in x and y with stirrups, under pure
// shear, for looking at:
//
//   qv_membranesets <output folder> [pv19]
//
// With "pv19" the groups are those of the PV19 panel (automatic crack spacing) instead.
//
// Writes panel.png (the element panel with the catalogue strip) and group0.png .. group3.png
// (the four nine-graph groups after the full response: the charts in their panels, each
// described and filled by the membrane mode, the element-state charts drawn by their own
// classes, the control chart and the information panel).

#include <cstdio>
#include <memory>
#include <string>

#include "app/GlobalTables.h"
#include "app/views/DiagramMakers.h"
#include "app/views/PanelLayout.h"
#include "charts/TMixinChartOwner.h"
#include "charts/Tchart.h"
#include "foundation/Reporter.h"
#include "membrane/TP2k1DAnalysis.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Window.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/membrane/Pv19Panel.h"
#include "views/ContractChart.h"
#include "views/StateDiagramsInstall.h"

namespace {

constexpr int kPageWidth = 1600;
constexpr int kPageHeight = 1280;

class Page final : public plat::Window, public TMixinChartOwner {
public:
    void SetActiveChart(TBoxItem*, int) override {}
    void OwnerCommand3006() override {}
    void OnPageClick(unsigned, int, int, int, int) override {}
};

// A 70 mm panel: two layers each way (1.1 % x, 0.6 % y), stirrups through the thickness, and
// measured shear strains and stresses.
std::unique_ptr<TShell> Panel(const std::string& name, double rhoX)
{
    membrane_fixtures::PanelSpec spec;
    spec.rhoX = rhoX / 2;
    spec.rhoY = 0.003;
    auto shell = membrane_fixtures::MakePanel(spec);
    for (int d = 0; d < 2; ++d) {
        LongLayerRec* first = shell->GetLongLayer(0, d);
        first->z = d == 0 ? -0.02 : -0.012;
        first->db = d == 0 ? 0.008 : 0.006;
        LongLayerRec second = *first;
        second.z = -second.z;
        shell->AddLongLayer(second, d);
    }
    TransLayerRec leg;
    leg.A = 2.8e-5, leg.Ai = 2.8e-5, leg.db = 0.006, leg.space = 0.01;
    leg.disttop = 0.03, leg.distbot = -0.03;
    shell->AddTransLayer(leg, 2);
    shell->SetName(name);
    shell->SetDoneBy("Quarvish");
    shell->SetUniversity("Test laboratory");
    const double gamma[] = {0.0005, 0.002, 0.004, 0.007, 0.011};
    const double shear[] = {1.6e6, 2.6e6, 3.2e6, 3.6e6, 3.8e6};
    shell->SetValueList(6, gamma, 5);
    shell->SetValueList(14, shear, 5);
    shell->Validate();
    return shell;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_membranesets <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    plat::EnsureGuiRuntime();
    InstallStateDiagrams();
    InstallMembraneMode();
    SilentReporter silent;
    ScopedReporter scope(silent);
    const bool pv19 = argc > 2 && std::string(argv[2]) == "pv19";
    if (pv19)
        g_Structures[0] = MakePv19();
    else
        g_Structures[0] = Panel("PV-A two-way", 0.011);
    g_Structures[1] = Panel("PV-B", 0.02);
    g_Structures[2] = Panel("PV-C", 0.006);
    TShell* shell = static_cast<TShell*>(g_Structures[0].get());
    TP2kFullResponse response(shell);
    std::printf("%d stages\n", response.GetLastStageIndex());

    TP2k_Logic logic(shell, &response);
    logic.FollowSettings(true);
    {
        plat::Image picture(1200, 700, plat::Colors::White);
        plat::DC dc(picture);
        logic.PaintSection(dc, 0, 0, 1200, 700, 0);
        picture.SavePng(folder + "/panel.png");
    }
    Page page;
    page.Create();
    page.MoveWindow({0, 0, kPageWidth, kPageHeight});
    for (int group = 0; group < 4; ++group) {
        plat::Image picture(kPageWidth, kPageHeight, plat::Colors::White);
        plat::DC dc(picture);
        for (int position = 0; position < 9; ++position) {
            const int id = logic.GetChoiceId(5, group, position, 0);
            PanelRect r;
            GetPanelRect(ChartPanel(LayoutMode::NineGraphs, position), kPageWidth, kPageHeight,
                         kControlPanelFraction, r);
            int kind = 0;
            if (id >= 2100 && id <= 2102)
                kind = 10;
            else if (id == 2103)
                kind = 11;
            else if (id == 2104)
                kind = 16;
            else if (id == 2116)
                kind = 26;
            std::unique_ptr<Tchart> made =
                kind != 0 ? MakeKindChart(&page, "", r.x, r.y, r.width, r.height, kind, id)
                          : std::make_unique<Tbigchart>(&page, "", r.x, r.y, r.width, r.height, 1, 1, 0);
            Tchart& chart = *made;
            chart.CreateInParent();
            ChartDescription d;
            d.title = kind == 16 ? "Stress & Strain" : kind == 26 ? "Vital Signs" : " Crack Diagram ";
            logic.GetChartDescription(id, d, 1);
            chart.SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
            logic.FillChart(&chart, id, 0, 0);
            chart.UpdateWindow();
            dc.DrawImage({r.x, r.y, r.x + r.width, r.y + r.height}, chart.BackingImage());
        }
        PanelRect r;
        GetPrintedPanelRect(PanelId::ControlChart1, kPageWidth, kPageHeight, kControlPanelFraction, r);
        Tbigchart control(&page, "", r.x, r.y, r.width, r.height, 1, 1, 0);
        control.CreateInParent();
        ContractChart fill(control);
        logic.FillControlChart(&fill, 0, 5);
        control.UpdateWindow();
        dc.DrawImage({r.x, r.y, r.x + r.width, r.y + r.height}, control.BackingImage());
        std::string heading = MembraneGraphGroups[static_cast<std::size_t>(group)];
        logic.PaintInfoPanel(dc, LayoutMode::NineGraphs, kPageWidth, kPageHeight, heading);
        picture.SavePng(folder + "/group" + std::to_string(group) + ".png");
    }
    for (auto& s : g_Structures)
        s.reset();
    return 0;
}
