// The material charts of a post-fire beam: the section quick-defined with the defaults, burnt
// in the default fire (30 minutes of the standard fire on every face) and rebuilt as its
// post-fire beam, whose concrete bands and damaged steel layers carry curves of up to 3000
// points each. Each chart's picture is planned (curves, marks, and labels kept clear of the
// curves and of each other, measured in the chart's own fonts) and the chart painted into an
// image: "Damaged Concrete" (7) and "Damaged Steel" (8), in a panel of the nine-graph set
// (294 x 302, as a 1280 x 1024 window lays it out) and in a single graph (1200 x 800). The
// counters give the curve points and the tests of a stretch or label against a place that the
// labels took ("cut" 1 when they ran out). Then the concrete chart as the summary page shows it
// in a window 768 pixels high ("Concrete", 435 x 143 at 2560 wide, 195 x 157 at 1152 wide), where
// the labels need their most compact arrangement or a background. Last, the densest steel
// chart: forty layers whose 3000-point curves zigzag over the whole plot at every point, where
// no label finds a place.

#include <cstdlib>
#include <memory>
#include <sstream>
#include <utility>

#include <benchmark/benchmark.h>

#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/UserCurves.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/member/fire/FireTestSupport.h"
#include "views/DiagramPlan.h"
#include "views/TMaterDiagram.h"

namespace {

// The post-fire beam of the quick-define defaults, made once.
TBeam& PostFireBeam()
{
    static firetest::TestSlots slots(4);
    static TBeam* after = [] {
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

// Forty layers of user-curve steel zigzagging between near zero and 600 MPa at every one of
// their 3000 points, made once.
TBeam& DensestSteel()
{
    static const std::unique_ptr<TBeam> beam = [] {
        auto b = std::make_unique<TBeam>();
        b->ClearAll();
        double fc = 35e6;
        b->AddConcreteTypeFromStrength(fc, "C35");
        b->AddRegion(0.5, -0.5, 0.4, 0.4, 0, 1);
        for (int k = 0; k < 40; ++k) {
            SteelTypeRec r;
            r.kind = SteelKind::UserCurve;
            r.fy = 400e6;
            r.name = "Lay: " + std::to_string(k + 1);
            r.userCurve = UserCurvePtr(std::make_unique<TDepthTable>());
            for (int j = 0; j < 3000; ++j)
                r.userCurve->Add(1e-4 * j, (j % 2 ? 600.0 : 1.0 + k) * 1e6);
            FinishUserCurve(*r.userCurve);
            b->AddSteelType(r);
            LongLayerRec layer;
            layer.z = -0.45 + 0.02 * k, layer.num = 2, layer.Ai = 1e-4, layer.A = 2e-4, layer.db = 0.012;
            layer.type = k, layer.name = "L";
            b->AddLongLayer(layer, 0);
        }
        return b;
    }();
    return *beam;
}

std::unique_ptr<TMaterDiagram> Chart(plat::Window& page, int kind, int w, int h, TBeam& beam = PostFireBeam(),
                                     const char* title = nullptr)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    if (!title)
        title = kind == MaterialChart::Concrete ? "Damaged Concrete" : "Damaged Steel";
    auto chart = std::make_unique<TMaterDiagram>(&page, title, 0, 0, w, h, kind, 2, 1, 0);
    chart->Layout();
    chart->AttachStructure(&beam);
    return chart;
}

void Plan(benchmark::State& state, TMaterDiagram& chart)
{
    const MaterialFrame frame = chart.Frame();
    plat::Image image(frame.W, frame.H);
    plat::DC dc(image);
    const PlanMeasure measure = MeasureOn(dc);
    LabelWork work;
    for (auto _ : state) {
        work = LabelWork{};
        // The letters measured afresh, as each paint does.
        const PlanLetters letters = LettersOn(dc);
        const DiagramPlan plan = PlanMaterialChart(frame, chart.Types(), chart.Curves(), measure, &work, letters);
        benchmark::DoNotOptimize(plan.Steps().data());
    }
    state.counters["points"] = static_cast<double>(chart.Curves().data.size() / 2);
    state.counters["tests"] = static_cast<double>(work.tests);
    state.counters["cut"] = work.cutShort;
}

// Both charts at a panel's size and at a large one.
void BothChartsAtTwoSizes(benchmark::internal::Benchmark* b)
{
    for (const auto& [w, h] : {std::pair{294, 302}, std::pair{1200, 800}})
        for (const int kind : {MaterialChart::Concrete, MaterialChart::Rebar})
            b->Args({kind, w, h});
    b->Unit(benchmark::kMillisecond);
}

void BM_PostFireMaterialChartPlan(benchmark::State& state)
{
    plat::Window page;
    Plan(state, *Chart(page, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                       static_cast<int>(state.range(2))));
}
BENCHMARK(BM_PostFireMaterialChartPlan)
    ->Apply(BothChartsAtTwoSizes);

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
    ->Apply(BothChartsAtTwoSizes);

void BM_PostFireSummaryConcreteChartPlan(benchmark::State& state)
{
    plat::Window page;
    Plan(state, *Chart(page, MaterialChart::Concrete, static_cast<int>(state.range(0)),
                       static_cast<int>(state.range(1)), PostFireBeam(), "Concrete"));
}
BENCHMARK(BM_PostFireSummaryConcreteChartPlan)->Args({435, 143})->Args({195, 157})->Unit(benchmark::kMillisecond);

void BM_DensestSteelChartPlan(benchmark::State& state)
{
    plat::Window page;
    Plan(state, *Chart(page, MaterialChart::Rebar, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                       DensestSteel()));
}
BENCHMARK(BM_DensestSteelChartPlan)->Args({294, 302})->Args({1200, 800})->Unit(benchmark::kMillisecond);

} // namespace
