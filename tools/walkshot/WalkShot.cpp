// Walks the main window as a user would and takes a screenshot of the screen after each step,
// for looking at: a good beam opened and solved, a binary file named .xml and a truncated
// document opened over it, the layouts switched in turn, the member pushover and the three
// interaction diagrams of the beam, and "Sectional Response" on the empty new section. Message
// boxes are shown for real; a helper started in the background takes their picture and closes
// them with the Return key.
//
//   qv_walkshot <program folder> <output folder>
//   qv_walkshot <program folder> <output folder> document <file>
//
// With "document" it walks a document of membrane elements instead: the file opened, the next
// element, "Sectional Response" twice, the sensitivity plots, the previous element solved.
// Each step prints a line with its time, so that the boxes a watcher closes can be counted
// per step.
//
//   qv_walkshot <program folder> <output folder> member
//
// With "member" it walks "Member Response" asked for on a membrane element: a section quick-
// defined with the defaults and its member, then a document of the membrane elements PV19 to
// PV22 opened and "Member Response" on PV19 (its box pictured and closed); then a document of
// two beams, the member settings (a member of BeamB) and PV19 and PV20, "Member Response" on
// PV19 run to its end, and the next element back to PV19.
//
//   qv_walkshot <program folder> <output folder> boxes
//
// With "boxes" it works the result page of a solved membrane element with the mouse: a double
// click on the vital signs ("View Data" on their texts), a text box inserted and edited ("Edit
// Text" from its menu, then a double click, typed into and closed), the "Single Graph" list
// opened, and the pointer rested on the control chart. The screen picture leaves the pointer
// out: when QV_CURSOR_SHOT names a program, it is run with the picture's file to draw the
// pointer into it.
//
//   qv_walkshot <program folder> <output folder> rules
//   qv_walkshot <program folder> <output folder> catalog
//
// With "rules" it checks the beam's pages (nine graphs, Mohr's circles, single graph, load-
// deformation), its member pushover and its M-N diagram the same way: the pointer rested on
// each control chart, the layout list opened, a double click on vital signs where the page has
// them, and "Edit Text" on a text box of the single graph. With "catalog" it closes "Catalog of
// Elements" with OK after a member run and after a membrane element's solve, with the print
// previews of those pages (and a double click on the previewed page where a text box stands).
//
// Needs an X display (run under xvfb-run), "import" and "xdotool".

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/ShellServices.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/ProgramPaths.h"
#include "app/views/TViewm.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "tools/QuickDefinedSection.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tools/ShearBeam.h"
#include "views/TVitalSigns.h"

namespace {

// The sample beam's load increments (SI).
const double kIncrement[3] = {0, -150e3, 100e3};

std::string g_out;
ShotNames g_names;

std::string Next(const std::string& name) { return g_names.Next(name); }

void Shot(const std::string& name) { ScreenShot(Next(name)); }

// The main window after a command.
void Show(plat::Frame& frame, int command, const std::string& name) {
    frame.Dispatch(command);
    Shot(name);
}

// The next message box is pictured after a while and closed with Return.
void ShootNextBox(const std::string& name) {
    const std::string file = Next(name);
    std::system(("(sleep 2; import -window root '" + file + "'; xdotool key Return) &").c_str());
    std::printf("box %s\n", file.c_str());
}

void Solve(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    frame.Dispatch(CmId::SectionalResponse);
    for (int pass = 0; pass < 5000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    app.GetClient().IdleAction(0);
}

// Prints the step with the time, takes the picture after it.
void Step(const std::string& name) {
    std::printf("step %s at %lld\n", name.c_str(), static_cast<long long>(std::time(nullptr)));
    std::fflush(stdout);
    Shot(name);
}

int WalkDocument(TQuarvishApp& app, const std::string& file) {
    plat::Frame& frame = *app.GetMainWindow();
    Step("start");
    app.OpenFile(file);
    Step("opened");
    frame.Dispatch(CmId::NextElement);
    Step("next-element");
    for (const char* name : {"solved", "solved-again"}) {
        Solve(app);
        frame.Dispatch(CmId::NineGraphs);
        Step(name);
    }
    app.GetClient().GetViewManager().SetNineGraphs(3003);
    Step("sensitivity");
    frame.Dispatch(CmId::PreviousElement);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    Step("previous-solved");
    return 0;
}

void RunCurrentToEnd(TQuarvishWindow& window) {
    for (long pass = 0; pass < 400000 && window.GetCurrentAnalysis() && window.GetCurrentAnalysis()->IsRunning();
         ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
}

// Writes the structures as one document (with the member settings when asked), leaving the
// open ones as they were.
std::string WriteStructures(TQuarvishWindow& window, const std::string& name,
                            std::vector<std::unique_ptr<TStructure>> structures, bool settings) {
    std::array<std::unique_ptr<TStructure>, kMaxStructures> open;
    open.swap(g_Structures);
    for (std::size_t i = 0; i < structures.size(); ++i)
        g_Structures[i] = std::move(structures[i]);
    const std::string file = g_out + "/" + name;
    window.WriteDocument(file);
    open.swap(g_Structures);
    if (!settings) {
        std::ifstream in(file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t from = text.find("\t<Q2010_Analysis");
        if (from != std::string::npos)
            text.erase(from, text.find("</document>") - from);
        std::ofstream(file, std::ios::binary) << text;
    }
    return file;
}

void NextElementTo(TQuarvishApp& app, const std::string& name) {
    for (int i = 0; i < kMaxStructures && app.GetClient().GetCurrentStructure()->GetName() != name; ++i)
        app.GetMainWindow()->Dispatch(CmId::NextElement);
}

int WalkMemberOnMembrane(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    // Quick define with the defaults: the section and its member.
    if (!ShowQuickDefinedSection(window))
        return 1;
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    Show(frame, CmId::CrossSection, "member-quick-defined");

    // A document of membrane elements alone: the member names PV19 now.
    std::vector<std::unique_ptr<TStructure>> panels;
    for (int example = 1; example <= 3; ++example)
        panels.push_back(std::make_unique<TShell>(example));
    panels.push_back(std::make_unique<TShell>(3));
    panels.back()->SetName("PV22");
    app.OpenFile(WriteStructures(window, "panels.qvh", std::move(panels), false));
    Step("member-panels-opened");
    ShootNextBox("member-panels-refused-box");
    frame.Dispatch(CmId::MemberResponse);
    Step("member-panels-after-refusal");

    // Two beams, a member of BeamB, PV19 and PV20, with PV19 current.
    const double increment[3] = {0, -150e3, 100e3};
    std::vector<std::unique_ptr<TStructure>> mixed;
    mixed.push_back(ShearBeam(increment));
    mixed.back()->SetName("BeamA");
    mixed.push_back(ShearBeam(increment));
    mixed.back()->SetName("BeamB");
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *mixed.back());
    g_MemberDefinition.zones[0].structureIndex = 1;
    mixed.push_back(std::make_unique<TShell>(1));
    mixed.push_back(std::make_unique<TShell>(2));
    app.OpenFile(WriteStructures(window, "mixed.qvh", std::move(mixed), true));
    NextElementTo(app, "PV19");
    Step("member-mixed-on-pv19");
    frame.Dispatch(CmId::MemberResponse);
    RunCurrentToEnd(window);
    Step("member-mixed-pushover");
    NextElementTo(app, "PV19");
    Step("member-mixed-back-on-pv19");
    return 0;
}

// Real pointer input through the X server, at a point of a window.
void Pointer(const plat::Window& window, plat::Point client, const std::string& action) {
    const plat::Point at = window.ClientToScreen(client);
    std::system(("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " " + action).c_str());
}

plat::Point Middle(const plat::Window& window) {
    const plat::Rect r = window.GetClientRect();
    return {r.Width() / 2, r.Height() / 2};
}

// A helper in the background waits for the "View Data" dialog, pictures it into the file as it
// opened, then works it with the steps (shell commands; "at fx fy" clicks the dialog at
// thousandths of its size) and ends with the keys given.
void ShootDataView(const std::string& file, const std::string& steps, const std::string& keys) {
    const std::string script =
        "sleep 2; id=$(xdotool search --name 'View Data' | head -1); eval $(xdotool getwindowgeometry --shell $id);"
        " at() { xdotool mousemove $((X + WIDTH * $1 / 1000)) $((Y + HEIGHT * $2 / 1000)) click 1; sleep 0.3; };"
        " import -window root '" + file + "';" + steps + " xdotool key " + keys;
    std::system(("(" + script + ") &").c_str());
    std::printf("box %s\n", file.c_str());
}

int WalkBoxes(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();
    g_Structures[0] = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    g_Structures[0]->SetName("Panel in shear");
    view.CreateLogic(1, g_Structures[0].get(), nullptr);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    view.SetNineGraphs(3000);  // "General Stress and Strain", with the vital signs
    Step("nine-graphs");

    // A double click on the vital signs: their texts in "View Data" (closed with Escape).
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        if (auto* vital = dynamic_cast<TVitalSigns*>(view.GetChart(i))) {
            ShootDataView(Next("vital-signs-view-data"), "", "Escape");
            Pointer(*vital, Middle(*vital), "click --repeat 2 --delay 80 1");
            plat::Application::PumpEvents(3000);  // closed by the helper, and the page drawn again
            Step("after-vital-signs-view-data");
            break;
        }

    // A text box on the single graph, edited: "Edit Text" from its menu, then a double click,
    // a line typed at the end of the text and "Close".
    frame.Dispatch(CmId::SingleGraph);
    frame.Dispatch(CmId::InsertTextBox);
    Step("text-box-inserted");
    if (TTextBox* box = view.GetTextBox(0)) {
        const std::string menu = Next("text-box-menu");
        std::system(("(sleep 2; import -window root '" + menu + "'; xdotool key Escape) &").c_str());
        Pointer(*box, {4, 4}, "click 3");
        plat::Application::PumpEvents(3000);
        Step("after-text-box-menu");
        // Into the text (the edit's middle), to its end, a line typed; then "Close".
        const std::string opened = Next("text-box-edit-text");
        const std::string typed = Next("text-box-edit-typed");
        ShootDataView(opened,
                      " at 493 486; xdotool key ctrl+End Return; xdotool type --delay 20 'Edited: |s_x = 2.5';"
                      " sleep 0.5; import -window root '" + typed + "'; at 382 946;",
                      "shift");
        Pointer(*box, {4, 4}, "click --repeat 2 --delay 80 1");
        plat::Application::PumpEvents(6000);  // the helper closes it within some 5 s
        Step("text-box-after-close");
    }

    // The "Single Graph" list opened with a click, showing its titles.
    if (plat::ComboBox* list = view.GetLayoutCombo()) {
        const plat::Rect place = list->GetPlace();
        const plat::Point at = window.ClientToScreen({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
        std::system(("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1").c_str());
        Step("single-graph-list-open");
        std::system("xdotool key Escape");
        plat::Application::PumpEvents(300);
    }

    // The pointer resting on the control chart, then on the graph beside it.
    const auto rest = [](const plat::Window& on, const std::string& name) {
        Pointer(on, Middle(on), "");
        plat::Application::PumpEvents(700);
        const std::string file = Next(name);
        std::system(("import -window root '" + file + "'").c_str());
        if (const char* pointer = std::getenv("QV_CURSOR_SHOT"))
            std::system((std::string(pointer) + " '" + file + "'").c_str());
        std::printf("shot %s\n", file.c_str());
    };
    if (Tcontrolchart* control = view.GetControlChart(0))
        rest(*control, "control-chart-pointer");
    if (Tchart* graph = view.GetChart(0))
        rest(*graph, "graph-pointer");
    return 0;
}


// The pointer resting on each control chart (its picture and, with QV_CURSOR_SHOT, the pointer
// drawn into it), the layout list opened, and a double click on vital signs if the page has them.
void CheckPage(TQuarvishWindow& window, const std::string& name) {
    TViewm_2k& view = window.GetViewManager();
    Step(name);
    for (int which = 0; which < 2; ++which)
        if (Tcontrolchart* control = view.GetControlChart(which)) {
            Pointer(*control, Middle(*control), "");
            plat::Application::PumpEvents(700);
            const std::string file = Next(name + "-control-" + std::to_string(which) + "-pointer");
            std::system(("import -window root '" + file + "'").c_str());
            if (const char* pointer = std::getenv("QV_CURSOR_SHOT"))
                std::system((std::string(pointer) + " '" + file + "'").c_str());
            std::printf("shot %s\n", file.c_str());
        }
    if (plat::ComboBox* list = view.GetLayoutCombo()) {
        const plat::Rect place = list->GetPlace();
        const plat::Point at = window.ClientToScreen({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
        std::system(("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1").c_str());
        Step(name + "-list-open");
        std::system("xdotool key Escape");
        plat::Application::PumpEvents(300);
    }
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        if (auto* vital = dynamic_cast<TVitalSigns*>(view.GetChart(i))) {
            ShootDataView(Next(name + "-vital-signs-view-data"), "", "Escape");
            Pointer(*vital, Middle(*vital), "click --repeat 2 --delay 80 1");
            plat::Application::PumpEvents(3000);
            Step(name + "-after-vital-signs");
            break;
        }
}

// The sample beam written as a document and opened; answers the file.
std::string OpenShearBeam(TQuarvishApp& app) {
    g_Structures[0] = ShearBeam(kIncrement);
    const std::string file = g_out + "/beam.qvh";
    app.GetClient().WriteDocument(file);
    app.OpenFile(file);
    return file;
}

// The rules a page must keep, checked on the beam's layouts, its member pushover and its
// interaction diagrams.
int WalkRules(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    const std::string good = OpenShearBeam(app);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    CheckPage(window, "beam-nine");
    frame.Dispatch(CmId::MohrsCircles);
    CheckPage(window, "beam-mohr");
    frame.Dispatch(CmId::SingleGraph);
    CheckPage(window, "beam-single");
    frame.Dispatch(CmId::LoadDeformationPlot);
    CheckPage(window, "beam-load-deformation");
    frame.Dispatch(CmId::SingleGraph);
    frame.Dispatch(CmId::InsertTextBox);
    if (TTextBox* box = window.GetViewManager().GetTextBox(0)) {
        ShootDataView(Next("beam-text-box-edit-text"), "", "Escape");
        Pointer(*box, {4, 4}, "click --repeat 2 --delay 80 1");
        plat::Application::PumpEvents(3000);
        Step("beam-text-box-after");
    }
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunCurrentToEnd(window);
    CheckPage(window, "member-pushover");
    app.OpenFile(good);
    frame.Dispatch(CmId::MNInteraction);
    RunCurrentToEnd(window);
    CheckPage(window, "m-n-diagram");
    return 0;
}

// The print preview of the page as it stands, pictured and ended.
void Preview(TQuarvishApp& app, const std::string& name) {
    app.GetMainWindow()->Dispatch(CmId::FilePrintPreview);
    Step(name + "-preview");
    app.EndPreview();
    plat::Application::PumpEvents(300);
}

// "Catalog of Elements" closed with OK (Return) unchanged, the page pictured after it and
// after the nine graphs.
void CatalogOk(TQuarvishApp& app, const std::string& name) {
    const std::string file = Next(name + "-catalog");
    std::system(("(sleep 2; import -window root '" + file + "'; xdotool key Return) &").c_str());
    std::printf("box %s\n", file.c_str());
    app.GetMainWindow()->Dispatch(CmId::Catalog);
    Step(name + "-after-catalog-ok");
    app.GetMainWindow()->Dispatch(CmId::NineGraphs);
    Step(name + "-after-catalog-nine-graphs");
}

// The catalogue's OK after a member run and after a membrane element's solve.
int WalkCatalog(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    const std::string good = OpenShearBeam(app);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunCurrentToEnd(window);
    Step("member-pushover");
    Preview(app, "member-pushover");
    CatalogOk(app, "member");
    g_Structures[0] = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    g_Structures[0]->SetName("Panel in shear");
    window.GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    Step("membrane-solved");
    Preview(app, "membrane-nine");
    frame.Dispatch(CmId::SingleGraph);
    frame.Dispatch(CmId::InsertTextBox);
    Step("membrane-single-text-box");
    plat::Point boxAt{0, 0};
    if (TTextBox* box = window.GetViewManager().GetTextBox(0))
        boxAt = box->ClientToScreen({20, 10});
    frame.Dispatch(CmId::FilePrintPreview);
    Step("membrane-single-preview");
    // A double click where the text box stands on the page: does the preview open its text?
    ShootDataView(Next("membrane-preview-double-click"), "", "Escape");
    std::system(("xdotool mousemove " + std::to_string(boxAt.x) + " " + std::to_string(boxAt.y) +
                 " click --repeat 2 --delay 80 1").c_str());
    plat::Application::PumpEvents(3000);
    Step("membrane-preview-after-double-click");
    app.EndPreview();
    frame.Dispatch(CmId::NineGraphs);
    CatalogOk(app, "membrane");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    g_out = folders->out;
    g_names.SetFolder(g_out);
    InstallBeamMode();
    InstallStateDiagrams();
    plat::UiReporterScope reporter;  // the readers' and analyses' messages as boxes
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    if (argc >= 4 && std::string(argv[3]) == "member") {
        InstallMembraneMode();
        return WalkMemberOnMembrane(app);
    }
    if (argc >= 5 && std::string(argv[3]) == "document") {
        InstallMembraneMode();
        return WalkDocument(app, argv[4]);
    }
    if (argc >= 4 && std::string(argv[3]) == "rules")
        return WalkRules(app);
    if (argc >= 4 && std::string(argv[3]) == "catalog") {
        InstallMembraneMode();
        return WalkCatalog(app);
    }
    if (argc >= 4 && std::string(argv[3]) == "boxes") {
        InstallMembraneMode();
        return WalkBoxes(app);
    }
    Shot("start");

    // A good beam, saved and opened again.
    g_Structures[0] = ShearBeam(kIncrement);
    const std::string good = g_out + "/beam.qvh";
    window.WriteDocument(good);
    app.OpenFile(good);
    Shot("good-opened");
    Solve(app);
    Show(frame, CmId::NineGraphs, "solved-nine-graphs");

    // A binary file named .xml.
    const std::string binary = g_out + "/picture.xml";
    {
        std::ofstream f(binary, std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            f.put(static_cast<char>((i * 37 + 11) % 256));
    }
    ShootNextBox("binary-box");
    app.OpenFile(binary);
    Shot("after-binary");
    Show(frame, CmId::CrossSection, "binary-then-cross-section");
    Show(frame, CmId::NineGraphs, "binary-then-nine-graphs");

    // A truncated document over the solved beam.
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    const std::string cut = g_out + "/cut.qvh";
    {
        std::ifstream in(good, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(cut, std::ios::binary) << text.substr(0, text.size() / 2);
    }
    ShootNextBox("cut-box");
    app.OpenFile(cut);
    Shot("after-cut");

    // The layouts in turn after a solve.
    app.OpenFile(good);
    Solve(app);
    Show(frame, CmId::NineGraphs, "nine-graphs");
    Show(frame, CmId::MohrsCircles, "mohrs-circles");
    Show(frame, CmId::SingleGraph, "single-graph");
    Show(frame, CmId::LoadDeformationPlot, "load-deformation");
    Show(frame, CmId::NineGraphs, "nine-after-load-deformation");
    Show(frame, CmId::CrossSection, "cross-section");
    Show(frame, CmId::SingleGraph, "single-after-cross-section");

    // The member pushover of the beam, at its start and after some steps.
    app.OpenFile(good);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    Show(frame, CmId::MemberResponse, "member-response");
    for (int pass = 0; pass < 20000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
    Shot("member-stepped");

    // The interaction diagrams of the beam, each run to its end.
    for (const auto& [command, name] : {std::pair{CmId::MNInteraction, "m-n"}, std::pair{CmId::MVInteraction, "m-v"},
                                        std::pair{CmId::NVInteraction, "n-v"}}) {
        app.OpenFile(good);
        frame.Dispatch(command);
        for (int pass = 0; pass < 200000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
            window.IdleAction(pass);
        window.IdleAction(0);
        Shot(std::string(name) + "-diagram");
        Show(frame, CmId::NineGraphs, std::string(name) + "-nine-graphs");
    }

    // The empty new section.
    Show(frame, CmId::FileNew, "new");
    ShootNextBox("empty-solve-box");
    Show(frame, CmId::SectionalResponse, "empty-solved");
    return 0;
}
