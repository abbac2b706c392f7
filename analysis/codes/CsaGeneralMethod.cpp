// The CSA-2014 general method: e_x iterated from 0 until the strain that the failure loads
// cause at mid-depth is the strain that set theta and beta; then the longitudinal tension and
// compression limits of the section, each with and without the shear term.
//
//   theta = 29 + 7000 e_x (degrees), beta = 0.4/(1 + 1500 e_x) x 1300/(1000 + s_xe in mm)
//   V_r = min(phi_c beta sqrt(f'c) b_v d_v + phi_s rho_v f_y b_v d_v cot(theta) + phi_p V_p,
//             0.25 phi_c f'c b_v d_v + phi_p V_p)
//   e_x = (max(|M|, (V - V_p) d_v)/d_v + (V - V_p) + 0.5 N - A_ps f_po) / (2 sum EA),
//         with the tension-side concrete added to the denominator when e_x is negative.

#include <algorithm>
#include <cmath>

#include "analysis/codes/CodeMath.h"
#include "analysis/codes/CodeStrength.h"
#include "model/materials/MaterialTypes.h"

namespace {

constexpr int kMaxPasses = 30;
// e_x is kept within these bounds; an iteration stuck at the lower one is given up late.
constexpr double kLeastEx = -0.0002;
constexpr double kLargestEx = 0.008;
constexpr int kStuckPasses = 25;
constexpr double kExTolerance = 1e-6;
// sqrt(f'c) is taken with f'c at most 64 MPa.
constexpr double kLargestRootFc = 64.0;

// The limit replaces lambda when it is not negative and smaller.
void LowerTo(double& lambda, double limit)
{
    if (limit >= 0.0 && limit < lambda)
        lambda = limit;
}

} // namespace

double SolveCsaGeneralMethod(CodeStrengthRecord& rec)
{
    const ResistanceFactors& phi = g_ResistanceFactors;
    rec.compressionLimit = 0;
    if (rec.Vi == 0.0)
        rec.Vi = 1e-6;

    const double rootFc = RootMPa(rec.fc, kLargestRootFc);
    const double bd = rec.bv * rec.dv;
    const double vMax = 0.25 * phi.phi_c * rec.fc * bd + phi.phi_p * rec.Vp;
    const double phiVp = phi.phi_p * rec.Vp;
    const double apsFpo = rec.Aps * rec.fpo;

    double ex = 0.0;
    double lambda = 1.0;
    double vc = 0.0;
    double vs = 0.0;
    double cotTheta = 1.0;
    for (int pass = 0;; ++pass) {
        cotTheta = CotDegrees(29.0 + 7000.0 * ex);
        const double beta = 0.4 / (1.0 + 1500.0 * ex) * 1300.0 / (1000.0 + 1000.0 * rec.sxe);
        vc = phi.phi_c * beta * rootFc * bd;
        vs = phi.phi_s * rec.rhoVFy * bd * cotTheta;
        const double vr = std::min(vc + vs + phiVp, vMax);
        lambda = std::fabs(rec.Vi) > 0.0 ? (vr - rec.Vc0) / rec.Vi : 1.0;
        const double m = rec.Mi * lambda + rec.Mc;
        const double n = rec.Ni * lambda + rec.Nc;
        const double num = std::max(std::fabs(m), (vr - phiVp) * rec.dv) / rec.dv + (vr - phiVp) +
                           0.5 * n - apsFpo;
        const double next =
            num >= 0.0 ? num / (2.0 * rec.sumEA + 1e-6) : num / (2.0 * rec.sumEAc + 1e-6);
        if (std::fabs(ex - next) < kExTolerance)
            break;
        if (std::fabs(ex - kLeastEx) < kExTolerance && pass > kStuckPasses)
            break;
        ex = std::clamp((2.0 * ex + next) / 3.0, kLeastEx, kLargestEx);
        if (pass + 1 > kMaxPasses) {
            lambda = kUndefined;
            break;
        }
    }

    // Flexural limits: the longitudinal reinforcement at yield, and the compression side at
    // 0.85 f'c, each with and without the longitudinal force that the shear adds.
    const double ey = rec.Tcap / (rec.sumEA + 1.0);
    const double cotY = CotDegrees(29.0 + 7000.0 * ey / 2.0);
    const double halfVs = 0.5 * phi.phi_s * rec.rhoVFy * bd * cotTheta;
    const double tr = phi.phi_s * rec.As * rec.fy + phi.phi_p * rec.Aps * rec.fpy;
    const double cr = rec.ApsFpoComp - 0.85 * phi.phi_c * rec.fc * rec.Acc;
    const double mcOverDv = std::fabs(rec.Mc) / rec.dv;
    const double miOverDv = std::fabs(rec.Mi) / rec.dv;
    const double shearPull = (rec.Vc0 - halfVs - phiVp) * cotY;
    const double limitTV = (tr - 0.5 * rec.Nc - mcOverDv - shearPull) /
                           (rec.Vi * cotY + 0.5 * rec.Ni + miOverDv + 1e-16);
    const double limitT = (tr - 0.5 * rec.Nc - mcOverDv) / (0.5 * rec.Ni + miOverDv + 1e-16);
    const double limitCV = (cr - std::max(shearPull, 0.0) - 0.5 * rec.Nc + mcOverDv) /
                           (0.5 * rec.Ni - miOverDv + rec.Vi * cotY + 1e-16);
    const double limitC = (cr - 0.5 * rec.Nc + mcOverDv) / (0.5 * rec.Ni - miOverDv + 1e-16);
    // Without a shear strength (under pure moment the e_x iteration runs away) the flexural
    // limits alone decide.
    LowerTo(lambda, limitTV);
    LowerTo(lambda, limitT);
    LowerTo(lambda, limitCV);
    LowerTo(lambda, limitC);
    rec.compressionLimit = lambda == limitCV || lambda == limitC ? 1 : 0;
    const bool flexural = rec.compressionLimit != 0 || lambda == limitTV || lambda == limitT;
    rec.ex = flexural ? ey : ex;

    rec.Nf = rec.Ni * lambda + rec.Nc;
    rec.Mf = rec.Mi * lambda + rec.Mc;
    rec.Vf = rec.Vi * lambda + rec.Vc0;

    // The shares reported with the strength add up to it.
    rec.Vc = vc;
    rec.Vs = rec.belowMinimum != 0 ? 0.0 : vs;
    if (rec.Vc + rec.Vs + phiVp > rec.Vf) {
        if (phiVp > rec.Vf) {
            rec.Vs = 0.0;
            rec.Vc = rec.Vf - phiVp;
        } else if (phiVp + rec.Vs > rec.Vf) {
            rec.Vc = 0.0;
            rec.Vs = rec.Vf - phiVp;
        } else {
            rec.Vc = rec.Vf - phiVp - rec.Vs;
        }
    }
    return lambda;
}
