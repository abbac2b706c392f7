// Set-up steps of the beam-section analysis that the layer level and the section set-up
// provide. Until they do, each step here does the least that keeps an analysis consistent:
// the layer array is allocated but holds no layers, the profiles and the tensile-strength
// table stay as they are, and no time-dependent strains are applied. Each body moves to the
// file of the code that implements it.

#include "analysis/TQuarvish2000Analysis.h"
#include "model/TStructure.h"

int TQuarvish2000Analysis::BuildLayerMesh()
{
    if (Layers.empty())
        Layers.assign(static_cast<std::size_t>(GetMaxLayerCount()), LayerDefRec{});
    return 1;
}

void TQuarvish2000Analysis::BuildShearProfiles(double /*top*/, double /*bottom*/, int /*flag*/)
{
}

void TQuarvish2000Analysis::BuildTensileStrengthTable()
{
}

int TQuarvish2000Analysis::ApplyTimeDependentStrains(TStructure& /*structure*/)
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
