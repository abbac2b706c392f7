// The element state in fixed crack axes, for the concrete model-set codes 7, 9, 11 and 14.
//
// The axes 2-1 are turned by alpha from x-y, alpha following from the proportions of the
// increment loads: tan 2 alpha = 2 I_xy / (I_x - I_y), so under pure shear alpha = 45 degrees.
// The principal concrete stresses f_1, f_2 come from the concrete law of type 0 at the strains
// of those axes, and a shear stress tau_21 may act in them:
//   code 14:        tau = G gamma_21, G = (f_1 - f_2) / (2 (e_1 - e_2));
//   codes 7, 9, 11: tau = D (1 - (1 - gamma_21 / t)^6), D the steel difference of the stored
//                   results and t a strain built from the stored e_1 (0 until a run has
//                   stored them, so tau is 0 throughout a full response).
// Stresses in x-y: f_cx = f_1 s^2 + f_2 c^2 + 2 tau s c, f_cy = f_1 c^2 + f_2 s^2 - 2 tau s c,
// v_cxy = (f_1 - f_2) s c + tau (c^2 - s^2), with s = sin alpha, c = cos alpha.

#include <algorithm>
#include <cmath>

#include "analysis/element/NodeConcrete.h"
#include "membrane/MembraneState.h"
#include "membrane/TPellicor2000Analysis.h"
#include "model/TShell.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr double kQuarterPi = 0.78539816339725;
// Below this |tan alpha| the cracks run parallel to x.
constexpr double kFlatTan = 1e-9;

// Apparent yield stress of the bars of a direction embedded in concrete (codes 7 and 11).
double ApparentYield(const TShell& element, int d, double rho, double ft, double alpha)
{
    double F = 0.0;
    double E = 0.0;
    for (int i = 0; i < element.GetLongLayerCount(d); ++i) {
        const LongLayerRec* layer = element.GetLongLayer(i, d);
        const SteelTypeRec* steel = element.GetSteelType(layer->type);
        if (steel == nullptr)
            continue;
        F += layer->ratio * steel->fy;
        E += layer->ratio * steel->Es;
    }
    if (!(F > 0.0 && E > 0.0 && rho > 0.0))
        return 0.0;
    const double fy = F / rho;
    const double Es = E / rho;
    const double B = std::pow(ft / (fy + 0.1), 1.5) / rho;
    return (1.0 - (2.0 - alpha / kQuarterPi) / 1000.0 / rho) * (0.93 - 2.0 * B) * (fy / Es) * Es;
}

// sum of ratio x stress over the layers of a direction, over rho (0 without steel).
double SmearedSteelStress(
    const TShell& element, const SectionState& stage, int d, double strain, double rho)
{
    if (!(rho > 0.0))
        return 0.0;
    const std::vector<double>& offsets = stage.DirectionValues[static_cast<std::size_t>(d)];
    double sum = 0.0;
    for (int i = 0; i < element.GetLongLayerCount(d); ++i) {
        const LongLayerRec* layer = element.GetLongLayer(i, d);
        const SteelTypeRec* steel = element.GetSteelType(layer->type);
        if (steel == nullptr)
            continue;
        const double offset = static_cast<std::size_t>(i) < offsets.size()
                                  ? offsets[static_cast<std::size_t>(i)]
                                  : 0.0;
        sum += layer->ratio * SteelStress(*steel, layer->dep + strain, offset);
    }
    return sum / rho;
}

} // namespace

void TPellicor2000Analysis::SteelCapacityRatio(double fx, double fy)
{
    double Rx = -fx;
    double Ry = -fy;
    for (int d = 0; d < 2; ++d) {
        for (int i = 0; i < m_element->GetLongLayerCount(d); ++i) {
            const LongLayerRec* layer = m_element->GetLongLayer(i, d);
            const SteelTypeRec* steel = m_element->GetSteelType(layer->type);
            if (steel != nullptr)
                (d == 0 ? Rx : Ry) += layer->ratio * steel->fy;
        }
    }
    double m = Rx != 0.0 ? Ry / Rx : 1e6;
    if (m > 1.0)
        m = 1.0 / m;
    if (m_element->GetConcreteModelSet() == 14 && m < 0.2)
        m = 0.2;
    m_capacityRatio = m;
}

void TPellicor2000Analysis::EvaluateFixedAngleState(SectionState& stage, double& out)
{
    out = -1.0;
    LayerNodeStateRec* nodePtr = ElementNode(stage);
    const ConcreteTypeRec* typePtr = ElementConcrete();
    if (!m_element || nodePtr == nullptr || typePtr == nullptr)
        return;
    LayerNodeStateRec& node = *nodePtr;
    const ConcreteTypeRec& type = *typePtr;
    const int code = m_element->GetConcreteModelSet();
    const double Ix = IncrementLoads[0];
    const double Iy = IncrementLoads[1];
    const double Ixy = IncrementLoads[2];

    // 1. Angle of the axes. Without a deviatoric increment (no increments, or equal normal
    // increments without shear) every direction is principal: the axes stay on x-y.
    const double R = std::sqrt(0.25 * (Ix - Iy) * (Ix - Iy) + Ixy * Ixy);
    double alpha = 0.0;
    if (R > 0.0) {
        const double q = std::clamp(Ixy / R, -1.0, 1.0);
        alpha = q >= 1.0 ? kQuarterPi : 0.5 * std::asin(q);
    }
    const double ca = std::cos(alpha);
    const double sa = std::sin(alpha);

    // 2. - 4. Strains of the 2-1 axes.
    Matrix3 T{{{ca * ca, sa * sa, 2.0 * sa * ca},
               {sa * sa, ca * ca, -2.0 * sa * ca},
               {-sa * ca, sa * ca, ca * ca - sa * sa}}};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            stage.Extra[3 * r + c] = T[r][c];
    Vector3 rhs{node.StrainX, node.StrainZ, node.ShearStrain / 2.0};
    Vector3 x{};
    if (SolveLinear3(T, x, rhs, 3) != 0)
        return;
    const double e2 = x[0];
    const double e1 = x[1];
    const double g21 = 2.0 * x[2];

    // 5. Capacity ratio under the applied normal stresses of the stage's load factor.
    const double lf = stage.Results[MembraneResult::LoadFactor];
    SteelCapacityRatio(ConstantLoads[0] + lf * Ix, ConstantLoads[1] + lf * Iy);

    // 6. Concrete.
    PrepareNode(node, type, 0.0);
    const PrincipalStrains strains{e1, e2, 0.0};
    double unusedPeak = 0.0;
    double f2max = 0.0;
    const double f1 = ConcreteStress(type, strains, 1, unusedPeak, 0.0, node.TensionStiffFactor);
    const double f2 = ConcreteStress(type, strains, 2, f2max, 0.0, node.TensionStiffFactor);
    node.Strain1 = e1;
    node.Strain2 = e2;
    node.ConcStress1 = f1;
    node.ConcStress2 = f2;
    node.ConcStress2Max = f2max;

    // 7. Steel (the failure flags are not consulted in fixed axes).
    const double fsx = SmearedSteelStress(*m_element, stage, 0, node.StrainX, m_rhoX);
    const double fsy = SmearedSteelStress(*m_element, stage, 1, node.StrainZ, m_rhoY);
    node.SteelStressX = fsx;
    node.StirrupStress = fsy;

    // 8. Codes 7 and 11: the steel difference of the apparent yield stresses.
    if (code == 7 || code == 11) {
        const double fxStar = ApparentYield(*m_element, 0, m_rhoX, type.ft, alpha);
        const double fyStar = ApparentYield(*m_element, 1, m_rhoY, type.ft, alpha);
        m_resultSteelDifference = (m_rhoY * fyStar - m_rhoX * fxStar) * 0.5;
    }

    // 9. Shear in the 2-1 axes.
    double tau = 0.0;
    if (code == 14) {
        // Equal principal strains: the secant of the law is its initial slope, 2G = Ec.
        const double G = e1 != e2 ? (f1 - f2) / (2.0 * (e1 - e2)) : type.Ec * ConcretePhi() / 2.0;
        out = G;
        tau = G * g21;
    } else {
        const double t = code == 7 ? std::fabs(m_resultTheta - alpha) * m_resultE1 * -0.04 * 57.3
                                   : std::fabs(1.0 - m_capacityRatio) * m_resultE1 * -0.85;
        if (std::fabs(t) > 1e-6)
            tau = m_resultSteelDifference * (1.0 - std::pow(1.0 - g21 / t, 6));
        out = g21 != 0.0 ? tau / g21 : -1.0;
    }

    // 10. Concrete stresses in x-y.
    node.ConcStressX = f1 * sa * sa + f2 * ca * ca + 2.0 * tau * sa * ca;
    node.ConcStressZ = f1 * ca * ca + f2 * sa * sa - 2.0 * tau * sa * ca;
    node.ConcShearStress = (f1 - f2) * sa * ca + tau * (ca * ca - sa * sa);
    node.CrackAngle = alpha;
    node.CrackShearStress = tau;

    // 11. Crack geometry. The spacing counts the angle's sine and cosine by magnitude, so axes
    // turned the other way (negative shear) crack alike.
    const double d1 = e1 - node.FreeStrain1;
    const double ecr =
        m_element->GetConcreteStrainRatio(node.ConcreteType, node.LocalTensileStrength);
    if (d1 > ecr) {
        const double spacing = CrackSpacingAtAngle(sa, ca, node.CrackSpacingX, node.CrackSpacingZ);
        node.CrackSpacingTheta = spacing;
        node.CrackWidth = d1 * spacing;
        const double ag = EffectiveAggregateSize(type.fc, type.aggregate);
        node.CrackShearLimit = 0.18 * std::sqrt(std::fabs(type.fc) * 1e-6) /
                               InterlockDenominator(node.CrackWidth, ag) * 1e6;
    } else {
        node.CrackWidth = 0.0;
        node.CrackSpacingTheta = 0.0;
        node.CrackShearLimit = 0.0;
    }

    // 12. Steel stresses at a crack. Cracks parallel to x (tan alpha = 0) cross no x bar, so
    // the x bars keep their average stress there.
    double fsxcr = 0.0;
    double fsycr = 0.0;
    if (d1 > type.ecr) {
        const double tanAlpha = std::tan(alpha);
        if (m_rhoX > 0.0)
            fsxcr = std::fabs(tanAlpha) > kFlatTan ? (tau / tanAlpha + f1) / m_rhoX + fsx : fsx;
        if (m_rhoY > 0.0)
            fsycr = (f1 - tau * tanAlpha) / m_rhoY + fsy;
    }
    node.SteelStressXAtCrack = fsxcr;
    node.StirrupStressAtCrack = fsycr;

    // 13. Flags and imposed strains.
    node.CrackCheckCode = CrackCheck::None;
    node.SpareValue = 0.0;
    node.FreeStrainX = 0.0;
    node.FreeStrainZ = 0.0;
    node.FreeStrain1 = 0.0;
    node.FreeStrain2 = 0.0;

    // 14. Element stresses.
    auto& Rs = stage.Results;
    Rs[MembraneResult::SigmaX] = m_rhoX * fsx + node.ConcStressX;
    Rs[MembraneResult::SigmaY] = m_rhoY * fsy + node.ConcStressZ;
    Rs[MembraneResult::TauXY] = node.ConcShearStress;
}
