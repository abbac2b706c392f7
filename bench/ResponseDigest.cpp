// Prints every stored stage of the benchmark responses (the beam under moment alone, the
// beam under moment with shear, the column under axial load and moment) to full precision,
// with the work counters, so that a speed change can be checked to leave every result
// bit-for-bit unchanged: run before and after and compare the two outputs with diff.

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"

namespace {

void Digest(const char* title, std::unique_ptr<TBeam> beam, double N0, double dM, double dV)
{
    const double constant[3] = {N0, 0.0, 0.0};
    const double increment[3] = {0.0, dM, dV};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, 10000);
    std::printf("# %s running=%d stages=%d attempts=%lld passes=%lld layerSolves=%lld\n",
                title,
                response.IsRunning(),
                response.GetLastStageIndex(),
                static_cast<long long>(response.GetStageCounts().attempts),
                static_cast<long long>(response.GetSolveCounts().solveBeamPasses),
                static_cast<long long>(response.GetSolveCounts().layerSolutions));
    for (int i = 0; i <= response.GetLastStageIndex(); ++i) {
        const SectionState* stage = response.GetStage(i);
        if (stage == nullptr) {
            std::printf("%d absent\n", i);
            continue;
        }
        std::printf("%d n=%d", i, stage->LayerCount);
        for (double r : stage->Results)
            std::printf(" %a", r);
        for (const auto& values : stage->LongBarValues)
            for (double v : values)
                std::printf(" %a", v);
        std::printf("\n");
    }
}

} // namespace

// With an argument 1, 2 or 3 only that response is run (for profiling one case).
int main(int argc, char** argv)
{
    const int only = argc > 1 ? std::atoi(argv[1]) : 0;
    if (only == 0 || only == 1)
        Digest("beam moment", BenchResponseBeam(), 0.0, -1000.0, 0.0);
    if (only == 0 || only == 2)
        Digest("beam moment and shear", BenchResponseBeam(), 0.0, -1500.0, 1000.0);
    if (only == 0 || only == 3)
        Digest("column", BenchColumn(), -1.0e6, -1000.0, 0.0);
    return 0;
}
