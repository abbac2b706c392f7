#include "model/materials/ConcreteSoftening.h"

#include <algorithm>
#include <cmath>

namespace {

// Strain that stands in for a peak strain of zero (a type without a compressive peak).
constexpr double kTinyStrain = 1e-12;
// Least eta the models with eta work with; the ratio has no meaning at or below zero.
constexpr double kLeastEta = 1e-6;

// beta = min(1, 1 / den) with d beta / d e1 from d den / d e1; beta stays 1 for den <= 1.
SofteningState InverseCapped(double den, double dDen)
{
    SofteningState s;
    if (den > 1.0) {
        s.beta = 1.0 / den;
        s.dBetaDe1 = -dDen / (den * den);
    }
    return s;
}

// beta = R / sqrt(1 + a e1), with its slope; the peak strain softens with it.
SofteningState RootSoftening(double R, double a, double e1)
{
    const double rad = 1.0 + a * e1;
    SofteningState s;
    s.beta = R / std::sqrt(rad);
    s.dBetaDe1 = -0.5 * R * a / (rad * std::sqrt(rad));
    s.peakStrainSoftened = true;
    return s;
}

// min(0.9, 5.8 / sqrt(F)) of the Zhang-Hsu models, F = |f'c| in MPa.
double ZhangHsuStrengthFactor(double F)
{
    return F > 0.0 ? std::min(0.9, 5.8 / std::sqrt(F)) : 0.9;
}

} // namespace

SofteningState ComputeSoftening(const ConcreteTypeRec& rec, double e1, double ed)
{
    const double absEc = std::max(std::fabs(rec.ec), kTinyStrain);
    const double F = std::fabs(rec.fc) / 1e6;
    const double r = e1 / absEc;
    const double q = e1 / std::fabs(ed);
    SofteningState s;
    switch (rec.softening) {
    case SofteningCode::VantrioHawmere1982:
        s = InverseCapped(0.85 + 0.27 * q, 0.0);
        s.dBetaDe1 = 0.0;
        s.peakStrainSoftened = true;
        break;
    case SofteningCode::VantrioHawmere1986:
        s = InverseCapped(0.8 + 0.34 * r, 0.34 / absEc);
        break;
    case SofteningCode::VantrioHawmere1992A: {
        const double Cd = q > 0.28 ? 0.35 * std::pow(q - 0.28, 0.8) : 0.0;
        s = InverseCapped(1.0 + rec.Kc * Cd, 0.0);
        s.dBetaDe1 = 0.0;
        break;
    }
    case SofteningCode::VantrioHawmere1992AStrain:
        s = InverseCapped(1.0 + 0.23 * rec.Kc * q, 0.0);
        s.dBetaDe1 = 0.0;
        break;
    case SofteningCode::VantrioHawmere1992B:
        s = InverseCapped(1.0 + 0.27 * rec.Kc * (r - 0.37), 0.27 * rec.Kc / absEc);
        break;
    case SofteningCode::Mehlhorn: {
        const double den = 0.8 + 0.34 * r;
        const double v = 1.0 / den;
        s.beta = std::min(1.0, std::max(0.8, v));
        if (v > 0.8 && v < 1.0)
            s.dBetaDe1 = -(0.34 / absEc) / (den * den);
        break;
    }
    case SofteningCode::Maekawa: {
        const double v = 1.15 - 125.0 * e1;
        s.beta = std::min(1.0, std::max(0.65, v));
        if (v > 0.65 && v < 1.0)
            s.dBetaDe1 = -125.0;
        break;
    }
    case SofteningCode::Noguchi: {
        const double X =
            F < 60.0 ? 0.27 + 0.96 * std::pow(r, 0.167) : 0.8 + 0.6 * std::pow(e1 + 0.0002, 0.39);
        s = InverseCapped(X, 0.0);
        s.dBetaDe1 = 0.0;
        break;
    }
    case SofteningCode::BelarbiHsu:
        s = RootSoftening(0.9, 400.0, e1);
        break;
    case SofteningCode::CsaA233M84:
        s = InverseCapped(0.8 + 170.0 * e1, 170.0);
        break;
    case SofteningCode::Hawmere1978:
        s.beta = std::min(1.0, 3.6 / (1.0 + 2.0 * (e1 - ed) / absEc));
        s.peakStrainSoftened = true;
        break;
    case SofteningCode::KaufmannMarti1998: {
        // beta = F^0.6667 / ((0.4 + 30 e1) F)
        const double scale = F > 0.0 ? F / std::pow(F, 0.6667) : 0.0;
        s = InverseCapped((0.4 + 30.0 * e1) * scale, 30.0 * scale);
        break;
    }
    case SofteningCode::PoraszHawmere1988: {
        const double a = 0.9 + 0.0045 * F;
        s = InverseCapped(a * (0.8 + 0.34 * r), a * 0.34 / absEc);
        break;
    }
    case SofteningCode::ZhangHsuEta: {
        const double eta = std::max(std::fabs(HsuDataTable[0].eta), kLeastEta);
        s = RootSoftening(ZhangHsuStrengthFactor(F), 400.0 / eta, e1);
        break;
    }
    case SofteningCode::Hsu1993:
        s = RootSoftening(0.9, 600.0, e1);
        break;
    case SofteningCode::ZhuHsuLee2001: {
        const double eta =
            std::fabs(HsuDataTable[0].eta) < 0.2 ? 0.2 : std::fabs(HsuDataTable[0].eta);
        s = RootSoftening(ZhangHsuStrengthFactor(F), 400.0 / eta, e1);
        break;
    }
    case SofteningCode::ZhangHsuNoEta:
        s = RootSoftening(ZhangHsuStrengthFactor(F), 400.0, e1);
        break;
    case SofteningCode::HawmereKelst2011: {
        const double a = std::max(170.0, 3.0 * F);
        s = InverseCapped(0.8 + a * e1, a);
        break;
    }
    default:
        break;
    }
    return s;
}
