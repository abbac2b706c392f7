// What clipping to the device costs ordinary drawing: lines and polylines that lie on a
// window's backing image (1000 x 700, offscreen), in a thin solid pen (walked pixel by pixel),
// a wide pen and a dashed pen (drawn by the painter); and, beside them, the same calls reaching
// a thousand million pixels past the image, which must cost what the image has pixels.

#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/Application.h"
#include "platform/DC.h"

namespace {

void StartGui() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
}

// Arg: 0 thin solid, 1 three pixels wide, 2 dashed.
plat::Pen PenOf(std::int64_t kind) {
    switch (kind) {
    case 1: return plat::Pen{plat::PenStyle::Solid, 3, plat::Colors::LtBlue};
    case 2: return plat::Pen{plat::PenStyle::Dash, 1, plat::Colors::LtBlue};
    default: return plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::LtBlue};
    }
}

// A chart curve across the image: 2,000 points, segments of about 10 pixels.
std::vector<plat::Point> Curve() {
    std::vector<plat::Point> points;
    for (int i = 0; i < 2000; ++i) {
        const double t = i / 2000.0;
        points.push_back({static_cast<int>(20 + 960 * t),
                          static_cast<int>(350 - 300 * std::exp(-t) * std::sin(2 * M_PI * 100 * t))});
    }
    return points;
}

// 2,000 separate segments with MoveTo and LineTo (grid lines, ticks, outlines).
void BM_LinesOnTheImage(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectPen(PenOf(state.range(0)));
    const std::vector<plat::Point> curve = Curve();
    for (auto _ : state) {
        for (std::size_t i = 1; i < curve.size(); ++i) {
            dc.MoveTo(curve[i - 1]);
            dc.LineTo(curve[i]);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LinesOnTheImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PolylineOnTheImage(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectPen(PenOf(state.range(0)));
    const std::vector<plat::Point> curve = Curve();
    for (auto _ : state) {
        dc.Polyline(curve);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PolylineOnTheImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// From (-2^31, 0) to (2^31 - 1, 10): 2^32 pixels long, 1000 of them on the image.
void BM_LineAcrossIntOnTheImage(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectPen(PenOf(state.range(0)));
    for (auto _ : state) {
        dc.MoveTo(INT_MIN, 0);
        dc.LineTo(INT_MAX, 10);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LineAcrossIntOnTheImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Through points a thousand million pixels out, crossing the image twice.
void BM_PolylineThroughABillionOnTheImage(benchmark::State& state) {
    StartGui();
    plat::Image img(1000, 700);
    plat::DC dc(img);
    dc.SelectPen(PenOf(state.range(0)));
    constexpr int kFar = 1000000000;
    const std::vector<plat::Point> run{{-kFar, -kFar}, {kFar, kFar}, {kFar, -kFar + 900}, {-kFar, kFar + 900}};
    for (auto _ : state) {
        dc.Polyline(run);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PolylineThroughABillionOnTheImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
