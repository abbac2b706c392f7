#pragma once
// Stress-strain laws of reinforcing bars, prestressing strand and user-curve steel, with
// their tangent moduli, the bar stress at a crack and the check of a steel record.
//
// Sign convention: tension positive. Units: Pa and strain ratios. Every stress and modulus
// that leaves here is multiplied by the steel's resistance factor (GetSteelMaterialFactor).
// A ruptured bar answers kUndefined (3.1415626e31) times that factor in place of a stress.
//
// Reinforcing bar (kind 1): Es e up to fy / Es, fy on the plateau up to esh, then the
//   hardening parabola fu + K (|e| - eu)^2, K = (fy - fu) / (esh - eu)^2, up to rupture at er.
//   With g_HsuEmbeddedSteel the bilinear law of bars embedded in concrete is used instead:
//   fy a ((0.91 - 2B) + (0.02 + 0.25B) Es |e| / fy) beyond en, B = (fcr / fy)^1.5 / rho.
// Prestressing strand (kind 2), modified Ramberg-Osgood:
//   Es e (A + (1 - A) / (1 + (B e)^C)^(1/C)), at most fu, rupture beyond e_pu = eu;
//   a compressive strain beyond -0.006 counts as failed.
// User curve (kind 32767): the curve at |e| with the sign of e; zero stress at a non-zero
//   strain (beyond the end of the curve) is rupture.
// Unloading from a plastic offset e0 follows the elastic line Es (e - e0). While any
// resistance factor is below 1 a stress is capped at fy before the factor.

#include <string_view>

#include "foundation/Sentinel.h"
#include "model/materials/MaterialTypes.h"

// The largest rupture strain a strand record keeps: the check takes a larger one for no value
// and gives the strand the standard 0.043.
inline constexpr double kMaxStrandRuptureStrain = 2.0;

// Validates a record by kind; with reset the defaults of its kind are set first. A kind 32767
// record without a curve gets the default curve "segmental rebar"; its curve is cleaned and
// Es, fy, fu, eu, esh and er are derived from it (eu 0 for a curve that carries no stress). An
// unknown kind is reported and left as it is. Answers 1.
int CheckSteelType(SteelTypeRec& rec, bool reset);

// Stress at strain e for the plastic offset e0 (0 for a bar never yielded), times the steel's
// resistance factor. |e| > 100: 0. A ruptured bar answers exactly kUndefined, unscaled.
// Does not allocate.
double SteelStress(const SteelTypeRec& rec, double e, double e0);
// The same under the given resistance factors instead of the program's.
double SteelStress(const SteelTypeRec& rec, double e, double e0, const ResistanceFactors& factors);

// Tangent modulus of SteelStress. s is the law's stress at e before the unloading rule when
// the caller has it, else kUndefined to have it computed. On the unloading line the
// tangent is Es, and 0 where the stress is held at the yield stress of the other sign; a
// ruptured bar answers the tangent of the law. The bounds at fu and the yield cap of reduced
// resistance factors are not taken into account; past eu the bar keeps a positive slope.
double SteelTangentModulus(const SteelTypeRec& rec, double e, double e0, double s = kUndefined);

// Strain of a bar at a crack: a + b max(1, m) + (esh - fy/Es), m = 0.014 k / r for r > 0
// (else 2), k = 0.625 for bar names beginning with S or T (either case), else 1.
double SteelCrackStrainLimit(
    const SteelTypeRec& rec, double r, double a, double b, std::string_view barName);

// Stress of a bar at a crack, from the stress at SteelCrackStrainLimit: at least fy, fu in
// place of rupture while the limit is within eu; kUndefined (times the factor) for a bar
// that ruptures at the crack.
double SteelStressAtCrack(
    const SteelTypeRec& rec, double r, double a, double b, double e0, std::string_view barName);
