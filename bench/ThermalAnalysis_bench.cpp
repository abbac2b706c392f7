// The thermal analysis of a beam in a two-hour standard fire on all faces, with four bottom
// bars and stirrups: the fire model's stepping and the post-fire beam's construction timed
// apart, the whole analysis as the command runs it, and the save of a post-fire document.
// Sections b x h in mm: 600 x 300 (a full-width grid) and 300 x 600. The counter "sweeps/step"
// is the mean number of Gauss-Seidel sweeps a time step takes to converge.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Reporter.h"
#include "member/fire/PostFireBeam.h"
#include "member/fire/TStructureSlots.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"

namespace {

constexpr double kExposure = 7200.0;

// A table of empty slots in which the post-fire beams are stored and released again.
class BenchSlots final : public TStructureSlots {
public:
    int GetSlotCount() const override { return 2; }
    TStructure* GetStructure(int slot) const override
    {
        return slot >= 0 && slot < 2 ? m_slots[slot].get() : nullptr;
    }
    int GetCurrentStructure() const override { return 0; }
    int StoreStructure(int slot, std::unique_ptr<TStructure> structure) override
    {
        m_slots[slot] = std::move(structure);
        return 1;
    }
    void Release() { m_slots[1].reset(); }
    std::unique_ptr<TStructure> m_slots[2];
};

// b x h with four 25 mm bars 50 mm above the bottom and 10 mm two-leg stirrups at 200 mm.
std::unique_ptr<TBeam> FireBenchBeam(double b, double h)
{
    auto beam = std::make_unique<TBeam>();
    beam->AddRegion(h, 0.0, b, b, 0, 1);
    LongLayerRec bars;
    InitLongLayerRec(bars);
    bars.z = 0.05;
    bars.num = 4;
    bars.Ai = 4.91e-4;
    bars.A = 4 * bars.Ai;
    bars.db = 0.025;
    beam->AddLongLayer(bars, 0);
    TransLayerRec stirrups;
    InitTransLayerRec(stirrups);
    stirrups.A = 1.57e-4;
    stirrups.Ai = 7.85e-5;
    stirrups.db = 0.01;
    stirrups.space = 0.2;
    stirrups.distbot = 0.03;
    stirrups.disttop = h - 0.03;
    stirrups.pattern = 2;
    beam->AddTransLayer(stirrups, 2);
    beam->SetFireData(7, kISO834Fire, 0, kExposure, 1000.0);
    beam->Validate();
    return beam;
}

std::unique_ptr<TFireAnalysis_2Ds> RunModel(const TBeam& beam)
{
    auto model = std::make_unique<TFireAnalysis_2Ds>(beam.GetHeight(), 7, kISO834Fire, 1000.0);
    SetWidthProfileFromBeam(beam, *model);
    model->Start(kExposure);
    while (model->IsRunning())
        model->Step();
    return model;
}

void BM_FireStepping(benchmark::State& state)
{
    const auto beam = FireBenchBeam(state.range(0) / 1000.0, state.range(1) / 1000.0);
    double sweeps = 0.0;
    for (auto _ : state) {
        const auto model = RunModel(*beam);
        sweeps = static_cast<double>(model->GetTotalSweeps()) / model->GetStepCount();
        benchmark::DoNotOptimize(model->GetTemperature(0.05, 0.0));
    }
    state.counters["sweeps/step"] = sweeps;
}
BENCHMARK(BM_FireStepping)->Args({600, 300})->Args({300, 600})->Unit(benchmark::kMillisecond);

void BM_PostFireBeam(benchmark::State& state)
{
    const auto beam = FireBenchBeam(state.range(0) / 1000.0, state.range(1) / 1000.0);
    const auto model = RunModel(*beam);
    BenchSlots slots;
    FireData fire;
    beam->GetFireData(fire.exposure, fire.type, fire.rebarperform, fire.time, fire.constanttemp);
    for (auto _ : state) {
        auto after = BuildPostFireBeam(*beam, *model, 25, fire, slots);
        benchmark::DoNotOptimize(after->GetConcreteType(0)->fc);
    }
}
BENCHMARK(BM_PostFireBeam)->Args({600, 300})->Args({300, 600})->Unit(benchmark::kMillisecond);

// The save of the document of a 600 x 300 post-fire beam whose two bar layers (the bench
// beam's bottom bars twice) each keep a fire steel of some three thousand curve rows.
void BM_SavePostFireDocument(benchmark::State& state)
{
    SilentReporter quiet;
    ScopedReporter scoped{quiet};
    const auto beam = FireBenchBeam(0.6, 0.3);
    const LongLayerRec bars = *beam->GetLongLayer(0, 0);
    beam->AddLongLayer(bars, 0);
    beam->Validate();
    const auto model = RunModel(*beam);
    BenchSlots slots;
    FireData fire;
    beam->GetFireData(fire.exposure, fire.type, fire.rebarperform, fire.time, fire.constanttemp);
    const auto after = BuildPostFireBeam(*beam, *model, 25, fire, slots);
    TXmlDtd dtd{kBuiltInDtd, 0};
    for (auto _ : state) {
        StringSink sink;
        WriteXmlDocument(dtd, {after.get()}, nullptr, sink);
        benchmark::DoNotOptimize(sink.Text().data());
    }
}
BENCHMARK(BM_SavePostFireDocument)->Unit(benchmark::kMillisecond);

void BM_ThermalAnalysis(benchmark::State& state)
{
    BenchSlots slots;
    slots.m_slots[0] = FireBenchBeam(state.range(0) / 1000.0, state.range(1) / 1000.0);
    for (auto _ : state) {
        DeleteThermalModel();
        benchmark::DoNotOptimize(ThermalAnalysis(slots.GetStructure(0), slots));
        slots.Release();
    }
    DeleteThermalModel();
}
BENCHMARK(BM_ThermalAnalysis)->Args({600, 300})->Args({300, 600})->Unit(benchmark::kMillisecond);

} // namespace
