// Walks the member pages in the main window as a user would, one step of the road per run of
// the program, so that a saved file is opened again by a new process; a screenshot of the whole
// screen at each step:
//
//   qv_memberwalk <program folder> <output folder> plates <document> <tag> si|us|kgcm
//       File > Open of the document (copied into the output folder as <tag>-walked.xml),
//       Options > Preferences in the units given, Loads > Full Member Properties > Detailed
//       Geometry, -1 typed into the top and the left and right bottom plate sizes, OK, File > Save;
//       the file is copied to <tag>-first.xml.
//   qv_memberwalk <program folder> <output folder> liveload <document> <tag>
//       File > Open of the document, Detailed Live Load > Delete Full Listing, OK, Solve >
//       Member Response, File > Save As <tag>-first.qvh.
//   qv_memberwalk <program folder> <output folder> reopen <file> <tag> [respond]
//       File > Open of a file saved before, the sheet's Detailed Geometry and Detailed Live Load
//       pages shown (Cancel), with "respond" Solve > Member Response, and File > Save As
//       <tag>-second.<extension of the file>.
//   qv_memberwalk <program folder> <output folder> units <document> <tag> si|us|kgcm
//       File > Open of the document, Options > Preferences in the units given, File > Save As
//       <tag>-units.qvh.
//   qv_memberwalk <program folder> <output folder> quickdefine <document> <tag> si|us|kgcm
//       File > Open of the document, Options > Preferences in the units given, Section > Quick
//       Define with its defaults, Loads > Full Member Properties shown and left with OK, File >
//       Save As <tag>-quick.qvh (a noedit walk of that file shows what a new session opens on).
//   qv_memberwalk <program folder> <output folder> noedit <file> <tag> [respond]
//       File > Open of a file saved before, File > Save As <tag>-before.qvh, Loads > Full Member
//       Properties left with OK and nothing edited, File > Save As <tag>-after.qvh; with
//       "respond" Solve > Member Response run to its end before and after the OK, its capacity
//       and stations printed.
//
// The dialogs are the program's, shown for real and worked through their controls; message
// boxes and file dialogs are answered from the script, and every message box asked for is
// printed. Needs an X display (run under xvfb-run) and "import".

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/CommandIds.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tools/RunToEnd.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"

namespace {

ShotNames g_shots;
std::string g_tag;
std::string g_step;

void Shot(const std::string& name)
{
    ScreenShot(g_shots.Next(g_tag + "-" + g_step + "-" + name));
}

void PrintMember(const char* when)
{
    const TMemberDefinition& d = g_MemberDefinition;
    std::printf("%s: length %.6g m, plates top %.6g left %.6g right %.6g m, supports %d / %d, "
                "live points %d, dead points %d, axial loads %.6g / %.6g N\n",
                when,
                d.length,
                d.topPlateSize,
                d.leftPlateSize,
                d.rightPlateSize,
                d.leftSupport,
                d.rightSupport,
                d.pointCount[LiveDiagram],
                d.pointCount[DeadDiagram],
                d.axialLoad[LiveDiagram],
                d.axialLoad[DeadDiagram]);
    for (int i = 0; i < std::clamp(d.pointCount[LiveDiagram], 0, kMaxDiagramPoints); ++i)
        std::printf("  live point %d: %.6g m, %.6g N m\n",
                    i + 1,
                    d.diagrams[LiveDiagram][static_cast<std::size_t>(i)].x,
                    d.diagrams[LiveDiagram][static_cast<std::size_t>(i)].moment);
}

// The shear span, constant-moment zone, moment ratio and axial load the quick page shows.
void PrintQuickFields(const plat::DialogDriver& d)
{
    std::printf("quick fields \"%s\" \"%s\" \"%s\" \"%s\"\n",
                d.Text(MemberPageId::ShearLength).c_str(),
                d.Text(MemberPageId::ConstantZone).c_str(),
                d.Text(MemberPageId::MomentRatio).c_str(),
                d.Text(MemberPageId::AxialLoad).c_str());
}

void PrintMessages(const ScriptedUi& ui, std::size_t& printed)
{
    for (; printed < ui.requests.size(); ++printed)
        if (ui.requests[printed].kind == "message")
            std::printf("message: %s [%s]\n",
                        ui.requests[printed].text.c_str(),
                        ui.requests[printed].caption.c_str());
    std::fflush(stdout);
}

// Solve > Member Response run to its end; its capacity and the stations it stepped.
void RespondAndPrint(TQuarvishApp& app, plat::Frame& frame, const char* when)
{
    TQuarvishWindow& window = app.GetClient();
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    const auto* run = dynamic_cast<const TFullMemberResponse*>(window.GetCurrentAnalysis());
    if (!run) {
        std::printf("%s: no member response\n", when);
        return;
    }
    std::printf("%s: member capacity %.17g, %d stations, shear critical %d\n",
                when,
                run->GetMemberCapacity(),
                run->GetStationCount(),
                run->GetShearCritical());
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 6);
    if (!folders)
        return 2;
    namespace fs = std::filesystem;
    const std::string step = argv[3];
    const std::string file = argv[4];
    g_tag = argv[5];
    g_step = step;
    const std::string option = argc > 6 ? argv[6] : "";
    g_shots.SetFolder(folders->out);
    InstallBeamMode();
    InstallSectionDialogs();
    InstallMaterialReinforcementDialogs();
    InstallQuickDefineDialogs();
    TMemberInputDialogs memberDialogs(GetInputDialogs());
    SetInputDialogs(&memberDialogs);
    ScriptedUi ui;
    plat::UiReporterScope reporter;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    frame.ShowFrame(3);
    std::size_t printed = 0;

    std::string document = file;
    if (step != "reopen") {
        document = folders->out + "/" + g_tag + "-walked" + fs::path(file).extension().string();
        fs::copy_file(file, document, fs::copy_options::overwrite_existing);
    }
    ui.File(plat::FileDialogKind::Open, document);
    frame.Dispatch(CmId::FileOpen);
    Shot("opened");
    PrintMessages(ui, printed);
    PrintMember("opened");

    if (step == "plates" || step == "units" || step == "quickdefine") {
        const int radio = option == "us" ? 5029 : option == "kgcm" ? 5030 : 5028;
        ui.Dialog("Quarvish Preferences", [radio](plat::DialogDriver& d) {
            d.Show();
            d.Click(radio);
            Shot("preferences");
            d.Click(plat::DialogResult::Ok);
        });
        frame.Dispatch(CmId::Preferences);
        std::printf("unit system %d\n", g_UnitSystem);
    }

    if (step == "quickdefine") {
        ui.Message("Do you wish to create a new section?", MsgAnswer::Yes);
        ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
            d.Show();
            Shot("wizard");
            d.Next();
            d.Next();
            d.Next();
            d.Finish();
        });
        frame.Dispatch(CmId::QuickDefine);
        PrintMessages(ui, printed);
        PrintMember("quick defined");
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.Show();
            std::printf("sheet opens on \"%s\"\n", d.PageTitle().c_str());
            PrintQuickFields(d);
            Shot("sheet");
            d.Click(plat::DialogResult::Ok);
        });
        frame.Dispatch(CmId::FullMemberProperties);
        PrintMessages(ui, printed);
        ui.File(plat::FileDialogKind::Save, folders->out + "/" + g_tag + "-quick.qvh");
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        Shot("saved");
    } else if (step == "units") {
        ui.File(plat::FileDialogKind::Save, folders->out + "/" + g_tag + "-units.qvh");
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        Shot("saved");
    } else if (step == "noedit") {
        ui.File(plat::FileDialogKind::Save, folders->out + "/" + g_tag + "-before.qvh");
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        if (option == "respond")
            RespondAndPrint(app, frame, "before the OK");
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.Show();
            std::printf("sheet opens on \"%s\"\n", d.PageTitle().c_str());
            Shot("sheet");
            d.SwitchPage(1);
            std::printf(
                "yield penetration \"%s\" %s, plates \"%s\" \"%s\" \"%s\", left location \"%s\"\n",
                d.Text(MemberPageId::YieldPenetration).c_str(),
                d.Enabled(MemberPageId::YieldPenetration) ? "enabled" : "greyed",
                d.Text(MemberPageId::TopPlate).c_str(),
                d.Text(MemberPageId::LeftPlate).c_str(),
                d.Text(MemberPageId::RightPlate).c_str(),
                d.Text(MemberPageId::LeftLocation).c_str());
            d.SwitchPage(0);
            PrintQuickFields(d);
            Shot("quick-page");
            d.Click(plat::DialogResult::Ok);
        });
        frame.Dispatch(CmId::FullMemberProperties);
        PrintMessages(ui, printed);
        PrintMember("after OK");
        std::printf("after OK: yield penetration %.17g, plates %.17g %.17g %.17g m, left location "
                    "%.17g m\n",
                    g_MemberDefinition.yieldPenetrationConstant,
                    g_MemberDefinition.topPlateSize,
                    g_MemberDefinition.leftPlateSize,
                    g_MemberDefinition.rightPlateSize,
                    g_MemberDefinition.leftPlateLocation);
        ui.File(plat::FileDialogKind::Save, folders->out + "/" + g_tag + "-after.qvh");
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        Shot("saved");
        if (option == "respond")
            RespondAndPrint(app, frame, "after the OK");
    } else if (step == "plates") {
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.Show();
            d.SwitchPage(1);
            Shot("geometry-page");
            d.Type(MemberPageId::TopPlate, "-1");
            d.Type(MemberPageId::LeftPlate, "-1");
            d.Type(MemberPageId::RightPlate, "-1");
            Shot("geometry-typed");
            d.Click(plat::DialogResult::Ok);
        });
        frame.Dispatch(CmId::FullMemberProperties);
        PrintMessages(ui, printed);
        PrintMember("after OK");
        frame.Dispatch(CmId::FileSave);
        PrintMessages(ui, printed);
        fs::copy_file(document,
                      folders->out + "/" + g_tag + "-first.xml",
                      fs::copy_options::overwrite_existing);
        Shot("saved");
    } else if (step == "liveload") {
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.Show();
            d.SwitchPage(4);
            Shot("live-load-page");
            d.Click(MemberPageId::DeleteAll);
            Shot("live-load-deleted");
            d.Click(plat::DialogResult::Ok);
        });
        frame.Dispatch(CmId::FullMemberProperties);
        PrintMessages(ui, printed);
        PrintMember("after OK");
        frame.Dispatch(CmId::MemberResponse);
        Shot("member-response");
        PrintMessages(ui, printed);
        ui.File(plat::FileDialogKind::Save, folders->out + "/" + g_tag + "-first.qvh");
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        Shot("saved");
    } else if (step == "reopen") {
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.Show();
            d.SwitchPage(1);
            Shot("reopened-geometry-page");
            d.SwitchPage(4);
            Shot("reopened-live-load-page");
            d.Click(plat::DialogResult::Cancel);
        });
        frame.Dispatch(CmId::FullMemberProperties);
        PrintMessages(ui, printed);
        if (option == "respond") {
            frame.Dispatch(CmId::MemberResponse);
            Shot("reopened-member-response");
            PrintMessages(ui, printed);
        }
        ui.File(plat::FileDialogKind::Save,
                folders->out + "/" + g_tag + "-second" + fs::path(file).extension().string());
        frame.Dispatch(CmId::FileSaveAs);
        PrintMessages(ui, printed);
        Shot("saved-again");
    }
    PrintMessages(ui, printed);
    std::printf("script done: %d\n", ui.Done() ? 1 : 0);
    return 0;
}
