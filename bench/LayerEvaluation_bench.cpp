// Node solutions per second of the layer evaluation, and the section-level work around one
// layer solution (reserve profile, stresses at cracks): the layer driver runs the first at
// every node of every trial and the others once per trial.

#include <benchmark/benchmark.h>

#include "analysis/layers/CrackStresses.h"
#include "analysis/layers/LayerEvaluation.h"
#include "analysis/layers/TensionZones.h"
#include "analysis/state/SectionState.h"
#include "bench/BenchMaterials.h"
#include "foundation/TDepthTable.h"
#include "model/TBeam.h"

namespace {

// A 300 x 500 mm rectangle with given material values, three 25 mm bars 50 mm above the
// bottom and 10 mm two-leg stirrups at 150 mm.
void MakeSection(TBeam& beam)
{
    beam.ClearAll();
    beam.DeleteRegions();
    beam.AddConcreteType(BenchConcrete());
    beam.AddSteelType(BenchSteel());
    beam.AddRegion(0.25, -0.25, 0.3, 0.3, 0, 1);
    LongLayerRec bars;
    bars.z = -0.2;
    bars.num = 3;
    bars.Ai = 5e-4;
    bars.A = 1.5e-3;
    bars.db = 0.025;
    beam.AddLongLayer(bars, 0);
    TransLayerRec stirrups;
    stirrups.A = 2e-4;
    stirrups.space = 0.15;
    stirrups.distbot = -0.2;
    stirrups.disttop = 0.2;
    beam.AddTransLayer(stirrups, 2);
}

LayerNodeStateRec ShearNode()
{
    LayerNodeStateRec node;
    node.StrainX = 0.0005;
    node.ShearStrain = 0.002;
    node.CrackSpacingX = 0.2;
    node.CrackSpacingZ = 0.15;
    node.ReserveX = 1e7;
    node.TensionStiffFactor = 500.0;
    return node;
}

// The section with its failed flags and evaluator, as an analysis holds them.
struct EvaluatorSetup {
    TBeam beam;
    FailedFlagLists flags;
    // Built last, once the section and the flags exist.
    TLayerEvaluator evaluator{Prepared(beam, flags), flags};

    static const TBeam& Prepared(TBeam& beam, FailedFlagLists& flags)
    {
        MakeSection(beam);
        ResizeFailedFlags(flags, beam);
        return beam;
    }
};

SectionState BenchState()
{
    SectionState s;
    s.Valid = 1;
    s.Results[StateResult::ReferenceStrain] = 0.0;
    s.Results[StateResult::Curvature] = -0.004;
    for (auto& values : s.LongBarValues)
        values.assign(1, 0.0);
    s.LongBarValues[BarArray::List0Stress][0] = 160e6;
    s.LongBarExtra[0].assign(1, 0.0);
    s.DirectionValues[0].assign(1, 0.0);
    s.LayerDefs = {LayerDefRec{0, 1, 2, 0, 0, 0.25, 0.125, 0.0, 0.25},
                   LayerDefRec{2, 3, 4, 0, 0, 0.0, -0.125, -0.25, 0.25}};
    s.LayerCount = 2;
    s.NodeStates.assign(5, LayerNodeStateRec{});
    for (int id = 2; id <= 4; ++id) {
        LayerNodeStateRec& node = s.NodeStates[static_cast<std::size_t>(id)];
        node.Strain1 = 0.001;
        node.ConcStress1 = 1e6;
        node.CrackWidth = 0.0004;
        node.CrackSpacingX = 0.2;
        node.CrackAngle = 1.5707963267945;
    }
    return s;
}

void BM_SolveShearNode(benchmark::State& state)
{
    EvaluatorSetup setup;
    TLayerEvaluator& evaluator = setup.evaluator;
    const LayerNodeStateRec start = ShearNode();
    for (auto _ : state) {
        LayerNodeStateRec node = start;
        benchmark::DoNotOptimize(evaluator.SolveNodeState(node, 0.0, 0.0));
        benchmark::DoNotOptimize(node.StrainZ);
    }
}
BENCHMARK(BM_SolveShearNode);

void BM_SolveUniaxialNode(benchmark::State& state)
{
    EvaluatorSetup setup;
    TLayerEvaluator& evaluator = setup.evaluator;
    LayerNodeStateRec start = ShearNode();
    start.ShearStrain = 0.0;
    for (auto _ : state) {
        LayerNodeStateRec node = start;
        benchmark::DoNotOptimize(evaluator.SolveNodeState(node, 0.0, 0.0));
        benchmark::DoNotOptimize(node.ConcStressX);
    }
}
BENCHMARK(BM_SolveUniaxialNode);

void BM_ReserveProfileAndCrackStresses(benchmark::State& state)
{
    EvaluatorSetup setup;
    TLayerEvaluator& evaluator = setup.evaluator;
    TTensionZones zones(evaluator);
    TCrackStresses cracks(zones);
    SectionState section = BenchState();
    TDepthTable profile("reserve");
    for (auto _ : state) {
        double moment = 0.0;
        double crossing = 0.0;
        double upper = 0.0;
        double lower = 0.0;
        zones.FindShearZoneLimits(section, 0, upper, lower);
        zones.BuildReserveProfile(section, moment, crossing, profile, 0);
        cracks.ComputeCrackStresses(section, moment, crossing, 0);
        benchmark::DoNotOptimize(section.LongBarValues[BarArray::List0Second][0]);
    }
}
BENCHMARK(BM_ReserveProfileAndCrackStresses);

} // namespace
