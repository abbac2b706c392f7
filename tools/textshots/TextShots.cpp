// Takes screenshots of the places where texts meet the edges of their panels and the lines
// drawn near them, for looking at: the copied screen picture of the nine graphs with design
// resistance factors ("Factored Values" at the foot, "(FACTORED) Current Loads" at the head),
// the main window with its stage markers, the materials page with the factored rebar curve,
// the member pushover's stiffness notes at an early stage and its legends, a chart of a single
// point, and the membrane node pane in kg/cm units.
//
//   qv_textshots <program folder> <output folder>
//
// Needs an X display (run under xvfb-run) and "import". The loading page's diagrams are shown
// by qv_membersheets 3.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/ShellServices.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/DiagramMakers.h"
#include "app/views/PanelLayout.h"
#include "app/views/TViewm.h"
#include "charts/TMixinChartOwner.h"
#include "charts/Tchart.h"
#include "foundation/ProgramPaths.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/ScriptedUi.h"
#include "tools/ShearBeam.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/membrane/TP2k_Logic.h"

namespace {

std::string g_out;

void Shot(const std::string& name)
{
    plat::Application::PumpEvents(700);
    const std::string file = g_out + "/" + name + ".png";
    std::system(("import -window root '" + file + "'").c_str());
    std::printf("shot %s\n", file.c_str());
}

void RunToEnd(TQuarvishWindow& window)
{
    for (long pass = 0; pass < 400000 && g_Analyses[static_cast<std::size_t>(g_CurrentAnalysis)] &&
                        g_Analyses[static_cast<std::size_t>(g_CurrentAnalysis)]->IsRunning();
         ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
}

class Page final : public plat::Window, public TMixinChartOwner {
public:
    void SetActiveChart(TBoxItem*, int) override {}
    void OwnerCommand3006() override {}
    void OnPageClick(unsigned, int, int, int, int) override {}
};

// The membrane mode's first nine-graph group (the node pane in the middle row's right panel)
// of a 70 mm panel under pure shear, in kg/cm units, drawn as the nine-graph panels of a 1280
// x 1024 window.
void NodePaneInKgCm(const std::string& file)
{
    const int units = g_UnitSystem;
    g_UnitSystem = 2;
    membrane_fixtures::PanelSpec spec;
    spec.rhoX = 0.0055;
    spec.rhoY = 0.003;
    std::unique_ptr<TShell> shell = membrane_fixtures::MakePanel(spec);
    shell->SetName("PV-A two-way");
    shell->Validate();
    TP2kFullResponse response(shell.get());
    TP2k_Logic logic(shell.get(), &response);
    logic.FollowSettings(true);
    constexpr int W = 1280, H = 944;
    Page page;
    page.Create();
    page.MoveWindow({0, 0, W, H});
    plat::Image picture(W, H, plat::Colors::White);
    plat::DC dc(picture);
    for (int position = 0; position < 9; ++position) {
        const int id = logic.GetChoiceId(5, 0, position, 0);
        if (id != 2104)
            continue;
        PanelRect r;
        GetPanelRect(ChartPanel(LayoutMode::NineGraphs, position), W, H, kControlPanelFraction, r);
        std::unique_ptr<Tchart> pane = MakeKindChart(&page, "", r.x, r.y, r.width, r.height, 16, id);
        pane->CreateInParent();
        ChartDescription d;
        d.title = "Stress & Strain";
        logic.GetChartDescription(id, d, 1);
        pane->SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
        logic.FillChart(pane.get(), id, 0, 0);
        pane->UpdateWindow();
        dc.DrawImage({r.x, r.y, r.x + r.width, r.y + r.height}, pane->BackingImage());
        // The pane's edges, as the panel shows them.
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::LtGray});
        dc.SelectBrush(plat::Brush{true});
        dc.Rectangle({r.x - 1, r.y - 1, r.x + r.width + 1, r.y + r.height + 1});
    }
    picture.SavePng(file);
    std::printf("drawn %s\n", file.c_str());
    g_UnitSystem = units;
}

// A chart of a single point (the origin) in a pushover panel of the window.
void SinglePoint(TViewm_2k& view, plat::Window& owner)
{
    const PanelRect r = view.GetPanelRect(22);
    auto chart = std::make_unique<Tbigchart>(&owner, "Load-Deformation", r.x, r.y, r.width, r.height, 1, 1, 0);
    chart->SetTitles("Load-Deformation", "Deflection (mm)", "Load (kN)", 1, 1);
    chart->SetFontHeights(std::min(r.width, r.height) / 11, std::min(r.width, r.height) / 13);
    chart->ClearData();
    chart->AddPoint(0.0, 0.0);
    chart->AutoScale();
    chart->CreateInParent();
    chart->Show(true);
    Shot("07-single-point-chart");
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    g_out = folders->out;
    InstallBeamMode();
    InstallMembraneMode();
    InstallStateDiagrams();
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();

    // Design resistance factors (concrete 0.65, bars 0.85, strands 0.90).
    g_ResistanceFactors = ResistanceFactors{0.65, 0.85, 0.9};
    g_Structures[0] = TestSection::MakeBeam();
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
    window.GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(window);
    int peak = -1;
    if (TSectionalAnalysis* a = g_Analyses[0].get())
        for (int i = 0; i < a->GetLastStageIndex(); ++i)
            if (a->GetStage(i) == a->GetPeakState())
                peak = i;
    frame.Dispatch(CmId::NineGraphs);
    window.SelectLoadStage(0.0, 0.0, peak > 2 ? peak - 2 : peak);
    plat::Application::PumpEvents(500);
    window.EvCommand(CmId::CopyPicture, 0, 0);
    plat::Clipboard::GetPicturePng().SavePng(g_out + "/01-copied-picture.png");
    std::printf("copied %s/01-copied-picture.png\n", g_out.c_str());
    Shot("02-nine-graphs-stage-markers");

    // The sample beam (400 MPa bars, hardening from 7 mm/m): its materials page with the
    // factors in force, then its default member pushed over: the stiffness notes at an early
    // stage (percentages of three digits) and the reinforcement forces with their legends.
    const double increment[3] = {0, -150e3, 100e3};
    g_Structures[1] = ShearBeam(increment);
    if (SteelTypeRec* bars = g_Structures[1]->GetSteelType(0))
        CheckSteelType(*bars, true);
    g_CurrentStructure = g_CurrentAnalysis = 1;
    view.CreateLogic(1, g_Structures[1].get(), nullptr);
    frame.Dispatch(CmId::CrossSection);
    Shot("03-materials-page-factored-rebar");
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[1]);
    ui.Message("not of the current section", MsgAnswer::Yes);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    frame.Dispatch(CmId::FullMemberResults);
    view.SetPushover(4003);
    Shot("05-reinforcement-legends");
    view.SetPushover(4001);
    Shot("06-deformations-legends");
    view.SetPushover(4002);
    for (int k = 0; k < 60; ++k) {
        bool threeDigits = false;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            if (Tchart* c = view.GetChart(i))
                threeDigits = threeDigits || c->Data().Note().find("= 1") != std::string::npos;
        if (threeDigits)
            break;
        frame.Dispatch(CmId::PrevLoadStage);
    }
    Shot("04-stiffness-notes");
    SinglePoint(view, window);

    NodePaneInKgCm(g_out + "/08-node-pane-kg-cm.png");
    return 0;
}
