// Single states per second: SolveAtLoads from the initial estimate to equilibrium on the
// 300 x 600 mm benchmark beam, cracked under moment alone and under moment with shear. The
// counters give the work of one solve: passes of the curvature iteration (each one
// stiffness evaluation and correction) and layer solutions (SolveLayerStates calls).

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSections.h"
#include "analysis/state/SectionState.h"

namespace {

void SolveAtLoadsRepeatedly(benchmark::State& bench, double N0, double M0, double V0)
{
    std::unique_ptr<TBeam> beam = BenchBeam();
    const double constant[3] = {N0, M0, V0};
    beam->SetConstantLoads(constant, 3);
    BenchAnalysis analysis(beam.get(), 1);
    const TQuarvish2000Analysis::SolveCounts before = analysis.GetSolveCounts();
    std::int64_t solves = 0;
    for (auto _ : bench) {
        SectionStateHolder holder;
        analysis.CreateSectionState(holder, nullptr);
        if (analysis.SolveAtLoads(*holder, 0.0) == 0) {
            bench.SkipWithError("the state was not solved");
            break;
        }
        benchmark::DoNotOptimize(holder->Results[StateResult::Curvature]);
        ++solves;
    }
    const TQuarvish2000Analysis::SolveCounts& after = analysis.GetSolveCounts();
    const double n = solves > 0 ? static_cast<double>(solves) : 1.0;
    bench.counters["solves/s"] =
        benchmark::Counter(static_cast<double>(solves), benchmark::Counter::kIsRate);
    bench.counters["passes/solve"] =
        static_cast<double>(after.solveBeamPasses - before.solveBeamPasses) / n;
    bench.counters["layerSolves/solve"] =
        static_cast<double>(after.layerSolutions - before.layerSolutions) / n;
}

// Cracked in flexure, below yield: M = -150 kN m (compression at the top).
void BM_SolveAtLoads_Moment(benchmark::State& bench)
{
    SolveAtLoadsRepeatedly(bench, 0.0, -150e3, 0.0);
}
BENCHMARK(BM_SolveAtLoads_Moment)->Unit(benchmark::kMillisecond);

// The same moment with 150 kN of shear over the stirrups.
void BM_SolveAtLoads_MomentShear(benchmark::State& bench)
{
    SolveAtLoadsRepeatedly(bench, 0.0, -150e3, 150e3);
}
BENCHMARK(BM_SolveAtLoads_MomentShear)->Unit(benchmark::kMillisecond);

} // namespace
