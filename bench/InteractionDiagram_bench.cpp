// Interaction diagrams per second, each run to its finish: the moment-axial and moment-shear
// diagrams of the 300 x 600 mm beam (three 25 mm bars top and bottom, 10 mm stirrups at
// 200 mm) and of the 400 x 400 mm column (eight 25 mm bars). The counters give the work of one
// diagram: paths (rays or shear lines), idle steps, and the layer solutions of the diagram and
// of the paths it keeps (the M-V base responses are gone by the end). The argument is the
// number of workers that step the paths (0: the machine's cores); compare wall (real) times.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/TInteractionDiagrams.h"
#include "foundation/WorkerPool.h"

namespace {

template <typename Diagram>
void DiagramRepeatedly(benchmark::State& bench, std::unique_ptr<TBeam> beam)
{
    const double constant[3] = {0.0, 0.0, 0.0};
    const double increment[3] = {0.0, -1000.0, 0.0};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    const ScopedWorkerCount workers(static_cast<int>(bench.range(0)));
    double paths = 0.0, steps = 0.0, layerSolves = 0.0;
    std::int64_t runs = 0;
    for (auto _ : bench) {
        Diagram diagram(beam.get());
        steps += RunToFinish(diagram, 200000);
        if (diagram.IsRunning() != 0) {
            bench.SkipWithError("the diagram did not finish");
            break;
        }
        paths += diagram.GetSubCount();
        layerSolves += static_cast<double>(diagram.GetSolveCounts().layerSolutions);
        for (int i = 0; i < diagram.GetSubCount(); ++i)
            if (const T1DAnalysis* path = diagram.GetSubAnalysis(i))
                layerSolves += static_cast<double>(path->GetSolveCounts().layerSolutions);
        ++runs;
    }
    const double n = runs > 0 ? static_cast<double>(runs) : 1.0;
    bench.counters["paths"] = paths / n;
    bench.counters["steps"] = steps / n;
    bench.counters["layerSolves"] = layerSolves / n;
}

void BM_Interaction_BeamMN(benchmark::State& bench)
{
    DiagramRepeatedly<TMNInter>(bench, BenchBeam());
}
BENCHMARK(BM_Interaction_BeamMN)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Interaction_BeamMV(benchmark::State& bench)
{
    DiagramRepeatedly<TMVInter>(bench, BenchBeam());
}
BENCHMARK(BM_Interaction_BeamMV)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Interaction_ColumnMN(benchmark::State& bench)
{
    DiagramRepeatedly<TMNInter>(bench, BenchColumn());
}
BENCHMARK(BM_Interaction_ColumnMN)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Interaction_ColumnMV(benchmark::State& bench)
{
    DiagramRepeatedly<TMVInter>(bench, BenchColumn());
}
BENCHMARK(BM_Interaction_ColumnMV)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
