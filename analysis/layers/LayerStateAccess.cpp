#include "analysis/layers/LayerStateAccess.h"

#include <cmath>
#include <vector>

#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"

namespace {

double ArrayValue(const std::vector<double>& values, int i, double outside)
{
    return i >= 0 && static_cast<std::size_t>(i) < values.size()
               ? values[static_cast<std::size_t>(i)]
               : outside;
}

void SetArrayValue(std::vector<double>& values, int i, double value)
{
    if (i >= 0 && static_cast<std::size_t>(i) < values.size())
        values[static_cast<std::size_t>(i)] = value;
}

} // namespace

StrainProfile StateProfile(const SectionState& state)
{
    return StrainProfile{state.Results[StateResult::ReferenceStrain],
                         state.Results[StateResult::Curvature]};
}

double BarAverageStress(const SectionState& state, int d, int i)
{
    if (d != 0 && d != 1)
        return 0.0;
    return ArrayValue(state.LongBarValues[static_cast<std::size_t>(d == 0 ? BarArray::List0Stress
                                                                          : BarArray::List1Stress)],
                      i,
                      0.0);
}

void SetBarCrackStress(SectionState& state, int d, int i, double value)
{
    if (d == 0 || d == 1)
        SetArrayValue(state.LongBarValues[static_cast<std::size_t>(d == 0 ? BarArray::List0Second
                                                                          : BarArray::List1Second)],
                      i,
                      value);
}

void SetBarBondStress(SectionState& state, int i, double value)
{
    SetArrayValue(state.LongBarExtra[0], i, value);
}

double BarUnloadingStrain(const SectionState& state, int d, int i)
{
    if (d < 0 || d > 2)
        return 0.0;
    const double x = ArrayValue(state.DirectionValues[static_cast<std::size_t>(d)], i, 0.0);
    return std::fabs(x) < kRupturedStress ? x : 0.0;
}

double NodeQuantityAtDepth(const SectionState& state, int code, double y, double top, double bottom)
{
    if (std::fabs(y - top) < 1e-4)
        y = top;
    if (std::fabs(y - bottom) < 1e-4)
        y = bottom;
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* layer = state.LayerDef(static_cast<int>(i));
        if (layer == nullptr || y > layer->Top || y < layer->Bottom)
            continue;
        const LayerNodeStateRec* t = state.NodeState(static_cast<int>(layer->NodeTop));
        const LayerNodeStateRec* m = state.NodeState(static_cast<int>(layer->NodeMid));
        const LayerNodeStateRec* b = state.NodeState(static_cast<int>(layer->NodeBottom));
        if (t == nullptr || m == nullptr || b == nullptr)
            return 0.0;
        const double z0 = layer->Top;
        const double z1 = layer->Mid;
        const double z2 = layer->Bottom;
        if (!(z0 > z1 && z1 > z2))
            return LayerNodeQuantity(*m, code);
        const double v0 = LayerNodeQuantity(*t, code);
        const double v1 = LayerNodeQuantity(*m, code);
        const double v2 = LayerNodeQuantity(*b, code);
        return v0 * (y - z1) * (y - z2) / ((z0 - z1) * (z0 - z2)) +
               v1 * (y - z0) * (y - z2) / ((z1 - z0) * (z1 - z2)) +
               v2 * (y - z0) * (y - z1) / ((z2 - z0) * (z2 - z1));
    }
    return 0.0;
}
