// The member pushover: the default member around a 300 x 600 mm beam with three 25 mm bottom
// bars and 10 mm stirrups at 200 mm (left roller at 0.2 m, point load at 2.0 m, line of
// symmetry at 2.6 m), from the placement of its stations to the finish of every station's
// response and the member curves. The counters give the work of one pushover: stations,
// stages per station and member steps. The argument is the number of workers that step the
// stations (0: the machine's cores); compare wall (real) times.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMember.h"
#include "analysis/RunToFinish.h"
#include "foundation/WorkerPool.h"
#include "member/TFullMemberResponse.h"

namespace {

void BM_MemberPushover_DefaultMember(benchmark::State& bench)
{
    const BenchMember m = MakeBenchMember();
    const ScopedWorkerCount workers(static_cast<int>(bench.range(0)));
    double stations = 0.0, stages = 0.0, steps = 0.0;
    std::int64_t runs = 0;
    for (auto _ : bench) {
        TFullMemberResponse member(m.definition, *m.slots);
        steps += RunToFinish(member, 1000000);
        if (member.IsRunning() != 0) {
            bench.SkipWithError("the pushover did not finish");
            break;
        }
        member.BuildResultCurves();
        stations += member.GetStationCount();
        for (int i = 0; i < member.GetStationCount(); ++i)
            stages += member.GetStationAnalysis(i)->GetLastStageIndex();
        ++runs;
    }
    const double n = runs > 0 ? static_cast<double>(runs) : 1.0;
    bench.counters["stations"] = stations / n;
    bench.counters["stagesPerStation"] = stations > 0.0 ? stages / stations : 0.0;
    bench.counters["memberSteps"] = steps / n;
}
BENCHMARK(BM_MemberPushover_DefaultMember)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
