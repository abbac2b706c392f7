#pragma once
// Compression softening of concrete by the lateral tensile strain (Modified Compression Field
// Theory and its successors): the factor beta that scales the peak stress f'c, whether the
// peak strain is scaled with it, and the slope of beta with the lateral strain that the
// tangent modulus uses. Internal to the concrete laws.

#include "model/materials/MaterialTypes.h"

struct SofteningState {
    double beta = 1.0;               // softened peak stress = beta f'c
    bool peakStrainSoftened = false; // peak strain = beta e'c (else e'c)
    double dBetaDe1 = 0.0;           // d beta / d e1; 0 where beta is held at a bound and for
                                     // the models whose tangent leaves the lateral term out
};

// e1: lateral tensile strain, not negative; ed: the compressive strain of the direction
// (below -1e-9). Unknown codes do not soften.
SofteningState ComputeSoftening(const ConcreteTypeRec& rec, double e1, double ed);
