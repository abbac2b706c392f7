// Walks the fire road in the real main window for screenshots of its material charts: a section
// quick-defined with the defaults in the given unit system, Loads > Create Fire Damaged Beam
// with its parameters dialog answered by the Return key (for real, through xdotool), and the
// "Thermal Conditions" set of the post-fire beam that the road shows; then View > Cross Section
// (the materials charts of the post-fire beam), and last, when asked, File > Print Preview of
// the thermal set and a print through "&Print..." on the PDF file printer into
// <output folder>/<tag>-printed.pdf.
//
//   qv_fireroad <program folder> <output folder> <width> <height> [units 0|1|2] [print]
//
// The window is placed at 0, 0 with the given size; run it under xvfb-run with a screen of that
// size. Each picture is <output folder>/<tag>-<step>.png, tag "<width>x<height>-u<units>"; the
// screen places of the material charts are printed (for cropping). Needs "import" and
// "xdotool".

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandIds.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "foundation/ProgramPaths.h"
#include "foundation/Units.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Printing.h"
#include "program/ProgramParts.h"
#include "tests/support/ScriptedUi.h"
#include "tools/QuickDefinedSection.h"
#include "tools/ToolStart.h"
#include "views/TMaterDiagram.h"

namespace {

std::string g_out;
std::string g_tag;

void Shot(const std::string& step)
{
    plat::Application::PumpEvents(900);
    const std::string file = g_out + "/" + g_tag + "-" + step + ".png";
    std::system(("import -window root '" + file + "'").c_str());
    std::printf("shot %s\n", file.c_str());
}

// The screen places of the material charts shown.
void Places(TQuarvishApp& app, const std::string& step)
{
    TViewm_2k& view = app.GetClient().GetViewManager();
    for (int i = 0; i < 9; ++i)
        if (auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i))) {
            const plat::Point at = chart->ClientToScreen({0, 0});
            std::printf("%s chart kind %d \"%s\" at %d,%d size %dx%d\n", step.c_str(), chart->MaterialKind(),
                        chart->Frame().title.c_str(), at.x, at.y, chart->Frame().W, chart->Frame().H);
        }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 5);
    if (!folders)
        return 2;
    g_out = folders->out;
    const int w = std::atoi(argv[3]), h = std::atoi(argv[4]);
    const int units = argc > 5 ? std::atoi(argv[5]) : kUnitSI;
    const bool print = argc > 6 && std::string(argv[6]) == "print";
    g_tag = std::to_string(w) + "x" + std::to_string(h) + "-u" + std::to_string(units);
    plat::SetUi(nullptr); // the live dialogs, not the test support's refusals
    InstallProgramParts();
    plat::Printer::AssumeSystemPrinter(0);
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    frame.ShowFrame(1);
    plat::Application::PumpEvents(100);
    frame.SetFrameRect(plat::Rect{0, 0, w, h});
    plat::Application::PumpEvents(300);

    g_UnitSystem = units;
    if (!ShowQuickDefinedSection(app.GetClient(), units))
        return 1;
    frame.Dispatch(CmId::CrossSection); // the summary page, as quick define leaves it
    Shot("1-quickdefined");
    Places(app, "quickdefined");

    // The parameters dialog, answered with Return once it shows.
    std::system("(sleep 2; xdotool windowfocus --sync $(xdotool search --onlyvisible --name 'Post-fire' | head -1); "
                "xdotool key Return) &");
    frame.Dispatch(CmId::FireDamagedBeam);
    Shot("2-thermal");
    Places(app, "thermal");

    if (print) {
        frame.Dispatch(CmId::FilePrintPreview);
        Shot("4-preview");
        std::system("xdotool windowfocus --sync $(xdotool search --onlyvisible --name 'Preview' | head -1) && "
                    "xdotool key Escape");
        plat::Application::PumpEvents(300);
        {
            ScriptedUi ui;
            ui.File(plat::FileDialogKind::Save, g_out + "/" + g_tag + "-printed.pdf");
            frame.Dispatch(CmId::FilePrint);
            plat::Application::PumpEvents(300);
            if (!ui.Done())
                std::printf("print not done\n");
        }
        plat::SetUi(nullptr);
    }

    frame.Dispatch(CmId::CrossSection);
    Shot("3-summary");
    Places(app, "summary");
    return 0;
}
