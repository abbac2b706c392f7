// Walks the post-fire beam through the cross-section sheet and a reopening in the real main
// window, for screenshots and a comparison of the saved files:
//
//   qv_postfirewalk <program folder> <output folder> make <file>
//       a section quick-defined with the defaults, Loads > Create Fire Damaged Beam (its dialog
//       answered with Return through xdotool), Define > Concrete Section closed with Return
//       (OK, nothing edited), File > Save As <file>;
//   qv_postfirewalk <program folder> <output folder> open <file> <again> [sheet]
//       File > Open of <file> in this new process, the next element (the post-fire beam), with
//       `sheet` Define > Concrete Section closed with Return, File > Save As <again>;
//   qv_postfirewalk <program folder> <output folder> materials <file> <again>
//       File > Open of <file>, Loads > Create Fire Damaged Beam with the document's fire (its
//       dialog answered with Return), Define > Material Properties closed with Return (OK,
//       nothing edited), File > Save As <again>; then `open <again>` shows the reopened beam;
//   qv_postfirewalk <program folder> <output folder> solve <file>
//       File > Open of <file>, Loads > Create Fire Damaged Beam with the document's fire (its
//       dialog answered with Return), Solve > Sectional Response run to its end: the boxes it
//       shows, its stage count and its peak.
//
// Each step prints the current beam's region and concrete counts, its shape and its transformed
// inertia, and takes a picture <output folder>/<mode>-<step>.png. Run under xvfb-run; needs
// "import" and "xdotool".

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "program/ProgramParts.h"
#include "tests/support/ScriptedUi.h"
#include "tools/QuickDefinedSection.h"
#include "tools/RunToEnd.h"
#include "tools/ToolStart.h"

namespace {

std::string g_out;
std::string g_mode;

void Shot(const std::string& step)
{
    ScreenShot(g_out + "/" + g_mode + "-" + step + ".png");
}

void Describe(TQuarvishWindow& window, const std::string& step)
{
    const auto* beam = dynamic_cast<const TBeam*>(window.GetCurrentStructure());
    if (beam == nullptr) {
        std::printf("%s: no beam\n", step.c_str());
        return;
    }
    double fcLow = 0.0, fcHigh = -1e30;
    for (int k = 0; k < beam->GetConcreteTypeCount(); ++k) {
        fcLow = std::min(fcLow, beam->GetConcreteType(k)->fc);
        fcHigh = std::max(fcHigh, beam->GetConcreteType(k)->fc);
    }
    std::printf("%s: \"%s\" %d regions, %d concretes (f'c %.1f to %.1f MPa), shape %d \"%s\", "
                "transformed I %.1f x 10^6 mm^4\n",
                step.c_str(),
                beam->GetName().c_str(),
                beam->GetRegionCount(),
                beam->GetConcreteTypeCount(),
                -fcHigh / 1e6,
                -fcLow / 1e6,
                beam->GetSectionKindCode(),
                beam->GetShapeName().c_str(),
                beam->GetTransformedProperties().inertia * 1e12 / 1e6);
    std::printf("%s: main concrete %d \"%s\", main steel %d \"%s\", Trans (n=%4.2f)\n",
                step.c_str(),
                beam->GetMainConcreteType(),
                beam->GetConcreteType(beam->GetMainConcreteType())->name.c_str(),
                beam->GetMainSteelType(),
                beam->GetSteelType(beam->GetMainSteelType())->name.c_str(),
                beam->GetSteelType(beam->GetMainSteelType())->Es /
                    beam->GetConcreteType(beam->GetMainConcreteType())->Ec);
    std::fflush(stdout);
}

// The dialog or sheet whose caption holds `name`, pictured in <mode>-<step>-open.png and closed
// with Return once it shows.
void ReturnOn(const std::string& name, const std::string& step)
{
    const std::string file = g_out + "/" + g_mode + "-" + step + "-open.png";
    std::system(("(sleep 2; xdotool windowfocus --sync $(xdotool search --onlyvisible --name '" +
                 name + "' | head -1); import -window root '" + file + "'; xdotool key Return) &")
                    .c_str());
}

// The command, its dialog (caption holding `name`) closed with Return; then the cross section,
// described and pictured.
void ReturnThrough(plat::Frame& frame,
                   TQuarvishWindow& window,
                   const std::string& name,
                   int command,
                   const std::string& step)
{
    ReturnOn(name, step);
    frame.Dispatch(command);
    frame.Dispatch(CmId::CrossSection);
    Describe(window, step);
    Shot(step);
}

void ConcreteSectionOk(plat::Frame& frame, TQuarvishWindow& window, const std::string& step)
{
    ReturnThrough(frame, window, "Define Concrete Cross Section", CmId::ConcreteSection, step);
}

// The message boxes a scripted step showed, each printed; their count.
int PrintedBoxes(const ScriptedUi& ui)
{
    int boxes = 0;
    for (const UiRequest& r : ui.requests)
        if (r.kind == "message") {
            ++boxes;
            std::printf("box: %s\n", r.text.c_str());
        }
    return boxes;
}

bool SaveAs(plat::Frame& frame, const std::string& file)
{
    ScriptedUi ui;
    ui.File(plat::FileDialogKind::Save, file);
    frame.Dispatch(CmId::FileSaveAs);
    plat::Application::PumpEvents(300);
    const int boxes = PrintedBoxes(ui);
    std::printf("saved %s (%d boxes)\n", file.c_str(), boxes);
    const bool done = ui.Done();
    plat::SetUi(nullptr);
    return done && boxes == 0;
}

// Solve > Sectional Response of the current beam, run to its end: the boxes it showed (answered
// by script), its stages and its peak. True when it solved without a box.
bool SectionalResponse(plat::Frame& frame, TQuarvishWindow& window)
{
    ScriptedUi ui;
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(window);
    plat::Application::PumpEvents(300);
    const int boxes = PrintedBoxes(ui);
    plat::SetUi(nullptr);
    const TSectionalAnalysis* analysis = window.GetCurrentAnalysis();
    const SectionState* peak = analysis != nullptr ? analysis->GetPeakState() : nullptr;
    if (peak == nullptr) {
        std::printf("response: no peak\n");
        return false;
    }
    const int stages = analysis->GetLastStageIndex() + 1;
    std::printf("response: %d stages, peak M %.3f kN m at load factor %.6g\n",
                stages,
                peak->Results[StateResult::Moment] / 1e3,
                peak->Results[StateResult::LoadFactor]);
    std::fflush(stdout);
    return boxes == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 5);
    if (!folders)
        return 2;
    g_out = folders->out;
    g_mode = argv[3];
    plat::SetUi(nullptr); // the live dialogs
    InstallProgramParts();
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    frame.ShowFrame(1);
    plat::Application::PumpEvents(100);
    frame.SetFrameRect(plat::Rect{0, 0, 1280, 1024});
    plat::Application::PumpEvents(300);

    if (g_mode == "make") {
        g_UnitSystem = kUnitSI;
        if (!ShowQuickDefinedSection(window, kUnitSI))
            return 1;
        frame.Dispatch(CmId::CrossSection);
        Describe(window, "1-quickdefined");
        Shot("1-quickdefined");
        ReturnThrough(frame, window, "Post-fire", CmId::FireDamagedBeam, "2-postfire");
        ConcreteSectionOk(frame, window, "3-sheet-ok");
        return SaveAs(frame, argv[4]) ? 0 : 1;
    }
    if (g_mode == "materials" && argc > 5) {
        app.OpenFile(argv[4]);
        plat::Application::PumpEvents(300);
        ReturnThrough(frame, window, "Post-fire", CmId::FireDamagedBeam, "1-postfire");
        ReturnThrough(frame, window, "Materials Page", CmId::MaterialProperties, "2-materials-ok");
        return SaveAs(frame, argv[5]) ? 0 : 1;
    }
    if (g_mode == "solve" && argc > 4) {
        app.OpenFile(argv[4]);
        plat::Application::PumpEvents(300);
        ReturnThrough(frame, window, "Post-fire", CmId::FireDamagedBeam, "1-postfire");
        const bool solved = SectionalResponse(frame, window);
        Shot("2-response");
        return solved ? 0 : 1;
    }
    if (g_mode == "open" && argc > 5) {
        app.OpenFile(argv[4]);
        plat::Application::PumpEvents(300);
        frame.Dispatch(CmId::NextElement);
        frame.Dispatch(CmId::CrossSection);
        Describe(window, "1-reopened");
        Shot("1-reopened");
        if (argc > 6 && std::string(argv[6]) == "sheet")
            ConcreteSectionOk(frame, window, "2-sheet-ok");
        return SaveAs(frame, argv[5]) ? 0 : 1;
    }
    return 2;
}
