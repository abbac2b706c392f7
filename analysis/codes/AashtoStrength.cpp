// The AASHTO strength curve in the moment-shear plane, one point per e_x column of the loaded
// tables, and the load factor at which a load line meets it.
//
// At column e_x the shear strength is V = min(V_c + V_s + V_p, 0.25 f'c b_v d_v + V_p) with
// V_c = beta sqrt(f'c) b_v d_v and V_s = rho_v f_y b_v d_v cot(theta). The moment that goes
// with it is the smaller of the one that strains mid-depth to e_x,
//   M_e = d_v (e_x factor sum EA / F - 0.5 (V - V_p) cot(theta) - 0.5 N + A_ps f_po),
// F = F_e for a negative e_x (the tension-side concrete takes part), and the one that yields
// the longitudinal reinforcement,
//   M_t = d_v (T_cap - (V - 0.5 V_s - V_p) cot(theta') - 0.5 N),
// theta' the largest theta from that column on.

#include <algorithm>
#include <cmath>

#include "analysis/codes/CodeMath.h"
#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeTables.h"
#include "model/TBeam.h"

namespace {

constexpr double kLeastLoad = 0.001;

// Ratio of the moment (beyond the constant one) to the shear of a curve point.
double PointRatio(double V, double M, const CodeStrengthRecord& rec)
{
    return V != 0.0 ? (M - rec.Mc) / std::fabs(V) : g_CodeLoadPath.momentSign * -1e6;
}

} // namespace

int CodeCurvePoint(int index, double& V, double& M, CodeStrengthRecord rec)
{
    const double s = g_CodeLoadPath.momentSign;
    const double rN = g_CodeLoadPath.axialRatio;
    const int last = std::max(g_CodeTables.columns - 1, 0);
    const int column = std::min(index, last);
    const int closing = std::max(index - last, 0);

    double beta = 0.0;
    double theta = 0.0;
    LookupCodeTableColumn(column, beta, theta, rec);
    const double bd = rec.bv * rec.dv;
    double vs = rec.rhoVFy * bd * CotDegrees(theta);
    double vp = rec.Vp;
    const double vc = beta * RootMPa(rec.fc) * bd;
    V = std::min(vc + vs + vp, 0.25 * rec.fc * bd + vp);
    double thetaMax = 0.0;
    MaxTableThetaFrom(column, thetaMax, rec);

    double me = 1e38;
    if (closing == 0) {
        const double e = g_CodeTables.exAxis[static_cast<std::size_t>(column)];
        double F = e < 0.0 ? rec.Fe : 1.0;
        if (std::fabs(F) < 0.001)
            F = 0.001;
        const double N = rN * V + rec.Nc;
        me = rec.dv * (e * g_CodeTables.exFactor * rec.sumEA / F / 1000.0 -
                       0.5 * (V - vp) * CotDegrees(theta) - 0.5 * N + rec.Aps * rec.fpo);
    } else if (closing == 2) {
        V = 0.5 * vs + vp;
    } else if (closing >= 3) {
        V = vs = vp = 0.0;
    }
    const double N = rN * V + rec.Nc;
    const double mt = rec.dv * (rec.Tcap - (V - 0.5 * vs - vp) * CotDegrees(thetaMax) - 0.5 * N);
    M = -s * std::min(me, mt);

    // The compression side carries at most 0.85 f'c over its concrete.
    const double c = std::fabs(M) / rec.dv + rec.ApsFpoComp - 0.5 * (rN * V + rec.Nc);
    const double cmax = 0.85 * rec.fc * rec.Acc;
    if (c > cmax) {
        const double scale = cmax / (c + 1.0);
        M *= scale;
        V *= scale;
        return 0;
    }
    return 1;
}

double FindCodeLoadFactor(double ratio, CodeStrengthRecord rec)
{
    const double s = g_CodeLoadPath.momentSign;
    double v0 = 0.0;
    double m0 = 0.0;
    CodeCurvePoint(0, v0, m0, rec);
    double vPrev = v0;
    double mPrev = s;
    double rPrev = v0 != 0.0 ? s / std::fabs(v0) : -1e6;
    for (int k = 0; k <= g_CodeTables.columns + 2; ++k) {
        double vk = 0.0;
        double mk = 0.0;
        CodeCurvePoint(k, vk, mk, rec);
        const double rk = PointRatio(vk, mk, rec);
        if (s * ratio <= s * rPrev && s * rk < s * ratio && -s * mk > 0.0) {
            // Intersection of the load line (M - M_c) = r (V - V_c0) with the segment.
            double m = mk;
            double a = 0.0;
            if (std::fabs(mPrev - mk) > 0.001) {
                const double q = (vPrev - vk) / (mPrev - mk);
                a = ((vk + vPrev - 2.0 * rec.Vc0) - (mk + mPrev - 2.0 * rec.Mc) * q) / 2.0;
                m = std::fabs(ratio) <= 0.0001 ? 0.0 : a / (1.0 / ratio - q);
            }
            double lambda = 0.0;
            if (rec.Vi == 0.0)
                lambda = m / rec.Mi;
            else if (m == 0.0 || ratio == 0.0)
                lambda = a / std::fabs(rec.Vi);
            else
                lambda = (m / std::fabs(rec.Vi)) / ratio;
            return lambda < 0.0 || !std::isfinite(lambda) ? kUndefined : lambda;
        }
        vPrev = vk;
        mPrev = mk;
        rPrev = rk;
    }
    return 0.0;
}

double CodeShearStrength(const TBeam& beam, int variant)
{
    // A section without height has no shear depth.
    if (!(beam.GetHeight() > 0.0))
        return kUndefined;
    CodeStrengthRecord rec;
    BuildCodeStrengthRecord(beam, variant, rec);
    if (variant == kCsa2014)
        return SolveCsaGeneralMethod(rec);
    if (std::fabs(rec.Vi) < kLeastLoad && std::fabs(rec.Mi) < kLeastLoad)
        return 0.0;

    const double s = g_CodeLoadPath.momentSign;
    const double r1 = rec.Vi != 0.0 ? rec.Mi / std::fabs(rec.Vi) : s * -10000.0;
    if (rec.Mi == 0.0)
        rec.Mi = 0.0001;
    // The section d_v from the support, where M = V d_v.
    const double r2 = -s * rec.dv;
    auto strength = [&](const CodeStrengthRecord& r) {
        LoadCodeTables(r, variant);
        double lambda = FindCodeLoadFactor(r1, r);
        const double atDv = FindCodeLoadFactor(r2, r);
        if (atDv < lambda && std::fabs(r.Vi) > 0.0)
            lambda = atDv;
        return lambda;
    };

    const double vMin = AashtoMinimumStirrups(rec.fc);
    if (rec.rhoVFy > vMin || rec.rhoVFy == 0.0)
        return strength(rec);
    // Some stirrups, but fewer than the minimum: interpolate between none and the minimum.
    const double given = rec.rhoVFy;
    CodeStrengthRecord none = rec;
    none.rhoVFy = 0.0;
    const double lambdaNone = strength(none);
    CodeStrengthRecord minimum = rec;
    minimum.rhoVFy = vMin;
    const double lambdaMin = strength(minimum);
    if (IsUndefined(lambdaNone) || IsUndefined(lambdaMin))
        return kUndefined;
    return lambdaNone + (lambdaMin - lambdaNone) * given / vMin;
}
