// A full refresh of the nine-graph layout at 1280 x 1024 (offscreen): every chart described,
// filled with 500 points by a mode object and painted, as the running analysis's throttled
// redraw does.

#include <cmath>
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "platform/Application.h"
#include "platform/Window.h"

namespace {

// Nine curves of 500 points each, one per panel.
class CurveLogic final : public TBeamStandIn_Logic {
public:
    CurveLogic() : TBeamStandIn_Logic(nullptr, nullptr) {}
    int GetChoiceId(int, int, int panel, int) override { return 1000 + panel; }
    void GetChartDescription(int id, ChartDescription& d, int kind) override {
        TBase_Logic::GetChartDescription(id, d, kind);
        d.title = "Moment-Curvature";
        d.xLabel = "|f Curvature (rad/km)";
        d.yLabel = "M_f Moment (kN.m)";
    }
    void FillChart(Tchart* chart, int id, int stage, int) override {
        if (!chart)
            return;
        chart->ClearData();
        for (int k = 0; k < 500; ++k)
            chart->AddPoint(k * 0.02, 100.0 * std::sin(k * 0.01 + id + stage));
        chart->AutoScale();
    }
};

void BM_RefreshNineGraphs(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    plat::Window owner;
    owner.Create();
    owner.MoveWindow(plat::Rect{0, 0, 1280, 1024});
    TViewm_2k view(&owner, nullptr);
    view.InstallLogic(std::make_unique<CurveLogic>());
    view.SetNineGraphs(3000);
    int stage = 0;
    plat::Image image(1280, 1024);
    for (auto _ : state) {
        view.RebuildPanels();  // each chart described and filled
        view.RefreshAllPanels(++stage);  // and filled as the idle redraw does
        for (int i = 0; i < 9; ++i) {
            Tchart* chart = view.GetChart(i);
            const BoxPlace p = chart->Place();
            plat::DC dc(image);
            chart->Paint(dc, true, plat::Rect{0, 0, p.w, p.h});
        }
    }
}
BENCHMARK(BM_RefreshNineGraphs)->Unit(benchmark::kMillisecond);

} // namespace
