// The member pushover: the default member around a 300 x 600 mm beam with three 25 mm bottom
// bars and 10 mm stirrups at 200 mm (left roller at 0.2 m, point load at 2.0 m, line of
// symmetry at 2.6 m), from the placement of its stations to the finish of every station's
// response and the member curves. The counters give the work of one pushover: stations,
// stages per station and member steps.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "member/TFullMemberResponse.h"
#include "member/fire/TStructureSlots.h"

namespace {

class OneSlot final : public TStructureSlots {
public:
    explicit OneSlot(std::unique_ptr<TStructure> s) : m_s(std::move(s)) {}
    int GetSlotCount() const override { return 1; }
    TStructure* GetStructure(int slot) const override { return slot == 0 ? m_s.get() : nullptr; }
    int GetCurrentStructure() const override { return 0; }
    int StoreStructure(int, std::unique_ptr<TStructure>) override { return 0; }

private:
    std::unique_ptr<TStructure> m_s;
};

void BM_MemberPushover_DefaultMember(benchmark::State& bench)
{
    auto beam = BenchSection(0.3, 0.6);
    AddBenchBars(*beam, 0.05, 3);
    AddBenchStirrups(*beam);
    beam->Validate();
    const TBeam& section = *beam;
    OneSlot slots(std::move(beam));
    TMemberDefinition d;
    SetMemberDefinitionFromSection(slots, d, section);
    double stations = 0.0, stages = 0.0, steps = 0.0;
    std::int64_t runs = 0;
    for (auto _ : bench) {
        TFullMemberResponse member(d, slots);
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
BENCHMARK(BM_MemberPushover_DefaultMember)->Unit(benchmark::kMillisecond);

} // namespace
