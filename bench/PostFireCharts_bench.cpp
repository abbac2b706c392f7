// The material charts of a post-fire beam: the section quick-defined with the defaults, burnt
// in the default fire (30 minutes of the standard fire on every face) and rebuilt as its
// post-fire beam, whose concrete bands and damaged steel layers carry curves of up to 3000
// points each. The picture is planned (curves, marks, labels placed clear of the curves) and
// the chart painted into an image (the labels measured in the chart's own fonts), for "Damaged Concrete" (7) and "Damaged Steel" (8), in a
// panel of the nine-graph set (420 x 300) and in a single graph (1200 x 800).

#include <cstdlib>
#include <memory>
#include <sstream>

#include <benchmark/benchmark.h>

#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/member/fire/FireTestSupport.h"
#include "views/DiagramPlan.h"
#include "views/TMaterDiagram.h"

namespace {

// The post-fire beam of the quick-define defaults, made once.
const TBeam& PostFireBeam()
{
    static firetest::TestSlots slots(4);
    static const TBeam* after = [] {
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
        ReadShapeLibraryText(0, DefaultShapeFileText());
        g_QuickDefData = QuickDefineDefaults(kUnitSI);
        TBeam* beam = slots.Put(0, std::make_unique<TBeam>());
        BuildQuickDefineSection(*beam);
        const int slot = ThermalAnalysis(beam, slots);
        DeleteThermalModel();
        return slots.Beam(slot);
    }();
    return *after;
}

std::unique_ptr<TMaterDiagram> Chart(plat::Window& page, int kind, int w, int h)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    auto chart = std::make_unique<TMaterDiagram>(&page, kind == MaterialChart::Concrete ? "Damaged Concrete"
                                                                                        : "Damaged Steel",
                                                 0, 0, w, h, kind, 2, 1, 0);
    chart->Layout();
    chart->AttachStructure(const_cast<TBeam*>(&PostFireBeam()));
    return chart;
}

void BM_PostFireMaterialChartPlan(benchmark::State& state)
{
    plat::Window page;
    const int kind = static_cast<int>(state.range(0));
    const auto chart = Chart(page, kind, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const MaterialFrame frame = chart->Frame();
    plat::Image image(frame.W, frame.H);
    plat::DC dc(image);
    const PlanMeasure measure = MeasureOn(dc);
    for (auto _ : state) {
        const DiagramPlan plan = PlanMaterialChart(frame, chart->Types(), chart->Curves(), measure);
        benchmark::DoNotOptimize(plan.Steps().data());
    }
    state.counters["points"] = static_cast<double>(chart->Curves().data.size() / 2);
}
BENCHMARK(BM_PostFireMaterialChartPlan)
    ->Args({MaterialChart::Concrete, 420, 300})
    ->Args({MaterialChart::Rebar, 420, 300})
    ->Args({MaterialChart::Concrete, 1200, 800})
    ->Args({MaterialChart::Rebar, 1200, 800})
    ->Unit(benchmark::kMillisecond);

void BM_PostFireMaterialChartPaint(benchmark::State& state)
{
    plat::Window page;
    const int kind = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    const auto chart = Chart(page, kind, w, h);
    plat::Image image(w, h);
    for (auto _ : state) {
        plat::DC dc(image);
        chart->Paint(dc, true, {0, 0, w, h});
    }
}
BENCHMARK(BM_PostFireMaterialChartPaint)
    ->Args({MaterialChart::Concrete, 420, 300})
    ->Args({MaterialChart::Rebar, 420, 300})
    ->Args({MaterialChart::Concrete, 1200, 800})
    ->Args({MaterialChart::Rebar, 1200, 800})
    ->Unit(benchmark::kMillisecond);

} // namespace
