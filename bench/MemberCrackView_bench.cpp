// The member crack-pattern view over the pushover of the benchmark member (300 x 600 mm beam,
// three 25 mm bottom bars, 10 mm stirrups; 2.6 m, point load at 2.0 m) near its peak,
// magnified 25 times, in a 1200 x 400 box (offscreen):
//  - Recompute: the load level moves (two marked load points in turn), so each pass
//    interpolates the member states (43 sections) and works out the crack pattern;
//  - Repaint: the same load again, painted onto a backing image.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "BenchMember.h"
#include "analysis/RunToFinish.h"
#include "member/TFullMemberResponse.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "views/TWideCrack2.h"

namespace {

constexpr int kW = 1200;
constexpr int kH = 400;

struct Pushover {
    BenchMember m = MakeBenchMember();
    std::unique_ptr<TFullMemberResponse> member;
    Pushover()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        plat::EnsureGuiRuntime();
        member = std::make_unique<TFullMemberResponse>(m.definition, *m.slots);
        RunToFinish(*member, 1000000);
        member->BuildResultCurves();
    }
};

Pushover& Shared()
{
    static Pushover p;
    return p;
}

void BM_MemberCrackView_Recompute(benchmark::State& bench)
{
    TFullMemberResponse& member = *Shared().member;
    TWideCrack2 view(nullptr, "Member Crack Diagram", 0, 0, kW, kH, 4001);
    plat::Image image(kW, kH);
    plat::DC dc(image);
    const LabelExtent extent = MeasureOn(dc);
    int k = 0;
    for (auto _ : bench) {
        member.SelectLoadStage(kCurvePointStageBase + (k++ % 2 == 0 ? 26 : 28));
        view.AttachAnalysis(&member);
        const ElevationPicture p = view.ComputePicture(extent, kW, kH);
        benchmark::DoNotOptimize(p.cracks.segments.size());
    }
    bench.counters["sections"] = view.SectionCountNow();
    bench.counters["recomputed"] = view.Recomputations();
}
BENCHMARK(BM_MemberCrackView_Recompute)->Unit(benchmark::kMillisecond);

void BM_MemberCrackView_Repaint(benchmark::State& bench)
{
    TFullMemberResponse& member = *Shared().member;
    member.SelectLoadStage(kCurvePointStageBase + 28);
    TWideCrack2 view(nullptr, "Member Crack Diagram", 0, 0, kW, kH, 4001);
    view.AttachAnalysis(&member);
    plat::Image image(kW, kH);
    plat::DC dc(image);
    for (auto _ : bench)
        view.Paint(dc, true, {0, 0, kW, kH});
    bench.counters["segments"] =
        static_cast<double>(view.ComputePicture(MeasureOn(dc), kW, kH).cracks.segments.size());
}
BENCHMARK(BM_MemberCrackView_Repaint)->Unit(benchmark::kMillisecond);

} // namespace
