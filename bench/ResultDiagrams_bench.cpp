// Painting the result diagrams of a 120-layer state of the 300 x 600 mm beam with stirrups
// onto a 500 x 400 backing image (offscreen): the crack diagram in its two crack modes and the
// force diagram. The state is cracked over its lower two thirds with crack angles that turn
// from 90 degrees at the bottom to 35 degrees near mid-depth, as under moment and shear.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "BenchSections.h"
#include "analysis/state/SectionState.h"
#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/views/MeshLayers.h"
#include "views/TBeamDiagram.h"
#include "views/TForceDiagram.h"

namespace {

constexpr int kLayers = 120;

void StartGui()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
}

std::unique_ptr<TBeam> ValidatedBeam()
{
    auto beam = BenchBeam();
    beam->Validate();
    return beam;
}

std::unique_ptr<SectionState> LayeredState(const TBeam& beam)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = 1;
    s->LayerCount = kLayers;
    const double top = beam.GetTop(), h = beam.GetHeight();
    s->NodeStates.resize(2 * kLayers + 1);
    for (int i = 0; i <= 2 * kLayers; ++i) {
        LayerNodeStateRec& n = s->NodeStates[static_cast<std::size_t>(i)];
        n.Depth = top - h * i / (2.0 * kLayers);
        const double fromBottom = (n.Depth - beam.GetBottom()) / h; // 0 bottom .. 1 top
        n.Strain1 = fromBottom < 0.66 ? 0.004 * (0.66 - fromBottom) + 1e-4 : 0.0;
        n.Strain2 = -0.0005;
        n.CrackAngle = 1.5708 - 1.0 * std::min(fromBottom, 0.6) / 0.6 * 0.96;
        n.CrackWidth = n.Strain1 > 0 ? n.Strain1 * 0.15 : 0.0;
        n.LocalTensileStrength = 2e6;
    }
    AddMeshLayerDefs(*s, kLayers);
    for (LayerDefRec& d : s->LayerDefs) {
        d.Mid = (d.Top + d.Bottom) / 2;
        d.Thickness = d.Top - d.Bottom;
    }
    s->Results[StateResult::Shear] = 2.5e5;
    s->Results[StateResult::CompressiveForce] = -6.2e5;
    s->Results[StateResult::CompressiveDepth] = 0.26;
    s->Results[StateResult::TensileForce] = 6.2e5;
    s->Results[StateResult::TensileDepth] = -0.25;
    return s;
}

template <typename Diagram>
void PaintLoop(benchmark::State& bench, Diagram& diagram)
{
    plat::Image picture(500, 400);
    plat::DC dc(picture);
    for (auto _ : bench) {
        diagram.Paint(dc, true, {0, 0, 500, 400});
        benchmark::ClobberMemory();
    }
}

void BM_PaintCrackDiagram(benchmark::State& bench)
{
    StartGui();
    SilentReporter silent;
    ScopedReporter scope(silent);
    auto beam = ValidatedBeam();
    auto state = LayeredState(*beam);
    TBeamDiagram diagram(nullptr, "Crack Diagram", 0, 0, 500, 400, static_cast<int>(bench.range(0)));
    diagram.SetDisplay(DisplayContext{});
    diagram.AttachStructure(beam.get());
    diagram.AttachState(state.get());
    bench.counters["lines"] = static_cast<double>(
        diagram.ComputePicture([](const std::string& t, const plat::LogFont&) {
                   return plat::Size{7 * static_cast<int>(t.size()), 12};
               })
            .All<picture::Line>()
            .size());
    PaintLoop(bench, diagram);
}
BENCHMARK(BM_PaintCrackDiagram)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PaintForceDiagram(benchmark::State& bench)
{
    StartGui();
    SilentReporter silent;
    ScopedReporter scope(silent);
    auto beam = ValidatedBeam();
    auto state = LayeredState(*beam);
    TForceDiagram diagram(nullptr, "Internal Forces", 0, 0, 500, 400);
    diagram.SetDisplay(DisplayContext{});
    diagram.AttachStructure(beam.get());
    diagram.AttachState(state.get());
    PaintLoop(bench, diagram);
}
BENCHMARK(BM_PaintForceDiagram)->Unit(benchmark::kMillisecond);

} // namespace
