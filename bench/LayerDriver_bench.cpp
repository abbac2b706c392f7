// Layer solutions per second of a beam-section analysis: one SolveLayerStates call is one
// trial of every solution loop, so its cost sets the pace of every analysis. Measured on a
// 300 x 600 mm beam with bars and stirrups, uncracked and cracked under shear; the node
// rate counts every node solution (mesh nodes and refinement trials).

#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/AnalysisBaseFakes.h" // the tests' beam-section analysis with trivial stepping
#include "analysis/layers/LayerDriver.h"
#include "analysis/state/SectionState.h"
#include "BenchSections.h"

namespace {

// One trial state, solved again and again (mode 100, as inside the solution loops, or 102
// for the finishing pass).
void SolveRepeatedly(benchmark::State& bench, double e0, double phi, double gamma, int mode)
{
    const std::unique_ptr<TBeam> beam = BenchBeam();
    FakeBeamAnalysis analysis(beam.get(), 1);
    SectionStateHolder holder;
    analysis.CreateSectionState(holder, nullptr);
    SectionState& state = *holder;
    state.Results[StateResult::ReferenceStrain] = e0;
    state.Results[StateResult::Curvature] = phi;
    state.Results[StateResult::ShearStrain] = gamma;
    analysis.SolveLayerStates(state, mode);
    for (int flag : analysis.GetFailedBarFlags(2))
        if (flag != 0)
            bench.SkipWithError("stirrups ruptured: every call would differ");

    const TLayerDriver& driver = *analysis.GetLayerDriver();
    const auto nodesBefore = driver.NodeEvaluations();
    for (auto _ : bench) {
        analysis.SolveLayerStates(state, mode);
        benchmark::DoNotOptimize(state.Results[StateResult::Moment]);
    }
    bench.counters["layers"] = state.LayerCount;
    bench.counters["nodes/call"] = static_cast<double>(driver.NodeEvaluations() - nodesBefore) /
                                   static_cast<double>(bench.iterations());
    bench.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(driver.NodeEvaluations() - nodesBefore),
                           benchmark::Counter::kIsRate);
}

// Elastic: curvature with the bottom fibre just below cracking, no shear.
void BM_SolveLayerStates_Uncracked(benchmark::State& bench)
{
    SolveRepeatedly(bench, 0.0, 1e-4, 0.0, LayerSolveMode::Trial);
}
BENCHMARK(BM_SolveLayerStates_Uncracked)->Unit(benchmark::kMicrosecond);

// Flexural cracks only: the same profile without shear.
void BM_SolveLayerStates_CrackedFlexure(benchmark::State& bench)
{
    SolveRepeatedly(bench, 1e-4, -4e-3, 0.0, LayerSolveMode::Trial);
}
BENCHMARK(BM_SolveLayerStates_CrackedFlexure)->Unit(benchmark::kMicrosecond);

// Flexural and shear cracks: bottom fibre strain 1.3e-3, mean shear strain 3e-4.
void BM_SolveLayerStates_CrackedShear(benchmark::State& bench)
{
    SolveRepeatedly(bench, 1e-4, -4e-3, 3e-4, LayerSolveMode::Trial);
}
BENCHMARK(BM_SolveLayerStates_CrackedShear)->Unit(benchmark::kMicrosecond);

// The finishing pass of the same state: stresses at cracks and signed resultants added.
void BM_SolveLayerStates_CrackedShearFinish(benchmark::State& bench)
{
    SolveRepeatedly(bench, 1e-4, -4e-3, 3e-4, LayerSolveMode::FinalBeam);
}
BENCHMARK(BM_SolveLayerStates_CrackedShearFinish)->Unit(benchmark::kMicrosecond);

} // namespace
