// Walks the moment axis of Define > Edit General in the main window as a user would, with a
// screenshot of the whole screen at each step, for looking at:
//
//   qv_axiswalk <program folder> <output folder> type <document> <saved>
//     opens the document, unticks "Centroidal Moment axis", types -999999 (refused on OK, the
//     box's text printed), then -999400, OK; File > Save As into a folder that does not exist
//     (refused: the document's name and caption printed), then File > Save As <saved>.
//   qv_axiswalk <program folder> <output folder> reopen <saved> <again>
//     opens the saved document (as a new session does), shows Edit General, Cancel, and saves
//     it by File > Save As <again>; the two files are then compared with cmp. Define > Concrete
//     Section is shown too, and what "Basic Shapes" shows of the section printed.
//   qv_axiswalk <program folder> <output folder> circle|circleaxis <document> <saved>
//     opens the document, in US units draws a circle of 25 in on Define > Concrete Section,
//     "Basic Shapes" ("Circular Section" clicked, the diameter typed, OK); circleaxis then
//     types a moment axis of 8 in on Edit General; File > Save As <saved>.
//   qv_axiswalk <program folder> <output folder> rect <document> <saved>
//     opens the document, in SI units draws a rectangle of 300.123456789 x 600.987654321 mm on
//     "Basic Shapes" ("Rectangle Section" clicked, the sizes typed, OK); File > Save As <saved>.
//
// The dialogs are the program's, shown for real and worked through their controls; message and
// file boxes are answered from the script. Needs an X display (run under xvfb-run) and "import".

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/SectionSheet.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"

namespace {

constexpr int kAxisAuto = 5871, kAxisEdit = 5044; // "General  Definitions"
ShotNames g_shots;

void Shot(const std::string& name)
{
    ScreenShot(g_shots.Next(name));
}

void PrintState(TQuarvishApp& app, const char* when)
{
    const auto* beam = dynamic_cast<const TBeam*>(g_Structures[0].get());
    std::printf("%s: file '%s', caption '%s', axis %.17g m, modified %d\n",
                when,
                app.GetFileName().c_str(),
                app.GetMainWindow()->GetCaption().c_str(),
                beam ? beam->GetMomentAxis() : 0.0,
                app.GetClient().IsModified() ? 1 : 0);
}

// Define > Concrete Section shown as it opens: its page, and what "Basic Shapes" shows; Cancel.
void ShowBasicShapes(ScriptedUi& ui, plat::Frame& frame)
{
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        d.Show();
        const int page = d.CurrentPage();
        d.SwitchPage(0);
        Shot("basic-shapes");
        std::printf("Define Concrete Section opens on page %d; Basic Shapes shows '%s', first "
                    "dimension '%s', second '%s'\n",
                    page,
                    d.Text(SectionPageId::Status).c_str(),
                    d.Text(SectionPageId::ParamEdits[0]).c_str(),
                    d.Text(SectionPageId::ParamEdits[1]).c_str());
        d.Click(plat::DialogResult::Cancel);
    });
    frame.Dispatch(CmId::ConcreteSection);
    const auto* beam = dynamic_cast<const TBeam*>(g_Structures[0].get());
    if (beam)
        std::printf("shape '%s' (code %d), sizes %.17g m and %.17g m, height %.17g m, axis %.17g "
                    "m\n",
                    beam->GetShapeName().c_str(),
                    beam->GetSectionKindCode(),
                    beam->GetShapeParameter(1),
                    beam->GetShapeParameter(2),
                    beam->GetHeight(),
                    beam->GetMomentAxis());
}

// Define > Concrete Section, "Basic Shapes": the shape of the list's row clicked, its sizes typed
// (printed with the page's description), OK.
void DrawOnBasicShapes(ScriptedUi& ui,
                       plat::Frame& frame,
                       int row,
                       const std::vector<std::string>& sizes,
                       const std::string& shot)
{
    ui.Dialog("Define Concrete Cross Section", [row, sizes, shot](plat::DialogDriver& d) {
        d.Show();
        d.SwitchPage(0);
        d.ClickItem(SectionPageId::ShapeList, row);
        std::string typed;
        for (std::size_t k = 0; k < sizes.size() && k < SectionPageId::ParamEdits.size(); ++k) {
            d.Type(SectionPageId::ParamEdits[k], sizes[k]);
            typed += (k > 0 ? " x '" : "'") + d.Text(SectionPageId::ParamEdits[k]) + "'";
        }
        Shot(shot);
        std::printf("Basic Shapes: '%s', sizes typed %s\n",
                    d.Text(SectionPageId::Status).c_str(),
                    typed.c_str());
        d.Click(plat::DialogResult::Ok);
    });
    frame.Dispatch(CmId::ConcreteSection);
}

void PrintBoxes(const ScriptedUi& ui)
{
    for (const UiRequest& r : ui.requests)
        if (r.kind == "message")
            std::printf("box [%s]: %s\n", r.caption.c_str(), r.text.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 6);
    if (!folders)
        return 2;
    const std::string mode = argv[3], document = argv[4], saved = argv[5];
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

    ui.File(plat::FileDialogKind::Open, document);
    frame.Dispatch(CmId::FileOpen);
    Shot(mode + "-opened");
    PrintState(app, "opened");

    if (mode == "type") {
        ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
            d.Show();
            if (d.Checked(kAxisAuto))
                d.Click(kAxisAuto);
            d.Type(kAxisEdit, "-999999");
            Shot("axis-typed-999999");
            d.Click(plat::DialogResult::Ok);
            Shot("after-ok-refused");
            std::printf("dialog %s after the first OK; focus on %d\n",
                        d.Ended() ? "ended" : "open",
                        d.FocusedId());
            if (d.Ended())
                return;
            d.Type(kAxisEdit, "-999400");
            Shot("axis-typed-999400");
            d.Click(plat::DialogResult::Ok);
        });
        ui.Message("Moment Axis", MsgAnswer::Ok);
        frame.Dispatch(CmId::EditGeneral);
        Shot("after-ok-taken");
        PrintState(app, "axis taken");

        ui.File(plat::FileDialogKind::Save, folders->out + "/missing/other.qvh");
        ui.Message("Could not save file", MsgAnswer::Ok);
        frame.Dispatch(CmId::FileSaveAs);
        Shot("after-refused-save-as");
        PrintState(app, "after the refused Save As");
    } else if (mode == "circle" || mode == "circleaxis") {
        g_UnitSystem = kUnitUS;
        DrawOnBasicShapes(ui, frame, 1, {"25"}, "circle-typed");
        if (mode == "circleaxis") {
            ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
                d.Show();
                if (d.Checked(kAxisAuto))
                    d.Click(kAxisAuto);
                d.Type(kAxisEdit, "8");
                Shot("axis-typed-8");
                d.Click(plat::DialogResult::Ok);
            });
            frame.Dispatch(CmId::EditGeneral);
        }
        ShowBasicShapes(ui, frame);
    } else if (mode == "rect") {
        g_UnitSystem = kUnitSI;
        DrawOnBasicShapes(ui, frame, 0, {"300.123456789", "600.987654321"}, "rect-typed");
        ShowBasicShapes(ui, frame);
    } else {
        ShowBasicShapes(ui, frame);
        ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
            d.Show();
            Shot("reopened-edit-general");
            std::printf("page shows: centroidal %d, axis '%s'\n",
                        d.Checked(kAxisAuto) ? 1 : 0,
                        d.Text(kAxisEdit).c_str());
            d.Click(plat::DialogResult::Cancel);
        });
        frame.Dispatch(CmId::EditGeneral);
    }
    ui.File(plat::FileDialogKind::Save, saved);
    frame.Dispatch(CmId::FileSaveAs);
    Shot(mode + "-saved");
    PrintState(app, "saved");
    PrintBoxes(ui);
    std::printf("script %s\n", ui.Done() ? "done" : "NOT all used");
    return 0;
}
