#include "member/MemberEvents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/layers/LayerStateAccess.h"
#include "analysis/state/SectionState.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"

namespace {

constexpr std::array<const char*, 10> kEventNames{
    "Cracking", "Longitudinal Yield", "0.4 mm Cracks", "1 mm Cracks", "Transverse Yield",
    "|e_t_o_p = |e_c'", "|e_b_o_t = |e_c'", "", "", ""};

constexpr double kSmallStrain = 1e-6;

using StrainAt = std::function<double(double)>;

void ReportBadIndex(const char* what, int i)
{
    ShowMessage(StrPrintf("The %s index %d is outside the section.", what, i), "Error in Member Events",
                MsgStyle::IconExclamation);
}

const SteelTypeRec* SteelOf(const TStructure& s, int type)
{
    const SteelTypeRec* steel = type >= 0 && type < s.GetSteelTypeCount() ? s.GetSteelType(type) : nullptr;
    if (steel == nullptr)
        ReportBadIndex("steel type", type);
    return steel;
}

double YieldStrain(const SteelTypeRec& steel) { return steel.Es != 0.0 ? steel.fy / steel.Es : 0.0; }

// Sum of the stirrup strains over the sum of their yield strains at the node's depth.
double TransverseYieldRatio(const TStructure& s, const LayerNodeStateRec& node)
{
    double strain = 0.0;
    double yield = 0.0;
    for (int i = 0; i < s.GetTransLayerCount(2); ++i) {
        const TransLayerRec* layer = s.GetTransLayer(i, 2);
        if (layer == nullptr) {
            ReportBadIndex("transverse layer", i);
            continue;
        }
        if (!(layer->distbot <= node.Depth && node.Depth <= layer->disttop) || layer->A <= 0.0)
            continue;
        const SteelTypeRec* steel = SteelOf(s, layer->type);
        if (steel == nullptr)
            continue;
        double e = node.StrainZ - layer->strain + layer->dep;
        if (layer->pattern == kCircularHoop) {
            const double half = layer->disttop - layer->distbot;
            const double d = node.Depth - (layer->disttop + layer->distbot) / 2.0;
            e *= std::max(0.0, 1.0 - d * d / (half * half / 4.0 + 0.0001));
        }
        strain += e;
        yield += YieldStrain(*steel);
    }
    return yield != 0.0 ? strain / yield : 0.0;
}

// The measure of one layer of the mesh (events measured at the nodes).
double LayerRatio(const TStructure& s, const SectionState& state, const LayerDefRec& layer, int code)
{
    const std::array<const LayerNodeStateRec*, 3> nodes{
        state.NodeState(static_cast<int>(layer.NodeTop)), state.NodeState(static_cast<int>(layer.NodeMid)),
        state.NodeState(static_cast<int>(layer.NodeBottom))};
    double value = -1e30;
    bool any = false;
    const auto take = [&](double v) {
        value = std::max(value, v);
        any = true;
    };
    switch (code) {
    case MemberEvent::Cracking: {
        const auto ecrOf = [&s](const LayerNodeStateRec& n) {
            return s.GetConcreteStrainRatio(n.ConcreteType, n.LocalTensileStrength) + kSmallStrain;
        };
        for (const LayerNodeStateRec* n : nodes)
            if (n != nullptr)
                take((n->Strain1 - n->FreeStrain1) / ecrOf(*n));
        if (any && value == 0.0) {
            value = -1e30;
            for (const LayerNodeStateRec* n : nodes)
                if (n != nullptr)
                    take(n->Strain2 / ecrOf(*n));
        }
        break;
    }
    case MemberEvent::Crack04:
    case MemberEvent::Crack1: {
        const double limit = code == MemberEvent::Crack04 ? 0.0004 : 0.001;
        for (const LayerNodeStateRec* n : nodes)
            if (n != nullptr)
                take(n->CrackWidth / limit);
        break;
    }
    case MemberEvent::TransverseYield:
        for (const LayerNodeStateRec* n : nodes)
            if (n != nullptr)
                take(TransverseYieldRatio(s, *n));
        break;
    default:
        return 0.0;
    }
    return any ? value : 0.0;
}

double LongitudinalYieldRatio(const TStructure& s, const SectionState& state, const StrainAt& strainAt)
{
    double best = -1e6;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = s.GetLongLayer(i, 0);
        if (layer == nullptr) {
            ReportBadIndex("longitudinal layer", i);
            continue;
        }
        const SteelTypeRec* steel = SteelOf(s, layer->type);
        if (steel == nullptr || YieldStrain(*steel) == 0.0)
            continue;
        const double e = strainAt(layer->z) - InterpolateLayerValue(&state, LayerQuantity::FreeStrainX, layer->z);
        best = std::max(best, e / YieldStrain(*steel));
    }
    return best;
}

// Longitudinal strain of the top (or bottom) face over the peak strain of its concrete.
double PeakStrainRatio(const TStructure& s, const SectionState& state, bool top)
{
    const int nl = state.UsableLayerCount();
    const int nr = s.GetRegionCount();
    if (nl <= 0 || nr <= 0)
        return 0.0;
    const LayerDefRec* layer = state.LayerDef(top ? 0 : nl - 1);
    const LayerNodeStateRec* node =
        layer != nullptr ? state.NodeState(static_cast<int>(top ? layer->NodeTop : layer->NodeBottom)) : nullptr;
    const ConcreteRegionRec* region = s.GetRegion(top ? 0 : nr - 1);
    const ConcreteTypeRec* concrete = region != nullptr ? s.GetConcreteType(region->concreteType) : nullptr;
    if (node == nullptr || concrete == nullptr)
        return 0.0;
    const double strain = node->StrainX - node->FreeStrainX;
    const double ec = concrete->ec;
    if (std::fabs(ec) <= kSmallStrain)
        return strain >= 0.0 ? 1.0 : 0.0;
    const auto sign = [](double v) { return (v > 0.0) - (v < 0.0); };
    return sign(strain) == sign(ec) ? std::fabs(strain / ec) : 0.0;
}

int Ratios(const TStructure& s, const SectionState& state, int code, double& ratio, const StrainAt& strainAt)
{
    double running = -1e6;
    ratio = 0.0;
    for (int i = 0; i < state.UsableLayerCount(); ++i)
        if (const LayerDefRec* layer = state.LayerDef(i))
            running = std::max(running, LayerRatio(s, state, *layer, code));
    if (code == MemberEvent::LongitudinalYield)
        running = std::max(running, LongitudinalYieldRatio(s, state, strainAt));
    else if (code == MemberEvent::TopPeakStrain || code == MemberEvent::BottomPeakStrain)
        ratio = PeakStrainRatio(s, state, code == MemberEvent::TopPeakStrain);
    ratio = std::max(ratio, running);
    return ratio > 1.0 ? 1 : 0;
}

} // namespace

const char* MemberEventName(int code)
{
    return code >= 0 && code < static_cast<int>(kEventNames.size()) ? kEventNames[static_cast<std::size_t>(code)]
                                                                      : "";
}

int GetMemberEventRatios(const TStructure& structure, const SectionState& state, int code, double& ratio)
{
    const double e0 = state.Result(StateResult::ReferenceStrain);
    const double phi = state.Result(StateResult::Curvature);
    return Ratios(structure, state, code, ratio, [e0, phi](double y) { return e0 + phi * y; });
}

int GetMemberEventRatios(const TSectionalAnalysis& analysis, const SectionState& state, int code, double& ratio)
{
    ratio = 0.0;
    const TStructure* s = analysis.GetStructure();
    if (s == nullptr)
        return 0;
    if (const auto* beam = dynamic_cast<const TQuarvish2000Analysis*>(&analysis))
        return Ratios(*s, state, code, ratio, [beam, &state](double y) { return beam->StrainAtDepth(state, y, 0); });
    return GetMemberEventRatios(*s, state, code, ratio);
}

std::string MemberEventLegend(const std::vector<int>& codes, bool hasCurve)
{
    const auto symbol = [](char c) { return std::string("\x01@") + c + "\x02"; };
    std::string text = "Legend\r\n" + symbol('c') + " Strength Envelope";
    if (!hasCurve)
        return text;
    char next = 'd';
    for (int code : codes) {
        text += "\r\n" + symbol(next) + " " + MemberEventName(code);
        ++next;
    }
    return text;
}

int DescribeMemberEvents(TSectionalAnalysis& analysis, std::string& text)
{
    std::vector<int> codes;
    const bool hasCurve = analysis.BeginCurve(kEventCurveId) > 0;
    double x = 0.0;
    double y = 0.0;
    while (hasCurve && analysis.GetCurvePoint(kEventCurveId, x, y) != 0)
        codes.push_back(static_cast<int>(x));
    text = MemberEventLegend(codes, hasCurve);
    return 0;
}
