// The member sheet's loading pages redraw both diagrams after every edit and paint: a full
// dead diagram (127 points, parabolic stretches) drawn to a 600 x 300 picture; and the
// over-relaxation demonstration's sweeps on its largest grid (199 blocks).

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "dialogs/MemberDiagrams.h"
#include "dialogs/SorDemo.h"
#include "platform/Application.h"
#include "platform/DC.h"

namespace {

// A 12.6 m member with 127 points, every three a parabolic stretch.
TMemberDefinition FullDiagram()
{
    TMemberDefinition d;
    d.length = 12.6;
    d.rightPlateLocation = 12.6;
    for (int i = 0; i < 127; ++i) {
        const double x = i * 0.1;
        d.diagrams[1][static_cast<std::size_t>(i)] = {x, 1000.0 * x * (12.6 - x), 1};
    }
    d.pointCount[1] = 127;
    return d;
}

void BM_LoadingPageDiagrams(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    const TMemberDefinition d = FullDiagram();
    plat::Image img(600, 300);
    plat::DC dc(img);
    for (auto _ : state) {
        DrawMomentDiagram(dc, d, 1, 60, {0, 0, 600, 150});
        DrawShearDiagram(dc, d, 1, 60, {0, 150, 600, 150});
    }
}
BENCHMARK(BM_LoadingPageDiagrams)->Unit(benchmark::kMicrosecond);

void BM_SorSweep199(benchmark::State& state)
{
    TSorGrid grid(kMaxSorBlocks);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.Sweep(1.5));
}
BENCHMARK(BM_SorSweep199)->Unit(benchmark::kMicrosecond);

} // namespace
