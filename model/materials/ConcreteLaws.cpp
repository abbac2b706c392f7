#include "model/materials/ConcreteLaws.h"

#include <algorithm>
#include <cmath>

#include "foundation/Reporter.h"
#include "model/materials/ConcreteSoftening.h"
#include "model/materials/UserCurves.h"

namespace {

constexpr double kMPa = 1e6;
// Strains at or above this count as tension (or zero strain).
constexpr double kTensionThreshold = -1e-9;
constexpr double kMaxStrain = 1.0;

double StrengthMPa(const ConcreteTypeRec& rec)
{
    return std::fabs(rec.fc) / kMPa;
}

// Softening codes whose parabola falls to zero at 2 e'c (4 e'c for code 16) past the peak.
bool HasParabolicDescent(int softening)
{
    switch (softening) {
    case SofteningCode::VantrioHawmere1982:
    case SofteningCode::BelarbiHsu:
    case SofteningCode::ZhangHsuEta:
    case SofteningCode::Hsu1993:
    case SofteningCode::ZhuHsuLee2001:
    case SofteningCode::ZhangHsuNoEta:
        return true;
    default:
        return false;
    }
}

bool SoftensByStrain(int softening)
{
    return softening == SofteningCode::VantrioHawmere1992A ||
           softening == SofteningCode::VantrioHawmere1992AStrain;
}

// Cracking strain: the type's, or that of the local tensile strength f when larger.
double CrackingStrain(const ConcreteTypeRec& rec, double f)
{
    return rec.Ec > 0.0 ? std::max(f / rec.Ec, rec.ecr) : rec.ecr;
}

bool StrainsInRange(const PrincipalStrains& e)
{
    return std::fabs(e[0]) <= kMaxStrain && std::fabs(e[1]) <= kMaxStrain &&
           std::fabs(e[2]) <= kMaxStrain;
}

// Cracked tensile stress times tsFactor, with its slope when asked for; ecrP is the cracking
// strain. An unknown code is reported (in the words of the stress or of the tangent) and
// carries no stress.
double CrackedTension(const ConcreteTypeRec& rec, double e, double ecrP, double c, double* slope)
{
    const double ft = rec.ft;
    double s = 0.0;
    double ds = 0.0;
    switch (rec.tensionStiffening) {
    case TensionStiffeningCode::None:
        break;
    case TensionStiffeningCode::VantrioHawmere1982:
    case TensionStiffeningCode::HawmereMitchell1987:
    case TensionStiffeningCode::Kelst1999: {
        // A non-positive coefficient means no decay (the root of c e is taken as 0).
        const double root = c * e > 0.0 ? std::sqrt(c * e) : 0.0;
        s = ft / (1.0 + root);
        if (root > 0.0)
            ds = -ft * c / (2.0 * root * (1.0 + root) * (1.0 + root));
        break;
    }
    case TensionStiffeningCode::Izumo:
        if (e < 2.0 * ecrP) {
            s = ft;
        } else if (ecrP > 0.0) {
            const double ratio = 2.0 * ecrP / e;
            s = ft * std::pow(ratio, 0.4);
            ds = -0.8 * ecrP * ft / (std::pow(ratio, 0.6) * e * e);
        }
        break;
    case TensionStiffeningCode::Tamai1987:
        if (ecrP > 0.0) {
            const double ratio = ecrP / e;
            s = ft * std::pow(ratio, 0.4);
            ds = -0.4 * ecrP * ft / (std::pow(ratio, 0.6) * e * e);
        }
        break;
    case TensionStiffeningCode::StuartOliver:
        s = 0.5 * ft;
        break;
    case TensionStiffeningCode::ElastoPlastic:
        s = ft;
        break;
    default:
        ShowMessage(slope ? "Error in Tension Stiffening Definition"
                          : "Undefined Concrete Tension stiffening type",
                    "Materials Error");
        break;
    }
    if (slope)
        *slope = ds * rec.tsFactor;
    return s * rec.tsFactor;
}

// Compressive state of one direction, before the resistance factor.
struct CompressionPoint {
    double stress = 0.0;     // principal stress, at most 0
    double fp = 0.0;         // softened peak stress
    double dStress = 0.0;    // d stress / d e[d], lateral strain held
    double dStressDe1 = 0.0; // S d fp / d e1: the softening term of the tangent
};

// Normalised base curve S(x) = stress / fp with dS/dx.
struct BasePoint {
    double S = 0.0;
    double dSdx = 0.0;
};

BasePoint PopovicsCurve(double x, double n, double fpAbs)
{
    const double k = x > 1.0 ? std::max(1.0, 0.67 + fpAbs / (62.0 * kMPa)) : 1.0;
    const double m = n * k;
    const double xm = std::pow(x, m);
    const double den = n - 1.0 + xm;
    return {n * x / den, n * (n - 1.0 + (1.0 - m) * xm) / (den * den)};
}

CompressionPoint EvaluateCompression(const ConcreteTypeRec& rec, double ed, double e1raw)
{
    // A compressive lateral strain does not soften: the laws are defined for e1 >= 0.
    const double e1 = std::max(0.0, e1raw);
    SofteningState soft = ComputeSoftening(rec, e1, ed);
    if (e1raw < 0.0)
        soft.dBetaDe1 = 0.0;
    const double beta = soft.beta;

    double fpFactor = beta;
    double ep = soft.peakStrainSoftened ? beta * rec.ec : rec.ec;
    double postScale = 1.0;
    bool onPlateau = false;
    if (SoftensByStrain(rec.softening)) {
        if (ed > beta * rec.ec) {
            ep = beta * rec.ec;
        } else if (ed > rec.ec) {
            ep = ed; // held at the softened peak
            onPlateau = true;
        } else {
            fpFactor = 1.0;
            ep = rec.ec;
            postScale = beta;
        }
    }
    const double fp = fpFactor * rec.fc;
    const double dfpDe1 = soft.dBetaDe1 * rec.fc;

    CompressionPoint p;
    p.fp = fp * postScale;
    if (rec.baseCurve == BaseCurveCode::UserDefined) {
        if (!rec.userCurve)
            return p;
        const TDepthTable& curve = *rec.userCurve;
        const double v = curve.InterpolateAtDepth(ed);
        p.stress = v * fpFactor * postScale;
        p.dStress = curve.SlopeAtDepth(ed) * fpFactor * postScale;
        p.dStressDe1 = v * soft.dBetaDe1;
    } else {
        // A vanished peak strain leaves no curve to evaluate.
        if (!(ep < 0.0))
            return p;
        const double x = ed / ep;
        BasePoint b;
        double dSde = 0.0;
        bool slopeInStrain = false; // dSde set directly rather than from dS/dx
        switch (rec.baseCurve) {
        case BaseCurveCode::Linear:
            if (x <= 1.0)
                b = {x, 1.0};
            break;
        case BaseCurveCode::Parabolic:
            if (HasParabolicDescent(rec.softening) && ed < ep) {
                const double far = rec.softening == SofteningCode::ZhuHsuLee2001 ? 4.0 : 2.0;
                const double span = far * rec.ec - ep;
                const double t = (ed - ep) / span;
                b.S = 1.0 - t * t;
                dSde = -2.0 * t / span;
                slopeInStrain = true;
            } else {
                b = {2.0 * x - x * x, 2.0 - 2.0 * x};
            }
            break;
        case BaseCurveCode::Popovics: {
            // Stress and tangent share n and its bound 1.1; without the bound n - 1 may vanish
            // and the slope of the curve would no longer be that of the stress.
            const double n = SoftensByStrain(rec.softening)
                                 ? rec.n
                                 : std::max(1.1, 0.8 + std::fabs(fp) / (17.0 * kMPa));
            b = PopovicsCurve(x, n, std::fabs(fp));
            break;
        }
        case BaseCurveCode::ElastoPlastic:
            if (x <= 1.0)
                b = {x, 1.0};
            else if (x <= 2.0)
                b = {1.0, 0.0};
            break;
        default:
            break;
        }
        if (!slopeInStrain)
            dSde = b.dSdx / ep;
        if (onPlateau)
            dSde = 0.0;
        // Beyond e'c of codes 3 and 4 the stress is beta times the curve: its slope takes
        // beta once.
        p.stress = fp * b.S * postScale;
        p.dStress = fp * dSde * postScale;
        p.dStressDe1 = b.S * dfpDe1 * postScale;
    }
    if (p.stress > 0.0) {
        // Compression never turns into tension.
        p.stress = 0.0;
        p.dStress = 0.0;
        p.dStressDe1 = 0.0;
    }
    return p;
}

// Lateral tensile strain from the two other principal strains (or their rates).
double LateralOf(double a, double b, double strainA, double strainB)
{
    if (strainA > 0.0 && strainB > 0.0)
        return std::sqrt(a * a + b * b);
    return std::max(a, b);
}

bool DirectionIndices(int d, int& j, int& k)
{
    if (d < 1 || d > 3)
        return false;
    j = d % 3 + 1;
    k = (d + 1) % 3 + 1;
    return true;
}

} // namespace

double AutoTensileStrength(const ConcreteTypeRec& rec)
{
    const double F = StrengthMPa(rec);
    if (IsHsuFamily(rec))
        return 0.31 * std::sqrt(F) * kMPa;
    return std::min(1.4 * (1.0 + F / 100.0), 0.15 * F) * kMPa;
}

double AutoPeakStrain(const ConcreteTypeRec& rec)
{
    const double F = StrengthMPa(rec);
    const double n = std::max(1.01, 0.8 + F / 17.0);
    const double Ec = (3320.0 * std::sqrt(F) + 6900.0) * kMPa;
    return -F * kMPa / Ec * n / (n - 1.0);
}

double EffectiveAggregateSize(double fc, double aggregate)
{
    const double F = std::fabs(fc) / kMPa;
    double size = aggregate;
    if (F > 70.0)
        size = 0.0;
    else if (F >= 60.0)
        size = (70.0 - F) / 10.0 * aggregate;
    return std::min(size, 0.025);
}

int CheckConcreteType(ConcreteTypeRec& rec, bool reset)
{
    if (rec.name.empty() || rec.name.size() > kConcreteNameMaxChars)
        rec.name = "Concrete 1";
    if (rec.fc == 0.0 || std::isnan(rec.fc))
        rec.fc = MaterialDefaults.fc;
    if (rec.fc > -100000.0)
        rec.fc = -100000.0;

    if (reset) {
        rec.userCurve.reset();
        rec.ftAuto = 1;
        rec.ecAuto = 1;
        rec.ft = -1.0;
        rec.Ec = 1.0;
        rec.ec = -1.0;
        rec.ecr = 0.0;
        rec.n = rec.k = rec.tsCoefficient = rec.Kc = 1.0;
        rec.tsFactor = 1.0;
        rec.aggregate = MaterialDefaults.aggregate;
        rec.baseCurve = BaseCurveCode::Popovics;
        rec.softening = SofteningCode::HawmereKelst2011;
        rec.tensionStiffening = TensionStiffeningCode::Kelst1999;
        rec.nonDefault = 0;
        PrepareConcreteType(rec);
        return 1;
    }

    const double autoFt = AutoTensileStrength(rec);
    const double autoEc = AutoPeakStrain(rec);
    const bool ftGiven = !rec.ftAuto && rec.ft >= 0.0 && std::fabs(rec.ft - autoFt) >= 10000.0;
    const bool ecGiven = !rec.ecAuto && std::fabs(rec.ec - autoEc) >= 1e-5;
    const bool tsGiven = std::fabs(rec.tsFactor - 1.0) >= 0.001;
    const bool aggregateGiven =
        std::fabs(EffectiveAggregateSize(rec.fc, rec.aggregate) -
                  EffectiveAggregateSize(rec.fc, MaterialDefaults.aggregate)) >= 0.0001;
    const bool modelsGiven = rec.baseCurve != BaseCurveCode::Popovics ||
                             rec.softening != SofteningCode::HawmereKelst2011 ||
                             rec.tensionStiffening != TensionStiffeningCode::Kelst1999;
    rec.nonDefault = (ftGiven || ecGiven || tsGiven || aggregateGiven || modelsGiven) ? 1 : 0;
    rec.ftAuto = std::fabs(rec.ft - autoFt) < 10000.0 ? 1 : 0;
    rec.ecAuto = std::fabs(rec.ec - autoEc) < 1e-5 ? 1 : 0;
    return 1;
}

void TakePeakStrainSign(ConcreteTypeRec& rec)
{
    if (rec.ecAuto == 0)
        rec.ec = -std::fabs(rec.ec);
}

int PrepareConcreteType(ConcreteTypeRec& rec)
{
    if (rec.baseCurve == BaseCurveCode::UserDefined && !rec.userCurve)
        rec.baseCurve = BaseCurveCode::Popovics;

    rec.fc = std::min(rec.fc, -5e6);
    if (rec.ft < 0.0 || rec.ftAuto) {
        rec.ftAuto = 1;
        rec.ft = AutoTensileStrength(rec);
    }
    if (rec.baseCurve == BaseCurveCode::UserDefined) {
        TDepthTable& curve = *rec.userCurve;
        // Cleaned first, so that f'c and e'c are those of the curve the law reads, and the same
        // however often the type is prepared (a peak given at strain 0 moves off the origin).
        CleanUserCurve(curve, false);
        int least = -1;
        const double leastStress = curve.MinValue(least);
        if (least >= 0) {
            rec.fc = -std::fabs(leastStress);
            rec.ec = curve.GetDepth(least);
        }
        rec.ecAuto = 1;
    }
    // The Popovics factors of the strength, whatever the base curve: only that curve reads them,
    // yet a type switched to another curve keeps no factors of a strength it no longer has, so
    // that it holds the values its document gives back.
    {
        const double F = StrengthMPa(rec);
        rec.n = std::max(1.01, 0.8 + F / 17.0);
        rec.k = std::max(1.0, 0.67 + F / 62.0);
    }
    if (rec.ec == 0.0 || (rec.ecAuto && rec.baseCurve != BaseCurveCode::UserDefined)) {
        rec.ec = AutoPeakStrain(rec);
        rec.ecAuto = 1;
    }
    const double F = StrengthMPa(rec);
    rec.Kc = 0.1825 * std::sqrt(F);
    if (rec.Kc < 1.0 || rec.softening == SofteningCode::VantrioHawmere1992B)
        rec.Kc = 1.0;

    const double strain = -0.0001;
    double fp = 0.0;
    const double s = ConcreteStress(rec, {strain, 0.0, 0.0}, 1, fp, rec.ft, 500.0);
    rec.Ec = s / (g_ResistanceFactors.phi_c + 1e-6) / strain;
    rec.ecr = rec.ft / (rec.Ec + 1.0);

    if (rec.tensionStiffening == TensionStiffeningCode::None)
        rec.tsCoefficient = 0.0;
    else if (rec.tensionStiffening == TensionStiffeningCode::VantrioHawmere1982)
        rec.tsCoefficient = 200.0;
    else if (rec.tensionStiffening == TensionStiffeningCode::HawmereMitchell1987)
        rec.tsCoefficient = 500.0;

    if (rec.tensionStiffening == TensionStiffeningCode::StuartOliver) {
        ShowMessage("Stuart Oliver Model Unsupported", "Load Error");
        rec.tensionStiffening = TensionStiffeningCode::Kelst1999;
    }
    rec.tsFactor = std::clamp(rec.tsFactor, 0.0, 1.0);
    return rec.tensionStiffening;
}

double ConcreteStress(const ConcreteTypeRec& rec,
                      const PrincipalStrains& e,
                      int d,
                      double& fp,
                      double f,
                      double c,
                      double /*a*/,
                      double /*b*/)
{
    return ConcreteStress(rec, e, d, fp, f, c, g_ResistanceFactors);
}

double ConcreteStress(const ConcreteTypeRec& rec,
                      const PrincipalStrains& e,
                      int d,
                      double& fp,
                      double f,
                      double c,
                      const ResistanceFactors& factors)
{
    const double phi = factors.phi_c;
    fp = rec.fc * phi;
    int j = 0;
    int k = 0;
    if (!DirectionIndices(d, j, k) || !StrainsInRange(e))
        return 0.0;
    const double ed = e[d - 1];
    if (ed >= kTensionThreshold) {
        const double ecrP = CrackingStrain(rec, f);
        if (ed <= ecrP)
            return rec.Ec * ed * phi;
        return CrackedTension(rec, ed, ecrP, c, nullptr) * phi;
    }
    const double ej = e[j - 1];
    const double ek = e[k - 1];
    const CompressionPoint p = EvaluateCompression(rec, ed, LateralOf(ej, ek, ej, ek));
    fp = p.fp * phi;
    return p.stress * phi;
}

double ConcreteTangentModulus(const ConcreteTypeRec& rec,
                              const PrincipalStrains& e,
                              int d,
                              double rateJ,
                              double rateK,
                              double f,
                              double c,
                              double /*a*/,
                              double /*b*/)
{
    double modulus = 0.0;
    ConcreteTangentModuli(rec, e, d, &rateJ, &rateK, &modulus, 1, f, c);
    return modulus;
}

void ConcreteTangentModuli(const ConcreteTypeRec& rec,
                           const PrincipalStrains& e,
                           int d,
                           const double* ratesJ,
                           const double* ratesK,
                           double* moduli,
                           int count,
                           double f,
                           double c)
{
    const double phi = g_ResistanceFactors.phi_c;
    const auto all = [&](double value) {
        for (int i = 0; i < count; ++i)
            moduli[i] = value;
    };
    int j = 0;
    int k = 0;
    if (!DirectionIndices(d, j, k) || !StrainsInRange(e))
        return all(0.0);
    const double ed = e[d - 1];
    if (ed >= kTensionThreshold) {
        const double ecrP = CrackingStrain(rec, f);
        if (ed <= ecrP)
            return all(rec.Ec * phi);
        double slope = 0.0;
        CrackedTension(rec, ed, ecrP, c, &slope);
        return all(slope * phi);
    }
    const double ej = e[j - 1];
    const double ek = e[k - 1];
    const CompressionPoint p = EvaluateCompression(rec, ed, LateralOf(ej, ek, ej, ek));
    for (int i = 0; i < count; ++i) {
        const double de1 = LateralOf(ratesJ[i], ratesK[i], ej, ek);
        moduli[i] = (p.dStress + p.dStressDe1 * de1) * phi;
    }
}

double TensionDecayStress(double e, double f)
{
    return f / (1.0 + 250000.0 * std::max(0.0, e)) * g_ResistanceFactors.phi_c;
}
