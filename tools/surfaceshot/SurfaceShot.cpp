// Draws the interaction surfaces (average strain, curvature, shear strain over the load paths)
// of the 400 x 400 mm test column's moment-axial diagram into images, as the 3-D plot shows
// them through the software renderer of its 3-D window: once as first shown and once after a
// left drag of 100 pixels right and 60 down.
//
//   qv_surfaceshot <output folder>
//   qv_surfaceshot <output folder> window [seconds]
//
// With "window" the curvature surface is shown in a window with its 3-D child window, turned
// by a drag once it shows; take the picture under Xvfb with import -window root.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/RunToFinish.h"
#include "analysis/TInteractionDiagrams.h"
#include "charts/T3DPlot.h"
#include "charts/TFauxGLWindow.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/analysis/PointSections.h"
#include "views/ContractChart.h"
#include "views/TQ2k_Logic.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string out = argv[1];
    plat::EnsureGuiRuntime(argc, argv);
    const std::unique_ptr<TBeam> column = PointSections::Column();
    TMNInter diagram(column.get());
    RunToFinish(diagram, 20000);
    TQ2k_Logic logic(column.get(), &diagram);
    if (argc > 2 && std::string(argv[2]) == "window") {
        const int seconds = argc > 3 ? std::atoi(argv[3]) : 6;
        plat::Window window;
        window.Create();
        window.MoveWindow({0, 0, 820, 640});
        T3DPlot plot(&window, "", 10, 10, 800, 600);
        ChartDescription d;
        logic.GetChartDescription(4701, d, 25);
        plot.SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
        ContractChart chart(plot);
        logic.FillChart(&chart, 4701, 0, 0);
        plot.CreateInParent();
        window.Show(true);
        plat::Application::PumpEvents(seconds * 500);
        plot.GLWindow()->EvLButtonDown(0, {300, 300});
        plot.GLWindow()->EvMouseMove(0, {400, 360});
        plot.GLWindow()->EvLButtonUp(0, {400, 360});
        plat::Application::PumpEvents(seconds * 500);
        return 0;
    }
    for (int id = 4700; id <= 4702; ++id) {
        T3DPlot plot(nullptr, "", 0, 0, 800, 600);
        ChartDescription d;
        logic.GetChartDescription(id, d, 25);
        plot.SetTitles(d.title, d.xLabel, d.yLabel, d.xPrecision, d.yPrecision);
        ContractChart chart(plot);
        logic.FillChart(&chart, id, 0, 0);
        const auto& b = plot.Bounds();
        std::printf("%d: %zu primitives, %zu labels, x %g..%g y %g..%g z %g..%g\n", id, plot.Primitives().size(),
                    plot.Labels().size(), b[0], b[1], b[2], b[3], b[4], b[5]);
        for (int turn = 0; turn < 2; ++turn) {
            if (turn == 1) {
                plot.GLWindow()->EvLButtonDown(0, {300, 300});
                plot.GLWindow()->EvMouseMove(0, {400, 360});
                plot.GLWindow()->EvLButtonUp(0, {400, 360});
            }
            plat::MemoryDC dc(800, 600);
            plot.Paint(dc, true, {0, 0, 800, 600});
            dc.Bitmap().SavePng(out + "/surface" + std::to_string(id) + (turn ? "-turned" : "") + ".png");
        }
    }
    return 0;
}
