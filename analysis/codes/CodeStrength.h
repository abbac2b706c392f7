#pragma once
// Shear and flexural strength of a beam cross-section by the general method of sectional
// shear design (longitudinal strain e_x at mid-depth, angle theta of the diagonal
// compression, factor beta of the concrete contribution), in three design-code variants:
//
//   0 AASHTO-94    theta and beta from the tables of the code
//   1 AASHTO-2000  the same with the later tables
//   2 CSA-2014     theta = 29 + 7000 e_x degrees, beta = 0.4/(1 + 1500 e_x) 1300/(1000 + s_xe),
//                  e_x iterated
//
// Load path: the section carries its constant loads (N_c, M_c, V_c0) plus lambda times its
// increment loads (N_i, M_i, V_i); every strength is the load factor lambda at which the code
// strength is reached, and the failure loads are N_c + lambda N_i, M_c + lambda M_i and
// V_c0 + lambda |V_i|. The section is only read.
//
// Units: SI (N, m, Pa). Square roots of f'c are taken in MPa and scaled back by 1e6 to Pa.
// Moments follow the stored sign (a sagging moment is negative).
//
// The routines share one working state (the moment sign, the axial load ratio and the loaded
// tables, g_CodeLoadPath and g_CodeTables): a record build and the table routines that read
// it must run without another calculation in between. Main thread only.

#include "foundation/Sentinel.h"

class TBeam;

enum CodeVariant : int {
    kAashto94 = 0,
    kAashto2000 = 1,
    kCsa2014 = 2,
};

// The working record of one calculation: plain values, copied into the table routines.
struct CodeStrengthRecord {
    double fc = 0.0;         // f'c of the main concrete type, positive (Pa)
    double rhoVFy = 0.0;     // transverse ratio x yield stress, largest over the depth (Pa)
    double dv = 0.0;         // effective shear depth (m)
    double bv = 0.0;         // effective web width (m)
    double sxe = 0.0;        // crack spacing s_x, then the equivalent s_xe (m)
    double As = 0.0;         // bars on the flexural tension side (m^2)
    double Aps = 0.0;        // tendons on the flexural tension side (m^2)
    double fpo = 0.0;        // mean locked-in stress of those tendons (Pa)
    double fpy = 0.0;        // their mean yield stress (Pa)
    double sumEA = 0.0;      // sum of E A over the tension-side steel (N)
    double sumEAc = 0.0;     // sumEA + E_c A_ct (N)
    double fy = 0.0;         // mean yield stress of the tension-side bars (Pa)
    double Tcap = 0.0;       // A_s f_y + A_ps f_py (N)
    double Fe = 0.0;         // sumEA / sumEAc, at least 1e-6 in magnitude
    double ApsFpoComp = 0.0; // locked-in force of the compression-side tendons (N)
    double Acc = 0.0;        // concrete on the compression side (m^2)
    double Ni = 0.0;         // increment loads (N, N m, N)
    double Mi = 0.0;
    double Vi = 0.0;
    double Nc = 0.0; // constant loads
    double Mc = 0.0;
    double Vc0 = 0.0;
    int belowMinimum = 0;     // 1 while rho_v f_y is not above 0.06 sqrt(f'c)
    int sideCover = 0;        // 1 when side-cover spalling should be considered
    int compressionLimit = 0; // 1 when the compression-side force decided the CSA strength
    double Vp = 0.0;          // vertical component of the tendon forces (N)
    double ex = 0.0;          // e_x reported with the CSA strength
    double Vc = 0.0;          // concrete and stirrup shares reported with it (factored, N)
    double Vs = 0.0;
    double Nf = 0.0; // loads at failure
    double Mf = 0.0;
    double Vf = 0.0;
};

// The load path's part of the working state.
struct CodeLoadPath {
    // +1 when M_i <= 0 (flexural tension below mid-height, compression face at the top),
    // -1 when M_i > 0.
    double momentSign = 1.0;
    // N_i / V_i; +-1e6 for an axial increment without shear, 0 for neither.
    double axialRatio = 0.0;
};
extern CodeLoadPath g_CodeLoadPath;

// Fills the record from the section and its loads, sets g_CodeLoadPath and, for the AASHTO
// variants, loads the tables. Answers 1.
int BuildCodeStrengthRecord(const TBeam& beam, int variant, CodeStrengthRecord& rec);

// Parts of BuildCodeStrengthRecord. The tension-steel centroid is 0 without tension steel.
void SumFlexuralReinforcement(const TBeam& beam, CodeStrengthRecord& rec, double& centroid);
double ComputeTensionSideStiffness(const TBeam& beam, CodeStrengthRecord& rec);
void ComputeShearDepthAndWidth(const TBeam& beam, CodeStrengthRecord& rec, double centroid);

// The code strength along the load path as a load factor: 0.0 for AASHTO when both |M_i| and
// |V_i| are below 0.001 or the load line meets no part of the strength curve; kUndefined when
// the method finds no strength.
double CodeShearStrength(const TBeam& beam, int variant);

// CSA-2014 strength of the record; fills e_x, V_c, V_s, N_f, M_f, V_f and the
// compression-limit flag. kUndefined when the e_x iteration does not settle in 31 passes.
double SolveCsaGeneralMethod(CodeStrengthRecord& rec);

// The least stirrup stress of the AASHTO tables, v_min = sqrt(f'c)/sqrt(145) (Pa).
double AashtoMinimumStirrups(double fc);

// One point of the AASHTO strength curve in the M-V plane, index 0 to columns + 2 (the last
// three close the curve towards zero shear). Answers 1, or 0 when the compression-side force
// limit scaled the point down.
int CodeCurvePoint(int index, double& V, double& M, CodeStrengthRecord rec);

// Where the load line of moment-shear ratio r meets the AASHTO strength curve of the loaded
// tables: the load factor, 0.0 when it meets none, kUndefined when it is negative.
double FindCodeLoadFactor(double ratio, CodeStrengthRecord rec);
