// A membrane element whose only load to increase is the normal stress in y: File > Open of its
// document and Solve > Sectional Response trace its response in y tension to the y bars' yield
// and beyond, as an element loaded in x or in shear is traced.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "membrane/MembraneState.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/BothModesShell.h"

namespace {

// The PV19 panel (70 mm, y bars 0.713 % of 299 MPa, fu 1.5 fy) with no constant load and one
// increment, 1 MPa of tension in y.
std::unique_ptr<TStructure> Pv19InYTension()
{
    std::unique_ptr<TStructure> panel = MakePv19();
    double constant[kLoadCount] = {};
    double increment[kLoadCount] = {};
    increment[1] = 1e6;
    panel->SetConstantLoads(constant, kLoadCount);
    panel->SetIncrementLoads(increment, kLoadCount);
    return panel;
}

struct MembraneYIncrement : BothModesShellTest {};

} // namespace

// The y bars alone carry the tension across a crack: the element's y stress grows past
// rho_y f_y = 0.00713 x 299 = 2.13 MPa (the bars yielded, at f_y / E_s = 1.495 mm/m) to its peak at
// the bars' ultimate, rho_y f_u = 0.00713 x 448.5 = 3.20 MPa (to 1 %); the stresses in x and in
// shear stay zero (within the state solve's 1 kPa). Solved as its initial stage alone, the element
// would show one stage at zero stress.
TEST_F(MembraneYIncrement, AMembraneElementLoadedInYAloneIsTracedPastTheYBarsYield)
{
    std::vector<std::unique_ptr<TStructure>> panels;
    panels.push_back(Pv19InYTension());
    OpenByMenu(WriteStructures("pv19y.qvh", std::move(panels)));
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    double increment[3] = {};
    Window().GetCurrentStructure()->GetIncrementLoads(increment, 3);
    EXPECT_EQ(increment[0], 0.0);
    EXPECT_EQ(increment[1], 1e6);
    EXPECT_EQ(increment[2], 0.0);

    Frame().Dispatch(CmId::SectionalResponse);
    const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->IsRunning());
    EXPECT_EQ(a->GetErrorCount(), 0);
    EXPECT_GT(a->GetLastStageIndex(), 10);
    const SectionState* peak = a->GetPeakState();
    ASSERT_NE(peak, nullptr);
    const double rhoY = 0.00713, fy = 299e6;
    EXPECT_NEAR(peak->Result(MembraneResult::SigmaY), rhoY * 1.5 * fy, 0.01 * rhoY * 1.5 * fy);
    int yielded = 0;
    for (int i = 0; i <= a->GetLastStageIndex(); ++i)
        if (const SectionState* s = a->GetStage(i))
            yielded += s->Result(MembraneResult::SigmaY) > rhoY * fy ? 1 : 0;
    EXPECT_GT(yielded, 1);
    ASSERT_NE(ElementNode(*peak), nullptr);
    EXPECT_GT(ElementNode(*peak)->StrainZ, fy / 2e11);
    double largestOther = 0.0;
    for (int i = 0; i <= a->GetLastStageIndex(); ++i)
        if (const SectionState* s = a->GetStage(i))
            largestOther = std::max({largestOther,
                                     std::fabs(s->Result(MembraneResult::SigmaX)),
                                     std::fabs(s->Result(MembraneResult::TauXY))});
    EXPECT_LT(largestOther, 1e3);
    EXPECT_TRUE(ui.Done());
}
