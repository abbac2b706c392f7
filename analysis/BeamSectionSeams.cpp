// The shear-stress distribution of a solved state, which the full sectional response
// provides. Until it does, a state has no distribution of its own: the solve at given loads
// then keeps the elastic shape of the shear strain and stops after its first curvature
// iteration. Each body moves to the file of the code that implements it.

#include "analysis/TQuarvish2000Analysis.h"

int TQuarvish2000Analysis::ComputeShearStressDistribution(SectionState& /*state*/)
{
    return 0;
}

double TQuarvish2000Analysis::ShearDistributionError(const SectionState& /*state*/) const
{
    return 0.0;
}
