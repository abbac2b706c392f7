// Panels of the PV series pulled equally both ways, as Solve > Sectional Response solves them:
// the response runs on past cracking until the weaker direction's bars yield, and every stage
// kept as solved carries the stresses applied to it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/support/TestSupport.h"

namespace {

// The published panels: x bars 1.785 % each, y bars weaker.
const PvPanelData kPanels[] = {
    {"PV19", 19.0e6, 0.01785, 458e6, 0.0064, 0.00713, 299e6, 0.0047},
    {"PV20", 19.6e6, 0.01785, 460e6, 0.00635, 0.00885, 297e6, 0.00447},
    {"PV21", 19.5e6, 0.01785, 458e6, 0.00635, 0.01296, 302e6, 0.00541},
    // y bars of the x bars' size (the diameter only sets the automatic crack spacing)
    {"PV22", 19.6e6, 0.01785, 458e6, 0.00635, 0.01524, 420e6, 0.00635}};

// Once the y bars yield the panel can take no more than rho_y f_y in y beside what the cracked
// concrete still carries and the bars' hardening (to 1.5 f_y) adds: the peak lies at or above
// rho_y f_y. The share allows only for the last step's size on the yield plateau.
constexpr double kYieldShare = 0.99;
// Upper bound: the bars at their tensile strength and the uncracked concrete's f't (0.33
// sqrt(f'c) MPa, under 1.5 MPa for these panels).
constexpr double kHardening = 1.5;
constexpr double kConcreteTension = 1.5e6;
// The state solve's equilibrium test: squared misfit (Pa^2) at most this share of the applied
// stresses' squared size plus a floor of a thousandth of a stress unit, squared.
constexpr double kMisfitShare = 1e-5;
constexpr double kMisfitFloor = 1e6;

struct BiaxialTension : ::testing::Test {
    RecordingReporter reporter;
};

// Every stage the run shows carries C + lambda I (C = 0 here) within the solve's tolerance;
// answers the largest e_y met.
double ExpectEveryStageBalanced(const TP2kFullResponse& run, const std::array<double, 3>& inc)
{
    double largestEy = 0.0;
    for (int i = 0; i <= run.GetLastStageIndex(); ++i) {
        const SectionState* s = run.GetStage(i);
        if (s == nullptr)
            continue;
        const auto& R = s->Results;
        using namespace MembraneResult;
        const double lf = R[LoadFactor];
        const double fx = inc[0] * lf, fy = inc[1] * lf, vxy = inc[2] * lf;
        const double err = (R[SigmaX] - fx) * (R[SigmaX] - fx) +
                           (R[SigmaY] - fy) * (R[SigmaY] - fy) +
                           (R[TauXY] - vxy) * (R[TauXY] - vxy);
        EXPECT_LE(err, (fx * fx + fy * fy + vxy * vxy) * kMisfitShare + kMisfitFloor)
            << "stage " << i << ": sigma_x " << R[SigmaX] / 1e6 << ", sigma_y " << R[SigmaY] / 1e6
            << ", tau_xy " << R[TauXY] / 1e6 << " MPa against " << fx / 1e6 << ", " << fy / 1e6
            << ", " << vxy / 1e6 << " applied";
        largestEy = std::max(largestEy, ElementNode(*s)->StrainZ);
    }
    return largestEy;
}

// N_xx = N_yy = 1 kN/m (x held) and 1 : 1.001 (y held): every panel is traced past cracking to
// the yield of its y bars, rho_y f_y = 2.13, 2.63, 3.91 and 6.40 MPa; each stage shown is in
// equilibrium with C + lambda I (C = 0 here).
TEST_F(BiaxialTension, EqualTensionBothWaysRunsPastCrackingToTheWeakerBarsYield)
{
    for (const PvPanelData& data : kPanels) {
        for (const double ny : {1000.0, 1001.0}) {
            SCOPED_TRACE(std::string(data.name) + (ny > 1000.0 ? " 1 : 1.001" : " 1 : 1"));
            std::unique_ptr<TShell> panel = MakePvPanel(data);
            const double loads[8] = {1000.0, ny, 0, 0, 0, 0, 0, 0};
            panel->SetIncrementLoads(loads, 8);
            TP2kFullResponse run(panel.get());
            EXPECT_EQ(run.GetErrorCount(), 0);
            const double ecr = run.ElementConcrete()->ecr;
            const double yieldForce = data.rhoY * data.fyY;

            int stages = 0;
            for (int i = 0; i <= run.GetLastStageIndex(); ++i)
                stages += run.GetStage(i) != nullptr ? 1 : 0;
            const double largestEy = ExpectEveryStageBalanced(run, {1000.0, ny, 0.0});
            const SectionState* peak = run.GetPeakState();
            ASSERT_NE(peak, nullptr);
            const double peakY = ny * peak->Results[MembraneResult::LoadFactor];
            EXPECT_GE(peakY, kYieldShare * yieldForce) << stages << " stages, peak " << peakY / 1e6
                                                       << " MPa, rho_y f_y " << yieldForce / 1e6;
            EXPECT_LE(peakY, kHardening * yieldForce + kConcreteTension);
            // Past cracking and past the y bars' yield strain.
            EXPECT_GT(largestEy, 10.0 * ecr);
            EXPECT_GT(largestEy, data.fyY / 2e11);
        }
    }
}

} // namespace

namespace {

// A panel under tension both ways and shear (f_x : f_y : v_xy = 0.5 : 0.25 : 1, rho 1 % each
// way), held by its shear strain: past the peak, too, no stage is kept that its iteration left
// out of equilibrium by its last update.
TEST_F(BiaxialTension, EveryStageShownUnderTensionAndShearIsInEquilibrium)
{
    membrane_fixtures::PanelSpec spec;
    spec.increment = {0.5e6, 0.25e6, 1e6};
    const std::unique_ptr<TShell> panel = membrane_fixtures::MakePanel(spec);
    const TP2kFullResponse run(panel.get());
    EXPECT_EQ(run.GetErrorCount(), 0);
    ExpectEveryStageBalanced(run, spec.increment);
    // The run is traced well past the peak, where the bars yield.
    EXPECT_GT(run.GetLastStageIndex(), 100);
}

} // namespace
