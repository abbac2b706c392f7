#include "analysis/layers/LayerStateAccess.h"

#include <cmath>
#include <vector>

#include "analysis/state/SectionState.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"

namespace {

// Depths this close to a face of the mesh count as on it (m).
constexpr double kFaceSnap = 1e-4;

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

double InterpolateLayerValue(const SectionState* state, int code, double y)
{
    constexpr const char* kCaption = "Layer Interpolation";
    if (state == nullptr) {
        ShowMessage("OOPS, error in interpolation in file... 1", kCaption, MsgStyle::Ok);
        return -1.0;
    }
    const int n = state->UsableLayerCount();
    if (n < 1) {
        ShowMessage("No layers to interpolate in", kCaption, MsgStyle::Ok);
        return 0.0;
    }
    if (!IsLayerQuantityCode(code)) {
        ShowMessage(StrPrintf("Unknown layer quantity %d", code), kCaption, MsgStyle::Ok);
        return 0.0;
    }
    const double top = state->LayerDefs.front().Top;
    const double bottom = state->LayerDefs[static_cast<std::size_t>(n - 1)].Bottom;
    if (std::fabs(y - bottom) < kFaceSnap)
        y = bottom;
    if (std::fabs(y - top) < kFaceSnap)
        y = top;
    if (y < bottom || y > top)
        return 0.0;
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state->LayerDefs[static_cast<std::size_t>(i)];
        if (!(layer.Bottom <= y && y <= layer.Top))
            continue;
        const LayerNodeStateRec* t = state->NodeState(static_cast<int>(layer.NodeTop));
        const LayerNodeStateRec* m = state->NodeState(static_cast<int>(layer.NodeMid));
        const LayerNodeStateRec* b = state->NodeState(static_cast<int>(layer.NodeBottom));
        if (t == nullptr || m == nullptr || b == nullptr)
            break;
        const double vt = LayerNodeQuantity(*t, code);
        const double vm = LayerNodeQuantity(*m, code);
        const double vb = LayerNodeQuantity(*b, code);
        const double h = layer.Thickness;
        if (!(h > 0.0))
            return vm;
        // The parabola through the three nodes: vt at the top, vm at the middle, vb below.
        const double d = layer.Mid - y;
        return 2.0 * (vt - 2.0 * vm + vb) / (h * h) * d * d + (vb - vt) / h * d + vm;
    }
    ShowMessage(StrPrintf("No layer holds depth %g", y), kCaption, MsgStyle::Ok);
    return 0.0;
}
