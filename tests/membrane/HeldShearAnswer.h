#pragma once
// A membrane element's answer to its reinforcement, for tests that check an edit of the
// reinforcement leaves it as it was.

#include <vector>

#include <gtest/gtest.h>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"

namespace membrane_fixtures {

// What an element's reinforcement gives: the x ratio of each layer, the crack spacing in x,
// and sigma x, tau xy and the load factor of the state at a shear strain of 2e-3, held.
inline std::vector<double> HeldShearAnswer(TShell& shell)
{
    std::vector<double> out;
    for (int i = 0; i < shell.GetLongLayerCount(0); ++i)
        out.push_back(shell.GetLongLayer(i, 0)->ratio);
    out.push_back(shell.GetCrackSpacing(0));
    TP2k1DAnalysis analysis(&shell);
    SectionStateHolder stage;
    EXPECT_EQ(analysis.CreateSectionState(stage, nullptr), 1);
    ElementNode(*stage)->ShearStrain = 2e-3;
    analysis.SetControlIndex(TPellicor2000Analysis::kHoldGxy);
    EXPECT_EQ(analysis.SolveMembraneState(*stage, TPellicor2000Analysis::kModeStrainControl), 1);
    for (int r : {MembraneResult::SigmaX, MembraneResult::TauXY, MembraneResult::LoadFactor})
        out.push_back(stage->Results[r]);
    return out;
}

} // namespace membrane_fixtures
