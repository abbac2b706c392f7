// The contour charts (51 x 51 grid as the fire analysis feeds them), the 3-D plot through the
// software renderer of its 3-D window and a colour map of 10,000 elements, painted offscreen
// into images of panel size.

#include <cmath>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "charts/T3DPlot.h"
#include "charts/TColourMap.h"
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

// A colour map of 100 x 100 quadrilaterals with 10,000 values on the even ramp.
void BM_PaintColourMap10k(benchmark::State& state)
{
    StartGui();
    constexpr int n = 100;
    MapIntMesh mesh;
    MapFloatMesh coords;
    mesh.header = {0, 0, (n + 1) * (n + 1), n * n, 0, 0};
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int a = j * (n + 1) + i;
            mesh.nodes.insert(mesh.nodes.end(), {a, a + 1, a + n + 2, a + n + 1});
            const int e = j * n + i;
            mesh.neighbours.insert(mesh.neighbours.end(), {j > 0 ? e - n : -1, i + 1 < n ? e + 1 : -1,
                                                           j + 1 < n ? e + n : -1, i > 0 ? e - 1 : -1});
        }
    mesh.faces = mesh.neighbours;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            coords.x.push_back(0.01f * i);
            coords.y.push_back(0.01f * j);
        }
    coords.thickness.assign(n * n, 0.1f);
    plat::Window page;
    TColourMap map(&page, "Stress", 0, 0, 640, 480, kMapValues, 1.0);
    map.LinkArrays(&mesh, &coords);
    map.ClearData();
    map.AddPoint(kSeparator, kMapValues);
    for (int e = 0; e < n * n; ++e)
        map.AddPoint(std::sin(e * 0.001) * 5.0, 0.0);
    map.AutoScale();
    plat::MemoryDC dc(640, 480);
    for (auto _ : state) {
        map.Paint(dc, true, {0, 0, 640, 480});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintColourMap10k)->Unit(benchmark::kMillisecond);

} // namespace
