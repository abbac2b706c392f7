// TShell: validation, the model sets, the layer ratios and the Hsu concrete data.

#include <algorithm>
#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"

namespace {

// Spacing of a layer that has none, and the default that older files left in place (m).
constexpr double kDefaultLayerSpacing = 0.1;
constexpr double kSpacingTolerance = 0.0001;

// Below this magnitude an in-plane increment load counts as absent (N/m).
constexpr double kNoLoad = 1.0;

// Least reinforcement ratio handed to the Hsu laws; softening code 16 needs more.
constexpr double kMinHsuRatio = 0.0001;
constexpr double kMinHsuRatioCode16 = 0.005;

} // namespace

int TShell::Validate()
{
    if (CheckFrozen())
        return 0;
    RepairLayerSpacings();
    for (std::size_t d = 0; d < 2; ++d) {
        if (m_own.crackSpacingAuto[d] != 0)
            m_own.crackSpacing[d] = -1.0;
    }
    TStructure::Validate();
    ResolveAutoCrackSpacings();
    SetLayerRatios();
    BuildTensionStiffCurve(0);
    BuildTensionStiffCurve(1);
    if (!m_incrementsRead)
        EnsureUnitShearIncrement();
    TStructure::ResetTimeDependentStrains();
    for (int d = 0; d < 3; ++d)
        CheckHsuConcrete(d);
    return 1;
}

void TShell::RepairLayerSpacings()
{
    for (int d = 0; d < 2; ++d) {
        for (auto& layer : LongLayers(d)) {
            // Older membrane files kept the spacing in another field; a spacing that is
            // unset or still at the default takes that value over.
            const bool unset = layer.space < kSpacingTolerance ||
                               std::fabs(layer.space - kDefaultLayerSpacing) < kSpacingTolerance;
            if (layer.oldSpace != 0.0 && unset) {
                layer.space = layer.oldSpace;
                layer.oldSpace = 0.0;
            }
        }
    }
    for (int d = 0; d < 2; ++d) {
        for (auto& layer : LongLayers(d)) {
            if (layer.space == 0.0)
                layer.space = kDefaultLayerSpacing;
        }
    }
}

void TShell::ResolveAutoCrackSpacings()
{
    const double t = GetHeight();
    for (int d = 0; d < 2; ++d) {
        double& spacing = m_own.crackSpacing[static_cast<std::size_t>(d)];
        int& isAuto = m_own.crackSpacingAuto[static_cast<std::size_t>(d)];
        if (spacing >= 0.0) {
            isAuto = 0;
            continue;
        }
        isAuto = 1;
        // The mean of the crack-spacing profile over the thickness; an element without
        // thickness has no profile and keeps the spacing automatic.
        if (t > 0.0)
            spacing = GetPositionVariable(d).Integrate(GetBottom(), GetTop()) / t;
    }
}

void TShell::EnsureUnitShearIncrement()
{
    LoadVector loads{};
    GetIncrementLoads(loads.data(), kLoadCount);
    if (std::fabs(loads[0]) < kNoLoad && std::fabs(loads[1]) < kNoLoad &&
        std::fabs(loads[2]) < kNoLoad) {
        // One displayed unit of shear flow (kN/m, kips/ft, t/m).
        loads[2] = 1.0 / UnitFactor(ukForcePerLength, g_UnitSystem);
        SetIncrementLoads(loads.data(), kLoadCount);
    }
}

int TShell::SetConcreteModelSet(int code)
{
    if (CheckFrozen())
        return 0;
    TStructure::SetConcreteModelSet(code);
    if (code >= 3 && code <= 14) {
        ShowMessage("Houston models use embedded steel relationships which have not been "
                    "implemented in this program. Continuing with MCFT.",
                    "Membrane",
                    MsgStyle::Ok | MsgStyle::IconExclamation);
        TStructure::SetConcreteModelSet(15);
    }
    return 1;
}

int TShell::SetLayerRatios()
{
    if (CheckFrozen())
        return 0;
    const double t = GetHeight();
    for (int d = 0; d < 2; ++d) {
        for (auto& layer : LongLayers(d)) {
            // rho = A / (t s): bars of area A at spacing s in a panel of thickness t.
            layer.ratio = layer.space > 0.0 && t > 0.0 ? layer.A / (t * layer.space) : 0.0;
        }
    }
    return 1;
}

int TShell::GetSteelTotals(double& sumRatio,
                           double& sumRatioStrength,
                           int useUltimate,
                           int direction) const
{
    sumRatio = 0.0;
    sumRatioStrength = 0.0;
    if (direction != 0 && direction != 1)
        return 1;
    const int steelTypes = GetSteelTypeCount();
    for (int i = 0; i < GetLongLayerCount(direction); ++i) {
        const LongLayerRec* layer = GetLongLayer(i, direction);
        if (layer == nullptr)
            continue;
        sumRatio += layer->ratio;
        // A layer whose steel type is missing adds no strength.
        if (layer->type < 0 || layer->type >= steelTypes)
            continue;
        const SteelTypeRec* steel = GetSteelType(layer->type);
        if (steel != nullptr)
            sumRatioStrength += layer->ratio * (useUltimate != 0 ? steel->fu : steel->fy);
    }
    return 1;
}

int TShell::CheckHsuConcrete(int direction)
{
    if (direction < 0 || direction > 2) {
        ReportBadDirection("CheckHsuConcrete", direction);
        return 0;
    }
    g_HsuEmbeddedSteel = 0;
    // The yield-stress key of the entry belongs to the embedded-bar law and stays as it is.
    const int32_t fyKey = HsuDataTable[static_cast<std::size_t>(direction)].fyKey;
    const ConcreteTypeRec* type = GetConcreteTypeCount() > 0 ? GetConcreteType(0) : nullptr;
    if (type == nullptr || !IsHsuFamily(*type))
        return SetHsuData(1.0, 45.0, 0.01, 0.0, 0.0, fyKey, direction);

    if (GetConcreteTypeCount() > 1)
        ShowMessage("Stand Back!  Hsu concrete gets into trouble with more than one "
                    "concrete type!",
                    kProgramCaption,
                    MsgStyle::Ok | MsgStyle::IconExclamation);
    double rho = 0.0;
    if (direction == 2) {
        for (int i = 0; i < GetTransLayerCount(2); ++i) {
            if (const TransLayerRec* layer = GetTransLayer(i, 2))
                rho += layer->ratio;
        }
    } else {
        double strength = 0.0;
        GetSteelTotals(rho, strength, 0, direction);
    }
    rho = std::max(rho, kMinHsuRatio);
    if (type->softening == SofteningCode::ZhuHsuLee2001)
        rho = std::max(rho, kMinHsuRatioCode16);
    // eta: the smaller over the larger of the y and x reinforcement strengths rho fy.
    double rhoX = 0.0, forceX = 0.0, rhoY = 0.0, forceY = 0.0;
    GetSteelTotals(rhoX, forceX, 0, 0);
    GetSteelTotals(rhoY, forceY, 0, 1);
    double eta = 1.0 / 1e6;
    if (forceX > 0.0) {
        eta = forceY / forceX;
        if (eta > 1.0)
            eta = 1.0 / eta;
    }
    return SetHsuData(eta, 45.0, rho, type->ft, type->softening, fyKey, direction);
}
