// Prints every stored stage of the benchmark responses (the beam under moment alone, the
// beam under moment with shear, the column under axial load and moment; then every station
// of the benchmark member's pushover and every path of the beam's moment-shear and
// moment-axial diagrams) to full precision, with the work counters, so that a speed change
// can be checked to leave every result bit-for-bit unchanged: run before and after and
// compare the two outputs with diff.

#include <cstdio>
#include <cstdlib>
#include <array>
#include <memory>
#include <string>

#include "BenchMember.h"
#include "BenchSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/TInteractionDiagrams.h"
#include "foundation/WorkerPool.h"
#include "member/TFullMemberResponse.h"

namespace {

void PrintStages(const char* title, const T1DAnalysis& response)
{
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

void Digest(const char* title, std::unique_ptr<TBeam> beam, double N0, double dM, double dV)
{
    const double constant[3] = {N0, 0.0, 0.0};
    const double increment[3] = {0.0, dM, dV};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, 10000);
    PrintStages(title, response);
}

void DigestMember()
{
    const BenchMember m = MakeBenchMember();
    TFullMemberResponse member(m.definition, *m.slots);
    RunToFinish(member, 1000000);
    std::printf("# member running=%d stations=%d capacity=%a\n",
                member.IsRunning(),
                member.GetStationCount(),
                member.GetMemberCapacity());
    for (int i = 0; i < member.GetStationCount(); ++i) {
        const std::string title = "station " + std::to_string(i);
        if (const T1DAnalysis* station = member.GetStationAnalysis(i))
            PrintStages(title.c_str(), *station);
    }
}

template <typename Diagram> void DigestDiagram(const char* title)
{
    std::unique_ptr<TBeam> beam = BenchBeam();
    const double constant[3] = {0.0, 0.0, 0.0};
    const double increment[3] = {0.0, -1000.0, 0.0};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->Validate();
    Diagram diagram(beam.get());
    RunToFinish(diagram, 200000);
    std::printf("# %s running=%d paths=%d points=%d\n",
                title,
                diagram.IsRunning(),
                diagram.GetSubCount(),
                diagram.GetPointCount());
    for (int k = 0; k < diagram.GetCurveCount(); ++k)
        for (int p = 0; p < diagram.GetPointCount(); ++p) {
            std::array<double, 3> mvn{};
            if (diagram.GetPoint(k, p, mvn))
                std::printf("point %d %d %a %a %a\n", k, p, mvn[0], mvn[1], mvn[2]);
        }
    for (int i = 0; i < diagram.GetSubCount(); ++i) {
        const std::string name = std::string(title) + " path " + std::to_string(i);
        if (const T1DAnalysis* path = diagram.GetSubAnalysis(i))
            PrintStages(name.c_str(), *path);
    }
}

} // namespace

// With an argument 1 to 6 only that case is run (for profiling one case); a second argument
// sets the number of workers (the machine's cores by default).
int main(int argc, char** argv)
{
    const int only = argc > 1 ? std::atoi(argv[1]) : 0;
    if (argc > 2)
        SetWorkerCount(std::atoi(argv[2]));
    if (only == 0 || only == 1)
        Digest("beam moment", BenchResponseBeam(), 0.0, -1000.0, 0.0);
    if (only == 0 || only == 2)
        Digest("beam moment and shear", BenchResponseBeam(), 0.0, -1500.0, 1000.0);
    if (only == 0 || only == 3)
        Digest("column", BenchColumn(), -1.0e6, -1000.0, 0.0);
    if (only == 0 || only == 4)
        DigestMember();
    if (only == 0 || only == 5)
        DigestDiagram<TMVInter>("beam moment-shear");
    if (only == 0 || only == 6)
        DigestDiagram<TMNInter>("beam moment-axial");
    return 0;
}
