// Quick Define on a section read from a document, keeping it, as a user does it: the document
// opened, Define > Quick Define answered "No" and OK, the wizard shown and worked with Next
// three times and Finish, then Solve > Sectional Response run to its end. Pictures of the
// wizard's last page, the window after the wizard and after the solve; any box of the solve is
// shown for real, pictured and closed with Return.
//
//   qv_qdefineshot <program folder> <output folder> <document> [open]
//
// With "open" the wizard is left out: the document opened and solved as it stands, to set
// beside the section the wizard kept.
//
// Needs an X display (run under xvfb-run), "import" and "xdotool".

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "analysis/TSectionalAnalysis.h"
#include "dialogs/QuickDefineDialogs.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 4);
    if (!folders)
        return 2;
    ShotNames names;
    names.SetFolder(folders->out);
    InstallBeamMode();
    InstallStateDiagrams();
    plat::UiReporterScope reporter;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    InstallQuickDefineDialogs();
    plat::Frame& frame = *app.GetMainWindow();
    frame.ShowFrame(1);
    app.OpenFile(argv[3]);
    ScreenShot(names.Next("opened"));
    const bool wizard = !(argc > 4 && std::string(argv[4]) == "open");
    if (wizard) {
        ScriptedUi ui;
        const std::string last = names.Next("wizard-last-page");
        ui.Message("Do you wish to create a new section?", MsgAnswer::No)
            .Message("limited capability", MsgAnswer::Ok)
            .Dialog("Define Beam Section", [&](plat::DialogDriver& d) {
                d.Show();
                d.Next();
                d.Next();
                d.Next();
                ScreenShot(last);
                d.Finish();
            });
        frame.Dispatch(CmId::QuickDefine);
        for (const UiRequest& r : ui.requests)
            std::printf("asked: %s: %s\n", r.kind.c_str(), r.text.c_str());
    }
    frame.Dispatch(CmId::CrossSection);
    ScreenShot(names.Next(wizard ? "after-wizard" : "before-solve"));
    // The solve's boxes, shown for real: each pictured after a while and closed with Return.
    const std::string box = names.Next("solve-box");
    std::system(("(sleep 3; import -window root '" + box + "'; xdotool key Return; sleep 1; xdotool key Return) &").c_str());
    frame.Dispatch(CmId::SectionalResponse);
    TQuarvishWindow& window = app.GetClient();
    for (long pass = 0; pass < 400000 && window.GetCurrentAnalysis() && window.GetCurrentAnalysis()->IsRunning(); ++pass)
        window.IdleAction(pass);
    window.IdleAction(0);
    if (const TSectionalAnalysis* a = window.GetCurrentAnalysis())
        std::printf("solved: %d stages, %d errors\n", a->GetLastStageIndex() + 1, a->GetErrorCount());
    plat::Application::PumpEvents(4000);
    frame.Dispatch(CmId::NineGraphs);
    ScreenShot(names.Next("after-solve"));
    return 0;
}
