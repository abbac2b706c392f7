// Layer solutions per second of a beam-section analysis: one SolveLayerStates call is one
// trial of every solution loop, so its cost sets the pace of every analysis. Measured on a
// 300 x 600 mm beam with bars and stirrups, uncracked and cracked under shear; the node
// rate counts every node solution (mesh nodes and refinement trials).

#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/layers/LayerDriver.h"
#include "analysis/state/SectionState.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

// 300 x 600 mm, 35 MPa concrete, three 25 mm bars top and bottom (50 mm cover to their
// centres), 10 mm two-leg stirrups at 200 mm.
std::unique_ptr<TBeam> BenchBeam()
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
    beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    for (double z : {0.55, 0.05}) {
        LongLayerRec bars;
        bars.z = z;
        bars.num = 3;
        bars.Ai = 5e-4;
        bars.A = 1.5e-3;
        bars.db = 0.025;
        bars.bartitle = "25M";
        bars.name = "Bars";
        beam->AddLongLayer(bars, 0);
    }
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

class BenchAnalysis final : public TQuarvish2000Analysis {
public:
    using TQuarvish2000Analysis::TQuarvish2000Analysis;
    const SectionState* GetCurrentState() const override { return nullptr; }
    const SectionState* GetLatestState() const override { return nullptr; }
    const SectionState* GetPeakState() const override { return nullptr; }
    const SectionState* GetStage(int) const override { return nullptr; }
    int GetNextStageIndex(int index) const override { return index; }
    int GetPreviousStageIndex(int index) const override { return index; }
    int GetLastStageIndex() const override { return 0; }
    int SelectLoadStage(int) override { return 0; }
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override
    {
        e1 = y1 = e2 = y2 = 0.0;
        return 0;
    }
    int SelectLatestState() override { return 1; }
    int Step() override { return 0; }
    int ChooseControlVariable(int) override { return 0; }
};

// One trial state, solved again and again (mode 100, as inside the solution loops, or 102
// for the finishing pass).
void SolveRepeatedly(benchmark::State& bench, double e0, double phi, double gamma, int mode)
{
    const std::unique_ptr<TBeam> beam = BenchBeam();
    BenchAnalysis analysis(beam.get(), 1);
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
