// A membrane element whose only load to increase is a compressive normal force: the control
// rule holds that strain, the first steps take its sign, and the response runs in compression
// to the peak the concrete and the bars give by hand, as a tensile increment runs in tension.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

using A = TPellicor2000Analysis;

// PV19 (tests/membrane/Pv19Panel.h): f'c 19 MPa; x bars 1.785 % of 458 MPa, y bars 0.713 % of
// 299 MPa, E_s 200 GPa.
constexpr double kFc = 19e6, kRhoX = 0.01785, kFyX = 458e6, kRhoY = 0.00713, kFyY = 299e6,
                 kEs = 2e11;

struct CompressiveIncrement : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TShell> pv19 = MakePv19();

    std::unique_ptr<TP2kFullResponse> Solve(double nxx, double nyy, double nxy)
    {
        const double loads[8] = {nxx, nyy, nxy, 0, 0, 0, 0, 0};
        pv19->SetIncrementLoads(loads, 8);
        return std::make_unique<TP2kFullResponse>(pv19.get());
    }
};

// With no shear increment, compressive normal increments alone hold the one larger in
// magnitude (x when equal); any positive normal or shear increment decides as before.
TEST_F(CompressiveIncrement, ControlHoldsTheCompressedStrainWithoutAShearIncrement)
{
    membrane_fixtures::LoadProbe probe(pv19.get());
    const struct {
        const char* name;
        double ix, iy, ixy;
        int expected;
    } rows[] = {{"x alone", -1.0, 0.0, 0.0, A::kHoldEx},
                {"y alone", 0.0, -1.0, 0.0, A::kHoldEy},
                {"y larger", -1.0, -2.0, 0.0, A::kHoldEy},
                {"equal", -2.0, -2.0, 0.0, A::kHoldEx},
                {"tension in y beside compression in x", -5.0, 1.0, 0.0, A::kHoldEy},
                {"a shear increment", -1.0, 0.0, 0.5, A::kHoldGxy}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        probe.SetIncrements(row.ix, row.iy, row.ixy);
        EXPECT_EQ(probe.ChooseControlVariable(0), row.expected);
    }
}

// N_yy alone, -1 kN/m: every stage shortens y, the load factor rises to the peak f_y =
// -(f'c + rho_y f_yy) = -21.13 MPa (the y bars yield at 1.5 mm/m, before the concrete peaks), no
// x or shear stress is called up, and the run ends in crushing beyond the peak. N_xx alone peaks
// between f'c + rho_x E_s |e_c'| (x bars elastic at the concrete's peak strain) and f'c + rho_x
// f_yx = 27.2 MPa.
TEST_F(CompressiveIncrement, OneCompressiveIncrementTracesTheResponseToItsPeak)
{
    {
        SCOPED_TRACE("N_yy");
        const auto run = Solve(0.0, -1000.0, 0.0);
        EXPECT_EQ(run->GetErrorCount(), 0);
        ASSERT_NE(run->GetStage(1), nullptr);
        EXPECT_LT(ElementNode(*run->GetStage(1))->StrainZ, 0.0);
        int stages = 0;
        for (int i = 0; i <= run->GetLastStageIndex(); ++i)
            if (const SectionState* s = run->GetStage(i)) {
                ++stages;
                EXPECT_LE(ElementNode(*s)->StrainZ, 0.0) << i;
                EXPECT_LT(std::fabs(s->Results[MembraneResult::SigmaX]), 1e4) << i;
                EXPECT_LT(std::fabs(s->Results[MembraneResult::TauXY]), 1e4) << i;
            }
        EXPECT_GT(stages, 30);
        const SectionState* peak = run->GetPeakState();
        ASSERT_NE(peak, nullptr);
        EXPECT_NEAR(peak->Results[MembraneResult::SigmaY] / -(kFc + kRhoY * kFyY), 1.0, 0.03)
            << peak->Results[MembraneResult::SigmaY];
        EXPECT_GT(peak->Results[MembraneResult::LoadFactor], 0.0);
        const double ecp = pv19->GetConcreteType(0)->ec;
        const SectionState* last = run->GetStage(run->GetLastStageIndex());
        if (last == nullptr)
            last = run->GetStage(run->GetLastStageIndex() - 1);
        ASSERT_NE(last, nullptr);
        EXPECT_LT(ElementNode(*last)->StrainZ, ecp)
            << "the run ends beyond the concrete's peak strain";
    }
    {
        SCOPED_TRACE("N_xx");
        const auto run = Solve(-1000.0, 0.0, 0.0);
        EXPECT_EQ(run->GetErrorCount(), 0);
        const SectionState* peak = run->GetPeakState();
        ASSERT_NE(peak, nullptr);
        const double ecp = std::fabs(pv19->GetConcreteType(0)->ec);
        const double fx = -peak->Results[MembraneResult::SigmaX];
        EXPECT_GT(fx, 0.98 * (kFc + kRhoX * std::min(kFyX, kEs * ecp))) << fx;
        EXPECT_LT(fx, 1.01 * (kFc + kRhoX * kFyX)) << fx;
        EXPECT_LT(ElementNode(*peak)->StrainX, 0.0);
    }
}

} // namespace
