// Chart painting, scaling and the label renderer (offscreen).

#include <cmath>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "platform/Application.h"

namespace {

constexpr double kSeparator = 3.1415626e31;

void StartGui()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
}

// Two lines of 5,000 points each.
void Feed(ChartContract& chart)
{
    chart.ClearData();
    for (int i = 0; i < 5000; ++i)
        chart.AddPoint(i * 0.01, std::sin(i * 0.003) * 100);
    chart.AddPoint(kSeparator, kSeparator);
    chart.AddPoint(kSeparator, 1);
    for (int i = 0; i < 5000; ++i)
        chart.AddPoint(i * 0.01, std::cos(i * 0.002) * 80);
}

void BM_PaintBigChart(benchmark::State& state)
{
    StartGui();
    plat::Window page;
    Tbigchart chart(&page, "", 0, 0, 1280, 1024, 1, 0, 0);
    chart.SetTitles("Moment-Curvature", "|f Curvature (rad/km)", "M_f Moment (kN.m)", 1, 0);
    Feed(chart);
    chart.AutoScale();
    plat::Image image(1280, 1024);
    for (auto _ : state) {
        plat::DC dc(image);
        chart.Paint(dc, true, {0, 0, 1280, 1024});
    }
}
BENCHMARK(BM_PaintBigChart)->Unit(benchmark::kMillisecond);

// A compact chart (a control chart's size) of the same 10,000 points with markers, whose range
// numbers are kept clear of the points and whose data give way round them.
void BM_PaintIconChart(benchmark::State& state)
{
    StartGui();
    plat::Window page;
    Ticonchart chart(&page, "Control : Shear", 0, 0, 300, 250, 1, 1);
    Feed(chart);
    chart.AutoScale();
    plat::Image image(300, 250);
    for (auto _ : state) {
        plat::DC dc(image);
        chart.Paint(dc, true, {0, 0, 300, 250});
    }
}
BENCHMARK(BM_PaintIconChart)->Unit(benchmark::kMillisecond);

void BM_FeedAndAutoScale10000(benchmark::State& state)
{
    ChartData data(1, 0, 0);
    for (auto _ : state) {
        data.ClearData();
        for (int i = 0; i < 10000; ++i)
            data.AddPoint(i * 0.01, std::sin(i * 0.003) * 100);
        data.AutoScale();
        benchmark::DoNotOptimize(data.YStep());
    }
}
BENCHMARK(BM_FeedAndAutoScale10000)->Unit(benchmark::kMicrosecond);

void BM_RenderRichText(benchmark::State& state)
{
    StartGui();
    plat::Image image(400, 100);
    plat::DC dc(image);
    plat::LogFont font;
    font.height = -20;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawRichText(dc, 10, 10, "|e_x Strain (mm/m)", font, 0, 0));
}
BENCHMARK(BM_RenderRichText)->Unit(benchmark::kMicrosecond);

} // namespace
