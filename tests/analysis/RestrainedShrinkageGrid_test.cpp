#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/T1DAnalysis.h"
#include "support/TestSupport.h"

namespace {

std::unique_ptr<TBeam> Restrained(double shrinkage, double discontinuity)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    double fc = 30e6;
    beam->AddConcreteTypeFromStrength(fc, "Concrete 1");
    SteelTypeRec steel;
    steel.kind = SteelKind::Reinforcing;
    steel.fy = 4.5e8;
    steel.name = "Steel 1";
    CheckSteelType(steel, true);
    beam->AddSteelType(steel);
    beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    LongLayerRec bars;
    bars.z = 0.0654, bars.num = 3, bars.Ai = 510e-6, bars.A = 3 * 510e-6, bars.db = 0.0254;
    bars.bartitle = "#8", bars.name = "Bars";
    beam->AddLongLayer(bars, 0);
    TDepthTable shrink;
    shrink.Add(0.6, shrinkage);
    shrink.Add(0.0, shrinkage);
    beam->SetShrinkThermCurve(shrink);
    TDepthTable step;
    step.Add(0.6, 0.0);
    step.Add(0.5, discontinuity);
    step.Add(0.0, 0.0);
    beam->SetStrainDiscontinuity(step);
    PointSections::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    beam->Validate();
    return beam;
}

} // namespace

TEST(RestrainedShrinkageGrid, Measure)
{
    RecordingReporter reporter;
    int failed = 0, total = 0;
    for (int si = 2; si <= 16; ++si) {
        std::string line;
        for (int di = 2; di <= 16; ++di) {
            const double s = -0.05 * si, d = 0.05 * di;
            auto beam = Restrained(s * 1e-3, d * 1e-3);
            TFullSectionalResponse a(beam.get());
            const SectionState* s0 = a.GetStageCount() > 0 ? a.GetStage(0) : nullptr;
            ++total;
            char buf[64];
            if (s0 == nullptr || a.GetErrorCount() > 0) {
                ++failed;
                std::snprintf(buf, sizeof buf, " %5.2f:FAIL      ", d);
            } else
                std::snprintf(buf, sizeof buf, " %5.2f:%5.2f,%5.2f", d, s0->Results[StateResult::AxialForce] / 1e3,
                              s0->Results[StateResult::Moment] / 1e3);
            line += buf;
        }
        std::printf("%5.2f%s\n", -0.05 * si, line.c_str());
    }
    std::printf("failed %d of %d\n", failed, total);
}
