// Full sectional responses per second, each run from its initial state to its own finish:
// the 300 x 600 mm beam with three 25 mm bottom bars and 10 mm stirrups at 200 mm under
// moment alone and under moment with shear (M / V = 1.5 m), and the 400 x 400 mm column with
// eight 25 mm bars under 1000 kN of compression and moment. The counters give the work of one
// response so that algorithmic changes can be told from raw speed: stages stored, attempts
// made, passes of the curvature iteration and layer solutions (SolveLayerStates calls).

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"

namespace {

void RespondRepeatedly(
    benchmark::State& bench, std::unique_ptr<TBeam> beam, double N0, double dM, double dV)
{
    const double constant[3] = {N0, 0.0, 0.0};
    const double increment[3] = {0.0, dM, dV};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    double stages = 0.0, attempts = 0.0, passes = 0.0, layerSolves = 0.0;
    std::int64_t runs = 0;
    for (auto _ : bench) {
        TFullSectionalResponse response(beam.get());
        RunToFinish(response, 10000);
        if (response.IsRunning() != 0) {
            bench.SkipWithError("the response did not finish");
            break;
        }
        stages += response.GetLastStageIndex();
        attempts += static_cast<double>(response.GetStageCounts().attempts);
        passes += static_cast<double>(response.GetSolveCounts().solveBeamPasses);
        layerSolves += static_cast<double>(response.GetSolveCounts().layerSolutions);
        ++runs;
    }
    const double n = runs > 0 ? static_cast<double>(runs) : 1.0;
    bench.counters["stages"] = stages / n;
    bench.counters["attempts"] = attempts / n;
    bench.counters["solveBeamPasses"] = passes / n;
    bench.counters["layerSolves"] = layerSolves / n;
}

void BM_FullResponse_BeamMoment(benchmark::State& bench)
{
    RespondRepeatedly(bench, BenchResponseBeam(), 0.0, -1000.0, 0.0);
}
BENCHMARK(BM_FullResponse_BeamMoment)->Unit(benchmark::kMillisecond);

void BM_FullResponse_BeamMomentShear(benchmark::State& bench)
{
    RespondRepeatedly(bench, BenchResponseBeam(), 0.0, -1500.0, 1000.0);
}
BENCHMARK(BM_FullResponse_BeamMomentShear)->Unit(benchmark::kMillisecond);

void BM_FullResponse_ColumnAxialMoment(benchmark::State& bench)
{
    RespondRepeatedly(bench, BenchColumn(), -1.0e6, -1000.0, 0.0);
}
BENCHMARK(BM_FullResponse_ColumnAxialMoment)->Unit(benchmark::kMillisecond);

} // namespace
