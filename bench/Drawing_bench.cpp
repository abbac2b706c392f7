// Drawing on a window's backing image (offscreen): a chart curve of 10,000 points in one
// polyline, and 1,000 labels written at an angle.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/DC.h"

namespace {

void StartGui() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
}

// A damped oscillation across a 1000 x 700 chart, the way a cyclic load history looks:
// with 400 cycles its segments run about 10 pixels, with 20 cycles about 1.
std::vector<plat::Point> Curve(int n, int cycles) {
    std::vector<plat::Point> points;
    points.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i / static_cast<double>(n);
        points.push_back({static_cast<int>(20 + 960 * t),
                          static_cast<int>(350 - 300 * std::exp(-t) * std::sin(2 * M_PI * cycles * t))});
    }
    return points;
}

void BM_Polyline10000(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::LtBlue});
    const std::vector<plat::Point> curve = Curve(10000, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        dc.Polyline(curve);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Polyline10000)->Arg(20)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_RotatedTextOut1000(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    plat::LogFont font{-13};
    font.escapement = 900;  // axis titles write upwards
    dc.SelectFont(font);
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextAlign(plat::TextAlign::Center | plat::TextAlign::Bottom);
    const std::string labels[] = {"0.005", "-12.5", "Moment (kNm)", "Curvature (rad/km)"};
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            dc.TextOut(20 + i % 900, 100 + (i * 7) % 500, labels[i % 4]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RotatedTextOut1000)->Unit(benchmark::kMicrosecond);

} // namespace
namespace {
void BM_TextOut1000(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectFont(plat::LogFont{-13});
    dc.SetBkMode(plat::BkMode::Transparent);
    const std::string labels[] = {"0.005", "-12.5", "Moment (kNm)", "Curvature (rad/km)"};
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            dc.TextOut(20 + i % 900, 100 + (i * 7) % 500, labels[i % 4]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TextOut1000)->Unit(benchmark::kMicrosecond);
}
