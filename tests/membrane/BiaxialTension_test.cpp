// Panels of the PV series pulled equally both ways, as Solve > Sectional Response solves them:
// the response runs on past cracking until the weaker direction's bars yield, and every stage
// kept as solved carries the stresses applied to it. Pulled one way and pushed the other, a
// panel ends where its last stage's attempts fail.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/support/TestSupport.h"

namespace {

using membrane_fixtures::Stages;

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
// Tension the cracked concrete still carries once the bars harden, f't / (1 + sqrt(500 e_1))
// with f't = 0.33 sqrt(19.6) = 1.46 MPa and e_1 past 5 %: under 0.25 MPa.
constexpr double kCrackedTension = 0.3e6;
// Panels pulled at 1 : 1 and 1 : 1.001 reach the same peak within this share.
constexpr double kSameRatio = 0.01;
// Share of its peak load that a response ending where its attempts fail still carries.
constexpr double kEndShare = 0.5;

struct BiaxialTension : ::testing::Test {
    RecordingReporter reporter;
};

// The response of a panel under the increments N_xx and N_yy (as the loads dialog stores them:
// 1000 is 1 kN/m, applied as 1 MPa per unit load factor), solved once for every test.
const TP2kFullResponse& SolvedPanel(const PvPanelData& data, double nx, double ny)
{
    struct Solved {
        std::unique_ptr<TShell> panel;
        std::unique_ptr<TP2kFullResponse> run;
    };
    static std::map<std::tuple<std::string, double, double>, Solved> solved;
    Solved& entry = solved[{data.name, nx, ny}];
    if (entry.run == nullptr) {
        entry.panel = MakePvPanel(data);
        const double loads[8] = {nx, ny, 0, 0, 0, 0, 0, 0};
        entry.panel->SetIncrementLoads(loads, 8);
        entry.run = std::make_unique<TP2kFullResponse>(entry.panel.get());
    }
    return *entry.run;
}

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
            const TP2kFullResponse& run = SolvedPanel(data, 1000.0, ny);
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

namespace {

// PV22 pulled at N_xx : N_yy = 1 : 1.001 (y held) cracks both ways, is stepped over the strains
// without equilibrium and traced on with the ordinary steps until its weaker y bars reach their
// tensile strength: the peak is rho_y f_uy = 0.01524 x 630 = 9.60 MPa plus the cracked
// concrete's tension, as under the equal pull (x held).
TEST_F(BiaxialTension, NearlyEqualTensionPeaksAtTheWeakerBarsTensileStrengthAsEqualTensionDoes)
{
    const PvPanelData& pv22 = kPanels[3];
    const double strength = pv22.rhoY * kHardening * pv22.fyY;
    const auto peakY = [&](double ny) {
        const SectionState* peak = SolvedPanel(pv22, 1000.0, ny).GetPeakState();
        return peak != nullptr ? peak->Results[MembraneResult::AppliedY] : 0.0;
    };
    const double nearlyEqual = peakY(1001.0), equal = peakY(1000.0);
    EXPECT_GE(nearlyEqual, kYieldShare * strength)
        << "1 : 1.001 peaks at " << nearlyEqual / 1e6 << " MPa, rho_y f_uy " << strength / 1e6;
    EXPECT_LE(nearlyEqual, strength + kCrackedTension) << nearlyEqual / 1e6 << " MPa";
    EXPECT_NEAR(nearlyEqual / equal, 1.0, kSameRatio)
        << "1 : 1.001 peaks at " << nearlyEqual / 1e6 << " MPa, 1 : 1 at " << equal / 1e6;
}

// PV22 pulled in x and pushed in y (N_xx 1, N_yy -0.2; x held): the x bars harden to their
// tensile strength, rho_x f_ux = 0.01785 x 687 = 12.26 MPa, with 2.5 MPa of compression in y far
// from crushing, and once no larger x strain can be solved the response ends there. With y not
// in tension no range of the held strain lacks equilibrium, so nothing is stepped over: no
// stage follows at a small share of the peak.
TEST_F(BiaxialTension, PulledOneWayPushedTheOtherEndsAtItsBarsStrengthNotTrailingToNoLoad)
{
    const PvPanelData& pv22 = kPanels[3];
    const TP2kFullResponse& run = SolvedPanel(pv22, 1000.0, -200.0);
    EXPECT_EQ(run.GetErrorCount(), 0);
    const double strength = pv22.rhoX * kHardening * pv22.fyX;
    const SectionState* peak = run.GetPeakState();
    ASSERT_NE(peak, nullptr);
    const double peakX = peak->Results[MembraneResult::AppliedX];
    EXPECT_GE(peakX, kYieldShare * strength) << peakX / 1e6 << " MPa";
    EXPECT_LE(peakX, strength + kCrackedTension) << peakX / 1e6 << " MPa";

    const std::vector<const SectionState*> stages = Stages(run);
    const auto at = std::find(stages.begin(), stages.end(), peak);
    ASSERT_NE(at, stages.end());
    double least = peakX;
    for (auto s = at; s != stages.end(); ++s)
        least = std::min(least, (*s)->Results[MembraneResult::AppliedX]);
    EXPECT_GE(least, kEndShare * peakX)
        << "past the peak of " << peakX / 1e6 << " MPa the response runs on "
        << stages.end() - at - 1 << " stages to " << least / 1e6 << " MPa at e_x "
        << ElementNode(*stages.back())->StrainX;
}

} // namespace
