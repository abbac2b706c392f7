// The three design-code strengths of a 300 x 600 mm beam with bars and stirrups under moment
// and shear (M/V = 1.5 m), and the code capacity curves that the charts draw from them.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMaterials.h"
#include "analysis/codes/CodeCapacityCurves.h"
#include "analysis/codes/CodeStrength.h"
#include "foundation/ChartPointSink.h"
#include "model/TBeam.h"

namespace {

// 35 MPa concrete, three 25 mm bars top and bottom (50 mm cover to their centres), 10 mm
// two-leg stirrups at 200 mm.
std::unique_ptr<TBeam> CodeBeam()
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    beam->DeleteRegions();
    beam->AddConcreteType(BenchConcrete());
    beam->AddSteelType(BenchSteel());
    beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    for (double z : {0.55, 0.05}) {
        LongLayerRec bars;
        bars.z = z, bars.num = 3, bars.Ai = 5e-4, bars.A = 1.5e-3, bars.db = 0.025;
        bars.name = "Bars";
        beam->AddLongLayer(bars, 0);
    }
    TransLayerRec stirrups;
    stirrups.A = 2e-4, stirrups.Ai = 1e-4, stirrups.db = 0.0113, stirrups.space = 0.2;
    stirrups.distbot = 0.03, stirrups.disttop = 0.57, stirrups.name = "Stirrups";
    beam->AddTransLayer(stirrups, 2);
    LoadVector increments{};
    increments[1] = -1.5;
    increments[2] = 1.0;
    const LoadVector constants{};
    beam->SetIncrementLoads(increments.data(), kLoadCount);
    beam->SetConstantLoads(constants.data(), kLoadCount);
    beam->Validate();
    return beam;
}

class CountingChart final : public ChartPointSink {
public:
    void AddPoint(double x, double y) override
    {
        benchmark::DoNotOptimize(x + y);
        ++count;
    }
    int count = 0;
};

void BM_CodeShearStrength(benchmark::State& state)
{
    const auto beam = CodeBeam();
    const int variant = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CodeShearStrength(*beam, variant));
}
BENCHMARK(BM_CodeShearStrength)->Arg(kAashto94)->Arg(kAashto2000)->Arg(kCsa2014);

void BM_CodeCapacityCurve(benchmark::State& state)
{
    const auto beam = CodeBeam();
    const int variant = static_cast<int>(state.range(0));
    CountingChart chart;
    for (auto _ : state) {
        if (variant == kCsa2014)
            BuildCodeShearCurve(chart, beam.get(), 1012, 1, variant, kUndefined, 0.0);
        else
            BuildCodeCapacityCurve(chart, beam.get(), 1010 + variant, 1, variant, kUndefined, 0.0);
    }
    state.counters["points"] =
        benchmark::Counter(chart.count / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_CodeCapacityCurve)->Arg(kAashto94)->Arg(kAashto2000)->Arg(kCsa2014);

} // namespace
