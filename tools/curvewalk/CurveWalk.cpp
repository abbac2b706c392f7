// Walks user stress-strain curves in the main window as a user would, with a screenshot of the
// whole screen at each step: the sample T-beam opened, the web concrete's curve and the
// "Curve" steel's curve typed into Define Data from the material detail pages (each starting
// at a stress other than 0), File > Save, File > Open of the saved file, Define Data shown again
// for both, File > Save again; then a steel curve whose modulus no document holds, typed and
// refused. The two saved files are copied to the output folder for comparing (first.xml,
// second.xml).
//
//   qv_curvewalk <program folder> <output folder> <sample document>
//   qv_curvewalk <program folder> <output folder> <sample document> pages
//   qv_curvewalk <program folder> <output folder> <sample document> bound
//   qv_curvewalk <program folder> <output folder> <document> show
//
// With "pages" it walks what the detail pages refuse and store instead: Define Data of the
// "Curve" steel given a point at 1e9 mm/m, then emptied (each refused, then cancelled); the bar
// "Bar" switched to a user-defined curve and Define Data cancelled, then switched again and
// Define Data left with OK (the page after each); File > Save (saved.xml) and File > Open of it,
// the "Bar" page shown again.
//
// With "bound" it types the "Curve" steel's last point 0.5 mm/m past the strain bound (refused),
// then at the bound (taken), and saves (bound.xml); "show" opens a document in a run of its own,
// shows the "Curve" steel's Define Data and saves it again (shown.xml), for comparing.
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
#include "model/TStructure.h"
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

// The rebar page with "Bar" switched to a user-defined curve, Modify, Define Data left as
// `close` says; the page pictured after it, its fields printed.
void SwitchBar(ScriptedUi& ui, plat::Frame& frame, const std::string& tag, int close) {
    ui.Dialog("Materials Page", [&](plat::DialogDriver& d) {
        d.Show();
        for (int p = 1; d.PageTitle() != "Rebar Details" && p < 4; ++p)
            d.SwitchPage(p);
        d.SelectString(DetailsId::List, "Bar");
        d.SelectString(DetailsId::Combo0, "User-Defined Stress-Strain");
        Shot(tag + "-page-switched");
        d.Click(DetailsId::Modify);
        Shot(tag + "-page-after-define-data");
        std::printf("%s: the page shows", tag.c_str());
        for (int f = 0; f < 5; ++f)
            std::printf(" [%s]", d.Text(DetailsId::Field0 + f).c_str());
        std::printf(" curve type [%s]\n", d.Text(DetailsId::Combo0).c_str());
        d.Click(plat::DialogResult::Ok);
    });
    ui.Dialog("Define Data", [tag, close](plat::DialogDriver& d) {
        d.Show();
        Shot(tag + "-define-data-shown");
        std::printf("%s: Define Data offers\n%s\n", tag.c_str(), d.Text(DefineDataId::Text).c_str());
        d.Click(close);
    });
    frame.Dispatch(CmId::MaterialProperties);
}

void PrintBar(TQuarvishApp& app, const char* when) {
    const TStructure& s = *app.GetClient().GetCurrentStructure();
    for (int i = 0; i < s.GetSteelTypeCount(); ++i) {
        const SteelTypeRec& t = *s.GetSteelType(i);
        if (t.name == "Bar" || t.name == "Curve")
            std::printf("%s: %s kind %d, E %.1f MPa, fy %.2f MPa, fu %.2f MPa, eu %.3f mm/m\n", when,
                        t.name.c_str(), static_cast<int>(t.kind), t.Es / 1e6, t.fy / 1e6, t.fu / 1e6, t.eu * 1e3);
    }
}

// The "pages" walk.
void WalkPages(ScriptedUi& ui, TQuarvishApp& app, const std::string& document, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    namespace fs = std::filesystem;
    PrintBar(app, "opened");
    ModifyCurve(ui, frame, "Rebar Details", "Curve", "far", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n1e9 , 550\r\n");
        d.Click(plat::DialogResult::Ok);
        Shot("far-define-data-after-refusal");
        d.Click(plat::DialogResult::Cancel);
    }, "Point 3 of the curve has a strain of 1e+09 mm/m: a section takes at most 10000 mm/m.");
    ModifyCurve(ui, frame, "Rebar Details", "Curve", "empty", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "");
        d.Click(plat::DialogResult::Ok);
        Shot("empty-define-data-after-refusal");
        d.Click(plat::DialogResult::Cancel);
    }, "The curve has no point with a stress: a user-defined curve takes at least one.");
    PrintBar(app, "after the refused curves");
    SwitchBar(ui, frame, "cancelled", plat::DialogResult::Cancel);
    PrintBar(app, "after Cancel");
    SwitchBar(ui, frame, "taken", plat::DialogResult::Ok);
    PrintBar(app, "after OK");
    frame.Dispatch(CmId::FileSave);
    fs::copy_file(document, out + "/saved.xml", fs::copy_options::overwrite_existing);
    ui.File(plat::FileDialogKind::Open, document);
    frame.Dispatch(CmId::FileOpen);
    PrintBar(app, "reopened");
    ui.Dialog("Materials Page", [](plat::DialogDriver& d) {
        d.Show();
        for (int p = 1; d.PageTitle() != "Rebar Details" && p < 4; ++p)
            d.SwitchPage(p);
        d.SelectString(DetailsId::List, "Bar");
        Shot("reopened-bar-page");
        std::printf("reopened: the page shows");
        for (int f = 0; f < 5; ++f)
            std::printf(" [%s]", d.Text(DetailsId::Field0 + f).c_str());
        std::printf("\n");
        d.Click(plat::DialogResult::Cancel);
    });
    frame.Dispatch(CmId::MaterialProperties);
}

// The "bound" walk.
void WalkBound(ScriptedUi& ui, TQuarvishApp& app, const std::string& document, const std::string& out) {
    plat::Frame& frame = *app.GetMainWindow();
    ModifyCurve(ui, frame, "Rebar Details", "Curve", "past", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n10000.5 , 550\r\n");
        d.Click(plat::DialogResult::Ok);
        Shot("past-define-data-after-refusal");
        d.Type(DefineDataId::Text, "0 , 0\r\n2.5 , 500\r\n10000 , 550\r\n");
        Shot("bound-define-data-typed");
        d.Click(plat::DialogResult::Ok);
    }, "Point 3 of the curve has a strain of 10000.5 mm/m: a section takes at most 10000 mm/m.");
    PrintBar(app, "at the bound");
    frame.Dispatch(CmId::FileSave);
    std::filesystem::copy_file(document, out + "/bound.xml", std::filesystem::copy_options::overwrite_existing);
    Shot("bound-saved");
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

    const std::string mode = argc > 4 ? argv[4] : "";
    if (mode == "bound" || mode == "show") {
        if (mode == "bound") {
            WalkBound(ui, app, document, folders->out);
        } else {
            PrintBar(app, "opened");
            ShowCurve(ui, frame, "Rebar Details", "Curve", "shown");
            frame.Dispatch(CmId::FileSave);
            fs::copy_file(document, folders->out + "/shown.xml", fs::copy_options::overwrite_existing);
        }
        for (const UiRequest& r : ui.requests)
            if (r.kind == "message")
                std::printf("message: %s [%s]\n", r.text.c_str(), r.caption.c_str());
        std::printf("script done: %d\n", ui.Done() ? 1 : 0);
        return 0;
    }
    if (mode == "pages") {
        WalkPages(ui, app, document, folders->out);
        for (const UiRequest& r : ui.requests)
            if (r.kind == "message")
                std::printf("message: %s [%s]\n", r.text.c_str(), r.caption.c_str());
        std::printf("script done: %d\n", ui.Done() ? 1 : 0);
        return 0;
    }

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
