// Walks user stress-strain curves in the main window as a user would, with a screenshot of the
// whole screen at each step: the sample T-beam opened, the web concrete's curve and the
// "Curve" steel's curve typed into Define Data from the material detail pages (each starting
// at a stress other than 0), File > Save, File > Open of the saved file, Define Data shown again
// for both, File > Save again; then a steel curve whose modulus no document holds, typed and
// refused. The two saved files are copied to the output folder for comparing (first.xml,
// second.xml).
//
//   qv_curvewalk <program folder> <output folder> <sample document>
//
// The dialogs are the program's, shown for real and worked through their controls; message
// boxes and file dialogs are answered from the script (each answer printed). Needs an X display
// (run under xvfb-run) and "import".

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/CommandIds.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/ValueListDialog.h"
#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"

namespace {

ShotNames g_shots;

void Shot(const std::string& name) { ScreenShot(g_shots.Next(name)); }

// Define > Material Properties, the detail page of that title, the type of that name, Modify;
// Define Data worked by `work` (a refusal it gives answered OK); then OK.
void ModifyCurve(ScriptedUi& ui, plat::Frame& frame, const std::string& page, const std::string& type,
                 const std::string& tag, std::function<void(plat::DialogDriver&)> work,
                 const std::string& refusal = "") {
    ui.Dialog("Materials Page", [&](plat::DialogDriver& d) {
        d.Show();
        for (int p = 1; d.PageTitle() != page && p < 4; ++p)
            d.SwitchPage(p);
        d.SelectString(DetailsId::List, type);
        Shot(tag + "-page");
        d.Click(DetailsId::Modify);
        Shot(tag + "-page-after-modify");
        d.Click(plat::DialogResult::Ok);
    });
    ui.Dialog("Define Data", [work, tag](plat::DialogDriver& d) {
        d.Show();
        Shot(tag + "-define-data-shown");
        work(d);
    });
    if (!refusal.empty())
        ui.Message(refusal, MsgAnswer::Ok);
    frame.Dispatch(CmId::MaterialProperties);
}

void TypeCurve(ScriptedUi& ui, plat::Frame& frame, const std::string& page, const std::string& type,
               const std::string& tag, const std::string& text) {
    ModifyCurve(ui, frame, page, type, tag, [text, tag](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, text);
        Shot(tag + "-define-data-typed");
        d.Click(plat::DialogResult::Ok);
    });
}

void ShowCurve(ScriptedUi& ui, plat::Frame& frame, const std::string& page, const std::string& type,
               const std::string& tag) {
    ModifyCurve(ui, frame, page, type, tag, [type](plat::DialogDriver& d) {
        std::printf("%s shows:\n%s\n", type.c_str(), d.Text(DefineDataId::Text).c_str());
        d.Click(plat::DialogResult::Cancel);
    });
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 4);
    if (!folders)
        return 2;
    namespace fs = std::filesystem;
    g_shots.SetFolder(folders->out);
    InstallBeamMode();
    InstallSectionDialogs();
    InstallMaterialReinforcementDialogs();
    ScriptedUi ui;
    plat::UiReporterScope reporter;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    frame.ShowFrame(3);

    const std::string document = folders->out + "/walked.xml";
    fs::copy_file(argv[3], document, fs::copy_options::overwrite_existing);
    ui.File(plat::FileDialogKind::Open, document);
    frame.Dispatch(CmId::FileOpen);
    Shot("sample-opened");

    TypeCurve(ui, frame, "Concrete Details", "Web", "web",
              "0.000 , 1.00\r\n1.000 , 20.00\r\n2.000 , 30.00\r\n3.500 , 25.00\r\n");
    TypeCurve(ui, frame, "Rebar Details", "Curve", "steel", "0.000 , 50.00\r\n2.500 , 500.00\r\n50.000 , 550.00\r\n");
    frame.Dispatch(CmId::FileSave);
    fs::copy_file(document, folders->out + "/first.xml", fs::copy_options::overwrite_existing);
    Shot("saved");

    ui.File(plat::FileDialogKind::Open, document);
    frame.Dispatch(CmId::FileOpen);
    Shot("reopened");
    ShowCurve(ui, frame, "Concrete Details", "Web", "web-reopened");
    ShowCurve(ui, frame, "Rebar Details", "Curve", "steel-reopened");
    frame.Dispatch(CmId::FileSave);
    fs::copy_file(document, folders->out + "/second.xml", fs::copy_options::overwrite_existing);
    Shot("saved-again");

    ModifyCurve(ui, frame, "Rebar Details", "Curve", "stiff", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0.000 , 0.00\r\n0.400 , 550.00\r\n50.000 , 600.00\r\n");
        d.Click(plat::DialogResult::Ok);
        Shot("stiff-define-data-after-refusal");
        d.Click(plat::DialogResult::Cancel);
    }, "elastic modulus");
    for (const UiRequest& r : ui.requests)
        if (r.kind == "message")
            std::printf("message: %s [%s]\n", r.text.c_str(), r.caption.c_str());
    std::printf("script done: %d\n", ui.Done() ? 1 : 0);
    return 0;
}
