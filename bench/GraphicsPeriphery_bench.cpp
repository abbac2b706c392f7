// The contour charts (51 x 51 grid as the fire analysis feeds them) and the 3-D plot through
// the software renderer of its 3-D window, painted offscreen into images of panel size.

#include <cmath>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "charts/T3DPlot.h"
#include "charts/TContour.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Window.h"

namespace {

constexpr double kSeparator = 3.1415626e31;

void StartGui()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
}

// A 51 x 51 field hot at one side and the bottom, the outer columns outside the section.
void FeedGrid(Tchart& chart)
{
    chart.ClearData();
    chart.AddPoint(0.4, 51.0);
    for (int j = 0; j < 51; ++j)
        for (int i = 0; i < 51; ++i) {
            const double v = j < 20 ? kContourNoValue : 20.0 + 900.0 * std::exp(-(50 - i) / 8.0) +
                                                            900.0 * std::exp(-(j - 20) / 8.0);
            chart.AddPoint(100.0 - 2 * j, v);
        }
    chart.AutoScale();
}

template <class Chart>
void PaintContour(benchmark::State& state)
{
    StartGui();
    plat::Window page;
    Chart chart(&page, "Temperature", 0, 0, 640, 480);
    FeedGrid(chart);
    plat::MemoryDC dc(640, 480);
    for (auto _ : state) {
        chart.Paint(dc, true, {0, 0, 640, 480});
        benchmark::ClobberMemory();
    }
}

void BM_PaintContourColour51(benchmark::State& state) { PaintContour<TContourColour>(state); }
void BM_PaintContour3D51(benchmark::State& state) { PaintContour<TContour3D>(state); }
BENCHMARK(BM_PaintContourColour51)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintContour3D51)->Unit(benchmark::kMillisecond);

// 10,000 segments on a helix, through the software backend.
void BM_Paint3DPlotSegments10k(benchmark::State& state)
{
    StartGui();
    plat::Window page;
    T3DPlot plot(&page, "Surface", 0, 0, 640, 480);
    plot.AddPoint(kSeparator, -1.0);
    plot.AddPoint(kSeparator, 3.0);
    for (int k = 0; k < 10000; ++k) {
        const double a = k * 0.01, b = (k + 1) * 0.01;
        plot.AddPoint(100 * std::cos(a), 100 * std::cos(b));
        plot.AddPoint(100 * std::sin(a), 100 * std::sin(b));
        plot.AddPoint(a, b);
        plot.AddPoint(kSeparator, 1000.0);
    }
    plat::MemoryDC dc(640, 480);
    for (auto _ : state) {
        plot.Paint(dc, true, {0, 0, 640, 480});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Paint3DPlotSegments10k)->Unit(benchmark::kMillisecond);

} // namespace
