// Element solves per second of the MCFT element: the calls that the layer evaluation makes
// at every node and every transverse-equilibrium iteration.

#include <benchmark/benchmark.h>

#include "analysis/element/McftElement.h"
#include "bench/BenchMaterials.h"

namespace {

// A cracked web element under shear, held by its stirrups (the crack check acts).
LayerNodeStateRec CrackedElement()
{
    LayerNodeStateRec el;
    el.StrainX = 1.0e-3;
    el.StrainZ = -0.2e-3;
    el.ShearStrain = 2.0e-3;
    el.CrackSpacingX = 0.3;
    el.CrackSpacingZ = 0.2;
    el.ReserveX = 2e6;
    el.ReserveZ = 0.6e6;
    el.TensionStiffFactor = 500.0;
    return el;
}

void BM_SolveMcftElement(benchmark::State& state)
{
    const ConcreteTypeRec type = BenchConcrete();
    LayerNodeStateRec el = CrackedElement();
    double step = 0.0;
    for (auto _ : state) {
        el.StrainZ = -0.2e-3 + step; // a transverse-strain iteration walks the strain
        step = step > 1e-5 ? 0.0 : step + 1e-8;
        benchmark::DoNotOptimize(SolveMcftElement(type, el, 0.0, 0.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolveMcftElement);

void BM_SolveMcftLayer(benchmark::State& state)
{
    const ConcreteTypeRec type = BenchConcrete();
    LayerNodeStateRec el = CrackedElement();
    SolveMcftElement(type, el, 0.0, 0.0);
    Matrix3 k{};
    for (auto _ : state) {
        SolveMcftLayer(k, type, el, 2e9, 1e9, 0.0, 0.0);
        benchmark::DoNotOptimize(k[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolveMcftLayer);

// One transverse-equilibrium update: the element solve and the z row of the secant matrix.
void BM_ElementSolveWithSecantRow(benchmark::State& state)
{
    const ConcreteTypeRec type = BenchConcrete();
    LayerNodeStateRec el = CrackedElement();
    Matrix3 k{};
    double step = 0.0;
    for (auto _ : state) {
        el.StrainZ = -0.2e-3 + step;
        step = step > 1e-5 ? 0.0 : step + 1e-8;
        SolveMcftElement(type, el, 0.0, 0.0);
        SecantStiffnessMatrix(k, type, el, true);
        benchmark::DoNotOptimize(k[0].data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ElementSolveWithSecantRow);

} // namespace
