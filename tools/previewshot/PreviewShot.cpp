// Opens the program's print preview for looking at: a test beam solved to its end in the
// nine-graph layout, previewed on the test PDF printer and shown for the given time. With
// "print" the machine is taken to have no printer: the page is printed through "&Print..." on
// the PDF file printer, whose file dialog is answered with <output folder>/printed.pdf.
//
// With "summary" the window shows the summary page of a T-beam with bars and a tendon (three
// materials charts) for the given time instead.
//
// With "control" it takes its own screenshots of the same quick-defined section solved to its
// end: the window (control-1-window.png), its print preview (control-2-preview.png) and the
// page printed through "&Print..." (control-printed.pdf), whose control charts show the same
// curves and markers as the window's.
//
// With "postfire" it takes its own screenshots of the summary page of a post-fire beam: the
// section quick-defined with the defaults, Loads > Create Fire Damaged Beam with the fire as
// it stands, View > Cross Section (postfire-1-summary.png) and its print preview
// (postfire-2-preview.png).
//
// With "member" it takes its own screenshots of the member pushover of the sample beam (opened
// as a document, its control chart the moment along the member): Solve > Member Response run
// to its end (member-1-window.png), File > Print
// Preview (member-2-preview.png) and the page printed through "&Print..." on the PDF file
// printer (member-printed.pdf).
//
// With "axes" it takes its own screenshots of the same quick-defined section's nine-graph page
// after Sectional Response, then of its M-N, N-V and M-V interactions, each with its print
// preview (axes-*.png).
//
// With "roads" (and optionally "portrait" for a portrait page) it walks the roads of a stage
// picked by the user and takes its own screenshots (roads-*.png, with "import"): a section
// quick-defined with the defaults, solved to its end, stepped back thirty stages with
// "Previous Load Stage", then its print preview, the window after the preview closed with
// Escape, and after a print through "&Print..." (machine taken to have no printer, into
// <output folder>/printed.pdf). Needs an X display (xvfb-run), "import" and "xdotool".
//
// With "membrane" it takes its own screenshots of a document of the membrane elements PV19 to
// PV22: the summary page of PV19 (membrane-summary-1-window.png), its print preview and printed
// page, then PV19 solved on the nine-graph page (membrane-solved-*), with the node data pane
// and the vital signs; QUARVISH_CLIENT_SIZE sets the window's size.
//
// With "document <file> <units> <width> <height>" it takes its own screenshots of a document's
// summary page: the file opened in the unit system given (0 SI, 1 US), View > Cross Section in
// a window of that size (document-1-summary.png), its print preview (document-2-preview.png)
// and the page printed through "&Print..." (document-printed.pdf).
//
//   qv_previewshot <program folder> <output folder> [seconds] [print|summary|control|postfire|member|axes|roads [portrait]|document ...]

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/InputDialogs.h"
#include "app/ShellServices.h"
#include "app/TApxPrintout.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "dialogs/QuickDefine.h"
#include "model/TBeam.h"
#include "foundation/ProgramPaths.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Printing.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/summary/SummarySections.h"
#include "tests/support/ScriptedUi.h"
#include "tools/QuickDefinedSection.h"
#include "tools/ShearBeam.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/EmptyCharts.h"
#include "views/StateDiagramsInstall.h"
#include "views/membrane/MembraneModeInstall.h"
#include "tests/membrane/Pv19Panel.h"

namespace {

void Shot(const std::string& out, const std::string& name) {
    plat::Application::PumpEvents(700);
    const std::string file = out + "/" + name + ".png";
    std::system(("import -window root '" + file + "'").c_str());
    std::printf("shot %s\n", file.c_str());
}

void RunToEnd(TQuarvishApp& app) {
    for (long pass = 0; pass < 100000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    app.GetClient().IdleAction(0);
}

// A section quick-defined with the defaults, solved to its end from the summary page as quick
// define leaves it.
bool SolveQuickDefined(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    if (!ShowQuickDefinedSection(app.GetClient()))
        return false;
    frame.Dispatch(CmId::CrossSection);
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(app);
    return true;
}

// The print preview of the quick-defined section's response at its end: the control charts
// on the page beside the window's (control-*.png).
int ControlCharts(TQuarvishApp& app, const std::string& out) {
    if (!SolveQuickDefined(app))
        return 1;
    Shot(out, "control-1-window");
    app.GetMainWindow()->Dispatch(CmId::FilePrintPreview);
    Shot(out, "control-2-preview");
    app.EndPreview();
    ScriptedUi ui;
    ui.File(plat::FileDialogKind::Save, out + "/control-printed.pdf");
    app.GetMainWindow()->Dispatch(CmId::FilePrint);
    return ui.Done() ? 0 : 1;
}

// The quick-defined section's charts whose numbers stand near the axes: its sectional response
// on the nine-graph page, then its M-N, N-V and M-V interactions, each in the window and its
// print preview (axes-*.png).
int AxesCharts(TQuarvishApp& app, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    if (!SolveQuickDefined(app))
        return 1;
    Shot(out, "axes-1-response");
    frame.Dispatch(CmId::NineGraphs);
    Shot(out, "axes-2-ninegraph");
    frame.Dispatch(CmId::FilePrintPreview);
    Shot(out, "axes-3-ninegraph-preview");
    app.EndPreview();
    const std::pair<int, const char*> runs[] = {
        {CmId::MNInteraction, "mn"}, {CmId::NVInteraction, "nv"}, {CmId::MVInteraction, "mv"}};
    int n = 4;
    for (const auto& [command, name] : runs) {
        frame.Dispatch(command);
        RunToEnd(app);
        Shot(out, "axes-" + std::to_string(n++) + "-" + name);
        frame.Dispatch(CmId::FilePrintPreview);
        Shot(out, "axes-" + std::to_string(n++) + "-" + name + "-preview");
        app.EndPreview();
    }
    return 0;
}

// The fire dialog answered with OK as it stands; every other dialog cancelled.
class FireOk final : public TCancelInputDialogs {
public:
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Ok; }
};

int PostFireSummary(TQuarvishApp& app, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    if (!ShowQuickDefinedSection(app.GetClient()))
        return 1;
    FireOk dialogs;
    TInputDialogs* previous = SetInputDialogs(&dialogs);
    frame.Dispatch(CmId::FireDamagedBeam);
    SetInputDialogs(previous);
    frame.Dispatch(CmId::CrossSection);
    Shot(out, "postfire-1-summary");
    frame.Dispatch(CmId::FilePrintPreview);
    Shot(out, "postfire-2-preview");
    app.EndPreview();
    return 0;
}

// The window as it stands (<tag>-1-<what>.png), its print preview (<tag>-2-preview.png) and
// the page printed through "&Print..." (<tag>-printed.pdf).
int WindowPreviewAndPage(TQuarvishApp& app, const std::string& out, const std::string& tag, const std::string& what) {
    plat::Frame& frame = *app.GetMainWindow();
    Shot(out, tag + "-1-" + what);
    frame.Dispatch(CmId::FilePrintPreview);
    Shot(out, tag + "-2-preview");
    app.EndPreview();
    ScriptedUi ui;
    ui.File(plat::FileDialogKind::Save, out + "/" + tag + "-printed.pdf");
    frame.Dispatch(CmId::FilePrint);
    return ui.Done() ? 0 : 1;
}

// The member pushover of the sample beam as Solve > Member Response leaves it, then its print
// preview and its printed page.
int MemberPage(TQuarvishApp& app, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    const double increment[3] = {0, -150e3, 100e3};
    g_Structures[0] = ShearBeam(increment);
    const std::string file = out + "/member-beam.qvh";
    window.WriteDocument(file);
    app.OpenFile(file);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(app);
    return WindowPreviewAndPage(app, out, "member", "window");
}

int DocumentSummary(TQuarvishApp& app, const std::string& out, const std::string& file, int units, int w, int h) {
    plat::Frame& frame = *app.GetMainWindow();
    g_UnitSystem = units;
    app.OpenFile(file);
    g_UnitSystem = units;
    frame.ShowFrame(1);
    plat::Application::PumpEvents(100);
    frame.SetFrameRect(plat::Rect{0, 0, w, h});
    frame.Dispatch(CmId::CrossSection);
    return WindowPreviewAndPage(app, out, "document", "summary");
}

// A document of the membrane elements PV19 to PV22 (PV19 current): its summary page, then
// PV19 solved to its end on the nine-graph page (node data pane and vital signs), each in the
// window, its print preview and the printed page (membrane-*).
int MembranePages(TQuarvishApp& app, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    std::array<std::unique_ptr<TStructure>, kMaxStructures> open;
    open.swap(g_Structures);
    int slot = 0;
    for (const char* name : {"PV19", "PV20", "PV21", "PV22"}) {
        g_Structures[slot] = MakePv19();
        g_Structures[slot++]->SetName(name);
    }
    const std::string file = out + "/panels.qvh";
    window.WriteDocument(file);
    open.swap(g_Structures);
    app.OpenFile(file);
    frame.Dispatch(CmId::CrossSection);
    if (WindowPreviewAndPage(app, out, "membrane-summary", "window") != 0)
        return 1;
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(app);
    frame.Dispatch(CmId::NineGraphs);
    return WindowPreviewAndPage(app, out, "membrane-solved", "window");
}

int Roads(TQuarvishApp& app, const std::string& out, bool portrait) {
    plat::Frame& frame = *app.GetMainWindow();
    if (!SolveQuickDefined(app))
        return 1;
    const std::string tag = portrait ? "roads-portrait" : "roads";
    Shot(out, tag + "-1-end");
    for (int k = 0; k < 30; ++k)
        frame.Dispatch(CmId::PrevLoadStage);
    Shot(out, tag + "-2-stage-picked");
    if (portrait)
        app.GetPrinter().Setup().landscape = false;
    frame.Dispatch(CmId::FilePrintPreview);
    Shot(out, tag + "-3-preview");
    // Escape in the preview's window (there is no window manager to give it the focus).
    std::system("xdotool windowfocus --sync $(xdotool search --onlyvisible --name 'Preview' | head -1) && xdotool key Escape");
    Shot(out, tag + "-4-after-preview");
    ScriptedUi ui;
    ui.File(plat::FileDialogKind::Save, out + "/" + tag + "-printed.pdf");
    frame.Dispatch(CmId::FilePrint);
    Shot(out, tag + "-5-after-print");
    return ui.Done() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    const std::string& out = folders->out;
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 4;
    InstallBeamMode();
    InstallStateDiagrams();  // the material charts and empty chart kinds, as the program has them
    InstallEmptyCharts();
    const bool print = argc > 4 && std::string(argv[4]) == "print";
    const bool roads = argc > 4 && std::string(argv[4]) == "roads";
    const bool control = argc > 4 && std::string(argv[4]) == "control";
    const bool postfire = argc > 4 && std::string(argv[4]) == "postfire";
    const bool member = argc > 4 && std::string(argv[4]) == "member";
    const bool axes = argc > 4 && std::string(argv[4]) == "axes";
    const bool document = argc > 8 && std::string(argv[4]) == "document";
    const bool membrane = argc > 4 && std::string(argv[4]) == "membrane";
    if (print || roads || control || postfire || member || axes || document || membrane)
        plat::Printer::AssumeSystemPrinter(0);
    else
        plat::Printer::UseTestPdfPrinter(out + "/preview.pdf");
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    g_Structures[0] = TestSection::MakeBeam();
    TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 0);
    plat::Frame& frame = *app.GetMainWindow();
    if (control)
        return ControlCharts(app, out);
    if (postfire)
        return PostFireSummary(app, out);
    if (member)
        return MemberPage(app, out);
    if (axes)
        return AxesCharts(app, out);
    if (membrane) {
        InstallMembraneMode();
        return MembranePages(app, out);
    }
    if (document)
        return DocumentSummary(app, out, argv[5], std::atoi(argv[6]), std::atoi(argv[7]), std::atoi(argv[8]));
    if (roads)
        return Roads(app, out, argc > 5 && std::string(argv[5]) == "portrait");
    if (argc > 4 && std::string(argv[4]) == "summary") {
        g_Structures[0] = SummarySections::TBeamSection("T-beam 1000 x 600 with a long name for the title block");
        SteelTypeRec tendon;
        tendon.kind = SteelKind::Prestressing;
        tendon.fy = 1.6e9;
        tendon.name = "Tendon";
        CheckSteelType(tendon, true);
        g_Structures[0]->AddSteelType(tendon);
        LongLayerRec strand = SummarySections::Bars(0.15, 1, 0.0127);
        strand.type = 1;
        g_Structures[0]->AddLongLayer(strand, 0);
        g_Structures[0]->Validate();
        app.GetClient().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        frame.Dispatch(CmId::CrossSection);
        plat::Application::PumpEvents(seconds * 1000);
        return 0;
    }
    frame.Dispatch(CmId::SectionalResponse);
    for (int pass = 0; pass < 2000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    frame.Dispatch(CmId::NineGraphs);
    plat::Application::PumpEvents(500);
    if (print) {
        ScriptedUi ui;
        ui.File(plat::FileDialogKind::Save, out + "/printed.pdf");
        frame.Dispatch(CmId::FilePrint);
        plat::Application::PumpEvents(seconds * 1000);
        return ui.Done() ? 0 : 1;
    }
    app.CmFilePrintPreview();
    plat::Application::PumpEvents(seconds * 1000);
    app.EndPreview();
    plat::Application::PumpEvents(100);
    return 0;
}
