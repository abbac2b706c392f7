// Interpolation in a depth table of 102 pairs, the size of a finely divided section profile:
// sequential queries (the layer-by-layer walk of an analysis, served by the cache) and
// random ones (served by the bisection).

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "foundation/TDepthTable.h"

namespace {

constexpr int kPairs = 102;

TDepthTable MakeProfile(bool descending)
{
    TDepthTable t("bench profile");
    for (int i = 0; i < kPairs; ++i) {
        const double z = descending ? 0.5 - 0.01 * i : -0.51 + 0.01 * i;
        t.Add(z, z * z + 0.1 * z);
    }
    t.Sort(descending ? 1 : 0);
    return t;
}

std::vector<double> SequentialDepths()
{
    std::vector<double> depths;
    for (int i = 0; i < 1000; ++i)
        depths.push_back(0.5 - 0.0005 - i * (1.0 / 1000.0)); // top down, inside the table
    return depths;
}

std::vector<double> RandomDepths()
{
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> depth(-0.5099, 0.4999);
    std::vector<double> depths(1000);
    for (double& z : depths)
        z = depth(rng);
    return depths;
}

void Run(benchmark::State& state, bool descending, const std::vector<double>& depths)
{
    const TDepthTable table = MakeProfile(descending);
    for (auto _ : state) {
        for (double z : depths)
            benchmark::DoNotOptimize(table.InterpolateAtDepth(z));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(depths.size()));
}

void BM_InterpolateSequentialDescending(benchmark::State& state)
{
    Run(state, true, SequentialDepths());
}
void BM_InterpolateRandomDescending(benchmark::State& state)
{
    Run(state, true, RandomDepths());
}
void BM_InterpolateRandomAscending(benchmark::State& state)
{
    Run(state, false, RandomDepths());
}

} // namespace

BENCHMARK(BM_InterpolateSequentialDescending);
BENCHMARK(BM_InterpolateRandomDescending);
BENCHMARK(BM_InterpolateRandomAscending);
