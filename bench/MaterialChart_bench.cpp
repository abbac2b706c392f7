// The material charts of a section with 10 steel types (4 reinforcing bars, 2 user-curve
// bars, 4 strands, all used): building the curves from copies of the types, and the whole
// attach of a chart (copies, curves, chart points, scaling) for the reinforcing and the
// prestressing chart, plus the picture of the latter.

#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "views/DiagramPlan.h"
#include "views/TMaterDiagram.h"

namespace {

std::unique_ptr<TBeam> TenSteelSection()
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    double fc = 50e6;
    beam->AddConcreteTypeFromStrength(fc, "C50");
    beam->AddRegion(0.5, -0.5, 0.4, 0.4, 0, 1);
    for (int i = 0; i < 10; ++i) {
        SteelTypeRec r;
        r.kind = i < 4 ? SteelKind::Reinforcing : (i < 6 ? SteelKind::UserCurve : SteelKind::Prestressing);
        r.fy = i < 6 ? 300e6 + 50e6 * i : 1700e6 + 50e6 * (i - 6);
        CheckSteelType(r, true); // a user-curve type gets the default segmental curve
        r.name = "Steel " + std::to_string(i);
        beam->AddSteelType(r);
        LongLayerRec layer;
        layer.z = -0.45 + 0.09 * i, layer.num = 2, layer.Ai = 1e-4, layer.A = 2e-4, layer.db = 0.012;
        layer.type = i, layer.name = "L";
        beam->AddLongLayer(layer, 0);
    }
    return beam;
}

void BM_BuildMaterialCurves(benchmark::State& state)
{
    const auto beam = TenSteelSection();
    const int kind = static_cast<int>(state.range(0));
    std::size_t points = 0;
    for (auto _ : state) {
        const MaterialTypeCopies types = MaterialTypeCopies::Of(*beam, kind);
        const MaterialCurves curves = BuildMaterialCurves(types, ResistanceFactors{}, 0);
        points = curves.data.size() / 2;
        benchmark::DoNotOptimize(curves.data.data());
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_BuildMaterialCurves)->Arg(8)->Arg(9);

void BM_AttachMaterialChart(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    const auto beam = TenSteelSection();
    plat::Window page;
    TMaterDiagram chart(&page, "Rebar", 0, 0, 320, 280, static_cast<int>(state.range(0)), 2, 1, 0);
    for (auto _ : state)
        chart.AttachStructure(beam.get());
    state.counters["curves"] = chart.Curves().rebarCurves + chart.Curves().prestressCurves;
}
BENCHMARK(BM_AttachMaterialChart)->Arg(8)->Arg(9);

void BM_PaintMaterialChart(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    const auto beam = TenSteelSection();
    plat::Window page;
    TMaterDiagram chart(&page, "P-Steel", 0, 0, 320, 280, MaterialChart::PSteel, 2, 1, 0);
    chart.AttachStructure(beam.get());
    plat::Image image(320, 280);
    for (auto _ : state) {
        plat::DC dc(image);
        chart.Paint(dc, true, {0, 0, 320, 280});
    }
}
BENCHMARK(BM_PaintMaterialChart);

} // namespace
