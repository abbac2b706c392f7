#include "analysis/state/StrainAtDepth.h"

#include "analysis/state/SectionState.h"
#include "model/TBeam.h"

double StrainAtDepth(const TBeam* beam, double e0, double phi, double y, int flag)
{
    const double plane = e0 + phi * y;
    return beam != nullptr ? plane + beam->GetStrainDiscontinuity(y, flag) : plane;
}

double StrainAtDepth(const TBeam* beam, const SectionState& state, double y, int flag)
{
    return StrainAtDepth(beam,
                         state.Results[StateResult::ReferenceStrain],
                         state.Results[StateResult::Curvature],
                         y,
                         flag);
}
