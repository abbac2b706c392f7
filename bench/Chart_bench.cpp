// Chart painting, scaling and the label renderer (offscreen).

#include <cmath>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "charts/RichText.h"
#include "charts/TTextBox.h"
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

// A full chart of a page's size with the 10,000 points and a three-line legend over it.
struct ChartWithLegend {
    ChartWithLegend()
    {
        page.Create();
        page.MoveWindow({0, 0, 1280, 1024});
        chart.CreateInParent();
        chart.SetTitles("Bottom Reinforcement", "Length along member (mm)", "Mild steel force (kN)", 0, 1);
        Feed(chart);
        chart.AutoScale();
        legend.CreateInParent();
        legend.SetFontHeights(934 / 30, 1);
        legend.SetText("\1 c\2 Provided\r\n\1 d\2 Effective\r\n\1 e\2 Demand\r\n");
        legend.SetLegend(true);
        legend.SetLegendPosition(2);
    }
    plat::Window page;
    Tbigchart chart{&page, "Bottom Reinforcement", 0, 0, 934, 337, 1, 0, 0};
    TTextBox legend{&chart, "CHILD", 100, 100, 180, 65};
};

// Placing a three-line legend over a full chart of a page's size and the same 10,000 points
// (run at every stage stepped to), and painting the chart with its legend.
void BM_KeepLegendClear(benchmark::State& state)
{
    StartGui();
    ChartWithLegend made;
    for (auto _ : state)
        made.chart.KeepLegendsClear();
}
BENCHMARK(BM_KeepLegendClear)->Unit(benchmark::kMicrosecond);

void BM_PaintBigChartWithLegend(benchmark::State& state)
{
    StartGui();
    ChartWithLegend made;
    Tbigchart& chart = made.chart;
    TTextBox& legend = made.legend;
    chart.KeepLegendsClear();
    plat::Image image(934, 337);
    for (auto _ : state) {
        plat::DC dc(image);
        chart.Paint(dc, true, {0, 0, 934, 337});
        const BoxPlace b = legend.Place();
        dc.SetWindowOrg({-b.x, -b.y});
        legend.Paint(dc, true, {0, 0, b.w, b.h});
    }
}
BENCHMARK(BM_PaintBigChartWithLegend)->Unit(benchmark::kMillisecond);

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
