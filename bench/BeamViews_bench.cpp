// Filling the beam mode's panels from a finished response: the nine charts of the "General"
// set with both control charts, and the ten load-deformation graphs. The response is the
// 300 x 600 mm beam with stirrups under moment and shear (M / V = 1.5 m); the counter gives
// its stage count (more detail is asked for until it holds about 300). Charts store their points as a window chart does.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "foundation/Reporter.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

// Keeps the points as a chart does and answers the rest trivially.
class StoringChart final : public ViewChart {
public:
    std::vector<double> data;
    void AddPoint(double x, double y) override
    {
        data.push_back(x);
        data.push_back(y);
    }
    void ClearData() override { data.clear(); }
    void AutoScale() override {}
    void AddText(const char*, double) override {}
    void SetTitles(const std::string&, const std::string&, const std::string&, int, int) override
    {
        data.clear();
    }
    void SetNote(const std::string&) override {}
    void SetTextShown(int) override {}
    void SetLineStart(int) override {}
    double GetHarmonicMeanY() const override { return 0.0; }
    void AttachStructure(const TStructure*) override {}
    void AttachState(const SectionState*) override {}
    void AttachAnalysis(const TSectionalAnalysis*) override {}
};

struct FinishedResponse {
    std::unique_ptr<TBeam> beam = BenchResponseBeam();
    std::unique_ptr<TFullSectionalResponse> response;
    FinishedResponse()
    {
        const double constant[3] = {0.0, 0.0, 0.0};
        const double increment[3] = {0.0, -1500.0, 1000.0};
        beam->SetConstantLoads(constant, 3);
        beam->SetIncrementLoads(increment, 3);
        beam->Validate();
        response = std::make_unique<TFullSectionalResponse>(beam.get());
        RunToFinish(*response, 10000);
        // More detail between the stages until the run holds about 300 of them.
        for (int round = 0; round < 4 && response->GetLastStageIndex() < 300; ++round) {
            const int last = response->GetLastStageIndex() - 1;
            if (!response->MoreDetail(0, std::min(last, 300 - response->GetLastStageIndex())))
                break;
            RunToFinish(*response, 10000);
        }
    }
};

void FillSet(benchmark::State& bench, const std::vector<int>& ids, bool controls)
{
    SilentReporter silent;
    ScopedReporter scope(silent);
    static FinishedResponse finished;
    TQ2k_Logic logic(finished.beam.get(), finished.response.get());
    logic.SetDisplayContext(DisplayContext{});
    std::vector<StoringChart> charts(ids.size() + 2);
    std::size_t points = 0;
    for (auto _ : bench) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            charts[i].ClearData();
            logic.FillChart(&charts[i], ids[i], 0, 0);
        }
        if (controls) {
            logic.FillControlChart(&charts[ids.size()], 1, 5);
            logic.FillControlChart(&charts[ids.size() + 1], 2, 5);
        }
        points = 0;
        for (const StoringChart& c : charts)
            points += c.data.size() / 2;
        benchmark::DoNotOptimize(points);
    }
    bench.counters["stages"] = finished.response->GetLastStageIndex();
    bench.counters["points"] = static_cast<double>(points);
}

void BM_NineGraphsAndControlCharts(benchmark::State& bench)
{
    const auto& set = g_NineGraphSets[0];
    FillSet(bench, std::vector<int>(set.begin(), set.end()), true);
}
BENCHMARK(BM_NineGraphsAndControlCharts)->Unit(benchmark::kMillisecond);

void BM_ReinforcementSet(benchmark::State& bench)
{
    const auto& set = g_NineGraphSets[2];
    FillSet(bench, std::vector<int>(set.begin(), set.end()), true);
}
BENCHMARK(BM_ReinforcementSet)->Unit(benchmark::kMillisecond);

void BM_LoadDeformationGraphs(benchmark::State& bench)
{
    FillSet(bench, {1000, 1001, 1002, 1003, 1004, 1005, 1009, 1013}, true);
}
BENCHMARK(BM_LoadDeformationGraphs)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_OneLoadDeformationGraph(benchmark::State& bench)
{
    FillSet(bench, {static_cast<int>(bench.range(0))}, false);
}
BENCHMARK(BM_OneLoadDeformationGraph)->DenseRange(1000, 1005)->Arg(1009)->Arg(1013)->Unit(benchmark::kMillisecond);

} // namespace
