#pragma once
// Stress-strain laws of concrete as the Modified Compression Field Theory uses them: a base
// curve in compression softened by the lateral tensile strain, linear up to cracking and a
// tension-stiffening law beyond, with the automatic material properties and the check and
// preparation of a concrete record.
//
// Sign convention: compression negative (f'c, e'c and compressive stresses are negative).
// Units: Pa and strain ratios. Every stress and modulus that leaves here is multiplied by
// the concrete resistance factor phi_c (g_ResistanceFactors).
//
// Base curves, with x = e / ep and fp the (softened) peak stress:
//   0 Linear          fp x up to the peak, 0 beyond
//   1 Parabolic       fp (2x - x^2)
//   2 Popovics        fp n x / (n - 1 + x^(n k)), n = 0.8 + |fp|/17 MPa (at least 1.1),
//                     k = 0.67 + |fp|/62 MPa beyond the peak, 1 before
//                     (Popovics/Thorenfeldt/Hawmere)
//   3 Elasto-Plastic  fp x up to the peak, fp up to 2 ep, 0 beyond
//   4 User-Defined    the type's curve at e, scaled by the softening
// Tension: Ec e up to the cracking strain, then by the tension-stiffening code
//   f't / (1 + sqrt(c e)) (codes 1, 2, 7), f't (ecr/e)^0.4 (4, Tamai), f't to 2 ecr then
//   f't (2 ecr/e)^0.4 (3, Izumo), 0.5 f't (5), f't (6), all times the factor tsFactor.

#include <array>

#include "model/materials/MaterialTypes.h"

// Principal strains of directions 1, 2 and 3 in elements 0, 1 and 2.
using PrincipalStrains = std::array<double, 3>;

// f't (Pa): min(1.4 (1 + F/100), 0.15 F) MPa with F = |f'c| in MPa; 0.31 sqrt(F) MPa for the
// Hsu family (tension stiffening 4 with softening 9, 14, 15, 16 or 17).
double AutoTensileStrength(const ConcreteTypeRec& rec);

// e'c (negative): f'c / Ec * n / (n - 1), Ec = 3320 sqrt(F) + 6900 MPa, n = max(1.01, 0.8 + F/17).
double AutoPeakStrain(const ConcreteTypeRec& rec);

// Aggregate size that interlocks across a crack (m): the size up to 60 MPa, falling linearly
// to 0 at 70 MPa (the aggregate fractures in high-strength concrete), at most 0.025 m.
double EffectiveAggregateSize(double fc, double aggregate);

// Validates a record; with reset it takes the default models and automatic properties and is
// prepared. Without reset the flags nonDefault, ftAuto and ecAuto are recomputed. Answers 1.
int CheckConcreteType(ConcreteTypeRec& rec, bool reset);

// Gives a peak strain e'c read from an older file the sign of the convention above, as a
// document's e'c is read: a given (not automatic) e'c is a compressive strain, negative
// whatever sign the file gave it; a negative one is left exactly as it is.
void TakePeakStrainSign(ConcreteTypeRec& rec);

// Derives n, k, Kc, Ec, ecr and tsCoefficient (and f'c, e'c from a user curve, which is
// cleaned). Must run after any change of f'c, f't, e'c, the codes or the user curve.
// Answers the final tension-stiffening code.
int PrepareConcreteType(ConcreteTypeRec& rec);

// Principal stress of direction d (1..3) for the principal strains e; the two other
// directions give the lateral strain that softens compression. fp receives the softened
// peak stress. f: local tensile strength (the cracking strain is at least f / Ec); c: the
// coefficient of the tension-stiffening laws f't / (1 + sqrt(c e)). a and b are handed
// through by the element solvers and do not enter the law. A strain above 1 in magnitude
// (or a direction outside 1..3) answers 0. Does not allocate.
double ConcreteStress(const ConcreteTypeRec& rec,
                      const PrincipalStrains& e,
                      int d,
                      double& fp,
                      double f,
                      double c,
                      double a = 0.0,
                      double b = 0.0);
// The same under the given resistance factors instead of the program's.
double ConcreteStress(const ConcreteTypeRec& rec,
                      const PrincipalStrains& e,
                      int d,
                      double& fp,
                      double f,
                      double c,
                      const ResistanceFactors& factors);

// d stress / d e[d] of ConcreteStress, plus the softening term (d fp / d e1) * S * de1 where
// de1 is the rate of the lateral strain formed from rateJ and rateK, the rates of the two
// other directions j = d mod 3 + 1 and k = (d + 1) mod 3 + 1 (root of the sum of squares
// when both lateral strains are tensile, else the larger rate). Does not allocate.
double ConcreteTangentModulus(const ConcreteTypeRec& rec,
                              const PrincipalStrains& e,
                              int d,
                              double rateJ,
                              double rateK,
                              double f,
                              double c,
                              double a = 0.0,
                              double b = 0.0);

// ConcreteTangentModulus for count pairs of lateral rates at the same strains, the law
// evaluated once: moduli[i] = ConcreteTangentModulus(rec, e, d, ratesJ[i], ratesK[i], f, c).
void ConcreteTangentModuli(const ConcreteTypeRec& rec,
                           const PrincipalStrains& e,
                           int d,
                           const double* ratesJ,
                           const double* ratesK,
                           double* moduli,
                           int count,
                           double f,
                           double c);

// Tensile stress transmitted across a crack of width (or strain) e: f / (1 + 250000 e) phi_c.
// A negative e counts as a closed crack.
double TensionDecayStress(double e, double f);
