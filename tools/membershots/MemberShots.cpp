// Takes screenshots of the member pushover and the fire pictures, for looking at: the
// "Stiffness and Axial" and "Reinforcement" member sets after a pushover of the sample beam's
// default member, the member elevation at magnifications 2 and 25, a member run over a
// post-fire beam (the question which section it runs on answered Yes), and the "Thermal
// Conditions" set after two fire runs: on the first run's post-fire beam, then on the second's.
//
//   qv_membershots <program folder> <output folder>
//   qv_membershots <program folder> <output folder> nostirrups
//   qv_membershots <program folder> <output folder> quickdefine
//
// The second form only takes the "Reinforcement" set of the sample beam's member with its
// stirrups taken out, whose second panel compares the shear on the cracks with what they carry.
// The third takes the "Reinforcement" set of the member of a section quick-defined with the
// defaults, at its last, a middle and its first stage.
//
//   qv_membershots <program folder> <output folder> roads [none] [portrait]
//
// The fourth form quick-defines the default section (with "none": stirrup type "None"), runs
// its member to the end and takes the "Reinforcement" set chosen from the layout list, then
// after a print preview closed with Escape (a portrait one with "portrait"), then chosen again.
//
//   qv_membershots <program folder> <output folder> small <width> <height> [resized]
//
// The fifth form quick-defines the default section, runs its member to the end in a main
// window of width x height (with "resized": in the window as it starts, filling the screen,
// then made width x height) and takes the "Reinforcement" set chosen from the layout list
// (small-1-window.png), its print preview (small-2-preview.png) and the page printed through
// "&Print..." on the PDF file printer (small-printed.pdf).
//
// Needs an X display (run under xvfb-run) and "import".

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/ShellServices.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"
#include "platform/Controls.h"
#include "platform/Printing.h"
#include "foundation/ProgramPaths.h"
#include "member/TMemberDefinition.h"
#include "member/fire/ThermalAnalysis.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "tests/support/ScriptedUi.h"
#include "tools/ShearBeam.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "views/TWideCrack2.h"

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

TWideCrack2* CrackView(TViewm_2k& view)
{
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        if (auto* c = dynamic_cast<TWideCrack2*>(view.GetChart(i)))
            return c;
    return nullptr;
}

// Shows the structure of a slot as the current one.
void ShowSlot(TQuarvishWindow& window, int slot)
{
    g_CurrentStructure = g_CurrentAnalysis = slot;
    window.GetViewManager().CreateLogic(1, g_Structures[static_cast<std::size_t>(slot)].get(),
                                        g_Analyses[static_cast<std::size_t>(slot)].get());
}

// Chooses the set of the title from the layout list, as a user does.
void ChooseFromList(TViewm_2k& view, const std::string& title)
{
    plat::ComboBox* combo = view.GetLayoutCombo();
    if (!combo)
        return;
    // The list's titles may end in a space.
    for (int i = 0; i < combo->GetCount(); ++i)
        if (combo->GetString(i).rfind(title, 0) == 0)
            combo->SetSelIndex(i);
    view.OnControlNotify(1101, plat::Notify::SelChange);
}

// The default section quick-defined (with stirrup type "None" when asked) and its member run
// to the end through Solve > Member Response.
bool RunQuickDefinedMember(TQuarvishApp& app, bool noStirrups)
{
    TQuarvishWindow& window = app.GetClient();
    g_QuickDefData = QuickDefineDefaults(0);
    if (noStirrups)
        g_QuickDefData.stirrupKind = QuickStirrup::None;
    auto beam = std::make_unique<TBeam>();
    if (BuildQuickDefineSection(*beam) != 1)
        return false;
    g_Structures[0] = std::move(beam);
    ShowSlot(window, 0);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    app.GetMainWindow()->Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    return true;
}

int Roads(TQuarvishApp& app, bool noStirrups, bool portrait)
{
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();
    if (!RunQuickDefinedMember(app, noStirrups))
        return 1;
    const std::string tag = std::string(noStirrups ? "-none" : "") + (portrait ? "-portrait" : "");
    Shot("roads" + tag + "-0-after-run");
    ChooseFromList(view, "Reinforcement");
    Shot("roads" + tag + "-1-chosen");
    if (portrait)
        app.GetPrinter().Setup().landscape = false;
    frame.Dispatch(CmId::FilePrintPreview);
    Shot("roads" + tag + "-2-preview");
    // Escape in the preview's window (there is no window manager to give it the focus).
    std::system("xdotool windowfocus --sync $(xdotool search --name 'Preview' | head -1) && xdotool key Escape");
    Shot("roads" + tag + "-3-after-preview");
    ChooseFromList(view, "Reinforcement");
    Shot("roads" + tag + "-4-chosen-again");
    return 0;
}

// The "Reinforcement" set of the quick-defined section's member in a window of w x h, its
// preview and its printed page.
int Small(TQuarvishApp& app, int w, int h, bool resized)
{
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    const auto resize = [&] {
        frame.SetFrameRect(plat::Rect{0, 0, w, h});
        plat::Application::PumpEvents(200);
    };
    if (!resized)
        resize();
    if (!RunQuickDefinedMember(app, false))
        return 1;
    ChooseFromList(window.GetViewManager(), "Reinforcement");
    if (resized)
        resize();
    const std::string tag = resized ? "resized" : "small";
    Shot(tag + "-1-window");
    frame.Dispatch(CmId::FilePrintPreview);
    Shot(tag + "-2-preview");
    app.EndPreview();
    plat::Application::PumpEvents(200);
    ScriptedUi ui;
    ui.File(plat::FileDialogKind::Save, g_out + "/" + tag + "-printed.pdf");
    frame.Dispatch(CmId::FilePrint);
    return ui.Done() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    g_out = folders->out;
    InstallBeamMode();
    InstallStateDiagrams();
    const bool small = argc > 5 && std::string(argv[3]) == "small";
    if (small)
        plat::Printer::AssumeSystemPrinter(0);
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();

    if (small)
        return Small(app, std::atoi(argv[4]), std::atoi(argv[5]), argc > 6 && std::string(argv[6]) == "resized");
    if (argc > 3 && std::string(argv[3]) == "roads") {
        bool none = false, portrait = false;
        for (int i = 4; i < argc; ++i) {
            none = none || std::string(argv[i]) == "none";
            portrait = portrait || std::string(argv[i]) == "portrait";
        }
        return Roads(app, none, portrait);
    }
    // The default member of the sample beam, pushed over.
    const double increment[3] = {0, -150e3, 100e3};
    if (argc > 3 && std::string(argv[3]) == "nostirrups") {
        g_Structures[0] = ShearBeam(increment);
        g_Structures[0]->DeleteTransLayers(2);
        g_Structures[0]->SetName("Beam without stirrups");
        g_Structures[0]->Validate();
        ShowSlot(window, 0);
        SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
        frame.Dispatch(CmId::MemberResponse);
        RunToEnd(window);
        frame.Dispatch(CmId::FullMemberResults);
        view.SetPushover(4003);
        Shot("09-reinforcement-without-stirrups");
        for (int k = 0; k < 8; ++k)
            frame.Dispatch(CmId::PrevLoadStage);
        Shot("10-reinforcement-without-stirrups-earlier");
        return 0;
    }
    if (argc > 3 && std::string(argv[3]) == "quickdefine") {
        ResetQuickDefine(*g_Structures[0]);
        BuildQuickDefineSection(*g_Structures[0]);
        ShowSlot(window, 0);
        SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
        // Solve > Member Response shows the "Reinforcement" set while the member runs.
        frame.Dispatch(CmId::MemberResponse);
        RunToEnd(window);
        Shot("11-quickdefine-reinforcement-last");
        for (int k = 0; k < 15; ++k)
            frame.Dispatch(CmId::PrevLoadStage);
        Shot("12-quickdefine-reinforcement-middle");
        for (int k = 0; k < 20; ++k)
            frame.Dispatch(CmId::PrevLoadStage);
        Shot("13-quickdefine-reinforcement-first");
        return 0;
    }
    g_Structures[0] = ShearBeam(increment);
    ShowSlot(window, 0);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    frame.Dispatch(CmId::FullMemberResults);
    view.SetPushover(4002);
    Shot("01-stiffness-and-axial");
    view.SetPushover(4003);
    Shot("02-reinforcement");

    // A simply supported 4 m member of the beam under 20 kN/m on its left half and 10 kN/m on
    // its right half (per unit load factor): the elevation with its load labels.
    TMemberDefinition& d = g_MemberDefinition;
    d.length = 4.0;
    d.leftPlateLocation = 0.1, d.rightPlateLocation = 3.9;
    d.leftSupport = SupportType::Pin, d.rightSupport = SupportType::Roller;
    d.zoneCount = 1, d.zones[0] = {0.0, 0};
    // Reactions: R_L = (40 x 2.9 + 20 x 0.9) / 3.8 from the plates' middles.
    const double rl = (40e3 * 2.9 + 20e3 * 0.9) / 3.8;
    const double rr = 60e3 - rl;
    // Sagging moment from the left, negative as the diagrams hold it.
    const auto moment = [rl, rr](double x) {
        const double reactions = rl * std::max(x - 0.1, 0.0) + rr * std::max(x - 3.9, 0.0);
        const double a = std::min(x, 2.0);
        const double loads = 20e3 * a * (x - a / 2) + (x > 2.0 ? 10e3 * (x - 2.0) * (x - 2.0) / 2 : 0.0);
        return -(reactions - loads);
    };
    const double xs[] = {0.0, 0.05, 0.1, 1.05, 2.0, 2.95, 3.9, 3.95, 4.0};
    d.pointCount[LiveDiagram] = 0;
    for (double x : xs)
        d.diagrams[LiveDiagram][static_cast<std::size_t>(d.pointCount[LiveDiagram]++)] = {x, moment(x), 1};
    d.pointCount[DeadDiagram] = 0;
    d.displacementLocation = -1.0;
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    frame.Dispatch(CmId::FullMemberResults);
    view.SetPushover(4001);
    Shot("03-elevation-factor-25");
    if (TWideCrack2* crack = CrackView(view)) {
        ui.Input("Enter scale factor for displacements", std::string("2"));
        crack->EvCommand(3007, 0, 0);
    }
    Shot("04-elevation-factor-2");
    for (int k = 0; k < 15; ++k)
        frame.Dispatch(CmId::PrevLoadStage);
    Shot("05-elevation-half-load");

    // A fire from below, 90 minutes, then the member: it asks which section to run on.
    g_Structures[0]->SetFireData(kExposeBottom, kISO834Fire, 0, 5400.0, 1000.0);
    TStructureSlots& slots = ProgramStructureSlots();
    const int first = ThermalAnalysis(g_Structures[0].get(), slots);
    ShowSlot(window, first);
    ui.Message("not of the current section", MsgAnswer::Yes);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    frame.Dispatch(CmId::FullMemberResults);
    view.SetPushover(4003);
    Shot("06-member-over-post-fire-beam");

    // A second fire (500 C from the top, 120 minutes): the first post-fire beam shows no field
    // of it, the second shows its own.
    g_Structures[0]->SetFireData(kExposeTop, kConstantFire, 0, 7200.0, 500.0);
    ShowSlot(window, 0);
    const int second = ThermalAnalysis(g_Structures[0].get(), slots);
    ShowSlot(window, first);
    view.SetNineGraphs(3005);
    Shot("07-fire-first-beam-after-second-run");
    ShowSlot(window, second);
    view.SetNineGraphs(3005);
    Shot("08-fire-second-beam");
    return 0;
}
