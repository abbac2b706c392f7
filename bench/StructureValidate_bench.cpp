// Validation of a round column of 0.6 m diameter (30 regions) with a circle of 16 bars and a
// spiral, and of a wall-like beam with 40 bar layers: the cost of rebuilding the patterns,
// crack-spacing profiles and cover before every analysis.

#include <benchmark/benchmark.h>

#include <cmath>

#include "foundation/Reporter.h"
#include "model/ReinfPatterns.h"
#include "model/TStructure.h"

namespace {

LongLayerRec Bars(double z, int num, double db)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = z;
    layer.num = num;
    layer.db = db;
    layer.Ai = kModelPi * db * db / 4.0;
    layer.A = num * layer.Ai;
    layer.name = "bars";
    return layer;
}

void Column(TStructure& s)
{
    double strength = 40e6;
    s.AddConcreteTypeFromStrength(strength, "C40");
    const double r = 0.3;
    for (int i = 0; i < 30; ++i) {
        const double top = r - 2 * r * i / 30.0;
        const double bottom = r - 2 * r * (i + 1) / 30.0;
        s.AddRegion(top,
                    bottom,
                    2 * std::sqrt(r * r - top * top) + 0.01,
                    2 * std::sqrt(r * r - bottom * bottom) + 0.01,
                    0,
                    1);
    }
    ReinfPatternRec ring;
    ring.kind = kCircularPatternKind;
    ring.inUse = 1;
    ring.radius = 0.23;
    ring.layer = Bars(0.0, 1, 0.025);
    ring.layer.nround = 16;
    ring.layer.aligned = 1;
    s.StorePattern(ring, 0);
    ExpandPatterns(0, s);
    TransLayerRec spiral;
    InitTransLayerRec(spiral);
    spiral.distbot = -0.245;
    spiral.disttop = 0.245;
    spiral.db = 0.01;
    spiral.A = 2 * kModelPi * 0.01 * 0.01 / 4;
    spiral.space = 0.075;
    spiral.pattern = kCircularHoop;
    s.AddTransLayer(spiral, 2);
}

void Wall(TStructure& s, int layers = 40)
{
    double strength = 35e6;
    s.AddConcreteTypeFromStrength(strength, "C35");
    s.AddRegion(2.0, 0.0, 0.3, 0.3, 0, 1);
    for (int i = 0; i < layers; ++i)
        s.AddLongLayer(Bars(0.05 + 1.9 * i / (layers - 1), 2, 0.015), 0);
}

void BM_ValidateColumn(benchmark::State& state)
{
    SilentReporter quiet;
    ScopedReporter scope(quiet);
    TStructure s;
    Column(s);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.Validate());
}
BENCHMARK(BM_ValidateColumn);

void BM_ValidateWall(benchmark::State& state)
{
    SilentReporter quiet;
    ScopedReporter scope(quiet);
    TStructure s;
    Wall(s);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.Validate());
}
BENCHMARK(BM_ValidateWall);

// The same wall with as many layers as a section's patterns may explode into.
void BM_ValidateWallManyLayers(benchmark::State& state)
{
    SilentReporter quiet;
    ScopedReporter scope(quiet);
    TStructure s;
    Wall(s, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(s.Validate());
}
BENCHMARK(BM_ValidateWallManyLayers)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace
