#pragma once
// Longitudinal strain of a plane-section profile at a depth.
//
// A state's profile is e_x0, the strain at depth 0, and the curvature phi (the
// ReferenceStrain and Curvature entries of its Results); the strain at depth y is
// e_x0 + phi y plus the beam's imposed strain discontinuity at y, which is 0 outside the
// section and for a beam without strain steps. flag goes to the discontinuity look-up, which
// knows only 0 (any other value is reported there as a miscall).
//
// Units: strains as ratios, curvature in 1/m, depths in m (larger depths lie higher).

class TBeam;
struct SectionState;

// e0 + phi y plus the discontinuity of the beam at y; no discontinuity for a null beam.
double StrainAtDepth(const TBeam* beam, double e0, double phi, double y, int flag = 0);
// The same for the state's own profile.
double StrainAtDepth(const TBeam* beam, const SectionState& state, double y, int flag = 0);
