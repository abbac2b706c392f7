// Throughput of the material laws in calls per second: the concrete law and its tangent for
// the default models (Popovics base curve, softening 18, tension stiffening 7) and the
// steel law of each kind, over strains that cross every branch.

#include <array>
#include <memory>

#include <benchmark/benchmark.h>

#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr int kPoints = 256;

ConcreteTypeRec DefaultConcrete()
{
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    CheckConcreteType(rec, true);
    return rec;
}

// Principal strain states from 0.4 % compression to 0.4 % tension, half of them with a
// tensile lateral strain.
std::array<PrincipalStrains, kPoints> ConcreteStrains()
{
    std::array<PrincipalStrains, kPoints> e{};
    for (int i = 0; i < kPoints; ++i)
        e[i] = {-0.004 + 0.008 * i / (kPoints - 1), (i % 2) ? 0.002 : 0.0, 0.0};
    return e;
}

std::array<double, kPoints> SteelStrains(double limit)
{
    std::array<double, kPoints> e{};
    for (int i = 0; i < kPoints; ++i)
        e[i] = -limit + 2.0 * limit * i / (kPoints - 1);
    return e;
}

void BM_ConcreteStress(benchmark::State& state)
{
    const ConcreteTypeRec rec = DefaultConcrete();
    const auto strains = ConcreteStrains();
    for (auto _ : state) {
        for (const auto& e : strains) {
            double fp = 0.0;
            benchmark::DoNotOptimize(ConcreteStress(rec, e, 1, fp, rec.ft, 500.0));
        }
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ConcreteStress);

void BM_ConcreteTangentModulus(benchmark::State& state)
{
    const ConcreteTypeRec rec = DefaultConcrete();
    const auto strains = ConcreteStrains();
    for (auto _ : state) {
        for (const auto& e : strains)
            benchmark::DoNotOptimize(ConcreteTangentModulus(rec, e, 1, 1.0, 0.0, rec.ft, 500.0));
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ConcreteTangentModulus);

void BM_SteelStress(benchmark::State& state)
{
    SteelTypeRec rec;
    double limit = 0.15;
    switch (state.range(0)) {
    case SteelKind::Reinforcing:
        state.SetLabel("reinforcing bar");
        break;
    case SteelKind::Prestressing:
        rec.kind = SteelKind::Prestressing;
        rec.fy = 1.86e9;
        limit = 0.05;
        state.SetLabel("prestressing strand");
        break;
    default:
        rec.kind = SteelKind::UserCurve;
        state.SetLabel("user curve");
        break;
    }
    CheckSteelType(rec, true);
    const auto strains = SteelStrains(limit);
    for (auto _ : state) {
        for (double e : strains)
            benchmark::DoNotOptimize(SteelStress(rec, e, 0.0));
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SteelStress)
    ->Arg(SteelKind::Reinforcing)
    ->Arg(SteelKind::Prestressing)
    ->Arg(SteelKind::UserCurve);

} // namespace
