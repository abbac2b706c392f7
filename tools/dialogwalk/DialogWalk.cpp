// Walks the program's own dialogs in the main window as a user would, with a screenshot of the
// whole screen at each step, for looking at: the catalogue's OK after a solve, Apply in the
// preferences and then Cancel, Paste into a value list, and the quick-define wizard's Finish
// on a section whose hidden shape parameter lies out of range; and the keyboard's own Enter keys
// (with and without Ctrl, main and keypad) in Define Data, pressed through the X server.
//
//   qv_dialogwalk <program folder> <output folder>
//
// The dialogs are the program's, shown for real and worked through their controls; message
// boxes are answered from the script. Needs an X display (run under xvfb-run), "import" and
// "xdotool".

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/QuickDefineWizard.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/ValueListDialog.h"
#include "foundation/ProgramPaths.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tools/ShearBeam.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"

namespace {

const double kIncrement[3] = {0, -150e3, 100e3};
std::string g_out;
int g_shot = 0;

void Shot(const std::string& name) {
    plat::Application::PumpEvents(700);
    char number[8];
    std::snprintf(number, sizeof number, "%02d", ++g_shot);
    const std::string file = g_out + "/" + number + "-" + name + ".png";
    std::system(("import -window root '" + file + "'").c_str());
    std::printf("shot %s\n", file.c_str());
    std::fflush(stdout);
}

void Solve(TQuarvishApp& app) {
    app.GetMainWindow()->Dispatch(CmId::SectionalResponse);
    for (int pass = 0; pass < 5000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        app.GetClient().IdleAction(pass);
    app.GetClient().IdleAction(0);
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv);
    if (!folders)
        return 2;
    g_out = folders->out;
    InstallBeamMode();
    InstallStateDiagrams();
    InstallSectionDialogs();
    InstallMaterialReinforcementDialogs();
    InstallQuickDefineDialogs();
    ScriptedUi ui;
    plat::UiReporterScope reporter;  // the computing code's messages through the script too
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    frame.ShowFrame(3);

    // 1. A solved beam, then the catalogue closed with OK and nothing changed.
    g_Structures[0] = ShearBeam(kIncrement, "A. Engineer");
    const std::string good = g_out + "/beam.qvh";
    window.WriteDocument(good);
    app.OpenFile(good);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    Shot("solved-nine-graphs");
    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) {
        d.Show();
        Shot("catalogue-open");
        d.Click(1);
    });
    frame.Dispatch(CmId::Catalog);
    Shot("after-catalogue-ok");
    frame.Dispatch(CmId::NineGraphs);
    Shot("nine-graphs-after-catalogue-ok");

    // 2. Preferences: US Customary and CSA, Apply, then Cancel; then SI, Apply, OK.
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    Shot("solved-again");
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Show();
        d.Click(5029);
        Shot("preferences-us-chosen");
        d.Apply();
        Shot("preferences-us-applied");
        d.Click(5046);
        d.Apply();
        Shot("preferences-csa-applied");
        d.Click(2);
    });
    frame.Dispatch(CmId::Preferences);
    Shot("after-preferences-cancel");
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Show();
        d.Click(5028);
        d.Click(5023);
        d.Apply();
        Shot("preferences-si-none-applied");
        d.Click(1);
    });
    frame.Dispatch(CmId::Preferences);
    Shot("after-preferences-ok");

    // 3. Paste into the measured deltas with the second line selected.
    const double deltas[2] = {0.001, 0.002};
    g_Structures[0]->SetValueList(3, deltas, 2);
    plat::Clipboard::SetText("5\r\n6");
    ui.Dialog("Define Data", [](plat::DialogDriver& d) {
        d.Show();
        d.Select(DefineDataId::List, 3);
        d.Focus(DefineDataId::Text);
        plat::Edit(d.GetWindow(), DefineDataId::Text).SetSelection(11, 22);
        Shot("define-data-second-line-selected");
        d.Click(DefineDataId::Paste);
        Shot("define-data-after-paste");
        d.Focus(DefineDataId::Text);
        plat::Edit(d.GetWindow(), DefineDataId::Text).SetSelection(0, 0);
        d.Click(DefineDataId::Paste);
        Shot("define-data-pasted-at-start");
        d.Click(1);
    });
    frame.Dispatch(CmId::PageAction403);
    std::printf("deltas:");
    for (int i = 0; g_Structures[0]->GetValueList(3) && i < g_Structures[0]->GetValueList(3)->GetCount(); ++i)
        std::printf(" %g", g_Structures[0]->GetValueList(3)->At(i));
    std::printf("\n");

    // 3b. Keys pressed on the keyboard through the X server (xdotool): "6", Ctrl+Enter, "7",
    // Ctrl with the keypad's Enter, "8", Enter, "9". Each Enter starts a line; none ends the dialog.
    ui.Dialog("Define Data", [](plat::DialogDriver& d) {
        d.Show();
        d.Select(DefineDataId::List, 3);
        d.Type(DefineDataId::Text, "");
        plat::Application::PumpEvents(500);
        std::system("xdotool type 6; xdotool key ctrl+Return; xdotool type 7; xdotool key ctrl+KP_Enter; "
                    "xdotool type 8; xdotool key Return; xdotool type 9");
        plat::Application::PumpEvents(700);
        Shot("define-data-keys");
        std::string text = d.Ended() ? std::string("(ended)") : d.Text(DefineDataId::Text);
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n"))
            text.replace(at, 2, "|");
        std::printf("keys: %s\n", text.c_str());
        if (!d.Ended())
            d.Click(1);
    });
    frame.Dispatch(CmId::PageAction403);

    // 4. Quick define over a rectangular section whose fifth shape parameter (hidden for a
    // rectangle) is 150 m: a new title, Finish.
    g_QuickDefData = QuickDefineDefaults(g_UnitSystem);
    BuildQuickDefineSection(*g_Structures[0]);
    static_cast<TBeam&>(*g_Structures[0]).SetShapeParameter(150.0, 5);
    SetQuickDefineNew(0);
    ui.Message("Do you wish to create a new section?", MsgAnswer::No);
    ui.Message("limited capability", MsgAnswer::Ok);
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Show();
        d.Type(QuickId::Title, "Renamed by quick define");
        Shot("quick-define-title");
        d.Next();
        Shot("quick-define-shape");
        d.Next();
        d.Next();
        Shot("quick-define-last-page");
        d.Finish();
    });
    frame.Dispatch(CmId::QuickDefine);
    Shot("after-quick-define-finish");
    std::printf("name after quick define: %s\n", g_Structures[0]->GetName().c_str());
    std::printf("script done: %d\n", ui.Done() ? 1 : 0);
    return 0;
}
