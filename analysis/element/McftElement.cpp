#include "analysis/element/McftElement.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "analysis/element/NodeConcrete.h"
#include "analysis/state/AnalysisMessages.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"

namespace {

// pi as the stored crack angles have always used it.
constexpr double kPi = 3.141592653589;

// pi / 2 less the stored half pi, and pi less the stored pi (both differences are exact).
constexpr double kHalfPiOffset = 1.57079632679489661923 - kStoredHalfPi;
constexpr double kPiOffset = 3.14159265358979323846 - kPi;

// Bounds of |tan(theta)|: the stress transformation divides by t.
constexpr double kMaxTan = 1000000.0;
constexpr double kMinTan = 1e-6;

// ---- The concrete laws as this solver calls them --------------------------------------

// Tangent of the same law. factor is the rate of the other in-plane principal strain (e2
// for direction 1, e1 for direction 2) per unit of the strain of the direction. The third
// principal strain is 0, so the lateral strain that softens the direction is that other
// strain while it is tensile and the constant 0 otherwise; its rate is handed as both
// lateral rates, so the law's choice between them cannot drop a negative rate.
double PrincipalTangent(const ConcreteTypeRec& type,
                        const LayerNodeStateRec& el,
                        double e1,
                        double e2,
                        int direction,
                        double factor,
                        double a,
                        double b)
{
    const PrincipalStrains e = {e1, e2, 0.0};
    const double other = direction == 1 ? e2 : e1;
    const double lateralRate = other > 0.0 ? factor : 0.0;
    return ConcreteTangentModulus(type,
                                  e,
                                  direction,
                                  lateralRate,
                                  lateralRate,
                                  el.LocalTensileStrength,
                                  el.TensionStiffFactor,
                                  a,
                                  b);
}

// ---- Helpers ---------------------------------------------------------------------------

// tan(theta) kept within 1e-6 ... 1e6 in magnitude, with its sign (0 becomes +1e-6).
double ClampTan(double t)
{
    if (std::fabs(t) > kMaxTan)
        t = std::copysign(kMaxTan, t);
    if (t == 0.0)
        return kMinTan;
    if (std::fabs(t) < kMinTan)
        t = std::copysign(kMinTan, t);
    return t;
}

// The direction of the principal strains by the Mohr circle: with d = ex - ez, g = gamma and
// r = sqrt(d^2 + g^2) the circle's diameter, 2 phi = atan2(g, d) has cosine d / r and sine
// g / r; the half-angle cosine and sine come from (r + d) / 2r and (r - d) / 2r, whichever
// does not cancel, the other from sin 2 phi = 2 sin phi cos phi. The stored angle is
// theta = pi / 2 - phi - h with h = kHalfPiOffset (about 4e-13), taken to first order.
// Answers false for a circle too small to give a direction (then the angle's own sine,
// cosine and tangent are used).
bool MohrDirection(double d, double g, double r, CrackDirection& out)
{
    if (!(r > 1e-100) || !std::isfinite(r))
        return false;
    double cosPhi = 0.0;
    double sinPhi = 0.0;
    if (d >= 0.0) {
        cosPhi = std::sqrt((r + d) / (2.0 * r));
        sinPhi = g / (2.0 * r * cosPhi);
    } else {
        sinPhi = std::copysign(std::sqrt((r - d) / (2.0 * r)), g);
        cosPhi = g / (2.0 * r * sinPhi);
    }
    out.sine = cosPhi - kHalfPiOffset * sinPhi;
    out.cosine = sinPhi + kHalfPiOffset * cosPhi;
    out.tangent = ClampTan(out.sine / out.cosine);
    return true;
}

double SignOf(double x)
{
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// Limits of f1 at a crack from the reserves (Pa): Lx from the x reinforcement, Lz from the
// z reinforcement, each raised by the crack shear vu that the reserve difference calls for,
// up to the crack-shear limit.
struct CrackLimits {
    double D = 0.0;
    double Lx = 0.0;
    double Lz = 0.0;
};

CrackLimits ComputeCrackLimits(double rx, double rz, double s, double c, double t, double vMax)
{
    CrackLimits limits;
    limits.D = std::fabs(rx - rz) * s * c;
    const double vu = std::min(std::fabs(limits.D), vMax);
    const double sigma = SignOf(limits.D);
    limits.Lx = rx + sigma * vu / t;
    limits.Lz = rz + sigma * vu * t;
    return limits;
}

// The shear stress on the crack that carries f1 across it, 0 where it does not act in the
// direction of the applied shear.
double ShearOnCrack(const LayerNodeStateRec& el, double f1n, double t, double gamma)
{
    const double rx = el.ReserveX;
    const double rz = el.ReserveZ;
    if (std::fabs(t) == kMinTan || std::fabs(t) == kMaxTan || (rx < 1.0 && rz < 1.0))
        return 0.0;
    if (rx > rz) {
        const double v = (f1n - rz) / t;
        const bool kept = gamma == 0.0 || (gamma > 0.0 && v >= 0.0) || (gamma < 0.0 && v <= 0.0);
        return kept ? v : 0.0;
    }
    const double v = (rx - f1n) * t;
    const bool kept = gamma == 0.0 || (gamma > 0.0 && v <= 0.0) || (gamma < 0.0 && v >= 0.0);
    return kept ? v : 0.0;
}

// Steps of the crack check of a cracked element; returns the new f1.
double CheckCrack(const ConcreteTypeRec& type,
                  LayerNodeStateRec& el,
                  double f1,
                  double s,
                  double c,
                  double t,
                  double w,
                  double ag,
                  double fd)
{
    const double phiC = ConcretePhi();
    const double vMax = el.CrackShearLimit;
    el.CrackCheckCode = CrackCheck::None;

    if (!IsHsuFamily(type)) {
        // Tension-stiffening bound: what bond can carry into the concrete between cracks.
        const double vq = 0.25 * type.ft / InterlockDenominator(w, ag) * phiC;
        double q, B, H;
        if (el.AxesSwapped == 0) {
            q = std::fabs(vq / t);
            B = 0.85 * type.ft * phiC * std::fabs(t) + el.ReserveZ;
            H = el.ReserveX / 2.0;
        } else {
            q = std::fabs(vq * t);
            B = 0.85 * type.ft * phiC / std::fabs(t) + el.ReserveX;
            H = el.ReserveZ / 2.0;
        }
        const double P1 = std::min(q, el.TensionLimit) * type.tsFactor;
        const double bound = std::min(H, std::min(P1, B + fd) * type.tsFactor);
        if (type.tensionStiffening == 7 && bound > f1)
            f1 = bound;

        // Crack check: f1 may not exceed what the reinforcement reserves carry across a crack.
        const double rx = el.ReserveX;
        const double rz = el.ReserveZ;
        const double f1old = f1;
        const double lavg = rx * s * s + rz * c * c;
        CrackLimits lim = ComputeCrackLimits(rx, rz, s, c, t, vMax);
        if (std::fabs(t) == kMaxTan)
            lim.Lz = 2.0 * f1; // cracks parallel to z: Lz (t clamped) takes no part
        f1 = std::min({f1, lim.Lx, lim.Lz, lavg});
        if (el.TensionLimit > lavg)
            el.TensionLimit = lavg;

        const bool slipping = std::fabs(lim.D) >= vMax;
        if (std::fabs(f1 - f1old) < 1.0) {
            el.CrackCheckCode = CrackCheck::None;
        } else if (std::fabs(f1 - lim.Lx) < 1.0) {
            el.CrackCheckCode = slipping ? CrackCheck::LimitXSlip : CrackCheck::CrackLimit;
        } else if (std::fabs(f1 - lim.Lz) < 1.0) {
            el.CrackCheckCode = slipping ? CrackCheck::LimitZSlip : CrackCheck::CrackLimit;
        } else if (std::fabs(f1 - lavg) < 1.0) {
            el.CrackCheckCode = CrackCheck::Average;
        } else {
            el.CrackCheckCode = CrackCheck::Unmatched;
            ReportAnalysisMessage("Error in shear on crack!", "MCFT Analysis", MsgStyle::Ok);
        }
    }

    // Tension floor: the tension that still crosses an open crack.
    if (fd > f1) {
        f1 = fd;
        el.CrackCheckCode = CrackCheck::DecayFloor;
    }
    if (fd > el.TensionLimit)
        el.TensionLimit = fd;

    el.CrackShearStress = ShearOnCrack(el, f1 - fd, t, el.ShearStrain);

    const CrackLimits lim = ComputeCrackLimits(el.ReserveX, el.ReserveZ, s, c, t, vMax);
    if (std::fabs(lim.D) > vMax)
        el.TensionLimit = std::min({el.TensionLimit, lim.Lx, lim.Lz});
    if (fd > el.TensionLimit)
        el.TensionLimit = fd;
    return f1;
}

} // namespace

double ConcreteTensionLimit(const ConcreteTypeRec& type, LayerNodeStateRec& element)
{
    assert(type.Ec > 0.0 && "concrete type not prepared");
    const double ecr = std::max(element.LocalTensileStrength / type.Ec, type.ecr);
    const double fcr = std::max(type.ft, element.LocalTensileStrength) * ConcretePhi();
    element.TensionLimit = fcr;
    if (g_CrackingReductionOption == 0 || IsNamedSteel(type))
        return ecr;

    double beta = 1.05 - element.ConcStress2 / (element.ConcStress2Max - 1.0);
    beta = std::clamp(beta, 0.05, 1.0);
    if (std::fabs(type.ec) < std::fabs(element.Strain2 - element.FreeStrain2))
        beta = 0.05; // past the compressive peak
    element.TensionLimit = fcr * beta;
    if (element.ConcStress1 > element.TensionLimit)
        element.ConcStress1 = element.TensionLimit;
    return beta * ecr;
}

double CrackAngleOf(const LayerNodeStateRec& element)
{
    const double dx = element.StrainX - element.FreeStrainX;
    const double dz = element.StrainZ - element.FreeStrainZ;
    return kStoredHalfPi - std::atan2(element.ShearStrain, dx - dz) / 2.0;
}

double SolveMcftElement(const ConcreteTypeRec& type,
                        LayerNodeStateRec& element,
                        double a,
                        double b,
                        CrackDirection* direction)
{
    LayerNodeStateRec& el = element;
    const double phiC = ConcretePhi();

    const double dx = el.StrainX - el.FreeStrainX;
    const double dz = el.StrainZ - el.FreeStrainZ;
    const double gamma = el.ShearStrain;
    el.CrackCheckCode = CrackCheck::None;

    const double r = std::sqrt((dx - dz) * (dx - dz) + gamma * gamma);
    CrackDirection dir;
    if (!MohrDirection(dx - dz, gamma, r, dir)) {
        const double theta = CrackAngleOf(el);
        dir.tangent = ClampTan(std::tan(theta));
        dir.sine = std::sin(theta);
        dir.cosine = std::cos(theta);
    }
    if (direction != nullptr)
        *direction = dir;
    else
        el.CrackAngle = CrackAngleOf(el);
    const double t = dir.tangent;
    const double s = dir.sine;
    const double c = dir.cosine;

    el.FreeStrain1 = el.FreeStrainZ * c * c + el.FreeStrainX * s * s;
    el.FreeStrain2 = el.FreeStrainZ * s * s + el.FreeStrainX * c * c;
    const double m = (dx + dz) / 2.0;
    el.Strain1 = m + r / 2.0 + el.FreeStrain1;
    el.Strain2 = m - r / 2.0 + el.FreeStrain2;
    const double e1 = el.Strain1 - el.FreeStrain1;
    const double e2 = el.Strain2 - el.FreeStrain2;

    double unusedPeak = 0.0;
    double f2max = 0.0;
    el.ConcStress1 = NodePrincipalStress(type, el, e1, e2, 1, unusedPeak, a, b);
    el.ConcStress2 = NodePrincipalStress(type, el, e1, e2, 2, f2max, a, b);
    el.ConcStress2Max = f2max;

    const double ecrUsed = ConcreteTensionLimit(type, el);
    double f1 = el.ConcStress1;
    const bool cracked = e1 > ecrUsed;
    const double ag = EffectiveAggregateSize(type.fc, type.aggregate);

    double w = 0.0;
    if (cracked) {
        const double spacing = CrackSpacingAtAngle(s, c, el.CrackSpacingX, el.CrackSpacingZ);
        w = (e1 - ecrUsed) * spacing;
        el.CrackSpacingTheta = spacing;
        el.CrackWidth = w;
        el.CrackShearLimit = 0.18 * std::sqrt(std::fabs(type.fc) * 1e-6) /
                             InterlockDenominator(w, ag) * 1000000.0 * phiC;
    } else {
        el.CrackWidth = 0.0;
        el.CrackSpacingTheta = 0.0;
        el.CrackShearLimit = 0.0;
    }
    if (IsHsuFamily(type))
        el.CrackShearLimit = 0.0;

    if (cracked && !IsNamedSteel(type)) {
        const double fd = TensionDecayStress(w, type.Ec * ecrUsed);
        f1 = CheckCrack(type, el, f1, s, c, t, w, ag, fd);
    } else {
        el.CrackShearStress = 0.0;
    }

    const double f2 = el.ConcStress2;
    el.ConcStress1 = f1;
    el.Stress1AtCrack = std::fabs(el.CrackShearStress) / t + f1;
    const double v = (f1 - f2) / (1.0 / t + t);
    el.ConcShearStress = v;
    el.ConcStressX = f1 - v / t;
    el.ConcStressZ = f1 - v * t;
    return t;
}

namespace {

// The secant matrix with s and c the sine and cosine of psi = pi - theta.
void SecantMatrixAt(Matrix3& matrix,
                    const ConcreteTypeRec& type,
                    const LayerNodeStateRec& element,
                    bool rowOnly,
                    double s,
                    double c)
{
    const double S = s * s;
    const double C = c * c;
    const double P = s * c;
    const double Q = C - S;

    const double initial = type.Ec * ConcretePhi();
    const double e1 = element.Strain1 - element.FreeStrain1;
    const double e2 = element.Strain2 - element.FreeStrain2;
    const double E1 = std::fabs(e1) > 1e-10 ? element.ConcStress1 / e1 : initial;
    const double E2 = std::fabs(e2) > 1e-10 ? element.ConcStress2 / e2 : initial;
    const double G = E1 * E2 / (E1 + E2 + 1.0) + 1.0;

    const double m10 = (E1 + E2) * C * S - 4.0 * G * C * S;
    const double m12 = (E2 * S - E1 * C) * P + 2.0 * G * P * Q;
    matrix[1][0] = m10;
    matrix[1][1] = E1 * C * C + E2 * S * S + 4.0 * G * C * S;
    matrix[1][2] = m12;
    if (rowOnly)
        return;

    const double m02 = (E2 * C - E1 * S) * P - 2.0 * G * P * Q;
    matrix[0][0] = E1 * S * S + E2 * C * C + 4.0 * G * C * S;
    matrix[0][1] = m10;
    matrix[0][2] = m02;
    matrix[2][0] = m02;
    matrix[2][1] = m12;
    matrix[2][2] = (E1 + E2) * C * S + G * Q * Q;
}

} // namespace

void SecantStiffnessMatrix(Matrix3& matrix,
                           const ConcreteTypeRec& type,
                           const LayerNodeStateRec& element,
                           bool rowOnly)
{
    const double psi = kPi - element.CrackAngle;
    SecantMatrixAt(matrix, type, element, rowOnly, std::sin(psi), std::cos(psi));
}

void SecantStiffnessMatrix(Matrix3& matrix,
                           const ConcreteTypeRec& type,
                           const LayerNodeStateRec& element,
                           bool rowOnly,
                           const CrackDirection& direction)
{
    // psi = pi - theta - e with e = kPiOffset (about 8e-13), to first order:
    // sin psi = sin theta + e cos theta, cos psi = -(cos theta - e sin theta).
    const double s = direction.sine + kPiOffset * direction.cosine;
    const double c = -(direction.cosine - kPiOffset * direction.sine);
    SecantMatrixAt(matrix, type, element, rowOnly, s, c);
}

void SolveMcftLayer(Matrix3& matrix,
                    const ConcreteTypeRec& type,
                    const LayerNodeStateRec& element,
                    double Dx,
                    double Dz,
                    double a,
                    double b)
{
    const LayerNodeStateRec& el = element;
    const double phiC = ConcretePhi();
    const double theta = el.CrackAngle;
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double S = s * s;
    const double C = c * c;
    const double P = s * c;
    const double Q = C - S;
    const double t = ClampTan(s / c);

    const double dx = el.StrainX - el.FreeStrainX;
    const double dz = el.StrainZ - el.FreeStrainZ;
    const double gamma = el.ShearStrain;
    const double e1 = el.Strain1 - el.FreeStrain1;
    const double e2 = el.Strain2 - el.FreeStrain2;
    const double w = el.CrackWidth;
    const double spacing = el.CrackSpacingTheta;
    const double vMax = el.CrackShearLimit;
    const double ag = EffectiveAggregateSize(type.fc, type.aggregate);

    // Terms of the principal tensile direction: A1 for ex, Dd for ez, Cc for gamma.
    double A1 = 0.0;
    double Cc = 0.0;
    double Dd = 0.0;
    const auto limitSlope = [&] {
        // d v_ci,max / d e1 with w = (e1 - ecr) s_theta; X s_theta / w is written
        // 24 s_theta / (a_g + 16 mm), which also holds at w = 0.
        const double X = 24.0 * w / (ag + 0.016);
        return (-180000.0 * std::sqrt(std::fabs(type.fc) * 1e-6) * 24.0 * spacing / (ag + 0.016)) /
               ((X + 0.31) * (X + 0.31)) * phiC;
    };
    const double R = std::max(1e-6, std::sqrt(gamma * gamma + (dx - dz) * (dx - dz)));
    switch (el.CrackCheckCode) {
    case CrackCheck::None: {
        const double Et = PrincipalTangent(type, el, e1, e2, 1, 0.0, a, b);
        A1 = Cc = Dd = Et;
        break;
    }
    case CrackCheck::Average:
        A1 = Dx / (t * t);
        Dd = t * t * Dz;
        break;
    case CrackCheck::CrackLimit:
        A1 = Dx;
        Dd = Dz;
        break;
    case CrackCheck::LimitXSlip: {
        const double k = limitSlope();
        const bool flatS = std::fabs(S) <= 1e-6;
        A1 =
            (flatS || std::fabs(t) <= 1e-6) ? 1000000.0 : k / t + Dx / S - ((vMax / S) * P / R) / S;
        Dd = (flatS || std::fabs(C) <= 1e-6) ? 0.0 : ((vMax / S) * P / R) / C + k / t;
        Cc = (std::fabs(t) > 1e-6 && std::fabs(P) > 1e-6) ? k / t - ((vMax / S) / P) * Q / (2.0 * R)
                                                          : 0.0;
        break;
    }
    case CrackCheck::LimitZSlip: {
        const double k = limitSlope();
        Dd = std::fabs(C) <= 1e-6 ? 1000000.0 : k * t + Dz / C - ((vMax / C) * P / R) / C;
        A1 = std::fabs(S) <= 1e-6 ? 1000000.0 : (vMax * t / S) / R + k * t;
        Cc = std::fabs(P) <= 1e-6 ? 1000000.0 : ((vMax / C) / P) * Q / (2.0 * R) + k * t;
        break;
    }
    default:
        break;
    }

    // Tangents of f2, each with the rate of e1 that goes with the strain it is taken for:
    // t^2 along ex, 1 / t^2 along ez, -1 along gamma.
    // The three share the law's evaluation at (e1, e2); only the lateral rate differs.
    const double lateral[3] = {e1 > 0.0 ? t * t : 0.0, e1 > 0.0 ? 1.0 / (t * t) : 0.0,
                               e1 > 0.0 ? -1.0 : 0.0};
    double E2[3] = {0.0, 0.0, 0.0};
    ConcreteTangentModuli(type,
                          {e1, e2, 0.0},
                          2,
                          lateral,
                          lateral,
                          E2,
                          3,
                          el.LocalTensileStrength,
                          el.TensionStiffFactor);
    const double E2a = E2[0];
    const double E2b = E2[1];
    const double E2c = E2[2];

    // Shear term of the rotating principal axes.
    const double G = std::fabs(e1 - e2) <= 1e-15
                         ? E2a * A1 / (E2a + A1 + 1.0)
                         : (el.ConcStress1 - el.ConcStress2) / (e1 - e2) / 2.0;

    const double ap = A1 * S;
    const double bp = E2a * C;
    const double dp = Dd * C;
    const double g = 4.0 * G * C * S;
    const double h = 2.0 * G * P * Q;
    matrix[0][0] = ap * S + bp * C + g;
    matrix[0][1] = (E2b + Dd) * C * S - g;
    matrix[0][2] = -(E2c * C * P - Cc * S * P - h);
    matrix[1][0] = ap * C + bp * S - g;
    matrix[1][1] = dp * C + E2b * S * S + g;
    matrix[1][2] = -(E2c * S * P - Cc * C * P + h);
    matrix[2][0] = -((bp - ap) * P - h);
    matrix[2][1] = -((E2b * S - dp) * P + h);
    matrix[2][2] = (Cc + E2c) * C * S + G * Q * Q;

    for (int i = 0; i < 3; ++i)
        if (std::fabs(matrix[i][i]) < 1e-6)
            matrix[i][i] = 1.0;
}
