// Walks the main window as a user would, with a screenshot of the screen after each step, for
// looking at:
//
//   qv_viewwalk <program folder> <output folder> member
//
// the sample beam solved, the "Mohr's Circles" set opened and a depth picked on its depth chart
// with the pointer, then "Member Response" run to its end: the pushover page, and a click on its
// upper control chart; the set opened again after a depth was picked (its marker); and the
// member's page without the set before.
//
//   qv_viewwalk <program folder> <output folder> viewdata
//
// the texts the computing code shows, each in "View Data": the dual-section dump (debug level
// 2), the shear convergence dump (level 3), the long-term block (level 3 over a beam with
// time-dependent effects), the dead-load page's listing (a double click on the page of "Full
// Member Properties") and the catalogue's quick-define report ("New" in "Catalog of Elements"
// over a shape whose width turns negative). A helper in the background pictures each dialog and
// closes it.
//
// Needs an X display (run under xvfb-run), "import" and "xdotool".

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Diagnostics.h"
#include "foundation/WorkerPool.h"
#include "app/ShellServices.h"
#include "member/TMemberDefinition.h"
#include "model/shapes/ShapeLibrary.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "program/ProgramParts.h"
#include "tools/ShearBeam.h"
#include "tools/RunToEnd.h"
#include "tools/ToolStart.h"

namespace {

const double kIncrement[3] = {0, -150e3, 100e3};
std::string g_out;
ShotNames g_names;

std::string Next(const std::string& name) { return g_names.Next(name); }

void Step(const std::string& name) { ScreenShot(Next(name)); }

void Solve(TQuarvishApp& app) {
    app.GetMainWindow()->Dispatch(CmId::SectionalResponse);
    RunToEnd(app.GetClient());
}

std::string OpenShearBeam(TQuarvishApp& app) {
    g_Structures[0] = ShearBeam(kIncrement);
    const std::string file = g_out + "/beam.qvh";
    app.GetClient().WriteDocument(file);
    app.OpenFile(file);
    return file;
}

// A real click of the pointer on point i of a control chart.
void ClickPoint(Tcontrolchart& chart, std::size_t i) {
    const ChartTransform& t = chart.Transform();
    const std::vector<double>& d = chart.Data().Data();
    const plat::Point at = chart.ClientToScreen({static_cast<int>(std::lround(d[2 * i] * t.xScale + t.xOffset)),
                                                 static_cast<int>(std::lround(t.yOffset - d[2 * i + 1] * t.yScale))});
    std::system(("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1").c_str());
    plat::Application::PumpEvents(500);
}

// The depth chart's point nearest the depth (mm).
std::size_t DepthPointNear(const Tcontrolchart& depths, double mm) {
    std::size_t nearest = 0;
    const std::vector<double>& d = depths.Data().Data();
    for (std::size_t i = 0; i < depths.Tags().size(); ++i)
        if (std::fabs(d[2 * i + 1] - mm) < std::fabs(d[2 * nearest + 1] - mm))
            nearest = i;
    return nearest;
}

void Describe(TViewm_2k& view, const char* what) {
    if (const Tcontrolchart* c = view.GetControlChart(1))
        std::printf("%s: upper control chart %d \"%s\", selected tag %d, marker (%g, %g)\n", what, c->SubMode(),
                    c->Data().Title().c_str(), c->SelectedTag(), c->GetMarker(0).x, c->GetMarker(0).y);
    std::fflush(stdout);
}

int WalkMember(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    TViewm_2k& view = window.GetViewManager();
    const std::string good = OpenShearBeam(app);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    frame.Dispatch(CmId::MohrsCircles);
    Describe(view, "mohr");
    Step("mohr");
    if (Tcontrolchart* depths = view.GetControlChart(1))
        ClickPoint(*depths, DepthPointNear(*depths, 100.0));
    Describe(view, "depth picked");
    Step("mohr-depth-picked");

    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    Describe(view, "pushover after mohr");
    Step("pushover-after-mohr");
    if (Tcontrolchart* upper = view.GetControlChart(1)) {
        // The stage point half-way along the path.
        std::vector<std::size_t> points;
        for (std::size_t i = 0; i < upper->Tags().size(); ++i)
            if (upper->Tags()[i] > 1 && upper->Data().Data()[2 * i] < 1e30)
                points.push_back(i);
        if (!points.empty()) {
            std::printf("clicking point tagged %d\n", upper->Tags()[points[points.size() / 2]]);
            ClickPoint(*upper, points[points.size() / 2]);
        }
    }
    Describe(view, "pushover clicked");
    Step("pushover-after-mohr-clicked");

    // The set opened again after a depth was picked: the marker stands at the depth it opens at.
    app.OpenFile(good);
    Solve(app);
    frame.Dispatch(CmId::NineGraphs);
    frame.Dispatch(CmId::MohrsCircles);
    if (Tcontrolchart* depths = view.GetControlChart(1))
        ClickPoint(*depths, DepthPointNear(*depths, 150.0));
    Describe(view, "depth picked again");
    Step("mohr-depth-150");
    frame.Dispatch(CmId::MohrsCircles);
    Describe(view, "mohr again");
    Step("mohr-again");

    // The member without the set before.
    app.OpenFile(good);
    SetMemberDefinitionFromSection(window.GetServices(), g_MemberDefinition, *g_Structures[0]);
    frame.Dispatch(CmId::MemberResponse);
    RunToEnd(window);
    Describe(view, "pushover plain");
    Step("pushover-plain");
    return 0;
}

// A helper in the background waits for the "View Data" dialog, pictures the screen, and ends it
// with Escape after the shell steps.
void ShootDataView(const std::string& name, const std::string& steps = "") {
    const std::string file = Next(name);
    const std::string script =
        "sleep 3; id=$(xdotool search --name 'View Data' | head -1); eval $(xdotool getwindowgeometry --shell $id);"
        " import -window root '" + file + "';" + steps + " xdotool key Escape";
    std::system(("(" + script + ") &").c_str());
    std::printf("box %s\n", file.c_str());
    std::fflush(stdout);
}

// The debug level set and the section solved: the first text shown is pictured; the level goes
// back to 0 from inside that dialog, so that it is the only one.
void DumpAtLevel(TQuarvishApp& app, int level, const std::string& name) {
    SetDebugLevel(level);
    plat::FrameDriver::WhenLoopRuns([] { SetDebugLevel(0); });
    ShootDataView(name);
    Solve(app);
    plat::Application::PumpEvents(1000);
    SetDebugLevel(0);
    Step(name + "-after");
}

// The shape file of the program folder, when it has none: the default shapes and, added by
// the user, a shape whose width turns negative below a height of 2 h - b.
void AddWedgeShape(const std::string& programDir) {
    if (std::ifstream(programDir + "shape.dat"))
        return;
    std::ofstream(programDir + "shape.dat", std::ios::binary)
        << DefaultShapeFileText() << "\r\nTYPE WEDGE\r\n\tWedge Section\r\nPARAMS b h\r\n\tWidth at the top\r\n\tHeight\r\nSECTION\r\n"
           "\th b\r\n\t0 b-h-h\r\nREBAR RECT\r\nENDTYPE\r\n";
}

int WalkViewData(TQuarvishApp& app) {
    plat::Frame& frame = *app.GetMainWindow();
    OpenShearBeam(app);
    frame.Dispatch(CmId::CrossSection);
    Step("beam");
    DumpAtLevel(app, 2, "dual-section-dump");
    // The M-N diagram's stages converge through the shear-convergence loop; its lines one after
    // another, so that the first dump is the only one.
    OpenShearBeam(app);
    SetWorkerCount(1);
    SetDebugLevel(3);
    plat::FrameDriver::WhenLoopRuns([] { SetDebugLevel(0); });
    ShootDataView("shear-convergence-dump");
    frame.Dispatch(CmId::MNInteraction);
    RunToEnd(app.GetClient());
    plat::Application::PumpEvents(1000);
    SetDebugLevel(0);
    SetWorkerCount(0);
    Step("shear-convergence-dump-after");

    // The long-term block: the beam sustained 28 days under 50 kN m.
    g_Structures[0] = ShearBeam(kIncrement);
    dynamic_cast<TBeam&>(*g_Structures[0]).SetTimeData(1, 28.0, -50e3, 0.0);
    app.GetClient().WriteDocument(g_out + "/long-term.qvh");
    app.OpenFile(g_out + "/long-term.qvh");
    DumpAtLevel(app, 3, "long-term-block");

    // "Full Member Properties", its dead-load page (the fourth tab), a double click on it.
    OpenShearBeam(app);
    SetMemberDefinitionFromSection(app.GetClient().GetServices(), g_MemberDefinition, *g_Structures[0]);
    {
        const std::string sheet = Next("member-sheet-dead-load");
        const std::string listing = Next("load-page-listing");
        const std::string script =
            "sleep 3; id=$(xdotool search --name 'Full Member Properties' | head -1);"
            " eval $(xdotool getwindowgeometry --shell $id);"
            " xdotool mousemove $((X + WIDTH * 697 / 1000)) $((Y + HEIGHT * 49 / 1000)) click 1; sleep 1;"
            " import -window root '" + sheet + "';"
            " xdotool mousemove $((X + WIDTH * ${QV_PAGE_X:-600} / 1000)) $((Y + HEIGHT * ${QV_PAGE_Y:-890} / 1000))"
            " click --repeat 2 --delay 80 1; sleep 3;"
            " import -window root '" + listing + "'; xdotool key Escape; sleep 1;"
            " id=$(xdotool search --name 'Full Member Properties' | head -1); xdotool windowfocus $id; xdotool key Escape";
        std::system(("(" + script + ") &").c_str());
        frame.Dispatch(CmId::FullMemberProperties);
        plat::Application::PumpEvents(3000);
        Step("member-sheet-closed");
    }

    // "New" in the catalogue over the wedge: the wizard's pages with Return, then the report.
    {
        const std::string catalogue = Next("catalogue");
        const std::string wizard = Next("wizard");
        const std::string report = Next("catalogue-quick-define-report");
        const std::string script =
            "sleep 3; id=$(xdotool search --name 'Catalog of Elements' | head -1);"
            " eval $(xdotool getwindowgeometry --shell $id); import -window root '" + catalogue + "';"
            " xdotool mousemove $((X + WIDTH * ${QV_NEW_X:-173} / 1000)) $((Y + HEIGHT * ${QV_NEW_Y:-860} / 1000))"
            " click 1; sleep 3;"
            " xdotool key alt+n; sleep 1;"
            " xdotool mousemove ${QV_WEDGE_X:-486} ${QV_WEDGE_Y:-468} click 1; sleep 1; import -window root '" + wizard + "';"
            " xdotool key alt+n; sleep 0.5; xdotool key alt+n; sleep 0.5;"
            " xdotool key Return; sleep 3; import -window root '" + report + "'; xdotool key Escape; sleep 1;"
            " xdotool key Escape";
        std::system(("(" + script + ") &").c_str());
        frame.Dispatch(CmId::Catalog);
        Step("catalogue-closed");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 4);
    if (!folders)
        return 2;
    g_out = folders->out;
    g_names.SetFolder(g_out);
    AddWedgeShape(folders->program);
    InstallProgramParts();
    plat::UiReporterScope reporter;
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    app.GetMainWindow()->ShowFrame(1);
    app.GetMainWindow()->SetFrameRect(plat::Rect{0, 0, 1280, 1000});
    plat::Application::PumpEvents(500);
    const std::string mode = argv[3];
    if (mode == "member")
        return WalkMember(app);
    if (mode == "viewdata")
        return WalkViewData(app);
    return 2;
}
