// The membrane mode: the 18 sensitivity runs the user waits for on the first sensitivity
// chart, and one paint of the element panel (sketch, table, listings, catalogue strip).

#include <benchmark/benchmark.h>

#include "membrane/TP2k1DAnalysis.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/membrane/MembraneFixtures.h"

namespace {

void BM_SensitivityRunsPureShearPanel(benchmark::State& state)
{
    const auto panel = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    for (auto _ : state) {
        TP2k_Logic logic(panel.get(), nullptr);
        logic.RunSensitivityAnalyses();
        benchmark::DoNotOptimize(logic.GetSensitivityRun(17));
    }
    state.SetItemsProcessed(state.iterations() * TP2k_Logic::kSensitivityRuns);
}
BENCHMARK(BM_SensitivityRunsPureShearPanel)->Unit(benchmark::kMillisecond);

// A panel with two layers each way and stirrups, painted 1200 x 700 into an image.
void BM_PaintMembraneElementPanel(benchmark::State& state)
{
    plat::EnsureGuiRuntime();
    auto panel = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    for (int d = 0; d < 2; ++d) {
        LongLayerRec second = *panel->GetLongLayer(0, d);
        panel->GetLongLayer(0, d)->z = -0.02;
        second.z = 0.02;
        panel->AddLongLayer(second, d);
    }
    TransLayerRec leg;
    leg.A = 2.8e-5, leg.db = 0.006, leg.space = 0.01, leg.disttop = 0.03, leg.distbot = -0.03;
    panel->AddTransLayer(leg, 2);
    TP2k_Logic logic(panel.get(), nullptr);
    plat::Image picture(1200, 700, plat::Colors::White);
    for (auto _ : state) {
        plat::DC dc(picture);
        logic.PaintSection(dc, 0, 0, 1200, 700, 0);
    }
}
BENCHMARK(BM_PaintMembraneElementPanel)->Unit(benchmark::kMillisecond);

} // namespace
