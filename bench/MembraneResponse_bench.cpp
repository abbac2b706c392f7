// The full response of a membrane panel under pure shear, from the constant loads to crushing:
// what a sensitivity run of the membrane mode costs per panel.

#include <benchmark/benchmark.h>

#include "membrane/TP2k1DAnalysis.h"
#include "tests/membrane/MembraneFixtures.h"

namespace {

// rho 1 % both ways, fy 400 MPa, f'c 30 MPa: cracks near 1.8 MPa, yields near 4 MPa.
void BM_PureShearPanelFullResponse(benchmark::State& state)
{
    const auto panel = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    double stages = 0.0;
    double solves = 0.0;
    double evaluations = 0.0;
    for (auto _ : state) {
        TP2kFullResponse run(panel.get());
        stages = run.GetStageCount();
        solves = run.GetSolveCount();
        evaluations = static_cast<double>(run.GetEvaluationCount());
        benchmark::DoNotOptimize(run.GetPeakState());
    }
    state.counters["stages"] = stages;
    state.counters["solves"] = solves;
    state.counters["evaluations_per_stage"] = evaluations / stages;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PureShearPanelFullResponse)->Unit(benchmark::kMicrosecond);

} // namespace
