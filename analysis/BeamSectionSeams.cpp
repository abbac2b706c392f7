// Steps of the beam-section set-up that the section set-up and the long-term analysis
// provide. Until they do, each step here does the least that keeps an analysis consistent:
// the tensile-strength table stays empty, no time-dependent strains are applied, the section
// constant stays 0 and the average shear strain is whatever the state holds. Each body moves
// to the file of the code that implements it.

#include "analysis/TQuarvish2000Analysis.h"

void TQuarvish2000Analysis::BuildTensileStrengthTable()
{
}

int TQuarvish2000Analysis::ApplyTimeDependentStrains(TBeam& /*beam*/)
{
    return 1;
}

void TQuarvish2000Analysis::ComputeSectionConstant()
{
}

double TQuarvish2000Analysis::GetAverageShearStrain(const SectionState* state,
                                                    int /*withEnvelope*/) const
{
    return state != nullptr ? state->AvgShearStrain : kUndefined;
}
