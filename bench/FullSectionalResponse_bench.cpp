// Full sectional responses per second, each run from its initial state to its own finish:
// the 300 x 600 mm beam with three 25 mm bottom bars and 10 mm stirrups at 200 mm under
// moment alone and under moment with shear (M / V = 1.5 m), and the 400 x 400 mm column with
// eight 25 mm bars under 1000 kN of compression and moment. The counters give the work of one
// response so that algorithmic changes can be told from raw speed: stages stored, attempts
// made, passes of the curvature iteration and layer solutions (SolveLayerStates calls).

#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/TBeam.h"

namespace {

std::unique_ptr<TBeam> Section(double width, double height)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    ConcreteTypeRec concrete;
    concrete.name = "Concrete 1";
    CheckConcreteType(concrete, true);
    beam->AddConcreteType(concrete);
    SteelTypeRec steel;
    steel.kind = SteelKind::Reinforcing;
    steel.fy = 4e8;
    steel.name = "Steel 1";
    CheckSteelType(steel, true);
    beam->AddSteelType(steel);
    beam->AddRegion(height, 0.0, width, width, 0, 1);
    return beam;
}

void AddBars(TBeam& beam, double z, int count)
{
    LongLayerRec bars;
    bars.z = z;
    bars.num = count;
    bars.Ai = 5e-4;
    bars.A = 5e-4 * count;
    bars.db = 0.025;
    bars.bartitle = "25M";
    bars.name = "Bars";
    beam.AddLongLayer(bars, 0);
}

std::unique_ptr<TBeam> Beam()
{
    auto beam = Section(0.3, 0.6);
    AddBars(*beam, 0.05, 3);
    TransLayerRec stirrups;
    stirrups.A = 2e-4;
    stirrups.Ai = 1e-4;
    stirrups.db = 0.0113;
    stirrups.space = 0.2;
    stirrups.distbot = 0.03;
    stirrups.disttop = 0.57;
    stirrups.bartitle = "10M";
    stirrups.name = "Stirrups";
    beam->AddTransLayer(stirrups, 2);
    return beam;
}

std::unique_ptr<TBeam> Column()
{
    auto column = Section(0.4, 0.4);
    AddBars(*column, 0.05, 3);
    AddBars(*column, 0.2, 2);
    AddBars(*column, 0.35, 3);
    return column;
}

void RespondRepeatedly(benchmark::State& bench, std::unique_ptr<TBeam> beam, double N0,
                       double dM, double dV)
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
    RespondRepeatedly(bench, Beam(), 0.0, -1000.0, 0.0);
}
BENCHMARK(BM_FullResponse_BeamMoment)->Unit(benchmark::kMillisecond);

void BM_FullResponse_BeamMomentShear(benchmark::State& bench)
{
    RespondRepeatedly(bench, Beam(), 0.0, -1500.0, 1000.0);
}
BENCHMARK(BM_FullResponse_BeamMomentShear)->Unit(benchmark::kMillisecond);

void BM_FullResponse_ColumnAxialMoment(benchmark::State& bench)
{
    RespondRepeatedly(bench, Column(), -1.0e6, -1000.0, 0.0);
}
BENCHMARK(BM_FullResponse_ColumnAxialMoment)->Unit(benchmark::kMillisecond);

} // namespace
