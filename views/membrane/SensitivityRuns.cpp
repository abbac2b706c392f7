// The sensitivity runs of the graphs 219-227: nine inputs of the element each raised and
// lowered, every varied copy solved over its full response, and the two curves drawn over
// the element's own shear strain - shear stress response.

#include <cmath>

#include "foundation/ChartPointSink.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/ShellLoadScale.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "views/ViewChart.h"
#include "views/membrane/TP2k_Logic.h"

namespace {

constexpr double kFactor = 1.2;
// Maximum aggregate size of the plus run of graph 221 (m); the minus run has none.
constexpr double kLargeAggregate = 0.038;

double Vary(double value, int sign)
{
    return sign ? value * kFactor : value / kFactor;
}

// The varied f_x of graph 227, Pa: f_x -/+ 5 % of |f'c|, held within 0.9 f'c in compression
// and 0.9 rho_x f_y,x in tension.
double VariedAxialStress(const TShell& element, int sign)
{
    double loads[8] = {};
    element.GetConstantLoads(loads, 8);
    const double fx = loads[0] * kShellLoadStressScale;
    const ConcreteTypeRec* type = element.FindMainConcreteType();
    const double fc = type ? type->fc : 0.0;
    const double f = sign ? fx + 0.05 * fc : fx - 0.05 * fc;
    double rho = 0.0, rhoFy = 0.0;
    element.GetSteelTotals(rho, rhoFy, 0, 0);
    return std::min(0.9 * rhoFy, std::max(0.9 * fc, f));
}

void CopyLayers(const TShell& element, TShell& copy, int d, int areaDirection, int sign)
{
    copy.DeleteLongLayers(d);
    for (int i = 0; i < element.GetLongLayerCount(d); ++i) {
        LongLayerRec layer = *element.GetLongLayer(i, d);
        // Validation makes a layer's total area num x Ai again, so the bar area is varied
        // with the total; varying the total alone would leave the run equal to the element.
        if (d == areaDirection) {
            layer.A = Vary(layer.A, sign);
            layer.Ai = Vary(layer.Ai, sign);
        }
        copy.AddLongLayer(layer, d);
    }
}

} // namespace

void ApplySensitivityVariation(const TShell& element, TShell& copy, int id, int sign)
{
    // Concrete types.
    copy.DeleteConcreteTypes();
    for (int i = 0; i < element.GetConcreteTypeCount(); ++i) {
        ConcreteTypeRec type = *element.GetConcreteType(i);
        if (id == 219) {
            type.fc = Vary(type.fc, sign);
            if (type.userCurve)
                type.userCurve->ScaleValues(sign ? kFactor : 1.0 / kFactor);
            type.ftAuto = 0;
        } else if (id == 220) {
            type.ft = Vary(type.ft, sign);
            type.ftAuto = 0;
        } else if (id == 221) {
            type.aggregate = sign ? kLargeAggregate : 0.0;
        }
        copy.AddConcreteType(type);
    }

    // Constant loads.
    double loads[8] = {};
    element.GetConstantLoads(loads, 8);
    if (id == 227)
        loads[0] = VariedAxialStress(element, sign) / kShellLoadStressScale;
    copy.SetConstantLoads(loads, 8);

    // Crack spacings. Only a spacing the user gave is varied; an automatic one stays
    // automatic, so that the copy works it out from its own layers as the element does
    // (validation has put the worked-out value in its place, which must not be varied).
    for (int d = 0; d < 2; ++d) {
        if (element.IsCrackSpacingAuto(d)) {
            copy.SetCrackSpacing(-1.0, d);
            continue;
        }
        const double s = element.GetCrackSpacing(d);
        copy.SetCrackSpacing(id == 226 ? s * (sign ? 2.0 : 0.5) : s, d);
    }

    // Layers and steel types as the element's.
    for (int d = 0; d < element.GetLongDirectionCount(); ++d)
        CopyLayers(element, copy, d, -1, sign);
    copy.DeleteSteelTypes();
    for (int i = 0; i < element.GetSteelTypeCount(); ++i)
        copy.AddSteelType(*element.GetSteelType(i));

    if (id == 222 || id == 223) {
        // Every layer of the direction gets its own varied steel type.
        const int d = id - 222;
        copy.DeleteLongLayers(d);
        for (int i = 0; i < element.GetLongLayerCount(d); ++i) {
            LongLayerRec layer = *element.GetLongLayer(i, d);
            SteelTypeRec steel = *element.GetSteelType(layer.type);
            steel.fy = Vary(steel.fy, sign);
            steel.esh = Vary(steel.esh, sign);
            steel.eu = Vary(steel.eu, sign);
            steel.fu = Vary(steel.fu, sign);
            steel.er = Vary(steel.er, sign);
            if (steel.userCurve) {
                steel.userCurve->ScaleValues(sign ? kFactor : 1.0 / kFactor);
                steel.userCurve->ScaleDepths(sign ? kFactor : 1.0 / kFactor);
            }
            copy.AddSteelType(steel);
            layer.type = copy.GetSteelTypeCount() - 1;
            copy.AddLongLayer(layer, d);
        }
    } else if (id == 224 || id == 225) {
        for (int d = 0; d < 2; ++d)
            CopyLayers(element, copy, d, id - 224, sign);
    }
    copy.SetLayerRatios();
}

double TP2k_Logic::GetVariedAxialStress(int sign) const
{
    const TShell* shell = GetShell();
    return shell ? VariedAxialStress(*shell, sign) : 0.0;
}

int TP2k_Logic::RunSensitivityAnalyses()
{
    const TShell* shell = GetShell();
    if (!shell)
        return 1;
    TShell copy(*shell);
    for (int k = 0; k < 9; ++k) {
        for (int sign = 1; sign >= 0; --sign) {
            ApplySensitivityVariation(*shell, copy, 219 + k, sign);
            m_sensitivity[static_cast<std::size_t>(2 * k + (1 - sign))] =
                std::make_unique<TP2kFullResponse>(&copy);
        }
    }
    return 1;
}

int TP2k_Logic::AddSensitivityCurves(ViewChart* chart, int id)
{
    if (!chart || id < 219 || id > 227)
        return 1;
    if (!m_sensitivity[0])
        RunSensitivityAnalyses();
    const double ke = m_display.Factor(3);
    const double ks = m_display.Factor(10);
    for (int sign = 1; sign >= 0; --sign) {
        const TP2kFullResponse* run =
            m_sensitivity[static_cast<std::size_t>(2 * (id - 219) + (1 - sign))].get();
        if (!run)
            continue;
        chart->AddPoint(kChartSeparator, kChartSeparator);
        chart->AddPoint(kChartSeparator, sign ? 2.0 : 1.0);
        for (int i = 0;; ++i) {
            const SectionState* stage = run->GetStage(i);
            if (!stage)
                break;
            const LayerNodeStateRec* node = ElementNode(*stage);
            if (!node)
                continue;
            const double x = ke * node->ShearStrain;
            if (!IsUndefined(x))
                chart->AddPoint(x, ks * node->ConcShearStress);
        }
    }
    return 1;
}

int TP2k_Logic::MakeSensitivityTitle(int id, std::string& title) const
{
    // Inline line samples of line types 2 (plus run) and 1 (minus run).
    static const std::string S2("\x01\x0d\x02\x02", 4);
    static const std::string S1("\x01\x0d\x01\x02", 4);
    const TShell* shell = GetShell();
    if (!shell)
        return 1;
    const DisplayContext& u = m_display;
    const bool us = u.unitSystem == 1;
    const bool si = u.unitSystem == 0;
    const ConcreteTypeRec* type = shell->FindMainConcreteType();
    const auto two = [&](const std::string& head, const char* f1, const char* f2, double a,
                         double b, const std::string& tail) {
        return head + S2 + Printf(f1, a) + S1 + Printf(f2, b) + tail;
    };
    switch (id) {
    case 219: {
        const double fc = type ? std::fabs(type->fc) * u.Factor(10) : 0.0;
        title = two("f_c' = ", us ? "%4.0f , " : "%2.1f , ", us ? "%4.0f" : "%2.1f", fc * kFactor,
                    fc / kFactor, Printf(" %s", u.Label(10)));
        break;
    }
    case 220: {
        const double ft = type ? std::fabs(type->ft) * u.Factor(10) : 0.0;
        title = two("f_t = ", us ? "%3.0f , " : "%3.2f , ", us ? "%3.0f" : "%3.2f", ft * kFactor,
                    ft / kFactor, Printf(" %s", u.Label(10)));
        break;
    }
    case 221:
        title = two("a_g = ", si ? "%2.0f , " : "%4.2f , ", si ? "%2.0f" : "%4.2f",
                    kLargeAggregate * u.Factor(6), 0.0, Printf(" %s", u.Label(6)));
        break;
    case 222:
    case 223: {
        double rho = 0.0, rhoFy = 0.0;
        shell->GetSteelTotals(rho, rhoFy, 0, id - 222);
        const double fy = rho > 0.0 ? std::fabs(rhoFy / rho) * u.Factor(11) : 0.0;
        const std::string head = Printf("f_y_%c = ", id == 222 ? 'x' : 'y');
        title = two(head, si ? "%3.0f , " : "%3.1f , ", si ? "%3.0f" : "%3.1f", fy * kFactor,
                    fy / kFactor, Printf(" %s", u.Label(11)));
        break;
    }
    case 224:
    case 225: {
        double rho = 0.0, rhoFy = 0.0;
        shell->GetSteelTotals(rho, rhoFy, 0, id - 224);
        const std::string head = Printf("|r_s_%c = ", id == 224 ? 'x' : 'y');
        title = two(head, "%4.2f%% , ", "%4.2f%%", 100.0 * rho * kFactor, 100.0 * rho / kFactor,
                    "");
        break;
    }
    case 226:
        title = "Crack space = " + S2 + "twice , " + S1 + "half";
        break;
    case 227:
        title = two("f_x = ", si ? " %3.2f , " : " %3.0f , ", si ? " %3.2f" : " %3.0f",
                    GetVariedAxialStress(1) * u.Factor(10), GetVariedAxialStress(0) * u.Factor(10),
                    Printf(" %s", u.Label(10)));
        break;
    default:
        break;
    }
    return 1;
}
