// The section summary page of a heavy section (100 bar layers, 5 stirrup layers) painted on a
// 1280 x 1024 window image, and one click on it hit-tested.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/SummarySections.h"
#include "platform/Application.h"
#include "platform/DC.h"

namespace {

// Puts the heavy section in slot 0 of the structure table for the benchmark's lifetime.
struct HeavyPage {
    HeavyPage()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        plat::EnsureGuiRuntime();
        saved = std::move(g_Structures[0]);
        g_Structures[0] = SummarySections::ManyLayers();
    }
    ~HeavyPage() { g_Structures[0] = std::move(saved); }
    TStructure* Section() const { return g_Structures[0].get(); }
    std::unique_ptr<TStructure> saved;
};

void BM_PaintSummaryPage(benchmark::State& state)
{
    HeavyPage page;
    plat::Image image(1280, 1024);
    for (auto _ : state) {
        plat::DC dc(image);
        dc.FillRect({0, 0, 1280, 1024}, plat::Colors::White);
        PaintCrossSection(dc, page.Section(), 0, 0, 1280, 1024, 0);
    }
}
BENCHMARK(BM_PaintSummaryPage)->Unit(benchmark::kMillisecond);

void BM_HitTestSummaryPage(benchmark::State& state)
{
    HeavyPage page;
    plat::ScreenDC dc;
    int index = -1;
    for (auto _ : state) {
        // On the section near its bottom: every area of the page is tested on the way.
        benchmark::DoNotOptimize(
            HitTestSummaryPage(dc, page.Section(), 672, 700, index, 0, 0, 1280, 1024, 0));
    }
}
BENCHMARK(BM_HitTestSummaryPage)->Unit(benchmark::kMicrosecond);

} // namespace
